#pragma once

// What the error report says about the machine: taken afresh by every report,
// kept until the next one, and "Unknown" / 0 before the first.

#include <QString>

#include <cstdint>

namespace quillet {

class Platform;
struct DebugReport;

struct ErrorSnapshot {
    QString ErrSysInfo = QStringLiteral("Unknown");
    QString ErrSysPath = QStringLiteral("Unknown");
    QString ErrWinPath = QStringLiteral("Unknown");
    QString ErrTempPath = QStringLiteral("Unknown");
    QString ErrAppPath = QStringLiteral("Unknown");
    QString ErrSPInfo = QStringLiteral("Unknown");
    QString ErrVerInfo = QStringLiteral("Unknown");
    // Memory sizes are held in 64 bits: today's machines overflow 32.
    std::int64_t ErrTotMem = 0;
    std::int64_t ErrAvMem = 0;
    std::int32_t ErrSysFree = 0;
    std::int32_t ErrGDIFree = 0;
    std::int32_t ErrUserFree = 0;

    // Asks the system now. This system has no service packs, no Windows or
    // system folder and no resource heaps: those entries are empty, or 0.
    void gather(Platform& platform);
    // Copies the machine's part into a report.
    void fillReport(DebugReport& report) const;
};

} // namespace quillet
