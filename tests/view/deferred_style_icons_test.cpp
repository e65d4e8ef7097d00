// The style that reads the overflow buttons' pictures only when one is drawn:
// nothing is read while menu bars and toolbars are built, and what is drawn is
// the picture the style underneath gives.

#include "view/deferred_style_icons.h"

#include <QApplication>
#include <QCommonStyle>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace quillet {
namespace {

// Fusion, counting how often it is asked for an overflow button's picture.
class CountingStyle : public QProxyStyle {
public:
    CountingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("fusion"))) {}
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (DeferredIconStyle::defers(icon))
            ++asked;
        return QProxyStyle::standardIcon(icon, option, widget);
    }
    mutable int asked = 0;
};

QImage picture(const QIcon& icon, const QSize& size) {
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
}

QIcon fusionIcon(QStyle::StandardPixmap which, Qt::LayoutDirection direction) {
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    QStyleOption option;
    option.direction = direction;
    return fusion->standardIcon(which, &option);
}

TEST(DeferredStyleIcons, DrawTheSamePicturesAsTheStyleUnderneath) {
    DeferredIconStyle style(QStringLiteral("fusion"));
    struct Case {
        const char* name;
        QStyle::StandardPixmap which;
        Qt::LayoutDirection direction;
    };
    const Case cases[] = {
        {"horizontal overflow", QStyle::SP_ToolBarHorizontalExtensionButton, Qt::LeftToRight},
        {"horizontal overflow, right to left", QStyle::SP_ToolBarHorizontalExtensionButton,
         Qt::RightToLeft},
        {"vertical overflow", QStyle::SP_ToolBarVerticalExtensionButton, Qt::LeftToRight},
        {"a picture passed through", QStyle::SP_MessageBoxWarning, Qt::LeftToRight},
        {"another passed through", QStyle::SP_ArrowBack, Qt::RightToLeft},
    };
    for (const Case& c : cases) {
        QStyleOption option;
        option.direction = c.direction;
        const QIcon deferred = style.standardIcon(c.which, &option);
        const QIcon expected = fusionIcon(c.which, c.direction);
        ASSERT_FALSE(expected.isNull()) << c.name;
        EXPECT_FALSE(deferred.isNull()) << c.name;
        EXPECT_EQ(deferred.availableSizes(), expected.availableSizes()) << c.name;
        for (const QSize size : {QSize(8, 8), QSize(16, 16), QSize(24, 24), QSize(40, 40)}) {
            EXPECT_EQ(deferred.actualSize(size), expected.actualSize(size)) << c.name;
            const QImage got = picture(deferred, size);
            EXPECT_FALSE(got.isNull()) << c.name;
            EXPECT_EQ(got, picture(expected, size)) << c.name << " at " << size.width();
        }
    }
    // The two directions really are different pictures, so the direction counts.
    EXPECT_NE(picture(fusionIcon(QStyle::SP_ToolBarHorizontalExtensionButton, Qt::LeftToRight),
                      QSize(16, 16)),
              picture(fusionIcon(QStyle::SP_ToolBarHorizontalExtensionButton, Qt::RightToLeft),
                      QSize(16, 16)));
}

TEST(DeferredStyleIcons, MenuBarsAndToolbarsReadNoOverflowPictureUntilOneIsDrawn) {
    auto* counting = new CountingStyle;
    QPointer<QStyle> previous = QApplication::style();
    const QString previousName = previous ? previous->name() : QStringLiteral("fusion");
    QApplication::setStyle(new DeferredIconStyle(counting));
    {
        QMainWindow window;
        QMenuBar* bar = window.menuBar();
        bar->addMenu(QStringLiteral("Файл"));
        QToolBar* tools = window.addToolBar(QStringLiteral("Стандартная"));
        tools->addAction(QStringLiteral("Создать"));
        EXPECT_EQ(counting->asked, 0);

        // The menu bar's overflow button, drawn: its picture is read then, once.
        auto* overflow = bar->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
        ASSERT_NE(overflow, nullptr);
        const QImage shown = picture(overflow->icon(), QSize(16, 16));
        EXPECT_EQ(counting->asked, 1);
        EXPECT_FALSE(shown.isNull());
        (void)picture(overflow->icon(), QSize(24, 24));
        EXPECT_EQ(counting->asked, 1);
    }
    QApplication::setStyle(previousName);
}

TEST(DeferredStyleIcons, InstalledOverTheCurrentStyleOnlyWhenItCanBeMadeAgain) {
    QApplication::setStyle(QStringLiteral("fusion"));
    installDeferredIconStyle();
    const auto* deferred = dynamic_cast<const DeferredIconStyle*>(QApplication::style());
    ASSERT_NE(deferred, nullptr);
    EXPECT_EQ(deferred->baseStyle()->name(), QStringLiteral("fusion"));

    // A style made without a name (as a program or a theme may make one) stays.
    auto* unnamed = new QCommonStyle;
    QApplication::setStyle(unnamed);
    installDeferredIconStyle();
    EXPECT_EQ(QApplication::style(), unnamed);
    QApplication::setStyle(QStringLiteral("fusion"));
}

TEST(DeferredStyleIcons, AnIconOutlivingItsStyleIsEmptyNotACrash) {
    QIcon icon;
    {
        DeferredIconStyle style(QStringLiteral("fusion"));
        icon = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    }
    EXPECT_TRUE(icon.pixmap(QSize(16, 16)).isNull());
    EXPECT_TRUE(icon.isNull());
}

} // namespace
} // namespace quillet
