#pragma once

// Physical memory figures, for the error report and the About window.

#include "platform/platform.h"

#include <cstdint>

namespace quillet {

// Total and available physical memory in bytes, in 64 bits so machines with more
// than 2 GB are reported as they are. Both are 0 when the system cannot say.
void GetMemoryStatus(Platform& platform, std::int64_t& total, std::int64_t& available);

} // namespace quillet
