#include "platform/font_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {

namespace {

// Size the picker falls back to when it is offered no usable size.
constexpr double FallbackPointSize = 10;

QFont fontOf(const FontChoice& choice) {
    QFont font(choice.name);
    font.setPointSizeF(choice.pointSize > 0 ? choice.pointSize : FallbackPointSize);
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    font.setUnderline(choice.underline);
    font.setStrikeOut(choice.strikethrough);
    return font;
}

} // namespace

FontDialog::FontDialog(const FontChoice& initial, QWidget* owner)
    : QDialog(owner), initial_(initial), color_(initial.color) {
    setObjectName(QStringLiteral("FontDialog"));
    setWindowTitle(QStringLiteral("Шрифт"));

    picker_ = new QFontDialog(this);
    picker_->setObjectName(QStringLiteral("FontPicker"));
    picker_->setWindowFlags(Qt::Widget);
    picker_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    picker_->setCurrentFont(fontOf(initial));
    offered_ = picker_->currentFont();
    // Escape inside the picker closes the picker itself: let it close the window.
    connect(picker_, &QDialog::rejected, this, &QDialog::reject);

    colorButton_ = new QPushButton(QStringLiteral("Цвет..."), this);
    colorButton_->setObjectName(QStringLiteral("ColorButton"));
    connect(colorButton_, &QPushButton::clicked, this, &FontDialog::chooseColor);
    setColor(initial.color.isValid() ? initial.color : QColor(Qt::black));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("ОК"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OkButton"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(colorButton_);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picker_, 1);
    layout->addLayout(bottom);
}

void FontDialog::setColor(const QColor& color) {
    if (!color.isValid())
        return;
    color_ = color;
    QPixmap swatch(16, 16);
    swatch.fill(color);
    colorButton_->setIcon(QIcon(swatch));
}

void FontDialog::chooseColor() {
    const QColor chosen = QColorDialog::getColor(color_, this, QStringLiteral("Цвет"));
    if (chosen.isValid())
        setColor(chosen);
}

FontChoice FontDialog::choice() const {
    const QFont font = picker_->currentFont();
    FontChoice result = initial_;
    if (font.family() != offered_.family() || initial_.name.isEmpty())
        result.name = font.family();
    if (font.pointSizeF() != offered_.pointSizeF() || initial_.pointSize <= 0)
        result.pointSize = font.pointSizeF();
    if (font.bold() != offered_.bold())
        result.bold = font.bold();
    if (font.italic() != offered_.italic())
        result.italic = font.italic();
    result.underline = font.underline();
    result.strikethrough = font.strikeOut();
    result.color = color_;
    return result;
}

std::optional<FontChoice> runFontDialog(const FontChoice& initial, QWidget* owner) {
    FontDialog dialog(initial, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

} // namespace quillet
