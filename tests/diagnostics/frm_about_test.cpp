#include "diagnostics/frm_about.h"
#include "diagnostics/mdl_other.h"
#include "editing/textblock.h"
#include "support/recording_failures.h"
#include "support/scripted_platform.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace quillet {
namespace {

// What the main window gives the About window: an owner, the platform, the
// editor whose document it measures, and where failures go.
struct Owner {
    test::ScriptedPlatform platform;
    QWidget window;
    TextBlock editor;
    test::RecordingFailures failures;
};

QString text(QDialog& d, const char* name) {
    auto* label = d.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

// Opens the About window as the main window does and runs the script while it
// is open.
void withAbout(Owner& o, const std::function<void(FrmAbout&)>& script) {
    FrmAbout about(EditorWindow{&o.window, o.platform, o.editor, o.failures});
    o.platform.answerDialog([&](QDialog&) {
        script(about);
        return 0;
    });
    o.platform.execDialog(about);
}

TEST(FrmAbout, ShowsNameVersionAndNotice) {
    Owner o;
    withAbout(o, [&](FrmAbout& d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("FrmAbout"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("О программе"));
        EXPECT_EQ(d.parentWidget(), &o.window);
        EXPECT_TRUE(d.isModal());
        EXPECT_EQ(text(d, "Label2"), QStringLiteral("Текстовый редактор \"Квиллет\""));
        EXPECT_EQ(text(d, "Label7"), QStringLiteral("Версия:"));
        EXPECT_EQ(text(d, "LV"),
                  QStringLiteral("%1.%2").arg(QUILLET_VERSION_MAJOR).arg(QUILLET_VERSION_MINOR));
        EXPECT_EQ(text(d, "Label8"), QStringLiteral("Загруженность программы:"));
        EXPECT_EQ(text(d, "Label3"), QStringLiteral("Доступная физическая память:"));
        EXPECT_EQ(text(d, "Label5"), QStringLiteral("Свободная физическая память:"));
        EXPECT_EQ(text(d, "Label4"), ContactAddress);
        EXPECT_NE(text(d, "LA"), QStringLiteral("Нет"));
        EXPECT_TRUE(text(d, "LA").contains(QStringLiteral("Квиллет")));
        EXPECT_EQ(d.findChild<QPushButton*>("Command2")->text(), QStringLiteral("&Система"));
        EXPECT_EQ(d.findChild<QPushButton*>("Command3")->text(), QStringLiteral("&Закрыть"));
        EXPECT_FALSE(d.findChild<QLabel*>("Image1")->pixmap().isNull());
        EXPECT_FALSE(d.findChild<QLabel*>("Image2")->pixmap().isNull());
    });
}

TEST(FrmAbout, LoadBarFollowsTheDocumentLength) {
    struct Case {
        QString document;
        int bar;
        const char* percent;
    };
    const Case cases[] = {
        {QString(), 0, "0%"},
        {QString(549, QLatin1Char('a')), 549, "0%"},
        {QString(550, QLatin1Char('a')), 550, "1%"},
        // A line break counts two characters.
        {QString(548, QLatin1Char('a')) + QStringLiteral("\r\n"), 550, "1%"},
        {QString(27500, QLatin1Char('a')), 27500, "50%"},
        {QString(54999, QLatin1Char('a')), 54999, "99%"},
        {QString(55000, QLatin1Char('a')), 55000, "100%"},
        {QString(60000, QLatin1Char('a')), 55000, "100%"},
    };
    Owner o;
    for (const Case& c : cases) {
        o.editor.setText(c.document);
        withAbout(o, [&](FrmAbout& d) {
            auto* bar = d.findChild<QProgressBar*>("ProgressBar1");
            ASSERT_NE(bar, nullptr);
            EXPECT_EQ(bar->minimum(), 0);
            EXPECT_EQ(bar->maximum(), 55000);
            EXPECT_EQ(bar->value(), c.bar) << c.document.size();
            EXPECT_EQ(text(d, "LL"), QLatin1String(c.percent)) << c.document.size();
        });
    }
}

TEST(FrmAbout, MemoryInKilobytesRefreshedByTheTimer) {
    struct Case {
        std::optional<MemoryStatus> memory;
        const char* total;
        const char* available;
    };
    const Case cases[] = {
        {MemoryStatus{1073741824, 536870912}, "1 048 576 КБ", "524 288 КБ"},
        {MemoryStatus{1023, 1025}, "0 КБ", "1 КБ"},
        {MemoryStatus{5ull << 40, (3ull << 31) + 2047}, "5 368 709 120 КБ", "6 291 457 КБ"},
        {std::nullopt, "0 КБ", "0 КБ"},
    };
    for (const Case& c : cases) {
        Owner o;
        o.platform.memory = c.memory;
        withAbout(o, [&](FrmAbout& d) {
            EXPECT_EQ(text(d, "LMIT"), QString::fromUtf8(c.total));
            EXPECT_EQ(text(d, "LMIA"), QString::fromUtf8(c.available));

            // The figures change only with a tick of the one-second timer.
            o.platform.memory = MemoryStatus{2048, 1024};
            EXPECT_EQ(text(d, "LMIT"), QString::fromUtf8(c.total));
            auto* timer = d.findChild<QTimer*>("Timer1");
            ASSERT_NE(timer, nullptr);
            EXPECT_TRUE(timer->isActive());
            EXPECT_EQ(timer->interval(), 1000);
            ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout"));
            EXPECT_EQ(text(d, "LMIT"), QStringLiteral("2 КБ"));
            EXPECT_EQ(text(d, "LMIA"), QStringLiteral("1 КБ"));
        });
    }
}

TEST(FrmAbout, CloseButtonAndEscapeCloseTheWindowAndStopTheTimer) {
    for (bool escape : {false, true}) {
        Owner o;
        withAbout(o, [&](FrmAbout& d) {
            if (escape)
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                d.findChild<QPushButton*>("Command3")->click();
            EXPECT_EQ(d.result(), QDialog::Rejected) << escape;
            EXPECT_FALSE(d.findChild<QTimer*>("Timer1")->isActive()) << escape;
        });
    }
}

const QString NoInfoText = QStringLiteral("Не удаётся найти доступную информацию о системе.\r\n"
                                          "Возможно реестр повреждён.");

// This system has no information tool to start: every press says so, the window
// stays open, and since nothing failed, nothing is recorded.
TEST(FrmAbout, SystemButtonSaysTheToolIsMissing) {
    for (const int presses : {1, 2}) {
        Owner o;
        withAbout(o, [&](FrmAbout& d) {
            for (int i = 0; i < presses; ++i)
                d.findChild<QPushButton*>("Command2")->click();
            EXPECT_EQ(d.result(), -1) << presses << ": the window stays open";
        });
        const auto messages = o.platform.messages();
        ASSERT_EQ(messages.size(), std::size_t(presses));
        for (const auto& m : messages) {
            EXPECT_EQ(m.text, NoInfoText);
            EXPECT_EQ(m.title, QStringLiteral("Квиллет"));
            EXPECT_EQ(m.icon, MsgIcon::Exclamation);
            EXPECT_EQ(m.buttons, MsgButtons::Ok);
        }
        EXPECT_TRUE(o.failures.entries.empty()) << presses;
    }
}

void mouse(QWidget* widget, QEvent::Type type, QPoint at) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

TEST(FrmAbout, ContactLinkTurnsRedWhileHeldAndOpensMail) {
    Owner o;
    withAbout(o, [&](FrmAbout& d) {
        QLabel* link = d.findChild<QLabel*>("Label4");
        ASSERT_NE(link, nullptr);
        link->resize(link->sizeHint());
        const auto color = [&] { return link->palette().color(QPalette::WindowText); };
        EXPECT_EQ(color(), QColor(0, 0, 255));

        mouse(link, QEvent::MouseButtonPress, QPoint(2, 2));
        EXPECT_EQ(color(), QColor(255, 0, 0));
        mouse(link, QEvent::MouseButtonRelease, QPoint(2, 2));
        EXPECT_EQ(color(), QColor(0, 0, 255));

        // Released away from the link: no click.
        mouse(link, QEvent::MouseButtonPress, QPoint(2, 2));
        mouse(link, QEvent::MouseButtonRelease, QPoint(-50, -50));
        EXPECT_EQ(color(), QColor(0, 0, 255));
    });
    QStringList urls;
    for (const auto& s : o.platform.shown)
        if (s.kind == QStringLiteral("url"))
            urls << s.text;
    EXPECT_EQ(urls, QStringList{QStringLiteral("mailto:") + ContactAddress});
}

TEST(FrmAbout, TheLinkTakesTheFocusWithTabAndOpensWithEnterOrSpaceAndTheBarIsNamed) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_A}) {
        Owner o;
        withAbout(o, [&](FrmAbout& d) {
            EXPECT_EQ(
                QAccessible::queryAccessibleInterface(d.ProgressBar1)->text(QAccessible::Name),
                QStringLiteral("Загруженность программы"));
            d.show();
            d.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
            EXPECT_EQ(d.focusWidget(), d.Command3); // Enter still closes it at first
            QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
            ASSERT_EQ(d.focusWidget(), d.Label4);
            QTest::keyClick(d.Label4, key);
            EXPECT_TRUE(d.isVisible()) << key;
            d.hide();
        });
        const auto& shown = o.platform.shown;
        EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                                [](const auto& s) { return s.kind == "url"; }),
                  key == Qt::Key_A ? 0 : 1)
            << key;
    }
}

// Every text is shown whole inside the fixed window. With QUILLET_ABOUT_SHOT set
// to a file name, the window's picture is saved there for a look.
TEST(FrmAbout, NothingIsClipped) {
    Owner o;
    o.platform.memory = MemoryStatus{64ull << 30, 63ull << 30};
    o.editor.setText(QString(27500, QLatin1Char('a')));
    withAbout(o, [&](FrmAbout& d) {
        d.layout()->activate();
        const QRect inside = d.rect();
        for (QWidget* w : d.findChildren<QWidget*>()) {
            if (!w->isVisibleTo(&d))
                continue;
            const QString name = w->objectName();
            EXPECT_TRUE(inside.contains(w->geometry())) << name.toStdString();
            if (auto* label = qobject_cast<QLabel*>(w);
                label && !label->wordWrap() && label->pixmap().isNull()) {
                EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                    << name.toStdString();
                EXPECT_GE(label->height(), label->fontMetrics().height()) << name.toStdString();
            }
            if (auto* label = qobject_cast<QLabel*>(w); label && label->wordWrap()) {
                EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                    << name.toStdString();
            }
            if (auto* button = qobject_cast<QPushButton*>(w)) {
                EXPECT_GE(button->width(), button->minimumSizeHint().width()) << name.toStdString();
            }
        }
        const QString shot = qEnvironmentVariable("QUILLET_ABOUT_SHOT");
        if (!shot.isEmpty())
            d.grab().save(shot);
    });
}

} // namespace
} // namespace quillet
