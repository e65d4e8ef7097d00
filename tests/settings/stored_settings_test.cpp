// The two groups of stored options at the store: their keys and reading order,
// what each kind of value reads as, which values the window may take, what is
// written and when, and writing to a store that refuses.

#include "settings/stored_settings.h"

#include "platform/failure.h"
#include "support/files.h"
#include "support/ordinary_settings.h"
#include "support/recording_failures.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace quillet::test {
namespace {

using settings::WindowShape;
using G = GeneralValues;
using V = ViewValues;

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// "Section/Key" of each entry.
template <typename Keys> QStringList names(const Keys& keys) {
    QStringList list;
    for (const auto& k : keys)
        list << s(k.section) + QLatin1Char('/') + s(k.key);
    return list;
}

// "Section/Key=Value" of each entry, as MemoryStore records a save.
QStringList saves(std::span<const StoredKey> keys) {
    QStringList list;
    for (const StoredKey& k : keys)
        list << s(k.section) + QLatin1Char('/') + s(k.key) + QLatin1Char('=') + s(k.value);
    return list;
}

void seed(MemoryStore& store, std::span<const StoredKey> keys) {
    for (const StoredKey& k : keys)
        store.set(s(k.section), s(k.key), s(k.value));
}

// The failure number body throws, or 0.
int failureOf(const std::function<void()>& body) {
    const std::optional<Failure> failure = trapFailure(body);
    return failure ? failure->number() : 0;
}

// The values a first run hands the writer: the design state at the default
// placement on a 1280x1024 screen, the run not yet closed.
Options firstRunOptions() {
    Options o;
    o.FirstLoading = true;
    return o;
}
GeneralValues firstRunValues() {
    G g;
    g.FormTop = 3405;
    g.FormLeft = 4350;
    g.FormHeight = 8550;
    g.FormWidth = 10500;
    return g;
}

// Every key with a value other than its first run's, in reading order.
const StoredKey changedGeneral[] = {
    {"Flags", "ReplaceFlagWW", "1"},        {"Flags", "FindFlagWW", "-1"},
    {"Flags", "FindFlagMC", "32767"},       {"General", "ResizeInfo", "True"},
    {"General", "DisableSave", "True"},     {"General", "NoDebug", "True"},
    {"General", "NormalUnloading", "True"}, {"General", "FirstLoading", "False"},
    {"General", "ConfirmChanges", "False"}, {"General", "RecentFile", "/srv/документы/отчёт.txt"},
    {"General", "FormWindowState", "2"},    {"General", "FormTop", "-1200"},
    {"General", "FormLeft", "1500"},        {"General", "FormHeight", "9000"},
    {"General", "FormWidth", "12000"},
};
const StoredKey changedView[] = {
    {"Font", "FontName", "DejaVu Sans"},
    {"Font", "FontSize", "14"},
    {"Font", "FontBold", "True"},
    {"Font", "FontItalic", "True"},
    {"Font", "FontUnderline", "True"},
    {"Font", "FontStrikethru", "True"},
    {"Font", "FontColor", "1971210"},
    {"Font", "FontChars", "0"},
    {"General", "BackColor", "14471880"},
    {"General", "ToolBar", "False"},
    {"Font", "QuickBold", "True"},
    {"Font", "QuickItalic", "True"},
    {"Font", "QuickUnderline", "True"},
    {"General", "LimitFileType", "False"},
    {"General", "ToolTips", "False"},
    {"General", "NoToolTips", "True"},
    {"General", "ConfirmFileSize", "False"},
    {"General", "StandartMenu", "True"},
    {"General", "TextWindows", "False"},
    {"General", "TextDos", "True"},
    {"General", "TextKoi", "True"},
    {"General", "SetChars", "False"},
    {"General", "Transparent", "True"},
    {"General", "GetMouse", "True"},
    {"General", "StatusBar", "False"},
    {"General", "Alignment", "2"},
};

// One group at a time, through its own reader and writer.
struct Group {
    const char* name;
    QStringList keys;                    // from the group's table
    std::span<const StoredKey> firstRun; // the stored texts a first run writes
    std::span<const StoredKey> changed;
    // Reads the group from one store and writes what it read to another.
    std::function<void(MemoryStore&, MemoryStore&, FailureRecorder&)> rewrite;
    std::function<void(MemoryStore&, FailureRecorder&)> writeFirstRun;
};

const Group groups[] = {
    {"general", names(settings::generalKeys()), FirstRunGeneralSettings, changedGeneral,
     [](MemoryStore& from, MemoryStore& to, FailureRecorder& f) {
         const auto read = settings::readGeneralSettings(from, Options());
         settings::writeGeneralSettings(to, read.options, read.values, WindowShape::Normal, f);
     },
     [](MemoryStore& store, FailureRecorder& f) {
         settings::writeGeneralSettings(store, firstRunOptions(), firstRunValues(),
                                        WindowShape::Normal, f);
     }},
    {"view", names(settings::viewKeys()), FirstRunViewSettings, changedView,
     [](MemoryStore& from, MemoryStore& to, FailureRecorder& f) {
         const auto read = settings::readViewSettings(from, Options());
         settings::writeViewSettings(to, read.options, read.values, f);
     },
     [](MemoryStore& store, FailureRecorder& f) {
         settings::writeViewSettings(store, Options(), ViewValues(), f);
     }},
};

// Every key read, in order, and written back as it was stored: a key that the
// reader or the writer skipped would come back with its first run's value.
TEST(StoredGroups, EachGroupReadsItsKeysInOrderAndWritesBackWhatItRead) {
    for (const Group& g : groups) {
        SCOPED_TRACE(g.name);
        EXPECT_EQ(g.keys, names(g.firstRun));
        ASSERT_EQ(g.keys, names(g.changed));
        MemoryStore store, rewritten;
        Journal journal;
        store.journal = &journal;
        seed(store, g.changed);
        RecordingFailures failures;
        EXPECT_EQ(failureOf([&] { g.rewrite(store, rewritten, failures); }), 0);
        QStringList reads = g.keys;
        for (QString& k : reads)
            k.prepend(QStringLiteral("read "));
        EXPECT_EQ(journal.entries, reads);
        for (std::size_t i = 0; i < g.changed.size(); ++i) {
            const StoredKey& k = g.changed[i];
            EXPECT_NE(s(k.value), s(g.firstRun[i].value)) << k.key;
            EXPECT_EQ(rewritten.value(s(k.section), s(k.key)), s(k.value)) << k.key;
        }
    }
}

TEST(StoredGroups, AFirstRunWritesEveryKeyOnceAndCommitsOnce) {
    for (const Group& g : groups) {
        SCOPED_TRACE(g.name);
        MemoryStore store;
        RecordingFailures failures;
        g.writeFirstRun(store, failures);
        QStringList expected = saves(g.firstRun);
        // The general group writes the program's flags, then the Find and Replace
        // check boxes, then the recent document and the placement.
        if (g.firstRun.data() == FirstRunGeneralSettings.data())
            expected = expected.mid(3, 6) + expected.mid(0, 3) + expected.mid(9);
        EXPECT_EQ(store.writes, expected);
        EXPECT_EQ(store.savesAtCommit, QList<int>{int(g.keys.size())});
        EXPECT_TRUE(failures.entries.empty());
    }
}

TEST(StoredGroups, ThePlacementIsWrittenOnlyInTheNormalStateAndTheStateUnlessMinimised) {
    const QStringList placement = {"General/FormTop", "General/FormLeft", "General/FormHeight",
                                   "General/FormWidth"};
    struct Case {
        WindowShape shape;
        bool stateWritten;
        bool placementWritten;
    };
    const Case cases[] = {{WindowShape::Normal, true, true},
                          {WindowShape::Maximised, true, false},
                          {WindowShape::Minimised, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.shape));
        MemoryStore store;
        RecordingFailures failures;
        G values = firstRunValues();
        values.FormWindowState = 2;
        settings::writeGeneralSettings(store, Options(), values, c.shape, failures);
        QStringList written;
        for (const QString& w : std::as_const(store.writes))
            written << w.left(w.indexOf(QLatin1Char('=')));
        for (const QString& key : names(settings::generalKeys())) {
            const bool expected = key == QLatin1String("General/FormWindowState")
                                      ? c.stateWritten
                                      : (placement.contains(key) ? c.placementWritten : true);
            EXPECT_EQ(written.contains(key), expected) << key.toStdString();
        }
        if (c.stateWritten) {
            EXPECT_EQ(store.value(s("General"), s("FormWindowState")), s("2"));
        }
        EXPECT_EQ(store.commits, 1);
    }
}

// One key stored with a text, the rest as a first run left them: the failure
// reading the group, or the key's text when the group is written again.
TEST(StoredGroups, EachKeyReadsAsItsKind) {
    struct Case {
        const char* section;
        const char* key;
        const char* stored;
        int failure;
        const char* rewritten;
    };
    const Case cases[] = {
        // Sizes and positions are read whole, halves to the even neighbour.
        {"Font", "FontSize", "9,75", 0, "10"},
        {"Font", "FontSize", "9.75", 0, "10"},
        {"Font", "FontSize", "10,5", 0, "10"},
        {"Font", "FontSize", "11,5", 0, "12"},
        {"Font", "FontSize", "8,25", 0, "8"},
        {"General", "FormTop", "1201,5", 0, "1202"},
        {"General", "FormWidth", "2147483648", err::Overflow, nullptr},
        // Flags in any letter case, or numbers.
        {"Font", "FontBold", "-1", 0, "True"},
        {"General", "NoDebug", "true", 0, "True"},
        {"General", "DisableSave", "0", 0, "False"},
        {"General", "ToolBar", "да", err::TypeMismatch, nullptr},
        // The check boxes and the window state are 16-bit numbers.
        {"Flags", "FindFlagWW", "32767", 0, "32767"},
        {"Flags", "FindFlagMC", "40000", err::Overflow, nullptr},
        {"General", "FormWindowState", "-32769", err::Overflow, nullptr},
        // Colours, the character set and the alignment are 32-bit numbers.
        {"Font", "FontChars", "40000", 0, "40000"},
        {"Font", "FontColor", "-2147483640", 0, "-2147483640"},
        {"General", "BackColor", "2147483648", err::Overflow, nullptr},
        {"General", "Alignment", "2,5", 0, "2"},
        // Texts read whatever they hold; whether the window takes them is checked
        // when they are applied.
        {"Font", "FontName", "", 0, ""},
        {"General", "RecentFile", "не число", 0, "не число"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
        MemoryStore store, rewritten;
        seed(store, FirstRunGeneralSettings);
        seed(store, FirstRunViewSettings);
        store.set(s(c.section), s(c.key), s(c.stored));
        RecordingFailures failures;
        const int failure = failureOf([&] {
            for (const Group& g : groups)
                g.rewrite(store, rewritten, failures);
        });
        EXPECT_EQ(failure, c.failure);
        if (c.rewritten) {
            EXPECT_EQ(rewritten.value(s(c.section), s(c.key)), s(c.rewritten));
        }
    }
}

// A text that is no value of its kind fails the whole read (13), whichever key
// holds it, unless the key holds a text; a store that refuses to be read fails it
// too.
TEST(StoredGroups, AnUnreadableKeyOrStoreFailsTheRead) {
    const QStringList texts = {"Font/FontName", "General/RecentFile"};
    for (const Group& g : groups) {
        for (const QString& key : g.keys) {
            MemoryStore store;
            seed(store, g.firstRun);
            store.set(key.section(QLatin1Char('/'), 0, 0), key.section(QLatin1Char('/'), 1),
                      s("не число"));
            MemoryStore scratch;
            RecordingFailures failures;
            EXPECT_EQ(failureOf([&] { g.rewrite(store, scratch, failures); }),
                      texts.contains(key) ? 0 : int(err::TypeMismatch))
                << key.toStdString();
        }
        MemoryStore refusing;
        seed(refusing, g.firstRun);
        refusing.refuseReads = true;
        MemoryStore scratch;
        RecordingFailures failures;
        EXPECT_EQ(failureOf([&] { g.rewrite(refusing, scratch, failures); }), err::PathFileAccess)
            << g.name;
    }
}

template <typename Values, typename T> int refusal(T Values::*field, T value) {
    Values values;
    values.*field = value;
    return failureOf([&] { EXPECT_EQ(settings::checked(values, field), value); });
}

TEST(StoredGroups, TheWindowTakesOnlyValuesInTheKeysRanges) {
    constexpr int refused = err::InvalidPropertyValue;
    struct Case {
        const char* name;
        int failure;
        int expected;
    };
    const Case cases[] = {
        {"FontSize 0", refusal(&V::FontSize, 0.0), refused},
        {"FontSize -3", refusal(&V::FontSize, -3.0), refused},
        {"FontSize 1", refusal(&V::FontSize, 1.0), 0},
        {"FontSize 2048", refusal(&V::FontSize, 2048.0), 0},
        {"FontSize 2049", refusal(&V::FontSize, 2049.0), refused},
        {"FontSize 5000", refusal(&V::FontSize, 5000.0), refused},
        {"FontChars -1", refusal(&V::FontChars, -1), refused},
        {"FontChars 0", refusal(&V::FontChars, 0), 0},
        {"FontChars 255", refusal(&V::FontChars, 255), 0},
        {"FontChars 256", refusal(&V::FontChars, 256), refused},
        {"FormWindowState -1", refusal(&G::FormWindowState, std::int16_t(-1)), refused},
        {"FormWindowState 0", refusal(&G::FormWindowState, std::int16_t(0)), 0},
        {"FormWindowState 2", refusal(&G::FormWindowState, std::int16_t(2)), 0},
        {"FormWindowState 3", refusal(&G::FormWindowState, std::int16_t(3)), refused},
        {"FontName blank", refusal(&V::FontName, QString()), refused},
        {"FontName spaces", refusal(&V::FontName, s("  ")), refused},
        {"FontName", refusal(&V::FontName, s("DejaVu Sans")), 0},
        // Colours are checked when they are turned into colours.
        {"FontColor", refusal(&V::FontColor, std::int32_t(0x7FFFFFFF)), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.failure, c.expected) << c.name;
}

// A store that refuses the saves of one key a number of times, then takes them.
class RefusingStore : public MemoryStore {
public:
    QString refusedKey; // "Section/Key"
    int refusals = 0;
    void save(const QString& section, const QString& key, const QString& value) override {
        if (section + QLatin1Char('/') + key == refusedKey && refusals > 0) {
            --refusals;
            ++refusedWrites;
            throw Failure(err::PathFileAccess, QStringLiteral("Store refused the write"));
        }
        MemoryStore::save(section, key, value);
    }
};

TEST(StoredGroups, ARefusalIsRecordedAndTriedOnceMoreThenGivenUp) {
    struct Case {
        const char* name;
        int refusals;       // of the group's last key
        bool refuseAll;     // every save
        bool refuseCommits; // every commit
        int recorded;       // per key written, for refuseAll
        int keysStored;     // keys minus this many
        bool committed;
    };
    const Case cases[] = {
        {"one key refused once", 1, false, false, 1, 0, true},
        {"one key refused twice", 2, false, false, 2, 1, true},
        {"every save refused", 0, true, false, 0, 0, true},
        {"the commit refused", 0, false, true, 2, 0, false},
    };
    for (const Group& g : groups) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(g.name) + ": " + c.name);
            RefusingStore store;
            store.refusedKey = g.keys.last();
            store.refusals = c.refusals;
            store.refuseWrites = c.refuseAll;
            store.refuseCommits = c.refuseCommits;
            RecordingFailures failures;
            EXPECT_EQ(failureOf([&] { g.writeFirstRun(store, failures); }), 0);

            const int keys = int(g.keys.size());
            const int recorded = c.refuseAll ? 2 * keys : c.recorded;
            ASSERT_EQ(int(failures.entries.size()), recorded);
            for (const RecordedFailure& f : failures.entries) {
                EXPECT_EQ(f.description, s("Store refused the write"));
                EXPECT_EQ(f.number, err::PathFileAccess);
                EXPECT_EQ(f.form, s("FrmMain"));
            }
            EXPECT_EQ(store.size(), c.refuseAll ? 0 : keys - c.keysStored);
            EXPECT_EQ(store.commits, c.committed ? 1 : 0);
            EXPECT_EQ(store.refusedCommits, c.refuseCommits ? 2 : 0);
        }
    }
}

TEST(StoredGroups, EachGroupTakesExactlyTheOptionsItHolds) {
    bool Options::*const general[] = {&Options::ResizeCritical, &Options::DisableSaveFile,
                                      &Options::NoDebugFile,    &Options::UnloadOk,
                                      &Options::FirstLoading,   &Options::PromptChanges};
    bool Options::*const view[] = {
        &Options::ToolBar,      &Options::Bold,        &Options::Italic,    &Options::Underline,
        &Options::LimType,      &Options::TextInf,     &Options::NoToolTip, &Options::LenEn,
        &Options::StandardMenu, &Options::TextWindows, &Options::TextDos,   &Options::TextKoi,
        &Options::SetChars,     &Options::Transparent, &Options::GetMouse,  &Options::StatusBar};
    // Kept by the run alone.
    bool Options::*const neither[] = {&Options::TextColorIsSystem, &Options::UserChangeOptions};

    using Flags = std::span<bool Options::*const>;
    Options read;
    for (const Flags list : {Flags(general), Flags(view), Flags(neither)})
        for (bool Options::*flag : list)
            read.*flag = !(read.*flag);
    read.TextAlign = 2;

    struct Case {
        const char* name;
        void (*take)(const Options&, Options&);
        Flags held;
        bool alignment;
    };
    const Case cases[] = {{"general", settings::takeGeneralOptions, general, false},
                          {"view", settings::takeViewOptions, view, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Options before{};
        Options taken;
        c.take(read, taken);
        for (const Flags list : {Flags(general), Flags(view), Flags(neither)}) {
            for (bool Options::*flag : list) {
                const bool held = std::find(c.held.begin(), c.held.end(), flag) != c.held.end();
                EXPECT_EQ(taken.*flag, held ? read.*flag : before.*flag);
            }
        }
        EXPECT_EQ(taken.TextAlign, c.alignment ? 2 : 0);
    }

    // Reading a group leaves the options it does not hold as they were given.
    MemoryStore store;
    seed(store, FirstRunGeneralSettings);
    EXPECT_EQ(settings::readGeneralSettings(store, read).options.ToolBar, read.ToolBar);
}

} // namespace
} // namespace quillet::test
