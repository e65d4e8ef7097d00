#pragma once

// The menus' underlined letters from any keyboard layout (shell/key_letters.h).

#include <QObject>

class QKeyEvent;
class QMainWindow;
class QWidget;

namespace quillet {

// Watches the main window for Alt+key presses that nothing took (no menu's
// letter as typed, and the editor types nothing with Alt) and opens the menu
// whose letter lies on that key in another layout; and watches each menu, and
// the menu bar while it has the keyboard, for letters that match none of their
// items as typed, handing them on as the letter of the item on the same key.
// Owned by the window.
class MnemonicKeys : public QObject {
public:
    // Watches the window, its menu bar and every menu it holds now.
    explicit MnemonicKeys(QMainWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool openMenuOnKey(const QKeyEvent& key);
    bool chooseItemOnKey(QWidget& menu, const QKeyEvent& key);

    QMainWindow& window_;
};

} // namespace quillet
