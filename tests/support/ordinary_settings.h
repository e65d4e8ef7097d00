#pragma once

// The settings store as users' earlier runs leave it.

#include "support/scripted_platform.h"

#include <span>

namespace quillet::test {

// One stored setting: section, key and its value text.
struct StoredKey {
    const char* section;
    const char* key;
    const char* value;
};
// The view group as a first run writes it (the window's design state), in the
// order the settings are read and written: one entry per key of the view group.
extern const std::span<const StoredKey> FirstRunViewSettings;
// The general group as a first run writes it (the design state at the default
// placement on the scripted 1280x1024 screen, the run not yet closed), in the
// order the settings are read: one entry per key of the general group.
extern const std::span<const StoredKey> FirstRunGeneralSettings;

// The settings a normal earlier run leaves behind: the design state of the window
// at its default placement on the scripted 1280x1024 screen, closed cleanly.
void seedOrdinarySettings(MemoryStore& store);

} // namespace quillet::test
