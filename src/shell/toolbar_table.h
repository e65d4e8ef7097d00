#pragma once

// The toolbar in one place: every entry, left to right, with everything the
// window does with it. Building the toolbar, running a pressed button's command,
// its tooltip, the status text while it is held down and when it is offered are
// all read from this table.

#include "view/availability_rules.h"

#include <QIcon>
#include <QStringView>
#include <QVector>

#include <optional>
#include <span>

class QAction;
class QToolBar;
class QToolButton;

namespace quillet {

class FrmMain;

struct ToolbarEntry {
    // The entry's key, also the object name of its action and its button.
    const char* key = "";
    // The picture, 1-based into the toolbar pictures (ImageList1); 0 for a
    // separator.
    int picture = 0;
    // What pressing the button runs; null for a separator.
    void (*command)(FrmMain&) = nullptr;
    // The button's description, which is also its tooltip; empty for a separator.
    const char* description = "";
    // The status-bar text while the button is held down; empty for a separator.
    const char* heldText = "";
    // Whether the button is offered in the given state; nothing: leave it as it
    // is. Null for a button that is always offered (and for a separator).
    Offered offered = nullptr;

    bool separator() const { return command == nullptr; }
};

// Every entry, left to right, separators included.
std::span<const ToolbarEntry> toolbarTable();

// The entry with exactly this key, or null.
const ToolbarEntry* findToolbarEntry(QStringView key);

// Builds the window's toolbar from the table, with the given pictures.
QToolBar* BuildToolbar(FrmMain& window, const QVector<QIcon>& images);

// A toolbar's entry (action) or button by key ("NewBtn", ..., "Space1"
// separators included); null when there is none.
QAction* toolbarEntry(const QToolBar& toolbar, const QString& key);
QToolButton* toolbarButton(const QToolBar& toolbar, const QString& key);

} // namespace quillet
