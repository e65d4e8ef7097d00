#pragma once

// The scripted stand-in for the platform: it answers every question from queues
// filled by the test, in order, records everything it was asked or told, and fails
// the test on a question nobody scripted. Nothing modal ever opens.

#include "platform/platform.h"

#include <QMap>
#include <QPair>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace quillet::test {

// One line per call of the platform worth ordering ("read Section/Key",
// "message <text>", "dialog <name>", "otherInstanceRunning"), with a hook that
// runs at each, so a test can look at the program at that moment.
struct Journal {
    QStringList entries;
    std::function<void(const QString& entry)> onEntry;
    void add(const QString& entry) {
        entries << entry;
        if (onEntry)
            onEntry(entry);
    }
    // The position of the first entry starting with prefix, or -1.
    qsizetype first(const QString& prefix) const;
    // The position of the last entry starting with prefix, or -1.
    qsizetype last(const QString& prefix) const;
};

// An in-memory settings store that can refuse reads and writes on demand.
class MemoryStore : public SettingsStore {
public:
    QString get(const QString& section, const QString& key) override;
    void save(const QString& section, const QString& key, const QString& value) override;
    void commit() override;

    bool contains(const QString& section, const QString& key) const;
    QString value(const QString& section, const QString& key) const;
    void set(const QString& section, const QString& key, const QString& value);
    void clear() { values_.clear(); }
    int size() const { return static_cast<int>(values_.size()); }

    // Refusals: every read / every write, or a number of writes before refusing.
    bool refuseReads = false;
    bool refuseWrites = false;
    // Every save in order, as "Section/Key=Value".
    QStringList writes;
    int refusedWrites = 0;
    // Commits (one write and sync of the medium each), and refusing them.
    int commits = 0;
    // The number of saves made before each commit.
    QList<int> savesAtCommit;
    bool refuseCommits = false;
    int refusedCommits = 0;
    // Where reads are recorded; none when null.
    Journal* journal = nullptr;

private:
    QMap<QPair<QString, QString>, QString> values_;
};

// What the program showed or asked, in order.
struct Shown {
    QString kind; // "message", "open", "save", "font", "color", "dialog", "print", "url"
    QString text; // message text; dialog title or object name; url
    QString title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    int defaultButton = 0;
    FileDialogRequest file; // for "open" and "save"
};

class ScriptedPlatform : public Platform {
public:
    ScriptedPlatform();
    ~ScriptedPlatform() override;

    // ---- Scripts -------------------------------------------------------------
    // The answer to the next message box (1 OK, 2 Cancel, 6 Yes, 7 No).
    void answerMessage(int code) { messageAnswers.push_back(code); }
    // The next Open / Save As dialog returns this path, or is cancelled.
    void answerOpen(std::optional<QString> path) { openAnswers.push_back(std::move(path)); }
    void answerSave(std::optional<QString> path) { saveAnswers.push_back(std::move(path)); }
    void answerFont(std::optional<FontChoice> font) { fontAnswers.push_back(std::move(font)); }
    void answerColor(std::optional<QColor> color) { colorAnswers.push_back(std::move(color)); }
    // Runs against the next modal window of the program while it is "open"; the
    // script may fill its fields and press its buttons. Its return value is the
    // dialog's result code unless the dialog was closed with done().
    void answerDialog(std::function<int(QDialog&)> script) {
        dialogAnswers.push_back(std::move(script));
    }
    std::deque<int> messageAnswers;
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<std::optional<FontChoice>> fontAnswers;
    std::deque<std::optional<QColor>> colorAnswers;
    std::deque<std::function<int(QDialog&)>> dialogAnswers;

    // ---- Record --------------------------------------------------------------
    std::vector<Shown> shown;
    std::vector<Shown> messages() const;
    Journal journal;
    // Number of questions still scripted but never asked.
    int unusedAnswers() const;

    // ---- Environment ---------------------------------------------------------
    MemoryStore store;
    QDateTime clock = QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7));
    bool otherInstance = false;
    QRect screen = QRect(0, 0, 1280, 1024);
    QPoint cursor = QPoint(0, 0);
    QString windowSystemName = QStringLiteral("xcb");
    // The clipboard is the application's own (in-process under the offscreen
    // platform), read by clipboardReader unless a test puts another there (one
    // that throws Failure stands for a clipboard that cannot be read). Reads are
    // counted. A held clipboard stands for one whose owner does not answer: its
    // reads stay unanswered until answerHeldReads() (kept until then, as the
    // owner's answer would come even for a read nobody looks at any more), and
    // every wait for one returns at once, as if its limit had passed, the limit
    // recorded (a look, with no limit, is not a wait).
    int clipboardReads = 0;
    bool clipboardHeld = false;
    std::function<QString()> clipboardReader;
    std::vector<std::chrono::milliseconds> clipboardWaits;
    // Answers every read still waiting, from clipboardReader, as a slow owner
    // does in the end.
    void answerHeldReads();
    QString appFolder; // a fresh temporary folder unless set
    QStringList readOnlyFolders;
    QString product = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
    std::optional<OsVersion> version = OsVersion{6, 1, 0};
    QMap<QString, QString> env;
    std::optional<MemoryStatus> memory = MemoryStatus{8ull << 30, 4ull << 30};
    // Printing: no printer throws 482; otherwise the document goes to printPdf.
    bool hasPrinter = true;
    QString printPdf; // empty: printing is only recorded
    int printJobs = 0;
    QString lastPrintedText;

    // ---- Platform --------------------------------------------------------------
    int messageBox(const MessageBoxRequest& request, QWidget* owner) override;
    std::optional<QString> openFileDialog(const FileDialogRequest& request,
                                          QWidget* owner) override;
    std::optional<QString> saveFileDialog(const FileDialogRequest& request,
                                          QWidget* owner) override;
    std::optional<FontChoice> fontDialog(const FontChoice& initial, QWidget* owner) override;
    std::optional<QColor> colorDialog(const QColor& initial, QWidget* owner) override;
    int execDialog(QDialog& dialog) override;
    void print(QTextDocument& document) override;
    SettingsStore& settings() override { return realStore ? *realStore : store; }
    // Set: the program reads and writes this store (e.g. the real one) instead.
    SettingsStore* realStore = nullptr;
    QDateTime now() override { return clock; }
    bool otherInstanceRunning() override {
        journal.add(QStringLiteral("otherInstanceRunning"));
        return otherInstance;
    }
    std::shared_ptr<ClipboardRead> readClipboard(std::function<void()> answered) override;
    QRect screenGeometry() override { return screen; }
    // One screen, all of it free for windows.
    QVector<QRect> availableScreenAreas() override { return {screen}; }
    QPoint cursorPos() override { return cursor; }
    QString windowSystem() override { return windowSystemName; }
    QString applicationFolder() override;
    QString productName() override { return product; }
    std::optional<OsVersion> osVersion() override { return version; }
    QString environment(const QString& name) override { return env.value(name); }
    std::optional<MemoryStatus> memoryStatus() override { return memory; }
    // Folders in readOnlyFolders refuse new files; every other folder takes them.
    bool folderWritable(const QString& path) override;
    bool openUrl(const QUrl& url) override;

    // Last font / colour the program offered as the starting value.
    std::optional<FontChoice> lastFontOffered;
    std::optional<QColor> lastColorOffered;

private:
    class Read;
    std::vector<std::shared_ptr<Read>> heldReads_;
    QTemporaryDir tempFolder_;
};

} // namespace quillet::test
