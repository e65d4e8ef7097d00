// The main window and the About window carry the application's icon.

#include "diagnostics/frm_about.h"
#include "support/harness.h"
#include "view/application_icon.h"

#include <QResource>

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(ApplicationIcon, HasTheSizesLaunchersAskFor) {
    const QIcon icon = ApplicationIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_EQ(icon.pixmap(QSize(size, size), 1.0).size(), QSize(size, size)) << size;
}

TEST(ApplicationIcon, EachSizeIsDrawnFromItsOwnPicture) {
    // A size there is a picture for shows that picture, not a smaller one
    // enlarged; a size between pictures is the next larger picture reduced.
    const QString name = QStringLiteral(":/icons/%1/" QUILLET_APP_ID ".png");
    const QIcon icon = ApplicationIcon();
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_EQ(icon.pixmap(QSize(size, size), 1.0).toImage(),
                  QImage(name.arg(size))
                      .convertToFormat(icon.pixmap(QSize(size, size), 1.0).toImage().format()))
            << size;
    EXPECT_EQ(icon.pixmap(QSize(20, 20), 1.0).size(), QSize(20, 20));
    EXPECT_EQ(icon.pixmap(QSize(400, 400), 1.0).size(), QSize(256, 256));
    // The window manager is offered the sizes a title bar and a task switcher
    // draw, not the launcher's large pictures.
    const QList<QSize> offered = icon.availableSizes();
    EXPECT_TRUE(offered.contains(QSize(16, 16)));
    EXPECT_TRUE(offered.contains(QSize(32, 32)));
    for (const QSize& size : offered)
        EXPECT_LE(size.width(), 64);
}

TEST(ApplicationIcon, TheWindowSizesRawPixelsAreThoseOfThePNGs) {
    // The window sizes are read from raw pixels; they must be the PNGs' own
    // (packaging/render-icons.sh writes both).
    for (int size : {16, 24, 32, 48, 64}) {
        const QString stem = QStringLiteral(":/icons/%1/" QUILLET_APP_ID).arg(size);
        const QByteArray pixels = QResource(stem + QStringLiteral(".rgba")).uncompressedData();
        ASSERT_EQ(pixels.size(), size * size * 4) << size;
        const QImage raw(reinterpret_cast<const uchar*>(pixels.constData()), size, size, size * 4,
                         QImage::Format_RGBA8888);
        EXPECT_EQ(raw.convertToFormat(QImage::Format_ARGB32),
                  QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_ARGB32))
            << size;
    }
}

TEST(ApplicationIcon, MainAndAboutWindowsShowIt) {
    test::Harness h;
    FrmMain& w = h.load();
    const QImage icon = ApplicationIcon().pixmap(QSize(32, 32), 1.0).toImage();
    EXPECT_EQ(w.windowIcon().pixmap(QSize(32, 32), 1.0).toImage(), icon);
    QImage about;
    h.platform.answerDialog([&](QDialog& dialog) {
        about = dialog.windowIcon().pixmap(QSize(32, 32), 1.0).toImage();
        return 0;
    });
    w.mnuAbout_Click();
    EXPECT_FALSE(about.isNull());
    EXPECT_EQ(about, icon);
}

} // namespace
} // namespace quillet
