#pragma once

// The options that outlive a run: two groups of keys in the settings store, read
// once at start-up and written at closing. Each group is a table below, one row
// a key, in the order the keys are read: its section and name, the value it holds
// (an option, or one of the group's own values), the values the window can take,
// and when it is written. The window only hands values over (capturing them before
// a write, applying them after a read); everything about the store is here.

#include "platform/screen_font.h"
#include "settings/options.h"
#include "settings/setting_values.h"

#include <QString>

#include <cstdint>
#include <limits>
#include <span>
#include <variant>

namespace quillet {

class FailureRecorder;
class SettingsStore;

// The general group's values besides the options: the Find and Replace windows'
// check boxes, the recent document and the window's placement (twips).
struct GeneralValues {
    std::int16_t ReplaceFlagWW = 0;
    std::int16_t FindFlagWW = 0;
    std::int16_t FindFlagMC = 0;
    QString RecentFile;
    // 0 normal, 1 minimised, 2 maximised.
    std::int16_t FormWindowState = 0;
    double FormTop = 0;
    double FormLeft = 0;
    double FormHeight = 0;
    double FormWidth = 0;
};

// The view group's values besides the options: the editor's look. The values
// given here are the editor's design state, which a first run writes.
struct ViewValues {
    QString FontName = DesignFontName;
    double FontSize = 9.75;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;
    std::int32_t FontColor = settings::SystemWindowText;
    std::int32_t FontChars = 204;        // Cyrillic
    std::int32_t BackColor = 0x00FFFFFF; // white
};

namespace settings {

// What the window does with a general key when it is not in its normal state.
enum class Written {
    Always,
    NotMinimised, // the window state: meaningless while minimised
    NormalState,  // the placement: only the normal state's is worth keeping
};

// The general group is written in blocks: the program's own flags, then the
// Find and Replace check boxes, then the recent document and the placement.
// Within a block, keys go in reading order.
enum class Block { ProgramFlags, DialogChecks, DocumentAndWindow, View };

// Where a key's value is held. A value's kind in the store follows from its type:
// a flag (bool), a 16- or 32-bit whole number (colours are 32-bit numbers), a
// size or position (double, written as a single-precision number with its
// fraction and read back whole), or a text.
template <typename Values>
using Field =
    std::variant<bool Options::*, std::int32_t Options::*, bool Values::*, std::int16_t Values::*,
                 std::int32_t Values::*, double Values::*, QString Values::*>;

template <typename Values> struct StoredKey {
    const char* section;
    const char* key;
    Field<Values> field;
    Block block = Block::View;
    Written when = Written::Always;
    // The values the window can take; any other is refused (380) when applied.
    std::int32_t minimum = std::numeric_limits<std::int32_t>::min();
    std::int32_t maximum = std::numeric_limits<std::int32_t>::max();
    bool mayBeBlank = true;
};

// The two tables, in reading order.
std::span<const StoredKey<GeneralValues>> generalKeys();
std::span<const StoredKey<ViewValues>> viewKeys();

// A group as read: the options it holds (on top of the options given), and its
// own values. Nothing of it is applied by reading.
template <typename Values> struct ReadGroup {
    Options options;
    Values values;
};

// Reads every key of the group in order. A value that is not of its kind fails
// (13 type mismatch, 6 overflow), as does a store that refuses the read; then
// nothing was read.
ReadGroup<GeneralValues> readGeneralSettings(SettingsStore& store, const Options& current);
ReadGroup<ViewValues> readViewSettings(SettingsStore& store, const Options& current);

// Takes the options a group holds from what was read.
void takeGeneralOptions(const Options& read, Options& options);
void takeViewOptions(const Options& read, Options& options);

// A value of the group as the window may take it: throws 380 (invalid property
// value) for a whole number outside its key's range or a blank text where the
// key wants one.
template <typename Values, typename T> T checked(const Values& values, T Values::*field);

// How the window stands when the general group is written.
enum class WindowShape { Normal, Minimised, Maximised };

// Writes the group, key by key in its order, and commits it to the store's
// medium once. A refused write is recorded and tried once more; refused again,
// the key is given up, so closing never waits on a store that refuses everything.
void writeGeneralSettings(SettingsStore& store, const Options& options, const GeneralValues& values,
                          WindowShape shape, FailureRecorder& failures);
void writeViewSettings(SettingsStore& store, const Options& options, const ViewValues& values,
                       FailureRecorder& failures);

} // namespace settings
} // namespace quillet
