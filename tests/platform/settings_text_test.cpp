#include "platform/settings_text.h"

#include <gtest/gtest.h>

using namespace quillet;

TEST(SettingsText, EachLineIsWhatQSettingsWritesOrDamaged) {
    struct Case {
        QByteArray line;
        SettingsLine kind;
    };
    const Case cases[] = {
        {"", SettingsLine::Blank},
        {" \t ", SettingsLine::Blank},
        {"; a note", SettingsLine::Comment},
        {"  # a note", SettingsLine::Comment},
        {"[%General]", SettingsLine::Section},
        {"  [Font] ", SettingsLine::Section},
        {"[Font", SettingsLine::Damaged},
        {"[]", SettingsLine::Damaged},
        {"[Fo]nt]", SettingsLine::Damaged},
        {"[Font] x", SettingsLine::Damaged},
        {"ToolBar=True", SettingsLine::Entry},
        {"RecentFile=", SettingsLine::Entry},
        {"\tFontSize = 9.75", SettingsLine::Entry},
        {"FontName=\"Times, New\"", SettingsLine::Entry},
        {"RecentFile=/home/\xd0\xb4\xd0\xbe\xd0\xba.txt", SettingsLine::Entry},
        {"Quote=\"a\\\"b\"", SettingsLine::Entry},
        {"Path=C:\\\\", SettingsLine::Entry},
        {"ToolBar", SettingsLine::Damaged},
        {"=True", SettingsLine::Damaged},
        {"  =True", SettingsLine::Damaged},
        // An odd quote or a closing backslash runs the value into the next lines.
        {"FontName=Times\"", SettingsLine::Damaged},
        {"FontName=\"Times", SettingsLine::Damaged},
        {"FontName=Times\\", SettingsLine::Damaged},
        {QByteArray("Tool\0Bar=True", 13), SettingsLine::Damaged},
        {"ToolBar=Tr\x01ue", SettingsLine::Damaged},
        {"ToolBar=\x7f", SettingsLine::Damaged},
        {"RecentFile=\xd0", SettingsLine::Damaged},
        {"RecentFile=\xff\xfe", SettingsLine::Damaged},
    };
    for (const Case& c : cases)
        EXPECT_EQ(classifySettingsLine(c.line), c.kind) << c.line.toStdString();
}

TEST(SettingsText, ADamagedTextKeepsItsSoundLinesUnlessItIsJunk) {
    struct Case {
        const char* name;
        QByteArray text;
        bool damaged;
        QByteArray sound;
    };
    const QByteArray sound = "[%General]\nToolBar=True\n\n[Font]\nFontSize=12\n";
    const Case cases[] = {
        {"sound", sound, false, sound},
        {"sound, CR LF and no final break", "[%General]\r\nToolBar=True\r\n\r\n[Font]\rFontSize=12",
         false, sound},
        {"a line without '='", "[%General]\nToolBar=True\nnonsense\n\n[Font]\nFontSize=12\n", true,
         sound},
        // The keys under a broken heading have no section to go to.
        {"a broken section", "[%General]\nToolBar=True\n\n[Font\nFontSize=12\n\n[Flags]\nA=1\n",
         true, "[%General]\nToolBar=True\n\n[Flags]\nA=1\n"},
        {"an odd quote", "[%General]\nToolBar=\"True\n\n[Font]\nFontSize=12\n", true,
         "[%General]\n\n[Font]\nFontSize=12\n"},
        {"a NUL byte: binary junk", QByteArray("[%General]\nToolBar=True\n\0\n", 25), true, {}},
        {"too large", sound + QByteArray(SettingsFileLimit, ' '), true, {}},
        {"empty", "", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingsTextCheck check = checkSettingsText(c.text);
        EXPECT_EQ(check.damaged, c.damaged);
        EXPECT_EQ(check.sound, c.sound);
    }
}
