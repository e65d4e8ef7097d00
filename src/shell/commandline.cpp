// The document named on the command line, and its switch.

#include "platform/failure.h"
#include "shell/frmmain.h"

namespace quillet {

void FrmMain::ProcessCommandLine() {
    CommandLineString = argumentText_;
    if (CommandLineString.size() < 3)
        return;
    // A quoted path with a drive letter ("C:\My texts\a.txt"): drop the quotes.
    if (CommandLineString.at(2) == u':')
        CommandLineString = CommandLineString.mid(1, CommandLineString.size() - 2);
    DispatchCommandLineSwitch();
}

void FrmMain::DispatchCommandLineSwitch() {
    const QString ending = CommandLineString.right(3).toUpper();
    if (ending == QLatin1String(" /P")) {
        ConvertUtf8WithoutAsking = true;
        OpenCommandLineDocument(true);
        mnuPrint_Click();
    } else if (ending == QLatin1String(" /A")) {
        NotCheckLen = true;
        OpenCommandLineDocument(true);
    } else if (ending == QLatin1String(" /L")) {
        OpenCommandLineDocument(true);
        ApplyLogStamp(true);
    } else {
        OpenCommandLineDocument(false);
    }
}

void FrmMain::OpenCommandLineDocument(bool stripSwitch) {
    if (stripSwitch)
        CommandLineString.chop(3);
    try {
        LoadTextFile(CommandLineString);
        TieDocumentToFile(CommandLineString);
        RecentFileString = CommonFileName;
        ApplyLogStamp(false);
        ShowDocumentCaption();
    } catch (const Failure& failure) {
        SaveDebug(failure.description(), failure.number(), objectName());
        TheLine = CommandLineString;
        ShowOpenFailure();
    }
}

} // namespace quillet
