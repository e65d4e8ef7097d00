#pragma once

#include "search/search_dialogs.h"

namespace quillet {

// "Переход": moves the caret to a character given by its number, counted from 1
// over the whole text (line breaks included), and selects that character. The
// number is not checked beforehand: reading it and placing the caret may fail,
// and the failure's number decides what happens.
class TextBlock;

// Selects the character at the caret; a line break, which cannot be split, is
// selected whole from either of its two positions.
void selectCharacterAtCaret(TextBlock& text);

class FrmGoTo : public MainWindowDialog {
    Q_OBJECT
public:
    FrmGoTo(const EditorWindow& owner, const SearchMemory& memory);

    // The number the window holds now, for the caller to keep once it closed.
    GoToChoice choice() const;

    QLabel* Label1 = nullptr;
    QLineEdit* TG1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    void TG1_Change();
    void Command1_Click();
    void Command2_Click();

    // Records a failure of the go step and reacts to it by its number: 6 and 13
    // explain and keep the window open, 380 (a position before the text) puts the
    // caret at the end and closes, anything else explains and keeps it open.
    void reactToFailure(const Failure& failure);

private:
    void Form_Load();
    void offerTextAgain();
    void warn(const QString& text);
};

} // namespace quillet
