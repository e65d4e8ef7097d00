#pragma once

namespace quillet {

// The document length the program measures documents against, in characters: a
// file above it is "large" (the size question is asked when it is opened, and a
// ".LOG" document is no longer stamped), and the About window's load bar is full
// at it.
constexpr int WorkingLimit = 55000;

} // namespace quillet
