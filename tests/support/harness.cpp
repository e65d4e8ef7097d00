#include "support/harness.h"

#include "documents/cp1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace quillet::test {

FrmMain& Harness::create(const QString& arguments) {
    window = std::make_unique<FrmMain>(platform, arguments);
    return *window;
}

FrmMain& Harness::load(const QString& arguments) {
    create(arguments);
    window->Form_Load();
    return *window;
}

bool Harness::close() {
    window->show();
    return window->close();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}

} // namespace quillet::test

namespace quillet::test {
QString errorReport(Harness& harness) {
    QFile file(harness.window->DebugFilePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodeCp1251(file.readAll());
}
} // namespace quillet::test
