// Shape rasterisers: one-pixel lines, wide strokes and dots, boxes and ellipses. Each works out
// the horizontal spans of its shape row by row, only for the rows that can be drawn, and hands
// them to the raster target, which clips them; the cost follows the visible part of the shape.
#include "document/surface/SurfaceRaster.h"

#include <cmath>
#include <cstdlib>

namespace orv::shapes {

namespace {

using i128 = __int128;
using u128 = unsigned __int128;

i128 floorDiv128(i128 a, i128 b)   // b > 0
{
    i128 q = a / b;
    if ((a % b) != 0 && a < 0)
        --q;
    return q;
}

long long isqrt(unsigned long long v)
{
    auto s = static_cast<unsigned long long>(std::sqrt(static_cast<double>(v)));
    while (s > 0 && u128(s) * s > v)
        --s;
    while (u128(s + 1) * (s + 1) <= v)
        ++s;
    return static_cast<long long>(s);
}

constexpr int kMaxPenWidth = 1 << 20;

} // namespace

// ---------------------------------------------------------------------------------------------
// One-pixel lines
// ---------------------------------------------------------------------------------------------
//
// Step i (0 <= i < count) along the major axis paints the pixel whose minor offset from the start
// is k(i) = ceil((2 * minor * i - major) / (2 * major)): the exact offset minor * i / major rounded
// to nearest, halves rounding towards the start. Only the steps that land inside the drawable
// area are walked; k is carried incrementally with the usual Bresenham error term.

void thinLine(RasterTarget &t, int x0, int y0, int x1, int y1, bool withEnd, std::uint32_t px)
{
    const QRect area = t.drawable();
    if (t.isNull() || area.isEmpty())
        return;
    const long long dx = static_cast<long long>(x1) - x0;
    const long long dy = static_cast<long long>(y1) - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const long long minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    const long long count = major + (withEnd ? 1 : 0);
    if (count == 0)
        return;
    if (major == 0) {
        t.fillSpan(y0, x0, x0 + 1, px);
        return;
    }
    const int sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int sMin = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const long long M0 = xMajor ? x0 : y0;
    const long long m0 = xMajor ? y0 : x0;
    const long long majLo = xMajor ? area.left() : area.top();
    const long long majHi = xMajor ? area.right() : area.bottom();
    const long long minLo = xMajor ? area.top() : area.left();
    const long long minHi = xMajor ? area.bottom() : area.right();

    // Steps whose major coordinate is drawable.
    long long i0 = 0, i1 = count - 1;
    if (sMaj > 0) {
        i0 = std::max(i0, majLo - M0);
        i1 = std::min(i1, majHi - M0);
    } else {
        i0 = std::max(i0, M0 - majHi);
        i1 = std::min(i1, M0 - majLo);
    }
    // Steps whose minor offset k(i) lies in [kLo, kHi] (k never decreases with i).
    const long long kLo = sMin > 0 ? minLo - m0 : m0 - minHi;
    const long long kHi = sMin > 0 ? minHi - m0 : m0 - minLo;
    if (minor == 0) {
        if (kLo > 0 || kHi < 0)
            return;
    } else {
        const i128 twoM = i128(2) * major, twom = i128(2) * minor;
        // k(i) >= kLo  <=>  2m*i - M > 2M*(kLo - 1)
        const i128 first = floorDiv128(twoM * (kLo - 1) + major, twom) + 1;
        // k(i) <= kHi  <=>  2m*i - M <= 2M*kHi
        const i128 last = floorDiv128(twoM * kHi + major, twom);
        if (first > i0)
            i0 = first > i1 ? i1 + 1 : static_cast<long long>(first);
        if (last < i1)
            i1 = last < i0 ? i0 - 1 : static_cast<long long>(last);
    }
    if (i0 > i1)
        return;

    const long long twoM = 2 * major, twom = 2 * minor;
    // k and the error term e = (2m*i - M) - 2M*k, kept in (-2M, 0].
    const i128 num = i128(twom) * i0 - major;
    long long k = static_cast<long long>(-floorDiv128(-num, twoM));
    long long e = static_cast<long long>(num - i128(twoM) * k);

    if (xMajor) {
        // Runs of pixels that share a row.
        long long i = i0;
        while (i <= i1) {
            const long long start = i;
            const long long kRun = k;
            for (;;) {
                ++i;
                e += twom;
                if (e > 0) {
                    ++k;
                    e -= twoM;
                    break;
                }
                if (i > i1)
                    break;
            }
            const long long last = std::min(i - 1, i1);
            const int y = static_cast<int>(m0 + sMin * kRun);
            const long long xa = M0 + sMaj * start, xb = M0 + sMaj * last;
            t.fillSpan(y, static_cast<int>(std::min(xa, xb)), static_cast<int>(std::max(xa, xb)) + 1, px);
        }
    } else {
        for (long long i = i0; i <= i1; ++i) {
            const int y = static_cast<int>(M0 + sMaj * i);
            const int x = static_cast<int>(m0 + sMin * k);
            t.fillSpan(y, x, x + 1, px);
            e += twom;
            if (e > 0) {
                ++k;
                e -= twoM;
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Wide strokes and dots
// ---------------------------------------------------------------------------------------------
//
// Everything is measured in half pixels, so that all the points involved are integers: pixel
// (x, y) has its centre at (2x + 1, 2y + 1); the stroke's centre line runs between (2x0 + o,
// 2y0 + o) and (2x1 + o, 2y1 + o) with o = 1 for odd widths (pixel centres) and o = 0 for even
// ones (pixel corners); the radius is the width itself. A pixel is painted when the distance from
// its centre to that segment is at most the radius, decided exactly in integers. Each row's
// painted pixels form one interval (the stroke is convex); a floating-point estimate slightly
// larger than the interval is narrowed to it with the exact test.

void wideLine(RasterTarget &t, int x0, int y0, int x1, int y1, int width, std::uint32_t px)
{
    const QRect area = t.drawable();
    if (t.isNull() || area.isEmpty())
        return;
    width = std::clamp(width, 1, kMaxPenWidth);
    const long long o = width & 1;
    const long long ax = 2LL * clampCoord(x0) + o, ay = 2LL * clampCoord(y0) + o;
    const long long bx = 2LL * clampCoord(x1) + o, by = 2LL * clampCoord(y1) + o;
    const long long R = width;
    const long long R2 = R * R;
    const long long dx = bx - ax, dy = by - ay;
    const long long dd = dx * dx + dy * dy;

    auto inside = [&](long long x, long long y) {
        const long long cx = 2 * x + 1, cy = 2 * y + 1;
        const long long vx = cx - ax, vy = cy - ay;
        const long long proj = vx * dx + vy * dy;
        if (dd == 0 || proj <= 0)
            return vx * vx + vy * vy <= R2;
        if (proj >= dd) {
            const long long wx = cx - bx, wy = cy - by;
            return wx * wx + wy * wy <= R2;
        }
        const i128 cross = i128(vx) * dy - i128(vy) * dx;
        return cross * cross <= i128(R2) * dd;
    };

    const long long yTop = std::max<long long>(ceilDiv(std::min(ay, by) - R - 1, 2), area.top());
    const long long yBottom = std::min<long long>(floorDiv(std::max(ay, by) + R - 1, 2), area.bottom());
    const double rg = double(R) + 0.5;   // generous radius for the estimate
    const double len = std::sqrt(double(dd));
    for (long long y = yTop; y <= yBottom; ++y) {
        const double Y = double(2 * y + 1);
        double lo = HUGE_VAL, hi = -HUGE_VAL;
        auto disc = [&](double cx, double cy) {
            const double h2 = rg * rg - (Y - cy) * (Y - cy);
            if (h2 >= 0) {
                const double h = std::sqrt(h2);
                lo = std::min(lo, cx - h);
                hi = std::max(hi, cx + h);
            }
        };
        disc(double(ax), double(ay));
        disc(double(bx), double(by));
        if (dy != 0) {
            // Within the radius of the centre line, and between the perpendiculars at its ends.
            const double base = double(ax) + (Y - double(ay)) * double(dx) / double(dy);
            const double half = rg * len / std::fabs(double(dy));
            double a = base - half, b = base + half;
            if (dx != 0) {
                const double p0 = double(ax) - (Y - double(ay)) * double(dy) / double(dx);
                const double p1 = double(ax) + (double(dd) - (Y - double(ay)) * double(dy)) / double(dx);
                a = std::max(a, std::min(p0, p1) - 1);
                b = std::min(b, std::max(p0, p1) + 1);
            }
            if (a <= b) {
                lo = std::min(lo, a);
                hi = std::max(hi, b);
            }
        } else if (std::fabs(Y - double(ay)) <= rg) {
            lo = std::min(lo, double(std::min(ax, bx)));
            hi = std::max(hi, double(std::max(ax, bx)));
        }
        if (lo > hi)
            continue;
        long long L = std::max<long long>(static_cast<long long>(std::floor((lo - 1) / 2)) - 1, area.left());
        long long Rr = std::min<long long>(static_cast<long long>(std::ceil((hi - 1) / 2)) + 1, area.right());
        while (L <= Rr && !inside(L, y))
            ++L;
        while (Rr >= L && !inside(Rr, y))
            --Rr;
        if (L <= Rr)
            t.fillSpan(static_cast<int>(y), static_cast<int>(L), static_cast<int>(Rr) + 1, px);
    }
}

// ---------------------------------------------------------------------------------------------
// Boxes
// ---------------------------------------------------------------------------------------------

void box(RasterTarget &t, int l, int top, int r, int b, int penWidth, std::uint32_t penPx, bool fill,
         std::uint32_t fillPx)
{
    const QRect area = t.drawable();
    if (t.isNull() || area.isEmpty())
        return;
    long long L = clampCoord(std::min(l, r)), Rr = clampCoord(std::max(l, r));
    long long T = clampCoord(std::min(top, b)), B = clampCoord(std::max(top, b));
    if (L == Rr || T == B)
        return;
    penWidth = std::clamp(penWidth, 0, kMaxPenWidth);
    if (penWidth == 0) {
        if (!fill)
            return;
        for (long long y = std::max<long long>(T, area.top()); y < std::min<long long>(B, area.bottom() + 1); ++y)
            t.fillSpan(int(y), int(std::max<long long>(L, area.left())), int(std::min<long long>(Rr, area.right() + 1)),
                       fillPx);
        return;
    }
    const long long out = penWidth / 2, in = (penWidth - 1) / 2;
    // Outside edge of the pen, and the inside it leaves (all right/bottom exclusive).
    const long long oL = L - out, oR = Rr + out, oT = T - out, oB = B + out;
    const long long iL = L + in + 1, iR = Rr - in - 1, iT = T + in + 1, iB = B - in - 1;
    const bool hasInside = iL < iR && iT < iB;
    auto span = [&](long long y, long long a, long long e, std::uint32_t p) {
        a = std::max<long long>(a, area.left());
        e = std::min<long long>(e, area.right() + 1);
        if (a < e)
            t.fillSpan(int(y), int(a), int(e), p);
    };
    for (long long y = std::max<long long>(oT, area.top()); y < std::min<long long>(oB, area.bottom() + 1); ++y) {
        if (hasInside && y >= iT && y < iB) {
            span(y, oL, iL, penPx);
            span(y, iR, oR, penPx);
            if (fill)
                span(y, iL, iR, fillPx);
        } else {
            span(y, oL, oR, penPx);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Ellipses
// ---------------------------------------------------------------------------------------------
//
// In half pixels relative to the box centre, pixel (x, y) of a W x H box at (l, t) has its centre
// at X = 2x + 1 - (2l + W), Y = 2y + 1 - (2t + H), and lies in the filled ellipse when
// H^2 X^2 + W^2 Y^2 <= W^2 H^2. That set depends on X^2 and Y^2 only, so it is exactly symmetric;
// each row of it is the interval |X| <= s, found with an integer square root.

namespace {

struct EllipseRows {
    long long l = 0, t = 0, W = 0, H = 0;
    u128 A2 = 0, B2 = 0;

    EllipseRows(long long left, long long top, long long width, long long height)
        : l(left), t(top), W(width), H(height), A2(u128(width) * u128(width)), B2(u128(height) * u128(height))
    {
    }
    bool valid() const { return W > 0 && H > 0; }
    // The filled span [L, R] of row y, or false when the row holds none.
    bool span(long long y, long long &L, long long &R) const
    {
        if (!valid() || y < t || y >= t + H)
            return false;
        const long long Y = 2 * y + 1 - (2 * t + H);
        const u128 Y2 = u128(i128(Y) * Y);
        const u128 q = A2 * (B2 - Y2) / B2;   // X^2 <= q
        long long s = isqrt(static_cast<unsigned long long>(q));
        if (((s ^ (W + 1)) & 1) != 0)   // X has the parity of W + 1
            --s;
        if (s < 0)
            return false;
        L = (2 * l + W - 1 - s) / 2;
        R = (2 * l + W - 1 + s) / 2;
        return true;
    }
    // The inside of row y: the filled span without the outline pixels (those with a 4-neighbour
    // outside the filled set).
    bool inside(long long y, long long &L, long long &R) const
    {
        long long l0, r0, l1, r1, l2, r2;
        if (!span(y, l0, r0) || !span(y - 1, l1, r1) || !span(y + 1, l2, r2))
            return false;
        L = std::max({l0 + 1, l1, l2});
        R = std::min({r0 - 1, r1, r2});
        return L <= R;
    }
};

} // namespace

void ellipse(RasterTarget &t, int l, int top, int r, int b, int penWidth, std::uint32_t penPx, bool fill,
             std::uint32_t fillPx)
{
    const QRect area = t.drawable();
    if (t.isNull() || area.isEmpty())
        return;
    const long long L = clampCoord(std::min(l, r)), Rr = clampCoord(std::max(l, r));
    const long long T = clampCoord(std::min(top, b)), B = clampCoord(std::max(top, b));
    const long long W = Rr - L, H = B - T;
    if (W == 0 || H == 0)
        return;
    penWidth = std::clamp(penWidth, 0, kMaxPenWidth);
    const long long out = penWidth / 2, in = penWidth > 0 ? (penWidth - 1) / 2 : 0;
    auto span = [&](long long y, long long a, long long e, std::uint32_t p) {
        a = std::max<long long>(a, area.left());
        e = std::min<long long>(e, area.right() + 1);
        if (a < e)
            t.fillSpan(int(y), int(a), int(e), p);
    };
    if (W <= 2 || H <= 2) {
        // Too thin to have an inside: the strip itself, in the pen (or the brush without one).
        if (penWidth > 0)
            box(t, int(L - out), int(T - out), int(Rr + out), int(B + out), 0, 0, true, penPx);
        else if (fill)
            box(t, int(L), int(T), int(Rr), int(B), 0, 0, true, fillPx);
        return;
    }
    if (penWidth == 0) {
        if (!fill)
            return;
        const EllipseRows e(L, T, W, H);
        for (long long y = std::max<long long>(T, area.top()); y < std::min<long long>(B, area.bottom() + 1); ++y) {
            long long a, z;
            if (e.span(y, a, z))
                span(y, a, z + 1, fillPx);
        }
        return;
    }
    const EllipseRows outer(L - out, T - out, W + 2 * out, H + 2 * out);
    const EllipseRows inner(L + in, T + in, W - 2 * in, H - 2 * in);
    for (long long y = std::max<long long>(T - out, area.top()); y < std::min<long long>(B + out, area.bottom() + 1);
         ++y) {
        long long oa, oz;
        if (!outer.span(y, oa, oz))
            continue;
        long long ia, iz;
        if (inner.inside(y, ia, iz)) {
            span(y, oa, ia, penPx);
            span(y, iz + 1, oz + 1, penPx);
            if (fill)
                span(y, ia, iz + 1, fillPx);
        } else {
            span(y, oa, oz + 1, penPx);
        }
    }
}

} // namespace orv::shapes
