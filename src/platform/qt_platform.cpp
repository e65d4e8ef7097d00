#include "platform/qt_platform.h"

#include "platform/failure.h"
#include "platform/font_dialog.h"
#include "platform/print_pages.h"
#include "platform/settings_text.h"
#include "platform/x11_clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QCursor>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QTextDocument>
#include <QUrl>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace quillet {

namespace {

std::unique_ptr<QSettings> openSettings() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Quillet"), QStringLiteral("Quillet"));
}

// The store's file as QSettings names it. QSettings reads its file as soon as it
// is made, and a large damaged one takes seconds to read: the name is asked of a
// store for an application no file is kept for, in the same folder.
QString settingsFilePath() {
    const QSettings probe(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quillet"),
                          QStringLiteral(".Quillet-unused"));
    return QFileInfo(probe.fileName()).absolutePath() + QStringLiteral("/Quillet.conf");
}

// The settings file as it lies: missing, there but unreadable (no permission,
// a folder in its place, an I/O error), or its bytes (no more than the limit
// and one: more than the limit is junk whatever the rest holds).
struct SettingsFile {
    enum State { Missing, Unreadable, Read } state = Missing;
    QByteArray bytes;
};

SettingsFile readSettingsFile(const QString& path) {
    // Not blocking on a pipe or a device in the file's place.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    // No file on the way (a missing folder, or a file where a folder should be):
    // nothing to keep, and the store's writes go where they can.
    if (fd < 0)
        return {errno == ENOENT || errno == ENOTDIR ? SettingsFile::Missing
                                                    : SettingsFile::Unreadable,
                {}};
    SettingsFile file{SettingsFile::Read, {}};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {SettingsFile::Unreadable, {}};
    }
    file.bytes.resize(SettingsFileLimit + 1);
    qsizetype got = 0;
    while (got < file.bytes.size()) {
        const ssize_t n = ::read(fd, file.bytes.data() + got, size_t(file.bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return {SettingsFile::Unreadable, {}};
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    file.bytes.truncate(got);
    return file;
}

// Where a damaged settings file is kept: "Quillet.conf.damaged", then
// "Quillet.conf.damaged.1", ".2" and so on.
QString keptAsideName(const QString& path, int number) {
    const QString name = path + QStringLiteral(".damaged");
    return number == 0 ? name : name + QLatin1Char('.') + QString::number(number);
}

} // namespace

QtSettingsStore::QtSettingsStore() {
    const QString path = settingsFilePath();
    const SettingsFile file = readSettingsFile(path);
    // A file that cannot be read cannot be kept aside either: it is left as it
    // is, and this run goes without the store.
    if (file.state == SettingsFile::Unreadable)
        return;
    if (file.state == SettingsFile::Read) {
        const SettingsTextCheck check = checkSettingsText(file.bytes);
        if (check.damaged && !keepAsideAndRewrite(path, check.sound))
            return;
    }
    settings_ = openSettings();
    if (settings_->status() != QSettings::FormatError)
        return;
    // QSettings refuses what the line check let through: nothing of it is read.
    settings_.reset();
    if (keepAsideAndRewrite(path, {}))
        settings_ = openSettings();
}

bool QtSettingsStore::keepAsideAndRewrite(const QString& path, const QByteArray& sound) {
    // The damaged file goes beside under the first free name, byte for byte,
    // before anything is written over it; one that cannot be copied is left
    // alone.
    int number = 0;
    while (QFileInfo::exists(keptAsideName(path, number)) ||
           QFileInfo(keptAsideName(path, number)).isSymLink())
        ++number;
    if (!QFile::copy(path, keptAsideName(path, number)))
        return false;
    QSaveFile clean(path);
    return clean.open(QIODevice::WriteOnly) && clean.write(sound) == sound.size() && clean.commit();
}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::get(const QString& section, const QString& key) {
    if (!settings_ || settings_->status() == QSettings::FormatError)
        throw Failure(err::PathFileAccess, QStringLiteral("Settings store unreadable"));
    return settings_->value(section + QLatin1Char('/') + key).toString();
}

void QtSettingsStore::save(const QString& section, const QString& key, const QString& value) {
    // Without a store (its file could not be read) nothing is written: the file
    // stays as the user left it.
    if (!settings_)
        return;
    // Held in memory until commit(): the file is rewritten once per group, not
    // once per key.
    settings_->setValue(section + QLatin1Char('/') + key, value);
}

void QtSettingsStore::commit() {
    if (!settings_)
        return;
    settings_->sync();
    const QSettings::Status status = settings_->status();
    if (status == QSettings::NoError)
        return;
    if (status == QSettings::FormatError) {
        // The file could not be parsed when it was read, and QSettings keeps that
        // status for good. sync() has written the values out all the same: when a
        // fresh reader finds the file sound now, the write went through.
        auto fresh = openSettings();
        if (fresh->status() == QSettings::NoError) {
            settings_ = std::move(fresh);
            return;
        }
    }
    throw Failure(err::PathFileAccess, QStringLiteral("Settings store refused the write"));
}

namespace {

// A clipboard read answered as it starts.
class AnsweredRead : public ClipboardRead {
public:
    explicit AnsweredRead(QString text) : text_(std::move(text)) {}
    explicit AnsweredRead(const Failure& failure) : failure_(failure) {}
    bool wait(std::chrono::milliseconds) override { return true; }
    QString text() const override {
        if (failure_)
            throw *failure_;
        return text_;
    }

private:
    QString text_;
    std::optional<Failure> failure_;
};

} // namespace

std::shared_ptr<ClipboardRead> QtPlatform::readClipboard(std::function<void()> answered) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return std::make_shared<AnsweredRead>(
            Failure(err::CannotOpenClipboard, QStringLiteral("Can't open Clipboard")));
    // The program's own clipboard is at hand, and so is every clipboard of a
    // window system other than X11 (the offscreen one keeps it in the program).
    // An empty clipboard has no data at all; a picture or another format alone
    // gives no text. The text is asked for directly: asking first whether there
    // is any lists every format the clipboard could be read as, and that loads
    // every image format plug-in.
    if (clipboard->ownsClipboard() || QGuiApplication::platformName() != QLatin1String("xcb")) {
        const QMimeData* data = clipboard->mimeData();
        return std::make_shared<AnsweredRead>(data ? data->text() : QString());
    }
    // Another program's: asked on a thread of its own, never waited for here.
    if (!x11Clipboard_)
        x11Clipboard_ = std::make_unique<X11ClipboardReader>(qgetenv("DISPLAY"));
    return x11Clipboard_->read(std::move(answered));
}

InstanceLock::InstanceLock(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        otherHolder_ = errno == EWOULDBLOCK;
        ::close(fd);
        return;
    }
    fd_ = fd;
    // The holder's process number, for a person looking at the file; nothing
    // reads it back.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd_, 0) != 0 ||
        ::pwrite(fd_, pid.constData(), static_cast<size_t>(pid.size()), 0) < 0) {
        // Only a note: the lock is what counts.
    }
}

InstanceLock::~InstanceLock() {
    // The file stays: removing it could take it from under an instance that has
    // just opened it to take the lock.
    if (fd_ >= 0)
        ::close(fd_);
}

QtPlatform::QtPlatform(QStringList printerModuleFolders)
    : store_(std::make_unique<QtSettingsStore>()),
      printerModuleFolders_(std::move(printerModuleFolders)) {
    // One lock file per user, held for the whole run, tells a second instance
    // that another one is running.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    instanceLock_ =
        std::make_unique<InstanceLock>(folder + QStringLiteral("/quillet-%1.lock").arg(::getuid()));
}

QtPlatform::~QtPlatform() = default;

int QtPlatform::messageBox(const MessageBoxRequest& request, QWidget* owner) {
    QMessageBox box(owner);
    box.setWindowTitle(request.title);
    QString text = request.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(text);
    switch (request.icon) {
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::None:
        break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int code;
    };
    std::vector<Choice> choices;
    switch (request.buttons) {
    case MsgButtons::Ok:
        choices = {{QMessageBox::Ok, answer::Ok}};
        break;
    case MsgButtons::OkCancel:
        choices = {{QMessageBox::Ok, answer::Ok}, {QMessageBox::Cancel, answer::Cancel}};
        break;
    case MsgButtons::YesNo:
        choices = {{QMessageBox::Yes, answer::Yes}, {QMessageBox::No, answer::No}};
        break;
    case MsgButtons::YesNoCancel:
        choices = {{QMessageBox::Yes, answer::Yes},
                   {QMessageBox::No, answer::No},
                   {QMessageBox::Cancel, answer::Cancel}};
        break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice& c : choices)
        buttons |= c.button;
    box.setStandardButtons(buttons);
    // Escape and the title bar's close button answer Cancel when it is offered,
    // otherwise the answer the box has no way to refuse: OK, or No for a Yes/No
    // question.
    int escapeCode = answer::Cancel;
    if (request.buttons == MsgButtons::Ok)
        escapeCode = answer::Ok;
    else if (request.buttons == MsgButtons::YesNo)
        escapeCode = answer::No;
    for (const Choice& c : choices) {
        if (c.code == request.defaultButton)
            box.setDefaultButton(c.button);
        if (c.code == escapeCode)
            box.setEscapeButton(c.button);
    }
    const int pressed = box.exec();
    for (const Choice& c : choices) {
        if (c.button == pressed)
            return c.code;
    }
    return escapeCode;
}

static void prepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setWindowTitle(request.title);
    dialog.setNameFilters(request.filters);
    if (request.filterIndex >= 1 && request.filterIndex <= request.filters.size())
        dialog.selectNameFilter(request.filters.at(request.filterIndex - 1));
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    dialog.selectFile(request.initialName);
}

std::optional<QString> QtPlatform::openFileDialog(const FileDialogRequest& request,
                                                  QWidget* owner) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    prepareFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtPlatform::saveFileDialog(const FileDialogRequest& request,
                                                  QWidget* owner) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    prepareFileDialog(dialog, request);
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString name = dialog.selectedFiles().constFirst();
        const QFileInfo info(name);
        const bool readOnly =
            (info.exists() && !info.isWritable()) || !QFileInfo(info.absolutePath()).isWritable();
        if (!request.refuseReadOnly || !readOnly)
            return name;
        QMessageBox::warning(&dialog, request.title,
                             name + QStringLiteral("\nФайл или папка защищены от записи."));
    }
    return std::nullopt;
}

std::optional<FontChoice> QtPlatform::fontDialog(const FontChoice& initial, QWidget* owner) {
    return runFontDialog(initial, owner);
}

std::optional<QColor> QtPlatform::colorDialog(const QColor& initial, QWidget* owner) {
    const QColor chosen = QColorDialog::getColor(initial, owner);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

int QtPlatform::execDialog(QDialog& dialog) {
    return dialog.exec();
}

PrintOnDefaultPrinter QtPlatform::printerModule() {
    if (printOnDefaultPrinter_)
        return printOnDefaultPrinter_;
    QStringList folders = printerModuleFolders_;
    if (folders.isEmpty()) {
        const QString here = QCoreApplication::applicationDirPath();
        folders = {here, QDir::cleanPath(here + QStringLiteral("/../" QUILLET_MODULE_SUBDIR))};
    }
    QStringList problems;
    for (const QString& folder : folders) {
        auto library = std::make_unique<QLibrary>(folder + QLatin1Char('/') +
                                                  QLatin1String(PrinterModuleName));
        if (auto print = reinterpret_cast<PrintOnDefaultPrinter>(
                library->resolve(PrintOnDefaultPrinterName))) {
            printerLibrary_ = std::move(library); // kept loaded for the rest of the run
            printOnDefaultPrinter_ = print;
            return print;
        }
        problems << library->errorString();
    }
    // A broken installation: told like any other printer that cannot print.
    throw Failure(err::PrinterError, QStringLiteral("Printer support not found: ") +
                                         problems.join(QStringLiteral("; ")));
}

void QtPlatform::print(QTextDocument& document) {
    const PrintOnDefaultPrinter printOnDefaultPrinter = printerModule();
    switch (printOnDefaultPrinter(document, QStringLiteral("Quillet"), &printTextDocument)) {
    case PrintedOnDefaultPrinter:
        return;
    case NoDefaultPrinter:
        throw Failure(err::PrinterError, QStringLiteral("Printer error"));
    default:
        throw Failure(err::DeviceIO, QStringLiteral("Printing failed"));
    }
}

SettingsStore& QtPlatform::settings() {
    return *store_;
}

QDateTime QtPlatform::now() {
    return QDateTime::currentDateTime();
}

bool QtPlatform::otherInstanceRunning() {
    return instanceLock_->otherHolder();
}

QRect QtPlatform::screenGeometry() {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry();
    return QRect(0, 0, 1024, 768);
}

QVector<QRect> QtPlatform::availableScreenAreas() {
    QVector<QRect> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        areas << primary->availableGeometry();
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (const QScreen* screen : screens) {
        if (screen != primary)
            areas << screen->availableGeometry();
    }
    return areas;
}

QPoint QtPlatform::cursorPos() {
    return QCursor::pos();
}

QString QtPlatform::applicationFolder() {
    return QCoreApplication::applicationDirPath();
}

QString QtPlatform::productName() {
    QFile file(QStringLiteral("/etc/os-release"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (!line.startsWith(QLatin1String("PRETTY_NAME=")))
            continue;
        QString value = line.mid(12);
        if (value.size() >= 2 &&
            (value.startsWith(QLatin1Char('"')) || value.startsWith(QLatin1Char('\''))))
            value = value.mid(1, value.size() - 2);
        return value;
    }
    return {};
}

std::optional<OsVersion> QtPlatform::osVersion() {
    struct utsname name {};
    if (::uname(&name) != 0)
        return std::nullopt;
    // "6.1.0-18-amd64": kernel major, minor and patch.
    const QString release = QString::fromLatin1(name.release);
    const QStringList parts = release.section(QLatin1Char('-'), 0, 0).split(QLatin1Char('.'));
    OsVersion v;
    v.major = parts.value(0).toInt();
    v.minor = parts.value(1).toInt();
    v.build = parts.value(2).toInt();
    return v;
}

QString QtPlatform::environment(const QString& name) {
    return qEnvironmentVariable(name.toLocal8Bit().constData());
}

std::optional<MemoryStatus> parseMemInfo(const QByteArray& text) {
    MemoryStatus status;
    bool haveTotal = false;
    bool haveAvailable = false;
    // Two of the file's fifty-odd lines matter; only those are taken apart.
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QByteArrayView line = QByteArrayView(text).sliced(start, end - start).trimmed();
        start = end + 1;
        if (!line.startsWith("MemTotal:") && !line.startsWith("MemAvailable:"))
            continue;
        const QList<QByteArray> fields = line.toByteArray().simplified().split(' ');
        if (fields.size() < 2)
            continue;
        bool ok = false;
        const std::uint64_t kib = fields.at(1).toULongLong(&ok);
        if (!ok)
            continue;
        if (fields.at(0) == "MemTotal:") {
            status.total = kib * 1024;
            haveTotal = true;
        } else if (fields.at(0) == "MemAvailable:") {
            status.available = kib * 1024;
            haveAvailable = true;
        }
    }
    if (!haveTotal || !haveAvailable)
        return std::nullopt;
    return status;
}

namespace {

// The fields of a line split at single spaces; empty fields dropped.
QList<QByteArrayView> fields(QByteArrayView line) {
    QList<QByteArrayView> out;
    for (qsizetype start = 0; start <= line.size();) {
        qsizetype end = line.indexOf(' ', start);
        if (end < 0)
            end = line.size();
        if (end > start)
            out << line.sliced(start, end - start);
        start = end + 1;
    }
    return out;
}

// Calls take(line) for each line of text.
template <typename Take> void forEachLine(QByteArrayView text, Take take) {
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        take(text.sliced(start, end - start).trimmed());
        start = end + 1;
    }
}

std::optional<std::uint64_t> wholeNumber(QByteArrayView text) {
    bool ok = false;
    const std::uint64_t value = text.trimmed().toULongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

} // namespace

MemoryGroups memoryGroupFolders(QByteArrayView procSelfCgroup, QByteArrayView mountInfo) {
    // The process's place in each hierarchy: "0::/path" in the unified one (v2),
    // "4:memory:/path" (or "4:cpu,memory:/path") in the memory controller's (v1).
    // Where the memory controller has a hierarchy of its own, the limit is there.
    QByteArray unifiedPath;
    QByteArray controllerPath;
    forEachLine(procSelfCgroup, [&](QByteArrayView line) {
        const qsizetype first = line.indexOf(':');
        const qsizetype second = first < 0 ? -1 : line.indexOf(':', first + 1);
        if (second < 0)
            return;
        const QByteArrayView controllers = line.sliced(first + 1, second - first - 1);
        const QByteArrayView path = line.sliced(second + 1);
        if (line.first(first) == "0" && controllers.isEmpty())
            unifiedPath = path.toByteArray();
        else if (controllers.toByteArray().split(',').contains("memory"))
            controllerPath = path.toByteArray();
    });
    const bool unified = controllerPath.isEmpty();
    const QByteArray path = unified ? unifiedPath : controllerPath;
    if (path.isEmpty())
        return {};

    // Where that hierarchy is mounted, and which of its folders is the mount's
    // root ("36 25 0:32 / /sys/fs/cgroup/memory rw - cgroup cgroup rw,memory").
    QByteArray mountPoint;
    QByteArray mountRoot = "/";
    forEachLine(mountInfo, [&](QByteArrayView line) {
        const QList<QByteArrayView> f = fields(line);
        const qsizetype dash = f.indexOf(QByteArrayView("-"));
        if (dash < 5 || dash + 3 >= f.size() || !mountPoint.isEmpty())
            return;
        const QByteArrayView type = f.at(dash + 1);
        const bool wanted =
            unified ? type == "cgroup2"
                    : type == "cgroup" &&
                          f.at(dash + 3).toByteArray().split(',').contains(QByteArray("memory"));
        if (wanted) {
            mountRoot = f.at(3).toByteArray();
            mountPoint = f.at(4).toByteArray();
        }
    });
    if (mountPoint.isEmpty()) {
        if (!unified)
            return {};
        mountPoint = "/sys/fs/cgroup";
    }

    // The process's own group first, then each one above it up to the mount's
    // root: a limit set on any of them holds for the process.
    QByteArray relative = path;
    if (mountRoot != "/" && (path == mountRoot || path.startsWith(mountRoot + '/')))
        relative = path.mid(mountRoot.size());
    MemoryGroups groups;
    groups.unified = unified;
    QStringList parts = QString::fromUtf8(relative).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QString top = QString::fromUtf8(mountPoint);
    while (true) {
        groups.folders << (parts.isEmpty() ? top
                                           : top + QLatin1Char('/') + parts.join(QLatin1Char('/')));
        if (parts.isEmpty())
            break;
        parts.removeLast();
    }
    return groups;
}

std::optional<std::uint64_t> groupRoom(QByteArrayView limit, QByteArrayView usage,
                                       QByteArrayView stat) {
    const std::optional<std::uint64_t> max = wholeNumber(limit); // "max": no limit
    const std::optional<std::uint64_t> used = wholeNumber(usage);
    if (!max || !used)
        return std::nullopt;
    // The group's inactive file cache counts as used, but the kernel gives it
    // back before it refuses memory: it is room. The figure for the group and
    // the groups below it (v1) when there is one.
    std::optional<std::uint64_t> inactive;
    std::optional<std::uint64_t> inactiveBelow;
    forEachLine(stat, [&](QByteArrayView line) {
        const QList<QByteArrayView> f = fields(line);
        if (f.size() == 2 && f.at(0) == "inactive_file")
            inactive = wholeNumber(f.at(1));
        else if (f.size() == 2 && f.at(0) == "total_inactive_file")
            inactiveBelow = wholeNumber(f.at(1));
    });
    const std::uint64_t reclaimable = inactiveBelow.value_or(inactive.value_or(0));
    const std::uint64_t inUse = *used - std::min(reclaimable, *used);
    return *max > inUse ? *max - inUse : 0;
}

std::uint64_t availableWithin(std::uint64_t available, std::optional<std::uint64_t> room) {
    if (!room)
        return available;
    // At least one byte: no memory at all reads as "unknown" to the memory check.
    return std::max<std::uint64_t>(std::min(available, *room), 1);
}

namespace {

QByteArray readWhole(const QString& path) {
    QFile file(path);
    // The kernel's files report a size of 0: read to the end rather than by size.
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

std::optional<MemoryStatus> QtPlatform::memoryStatus() {
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The kernel reports the file as empty (size 0), so atEnd() is true before
    // the first read: read the whole text in one go instead.
    std::optional<MemoryStatus> status = parseMemInfo(file.readAll());
    if (!status)
        return status;
    // Inside a container the process may get much less than the machine has
    // free: its control group's limit less what the group uses.
    const MemoryGroups groups =
        memoryGroupFolders(readWhole(QStringLiteral("/proc/self/cgroup")),
                           readWhole(QStringLiteral("/proc/self/mountinfo")));
    const QString limitFile =
        groups.unified ? QStringLiteral("/memory.max") : QStringLiteral("/memory.limit_in_bytes");
    const QString usageFile = groups.unified ? QStringLiteral("/memory.current")
                                             : QStringLiteral("/memory.usage_in_bytes");
    for (const QString& folder : groups.folders) {
        status->available =
            availableWithin(status->available,
                            groupRoom(readWhole(folder + limitFile), readWhole(folder + usageFile),
                                      readWhole(folder + QStringLiteral("/memory.stat"))));
    }
    return status;
}

bool QtPlatform::folderWritable(const QString& path) {
    return ::access(QFile::encodeName(path).constData(), W_OK | X_OK) == 0;
}

bool QtPlatform::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

} // namespace quillet
