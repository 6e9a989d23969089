// Putting the string table's texts on a window.
//
// Every window is built with string ids where its texts go, and its load calls
//
//     bool keepFonts = false;
//     LoadResStrings(this, keepFonts);
//
// once, after all its controls, menus and toolbars exist. The texts of the table (ids 1000 to
// 1249, app/ResStrings.h) then replace the ids. Where the design value holds no id of the
// table, the design text stays: a missing or unknown id is never an error, the routine just
// goes on with the next text (so "0", "", "Register" or an id the table lacks keep the caption
// the window was built with).
//
// Where the ids go, by kind of control:
//
// - The window itself: dynamic property "Tag" holds the id of its title (setTag(this, "1142")).
//
// - QLabel, QPushButton, QGroupBox: "Tag" holds the id of the text (the group box title),
//   "ToolTipText" the id of the tool tip. The whole property must be a number ("1243"; a
//   fraction is rounded): "1243x" is no id and changes nothing.
//
// - Menus: the design caption itself is the id. Build a menu item as
//   `menu->addAction("1015")` and a menu as `menuBar()->addMenu("1000")`; the loader
//   replaces the number by "&Undo", "&File". An item whose caption is not a number (a recent
//   file path, a program name, "Define Brush") keeps it, and the item's "Tag" is never read,
//   so it is free for data. The shortcut of an item is its own (QAction::setShortcut) and is
//   not part of the text. Pop-up menus that are children of the window are treated the same.
//
// - Toolbars (QToolBar): every action of the toolbar gets its tool tip from the id in the
//   action's "ToolTipText" (setToolTipTag(action, "1036")). The tool button of the action is
//   given the same text as accessible name, and an action without a text of its own also
//   gets it as text (an icon-only toolbar keeps showing the icon alone). An action that is
//   also a menu item takes its caption from the menu rule and its tool tip from here.
//
// - QTabWidget: each tab's design caption is its id (addTab(page, "1139")), and a tab tool
//   tip that is a number is replaced the same way; the widget's own "ToolTipText" gives the
//   tool tip of the whole control. The loader selects each tab in turn while it sets the
//   captions, so afterwards the last tab is the current one: a window that wants another tab
//   in front selects it after LoadResStrings.
//
// - A QTabBar of its own (not the one inside a QTabWidget): the ids of the tab captions are in
//   the bar's property "TabTags", a QStringList with one entry per tab in tab order, and those
//   of the tab tool tips in "TabToolTipTexts" (setTabTags, setTabToolTipTags). Entries past
//   the list's end, or that are no id, leave their tab alone.
//
// - QTreeWidget, QTableWidget and other tree and table views: the ids of the column header
//   texts are in the view's property "ColumnTags", a QStringList with one entry per column
//   (setColumnTags).
//
// - Anything else (check boxes, option buttons, tool buttons, custom controls such as the
//   property sliders, stray actions): when the leading numeric value of "Tag" is greater than
//   0 ("1144", or "1144abc" read as 1144), the control's caption becomes that text, and when
//   the leading numeric value of "ToolTipText" is greater than 0, its tool tip does. The
//   caption is the control's Q_PROPERTY "caption" if it declares one, else the text of a
//   button, else the title of a dock window; controls without a caption (line edits, lists)
//   take only the tool tip. So a line edit's contents are never touched.
//
// Fonts: with keepFonts false every control of the window takes the window's font (a font set
// on a single control is overwritten); the window's own font would first be set from strings
// 20 and 21, which the table does not have, so the window keeps its font. With keepFonts true
// (the text dialog, whose samples show their own fonts) no font changes at all. Menus and
// actions have no font of their own here.
//
// Which controls belong to the window: every descendant widget and action in creation order,
// with the items of its menus, menu bars and toolbars (also menus that have no parent). The
// loader does not go into other windows that happen to be children of this one (dialogs,
// document windows inside the workspace); each of those runs LoadResStrings on itself.
#pragma once

#include <QString>
#include <QStringList>

class QAbstractItemView;
class QObject;
class QTabBar;
class QWidget;

namespace orv {

// Puts the string table's texts on `frm` and its controls as described above. `keepFonts` is
// only read; it is passed by reference as the window loads call it.
void LoadResStrings(QWidget *frm, bool &keepFonts);

// Names of the dynamic properties that hold string ids.
inline constexpr char TagProperty[] = "Tag";
inline constexpr char ToolTipTextProperty[] = "ToolTipText";
inline constexpr char TabTagsProperty[] = "TabTags";
inline constexpr char TabToolTipTextsProperty[] = "TabToolTipTexts";
inline constexpr char ColumnTagsProperty[] = "ColumnTags";

// Sets and reads the "Tag" of a window, control or action (setTag(button, "1243")).
void setTag(QObject *object, const QString &tag);
void setTag(QObject *object, int id);
QString tag(const QObject *object);

// Names a control for the string table and the tests, and tags it when it has a text id:
// m_Ok = named(new QPushButton(this), "cmdOK", "1243").
template<typename W>
W *named(W *widget, const char *name, const char *tagId = nullptr)
{
    widget->setObjectName(QLatin1String(name));
    if (tagId)
        setTag(widget, QLatin1String(tagId));
    return widget;
}

// Sets the "ToolTipText" of a control or action (setToolTipTag(action, "1036")).
void setToolTipTag(QObject *object, const QString &tag);
void setToolTipTag(QObject *object, int id);

// Sets the caption and tool tip ids of the tabs of a stand-alone tab bar, one entry per tab.
void setTabTags(QTabBar *bar, const QStringList &tags);
void setTabToolTipTags(QTabBar *bar, const QStringList &tags);

// Sets the ids of the column header texts of a tree or table view, one entry per column.
void setColumnTags(QAbstractItemView *view, const QStringList &tags);

} // namespace orv
