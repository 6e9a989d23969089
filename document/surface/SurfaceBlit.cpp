// Block transfers: BitBlt, StretchBlt and the scaled copy behind PaintPicture.
//
// A transfer is worked out once per call (the visible block, the colour conversion, the raster
// operation, for stretching the source column of every destination column) and then runs span by
// span: one function chosen per call handles a whole span, so there is no per-pixel dispatch.
#include "document/surface/PictureThreads.h"
#include "document/surface/SurfaceRaster.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orv {

namespace {

// The ternary raster operation code: bit (P << 2 | S << 1 | D) of it is the result for
// pattern bit P, source bit S and destination bit D.
constexpr std::uint32_t ropCode(std::uint32_t rop) { return (rop >> 16) & 0xFFu; }
constexpr bool usesSource(std::uint32_t code) { return ((code >> 2) & 0x33u) != (code & 0x33u); }

enum class Conv { None, ToMono, FromMono };

struct BlitCtx {
    std::uint32_t srcBk = 0;      // rgb of the source's background colour (colour to mono)
    std::uint32_t whitePx = 0;    // destination background pixel (mono to colour)
    std::uint32_t blackPx = 0;    // destination text pixel (mono to colour)
    std::uint32_t pattern = 0;    // destination brush pixel
    std::uint32_t code = 0xCC;
};

template<Conv C>
inline std::uint32_t convert(std::uint32_t s, const BlitCtx &c)
{
    if constexpr (C == Conv::ToMono)
        return rgbOf(s) == c.srcBk ? kWhitePixel : kBlackPixel;
    else if constexpr (C == Conv::FromMono)
        return isBrightPixel(s) ? c.whitePx : c.blackPx;
    else
        return s | 0xFF000000u;
}

using GatherFn = void (*)(std::uint32_t *out, const std::uint32_t *s, const int *cols, int n, const BlitCtx &c);
// One span of a transfer: the source pixels converted (when source and destination differ in
// kind) and combined with the destination by the raster operation.
using RowFn = void (*)(std::uint32_t *d, const std::uint32_t *s, int n, const BlitCtx &c);

template<Conv C>
void gatherRow(std::uint32_t *out, const std::uint32_t *s, const int *cols, int n, const BlitCtx &c)
{
    for (int i = 0; i < n; ++i)
        out[i] = convert<C>(s[cols[i]], c);
}

inline std::uint32_t rop3(std::uint32_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d)
{
    std::uint32_t r = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (code & (1u << i))
            r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    }
    return r;
}

enum class Op { Copy, And, Xor, NotCopy, Or, General };

template<Op O>
inline std::uint32_t opPixel(std::uint32_t d, std::uint32_t s, const BlitCtx &c)
{
    if constexpr (O == Op::Copy)
        return s;
    else if constexpr (O == Op::And)
        return d & s;
    else if constexpr (O == Op::Xor)
        return (d ^ s) | 0xFF000000u;
    else if constexpr (O == Op::NotCopy)
        return ~s | 0xFF000000u;
    else if constexpr (O == Op::Or)
        return d | s;
    else
        return rop3(c.code, c.pattern, s, d) | 0xFF000000u;
}

#if defined(__SSE2__)
// The same conversions and operations four pixels at a time, with the transfer's constants held
// in registers for the whole span.
struct Consts4 {
    explicit Consts4(const BlitCtx &c)
        : srcBk(_mm_set1_epi32(int(c.srcBk))), whitePx(_mm_set1_epi32(int(c.whitePx))),
          blackPx(_mm_set1_epi32(int(c.blackPx)))
    {
    }
    __m128i rgbMask = _mm_set1_epi32(0x00FFFFFF);
    __m128i alpha = _mm_set1_epi32(int(0xFF000000u));
    __m128i byte = _mm_set1_epi32(0xFF);
    __m128i brightLimit = _mm_set1_epi32(383);
    __m128i srcBk, whitePx, blackPx;
};

template<Conv C>
inline __m128i convert4(__m128i s, const Consts4 &k)
{
    if constexpr (C == Conv::ToMono) {
        // White (alpha | rgb) where the colour is the source's background colour, else black.
        const __m128i isBk = _mm_cmpeq_epi32(_mm_and_si128(s, k.rgbMask), k.srcBk);
        return _mm_or_si128(k.alpha, _mm_and_si128(isBk, k.rgbMask));
    } else if constexpr (C == Conv::FromMono) {
        const __m128i sum = _mm_add_epi32(_mm_add_epi32(_mm_and_si128(_mm_srli_epi32(s, 16), k.byte),
                                                        _mm_and_si128(_mm_srli_epi32(s, 8), k.byte)),
                                          _mm_and_si128(s, k.byte));
        const __m128i bright = _mm_cmpgt_epi32(sum, k.brightLimit);
        return _mm_or_si128(_mm_and_si128(bright, k.whitePx), _mm_andnot_si128(bright, k.blackPx));
    } else {
        return _mm_or_si128(s, k.alpha);
    }
}

template<Op O>
inline __m128i op4(__m128i d, __m128i s, const Consts4 &k)
{
    if constexpr (O == Op::Copy)
        return s;
    else if constexpr (O == Op::And)
        return _mm_and_si128(d, s);
    else if constexpr (O == Op::Xor)
        return _mm_or_si128(_mm_xor_si128(d, s), k.alpha);
    else if constexpr (O == Op::NotCopy)
        return _mm_or_si128(k.alpha, _mm_andnot_si128(s, k.rgbMask));
    else
        return _mm_or_si128(d, s);
}
#endif

template<Conv C, Op O>
void blitRow(std::uint32_t *d, const std::uint32_t *s, int n, const BlitCtx &c)
{
    if constexpr (C == Conv::None && O == Op::Copy) {
        std::memmove(d, s, std::size_t(n) * sizeof(std::uint32_t));
    } else {
        int i = 0;
#if defined(__SSE2__)
        if constexpr (O != Op::General) {
            const Consts4 k(c);
            for (; i + 4 <= n; i += 4) {
                __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i));
                if constexpr (C != Conv::None)
                    v = convert4<C>(v, k);
                auto *out = reinterpret_cast<__m128i *>(d + i);
                if constexpr (O == Op::Copy)
                    _mm_storeu_si128(out, v);
                else
                    _mm_storeu_si128(out, op4<O>(_mm_loadu_si128(out), v, k));
            }
        }
#endif
        for (; i < n; ++i)
            d[i] = opPixel<O>(d[i], C == Conv::None ? s[i] : convert<C>(s[i], c), c);
    }
}

#if defined(__x86_64__) || defined(__i386__)
// The same spans eight pixels at a time on processors with AVX2; the last few go through
// blitRow. The monochrome-to-colour conversions (the masks of a masked copy) gain the most.
template<Conv C, Op O>
__attribute__((target("avx2"))) void blitRowAvx2(std::uint32_t *d, const std::uint32_t *s, int n, const BlitCtx &c)
{
    const __m256i rgbMask = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i alpha = _mm256_set1_epi32(int(0xFF000000u));
    const __m256i byte = _mm256_set1_epi32(0xFF);
    const __m256i brightLimit = _mm256_set1_epi32(383);
    const __m256i srcBk = _mm256_set1_epi32(int(c.srcBk));
    const __m256i whitePx = _mm256_set1_epi32(int(c.whitePx));
    const __m256i blackPx = _mm256_set1_epi32(int(c.blackPx));
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(s + i));
        if constexpr (C == Conv::ToMono) {
            const __m256i isBk = _mm256_cmpeq_epi32(_mm256_and_si256(v, rgbMask), srcBk);
            v = _mm256_or_si256(alpha, _mm256_and_si256(isBk, rgbMask));
        } else if constexpr (C == Conv::FromMono) {
            const __m256i sum = _mm256_add_epi32(_mm256_add_epi32(_mm256_and_si256(_mm256_srli_epi32(v, 16), byte),
                                                                  _mm256_and_si256(_mm256_srli_epi32(v, 8), byte)),
                                                 _mm256_and_si256(v, byte));
            v = _mm256_blendv_epi8(blackPx, whitePx, _mm256_cmpgt_epi32(sum, brightLimit));
        }
        auto *out = reinterpret_cast<__m256i *>(d + i);
        if constexpr (O == Op::Copy) {
            _mm256_storeu_si256(out, v);
        } else {
            const __m256i dv = _mm256_loadu_si256(out);
            if constexpr (O == Op::And)
                v = _mm256_and_si256(dv, v);
            else if constexpr (O == Op::Xor)
                v = _mm256_or_si256(_mm256_xor_si256(dv, v), alpha);
            else if constexpr (O == Op::NotCopy)
                v = _mm256_or_si256(alpha, _mm256_andnot_si256(v, rgbMask));
            else
                v = _mm256_or_si256(dv, v);
            _mm256_storeu_si256(out, v);
        }
    }
    blitRow<C, O>(d + i, s + i, n - i, c);
}
#endif

// The span function of one conversion and raster operation: the AVX2 one where the processor
// has it, except for a plain copy (memmove is as fast) and the general operation.
template<Conv C, Op O>
RowFn rowFn()
{
#if defined(__x86_64__) || defined(__i386__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if constexpr (O != Op::General && !(C == Conv::None && O == Op::Copy))
        if (avx2)
            return blitRowAvx2<C, O>;
#endif
    return blitRow<C, O>;
}

template<Conv C>
RowFn pickRowFor(std::uint32_t rop)
{
    switch (rop) {
    case SRCCOPY: return rowFn<C, Op::Copy>();
    case SRCAND: return rowFn<C, Op::And>();
    case SRCINVERT: return rowFn<C, Op::Xor>();
    case NOTSRCCOPY: return rowFn<C, Op::NotCopy>();
    case SRCPAINT: return rowFn<C, Op::Or>();
    default: return rowFn<C, Op::General>();
    }
}

RowFn pickRow(Conv conv, std::uint32_t rop)
{
    switch (conv) {
    case Conv::ToMono: return pickRowFor<Conv::ToMono>(rop);
    case Conv::FromMono: return pickRowFor<Conv::FromMono>(rop);
    default: return pickRowFor<Conv::None>(rop);
    }
}

Conv pickConv(bool srcMono, bool dstMono)
{
    if (srcMono == dstMono)
        return Conv::None;
    return dstMono ? Conv::ToMono : Conv::FromMono;
}

BlitCtx makeCtx(RasterTarget &t, bool srcMono, Colour srcBk, std::uint32_t rop)
{
    const Surface &d = t.surface();
    BlitCtx c;
    c.srcBk = rgbOf(srcMono ? monoPixel(ToPixel(srcBk)) : ToPixel(srcBk));
    c.whitePx = t.pixelFor(d.GetBkColor());
    c.blackPx = t.pixelFor(d.GetTextColor());
    c.pattern = t.pixelFor(d.selectedBrush().colour);
    c.code = ropCode(rop);
    return c;
}

// An operation that ignores the source (pattern or destination only) over a block.
void patternBlock(RasterTarget &t, const QRect &block, const BlitCtx &c)
{
    const QRect area = block & t.drawable();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        t.forVisible(y, area.left(), area.right() + 1, [&](int a, int e) {
            std::uint32_t *d = t.row(y) + a;
            blitRow<Conv::None, Op::General>(d, d, e - a, c);
            t.touch(y, a, e);
        });
    }
}

// The destination pixels an extent covers, from its first pixel on: p..p+e-1 for e > 0,
// p, p-1, .., p+e+1 for e < 0.
QRect extentRect(long long x, long long y, long long w, long long h)
{
    const long long l = w > 0 ? x : x + w + 1;
    const long long t = h > 0 ? y : y + h + 1;
    return QRect(clampCoord(l), clampCoord(t), clampCoord(std::llabs(w)), clampCoord(std::llabs(h)));
}

// One axis of a stretch: for every destination pixel in [first, first + map.size()), in
// increasing order, the source pixel it takes. Only pixels inside [lo, hi] on the destination
// side and inside [0, srcSize) on the source side are kept (they form one interval).
struct AxisMap {
    int first = 0;
    std::vector<int> src;
};

AxisMap mapAxis(long long p, long long e, long long sp, long long se, int lo, int hi, int srcSize)
{
    AxisMap m;
    const long long n = std::llabs(e), sn = std::llabs(se);
    // Destination pixels of the extent, in increasing order.
    const long long dFirst = std::max<long long>(e > 0 ? p : p - n + 1, lo);
    const long long dLast = std::min<long long>(e > 0 ? p + n - 1 : p, hi);
    m.first = int(dFirst);
    bool started = false;
    for (long long d = dFirst; d <= dLast; ++d) {
        const long long i = e > 0 ? d - p : p - d;          // index along the destination extent
        const long long k = ((i + 1) * sn - 1) / n;         // ceil((i + 1) * sn / n) - 1
        const long long s = se > 0 ? sp + k : sp - k;
        if (s < 0 || s >= srcSize) {
            if (started)
                break;
            m.first = int(d + 1);
            continue;
        }
        started = true;
        m.src.push_back(int(s));
    }
    return m;
}

} // namespace

bool BitBlt(Surface &dst, int x, int y, int w, int h, const Surface &src, int sx, int sy, std::uint32_t rop)
{
    RasterTarget t(dst);
    if (t.isNull())
        return false;
    if (w <= 0 || h <= 0)
        return true;
    const std::uint32_t code = ropCode(rop);
    const BlitCtx ctx = makeCtx(t, src.isMonochrome(), src.GetBkColor(), rop);
    const QRect block(clampCoord(x), clampCoord(y), clampCoord(w), clampCoord(h));
    if (!usesSource(code)) {
        patternBlock(t, block, ctx);
        return true;
    }
    if (src.isNull())
        return false;
    // Destination = source + offset; only pixels inside both surfaces take part.
    const int offX = block.left() - clampCoord(sx);
    const int offY = block.top() - clampCoord(sy);
    const QRect area = block & QRect(QPoint(0, 0), src.size()).translated(offX, offY) & t.drawable();
    if (area.isEmpty())
        return true;

    const Conv conv = pickConv(src.isMonochrome(), dst.isMonochrome());
    if (rop == SRCCOPY && conv == Conv::None && !t.clipped() && &src != &dst && offX == 0 && offY == 0 &&
        src.size() == dst.size() && area == QRect(QPoint(0, 0), dst.size())) {
        // A plain copy of a whole surface onto another of its size: the bands are shared.
        dst.m_px = src.m_px;
        t.touchRect(area);
        return true;
    }
    const RowFn op = pickRow(conv, rop);
    // Another surface that shares bands with this one keeps its pixels: a shared band is copied
    // before its first write. Only a transfer within one surface can read what it wrote.
    const bool same = &src == &dst;
    std::vector<std::uint32_t> temp;
    // Moving a block down within one image: go bottom-up so no source row is overwritten first.
    const bool upwards = same && offY > 0;
    for (int i = 0; i < area.height(); ++i) {
        const int yy = upwards ? area.bottom() - i : area.top() + i;
        const std::uint32_t *srow = src.constScanLine(yy - offY);
        t.forVisible(yy, area.left(), area.right() + 1, [&](int a, int e) {
            const int n = e - a;
            const std::uint32_t *s = srow + (a - offX);
            if (same && offY == 0 && rop != SRCCOPY) {
                temp.assign(s, s + n);   // overlapping within the row
                s = temp.data();
            }
            op(t.row(yy) + a, s, n, ctx);
            t.touch(yy, a, e);
        });
    }
    return true;
}

bool stretchTransfer(Surface &dst, int x, int y, int w, int h, const StretchSource &src, int sx, int sy, int sw,
                     int sh, std::uint32_t rop)
{
    RasterTarget t(dst);
    if (t.isNull())
        return false;
    if (w == 0 || h == 0)
        return true;
    const std::uint32_t code = ropCode(rop);
    const BlitCtx ctx = makeCtx(t, src.mono, src.bkColour, rop);
    if (!usesSource(code)) {
        patternBlock(t, extentRect(x, y, w, h), ctx);
        return true;
    }
    const QSize srcSize = src.surface ? src.surface->size() : (src.image ? src.image->size() : QSize());
    if (srcSize.isEmpty())
        return false;
    if (sw == 0 || sh == 0)
        return true;
    const QRect drawable = t.drawable();
    if (drawable.isEmpty())
        return true;
    const AxisMap cols = mapAxis(clampCoord(x), clampCoord(w), clampCoord(sx), clampCoord(sw), drawable.left(),
                                 drawable.right(), srcSize.width());
    const AxisMap rows = mapAxis(clampCoord(y), clampCoord(h), clampCoord(sy), clampCoord(sh), drawable.top(),
                                 drawable.bottom(), srcSize.height());
    if (cols.src.empty() || rows.src.empty())
        return true;

    // Stretching a surface onto itself reads from a copy of it (shared bands: the rows written
    // get copied, the copy keeps the old ones). A picture handed out by the surface is kept as
    // it was by the surface's own copy-on-write.
    SurfaceBands snapshot;
    const SurfaceBands *sbands = nullptr;
    if (src.surface) {
        if (src.surface == &dst)
            snapshot = dst.bands();
        sbands = src.surface == &dst ? &snapshot : &src.surface->bands();
    }
    const QImage *simg = src.image;
    auto sourceRow = [&](int row) {
        return sbands ? sbands->constRow(row) : reinterpret_cast<const std::uint32_t *>(simg->constScanLine(row));
    };
    const Conv conv = pickConv(src.mono, dst.isMonochrome());
    const GatherFn gather = conv == Conv::ToMono     ? gatherRow<Conv::ToMono>
                            : conv == Conv::FromMono ? gatherRow<Conv::FromMono>
                                                     : gatherRow<Conv::None>;
    const RowFn op = pickRow(Conv::None, rop);
    const bool plainCopy = rop == SRCCOPY;
    const int c0 = cols.first;
    const int c1 = cols.first + int(cols.src.size());
    // A large plain copy without a clip region shares its rows with a second thread: the rows
    // to write are made the surface's own here first, then each thread fills its half.
    if (plainCopy && !t.clipped() && UseSecondThread(qint64(rows.src.size()) * qint64(cols.src.size()))) {
        const int count = int(rows.src.size());
        std::vector<std::uint32_t *> out(std::size_t(count), nullptr);
        for (int r = 0; r < count; ++r) {
            out[std::size_t(r)] = t.row(rows.first + r);
            t.touch(rows.first + r, c0, c1);
        }
        RunRowsSplit(count, true, 1, [&](int from, int to, bool) {
            for (int r = from; r < to; ++r) {
                const std::size_t i = std::size_t(r);
                if (r > from && rows.src[i - 1] == rows.src[i])
                    std::memcpy(out[i] + c0, out[i - 1] + c0, std::size_t(c1 - c0) * sizeof(std::uint32_t));
                else
                    gather(out[i] + c0, sourceRow(rows.src[i]), cols.src.data(), c1 - c0, ctx);
            }
        });
        return true;
    }
    std::vector<std::uint32_t> temp;
    int tempRow = -1;   // source row held in temp
    for (std::size_t r = 0; r < rows.src.size(); ++r) {
        const int yy = rows.first + int(r);
        const int srcRow = rows.src[r];
        const std::uint32_t *s = sourceRow(srcRow);
        std::uint32_t *d = t.row(yy);
        if (plainCopy) {
            // Rows taken from the same source row with the same visible spans are copies of the
            // row above.
            const bool repeat = r > 0 && rows.src[r - 1] == srcRow && t.rowClass(yy) == t.rowClass(yy - 1);
            const std::uint32_t *above = repeat ? t.row(yy - 1) : nullptr;
            t.forVisible(yy, c0, c1, [&](int a, int e) {
                if (above)
                    std::memcpy(d + a, above + a, std::size_t(e - a) * sizeof(std::uint32_t));
                else
                    gather(d + a, s, cols.src.data() + (a - c0), e - a, ctx);
                t.touch(yy, a, e);
            });
        } else {
            if (tempRow != srcRow) {
                temp.resize(cols.src.size());
                gather(temp.data(), s, cols.src.data(), int(cols.src.size()), ctx);
                tempRow = srcRow;
            }
            t.forVisible(yy, c0, c1, [&](int a, int e) {
                op(d + a, temp.data() + (a - c0), e - a, ctx);
                t.touch(yy, a, e);
            });
        }
    }
    return true;
}

bool StretchBlt(Surface &dst, int x, int y, int w, int h, const Surface &src, int sx, int sy, int sw, int sh,
                std::uint32_t rop)
{
    StretchSource s;
    s.mono = src.m_mono;
    s.bkColour = src.m_bkColour;
    s.surface = &src;
    return stretchTransfer(dst, x, y, w, h, s, sx, sy, sw, sh, rop);
}

} // namespace orv
