#include "document/Document.h"

#include "base/AppInfo.h"
#include "base/Conversions.h"
#include "base/ImageFiles.h"
#include "base/ResStrings.h"
#include "base/SettingsStore.h"
#include "document/surface/VectorState.h"

#include <algorithm>

namespace orv {

Document::Document(DocumentHost &host) : m_host(host) {}

void Document::setView(DocumentView *view)
{
    m_view = view;
    // Every repaint of Picture1 goes through the document, which keeps the area drawn since
    // Picture1 last equalled Picture2.
    if (view)
        Picture1.setRefreshHandler([this](const QRect &) { refreshPicture(); });
    else
        Picture1.setRefreshHandler({});
}

// ---------------------------------------------------------------------------------------------
// Window life
// ---------------------------------------------------------------------------------------------

void Document::Form_Load()
{
    AppState &st = m_host.state();
    brushHandle = CreateBrushIndirect(st.brush);
    Picture1.SelectObject(brushHandle);
    penHandle = ExtCreatePen(st.pen.style, st.pen.widthX, st.brush);
    Picture1.SelectObject(penHandle);
    Picture1.BackColor = st.backColour;
    m_host.CEOD();
    m_formIzin = true;
}

void Document::StartUp()
{
    // Mirror centre: the middle of the image.
    current.centreX = std::int16_t(Picture1.ScaleWidth() / 2);
    current.centreY = std::int16_t(Picture1.ScaleHeight() / 2);

    // The window takes the image's size: its client area holds the whole image, so every pixel
    // can be reached at 1:1 and the scroll bars' 12-pixel allowance is measured against the client
    // area, not against the window's frame. A minimized or maximized window keeps the size its
    // state gives it.
    if (m_view && m_view->WindowState() == 0) {
        const QSize outer = m_view->WindowPixels();
        const QSize client = m_view->ClientPixels();
        const int frameW = std::max(0, outer.width() - client.width());
        const int frameH = std::max(0, outer.height() - client.height());
        m_view->SetWindowPixels(QSize(frameW + Picture1.ScaleWidth(), frameH + Picture1.ScaleHeight()));
    }

    PicOrg.resize(Picture1.ScaleWidth(), Picture1.ScaleHeight());
    Picture2.resize(Picture1.ScaleWidth(), Picture1.ScaleHeight());
    Picture2.Visible = false;
    PicOrg.copyFrom(Picture1);
    PicOrg.Refresh();

    UpdateUndoRedoUI();
    SnapshotAndSync(Picture1, Picture2, PicOrg, true);

    m_host.state().transparentColour = m_host.state().backColour;
    sub_RESIZE();
}

void Document::Form_Activate()
{
    PicOrg.copyFrom(Picture1);
    UpdateUndoRedoUI();
    m_host.SetToolbarButtonValue(QStringLiteral("Mirror"), MirrorEnabled() ? 1 : 0);
    setMirrorCount(m_host.state().mirrorCount);
}

void Document::Form_Resize()
{
    if (!m_formIzin)
        return;
    m_formIzin = false;
    sub_RESIZE();
    m_formIzin = true;
}

namespace {
// One axis of the layout: the image's offset in the panel, the length left for the scroll bar of
// this axis, and that bar's maximum (steps of 10 pixels), with `bar` pixels taken by the other bar.
struct AxisPlace {
    int picture;
    int barLength;
    int scrollMax;
};

AxisPlace placeAxis(int image, int panel, int bar)
{
    return {CInt((panel - image) / 2.0 - bar), panel - bar, ToInt16((image - panel + bar) / 10.0).value_or(0)};
}
} // namespace

ViewportLayout Document::ComputeLayout(QSize image, QSize panel, int vScrollWidth, int hScrollHeight,
                                       const ViewportLayout &previous, bool first)
{
    ViewportLayout l = previous;
    const int W = image.width();
    const int H = image.height();
    const int pw = panel.width();
    const int ph = panel.height();
    l.panel = panel;

    // The vertical bar narrows the room across, the horizontal bar the room down.
    l.vScrollVisible = H - 12 > ph;
    l.vScroll.setRect(pw - vScrollWidth, 0, vScrollWidth, l.vScroll.height());
    const AxisPlace across = placeAxis(W, pw, l.vScrollVisible ? vScrollWidth : 0);
    l.picture.setX(across.picture);
    l.hScrollMax = across.scrollMax;

    l.hScrollVisible = W - 12 > pw;
    l.hScroll.setRect(0, ph - hScrollHeight, across.barLength, hScrollHeight);
    const AxisPlace down = placeAxis(H, ph, l.hScrollVisible ? hScrollHeight : 0);
    l.picture.setY(down.picture);
    l.vScrollMax = down.scrollMax;
    l.vScroll.setHeight(down.barLength);

    if (first) {
        l.vScrollValue = CInt(-l.picture.y() / 10.0);
        l.hScrollValue = CInt(-l.picture.x() / 10.0);
    } else {
        // Later layouts keep the scroll bars in step with where the image now stands.
        l.vScrollValue = std::clamp(CInt(-l.picture.y() / 10.0), 0, std::max(0, l.vScrollMax));
        l.hScrollValue = std::clamp(CInt(-l.picture.x() / 10.0), 0, std::max(0, l.hScrollMax));
    }

    l.cornerVisible = l.vScrollVisible && l.hScrollVisible;
    l.corner = QPoint(l.vScroll.x(), l.hScroll.y());
    return l;
}

void Document::sub_RESIZE()
{
    if (!m_view)
        return;
    const QSize panel = m_view->ClientPixels();
    m_layout = ComputeLayout(Picture1.size(), panel, m_view->ScrollBarWidth(), m_view->ScrollBarHeight(),
                             m_layout, m_firstLayout);
    m_firstLayout = false;
    m_view->ApplyLayout(m_layout);
}

void Document::HScroll1_Change(int value)
{
    m_layout.hScrollValue = value;
    m_layout.picture.setX(std::int16_t(-10 * value));
    if (m_view)
        m_view->ApplyLayout(m_layout);
}

void Document::VScroll1_Change(int value)
{
    m_layout.vScrollValue = value;
    m_layout.picture.setY(std::int16_t(-10 * value));
    if (m_view)
        m_view->ApplyLayout(m_layout);
}

bool Document::Form_Unload()
{
    SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("Mirror"),
                MirrorEnabled() ? QStringLiteral("True") : QStringLiteral("False"));
    if (m_saveReq) {
        const int answer = m_host.MsgBox(LoadResString(1196), Msg::YesNoCancel | Msg::Question, Caption);
        if (answer == Msg::Cancel)
            return false;
        if (answer == Msg::Yes) {
            if (Tag == QLatin1String("Register")) {
                QString error;
                if (!SavePicture(Picture1.Image(), Caption, &error)) {
                    m_host.MsgBox(error.isEmpty() ? LoadResString(1174) : error, Msg::Critical, LoadResString(1174));
                    return false;   // the picture stays open rather than being lost
                }
                m_saveReq = false;
            } else {
                m_host.mnuFileSaveAs_Click();
                // A cancelled or failed Save As keeps the window, so the picture is not lost.
                if (m_saveReq)
                    return false;
            }
        }
    }
    penHandle = Pen{};
    brushHandle = Brush{};
    return true;
}

// ---------------------------------------------------------------------------------------------
// Commit and history
// ---------------------------------------------------------------------------------------------

void Document::SnapshotAndSync(Surface &source, Surface &copyA, Surface &copyB, bool skip)
{
    if (!skip)
        Undo(3);
    // Through the history, which copies only the tiles that changed when it knows what both
    // surfaces hold.
    m_history.syncCopy(copyB, source);
    m_history.syncCopy(copyA, source);
    // Picture2 equals Picture1 again: the next preview restore has nothing to copy back.
    if (&source == &Picture1 && (&copyA == &Picture2 || &copyB == &Picture2)) {
        refreshPicture();
        markPreviewInSync();
    }
}

void Document::UpdateUndoRedoUI()
{
    if (!m_formIzin)
        return;
    m_formIzin = false;
    m_host.UpdateUndoRedo(m_canUndo, m_canRedo);
    m_formIzin = true;
}

void Document::Refresh()
{
    Picture1.markDirty(QRect(QPoint(0, 0), Picture1.size()));
    refreshPicture();
}

void Document::refreshPicture()
{
    const QRect area = Picture1.takeDirty();
    m_sinceSync |= area;
    if (m_view && !area.isEmpty())
        m_view->RepaintPicture(area);
}

// ---------------------------------------------------------------------------------------------
// Pointer and key dispatch
// ---------------------------------------------------------------------------------------------

int Document::CIntPixel(float v)
{
    return CInt(double(v));
}

QPoint Document::MirrorPoint(int k, QPoint p) const
{
    const int cx = current.centreX;
    const int cy = current.centreY;
    switch (k) {
    case 1: return QPoint(2 * cx - p.x(), p.y());
    case 2: return QPoint(2 * cx - p.x(), 2 * cy - p.y());
    case 3: return QPoint(p.x(), 2 * cy - p.y());
    default: return p;
    }
}

int Document::MirrorEntries() const
{
    if (!MirrorEnabled())
        return 0;
    return std::clamp(2 * int(current.MirrorCount) - 1, 0, 3);
}

void Document::setPointEntries(float X, float Y, bool start)
{
    if (start) {
        current.points[0].startX = X;
        current.points[0].startY = Y;
    } else {
        current.points[0].x = std::int16_t(CIntPixel(X));
        current.points[0].y = std::int16_t(CIntPixel(Y));
    }
    if (!MirrorEnabled())
        return;
    for (int k = 1; k <= 3; ++k) {
        DrawPoint &e = current.points[std::size_t(k)];
        if (start) {
            // Start points mirror the exact press position.
            e.startX = (k == 1 || k == 2) ? 2.0f * current.centreX - X : X;
            e.startY = (k == 2 || k == 3) ? 2.0f * current.centreY - Y : Y;
        } else {
            const QPoint m = MirrorPoint(k, QPoint(current.points[0].x, current.points[0].y));
            e.x = std::int16_t(m.x());
            e.y = std::int16_t(m.y());
        }
    }
}

void Document::Çizim_Başlangıcı_İşlemleri(float X, float Y, bool &KeepPrevious)
{
    if (!m_formIzin)
        return;
    m_formIzin = false;
    drawingStart(X, Y, KeepPrevious);
    m_formIzin = true;
}

void Document::drawingStart(float X, float Y, bool KeepPrevious)
{
    AppState &st = m_host.state();
    // 1. Picture2 is the "before" picture of the stroke.
    Picture2.resize(Picture1.ScaleWidth(), Picture1.ScaleHeight());
    if (!KeepPrevious) {
        BitBlt(Picture2, 0, 0, Picture1.ScaleWidth(), Picture1.ScaleHeight(), Picture1, 0, 0, SRCCOPY);
        refreshPicture();
        markPreviewInSync();
    }
    Picture2.Refresh();
    // 2.-4. Changed, start point, mirror count and entries, previous record.
    m_saveReq = true;
    m_dragStart = QPointF(X, Y);
    current.MirrorCount = st.mirrorCount;
    setPointEntries(X, Y, true);
    setPointEntries(X, Y, false);
    previous = current;
    // 5.-6. Pen and brush records take the stroke colour and the fill mode.
    st.pen.colour = st.drawColour;
    st.brush.colour = st.drawColour;
    if (m_host.ToolbarButtonValue(QStringLiteral("Transparent")) == 1)
        st.brush.style = BS_HOLLOW;
    else if (m_host.ToolbarButtonValue(QStringLiteral("Filled")) == 1)
        st.brush.style = BS_SOLID;
    st.pen.style = PS_SOLID;
    // 7. A new brush and pen for the stroke.
    brushHandle = CreateBrushIndirect(st.brush);
    penHandle = CreatePenIndirect(st.pen);
    Picture1.SelectObject(brushHandle);
    Picture1.SelectObject(penHandle);
    refreshPicture();
    // 8. A selection clips the stroke.
    if (RectHWND)
        Picture1.SelectClipRgn(RectHWND);
}

void Document::RestorePreview()
{
    // The same pixels as a full copy of Picture2, paid only over what was drawn since the two
    // last matched.
    QRect area = previewDirty();
    if (Picture2.size() != Picture1.size())
        area = QRect(QPoint(0, 0), Picture1.size());
    area &= QRect(QPoint(0, 0), Picture1.size());
    if (area.isEmpty())
        return;
    const Region clip = Picture1.clipRegion();
    Picture1.SelectClipRgn(Region());
    BitBlt(Picture1, area.x(), area.y(), area.width(), area.height(), Picture2, area.x(), area.y(), SRCCOPY);
    Picture1.SelectClipRgn(clip);
    // The restored area must still be repainted, but Picture1 now equals Picture2 again.
    const QRect restored = Picture1.takeDirty();
    m_sinceSync = QRect();
    if (m_view && !restored.isEmpty())
        m_view->RepaintPicture(restored);
}

void Document::dispatch(int Button, int Shift, float &X, float &Y, int Phase)
{
    AppState &st = m_host.state();
    const QString tool = st.currentTool;
    auto is = [&tool](const char *name) { return tool == QLatin1String(name); };
    // The selection tools take the point by reference: a point they hold to the image comes
    // back to the caller, and so to the status bar.
    float &x = X;
    float &y = Y;
    if (Phase == 1) {
        if (is("Pencil")) DrawPencil(Button, Shift, X, Y, 1);
        else if (is("Eraser")) DrawEraser(Button, Shift, X, Y, 1);
        else if (is("Spray")) DrawSpray(Button, Shift, X, Y, 1);
        else if (is("Cont Line")) DrawContLine(Button, Shift, X, Y, 1, 1);
        else if (is("Cont Line Step2")) DrawContLine(Button, Shift, X, Y, 1, 2);
        else if (is("Curve")) { if (Button == 1) CurveStart(Button, Shift, X, Y); }
        else if (is("Fill")) FloodFillAt(Button, Shift, X, Y, 1);
        else if (is("Dropper")) PickColor(Button, Shift, X, Y, 1);
        else if (is("Set Transparent Color")) {
            st.transparentColour = Picture1.GetPixel(CIntPixel(X), CIntPixel(Y));
            st.currentTool = st.previousTool;
            st.previousTool.clear();
            m_host.ToolResumed();
        } else if (is("Text")) {
            StampText(Button, Shift, X, Y, 1);
            SnapshotAndSync(Picture1, Picture2, PicOrg, false);
        } else if (is("Marquee")) sub_MARQUEE(Button, Shift, x, y, 1);
        else if (is("Move")) hMOVE(Button, Shift, x, y, 1);
        // "Line", "Rays", the shapes and "Select": the drawing start recorded the start point.
        return;
    }
    if (Phase == 2) {
        if (is("Pencil")) DrawPencil(Button, Shift, X, Y, 2);
        else if (is("Eraser")) DrawEraser(Button, Shift, X, Y, 2);
        else if (is("Spray")) DrawSpray(Button, Shift, X, Y, 2);
        else if (is("Line")) { RestorePreview(); DrawLineShape(Button, Shift, X, Y, 2); }
        else if (is("Rays")) DrawRays(Button, Shift, X, Y, 2);
        else if (is("Rectangle")) { RestorePreview(); DrawRectangleShape(Button, Shift, X, Y, 2); }
        else if (is("Circle")) { RestorePreview(); DrawCircleShape(Button, Shift, X, Y, 2); }
        else if (is("Ellipse1")) { RestorePreview(); DrawEllipseShape(Button, Shift, X, Y, 2, 1); }
        else if (is("Ellipse2")) { RestorePreview(); DrawEllipseShape(Button, Shift, X, Y, 2, 2); }
        else if (is("Cont Line Step2")) { RestorePreview(); DrawContLine(Button, Shift, X, Y, 2, 2); }
        else if (is("Marquee")) { RestorePreview(); sub_MARQUEE(Button, Shift, x, y, 2); }
        else if (is("Move")) { RestorePreview(); hMOVE(Button, Shift, x, y, 2); }
        return;
    }
    if (is("Marquee")) sub_MARQUEE(Button, Shift, x, y, 3);
    else if (is("Move")) hMOVE(Button, Shift, x, y, 3);
}

void Document::Picture1_MouseDown(int Button, int Shift, float X, float Y)
{
    ClearUpperVectorState();
    if (!m_formIzin)
        return;
    m_formIzin = false;
    dropRubberSegment();
    AppState &st = m_host.state();
    // 1. The stroke colour by button; a right press may open the menu instead.
    if (Button == 1) {
        st.drawColour = st.foreColour;
    } else if (Button == 2) {
        if (st.options.PopupMenu) {
            ShowRightButtonMenu(X, Y);
            m_formIzin = true;
            return;
        }
        st.drawColour = st.backColour;
    }
    Picture1.ForeColor = st.drawColour;
    // 2. A marquee press inside the selection drags it.
    if (st.currentTool == QLatin1String("Marquee") && RectHWND && PtInRegion(RectHWND, CIntPixel(X), CIntPixel(Y)))
        st.currentTool = QStringLiteral("Move");
    // 3. The drawing start.
    if (st.currentTool == QLatin1String("Move") || st.currentTool == QLatin1String("Marquee")) {
        drawingStart(X, Y, false);
    } else {
        DropSelection();
        drawingStart(X, Y, true);
    }
    // 4.-5.
    dispatch(Button, Shift, X, Y, 1);
    refreshPicture();
    m_formIzin = true;
}

void Document::Picture1_MouseMove(int Button, int Shift, float X, float Y)
{
    ClearUpperVectorState();
    if (!m_formIzin)
        return;
    m_formIzin = false;
    dropRubberSegment();
    AppState &st = m_host.state();
    if (Button & 1)
        st.drawColour = st.foreColour;
    else if (Button & 2)
        st.drawColour = st.backColour;
    setPointEntries(X, Y, false);
    dispatch(Button, Shift, X, Y, 2);
    m_host.setStatusText(2, QStringLiteral("X : ") + QString::number(double(X), 'g', 7) + QStringLiteral("  Y : ") +
                                QString::number(double(Y), 'g', 7));
    if (st.zoomWindow)
        m_host.ZoomFollow(*this, X, Y);
    refreshPicture();
    previous = current;
    SetToolCursor(X, Y);
    m_formIzin = true;
}

void Document::Picture1_MouseUp(int Button, int Shift, float X, float Y)
{
    ClearUpperVectorState();
    dispatch(Button, Shift, X, Y, 3);
    m_saveReq = true;
    SnapshotAndSync(Picture1, Picture2, PicOrg, false);
    refreshPicture();
}

void Document::Picture1_KeyDown(int KeyCode, int /*Shift*/)
{
    AppState &st = m_host.state();
    const QPoint p = m_host.GetCursorPos();
    switch (KeyCode) {
    case 37: m_host.SetCursorPos(QPoint(p.x() - 1, p.y())); break;
    case 39: m_host.SetCursorPos(QPoint(p.x() + 1, p.y())); break;
    case 38: m_host.SetCursorPos(QPoint(p.x(), p.y() - 1)); break;
    case 40: m_host.SetCursorPos(QPoint(p.x(), p.y() + 1)); break;
    case 27:
        // Esc ends an open continuous line as drawn: its rubber segment goes.
        if (st.currentTool == QLatin1String("Cont Line Step2")) {
            st.currentTool = QStringLiteral("Cont Line");
            dropRubberSegment();
        }
        break;
    case 107:
        if (st.zoomFactor * 1.25 < 20) {
            st.zoomFactor = ToInt16(st.zoomFactor * 1.25 + 0.75).value_or(st.zoomFactor);
            sub_RESIZE();
        }
        break;
    case 109:
        if (st.zoomFactor / 1.25 > 2) {
            st.zoomFactor = ToInt16(st.zoomFactor / 1.25).value_or(st.zoomFactor);
            sub_RESIZE();
        }
        break;
    default: break;
    }
}

void Document::PaintZoom(Surface &zoom, float X, float Y) const
{
    const int f = m_host.state().zoomFactor;
    if (zoom.isNull() || f <= 0)
        return;
    const int hw = zoom.ScaleWidth() / (2 * f);
    const int hh = zoom.ScaleHeight() / (2 * f);
    // The block around the pointer, moved back inside the image where it would cross an edge.
    const int sx = std::max(0, std::min(CIntPixel(X) - hw, Picture1.ScaleWidth() - 2 * hw));
    const int sy = std::max(0, std::min(CIntPixel(Y) - hh, Picture1.ScaleHeight() - 2 * hh));
    StretchBlt(zoom, 0, 0, zoom.ScaleWidth(), zoom.ScaleHeight(), Picture1, sx, sy, 2 * hw, 2 * hh, SRCCOPY);
}

void Document::SetToolCursor(float X, float Y)
{
    if (!m_view)
        return;
    const QString &tool = m_host.state().currentTool;
    ToolCursor c = ToolCursor::Cross;
    if (tool == QLatin1String("Set Transparent Color") || tool == QLatin1String("Dropper"))
        c = ToolCursor::Dropper;
    else if (tool == QLatin1String("Eraser"))
        c = ToolCursor::Eraser;
    else if (tool == QLatin1String("Fill"))
        c = ToolCursor::FloodFill;
    else if (tool == QLatin1String("Spray"))
        c = ToolCursor::Spray;
    else if (tool == QLatin1String("Zoom"))
        c = ToolCursor::Zoom;
    else if (tool == QLatin1String("Text"))
        c = ToolCursor::IBeam;
    else if (tool == QLatin1String("Pencil"))
        c = ToolCursor::Pen;
    else if (tool == QLatin1String("Marquee"))
        c = RectHWND && PtInRegion(RectHWND, CIntPixel(X), CIntPixel(Y)) ? ToolCursor::SizeAll : ToolCursor::Marquee;
    m_view->SetToolCursor(c);
}

} // namespace orv
