#pragma once

#include "platform/platform.h"

#include <QDialog>

#include <optional>

class QFontDialog;
class QPushButton;

namespace quillet {

// The program's font dialog: name, size, bold, italic, underline, strikethrough
// and text colour in one window ("Шрифт"). The toolkit's font picker has no
// colour, so it sits inside this window next to a colour button.
class FontDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontDialog(const FontChoice& initial, QWidget* owner = nullptr);

    // What the window shows now. A name, size or style the picker could not show
    // (a font this system lacks, a fractional size, bold in a family without a
    // bold face) stays as offered until the user picks another.
    FontChoice choice() const;
    QColor color() const { return color_; }
    void setColor(const QColor& color);
    QFontDialog* picker() const { return picker_; }

private:
    void chooseColor();

    FontChoice initial_;
    QFontDialog* picker_ = nullptr;
    QPushButton* colorButton_ = nullptr;
    QColor color_;
    // What the picker showed at first: a value still equal to it was not touched.
    QFont offered_;
};

// Shows the font dialog; nothing when it was cancelled.
std::optional<FontChoice> runFontDialog(const FontChoice& initial, QWidget* owner);

} // namespace quillet
