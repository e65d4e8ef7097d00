// A file comes back as it went in: an unedited save writes the bytes that were
// read, for files of every kind; another program's change to the file is asked
// about before it is overwritten or while the document could load it again; a
// save a run did not finish is told about at the next start.

#include "documents/save_journal.h"
#include "session/session_fixture.h"

#include <QFile>
#include <QRandomGenerator>

#include <sys/stat.h>
#include <utime.h>

namespace quillet::test {
namespace {

using UneditedSave = SessionTest;

// A random file of one kind: breaks of the kind (or both), perhaps no final
// break, and text in Windows-1251 bytes or UTF-8 (with or without the mark,
// structure characters and bytes that are no UTF-8 among it).
QByteArray randomFile(QRandomGenerator& random, int kind) {
    const bool utf8 = kind >= 3;
    const char* const breaks[] = {"\r\n", "\n"};
    QByteArray file = kind == 5 ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    const QString pieces[] = {QStringLiteral("строка "),    QStringLiteral("\u2028"),
                              QStringLiteral("\u2029"),     QStringLiteral("\uFDD0\uFDD1"),
                              QStringLiteral("\U0001F600"), QStringLiteral("\t x")};
    for (int i = random.bounded(1, 30); i > 0; --i) {
        const int what = random.bounded(10);
        if (what < 3) {
            file += breaks[kind % 3 == 2 ? random.bounded(2) : kind % 3];
        } else if (!utf8) {
            // Any byte but a CR, which alone would become a line break.
            char b = static_cast<char>(random.bounded(256));
            file += b == '\r' ? 'r' : b;
        } else if (what == 9) {
            file += "\xC0\xFF"[random.bounded(2)]; // no part of a UTF-8 sequence
        } else {
            file += pieces[random.bounded(6)].toUtf8();
        }
    }
    if (random.bounded(2))
        file += breaks[kind % 3 == 1 ? 1 : 0];
    return file;
}

TEST_F(UneditedSave, WritesTheSameBytesForFilesOfEveryKind) {
    QRandomGenerator random(5);
    for (int round = 0; round < 240; ++round) {
        const int kind = round % 6;
        const QByteArray file = randomFile(random, kind);
        const QString p = openFile(QStringLiteral("file.txt"), file);
        ASSERT_TRUE(platform.messages().empty()) << file.toHex(' ').constData();
        session().Save();
        // A file without a final break gains one of its own kind.
        QByteArray expected = file;
        if (!file.endsWith('\n')) {
            const qsizetype lf = file.indexOf('\n');
            expected += lf > 0 && file.at(lf - 1) == '\r' ? "\r\n" : lf < 0 ? "\r\n" : "\n";
        }
        EXPECT_EQ(readFile(p).toHex(' '), expected.toHex(' ')) << kind;
        EXPECT_TRUE(editor().breaksConsistent());
    }
}

class OnDisk : public SessionTest {
protected:
    // Another program writes the file: other bytes and another time.
    void changeOnDisk(const QString& p, const QByteArray& bytes, int secondsLater) {
        writeFile(p, bytes);
        struct stat st {};
        ::stat(QFile::encodeName(p).constData(), &st);
        const struct utimbuf times { st.st_atime, st.st_mtime + secondsLater };
        ::utime(QFile::encodeName(p).constData(), &times);
    }
    static QString question(const QString& name, const char16_t* second) {
        return QStringLiteral("Файл ''") + name + QStringLiteral("'' изменён другой программой.") +
               CRLF + QString::fromUtf16(second);
    }
};

TEST_F(OnDisk, AChangeIsOfferedForLoadingOnceWhileTheDocumentIsUnchanged) {
    const QString p = openFile(QStringLiteral("notes.txt"), "first\r\n");
    session().CheckFileOnDisk();
    EXPECT_TRUE(platform.messages().empty()); // nothing changed

    changeOnDisk(p, "second\r\n", 5);
    platform.answerMessage(answer::No);
    session().CheckFileOnDisk();
    ASSERT_EQ(platform.messages().size(), 1u);
    const Shown asked = platform.messages()[0];
    EXPECT_EQ(asked.text, question(QStringLiteral("notes"), u"Загрузить его заново?"));
    EXPECT_EQ(asked.icon, MsgIcon::Question);
    EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
    EXPECT_EQ(asked.defaultButton, answer::Yes);
    EXPECT_EQ(editor().text(), QStringLiteral("first"));
    session().CheckFileOnDisk(); // No: not asked again about the same change
    EXPECT_EQ(platform.messages().size(), 1u);

    changeOnDisk(p, "third\r\n", 10);
    platform.answerMessage(answer::Yes);
    session().CheckFileOnDisk();
    EXPECT_EQ(platform.messages().size(), 2u);
    EXPECT_EQ(editor().text(), QStringLiteral("third"));
    EXPECT_FALSE(doc().TextChange);

    // With unsaved changes nothing is offered: the save asks.
    type(QStringLiteral("my "));
    changeOnDisk(p, "fourth\r\n", 15);
    session().CheckFileOnDisk();
    EXPECT_EQ(platform.messages().size(), 2u);
}

TEST_F(OnDisk, SavingOverAChangeAsksFirstAndAGoneFileIsWrittenAgain) {
    const QString p = openFile(QStringLiteral("notes.txt"), "first\r\n");
    type(QStringLiteral("my "));
    changeOnDisk(p, "theirs\r\n", 5);
    platform.answerMessage(answer::No);
    session().Save();
    ASSERT_EQ(platform.messages().size(), 1u);
    const Shown asked = platform.messages()[0];
    EXPECT_EQ(asked.text,
              question(QStringLiteral("notes"), u"Записать документ поверх этих изменений?"));
    EXPECT_EQ(asked.icon, MsgIcon::Exclamation);
    EXPECT_EQ(asked.defaultButton, answer::No);
    EXPECT_EQ(readFile(p), QByteArray("theirs\r\n"));
    EXPECT_TRUE(doc().TextChange);

    platform.answerMessage(answer::Yes);
    session().Save();
    EXPECT_EQ(readFile(p), QByteArray("my first\r\n"));
    // What the document wrote is no change of another program's.
    type(QStringLiteral("and "));
    session().Save();
    EXPECT_EQ(platform.messages().size(), 2u);

    QFile::remove(p);
    type(QStringLiteral("again "));
    session().Save();
    EXPECT_EQ(platform.messages().size(), 2u);
    EXPECT_EQ(readFile(p), QByteArray("my and again first\r\n"));
}

TEST_F(OnDisk, ASaveARunDidNotFinishIsToldAtTheNextStart) {
    platform.env[QStringLiteral("XDG_STATE_HOME")] = path("state");
    writeFile(path("doc.txt"), "old");
    keepOldText(QFile::encodeName(path("doc.txt")), path("doc.txt"), path("state/Quillet"));
    session().ReportInterruptedSaves();
    ASSERT_EQ(platform.messages().size(), 1u);
    const Shown told = platform.messages()[0];
    EXPECT_EQ(told.text, QStringLiteral("Сохранение файла ''") + path("doc.txt") +
                             QStringLiteral("'' было прервано.\r\nЕго прежний текст сохранён в "
                                            "файле ''") +
                             path("doc.txt.quillet-old") + QStringLiteral("''."));
    EXPECT_EQ(told.icon, MsgIcon::Information);
    EXPECT_EQ(told.title, QStringLiteral("Квиллет"));
    session().ReportInterruptedSaves();
    EXPECT_EQ(platform.messages().size(), 1u);
}

} // namespace
} // namespace quillet::test
