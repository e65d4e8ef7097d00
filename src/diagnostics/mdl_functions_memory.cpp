#include "diagnostics/mdl_functions_memory.h"

#include "platform/failure.h"

#include <limits>

namespace quillet {

namespace {
std::int64_t toSigned(std::uint64_t bytes) {
    constexpr auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return static_cast<std::int64_t>(bytes > largest ? largest : bytes);
}
} // namespace

void GetMemoryStatus(Platform& platform, std::int64_t& total, std::int64_t& available) {
    // Asked for the error report and the About window; a system that cannot say
    // reads as 0, which both show as such.
    std::optional<MemoryStatus> status;
    (void)trapFailure([&] { status = platform.memoryStatus(); });
    total = status ? toSigned(status->total) : 0;
    available = status ? toSigned(status->available) : 0;
}

} // namespace quillet
