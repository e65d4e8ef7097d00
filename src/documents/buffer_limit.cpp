#include "documents/buffer_limit.h"

#include <atomic>
#include <new>

namespace quillet {

namespace {
std::atomic<qsizetype> limit{-1};
} // namespace

void setBufferLimit(qsizetype bytes) {
    limit = bytes;
}

void checkBufferSize(qsizetype bytes) {
    const qsizetype l = limit;
    if (l >= 0 && bytes > l)
        throw std::bad_alloc();
}

} // namespace quillet
