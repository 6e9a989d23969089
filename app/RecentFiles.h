// The recent-file list: six slots, slot 1 the most recent, each a full path and whether the
// slot is in use.
#pragma once

#include <QString>
#include <array>

namespace orv {

struct RecentSlot {
    QString caption;
    bool visible = false;
};

// Slots 1..6 (index 0 unused, so indexes match the menu items).
using RecentList = std::array<RecentSlot, 7>;

// Puts `path` at the top of the list unless a slot already holds exactly that text (then the
// list is left as it is, not reordered); the entry in slot 6 falls off. Returns true when the
// list changed (the separator above the list then becomes visible).
bool UpdateRecentList(RecentList &list, const QString &path);

// A path as a menu item's text and back: an "&" in a file name is doubled so that the menu
// shows it instead of taking it for a mnemonic.
QString RecentMenuText(const QString &path);
QString RecentPathFromMenuText(const QString &text);

} // namespace orv
