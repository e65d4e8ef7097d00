// The File menu and the start-up as the window wires them to the document
// session: the check marks of the opening options, the recent document's item,
// the file-type filter's item, closing with unsaved changes, printing from the
// command line; and Find, Go to and Replace over documents read from files (a
// long line the reading cut into paragraphs, every byte value). What the
// session itself does is tested in tests/session.

#include "documents/cp1251.h"
#include "documents/line_breaks.h"
#include "support/harness.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace quillet::test {
namespace {

class DocumentCommands : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Harness h;

    void SetUp() override { h.load(); }
    void TearDown() override { EXPECT_EQ(h.platform.unusedAnswers(), 0); }

    FrmMain& w() { return *h.window; }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString openFile(const QString& name, const QByteArray& bytes) {
        const QString p = path(name);
        writeFile(p, bytes);
        h.platform.answerOpen(p);
        w().mnuOpen_Click();
        return p;
    }
};

TEST_F(DocumentCommands, EncodingChoicesActLikeRadioButtons) {
    struct Case {
        void (FrmMain::*click)();
        bool win, dos, koi;
    };
    const Case cases[] = {
        {&FrmMain::mnuCodeDos_Click, false, true, false},
        {&FrmMain::mnuCodeDos_Click, false, true, false}, // clicking the checked one
        {&FrmMain::mnuCodeKoi_Click, false, false, true},
        {&FrmMain::mnuCodeWin_Click, true, false, false},
        {&FrmMain::mnuCodeWin_Click, true, false, false},
    };
    for (const Case& c : cases) {
        w().options().UserChangeOptions = false;
        (w().*c.click)();
        EXPECT_EQ(w().menus().mnuCodeWin->isChecked(), c.win);
        EXPECT_EQ(w().menus().mnuCodeDos->isChecked(), c.dos);
        EXPECT_EQ(w().menus().mnuCodeKoi->isChecked(), c.koi);
        EXPECT_TRUE(w().options().UserChangeOptions);
    }
}

TEST_F(DocumentCommands, OptionItemsInvertTheirChecksAndTheOptions) {
    struct Case {
        QAction* MenuTree::*item;
        bool Options::*option;
    };
    const Case cases[] = {
        {&MenuTree::mnuLenEn, &Options::LenEn},
        {&MenuTree::mnuLimFileType, &Options::LimType},
        {&MenuTree::mnuSetChars, &Options::SetChars},
    };
    for (int i = 0; i < 2; ++i) {
        for (const Case& c : cases) {
            QAction* item = w().menus().*c.item;
            const bool checked = item->isChecked();
            ASSERT_EQ(w().options().*c.option, checked) << item->objectName().toStdString();
            w().options().UserChangeOptions = false;
            item->trigger(); // through the menu, as a click
            EXPECT_EQ(item->isChecked(), !checked) << item->objectName().toStdString();
            EXPECT_EQ(w().options().*c.option, !checked) << item->objectName().toStdString();
            EXPECT_TRUE(w().options().UserChangeOptions);
        }
    }
    // The window's layout takes the filter's check into LimType.
    w().ArrangeWindow();
    EXPECT_EQ(w().options().LimType, w().menus().mnuLimFileType->isChecked());
}

TEST_F(DocumentCommands, TheRecentDocumentsItem) {
    // Offered with its path, a single '&' doubled so it is not a shortcut mark.
    const QString p = path(QStringLiteral("A & B.txt"));
    writeFile(p, "x");
    w().document().RecentFileString = p;
    w().mnuFile_Click();
    EXPECT_TRUE(w().menus().mnuRecentWin->menuAction()->isEnabled());
    EXPECT_EQ(w().menus().mnuRecent->text(), path(QStringLiteral("A && B.txt")));
    w().mnuRecent_Click();
    EXPECT_EQ(w().document().CommonFileName, p);
    EXPECT_EQ(w().windowTitle(), QStringLiteral("A & B - Квиллет"));

    // One that cannot be read is no longer offered.
    w().document().RecentFileString = path(QStringLiteral("gone.txt"));
    w().mnuRecent_Click();
    w().mnuFile_Click();
    EXPECT_FALSE(w().menus().mnuRecentWin->menuAction()->isEnabled());
}

TEST_F(DocumentCommands, TheFileTypeFilterCanBeSwitchedOnlyForAnUntitledDocument) {
    w().mnuFile_Click();
    EXPECT_TRUE(w().menus().mnuLimFileType->isEnabled());
    openFile(QStringLiteral("a.txt"), "x");
    w().mnuFile_Click();
    EXPECT_FALSE(w().menus().mnuLimFileType->isEnabled());
    w().mnuNew_Click();
    w().mnuFile_Click();
    EXPECT_TRUE(w().menus().mnuLimFileType->isEnabled());
}

// The window stays open while the document's changes are not settled.
TEST_F(DocumentCommands, ClosingWaitsForTheChangesToBeSettled) {
    w().textBlock()->replaceSelection(QStringLiteral("unsaved work"));
    h.platform.answerMessage(answer::Yes);
    h.platform.answerSave(std::nullopt);
    EXPECT_FALSE(h.close());
    EXPECT_FALSE(w().options().UnloadOk);
    EXPECT_EQ(w().textBlock()->text(), QStringLiteral("unsaved work"));

    w().options().DisableSaveFile = true;
    h.platform.answerMessage(answer::Yes);
    EXPECT_FALSE(h.close());
    EXPECT_FALSE(w().options().UnloadOk);

    w().options().DisableSaveFile = false;
    h.platform.answerMessage(answer::Yes);
    h.platform.answerSave(path(QStringLiteral("kept.txt")));
    EXPECT_TRUE(h.close());
    EXPECT_EQ(readFile(path(QStringLiteral("kept.txt"))), QByteArray("unsaved work\r\n"));
}

// A UTF-8 file named on the command line opens as UTF-8 without a question,
// printed or not.
TEST_F(DocumentCommands, AUtf8FileFromTheCommandLineOpensWithoutAQuestion) {
    const QString russian = QStringLiteral("Печать: ёлка");
    writeFile(path("u.txt"), russian.toUtf8());
    for (const char* sw : {" /P", ""}) {
        Harness other;
        other.load(path("u.txt") + QLatin1String(sw));
        EXPECT_TRUE(other.platform.messages().empty()) << sw;
        EXPECT_EQ(other->textBlock()->text(), russian) << sw;
    }
}

TEST_F(DocumentCommands, FindAndGoToReachAcrossTheCutsOfALongLine) {
    QString line;
    for (int i = 0; line.size() < 30000; ++i)
        line += QStringLiteral("слово%1 ").arg(i);
    openFile(QStringLiteral("line.txt"), encodeCp1251(line) + "\r\n");
    TextBlock& tb = *w().textBlock();
    ASSERT_GT(tb.document()->blockCount(), 3);

    // Find a phrase that spans the first cut.
    const int cut = tb.document()->findBlockByNumber(1).position() - 1;
    const QString phrase = line.mid(cut - 5, 10);
    h.platform.answerDialog([&](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("TF1"))->setText(phrase);
        d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        return 0;
    });
    w().mnuFind_Click();
    EXPECT_EQ(tb.selStart(), cut - 5);
    EXPECT_EQ(tb.selLength(), 10);
    EXPECT_EQ(tb.selText(), phrase);

    // Go to a character past the third cut.
    const int third = tb.document()->findBlockByNumber(3).position() - 3;
    h.platform.answerDialog([&](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("TG1"))->setText(QString::number(third + 2));
        d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        return 0;
    });
    w().mnuGoTo_Click();
    EXPECT_EQ(tb.selStart(), third + 1);
    EXPECT_EQ(tb.selText(), line.mid(third + 1, 1));
}

// Replace works on its own copy of the text: every other byte of the file comes
// back as it was.
TEST_F(DocumentCommands, ReplaceKeepsEveryOtherByte) {
    QByteArray body;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r')
            body += static_cast<char>(b);
    }
    body += "\r\n";
    const QString p = openFile(QStringLiteral("bytes.txt"),
                               body + encodeCp1251(QStringLiteral("слово конец\r\n")));
    h.platform.answerDialog([](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("TF1"))->setText(QStringLiteral("слово"));
        d.findChild<QLineEdit*>(QStringLiteral("TF2"))->setText(QStringLiteral("дело"));
        d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        return 0;
    });
    w().mnuRepl_Click();
    w().mnuSave_Click();
    EXPECT_EQ(readFile(p).toHex(' '),
              (body + encodeCp1251(QStringLiteral("дело конец\r\n"))).toHex(' '));
}

} // namespace
} // namespace quillet::test
