#include "support/harness.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace quillet;
using namespace quillet::test;

namespace {

QString key(const char* k) {
    return QString::fromLatin1(k);
}

// A loaded window with a small document whose effects tell the commands apart:
// "abcd" with "bc" selected, "X" on the clipboard, and a file name to save to
// in a folder of its own.
struct Scene {
    Harness h;
    QTemporaryDir folder;
    // The search text a search window offered when it opened.
    QString offeredSearch;

    Scene() {
        h.load();
        h->textBlock()->setText(QStringLiteral("abcd"));
        h->textBlock()->setSelection(1, 3);
        QGuiApplication::clipboard()->setText(QStringLiteral("X"));
        h->document().CommonFileName = path("doc.txt");
        h->document().FileExist = true;
        h->document().NewDoc = false;
        h->document().TextChange = false;
        h->options().UserChangeOptions = false;
        // An earlier search: Find Next would offer it, Find starts afresh.
        h->searchMemory().FindReplaceTemp = QStringLiteral("b");
    }

    QString path(const char* name) const { return QDir(folder.path()).filePath(key(name)); }
};

// Everything a command could change that the user can see or that is kept:
// two runs that leave equal observations did the same thing.
std::vector<std::string> observe(Scene& s) {
    FrmMain& w = *s.h.window;
    std::vector<std::string> seen;
    const auto add = [&](const char* what, const QString& value) {
        seen.push_back(std::string(what) + "=" + value.toStdString());
    };
    add("text", w.textBlock()->text());
    add("selection",
        QStringLiteral("%1+%2").arg(w.textBlock()->selStart()).arg(w.textBlock()->selLength()));
    add("clipboard", QGuiApplication::clipboard()->text());
    add("caption", w.windowTitle());
    add("flags", QStringLiteral("changed %1 new %2 exists %3 options %4")
                     .arg(w.document().TextChange)
                     .arg(w.document().NewDoc)
                     .arg(w.document().FileExist)
                     .arg(w.options().UserChangeOptions));
    add("alignment",
        QStringLiteral("%1/%2").arg(w.options().TextAlign).arg(w.textBlock()->alignmentCode()));
    QFile saved(s.path("doc.txt"));
    add("saved file", saved.open(QIODevice::ReadOnly) ? QString::fromLatin1(saved.readAll())
                                                      : QStringLiteral("<none>"));
    add("printed",
        QStringLiteral("%1 %2").arg(s.h.platform.printJobs).arg(s.h.platform.lastPrintedText));
    add("search", s.h->searchMemory().FindReplaceTemp + QLatin1Char('/') + s.offeredSearch);
    for (const Shown& shown : s.h.platform.shown)
        add("shown", shown.kind + QLatin1Char(' ') + shown.text);
    return seen;
}

void press(Scene& s, const char* k) {
    // The buttons are offered as the tick would offer them for this document.
    s.h->UpdateToolbarButtons();
    QToolButton* button = toolbarButton(*s.h->toolbar(), key(k));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    button->click();
}

void choose(Scene& s, QAction* MenuTree::*item) {
    // A menu item is offered as its menu offers it when it opens.
    s.h->UpdateEditMenu();
    QAction* action = s.h->menus().*item;
    ASSERT_TRUE(action->isEnabled()) << action->objectName().toStdString();
    action->trigger();
}

struct Case {
    const char* key;
    // The menu items the button stands for, chosen in this order; none for the
    // alignment buttons, which have no menu item.
    std::vector<QAction * MenuTree::*> menuItems;
    // Answers to what the command will ask.
    std::function<void(Scene&)> script;
    // What the command did: checked on the pressed run, so that two runs that
    // both did nothing cannot pass.
    std::function<void(Scene&)> effect;
};

const auto nothingAsked = [](Scene&) {};

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"NewBtn",
         {&MenuTree::mnuNew},
         nothingAsked,
         [](Scene& s) {
             EXPECT_EQ(s.h->textBlock()->text(), QString());
             EXPECT_TRUE(s.h->document().NewDoc);
             EXPECT_FALSE(s.h->document().FileExist);
         }},
        {"OpenBtn",
         {&MenuTree::mnuOpen},
         [](Scene& s) {
             writeFile(s.path("in.txt"), "from disk\r\nsecond line");
             s.h.platform.answerOpen(s.path("in.txt"));
         },
         [](Scene& s) {
             ASSERT_FALSE(s.h.platform.shown.empty());
             EXPECT_EQ(s.h.platform.shown[0].kind, QStringLiteral("open"));
             EXPECT_EQ(s.h->textBlock()->text(), QStringLiteral("from disk\r\nsecond line"));
         }},
        {"SaveBtn",
         {&MenuTree::mnuSave},
         nothingAsked,
         [](Scene& s) { EXPECT_TRUE(readFile(s.path("doc.txt")).startsWith("abcd")); }},
        {"PrintBtn",
         {&MenuTree::mnuPrint},
         nothingAsked,
         [](Scene& s) {
             EXPECT_EQ(s.h.platform.printJobs, 1);
             EXPECT_EQ(s.h.platform.lastPrintedText, QStringLiteral("abcd"));
         }},
        {"CutBtn",
         {&MenuTree::mnuCut},
         nothingAsked,
         [](Scene& s) {
             EXPECT_EQ(s.h->textBlock()->text(), QStringLiteral("ad"));
             EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("bc"));
         }},
        {"CopyBtn",
         {&MenuTree::mnuCopy},
         nothingAsked,
         [](Scene& s) {
             EXPECT_EQ(s.h->textBlock()->text(), QStringLiteral("abcd"));
             EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("bc"));
         }},
        {"PasteBtn",
         {&MenuTree::mnuPaste},
         nothingAsked,
         [](Scene& s) { EXPECT_EQ(s.h->textBlock()->text(), QStringLiteral("aXd")); }},
        {"FindBtn",
         {&MenuTree::mnuFind},
         [](Scene& s) {
             // Look for "c" and close the window.
             s.h.platform.answerDialog([&s](QDialog& dialog) {
                 auto* text = dialog.findChild<QLineEdit*>(QStringLiteral("TF1"));
                 auto* go = dialog.findChild<QPushButton*>(QStringLiteral("Command1"));
                 if (!text || !go)
                     return int(QDialog::Rejected);
                 s.offeredSearch = text->text();
                 text->setText(QStringLiteral("c"));
                 go->click();
                 return int(QDialog::Rejected);
             });
         },
         [](Scene& s) {
             ASSERT_FALSE(s.h.platform.shown.empty());
             EXPECT_EQ(s.h.platform.shown[0].kind, QStringLiteral("dialog"));
             EXPECT_EQ(s.h.platform.shown[0].text, QStringLiteral("FrmFind"));
             EXPECT_NE(s.offeredSearch, QStringLiteral("b"));
             EXPECT_EQ(s.h->textBlock()->selStart(), 2);
             EXPECT_EQ(s.h->textBlock()->selLength(), 1);
         }},
        {"CopyAllBtn",
         {&MenuTree::mnuSelAll, &MenuTree::mnuCopy},
         nothingAsked,
         [](Scene& s) {
             EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("abcd"));
             EXPECT_EQ(s.h->textBlock()->selStart(), 0);
             EXPECT_EQ(s.h->textBlock()->selLength(), 4);
         }},
        // The alignment codes: 0 left, 1 right, 2 centre; the active alignment's
        // button shows its highlighted picture (13 to 15).
        {"LeftBtn",
         {},
         [](Scene& s) { s.h->options().TextAlign = 1; },
         [](Scene& s) {
             EXPECT_EQ(s.h->options().TextAlign, 0);
             EXPECT_EQ(s.h->textBlock()->alignmentCode(), 0);
             EXPECT_TRUE(s.h->options().UserChangeOptions);
             EXPECT_EQ(toolbarEntry(*s.h->toolbar(), key("LeftBtn"))->property("picture").toInt(),
                       13);
         }},
        {"CenterBtn",
         {},
         nothingAsked,
         [](Scene& s) {
             EXPECT_EQ(s.h->options().TextAlign, 2);
             EXPECT_EQ(s.h->textBlock()->alignmentCode(), 2);
             EXPECT_TRUE(s.h->options().UserChangeOptions);
             EXPECT_EQ(toolbarEntry(*s.h->toolbar(), key("CenterBtn"))->property("picture").toInt(),
                       14);
         }},
        {"RightBtn",
         {},
         nothingAsked,
         [](Scene& s) {
             EXPECT_EQ(s.h->options().TextAlign, 1);
             EXPECT_EQ(s.h->textBlock()->alignmentCode(), 1);
             EXPECT_TRUE(s.h->options().UserChangeOptions);
             EXPECT_EQ(toolbarEntry(*s.h->toolbar(), key("RightBtn"))->property("picture").toInt(),
                       15);
         }},
    };
    return all;
}

} // namespace

TEST(ToolbarDispatch, EveryButtonHasACase) {
    Harness h;
    h.create();
    int buttons = 0;
    for (QAction* entry : h->toolbar()->actions()) {
        if (entry->isSeparator())
            continue;
        ++buttons;
        bool covered = false;
        for (const Case& c : cases())
            covered = covered || entry->objectName() == key(c.key);
        EXPECT_TRUE(covered) << entry->objectName().toStdString();
    }
    EXPECT_EQ(buttons, static_cast<int>(cases().size()));
}

TEST(ToolbarDispatch, PressingAButtonDoesWhatItsMenuItemsDo) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.key);
        Scene pressed;
        const std::vector<std::string> before = observe(pressed);
        c.script(pressed);
        press(pressed, c.key);
        c.effect(pressed);
        EXPECT_EQ(pressed.h.platform.unusedAnswers(), 0);
        const std::vector<std::string> afterPress = observe(pressed);
        EXPECT_NE(afterPress, before);

        if (c.menuItems.empty())
            continue;
        Scene chosen;
        c.script(chosen);
        for (QAction* MenuTree::*item : c.menuItems)
            choose(chosen, item);
        EXPECT_EQ(observe(chosen), afterPress);
    }
}

TEST(ToolbarDispatch, SeparatorsDoNothing) {
    Scene s;
    const std::vector<std::string> before = observe(s);
    int separators = 0;
    for (QAction* entry : s.h->toolbar()->actions()) {
        if (!entry->isSeparator())
            continue;
        ++separators;
        SCOPED_TRACE(entry->objectName().toStdString());
        // Clicked with the mouse, triggered, and dispatched by its key.
        if (QWidget* widget = s.h->toolbar()->widgetForAction(entry)) {
            const QPointF at(1, 1);
            QMouseEvent down(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                             Qt::LeftButton, Qt::NoModifier);
            QMouseEvent up(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                           Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(widget, &down);
            QCoreApplication::sendEvent(widget, &up);
        }
        entry->trigger();
        s.h->Toolbar1_ButtonClick(entry->objectName());
        EXPECT_EQ(observe(s), before);
    }
    EXPECT_EQ(separators, 5);
}

TEST(ToolbarDispatch, ButtonsShowTheirPicturesInOrder) {
    // Before the alignment is applied every button shows its plain picture.
    const char* const keys[] = {"NewBtn",     "OpenBtn", "SaveBtn",   "PrintBtn",
                                "CutBtn",     "CopyBtn", "PasteBtn",  "FindBtn",
                                "CopyAllBtn", "LeftBtn", "CenterBtn", "RightBtn"};
    Harness h;
    h.create();
    for (int picture = 1; picture <= 12; ++picture) {
        const char* k = keys[picture - 1];
        SCOPED_TRACE(k);
        QAction* entry = toolbarEntry(*h->toolbar(), key(k));
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->icon().cacheKey(), h->toolbarImages().at(picture - 1).cacheKey());
    }
}
