#include "search_support.h"

#include "search/frm_rewrite.h"

namespace quillet::test {
namespace {

// Opens "Заменить...", fills what is given and clicks "&Заменить".
void replace(SearchBench& b, std::optional<QString> text, std::optional<QString> replacement,
             std::optional<bool> matchCase = std::nullopt) {
    b.platform.answerDialog([=](QDialog& d) {
        if (text)
            field(d, "TF1")->setText(*text);
        if (replacement)
            field(d, "TF2")->setText(*replacement);
        if (matchCase)
            box(d, "Check1")->setChecked(*matchCase);
        button(d, "Command1")->click();
        return 0;
    });
    b.replace();
}

TEST(Replace, FirstOpeningOffersTheSampleAndAnEmptyReplacement) {
    for (std::int16_t restored : {0, 1}) {
        SearchBench b;
        b.memory.CheckReplaceFlag1 = restored;
        b.setDocument(QStringLiteral("Образец и образец"), 3);
        b.platform.answerDialog([&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Замена текста"));
            EXPECT_EQ(field(d, "TF1")->text(), QStringLiteral("Образец"));
            EXPECT_EQ(field(d, "TF1")->selectedText(), QStringLiteral("Образец"));
            EXPECT_EQ(field(d, "TF2")->text(), QString());
            EXPECT_EQ(box(d, "Check1")->isChecked(), restored == 1);
            EXPECT_EQ(static_cast<FrmRewrite&>(d).choice().nextPosition, 0);
            button(d, "Command2")->click();
            return 0;
        });
        b.replace();
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
        SearchBench b;
        // Replace continues after the selection only with the last search text:
        // a Find Next of it puts that text in place first.
        b.setDocument(document, c.caret);
        b.memory.FindReplaceTemp = QString::fromUtf16(c.text);
        if (!c.result)
            b.platform.answerMessage(answer::No);
        replace(b, std::nullopt, QString::fromUtf16(c.replacement), c.matchCase);
        EXPECT_EQ(b.editor.text(), c.result ? QString::fromUtf16(c.result) : document);
        EXPECT_EQ(b.selection(), (c.result ? c.selection : Selection{c.caret, 0}));
        EXPECT_EQ(b.platform.messages().size(), c.result ? 0u : 1u);
        EXPECT_EQ(b.platform.unusedAnswers(), 0);
    }
}

TEST(Replace, AfterAFindHitReplacesTheNextOccurrence) {
    SearchBench b;
    b.setDocument(QStringLiteral("кот, кот, кот"));
    b.platform.answerDialog([](QDialog& d) {
        field(d, "TF1")->setText(QStringLiteral("кот"));
        button(d, "Command1")->click();
        return 0;
    });
    b.find();
    ASSERT_EQ(b.selection(), (Selection{0, 3}));

    b.platform.answerDialog([](QDialog& d) {
        EXPECT_EQ(field(d, "TF1")->text(), QStringLiteral("кот"));
        field(d, "TF2")->setText(QStringLiteral("пёс"));
        button(d, "Command1")->click();
        return 0;
    });
    b.replace();
    EXPECT_EQ(b.editor.text(), QStringLiteral("кот, пёс, кот"));
    EXPECT_EQ(b.selection(), (Selection{5, 3}));
    EXPECT_EQ(b.memory.FindReplacePos, 8);
    EXPECT_EQ(b.memory.ReplaceTemp, QStringLiteral("пёс"));
}

TEST(Replace, OneUndoRestoresTheReplacedText) {
    SearchBench b;
    const QString original = QStringLiteral("первый\r\nвторой третий");
    b.setDocument(original);
    ASSERT_FALSE(b.editor.canUndo());
    replace(b, QStringLiteral("второй"), QStringLiteral("новый текст"));
    EXPECT_EQ(b.editor.text(), QStringLiteral("первый\r\nновый текст третий"));
    EXPECT_TRUE(b.editor.canUndo());
    b.editor.undo();
    EXPECT_EQ(b.editor.text(), original);
    EXPECT_FALSE(b.editor.canUndo());
}

TEST(Replace, AReplacementHoldingTheTextIsNotFoundAgain) {
    SearchBench b;
    b.setDocument(QStringLiteral("кот и кот"));
    replace(b, QStringLiteral("кот"), QStringLiteral("рыжий кот"));
    EXPECT_EQ(b.editor.text(), QStringLiteral("рыжий кот и кот"));
    EXPECT_EQ(b.selection(), (Selection{0, 9}));

    replace(b, std::nullopt, std::nullopt); // Enter on the texts offered again
    EXPECT_EQ(b.editor.text(), QStringLiteral("рыжий кот и рыжий кот"));
    EXPECT_EQ(b.selection(), (Selection{12, 9}));

    b.platform.answerMessage(answer::No);
    replace(b, std::nullopt, std::nullopt);
    EXPECT_EQ(b.editor.text(), QStringLiteral("рыжий кот и рыжий кот"));
    ASSERT_EQ(b.platform.messages().size(), 1u);
    EXPECT_EQ(b.platform.messages()[0].text, QStringLiteral("Текст не найден.\r\nПродолжить?"));
    EXPECT_EQ(b.platform.messages()[0].icon, MsgIcon::Information);
}

TEST(Replace, MissThenYesReplacesFromTheTop) {
    SearchBench b;
    b.setDocument(QStringLiteral("кот и пёс"));
    b.memory.FindReplaceTemp = QStringLiteral("кот");
    b.editor.setSelection(5, 9);
    b.platform.answerMessage(answer::Yes);
    b.platform.answerDialog([&](QDialog& d) {
        field(d, "TF2")->setText(QStringLiteral("кит"));
        button(d, "Command1")->click();
        EXPECT_TRUE(stillOpen(d));
        EXPECT_EQ(b.editor.text(), QStringLiteral("кот и пёс"));
        button(d, "Command1")->click();
        EXPECT_FALSE(stillOpen(d));
        return 0;
    });
    b.replace();
    EXPECT_EQ(b.editor.text(), QStringLiteral("кит и пёс"));
}

TEST(Replace, RemembersBothTextsAndTheBoxAndSharesTheSearchText) {
    SearchBench b;
    b.setDocument(QStringLiteral("текст"));
    b.platform.answerDialog([](QDialog& d) {
        field(d, "TF1")->setText(QStringLiteral("что"));
        field(d, "TF2")->setText(QStringLiteral("чем"));
        box(d, "Check1")->setChecked(true);
        d.reject(); // Esc
        return 0;
    });
    b.replace();
    EXPECT_EQ(b.memory.FindReplaceTemp, QStringLiteral("что"));
    EXPECT_EQ(b.memory.ReplaceTemp, QStringLiteral("чем"));
    EXPECT_EQ(b.memory.CheckReplaceFlag1, 1);
    // The match-case box of Replace is its own, not Find's.
    EXPECT_EQ(b.memory.CheckFindFlag2, 0);

    b.platform.answerDialog([](QDialog& d) {
        EXPECT_EQ(field(d, "TF1")->text(), QStringLiteral("что"));
        EXPECT_EQ(field(d, "TF2")->text(), QStringLiteral("чем"));
        EXPECT_TRUE(box(d, "Check1")->isChecked());
        button(d, "Command2")->click();
        return 0;
    });
    b.replace();

    b.platform.answerDialog([](QDialog& d) {
        EXPECT_EQ(field(d, "TF1")->text(), QStringLiteral("что"));
        EXPECT_FALSE(box(d, "Check2")->isChecked());
        button(d, "Command2")->click();
        return 0;
    });
    b.findNext();
    EXPECT_EQ(b.platform.unusedAnswers(), 0);
}

} // namespace
} // namespace quillet::test
