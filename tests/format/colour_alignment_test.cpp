#include "support/harness.h"
#include "view/edit_hook.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include <gtest/gtest.h>

#include <vector>

namespace quillet::test {
namespace {

// Lines of very different lengths, so an alignment applied to one line only, or
// not at all, shows in the positions of the others.
const QString Sample = QStringLiteral("Короткая") + CRLF +
                       QStringLiteral("Строка подлиннее, чем первая") + CRLF + QStringLiteral("Я") +
                       CRLF + QStringLiteral("Последняя строка текста");

struct Pictures {
    int left, centre, right;
    bool operator==(const Pictures&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Pictures& p) {
    return os << "{" << p.left << ", " << p.centre << ", " << p.right << "}";
}

Pictures pictures(FrmMain& w) {
    auto of = [&](const char* key) {
        QAction* a = toolbarEntry(*w.toolbar(), QString::fromLatin1(key));
        return a ? a->property("picture").toInt() : -1;
    };
    return {of("LeftBtn"), of("CenterBtn"), of("RightBtn")};
}

// Whether the icon of a button is picture n of the image list.
bool showsPicture(FrmMain& w, const char* key, int n) {
    const QAction* a = toolbarEntry(*w.toolbar(), QString::fromLatin1(key));
    return a && a->icon().cacheKey() == w.toolbarImages().at(n - 1).cacheKey();
}

Pictures expectedPictures(int align) {
    static const Pictures table[] = {{13, 11, 12}, {10, 11, 15}, {10, 14, 12}};
    return table[align];
}

// The caret x at the start and at the end of every non-empty paragraph, as the
// editor lays them out.
struct Edges {
    int start, end;
};

std::vector<Edges> paragraphEdges(TextBlock& editor) {
    std::vector<Edges> edges;
    for (QTextBlock b = editor.document()->begin(); b.isValid(); b = b.next()) {
        if (b.length() <= 1)
            continue;
        QTextCursor c(b);
        const int start = editor.cursorRect(c).x();
        c.movePosition(QTextCursor::EndOfBlock);
        edges.push_back({start, editor.cursorRect(c).x()});
    }
    return edges;
}

// Checks that every paragraph of the editor is laid out with the alignment code.
void expectEveryLineAligned(TextBlock& editor, int align) {
    const int width = editor.viewport()->width();
    const int margin = static_cast<int>(editor.document()->documentMargin());
    const std::vector<Edges> edges = paragraphEdges(editor);
    ASSERT_EQ(edges.size(), 4u);
    for (size_t i = 0; i < edges.size(); ++i) {
        const Edges& e = edges[i];
        SCOPED_TRACE(testing::Message() << "paragraph " << i << " start " << e.start << " end "
                                        << e.end << " width " << width);
        ASSERT_LT(e.start, e.end);
        switch (align) {
        case 0:
            EXPECT_NEAR(e.start, margin, 2);
            break;
        case 1:
            EXPECT_NEAR(e.end, width - margin, 3);
            break;
        case 2:
            EXPECT_NEAR((e.start + e.end) / 2.0, width / 2.0, 3);
            break;
        }
    }
}

class ColourAlignment : public testing::Test {
protected:
    void SetUp() override {
        h.load();
        h->resize(800, 600);
        h->show();
        QApplication::processEvents();
    }
    Harness h;
};

TEST_F(ColourAlignment, EachAlignmentReachesTheEditorTheButtonsAndEveryLine) {
    struct Case {
        int from;
        int to;
        bool textAfter; // the text arrives after the alignment was applied
    };
    const Case cases[] = {
        {0, 2, false}, {2, 1, false}, {1, 0, false}, {0, 1, true},
        {1, 2, true},  {2, 0, true},  {2, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.from << " -> " << c.to << " text after " << c.textAfter);
        h->textBlock()->setText(QString());
        h->options().TextAlign = c.from;
        h->SetAlignment();
        if (!c.textAfter)
            h->textBlock()->setText(Sample);
        h->options().TextAlign = c.to;
        h->SetAlignment();
        if (c.textAfter)
            h->textBlock()->setText(Sample);
        QApplication::processEvents();

        EXPECT_EQ(h->textBlock()->alignmentCode(), c.to);
        const Pictures want = expectedPictures(c.to);
        EXPECT_EQ(pictures(*h.window), want);
        EXPECT_TRUE(showsPicture(*h.window, "LeftBtn", want.left));
        EXPECT_TRUE(showsPicture(*h.window, "CenterBtn", want.centre));
        EXPECT_TRUE(showsPicture(*h.window, "RightBtn", want.right));
        expectEveryLineAligned(*h->textBlock(), c.to);
    }
}

TEST_F(ColourAlignment, AnAlignmentOutsideTheThreeChangesNothing) {
    h->textBlock()->setText(Sample);
    h->options().TextAlign = 2;
    h->SetAlignment();
    for (int bad : {3, -1, 100}) {
        h->options().TextAlign = bad;
        h->SetAlignment();
        EXPECT_EQ(h->textBlock()->alignmentCode(), 2) << bad;
        EXPECT_EQ(pictures(*h.window), expectedPictures(2)) << bad;
    }
}

TEST(SetAlignmentHook, TheHookIsAttachedAgainAfterEveryAlignmentChange) {
    Harness h;
    h.load();
    ASSERT_NE(h->transparency().editHook(), nullptr);
    for (int align : {0, 1, 2, 7}) {
        // Taken off first: only the alignment change can put it back.
        h->transparency().UnhookEditControl();
        ASSERT_FALSE(h->transparency().editHook()->installed());
        h->options().TextAlign = align;
        h->SetAlignment();
        EXPECT_EQ(h->transparency().editHook()->installed(), align <= 2) << align;
    }
}

// Toolbar presses go through the toolbar's dispatch, which sets TextAlign and the
// change mark and then applies the alignment.
TEST_F(ColourAlignment, AlignmentButtonsAlignTheTextAndHighlightOnlyTheActiveButton) {
    h->textBlock()->setText(Sample);
    struct Press {
        const char* key;
        int align;
    };
    const Press presses[] = {{"CenterBtn", 2}, {"RightBtn", 1}, {"LeftBtn", 0}, {"CenterBtn", 2}};
    for (const Press& p : presses) {
        SCOPED_TRACE(p.key);
        h->options().UserChangeOptions = false;
        h->Toolbar1_ButtonClick(QString::fromLatin1(p.key));
        QApplication::processEvents();
        EXPECT_EQ(h->options().TextAlign, p.align);
        EXPECT_TRUE(h->options().UserChangeOptions);
        EXPECT_EQ(h->textBlock()->alignmentCode(), p.align);
        EXPECT_EQ(pictures(*h.window), expectedPictures(p.align));
        expectEveryLineAligned(*h->textBlock(), p.align);
    }
}

TEST_F(ColourAlignment, PressingTheActiveButtonAgainStillMarksTheSettingsChanged) {
    h->textBlock()->setText(Sample);
    h->Toolbar1_ButtonClick(QStringLiteral("RightBtn"));
    h->options().UserChangeOptions = false;
    const QString text = h->textBlock()->text();
    h->textBlock()->setSelection(3, 7);
    const bool changed = h->document().TextChange;

    h->Toolbar1_ButtonClick(QStringLiteral("RightBtn"));
    EXPECT_EQ(h->options().TextAlign, 1);
    EXPECT_TRUE(h->options().UserChangeOptions);
    EXPECT_EQ(h->textBlock()->alignmentCode(), 1);
    EXPECT_EQ(pictures(*h.window), expectedPictures(1));
    EXPECT_EQ(h->textBlock()->text(), text);
    EXPECT_EQ(h->textBlock()->selStart(), 3);
    EXPECT_EQ(h->textBlock()->selLength(), 4);
    EXPECT_EQ(h->document().TextChange, changed);
}

TEST(AlignmentRestart, TheAlignmentChosenBeforeExitIsRestoredAtTheNextStart) {
    const std::pair<const char*, int> choices[] = {
        {"CenterBtn", 2}, {"RightBtn", 1}, {"LeftBtn", 0}};
    for (const auto& [key, align] : choices) {
        SCOPED_TRACE(key);
        Harness first;
        first.load();
        // A different alignment first, so the one chosen last is what must survive.
        first->Toolbar1_ButtonClick(
            QString::fromLatin1(QByteArray(key) == "RightBtn" ? "CenterBtn" : "RightBtn"));
        first->Toolbar1_ButtonClick(QString::fromLatin1(key));
        const int chosen = first->options().TextAlign;
        ASSERT_EQ(chosen, align);
        first.platform.answerMessage(answer::Yes); // keep the changed settings, if asked
        ASSERT_TRUE(first.close());

        Harness second;
        second.platform.store = first.platform.store;
        second.load();
        EXPECT_EQ(second->options().TextAlign, chosen);
        EXPECT_EQ(second->textBlock()->alignmentCode(), chosen);
        EXPECT_EQ(pictures(*second.window), expectedPictures(chosen));
    }
}

TEST_F(ColourAlignment, CancellingTheColourDialogKeepsTheBackground) {
    const QColor before(0x20, 0x40, 0x60);
    h->textBlock()->setBackColor(before);
    h->options().UserChangeOptions = false;
    h.platform.answerColor(std::nullopt);

    h->mnuColor_Click();

    ASSERT_TRUE(h.platform.lastColorOffered.has_value());
    EXPECT_EQ(*h.platform.lastColorOffered, before);
    EXPECT_EQ(h->textBlock()->backColor(), before);
    EXPECT_FALSE(h->options().UserChangeOptions);
}

TEST_F(ColourAlignment, TheChosenColourBecomesTheBackgroundAndIsOfferedNextTime) {
    h->options().UserChangeOptions = false;
    const QColor chosen(0xC0, 0xFF, 0xEE);
    h.platform.answerColor(chosen);
    h->mnuColor_Click();
    EXPECT_EQ(h->textBlock()->backColor(), chosen);
    EXPECT_TRUE(h->options().UserChangeOptions);

    // A colour with transparency from the dialog still gives a solid background.
    h.platform.answerColor(QColor(10, 20, 30, 40));
    h->mnuColor_Click();
    EXPECT_EQ(*h.platform.lastColorOffered, chosen);
    EXPECT_EQ(h->textBlock()->backColor(), QColor(10, 20, 30));
}

TEST_F(ColourAlignment, DefaultColourIsAlwaysWhite) {
    const QColor previous[] = {QColor(Qt::white), QColor(Qt::black), QColor(0x12, 0x34, 0x56),
                               QColor(255, 255, 254)};
    for (const QColor& before : previous) {
        SCOPED_TRACE(before.name().toStdString());
        h->textBlock()->setBackColor(before);
        h->options().UserChangeOptions = false;
        h->MnuDefColor_Click();
        EXPECT_EQ(h->textBlock()->backColor(), QColor(255, 255, 255));
        EXPECT_TRUE(h->options().UserChangeOptions);
    }
    EXPECT_FALSE(h.platform.lastColorOffered.has_value()); // no dialog was shown
}

} // namespace
} // namespace quillet::test
