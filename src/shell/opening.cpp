// Opening documents: the file reader, the Open dialog, the recent document, the
// ".LOG" stamp and the File-menu options that govern opening.

#include "documents/cp1251.h"
#include "documents/document_reader.h"
#include "documents/mdl_code.h"
#include "documents/text_file.h"
#include "platform/failure.h"
#include "shell/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

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

void FrmMain::LoadTextFile(const QString& path) {
    doc.LoadedInPart = false;
    LastOpenFailure = 0;
    // The skip lasts for this one load, however it ends.
    const bool checkSize = !NotCheckLen && opts.LenEn;
    NotCheckLen = false;
    const bool assumeUtf8 = ConvertUtf8WithoutAsking;
    ConvertUtf8WithoutAsking = false;

    const WaitCursor wait;
    ReadOptions options;
    const CodePage codePage = opts.openingCodePage();
    options.codePage = codePage;
    options.sizeLimit = WorkingLimit;
    if (checkSize) {
        options.askContinue = [this] {
            const NormalCursor normal;
            return platform().messageBox(
                       {QStringLiteral("Этот файл слишком велик.") + CRLF +
                            QStringLiteral(
                                "Его открытие может привести к неправильной работе программы.") +
                            CRLF + QStringLiteral("Продолжить загрузку?"),
                        ProgramName, MsgIcon::Exclamation, MsgButtons::YesNo, answer::No},
                       this) == answer::Yes;
        };
    }
    options.askUtf8 = [this, assumeUtf8] {
        if (assumeUtf8)
            return true;
        const NormalCursor normal;
        return platform().messageBox(
                   {QStringLiteral("Файл записан в кодировке UTF-8.") + CRLF +
                        QStringLiteral("Преобразовать его текст в кодировку Windows-1251?"),
                    ProgramName, MsgIcon::Question, MsgButtons::YesNo, answer::Yes},
                   this) == answer::Yes;
    };
    // The widget holds each character in two bytes, and about as much again
    // while the text is handed over: a text that cannot fit is refused before
    // the document in the editor is touched.
    if (const std::optional<MemoryStatus> memory = platform().memoryStatus();
        memory && memory->available > 0)
        options.maxCharacters = static_cast<qsizetype>(
            std::min<std::uint64_t>(memory->available / 8, std::numeric_limits<int>::max() / 2));

    try {
        DocumentText text = readDocumentFile(path, std::move(options));
        if (opts.SetChars)
            TextBlock->setFontCharSet(CyrillicCharSet);
        TextBlock->setParagraphs(std::move(text.paragraphs), std::move(text.breaks));
        doc.readFrom(codePage, text.whole);
    } catch (const std::bad_alloc&) {
        LastOpenFailure = err::OutOfMemory;
        throw Failure(err::OutOfMemory, QStringLiteral("Out of memory"));
    }
}

void FrmMain::OpenWithDialog() {
    FileDialogRequest request;
    request.title = QStringLiteral("Открыть");
    request.initialName = QStringLiteral("*.txt;*.log");
    request.filters = openFilters(opts.LimType);
    request.filterIndex = 2;
    request.mustExist = true;
    request.folder = FileDialogFolder();

    if (const std::optional<QString> name = platform().openFileDialog(request, this))
        OpenChosenFile(*name);
}

void FrmMain::OpenDocumentFile(QString path, bool rememberAsRecent) {
    LoadTextFile(path);
    doc.tieToFile(path);
    if (rememberAsRecent)
        doc.RecentFileString = doc.CommonFileName;
    ApplyLogStamp(false);
    ShowDocumentCaption();
}

void FrmMain::OpenChosenFile(const QString& name) {
    try {
        if (name.isEmpty()) {
            ApplyLogStamp(false);
            ShowDocumentCaption();
        } else {
            OpenDocumentFile(name, true);
        }
    } catch (const Failure& failure) {
        // A chosen file that cannot be read gets the same message as a
        // command-line file; the current document stays as it was.
        SaveDebug(failure.description(), failure.number(), objectName());
        TheLine = name;
        ShowOpenFailure();
    }
}

void FrmMain::OpenRecentDocument() {
    try {
        OpenDocumentFile(doc.RecentFileString, false);
    } catch (const Failure& failure) {
        SaveDebug(failure.description(), failure.number(), objectName());
        // The menu item shows this path; it is read here rather than from the item
        // so that a path holding '&' reads as it is.
        QString text;
        switch (failure.number()) {
        case err::FileNotFound:
            TheLine = doc.RecentFileString;
            text = TheLine + CRLF + QStringLiteral("Не удаётся найти документ.");
            break;
        case err::PathNotFound:
            TheLine = doc.RecentFileString;
            text = TheLine + CRLF + QStringLiteral("Не удаётся найти путь к документу.");
            break;
        case err::OutOfMemory:
            text = QStringLiteral("Невозможно открыть последний документ.") + CRLF +
                   QStringLiteral("Для его текста недостаточно памяти.");
            break;
        default:
            text = QStringLiteral("Невозможно открыть последний документ.") + CRLF +
                   QStringLiteral("Произошла неизвестная ошибка.");
            break;
        }
        platform().messageBox({text, ProgramName, MsgIcon::Exclamation, MsgButtons::Ok, answer::Ok},
                              this);
        doc.RecentFileString.clear();
    }
}

void FrmMain::ApplyLogStamp(bool force) {
    bool stamp = force;
    if (!stamp) {
        // Only short documents are looked at. The first four characters are
        // the first paragraph's: a line break among them ends any match.
        const int length = TextBlock->textLength();
        stamp =
            length < WorkingLimit &&
            TextBlock->document()->firstBlock().text().left(4).toUpper() == QLatin1String(".LOG");
    }
    if (!stamp)
        return;
    TextBlock->setSelStart(TextBlock->textLength());
    TextBlock->replaceSelection(CRLF + CRLF);
    mnuTimeDate_Click();
}

void FrmMain::ShowOpenFailure() {
    if (LastOpenFailure == err::OutOfMemory) {
        LastOpenFailure = 0;
        platform().messageBox({TheLine + CRLF + QStringLiteral("Не удаётся открыть файл.") + CRLF +
                                   QStringLiteral("Для его текста недостаточно памяти."),
                               ProgramName, MsgIcon::Exclamation, MsgButtons::Ok, answer::Ok},
                              this);
        return;
    }
    platform().messageBox({TheLine + CRLF + QStringLiteral("Не удаётся открыть файл.") + CRLF +
                               QStringLiteral("Возможно, он повреждён или команда открытия "
                                              "некорректна."),
                           ProgramName, MsgIcon::Exclamation, MsgButtons::Ok, answer::Ok},
                          this);
}

void FrmMain::mnuOpen_Click() {
    if (SettleUnsavedChanges())
        OpenWithDialog();
}

void FrmMain::mnuRecent_Click() {
    // The document the user chose: saving the current one makes that one recent.
    const QString chosen = doc.RecentFileString;
    if (!SettleUnsavedChanges())
        return;
    doc.RecentFileString = chosen;
    OpenRecentDocument();
}

void FrmMain::mnuFile_Click() {
    if (doc.RecentFileString.isEmpty()) {
        menus_.mnuRecentWin->menuAction()->setEnabled(false);
    } else {
        menus_.mnuRecentWin->menuAction()->setEnabled(true);
        // A single '&' in a menu caption would mark a shortcut letter.
        QString caption = doc.RecentFileString;
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        menus_.mnuRecent->setText(caption);
    }
    // The file-type filter can be switched only while the document is untitled.
    menus_.mnuLimFileType->setEnabled(doc.NewDoc);
}

void FrmMain::mnuLenEn_Click() {
    opts.toggle(&Options::LenEn);
    ShowOptionsInMenus();
}

void FrmMain::mnuLimFileType_Click() {
    ToggleLayoutOption(&Options::LimType);
}

void FrmMain::SelectOpeningCodePage(CodePage chosen) {
    opts.selectOpeningCodePage(chosen);
    ShowOptionsInMenus();
}

void FrmMain::mnuCodeWin_Click() {
    SelectOpeningCodePage(CodeWindows);
}

void FrmMain::mnuCodeDos_Click() {
    SelectOpeningCodePage(CodeDos);
}

void FrmMain::mnuCodeKoi_Click() {
    SelectOpeningCodePage(CodeKoi);
}

void FrmMain::ShowDocumentCaption() {
    UpdateDocumentName();
    setWindowTitle(doc.FileNameOnly + CaptionSuffix);
}

} // namespace quillet
