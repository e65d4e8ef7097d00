#pragma once

// Shared helpers of the search tests: the parts of the main window a search
// window is given (an owner, the editor, the platform, a failure recorder) and
// the search memory the main window keeps, with the windows run the way the
// Edit menu runs them.

#include "editing/editor_window.h"
#include "editing/textblock.h"
#include "search/frm_find.h"
#include "search/frm_goto.h"
#include "search/frm_rewrite.h"
#include "search/search_memory.h"
#include "support/recording_failures.h"
#include "support/scripted_platform.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace quillet::test {

inline QLineEdit* field(QDialog& d, const char* name) {
    auto* f = d.findChild<QLineEdit*>(QString::fromLatin1(name));
    EXPECT_NE(f, nullptr) << name;
    return f;
}

inline QPushButton* button(QDialog& d, const char* name) {
    auto* b = d.findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

inline QCheckBox* box(QDialog& d, const char* name) {
    auto* b = d.findChild<QCheckBox*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

// The window is still open: nothing has closed it with done().
inline bool stillOpen(QDialog& d) {
    return d.result() == -1;
}

struct Selection {
    int start;
    int length;
    bool operator==(const Selection&) const = default;
};

inline void PrintTo(const Selection& s, std::ostream* os) {
    *os << "(" << s.start << ", " << s.length << ")";
}

struct SearchBench {
    ScriptedPlatform platform;
    QWidget owner;
    TextBlock editor;
    RecordingFailures failures;
    SearchMemory memory;

    EditorWindow window() { return {&owner, platform, editor, failures}; }

    // Runs a window modally over the editor; once it closed, the memory keeps
    // what the user chose, as the main window does.
    template <typename Dialog> void run() {
        Dialog dialog(window(), memory);
        platform.execDialog(dialog);
        memory.remember(dialog.choice());
    }
    // "Найти..." starts afresh; "Найти далее..." continues with the last text.
    void find() {
        memory.startNewFind();
        run<FrmFind>();
    }
    void findNext() { run<FrmFind>(); }
    void replace() { run<FrmRewrite>(); }
    void goTo() { run<FrmGoTo>(); }

    // A document with the caret at pos.
    void setDocument(const QString& text, int caret = 0) {
        editor.setText(text);
        editor.setSelection(caret, caret);
    }
    Selection selection() const { return {editor.selStart(), editor.selLength()}; }
    // The failure the windows recorded last, if any.
    std::optional<RecordedFailure> reportedFailure() const { return failures.last(); }
};

} // namespace quillet::test
