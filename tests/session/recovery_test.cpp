// Unsaved text kept aside: the copy's bytes, when it is written and removed, and
// how the next start offers it back.

#include "session/recovery_copy.h"
#include "session/session_fixture.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

namespace quillet::test {
namespace {

TEST(RecoveryRecord, GivesBackWhatItHoldsAndRefusesWhatIsNotWhole) {
    const RecoveredDocument document{
        QStringLiteral("письмо"), QStringLiteral("/home/u/письмо.txt"),
        FileFormat{TextEncoding::Utf8WithMark, LineBreak::Lf, LineBreak::CrLf},
        QStringLiteral("a\r\nб\nc") + QChar(0xDC01) + QChar(0xDCFF)};
    const QByteArray bytes = recoveryRecord(document);
    const std::optional<RecoveredDocument> back = readRecoveryRecord(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, document.name);
    EXPECT_EQ(back->path, document.path);
    EXPECT_EQ(back->format, document.format);
    EXPECT_EQ(back->text, document.text);

    const QByteArray broken[] = {
        bytes.left(bytes.size() - 1),                          // cut short
        QByteArray("junk") + bytes,                            // not a copy
        QByteArray(bytes).replace("encoding=2", "encoding=9"), // no such encoding
        QByteArray(bytes).replace("length=", "length=x"),
        bytes.left(bytes.indexOf("\n\n")), // no text at all
    };
    for (const QByteArray& b : broken)
        EXPECT_FALSE(readRecoveryRecord(b)) << b.left(60).constData();
}

class Recovery : public SessionTest {
protected:
    void SetUp() override {
        platform.env[QStringLiteral("XDG_STATE_HOME")] = path(QStringLiteral("state"));
        restart(); // a session that keeps its copies in the state folder above
    }
    QString copyPath() const {
        return path(QStringLiteral("state/Quillet/recovery-%1.copy").arg(qint64(::getpid())));
    }
    // Waits for the copy written after typing pauses.
    bool copyWritten() {
        return QTest::qWaitFor([&] { return QFile::exists(copyPath()); }, 5000);
    }
    QString offer(const QString& name) const {
        return QStringLiteral("Найден несохранённый текст документа ''") + name +
               QStringLiteral("''.\r\nВосстановить его?");
    }
};

TEST_F(Recovery, AChangedFileIsKeptAsideUntilSavedAndOfferedBackTiedToItsFile) {
    const QString p = openFile(QStringLiteral("letter.txt"), "one\ntwo\n");
    type(QStringLiteral("new "));
    ASSERT_TRUE(copyWritten());
    session().Save();
    EXPECT_FALSE(QFile::exists(copyPath())); // saved: nothing to keep

    type(QStringLiteral("more "));
    ASSERT_TRUE(copyWritten());
    // The next start (this process's number stands for a process that is gone).
    restart();
    platform.answerMessage(answer::Yes);
    session().OfferRecoveredText();
    ASSERT_EQ(platform.messages().size(), 1u);
    const Shown asked = platform.messages()[0];
    EXPECT_EQ(asked.text, offer(QStringLiteral("letter")));
    EXPECT_EQ(asked.icon, MsgIcon::Question);
    EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
    EXPECT_EQ(asked.defaultButton, answer::Yes);
    EXPECT_EQ(editor().text(), QStringLiteral("new more one\ntwo"));
    EXPECT_EQ(doc().CommonFileName, p);
    EXPECT_TRUE(doc().FileExist);
    EXPECT_TRUE(doc().TextChange);
    EXPECT_EQ(caption(), QStringLiteral("letter - Квиллет"));
    EXPECT_EQ(readFile(p), QByteArray("new one\ntwo\n")); // untouched
    // Enter in the recovered LF document is an LF, and Save writes without asking.
    editor().setSelStart(editor().textLength());
    QTest::keyClick(&editor(), Qt::Key_Return);
    session().Save();
    EXPECT_EQ(readFile(p), QByteArray("new more one\ntwo\n\n"));
    EXPECT_EQ(platform.messages().size(), 1u);
}

TEST_F(Recovery, NoThrowsTheCopyAwayAsDoesGivingUpTheChanges) {
    type(QStringLiteral("draft"));
    ASSERT_TRUE(copyWritten());
    restart();
    platform.answerMessage(answer::No);
    session().OfferRecoveredText();
    EXPECT_EQ(editor().text(), QString());
    EXPECT_FALSE(QFile::exists(copyPath()));
    session().OfferRecoveredText(); // nothing left to offer
    EXPECT_EQ(platform.messages().size(), 1u);

    type(QStringLiteral("second draft"));
    ASSERT_TRUE(copyWritten());
    platform.answerMessage(answer::No);
    session().New();
    EXPECT_FALSE(QFile::exists(copyPath()));
}

// A take in slices, stepped by hand, and what comes between two of its slices.
TEST(RecoveryTake, ACopyHoldsOneStateOfTheTextWhateverComesBetweenSlices) {
    enum Between { Nothing, Edit, WriteNow, Discard };
    for (const Between between : {Nothing, Edit, WriteNow, Discard}) {
        SCOPED_TRACE(int(between));
        QTemporaryDir dir;
        TextBlock editor;
        DocumentState doc;
        doc.TextChange = true;
        RecoveryCopy copy(editor, doc, dir.path());
        copy.setSliceBound(2, 64);
        editor.setText(QStringLiteral("один\r\nдва\nтри\u2029\r\n") + QString(5000, u'ж') +
                       QStringLiteral("\r\nпять"));
        copy.beginTake();
        copy.takeSlice();
        ASSERT_TRUE(copy.taking());
        int slices = 1;
        if (between == Nothing) {
            for (; copy.taking(); ++slices)
                copy.takeSlice();
        } else if (between == Edit) {
            editor.setSelStart(0);
            editor.replaceSelection(QStringLiteral("ноль\r\n")); // what was taken is stale
            EXPECT_FALSE(copy.taking());
            copy.textChanged(); // taken again after the pause
        } else if (between == WriteNow) {
            copy.writeNow();
        } else if (between == Discard) {
            doc.TextChange = false; // saved
            copy.discard();
        }
        EXPECT_FALSE(copy.taking());
        QFile file(copy.filePath());
        if (between == Discard) {
            EXPECT_FALSE(QTest::qWaitFor([&] { return file.exists(); }, 100));
            continue;
        }
        EXPECT_TRUE(between != Nothing || slices > 3);
        ASSERT_TRUE(QTest::qWaitFor([&] { return file.exists(); }, 5000));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(readRecoveryRecord(file.readAll()).value_or(RecoveredDocument{}).text,
                  editor.text());
    }
}

} // namespace
} // namespace quillet::test
