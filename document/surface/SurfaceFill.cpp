// Flood fill: a scanline seed fill with an explicit stack of spans.
//
// Each stack entry is a run of row y that has just been painted, with the direction (dy) of the
// row next to it still to be scanned under that run. Scanning row y + dy over the run finds the
// maximal runs of fillable pixels there (extending past the run's ends where they go on), paints
// them, and continues from each in the same direction; where a new run reaches past the ends of
// the run it came from, those parts are queued back towards the row it came from ("leaks").
// Rows are never rescanned under the run they were reached from, so a plain area costs about one
// read and one write of each pixel. Runs never cross the edges of the clip region's intervals,
// so the fill spreads only inside the clip region.
//
// Filling an area of one colour needs nothing beyond the stack: painted pixels no longer match.
// Filling up to a border colour can paint pixels that still qualify, so that mode marks what it
// painted in a one-bit-per-pixel mask (2 MiB for 4096 x 4096).
#include "document/surface/SurfaceRaster.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace orv {

namespace {

// Scans of a row of pixels for a value, eight pixels at a time where the processor allows.
// findEqual: first index in [x, end) holding v, or end. findDifferent: first index in [x, end)
// not holding v, or end. findDifferentBack: last index in [begin, x] not holding v, or begin - 1.
#ifdef __SSE2__
// Bit i set where p[i] holds the value broadcast in vv, for the eight pixels from p.
int equalMask8(const std::uint32_t *p, __m128i vv)
{
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 4));
    return _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(a, vv)))
           | (_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(b, vv))) << 4);
}
#endif

int findEqual(const std::uint32_t *p, int x, int end, std::uint32_t v)
{
#ifdef __SSE2__
    const __m128i vv = _mm_set1_epi32(int(v));
    for (; x + 8 <= end; x += 8) {
        const int m = equalMask8(p + x, vv);
        if (m)
            return x + __builtin_ctz(unsigned(m));
    }
#endif
    while (x < end && p[x] != v)
        ++x;
    return x;
}

int findDifferent(const std::uint32_t *p, int x, int end, std::uint32_t v)
{
    // Short runs are common (narrow corridors): look at the first pixels one by one.
    for (int stop = std::min(end, x + 4); x < stop; ++x)
        if (p[x] != v)
            return x;
#ifdef __SSE2__
    const __m128i vv = _mm_set1_epi32(int(v));
    for (; x + 8 <= end; x += 8) {
        const int m = equalMask8(p + x, vv);
        if (m != 0xFF)
            return x + __builtin_ctz(unsigned(~m & 0xFF));
    }
#endif
    while (x < end && p[x] == v)
        ++x;
    return x;
}

int findDifferentBack(const std::uint32_t *p, int x, int begin, std::uint32_t v)
{
    for (int stop = std::max(begin, x - 3); x >= stop; --x)
        if (p[x] != v)
            return x;
#ifdef __SSE2__
    const __m128i vv = _mm_set1_epi32(int(v));
    for (; x - 7 >= begin; x -= 8) {
        const int m = equalMask8(p + x - 7, vv);
        if (m != 0xFF)
            return x - 7 + (31 - __builtin_clz(unsigned(~m & 0xFF)));
    }
#endif
    while (x >= begin && p[x] == v)
        --x;
    return x;
}


struct Seg {
    int y;
    int x1;
    int x2;
    int dy;
};

// Pixels equal to one colour.
struct SameColour {
    std::uint32_t target;
    std::uint32_t paint;

    bool fillable(const std::uint32_t *row, int, int x) const { return row[x] == target; }
    // Start of the run through x (x fillable), not left of lo.
    int runStart(const std::uint32_t *row, int, int x, int lo) const
    {
        return findDifferentBack(row, x - 1, lo, target) + 1;
    }
    // End (inclusive) of the run through x, not right of hi.
    int runEnd(const std::uint32_t *row, int, int x, int hi) const { return findDifferent(row, x + 1, hi + 1, target) - 1; }
    // First fillable pixel in [x, hi], or hi + 1.
    int next(const std::uint32_t *row, int, int x, int hi) const { return findEqual(row, x, hi + 1, target); }
    void paintRun(std::uint32_t *row, int, int a, int b) { std::fill(row + a, row + b + 1, paint); }
};

// Pixels other than a border colour, each painted once.
struct UntilBorder {
    std::uint32_t border;
    std::uint32_t paint;
    int wordsPerRow;
    std::vector<std::uint64_t> done;

    UntilBorder(std::uint32_t b, std::uint32_t p, int width, int height)
        : border(b), paint(p), wordsPerRow((width + 63) / 64), done(std::size_t(wordsPerRow) * std::size_t(height), 0)
    {
    }
    bool isDone(int y, int x) const
    {
        return (done[std::size_t(y) * std::size_t(wordsPerRow) + std::size_t(x >> 6)] >> (x & 63)) & 1u;
    }
    bool fillable(const std::uint32_t *row, int y, int x) const { return row[x] != border && !isDone(y, x); }
    int runStart(const std::uint32_t *row, int y, int x, int lo) const
    {
        while (x > lo && fillable(row, y, x - 1))
            --x;
        return x;
    }
    int runEnd(const std::uint32_t *row, int y, int x, int hi) const
    {
        while (x < hi && fillable(row, y, x + 1))
            ++x;
        return x;
    }
    int next(const std::uint32_t *row, int y, int x, int hi) const
    {
        while (x <= hi && !fillable(row, y, x))
            ++x;
        return x;
    }
    void paintRun(std::uint32_t *row, int y, int a, int b)
    {
        std::fill(row + a, row + b + 1, paint);
        std::uint64_t *m = done.data() + std::size_t(y) * std::size_t(wordsPerRow);
        for (int x = a; x <= b; ++x)
            m[x >> 6] |= std::uint64_t(1) << (x & 63);
    }
};

template<class Policy>
void floodFrom(RasterTarget &t, Policy &pol, int sx, int sy)
{
    const int W = t.width();
    const int H = t.height();
    const ClipBands::Interval *iv = nullptr;
    int count = 0;

    // The run through the start pixel, inside the clip interval that holds it.
    t.rowIntervals(sy, iv, count);
    int lo = 0, hi = -1;
    for (int k = 0; k < count; ++k) {
        if (sx >= iv[k].x0 && sx < iv[k].x1) {
            lo = std::max(iv[k].x0, 0);
            hi = std::min(iv[k].x1, W) - 1;
            break;
        }
    }
    std::uint32_t *row = t.row(sy);
    const int a0 = pol.runStart(row, sy, sx, lo);
    const int b0 = pol.runEnd(row, sy, sx, hi);
    pol.paintRun(row, sy, a0, b0);
    t.touch(sy, a0, b0 + 1);

    std::vector<Seg> stack;
    stack.reserve(1024);
    stack.push_back({sy, a0, b0, -1});
    Seg cur{sy, a0, b0, +1};
    bool haveCur = true;
    for (;;) {
        if (!haveCur) {
            if (stack.empty())
                break;
            cur = stack.back();
            stack.pop_back();
        }
        haveCur = false;
        if (!t.clipped() && cur.x2 - cur.x1 < 16) {
            // Narrow passages: while the next row holds exactly the same run, closed at both
            // ends, nothing can leak sideways; paint it and step on without the general scan.
            // Going down a column makes every row a cache miss; a loop this short lets the
            // processor have several of those rows in flight at once.
            const int x1 = cur.x1, x2 = cur.x2;
            int yy = cur.y + cur.dy;
            const int first = yy;
            for (; yy >= 0 && yy < H; yy += cur.dy) {
                std::uint32_t *r = t.row(yy);
                bool same = (x1 == 0 || !pol.fillable(r, yy, x1 - 1)) && (x2 == W - 1 || !pol.fillable(r, yy, x2 + 1));
                for (int x = x1; same && x <= x2; ++x)
                    same = pol.fillable(r, yy, x);
                if (!same)
                    break;
                pol.paintRun(r, yy, x1, x2);
            }
            if (yy != first) {
                t.touch(first, x1, x2 + 1);
                t.touch(yy - cur.dy, x1, x2 + 1);
                cur.y = yy - cur.dy;
            }
        }
        const int y = cur.y + cur.dy;
        if (y < 0 || y >= H)
            continue;
        t.rowIntervals(y, iv, count);
        row = t.row(y);
        Seg onward{};
        bool haveOnward = false;
        for (int k = 0; k < count; ++k) {
            const int ia = std::max(iv[k].x0, 0);
            const int ib = std::min(iv[k].x1, W) - 1;
            if (ib < cur.x1)
                continue;
            if (ia > cur.x2)
                break;
            const int from = std::max(cur.x1, ia);
            const int to = std::min(cur.x2, ib);
            int x = from;
            while (x <= to) {
                x = pol.next(row, y, x, to);
                if (x > to)
                    break;
                // Only a run starting at the scan's left end can reach further left.
                const int a = x == from ? pol.runStart(row, y, x, ia) : x;
                const int b = pol.runEnd(row, y, x, ib);
                pol.paintRun(row, y, a, b);
                t.touch(y, a, b + 1);
                if (a < cur.x1)
                    stack.push_back({y, a, cur.x1 - 1, -cur.dy});
                if (b > cur.x2)
                    stack.push_back({y, cur.x2 + 1, b, -cur.dy});
                // Carry on in the same direction; the latest run is taken next without a trip
                // through the stack.
                if (haveOnward)
                    stack.push_back(onward);
                onward = {y, a, b, cur.dy};
                haveOnward = true;
                x = b + 2;   // b + 1 is not fillable (or past the interval)
            }
        }
        if (haveOnward) {
            cur = onward;
            haveCur = true;
        }
    }
}

} // namespace

bool Surface::ExtFloodFill(int x, int y, Colour colour, std::uint32_t type)
{
    RasterTarget t(*this);
    if (t.isNull() || !t.visible(x, y))
        return false;
    const std::uint32_t ref = ToPixel(colour);
    const std::uint32_t start = t.constRow(y)[x];
    const std::uint32_t paint = t.pixelFor(m_brush.colour);
    if (type == FLOODFILLBORDER) {
        if (start == ref)
            return false;
        if (m_brush.hollow())
            return true;
        UntilBorder pol(ref, paint, t.width(), t.height());
        floodFrom(t, pol, x, y);
        return true;
    }
    if (start != ref)
        return false;
    // Painting the area in its own colour, or with nothing, leaves every pixel as it is.
    if (m_brush.hollow() || paint == ref)
        return true;
    SameColour pol{ref, paint};
    floodFrom(t, pol, x, y);
    return true;
}

} // namespace orv
