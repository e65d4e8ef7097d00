// The platform of the running program, driven headless: its message boxes and
// dialogs are answered from zero-timers inside their own event loops, so no test
// waits on a window; its store, lock and probes run against temporary folders and
// the machine itself.

#include "platform/failure.h"
#include "platform/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <vector>

namespace quillet {
namespace {

// Answers modal windows as they open. Each step is given the next modal window
// that becomes active and must close it. The driver looks on zero-timers, which
// run inside the modal window's own event loop. A modal window that opens after
// the steps ran out is rejected and counted, so a test can fail but never hangs.
class ModalDriver : public QObject {
public:
    using Step = std::function<void(QWidget*)>;
    explicit ModalDriver(std::vector<Step> steps) : steps_(std::move(steps)) { arm(); }

    std::size_t stepsRun() const { return next_; }
    int unexpected() const { return unexpected_; }

private:
    void arm() {
        QTimer::singleShot(0, this, [this] { poll(); });
    }
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != handled_ && modal->isVisible()) {
            handled_ = modal;
            if (next_ < steps_.size()) {
                steps_[next_++](modal);
            } else {
                ++unexpected_;
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->reject();
                else
                    modal->close();
            }
        }
        arm();
    }

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    QWidget* handled_ = nullptr;
    int unexpected_ = 0;
};

// Keeps the settings store and the instance lock of every QtPlatform made by a
// test in a temporary folder of its own.
class QtPlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home_.path());
        QDir().mkpath(configFolder());
        savedRuntime_ = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home_.path()));
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", savedRuntime_); }

    QString configFolder() const { return home_.path() + QStringLiteral("/Quillet"); }
    QString configFile() const { return configFolder() + QStringLiteral("/Quillet.conf"); }

    QTemporaryDir home_;
    QByteArray savedRuntime_;
};

// ---- Message boxes -------------------------------------------------------------

TEST_F(QtPlatformTest, MessageBoxAnswersByButtonEscapeAndClose) {
    enum Action { Press, Escape, Close };
    struct Case {
        MsgButtons buttons;
        Action action;
        QMessageBox::StandardButton pressed; // for Press
        int expected;
    };
    const Case cases[] = {
        {MsgButtons::Ok, Press, QMessageBox::Ok, answer::Ok},
        {MsgButtons::Ok, Escape, {}, answer::Ok},
        {MsgButtons::Ok, Close, {}, answer::Ok},
        {MsgButtons::OkCancel, Press, QMessageBox::Ok, answer::Ok},
        {MsgButtons::OkCancel, Press, QMessageBox::Cancel, answer::Cancel},
        {MsgButtons::OkCancel, Escape, {}, answer::Cancel},
        {MsgButtons::OkCancel, Close, {}, answer::Cancel},
        {MsgButtons::YesNo, Press, QMessageBox::Yes, answer::Yes},
        {MsgButtons::YesNo, Press, QMessageBox::No, answer::No},
        {MsgButtons::YesNo, Escape, {}, answer::No},
        {MsgButtons::YesNo, Close, {}, answer::No},
        {MsgButtons::YesNoCancel, Press, QMessageBox::Yes, answer::Yes},
        {MsgButtons::YesNoCancel, Press, QMessageBox::No, answer::No},
        {MsgButtons::YesNoCancel, Press, QMessageBox::Cancel, answer::Cancel},
        {MsgButtons::YesNoCancel, Escape, {}, answer::Cancel},
        {MsgButtons::YesNoCancel, Close, {}, answer::Cancel},
    };
    QtPlatform platform;
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(index++);
        ModalDriver driver({[&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            if (c.action == Press)
                box->button(c.pressed)->click();
            else if (c.action == Escape)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->close();
        }});
        const int code = platform.messageBox(
            {QStringLiteral("x"), QStringLiteral("Квиллет"), MsgIcon::None, c.buttons, answer::Ok},
            nullptr);
        EXPECT_EQ(code, c.expected);
        EXPECT_EQ(driver.stepsRun(), 1u);
        EXPECT_EQ(driver.unexpected(), 0);
    }
}

TEST_F(QtPlatformTest, MessageBoxShowsTextTitleIconButtonsAndDefault) {
    using SB = QMessageBox::StandardButton;
    struct Case {
        MsgIcon icon;
        MsgButtons buttons;
        int defaultCode;
        QMessageBox::Icon shownIcon;
        QMessageBox::StandardButtons shownButtons;
        SB shownDefault;
    };
    const Case cases[] = {
        {MsgIcon::None, MsgButtons::Ok, answer::Ok, QMessageBox::NoIcon, SB::Ok, SB::Ok},
        {MsgIcon::Critical, MsgButtons::OkCancel, answer::Cancel, QMessageBox::Critical,
         SB::Ok | SB::Cancel, SB::Cancel},
        {MsgIcon::Question, MsgButtons::YesNo, answer::No, QMessageBox::Question, SB::Yes | SB::No,
         SB::No},
        {MsgIcon::Exclamation, MsgButtons::YesNoCancel, answer::Yes, QMessageBox::Warning,
         SB::Yes | SB::No | SB::Cancel, SB::Yes},
        {MsgIcon::Information, MsgButtons::YesNoCancel, answer::Cancel, QMessageBox::Information,
         SB::Yes | SB::No | SB::Cancel, SB::Cancel},
    };
    QtPlatform platform;
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(index++);
        ModalDriver driver({[&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Квиллет"));
            // The lines of the request are joined by CR LF; the box breaks them itself.
            EXPECT_EQ(box->text(), QStringLiteral("/home/документ.txt\nВторая строка"));
            EXPECT_EQ(box->icon(), c.shownIcon);
            EXPECT_EQ(box->standardButtons(), c.shownButtons);
            EXPECT_EQ(box->defaultButton(), box->button(c.shownDefault));
            box->defaultButton()->click();
        }});
        const int code =
            platform.messageBox({QStringLiteral("/home/документ.txt\r\nВторая строка"),
                                 QStringLiteral("Квиллет"), c.icon, c.buttons, c.defaultCode},
                                nullptr);
        EXPECT_EQ(code, c.defaultCode);
        EXPECT_EQ(driver.stepsRun(), 1u);
    }
}

// ---- Save As refuses files it cannot write -------------------------------------

void chooseFile(QWidget* modal, const QString& path) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(path);
    // As the dialog's own Save button does: the file dialog's checks run first.
    static_cast<QDialog*>(dialog)->accept();
}

TEST_F(QtPlatformTest, SaveAsAsksAgainForAFileInAFolderItCannotWrite) {
    const QString writable = home_.path() + QStringLiteral("/документ.txt");
    // A folder that does not exist takes no file, whoever runs the test.
    const QString unwritable = home_.path() + QStringLiteral("/нет/документ.txt");
    struct Case {
        const char* name;
        bool refuseReadOnly;
        QStringList chosen;              // one per showing of the dialog
        std::optional<QString> expected; // nothing: the last showing is cancelled
        int warnings;
    };
    const Case cases[] = {
        {"a writable file", true, {writable}, writable, 0},
        {"unwritable, then writable", true, {unwritable, writable}, writable, 1},
        {"unwritable twice, then cancelled", true, {unwritable, unwritable}, std::nullopt, 2},
        {"unwritable but not refused", false, {unwritable}, unwritable, 0},
    };
    QtPlatform platform;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int warnings = 0;
        std::vector<ModalDriver::Step> steps;
        for (int i = 0; i < c.chosen.size(); ++i) {
            steps.push_back([path = c.chosen[i]](QWidget* modal) { chooseFile(modal, path); });
            if (i < c.warnings) {
                steps.push_back([&](QWidget* modal) {
                    auto* box = qobject_cast<QMessageBox*>(modal);
                    ASSERT_NE(box, nullptr);
                    EXPECT_TRUE(box->text().endsWith(QStringLiteral("защищены от записи.")));
                    ++warnings;
                    box->accept();
                });
            }
        }
        if (!c.expected)
            steps.push_back([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
        ModalDriver driver(std::move(steps));
        FileDialogRequest request;
        request.title = QStringLiteral("Сохранить как");
        request.filters = {QStringLiteral("Текстовые файлы (*.txt)")};
        request.refuseReadOnly = c.refuseReadOnly;
        const std::optional<QString> chosen = platform.saveFileDialog(request, nullptr);
        EXPECT_EQ(chosen, c.expected);
        EXPECT_EQ(warnings, c.warnings);
        EXPECT_EQ(driver.unexpected(), 0);
    }
}

TEST_F(QtPlatformTest, ColourDialogGivesTheChoiceOrNothing) {
    QtPlatform platform;
    const QColor start(0x12, 0x34, 0x56);
    struct Case {
        bool accept;
        std::optional<QColor> expected;
    };
    for (const Case& c : {Case{true, start}, Case{false, std::nullopt}}) {
        ModalDriver driver({[&](QWidget* modal) {
            auto* dialog = qobject_cast<QColorDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            c.accept ? dialog->accept() : dialog->reject();
        }});
        EXPECT_EQ(platform.colorDialog(start, nullptr), c.expected) << c.accept;
        EXPECT_EQ(driver.stepsRun(), 1u);
    }
}

// ---- Settings store ------------------------------------------------------------

TEST_F(QtPlatformTest, SettingsStoreKeepsValuesAcrossStores) {
    {
        QtSettingsStore store;
        store.save(QStringLiteral("General"), QStringLiteral("RecentFile"),
                   QStringLiteral("/home/документ.txt"));
        store.save(QStringLiteral("Flags"), QStringLiteral("NoDebug"), QStringLiteral("False"));
        store.commit();
    }
    struct Case {
        const char* section;
        const char* key;
        QString expected;
    };
    const Case cases[] = {
        {"General", "RecentFile", QStringLiteral("/home/документ.txt")},
        {"Flags", "NoDebug", QStringLiteral("False")},
        {"Flags", "Missing", QString()},
        {"Font", "RecentFile", QString()},
    };
    QtSettingsStore again;
    for (const Case& c : cases)
        EXPECT_EQ(again.get(QLatin1String(c.section), QLatin1String(c.key)), c.expected) << c.key;
}

TEST_F(QtPlatformTest, ARefusedSettingsWriteIsAnAccessFailure) {
    // A file where the store's folder should be refuses the write even to a
    // privileged user. (A folder where the file should be is a file that cannot
    // be read: never written at all, below.)
    ASSERT_TRUE(QDir(configFolder()).removeRecursively());
    {
        QFile blocker(configFolder());
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    QtSettingsStore store;
    store.save(QStringLiteral("General"), QStringLiteral("ToolBar"), QStringLiteral("False"));
    try {
        store.commit();
        ADD_FAILURE() << "the write was not refused";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), err::PathFileAccess);
    }
}

TEST_F(QtPlatformTest, ADamagedSettingsFileIsKeptAsideAndOnlyItsSoundLinesRead) {
    std::mt19937 random(20240601);
    QByteArray randomBytes(4096, '\0');
    for (char& c : randomBytes)
        c = char(random() & 0xFF);
    QByteArray binary(2 << 20, '\0');
    binary.replace(0, 24, "[%General]\nToolBar=True\n");
    const QString older = QStringLiteral("an older damaged file");
    struct Case {
        const char* name;
        QByteArray content;
        bool damaged;
        bool keptAlready; // a ".damaged" file is there from before
        QString toolBar;  // General/ToolBar as read
        QStringList keys; // in the file once a value has been written
    };
    const QStringList fontSize = {QStringLiteral("Font/FontSize"), QStringLiteral("General/X")};
    const QStringList toolBar = {QStringLiteral("General/ToolBar"), QStringLiteral("General/X")};
    const QStringList none = {QStringLiteral("General/X")};
    const Case cases[] = {
        {"sound, with a note", "; by hand\n[%General]\nToolBar=True\n", false, true,
         QStringLiteral("True"), toolBar},
        {"a section never closed", "[General\nToolBar=True\n", true, false, QString(), none},
        {"good keys, then a broken section", "[%General]\nToolBar=True\n[Flags\nNoDebug=False\n",
         true, false, QStringLiteral("True"), toolBar},
        {"a line without '='", "[%General]\nToolBar=True\nToolBar False\n[Font]\nFontSize=12\n",
         true, true, QStringLiteral("True"), toolBar + fontSize.first(1)},
        {"an odd quote", "[%General]\nToolBar=\"True\n[Font]\nFontSize=12\n", true, false,
         QString(), fontSize},
        {"random bytes", randomBytes, true, true, QString(), none},
        {"binary junk", binary, true, false, QString(), none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& name : QDir(configFolder()).entryList({QStringLiteral("*.damaged*")}))
            ASSERT_TRUE(QFile::remove(configFolder() + QLatin1Char('/') + name));
        const auto write = [](const QString& path, const QByteArray& bytes) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
        };
        write(configFile(), c.content);
        const QString kept = configFile() + QStringLiteral(".damaged");
        if (c.keptAlready)
            write(kept, older.toUtf8());

        QtSettingsStore store;
        EXPECT_EQ(store.get(QStringLiteral("General"), QStringLiteral("ToolBar")), c.toolBar);
        const auto bytesOf = [](const QString& path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
        };
        const QString keptNow = c.keptAlready ? kept + QStringLiteral(".1") : kept;
        EXPECT_EQ(bytesOf(keptNow), c.damaged ? c.content : QByteArray("(missing)"));
        if (c.keptAlready) {
            EXPECT_EQ(bytesOf(kept), older.toUtf8());
        }
        store.save(QStringLiteral("General"), QStringLiteral("X"), QStringLiteral("1"));
        EXPECT_NO_THROW(store.commit());
        QSettings written(configFile(), QSettings::IniFormat);
        EXPECT_EQ(written.status(), QSettings::NoError);
        QStringList keys = written.allKeys();
        keys.sort();
        QStringList expected = c.keys;
        expected.sort();
        EXPECT_EQ(keys, expected);
    }
}

TEST_F(QtPlatformTest, ASettingsFileThatCannotBeReadIsNeverWritten) {
    struct Case {
        const char* name;
        std::function<void()> make;   // puts the unreadable thing in the file's place
        std::function<bool()> intact; // it is still there as it was
    };
    const QString path = configFile();
    const Case cases[] = {
        {"a folder", [&] { QDir().mkpath(path + QStringLiteral("/inside")); },
         [&] { return QFileInfo(path + QStringLiteral("/inside")).isDir(); }},
        {"a pipe", [&] { ::mkfifo(QFile::encodeName(path).constData(), 0600); },
         [&] {
             struct stat info {};
             return ::lstat(QFile::encodeName(path).constData(), &info) == 0 &&
                    S_ISFIFO(info.st_mode);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QDir(configFolder()).removeRecursively());
        ASSERT_TRUE(QDir().mkpath(configFolder()));
        c.make();
        {
            QtSettingsStore store;
            try {
                (void)store.get(QStringLiteral("General"), QStringLiteral("ToolBar"));
                ADD_FAILURE() << "the read did not fail";
            } catch (const Failure& failure) {
                EXPECT_EQ(failure.number(), err::PathFileAccess);
            }
            store.save(QStringLiteral("General"), QStringLiteral("ToolBar"),
                       QStringLiteral("False"));
            EXPECT_NO_THROW(store.commit());
        }
        EXPECT_TRUE(c.intact());
        EXPECT_EQ(
            QDir(configFolder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System),
            QStringList{QStringLiteral("Quillet.conf")});
    }
}

// ---- Instance lock ----------------------------------------------------------------

TEST_F(QtPlatformTest, ASecondPlatformSeesTheFirstRunning) {
    auto first = std::make_unique<QtPlatform>();
    EXPECT_FALSE(first->otherInstanceRunning());
    {
        QtPlatform second;
        EXPECT_TRUE(second.otherInstanceRunning());
    }
    first.reset();
    QtPlatform third;
    EXPECT_FALSE(third.otherInstanceRunning());
}

// ---- Clipboard ----------------------------------------------------------------------

TEST_F(QtPlatformTest, ClipboardTextIsTextOnly) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    struct Case {
        const char* name;
        std::function<void()> fill;
        QString expected;
    };
    const Case cases[] = {
        {"text", [&] { clipboard->setText(QStringLiteral("Привет\nмир")); },
         QStringLiteral("Привет\nмир")},
        {"a picture alone",
         [&] {
             auto* data = new QMimeData;
             data->setImageData(QImage(2, 2, QImage::Format_RGB32));
             clipboard->setMimeData(data);
         },
         QString()},
        {"emptied", [&] { clipboard->clear(); }, QString()},
    };
    QtPlatform platform;
    for (const Case& c : cases) {
        c.fill();
        // The program's own clipboard: answered at once, never handed to a
        // reader that waits on another program.
        const std::shared_ptr<ClipboardRead> read = platform.readClipboard(
            [name = c.name] { ADD_FAILURE() << "answered later: " << name; });
        ASSERT_TRUE(read->wait(std::chrono::milliseconds(0))) << c.name;
        EXPECT_EQ(read->text(), c.expected) << c.name;
    }
}

// ---- Probes ----------------------------------------------------------------------------

TEST_F(QtPlatformTest, ProbesReportThisMachine) {
    QtPlatform platform;

    struct utsname name {};
    ASSERT_EQ(::uname(&name), 0);
    int major = -1, minor = -1, patch = -1;
    ASSERT_EQ(std::sscanf(name.release, "%d.%d.%d", &major, &minor, &patch), 3);
    const std::optional<OsVersion> version = platform.osVersion();
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(version->major, major);
    EXPECT_EQ(version->minor, minor);
    EXPECT_EQ(version->build, patch);

    // The name stands in /etc/os-release without its quotes.
    const QString product = platform.productName();
    QFile release(QStringLiteral("/etc/os-release"));
    if (release.open(QIODevice::ReadOnly) && release.readAll().contains("PRETTY_NAME=")) {
        EXPECT_FALSE(product.isEmpty());
        EXPECT_FALSE(product.startsWith(QLatin1Char('"')) || product.endsWith(QLatin1Char('"')));
        release.seek(0);
        EXPECT_TRUE(QString::fromUtf8(release.readAll()).contains(product));
    }
}

TEST_F(QtPlatformTest, EnvironmentAndWritableFolders) {
    qputenv("QUILLET_PROBE_TEST", "/var/tmp");
    EXPECT_EQ(QtPlatform().environment(QStringLiteral("QUILLET_PROBE_TEST")),
              QStringLiteral("/var/tmp"));
    qunsetenv("QUILLET_PROBE_TEST");
    EXPECT_EQ(QtPlatform().environment(QStringLiteral("QUILLET_PROBE_TEST")), QString());

    QFile plain(home_.path() + QStringLiteral("/plain.txt"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    struct Case {
        QString path;
        bool writable;
    };
    const Case cases[] = {
        {home_.path(), true},
        {home_.path() + QStringLiteral("/missing"), false},
        {plain.fileName(), false}, // a file is no folder to create files in
    };
    QtPlatform platform;
    for (const Case& c : cases)
        EXPECT_EQ(platform.folderWritable(c.path), c.writable) << c.path.toStdString();
}

TEST_F(QtPlatformTest, ScreensPrimaryFirst) {
    QtPlatform platform;
    const QVector<QRect> areas = platform.availableScreenAreas();
    ASSERT_EQ(areas.size(), QGuiApplication::screens().size());
    EXPECT_EQ(areas.first(), QGuiApplication::primaryScreen()->availableGeometry());
    EXPECT_EQ(platform.screenGeometry(), QGuiApplication::primaryScreen()->geometry());
}

TEST_F(QtPlatformTest, PrintingWithoutADefaultPrinterIsAPrinterFailure) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    // The printer module is found after a folder without it, and it is the
    // module that finds no printer.
    QtPlatform platform({QDir::tempPath(), QStringLiteral(QUILLET_MODULE_BUILD_DIR)});
    QTextDocument document(QStringLiteral("текст"));
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            platform.print(document);
            ADD_FAILURE() << "printed without a printer";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.number(), err::PrinterError);
            EXPECT_EQ(failure.description(), QStringLiteral("Printer error")) << attempt;
        }
    }
}

TEST_F(QtPlatformTest, AMissingPrinterModuleIsAPrinterFailureThatNamesIt) {
    QTemporaryDir empty;
    QtPlatform platform({empty.path()});
    QTextDocument document(QStringLiteral("текст"));
    try {
        platform.print(document);
        ADD_FAILURE() << "printed without the printer module";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), err::PrinterError);
        EXPECT_TRUE(failure.description().startsWith(QStringLiteral("Printer support not found: ")))
            << failure.description().toStdString();
        EXPECT_TRUE(failure.description().contains(empty.path()))
            << failure.description().toStdString();
    }
}

} // namespace
} // namespace quillet
