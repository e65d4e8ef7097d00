#pragma once

#include "platform/platform.h"
#include "platform/printer_module.h"

#include <QGuiApplication>
#include <QLibrary>
#include <QSettings>
#include <QStringList>

#include <memory>

namespace quillet {

class X11ClipboardReader;

// The settings store of the running program: QSettings in native format under
// organization and application "Quillet" (~/.config/Quillet/Quillet.conf).
// A damaged file (settings_text.h) is copied beside it byte for byte, as
// "Quillet.conf.damaged" (or ".damaged.1", ".2", ... when that name is taken),
// and rewritten with its sound lines only, before the store reads it. A file
// that cannot be read is never written: every read fails (75) and every write
// is let go, so the run goes on with the program's defaults.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;
    QString get(const QString& section, const QString& key) override;
    void save(const QString& section, const QString& key, const QString& value) override;
    void commit() override;

private:
    // Copies the file aside and writes the sound text in its place; false, and
    // the file untouched, when the copy could not be made.
    static bool keepAsideAndRewrite(const QString& path, const QByteArray& sound);

    // None when the file could not be read.
    std::unique_ptr<QSettings> settings_;
};

// Total and available physical memory from the text of /proc/meminfo (values
// in KiB there, in bytes here); nothing when either line is missing.
std::optional<MemoryStatus> parseMemInfo(const QByteArray& text);

// The control groups whose memory limit holds for this process, from the texts
// of /proc/self/cgroup and /proc/self/mountinfo: the folder of its own group in
// the hierarchy that has the memory controller, then each folder above it up to
// where that hierarchy is mounted. Unified (v2): the files memory.max and
// memory.current; otherwise (v1) memory.limit_in_bytes and
// memory.usage_in_bytes. No folders when the process is in no such group.
struct MemoryGroups {
    bool unified = true;
    QStringList folders;
};
MemoryGroups memoryGroupFolders(QByteArrayView procSelfCgroup, QByteArrayView mountInfo);

// The room left under one group's limit, from the texts of its limit, usage
// and memory.stat files: the limit less the usage, the inactive file cache
// (which the kernel reclaims) not counted as used. Nothing when the group has
// no limit ("max") or a text is not a number.
std::optional<std::uint64_t> groupRoom(QByteArrayView limit, QByteArrayView usage,
                                       QByteArrayView stat);

// The memory available to the process: the machine's available memory, or the
// room under a group's limit when that is less (never 0, which callers take
// for "unknown").
std::uint64_t availableWithin(std::uint64_t available, std::optional<std::uint64_t> room);

// The per-user mark that an instance of the program is running: a lock file that
// the running instance keeps locked (flock) for its whole run. Whether another
// instance runs is whether someone holds that lock, never what the file says, so
// a file left empty or garbled by a crash, or left behind by a killed run, does
// not count: the kernel lets go of a lock when its process ends.
class InstanceLock {
public:
    explicit InstanceLock(const QString& path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this object holds the lock; false when another holder has it,
    // or when the lock file could not be used at all (then nobody is assumed
    // to be running).
    bool held() const { return fd_ >= 0; }
    bool otherHolder() const { return otherHolder_; }

private:
    int fd_ = -1;
    bool otherHolder_ = false;
};

class QtPlatform : public Platform {
public:
    // The printer module is looked for in these folders, in order; none given:
    // the program's own folder, then the folder the installation puts it in.
    explicit QtPlatform(QStringList printerModuleFolders = {});
    ~QtPlatform() override;

    int messageBox(const MessageBoxRequest& request, QWidget* owner) override;
    std::optional<QString> openFileDialog(const FileDialogRequest& request,
                                          QWidget* owner) override;
    std::optional<QString> saveFileDialog(const FileDialogRequest& request,
                                          QWidget* owner) override;
    std::optional<FontChoice> fontDialog(const FontChoice& initial, QWidget* owner) override;
    std::optional<QColor> colorDialog(const QColor& initial, QWidget* owner) override;
    int execDialog(QDialog& dialog) override;
    void print(QTextDocument& document) override;
    SettingsStore& settings() override;
    QDateTime now() override;
    bool otherInstanceRunning() override;
    std::shared_ptr<ClipboardRead> readClipboard(std::function<void()> answered) override;
    QRect screenGeometry() override;
    QVector<QRect> availableScreenAreas() override;
    QPoint cursorPos() override;
    QString windowSystem() override { return QGuiApplication::platformName(); }
    QString applicationFolder() override;
    QString productName() override;
    std::optional<OsVersion> osVersion() override;
    QString environment(const QString& name) override;
    std::optional<MemoryStatus> memoryStatus() override;
    bool folderWritable(const QString& path) override;
    bool openUrl(const QUrl& url) override;

private:
    // The printer module's print function, the module loaded on first use.
    PrintOnDefaultPrinter printerModule();

    std::unique_ptr<QtSettingsStore> store_;
    std::unique_ptr<InstanceLock> instanceLock_;
    // Made at the first read of another X11 program's clipboard.
    std::unique_ptr<X11ClipboardReader> x11Clipboard_;
    QStringList printerModuleFolders_;
    std::unique_ptr<QLibrary> printerLibrary_;
    PrintOnDefaultPrinter printOnDefaultPrinter_ = nullptr;
};

} // namespace quillet
