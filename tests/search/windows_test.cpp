#include "search_support.h"

#include <QLabel>
#include <QTest>

namespace quillet::test {
namespace {

struct Control {
    const char* name;
    const char16_t* caption; // nullptr for text boxes
    QRect twips;             // left, top, width, height
};

struct Window {
    void (SearchBench::*open)();
    const char* name;
    const char16_t* title;
    QSize clientTwips;
    std::vector<Control> controls;
    std::vector<const char*> tabOrder;
    const char* firstBox;    // the text box with the focus
    const char16_t* offered; // its text at the first opening
};

QRect inPixels(const QRect& twips) {
    return QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
}

const std::vector<Window>& windows() {
    static const std::vector<Window> all = {
        {&SearchBench::find,
         "FrmFind",
         u"Поиск текста",
         {5175, 1575},
         {{"Label1", u"Найти что:", {120, 240, 855, 255}},
          {"TF1", nullptr, {1080, 240, 3975, 285}},
          {"Check1", u"&Только слово целиком", {120, 720, 2055, 255}},
          {"Check2", u"&С учётом регистра", {120, 1080, 1815, 255}},
          {"Command1", u"&Найти", {2520, 1080, 1215, 375}},
          {"Command2", u"&Отмена", {3840, 1080, 1215, 375}}},
         {"TF1", "Command1", "Command2", "Check1", "Check2"},
         "TF1",
         u"Образец"},
        {&SearchBench::replace,
         "FrmRewrite",
         u"Замена текста",
         {5295, 1695},
         {{"Label1", u"Заменить что:", {120, 240, 1215, 255}},
          {"TF1", nullptr, {1320, 240, 3855, 285}},
          {"Label2", u"Заменить чем:", {120, 600, 1215, 255}},
          {"TF2", nullptr, {1320, 600, 3855, 285}},
          {"Check1", u"&С учётом регистра", {120, 1200, 1815, 255}},
          {"Command1", u"&Заменить", {2640, 1200, 1215, 375}},
          {"Command2", u"&Отмена", {3960, 1200, 1215, 375}}},
         {"TF1", "TF2", "Command1", "Command2", "Check1"},
         "TF1",
         u"Образец"},
        {&SearchBench::goTo,
         "FrmGoTo",
         u"Переход",
         {3975, 1335},
         {{"Label1", u"Номер символа:", {120, 240, 1335, 255}},
          {"TG1", nullptr, {1560, 240, 2295, 285}},
          {"Command1", u"&Перейти", {1320, 840, 1215, 375}},
          {"Command2", u"&Отмена", {2640, 840, 1215, 375}}},
         {"TG1", "Command1", "Command2"},
         "TG1",
         u"1"},
    };
    return all;
}

QString captionOf(QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    return {};
}

// The control Tab moves to from w: the next one in the chain that takes Tab.
QWidget* nextByTab(QWidget* w) {
    QWidget* next = w->nextInFocusChain();
    while (next != w && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

TEST(SearchWindows, ControlsCaptionsAndLayout) {
    for (const Window& win : windows()) {
        SCOPED_TRACE(win.name);
        SearchBench b;
        b.setDocument(QStringLiteral("текст"));
        b.platform.answerDialog([&](QDialog& d) {
            EXPECT_EQ(d.objectName(), QString::fromLatin1(win.name));
            EXPECT_EQ(d.windowTitle(), QString::fromUtf16(win.title));
            EXPECT_EQ(d.parentWidget(), &b.owner);
            EXPECT_TRUE(d.isModal());
            // The twips layout, widened all across by one factor where the
            // font needs more room than the twips give.
            const QSize client(win.clientTwips.width() / 15, win.clientTwips.height() / 15);
            const double widen = static_cast<double>(d.width()) / client.width();
            EXPECT_GE(widen, 1.0);
            EXPECT_LE(widen, 2.0);
            EXPECT_EQ(d.height(), client.height());
            EXPECT_EQ(d.minimumSize(), d.size());
            EXPECT_EQ(d.maximumSize(), d.size());
            for (const Control& c : win.controls) {
                auto* w = d.findChild<QWidget*>(QString::fromLatin1(c.name));
                if (!w) {
                    ADD_FAILURE() << "missing " << c.name;
                    continue;
                }
                const QRect px = inPixels(c.twips);
                EXPECT_EQ(w->y(), px.y()) << c.name;
                EXPECT_EQ(w->height(), px.height()) << c.name;
                EXPECT_NEAR(w->x(), px.x() * widen, 1.5) << c.name;
                EXPECT_NEAR(w->width(), px.width() * widen, 1.5) << c.name;
                if (c.caption)
                    EXPECT_EQ(captionOf(w), QString::fromUtf16(c.caption)) << c.name;
                else
                    EXPECT_TRUE(qobject_cast<QLineEdit*>(w)) << c.name;
            }
            for (size_t i = 0; i + 1 < win.tabOrder.size(); ++i) {
                auto* from = d.findChild<QWidget*>(QString::fromLatin1(win.tabOrder[i]));
                auto* to = d.findChild<QWidget*>(QString::fromLatin1(win.tabOrder[i + 1]));
                EXPECT_EQ(nextByTab(from), to) << win.tabOrder[i];
            }
            auto* last = d.findChild<QWidget*>(QString::fromLatin1(win.tabOrder.back()));
            EXPECT_EQ(nextByTab(last), d.findChild<QWidget*>(QString::fromLatin1(win.firstBox)));
            EXPECT_EQ(d.focusWidget(), field(d, win.firstBox));
            EXPECT_TRUE(button(d, "Command1")->isDefault());
            EXPECT_FALSE(button(d, "Command2")->isDefault());
            d.close();
            return 0;
        });
        (b.*win.open)();
    }
}

// In the font the window is shown with, every caption can be read whole, and
// the controls neither overlap nor leave the window.
TEST(SearchWindows, CaptionsFitAndControlsStayApart) {
    for (const Window& win : windows()) {
        SCOPED_TRACE(win.name);
        SearchBench b;
        b.setDocument(QStringLiteral("текст"));
        b.platform.answerDialog([&](QDialog& d) {
            std::vector<QWidget*> placed;
            for (const Control& c : win.controls) {
                auto* w = d.findChild<QWidget*>(QString::fromLatin1(c.name));
                if (!w)
                    continue;
                if (c.caption) {
                    EXPECT_GE(w->width(), w->sizeHint().width()) << c.name;
                }
                EXPECT_TRUE(d.rect().contains(w->geometry())) << c.name;
                // A label may touch its text box by a pixel, as the twips have it.
                const QRect inner = w->geometry().adjusted(1, 0, -1, 0);
                for (QWidget* other : placed) {
                    EXPECT_FALSE(inner.intersects(other->geometry().adjusted(1, 0, -1, 0)))
                        << c.name << " and " << other->objectName().toStdString();
                }
                placed.push_back(w);
            }
            d.close();
            return 0;
        });
        (b.*win.open)();
    }
}

// With the window on screen, Enter runs its default button and Esc cancels it.
TEST(SearchWindows, EnterRunsTheCommandAndEscCancels) {
    for (const Window& win : windows()) {
        SCOPED_TRACE(win.name);
        SearchBench b;
        b.setDocument(QStringLiteral("Образец 1"), 4);
        b.platform.answerDialog([&](QDialog& d) {
            d.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
            QTest::keyClick(field(d, win.firstBox), Qt::Key_Return);
            EXPECT_EQ(d.result(), QDialog::Accepted);
            return 0;
        });
        (b.*win.open)();
        // Find selects the sample, Replace replaces it with nothing, Go to selects
        // character 1: either way the selection starts at 0.
        EXPECT_EQ(b.editor.selStart(), 0);

        const QString before = b.editor.text();
        b.platform.answerDialog([&](QDialog& d) {
            d.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
            field(d, win.firstBox)->setText(QStringLiteral("9"));
            QTest::keyClick(field(d, win.firstBox), Qt::Key_Escape);
            EXPECT_EQ(d.result(), QDialog::Rejected);
            return 0;
        });
        (b.*win.open)();
        EXPECT_EQ(b.editor.text(), before);
    }
}

// The command button works only while the text box holds something; a box left
// empty is remembered as empty, so the next opening offers the first text again.
TEST(SearchWindows, EmptyTextBoxDisablesTheCommand) {
    for (const Window& win : windows()) {
        SCOPED_TRACE(win.name);
        SearchBench b;
        b.setDocument(QStringLiteral("Образец"), 2);
        b.platform.answerDialog([&](QDialog& d) {
            QLineEdit* text = field(d, win.firstBox);
            QPushButton* command = button(d, "Command1");
            EXPECT_EQ(text->text(), QString::fromUtf16(win.offered));
            EXPECT_TRUE(command->isEnabled());
            text->clear();
            EXPECT_FALSE(command->isEnabled());
            command->click();
            EXPECT_TRUE(stillOpen(d));
            text->setText(QStringLiteral("1"));
            EXPECT_TRUE(command->isEnabled());
            text->clear();
            button(d, "Command2")->click();
            return 0;
        });
        (b.*win.open)();
        EXPECT_EQ(b.selection(), (Selection{2, 0}));
        EXPECT_EQ(b.editor.text(), QStringLiteral("Образец"));
        EXPECT_TRUE(b.platform.messages().empty());
        EXPECT_FALSE(b.reportedFailure());

        b.platform.answerDialog([&](QDialog& d) {
            EXPECT_EQ(field(d, win.firstBox)->text(), QString::fromUtf16(win.offered));
            d.close();
            return 0;
        });
        (b.*win.open)();
    }
}

} // namespace
} // namespace quillet::test
