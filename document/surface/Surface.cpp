// The drawing surface: back-buffer management, device-context state, single pixels, the
// device-context shape calls and the runtime operations. Shapes, fills, regions and block
// transfers live in the other files of this folder.
#include "document/surface/Surface.h"
#include "document/surface/SurfaceRaster.h"
#include "document/surface/VectorState.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>
#include <cstring>

#ifdef __linux__
#include <sys/mman.h>
#endif
#include <cstdlib>

namespace orv {

// ---------------------------------------------------------------------------------------------
// Back-buffers
// ---------------------------------------------------------------------------------------------

namespace {

constexpr std::size_t HugePage = std::size_t(2) << 20;

void freeBuffer(void *p)
{
    std::free(p);
}

} // namespace

// A new RGB32 image. Big ones are 2 MiB-aligned and marked for huge pages: freshly allocated
// memory is slow to touch page by page (a new 64 MiB buffer costs some thirty times a copy into
// one that exists), and huge pages take most of that cost away.
QImage NewImageBuffer(int width, int height)
{
    const std::size_t bytes = std::size_t(width) * 4 * std::size_t(height);
    if (width <= 0 || height <= 0 || bytes < HugePage)
        return QImage(width, height, QImage::Format_RGB32);
    const std::size_t rounded = (bytes + HugePage - 1) & ~(HugePage - 1);
    void *p = std::aligned_alloc(HugePage, rounded);
    if (!p)
        return QImage(width, height, QImage::Format_RGB32);
#ifdef __linux__
    madvise(p, rounded, MADV_HUGEPAGE);
#endif
    return QImage(static_cast<uchar *>(p), width, height, qsizetype(width) * 4, QImage::Format_RGB32, freeBuffer, p);
}

// ---------------------------------------------------------------------------------------------
// Pixel helpers
// ---------------------------------------------------------------------------------------------

int roundCoord(double v)
{
    if (!(v == v))   // NaN
        return 0;
    const double r = std::floor(v + 0.5);
    constexpr double lim = double(1 << 28);
    return int(r < -lim ? -lim : (r > lim ? lim : r));
}

// ---------------------------------------------------------------------------------------------
// RasterTarget
// ---------------------------------------------------------------------------------------------

RasterTarget::RasterTarget(Surface &s) : m_s(s)
{
    ClearUpperVectorState();
    if (s.m_px.isNull())
        return;
    m_w = s.m_px.width();
    m_h = s.m_px.height();
    m_whole = {0, m_w};
    m_drawable = QRect(0, 0, m_w, m_h);
    if (s.m_clip) {
        if (!s.m_clipBands)
            s.m_clipBands = ClipBands::build(s.m_clip.region());
        m_clip = s.m_clipBands.get();
        m_drawable &= m_clip->bounds;
    }
}

RasterTarget::~RasterTarget()
{
    if (m_tx0 < m_tx1 && m_ty0 < m_ty1)
    {
        const QRect r(m_tx0, m_ty0, m_tx1 - m_tx0, m_ty1 - m_ty0);
        m_s.m_dirty |= r;
        m_s.m_changed |= r;
    }
}

// ---------------------------------------------------------------------------------------------
// Pens and brushes
// ---------------------------------------------------------------------------------------------

Pen CreatePenIndirect(const LogPen &record)
{
    Pen p;
    p.style = record.style & 0xF;
    p.width = record.widthX > 1 ? record.widthX : 1;
    p.colour = record.colour;
    return p;
}

Pen ExtCreatePen(std::int32_t style, int width, const LogBrush &brush)
{
    Pen p;
    // The low bits hold the line style; the end-cap, join and geometric flags above them do not
    // change how this surface draws.
    p.style = brush.style == BS_HOLLOW ? PS_NULL : (style & 0xF);
    p.width = width > 1 ? width : 1;
    p.colour = brush.colour;
    return p;
}

Brush CreateBrushIndirect(const LogBrush &record)
{
    return Brush{record.style, record.colour};
}

// ---------------------------------------------------------------------------------------------
// Construction and pixels
// ---------------------------------------------------------------------------------------------

Surface::Surface(int width, int height, Colour fill)
{
    if (width > 0 && height > 0) {
        m_px = SurfaceBands::allocate(width, height);
        const std::uint32_t px = ToPixel(fill);
        for (int y = 0; y < height; ++y) {
            std::uint32_t *d = m_px.row(y);
            std::fill(d, d + width, px);
        }
    }
}

Surface::Surface(const QImage &picture)
{
    setPicture(picture);
}

Surface Surface::createMonochrome(int width, int height)
{
    Surface s(width, height, 0);
    s.m_mono = true;
    return s;
}

Surface CreateCompatibleBitmap(const Surface &like, int width, int height)
{
    if (like.isMonochrome())
        return Surface::createMonochrome(width, height);
    return Surface(width, height, 0);
}

Surface CreateBitmap(int width, int height, int planes, int bitsPerPixel)
{
    if (planes == 1 && bitsPerPixel == 1)
        return Surface::createMonochrome(width, height);
    return Surface(width, height, 0);
}

void Surface::resize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_px.width() && height == m_px.height())
        return;
    if (width == 0 || height == 0) {
        m_px = SurfaceBands();
        m_dirty = QRect();
        m_changeEpoch = 0;
        return;
    }
    SurfaceBands next = SurfaceBands::allocate(width, height);
    const std::uint32_t back = m_mono ? monoPixel(ToPixel(BackColor)) : ToPixel(BackColor);
    const int keepW = std::min(width, m_px.width());
    const int keepH = std::min(height, m_px.height());
    for (int y = 0; y < height; ++y) {
        std::uint32_t *d = next.row(y);
        int from = 0;
        if (y < keepH && keepW > 0) {
            std::memcpy(d, m_px.constRow(y), size_t(keepW) * 4);
            from = keepW;
        }
        std::fill(d + from, d + width, back);
    }
    m_px = std::move(next);
    m_dirty = QRect(0, 0, width, height);
    m_changeEpoch = 0;
}

void Surface::setPicture(const QImage &picture)
{
    m_px = SurfaceBands::adopt(picture);
    if (m_mono) {
        for (int y = 0; y < m_px.height(); ++y) {
            std::uint32_t *d = m_px.row(y);
            for (int x = 0; x < m_px.width(); ++x)
                d[x] = monoPixel(d[x]);
        }
    }
    m_dirty = QRect(QPoint(0, 0), m_px.size());
    m_changeEpoch = 0;
}

void Surface::copyFrom(const Surface &other)
{
    if (&other == this)
        return;
    m_px = other.m_px;
    m_dirty = QRect(QPoint(0, 0), m_px.size());
    m_changed = other.m_changed;
    m_changeEpoch = other.m_changeEpoch;
}

std::uint64_t Surface::restartChangeTracking() const
{
    static std::uint64_t next = 0;
    m_changed = QRect();
    m_changeEpoch = ++next;
    return m_changeEpoch;
}

std::uint32_t *Surface::scanLine(int y)
{
    if (y < 0 || y >= m_px.height()) {
        m_changeEpoch = 0;
        return nullptr;
    }
    m_changed |= QRect(0, y, m_px.width(), 1);
    return m_px.row(y);
}

std::uint32_t *Surface::contiguousBits(qsizetype *stride, bool keepPixels)
{
    m_changed |= QRect(QPoint(0, 0), m_px.size());
    return m_px.contiguous(stride, keepPixels);
}

void Surface::shareBand(int i, const SurfaceBands::Band &band)
{
    const int top = i * SurfaceBands::kBandRows;
    m_changed |= QRect(0, top, m_px.width(), band.rows());
    m_px.setBand(i, band);
}

void Surface::drawArea(QPainter &p, const QRect &area) const
{
    const QRect r = area & QRect(QPoint(0, 0), m_px.size());
    if (r.isEmpty())
        return;
    const int first = r.top() >> SurfaceBands::kBandShift;
    const int last = r.bottom() >> SurfaceBands::kBandShift;
    for (int i = first; i <= last; ++i) {
        const int top = i * SurfaceBands::kBandRows;
        const QRect piece = r & QRect(0, top, m_px.width(), SurfaceBands::kBandRows);
        p.drawImage(piece.topLeft(), m_px.band(i).image, piece.translated(0, -top));
    }
}

// ---------------------------------------------------------------------------------------------
// Device-context state
// ---------------------------------------------------------------------------------------------

void Surface::SelectClipRgn(const Region &rgn)
{
    m_clip = rgn;
    // The band index is built on the first drawing operation that needs it.
    m_clipBands.reset();
}

Colour Surface::SetBkColor(Colour c)
{
    const Colour old = m_bkColour;
    m_bkColour = c;
    return old;
}

Colour Surface::SetTextColor(Colour c)
{
    const Colour old = m_textColour;
    m_textColour = c;
    return old;
}

QRect Surface::takeDirty()
{
    const QRect r = m_dirty;
    m_dirty = QRect();
    return r;
}

void Surface::Refresh()
{
    if (m_onRefresh)
        m_onRefresh(m_dirty);
}

// ---------------------------------------------------------------------------------------------
// Device-context drawing
// ---------------------------------------------------------------------------------------------

Colour Surface::GetPixel(int x, int y) const
{
    if (m_px.isNull() || x < 0 || y < 0 || x >= m_px.width() || y >= m_px.height())
        return CLR_INVALID;
    return FromPixel(rgbOf(constScanLine(y)[x]));
}

Colour Surface::SetPixel(int x, int y, Colour c)
{
    RasterTarget t(*this);
    if (!t.visible(x, y))
        return CLR_INVALID;
    const std::uint32_t px = t.pixelFor(c);
    t.row(y)[x] = px;
    t.touch(y, x, x + 1);
    return FromPixel(rgbOf(px));
}

bool Surface::SetPixelV(int x, int y, Colour c)
{
    return SetPixel(x, y, c) != CLR_INVALID;
}

QPoint Surface::MoveToEx(int x, int y)
{
    const QPoint old = m_pos;
    m_pos = QPoint(x, y);
    return old;
}

bool Surface::LineTo(int x, int y)
{
    const QPoint from = m_pos;
    m_pos = QPoint(x, y);
    if (m_px.isNull())
        return false;
    if (m_pathOpen || m_pen.style == PS_NULL)
        return true;
    RasterTarget t(*this);
    const std::uint32_t px = t.pixelFor(m_pen.colour);
    if (m_pen.width <= 1)
        shapes::thinLine(t, from.x(), from.y(), x, y, false, px);
    else
        shapes::wideLine(t, from.x(), from.y(), x, y, m_pen.width, px);
    return true;
}

bool Surface::closedShape(ClosedShape shape, int left, int top, int right, int bottom)
{
    if (m_px.isNull())
        return false;
    if (m_pathOpen)
        return true;
    RasterTarget t(*this);
    const int penWidth = m_pen.style == PS_NULL ? 0 : std::max(m_pen.width, 1);
    shape(t, left, top, right, bottom, penWidth, t.pixelFor(m_pen.colour), !m_brush.hollow(),
          t.pixelFor(m_brush.colour));
    return true;
}

bool Surface::Rectangle(int left, int top, int right, int bottom)
{
    return closedShape(shapes::box, left, top, right, bottom);
}

bool Surface::Ellipse(int left, int top, int right, int bottom)
{
    return closedShape(shapes::ellipse, left, top, right, bottom);
}

bool Surface::FillRgn(const Region &rgn, const Brush &brush)
{
    if (m_px.isNull() || !rgn)
        return false;
    if (brush.hollow())
        return true;
    RasterTarget t(*this);
    const std::uint32_t px = t.pixelFor(brush.colour);
    const QRect area = rgn.boundingRect() & t.drawable();
    if (area.isEmpty())
        return true;
    for (const QRect &r : rgn.region()) {
        const int y0 = std::max(r.top(), area.top());
        const int y1 = std::min(r.bottom(), area.bottom());
        for (int y = y0; y <= y1; ++y)
            t.fillSpan(y, r.left(), r.right() + 1, px);
    }
    return true;
}

bool Surface::PaintRgn(const Region &rgn)
{
    return FillRgn(rgn, m_brush);
}

// ---------------------------------------------------------------------------------------------
// Runtime operations
// ---------------------------------------------------------------------------------------------

void Surface::Cls()
{
    CurrentX = 0;
    CurrentY = 0;
    if (m_px.isNull())
        return;
    RasterTarget t(*this);
    const std::uint32_t px = t.pixelFor(BackColor);
    const QRect area = t.drawable();
    for (int y = area.top(); y <= area.bottom(); ++y)
        t.fillSpan(y, area.left(), area.right() + 1, px);
}

void Surface::PSet(double x, double y)
{
    PSet(x, y, ForeColor);
}

void Surface::PSet(double x, double y, Colour c)
{
    CurrentX = x;
    CurrentY = y;
    if (m_px.isNull())
        return;
    const int px = roundCoord(x);
    const int py = roundCoord(y);
    RasterTarget t(*this);
    if (DrawWidth <= 1)
        t.fillSpan(py, px, px + 1, t.pixelFor(c));
    else
        shapes::wideLine(t, px, py, px, py, DrawWidth, t.pixelFor(c));
}

Colour Surface::Point(double x, double y) const
{
    return GetPixel(roundCoord(x), roundCoord(y));
}

void Surface::Line(double x1, double y1, double x2, double y2, Colour c, bool box, bool filled)
{
    CurrentX = x2;
    CurrentY = y2;
    if (m_px.isNull())
        return;
    const int ax = roundCoord(x1), ay = roundCoord(y1);
    const int bx = roundCoord(x2), by = roundCoord(y2);
    RasterTarget t(*this);
    const std::uint32_t px = t.pixelFor(c);
    const int width = std::max(DrawWidth, 1);
    if (box || filled) {
        const int l = std::min(ax, bx), r = std::max(ax, bx) + 1;
        const int top = std::min(ay, by), b = std::max(ay, by) + 1;
        shapes::box(t, l, top, r, b, width, px, filled, px);
    } else if (width <= 1) {
        shapes::thinLine(t, ax, ay, bx, by, true, px);
    } else {
        shapes::wideLine(t, ax, ay, bx, by, width, px);
    }
}

void Surface::PaintPicture(const QImage &picture, double x, double y, double w, double h, double sx, double sy,
                           double sw, double sh, std::uint32_t rop)
{
    if (m_px.isNull() || picture.isNull())
        return;
    QImage converted;
    const QImage *src = &picture;
    if (picture.format() != QImage::Format_RGB32 && picture.format() != QImage::Format_ARGB32) {
        converted = picture.convertToFormat(QImage::Format_RGB32);
        src = &converted;
    }
    StretchSource s;
    s.image = src;
    stretchTransfer(*this, roundCoord(x), roundCoord(y), roundCoord(w), roundCoord(h), s, roundCoord(sx),
                    roundCoord(sy), roundCoord(sw), roundCoord(sh), rop);
}

void Surface::Print(const QString &text)
{
    QString body = text;
    body.remove(QLatin1Char('\r'));
    const QStringList lines = body.split(QLatin1Char('\n'));
    if (m_px.isNull()) {
        CurrentX = 0;
        return;
    }
    QFont font = Font;
    if (m_mono)
        font.setStyleStrategy(QFont::NoAntialias);
    static const QImage metricsDevice(1, 1, QImage::Format_RGB32);
    const QFontMetrics fm(font, &metricsDevice);
    RasterTarget t(*this);
    const QRect drawable = t.drawable();

    // Where each line goes and what its glyphs can reach: their ink box and the advance box,
    // with a pixel of room for antialiasing.
    struct Placed {
        QString text;
        QPoint at;
        QRect ink;
    };
    std::vector<Placed> placed;
    QRect reach;
    for (const QString &line : lines) {
        const int x = roundCoord(CurrentX);
        const int y = roundCoord(CurrentY);
        if (!line.isEmpty()) {
            QRect ink = fm.boundingRect(line).translated(x, y + fm.ascent());
            ink |= QRect(x, y, fm.horizontalAdvance(line), fm.height());
            ink = ink.adjusted(-1, -1, 1, 1) & drawable;
            placed.push_back({line, QPoint(x, y + fm.ascent()), ink});
            const int margin = fm.height() / 2 + 2;
            reach |= ink.adjusted(-margin, -margin, margin, margin) & drawable;
        }
        CurrentY = y + fm.height();
        CurrentX = 0;
    }
    if (reach.isEmpty())
        return;

    // The glyphs are painted on a copy of the area they can reach, which then goes back.
    QImage patch(reach.size(), QImage::Format_RGB32);
    const std::size_t rowBytes = std::size_t(reach.width()) * 4;
    for (int y = 0; y < reach.height(); ++y)
        std::memcpy(patch.scanLine(y), constScanLine(reach.top() + y) + reach.left(), rowBytes);
    {
        QPainter p(&patch);
        p.translate(-reach.left(), -reach.top());
        p.setFont(font);
        p.setPen(QColor::fromRgb(t.pixelFor(ForeColor)));
        p.setRenderHint(QPainter::TextAntialiasing, !m_mono);
        if (m_clip)
            p.setClipRegion(m_clip.region());
        for (const Placed &l : placed)
            p.drawText(l.at, l.text);
    }
    for (int y = 0; y < reach.height(); ++y) {
        const auto *from = reinterpret_cast<const std::uint32_t *>(patch.constScanLine(y));
        const std::uint32_t *have = constScanLine(reach.top() + y) + reach.left();
        if (std::memcmp(from, have, rowBytes) != 0)
            std::memcpy(t.row(reach.top() + y) + reach.left(), from, rowBytes);
    }
    for (const Placed &l : placed)
        t.touchRect(l.ink);
}

} // namespace orv
