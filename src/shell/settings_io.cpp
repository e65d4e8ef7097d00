// The options that outlive a run: two groups of keys in the settings store, read
// once at start-up and written at closing. Both groups are tables below, one row a
// key, in the order the keys are read; each row knows its section, its kind of
// value, where the live value comes from and where a read value goes.

#include "settings/setting_values.h"
#include "shell/frmmain.h"

#include "platform/failure.h"
#include "shell/layout.h"

#include <QApplication>

#include <array>
#include <string_view>

namespace quillet {

namespace {

using settings::flagText;

enum class Kind { Flag, Int16, Int32, Size, Text, Colour };

// When a key of the general group is written.
enum class When { Always, NotMinimised, NormalState };

// One value on its way between the store and the window.
struct Value {
    bool flag = false;
    std::int32_t whole = 0; // whole numbers and colours; sizes once read
    float size = 0;         // sizes and positions as written
    QString text;
};

struct Setting {
    std::string_view section;
    std::string_view key;
    Kind kind;
    Value (*current)(FrmMain&);
    // nullptr: the window placement, applied by its own rule.
    void (*apply)(FrmMain&, const Value&);
    When when = When::Always;
};

using F = FrmMain;

// ---- Accessors the tables are built from --------------------------------------

template <bool Options::*M> Value flagOf(F& w) {
    Value v;
    v.flag = w.options().*M;
    return v;
}
template <bool Options::*M> void setFlag(F& w, const Value& v) {
    w.options().*M = v.flag;
}

template <std::int16_t SearchMemory::*M> Value int16Of(F& w) {
    Value v;
    v.whole = w.searchMemory().*M;
    return v;
}
template <std::int16_t SearchMemory::*M> void setInt16(F& w, const Value& v) {
    w.searchMemory().*M = static_cast<std::int16_t>(v.whole);
}

Value sizeOf(std::int32_t twips) {
    Value v;
    v.size = static_cast<float>(twips);
    return v;
}

Failure invalidValue() {
    return Failure(err::InvalidPropertyValue, QStringLiteral("Invalid property value"));
}

// Changes one attribute of the editor's font.
template <typename Change> void changeFont(F& w, Change change) {
    QFont font = w.textBlock()->chosenFont();
    change(font);
    w.textBlock()->setChosenFont(font);
}

QColor paletteText(F& w) {
    return QApplication::palette(w.textBlock()).color(QPalette::Text);
}

// ---- The general group, in reading order --------------------------------------

constexpr std::int32_t WindowNormal = 0, WindowMinimised = 1, WindowMaximised = 2;

// clang-format off
constexpr Setting generalKeys[] = {
    {"Flags", "ReplaceFlagWW", Kind::Int16, int16Of<&SearchMemory::CheckReplaceFlag1>, setInt16<&SearchMemory::CheckReplaceFlag1>},
    {"Flags", "FindFlagWW", Kind::Int16, int16Of<&SearchMemory::CheckFindFlag1>, setInt16<&SearchMemory::CheckFindFlag1>},
    {"Flags", "FindFlagMC", Kind::Int16, int16Of<&SearchMemory::CheckFindFlag2>, setInt16<&SearchMemory::CheckFindFlag2>},
    {"General", "ResizeInfo", Kind::Flag, flagOf<&Options::ResizeCritical>, setFlag<&Options::ResizeCritical>},
    {"General", "DisableSave", Kind::Flag, flagOf<&Options::DisableSaveFile>, setFlag<&Options::DisableSaveFile>},
    {"General", "NoDebug", Kind::Flag, flagOf<&Options::NoDebugFile>, setFlag<&Options::NoDebugFile>},
    {"General", "NormalUnloading", Kind::Flag, flagOf<&Options::UnloadOk>, setFlag<&Options::UnloadOk>},
    {"General", "FirstLoading", Kind::Flag, flagOf<&Options::FirstLoading>, setFlag<&Options::FirstLoading>},
    {"General", "ConfirmChanges", Kind::Flag, flagOf<&Options::PromptChanges>, setFlag<&Options::PromptChanges>},
    {"General", "RecentFile", Kind::Text,
     [](F& w) { Value v; v.text = w.document().RecentFileString; return v; },
     [](F& w, const Value& v) { w.document().RecentFileString = v.text; }},
    {"General", "FormWindowState", Kind::Int16,
     [](F& w) { Value v; v.whole = w.isMaximized() ? WindowMaximised : WindowNormal; return v; },
     nullptr, When::NotMinimised},
    {"General", "FormTop", Kind::Size, [](F& w) { return sizeOf(w.OuterTop()); }, nullptr, When::NormalState},
    {"General", "FormLeft", Kind::Size, [](F& w) { return sizeOf(w.OuterLeft()); }, nullptr, When::NormalState},
    {"General", "FormHeight", Kind::Size, [](F& w) { return sizeOf(w.OuterHeight()); }, nullptr, When::NormalState},
    {"General", "FormWidth", Kind::Size, [](F& w) { return sizeOf(w.OuterWidth()); }, nullptr, When::NormalState},
};
// clang-format on

// The general group is written with the program's own flags first and the check
// boxes of the Find and Replace dialogs after them.
constexpr int generalWriteOrder[] = {3, 4, 5, 6, 7, 8, 0, 1, 2, 9, 10, 11, 12, 13, 14};
constexpr bool isPermutation(const int (&order)[15]) {
    for (int i = 0; i < 15; ++i) {
        int seen = 0;
        for (const int o : order)
            seen += o == i ? 1 : 0;
        if (seen != 1)
            return false;
    }
    return true;
}
static_assert(std::size(generalWriteOrder) == std::size(generalKeys) &&
              isPermutation(generalWriteOrder));

// ---- The view group, in reading, applying and writing order -------------------

// clang-format off
constexpr Setting viewKeys[] = {
    {"Font", "FontName", Kind::Text,
     [](F& w) { Value v; v.text = w.textBlock()->chosenFont().family(); return v; },
     [](F& w, const Value& v) {
         if (v.text.trimmed().isEmpty())
             throw invalidValue();
         changeFont(w, [&](QFont& f) { f.setFamily(v.text); });
     }},
    {"Font", "FontSize", Kind::Size,
     [](F& w) { Value v; v.size = static_cast<float>(w.textBlock()->chosenFont().pointSizeF()); return v; },
     [](F& w, const Value& v) {
         if (v.whole < 1 || v.whole > 2048)
             throw invalidValue();
         changeFont(w, [&](QFont& f) { f.setPointSizeF(v.whole); });
     }},
    {"Font", "FontBold", Kind::Flag,
     [](F& w) { Value v; v.flag = w.textBlock()->chosenFont().bold(); return v; },
     [](F& w, const Value& v) { changeFont(w, [&](QFont& f) { f.setBold(v.flag); }); }},
    {"Font", "FontItalic", Kind::Flag,
     [](F& w) { Value v; v.flag = w.textBlock()->chosenFont().italic(); return v; },
     [](F& w, const Value& v) { changeFont(w, [&](QFont& f) { f.setItalic(v.flag); }); }},
    {"Font", "FontUnderline", Kind::Flag,
     [](F& w) { Value v; v.flag = w.textBlock()->chosenFont().underline(); return v; },
     [](F& w, const Value& v) { changeFont(w, [&](QFont& f) { f.setUnderline(v.flag); }); }},
    {"Font", "FontStrikethru", Kind::Flag,
     [](F& w) { Value v; v.flag = w.textBlock()->chosenFont().strikeOut(); return v; },
     [](F& w, const Value& v) { changeFont(w, [&](QFont& f) { f.setStrikeOut(v.flag); }); }},
    // The system window-text colour follows the palette; it is written back as
    // the system colour for as long as the editor still shows the palette's text
    // colour, whatever changed it in between.
    {"Font", "FontColor", Kind::Colour,
     [](F& w) {
         Value v;
         const QColor colour = w.textBlock()->textColor();
         v.whole = w.options().TextColorIsSystem && colour == paletteText(w) ? settings::SystemWindowText
                                                                   : settings::colourValue(colour);
         return v;
     },
     [](F& w, const Value& v) {
         if (v.whole == settings::SystemWindowText) {
             w.textBlock()->setTextColor(paletteText(w));
             w.options().TextColorIsSystem = true;
         } else {
             w.textBlock()->setTextColor(settings::colourFromValue(v.whole, w.textBlock()->palette()));
             w.options().TextColorIsSystem = false;
         }
     }},
    {"Font", "FontChars", Kind::Int32,
     [](F& w) { Value v; v.whole = w.textBlock()->fontCharSet(); return v; },
     [](F& w, const Value& v) {
         if (v.whole < 0 || v.whole > 255)
             throw invalidValue();
         w.textBlock()->setFontCharSet(v.whole);
     }},
    {"General", "BackColor", Kind::Colour,
     [](F& w) { Value v; v.whole = settings::colourValue(w.textBlock()->backColor()); return v; },
     [](F& w, const Value& v) {
         w.textBlock()->setBackColor(settings::colourFromValue(v.whole, w.textBlock()->palette()));
     }},
    {"General", "ToolBar", Kind::Flag, flagOf<&Options::ToolBar>, setFlag<&Options::ToolBar>},
    {"Font", "QuickBold", Kind::Flag, flagOf<&Options::Bold>, setFlag<&Options::Bold>},
    {"Font", "QuickItalic", Kind::Flag, flagOf<&Options::Italic>, setFlag<&Options::Italic>},
    {"Font", "QuickUnderline", Kind::Flag, flagOf<&Options::Underline>, setFlag<&Options::Underline>},
    {"General", "LimitFileType", Kind::Flag, flagOf<&Options::LimType>, setFlag<&Options::LimType>},
    {"General", "ToolTips", Kind::Flag, flagOf<&Options::TextInf>, setFlag<&Options::TextInf>},
    {"General", "NoToolTips", Kind::Flag, flagOf<&Options::NoToolTip>, setFlag<&Options::NoToolTip>},
    {"General", "ConfirmFileSize", Kind::Flag, flagOf<&Options::LenEn>, setFlag<&Options::LenEn>},
    {"General", "StandartMenu", Kind::Flag, flagOf<&Options::StandardMenu>, setFlag<&Options::StandardMenu>},
    {"General", "TextWindows", Kind::Flag, flagOf<&Options::TextWindows>, setFlag<&Options::TextWindows>},
    {"General", "TextDos", Kind::Flag, flagOf<&Options::TextDos>, setFlag<&Options::TextDos>},
    {"General", "TextKoi", Kind::Flag, flagOf<&Options::TextKoi>, setFlag<&Options::TextKoi>},
    {"General", "SetChars", Kind::Flag, flagOf<&Options::SetChars>, setFlag<&Options::SetChars>},
    {"General", "Transparent", Kind::Flag, flagOf<&Options::Transparent>, setFlag<&Options::Transparent>},
    {"General", "GetMouse", Kind::Flag, flagOf<&Options::GetMouse>, setFlag<&Options::GetMouse>},
    {"General", "StatusBar", Kind::Flag, flagOf<&Options::StatusBar>, setFlag<&Options::StatusBar>},
    // Read into opts.TextAlign; SetAlignment applies it once the window is laid out.
    {"General", "Alignment", Kind::Int32,
     [](F& w) { Value v; v.whole = w.textBlock()->alignmentCode(); return v; },
     [](F& w, const Value& v) { w.options().TextAlign = v.whole; }},
};
// clang-format on

static_assert(std::size(generalKeys) == 15 && std::size(viewKeys) == 26);

template <std::size_t N>
constexpr std::size_t indexOf(const Setting (&table)[N], std::string_view key) {
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i].key == key)
            return i;
    }
    throw "no such key";
}

constexpr std::size_t iState = indexOf(generalKeys, "FormWindowState");
constexpr std::size_t iTop = indexOf(generalKeys, "FormTop");
constexpr std::size_t iLeft = indexOf(generalKeys, "FormLeft");
constexpr std::size_t iHeight = indexOf(generalKeys, "FormHeight");
constexpr std::size_t iWidth = indexOf(generalKeys, "FormWidth");

// ---- Store access --------------------------------------------------------------

QString name(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

Value readValue(const QString& text, Kind kind) {
    Value v;
    switch (kind) {
    case Kind::Flag:
        v.flag = settings::readFlag(text);
        break;
    case Kind::Int16:
        v.whole = settings::readInt16(text);
        break;
    case Kind::Int32:
    case Kind::Size:
    case Kind::Colour:
        v.whole = settings::readInt32(text);
        break;
    case Kind::Text:
        v.text = text;
        break;
    }
    return v;
}

QString valueText(const Value& v, Kind kind) {
    switch (kind) {
    case Kind::Flag:
        return flagText(v.flag);
    case Kind::Int16:
    case Kind::Int32:
    case Kind::Colour:
        return settings::wholeText(v.whole);
    case Kind::Size:
        return settings::sizeText(v.size);
    case Kind::Text:
        return v.text;
    }
    return {};
}

template <std::size_t N>
std::array<Value, N> readGroup(SettingsStore& store, const Setting (&table)[N]) {
    std::array<Value, N> values;
    for (std::size_t i = 0; i < N; ++i)
        values[i] = readValue(store.get(name(table[i].section), name(table[i].key)), table[i].kind);
    return values;
}

const QString FormName = QStringLiteral("FrmMain");

// A refused write is recorded and tried once more; if it is refused again it is
// given up, so closing never waits on a store that refuses everything.
template <typename Write> void writeWithOneRepetition(F& w, Write write) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::optional<Failure> failure = trapFailure(write);
        if (!failure)
            return;
        w.SaveDebug(failure->description(), failure->number(), FormName);
    }
}

void writeSetting(F& w, const Setting& s) {
    const QString text = valueText(s.current(w), s.kind);
    writeWithOneRepetition(
        w, [&] { w.platform().settings().save(name(s.section), name(s.key), text); });
}

// The group's values reach the store's medium together: one write and one sync
// per group, whatever the number of keys.
void commitGroup(F& w) {
    writeWithOneRepetition(w, [&] { w.platform().settings().commit(); });
}

} // namespace

void FrmMain::LoadGeneralSettings() {
    try {
        const auto values = readGroup(platform().settings(), generalKeys);

        for (std::size_t i = 0; i < values.size(); ++i) {
            if (generalKeys[i].apply)
                generalKeys[i].apply(*this, values[i]);
        }

        // The normal placement first, then the state: moving or sizing a window
        // would take it out of the maximised state again.
        SetOuterPosition(values[iLeft].whole, values[iTop].whole);
        // A window too small to use would open with its interface hidden: give
        // it the default placement instead.
        if (values[iHeight].whole < layout::MinimumOuterHeight ||
            values[iWidth].whole < WidthLimitPoint)
            mnuWind_Click();
        else
            SetOuterSize(values[iWidth].whole, values[iHeight].whole);
        BringOntoScreen();

        switch (values[iState].whole) {
        case WindowNormal:
            setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
            break;
        case WindowMinimised:
            setWindowState(windowState() | Qt::WindowMinimized);
            break;
        case WindowMaximised:
            setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
            break;
        default:
            throw invalidValue();
        }
    } catch (const Failure& failure) {
        SaveDebug(failure.description(), failure.number(), FormName);
        SaveGeneralSettings();
    }
    ShowOptionsInMenus();
}

void FrmMain::SaveGeneralSettings() {
    runMarkPending_ = false; // this save carries the mark of a running program
    const bool minimised = isMinimized();
    const bool maximised = isMaximized();
    for (const int i : generalWriteOrder) {
        const Setting& s = generalKeys[i];
        if (s.when == When::NotMinimised && minimised)
            continue;
        if (s.when == When::NormalState && (minimised || maximised))
            continue;
        writeSetting(*this, s);
    }
    commitGroup(*this);
}

void FrmMain::LoadViewSettings() {
    try {
        const auto values = readGroup(platform().settings(), viewKeys);
        for (std::size_t i = 0; i < values.size(); ++i)
            viewKeys[i].apply(*this, values[i]);
    } catch (const Failure& failure) {
        SaveDebug(failure.description(), failure.number(), FormName);
        SaveViewSettings();
    }
    ShowOptionsInMenus();
}

void FrmMain::SaveViewSettings() {
    for (const Setting& s : viewKeys)
        writeSetting(*this, s);
    commitGroup(*this);
}

void FrmMain::mnuPromptChanges_Click() {
    // Not itself one of the changes the question at closing asks about.
    opts.PromptChanges = !opts.PromptChanges;
    ShowOptionsInMenus();
}

} // namespace quillet
