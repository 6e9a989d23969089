#include "document/Rotation.h"

#include "base/Conversions.h"
#include "document/surface/PictureThreads.h"
#include "document/surface/VectorState.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace orv {

RotationMap RotationMap::reverseOf(double angle, int cx, int cy)
{
    return RotationMap{std::cos(-angle), std::sin(-angle), cx, cy};
}

QPoint RotationSource(const RotationMap &m, int x, int y)
{
    const int dx = x - m.cx;
    const int dy = y - m.cy;
    return QPoint(CInt(dx * m.c - dy * m.s + m.cx), CInt(dy * m.c + dx * m.s + m.cy));
}

QPoint RotatePoint(double angle, int cx, int cy, int x, int y)
{
    const int dx = x - cx;
    const int dy = y - cy;
    return QPoint(CInt(dx * std::cos(angle) - dy * std::sin(angle) + cx),
                  CInt(dy * std::cos(angle) + dx * std::sin(angle) + cy));
}

namespace {

// Destination tiles: the source pixels a tile reads stay in cache while it is filled. Along
// one destination row of a tile the source lines it touches must still be in the first-level
// cache when the next rows come back to them: at 45 degrees a row of 256 pixels touches about
// 180 source lines with their neighbours (some 23 KiB, inside a 32 KiB cache), and each line
// then serves a dozen rows. Tall tiles pay less for the partly used lines along their edges.
// (Measured on 4096^2, two threads: 2.3-2.5x a memory copy of the picture from 10 to 135
// degrees, where tiles of 1024x16 took 2.3-6.8x.)
constexpr int kTileW = 256;
constexpr int kTileH = 128;

// Rounds to the nearest integer, halves to even (the processor's default rounding mode), for
// values well inside the int range.
inline int roundEven(double v)
{
#if defined(__SSE2__)
    return _mm_cvtsd_si32(_mm_set_sd(v));
#else
    return int(std::nearbyint(v));
#endif
}

// One destination row's mapping: the per-column products of the formula (indexed from the
// area's left edge) and the row's own products.
struct RowMap {
    const double *colC;
    const double *colS;
    double rowS;
    double rowC;
    double cx;
    double cy;
    int sourceX(int i) const { return roundEven((colC[i] - rowS) + cx); }
    int sourceY(int i) const { return roundEven((rowC + colS[i]) + cy); }
};

// The first i in [lo, hi] for which pred holds, hi + 1 if none; pred must be false then true.
template <typename Pred>
int firstTrue(int lo, int hi, Pred pred)
{
    int a = lo, b = hi + 1;
    while (a < b) {
        const int mid = a + (b - a) / 2;
        if (pred(mid))
            b = mid;
        else
            a = mid + 1;
    }
    return a;
}

// Narrows [lo, hi] to the columns where f (monotone along the row) lies in 0 .. limit - 1.
template <typename F>
void narrowTo(int &lo, int &hi, int limit, F f)
{
    if (lo > hi)
        return;
    if (f(hi) >= f(lo)) {
        const int a = firstTrue(lo, hi, [&](int i) { return f(i) >= 0; });
        hi = firstTrue(lo, hi, [&](int i) { return f(i) >= limit; }) - 1;
        lo = a;
    } else {
        const int a = firstTrue(lo, hi, [&](int i) { return f(i) < limit; });
        hi = firstTrue(lo, hi, [&](int i) { return f(i) < 0; }) - 1;
        lo = a;
    }
}

// Copies the source pixels of columns [a, b] of one row (all inside the source) to d[a..b].
void copySpan(const RowMap &rm, int a, int b, const std::uint32_t *sbits, qsizetype sstride, std::uint32_t *d)
{
    int i = a;
#if defined(__SSE2__)
    const __m128d vRowS = _mm_set1_pd(rm.rowS);
    const __m128d vRowC = _mm_set1_pd(rm.rowC);
    const __m128d vCx = _mm_set1_pd(rm.cx);
    const __m128d vCy = _mm_set1_pd(rm.cy);
    for (; i + 1 <= b; i += 2) {
        const __m128i ix = _mm_cvtpd_epi32(_mm_add_pd(_mm_sub_pd(_mm_loadu_pd(rm.colC + i), vRowS), vCx));
        const __m128i iy = _mm_cvtpd_epi32(_mm_add_pd(_mm_add_pd(vRowC, _mm_loadu_pd(rm.colS + i)), vCy));
        d[i] = sbits[qsizetype(_mm_cvtsi128_si32(iy)) * sstride + _mm_cvtsi128_si32(ix)];
        d[i + 1] = sbits[qsizetype(_mm_cvtsi128_si32(_mm_shuffle_epi32(iy, 1))) * sstride +
                         _mm_cvtsi128_si32(_mm_shuffle_epi32(ix, 1))];
    }
#endif
    for (; i <= b; ++i)
        d[i] = sbits[qsizetype(rm.sourceY(i)) * sstride + rm.sourceX(i)];
}

#if defined(__x86_64__) || defined(__i386__)
// The same eight pixels at a time, read with one gather; the source index (row * stride +
// column) must fit an int.
__attribute__((target("avx2"))) void copySpanAvx2(const RowMap &rm, int a, int b, const std::uint32_t *sbits,
                                                   qsizetype sstride, std::uint32_t *d)
{
    const __m256d vRowS = _mm256_set1_pd(rm.rowS);
    const __m256d vRowC = _mm256_set1_pd(rm.rowC);
    const __m256d vCx = _mm256_set1_pd(rm.cx);
    const __m256d vCy = _mm256_set1_pd(rm.cy);
    const __m256i vStride = _mm256_set1_epi32(int(sstride));
    int i = a;
    for (; i + 7 <= b; i += 8) {
        const __m128i xLo = _mm256_cvtpd_epi32(_mm256_add_pd(_mm256_sub_pd(_mm256_loadu_pd(rm.colC + i), vRowS), vCx));
        const __m128i xHi =
            _mm256_cvtpd_epi32(_mm256_add_pd(_mm256_sub_pd(_mm256_loadu_pd(rm.colC + i + 4), vRowS), vCx));
        const __m128i yLo = _mm256_cvtpd_epi32(_mm256_add_pd(_mm256_add_pd(vRowC, _mm256_loadu_pd(rm.colS + i)), vCy));
        const __m128i yHi =
            _mm256_cvtpd_epi32(_mm256_add_pd(_mm256_add_pd(vRowC, _mm256_loadu_pd(rm.colS + i + 4)), vCy));
        const __m256i index =
            _mm256_add_epi32(_mm256_mullo_epi32(_mm256_set_m128i(yHi, yLo), vStride), _mm256_set_m128i(xHi, xLo));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(d + i),
                            _mm256_i32gather_epi32(reinterpret_cast<const int *>(sbits), index, 4));
    }
    copySpan(rm, i, b, sbits, sstride, d);
}
#endif

using SpanCopier = void (*)(const RowMap &, int, int, const std::uint32_t *, qsizetype, std::uint32_t *);

SpanCopier spanCopier(const QImage &src)
{
#if defined(__x86_64__) || defined(__i386__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2 && qint64(src.height()) * (src.bytesPerLine() / 4) <= std::numeric_limits<int>::max())
        return copySpanAvx2;
#else
    Q_UNUSED(src);
#endif
    return copySpan;
}

} // namespace

void RotateNearest(const QImage &src, QImage &dst, const RotationMap &m, const QRect &area,
                   const std::function<void(int rowsDone)> &progress)
{
    if (dst.isNull())
        return;
    RotateNearest(src, reinterpret_cast<std::uint32_t *>(dst.bits()), dst.bytesPerLine() / 4, dst.size(), m, area,
                  progress);
}

void RotateNearest(const QImage &src, std::uint32_t *dbits, qsizetype dstride, QSize dstSize, const RotationMap &m,
                   const QRect &area, const std::function<void(int rowsDone)> &progress, QPoint dstOrigin,
                   std::optional<std::uint32_t> outside)
{
    const QRect r = area & QRect(QPoint(0, 0), dstSize);
    if (r.isEmpty())
        return;
    if (src.isNull()) {
        if (outside)
            for (int y = r.top(); y <= r.bottom(); ++y)
                std::fill(dbits + qsizetype(y) * dstride + r.left(), dbits + qsizetype(y) * dstride + r.right() + 1,
                          *outside);
        return;
    }
    ClearUpperVectorState();
    const int sw = src.width();
    const int sh = src.height();
    const auto *sbits = reinterpret_cast<const std::uint32_t *>(src.constBits());
    const qsizetype sstride = src.bytesPerLine() / 4;

    // Per-column products dx * c and dx * s, exactly the products of the formula. Coordinates
    // stay far below 2^31, so the rounding is exact in int range.
    const int w = r.width();
    std::vector<double> colC(static_cast<std::size_t>(w)), colS(static_cast<std::size_t>(w));
    for (int i = 0; i < w; ++i) {
        const int dx = dstOrigin.x() + r.left() + i - m.cx;
        colC[std::size_t(i)] = dx * m.c;
        colS[std::size_t(i)] = dx * m.s;
    }
    auto rowMap = [&](int y) {
        const int dy = dstOrigin.y() + y - m.cy;
        return RowMap{colC.data(), colS.data(), dy * m.s, dy * m.c, double(m.cx), double(m.cy)};
    };
    // Along a row both source coordinates are monotone (every step of the formula is), so the
    // columns whose source lies inside the picture form one span, found by bisection; the
    // copy loops then need no bounds tests.
    std::vector<int> spanLo(std::size_t(r.height())), spanHi(std::size_t(r.height()));
    for (int j = 0; j < r.height(); ++j) {
        const RowMap rm = rowMap(r.top() + j);
        int lo = 0, hi = w - 1;
        narrowTo(lo, hi, sw, [&](int i) { return rm.sourceX(i); });
        narrowTo(lo, hi, sh, [&](int i) { return rm.sourceY(i); });
        spanLo[std::size_t(j)] = lo;
        spanHi[std::size_t(j)] = hi;
    }

    const SpanCopier copy = spanCopier(src);
    auto bands = [&](int from, int to, const std::function<void(int)> &report) {
        for (int ty = from; ty < to; ty += kTileH) {
            const int yEnd = std::min(ty + kTileH, to);
            for (int tx = 0; tx < w; tx += kTileW) {
                const int xEnd = std::min(tx + kTileW, w) - 1;
                for (int j = ty; j < yEnd; ++j) {
                    const int a = std::max(tx, spanLo[std::size_t(j)]);
                    const int b = std::min(xEnd, spanHi[std::size_t(j)]);
                    std::uint32_t *d = dbits + qsizetype(r.top() + j) * dstride + r.left();
                    if (a <= b)
                        copy(rowMap(r.top() + j), a, b, sbits, sstride, d);
                    if (outside) {
                        // The columns before and after the span (the whole tile row if none).
                        std::fill(d + tx, d + std::min(a, xEnd + 1), *outside);
                        std::fill(d + std::max(b + 1, tx), d + xEnd + 1, *outside);
                    }
                }
            }
            if (report)
                report(yEnd);
        }
    };
    // Large areas: a second thread takes the lower half of the bands; progress is reported from
    // the calling thread alone.
    const bool split = UseSecondThread(qint64(w) * r.height()) && r.height() >= 2 * kTileH;
    const int lower = split ? SecondThreadStart(r.height(), kTileH) : r.height();
    std::function<void(int)> upper;
    if (progress)
        upper = [&](int done) { progress(std::min(r.height(), done * r.height() / std::max(lower, 1))); };
    RunRowsSplit(r.height(), split, kTileH, [&](int from, int to, bool calling) { bands(from, to, calling ? upper : nullptr); });
    if (split && progress)
        progress(r.height());
}

} // namespace orv
