// Opening a document: the Open dialog, the recent document, the size and UTF-8
// questions, the time stamp of a ".LOG" document, and the messages a file that
// cannot be read gets in the words of where the request came from.

#include "session/session_fixture.h"

#include <QApplication>
#include <QDir>

namespace quillet::test {
namespace {

const QString SizeQuestion = QStringLiteral("Этот файл слишком велик.\r\nЕго открытие может "
                                            "привести к неправильной работе программы.\r\n"
                                            "Продолжить загрузку?");

// Lines of 99 characters, 101 with their line break: the 545th passes 55000.
QByteArray largeFile(int lines = 600) {
    QByteArray out;
    for (int i = 0; i < lines; ++i)
        out += QByteArray(99, 'a' + i % 26) + "\r\n";
    return out;
}

TEST(OpenFailureMessage, EachOriginSaysItInItsOwnWords) {
    const QString path = QStringLiteral("/home/u/письмо.txt");
    const QString cannotOpen = path + QStringLiteral("\r\nНе удаётся открыть файл.\r\n");
    const QString damaged =
        cannotOpen + QStringLiteral("Возможно, он повреждён или команда открытия некорректна.");
    const QString noMemory = QStringLiteral("Для его текста недостаточно памяти.");
    const QString recent = QStringLiteral("Невозможно открыть последний документ.\r\n");
    const QString unknownRecent = recent + QStringLiteral("Произошла неизвестная ошибка.");
    const QString undecodable =
        path + QStringLiteral("\r\nНе удаётся открыть файл: его имя записано не в кодировке "
                              "UTF-8.\r\nПереименуйте файл и откройте его снова.");
    struct Case {
        OpenOrigin origin;
        int number;
        QString text;
    };
    std::vector<Case> cases;
    for (const OpenOrigin origin :
         {OpenOrigin::Dialog, OpenOrigin::CommandLine, OpenOrigin::Drop}) {
        for (const int number : {err::FileNotFound, err::PathNotFound, err::PathFileAccess,
                                 err::BadFileName, err::DeviceIO})
            cases.push_back({origin, number, damaged});
        cases.push_back({origin, err::OutOfMemory, cannotOpen + noMemory});
    }
    cases.push_back({OpenOrigin::Recent, err::FileNotFound,
                     path + QStringLiteral("\r\nНе удаётся найти документ.")});
    cases.push_back({OpenOrigin::Recent, err::PathNotFound,
                     path + QStringLiteral("\r\nНе удаётся найти путь к документу.")});
    cases.push_back({OpenOrigin::Recent, err::OutOfMemory, recent + noMemory});
    for (const int number : {err::PathFileAccess, err::BadFileName, err::DeviceIO})
        cases.push_back({OpenOrigin::Recent, number, unknownRecent});
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "origin " << int(c.origin) << ", " << c.number);
        OpenRequest request{c.origin, path};
        EXPECT_EQ(openFailureMessage(request, c.number), c.text);
        // A name that is not UTF-8 is explained the same way from anywhere.
        request.nameUndecodable = true;
        EXPECT_EQ(openFailureMessage(request, c.number), undecodable);
    }
}

using Opening = SessionTest;

TEST_F(Opening, TheOpenDialogOffersTheTextTypes) {
    const QStringList common{QStringLiteral("Все типы (*.txt *.log *.ini *.inf *.dat)"),
                             QStringLiteral("Текстовые файлы (*.txt *.log)"),
                             QStringLiteral("Файлы настроек (*.ini *.inf)"),
                             QStringLiteral("Файлы записей (*.dat)")};
    for (const bool filter : {false, true}) {
        options().LimType = filter;
        platform.answerOpen(std::nullopt);
        session().Open();
        const Shown* dialog = last("open");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->file.title, QStringLiteral("Открыть"));
        EXPECT_EQ(dialog->file.initialName, QStringLiteral("*.txt;*.log"));
        EXPECT_EQ(dialog->file.filterIndex, 2);
        EXPECT_TRUE(dialog->file.mustExist);
        EXPECT_EQ(dialog->file.filters,
                  filter ? common : common + QStringList{QStringLiteral("Все файлы (*)")});
    }
    // Cancel changed nothing.
    EXPECT_TRUE(doc().NewDoc);
    EXPECT_EQ(caption(), QStringLiteral("Новый документ - Квиллет"));
    EXPECT_TRUE(platform.messages().empty());
}

TEST_F(Opening, AnOpenedFileBecomesTheDocument) {
    editor().setFontCharSet(0);
    const QString p = openFile(QStringLiteral("letter.txt"), "Dear\r\nfriend\r\n");
    EXPECT_EQ(editor().text(), QStringLiteral("Dear\r\nfriend"));
    EXPECT_EQ(doc().CommonFileName, p);
    EXPECT_EQ(doc().RecentFileString, p);
    EXPECT_FALSE(doc().NewDoc);
    EXPECT_TRUE(doc().FileExist);
    EXPECT_FALSE(doc().TextChange);
    EXPECT_EQ(caption(), QStringLiteral("letter - Квиллет"));
    EXPECT_EQ(editor().fontCharSet(), 204); // "Подключать кириллицу" is checked
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    options().SetChars = false;
    editor().setFontCharSet(0);
    openFile(QStringLiteral("second.txt"), "x");
    EXPECT_EQ(editor().fontCharSet(), 0);
}

TEST_F(Opening, LineEndingsOfTheFile) {
    struct Case {
        QByteArray file;
        QString text;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", QStringLiteral("a\r\nb")}, {"a\r\nb", QStringLiteral("a\r\nb")},
        {"a\r\n\r\n", QStringLiteral("a\r\n")},   {"a\rb\r", QStringLiteral("a\r\nb")},
        {"a\nb\n", QStringLiteral("a\nb")},       {"", QString()},
    };
    for (const Case& c : cases) {
        const QString p = openFile(QStringLiteral("lines.txt"), c.file);
        EXPECT_EQ(editor().text(), c.text) << c.file.toStdString();
        EXPECT_EQ(doc().CommonFileName, p);
        EXPECT_EQ(caption(), QStringLiteral("lines - Квиллет"));
        EXPECT_FALSE(doc().TextChange);
    }
}

// The name itself is documentDisplayName's (tests/documents); the caption shows
// it with the file-type filter as it is when the file is opened.
TEST_F(Opening, CaptionAfterOpening) {
    struct Case {
        QString name;
        bool filter;
        QString caption;
    };
    const QString long45 = QString(41, QLatin1Char('w')) + QStringLiteral(".txt");
    const Case cases[] = {
        {QStringLiteral("letter.txt"), false, QStringLiteral("letter.txt - Квиллет")},
        {QStringLiteral("letter.txt"), true, QStringLiteral("letter - Квиллет")},
        {QStringLiteral("photo.bmp"), true,
         QStringLiteral("Неопознанный файл (photo.bmp) - Квиллет")},
        {long45, false, long45.left(37) + QStringLiteral("... - Квиллет")},
    };
    for (const Case& c : cases) {
        options().LimType = c.filter;
        openFile(c.name, "x");
        EXPECT_EQ(caption(), c.caption) << c.name.toStdString();
    }
}

TEST_F(Opening, LogDocumentsGetATimeStamp) {
    const QString stamp = QStringLiteral("\r\n\r\n09:05 06.12.2026");
    struct Case {
        QByteArray file;
        bool stamped;
        const char* text = nullptr; // when not the file's text and the stamp
    };
    const Case cases[] = {
        {".LOG\r\nfirst entry", true},
        {".log", true},
        {".Log notes", true},
        {"LOG", false},
        {" .LOG", false},
        {".LO", false},
        {"", false},
        // A line break among the first four characters ends the match.
        {".LO\r\nG", false},
        {".LO\nG", false},
        {"\r\n.LOG", false},
        // An LF document: its final LF is no line, and the stamp's breaks are LFs.
        {".LOG\n", true, ".LOG\n\n09:05 06.12.2026"},
        {".LOG" + QByteArray(54995, 'x'), true},  // 54999 characters
        {".LOG" + QByteArray(54996, 'x'), false}, // 55000 characters
    };
    options().LenEn = false;
    for (const Case& c : cases) {
        doc().TextChange = false; // the last round's stamp is not kept
        openFile(QStringLiteral("journal.txt"), c.file);
        const QString text = decodeCp1251(c.file);
        const QString expected = c.text      ? QString::fromLatin1(c.text)
                                 : c.stamped ? text + stamp
                                             : text;
        EXPECT_EQ(editor().text(), expected) << c.file.left(10).data();
        EXPECT_EQ(doc().TextChange, c.stamped) << c.file.left(10).data();
        EXPECT_TRUE(doc().FileExist);
    }
}

TEST_F(Opening, TheSizeQuestion) {
    const QString p = path(QStringLiteral("big.txt"));
    writeFile(p, largeFile());

    // No: the lines read so far, under the file's name, but not tied to the file.
    platform.answerMessage(answer::No);
    platform.answerOpen(p);
    session().Open();
    auto messages = platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, SizeQuestion);
    EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
    EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(messages[0].defaultButton, answer::No);
    EXPECT_EQ(editor().textLength(), 55043);
    EXPECT_EQ(caption(), QStringLiteral("big - Квиллет"));
    EXPECT_EQ(doc().CommonFileName, p);
    EXPECT_FALSE(doc().NewDoc);
    EXPECT_FALSE(doc().TextChange);
    EXPECT_FALSE(doc().FileExist);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Saving the part asks for a place instead of cutting the file short.
    platform.answerSave(std::nullopt);
    session().Save();
    EXPECT_EQ(count("save"), 1);
    EXPECT_EQ(readFile(p), largeFile());
    // Once the part went to a file of its own, Save writes there without asking.
    const QString part = path(QStringLiteral("part.txt"));
    platform.answerSave(part);
    session().SaveAs();
    type(QStringLiteral("!"));
    session().Save();
    EXPECT_EQ(count("save"), 2);
    EXPECT_EQ(readFile(part).size(), 55043 + 1 + 2);
    EXPECT_EQ(readFile(p), largeFile());

    // Yes: the whole file, asked once, and the next load asks again.
    platform.shown.clear();
    platform.answerMessage(answer::Yes);
    platform.answerOpen(p);
    session().Open();
    EXPECT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(editor().textLength(), 60600 - 2);
    EXPECT_TRUE(doc().FileExist);

    platform.shown.clear();
    platform.answerMessage(answer::Yes);
    platform.answerOpen(p);
    session().Open();
    EXPECT_EQ(platform.messages().size(), 1u);

    // Without "Проверка размера" nothing is asked; nor for a request that skips it.
    options().LenEn = false;
    platform.shown.clear();
    platform.answerOpen(p);
    session().Open();
    EXPECT_TRUE(platform.messages().empty());
    EXPECT_EQ(editor().textLength(), 60600 - 2);

    options().LenEn = true;
    OpenRequest request{OpenOrigin::CommandLine, p};
    request.NotCheckLen = true;
    EXPECT_TRUE(session().OpenFile(request));
    EXPECT_TRUE(platform.messages().empty());
    EXPECT_EQ(editor().textLength(), 60600 - 2);
}

TEST_F(Opening, AFileThatCannotBeReadIsReportedAndChangesNothing) {
    type(QStringLiteral("kept"));
    doc().TextChange = false;
    const QString folder = path(QStringLiteral("folder.txt"));
    QDir().mkpath(folder);
    platform.answerOpen(folder);
    session().Open();
    const auto messages = platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              openFailureMessage({OpenOrigin::Dialog, folder}, err::PathFileAccess));
    EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
    EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(failures().recorded(err::PathFileAccess));
    EXPECT_EQ(editor().text(), QStringLiteral("kept"));
    EXPECT_TRUE(doc().NewDoc);
    EXPECT_EQ(caption(), QStringLiteral("Новый документ - Квиллет"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Opening, ARecentDocumentThatCannotBeReadIsNoLongerOffered) {
    writeFile(path("plain"), "x");
    QDir().mkpath(path("folder.txt"));
    struct Case {
        QString recent;
        int number; // picks the message's words
    };
    const Case cases[] = {
        {path("gone.txt"), err::FileNotFound},
        {path("nowhere/gone.txt"), err::PathNotFound},
        {path("folder.txt"), err::PathFileAccess},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.recent.toStdString());
        platform.shown.clear();
        doc().RecentFileString = c.recent;
        session().OpenRecent();
        const auto messages = platform.messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, openFailureMessage({OpenOrigin::Recent, c.recent}, c.number));
        EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
        EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
        EXPECT_TRUE(failures().recorded(c.number));
        EXPECT_TRUE(doc().RecentFileString.isEmpty());
        EXPECT_TRUE(doc().NewDoc);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(Opening, TheRecentDocumentOpens) {
    const QString p = path(QStringLiteral("A & B.log"));
    writeFile(p, ".LOG");
    doc().RecentFileString = p;
    session().OpenRecent();
    EXPECT_EQ(doc().CommonFileName, p);
    EXPECT_EQ(doc().RecentFileString, p);
    EXPECT_TRUE(doc().FileExist);
    EXPECT_TRUE(doc().TextChange); // stamped
    EXPECT_EQ(caption(), QStringLiteral("A & B - Квиллет"));
}

} // namespace
} // namespace quillet::test
