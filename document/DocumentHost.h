// The narrow interfaces between a document and the windows around it.
//
// DocumentHost is what the main window offers every document: the shared state, the status bar,
// message and input boxes, the pop-up menu, the command-state refresh, and the few toolbar and
// swatch controls the document touches. DocumentView is the document's own window: sizes in
// window units, the viewport layout, repaints and the pointer shape. Tests implement both with
// scripted fakes.
#pragma once

#include "base/AppState.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace orv {

class Document;

// Message box styles and answers, as the program's message boxes use them.
namespace Msg {
enum Style : int {
    OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5,
    Critical = 16, Question = 32, Exclamation = 48, Information = 64,
};
enum Answer : int { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
} // namespace Msg

// Pointer shapes a document asks for.
enum class ToolCursor { Arrow, Cross, IBeam, SizeAll, Dropper, Eraser, FloodFill, Spray, Zoom, Pen, Marquee };

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    virtual AppState &state() = 0;
    virtual Document *activeDocument() = 0;

    // Message box with the given style (Msg::Style bits); returns a Msg::Answer.
    virtual int MsgBox(const QString &text, int style, const QString &title) = 0;
    // Input box; returns the answer, or an empty text when cancelled.
    virtual QString InputBox(const QString &prompt, const QString &title, const QString &defaultText) = 0;
    virtual void Beep() = 0;

    // Status bar panel (1-based, as the status bar numbers its panels).
    virtual void setStatusText(int panel, const QString &text) = 0;

    // Command state.
    virtual void CEOD() = 0;
    virtual void UpdateUndoRedo(bool canUndo, bool canRedo) = 0;
    // Standard toolbar buttons that documents read or set ("Transparent", "Filled", "Mirror").
    virtual int ToolbarButtonValue(const QString &key) = 0;
    virtual void SetToolbarButtonValue(const QString &key, int value) = 0;
    virtual void SetPasteEnabled(bool enabled) = 0;
    // A one-shot tool (the dropper, the transparent-colour pick) has handed the current tool
    // back: the tool bar and the property panel show that tool again.
    virtual void ToolResumed() {}

    // The right-button menu at a point of the document window's client area; `mover` asks for
    // the selection menu items (Move shown when `showMove`, OK shown when `showOk`).
    virtual void ShowPopupMenu(Document &doc, QPoint clientPos, bool showMove, bool showOk) = 0;

    // Colour swatches of the colour box.
    virtual void SetForeSwatch(Colour c) = 0;
    virtual void SetBackSwatch(Colour c) = 0;

    // File commands the document's close question calls.
    virtual void mnuFileSaveAs_Click() = 0;

    // The modal text dialog; fills state().text and state().textDialogPending.
    virtual void ShowTextDialog() = 0;

    // The pointer is at (X, Y) of `doc` while the zoom switch is on. The zoom view, when it is
    // shown, makes its magnified copy (Document::PaintZoom) when it next paints, so a burst of
    // moves between two frames costs one copy.
    virtual void ZoomFollow(const Document &doc, float X, float Y) = 0;

    // The system pointer position in screen pixels.
    virtual QPoint GetCursorPos() = 0;
    virtual void SetCursorPos(QPoint p) = 0;

    // Screen metrics: twips per pixel and screen size in pixels.
    virtual int TwipsPerPixelX() { return 15; }
    virtual int TwipsPerPixelY() { return 15; }
    virtual QSize ScreenPixels() { return QSize(1920, 1080); }
};

// The viewport layout of a document window, in pixels of its client area. These are picture
// pixels: at 1:1 one picture pixel is one device pixel, so on a screen with a device pixel ratio
// above 1 they are device pixels, and the window turns them into its logical units.
struct ViewportLayout {
    QSize panel;                 // the viewport (client area)
    QPoint picture;              // Picture1's Left/Top inside the panel
    bool vScrollVisible = false;
    bool hScrollVisible = false;
    QRect vScroll;               // geometry of VScroll1
    QRect hScroll;               // geometry of HScroll1
    int vScrollMax = 0;
    int hScrollMax = 0;
    int vScrollValue = 0;
    int hScrollValue = 0;
    bool cornerVisible = false;  // Label1
    QPoint corner;
    bool operator==(const ViewportLayout &) const = default;
};

class DocumentView {
public:
    virtual ~DocumentView() = default;
    // The window's outer size and client size in (device) pixels, and resizing the window.
    virtual QSize WindowPixels() = 0;
    virtual QSize ClientPixels() = 0;
    virtual void SetWindowPixels(QSize size) = 0;
    virtual int WindowState() = 0;            // 0 normal, 1 minimized, 2 maximized
    virtual int ScrollBarWidth() { return 17; }
    virtual int ScrollBarHeight() { return 17; }
    virtual void ApplyLayout(const ViewportLayout &layout) = 0;
    virtual void RepaintPicture(const QRect &area) = 0;
    virtual void SetCaption(const QString &caption) = 0;
    virtual void SetToolCursor(ToolCursor cursor) = 0;
    virtual void ShowSelectionOutline(bool visible, const QRect &rect) = 0;
    virtual void CloseWindow() = 0;
};

} // namespace orv
