#pragma once

#include <QtGlobal>

namespace quillet {

// The largest buffer opening and saving take for the text; a larger request fails
// as the allocation itself would, with std::bad_alloc. The program sets no limit;
// tests lower it to see that such a failure is trapped and loses nothing.
void setBufferLimit(qsizetype bytes); // negative: no limit
void checkBufferSize(qsizetype bytes);

} // namespace quillet
