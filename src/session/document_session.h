#pragma once

// The document's life in one place: which file the editor's text stands for,
// opening a file into the editor, saving, Save As, the new document, the
// question about unsaved changes, the name the window shows and the folder the
// file dialogs start in, and printing. The main window's commands each make one
// call here.

#include "documents/document_state.h"
#include "documents/text_file.h"
#include "documents/working_copy.h"
#include "session/progress_throttle.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

class QFileSystemWatcher;
class QWidget;

namespace quillet {

class Failure;
class FailureRecorder;
class Platform;
class TextBlock;
struct Options;

// Where a request to open a file comes from. Each says in its own words that the
// file could not be read.
enum class OpenOrigin { Dialog, Recent, CommandLine, Drop };

// One request to make a file the document.
struct OpenRequest {
    OpenOrigin origin = OpenOrigin::Dialog;
    // The file's path as the user gave it, which a failure message names on its
    // first line.
    QString TheLine;
    // Skip the question about a large file, for this open only ("/A").
    bool NotCheckLen = false;
    // The name given could not be decoded: refused with a message of its own.
    bool nameUndecodable = false;
};

// The message that tells the user a file could not be opened, in the words of
// the request's origin (the path, when the message names it, on its first line).
QString openFailureMessage(const OpenRequest& request, int failureNumber);

class DocumentSession : public QObject {
    Q_OBJECT
public:
    // owner: the window that owns the questions and dialogs. options: read at
    // every command (size check, file-type filter, opening code page, Cyrillic
    // character set, saving switched off).
    DocumentSession(Platform& platform, TextBlock& editor, const Options& options,
                    FailureRecorder& failures, QWidget* owner);

    DocumentState& state() { return doc; }
    const DocumentState& state() const { return doc; }

    // ---- Opening -----------------------------------------------------------
    // Open: the unsaved-changes question, then the Open dialog.
    void Open();
    // The recent document, after the unsaved-changes question.
    void OpenRecent();
    // A file dropped on the window: as a file chosen in the Open dialog.
    void OpenDropped(const QString& path);
    // Makes the file the request names the document: read, tied to the file,
    // remembered as the recent document (except when it is the recent one),
    // stamped when it is a ".LOG", named. A file that cannot be read is recorded
    // and reported in the words of the request's origin; the document in the
    // editor stays as it was. True when the file became the document.
    bool OpenFile(const OpenRequest& request);
    // Reads the file into the editor (the hourglass meanwhile, the size
    // question as needed). Throws the Failure that stops it; the editor
    // keeps its text then.
    void LoadTextFile(const OpenRequest& request);
    // Appends two line breaks and the time stamp to a ".LOG" document, or to any
    // document when forced.
    void ApplyLogStamp(bool force);

    // ---- Saving and the new document ---------------------------------------
    void Save();
    void SaveAs();
    void New();
    // Asks whether to save the changed document; the user's answer.
    int SaveChangesPrompt();
    // The unsaved-changes question, asked before the document is closed or
    // replaced: true when it may go (nothing to save, No, or Yes and the save
    // happened).
    bool SettleUnsavedChanges();

    // ---- Printing ----------------------------------------------------------
    // The whole document on the default printer; a failure is reported.
    void Print();
    // The copy of the text that is printed: the editor's text with its font,
    // colours and alignment.
    WorkingCopy PreparePrintCopy() const;

    // ---- Name and folder ---------------------------------------------------
    // The name the caption and the questions use (FileNameOnly), made afresh.
    const QString& UpdateDocumentName();
    // The folder the Open and Save As dialogs start in.
    QString FileDialogFolder() const;
    // The editor's text changed.
    void TextBlock_Change();

    // ---- The file on disk --------------------------------------------------
    // Looks whether another program changed the document's file. While the
    // document has no unsaved changes, a change not yet asked about is offered
    // for loading (Yes loads it as opening does). Called when the file is seen
    // to change; tests call it directly.
    void CheckFileOnDisk();
    // Tells about saves a run did not finish, naming where the old text is.
    void ReportInterruptedSaves();
    // The folder for copies of old text and records of saves.
    QString StateFolder() const;

    // ---- Unsaved text kept aside -------------------------------------------
    // Offers the unsaved text earlier runs left behind, one copy after another
    // until one is taken back: Yes makes it the document, changed and tied to
    // its file (which stays as it is); No throws the copy away.
    void OfferRecoveredText();
    // The session ends with unsaved changes: their copy is written now.
    void KeepUnsavedText();
    // A normal close: the copy goes.
    void DiscardUnsavedText();

    // ---- Long work ---------------------------------------------------------
    // Whether a file is being read or written. The window repaints meanwhile,
    // but no other document operation starts: the ones above do nothing (a
    // check of the file on disk is made later, the unsaved-changes question
    // answers "keep the document").
    bool busy() const { return busy_; }
    // When the progress shows and how often the window repaints (tests make
    // it show at once).
    void setProgressTiming(ProgressThrottle::Clock clock, ProgressThrottle::Timing timing);

Q_SIGNALS:
    // The document became another file, or untitled: the caption shows the name.
    void nameChanged(const QString& FileNameOnly);
    // What the document will be written as ("UTF-8, LF"), for the status bar.
    void formatChanged(const QString& description);
    // How far a long open or save is ("Открытие файла… 37 %"), for the status
    // bar; an empty text when the work shown ends, so that the status bar shows
    // again what it showed before.
    void progress(const QString& text);
    // A file was read or written (whether or not progress was shown): what
    // waited for the work may run now.
    void workEnded();

private:
    // Marks the session busy for its lifetime and turns the work's reports into
    // progress texts, letting the window repaint (no user input) between them.
    class LongWork {
    public:
        LongWork(DocumentSession& session, QString label);
        ~LongWork();
        LongWork(const LongWork&) = delete;
        LongWork& operator=(const LongWork&) = delete;
        void report(qint64 done, qint64 total);

    private:
        DocumentSession& session_;
        QString label_;
        ProgressThrottle throttle_;
        int shownPercent_ = -1;
    };

    void reportOpenFailure(const OpenRequest& request, const Failure& failure);
    void showName();
    // The editor empty, the document untitled and unchanged.
    void clearToNewDocument();
    bool SaveAfterYes();
    // Save As; charactersConfirmed: the user already agreed to lose the
    // characters Windows-1251 cannot hold.
    void SaveDocumentAs(bool charactersConfirmed);
    // The bytes the file gets, or nothing when they cannot be counted (the
    // failure is reported).
    std::optional<FileContent> DocumentFileContent(const QString& path, qsizetype* unmappable);
    bool ConfirmUnmappableCharacters();
    // Before writing over the document's own file: true when the file is as the
    // document last saw it, is gone, or the user agrees to overwrite a change.
    bool ConfirmOverwriteOfChange();
    // The file was read or written: its state on disk becomes the document's,
    // and the watch follows the file.
    void rememberFile(const FileStamp& stamp);
    void watchFile();
    // Writes the file (writeFileReplacing) as long work that shows its progress.
    void writeWithProgress(const QString& path, FileContent content);
    void ShowSaveFailure(const QString& TheLine, int number);
    void ShowWrittenText(qsizetype unmappable);

    Platform& platform_;
    TextBlock& editor_;
    const Options& opts;
    FailureRecorder& failures_;
    QWidget* owner_;
    DocumentState doc;
    // Tells when the document's file changes on disk (made on first use).
    QFileSystemWatcher* watcher_ = nullptr;
    class RecoveryCopy* recovery_ = nullptr;
    QTimer diskCheck_;
    bool checkingDisk_ = false;
    bool busy_ = false;
    ProgressThrottle::Clock progressClock_;
    ProgressThrottle::Timing progressTiming_;
};

} // namespace quillet
