#include "shell/frmmain.h"

#include "diagnostics/frm_about.h"
#include "documents/document_name.h"
#include "documents/file_format.h"
#include "editing/editor_window.h"
#include "editing/textblock.h"
#include "session/document_session.h"
#include "settings/stored_settings.h"
#include "shell/availability.h"
#include "shell/coarse_timer.h"
#include "shell/file_drop.h"
#include "shell/toolbar_status.h"
#include "shell/toolbar_table.h"
#include "view/application_icon.h"
#include "view/clipboard_state.h"
#include "view/toolbar_images.h"
#include "view/transparent_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <optional>

namespace quillet {

FrmMain::FrmMain(Platform& platform, QString argumentText, QWidget* parent)
    : FrmMain(platform, CommandLine{std::move(argumentText), {}, false}, parent) {}

FrmMain::FrmMain(Platform& platform, CommandLine commandLine, QWidget* parent)
    : QMainWindow(parent), platform_(platform), commandLine_(std::move(commandLine)),
      report_(platform, opts) {
    setObjectName(MainFormName);
    setWindowTitle(UntitledName + CaptionSuffix);
    setWindowIcon(ApplicationIcon());

    // The editor in its design state.
    TextBlock = new quillet::TextBlock(this);
    const ViewValues design;
    QFont font(design.FontName);
    font.setPointSizeF(design.FontSize);
    TextBlock->setChosenFont(font);
    TextBlock->setBackColor(settings::colourFromValue(design.BackColor, TextBlock->palette()));
    TextBlock->setFontCharSet(design.FontChars);
    setCentralWidget(TextBlock);
    // Screen readers announce the controls by these names.
    TextBlock->setAccessibleName(QStringLiteral("Текст документа"));

    session_ = new DocumentSession(platform_, *TextBlock, opts, report_, this);
    connect(session_, &DocumentSession::nameChanged, this,
            [this](const QString& name) { setWindowTitle(name + CaptionSuffix); });
    clipboard_ = new ClipboardState(platform_, report_, this);
    transparency_ = new TransparentWindow(*this, *TextBlock, platform_, opts, report_);

    menus_ = BuildMenus(*this);
    ShowOptionsInMenus();
    ImageList1 = makeToolbarImages();
    Toolbar1 = BuildToolbar(*this, ImageList1);
    setContextMenuPolicy(Qt::NoContextMenu);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setAccessibleName(QStringLiteral("Панель состояния"));
    auto* statusLabel = new QLabel(QStringLiteral("Готово"), StatusBar1);
    statusLabel->setObjectName(QStringLiteral("StatusText"));
    StatusBar1->addWidget(statusLabel, 1);
    // What the document will be written as, at the right.
    auto* formatLabel = new QLabel(describeFileFormat({}), StatusBar1);
    formatLabel->setObjectName(QStringLiteral("FileFormat"));
    formatLabel->setAccessibleName(QStringLiteral("Формат файла"));
    StatusBar1->addPermanentWidget(formatLabel);
    connect(session_, &DocumentSession::formatChanged, formatLabel, &QLabel::setText);
    setStatusBar(StatusBar1);

    connect(TextBlock, &TextBlock::mouseDown, this, &FrmMain::TextBlock_MouseDown);
    connect(TextBlock, &TextBlock::menuKey, this, &FrmMain::TextBlock_MenuKey);
    TextBlock->setStandardMenuQuery([this] { return opts.StandardMenu; });
    InstallFileDrop(*this, *TextBlock, *session_);

    // The tick runs when what it shows changes; TMR1 only while the window
    // follows the pointer, which no signal reports.
    TMR1 = new CoarseTimer(1, this);
    TMR1->setObjectName(QStringLiteral("TMR1"));
    connect(TMR1, &CoarseTimer::tick, this, &FrmMain::TMR1_Timer);
    status_ = new ToolbarStatus(*this, *statusLabel, *TMR1);
    // A long open or save shows how far it is in the status text, which comes
    // back when the work ends; the tick it held back runs then.
    connect(session_, &DocumentSession::progress, statusLabel,
            [statusLabel, before = std::optional<QString>()](const QString& text) mutable {
                if (text.isEmpty()) {
                    if (before)
                        statusLabel->setText(*before);
                    before.reset();
                    return;
                }
                if (!before)
                    before = statusLabel->text();
                statusLabel->setText(text);
            });
    connect(session_, &DocumentSession::workEnded, this, [this] {
        if (status_->tickScheduled())
            QMetaObject::invokeMethod(this, &FrmMain::TMR1_Timer, Qt::QueuedConnection);
    });
    // Shortcut keys reach the editor first, or the window when nothing in it has
    // the focus.
    TextBlock->installEventFilter(this);
    installEventFilter(this);
    status_->watchTickSources();
}

FrmMain::~FrmMain() {
    // The owners that watch the window and its editor go first, while the
    // options, the error report and the controls they refer to still stand: the
    // window's own destruction hides and deletes controls, which they would
    // otherwise see.
    delete status_;
    delete transparency_;
    delete clipboard_;
    delete session_;
}

DocumentState& FrmMain::document() {
    return session_->state();
}

EditorWindow FrmMain::editorWindow() {
    return {this, platform_, *TextBlock, report_};
}

void FrmMain::Form_Load() {
    mnuWind_Click();

    report_.start();

    DocumentState& doc = document();
    doc.RecentFileString.clear();
    doc.CommonFileName.clear();

    search.CheckFindFlag1 = search.CheckFindFlag2 = search.CheckReplaceFlag1 = 0;
    search.FindReplacePos = 0;

    // The smallest usable width: the toolbar's last button must fit.
    if (QLayout* l = layout())
        l->activate();
    if (QLayout* l = Toolbar1->layout())
        l->activate();
    if (QToolButton* right = toolbarButton(*Toolbar1, QStringLiteral("RightBtn"))) {
        const QRect r = right->geometry();
        WidthLimitPoint = (r.x() + r.width()) * TwipsPerPixel + layout::WidthLimitMargin;
    }

    search.GoToTemp.clear();
    search.FindReplaceTemp.clear();
    search.ReplaceTemp.clear();

    opts.ResizeCritical = opts.DisableSaveFile = opts.NoDebugFile = opts.UnloadOk = false;
    opts.FirstLoading = true;

    transparency_->HookEditControl();
    LoadGeneralSettings();
    LoadViewSettings();
    CheckPreviousShutdown();
    session_->ReportInterruptedSaves();
    LoadFontDialogFromEditor();
    ArrangeWindow();
    SetAlignment();

    opts.UserChangeOptions = doc.TextChange = doc.FileExist = false;
    doc.NewDoc = search.UseFindRep = true;

    session_->UpdateDocumentName();
    ProcessCommandLine();
    // The unsaved text of a run that ended without a close, unless the command
    // line's document already has changes of its own.
    if (!doc.TextChange)
        session_->OfferRecoveredText();
}

void FrmMain::ProcessCommandLine() {
    const StartupDocument start = startupDocument(commandLine_.argumentText);
    if (!start.named)
        return;
    OpenRequest request{OpenOrigin::CommandLine, start.path};
    request.NotCheckLen = start.action == StartupSwitch::NoSizeCheck;
    request.nameUndecodable = commandLine_.nameUndecodable;
    session_->OpenFile(request);
    if (start.action == StartupSwitch::Print)
        session_->Print();
    else if (start.action == StartupSwitch::TimeStamp)
        session_->ApplyLogStamp(true);
    if (!commandLine_.notOpened.isEmpty()) {
        platform_.messageBox({notOpenedNotice(commandLine_.notOpened), ProgramName,
                              MsgIcon::Information, MsgButtons::Ok, answer::Ok},
                             this);
    }
}

void FrmMain::Form_Unload(std::int16_t& cancel) {
    opts.UnloadOk = true;

    if (!session_->SettleUnsavedChanges()) {
        opts.UnloadOk = false;
        cancel = -1;
    }

    if (opts.PromptChanges) {
        if (opts.UserChangeOptions) {
            const int reply = platform_.messageBox(
                {QStringLiteral("Настройки программы были изменены.") + CRLF +
                     QStringLiteral("Сохранить эти изменения?"),
                 ProgramName, MsgIcon::Question, MsgButtons::YesNoCancel, answer::Yes},
                this);
            if (reply == answer::Yes) {
                SaveViewSettings();
                opts.UserChangeOptions = false;
            } else if (reply == answer::Cancel) {
                opts.UnloadOk = false;
                cancel = -1;
            }
        }
    } else {
        SaveViewSettings();
        opts.UserChangeOptions = false;
    }

    SaveGeneralSettings();

    if (cancel == 0) {
        transparency_->UnhookEditControl();
        // Nothing unsaved is left that the user did not give up.
        session_->DiscardUnsavedText();
    }
}

void FrmMain::EndSession() {
    // A file being read or written is finished first: the editor may hold only
    // part of a text being opened, and a save must not stop half-way.
    if (session_->busy()) {
        connect(session_, &DocumentSession::workEnded, this, &FrmMain::EndSession,
                Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection |
                                   Qt::UniqueConnection));
        return;
    }
    session_->KeepUnsavedText();
    opts.UnloadOk = true;
    SaveViewSettings();
    opts.UserChangeOptions = false;
    SaveGeneralSettings();
    transparency_->UnhookEditControl();
    // Every event loop ends, a question's included; quit() would first try to
    // close the window, which asks about the changes.
    QCoreApplication::exit(0);
}

void FrmMain::closeEvent(QCloseEvent* event) {
    // Asked to close while a file is read or written: closed once that ends.
    if (session_->busy()) {
        event->ignore();
        connect(session_, &DocumentSession::workEnded, this, &QWidget::close,
                Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection |
                                   Qt::UniqueConnection));
        return;
    }
    std::int16_t cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0)
        event->ignore();
    else
        event->accept();
}

void FrmMain::mnuExit_Click() {
    close();
}

void FrmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void FrmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // Sent before the shortcut is looked up: the command's availability is
        // brought up to date first. The window sees the keys the editor let pass,
        // which the editor has already handled here.
        if (watched == TextBlock || (watched == this && focusWidget() != TextBlock))
            RefreshBeforeShortcut(*this,
                                  QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()));
    } else if (event->type() == QEvent::KeyPress && watched == TextBlock &&
               static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        // The editor would read the clipboard itself, and wait while the program
        // that owns it does not answer: paste the text kept from its last change.
        mnuPaste_Click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmMain::mnuAbout_Click() {
    FrmAbout about(editorWindow());
    platform_.execDialog(about);
}

} // namespace quillet
