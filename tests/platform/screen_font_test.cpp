// The face the editor shows for a chosen font: the Windows dialog font the
// program starts with is shown in the desktop's interface font where the system
// lacks it; every other font, and every size and style, is shown as chosen.

#include "platform/screen_font.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

QFont styled(const QString& family) {
    QFont f(family);
    f.setPointSizeF(9.75);
    f.setBold(true);
    f.setItalic(true);
    f.setUnderline(true);
    f.setStrikeOut(true);
    return f;
}

TEST(ScreenFace, OnlyAMissingWindowsDialogFontIsShownInTheInterfaceFont) {
    const QStringList installed = {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif")};
    struct Case {
        const char* name;
        QString family;
        QStringList installed;
        QString interfaceFamily;
        QString shown;
    };
    const Case cases[] = {
        {"missing: the interface font", QStringLiteral("MS Sans Serif"), installed,
         QStringLiteral("Cantarell"), QStringLiteral("Cantarell")},
        {"the name in any letter case", QStringLiteral("ms sans serif"), installed,
         QStringLiteral("Noto Sans"), QStringLiteral("Noto Sans")},
        {"installed: itself", QStringLiteral("MS Sans Serif"),
         installed + QStringList{QStringLiteral("ms sans serif")}, QStringLiteral("Cantarell"),
         QStringLiteral("MS Sans Serif")},
        {"an installed font", QStringLiteral("DejaVu Serif"), installed,
         QStringLiteral("Cantarell"), QStringLiteral("DejaVu Serif")},
        {"another missing font is left to the system", QStringLiteral("Arial"), installed,
         QStringLiteral("Cantarell"), QStringLiteral("Arial")},
        {"a similar name is another font", QStringLiteral("MS Sans Serif 2"), installed,
         QStringLiteral("Cantarell"), QStringLiteral("MS Sans Serif 2")},
        {"no interface font known", QStringLiteral("MS Sans Serif"), installed, QString(),
         QStringLiteral("MS Sans Serif")},
    };
    for (const Case& c : cases) {
        const QFont chosen = styled(c.family);
        const QFont shown = screenFace(chosen, c.installed, c.interfaceFamily);
        EXPECT_EQ(shown.family(), c.shown) << c.name;
        // Size and style are the chosen ones whatever the face.
        EXPECT_DOUBLE_EQ(shown.pointSizeF(), 9.75) << c.name;
        EXPECT_TRUE(shown.bold() && shown.italic() && shown.underline() && shown.strikeOut())
            << c.name;
    }
}

} // namespace
} // namespace quillet
