#include "shell/mnemonic_keys.h"

#include "shell/key_letters.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace quillet {

namespace {

// Every letter the key may stand for, the one it typed first.
QString lettersOn(const QKeyEvent& key) {
    const std::uint32_t code = key.nativeScanCode();
    return keys::keyLetters(key.text(), code, keys::keymapLetters(code));
}

} // namespace

MnemonicKeys::MnemonicKeys(QMainWindow& window) : QObject(&window), window_(window) {
    window.installEventFilter(this);
    window.menuBar()->installEventFilter(this);
    const QList<QMenu*> menus = window.findChildren<QMenu*>();
    for (QMenu* menu : menus)
        menu->installEventFilter(this);
}

bool MnemonicKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    // Ctrl and Meta make shortcuts, which keep working as they always have.
    if (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier) || key.text().size() != 1 ||
        !key.text().at(0).isPrint())
        return false;
    if (watched == &window_)
        return (key.modifiers() & Qt::AltModifier) && openMenuOnKey(key);
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && chooseItemOnKey(*widget, key);
}

bool MnemonicKeys::openMenuOnKey(const QKeyEvent& key) {
    // The menu bar's letters as typed were looked up as shortcuts before the key
    // came here: only another layout's letter is left to try.
    QList<QAction*> entries;
    QStringList captions;
    const QList<QAction*> actions = window_.menuBar()->actions();
    for (QAction* a : actions) {
        if (a->menu() && a->isVisible() && a->isEnabled()) {
            entries << a;
            captions << a->text();
        }
    }
    const int found = keys::captionForLetters(captions, lettersOn(key));
    if (found < 0)
        return false;
    window_.menuBar()->setActiveAction(entries.at(found));
    return true;
}

bool MnemonicKeys::chooseItemOnKey(QWidget& menu, const QKeyEvent& key) {
    QStringList captions;
    const QList<QAction*> actions = menu.actions();
    for (QAction* a : actions) {
        if (a->isVisible() && !a->isSeparator())
            captions << a->text();
    }
    // A letter that matches an item as typed is the menu's own business.
    if (keys::captionForLetters(captions, key.text().toLower()) >= 0)
        return false;
    const int found = keys::captionForLetters(captions, lettersOn(key));
    if (found < 0)
        return false;
    // The same key press, carrying the item's own letter: the menu then chooses
    // the item (or opens its submenu) as it does for that letter.
    QKeyEvent translated(QEvent::KeyPress, key.key(), key.modifiers(), key.nativeScanCode(),
                         key.nativeVirtualKey(), key.nativeModifiers(),
                         QString(keys::mnemonicLetter(captions.at(found))), key.isAutoRepeat());
    QCoreApplication::sendEvent(&menu, &translated);
    return true;
}

} // namespace quillet
