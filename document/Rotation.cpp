#include "document/Rotation.h"

#include "app/Conversions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
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

constexpr int kTileW = 64;
constexpr int kTileH = 64;

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
                   const QRect &area, const std::function<void(int rowsDone)> &progress)
{
    const QRect r = area & QRect(QPoint(0, 0), dstSize);
    if (r.isEmpty() || src.isNull())
        return;
    const int sw = src.width();
    const int sh = src.height();
    const auto *sbits = reinterpret_cast<const std::uint32_t *>(src.constBits());
    const qsizetype sstride = src.bytesPerLine() / 4;

    // Per-column products dx * c and dx * s, exactly the products of the formula. Coordinates
    // stay far below 2^31, so the rounding is exact in int range.
    std::vector<double> colC(std::size_t(r.width())), colS(std::size_t(r.width()));
    for (int i = 0; i < r.width(); ++i) {
        const int dx = r.left() + i - m.cx;
        colC[std::size_t(i)] = dx * m.c;
        colS[std::size_t(i)] = dx * m.s;
    }
    const double cx = m.cx;
    const double cy = m.cy;

    for (int ty = r.top(); ty <= r.bottom(); ty += kTileH) {
        const int yEnd = std::min(ty + kTileH, r.bottom() + 1);
        for (int tx = r.left(); tx <= r.right(); tx += kTileW) {
            const int xEnd = std::min(tx + kTileW, r.right() + 1);
            for (int y = ty; y < yEnd; ++y) {
                const int dy = y - m.cy;
                const double rowS = dy * m.s;
                const double rowC = dy * m.c;
                std::uint32_t *d = dbits + qsizetype(y) * dstride;
                const double *pc = colC.data() + (tx - r.left());
                const double *ps = colS.data() + (tx - r.left());
                int x = tx;
#if defined(__SSE2__)
                const __m128d vRowS = _mm_set1_pd(rowS);
                const __m128d vRowC = _mm_set1_pd(rowC);
                const __m128d vCx = _mm_set1_pd(cx);
                const __m128d vCy = _mm_set1_pd(cy);
                for (; x + 1 < xEnd; x += 2, pc += 2, ps += 2) {
                    // (dx*c - dy*s) + cx and (dy*c + dx*s) + cy, two pixels at a time, rounded
                    // halves-to-even by the conversion.
                    const __m128d fx = _mm_add_pd(_mm_sub_pd(_mm_loadu_pd(pc), vRowS), vCx);
                    const __m128d fy = _mm_add_pd(_mm_add_pd(vRowC, _mm_loadu_pd(ps)), vCy);
                    alignas(16) int ix[4];
                    alignas(16) int iy[4];
                    _mm_store_si128(reinterpret_cast<__m128i *>(ix), _mm_cvtpd_epi32(fx));
                    _mm_store_si128(reinterpret_cast<__m128i *>(iy), _mm_cvtpd_epi32(fy));
                    if (unsigned(ix[0]) < unsigned(sw) && unsigned(iy[0]) < unsigned(sh))
                        d[x] = sbits[qsizetype(iy[0]) * sstride + ix[0]];
                    if (unsigned(ix[1]) < unsigned(sw) && unsigned(iy[1]) < unsigned(sh))
                        d[x + 1] = sbits[qsizetype(iy[1]) * sstride + ix[1]];
                }
#endif
                for (; x < xEnd; ++x, ++pc, ++ps) {
                    const int sx = roundEven((*pc - rowS) + cx);
                    const int sy = roundEven((rowC + *ps) + cy);
                    if (unsigned(sx) < unsigned(sw) && unsigned(sy) < unsigned(sh))
                        d[x] = sbits[qsizetype(sy) * sstride + sx];
                }
            }
        }
        if (progress)
            progress(yEnd - r.top());
    }
}

} // namespace orv
