#include "search_support.h"

#include "search/frm_rewrite.h"

namespace quillet::test {
namespace {

// Opens "Заменить...", fills what is given and clicks "&Заменить".
void replace(Harness& h, std::optional<QString> text, std::optional<QString> replacement,
             std::optional<bool> matchCase = std::nullopt) {
    h.platform.answerDialog([=](QDialog& d) {
        if (text)
            field(d, "TF1")->setText(*text);
        if (replacement)
            field(d, "TF2")->setText(*replacement);
        if (matchCase)
            box(d, "Check1")->setChecked(*matchCase);
        button(d, "Command1")->click();
        return 0;
    });
    h->mnuRepl_Click();
}

TEST(Replace, FirstOpeningOffersTheSampleAndAnEmptyReplacement) {
    for (std::int16_t restored : {0, 1}) {
        Harness h;
        h.load();
        h->searchMemory().CheckReplaceFlag1 = restored;
        setDocument(h, QStringLiteral("Образец и образец"), 3);
        h.platform.answerDialog([&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Замена текста"));
            EXPECT_EQ(field(d, "TF1")->text(), QStringLiteral("Образец"));
            EXPECT_EQ(field(d, "TF1")->selectedText(), QStringLiteral("Образец"));
            EXPECT_EQ(field(d, "TF2")->text(), QString());
            EXPECT_EQ(box(d, "Check1")->isChecked(), restored == 1);
            EXPECT_EQ(static_cast<FrmRewrite&>(d).choice().nextPosition, 0);
            button(d, "Command2")->click();
            return 0;
        });
        h->mnuRepl_Click();
    }
}

TEST(Replace, ReplacesOneWholeWordOccurrence) {
    struct Case {
        const char16_t* document;
        int caret;
        const char16_t* text;
        const char16_t* replacement;
        bool matchCase;
        const char16_t* result; // nullptr: not found, nothing changes
        Selection selection;
    };
    const Case cases[] = {
        {u"рамка и рам", 0, u"рам", u"дом", false, u"рамка и дом", {8, 3}},
        {u"рамка и рама", 0, u"рам", u"дом", false, nullptr, {0, 0}},
        {u"один два три", 0, u"два", u"", false, u"один  три", {5, 0}},
        {u"один два два", 6, u"два", u"2", false, u"один два 2", {9, 1}},
        {u"Кот и кот", 0, u"кот", u"пёс", false, u"пёс и кот", {0, 3}},
        {u"Кот и кот", 0, u"кот", u"пёс", true, u"Кот и пёс", {6, 3}},
        {u"ЁЖ и ёж", 0, u"ёж", u"Ёжик", false, u"Ёжик и ёж", {0, 4}},
        {u"ЁЖ и ёж", 0, u"ёж", u"Ёжик", true, u"ЁЖ и Ёжик", {5, 4}},
        {u"строка\r\nслово", 0, u"слово", u"фраза", false, u"строка\r\nфраза", {8, 5}},
    };
    for (const Case& c : cases) {
        const QString document = QString::fromUtf16(c.document);
        SCOPED_TRACE(document.toStdString() + " / " + QString::fromUtf16(c.text).toStdString());
        Harness h;
        h.load();
        // Replace continues after the selection only with the last search text:
        // a Find Next of it puts that text in place first.
        setDocument(h, document, c.caret);
        h->searchMemory().FindReplaceTemp = QString::fromUtf16(c.text);
        if (!c.result)
            h.platform.answerMessage(answer::No);
        replace(h, std::nullopt, QString::fromUtf16(c.replacement), c.matchCase);
        EXPECT_EQ(h->textBlock()->text(), c.result ? QString::fromUtf16(c.result) : document);
        EXPECT_EQ(selectionOf(h), (c.result ? c.selection : Selection{c.caret, 0}));
        EXPECT_EQ(h.platform.messages().size(), c.result ? 0u : 1u);
        EXPECT_EQ(h.platform.unusedAnswers(), 0);
    }
}

TEST(Replace, AfterAFindHitReplacesTheNextOccurrence) {
    Harness h;
    h.load();
    setDocument(h, QStringLiteral("кот, кот, кот"));
    h.platform.answerDialog([](QDialog& d) {
        field(d, "TF1")->setText(QStringLiteral("кот"));
        button(d, "Command1")->click();
        return 0;
    });
    h->mnuFind_Click();
    ASSERT_EQ(selectionOf(h), (Selection{0, 3}));

    h.platform.answerDialog([](QDialog& d) {
        EXPECT_EQ(field(d, "TF1")->text(), QStringLiteral("кот"));
        field(d, "TF2")->setText(QStringLiteral("пёс"));
        button(d, "Command1")->click();
        return 0;
    });
    h->mnuRepl_Click();
    EXPECT_EQ(h->textBlock()->text(), QStringLiteral("кот, пёс, кот"));
    EXPECT_EQ(selectionOf(h), (Selection{5, 3}));
    EXPECT_EQ(h->searchMemory().FindReplacePos, 8);
    EXPECT_EQ(h->searchMemory().ReplaceTemp, QStringLiteral("пёс"));
}

TEST(Replace, OneUndoRestoresTheReplacedText) {
    Harness h;
    h.load();
    const QString original = QStringLiteral("первый\r\nвторой третий");
    setDocument(h, original);
    ASSERT_FALSE(h->textBlock()->canUndo());
    replace(h, QStringLiteral("второй"), QStringLiteral("новый текст"));
    EXPECT_EQ(h->textBlock()->text(), QStringLiteral("первый\r\nновый текст третий"));
    EXPECT_TRUE(h->textBlock()->canUndo());
    h->textBlock()->undo();
    EXPECT_EQ(h->textBlock()->text(), original);
    EXPECT_FALSE(h->textBlock()->canUndo());
}

TEST(Replace, AReplacementHoldingTheTextIsNotFoundAgain) {
    Harness h;
    h.load();
    setDocument(h, QStringLiteral("кот и кот"));
    replace(h, QStringLiteral("кот"), QStringLiteral("рыжий кот"));
    EXPECT_EQ(h->textBlock()->text(), QStringLiteral("рыжий кот и кот"));
    EXPECT_EQ(selectionOf(h), (Selection{0, 9}));

    replace(h, std::nullopt, std::nullopt); // Enter on the texts offered again
    EXPECT_EQ(h->textBlock()->text(), QStringLiteral("рыжий кот и рыжий кот"));
    EXPECT_EQ(selectionOf(h), (Selection{12, 9}));

    h.platform.answerMessage(answer::No);
    replace(h, std::nullopt, std::nullopt);
    EXPECT_EQ(h->textBlock()->text(), QStringLiteral("рыжий кот и рыжий кот"));
    ASSERT_EQ(h.platform.messages().size(), 1u);
    EXPECT_EQ(h.platform.messages()[0].text, QStringLiteral("Текст не найден.\r\nПродолжить?"));
    EXPECT_EQ(h.platform.messages()[0].icon, MsgIcon::Information);
}

TEST(Replace, MissThenYesReplacesFromTheTop) {
    Harness h;
    h.load();
    setDocument(h, QStringLiteral("кот и пёс"));
    h->searchMemory().FindReplaceTemp = QStringLiteral("кот");
    h->textBlock()->setSelection(5, 9);
    h.platform.answerMessage(answer::Yes);
    h.platform.answerDialog([&](QDialog& d) {
        field(d, "TF2")->setText(QStringLiteral("кит"));
        button(d, "Command1")->click();
        EXPECT_TRUE(stillOpen(d));
        EXPECT_EQ(h->textBlock()->text(), QStringLiteral("кот и пёс"));
        button(d, "Command1")->click();
        EXPECT_FALSE(stillOpen(d));
        return 0;
    });
    h->mnuRepl_Click();
    EXPECT_EQ(h->textBlock()->text(), QStringLiteral("кит и пёс"));
}

TEST(Replace, RemembersBothTextsAndTheBoxAndSharesTheSearchText) {
    Harness h;
    h.load();
    setDocument(h, QStringLiteral("текст"));
    h.platform.answerDialog([](QDialog& d) {
        field(d, "TF1")->setText(QStringLiteral("что"));
        field(d, "TF2")->setText(QStringLiteral("чем"));
        box(d, "Check1")->setChecked(true);
        d.reject(); // Esc
        return 0;
    });
    h->mnuRepl_Click();
    EXPECT_EQ(h->searchMemory().FindReplaceTemp, QStringLiteral("что"));
    EXPECT_EQ(h->searchMemory().ReplaceTemp, QStringLiteral("чем"));
    EXPECT_EQ(h->searchMemory().CheckReplaceFlag1, 1);
    // The match-case box of Replace is its own, not Find's.
    EXPECT_EQ(h->searchMemory().CheckFindFlag2, 0);

    h.platform.answerDialog([](QDialog& d) {
        EXPECT_EQ(field(d, "TF1")->text(), QStringLiteral("что"));
        EXPECT_EQ(field(d, "TF2")->text(), QStringLiteral("чем"));
        EXPECT_TRUE(box(d, "Check1")->isChecked());
        button(d, "Command2")->click();
        return 0;
    });
    h->mnuRepl_Click();

    h.platform.answerDialog([](QDialog& d) {
        EXPECT_EQ(field(d, "TF1")->text(), QStringLiteral("что"));
        EXPECT_FALSE(box(d, "Check2")->isChecked());
        button(d, "Command2")->click();
        return 0;
    });
    h->mnuFindNext_Click();
    EXPECT_EQ(h.platform.unusedAnswers(), 0);
}

// The check boxes of both windows reach the settings store at closing and come
// back at the next start.
TEST(SearchWindows, CheckBoxesSurviveARestart) {
    Harness first;
    first.load();
    first.platform.answerDialog([](QDialog& d) {
        box(d, "Check1")->setChecked(true);
        box(d, "Check2")->setChecked(true);
        button(d, "Command2")->click();
        return 0;
    });
    first->mnuFind_Click();
    first.platform.answerDialog([](QDialog& d) {
        box(d, "Check1")->setChecked(true);
        button(d, "Command2")->click();
        return 0;
    });
    first->mnuRepl_Click();
    ASSERT_TRUE(first.close());

    Harness second;
    second.platform.store = first.platform.store;
    second.load();
    second.platform.answerDialog([](QDialog& d) {
        EXPECT_TRUE(box(d, "Check1")->isChecked());
        EXPECT_TRUE(box(d, "Check2")->isChecked());
        button(d, "Command2")->click();
        return 0;
    });
    second->mnuFind_Click();
    second.platform.answerDialog([](QDialog& d) {
        EXPECT_TRUE(box(d, "Check1")->isChecked());
        button(d, "Command2")->click();
        return 0;
    });
    second->mnuRepl_Click();
}

} // namespace
} // namespace quillet::test
