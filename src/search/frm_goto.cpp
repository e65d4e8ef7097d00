#include "search/frm_goto.h"

#include "platform/program_constants.h"

#include "editing/editor_window.h"
#include "editing/textblock.h"
#include "platform/platform.h"
#include "search/char_number.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

namespace quillet {

FrmGoTo::FrmGoTo(const EditorWindow& owner, const SearchMemory& memory)
    : MainWindowDialog(owner, memory, QStringLiteral("FrmGoTo")) {
    setWindowTitle(QStringLiteral("Переход"));

    Label1 = new QLabel(QStringLiteral("Номер символа:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    TG1 = new QLineEdit(this);
    TG1->setObjectName(QStringLiteral("TG1"));
    Label1->setBuddy(TG1);
    Command1 = new QPushButton(QStringLiteral("&Перейти"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("&Отмена"), this);
    Command2->setObjectName(QStringLiteral("Command2"));

    fixClientAreaInTwips(this, 3975, 1335);
    placeInTwips(Label1, 120, 240, 1335, 255);
    placeInTwips(TG1, 1560, 240, 2295, 285);
    placeInTwips(Command1, 1320, 840, 1215, 375);
    placeInTwips(Command2, 2640, 840, 1215, 375);
    fitCaptionsToFont(this);

    setTabOrder(TG1, Command1);
    setTabOrder(Command1, Command2);

    connect(TG1, &QLineEdit::textChanged, this, &FrmGoTo::TG1_Change);
    connect(Command1, &QPushButton::clicked, this, &FrmGoTo::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmGoTo::Command2_Click);

    Form_Load();
    TG1->setFocus();
}

void FrmGoTo::Form_Load() {
    TG1->setText(memory_.GoToTemp.isEmpty() ? QStringLiteral("1") : memory_.GoToTemp);
    TG1_Change();
    TG1->selectAll();
}

void FrmGoTo::TG1_Change() {
    Command1->setEnabled(!TG1->text().isEmpty());
}

void FrmGoTo::Command1_Click() {
    const std::optional<Failure> failure = trapFailure([this] {
        const ParsedNumber number = parseCharacterNumber(TG1->text(), QLocale());
        if (number.status == ParsedNumber::Status::NotANumber)
            throw Failure(err::TypeMismatch, QStringLiteral("Type mismatch"));
        if (number.status == ParsedNumber::Status::TooLarge)
            throw Failure(err::Overflow, QStringLiteral("Overflow"));
        const std::optional<std::int32_t> position = caretPositionFor(number.value);
        if (!position)
            throw Failure(err::Overflow, QStringLiteral("Overflow"));

        // A negative position is refused here with failure 380; one past the end
        // leaves the caret at the end with nothing to select.
        owner_.editor.setSelStart(*position);
        selectCharacterAtCaret(owner_.editor);
        accept();
    });
    if (failure)
        reactToFailure(*failure);
}

void selectCharacterAtCaret(TextBlock& text) {
    text.setSelLength(1);
    // A line break is one character on the screen but two (CR and LF) in the
    // text, and the editor has no place between them: selecting one half selects
    // nothing visible. The break is then selected as a whole, from either half,
    // so the user sees where the number led and typing replaces the whole break
    // rather than leaving half of one behind.
    if (text.selLength() == 0 && text.selStart() < text.textLength())
        text.setSelLength(2);
}

void FrmGoTo::Command2_Click() {
    reject();
}

void FrmGoTo::reactToFailure(const Failure& failure) {
    recordFailure(failure);
    switch (failure.number()) {
    case err::Overflow:
        warn(QStringLiteral("Значение слишком велико."));
        offerTextAgain();
        break;
    case err::TypeMismatch:
        warn(QStringLiteral("Неверное значение.") + CRLF +
             QStringLiteral("Необходимо вводить только цифры."));
        offerTextAgain();
        break;
    case err::InvalidPropertyValue: {
        const int end = owner_.editor.textLength();
        owner_.editor.setSelection(end, end);
        accept();
        break;
    }
    default:
        warn(QStringLiteral("Переход на указанный символ невозможен.") + CRLF +
             QStringLiteral("Произошла неизвестная ошибка."));
        offerTextAgain();
        break;
    }
}

void FrmGoTo::warn(const QString& text) {
    owner_.platform.messageBox(
        {text, ProgramName, MsgIcon::Exclamation, MsgButtons::Ok, answer::Ok}, this);
}

void FrmGoTo::offerTextAgain() {
    TG1->selectAll();
    TG1->setFocus();
}

GoToChoice FrmGoTo::choice() const {
    return {TG1->text()};
}

} // namespace quillet
