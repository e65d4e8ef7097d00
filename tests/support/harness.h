#pragma once

#include "documents/document_state.h"
#include "editing/textblock.h"
#include "session/document_session.h"
#include "shell/coarse_timer.h"
#include "shell/frmmain.h"
#include "shell/toolbar_status.h"
#include "shell/toolbar_table.h"
#include "support/files.h"
#include "support/ordinary_settings.h"
#include "support/report_file.h"
#include "support/scripted_platform.h"
#include "view/clipboard_state.h"
#include "view/transparent_window.h"

#include <memory>

namespace quillet::test {

// A main window created headless over the scripted platform. The window is built
// with load() (construction plus the loading sequence) and closed with close(),
// which runs the closing sequence exactly as the close button does.
class Harness {
public:
    ScriptedPlatform platform;
    std::unique_ptr<FrmMain> window;
    // load() first fills an empty store with the settings of an ordinary earlier
    // run (not a first run, closed cleanly), so tests start like a user's day.
    // Set false to start from an empty store (a first run).
    bool seedSettings = true;

    // Constructs the window without loading it.
    FrmMain& create(const QString& arguments = {});
    // Constructs and runs the loading sequence.
    FrmMain& load(const QString& arguments = {});
    // Runs the closing sequence; true when the window closed.
    bool close();

    FrmMain* operator->() { return window.get(); }
};

} // namespace quillet::test

namespace quillet::test {
// The error report the window last wrote ("QDebug.log" in the application
// folder), or an empty text when there is none.
QString errorReport(Harness& harness);
} // namespace quillet::test
