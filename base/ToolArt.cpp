#include "base/ToolArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace orv {

namespace {

// ---------------------------------------------------------------------------------------------
// Colours shared by every icon: a near-black outline, white paper and a few saturated fills.
// Fills run from a lighter tint at the top to the base colour at the bottom.

const QColor kInk(0x1f, 0x23, 0x28);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kPaperShade(0xd9, 0xde, 0xe5);
const QColor kBlue(0x2b, 0x6c, 0xcf);
const QColor kBlueLight(0xb4, 0xd6, 0xfa);
const QColor kRed(0xd6, 0x3c, 0x2c);
const QColor kYellow(0xf7, 0xc8, 0x48);
const QColor kYellowDark(0xd8, 0x9b, 0x1d);
const QColor kGreen(0x3c, 0xa0, 0x4c);
const QColor kGrey(0x88, 0x91, 0x9b);
const QColor kGreyLight(0xcb, 0xd1, 0xd8);
const QColor kWood(0xee, 0xc9, 0x98);
const QColor kBrown(0xb3, 0x76, 0x3f);
const QColor kPink(0xf3, 0xa0, 0xb4);
// The lines the drawing tools put down: a strong blue that reads on light and dark toolbars.
const QColor kStroke(0x2f, 0x75, 0xe0);

// Icons are designed on a 16 x 16 grid (coordinates 0..15, integer positions are pixel centres
// at 16 pixels) and drawn at any size. Straight lines and boxes are snapped to whole pixels so
// they stay crisp at 24 and 32 pixels too; round shapes use exact positions.
class Art {
public:
    explicit Art(QImage &image)
        : S(image.width()), k(S / 16.0), w(std::max(1, qRound(S / 20.0))),
          lw(std::max(w, qRound(S / 16.0 * 1.25))), m_p(&image)
    {
        m_p.setRenderHint(QPainter::Antialiasing);
    }

    const int S;     // picture size in pixels
    const double k;  // pixels per grid unit
    const int w;     // outline width in pixels
    const int lw;    // width of the straight lines the drawing tools show
    // Slanted and round lines need a little more weight to look as strong.
    double slant() const { return std::max(1.5, double(lw)); }

    QPainter &p() { return m_p; }

    // First pixel of the w-wide band a grid line at u covers, and the centre of that band.
    int edge(double u) const { return qRound((u + 0.5) * k - w / 2.0); }
    double at(double u) const { return edge(u) + w / 2.0; }
    QPointF pt(double x, double y) const { return {at(x), at(y)}; }
    // Unsnapped positions and lengths for round shapes.
    double ex(double u) const { return (u + 0.5) * k; }
    QPointF ept(double x, double y) const { return {ex(x), ex(y)}; }
    double len(double u) const { return u * k; }

    // The pixels covered by the grid lines x0..x1 and y0..y1 inclusive.
    QRectF band(double x0, double y0, double x1, double y1) const
    {
        return QRectF(QPointF(edge(x0), edge(y0)), QPointF(edge(x1) + w, edge(y1) + w));
    }

    void fill(double x0, double y0, double x1, double y1, const QBrush &brush)
    {
        m_p.fillRect(band(x0, y0, x1, y1), brush);
    }

    // A crisp rectangle: filled, with an outline of `thick` pixels drawn inside its edge.
    void frame(const QRectF &r, const QBrush &brush, int thick)
    {
        m_p.fillRect(QRectF(r.left(), r.top(), r.width(), thick), brush);
        m_p.fillRect(QRectF(r.left(), r.bottom() - thick, r.width(), thick), brush);
        m_p.fillRect(QRectF(r.left(), r.top(), thick, r.height()), brush);
        m_p.fillRect(QRectF(r.right() - thick, r.top(), thick, r.height()), brush);
    }
    void box(double x0, double y0, double x1, double y1, const QBrush &fillBrush,
             const QColor &line = kInk)
    {
        const QRectF r = band(x0, y0, x1, y1);
        m_p.fillRect(r, fillBrush);
        frame(r, line, w);
    }

    // Closed polygon through snapped grid points, and an open one.
    QPainterPath poly(std::initializer_list<QPointF> points, bool close = true) const
    {
        QPainterPath path;
        bool first = true;
        for (const QPointF &q : points) {
            const QPointF px = pt(q.x(), q.y());
            if (first)
                path.moveTo(px);
            else
                path.lineTo(px);
            first = false;
        }
        if (close)
            path.closeSubpath();
        return path;
    }
    QPainterPath circle(double cx, double cy, double r) const
    {
        QPainterPath path;
        path.addEllipse(ept(cx, cy), len(r), len(r));
        return path;
    }
    QPainterPath ellipse(double cx, double cy, double rx, double ry) const
    {
        QPainterPath path;
        path.addEllipse(ept(cx, cy), len(rx), len(ry));
        return path;
    }

    // Fill a path and outline it in ink.
    void shape(const QPainterPath &path, const QBrush &brush, const QColor &line = kInk)
    {
        m_p.setPen(line.isValid() ? QPen(line, w, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin)
                                  : QPen(Qt::NoPen));
        m_p.setBrush(brush);
        m_p.drawPath(path);
    }
    void stroke(const QPainterPath &path, const QBrush &brush, double width,
                Qt::PenCapStyle cap = Qt::RoundCap, Qt::PenJoinStyle join = Qt::RoundJoin)
    {
        m_p.setPen(QPen(brush, width, Qt::SolidLine, cap, join));
        m_p.setBrush(Qt::NoBrush);
        m_p.drawPath(path);
    }
    // A thick line with an ink edge: the edge pass for all parts first, then the colour pass.
    double tubeWidth() const { return std::max(2, qRound(2 * k)); }
    void tubeEdge(const QPainterPath &path, Qt::PenCapStyle cap = Qt::SquareCap)
    {
        stroke(path, kInk, tubeWidth() + 2 * w, cap, Qt::MiterJoin);
    }
    void tubeCore(const QPainterPath &path, const QBrush &brush, Qt::PenCapStyle cap = Qt::SquareCap)
    {
        stroke(path, brush, tubeWidth(), cap, Qt::MiterJoin);
    }

    // A small white square marking the end of a line, the way the drawing tools show it.
    void handle(double x, double y)
    {
        const int side = 2 * w + std::max(1, qRound(k));
        const QRectF r(qRound(ex(x) - side / 2.0), qRound(ex(y) - side / 2.0), side, side);
        m_p.fillRect(r, kPaper);
        frame(r, kInk, w);
    }

    // Vertical gradient from a lighter tint of `base` at the top of the picture to `base`.
    QBrush shade(const QColor &base, double lift = 150) const
    {
        QLinearGradient g(0, 0, 0, S);
        g.setColorAt(0, base.lighter(static_cast<int>(lift)));
        g.setColorAt(1, base);
        return g;
    }

    // A straight object lying along an axis (a pencil, a dropper): the part from t0 to t1 along
    // the axis, half as wide as hw0 at t0 and hw1 at t1. Positions in grid units.
    QPainterPath along(QPointF start, double angleDeg, double t0, double t1, double hw0,
                       double hw1) const
    {
        const double a = qDegreesToRadians(angleDeg);
        const QPointF d(std::cos(a), std::sin(a));
        const QPointF n(-d.y(), d.x());
        const QPointF s = ept(start.x(), start.y());
        auto at = [&](double t, double h) { return s + d * len(t) + n * len(h); };
        QPainterPath path;
        path.moveTo(at(t0, -hw0));
        path.lineTo(at(t1, -hw1));
        path.lineTo(at(t1, hw1));
        path.lineTo(at(t0, hw0));
        path.closeSubpath();
        return path;
    }
    QPointF onAxis(QPointF start, double angleDeg, double t) const
    {
        const double a = qDegreesToRadians(angleDeg);
        return ept(start.x(), start.y()) + QPointF(std::cos(a), std::sin(a)) * len(t);
    }

    // Marching ants around a rectangle: alternating ink and white dashes.
    void ants(const QRectF &r)
    {
        const int dash = std::max(2, qRound(2 * k));
        const int left = qRound(r.left()), top = qRound(r.top());
        const int right = qRound(r.right()) - 1, bottom = qRound(r.bottom()) - 1;
        const int width = right - left, height = bottom - top;
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                int pos;
                if (y < top + w)
                    pos = x - left;
                else if (x > right - w)
                    pos = width + (y - top);
                else if (y > bottom - w)
                    pos = width + height + (right - x);
                else if (x < left + w)
                    pos = 2 * width + height + (bottom - y);
                else
                    continue;
                m_p.fillRect(QRect(x, y, 1, 1), (pos / dash) % 2 ? kPaper : kInk);
            }
        }
    }

private:
    QPainter m_p;
};

// ---------------------------------------------------------------------------------------------
// Standard toolbar

void drawNew(Art &a)
{
    a.shape(a.poly({{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}}), kPaper);
    a.shape(a.poly({{10, 1}, {10, 4}, {13, 4}}), kPaperShade);
    // A spark in the corner: this page is brand new.
    QPainterPath spark;
    const QPointF c = a.ept(4, 4);
    const double r = a.len(3.2), q = a.len(0.9);
    spark.moveTo(c + QPointF(0, -r));
    spark.lineTo(c + QPointF(q, -q));
    spark.lineTo(c + QPointF(r, 0));
    spark.lineTo(c + QPointF(q, q));
    spark.lineTo(c + QPointF(0, r));
    spark.lineTo(c + QPointF(-q, q));
    spark.lineTo(c + QPointF(-r, 0));
    spark.lineTo(c + QPointF(-q, -q));
    spark.closeSubpath();
    a.shape(spark, kYellow);
}

void drawOpen(Art &a)
{
    a.shape(a.poly({{1, 2}, {5, 2}, {6, 3}, {13, 3}, {13, 13}, {1, 13}}), kYellowDark);
    a.box(3, 5, 11, 10, kPaper);
    a.shape(a.poly({{1, 13}, {3.5, 7}, {15, 7}, {13, 13}}), a.shade(kYellow, 125));
}

void drawSave(Art &a)
{
    a.shape(a.poly({{1, 1}, {12, 1}, {14, 3}, {14, 14}, {1, 14}}), a.shade(kBlue));
    a.box(4, 1, 11, 5, kGreyLight);
    a.fill(8, 2, 9, 4, kInk);
    a.box(3, 8, 12, 14, kPaper);
    a.fill(5, 10, 10, 10, kGreyLight);
    a.fill(5, 12, 10, 12, kGreyLight);
}

void drawPrint(Art &a)
{
    a.box(4, 1, 11, 6, kPaper);
    a.box(1, 5, 14, 11, a.shade(kGrey, 140));
    a.fill(12, 7, 12, 7, QColor(0x6c, 0xe0, 0x6e));
    a.fill(3, 9, 12, 9, kInk);
    a.box(4, 9, 11, 14, kPaper);
    a.fill(6, 11, 9, 11, kGrey);
}

void drawCut(Art &a)
{
    // Two tapered blades crossing at the pivot, handles below.
    auto blade = [&](bool left) {
        const double tipX = left ? 11.5 : 3.5;
        const double baseX = left ? 4.5 : 10.5;
        const QPointF tip = a.ept(tipX, 0.3), base = a.ept(baseX, 10.2);
        const QPointF d = (tip - base) / std::hypot(tip.x() - base.x(), tip.y() - base.y());
        const QPointF n(-d.y(), d.x());
        QPainterPath path;
        path.moveTo(tip);
        path.lineTo(base + n * a.len(1.3));
        path.lineTo(base - n * a.len(1.3));
        path.closeSubpath();
        a.shape(path, a.shade(kGreyLight, 125));
    };
    blade(false);
    blade(true);
    a.shape(a.circle(7.5, 5.6, 0.9), kInk);
    for (double cx : {3.9, 11.1}) {
        const QPainterPath ring = a.circle(cx, 12.4, 2.2);
        a.stroke(ring, kInk, std::max(1, qRound(a.k)) + 2 * a.w);
        a.stroke(ring, kRed, std::max(1, qRound(a.k)));
    }
}

void drawCopy(Art &a)
{
    a.box(1, 1, 9, 11, kPaper);
    a.fill(3, 4, 6, 4, kGrey);
    a.fill(3, 6, 4, 6, kGrey);
    a.box(6, 4, 14, 14, kPaper);
    for (int y : {7, 9, 11})
        a.fill(8, y, 12, y, kBlue);
}

void drawPaste(Art &a)
{
    a.box(2, 2, 12, 14, a.shade(kBrown, 130));
    a.box(5, 1, 9, 3, kGreyLight);
    a.box(7, 6, 14, 15, kPaper);
    for (int y : {9, 11, 13})
        a.fill(9, y, 12, y, kBlue);
}

// A curved arrow pointing left, turning back under itself.
void drawUndo(Art &a)
{
    QLinearGradient g(0, 0, 0, a.S);
    g.setColorAt(0, QColor(0xcf, 0xe6, 0xff));
    g.setColorAt(1, QColor(0x23, 0x63, 0xc9));
    const double r = 3.4, cx = 9.2, cy = 9.3;
    QPainterPath body;
    body.moveTo(a.ept(5.2, cy - r));
    body.lineTo(a.ept(cx, cy - r));
    body.arcTo(QRectF(a.ept(cx - r, cy - r), a.ept(cx + r, cy + r)), 90, -180);
    body.lineTo(a.ept(6.5, cy + r));
    a.tubeEdge(body);
    QPainterPath head;
    head.moveTo(a.ept(0.8, cy - r));
    head.lineTo(a.ept(5.6, cy - r - 4.6));
    head.lineTo(a.ept(5.6, cy - r + 4.6));
    head.closeSubpath();
    a.shape(head, g);
    a.tubeCore(body, g, Qt::FlatCap);
    // The core ends flat; close the far end with a square cap of the fill colour.
    QPainterPath end;
    end.moveTo(a.ept(7, cy + r));
    end.lineTo(a.ept(6.5, cy + r));
    a.tubeCore(end, g, Qt::SquareCap);
}

void drawClear(Art &a)
{
    a.box(1, 2, 14, 13, kPaper);
    QPainterPath x1, x2;
    x1.moveTo(a.ept(4.5, 5));
    x1.lineTo(a.ept(10.5, 10));
    x2.moveTo(a.ept(10.5, 5));
    x2.lineTo(a.ept(4.5, 10));
    a.stroke(x1, kRed, a.tubeWidth(), Qt::FlatCap);
    a.stroke(x2, kRed, a.tubeWidth(), Qt::FlatCap);
}

// The two shape fill styles: the same shape with nothing inside (the checks show through), and
// filled with colour.
QPainterPath fillStyleShape(Art &a)
{
    QPainterPath square;
    square.addRect(QRectF(a.pt(1, 5.5), a.pt(9.5, 14)));
    return square.united(a.circle(9.8, 5.6, 4.6));
}

void drawTransparent(Art &a)
{
    const QPainterPath shape = fillStyleShape(a);
    a.p().save();
    a.p().setClipPath(shape);
    const int cell = std::max(2, qRound(a.k * 2));
    for (int y = 0; y < a.S; y += cell)
        for (int x = 0; x < a.S; x += cell)
            a.p().fillRect(QRect(x, y, cell, cell), ((x + y) / cell) % 2 ? kPaperShade : kPaper);
    a.p().restore();
    a.shape(shape, Qt::NoBrush);
}

void drawFilled(Art &a)
{
    QLinearGradient g(0, a.ex(1), 0, a.ex(14));
    g.setColorAt(0, QColor(0xff, 0xdc, 0x52));
    g.setColorAt(1, QColor(0xe8, 0x4e, 0x2e));
    a.shape(fillStyleShape(a), g);
}

void drawMagnifier(Art &a, double cx, double cy, double r)
{
    const double hx = cx + r * 0.72, hy = cy + r * 0.72;
    QPainterPath handle;
    handle.moveTo(a.ept(hx, hy));
    handle.lineTo(a.ept(14, 14));
    a.tubeEdge(handle, Qt::RoundCap);
    a.tubeCore(handle, kBrown, Qt::RoundCap);
    QLinearGradient g(0, a.ex(cy - r), 0, a.ex(cy + r));
    g.setColorAt(0, kPaper);
    g.setColorAt(1, kBlueLight);
    a.shape(a.circle(cx, cy, r), g);
    QPainterPath glint;
    const double gr = r * 0.62;
    glint.arcMoveTo(QRectF(a.ept(cx - gr, cy - gr), a.ept(cx + gr, cy + gr)), 100);
    glint.arcTo(QRectF(a.ept(cx - gr, cy - gr), a.ept(cx + gr, cy + gr)), 100, 60);
    a.stroke(glint, kBlue, std::max(1.0, a.k * 0.8));
}

void drawZoom(Art &a) { drawMagnifier(a, 6, 6, 5); }

// A dashed vertical axis through the middle of the picture.
void drawAxis(Art &a, double y0, double y1)
{
    for (double y = y0; y <= y1; y += 3)
        a.fill(7, y, 8, std::min(y + 1, y1), kInk);
}

void drawMirror(Art &a)
{
    // Half a heart and its reflection.
    auto half = [&](bool left) {
        auto X = [&](double x) { return left ? x : 15 - x; };
        QPainterPath path;
        path.moveTo(a.ept(X(7.3), 4.2));
        path.cubicTo(a.ept(X(6.2), 1.2), a.ept(X(0.7), 1.2), a.ept(X(0.7), 5.4));
        path.cubicTo(a.ept(X(0.7), 9.0), a.ept(X(4.8), 11.2), a.ept(X(7.3), 14.2));
        path.closeSubpath();
        a.shape(path, left ? a.shade(kRed, 150) : QBrush(kPaper));
    };
    half(true);
    half(false);
    drawAxis(a, 0, 15);
}

void drawTile(Art &a)
{
    a.fill(0, 0, 15, 15, kBlueLight);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            a.shape(a.circle(2.5 + 5 * i, 2.5 + 5 * j, 1.25), kRed, QColor());
    for (int u : {0, 5, 10, 15}) {
        a.fill(u, 0, u, 15, kInk);
        a.fill(0, u, 15, u, kInk);
    }
}

// ---------------------------------------------------------------------------------------------
// Tool toolbar

void drawPencilArt(Art &a)
{
    const QPointF tip(1, 14);
    const double ang = -45, hw = 2.2;
    a.shape(a.along(tip, ang, 0, 4.5, 0, hw), kWood);
    a.shape(a.along(tip, ang, 0, 1.8, 0, hw * 1.8 / 4.5), kInk);
    a.shape(a.along(tip, ang, 4.5, 13.2, hw, hw), a.shade(kYellow, 120));
    QPainterPath stripe;
    stripe.moveTo(a.onAxis(tip, ang, 5.2));
    stripe.lineTo(a.onAxis(tip, ang, 12.6));
    a.stroke(stripe, kYellowDark, std::max(1.0, a.k * 0.9), Qt::FlatCap);
    a.shape(a.along(tip, ang, 13.2, 15, hw, hw), kGreyLight);
    a.shape(a.along(tip, ang, 15, 17.2, hw, hw), kPink);
}

void drawMarquee(Art &a)
{
    a.ants(a.band(1, 3, 14, 12));
    // A small pointer in the corner picks the area.
    QPainterPath arrow;
    arrow.moveTo(a.pt(9, 8));
    arrow.lineTo(a.pt(9, 15));
    arrow.lineTo(a.pt(10.8, 13.2));
    arrow.lineTo(a.pt(12.4, 15));
    arrow.lineTo(a.pt(13.6, 14));
    arrow.lineTo(a.pt(12.2, 12.3));
    arrow.lineTo(a.pt(14.5, 12.3));
    arrow.closeSubpath();
    a.shape(arrow, kPaper);
}

void drawEraser(Art &a)
{
    const QPointF start(1.6, 10.6);
    const double ang = -33, hw = 2.8;
    a.shape(a.along(start, ang, 0, 5, hw, hw), kPaper);
    a.shape(a.along(start, ang, 5, 13.2, hw, hw), a.shade(kPink, 112));
    a.fill(1, 14, 7, 14, kGrey);
}

void drawLineTool(Art &a)
{
    QPainterPath line;
    line.moveTo(a.ept(2, 13));
    line.lineTo(a.ept(13, 2));
    a.stroke(line, kStroke, a.slant());
    a.handle(2, 13);
    a.handle(13, 2);
}

void drawContLine(Art &a)
{
    const QPointF pts[] = {{1.5, 13}, {5, 3.5}, {9.5, 11}, {13.5, 2}};
    QPainterPath line;
    line.moveTo(a.ept(pts[0].x(), pts[0].y()));
    for (int i = 1; i < 4; ++i)
        line.lineTo(a.ept(pts[i].x(), pts[i].y()));
    a.stroke(line, kStroke, a.slant(), Qt::RoundCap, Qt::MiterJoin);
    for (const QPointF &q : pts)
        a.handle(q.x(), q.y());
}

void drawRays(Art &a)
{
    const QPointF o(1.6, 13.4);
    for (int i = 0; i < 4; ++i) {
        const double ang = qDegreesToRadians(30.0 * i);
        QPainterPath ray;
        ray.moveTo(a.ept(o.x(), o.y()));
        ray.lineTo(a.ept(o.x() + 12.6 * std::cos(ang), o.y() - 12.6 * std::sin(ang)));
        a.stroke(ray, kStroke, a.slant());
    }
    a.handle(o.x(), o.y());
}

void drawCircleTool(Art &a)
{
    a.stroke(a.circle(7.5, 7.5, 6.2), kStroke, a.slant());
    a.handle(7.5, 7.5);
    a.handle(13.7, 7.5);
}

void drawEllipseTool(Art &a)
{
    a.stroke(a.ellipse(7.5, 7.5, 6.3, 4.2), kStroke, a.slant());
    a.handle(7.5, 3.3);
    a.handle(13.8, 7.5);
}

void drawRectangleTool(Art &a)
{
    a.frame(a.band(1, 3, 14, 12).adjusted(0, 0, a.lw - a.w, a.lw - a.w), kStroke, a.lw);
    a.handle(1, 3);
    a.handle(14, 12);
}

void drawFill(Art &a)
{
    // A paint bucket leaning right, paint pouring from its rim.
    QPainterPath stream;
    stream.moveTo(a.ept(12.0, 7.6));
    stream.cubicTo(a.ept(14.4, 8.5), a.ept(14.2, 10.5), a.ept(14.1, 12.0));
    a.stroke(stream, kInk, std::max(2, qRound(a.k * 1.4)) + 2 * a.w, Qt::FlatCap);
    QPainterPath drop;
    drop.moveTo(a.ept(14.1, 10.4));
    drop.cubicTo(a.ept(15.2, 12.5), a.ept(15.1, 14.6), a.ept(14.1, 14.6));
    drop.cubicTo(a.ept(13.1, 14.6), a.ept(13.0, 12.5), a.ept(14.1, 10.4));
    a.shape(drop, kBlue);
    a.stroke(stream, kBlue, std::max(2, qRound(a.k * 1.4)), Qt::FlatCap);

    QPainter &p = a.p();
    p.save();
    const QPointF pivot = a.ept(6.2, 9);
    p.translate(pivot);
    p.rotate(32);
    p.translate(-pivot);
    const double top = 5.2, bottom = 13.2;
    QPainterPath handle;
    handle.moveTo(a.ept(2.4, top));
    handle.cubicTo(a.ept(2.4, -1.0), a.ept(10.6, -1.0), a.ept(10.6, top));
    a.stroke(handle, kInk, std::max(1.0, a.k));
    QPainterPath body;
    body.moveTo(a.ept(2.0, top));
    body.lineTo(a.ept(3.2, bottom));
    body.quadTo(a.ept(6.5, bottom + 1.6), a.ept(9.8, bottom));
    body.lineTo(a.ept(11.0, top));
    body.closeSubpath();
    QLinearGradient g(a.ept(2, 0), a.ept(11, 0));
    g.setColorAt(0, kPaper);
    g.setColorAt(1, kGreyLight);
    a.shape(body, g);
    a.shape(a.ellipse(6.5, top, 4.5, 1.5), kBlue);
    p.restore();
}

void drawSpray(Art &a)
{
    a.box(1, 6, 7, 15, a.shade(kRed, 150));
    a.box(1, 9, 7, 12, kPaper);
    a.box(2, 3, 6, 6, kGreyLight);
    a.box(3, 1, 5, 3, kInk);
    const QPoint dots[] = {{8, 1}, {10, 0}, {12, 2}, {9, 4}, {11, 4}, {14, 1}, {13, 5}, {10, 6},
                           {14, 7}, {12, 8}, {9, 8}};
    for (const QPoint &d : dots)
        a.fill(d.x(), d.y(), d.x(), d.y(), (d.x() + d.y()) % 3 ? kInk : kBlue);
}

void drawDropperArt(Art &a)
{
    const QPointF tip(1, 14);
    const double ang = -45;
    a.shape(a.along(tip, ang, 0, 5, 0.45, 1.0), kPaper);
    a.shape(a.along(tip, ang, 5, 10.5, 1.7, 1.7), kPaper);
    a.shape(a.along(tip, ang, 5, 7.8, 1.7, 1.7).united(a.along(tip, ang, 0.4, 5, 0.3, 0.9)),
            kBlue, QColor());
    a.shape(a.along(tip, ang, 10.5, 12.2, 2.7, 2.7), kGrey);
    QPainterPath bulb = a.along(tip, ang, 12.2, 15.5, 2.3, 2.3);
    QPainterPath end;
    const QPointF c = a.onAxis(tip, ang, 15.5);
    end.addEllipse(c, a.len(2.3), a.len(2.3));
    a.shape(bulb.united(end), a.shade(kRed, 135));
}

// The letter A in a dashed text box. The glyph is drawn from straight edges so it is the same
// everywhere, whatever fonts are installed.
void drawText(Art &a)
{
    a.ants(a.band(0, 0, 15, 15));
    auto g = [&](double x, double y) { return QPointF(qRound(x * a.k), qRound(y * a.k)); };
    QPainterPath glyph;
    glyph.moveTo(g(2.5, 13.5));
    glyph.lineTo(g(6.5, 2.5));
    glyph.lineTo(g(9.5, 2.5));
    glyph.lineTo(g(13.5, 13.5));
    glyph.lineTo(g(10.7, 13.5));
    glyph.lineTo(g(9.9, 11));
    glyph.lineTo(g(6.1, 11));
    glyph.lineTo(g(5.3, 13.5));
    glyph.closeSubpath();
    glyph.moveTo(g(6.8, 8.7));
    glyph.lineTo(g(9.2, 8.7));
    glyph.lineTo(g(8, 5));
    glyph.closeSubpath();
    glyph.setFillRule(Qt::OddEvenFill);
    a.shape(glyph, kStroke, QColor());
}

// ---------------------------------------------------------------------------------------------
// Menu icons

void drawOptions(Art &a)
{
    const int teeth = 8;
    const QPointF c = a.ept(7.5, 7.5);
    const double outer = a.len(7.4), root = a.len(5.4);
    QPainterPath gear;
    for (int i = 0; i < teeth; ++i) {
        const double mid = 360.0 / teeth * i + 22.5;
        const double angles[] = {mid - 17, mid - 9, mid + 9, mid + 17};
        const double radii[] = {root, outer, outer, root};
        for (int j = 0; j < 4; ++j) {
            const double t = qDegreesToRadians(angles[j]);
            const QPointF q = c + QPointF(std::cos(t), std::sin(t)) * radii[j];
            if (i == 0 && j == 0)
                gear.moveTo(q);
            else
                gear.lineTo(q);
        }
    }
    gear.closeSubpath();
    gear = gear.subtracted(a.circle(7.5, 7.5, 2.3));
    a.shape(gear, a.shade(kGrey, 160));
}

void drawFlip(Art &a)
{
    a.shape(a.poly({{6, 5}, {6, 14}, {1, 14}}), a.shade(kBlue, 160));
    a.shape(a.poly({{9, 5}, {9, 14}, {14, 14}}), kPaper);
    drawAxis(a, 4, 15);
    // Double-headed arrow over the two halves, its shaft on whole pixels.
    const double yc = qRound(a.ex(1.5) - a.lw / 2.0) + a.lw / 2.0;
    a.p().fillRect(QRectF(QPointF(a.ex(2.5), yc - a.lw / 2.0), QPointF(a.ex(12.5), yc + a.lw / 2.0)),
                   kStroke);
    for (bool left : {true, false}) {
        const double x = a.ex(left ? 0 : 15), dx = a.len(left ? 3 : -3), dy = a.len(1.9);
        QPainterPath head;
        head.moveTo(x, yc);
        head.lineTo(x + dx, yc - dy);
        head.lineTo(x + dx, yc + dy);
        head.closeSubpath();
        a.shape(head, kStroke, QColor());
    }
}

void drawRotate(Art &a)
{
    a.box(5, 5, 10, 10, kPaper);
    a.fill(7, 7, 8, 8, kBlue);
    const double r = 5.4, cx = 7.5, cy = 7.5, end = -10;
    const QRectF rect(a.ept(cx - r, cy - r), a.ept(cx + r, cy + r));
    QPainterPath arc;
    arc.arcMoveTo(rect, 215);
    arc.arcTo(rect, 215, end - 215);
    a.tubeEdge(arc, Qt::FlatCap);
    a.tubeCore(arc, kGreen, Qt::FlatCap);
    // Arrowhead at the end of the arc, pointing on round it (clockwise).
    const double t = qDegreesToRadians(end);
    const QPointF base = a.ept(cx + r * std::cos(t), cy - r * std::sin(t));
    const QPointF radial(std::cos(t), -std::sin(t));
    const QPointF ahead(-radial.y(), radial.x());
    QPainterPath head;
    head.moveTo(base + ahead * a.len(4.2));
    head.lineTo(base + radial * a.len(3.6));
    head.lineTo(base - radial * a.len(3.6));
    head.closeSubpath();
    a.shape(head, kGreen);
}

void drawResize(Art &a)
{
    a.ants(a.band(1, 1, 14, 14));
    a.box(1, 8, 7, 14, a.shade(kBlueLight, 110));
    QPainterPath shaft;
    shaft.moveTo(a.ept(8, 7));
    shaft.lineTo(a.ept(11.2, 3.8));
    a.stroke(shaft, kStroke, a.lw, Qt::FlatCap);
    QPainterPath head;
    head.moveTo(a.ept(12.6, 2.4));
    head.lineTo(a.ept(12.6, 6.9));
    head.lineTo(a.ept(8.1, 2.4));
    head.closeSubpath();
    a.shape(head, kStroke, QColor());
}

void drawCanvas(Art &a)
{
    a.fill(1, 2, 14, 13, a.shade(kBlueLight, 105));
    a.shape(a.circle(10.5, 5, 1.6), kYellow, QColor());
    QPainterPath hills;
    hills.moveTo(a.pt(1, 11));
    hills.lineTo(a.ept(5, 7));
    hills.lineTo(a.ept(8, 10));
    hills.lineTo(a.ept(10.5, 8));
    hills.lineTo(a.pt(14, 11));
    hills.lineTo(a.pt(14, 13));
    hills.lineTo(a.pt(1, 13));
    hills.closeSubpath();
    a.shape(hills, kGreen, QColor());
    a.frame(a.band(1, 2, 14, 13), kInk, a.w);
    a.handle(14, 13);
}

void drawWeb(Art &a)
{
    const QPainterPath globe = a.circle(7.5, 7.5, 6.8);
    a.shape(globe, a.shade(kBlue, 170));
    a.p().save();
    a.p().setClipPath(globe);
    const QColor grid(0xea, 0xf3, 0xff);
    const double gw = a.w;
    a.stroke(a.ellipse(7.5, 7.5, 3.0, 6.8), grid, gw);
    QPainterPath lines;
    lines.moveTo(a.ept(0, 7.5));
    lines.lineTo(a.ept(15, 7.5));
    lines.moveTo(a.ept(7.5, 0));
    lines.lineTo(a.ept(7.5, 15));
    lines.moveTo(a.ept(0, 4.2));
    lines.lineTo(a.ept(15, 4.2));
    lines.moveTo(a.ept(0, 10.8));
    lines.lineTo(a.ept(15, 10.8));
    a.stroke(lines, grid, gw, Qt::FlatCap);
    a.p().restore();
    a.stroke(globe, kInk, a.w);
}

void drawHelp(Art &a)
{
    a.shape(a.circle(7.5, 7.5, 6.9), a.shade(kBlue, 165));
    QPainterPath mark;
    mark.moveTo(a.ept(5.2, 5.6));
    mark.cubicTo(a.ept(5.2, 2.7), a.ept(9.8, 2.7), a.ept(9.8, 5.4));
    mark.cubicTo(a.ept(9.8, 7.2), a.ept(7.5, 7.2), a.ept(7.5, 9.0));
    a.stroke(mark, kPaper, std::max(2.0, a.k * 1.8), Qt::FlatCap);
    a.shape(a.circle(7.5, 11.3, 1.15), kPaper, QColor());
}

void drawAbout(Art &a)
{
    a.shape(a.circle(7.5, 7.5, 6.9), a.shade(kBlue, 165));
    a.shape(a.circle(7.5, 4.1, 1.15), kPaper, QColor());
    a.fill(7, 6.5, 8, 11, kPaper);
    a.fill(6, 6.5, 7, 6.5, kPaper);
    a.fill(6, 11, 9, 11, kPaper);
}

void drawPalette(Art &a)
{
    QPainterPath board = a.ellipse(7.5, 7.8, 7.2, 6.4);
    board = board.subtracted(a.circle(12.2, 12.6, 2.6));
    board = board.subtracted(a.circle(10.6, 9.6, 1.1));
    a.shape(board, a.shade(kWood, 118));
    a.shape(a.circle(3.6, 7.0, 1.35), kRed);
    a.shape(a.circle(6.3, 3.9, 1.35), kYellow);
    a.shape(a.circle(10.2, 4.2, 1.35), kGreen);
    a.shape(a.circle(4.6, 11.0, 1.35), kBlue);
}

// ---------------------------------------------------------------------------------------------

using Painter = void (*)(Art &);

struct IconEntry {
    const char *key;
    Painter paint;
    bool mirror = false; // draw mirrored left to right
    bool turn = false;   // draw with rows and columns swapped
    bool rim = true;     // light rim along the outside of dark ink (not for dashed outlines)
};

const IconEntry kIcons[] = {
    {"New", drawNew},
    {"Open", drawOpen},
    {"Save", drawSave},
    {"Print", drawPrint},
    {"Cut", drawCut},
    {"Copy", drawCopy},
    {"Paste", drawPaste},
    {"Undo", drawUndo},
    {"Redo", drawUndo, true},
    {"Clear", drawClear},
    {"Transparent", drawTransparent},
    {"Filled", drawFilled},
    {"Zoom", drawZoom},
    {"Mirror", drawMirror},
    {"Tile", drawTile},
    {"Pencil", drawPencilArt},
    {"Marquee", drawMarquee, false, false, false},
    {"Eraser", drawEraser},
    {"Line", drawLineTool},
    {"Cont Line", drawContLine},
    {"Rays", drawRays},
    {"Circle", drawCircleTool},
    {"Ellipse1", drawEllipseTool},
    {"Rectangle", drawRectangleTool},
    {"Fill", drawFill},
    {"Spray", drawSpray},
    {"Dropper", drawDropperArt},
    {"Text", drawText, false, false, false},
    {"Options", drawOptions},
    {"FlipH", drawFlip},
    {"FlipV", drawFlip, false, true},
    {"Rotate", drawRotate},
    {"Resize", drawResize, false, false, false},
    {"Canvas", drawCanvas},
    {"Web", drawWeb},
    {"Help", drawHelp},
    {"About", drawAbout},
    {"Palette", drawPalette},
};

const IconEntry *findIcon(const QString &key)
{
    for (const IconEntry &e : kIcons)
        if (key == QLatin1String(e.key))
            return &e;
    return nullptr;
}

double luminance(QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); }

// Puts a soft light rim under the empty pixels next to dark ink, so dark outlines stay visible
// on a dark toolbar. On a light toolbar the rim is nearly invisible.
void addRim(QImage &img)
{
    const QImage src = img.copy();
    const int W = src.width(), H = src.height();
    const double rimAlpha = 0.55;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const QRgb c = src.pixel(x, y);
            if (qAlpha(c) >= 200)
                continue;
            bool nearInk = false;
            for (int dy = -1; dy <= 1 && !nearInk; ++dy)
                for (int dx = -1; dx <= 1 && !nearInk; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if ((dx || dy) && nx >= 0 && ny >= 0 && nx < W && ny < H) {
                        const QRgb n = src.pixel(nx, ny);
                        nearInk = qAlpha(n) >= 160 && luminance(n) < 70;
                    }
                }
            if (!nearInk)
                continue;
            const double sa = qAlpha(c) / 255.0;
            const double oa = sa + rimAlpha * (1 - sa);
            auto mix = [&](int s) { return qRound((s * sa + 255 * rimAlpha * (1 - sa)) / oa); };
            img.setPixel(x, y, qRgba(mix(qRed(c)), mix(qGreen(c)), mix(qBlue(c)), qRound(oa * 255)));
        }
    }
}

} // namespace

QImage ToolbarImage(const QString &key, int size)
{
    const IconEntry *entry = findIcon(key);
    if (!entry || size < 8)
        return QImage();
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        Art art(img);
        entry->paint(art);
    }
    img = img.convertToFormat(QImage::Format_ARGB32);
    if (entry->mirror)
        img = img.mirrored(true, false);
    if (entry->turn)
        img = img.transformed(QTransform(0, 1, 1, 0, 0, 0));
    if (entry->rim)
        addRim(img);
    return img;
}

QIcon ToolbarIcon(const QString &key)
{
    if (!findIcon(key))
        return QIcon();
    QIcon icon;
    for (int size : {16, 24, 32})
        icon.addPixmap(QPixmap::fromImage(ToolbarImage(key, size)));
    return icon;
}

QStringList ToolbarIconKeys()
{
    QStringList keys;
    for (const IconEntry &e : kIcons)
        keys << QString::fromLatin1(e.key);
    return keys;
}

// ---------------------------------------------------------------------------------------------
// Tool pointers: black drawings on 32 x 32 pixels, reduced to black, white and clear, with a
// one-pixel white outline so they show on any colour.

namespace {

struct CursorEntry {
    const char *key;
    void (*paint)(QPainter &);
    QPoint hotSpot;
};

QPainterPath stick(QPointF start, double angleDeg, double t0, double t1, double hw0, double hw1)
{
    const double a = qDegreesToRadians(angleDeg);
    const QPointF d(std::cos(a), std::sin(a)), n(-d.y(), d.x());
    QPainterPath path;
    path.moveTo(start + d * t0 - n * hw0);
    path.lineTo(start + d * t1 - n * hw1);
    path.lineTo(start + d * t1 + n * hw1);
    path.lineTo(start + d * t0 + n * hw0);
    path.closeSubpath();
    return path;
}

void cursorShape(QPainter &p, const QPainterPath &path, const QColor &fill)
{
    p.setPen(QPen(Qt::black, 1.4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

void paintDropperCursor(QPainter &p)
{
    const QPointF tip(1.5, 30.5);
    const double ang = -45;
    cursorShape(p, stick(tip, ang, 0, 9, 0.9, 1.8), Qt::black);
    cursorShape(p, stick(tip, ang, 9, 19, 2.9, 2.9), Qt::white);
    cursorShape(p, stick(tip, ang, 19, 22, 4.6, 4.6), Qt::black);
    QPainterPath bulb = stick(tip, ang, 22, 30, 3.6, 3.6);
    QPainterPath end;
    end.addEllipse(tip + QPointF(std::cos(qDegreesToRadians(ang)), std::sin(qDegreesToRadians(ang))) * 30,
                   3.6, 3.6);
    cursorShape(p, bulb.united(end), Qt::black);
}

void paintEraserCursor(QPainter &p)
{
    p.fillRect(QRect(9, 9, 13, 13), Qt::black);
    p.fillRect(QRect(10, 10, 11, 11), Qt::white);
}

void paintFloodFillCursor(QPainter &p)
{
    // Bucket leaning left; the paint runs down to the hot spot at the lower left.
    QPainterPath run;
    run.moveTo(8.5, 15);
    run.cubicTo(4, 16, 3, 20, 3, 28);
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(run);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(3, 27.5), 2.2, 2.2);
    p.save();
    p.translate(18, 17);
    p.rotate(-35);
    QPainterPath handle;
    handle.moveTo(-8, -7);
    handle.cubicTo(-8, -17, 8, -17, 8, -7);
    p.setPen(QPen(Qt::black, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(handle);
    QPainterPath body;
    body.moveTo(-9, -7);
    body.lineTo(-7, 9);
    body.quadTo(0, 12, 7, 9);
    body.lineTo(9, -7);
    body.closeSubpath();
    cursorShape(p, body, Qt::white);
    QPainterPath rim;
    rim.addEllipse(QPointF(0, -7), 9, 3);
    cursorShape(p, rim, Qt::black);
    p.restore();
}

void paintSprayCursor(QPainter &p)
{
    // Can at the lower right, spraying up to the left; the hot spot is the middle of the cloud.
    p.fillRect(QRect(20, 16, 9, 15), Qt::black);
    p.fillRect(QRect(22, 18, 5, 3), Qt::white);
    p.fillRect(QRect(22, 25, 5, 4), Qt::white);
    p.fillRect(QRect(21, 12, 7, 4), Qt::black);
    p.fillRect(QRect(16, 10, 8, 3), Qt::black);
    const QPoint dots[] = {{7, 7}, {8, 7}, {7, 8}, {8, 8}, {3, 4}, {11, 3}, {5, 11}, {12, 9},
                           {2, 9}, {9, 13}, {14, 6}, {4, 1}, {10, 0}, {1, 14}};
    for (const QPoint &d : dots)
        p.fillRect(QRect(d, QSize(1, 1)), Qt::black);
}

void paintZoomCursor(QPainter &p)
{
    p.setPen(QPen(Qt::black, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 19), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12.5, 12.5), 8.5, 8.5);
    p.fillRect(QRect(9, 12, 7, 1), Qt::black);
    p.fillRect(QRect(12, 9, 1, 7), Qt::black);
}

void paintPenCursor(QPainter &p)
{
    const QPointF tip(1.5, 30.5);
    const double ang = -45;
    cursorShape(p, stick(tip, ang, 0, 8, 0, 3.3), Qt::white);
    cursorShape(p, stick(tip, ang, 0, 3, 0, 1.25), Qt::black);
    cursorShape(p, stick(tip, ang, 8, 27, 3.3, 3.3), Qt::white);
    cursorShape(p, stick(tip, ang, 10, 25, 0.5, 0.5), Qt::black);
    cursorShape(p, stick(tip, ang, 27, 30, 3.3, 3.3), Qt::black);
    cursorShape(p, stick(tip, ang, 30, 36, 3.3, 3.3), Qt::white);
}

void paintMarqueeCursor(QPainter &p)
{
    p.fillRect(QRect(4, 15, 23, 1), Qt::black);
    p.fillRect(QRect(15, 4, 1, 23), Qt::black);
    for (int i = 0; i < 11; ++i) {
        if ((i / 2) % 2)
            continue;
        p.fillRect(QRect(19 + i, 19, 1, 1), Qt::black);
        p.fillRect(QRect(19 + i, 29, 1, 1), Qt::black);
        p.fillRect(QRect(19, 19 + i, 1, 1), Qt::black);
        p.fillRect(QRect(29, 19 + i, 1, 1), Qt::black);
    }
}

const CursorEntry kCursors[] = {
    {"Dropper", paintDropperCursor, {1, 30}},
    {"Eraser", paintEraserCursor, {15, 15}},
    {"FloodFill", paintFloodFillCursor, {3, 29}},
    {"Spray", paintSprayCursor, {7, 7}},
    {"Zoom", paintZoomCursor, {12, 12}},
    {"Pen", paintPenCursor, {1, 30}},
    {"Marquee", paintMarqueeCursor, {15, 15}},
};

const CursorEntry *findCursor(const QString &key)
{
    for (const CursorEntry &e : kCursors)
        if (key == QLatin1String(e.key))
            return &e;
    return nullptr;
}

} // namespace

QImage ToolCursorImage(const QString &key)
{
    const CursorEntry *entry = findCursor(key);
    if (!entry)
        return QImage();
    QImage drawn(32, 32, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    {
        QPainter p(&drawn);
        p.setRenderHint(QPainter::Antialiasing);
        entry->paint(p);
    }
    drawn = drawn.convertToFormat(QImage::Format_ARGB32);
    // Reduce to three values, then ring everything in white.
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb c = drawn.pixel(x, y);
            if (qAlpha(c) >= 128)
                img.setPixel(x, y, luminance(c) < 128 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    // The hot spot is always part of the drawing.
    if (!qAlpha(img.pixel(entry->hotSpot)))
        img.setPixel(entry->hotSpot, qRgb(0, 0, 0));
    const QImage solid = img.copy();
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (qAlpha(solid.pixel(x, y)))
                continue;
            bool touches = false;
            for (int dy = -1; dy <= 1 && !touches; ++dy)
                for (int dx = -1; dx <= 1 && !touches; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    touches = nx >= 0 && ny >= 0 && nx < 32 && ny < 32
                              && qAlpha(solid.pixel(nx, ny)) && qRed(solid.pixel(nx, ny)) == 0;
                }
            if (touches)
                img.setPixel(x, y, qRgb(255, 255, 255));
        }
    return img;
}

QPoint ToolCursorHotSpot(const QString &key)
{
    const CursorEntry *entry = findCursor(key);
    return entry ? entry->hotSpot : QPoint(-1, -1);
}

QCursor ToolCursorFor(const QString &key)
{
    const CursorEntry *entry = findCursor(key);
    if (!entry)
        return QCursor(Qt::CrossCursor);
    return QCursor(QPixmap::fromImage(ToolCursorImage(key)), entry->hotSpot.x(), entry->hotSpot.y());
}

QStringList ToolCursorKeys()
{
    QStringList keys;
    for (const CursorEntry &e : kCursors)
        keys << QString::fromLatin1(e.key);
    return keys;
}

// ---------------------------------------------------------------------------------------------
// Application icon, drawn on a 256 x 256 design; the same shapes and numbers as
// resources/icons/orv-image-editor.svg.

QImage AppIconImage(int size)
{
    if (size <= 0)
        return QImage();
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    const QColor ink(0x1d, 0x20, 0x30);

    QLinearGradient tile(16, 16, 240, 240);
    tile.setColorAt(0, QColor(0x3d, 0x5b, 0xd9));
    tile.setColorAt(1, QColor(0x6a, 0x2f, 0xb8));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(16, 16, 224, 224), 44, 44);

    p.setBrush(QColor(0, 0, 0, 71));
    p.drawRoundedRect(QRectF(60, 52, 152, 168), 10, 10);
    p.setPen(QPen(ink, 4));
    p.setBrush(QColor(0xff, 0xfd, 0xf7));
    p.drawRoundedRect(QRectF(52, 44, 152, 168), 10, 10);

    // The letter O, one brush stroke with a gap where the brush lifts.
    QLinearGradient paint(0, 74, 0, 182);
    paint.setColorAt(0, QColor(0xff, 0xa2, 0x3a));
    paint.setColorAt(1, QColor(0xe5, 0x30, 0x6c));
    QPainterPath o;
    o.moveTo(151, 81.23);
    o.arcTo(QRectF(82, 74, 92, 108), 60, 320);
    p.setPen(QPen(QBrush(paint), 26, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(o);

    // The brush, its tip on the end of the stroke.
    p.translate(171.23, 109.53);
    p.rotate(-52);
    p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    QPainterPath handle;
    handle.moveTo(52, -10);
    handle.lineTo(96, -6);
    handle.quadTo(104, 0, 96, 6);
    handle.lineTo(52, 10);
    handle.closeSubpath();
    p.setBrush(QColor(0xb0, 0x67, 0x3a));
    p.drawPath(handle);
    p.setBrush(QColor(0xcf, 0xd5, 0xde));
    p.drawRect(QRectF(32, -12, 20, 24));
    p.drawLine(QPointF(40, -12), QPointF(40, 12));
    QPainterPath bristles;
    bristles.moveTo(-4, 0);
    bristles.cubicTo(4, -11, 22, -13, 32, -11);
    bristles.lineTo(32, 11);
    bristles.cubicTo(22, 13, 4, 11, -4, 0);
    bristles.closeSubpath();
    p.setBrush(QColor(0xf4, 0x6a, 0x4e));
    p.drawPath(bristles);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

} // namespace orv
