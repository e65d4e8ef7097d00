// A file written in place is copied first; the copy and the record of the save
// go once the new text is synced, and a record left by a run that ended in the
// middle names the copy at the next start.

#include "documents/save_journal.h"
#include "documents/text_file.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include <gtest/gtest.h>

namespace quillet {
namespace {

using test::readFile;
using test::writeFile;

class SaveJournal : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    QString state() const { return dir.filePath(QStringLiteral("state")); }
    QStringList entries(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

TEST_F(SaveJournal, AnInPlaceSaveLeavesNoCopyAndNoRecordBehind) {
    writeFile(path("doc.txt"), "old text");
    ASSERT_EQ(::link(QFile::encodeName(path("doc.txt")).constData(),
                     QFile::encodeName(path("other name.txt")).constData()),
              0);
    writeFileReplacing(path("doc.txt"), QByteArray("new text"), state());
    EXPECT_EQ(readFile(path("other name.txt")), QByteArray("new text"));
    EXPECT_EQ(entries(dir.path()), (QStringList{"doc.txt", "other name.txt"}));
    EXPECT_TRUE(entries(state()).isEmpty());
}

TEST_F(SaveJournal, CopyingALargeOldTextTellsItsProgressEveryMegabyte) {
    constexpr qint64 Size = (5 << 20) / 2;
    writeFile(path("doc.txt"), QByteArray(Size, 'a'));
    std::vector<qint64> told;
    const OldTextCopy kept = keepOldText(QFile::encodeName(path("doc.txt")), path("doc.txt"),
                                         state(), [&told](qint64 done, qint64 total) {
                                             EXPECT_EQ(total, Size);
                                             told.push_back(done);
                                         });
    EXPECT_EQ(told, (std::vector<qint64>{1 << 20, 2 << 20, Size}));
    EXPECT_EQ(readFile(QFile::decodeName(kept.copy)).size(), Size);
    dropOldText(kept);
}

TEST_F(SaveJournal, ARecordLeftBehindNamesTheCopyOfTheOldTextOnce) {
    writeFile(path("doc.txt"), "old text");
    // What a run leaves when it ends between the copy and the new text.
    const OldTextCopy kept =
        keepOldText(QFile::encodeName(path("doc.txt")), path("doc.txt"), state());
    EXPECT_EQ(kept.copy, QFile::encodeName(path("doc.txt.quillet-old")));
    EXPECT_EQ(readFile(QFile::decodeName(kept.copy)), QByteArray("old text"));
    // A second copy beside the first takes a free name.
    const OldTextCopy second =
        keepOldText(QFile::encodeName(path("doc.txt")), path("doc.txt"), state());
    EXPECT_EQ(second.copy, QFile::encodeName(path("doc.txt.quillet-old-2")));

    // This process's own record stands for an earlier one with its number.
    const std::vector<InterruptedSave> found = takeInterruptedSaves(state());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].path, path("doc.txt"));
    EXPECT_EQ(found[0].copy, path("doc.txt.quillet-old-2"));
    EXPECT_TRUE(takeInterruptedSaves(state()).empty());
    // The copies are the user's text: they stay.
    EXPECT_TRUE(QFile::exists(path("doc.txt.quillet-old")));

    // A record whose copy is gone says nothing; one of a running process stays.
    writeFile(state() + "/save-1.record", QByteArray("quillet-save\0/a\0/b\0", 19));
    writeFile(state() + "/save-999999999.record", QByteArray("quillet-save\0/a\0/b\0", 19));
    EXPECT_TRUE(takeInterruptedSaves(state()).empty());
    EXPECT_EQ(entries(state()), QStringList{"save-1.record"});
}

} // namespace
} // namespace quillet
