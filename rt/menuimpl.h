#pragma once
// Internal: the state of a menu item, and the Qt actions that show it in the menu strip.

#include <QKeySequence>
#include <QPointer>
#include <string>
#include <vector>

#include "rt/menu.h"

class QAction;

namespace rt {

struct MenuItem::Impl {
    std::string text;
    std::string shortcut;
    bool autoEnable = true;
    bool enabled = true;
    // The actions showing the item (for a menu or submenu, its menu action).
    std::vector<QPointer<QAction>> actions;
};

namespace detail {

// "Cmd+R" as Ctrl+R ("Option" is Alt); empty for none.
QKeySequence ShortcutSequence(const std::string& shortcut);
// Caption shown for an item: "&" kept as Qt's mnemonic marker.
QString MenuCaption(const std::string& text);

} // namespace detail
} // namespace rt
