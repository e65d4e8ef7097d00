// Opening documents: the Open dialog, the recent document, a dropped file and the
// command line all make one OpenRequest, which one path reads, ties to the file
// and, when the file cannot be read, reports in the words of its origin.

#include "session/document_session.h"

#include "documents/document_reader.h"
#include "editing/case_date.h"
#include "editing/textblock.h"
#include "platform/failure.h"
#include "platform/platform.h"
#include "platform/program_constants.h"
#include "session/recovery_copy.h"
#include "settings/options.h"

#include <QApplication>

#include <algorithm>
#include <limits>
#include <new>

namespace quillet {

namespace {

// The hourglass pointer for as long as a file is being read, whatever way the
// reading ends.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The ordinary pointer while a question is open in the middle of the reading.
class NormalCursor {
public:
    NormalCursor() { QApplication::restoreOverrideCursor(); }
    ~NormalCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;
};

constexpr int CyrillicCharSet = 204;

QStringList openFilters(bool limitFileType) {
    QStringList filters{QStringLiteral("Все типы (*.txt *.log *.ini *.inf *.dat)"),
                        QStringLiteral("Текстовые файлы (*.txt *.log)"),
                        QStringLiteral("Файлы настроек (*.ini *.inf)"),
                        QStringLiteral("Файлы записей (*.dat)")};
    if (!limitFileType)
        filters << QStringLiteral("Все файлы (*)");
    return filters;
}

} // namespace

QString openFailureMessage(const OpenRequest& request, int failureNumber) {
    const QString& path = request.TheLine;
    if (request.nameUndecodable)
        return path + CRLF +
               QStringLiteral("Не удаётся открыть файл: его имя записано не в кодировке UTF-8.") +
               CRLF + QStringLiteral("Переименуйте файл и откройте его снова.");
    const bool outOfMemory = failureNumber == err::OutOfMemory;
    if (request.origin == OpenOrigin::Recent) {
        switch (failureNumber) {
        case err::FileNotFound:
            return path + CRLF + QStringLiteral("Не удаётся найти документ.");
        case err::PathNotFound:
            return path + CRLF + QStringLiteral("Не удаётся найти путь к документу.");
        default:
            return QStringLiteral("Невозможно открыть последний документ.") + CRLF +
                   (outOfMemory ? QStringLiteral("Для его текста недостаточно памяти.")
                                : QStringLiteral("Произошла неизвестная ошибка."));
        }
    }
    return path + CRLF + QStringLiteral("Не удаётся открыть файл.") + CRLF +
           (outOfMemory ? QStringLiteral("Для его текста недостаточно памяти.")
                        : QStringLiteral("Возможно, он повреждён или команда открытия "
                                         "некорректна."));
}

void DocumentSession::Open() {
    if (!SettleUnsavedChanges())
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Открыть");
    request.initialName = QStringLiteral("*.txt;*.log");
    request.filters = openFilters(opts.LimType);
    request.filterIndex = 2;
    request.mustExist = true;
    request.folder = FileDialogFolder();

    const std::optional<QString> name = platform_.openFileDialog(request, owner_);
    if (!name)
        return;
    if (name->isEmpty()) {
        // A dialog that was closed with no name chosen: the document stays, and is
        // looked at as if it had just been opened.
        ApplyLogStamp(false);
        showName();
        return;
    }
    OpenFile({OpenOrigin::Dialog, *name});
}

void DocumentSession::OpenRecent() {
    // The document the user chose: saving the current one makes that one recent.
    const QString chosen = doc.RecentFileString;
    if (!SettleUnsavedChanges())
        return;
    doc.RecentFileString = chosen;
    OpenFile({OpenOrigin::Recent, chosen});
}

void DocumentSession::OpenDropped(const QString& path) {
    if (SettleUnsavedChanges())
        OpenFile({OpenOrigin::Drop, path});
}

bool DocumentSession::OpenFile(const OpenRequest& request) {
    if (busy_)
        return false;
    const std::optional<Failure> failure = trapFailure([&] {
        if (request.nameUndecodable)
            throw Failure(err::BadFileName, QStringLiteral("Bad file name or number"));
        LoadTextFile(request);
        doc.tieToFile(request.TheLine);
        recovery_->discard();
        watchFile();
        // The recent document stays the recent one; any other becomes it.
        if (request.origin != OpenOrigin::Recent)
            doc.RecentFileString = doc.CommonFileName;
        ApplyLogStamp(false);
        showName();
    });
    if (!failure)
        return true;
    reportOpenFailure(request, *failure);
    return false;
}

void DocumentSession::reportOpenFailure(const OpenRequest& request, const Failure& failure) {
    failures_.record(failure, MainFormName);
    platform_.messageBox({openFailureMessage(request, failure.number()), ProgramName,
                          MsgIcon::Exclamation, MsgButtons::Ok, answer::Ok},
                         owner_);
    // A recent document that cannot be read is no longer offered.
    if (request.origin == OpenOrigin::Recent)
        doc.RecentFileString.clear();
}

void DocumentSession::LoadTextFile(const OpenRequest& request) {
    doc.LoadedInPart = false;
    const bool checkSize = !request.NotCheckLen && opts.LenEn;

    const WaitCursor wait;
    LongWork work(*this, QStringLiteral("Открытие файла"));
    ReadOptions options;
    // Reading the file takes about a fifth of the time, putting its text into the
    // editor the rest: the percentage shown moves at about the same pace in both.
    options.progress = [&work](qint64 done, qint64 total) { work.report(done, 5 * total); };
    const CodePage codePage = opts.openingCodePage();
    options.codePage = codePage;
    options.sizeLimit = WorkingLimit;
    if (checkSize) {
        options.askContinue = [this] {
            const NormalCursor normal;
            return platform_.messageBox(
                       {QStringLiteral("Этот файл слишком велик.") + CRLF +
                            QStringLiteral(
                                "Его открытие может привести к неправильной работе программы.") +
                            CRLF + QStringLiteral("Продолжить загрузку?"),
                        ProgramName, MsgIcon::Exclamation, MsgButtons::YesNo, answer::No},
                       owner_) == answer::Yes;
        };
    }
    // The widget holds each character in two bytes, and about as much again
    // while the text is handed over: a text that cannot fit is refused before
    // the document in the editor is touched.
    if (const std::optional<MemoryStatus> memory = platform_.memoryStatus();
        memory && memory->available > 0)
        options.maxCharacters = static_cast<qsizetype>(
            std::min<std::uint64_t>(memory->available / 8, std::numeric_limits<int>::max() / 2));

    try {
        DocumentText text = readDocumentFile(request.TheLine, std::move(options));
        if (opts.SetChars)
            editor_.setFontCharSet(CyrillicCharSet);
        try {
            editor_.setParagraphs(
                std::move(text.paragraphs), std::move(text.breaks),
                [&work](qint64 done, qint64 total) { work.report(total + 4 * done, 5 * total); });
        } catch (const std::bad_alloc&) {
            // The editor holds part of the file in place of the old text, which
            // was saved or given up: an untitled document, so that no save can
            // put the part over the old document's file.
            clearToNewDocument();
            throw;
        }
        editor_.setLineBreakKind(text.format.lineBreak);
        doc.readFrom(codePage, text.whole, text.format, text.stamp);
    } catch (const std::bad_alloc&) {
        throw Failure(err::OutOfMemory, QStringLiteral("Out of memory"));
    }
}

void DocumentSession::ApplyLogStamp(bool force) {
    bool stamp = force;
    if (!stamp) {
        // Only short documents are looked at. The first four characters are
        // the first paragraph's: a line break among them ends any match.
        stamp = editor_.textLength() < WorkingLimit &&
                editor_.document()->firstBlock().text().left(4).toUpper() == QLatin1String(".LOG");
    }
    if (!stamp)
        return;
    editor_.setSelStart(editor_.textLength());
    const QString lineBreak = breakText(editor_.lineBreakKind());
    editor_.replaceSelection(lineBreak + lineBreak);
    InsertTimeDate(editor_, platform_.now());
}

} // namespace quillet
