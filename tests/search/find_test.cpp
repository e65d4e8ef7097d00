#include "search_support.h"

#include "search/frm_find.h"

#include <QTest>

namespace quillet::test {
namespace {

const QString Sample = QStringLiteral("Образец");
const QString NotFound = QStringLiteral("Текст не найден.\r\nПродолжить?");

enum class Open { Find, FindNext };

void open(SearchBench& b, Open how) {
    if (how == Open::Find)
        b.find();
    else
        b.findNext();
}

// Opens the window, types the text (unless none is given), sets the boxes that
// are given and clicks "Найти".
void search(SearchBench& b, Open how, std::optional<QString> text = std::nullopt,
            std::optional<bool> wholeWord = std::nullopt,
            std::optional<bool> matchCase = std::nullopt) {
    b.platform.answerDialog([=](QDialog& d) {
        if (text)
            field(d, "TF1")->setText(*text);
        if (wholeWord)
            box(d, "Check1")->setChecked(*wholeWord);
        if (matchCase)
            box(d, "Check2")->setChecked(*matchCase);
        button(d, "Command1")->click();
        return 0;
    });
    open(b, how);
}

void expectNotFoundQuestion(const Shown& m) {
    EXPECT_EQ(m.text, NotFound);
    EXPECT_EQ(m.title, QStringLiteral("Квиллет"));
    EXPECT_EQ(m.icon, MsgIcon::Information);
    EXPECT_EQ(m.buttons, MsgButtons::YesNo);
}

TEST(Find, EveryFindOffersTheSampleFromTheTop) {
    struct Case {
        const char* name;
        std::function<void(SearchBench&)> before;
    };
    const Case cases[] = {
        {"start-up", [](SearchBench&) {}},
        {"after a hit",
         [](SearchBench& b) {
             search(b, Open::Find, QStringLiteral("кот"));
             ASSERT_EQ(b.selection(), (Selection{4, 3}));
         }},
        {"after a cancelled Find Next with a typed text",
         [](SearchBench& b) {
             b.platform.answerDialog([](QDialog& d) {
                 field(d, "TF1")->setText(QStringLiteral("пёс"));
                 button(d, "Command2")->click();
                 return 0;
             });
             b.findNext();
             ASSERT_EQ(b.memory.FindReplaceTemp, QStringLiteral("пёс"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SearchBench b;
        b.setDocument(QStringLiteral("Два кота и кот"), 6);
        c.before(b);
        b.editor.setSelection(6, 8);
        b.platform.answerDialog([&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Поиск текста"));
            EXPECT_EQ(field(d, "TF1")->text(), Sample);
            EXPECT_EQ(field(d, "TF1")->selectedText(), Sample);
            EXPECT_TRUE(button(d, "Command1")->isEnabled());
            EXPECT_EQ(static_cast<FrmFind&>(d).choice().nextPosition, 0);
            button(d, "Command2")->click();
            return 0;
        });
        b.find();
        EXPECT_EQ(b.platform.unusedAnswers(), 0);
    }
}

TEST(Find, FindNextAtStartUpBehavesLikeFind) {
    for (Open how : {Open::Find, Open::FindNext}) {
        SearchBench b;
        b.setDocument(QStringLiteral("Образец и образец"), 12);
        b.platform.answerDialog([&](QDialog& d) {
            EXPECT_EQ(field(d, "TF1")->text(), Sample);
            EXPECT_EQ(static_cast<FrmFind&>(d).choice().nextPosition, 0);
            button(d, "Command1")->click();
            EXPECT_FALSE(stillOpen(d));
            return 0;
        });
        open(b, how);
        EXPECT_EQ(b.selection(), (Selection{0, 7})) << (how == Open::Find ? "Find" : "Next");
        EXPECT_EQ(b.memory.FindReplacePos, 7);
        EXPECT_EQ(b.memory.FindReplaceTemp, Sample);
    }
}

TEST(Find, FindNextWalksTheHitsOneByOne) {
    SearchBench b;
    b.setDocument(QStringLiteral("кот и Кот\r\nи КОТ"), 5);
    search(b, Open::Find, QStringLiteral("кот"));
    EXPECT_EQ(b.selection(), (Selection{0, 3}));

    for (const Selection expected : {Selection{6, 3}, Selection{13, 3}}) {
        search(b, Open::FindNext); // the text offered is the last one: Enter
        EXPECT_EQ(b.selection(), expected);
        EXPECT_EQ(b.memory.FindReplacePos, expected.start + 3);
    }
    EXPECT_TRUE(b.platform.messages().empty());

    // Past the last hit: the question, and No closes with the selection kept.
    b.platform.answerMessage(answer::No);
    search(b, Open::FindNext);
    ASSERT_EQ(b.platform.messages().size(), 1u);
    expectNotFoundQuestion(b.platform.messages().back());
    EXPECT_EQ(b.selection(), (Selection{13, 3}));
    EXPECT_EQ(b.memory.FindReplacePos, 0);
    EXPECT_FALSE(b.reportedFailure());
}

TEST(Find, FindNextContinuesAfterWhateverIsSelected) {
    SearchBench b;
    b.setDocument(QStringLiteral("кот кот кот кот"));
    search(b, Open::Find, QStringLiteral("кот"));
    b.editor.setSelection(5, 9); // the user selects across the third hit
    search(b, Open::FindNext);
    EXPECT_EQ(b.selection(), (Selection{12, 3}));
}

TEST(Find, ChangedTextStartsAgainAtTheTop) {
    SearchBench b;
    b.setDocument(QStringLiteral("и кот и кот"));
    search(b, Open::Find, QStringLiteral("кот"));
    EXPECT_EQ(b.selection(), (Selection{2, 3}));
    // Find Next with another text: from the top, so the first "и", not the one
    // after the selected hit.
    search(b, Open::FindNext, QStringLiteral("и"));
    EXPECT_EQ(b.selection(), (Selection{0, 1}));
    // The same text again continues.
    search(b, Open::FindNext);
    EXPECT_EQ(b.selection(), (Selection{6, 1}));
}

TEST(Find, MissThenYesSearchesFromTheTop) {
    SearchBench b;
    b.setDocument(QStringLiteral("кот и кот"));
    search(b, Open::Find, QStringLiteral("кот"));
    b.editor.setSelection(9, 9); // caret at the end

    b.platform.answerMessage(answer::Yes);
    b.platform.answerDialog([&](QDialog& d) {
        button(d, "Command1")->click();
        EXPECT_TRUE(stillOpen(d));
        EXPECT_EQ(static_cast<FrmFind&>(d).choice().nextPosition, 0);
        EXPECT_EQ(field(d, "TF1")->selectedText(), QStringLiteral("кот"));
        EXPECT_EQ(b.selection(), (Selection{9, 0}));
        button(d, "Command1")->click();
        EXPECT_FALSE(stillOpen(d));
        return 0;
    });
    b.findNext();
    ASSERT_EQ(b.platform.messages().size(), 1u);
    expectNotFoundQuestion(b.platform.messages()[0]);
    EXPECT_EQ(b.selection(), (Selection{0, 3}));
    EXPECT_EQ(b.memory.FindReplacePos, 3);
}

TEST(Find, MissThenNoClosesTheWindow) {
    SearchBench b;
    b.setDocument(QStringLiteral("ничего"), 2);
    b.platform.answerMessage(answer::No);
    b.platform.answerDialog([&](QDialog& d) {
        field(d, "TF1")->setText(QStringLiteral("кот"));
        button(d, "Command1")->click();
        EXPECT_EQ(d.result(), QDialog::Rejected);
        return 0;
    });
    b.find();
    EXPECT_EQ(b.selection(), (Selection{2, 0}));
    EXPECT_EQ(b.memory.FindReplaceTemp, QStringLiteral("кот"));
}

TEST(Find, WholeWordAndMatchCase) {
    struct Case {
        const char16_t* document;
        const char16_t* text;
        bool wholeWord;
        bool matchCase;
        int hit; // -1: not found
    };
    const Case cases[] = {
        {u"Ёлка и ёлка", u"ЁЛКА", false, false, 0},
        {u"Ёлка и ёлка", u"ЁЛКА", false, true, -1},
        {u"Ёлка и ёлка", u"ёлка", false, true, 7},
        {u"Ёлочка и ёлка", u"ёл", false, false, 0},
        {u"Ёлочка и ёлка", u"ёл", true, false, -1},
        {u"Ёлочка и ёлка", u"ЁЛКА", true, false, 9},
        {u"Ёлочка и ёлка", u"ЁЛКА", true, true, -1},
        {u"Cat category cat", u"cat", false, false, 0},
        {u"Cat category cat", u"cat", false, true, 4},
        {u"Cat category cat", u"cat", true, true, 13},
        {u"Cat category", u"CAT", true, false, 0},
        {u"category", u"cat", true, false, -1},
    };
    SearchBench b;
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(QString::fromUtf16(c.document).toStdString() + " / " + text.toStdString() +
                     (c.wholeWord ? " whole word" : "") + (c.matchCase ? " match case" : ""));
        b.setDocument(QString::fromUtf16(c.document));
        const size_t questions = b.platform.messages().size();
        if (c.hit < 0)
            b.platform.answerMessage(answer::No);
        search(b, Open::Find, text, c.wholeWord, c.matchCase);
        if (c.hit < 0) {
            EXPECT_EQ(b.platform.messages().size(), questions + 1);
            EXPECT_EQ(b.selection(), (Selection{0, 0}));
        } else {
            EXPECT_EQ(b.platform.messages().size(), questions);
            EXPECT_EQ(b.selection(), (Selection{c.hit, static_cast<int>(text.size())}));
        }
    }
}

// However the window closes, the text and the boxes go back to the main window
// and are offered by the next Find Next.
TEST(Find, ClosingRemembersTextAndBoxes) {
    struct Case {
        const char* name;
        std::function<void(QDialog&)> close;
    };
    const Case cases[] = {
        {"Отмена", [](QDialog& d) { button(d, "Command2")->click(); }},
        {"Esc", [](QDialog& d) { QTest::keyClick(field(d, "TF1"), Qt::Key_Escape); }},
        {"close button", [](QDialog& d) { d.close(); }},
        {"destroyed without closing", [](QDialog&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SearchBench b;
        b.setDocument(QStringLiteral("текст"));
        b.platform.answerDialog([&](QDialog& d) {
            EXPECT_FALSE(box(d, "Check1")->isChecked());
            EXPECT_FALSE(box(d, "Check2")->isChecked());
            field(d, "TF1")->setText(QStringLiteral("набранное"));
            box(d, "Check1")->setChecked(true);
            c.close(d);
            return 0;
        });
        b.find();
        EXPECT_EQ(b.memory.FindReplaceTemp, QStringLiteral("набранное"));
        EXPECT_EQ(b.memory.CheckFindFlag1, 1);
        EXPECT_EQ(b.memory.CheckFindFlag2, 0);

        b.platform.answerDialog([&](QDialog& d) {
            EXPECT_EQ(field(d, "TF1")->text(), QStringLiteral("набранное"));
            EXPECT_EQ(field(d, "TF1")->selectedText(), QStringLiteral("набранное"));
            EXPECT_TRUE(box(d, "Check1")->isChecked());
            EXPECT_FALSE(box(d, "Check2")->isChecked());
            box(d, "Check1")->setChecked(false);
            box(d, "Check2")->setChecked(true);
            c.close(d);
            return 0;
        });
        b.findNext();
        EXPECT_EQ(b.memory.CheckFindFlag1, 0);
        EXPECT_EQ(b.memory.CheckFindFlag2, 1);
        EXPECT_EQ(b.platform.unusedAnswers(), 0);
    }
}

TEST(Find, SearchesTheDocumentAsItIsNow) {
    // The working copy is refreshed before every search: an edit made after the
    // last search is seen.
    SearchBench b;
    b.setDocument(QStringLiteral("раз"));
    b.platform.answerMessage(answer::No);
    search(b, Open::Find, QStringLiteral("два"));
    b.editor.setSelection(3, 3);
    b.editor.replaceSelection(QStringLiteral(" два"));
    b.editor.setSelection(0, 0);
    search(b, Open::FindNext);
    EXPECT_EQ(b.selection(), (Selection{4, 3}));
}

// A hit past position 32767 cannot be held: it is recorded as a failure of the
// window, nothing is selected and the window stays open.
TEST(SearchWindows, HitBeyondSixteenBitsIsAFailure) {
    struct Case {
        const char* form;
        void (SearchBench::*open)();
    };
    const Case cases[] = {{"FrmFind", &SearchBench::find}, {"FrmRewrite", &SearchBench::replace}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        SearchBench b;
        const QString document = QString(32768, u'x') + QStringLiteral(" цель");
        b.setDocument(document);
        b.platform.answerDialog([&](QDialog& d) {
            field(d, "TF1")->setText(QStringLiteral("цель"));
            button(d, "Command1")->click();
            EXPECT_TRUE(stillOpen(d));
            button(d, "Command2")->click();
            return 0;
        });
        (b.*c.open)();
        const auto reported = b.reportedFailure();
        ASSERT_TRUE(reported);
        EXPECT_EQ(reported->number, 6);
        EXPECT_EQ(reported->form, QString::fromLatin1(c.form));
        EXPECT_EQ(b.selection(), (Selection{0, 0}));
        EXPECT_EQ(b.editor.text(), document);
        EXPECT_TRUE(b.platform.messages().empty());
    }
    // At 32767 itself the hit is still found.
    SearchBench b;
    b.setDocument(QString(32766, u'x') + QStringLiteral(" цель"));
    search(b, Open::Find, QStringLiteral("цель"));
    EXPECT_EQ(b.selection(), (Selection{32767, 4}));
    EXPECT_FALSE(b.reportedFailure());
}

TEST(WorkingCopy, HoldsExactlyTheEditorsTextInPlainForm) {
    const QString texts[] = {
        QString(),
        QStringLiteral("Привет"),
        QStringLiteral("a\r\nb\r\n"),
        QStringLiteral("lone\nLF"),
        QStringLiteral("a\u00A0b\u0098c"),
    };
    SearchBench b;
    QFont styled(QStringLiteral("DejaVu Serif"));
    styled.setPointSizeF(20);
    styled.setBold(true);
    styled.setItalic(true);
    styled.setUnderline(true);
    styled.setStrikeOut(true);
    b.editor.setChosenFont(styled);
    b.editor.setAlignmentCode(2);
    for (const QString& text : texts) {
        b.editor.setText(text);
        b.editor.setSelection(1, 2);
        FrmFind dialog(b.window(), b.memory);
        dialog.InitRtfText();
        const WorkingCopy& copy = dialog.RTFBlock;
        EXPECT_EQ(copy.text, text);
        EXPECT_EQ(copy.selStart, 0);
        EXPECT_EQ(copy.selLength, text.size());
        EXPECT_EQ(copy.alignment, 0);
        EXPECT_EQ(copy.font.family(), QStringLiteral("MS Sans Serif"));
        EXPECT_DOUBLE_EQ(copy.font.pointSizeF(), 8.25);
        EXPECT_FALSE(copy.font.bold());
        EXPECT_FALSE(copy.font.italic());
        EXPECT_FALSE(copy.font.underline());
        EXPECT_FALSE(copy.font.strikeOut());
        EXPECT_EQ(b.editor.selStart(), text.isEmpty() ? 0 : 1) << "the editor is untouched";
    }
}

} // namespace
} // namespace quillet::test
