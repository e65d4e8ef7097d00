#include "shell/program_options.h"

#include <QSet>

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(InformationReply, OnlyALoneRequestWithoutSuchAFileIsAnswered) {
    enum Reply { Starts, Usage, Version };
    const struct {
        QStringList arguments;
        bool fileExists; // a file named like the first argument exists
        Reply reply;
    } cases[] = {
        {{"--help"}, false, Usage},
        {{"-h"}, false, Usage},
        {{"--version"}, false, Version},
        {{"-v"}, false, Version},
        // A file of that name is a document, as it always was.
        {{"--help"}, true, Starts},
        {{"-v"}, true, Starts},
        // Not alone: part of a path and its switch.
        {{"--help", "/P"}, false, Starts},
        {{"-h", "-v"}, false, Starts},
        // Anything else is a path.
        {{}, false, Starts},
        {{"--HELP"}, false, Starts},
        {{"-help"}, false, Starts},
        {{"notes.txt"}, false, Starts},
        {{"/no/such/file.txt"}, false, Starts},
    };
    for (const auto& c : cases) {
        QSet<QString> asked;
        const auto exists = [&](const QString& path) {
            asked.insert(path);
            return c.fileExists;
        };
        const std::optional<QString> reply = InformationReply(c.arguments, exists);
        const std::string what = c.arguments.join(QLatin1Char(' ')).toStdString();
        switch (c.reply) {
        case Starts:
            EXPECT_FALSE(reply.has_value()) << what;
            break;
        case Usage:
            ASSERT_TRUE(reply.has_value()) << what;
            EXPECT_EQ(*reply, UsageText()) << what;
            break;
        case Version:
            ASSERT_TRUE(reply.has_value()) << what;
            EXPECT_EQ(*reply, VersionText()) << what;
            break;
        }
        if (c.reply != Starts) {
            EXPECT_TRUE(asked.contains(c.arguments.constFirst())) << what;
        }
    }
}

TEST(InformationReply, UsageNamesEveryWayToStartAndTheVersionIsOne) {
    const QString usage = UsageText();
    for (const char* part :
         {"Использование: quillet", " /P", " /A", " /L", "--help", "--version", "-h", "-v"})
        EXPECT_TRUE(usage.contains(QString::fromUtf8(part))) << part;
    EXPECT_TRUE(usage.endsWith(QLatin1Char('\n')));
    // One version everywhere: the printed one and the one the About window and
    // the error report build from its parts.
    EXPECT_TRUE(VersionText().contains(QStringLiteral(QUILLET_VERSION)));
    EXPECT_EQ(QStringLiteral(QUILLET_VERSION),
              QStringLiteral("%1.%2").arg(QUILLET_VERSION_MAJOR).arg(QUILLET_VERSION_MINOR));
}

} // namespace
} // namespace quillet
