// Dropping on the window: a file opens as Open would open it, text goes into
// the document as before.

#include "shell/file_drop.h"
#include "support/harness.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

namespace quillet {
namespace {

// The whole drag as the window system delivers it: enter, move, drop at the
// middle of the target. Returns whether the drop was accepted.
bool dragAndDrop(QWidget* target, const QMimeData& data) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
    QCoreApplication::sendPostedEvents();
    return drop.isAccepted();
}

TEST(DroppedFile, TheFirstLocalFileOfTheDrag) {
    const struct {
        QList<QUrl> urls;
        const char* text;
        const char* expected;
    } cases[] = {
        {{QUrl::fromLocalFile(QStringLiteral("/home/u/a.txt"))}, "", "/home/u/a.txt"},
        {{QUrl(QStringLiteral("https://example.org/a.txt")),
          QUrl::fromLocalFile(QStringLiteral("/tmp/b c.log"))},
         "",
         "/tmp/b c.log"},
        {{QUrl(QStringLiteral("https://example.org/a.txt"))}, "", ""},
        {{}, "file:///home/u/a.txt", ""}, // only text that looks like a link
        {{}, "", ""},
    };
    for (const auto& c : cases) {
        QMimeData data;
        if (!c.urls.isEmpty())
            data.setUrls(c.urls);
        if (*c.text)
            data.setText(QString::fromUtf8(c.text));
        EXPECT_EQ(DroppedFile(&data), QString::fromUtf8(c.expected)) << c.expected;
    }
}

class Drop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        file = folder.filePath(QStringLiteral("письмо.txt"));
        test::writeFile(file, "Dear\r\nfriend\r\n");
        h.load();
    }
    // What a file manager offers for a file: its link, and the link as text.
    void offerFile(QMimeData& data) {
        data.setUrls({QUrl::fromLocalFile(file)});
        data.setText(QUrl::fromLocalFile(file).toString());
    }
    QTemporaryDir folder;
    QString file;
    test::Harness h;
};

TEST_F(Drop, AFileOnTheEditorOrTheToolbarOpensLikeOpen) {
    for (bool onToolbar : {false, true}) {
        h->mnuNew_Click();
        QMimeData data;
        offerFile(data);
        QWidget* target =
            onToolbar ? static_cast<QWidget*>(h->toolbar()) : h->textBlock()->viewport();
        EXPECT_TRUE(dragAndDrop(target, data)) << onToolbar;
        EXPECT_EQ(h->textBlock()->text(), QStringLiteral("Dear\r\nfriend")) << onToolbar;
        EXPECT_EQ(h->document().CommonFileName, file) << onToolbar;
        EXPECT_EQ(h->document().RecentFileString, file) << onToolbar;
        EXPECT_FALSE(h->document().TextChange) << onToolbar;
        EXPECT_FALSE(h->document().NewDoc) << onToolbar;
        EXPECT_TRUE(h->windowTitle().endsWith(QStringLiteral(" - Квиллет"))) << onToolbar;
        EXPECT_TRUE(h->windowTitle().startsWith(QStringLiteral("письмо"))) << onToolbar;
        EXPECT_TRUE(h.platform.messages().empty()) << onToolbar;
    }
}

TEST_F(Drop, AModifiedDocumentIsAskedAboutFirst) {
    const struct {
        int answer;
        bool opened;
    } cases[] = {{answer::No, true}, {answer::Cancel, false}};
    for (const auto& c : cases) {
        h->mnuNew_Click();
        h->textBlock()->replaceSelection(QStringLiteral("набранное"));
        ASSERT_TRUE(h->document().TextChange);
        h.platform.shown.clear();
        h.platform.answerMessage(c.answer);
        QMimeData data;
        offerFile(data);
        dragAndDrop(h->textBlock()->viewport(), data);

        const auto messages = h.platform.messages();
        ASSERT_EQ(messages.size(), 1u) << c.answer;
        EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Документ ''Новый документ'' "
                                                               "был изменён.")))
            << c.answer;
        EXPECT_EQ(h->textBlock()->text(),
                  c.opened ? QStringLiteral("Dear\r\nfriend") : QStringLiteral("набранное"))
            << c.answer;
        EXPECT_EQ(h->document().NewDoc, !c.opened) << c.answer;
        EXPECT_EQ(h->document().TextChange, !c.opened) << c.answer;
    }
}

TEST_F(Drop, TextAndWebLinksAreInsertedAsBefore) {
    const struct {
        const char* text;
        QList<QUrl> urls;
    } cases[] = {
        {"вставка", {}},
        {"https://example.org/", {QUrl(QStringLiteral("https://example.org/"))}},
    };
    for (const auto& c : cases) {
        test::Harness fresh;
        FrmMain& w = fresh.load();
        QMimeData data;
        data.setText(QString::fromUtf8(c.text));
        if (!c.urls.isEmpty())
            data.setUrls(c.urls);
        dragAndDrop(w.textBlock()->viewport(), data);
        EXPECT_EQ(w.textBlock()->text(), QString::fromUtf8(c.text)) << c.text;
        EXPECT_TRUE(w.document().NewDoc) << c.text;
        EXPECT_TRUE(w.document().TextChange) << c.text;
        EXPECT_TRUE(fresh.platform.messages().empty()) << c.text;
    }
}

TEST_F(Drop, AFileThatCannotBeOpenedGetsTheOpenMessage) {
    QMimeData data;
    const QString missing = folder.filePath(QStringLiteral("нет.txt"));
    data.setUrls({QUrl::fromLocalFile(missing)});
    dragAndDrop(h->textBlock()->viewport(), data);
    const auto messages = h.platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(
        messages[0].text.startsWith(missing + QStringLiteral("\r\nНе удаётся открыть файл.")));
    EXPECT_TRUE(h->document().NewDoc);
}

} // namespace
} // namespace quillet
