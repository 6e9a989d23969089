// The program's own pictures: toolbar and menu icons, tool pointers and the application icon.
// Everything is painted in code, so the pictures are the same on every desktop and theme.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

namespace orv {

// Toolbar and menu icon for a button key ("New", "Open", ..., "Pencil", "Marquee", ...,
// "Options", "Palette"). The icon holds pictures drawn at 16, 24 and 32 pixels. An unknown key
// gives a null icon.
QIcon ToolbarIcon(const QString &key);

// The picture of one key drawn at size x size pixels (ARGB32, transparent background). Any size
// from 8 up works; an unknown key gives a null image.
QImage ToolbarImage(const QString &key, int size);

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

// The application icon drawn at size x size pixels: a canvas with the letter O painted in one
// brush stroke, the brush still touching its end. resources/icons/orv-image-editor.svg is the
// same design for the desktop.
QImage AppIconImage(int size);

} // namespace orv
