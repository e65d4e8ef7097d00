#include "documents/document_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>

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

using Opening = DocumentTest;

TEST_F(Opening, TheOpenDialogOffersTheTextTypes) {
    const QStringList common{QStringLiteral("Все типы (*.txt *.log *.ini *.inf *.dat)"),
                             QStringLiteral("Текстовые файлы (*.txt *.log)"),
                             QStringLiteral("Файлы настроек (*.ini *.inf)"),
                             QStringLiteral("Файлы записей (*.dat)")};
    for (const bool filter : {false, true}) {
        w().options().LimType = filter;
        h.platform.answerOpen(std::nullopt);
        w().mnuOpen_Click();
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
    EXPECT_TRUE(w().document().NewDoc);
    EXPECT_EQ(caption(), QStringLiteral("Новый документ - Квиллет"));
    EXPECT_TRUE(h.platform.messages().empty());
}

TEST_F(Opening, AnOpenedFileBecomesTheDocument) {
    w().textBlock()->setFontCharSet(0);
    const QString p = openFile(QStringLiteral("letter.txt"), "Dear\r\nfriend\r\n");
    EXPECT_EQ(w().textBlock()->text(), QStringLiteral("Dear\r\nfriend"));
    EXPECT_EQ(w().document().CommonFileName, p);
    EXPECT_EQ(w().document().RecentFileString, p);
    EXPECT_FALSE(w().document().NewDoc);
    EXPECT_TRUE(w().document().FileExist);
    EXPECT_FALSE(w().document().TextChange);
    EXPECT_EQ(caption(), QStringLiteral("letter - Квиллет"));
    EXPECT_EQ(w().textBlock()->fontCharSet(), 204); // "Подключать кириллицу" is checked
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    w().options().SetChars = false;
    w().ShowOptionsInMenus();
    w().textBlock()->setFontCharSet(0);
    openFile(QStringLiteral("second.txt"), "x");
    EXPECT_EQ(w().textBlock()->fontCharSet(), 0);
}

TEST_F(Opening, LineEndingsOfTheFile) {
    struct Case {
        QByteArray file;
        QString text;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", QStringLiteral("a\r\nb")}, {"a\r\nb", QStringLiteral("a\r\nb")},
        {"a\r\n\r\n", QStringLiteral("a\r\n")},   {"a\rb\r", QStringLiteral("a\r\nb")},
        {"a\nb\n", QStringLiteral("a\nb\n")},     {"", QString()},
    };
    for (const Case& c : cases) {
        const QString p = openFile(QStringLiteral("lines.txt"), c.file);
        EXPECT_EQ(w().textBlock()->text(), c.text) << c.file.toStdString();
        EXPECT_EQ(w().document().CommonFileName, p);
        EXPECT_EQ(caption(), QStringLiteral("lines - Квиллет"));
        EXPECT_FALSE(w().document().TextChange);
    }
}

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
        {QStringLiteral("Journal.LOG"), true, QStringLiteral("Journal - Квиллет")},
        {QStringLiteral("photo.bmp"), true,
         QStringLiteral("Неопознанный файл (photo.bmp) - Квиллет")},
        {long45, false, long45.left(37) + QStringLiteral("... - Квиллет")},
    };
    for (const Case& c : cases) {
        w().options().LimType = c.filter;
        openFile(c.name, "x");
        EXPECT_EQ(caption(), c.caption) << c.name.toStdString();
    }
}

TEST_F(Opening, LogDocumentsGetATimeStamp) {
    const QString stamp = QStringLiteral("\r\n\r\n09:05 06.12.2026");
    struct Case {
        QByteArray file;
        bool stamped;
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
        {".LOG\n", true},
        {".LOG" + QByteArray(54995, 'x'), true},  // 54999 characters
        {".LOG" + QByteArray(54996, 'x'), false}, // 55000 characters
    };
    w().options().LenEn = false;
    w().ShowOptionsInMenus();
    for (const Case& c : cases) {
        w().document().TextChange = false; // the last round's stamp is not kept
        openFile(QStringLiteral("journal.txt"), c.file);
        const QString text = decodeCp1251(c.file);
        EXPECT_EQ(w().textBlock()->text(), c.stamped ? text + stamp : text)
            << c.file.left(10).data();
        EXPECT_EQ(w().document().TextChange, c.stamped) << c.file.left(10).data();
        EXPECT_TRUE(w().document().FileExist);
    }
}

TEST_F(Opening, TheSizeQuestion) {
    const QString p = path(QStringLiteral("big.txt"));
    writeFile(p, largeFile());

    // No: the lines read so far, under the file's name, but not tied to the file.
    h.platform.answerMessage(answer::No);
    h.platform.answerOpen(p);
    w().mnuOpen_Click();
    auto messages = h.platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, SizeQuestion);
    EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
    EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(messages[0].defaultButton, answer::No);
    EXPECT_EQ(w().textBlock()->textLength(), 55043);
    EXPECT_EQ(caption(), QStringLiteral("big - Квиллет"));
    EXPECT_EQ(w().document().CommonFileName, p);
    EXPECT_FALSE(w().document().NewDoc);
    EXPECT_FALSE(w().document().TextChange);
    EXPECT_FALSE(w().document().FileExist);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Saving the part asks for a place instead of cutting the file short.
    h.platform.answerSave(std::nullopt);
    w().mnuSave_Click();
    EXPECT_EQ(count("save"), 1);
    EXPECT_EQ(readFile(p), largeFile());

    // Yes: the whole file, asked once, and the next load asks again.
    h.platform.shown.clear();
    h.platform.answerMessage(answer::Yes);
    h.platform.answerOpen(p);
    w().mnuOpen_Click();
    EXPECT_EQ(h.platform.messages().size(), 1u);
    EXPECT_EQ(w().textBlock()->textLength(), 60600 - 2);
    EXPECT_TRUE(w().document().FileExist);

    h.platform.shown.clear();
    h.platform.answerMessage(answer::Yes);
    h.platform.answerOpen(p);
    w().mnuOpen_Click();
    EXPECT_EQ(h.platform.messages().size(), 1u);

    // Without "Проверка размера" nothing is asked.
    w().mnuLenEn_Click();
    EXPECT_FALSE(w().menus().mnuLenEn->isChecked());
    h.platform.shown.clear();
    h.platform.answerOpen(p);
    w().mnuOpen_Click();
    EXPECT_TRUE(h.platform.messages().empty());
    EXPECT_EQ(w().textBlock()->textLength(), 60600 - 2);
}

TEST_F(Opening, AFileThatCannotBeReadIsReportedAndChangesNothing) {
    type(QStringLiteral("kept"));
    w().document().TextChange = false;
    const QString folder = path(QStringLiteral("folder.txt"));
    QDir().mkpath(folder);
    h.platform.answerOpen(folder);
    w().mnuOpen_Click();
    const auto messages = h.platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, folder + QStringLiteral("\r\nНе удаётся открыть файл.\r\nВозможно, "
                                                        "он повреждён или команда открытия "
                                                        "некорректна."));
    EXPECT_EQ(w().textBlock()->text(), QStringLiteral("kept"));
    EXPECT_TRUE(w().document().NewDoc);
    EXPECT_EQ(caption(), QStringLiteral("Новый документ - Квиллет"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Opening, RecentDocumentFailures) {
    writeFile(path("plain"), "x");
    QDir().mkpath(path("folder.txt"));
    struct Case {
        QString recent;
        int number;
        QString text;
    };
    const Case cases[] = {
        {path("gone.txt"), err::FileNotFound,
         path("gone.txt") + QStringLiteral("\r\nНе удаётся найти документ.")},
        {path("nowhere/gone.txt"), err::PathNotFound,
         path("nowhere/gone.txt") + QStringLiteral("\r\nНе удаётся найти путь к документу.")},
        {path("folder.txt"), err::PathFileAccess,
         QStringLiteral("Невозможно открыть последний документ.\r\nПроизошла неизвестная ошибка.")},
    };
    for (const Case& c : cases) {
        h.platform.shown.clear();
        w().document().RecentFileString = c.recent;
        w().mnuFile_Click();
        EXPECT_TRUE(w().menus().mnuRecentWin->menuAction()->isEnabled());
        EXPECT_EQ(w().menus().mnuRecent->text(), c.recent);
        w().mnuRecent_Click();
        const auto messages = h.platform.messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, c.text);
        EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
        EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
        EXPECT_TRUE(w().document().RecentFileString.isEmpty());
        EXPECT_TRUE(errorReport(h).contains(QStringLiteral("Error Number=%1").arg(c.number)));
        EXPECT_TRUE(w().document().NewDoc);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        w().mnuFile_Click();
        EXPECT_FALSE(w().menus().mnuRecentWin->menuAction()->isEnabled());
    }
}

TEST_F(Opening, TheRecentDocumentOpens) {
    const QString p = path(QStringLiteral("A & B.log"));
    writeFile(p, ".LOG");
    w().document().RecentFileString = p;
    w().mnuFile_Click();
    EXPECT_EQ(w().menus().mnuRecent->text(), path(QStringLiteral("A && B.log")));
    w().mnuRecent_Click();
    EXPECT_EQ(w().document().CommonFileName, p);
    EXPECT_EQ(w().document().RecentFileString, p);
    EXPECT_TRUE(w().document().FileExist);
    EXPECT_TRUE(w().document().TextChange); // stamped
    EXPECT_EQ(caption(), QStringLiteral("A & B - Квиллет"));
}

TEST_F(Opening, TheFileTypeFilterCanBeSwitchedOnlyForAnUntitledDocument) {
    w().mnuFile_Click();
    EXPECT_TRUE(w().menus().mnuLimFileType->isEnabled());
    openFile(QStringLiteral("a.txt"), "x");
    w().mnuFile_Click();
    EXPECT_FALSE(w().menus().mnuLimFileType->isEnabled());
    w().mnuNew_Click();
    w().mnuFile_Click();
    EXPECT_TRUE(w().menus().mnuLimFileType->isEnabled());
}

TEST_F(Opening, EncodingChoicesActLikeRadioButtons) {
    struct Case {
        void (FrmMain::*click)();
        bool win, dos, koi;
    };
    const Case cases[] = {
        {&FrmMain::mnuCodeDos_Click, false, true, false},
        {&FrmMain::mnuCodeDos_Click, false, true, false}, // clicking the checked one
        {&FrmMain::mnuCodeKoi_Click, false, false, true},
        {&FrmMain::mnuCodeWin_Click, true, false, false},
        {&FrmMain::mnuCodeWin_Click, true, false, false},
    };
    for (const Case& c : cases) {
        w().options().UserChangeOptions = false;
        (w().*c.click)();
        EXPECT_EQ(w().menus().mnuCodeWin->isChecked(), c.win);
        EXPECT_EQ(w().menus().mnuCodeDos->isChecked(), c.dos);
        EXPECT_EQ(w().menus().mnuCodeKoi->isChecked(), c.koi);
        EXPECT_TRUE(w().options().UserChangeOptions);
    }
}

TEST_F(Opening, OptionItemsInvertTheirChecks) {
    for (int i = 0; i < 2; ++i) {
        const bool size = w().menus().mnuLenEn->isChecked();
        w().options().UserChangeOptions = false;
        w().menus().mnuLenEn->trigger(); // through the menu, as a click
        EXPECT_EQ(w().menus().mnuLenEn->isChecked(), !size);
        EXPECT_TRUE(w().options().UserChangeOptions);

        const bool filter = w().menus().mnuLimFileType->isChecked();
        w().options().UserChangeOptions = false;
        w().menus().mnuLimFileType->trigger();
        EXPECT_EQ(w().menus().mnuLimFileType->isChecked(), !filter);
        EXPECT_TRUE(w().options().UserChangeOptions);
    }
}

// The window layout takes the filter's check into LimType.
TEST_F(Opening, TheFileTypeFilterReachesTheDialogs) {
    w().options().LimType = true;
    w().ShowOptionsInMenus();
    w().ArrangeWindow();
    EXPECT_TRUE(w().options().LimType);
    for (const bool expected : {false, true}) {
        w().mnuLimFileType_Click();
        EXPECT_EQ(w().options().LimType, expected);
        EXPECT_EQ(w().menus().mnuLimFileType->isChecked(), expected);
    }
}

} // namespace
} // namespace quillet::test
