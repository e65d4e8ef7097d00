#pragma once

#include "documents/cp1251.h"

#include <QFile>
#include <QString>

namespace quillet::test {

// The error report at path ("QDebug.log"), decoded, or an empty text when there
// is none.
inline QString reportAt(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodeCp1251(file.readAll());
}

} // namespace quillet::test
