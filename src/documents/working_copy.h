#pragma once

#include <QColor>
#include <QFont>
#include <QString>

namespace quillet {

// The hidden working copy of the document. Find and Replace search its text
// (a plain copy, so positions found in it are positions in the editor), and
// printing prints it with the editor's formatting applied to the whole text.
struct WorkingCopy {
    QString text;     // CR LF line breaks, as the editor's model text
    int selStart = 0; // selection over the copy
    int selLength = 0;
    int alignment = 0; // 0 left, 1 right, 2 centre
    QFont font;
    int charSet = 204;
    QColor backColor = Qt::white;
    QColor textColor = Qt::black;
};

} // namespace quillet
