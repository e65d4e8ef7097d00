#pragma once

#include "platform/platform.h"

#include <QLockFile>
#include <QSettings>

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

class QtPlatform : public Platform {
public:
    QtPlatform();
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
    QPoint cursorPos() override;
    QString applicationFolder() override;
    std::optional<RegistryValue> readRegistry(const QString& root, const QString& subkey,
                                              const QString& name) override;
    QString productName() override;
    std::optional<OsVersion> osVersion() override;
    QString windowsFolder() override;
    QString systemFolder() override;
    QString environment(const QString& name) override;
    std::optional<MemoryStatus> memoryStatus() override;
    bool fileExists(const QString& path) override;
    bool startProgram(const QString& path) override;
    bool openUrl(const QUrl& url) override;

private:
    std::unique_ptr<QtSettingsStore> store_;
    std::unique_ptr<QLockFile> instanceLock_;
    bool otherInstance_ = false;
};

} // namespace quillet
