#include "format/font_dialog.h"

#include <QFontDialog>

namespace quillet {

std::optional<FontChoice> runFontDialog(const FontChoice& initial, QWidget* owner) {
    QFont font(initial.name);
    font.setPointSizeF(initial.pointSize > 0 ? initial.pointSize : 10);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    font.setUnderline(initial.underline);
    font.setStrikeOut(initial.strikethrough);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, owner, QStringLiteral("Шрифт"));
    if (!ok)
        return std::nullopt;
    FontChoice result = initial;
    result.name = chosen.family();
    result.pointSize = chosen.pointSizeF();
    result.bold = chosen.bold();
    result.italic = chosen.italic();
    result.underline = chosen.underline();
    result.strikethrough = chosen.strikeOut();
    return result;
}

} // namespace quillet
