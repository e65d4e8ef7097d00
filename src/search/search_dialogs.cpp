#include "search/search_dialogs.h"

#include "editing/editor_window.h"
#include "editing/textblock.h"
#include "platform/platform.h"
#include "platform/program_constants.h"
#include "platform/screen_font.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <new>

namespace quillet {

namespace {
// The search text offered when there is no earlier one.
const QString SampleText = QStringLiteral("Образец");
// Hit positions are held in 16 bits.
constexpr int LargestHitPosition = 32767;
} // namespace

void placeInTwips(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
                         height / TwipsPerPixel);
}

void fixClientAreaInTwips(QDialog* dialog, int width, int height) {
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    dialog->setFixedSize(width / TwipsPerPixel, height / TwipsPerPixel);
    dialog->setSizeGripEnabled(false);
}

double fitCaptionsToFont(QDialog* dialog) {
    // The twips rectangles leave room for a small narrow font; the desktop's
    // font is usually wider, and a clipped caption cannot be read.
    const QList<QWidget*> controls = dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    double factor = 1.0;
    for (QWidget* control : controls) {
        const bool hasCaption = qobject_cast<QLabel*>(control) ||
                                qobject_cast<QCheckBox*>(control) ||
                                qobject_cast<QPushButton*>(control);
        if (!hasCaption || control->width() <= 0)
            continue;
        factor = std::max(factor, static_cast<double>(control->sizeHint().width()) /
                                      static_cast<double>(control->width()));
    }
    if (factor <= 1.0)
        return 1.0;
    const auto scaled = [factor](int x) { return static_cast<int>(std::ceil(x * factor)); };
    for (QWidget* control : controls) {
        const QRect r = control->geometry();
        const int left = scaled(r.left());
        control->setGeometry(left, r.top(), scaled(r.left() + r.width()) - left, r.height());
    }
    dialog->setFixedSize(scaled(dialog->width()), dialog->height());
    return factor;
}

// ---- MainWindowDialog -------------------------------------------------------

MainWindowDialog::MainWindowDialog(const EditorWindow& owner, const SearchMemory& memory,
                                   const QString& formName)
    : QDialog(owner.owner), owner_(owner), memory_(memory), formName_(formName) {
    setObjectName(formName);
    setModal(true);
}

void MainWindowDialog::recordFailure(const Failure& failure) {
    owner_.failures.record(failure, formName_);
}

// ---- SearchDialog -----------------------------------------------------------

SearchDialog::SearchDialog(const EditorWindow& owner, const SearchMemory& memory,
                           const QString& formName, const QString& caption,
                           const QString& searchLabel, const QString& goCaption)
    : MainWindowDialog(owner, memory, formName) {
    setWindowTitle(caption);

    Label1 = new QLabel(searchLabel, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    TF1 = new QLineEdit(this);
    TF1->setObjectName(QStringLiteral("TF1"));
    Label1->setBuddy(TF1);
    Command1 = new QPushButton(goCaption, this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("&Отмена"), this);
    Command2->setObjectName(QStringLiteral("Command2"));

    connect(TF1, &QLineEdit::textChanged, this, &SearchDialog::TF1_Change);
    connect(Command1, &QPushButton::clicked, this, &SearchDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &SearchDialog::Command2_Click);
}

void SearchDialog::loadSearchText() {
    if (!memory_.FindReplaceTemp.isEmpty()) {
        position_ = owner_.editor.selStart() + owner_.editor.selLength();
        TF1->setText(memory_.FindReplaceTemp);
    } else {
        position_ = 0;
        TF1->setText(SampleText);
    }
    TF1_Change();
}

void SearchDialog::TF1_Change() {
    Command1->setEnabled(!TF1->text().isEmpty());
}

void SearchDialog::Command1_Click() {
    const std::optional<Failure> failure = trapFailure([this] {
        // A changed search text starts at the top of the document.
        if (memory_.FindReplaceTemp != TF1->text())
            position_ = 0;
        SearchText = TF1->text();

        InitRtfText();
        const qsizetype hit = findText(RTFBlock.text, SearchText, position_, SearchOptions);
        if (hit > LargestHitPosition)
            throw Failure(err::Overflow, QStringLiteral("Overflow"));
        FoundPos = static_cast<std::int16_t>(hit);

        if (FoundPos != -1) {
            actOnHit(FoundPos);
            return;
        }

        position_ = 0;
        const int reply = owner_.platform.messageBox(
            {QStringLiteral("Текст не найден.") + CRLF + QStringLiteral("Продолжить?"), ProgramName,
             MsgIcon::Information, MsgButtons::YesNo, answer::Yes},
            this);
        if (reply == answer::Yes) {
            TF1->selectAll();
            TF1->setFocus();
        } else {
            reject();
        }
    });
    if (failure)
        recordFailure(*failure);
}

void SearchDialog::Command2_Click() {
    reject();
}

void SearchDialog::InitRtfText() {
    RTFBlock.text = owner_.editor.text();
    RTFBlock.selStart = 0;
    RTFBlock.selLength = static_cast<int>(RTFBlock.text.size());
    RTFBlock.alignment = 0;
    // Plain text in the design font: nothing of the editor's formatting.
    RTFBlock.font = QFont(DesignFontName);
    RTFBlock.font.setPointSizeF(8.25);
}

} // namespace quillet
