// The File menu. The document's life is the session's: each command hands it
// one request. The options that govern opening are the window's.

#include "session/document_session.h"
#include "shell/frmmain.h"

#include <QAction>
#include <QMenu>

namespace quillet {

void FrmMain::mnuNew_Click() {
    session_->New();
}

void FrmMain::mnuOpen_Click() {
    session_->Open();
}

void FrmMain::mnuSave_Click() {
    session_->Save();
}

void FrmMain::mnuSaveAs_Click() {
    session_->SaveAs();
}

void FrmMain::mnuRecent_Click() {
    session_->OpenRecent();
}

void FrmMain::mnuPrint_Click() {
    session_->Print();
}

void FrmMain::mnuFile_Click() {
    const DocumentState& doc = session_->state();
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
    ToggleLayoutOption(*this, &Options::LimType);
}

void FrmMain::mnuCodeWin_Click() {
    opts.selectOpeningCodePage(CodeWindows);
    ShowOptionsInMenus();
}

void FrmMain::mnuCodeDos_Click() {
    opts.selectOpeningCodePage(CodeDos);
    ShowOptionsInMenus();
}

void FrmMain::mnuCodeKoi_Click() {
    opts.selectOpeningCodePage(CodeKoi);
    ShowOptionsInMenus();
}

void FrmMain::mnuSetChars_Click() {
    // Takes effect when the next file is opened.
    opts.toggle(&Options::SetChars);
    ShowOptionsInMenus();
}

} // namespace quillet
