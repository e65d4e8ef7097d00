#include "documents/document_reader.h"
#include "documents/text_file.h"
#include "platform/failure.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace quillet {
namespace {

using test::readFile;
using test::writeFile;

class Files : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    static int failureNumber(const std::function<void()>& action) {
        try {
            action();
        } catch (const Failure& f) {
            return f.number();
        }
        return 0;
    }
    // Entries of the folder, hidden ones included (a temporary left behind shows).
    QStringList entries() const {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
};

TEST_F(Files, ReadFailuresCarryTheirNumbers) {
    writeFile(path("plain"), "x");
    QDir().mkpath(path("folder"));
    struct Case {
        QString path;
        int number;
    };
    const Case cases[] = {
        {path("missing.txt"), err::FileNotFound},
        {path("nofolder/missing.txt"), err::PathNotFound},
        {path("plain/inside.txt"), err::PathNotFound},      // a file where a folder should be
        {path("folder"), err::PathFileAccess},              // a folder where a file should be
        {path("pipe"), err::PathFileAccess},                // nobody writes: must not wait
        {QStringLiteral("/dev/null"), err::PathFileAccess}, // a device, not a document
    };
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    for (const Case& c : cases)
        EXPECT_EQ(failureNumber([&] { readDocumentFile(c.path, {}); }), c.number)
            << c.path.toStdString();
    EXPECT_EQ(readDocumentFile(path("plain"), {}).paragraphs, QStringLiteral("x"));
}

TEST_F(Files, AFileReadsTheSameWhereverItsPiecesEnd) {
    // Reading from disk goes a piece at a time, the pieces sized to the file:
    // files just around the piece sizes, with the first non-ASCII byte (where
    // the UTF-8 check starts) near a piece's end, read as the same bytes do
    // from memory.
    const qsizetype Kb = 1024;
    const QByteArray cyrillic = QByteArray::fromHex("cff0e8e2e5f2"); // "Привет" in Windows-1251
    const QByteArray utf8 = QByteArray::fromHex("d09fd180d0b8d0b2d0b5d182"); // "Привет" in UTF-8
    int n = 0;
    for (qsizetype size : {qsizetype(1), 64 * Kb - 1, 64 * Kb, 64 * Kb + 1, 1024 * Kb - 1,
                           1024 * Kb + 1, 1024 * Kb + 70 * Kb}) {
        for (const QByteArray& word : {cyrillic, utf8}) {
            QByteArray file;
            while (file.size() < size)
                file += file.size() % 50 == 48 ? QByteArray("\r\n") : QByteArray("a");
            file.truncate(size);
            // The word sits just before the first piece of a megabyte ends, and
            // again near the end of the file.
            file.replace(std::max<qsizetype>(0, std::min(size, 1024 * Kb) - 8), 0, word);
            file += word;
            const QString name = path(QStringLiteral("piece%1").arg(n++));
            writeFile(name, file);
            const DocumentText fromDisk = readDocumentFile(name, {});
            const DocumentText fromMemory = readDocument(file, {});
            EXPECT_EQ(fromDisk.format, fromMemory.format) << size;
            EXPECT_EQ(fromDisk.paragraphs, fromMemory.paragraphs) << size;
            EXPECT_EQ(fromDisk.breaks, fromMemory.breaks) << size;
            EXPECT_TRUE(fromDisk.paragraphs.endsWith(QStringLiteral("Привет"))) << size;
        }
    }
}

TEST_F(Files, WritesNewFilesWithTheUsualPermissions) {
    const mode_t old = ::umask(022);
    writeFileReplacing(path("new.txt"), "abc\r\n");
    ::umask(old);
    EXPECT_EQ(readFile(path("new.txt")), QByteArray("abc\r\n"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path("new.txt")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("new.txt")});
}

TEST_F(Files, ReplacingKeepsPermissionsAndFollowsLinks) {
    writeFile(path("old.txt"), "old content that is longer");
    ASSERT_EQ(::chmod(QFile::encodeName(path("old.txt")).constData(), 0640), 0);
    writeFileReplacing(path("old.txt"), "new");
    EXPECT_EQ(readFile(path("old.txt")), QByteArray("new"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path("old.txt")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    ASSERT_TRUE(QFile::link(path("old.txt"), path("link.txt")));
    writeFileReplacing(path("link.txt"), "through the link");
    EXPECT_TRUE(QFileInfo(path("link.txt")).isSymLink());
    EXPECT_EQ(readFile(path("old.txt")), QByteArray("through the link"));
    EXPECT_EQ(entries().size(), 2);
}

TEST_F(Files, WriteFailuresCarryTheirNumbersAndLeaveNothingBehind) {
    writeFile(path("plain"), "keep");
    QDir().mkpath(path("folder"));
    writeFile(path("folder/inside.txt"), "inside");
    struct Case {
        QString path;
        int number;
    };
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    const Case cases[] = {
        {path("folder"), err::PathFileAccess},
        {path("pipe"), err::PathFileAccess},
        {path("plain/a.txt"), err::PathNotFound},
        {path("nofolder/a.txt"), err::PathNotFound},
    };
    for (const Case& c : cases)
        EXPECT_EQ(failureNumber([&] { writeFileReplacing(c.path, "data"); }), c.number)
            << c.path.toStdString();
    EXPECT_EQ(readFile(path("plain")), QByteArray("keep"));
    EXPECT_EQ(readFile(path("folder/inside.txt")), QByteArray("inside"));
    struct stat pipe {};
    ASSERT_EQ(::lstat(QFile::encodeName(path("pipe")).constData(), &pipe), 0);
    EXPECT_TRUE(S_ISFIFO(pipe.st_mode)) << "the pipe was replaced";
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("folder"), QStringLiteral("pipe"),
                                      QStringLiteral("plain")}));
}

// A write that runs out of room half way (here: a file-size limit, as a full disk
// would) leaves the old file whole and no temporary behind.
TEST_F(Files, AFailedWriteLeavesTheOldFileWhole) {
    const QByteArray old = "the old document\r\n";
    writeFile(path("doc.txt"), old);

    int number = 0;
    {
        const test::FileSizeLimit limit(8);
        ASSERT_TRUE(limit.applied());
        number = failureNumber([&] { writeFileReplacing(path("doc.txt"), QByteArray(4096, 'n')); });
    }

    EXPECT_NE(number, 0);
    EXPECT_EQ(readFile(path("doc.txt")), old);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("doc.txt")});
}

// A file with a second name is the same file under both names: saving through
// either shows the new text under both, whether it grows or shrinks.
TEST_F(Files, AFileWithTwoNamesIsWrittenInPlace) {
    const QByteArray a = QFile::encodeName(path("a.txt"));
    const QByteArray b = QFile::encodeName(path("b.txt"));
    writeFile(path("a.txt"), "the first text");
    ASSERT_EQ(::link(a.constData(), b.constData()), 0);
    struct stat before {};
    ASSERT_EQ(::stat(a.constData(), &before), 0);

    const QByteArray texts[] = {"a much longer second text\r\n", "short", ""};
    for (const QByteArray& text : texts) {
        writeFileReplacing(path("a.txt"), text);
        EXPECT_EQ(readFile(path("a.txt")), text);
        EXPECT_EQ(readFile(path("b.txt")), text);
        struct stat after {};
        ASSERT_EQ(::stat(a.constData(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
    }
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
}

// Written in place, a text that does not fit (a file-size limit standing in for
// a full disk) is refused before the old text is touched.
TEST_F(Files, AnInPlaceWriteThatCannotFitLeavesTheOldText) {
    const QByteArray old = "the old document\r\n";
    writeFile(path("doc.txt"), old);
    ASSERT_EQ(::link(QFile::encodeName(path("doc.txt")).constData(),
                     QFile::encodeName(path("other.txt")).constData()),
              0);

    int number = 0;
    {
        const test::FileSizeLimit limit(64);
        ASSERT_TRUE(limit.applied());
        number = failureNumber([&] { writeFileReplacing(path("doc.txt"), QByteArray(4096, 'n')); });
    }

    EXPECT_NE(number, 0);
    EXPECT_EQ(readFile(path("doc.txt")), old);
    EXPECT_EQ(readFile(path("other.txt")), old);
}

// Content made while it is written: the file holds every piece in order, both
// when a new file takes the old one's place and when a file with two names is
// written where it is.
TEST_F(Files, ContentMadeInPiecesIsWrittenWhole) {
    QByteArray whole;
    std::vector<QByteArray> pieces;
    for (int i = 0; i < 300; ++i) {
        pieces.push_back(QByteArray(i * 37 % 5000, char('a' + i % 26)) + "\r\n");
        whole += pieces.back();
    }
    const FileContent content{whole.size(),
                              [&pieces](const FileContent::Sink& sink) {
                                  for (const QByteArray& piece : pieces)
                                      sink(piece.constData(), piece.size());
                              },
                              {}};
    writeFile(path("single.txt"), "old");
    writeFile(path("linked.txt"), "old");
    ASSERT_EQ(::link(QFile::encodeName(path("linked.txt")).constData(),
                     QFile::encodeName(path("second name.txt")).constData()),
              0);
    for (const char* name : {"new.txt", "single.txt", "linked.txt"}) {
        writeFileReplacing(path(name), content);
        EXPECT_EQ(readFile(path(name)), whole) << name;
    }
    EXPECT_EQ(readFile(path("second name.txt")), whole);
    EXPECT_EQ(entries(),
              (QStringList{QStringLiteral("linked.txt"), QStringLiteral("new.txt"),
                           QStringLiteral("second name.txt"), QStringLiteral("single.txt")}));
}

// Content that stops part way (no memory for the next piece, another failure)
// or does not give the bytes it promised leaves the old file as it was and no
// temporary behind, also where the file is written in place.
TEST_F(Files, ContentThatFailsPartWayLeavesTheOldFile) {
    const QByteArray old = "the old document\r\n";
    const QByteArray piece(64 * 1024, 'n');
    struct Case {
        const char* name;
        qint64 size;
        int pieces;   // given before the failure
        int thrown;   // 0: nothing thrown, 7: std::bad_alloc, else a Failure's number
        int expected; // the failure number the write ends with
    };
    const Case cases[] = {
        {"no memory part way", 10 * piece.size(), 3, 7, 7},
        {"a failure part way", 10 * piece.size(), 5, 1234, 1234},
        {"a failure before any byte", 10 * piece.size(), 0, 1234, 1234},
        {"fewer bytes than promised", 10 * piece.size(), 9, 0, 51},
        {"more bytes than promised", 2 * piece.size(), 3, 0, 51},
    };
    for (const bool twoNames : {false, true}) {
        for (const Case& c : cases) {
            const QString trace = QString::fromLatin1(c.name) + (twoNames ? " (two names)" : "");
            QDir(dir.path()).removeRecursively();
            QDir().mkpath(dir.path());
            writeFile(path("doc.txt"), old);
            if (twoNames) {
                ASSERT_EQ(::link(QFile::encodeName(path("doc.txt")).constData(),
                                 QFile::encodeName(path("other.txt")).constData()),
                          0);
            }
            const FileContent content{c.size,
                                      [&](const FileContent::Sink& sink) {
                                          for (int i = 0; i < c.pieces; ++i)
                                              sink(piece.constData(), piece.size());
                                          if (c.thrown == 7)
                                              throw std::bad_alloc();
                                          if (c.thrown != 0)
                                              throw Failure(c.thrown, QStringLiteral("stop"));
                                      },
                                      {}};
            const std::optional<Failure> failure =
                trapFailure([&] { writeFileReplacing(path("doc.txt"), content); });
            ASSERT_TRUE(failure.has_value()) << trace.toStdString();
            EXPECT_EQ(failure->number(), c.expected) << trace.toStdString();
            EXPECT_EQ(readFile(path("doc.txt")), old) << trace.toStdString();
            QStringList expectedEntries{QStringLiteral("doc.txt")};
            if (twoNames)
                expectedEntries << QStringLiteral("other.txt");
            EXPECT_EQ(entries(), expectedEntries) << trace.toStdString();
        }
    }
}

} // namespace
} // namespace quillet
