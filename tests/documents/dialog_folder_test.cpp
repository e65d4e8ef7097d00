// The Open and Save As dialogs start in the folder of the document at hand.

#include "documents/document_fixture.h"
#include "documents/document_name.h"

namespace quillet {
namespace {

TEST(DialogStartFolder, DocumentFolderThenRecentFolderThenHome) {
    const struct {
        bool untitled;
        const char* document;
        const char* recent;
        const char* expected;
    } cases[] = {
        {false, "/home/u/письма/a.txt", "/home/u/b.txt", "/home/u/письма"},
        {true, "/home/u/письма/a.txt", "/srv/logs/b.log", "/srv/logs"},
        {true, "", "", "/home/u"},
        {true, "/home/u/письма/a.txt", "", "/home/u"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DialogStartFolder(c.untitled, QString::fromUtf8(c.document),
                                    QString::fromUtf8(c.recent), QStringLiteral("/home/u")),
                  QString::fromUtf8(c.expected))
            << c.document << " | " << c.recent;
    }
}

class DialogFolder : public test::DocumentTest {
protected:
    void SetUp() override {
        h.platform.env.insert(QStringLiteral("HOME"), QStringLiteral("/home/tester"));
        test::DocumentTest::SetUp();
    }
    // The folders the Open and the Save As dialog start in now (both cancelled).
    std::pair<QString, QString> dialogFolders() {
        h.platform.answerOpen(std::nullopt);
        w().mnuOpen_Click();
        const QString open = last("open")->file.folder;
        h.platform.answerSave(std::nullopt);
        w().mnuSaveAs_Click();
        return {open, last("save")->file.folder};
    }
};

TEST_F(DialogFolder, StartInTheOpenDocumentsFolder) {
    const QString file = path(QStringLiteral("в папке/письмо.txt"));
    test::writeFile(file, "text\r\n");
    h.platform.answerOpen(file);
    w().mnuOpen_Click();
    ASSERT_EQ(w().document().CommonFileName, file);
    const auto [open, save] = dialogFolders();
    EXPECT_EQ(open, path(QStringLiteral("в папке")));
    EXPECT_EQ(save, path(QStringLiteral("в папке")));
}

TEST_F(DialogFolder, UntitledStartsInTheRecentDocumentsFolderOrHome) {
    {
        const auto [open, save] = dialogFolders();
        EXPECT_EQ(open, QStringLiteral("/home/tester"));
        EXPECT_EQ(save, QStringLiteral("/home/tester"));
    }
    openFile(QStringLiteral("прошлый.txt"), "x\r\n");
    w().mnuNew_Click();
    ASSERT_TRUE(w().document().NewDoc);
    const auto [open, save] = dialogFolders();
    EXPECT_EQ(open, dir.path());
    EXPECT_EQ(save, dir.path());
}

} // namespace
} // namespace quillet
