#include "diagnostics/mdl_functions_memory.h"

#include <limits>

namespace quillet {

namespace {
std::int64_t toSigned(std::uint64_t bytes) {
    constexpr auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return static_cast<std::int64_t>(bytes > largest ? largest : bytes);
}
} // namespace

void GetMemoryStatus(Platform& platform, std::int64_t& total, std::int64_t& available) {
    std::optional<MemoryStatus> status;
    try {
        status = platform.memoryStatus();
    } catch (...) {
        status.reset();
    }
    total = status ? toSigned(status->total) : 0;
    available = status ? toSigned(status->available) : 0;
}

} // namespace quillet
