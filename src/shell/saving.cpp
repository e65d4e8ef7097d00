// Saving, the new document, and the question about unsaved changes.

#include "documents/cp1251.h"
#include "documents/text_file.h"
#include "platform/failure.h"
#include "shell/frmmain.h"

#include <optional>

namespace quillet {

bool FrmMain::ConfirmUnmappableCharacters() {
    const int reply = platform().messageBox(
        {QStringLiteral("Документ содержит символы, которые нельзя сохранить в кодировке "
                        "Windows-1251.") +
             CRLF + QStringLiteral("Они будут заменены знаком ''?''. Продолжить сохранение?"),
         ProgramName, MsgIcon::Exclamation, MsgButtons::YesNo, answer::No},
        this);
    return reply == answer::Yes;
}

void FrmMain::mnuSave_Click() {
    if (opts.DisableSaveFile)
        return;
    if (!doc.savesInPlace()) {
        mnuSaveAs_Click();
        return;
    }
    qsizetype unmappable = 0;
    const std::optional<FileContent> content = DocumentFileContent(doc.CommonFileName, &unmappable);
    if (!content)
        return;
    if (unmappable > 0 && !ConfirmUnmappableCharacters())
        return;
    const std::optional<Failure> failure =
        trapFailure([&] { writeFileReplacing(doc.CommonFileName, *content); });
    if (failure) {
        SaveDebug(failure->description(), failure->number(), objectName());
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
}

std::optional<FileContent> FrmMain::DocumentFileContent(const QString& path,
                                                        qsizetype* unmappable) {
    // The file holds the text as Windows-1251 bytes followed by one CR LF. Only
    // their number is counted here; they are made while the file is written.
    FileContent content;
    const std::optional<Failure> failure =
        trapFailure([&] { content.size = TextBlock->fileSize(unmappable) + 2; });
    if (failure) {
        // Nothing was written; the document stays as it is, still modified.
        SaveDebug(failure->description(), failure->number(), objectName());
        ShowSaveFailure(path.isEmpty() ? doc.FileNameOnly : path, failure->number());
        return std::nullopt;
    }
    content.write = [this](const FileContent::Sink& sink) {
        TextBlock->writeFileBytes(sink);
        sink("\r\n", 2);
    };
    return content;
}

void FrmMain::ShowWrittenText(qsizetype unmappable) {
    // The file holds '?' where the text held characters Windows-1251 has no byte
    // for: the editor shows the same, and Undo brings the characters back.
    if (unmappable > 0)
        TextBlock->showUnmappableAsWritten();
}

void FrmMain::ShowSaveFailure(const QString& path, int number) {
    TheLine = path;
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
    platform().messageBox(
        {TheLine + CRLF + reason, ProgramName, MsgIcon::Exclamation, MsgButtons::Ok, answer::Ok},
        this);
}

void FrmMain::mnuSaveAs_Click() {
    if (opts.DisableSaveFile)
        return;
    SaveDocumentAs(false);
}

void FrmMain::SaveDocumentAs(bool charactersConfirmed) {
    if (opts.DisableSaveFile)
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
    const std::optional<QString> name = platform().saveFileDialog(request, this);
    if (!name || name->isEmpty())
        return;
    if (const std::optional<Failure> failure =
            trapFailure([&] { writeFileReplacing(*name, *content); })) {
        // Nothing was written and the document stays modified; the user is told
        // why, since there is no further place the text goes to.
        SaveDebug(failure->description(), failure->number(), objectName());
        ShowSaveFailure(*name, failure->number());
        return;
    }
    ShowWrittenText(unmappable);
    doc.savedAs(*name);

    ShowDocumentCaption();
}

int FrmMain::SaveChangesPrompt() {
    return platform().messageBox(
        {QStringLiteral("Документ ''") + doc.FileNameOnly + QStringLiteral("'' был изменён.") +
             CRLF + QStringLiteral("Сохранить эти изменения?"),
         ProgramName, MsgIcon::Exclamation, MsgButtons::YesNoCancel, answer::Yes},
        this);
}

bool FrmMain::SettleUnsavedChanges() {
    if (!doc.needsSaveQuestion())
        return true;
    switch (SaveChangesPrompt()) {
    case answer::Yes:
        // A save that did not happen (Save As cancelled, a failure, saving
        // disabled) must not throw the text away: as if Cancel was chosen.
        return SaveAfterYes();
    case answer::No:
        return true;
    default:
        return false;
    }
}

bool FrmMain::SaveAfterYes() {
    if (opts.DisableSaveFile) {
        // Save does nothing at all while saving is switched off; after a Yes the
        // user must hear why the document is still there.
        platform().messageBox(
            {QStringLiteral("Сохранение документов отключено в настройках программы "
                            "(параметр DisableSave).") +
                 CRLF + QStringLiteral("Документ не сохранён и остаётся открытым."),
             ProgramName, MsgIcon::Exclamation, MsgButtons::Ok, answer::Ok},
            this);
        return false;
    }
    mnuSave_Click();
    // The save did not happen (cancelled or failed): keep the text rather than
    // throw it away.
    return !doc.needsSaveQuestion();
}

void FrmMain::mnuNew_Click() {
    if (!SettleUnsavedChanges())
        return;
    ClearDocument();
    ShowDocumentCaption();
}

void FrmMain::ClearDocument() {
    // Undo must not bring the old document back.
    TextBlock->emptyUndoBuffer();
    TextBlock->setText(QString());
    doc.clearToNew();
}

void FrmMain::TextBlock_Change() {
    doc.textEdited(TextBlock->hasText());
}

} // namespace quillet
