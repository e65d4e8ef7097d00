#include "shell/frmmain.h"

#include "diagnostics/frm_about.h"
#include "diagnostics/mdl_other.h"
#include "diagnostics/report_folder.h"
#include "platform/platform.h"
#include "shell/commandline.h"
#include "shell/layout.h"
#include "view/application_icon.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace quillet {

FrmMain::FrmMain(Platform& platform, QString argumentText, QWidget* parent)
    : QMainWindow(parent), platform_(platform), argumentText_(std::move(argumentText)) {
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Новый документ") + CaptionSuffix);
    setWindowIcon(ApplicationIcon());

    TextBlock = new quillet::TextBlock(this);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(9.75);
    TextBlock->setChosenFont(font);
    TextBlock->setBackColor(QColor(0xFF, 0xFF, 0xFF));
    TextBlock->setFontCharSet(204);
    setCentralWidget(TextBlock);
    // Screen readers announce the controls by these names.
    TextBlock->setAccessibleName(QStringLiteral("Текст документа"));

    RTFBlock.font = QFont(QStringLiteral("MS Sans Serif"));
    RTFBlock.font.setPointSizeF(8.25);

    buildMenus();
    buildToolbar();
    buildStatusBar();

    connect(TextBlock, &TextBlock::changed, this, &FrmMain::TextBlock_Change);
    connect(TextBlock, &TextBlock::mouseDown, this, &FrmMain::TextBlock_MouseDown);
    TextBlock->setStandardMenuQuery([this] { return opts.StandardMenu; });
    InstallFileDrop();

    // The tick runs when what it shows changes; TMR1 only while the window
    // follows the pointer, which no signal reports.
    TMR1 = new CoarseTimer(1, this);
    TMR1->setObjectName(QStringLiteral("TMR1"));
    connect(TMR1, &CoarseTimer::tick, this, &FrmMain::TMR1_Timer);
    watchTickSources();
}

FrmMain::FrmMain(Platform& platform, const CommandLine& commandLine, QWidget* parent)
    : FrmMain(platform, commandLine.argumentText, parent) {
    notOpenedArguments_ = commandLine.notOpened;
    argumentNameUndecodable_ = commandLine.nameUndecodable;
}

FrmMain::~FrmMain() = default;

void FrmMain::buildStatusBar() {
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setAccessibleName(QStringLiteral("Панель состояния"));
    statusLabel_ = new QLabel(QStringLiteral("Готово"), StatusBar1);
    statusLabel_->setObjectName(QStringLiteral("StatusText"));
    StatusBar1->addWidget(statusLabel_, 1);
    setStatusBar(StatusBar1);
}

QAction* FrmMain::toolbarEntry(const QString& key) const {
    const QList<QAction*> entries = Toolbar1->actions();
    for (QAction* a : entries) {
        if (a->objectName() == key)
            return a;
    }
    return nullptr;
}

QToolButton* FrmMain::toolbarButton(const QString& key) const {
    QAction* action = toolbarEntry(key);
    return action ? qobject_cast<QToolButton*>(Toolbar1->widgetForAction(action)) : nullptr;
}

QList<QAction*> FrmMain::toolbarEntries() const {
    return Toolbar1->actions();
}

QString FrmMain::statusText() const {
    return statusLabel_->text();
}

void FrmMain::setStatusText(const QString& text) {
    if (statusLabel_->text() != text)
        statusLabel_->setText(text);
}

void FrmMain::Form_Load() {
    mnuWind_Click();

    errorSnapshot_ = ErrorSnapshot();

    DebugFilePath = DebugReportPath();

    TheLine.clear();
    doc.RecentFileString.clear();
    doc.CommonFileName.clear();

    search.CheckFindFlag1 = search.CheckFindFlag2 = search.CheckReplaceFlag1 = 0;
    search.FindReplacePos = 0;

    // The smallest usable width: the toolbar's last button must fit.
    if (QLayout* l = layout())
        l->activate();
    if (QLayout* l = Toolbar1->layout())
        l->activate();
    if (QToolButton* right = toolbarButton(QStringLiteral("RightBtn"))) {
        const QRect r = right->geometry();
        WidthLimitPoint = (r.x() + r.width()) * TwipsPerPixel + layout::WidthLimitMargin;
    }

    search.GoToTemp.clear();
    search.FindReplaceTemp.clear();
    search.ReplaceTemp.clear();

    NotCheckLen = opts.ResizeCritical = opts.DisableSaveFile = opts.NoDebugFile = opts.UnloadOk =
        false;
    opts.FirstLoading = true;

    HookEditControl();
    LoadGeneralSettings();
    LoadViewSettings();
    CheckPreviousShutdown();
    LoadFontDialogFromEditor();
    ArrangeWindow();
    SetAlignment();

    opts.UserChangeOptions = doc.TextChange = doc.FileExist = false;
    doc.NewDoc = search.UseFindRep = true;

    UpdateDocumentName();
    CommandLineString = argumentText_;
    ProcessCommandLine();
}

QString FrmMain::DebugReportPath() {
    const QString appFolder = platform_.applicationFolder();
    const QString folder =
        DebugReportFolder(appFolder, platform_.folderWritable(appFolder),
                          platform_.environment(QStringLiteral("XDG_STATE_HOME")),
                          platform_.environment(QStringLiteral("HOME")));
    if (folder.isEmpty())
        return {};
    // The state folder may not exist yet; a report that cannot be placed is
    // simply not written, like any other report that fails.
    if (folder != appFolder)
        QDir().mkpath(folder);
    return AddBackslash(folder) + QStringLiteral("QDebug.log");
}

void FrmMain::Form_Unload(std::int16_t& cancel) {
    opts.UnloadOk = true;

    if (!SettleUnsavedChanges()) {
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

    if (cancel == 0)
        UnhookEditControl();
}

void FrmMain::closeEvent(QCloseEvent* event) {
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

void FrmMain::mnuAbout_Click() {
    FrmAbout about(*this);
    platform().execDialog(about);
}

} // namespace quillet
