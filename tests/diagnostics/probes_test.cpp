#include "diagnostics/mdl_functions_memory.h"
#include "diagnostics/mdl_other.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

using test::ScriptedPlatform;

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

TEST(RegistryDecoding, ByType) {
    struct Case {
        const char* name;
        std::uint32_t type;
        QByteArray data;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"string with its NUL", 1, QByteArray("Windows XP", 11), QStringLiteral("Windows XP")},
        {"string without NUL", 1, QByteArray("Windows 98"), QStringLiteral("Windows 98")},
        {"only the last NUL goes", 1, QByteArray("ab\0\0", 4), QStringLiteral("ab") + QChar(0)},
        {"empty string", 1, QByteArray(), QString()},
        {"Cyrillic in Windows-1251", 1, bytes({0xCF, 0xF3, 0xF2, 0xFC, 0}), QStringLiteral("Путь")},
        {"number, bytes below 0x10", 4, bytes({3, 2, 1, 0}), QStringLiteral("66051")},
        {"number 1", 4, bytes({1, 0, 0, 0}), QStringLiteral("1")},
        {"number 0x10", 4, bytes({0x10, 0, 0, 0}), QStringLiteral("16")},
        {"number, high byte set", 4, bytes({0xFF, 0xFF, 0xFF, 0xFF}), QStringLiteral("4294967295")},
        {"number 0x12345678", 4, bytes({0x78, 0x56, 0x34, 0x12}), QStringLiteral("305419896")},
        {"number zero", 4, bytes({0, 0, 0, 0}), QStringLiteral("0")},
        {"binary is not decoded", 3, bytes({1, 2, 3}), std::nullopt},
        {"multi-string is not decoded", 7, QByteArray("a\0b\0\0", 5), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeRegistryValue(c.type, c.data), c.expected) << c.name;
}

TEST(RegistryReader, ReadsFailsAndKeepsUnknownTypes) {
    ScriptedPlatform platform;
    const QString key = QStringLiteral("SOFTWARE\\Test");
    const auto put = [&](const char* name, std::uint32_t type, QByteArray data) {
        platform.registry[HkeyLocalMachine + QLatin1Char('\\') + key + QLatin1Char('\\') +
                          QLatin1String(name)] = RegistryValue{type, std::move(data)};
    };
    put("Text", 1, QByteArray("value", 6));
    put("Number", 4, bytes({3, 2, 1, 0}));
    put("Binary", 3, bytes({1, 2}));
    put("Largest", 1, QByteArray(RegistryBufferSize, 'x'));
    put("TooLong", 1, QByteArray(RegistryBufferSize + 1, 'x'));

    struct Case {
        const char* name;
        bool ok;
        QString result; // starting from "previous"
    };
    const Case cases[] = {
        {"Text", true, QStringLiteral("value")},
        {"Number", true, QStringLiteral("66051")},
        {"Binary", true, QStringLiteral("previous")},
        {"Largest", true, QString(RegistryBufferSize, QLatin1Char('x'))},
        {"TooLong", false, QString()},
        {"Missing", false, QString()},
    };
    for (const Case& c : cases) {
        QString result = QStringLiteral("previous");
        EXPECT_EQ(
            ReadRegistryString(platform, HkeyLocalMachine, key, QLatin1String(c.name), result),
            c.ok)
            << c.name;
        EXPECT_EQ(result, c.result) << c.name;
    }
}

TEST(WindowsName, RegistryFirstThenTheNtKeyThenThePlatform) {
    const QString nine =
        HkeyLocalMachine +
        QStringLiteral("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProductName");
    const QString nt =
        HkeyLocalMachine +
        QStringLiteral("\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProductName");
    struct Case {
        const char* name;
        std::optional<QByteArray> first, second;
        QString product;
        QString expected;
    };
    const Case cases[] = {
        {"first key", QByteArray("Windows 98", 11), QByteArray("Other", 6), "Linux", "Windows 98"},
        {"empty first key", QByteArray("", 1), QByteArray("Windows XP", 11), "Linux", "Windows XP"},
        {"only the NT key", std::nullopt, QByteArray("Windows 2000", 13), "Linux", "Windows 2000"},
        {"no registry", std::nullopt, std::nullopt, "Debian GNU/Linux 12 (bookworm)",
         "Debian GNU/Linux 12 (bookworm)"},
        {"nothing known", std::nullopt, std::nullopt, "", ""},
    };
    for (const Case& c : cases) {
        ScriptedPlatform platform;
        platform.product = c.product;
        if (c.first)
            platform.registry[nine] = RegistryValue{1, *c.first};
        if (c.second)
            platform.registry[nt] = RegistryValue{1, *c.second};
        EXPECT_EQ(GetWindowsName(platform), c.expected) << c.name;
    }
}

TEST(WindowsVersion, MinorHasTwoDigits) {
    struct Case {
        int major, minor, build;
        const char* expected;
    };
    const Case cases[] = {
        {5, 1, 2600, "5.01.2600"}, {4, 0, 950, "4.00.950"},  {4, 10, 1998, "4.10.1998"},
        {6, 1, 0, "6.01.0"},       {10, 100, 7, "10.100.7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatWindowsVersion(c.major, c.minor, c.build), QLatin1String(c.expected));

    ScriptedPlatform platform;
    QString sp = QStringLiteral("x");
    QString version = QStringLiteral("x");
    platform.version = OsVersion{5, 1, 2600, QStringLiteral("Service Pack 2") + QChar(0) + "junk"};
    GetWindowsVersion(platform, sp, version);
    EXPECT_EQ(sp, QStringLiteral("Service Pack 2"));
    EXPECT_EQ(version, QStringLiteral("5.01.2600"));

    platform.version.reset();
    GetWindowsVersion(platform, sp, version);
    EXPECT_EQ(sp, QString());
    EXPECT_EQ(version, QString());
}

TEST(WindowsName, Classification) {
    struct Case {
        const char* name;
        bool nineX;
        bool noLayers;
    };
    const Case cases[] = {
        {"Microsoft Windows 95", true, true},
        {"Microsoft Windows 98", true, true},
        {"Microsoft Windows Me", true, true},
        {"Windows ME", true, true},
        {"Microsoft Windows NT", false, true},
        {"windows nt", false, true},
        {"Microsoft Windows XP", false, false},
        {"Windows 2000", false, false},
        {"Debian GNU/Linux 12 (bookworm)", false, false},
        {"8", false, false},
        {"", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsWindows9x(QString::fromUtf8(c.name)), c.nineX) << c.name;
        EXPECT_EQ(LacksLayeredWindows(QString::fromUtf8(c.name)), c.noLayers) << c.name;
    }
}

TEST(StringHelpers, AddBackslashAndStripAtNull) {
    struct Case {
        QString in, added, stripped;
    };
    const QChar nul(0);
    const Case cases[] = {
        {"", "/", ""},
        {"/", "/", "/"},
        {"/home/work", "/home/work/", "/home/work"},
        {"/home/work/", "/home/work/", "/home/work/"},
        {QStringLiteral("ab") + nul + "cd", QStringLiteral("ab") + nul + "cd/", "ab"},
        {QString(nul) + "x", QString(nul) + "x/", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AddBackslash(c.in), c.added) << c.in.toStdString();
        EXPECT_EQ(StripAtNull(c.in), c.stripped) << c.in.toStdString();
    }
}

TEST(FolderProbes, EndInTheSeparatorOrAreEmpty) {
    struct Case {
        QString reported;
        QString expected;
    };
    const Case cases[] = {
        {"/etc", "/etc/"},
        {"/usr/lib/", "/usr/lib/"},
        {QStringLiteral("/etc") + QChar(0) + "     ", "/etc/"},
        {"", ""},
        {QString(QChar(0)), ""},
    };
    for (const Case& c : cases) {
        ScriptedPlatform platform;
        platform.winFolder = c.reported;
        platform.sysFolder = c.reported;
        EXPECT_EQ(GetWindowsFolder(platform), c.expected);
        EXPECT_EQ(GetSystemFolder(platform), c.expected);
    }
}

TEST(FolderProbes, TempFromTempElseTmpdir) {
    struct Case {
        const char* name;
        QString temp, tmpdir, expected;
    };
    const Case cases[] = {
        {"Temp without separator", "/var/tmp", "/tmp", "/var/tmp/"},
        {"Temp with separator", "/var/tmp/", "", "/var/tmp/"},
        {"only TMPDIR", "", "/tmp", "/tmp/"},
        {"neither", "", "", ""},
    };
    for (const Case& c : cases) {
        ScriptedPlatform platform;
        if (!c.temp.isEmpty())
            platform.env[QStringLiteral("Temp")] = c.temp;
        if (!c.tmpdir.isEmpty())
            platform.env[QStringLiteral("TMPDIR")] = c.tmpdir;
        EXPECT_EQ(GetTempFolder(platform), c.expected) << c.name;
    }
}

TEST(MemoryProbe, SixtyFourBitsAndZeroWhenUnknown) {
    struct Case {
        std::optional<MemoryStatus> status;
        std::int64_t total, available;
    };
    const Case cases[] = {
        {MemoryStatus{536870912, 1000}, 536870912, 1000},
        {MemoryStatus{(1ull << 31) + 5, 1ull << 32}, (1ll << 31) + 5, 1ll << 32},
        {MemoryStatus{64ull << 40, 3ull << 40}, 64ll << 40, 3ll << 40},
        {std::nullopt, 0, 0},
    };
    for (const Case& c : cases) {
        ScriptedPlatform platform;
        platform.memory = c.status;
        std::int64_t total = -1;
        std::int64_t available = -1;
        GetMemoryStatus(platform, total, available);
        EXPECT_EQ(total, c.total);
        EXPECT_EQ(available, c.available);
    }
}

} // namespace
} // namespace quillet
