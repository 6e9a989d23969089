// The program's own pictures: toolbar and menu icons, tool pointers and the application icon.
// Icons are SVG files in the resources (resources/icons), drawn on whole pixels at 16, 24 and 32
// pixels; the standard commands follow the desktop's icon theme where it has them. The tool
// pointers are painted in code.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

namespace orv {

// Toolbar and menu icon for a button key ("New", "Open", ..., "Pencil", "Marquee", ...,
// "Options", "Palette"). For the standard commands (New, Open, Save, Print, Cut, Copy, Paste,
// Undo, Redo, Help) the icon theme's picture is used when the theme has one, else the program's
// own; every other key always shows the program's own picture, read at the size it is shown at
// (device pixels on a high-density screen). An unknown key gives a null icon.
QIcon ToolbarIcon(const QString &key);

// The program's own picture of one key at size x size pixels (ARGB32, transparent background),
// whatever the icon theme. Any size from 8 up works; an unknown key gives a null image.
QImage ToolbarImage(const QString &key, int size);

// The freedesktop icon name ToolbarIcon looks up in the theme for a key ("document-new" for
// "New"); empty for keys that always show the program's own picture.
QString ToolbarThemeName(const QString &key);

// Every key ToolbarIcon knows, in toolbar order: standard toolbar, tool toolbar, menu extras.
QStringList ToolbarIconKeys();

// Pointer for a tool: "Dropper", "Eraser", "FloodFill", "Spray", "Zoom", "Pen" or "Marquee".
// An unknown key gives the plain cross pointer.
QCursor ToolCursorFor(const QString &key);

// The 32 x 32 picture of a tool pointer (black drawing with a white outline on a transparent
// background); null for an unknown key.
QImage ToolCursorImage(const QString &key);

// The point of a tool pointer that hits the picture; (-1, -1) for an unknown key.
QPoint ToolCursorHotSpot(const QString &key);

// Every key ToolCursorFor knows.
QStringList ToolCursorKeys();

// The application icon at size x size pixels: a canvas with the letter O painted in one brush
// stroke, the brush still touching its end (resources/icons/orv-image-editor.svg, the same file
// the desktop shows).
QImage AppIconImage(int size);

} // namespace orv
