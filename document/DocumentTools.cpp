// The drawing tools: shapes, freehand, fill, dropper and text.
//
// Every routine draws on Picture1 with the pen and brush that the drawing start selected, and
// repeats its mark for the mirror entries of the drawing state while mirror drawing is on.
// Pointer coordinates arrive as Singles and become pixels by rounding (halves to even); the
// mirror entries hold their current points as integers already and their start points as
// Singles.
#include "document/Document.h"

#include "base/Conversions.h"

#include <cmath>

namespace orv {

namespace {

// Dragged shapes and freehand marks draw only while the left or the right button is held.
bool leftOrRight(int Button)
{
    return (Button & 3) != 0;
}

QPoint entryStart(const DrawPoint &e)
{
    return QPoint(CInt(e.startX), CInt(e.startY));
}

QPoint entryCurrent(const DrawPoint &e)
{
    return QPoint(e.x, e.y);
}

// The ellipse centred on (sx, sy) whose bounding box has the corner (cx, cy).
void centredEllipse(Surface &s, double sx, double sy, double cx, double cy)
{
    s.Ellipse(CInt(2 * sx - cx), CInt(2 * sy - cy), CInt(cx), CInt(cy));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Shapes
// ---------------------------------------------------------------------------------------------

void Document::DrawLineShape(int Button, int, float X, float Y, int Phase)
{
    if (Phase != 2 || !leftOrRight(Button))
        return;
    RestorePreview();
    linesFromDragStart(X, Y);
}

void Document::DrawRays(int Button, int, float X, float Y, int Phase)
{
    if (Phase != 2 || !leftOrRight(Button))
        return;
    // No restore: every move adds one more ray to the fan.
    linesFromDragStart(X, Y);
}

void Document::linesFromDragStart(float X, float Y)
{
    Picture1.MoveToEx(CInt(m_dragStart.x()), CInt(m_dragStart.y()));
    Picture1.LineTo(CInt(X), CInt(Y));
    for (int k = 1; k <= MirrorEntries(); ++k) {
        const DrawPoint &e = current.points[std::size_t(k)];
        const QPoint s = entryStart(e);
        Picture1.MoveToEx(s.x(), s.y());
        Picture1.LineTo(e.x, e.y);
    }
}

void Document::DrawRectangleShape(int Button, int, float X, float Y, int Phase)
{
    if (Phase != 2 || !leftOrRight(Button))
        return;
    Picture1.Rectangle(CInt(m_dragStart.x()), CInt(m_dragStart.y()), CInt(X), CInt(Y));
    for (int k = 1; k <= MirrorEntries(); ++k) {
        const DrawPoint &e = current.points[std::size_t(k)];
        const QPoint s = entryStart(e);
        Picture1.Rectangle(s.x(), s.y(), e.x, e.y);
    }
}

void Document::DrawCircleShape(int Button, int, float X, float Y, int Phase)
{
    if (Phase != 2 || !leftOrRight(Button))
        return;
    const float sx = float(m_dragStart.x());
    const float sy = float(m_dragStart.y());
    const double dx = double(X - sx);
    const double dy = double(Y - sy);
    const int r = CInt(std::sqrt(dx * dx + dy * dy));
    auto circle = [&](double cx, double cy) {
        Picture1.Ellipse(CInt(cx - r), CInt(cy - r), CInt(cx + r), CInt(cy + r));
    };
    circle(sx, sy);
    // The mirrors take the same radius around their own centres.
    for (int k = 1; k <= MirrorEntries(); ++k) {
        const DrawPoint &e = current.points[std::size_t(k)];
        circle(e.startX, e.startY);
    }
}

void Document::DrawEllipseShape(int Button, int, float X, float Y, int Phase, int Kind)
{
    if (Phase != 2 || !leftOrRight(Button))
        return;
    const double sx = m_dragStart.x();
    const double sy = m_dragStart.y();
    if (Kind == 1) {
        // Centred on the press point, the pointer at a corner of the box.
        centredEllipse(Picture1, sx, sy, X, Y);
        for (int k = 1; k <= MirrorEntries(); ++k) {
            const DrawPoint &e = current.points[std::size_t(k)];
            centredEllipse(Picture1, e.startX, e.startY, e.x, e.y);
        }
        return;
    }
    // Inscribed in the box spanned by the press point and the pointer.
    Picture1.Ellipse(CInt(sx), CInt(sy), CInt(X), CInt(Y));
    for (int k = 1; k <= MirrorEntries(); ++k) {
        const DrawPoint &e = current.points[std::size_t(k)];
        const QPoint s = entryStart(e);
        Picture1.Ellipse(s.x(), s.y(), e.x, e.y);
    }
}

void Document::DrawContLine(int Button, int, float X, float Y, int Phase, int Step)
{
    AppState &st = m_host.state();
    if (Step == 1) {
        // The first vertex: nothing is drawn until the pointer moves.
        if (Phase != 1 || Button != 1)
            return;
        st.currentTool = QStringLiteral("Cont Line Step2");
        m_contRubber = true;
        m_contFirstX = ToInt16(CInt(X)).value_or(0);
        m_contFirstY = ToInt16(CInt(Y)).value_or(0);
        return;
    }
    if (Phase == 2) {
        // The rubber segment from the last vertex, only while no button is held.
        if (leftOrRight(Button))
            return;
        const bool gate = m_formIzin;
        m_formIzin = false;
        const QPoint s = entryStart(current.points[0]);
        Picture1.MoveToEx(s.x(), s.y());
        Picture1.LineTo(CInt(X), CInt(Y));
        for (int k = 1; k <= MirrorEntries(); ++k) {
            const DrawPoint &e = current.points[std::size_t(k)];
            const QPoint ms = entryStart(e);
            Picture1.MoveToEx(ms.x(), ms.y());
            Picture1.LineTo(e.x, e.y);
        }
        refreshPicture();
        m_formIzin = gate;
        return;
    }
    if (Phase != 1)
        return;
    // A press adds a vertex; the right button, or a press exactly on the first vertex while
    // closing is on, ends the line as well.
    const int px = CInt(X);
    const int py = CInt(Y);
    const bool onFirst = px == m_contFirstX && py == m_contFirstY;
    if (Button == 2 || (onFirst && st.options.ContLineClose != 0)) {
        st.currentTool = QStringLiteral("Cont Line");
        m_contRubber = false;
        SnapshotAndSync(Picture1, Picture2, PicOrg, false);
        m_host.Beep();
    }
    m_dragStart = QPointF(X, Y);
    current.MirrorCount = st.mirrorCount;
    setPointEntries(X, Y, true);
    current.points[0].startX = float(px);
    current.points[0].startY = float(py);
}

void Document::dropRubberSegment()
{
    if (!m_contRubber || m_host.state().currentTool == QLatin1String("Cont Line Step2"))
        return;
    m_contRubber = false;
    RestorePreview();
    refreshPicture();
}

void Document::CurveStart(int Button, int, float, float)
{
    if (Button != 1)
        return;
    // The curve opens and closes an empty path at the press point: nothing is painted.
    Picture1.BeginPath();
    Picture1.MoveToEx(CInt(m_dragStart.x()), CInt(m_dragStart.y()));
    Picture1.EndPath();
    Picture1.DrawWidth = m_host.state().pen.widthX;
    refreshPicture();
    PicOrg.copyFrom(Picture1);
    m_saveReq = true;
}

// ---------------------------------------------------------------------------------------------
// Freehand
// ---------------------------------------------------------------------------------------------

void Document::DrawPencil(int Button, int, float X, float Y, int Phase)
{
    if (!leftOrRight(Button))
        return;
    const Colour colour = m_host.state().pen.colour;
    if (Phase == 1) {
        // One pixel whatever the pen width.
        Picture1.SetPixel(CInt(X), CInt(Y), colour);
        for (int k = 1; k <= MirrorEntries(); ++k) {
            const QPoint s = entryStart(current.points[std::size_t(k)]);
            Picture1.SetPixel(s.x(), s.y(), colour);
        }
    } else if (Phase == 2) {
        for (int k = 0; k <= MirrorEntries(); ++k) {
            const QPoint from = entryCurrent(previous.points[std::size_t(k)]);
            const QPoint to = entryCurrent(current.points[std::size_t(k)]);
            Picture1.MoveToEx(from.x(), from.y());
            Picture1.LineTo(to.x(), to.y());
        }
    }
}

void Document::DrawEraser(int Button, int, float, float, int Phase)
{
    constexpr int EraserWidth = 14;
    if (Button != 1)
        return;
    const Colour back = m_host.state().backColour;
    if (Phase == 1) {
        const int width = Picture1.DrawWidth;
        Picture1.DrawWidth = EraserWidth;
        for (int k = 0; k <= MirrorEntries(); ++k) {
            const QPoint p = entryCurrent(current.points[std::size_t(k)]);
            Picture1.PSet(p.x(), p.y(), back);
        }
        Picture1.DrawWidth = width;
    } else if (Phase == 2) {
        const int width = Picture1.DrawWidth;
        const int fillStyle = Picture1.FillStyle;
        const Colour fore = Picture1.ForeColor;
        Picture1.DrawWidth = EraserWidth;
        Picture1.ForeColor = back;
        // The surface's own pen of that width and colour draws the band.
        Picture1.SelectObject(Pen{PS_SOLID, EraserWidth, back});
        for (int k = 0; k <= MirrorEntries(); ++k) {
            const QPoint from = entryCurrent(previous.points[std::size_t(k)]);
            const QPoint to = entryCurrent(current.points[std::size_t(k)]);
            Picture1.MoveToEx(from.x(), from.y());
            Picture1.LineTo(to.x(), to.y());
        }
        Picture1.ForeColor = fore;
        Picture1.FillStyle = fillStyle;
        Picture1.DrawWidth = width;
        Picture1.SelectObject(penHandle);
    }
}

double Document::SprayRnd()
{
    // 24 random bits: uniform in [0, 1), never 1.
    return double(m_sprayRandom() >> 8) * (1.0 / 16777216.0);
}

void Document::SprayOnce(float X, float Y)
{
    const AppState &st = m_host.state();
    const int radius = st.spray.radius;
    const int density = st.spray.density;
    const Colour colour = st.drawColour;
    const int mirrors = MirrorEntries();
    for (int i = 0; i < density; ++i) {
        const double r1 = SprayRnd();
        const double r2 = SprayRnd();
        const int dx = CInt(r1 * (2.0 * radius) - radius);
        const int dy = CInt(r2 * (2.0 * radius) - radius);
        // Strictly inside the radius (compared in integers: dx² + dy² < radius²).
        if (radius <= 0 || (long long)dx * dx + (long long)dy * dy >= (long long)radius * radius)
            continue;
        // At the pointer plus the offset, rounded as a whole (a pointer between pixels rounds
        // differently from the sum at halves).
        Picture1.PSet(double(X) + dx, double(Y) + dy, colour);
        // The mirror points repeat the offset as it is.
        for (int k = 1; k <= mirrors; ++k) {
            const DrawPoint &e = current.points[std::size_t(k)];
            Picture1.PSet(e.x + dx, e.y + dy, colour);
        }
    }
    refreshPicture();
    m_saveReq = true;
}

void Document::DrawSpray(int Button, int, float X, float Y, int Phase)
{
    if (!leftOrRight(Button))
        return;
    if (Phase == 1) {
        Picture1.ForeColor = m_host.state().drawColour;
        Picture1.DrawWidth = m_host.state().spray.widthX;
        SprayOnce(X, Y);
    } else if (Phase == 2) {
        SprayOnce(X, Y);
    }
}

// ---------------------------------------------------------------------------------------------
// Fill, dropper, text
// ---------------------------------------------------------------------------------------------

void Document::FloodFillAt(int Button, int, float X, float Y, int Phase)
{
    if (Phase != 1 || (Button != 1 && Button != 2))
        return;
    AppState &st = m_host.state();
    // The brush record stays solid after a fill, so later shapes are filled.
    st.brush.style = BS_SOLID;
    st.brush.colour = st.drawColour;
    brushHandle = CreateBrushIndirect(st.brush);
    Picture1.SelectObject(brushHandle);
    auto fillAt = [this](int x, int y) {
        const Colour under = Picture1.GetPixel(x, y);
        if (under != CLR_INVALID)
            Picture1.ExtFloodFill(x, y, under, FLOODFILLSURFACE);
    };
    fillAt(CInt(X), CInt(Y));
    for (int k = 1; k <= MirrorEntries(); ++k) {
        const DrawPoint &e = current.points[std::size_t(k)];
        fillAt(e.x, e.y);
    }
    refreshPicture();
    // Committed at once: Picture2 and PicOrg hold the filled image.
    Picture2.copyFrom(Picture1);
    PicOrg.copyFrom(Picture1);
    markPreviewInSync();
    m_saveReq = true;
}

void Document::PickColor(int Button, int, float X, float Y, int Phase)
{
    if (Phase != 1 || (Button != 1 && Button != 2))
        return;
    const Colour c = Picture1.GetPixel(CInt(X), CInt(Y));
    // Outside the image there is no colour to take.
    if (c == CLR_INVALID)
        return;
    AppState &st = m_host.state();
    if (Button == 1) {
        st.foreColour = c;
        m_host.SetForeSwatch(c);
    } else {
        st.backColour = c;
        m_host.SetBackSwatch(c);
    }
    st.currentTool = st.previousTool;
    m_host.ToolResumed();
}

void Document::StampText(int Button, int, float X, float Y, int Phase)
{
    if (Phase != 1 || Button != 1)
        return;
    AppState &st = m_host.state();
    m_host.ShowTextDialog();
    Picture1.CurrentX = CInt(X);
    Picture1.CurrentY = CInt(Y);
    if (st.textDialogPending)
        return;   // cancelled
    const TextRecord &t = st.text;
    const Colour fore = Picture1.ForeColor;
    QFont font = Picture1.Font;
    if (!t.fontName.isEmpty())
        font.setFamily(t.fontName);
    if (t.fontSize > 0)
        font.setPointSize(t.fontSize);
    font.setBold(t.bold);
    font.setItalic(t.italic);
    font.setStrikeOut(t.strikethrough);
    font.setUnderline(t.underline);
    Picture1.Font = font;
    Picture1.ForeColor = t.colour;
    Picture1.Print(t.text);
    Picture1.ForeColor = fore;
    refreshPicture();
}

} // namespace orv
