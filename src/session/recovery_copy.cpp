#include "session/recovery_copy.h"

#include "documents/document_state.h"
#include "documents/save_journal.h"
#include "documents/text_file.h"
#include "editing/textblock.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <type_traits>
#include <unistd.h>

namespace quillet {

namespace {

constexpr char Mark[] = "quillet-recovery 1\n";
constexpr int PauseMs = 2000;
// One slice of the take: short lines cost by the paragraph, long ones by the
// character. Either bound alone keeps a slice to a few milliseconds here
// (bench/recovery_bench.cpp measures it).
constexpr int SliceParagraphs = 4096;
constexpr qsizetype SliceCharacters = qsizetype(1) << 20;
// How often a taken text looks again whether the writer is done with the last copy.
constexpr int WriterBusyMs = 100;

QByteArray line(const char* key, const QString& value) {
    return QByteArray(key) + '=' + value.toUtf8().replace('\n', ' ') + '\n';
}

} // namespace

QByteArray recoveryRecord(const RecoveredDocument& document) {
    QByteArray out(Mark);
    out += line("name", document.name);
    out += line("path", document.path);
    out += line("encoding", QString::number(int(document.format.encoding)));
    out += line("break", QString::number(int(document.format.lineBreak)));
    out += line("final", QString::number(int(document.format.finalBreak)));
    out += line("length", QString::number(document.text.size()));
    out += '\n';
    // The text as the editor holds it, UTF-16 as it is in memory: stand-ins and
    // all come back exactly.
    out.append(reinterpret_cast<const char*>(document.text.utf16()),
               document.text.size() * qsizetype(sizeof(char16_t)));
    return out;
}

std::optional<RecoveredDocument> readRecoveryRecord(const QByteArray& bytes) {
    if (!bytes.startsWith(Mark))
        return std::nullopt;
    const qsizetype headerEnd = bytes.indexOf("\n\n");
    if (headerEnd < 0)
        return std::nullopt;
    RecoveredDocument document;
    qsizetype length = -1;
    const auto kind = [](const QByteArray& v, int last, auto* out) {
        bool ok = false;
        const int n = v.toInt(&ok);
        if (!ok || n < 0 || n > last)
            return false;
        *out = static_cast<std::remove_pointer_t<decltype(out)>>(n);
        return true;
    };
    const QList<QByteArray> lines = bytes.left(headerEnd).split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype eq = lines[i].indexOf('=');
        if (eq < 0)
            return std::nullopt;
        const QByteArray key = lines[i].left(eq);
        const QByteArray value = lines[i].mid(eq + 1);
        bool ok = true;
        if (key == "name")
            document.name = QString::fromUtf8(value);
        else if (key == "path")
            document.path = QString::fromUtf8(value);
        else if (key == "encoding")
            ok = kind(value, 2, &document.format.encoding);
        else if (key == "break")
            ok = kind(value, 1, &document.format.lineBreak);
        else if (key == "final")
            ok = kind(value, 1, &document.format.finalBreak);
        else if (key == "length")
            length = value.toLongLong(&ok);
        if (!ok)
            return std::nullopt;
    }
    const qsizetype start = headerEnd + 2;
    if (length < 0 || bytes.size() - start != length * qsizetype(sizeof(char16_t)))
        return std::nullopt;
    document.text.resize(length);
    std::memcpy(document.text.data(), bytes.constData() + start, size_t(bytes.size() - start));
    return document;
}

RecoveryCopy::RecoveryCopy(TextBlock& editor, const DocumentState& doc, QString folder,
                           QObject* parent)
    : QObject(parent), editor_(editor), doc_(doc), folder_(std::move(folder)),
      sliceParagraphs_(SliceParagraphs), sliceCharacters_(SliceCharacters) {
    pause_.setSingleShot(true);
    pause_.setInterval(PauseMs);
    connect(&pause_, &QTimer::timeout, this, &RecoveryCopy::beginTake);
    slice_.setSingleShot(true);
    connect(&slice_, &QTimer::timeout, this, &RecoveryCopy::takeSlice);
    connect(&editor_, &TextBlock::changed, this, &RecoveryCopy::dropTake);
}

RecoveryCopy::~RecoveryCopy() {
    joinWriter();
}

QString RecoveryCopy::filePath() const {
    if (folder_.isEmpty())
        return QString();
    return folder_ + QStringLiteral("/recovery-%1.copy").arg(qint64(::getpid()));
}

void RecoveryCopy::setSliceBound(int paragraphs, qsizetype characters) {
    sliceParagraphs_ = std::max(paragraphs, 1);
    sliceCharacters_ = std::max(characters, qsizetype(1));
}

void RecoveryCopy::textChanged() {
    // A take under way is dropped by the editor's change itself (see the
    // constructor).
    if (!folder_.isEmpty() && doc_.TextChange)
        pause_.start();
}

void RecoveryCopy::dropTake() {
    slice_.stop();
    nextParagraph_ = -1;
    taken_ = QString(); // gives the memory back
}

RecoveredDocument RecoveryCopy::snapshot(QString text) const {
    return {doc_.FileNameOnly, doc_.FileExist ? doc_.CommonFileName : QString(), doc_.format,
            std::move(text)};
}

void RecoveryCopy::beginTake() {
    dropTake();
    if (folder_.isEmpty() || !doc_.TextChange)
        return;
    // Room for the whole text at once: the slices append without moving it.
    taken_.reserve(editor_.textLength());
    nextParagraph_ = 0;
    slice_.start(0);
}

void RecoveryCopy::takeSlice() {
    if (!taking())
        return;
    const int paragraphs = editor_.blockCount();
    if (nextParagraph_ < paragraphs) {
        nextParagraph_ +=
            editor_.appendText(taken_, nextParagraph_, sliceParagraphs_, sliceCharacters_);
        if (nextParagraph_ < paragraphs) {
            slice_.start(0);
            return;
        }
    }
    // The whole text is taken. Waiting here for the writer to finish the last
    // copy would hold up the window, so the text waits instead (an edit in the
    // meantime drops it like any take).
    if (writing_) {
        slice_.start(WriterBusyMs);
        return;
    }
    joinWriter(); // the thread is done: this returns at once
    unsigned generation = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        generation = generation_;
    }
    writing_ = true;
    writer_ = std::thread([this, document = snapshot(std::move(taken_)), generation]() mutable {
        const QByteArray bytes = recoveryRecord(document);
        document = {}; // the next take may be under way while the disk is waited for
        store(bytes, generation);
        writing_ = false;
    });
    dropTake();
}

void RecoveryCopy::writeNow() {
    pause_.stop();
    dropTake();
    joinWriter();
    if (folder_.isEmpty() || !doc_.TextChange)
        return;
    unsigned generation = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        generation = generation_;
    }
    store(recoveryRecord(snapshot(editor_.text())), generation);
}

void RecoveryCopy::discard() {
    pause_.stop();
    dropTake();
    if (folder_.isEmpty())
        return;
    // A write under way is not put in place once the generation moved on.
    const std::lock_guard<std::mutex> lock(mutex_);
    ++generation_;
    QFile::remove(filePath());
}

void RecoveryCopy::joinWriter() {
    if (writer_.joinable())
        writer_.join();
}

void RecoveryCopy::store(const QByteArray& bytes, unsigned generation) {
    if (!QDir().mkpath(folder_))
        return;
    const QByteArray target = QFile::encodeName(filePath());
    const QByteArray temp = writeSyncedTemporary(QFile::encodeName(folder_), bytes);
    if (temp.isEmpty())
        return;
    const std::lock_guard<std::mutex> lock(mutex_);
    if (generation != generation_ || ::rename(temp.constData(), target.constData()) != 0)
        ::unlink(temp.constData());
}

std::vector<QString> RecoveryCopy::leftBehind() const {
    return filesOfEndedProcesses(folder_, QStringLiteral("recovery-"), QStringLiteral(".copy"),
                                 QDir::Time | QDir::Reversed);
}

} // namespace quillet
