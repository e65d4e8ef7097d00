#include "settings/stored_settings.h"

#include "platform/failure.h"
#include "platform/platform.h"
#include "platform/program_constants.h"

#include <type_traits>

namespace quillet::settings {

namespace {

using G = GeneralValues;
using V = ViewValues;
using O = Options;

// clang-format off
constexpr StoredKey<G> general[] = {
    {"Flags", "ReplaceFlagWW", &G::ReplaceFlagWW, Block::DialogChecks},
    {"Flags", "FindFlagWW", &G::FindFlagWW, Block::DialogChecks},
    {"Flags", "FindFlagMC", &G::FindFlagMC, Block::DialogChecks},
    {"General", "ResizeInfo", &O::ResizeCritical, Block::ProgramFlags},
    {"General", "DisableSave", &O::DisableSaveFile, Block::ProgramFlags},
    {"General", "NoDebug", &O::NoDebugFile, Block::ProgramFlags},
    {"General", "NormalUnloading", &O::UnloadOk, Block::ProgramFlags},
    {"General", "FirstLoading", &O::FirstLoading, Block::ProgramFlags},
    {"General", "ConfirmChanges", &O::PromptChanges, Block::ProgramFlags},
    {"General", "RecentFile", &G::RecentFile, Block::DocumentAndWindow},
    {"General", "FormWindowState", &G::FormWindowState, Block::DocumentAndWindow, Written::NotMinimised, 0, 2},
    {"General", "FormTop", &G::FormTop, Block::DocumentAndWindow, Written::NormalState},
    {"General", "FormLeft", &G::FormLeft, Block::DocumentAndWindow, Written::NormalState},
    {"General", "FormHeight", &G::FormHeight, Block::DocumentAndWindow, Written::NormalState},
    {"General", "FormWidth", &G::FormWidth, Block::DocumentAndWindow, Written::NormalState},
};

// Read, applied and written in this order.
constexpr StoredKey<V> view[] = {
    {"Font", "FontName", &V::FontName, Block::View, Written::Always, 0, 0, false},
    {"Font", "FontSize", &V::FontSize, Block::View, Written::Always, 1, 2048},
    {"Font", "FontBold", &V::FontBold},
    {"Font", "FontItalic", &V::FontItalic},
    {"Font", "FontUnderline", &V::FontUnderline},
    {"Font", "FontStrikethru", &V::FontStrikethru},
    {"Font", "FontColor", &V::FontColor},
    {"Font", "FontChars", &V::FontChars, Block::View, Written::Always, 0, 255},
    {"General", "BackColor", &V::BackColor},
    {"General", "ToolBar", &O::ToolBar},
    {"Font", "QuickBold", &O::Bold},
    {"Font", "QuickItalic", &O::Italic},
    {"Font", "QuickUnderline", &O::Underline},
    {"General", "LimitFileType", &O::LimType},
    {"General", "ToolTips", &O::TextInf},
    {"General", "NoToolTips", &O::NoToolTip},
    {"General", "ConfirmFileSize", &O::LenEn},
    {"General", "StandartMenu", &O::StandardMenu},
    {"General", "TextWindows", &O::TextWindows},
    {"General", "TextDos", &O::TextDos},
    {"General", "TextKoi", &O::TextKoi},
    {"General", "SetChars", &O::SetChars},
    {"General", "Transparent", &O::Transparent},
    {"General", "GetMouse", &O::GetMouse},
    {"General", "StatusBar", &O::StatusBar},
    // Read into TextAlign; written from the editor's alignment.
    {"General", "Alignment", &O::TextAlign},
};
// clang-format on

QString name(const char* text) {
    return QString::fromLatin1(text);
}

// One value from its text, by the type that holds it.
template <typename T> T fromText(const QString& text) {
    if constexpr (std::is_same_v<T, bool>)
        return readFlag(text);
    else if constexpr (std::is_same_v<T, std::int16_t>)
        return readInt16(text);
    else if constexpr (std::is_same_v<T, std::int32_t>)
        return readInt32(text);
    else if constexpr (std::is_same_v<T, double>)
        return readInt32(text); // a stored fraction is rounded away
    else
        return text;
}

template <typename T> QString toText(const T& value) {
    if constexpr (std::is_same_v<T, bool>)
        return flagText(value);
    else if constexpr (std::is_same_v<T, double>)
        return sizeText(static_cast<float>(value));
    else if constexpr (std::is_same_v<T, QString>)
        return value;
    else
        return wholeText(value);
}

// The value a field names: in the options or in the group's own values.
template <typename Field, typename OptionsT, typename Values>
auto& valueOf(Field field, OptionsT& options, Values& values) {
    if constexpr (requires { options.*field; })
        return options.*field;
    else
        return values.*field;
}

template <typename Values>
ReadGroup<Values> readGroup(SettingsStore& store, std::span<const StoredKey<Values>> keys,
                            const Options& current) {
    ReadGroup<Values> read{current, Values()};
    for (const StoredKey<Values>& k : keys) {
        const QString text = store.get(name(k.section), name(k.key));
        std::visit(
            [&](auto field) {
                auto& value = valueOf(field, read.options, read.values);
                value = fromText<std::remove_cvref_t<decltype(value)>>(text);
            },
            k.field);
    }
    return read;
}

template <typename Values>
void takeOptions(std::span<const StoredKey<Values>> keys, const Options& read, Options& options) {
    for (const StoredKey<Values>& k : keys) {
        std::visit(
            [&](auto field) {
                if constexpr (requires { options.*field; })
                    options.*field = read.*field;
            },
            k.field);
    }
}

// A refused write is recorded and tried once more; if it is refused again it is
// given up.
template <typename Write> void writeWithOneRepetition(FailureRecorder& failures, Write write) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::optional<Failure> failure = trapFailure(write);
        if (!failure)
            return;
        failures.record(*failure, MainFormName);
    }
}

template <typename Values>
void writeKey(SettingsStore& store, const StoredKey<Values>& k, const Options& options,
              const Values& values, FailureRecorder& failures) {
    const QString text =
        std::visit([&](auto field) { return toText(valueOf(field, options, values)); }, k.field);
    writeWithOneRepetition(failures, [&] { store.save(name(k.section), name(k.key), text); });
}

// The group's values reach the store's medium together: one write and one sync
// per group, whatever the number of keys.
void commit(SettingsStore& store, FailureRecorder& failures) {
    writeWithOneRepetition(failures, [&] { store.commit(); });
}

Failure invalidValue() {
    return Failure(err::InvalidPropertyValue, QStringLiteral("Invalid property value"));
}

// The key that holds a field of the group's own values.
template <typename Values> const StoredKey<Values>* keyOf(const Field<Values>& field) {
    std::span<const StoredKey<Values>> keys;
    if constexpr (std::is_same_v<Values, GeneralValues>)
        keys = general;
    else
        keys = view;
    for (const StoredKey<Values>& k : keys) {
        if (k.field == field)
            return &k;
    }
    return nullptr;
}

} // namespace

std::span<const StoredKey<GeneralValues>> generalKeys() {
    return general;
}

std::span<const StoredKey<ViewValues>> viewKeys() {
    return view;
}

ReadGroup<GeneralValues> readGeneralSettings(SettingsStore& store, const Options& current) {
    return readGroup<GeneralValues>(store, general, current);
}

ReadGroup<ViewValues> readViewSettings(SettingsStore& store, const Options& current) {
    return readGroup<ViewValues>(store, view, current);
}

void takeGeneralOptions(const Options& read, Options& options) {
    takeOptions<GeneralValues>(general, read, options);
}

void takeViewOptions(const Options& read, Options& options) {
    takeOptions<ViewValues>(view, read, options);
}

template <typename Values, typename T> T checked(const Values& values, T Values::*field) {
    const T value = values.*field;
    const StoredKey<Values>* k = keyOf<Values>(field);
    if (!k)
        return value;
    if constexpr (std::is_same_v<T, QString>) {
        if (!k->mayBeBlank && value.trimmed().isEmpty())
            throw invalidValue();
    } else if constexpr (!std::is_same_v<T, bool>) {
        if (value < k->minimum || value > k->maximum)
            throw invalidValue();
    }
    return value;
}

template QString checked(const ViewValues&, QString ViewValues::*);
template double checked(const ViewValues&, double ViewValues::*);
template std::int32_t checked(const ViewValues&, std::int32_t ViewValues::*);
template std::int16_t checked(const GeneralValues&, std::int16_t GeneralValues::*);

void writeGeneralSettings(SettingsStore& store, const Options& options, const GeneralValues& values,
                          WindowShape shape, FailureRecorder& failures) {
    for (const Block block : {Block::ProgramFlags, Block::DialogChecks, Block::DocumentAndWindow}) {
        for (const StoredKey<GeneralValues>& k : general) {
            if (k.block != block)
                continue;
            if (k.when == Written::NotMinimised && shape == WindowShape::Minimised)
                continue;
            if (k.when == Written::NormalState && shape != WindowShape::Normal)
                continue;
            writeKey(store, k, options, values, failures);
        }
    }
    commit(store, failures);
}

void writeViewSettings(SettingsStore& store, const Options& options, const ViewValues& values,
                       FailureRecorder& failures) {
    for (const StoredKey<ViewValues>& k : view)
        writeKey(store, k, options, values, failures);
    commit(store, failures);
}

} // namespace quillet::settings
