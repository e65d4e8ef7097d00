#pragma once

// A copy of the document's unsaved text in the program's state folder, so that
// a crash, a kill or the end of the desktop session loses nothing typed.
//
// While the document has unsaved changes, the copy is written about two seconds
// after typing pauses: the text is taken on the window's thread a slice of
// paragraphs at a time, each slice on a turn of the event loop of its own so that
// keys, painting and timers run in between, and once the whole text is taken it
// is written, synced and renamed into place on a thread of its own. A change of
// the text while the slices are taken drops what was taken: a copy always holds
// one state of the document.
// Each running instance has its own copy, "recovery-<process>.copy"; the next
// start offers the copies of instances that are gone.

#include "documents/file_format.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
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

    // The text changed: the copy is written once typing pauses. (A take under
    // way is dropped on any change the editor reports, whoever makes it.)
    void textChanged();
    // The document has no unsaved changes any more (saved, or the changes were
    // given up): a take under way is dropped and the copy goes.
    void discard();
    // Writes the copy now, the whole text taken at once on this thread (the
    // session is ending); a take under way is dropped.
    void writeNow();
    // This instance's copy.
    QString filePath() const;
    // The copies of instances that are no longer running, oldest first.
    std::vector<QString> leftBehind() const;

    // The take in slices. The end of the pause begins one and the slice timer
    // takes the slices; tests call these to step through a take.
    void beginTake();
    // Takes the next slice; once the whole text is taken, hands it to the writer
    // (or, while the writer is still busy with the last copy, looks again soon).
    void takeSlice();
    bool taking() const { return nextParagraph_ >= 0; }
    // The most paragraphs and characters one slice takes (tests make them small).
    void setSliceBound(int paragraphs, qsizetype characters);

private:
    RecoveredDocument snapshot(QString text) const;
    void dropTake();
    void joinWriter();
    // Writes bytes to the copy atomically unless the generation moved on.
    void store(const QByteArray& bytes, unsigned generation);

    TextBlock& editor_;
    const DocumentState& doc_;
    QString folder_;
    QTimer pause_;
    QTimer slice_;
    // The text taken so far and the paragraph the next slice starts at; -1 while
    // no take is under way.
    QString taken_;
    int nextParagraph_ = -1;
    int sliceParagraphs_;
    qsizetype sliceCharacters_;
    std::thread writer_;
    std::atomic<bool> writing_{false};
    std::mutex mutex_;
    unsigned generation_ = 0; // guarded by mutex_
};

} // namespace quillet
