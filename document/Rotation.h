// Nearest-pixel rotation, driven by the destination: every destination pixel (x, y) takes the
// source pixel at
//     sx = CInt(dx * c - dy * s + cx),  sy = CInt(dy * c + dx * s + cy),   dx = x - cx, dy = y - cy
// where c and s are the cosine and sine of the reverse angle and CInt rounds to the nearest
// integer, halves to the even neighbour. A source point outside the picture leaves the
// destination pixel as it was.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <functional>
#include <optional>

namespace orv {

struct RotationMap {
    double c = 1;   // cos of the reverse angle
    double s = 0;   // sin of the reverse angle
    int cx = 0;
    int cy = 0;
    // The map that takes a destination pixel back to its source for a rotation by `angle`
    // (radians) about (cx, cy).
    static RotationMap reverseOf(double angle, int cx, int cy);
};

// The source pixel of destination pixel (x, y), computed straight from the formula.
QPoint RotationSource(const RotationMap &m, int x, int y);

// Where a point lands when rotated by `angle` radians about (cx, cy) (rounded the same way).
QPoint RotatePoint(double angle, int cx, int cy, int x, int y);

// Rotates `src` into `dst` over the destination rectangle `area` (clipped to `dst`): the very
// pixels of the formula above, for any size and angle. Both images are 32-bit of any size; `dst`
// must not share pixels with `src`. Each row's columns whose source lies inside the picture are
// found first, so the copy itself tests no bounds; the destination is walked in tiles so that
// the source reads stay in cache, and the coordinates come from per-column and per-row products
// (several pixels at a time where the processor has the vector instructions), so no pixel pays
// for trigonometry. `progress` (if set) is called after each band of rows with the number of
// rows done.
void RotateNearest(const QImage &src, QImage &dst, const RotationMap &m, const QRect &area,
                   const std::function<void(int rowsDone)> &progress = {});
// The same onto 32-bit rows at `dstBits` (`dstStride` pixels apart) of a buffer of `dstSize`
// whose pixel (0, 0) is the destination pixel `dstOrigin`; `area` is in the buffer's pixels.
// With `outside` set, the pixels of `area` whose source lies off the picture take that pixel
// instead of keeping theirs, in the same pass (as a fill of the area before the rotation).
void RotateNearest(const QImage &src, std::uint32_t *dstBits, qsizetype dstStride, QSize dstSize,
                   const RotationMap &m, const QRect &area, const std::function<void(int rowsDone)> &progress = {},
                   QPoint dstOrigin = QPoint(), std::optional<std::uint32_t> outside = std::nullopt);

} // namespace orv
