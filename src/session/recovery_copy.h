#pragma once

// A copy of the document's unsaved text in the program's state folder, so that
// a crash, a kill or the end of the desktop session loses nothing typed.
//
// While the document has unsaved changes, the copy is written about two seconds
// after typing pauses: the text is taken on the window's thread (never inside a
// keystroke) and written, synced and renamed into place on a thread of its own.
// Each running instance has its own copy, "recovery-<process>.copy"; the next
// start offers the copies of instances that are gone.

#include "documents/file_format.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace quillet {

class TextBlock;
struct DocumentState;

// What a copy holds besides the text.
struct RecoveredDocument {
    QString name; // the name the document was shown with
    QString path; // its file, or empty for an untitled document
    FileFormat format;
    QString text; // the editor's text (stand-ins included)
};

// The bytes of a copy, and the document they give back (nothing for bytes that
// are not a whole copy).
QByteArray recoveryRecord(const RecoveredDocument& document);
std::optional<RecoveredDocument> readRecoveryRecord(const QByteArray& bytes);

class RecoveryCopy : public QObject {
    Q_OBJECT
public:
    // folder: where copies are kept; empty keeps none.
    RecoveryCopy(TextBlock& editor, const DocumentState& doc, QString folder,
                 QObject* parent = nullptr);
    ~RecoveryCopy() override;

    // The text changed: the copy is written once typing pauses.
    void textChanged();
    // The document has no unsaved changes any more (saved, or the changes were
    // given up): the copy goes.
    void discard();
    // Writes the copy now, on this thread (the session is ending).
    void writeNow();
    // This instance's copy.
    QString filePath() const;
    // The copies of instances that are no longer running, oldest first.
    std::vector<QString> leftBehind() const;

private:
    RecoveredDocument snapshot() const;
    void writeSoon();
    void joinWriter();
    // Writes bytes to the copy atomically unless the generation moved on.
    void store(const QByteArray& bytes, unsigned generation);

    TextBlock& editor_;
    const DocumentState& doc_;
    QString folder_;
    QTimer pause_;
    std::thread writer_;
    std::mutex mutex_;
    unsigned generation_ = 0; // guarded by mutex_
};

} // namespace quillet
