#pragma once

// What the Find and Replace windows share: the search text box and its two
// buttons, the search of the working copy, the "not found" question and the twips
// layout. The windows start from the search memory they are given and, once
// closed, report what the user chose; the caller keeps it.

#include "documents/working_copy.h"
#include "editing/editor_window.h"
#include "platform/failure.h"
#include "search/matching.h"
#include "search/search_memory.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quillet {

// Places a control by its rectangle in twips.
void placeInTwips(QWidget* control, int left, int top, int width, int height);
// Gives a window a fixed (not resizable) client area in twips and a dialog frame.
void fixClientAreaInTwips(QDialog* dialog, int width, int height);
// Widens a twips layout, all across by one factor, where a caption (label, check
// box, button) does not fit the width it was given in the current font; the
// window's width grows with it. Returns the factor applied (1 when all fit).
double fitCaptionsToFont(QDialog* dialog);

// The base of a modal window of the main window that works on its editor and
// starts from what the search memory holds.
class MainWindowDialog : public QDialog {
    Q_OBJECT
protected:
    MainWindowDialog(const EditorWindow& owner, const SearchMemory& memory,
                     const QString& formName);
    // Records a trapped failure with the window's name.
    void recordFailure(const Failure& failure);

    const EditorWindow owner_;
    // The search memory as it was when the window opened.
    const SearchMemory memory_;
    const QString formName_;
};

class SearchDialog : public MainWindowDialog {
    Q_OBJECT
public:
    QLabel* Label1 = nullptr;
    QLineEdit* TF1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    QString SearchText;
    quillet::SearchOptions SearchOptions;
    std::int16_t FoundPos = -1;
    // The plain copy of the document the search runs in, made afresh before every
    // search, so positions found in it are positions in the editor.
    WorkingCopy RTFBlock;

    void TF1_Change();
    void Command1_Click();
    void Command2_Click();
    void InitRtfText();

protected:
    SearchDialog(const EditorWindow& owner, const SearchMemory& memory, const QString& formName,
                 const QString& caption, const QString& searchLabel, const QString& goCaption);
    // Opening: continue after the editor's selection with the last search text,
    // or start from the top with the sample text.
    void loadSearchText();
    // What a hit does once it is found at pos (SearchText is its text).
    virtual void actOnHit(int pos) = 0;

    // Where the next search starts.
    std::int32_t position_ = 0;
};

} // namespace quillet
