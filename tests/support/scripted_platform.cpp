#include "support/scripted_platform.h"

#include "platform/failure.h"
#include "platform/print_pages.h"

#include <QClipboard>
#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include <gtest/gtest.h>

namespace quillet::test {

QString MemoryStore::get(const QString& section, const QString& key) {
    if (refuseReads)
        throw Failure(err::PathFileAccess, QStringLiteral("Store refused the read"));
    if (journal)
        journal->add(QStringLiteral("read ") + section + QLatin1Char('/') + key);
    return values_.value({section, key});
}

void MemoryStore::save(const QString& section, const QString& key, const QString& value) {
    if (refuseWrites) {
        ++refusedWrites;
        throw Failure(err::PathFileAccess, QStringLiteral("Store refused the write"));
    }
    values_.insert({section, key}, value);
    writes << section + QLatin1Char('/') + key + QLatin1Char('=') + value;
}

void MemoryStore::commit() {
    if (refuseCommits) {
        ++refusedCommits;
        throw Failure(err::PathFileAccess, QStringLiteral("Store refused the write"));
    }
    ++commits;
    savesAtCommit << static_cast<int>(writes.size());
}

bool MemoryStore::contains(const QString& section, const QString& key) const {
    return values_.contains({section, key});
}

QString MemoryStore::value(const QString& section, const QString& key) const {
    return values_.value({section, key});
}

void MemoryStore::set(const QString& section, const QString& key, const QString& value) {
    values_.insert({section, key}, value);
}

ScriptedPlatform::ScriptedPlatform() {
    store.journal = &journal;
    clipboardReader = [] {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data && data->hasText() ? data->text() : QString();
    };
}

qsizetype Journal::first(const QString& prefix) const {
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].startsWith(prefix))
            return i;
    }
    return -1;
}

qsizetype Journal::last(const QString& prefix) const {
    for (qsizetype i = entries.size() - 1; i >= 0; --i) {
        if (entries[i].startsWith(prefix))
            return i;
    }
    return -1;
}

class ScriptedPlatform::Read : public ClipboardRead {
public:
    Read(ScriptedPlatform& platform, std::function<void()> answered)
        : platform_(platform), answered_(std::move(answered)) {}
    bool wait(std::chrono::milliseconds limit) override {
        if (!answered() && limit.count() > 0)
            platform_.clipboardWaits.push_back(limit);
        return answered();
    }
    QString text() const override {
        if (failure_)
            throw *failure_;
        return text_.value_or(QString());
    }
    bool answered() const { return text_.has_value() || failure_.has_value(); }
    // Answers from the platform's reader.
    void answer() {
        if (const auto failure = trapFailure([this] { text_ = platform_.clipboardReader(); }))
            failure_ = *failure;
    }
    void answerLate() {
        answer();
        if (answered_)
            answered_();
    }

private:
    ScriptedPlatform& platform_;
    std::function<void()> answered_;
    std::optional<QString> text_;
    std::optional<Failure> failure_;
};

std::shared_ptr<ClipboardRead> ScriptedPlatform::readClipboard(std::function<void()> answered) {
    ++clipboardReads;
    auto read = std::make_shared<Read>(*this, std::move(answered));
    if (clipboardHeld)
        heldReads_.push_back(read);
    else
        read->answer();
    return read;
}

void ScriptedPlatform::answerHeldReads() {
    for (const std::shared_ptr<Read>& read : std::exchange(heldReads_, {}))
        read->answerLate();
}

ScriptedPlatform::~ScriptedPlatform() = default;

std::vector<Shown> ScriptedPlatform::messages() const {
    std::vector<Shown> out;
    for (const Shown& s : shown) {
        if (s.kind == QLatin1String("message"))
            out.push_back(s);
    }
    return out;
}

int ScriptedPlatform::unusedAnswers() const {
    return static_cast<int>(messageAnswers.size() + openAnswers.size() + saveAnswers.size() +
                            fontAnswers.size() + colorAnswers.size() + dialogAnswers.size());
}

int ScriptedPlatform::messageBox(const MessageBoxRequest& request, QWidget*) {
    Shown s;
    s.kind = QStringLiteral("message");
    s.text = request.text;
    s.title = request.title;
    s.icon = request.icon;
    s.buttons = request.buttons;
    s.defaultButton = request.defaultButton;
    shown.push_back(s);
    journal.add(QStringLiteral("message ") + request.text);
    if (!messageAnswers.empty()) {
        const int code = messageAnswers.front();
        messageAnswers.pop_front();
        return code;
    }
    // An OK message box needs no decision: it passes without a script.
    if (request.buttons == MsgButtons::Ok)
        return answer::Ok;
    ADD_FAILURE() << "unscripted question: " << request.text.toStdString();
    return request.buttons == MsgButtons::YesNo ? answer::No : answer::Cancel;
}

// GCC reports a false "maybe uninitialized" for moving out of a std::optional here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
template <typename T> static T takeAnswer(std::deque<T>& queue, const char* what) {
    if (queue.empty()) {
        ADD_FAILURE() << "unscripted " << what << " dialog";
        return T{};
    }
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}
#pragma GCC diagnostic pop

std::optional<QString> ScriptedPlatform::openFileDialog(const FileDialogRequest& request,
                                                        QWidget*) {
    Shown s;
    s.kind = QStringLiteral("open");
    s.text = request.title;
    s.file = request;
    shown.push_back(s);
    return takeAnswer(openAnswers, "Open");
}

std::optional<QString> ScriptedPlatform::saveFileDialog(const FileDialogRequest& request,
                                                        QWidget*) {
    Shown s;
    s.kind = QStringLiteral("save");
    s.text = request.title;
    s.file = request;
    shown.push_back(s);
    return takeAnswer(saveAnswers, "Save As");
}

std::optional<FontChoice> ScriptedPlatform::fontDialog(const FontChoice& initial, QWidget*) {
    shown.push_back({QStringLiteral("font"), initial.name, {}, {}, {}, 0, {}});
    lastFontOffered = initial;
    return takeAnswer(fontAnswers, "Font");
}

std::optional<QColor> ScriptedPlatform::colorDialog(const QColor& initial, QWidget*) {
    shown.push_back({QStringLiteral("color"), initial.name(), {}, {}, {}, 0, {}});
    lastColorOffered = initial;
    return takeAnswer(colorAnswers, "Colour");
}

int ScriptedPlatform::execDialog(QDialog& dialog) {
    shown.push_back(
        {QStringLiteral("dialog"), dialog.objectName(), dialog.windowTitle(), {}, {}, 0, {}});
    journal.add(QStringLiteral("dialog ") + dialog.objectName());
    if (dialogAnswers.empty()) {
        ADD_FAILURE() << "unscripted window " << dialog.objectName().toStdString();
        return QDialog::Rejected;
    }
    auto script = std::move(dialogAnswers.front());
    dialogAnswers.pop_front();
    // The window behaves as if it were open: its result is set by done() from its
    // own buttons, or by the script's return value.
    dialog.setResult(-1);
    const int returned = script(dialog);
    return dialog.result() == -1 ? returned : dialog.result();
}

void ScriptedPlatform::print(QTextDocument& document) {
    shown.push_back({QStringLiteral("print"), {}, {}, {}, {}, 0, {}});
    if (!hasPrinter)
        throw Failure(err::PrinterError, QStringLiteral("Printer error"));
    ++printJobs;
    lastPrintedText = document.toRawText();
    if (!printPdf.isEmpty()) {
        QPdfWriter writer(printPdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        printTextDocument(document, writer);
    }
}

QString ScriptedPlatform::applicationFolder() {
    return appFolder.isEmpty() ? tempFolder_.path() : appFolder;
}

bool ScriptedPlatform::folderWritable(const QString& path) {
    return !readOnlyFolders.contains(path);
}

bool ScriptedPlatform::openUrl(const QUrl& url) {
    shown.push_back({QStringLiteral("url"), url.toString(), {}, {}, {}, 0, {}});
    return true;
}

} // namespace quillet::test
