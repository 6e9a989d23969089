// Private helpers of the drawing surface, shared by its source files: the clip-region band index,
// the per-operation raster target (write access to the back-buffer, clipping of horizontal spans,
// tracking of the touched area) and small pixel helpers. Nothing outside document/surface/ uses
// this header.
#pragma once

#include "document/surface/Surface.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

namespace orv {

// A monochrome surface stores black and white only: a colour drawn into it becomes white when
// its red + green + blue reach 384 (the upper half of the brightness range), black otherwise.
constexpr std::uint32_t kBlackPixel = 0xFF000000u;
constexpr std::uint32_t kWhitePixel = 0xFFFFFFFFu;
constexpr bool isBrightPixel(std::uint32_t p)
{
    return ((p >> 16) & 0xFFu) + ((p >> 8) & 0xFFu) + (p & 0xFFu) >= 384u;
}
constexpr std::uint32_t monoPixel(std::uint32_t p) { return isBrightPixel(p) ? kWhitePixel : kBlackPixel; }
constexpr std::uint32_t rgbOf(std::uint32_t p) { return p & 0x00FFFFFFu; }

// Rounds a runtime coordinate half up and keeps it inside a range that no computation below can
// overflow with.
int roundCoord(double v);
// Keeps an integer coordinate inside the same range.
constexpr int clampCoord(long long v)
{
    constexpr long long lim = 1LL << 28;
    return int(v < -lim ? -lim : (v > lim ? lim : v));
}

// Floor and ceiling of a / b for b > 0.
constexpr long long floorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
constexpr long long ceilDiv(long long a, long long b) { return -floorDiv(-a, b); }

// The clip region as horizontal bands, each with sorted x intervals that neither overlap nor
// touch, so that clipping a span costs a band look-up and a walk over that band's intervals.
struct ClipBands {
    struct Interval {
        int x0;   // first column
        int x1;   // one past the last column
    };
    struct Band {
        int top;      // first row
        int bottom;   // one past the last row
        int first;    // index of the band's first interval
        int count;
    };
    std::vector<Band> bands;          // sorted by row, not overlapping
    std::vector<Interval> intervals;
    QRect bounds;

    static std::shared_ptr<const ClipBands> build(const QRegion &region);
    // The band holding row y, or nullptr.
    const Band *find(int y) const;
};

// One drawing operation's access to a surface. A row's band is made the surface's own on the
// first write to it (so an operation that ends up drawing nothing never copies a shared band); every
// span is clipped to the surface and its clip region; the touched area is added to the surface's
// dirty rectangle when the target goes out of scope.
class RasterTarget {
public:
    explicit RasterTarget(Surface &s);
    ~RasterTarget();
    RasterTarget(const RasterTarget &) = delete;
    RasterTarget &operator=(const RasterTarget &) = delete;

    Surface &surface() { return m_s; }
    int width() const { return m_w; }
    int height() const { return m_h; }
    bool isNull() const { return m_w <= 0 || m_h <= 0; }
    bool clipped() const { return m_clip != nullptr; }
    bool mono() const { return m_s.m_mono; }
    bool pathOpen() const { return m_s.m_pathOpen; }

    // The rows and columns anything can be drawn in: the surface, narrowed to the clip bounds.
    QRect drawable() const { return m_drawable; }

    // The back-buffer pixel a colour is drawn as on this surface.
    std::uint32_t pixelFor(Colour c) const { return m_s.m_mono ? monoPixel(ToPixel(c)) : ToPixel(c); }

    // Row y to write (its band becomes the surface's own) or to read.
    std::uint32_t *row(int y) { return m_s.m_px.row(y); }
    const std::uint32_t *constRow(int y) const { return m_s.m_px.constRow(y); }

    // The visible intervals of row y (clip intervals may reach past the surface edges; callers
    // clamp to [0, width)). Without a clip region this is the whole row.
    void rowIntervals(int y, const ClipBands::Interval *&first, int &count)
    {
        if (!m_clip) {
            first = &m_whole;
            count = (y >= 0 && y < m_h) ? 1 : 0;
            return;
        }
        const ClipBands::Band *b = band(y);
        if (!b || y < 0 || y >= m_h) {
            first = nullptr;
            count = 0;
            return;
        }
        first = m_clip->intervals.data() + b->first;
        count = b->count;
    }
    // A token that is equal for two rows exactly when they have the same visible intervals
    // (within the surface's rows).
    const void *rowClass(int y)
    {
        if (!m_clip)
            return &m_whole;
        return band(y);
    }

    // Calls f(x0, x1) for every visible piece [x0, x1) of the span [x0, x1) of row y.
    template<class F>
    void forVisible(int y, int x0, int x1, F &&f)
    {
        if (y < m_drawable.top() || y > m_drawable.bottom())
            return;
        x0 = std::max(x0, 0);
        x1 = std::min(x1, m_w);
        if (x0 >= x1)
            return;
        if (!m_clip) {
            f(x0, x1);
            return;
        }
        const ClipBands::Band *b = band(y);
        if (!b)
            return;
        const ClipBands::Interval *iv = m_clip->intervals.data() + b->first;
        const ClipBands::Interval *end = iv + b->count;
        if (b->count > 8)
            iv = std::partition_point(iv, end, [x0](const ClipBands::Interval &i) { return i.x1 <= x0; });
        for (; iv != end && iv->x0 < x1; ++iv) {
            const int a = std::max(x0, iv->x0);
            const int e = std::min(x1, iv->x1);
            if (a < e)
                f(a, e);
        }
    }

    // Paints the visible part of the span [x0, x1) of row y.
    void fillSpan(int y, int x0, int x1, std::uint32_t px)
    {
        forVisible(y, x0, x1, [&](int a, int e) {
            std::fill(row(y) + a, row(y) + e, px);
            touch(y, a, e);
        });
    }
    bool visible(int x, int y)
    {
        if (!m_drawable.contains(x, y))
            return false;
        if (!m_clip)
            return true;
        bool in = false;
        forVisible(y, x, x + 1, [&](int, int) { in = true; });
        return in;
    }
    // Records that [x0, x1) of row y was written.
    void touch(int y, int x0, int x1)
    {
        m_tx0 = std::min(m_tx0, x0);
        m_tx1 = std::max(m_tx1, x1);
        m_ty0 = std::min(m_ty0, y);
        m_ty1 = std::max(m_ty1, y + 1);
    }
    void touchRect(const QRect &r)
    {
        if (r.isEmpty())
            return;
        touch(r.top(), r.left(), r.right() + 1);
        touch(r.bottom(), r.left(), r.right() + 1);
    }

private:
    const ClipBands::Band *band(int y)
    {
        if (m_band && y >= m_band->top && y < m_band->bottom)
            return m_band;
        m_band = m_clip->find(y);
        return m_band;
    }

    Surface &m_s;
    int m_w = 0;
    int m_h = 0;
    const ClipBands *m_clip = nullptr;
    const ClipBands::Band *m_band = nullptr;
    ClipBands::Interval m_whole{0, 0};
    QRect m_drawable;
    int m_tx0 = INT_MAX, m_tx1 = INT_MIN, m_ty0 = INT_MAX, m_ty1 = INT_MIN;
};

// Shape rasterisers shared by the device-context drawing and the runtime operations.
namespace shapes {
// A one-pixel line from (x0, y0) towards (x1, y1), with or without its end pixel.
void thinLine(RasterTarget &t, int x0, int y0, int x1, int y1, bool withEnd, std::uint32_t px);
// A round-ended stroke of the given width (> 1) between two pixels, or a round dot when both
// ends are the same pixel.
void wideLine(RasterTarget &t, int x0, int y0, int x1, int y1, int width, std::uint32_t px);
// The box [l, r) x [t, b) (normalised) with an outline of penWidth (0: none) and a fill.
void box(RasterTarget &t, int l, int top, int r, int b, int penWidth, std::uint32_t penPx, bool fill,
         std::uint32_t fillPx);
// The ellipse inscribed in [l, r) x [t, b) (normalised), outline of penWidth (0: none), fill.
void ellipse(RasterTarget &t, int l, int top, int r, int b, int penWidth, std::uint32_t penPx, bool fill,
             std::uint32_t fillPx);
} // namespace shapes

// The scaled block transfer behind StretchBlt and PaintPicture.
struct StretchSource {
    const QImage *image = nullptr;      // RGB32 or ARGB32 pixels, when there is no source surface
    bool mono = false;
    Colour bkColour = 0xFFFFFF;
    const Surface *surface = nullptr;   // the source surface, when there is one (read by rows)
};
bool stretchTransfer(Surface &dst, int x, int y, int w, int h, const StretchSource &src, int sx, int sy, int sw,
                     int sh, std::uint32_t rop);

} // namespace orv
