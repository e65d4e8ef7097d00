#include "format/format_rules.h"

#include <QtGlobal>

namespace quillet {

FontChoice fontChoiceOf(const QFont& font, const QColor& textColor) {
    FontChoice choice;
    choice.bold = font.bold();
    choice.italic = font.italic();
    choice.name = font.family();
    choice.pointSize = font.pointSizeF();
    choice.strikethrough = font.strikeOut();
    choice.underline = font.underline();
    choice.color = textColor;
    return choice;
}

QFont fontAfterChoice(QFont font, const FontChoice& choice) {
    if (!choice.name.isEmpty())
        font.setFamily(choice.name);
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    if (choice.pointSize > 0)
        font.setPointSizeF(choice.pointSize);
    font.setStrikeOut(choice.strikethrough);
    font.setUnderline(choice.underline);
    return font;
}

AlignmentPictures alignmentPictures(int code) {
    static constexpr AlignmentPictures byAlignment[] = {{13, 11, 12}, {10, 11, 15}, {10, 14, 12}};
    Q_ASSERT(code >= 0 && code < 3);
    return byAlignment[code];
}

} // namespace quillet
