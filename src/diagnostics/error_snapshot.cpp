#include "diagnostics/error_snapshot.h"

#include "diagnostics/debug_report.h"
#include "diagnostics/mdl_functions_memory.h"
#include "diagnostics/mdl_other.h"
#include "platform/platform.h"

namespace quillet {

void ErrorSnapshot::gather(Platform& platform) {
    ErrSysInfo = GetWindowsName(platform);
    ErrSPInfo.clear();
    ErrVerInfo = GetWindowsVersion(platform);
    ErrSysPath.clear();
    ErrWinPath.clear();
    ErrTempPath = GetTempFolder(platform);
    ErrAppPath = ApplicationFolderEntry(platform.applicationFolder());
    GetMemoryStatus(platform, ErrTotMem, ErrAvMem);
    ErrSysFree = ErrGDIFree = ErrUserFree = 0;
}

void ErrorSnapshot::fillReport(DebugReport& report) const {
    report.system = ErrSysInfo;
    report.servicePack = ErrSPInfo;
    report.version = ErrVerInfo;
    report.systemFolder = ErrSysPath;
    report.windowsFolder = ErrWinPath;
    report.tempFolder = ErrTempPath;
    report.applicationFolder = ErrAppPath;
    report.totalMemory = ErrTotMem;
    report.availableMemory = ErrAvMem;
    report.freeSystem = ErrSysFree;
    report.freeUser = ErrUserFree;
    report.freeGdi = ErrGDIFree;
}

} // namespace quillet
