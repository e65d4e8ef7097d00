// Saving: Save writes the document to its file, Save As asks for a name first.
// The bytes are counted before anything is asked or written and made a piece at
// a time while the file is written; a failure leaves the old file as it was.

#include "session/document_session.h"

#include "editing/textblock.h"
#include "platform/failure.h"
#include "platform/platform.h"
#include "platform/program_constants.h"
#include "session/recovery_copy.h"
#include "settings/options.h"

namespace quillet {

bool DocumentSession::ConfirmUnmappableCharacters() {
    const int reply = platform_.messageBox(
        {QStringLiteral("Документ содержит символы, которые нельзя сохранить в кодировке "
                        "Windows-1251.") +
             CRLF + QStringLiteral("Они будут заменены знаком ''?''. Продолжить сохранение?"),
         ProgramName, MsgIcon::Exclamation, MsgButtons::YesNo, answer::No},
        owner_);
    return reply == answer::Yes;
}

void DocumentSession::Save() {
    if (busy_ || opts.DisableSaveFile)
        return;
    if (!doc.savesInPlace()) {
        SaveAs();
        return;
    }
    qsizetype unmappable = 0;
    const std::optional<FileContent> content = DocumentFileContent(doc.CommonFileName, &unmappable);
    if (!content)
        return;
    if (unmappable > 0 && !ConfirmUnmappableCharacters())
        return;
    if (!ConfirmOverwriteOfChange())
        return;
    const std::optional<Failure> failure =
        trapFailure([&] { writeWithProgress(doc.CommonFileName, *content); });
    if (failure) {
        failures_.record(*failure, MainFormName);
        // The user learns why before being asked for another place: a full disk
        // or a deleted folder is no reason to pick a new name without knowing it.
        ShowSaveFailure(doc.CommonFileName, failure->number());
        // Another place gives no more memory: the document just stays modified.
        if (failure->number() == err::OutOfMemory)
            return;
        doc.FileExist = false;
        SaveDocumentAs(true);
        return;
    }
    ShowWrittenText(unmappable);
    doc.savedInPlace();
    recovery_->discard();
    rememberFile(fileStamp(doc.CommonFileName));
}

std::optional<FileContent> DocumentSession::DocumentFileContent(const QString& path,
                                                                qsizetype* unmappable) {
    // The file holds the text in the document's encoding followed by its final
    // line break. Only their number is counted here; they are made while the
    // file is written.
    const FileFormat format = doc.format;
    FileContent content;
    const std::optional<Failure> failure = trapFailure([&] {
        LongWork work(*this, QStringLiteral("Подготовка к сохранению"));
        content.size =
            editor_.fileSize(unmappable, format.encoding,
                             [&work](qint64 done, qint64 total) { work.report(done, total); }) +
            textWidth(format.finalBreak);
    });
    if (failure) {
        // Nothing was written; the document stays as it is, still modified.
        failures_.record(*failure, MainFormName);
        ShowSaveFailure(path.isEmpty() ? doc.FileNameOnly : path, failure->number());
        return std::nullopt;
    }
    content.write = [this, format](const FileContent::Sink& sink) {
        editor_.writeFileBytes(sink, format.encoding);
        const QLatin1StringView finalBreak = breakText(format.finalBreak);
        sink(finalBreak.data(), finalBreak.size());
    };
    return content;
}

void DocumentSession::writeWithProgress(const QString& path, FileContent content) {
    LongWork work(*this, QStringLiteral("Сохранение файла"));
    content.progress = [&work](qint64 done, qint64 total) { work.report(done, total); };
    writeFileReplacing(path, content, StateFolder());
}

void DocumentSession::ShowWrittenText(qsizetype unmappable) {
    // The file holds '?' where the text held characters Windows-1251 has no byte
    // for: the editor shows the same, and Undo brings the characters back.
    if (unmappable > 0)
        editor_.showUnmappableAsWritten();
}

void DocumentSession::ShowSaveFailure(const QString& TheLine, int number) {
    QString reason;
    switch (number) {
    case err::PathFileAccess:
        reason = QStringLiteral("Не удаётся получить доступ к указанному файлу.");
        break;
    case err::FileNotFound:
    case err::PathNotFound:
        reason = QStringLiteral("Не удаётся найти путь к документу.");
        break;
    case err::DiskFull:
        reason = QStringLiteral("Недостаточно места на диске. Документ не сохранён.");
        break;
    case err::OutOfMemory:
        reason = QStringLiteral("Недостаточно памяти. Документ не сохранён.");
        break;
    default:
        reason = QStringLiteral("Не удаётся сохранить документ.") + CRLF +
                 QStringLiteral("Произошла неизвестная ошибка.");
        break;
    }
    platform_.messageBox(
        {TheLine + CRLF + reason, ProgramName, MsgIcon::Exclamation, MsgButtons::Ok, answer::Ok},
        owner_);
}

void DocumentSession::SaveAs() {
    if (opts.DisableSaveFile)
        return;
    SaveDocumentAs(false);
}

void DocumentSession::SaveDocumentAs(bool charactersConfirmed) {
    if (busy_ || opts.DisableSaveFile)
        return;
    qsizetype unmappable = 0;
    const std::optional<FileContent> content =
        DocumentFileContent(doc.FileExist ? doc.CommonFileName : QString(), &unmappable);
    if (!content)
        return;
    if (!charactersConfirmed && unmappable > 0 && !ConfirmUnmappableCharacters())
        return;

    FileDialogRequest request;
    request.title = QStringLiteral("Сохранить как");
    request.initialName = QStringLiteral("Документ");
    request.filters << QStringLiteral("Текстовые файлы (*.txt)");
    if (!opts.LimType)
        request.filters << QStringLiteral("Все файлы (*)");
    request.filterIndex = 1;
    request.confirmOverwrite = true;
    request.refuseReadOnly = true;
    request.folder = FileDialogFolder();

    // Cancel and a refused name end here, changing nothing.
    const std::optional<QString> name = platform_.saveFileDialog(request, owner_);
    if (!name || name->isEmpty())
        return;
    if (const std::optional<Failure> failure =
            trapFailure([&] { writeWithProgress(*name, *content); })) {
        // Nothing was written and the document stays modified; the user is told
        // why, since there is no further place the text goes to.
        failures_.record(*failure, MainFormName);
        ShowSaveFailure(*name, failure->number());
        return;
    }
    ShowWrittenText(unmappable);
    doc.savedAs(*name);
    recovery_->discard();
    rememberFile(fileStamp(*name));

    showName();
}

} // namespace quillet
