#pragma once

#include "platform/platform.h"
#include "platform/printer_module.h"

#include <QGuiApplication>
#include <QLibrary>
#include <QSettings>
#include <QStringList>

#include <memory>

namespace quillet {

// The settings store of the running program: QSettings in native format under
// organization and application "Quillet" (~/.config/Quillet/Quillet.conf).
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;
    QString get(const QString& section, const QString& key) override;
    void save(const QString& section, const QString& key, const QString& value) override;
    void commit() override;

private:
    std::unique_ptr<QSettings> settings_;
};

// Total and available physical memory from the text of /proc/meminfo (values
// in KiB there, in bytes here); nothing when either line is missing.
std::optional<MemoryStatus> parseMemInfo(const QByteArray& text);

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
    QString clipboardText() override;
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
    QStringList printerModuleFolders_;
    std::unique_ptr<QLibrary> printerLibrary_;
    PrintOnDefaultPrinter printOnDefaultPrinter_ = nullptr;
};

} // namespace quillet
