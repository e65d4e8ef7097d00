#pragma once

// Everything modal or external that the program asks of the system goes through
// Platform: message boxes, the common dialogs, our own modal windows, the default
// printer, the settings store, the clock, the other-instance check, system probes,
// the application folder, and opening the mail link. QtPlatform is the product;
// the tests put a scripted double in its place, so no test ever waits on a window.

#include <QColor>
#include <QDateTime>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QTextDocument;
class QUrl;
class QWidget;

namespace quillet {

// ---- Message boxes ---------------------------------------------------------

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };

// Answer codes of a message box.
namespace answer {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace answer

struct MessageBoxRequest {
    QString text; // lines joined by CR LF
    QString title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    int defaultButton = answer::Ok; // the answer code of the default button
};

// ---- Common dialogs --------------------------------------------------------

struct FileDialogRequest {
    QString title;
    QString initialName;
    QStringList filters;           // in Qt's form, e.g. "Текстовые файлы (*.txt)"
    int filterIndex = 1;           // 1-based, the filter preselected
    bool mustExist = false;        // Open: the file must exist
    bool confirmOverwrite = false; // Save: ask before replacing a file
    bool refuseReadOnly = false;   // Save: refuse read-only files and folders
    // The folder the dialog starts in; empty leaves it to the toolkit.
    QString folder;
};

struct FontChoice {
    QString name;
    double pointSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    QColor color;
    bool operator==(const FontChoice&) const = default;
};

// ---- System probes ---------------------------------------------------------

struct MemoryStatus {
    std::uint64_t total = 0;     // physical memory, bytes
    std::uint64_t available = 0; // available physical memory, bytes
};

// The running kernel's version: "6.1.0-18-amd64" is major 6, minor 1, patch 0.
struct OsVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
};

// ---- Clipboard -------------------------------------------------------------

// One read of the clipboard's text. Another program's clipboard is handed over by
// that program, which may answer late or never; the read goes on by itself, and
// the caller looks for its answer or waits for it a bounded time.
class ClipboardRead {
public:
    virtual ~ClipboardRead() = default;
    // Waits at most `limit` for the answer (zero: only looks); whether it is there.
    virtual bool wait(std::chrono::milliseconds limit) = 0;
    // The answer, once it is there: the clipboard's text, empty when it holds no
    // text. Throws Failure when the clipboard could not be read, an owner that
    // never answered included.
    virtual QString text() const = 0;
};

// ---- The seam --------------------------------------------------------------

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // A key that does not exist reads as the empty text. A store that refuses the
    // read throws quillet::Failure.
    virtual QString get(const QString& section, const QString& key) = 0;
    // Creates the section and key as needed. A refused write throws quillet::Failure.
    // A store may hold the values back until commit().
    virtual void save(const QString& section, const QString& key, const QString& value) = 0;
    // Puts every value saved since the last commit into the store's medium at
    // once (one write, one sync). A refused write throws quillet::Failure. A store
    // that writes each value as it is saved has nothing to do here.
    virtual void commit() {}
};

class Platform {
public:
    virtual ~Platform() = default;

    // Modal interaction.
    virtual int messageBox(const MessageBoxRequest& request, QWidget* owner) = 0;
    virtual std::optional<QString> openFileDialog(const FileDialogRequest& request,
                                                  QWidget* owner) = 0;
    virtual std::optional<QString> saveFileDialog(const FileDialogRequest& request,
                                                  QWidget* owner) = 0;
    virtual std::optional<FontChoice> fontDialog(const FontChoice& initial, QWidget* owner) = 0;
    virtual std::optional<QColor> colorDialog(const QColor& initial, QWidget* owner) = 0;
    // Runs one of the program's own modal windows (Find, Replace, Go to, About)
    // and returns its result code once it is closed.
    virtual int execDialog(QDialog& dialog) = 0;

    // Prints the document as one job on the default printer.
    // No default printer throws Failure(err::PrinterError).
    virtual void print(QTextDocument& document) = 0;

    virtual SettingsStore& settings() = 0;
    virtual QDateTime now() = 0;
    // Another instance of the program is running for this user.
    virtual bool otherInstanceRunning() = 0;

    // Starts reading the clipboard's text and returns at once, never waiting on
    // the program that owns the clipboard. A read that can be answered at once
    // (the program's own clipboard) is answered when this returns; any other
    // calls `answered` on the window's thread when its answer comes.
    virtual std::shared_ptr<ClipboardRead> readClipboard(std::function<void()> answered) = 0;

    // Screen and pointer, in logical pixels.
    virtual QRect screenGeometry() = 0;
    // The part of every screen that windows may take (without panels and docks),
    // the primary screen first.
    virtual QVector<QRect> availableScreenAreas() = 0;
    virtual QPoint cursorPos() = 0;
    // The window system the program's windows are on, by Qt's name for it
    // ("xcb" for an X server, "wayland", "offscreen").
    virtual QString windowSystem() = 0;

    // Probes.
    virtual QString applicationFolder() = 0; // the executable's folder, no trailing separator
    virtual QString productName() = 0;       // the system's own name; empty when unknown
    virtual std::optional<OsVersion> osVersion() = 0;
    virtual QString environment(const QString& name) = 0;
    virtual std::optional<MemoryStatus> memoryStatus() = 0;
    // Whether this program may create files in the folder.
    virtual bool folderWritable(const QString& path) = 0;

    // Hands a link (the mail address) to the desktop; whether a program took it.
    virtual bool openUrl(const QUrl& url) = 0;
};

} // namespace quillet
