#include "shell/key_letters.h"

#include <QGuiApplication>

#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>
#include <vector>

namespace quillet::keys {

namespace {

struct StandardKey {
    std::uint32_t keyCode; // X key code
    char16_t latin;
    char16_t russian;
};

// The keys of the standard keyboard that carry a Russian letter.
// clang-format off
constexpr StandardKey standardKeys[] = {
    {49, u'`', u'ё'},
    {24, u'q', u'й'}, {25, u'w', u'ц'}, {26, u'e', u'у'}, {27, u'r', u'к'}, {28, u't', u'е'},
    {29, u'y', u'н'}, {30, u'u', u'г'}, {31, u'i', u'ш'}, {32, u'o', u'щ'}, {33, u'p', u'з'},
    {34, u'[', u'х'}, {35, u']', u'ъ'},
    {38, u'a', u'ф'}, {39, u's', u'ы'}, {40, u'd', u'в'}, {41, u'f', u'а'}, {42, u'g', u'п'},
    {43, u'h', u'р'}, {44, u'j', u'о'}, {45, u'k', u'л'}, {46, u'l', u'д'}, {47, u';', u'ж'},
    {48, u'\'', u'э'},
    {52, u'z', u'я'}, {53, u'x', u'ч'}, {54, u'c', u'с'}, {55, u'v', u'м'}, {56, u'b', u'и'},
    {57, u'n', u'т'}, {58, u'm', u'ь'}, {59, u',', u'б'}, {60, u'.', u'ю'},
};
// clang-format on

QString lettersOf(const StandardKey& key) {
    return QString(QChar(key.latin)) + QChar(key.russian);
}

// Adds each printable character of more, lower-case, that letters lacks.
void addLetters(QString& letters, const QString& more) {
    for (const QChar c : more) {
        const QChar lower = c.toLower();
        if (lower.isPrint() && !lower.isSpace() && !letters.contains(lower))
            letters += lower;
    }
}

template <typename T, void (*Free)(T*)> struct Freed {
    void operator()(T* p) const { Free(p); }
};
using Context = std::unique_ptr<xkb_context, Freed<xkb_context, xkb_context_unref>>;
using Keymap = std::unique_ptr<xkb_keymap, Freed<xkb_keymap, xkb_keymap_unref>>;
using State = std::unique_ptr<xkb_state, Freed<xkb_state, xkb_state_unref>>;

} // namespace

QString standardLetters(std::uint32_t keyCode) {
    for (const StandardKey& key : standardKeys) {
        if (key.keyCode == keyCode)
            return lettersOf(key);
    }
    return {};
}

QString standardLettersOf(QChar character) {
    const QChar lower = character.toLower();
    for (const StandardKey& key : standardKeys) {
        if (lower == QChar(key.latin) || lower == QChar(key.russian))
            return lettersOf(key);
    }
    return {};
}

QString keyLetters(const QString& typed, std::uint32_t keyCode, const QString& keymapLetters) {
    QString letters;
    addLetters(letters, typed);
    if (!keymapLetters.isEmpty())
        addLetters(letters, keymapLetters);
    else if (keyCode != 0)
        addLetters(letters, standardLetters(keyCode));
    else if (typed.size() == 1)
        addLetters(letters, standardLettersOf(typed.at(0)));
    return letters;
}

QChar mnemonicLetter(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) != u'&')
            return caption.at(i + 1).toLower();
        ++i; // "&&": a plain ampersand
    }
    return {};
}

int captionForLetters(const QStringList& captions, const QString& letters) {
    for (const QChar letter : letters) {
        for (qsizetype i = 0; i < captions.size(); ++i) {
            if (mnemonicLetter(captions.at(i)) == letter)
                return int(i);
        }
    }
    return -1;
}

QString keymapLetters(std::uint32_t keyCode) {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || keyCode == 0)
        return {};
    xcb_connection_t* connection = x11->connection();
    if (!connection || !xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION,
                                                    XKB_X11_MIN_MINOR_XKB_VERSION,
                                                    XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr,
                                                    nullptr, nullptr, nullptr))
        return {};
    const std::int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
    if (device < 0)
        return {};
    // The map is read from the server each time: the user may have changed the
    // layouts since the last key, and only an Alt key no menu took, or a key in
    // an open menu that matched no item, comes here.
    const Context context(xkb_context_new(
        xkb_context_flags(XKB_CONTEXT_NO_DEFAULT_INCLUDES | XKB_CONTEXT_NO_ENVIRONMENT_NAMES)));
    if (!context)
        return {};
    const Keymap keymap(xkb_x11_keymap_new_from_device(context.get(), connection, device,
                                                       XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap)
        return {};
    const State state(xkb_x11_state_new_from_device(keymap.get(), connection, device));
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(keymap.get(), keyCode);
    const xkb_layout_index_t active =
        state ? xkb_state_key_get_layout(state.get(), keyCode) : XKB_LAYOUT_INVALID;
    std::vector<xkb_layout_index_t> order;
    if (active < layouts)
        order.push_back(active);
    for (xkb_layout_index_t layout = 0; layout < layouts; ++layout) {
        if (layout != active)
            order.push_back(layout);
    }
    QString letters;
    for (const xkb_layout_index_t layout : order) {
        const xkb_keysym_t* symbols = nullptr;
        const int count =
            xkb_keymap_key_get_syms_by_level(keymap.get(), keyCode, layout, 0, &symbols);
        for (int i = 0; i < count; ++i) {
            const std::uint32_t code = xkb_keysym_to_utf32(symbols[i]);
            if (code != 0 && code < 0x10000)
                addLetters(letters, QString(QChar(char16_t(code))));
        }
    }
    return letters;
}

} // namespace quillet::keys
