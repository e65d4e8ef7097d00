#include "search_support.h"

#include "search/frm_find.h"

#include <QTest>

namespace quillet::test {
namespace {

const QString Sample = QStringLiteral("Образец");
const QString NotFound = QStringLiteral("Текст не найден.\r\nПродолжить?");

enum class Open { Find, FindNext };

void open(Harness& h, Open how) {
    if (how == Open::Find)
        h->mnuFind_Click();
    else
        h->mnuFindNext_Click();
}

// Opens the window, types the text (unless none is given), sets the boxes that
// are given and clicks "Найти".
void search(Harness& h, Open how, std::optional<QString> text = std::nullopt,
            std::optional<bool> wholeWord = std::nullopt,
            std::optional<bool> matchCase = std::nullopt) {
    h.platform.answerDialog([=](QDialog& d) {
        if (text)
            field(d, "TF1")->setText(*text);
        if (wholeWord)
            box(d, "Check1")->setChecked(*wholeWord);
        if (matchCase)
            box(d, "Check2")->setChecked(*matchCase);
        button(d, "Command1")->click();
        return 0;
    });
    open(h, how);
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
        std::function<void(Harness&)> before;
    };
    const Case cases[] = {
        {"start-up", [](Harness&) {}},
        {"after a hit",
         [](Harness& h) {
             search(h, Open::Find, QStringLiteral("кот"));
             ASSERT_EQ(selectionOf(h), (Selection{4, 3}));
         }},
        {"after a cancelled Find Next with a typed text",
         [](Harness& h) {
             h.platform.answerDialog([](QDialog& d) {
                 field(d, "TF1")->setText(QStringLiteral("пёс"));
                 button(d, "Command2")->click();
                 return 0;
             });
             h->mnuFindNext_Click();
             ASSERT_EQ(h->searchMemory().FindReplaceTemp, QStringLiteral("пёс"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.load();
        setDocument(h, QStringLiteral("Два кота и кот"), 6);
        c.before(h);
        h->textBlock()->setSelection(6, 8);
        h.platform.answerDialog([&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Поиск текста"));
            EXPECT_EQ(field(d, "TF1")->text(), Sample);
            EXPECT_EQ(field(d, "TF1")->selectedText(), Sample);
            EXPECT_TRUE(button(d, "Command1")->isEnabled());
            EXPECT_EQ(static_cast<FrmFind&>(d).choice().nextPosition, 0);
            button(d, "Command2")->click();
            return 0;
        });
        h->mnuFind_Click();
        EXPECT_EQ(h.platform.unusedAnswers(), 0);
    }
}

TEST(Find, FindNextAtStartUpBehavesLikeFind) {
    for (Open how : {Open::Find, Open::FindNext}) {
        Harness h;
        h.load();
        setDocument(h, QStringLiteral("Образец и образец"), 12);
        h.platform.answerDialog([&](QDialog& d) {
            EXPECT_EQ(field(d, "TF1")->text(), Sample);
            EXPECT_EQ(static_cast<FrmFind&>(d).choice().nextPosition, 0);
            button(d, "Command1")->click();
            EXPECT_FALSE(stillOpen(d));
            return 0;
        });
        open(h, how);
        EXPECT_EQ(selectionOf(h), (Selection{0, 7})) << (how == Open::Find ? "Find" : "Next");
        EXPECT_EQ(h->searchMemory().FindReplacePos, 7);
        EXPECT_EQ(h->searchMemory().FindReplaceTemp, Sample);
    }
}

TEST(Find, FindNextWalksTheHitsOneByOne) {
    Harness h;
    h.load();
    setDocument(h, QStringLiteral("кот и Кот\r\nи КОТ"), 5);
    search(h, Open::Find, QStringLiteral("кот"));
    EXPECT_EQ(selectionOf(h), (Selection{0, 3}));

    for (const Selection expected : {Selection{6, 3}, Selection{13, 3}}) {
        search(h, Open::FindNext); // the text offered is the last one: Enter
        EXPECT_EQ(selectionOf(h), expected);
        EXPECT_EQ(h->searchMemory().FindReplacePos, expected.start + 3);
    }
    EXPECT_TRUE(h.platform.messages().empty());

    // Past the last hit: the question, and No closes with the selection kept.
    h.platform.answerMessage(answer::No);
    search(h, Open::FindNext);
    ASSERT_EQ(h.platform.messages().size(), 1u);
    expectNotFoundQuestion(h.platform.messages().back());
    EXPECT_EQ(selectionOf(h), (Selection{13, 3}));
    EXPECT_EQ(h->searchMemory().FindReplacePos, 0);
    EXPECT_FALSE(reportedFailure(h));
}

TEST(Find, FindNextContinuesAfterWhateverIsSelected) {
    Harness h;
    h.load();
    setDocument(h, QStringLiteral("кот кот кот кот"));
    search(h, Open::Find, QStringLiteral("кот"));
    h->textBlock()->setSelection(5, 9); // the user selects across the third hit
    search(h, Open::FindNext);
    EXPECT_EQ(selectionOf(h), (Selection{12, 3}));
}

TEST(Find, ChangedTextStartsAgainAtTheTop) {
    Harness h;
    h.load();
    setDocument(h, QStringLiteral("и кот и кот"));
    search(h, Open::Find, QStringLiteral("кот"));
    EXPECT_EQ(selectionOf(h), (Selection{2, 3}));
    // Find Next with another text: from the top, so the first "и", not the one
    // after the selected hit.
    search(h, Open::FindNext, QStringLiteral("и"));
    EXPECT_EQ(selectionOf(h), (Selection{0, 1}));
    // The same text again continues.
    search(h, Open::FindNext);
    EXPECT_EQ(selectionOf(h), (Selection{6, 1}));
}

TEST(Find, MissThenYesSearchesFromTheTop) {
    Harness h;
    h.load();
    setDocument(h, QStringLiteral("кот и кот"));
    search(h, Open::Find, QStringLiteral("кот"));
    h->textBlock()->setSelection(9, 9); // caret at the end

    h.platform.answerMessage(answer::Yes);
    h.platform.answerDialog([&](QDialog& d) {
        button(d, "Command1")->click();
        EXPECT_TRUE(stillOpen(d));
        EXPECT_EQ(static_cast<FrmFind&>(d).choice().nextPosition, 0);
        EXPECT_EQ(field(d, "TF1")->selectedText(), QStringLiteral("кот"));
        EXPECT_EQ(selectionOf(h), (Selection{9, 0}));
        button(d, "Command1")->click();
        EXPECT_FALSE(stillOpen(d));
        return 0;
    });
    h->mnuFindNext_Click();
    ASSERT_EQ(h.platform.messages().size(), 1u);
    expectNotFoundQuestion(h.platform.messages()[0]);
    EXPECT_EQ(selectionOf(h), (Selection{0, 3}));
    EXPECT_EQ(h->searchMemory().FindReplacePos, 3);
}

TEST(Find, MissThenNoClosesTheWindow) {
    Harness h;
    h.load();
    setDocument(h, QStringLiteral("ничего"), 2);
    h.platform.answerMessage(answer::No);
    h.platform.answerDialog([&](QDialog& d) {
        field(d, "TF1")->setText(QStringLiteral("кот"));
        button(d, "Command1")->click();
        EXPECT_EQ(d.result(), QDialog::Rejected);
        return 0;
    });
    h->mnuFind_Click();
    EXPECT_EQ(selectionOf(h), (Selection{2, 0}));
    EXPECT_EQ(h->searchMemory().FindReplaceTemp, QStringLiteral("кот"));
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
    Harness h;
    h.load();
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(QString::fromUtf16(c.document).toStdString() + " / " + text.toStdString() +
                     (c.wholeWord ? " whole word" : "") + (c.matchCase ? " match case" : ""));
        setDocument(h, QString::fromUtf16(c.document));
        const size_t questions = h.platform.messages().size();
        if (c.hit < 0)
            h.platform.answerMessage(answer::No);
        search(h, Open::Find, text, c.wholeWord, c.matchCase);
        if (c.hit < 0) {
            EXPECT_EQ(h.platform.messages().size(), questions + 1);
            EXPECT_EQ(selectionOf(h), (Selection{0, 0}));
        } else {
            EXPECT_EQ(h.platform.messages().size(), questions);
            EXPECT_EQ(selectionOf(h), (Selection{c.hit, static_cast<int>(text.size())}));
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
        Harness h;
        h.load();
        setDocument(h, QStringLiteral("текст"));
        h.platform.answerDialog([&](QDialog& d) {
            EXPECT_FALSE(box(d, "Check1")->isChecked());
            EXPECT_FALSE(box(d, "Check2")->isChecked());
            field(d, "TF1")->setText(QStringLiteral("набранное"));
            box(d, "Check1")->setChecked(true);
            c.close(d);
            return 0;
        });
        h->mnuFind_Click();
        EXPECT_EQ(h->searchMemory().FindReplaceTemp, QStringLiteral("набранное"));
        EXPECT_EQ(h->searchMemory().CheckFindFlag1, 1);
        EXPECT_EQ(h->searchMemory().CheckFindFlag2, 0);

        h.platform.answerDialog([&](QDialog& d) {
            EXPECT_EQ(field(d, "TF1")->text(), QStringLiteral("набранное"));
            EXPECT_EQ(field(d, "TF1")->selectedText(), QStringLiteral("набранное"));
            EXPECT_TRUE(box(d, "Check1")->isChecked());
            EXPECT_FALSE(box(d, "Check2")->isChecked());
            box(d, "Check1")->setChecked(false);
            box(d, "Check2")->setChecked(true);
            c.close(d);
            return 0;
        });
        h->mnuFindNext_Click();
        EXPECT_EQ(h->searchMemory().CheckFindFlag1, 0);
        EXPECT_EQ(h->searchMemory().CheckFindFlag2, 1);
        EXPECT_EQ(h.platform.unusedAnswers(), 0);
    }
}

TEST(Find, SearchesTheDocumentAsItIsNow) {
    // The working copy is refreshed before every search: an edit made after the
    // last search is seen.
    Harness h;
    h.load();
    setDocument(h, QStringLiteral("раз"));
    h.platform.answerMessage(answer::No);
    search(h, Open::Find, QStringLiteral("два"));
    h->textBlock()->setSelection(3, 3);
    h->textBlock()->replaceSelection(QStringLiteral(" два"));
    h->textBlock()->setSelection(0, 0);
    search(h, Open::FindNext);
    EXPECT_EQ(selectionOf(h), (Selection{4, 3}));
}

// A hit past position 32767 cannot be held: it is recorded as a failure of the
// window, nothing is selected and the window stays open.
TEST(SearchWindows, HitBeyondSixteenBitsIsAFailure) {
    struct Case {
        const char* form;
        void (FrmMain::*open)();
    };
    const Case cases[] = {{"FrmFind", &FrmMain::mnuFind_Click},
                          {"FrmRewrite", &FrmMain::mnuRepl_Click}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        Harness h;
        h.load();
        const QString document = QString(32768, u'x') + QStringLiteral(" цель");
        setDocument(h, document);
        h.platform.answerDialog([&](QDialog& d) {
            field(d, "TF1")->setText(QStringLiteral("цель"));
            button(d, "Command1")->click();
            EXPECT_TRUE(stillOpen(d));
            button(d, "Command2")->click();
            return 0;
        });
        (h.window.get()->*c.open)();
        const auto reported = reportedFailure(h);
        ASSERT_TRUE(reported);
        EXPECT_EQ(reported->number, 6);
        EXPECT_EQ(reported->form, QString::fromLatin1(c.form));
        EXPECT_EQ(selectionOf(h), (Selection{0, 0}));
        EXPECT_EQ(h->textBlock()->text(), document);
        EXPECT_TRUE(h.platform.messages().empty());
    }
    // At 32767 itself the hit is still found.
    Harness h;
    h.load();
    setDocument(h, QString(32766, u'x') + QStringLiteral(" цель"));
    search(h, Open::Find, QStringLiteral("цель"));
    EXPECT_EQ(selectionOf(h), (Selection{32767, 4}));
    EXPECT_FALSE(reportedFailure(h));
}

TEST(WorkingCopy, HoldsExactlyTheEditorsTextInPlainForm) {
    const QString texts[] = {
        QString(),
        QStringLiteral("Привет"),
        QStringLiteral("a\r\nb\r\n"),
        QStringLiteral("lone\nLF"),
        QStringLiteral("a\u00A0b\u0098c"),
    };
    Harness h;
    FrmMain& w = h.load();
    QFont styled(QStringLiteral("DejaVu Serif"));
    styled.setPointSizeF(20);
    styled.setBold(true);
    styled.setItalic(true);
    styled.setUnderline(true);
    styled.setStrikeOut(true);
    w.textBlock()->setChosenFont(styled);
    w.textBlock()->setAlignmentCode(2);
    for (const QString& text : texts) {
        w.textBlock()->setText(text);
        w.textBlock()->setSelection(1, 2);
        FrmFind dialog(EditorWindow{&w, h.platform, *w.textBlock(), w.errorReport()},
                       w.searchMemory());
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
        EXPECT_EQ(w.textBlock()->selStart(), text.isEmpty() ? 0 : 1) << "the editor is untouched";
    }
}

} // namespace
} // namespace quillet::test
