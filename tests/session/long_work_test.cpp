// A long open or save tells how far it is through the session's progress
// signal, and no other document operation starts while it runs.

#include "session/session_fixture.h"

#include <QFile>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <unistd.h>

namespace quillet::test {
namespace {

// A text of several megabytes: the file is read, and written, in pieces of a
// megabyte.
QByteArray longText() {
    const QByteArray line = "\xF1\xF2\xF0\xEE\xEA\xE0 text\r\n";
    QByteArray bytes;
    while (bytes.size() < (3 << 20) + 12345)
        bytes += line;
    return bytes;
}

class LongWork : public SessionTest {
protected:
    void SetUp() override {
        options().LenEn = false; // no question about the size
        // Shown from the first report on, however quick the work is.
        session().setProgressTiming([] { return qint64(0); }, {0, 0});
        QObject::connect(&session(), &DocumentSession::progress, [this](const QString& text) {
            texts << text;
            busyWhileShown = busyWhileShown && (text.isEmpty() || session().busy());
            if (text.isEmpty())
                return;
            // What a timer, a drop or a close could start meanwhile does nothing.
            const QString before = editor().document()->firstBlock().text();
            session().CheckFileOnDisk();
            session().Save();
            session().SaveAs();
            session().New();
            session().OpenDropped(path(QStringLiteral("other.txt")));
            refusedClose = refusedClose && !session().SettleUnsavedChanges();
            untouched = untouched && editor().document()->firstBlock().text() == before;
        });
    }

    // The percentages shown under each label, in order; false when a text has
    // none of the labels.
    bool percentages(const QStringList& labels, std::vector<std::vector<int>>& out) const {
        out.assign(size_t(labels.size()), {});
        for (const QString& text : texts) {
            if (text.isEmpty())
                continue;
            qsizetype i = 0;
            while (i < labels.size() && !text.startsWith(labels[i] + QStringLiteral("… ")))
                ++i;
            if (i == labels.size() || !text.endsWith(QStringLiteral(" %")))
                return false;
            out[size_t(i)].push_back(text.mid(labels[i].size() + 2).chopped(2).toInt());
        }
        return true;
    }

    QStringList texts;
    bool busyWhileShown = true;
    bool refusedClose = true;
    bool untouched = true;
};

TEST_F(LongWork, OpeningAndSavingShowRisingPercentagesThenTheEnd) {
    const QByteArray bytes = longText();
    writeFile(path(QStringLiteral("other.txt")), "other");
    struct Case {
        const char* name;
        QStringList labels; // one for each piece of work, in order
        bool secondName;    // written in place
    };
    const QStringList saving{QStringLiteral("Подготовка к сохранению"),
                             QStringLiteral("Сохранение файла")};
    const Case cases[] = {
        {"open", {QStringLiteral("Открытие файла")}, false},
        {"save", saving, false},
        {"save in place", saving, true},
    };
    for (const Case& c : cases) {
        const QString p = path(QStringLiteral("long.txt"));
        writeFile(p, bytes);
        QFile::remove(path(QStringLiteral("second.txt")));
        if (c.secondName) {
            ASSERT_EQ(::link(QFile::encodeName(p).constData(),
                             QFile::encodeName(path(QStringLiteral("second.txt"))).constData()),
                      0);
        }
        if (QString(c.name) != "open") {
            platform.answerOpen(p);
            session().Open();
            editor().setSelStart(0);
            editor().replaceSelection(QStringLiteral("x"));
        }
        texts.clear();
        QSignalSpy ended(&session(), &DocumentSession::workEnded);
        if (QString(c.name) == "open") {
            platform.answerOpen(p);
            session().Open();
        } else {
            session().Save();
        }
        EXPECT_FALSE(session().busy()) << c.name;
        EXPECT_EQ(ended.count(), c.labels.size()) << c.name;
        std::vector<std::vector<int>> shownAll;
        ASSERT_TRUE(percentages(c.labels, shownAll)) << c.name << texts.join('|').toStdString();
        for (const std::vector<int>& shown : shownAll) {
            // Four steps or more, each shown once, rising to the whole.
            EXPECT_GE(shown.size(), 4u) << c.name;
            EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end())) << c.name;
            EXPECT_EQ(std::adjacent_find(shown.begin(), shown.end()), shown.end()) << c.name;
            ASSERT_FALSE(shown.empty()) << c.name;
            EXPECT_EQ(shown.back(), 100) << c.name;
        }
        // Each piece of work tells its end; the last text is the last end.
        EXPECT_EQ(texts.count(QString()), c.labels.size()) << c.name;
        ASSERT_FALSE(texts.isEmpty());
        EXPECT_TRUE(texts.back().isEmpty()) << c.name;
        EXPECT_TRUE(busyWhileShown && refusedClose && untouched) << c.name;
        EXPECT_EQ(readFile(p), QString(c.name) == "open" ? bytes : "x" + bytes) << c.name;
        EXPECT_EQ(doc().CommonFileName, p) << c.name;
        EXPECT_FALSE(doc().TextChange) << c.name;
    }
    EXPECT_TRUE(failures().entries.empty());
}

TEST_F(LongWork, MemoryRunningOutWhileTheTextGoesInLeavesAnUntitledDocument) {
    const QString old = path(QStringLiteral("old.txt"));
    writeFile(old, "old text");
    platform.answerOpen(old);
    session().Open();
    ASSERT_EQ(doc().CommonFileName, old);
    // The memory runs out with part of the long file in the editor.
    editor().setFillPiece(1 << 16);
    QObject::connect(&session(), &DocumentSession::progress, [](const QString& text) {
        if (text.endsWith(QStringLiteral("50 %")))
            throw std::bad_alloc();
    });
    writeFile(path(QStringLiteral("long.txt")), longText());
    platform.answerOpen(path(QStringLiteral("long.txt")));
    platform.answerMessage(answer::Ok);
    session().Open();
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_TRUE(platform.messages().front().text.contains(QStringLiteral("памяти")))
        << platform.messages().front().text.toStdString();
    // Nothing of the part can be saved over the old file.
    EXPECT_TRUE(doc().NewDoc);
    EXPECT_FALSE(doc().TextChange);
    EXPECT_FALSE(editor().hasText());
    EXPECT_FALSE(session().busy());
    EXPECT_EQ(readFile(old), "old text");
}

} // namespace
} // namespace quillet::test
