// The Open and Save As dialogs start in the folder of the document at hand; the
// choice itself is DialogStartFolder's (tests/documents).

#include "session/session_fixture.h"

namespace quillet::test {
namespace {

class DialogFolder : public SessionTest {
protected:
    void SetUp() override {
        platform.env.insert(QStringLiteral("HOME"), QStringLiteral("/home/tester"));
    }
    // The folders the Open and the Save As dialog start in now (both cancelled).
    std::pair<QString, QString> dialogFolders() {
        platform.answerOpen(std::nullopt);
        session().Open();
        const QString open = last("open")->file.folder;
        platform.answerSave(std::nullopt);
        session().SaveAs();
        return {open, last("save")->file.folder};
    }
};

TEST_F(DialogFolder, StartInTheOpenDocumentsFolder) {
    const QString file = path(QStringLiteral("в папке/письмо.txt"));
    writeFile(file, "text\r\n");
    platform.answerOpen(file);
    session().Open();
    ASSERT_EQ(doc().CommonFileName, file);
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
    session().New();
    ASSERT_TRUE(doc().NewDoc);
    const auto [open, save] = dialogFolders();
    EXPECT_EQ(open, dir.path());
    EXPECT_EQ(save, dir.path());
}

} // namespace
} // namespace quillet::test
