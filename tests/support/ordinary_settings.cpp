#include "support/ordinary_settings.h"

namespace quillet::test {

namespace {

const StoredKey firstRunView[] = {
    {"Font", "FontName", "MS Sans Serif"},  {"Font", "FontSize", "9,75"},
    {"Font", "FontBold", "False"},          {"Font", "FontItalic", "False"},
    {"Font", "FontUnderline", "False"},     {"Font", "FontStrikethru", "False"},
    {"Font", "FontColor", "-2147483640"},   {"Font", "FontChars", "204"},
    {"General", "BackColor", "16777215"},   {"General", "ToolBar", "True"},
    {"Font", "QuickBold", "False"},         {"Font", "QuickItalic", "False"},
    {"Font", "QuickUnderline", "False"},    {"General", "LimitFileType", "True"},
    {"General", "ToolTips", "True"},        {"General", "NoToolTips", "False"},
    {"General", "ConfirmFileSize", "True"}, {"General", "StandartMenu", "False"},
    {"General", "TextWindows", "True"},     {"General", "TextDos", "False"},
    {"General", "TextKoi", "False"},        {"General", "SetChars", "True"},
    {"General", "Transparent", "False"},    {"General", "GetMouse", "False"},
    {"General", "StatusBar", "True"},       {"General", "Alignment", "0"},
};

const StoredKey firstRunGeneral[] = {
    {"Flags", "ReplaceFlagWW", "0"},
    {"Flags", "FindFlagWW", "0"},
    {"Flags", "FindFlagMC", "0"},
    {"General", "ResizeInfo", "False"},
    {"General", "DisableSave", "False"},
    {"General", "NoDebug", "False"},
    {"General", "NormalUnloading", "False"},
    {"General", "FirstLoading", "True"},
    {"General", "ConfirmChanges", "True"},
    {"General", "RecentFile", ""},
    {"General", "FormWindowState", "0"},
    {"General", "FormTop", "3405"},
    {"General", "FormLeft", "4350"},
    {"General", "FormHeight", "8550"},
    {"General", "FormWidth", "10500"},
};

} // namespace

const std::span<const StoredKey> FirstRunViewSettings = firstRunView;
const std::span<const StoredKey> FirstRunGeneralSettings = firstRunGeneral;

void seedOrdinarySettings(MemoryStore& store) {
    // Default placement on 1280x1024 pixels: 19200x15360 twips.
    static const StoredKey general[] = {
        {"Flags", "ReplaceFlagWW", "0"},        {"Flags", "FindFlagWW", "0"},
        {"Flags", "FindFlagMC", "0"},           {"General", "ResizeInfo", "False"},
        {"General", "DisableSave", "False"},    {"General", "NoDebug", "False"},
        {"General", "NormalUnloading", "True"}, {"General", "FirstLoading", "False"},
        {"General", "ConfirmChanges", "True"},  {"General", "RecentFile", ""},
        {"General", "FormWindowState", "0"},    {"General", "FormTop", "3405"},
        {"General", "FormLeft", "4350"},        {"General", "FormHeight", "8550"},
        {"General", "FormWidth", "10500"},
    };
    const auto seed = [&store](std::span<const StoredKey> keys) {
        for (const StoredKey& k : keys)
            store.set(QString::fromLatin1(k.section), QString::fromLatin1(k.key),
                      QString::fromUtf8(k.value));
    };
    seed(general);
    seed(FirstRunViewSettings);
}

} // namespace quillet::test
