// Drawing surface workloads, each against a reference measured in the same run: a plain memcpy
// of the same bytes into a buffer that already exists, Qt's own nearest-pixel scaling, or a
// longer line.
#include "Bench.h"

#include "document/surface/Surface.h"

#include <cstdio>
#include <cstring>
#include <vector>

using namespace orv;

namespace {

constexpr int N = 4096;

Brush solid(Colour c) { return CreateBrushIndirect(LogBrush{BS_SOLID, c, 0}); }

// Fills the area at (x, y) over and over, swapping between two colours so every run repaints it.
double floodMs(Surface &s, int x, int y, Colour a, Colour b, int repeats = 5)
{
    Colour current = a;
    return orvbench::bestMs(
        [&] {
            const Colour next = current == a ? b : a;
            s.SelectObject(solid(next));
            s.ExtFloodFill(x, y, current, FLOODFILLSURFACE);
            current = next;
        },
        repeats);
}

// A maze of one-pixel corridors covering half of the surface, joined end to end into one path.
// Vertical: corridors are the even columns, walls the odd ones, with a gap at alternate ends.
// Horizontal: the same with rows.
void drawSerpentine(Surface &s, bool vertical, Colour floor, Colour wall)
{
    for (int y = 0; y < N; ++y) {
        std::uint32_t *p = s.scanLine(y);
        for (int x = 0; x < N; ++x) {
            const int across = vertical ? x : y;   // corridor index direction
            const int along = vertical ? y : x;
            bool isWall = across % 2 == 1;
            if (isWall && ((across % 4 == 1 && along == 0) || (across % 4 == 3 && along == N - 1)))
                isWall = false;
            p[x] = ToPixel(isWall ? wall : floor);
        }
    }
    s.markDirty(QRect(0, 0, N, N));
}

const orvbench::Register bitblt("surface", "BitBlt SRCCOPY 4096x4096", [] {
    Surface src(orvbench::noiseImage(N, N));
    Surface dst(N, N);
    BitBlt(dst, 0, 0, N, N, src, 0, 0, SRCCOPY);
    const double ms = orvbench::bestMs([&] { BitBlt(dst, 0, 0, N, N, src, 0, 0, SRCCOPY); });
    orvbench::report("BitBlt SRCCOPY 4096x4096 into an existing surface", ms, "memcpy, reused buffer",
                     orvbench::imageCopyMs(), 1.3);
});

const orvbench::Register floodPlain("surface", "ExtFloodFill one colour 4096x4096", [] {
    Surface s(N, N, 0xFFFFFF);
    const double ms = floodMs(s, N / 2, N / 2, 0xFFFFFF, 0x0000FF);
    orvbench::report("ExtFloodFill 4096x4096 of one colour", ms, "memcpy, reused buffer", orvbench::imageCopyMs(), 5.0);
});

const orvbench::Register floodMaze("surface", "ExtFloodFill serpentine maze", [] {
    const Colour floor = 0xFFFFFF, wall = 0, other = 0x00FF00;
    for (bool vertical : {true, false}) {
        Surface s(N, N);
        drawSerpentine(s, vertical, floor, wall);
        const double ms = floodMs(s, 0, 0, floor, other, 3);
        // The far end of the path must have been reached.
        const Colour end = s.GetPixel(vertical ? N - 2 : N - 1, vertical ? N - 1 : N - 2);
        if (end != floor && end != other)
            std::printf("   (the fill did not reach the end of the maze)\n");
        orvbench::report(vertical ? QStringLiteral("ExtFloodFill 1-px serpentine, columns (half covered)")
                                  : QStringLiteral("ExtFloodFill 1-px serpentine, rows (half covered)"),
                         ms, "memcpy, reused buffer", orvbench::imageCopyMs(), 25.0);
    }
});

const orvbench::Register stretch("surface", "StretchBlt 4096x4096 to 8192x8192", [] {
    Surface src(orvbench::noiseImage(N, N));
    Surface dst(2 * N, 2 * N);
    StretchBlt(dst, 0, 0, 2 * N, 2 * N, src, 0, 0, N, N, SRCCOPY);
    const double ms = orvbench::bestMs([&] { StretchBlt(dst, 0, 0, 2 * N, 2 * N, src, 0, 0, N, N, SRCCOPY); }, 3);
    const QImage &pic = src.Image();
    const double ref = orvbench::bestMs(
        [&] {
            const QImage big = pic.scaled(2 * N, 2 * N, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            if (big.width() != 2 * N)
                std::printf("   (unexpected scaled size)\n");
        },
        3);
    orvbench::report("StretchBlt 4096x4096 to 8192x8192 (existing surface)", ms,
                     "QImage::scaled, fast transformation", ref, 0.2);
});

const orvbench::Register lines("surface", "LineTo short vs long on 4096x4096", [] {
    Surface s(N, N);
    s.SelectObject(CreatePenIndirect(LogPen{PS_SOLID, 1, 1, 0x0000FF}));
    constexpr int reps = 500;
    const double shortMs = orvbench::bestMs([&] {
        for (int i = 0; i < reps; ++i) {
            s.MoveToEx(100, 100 + i % 8);
            s.LineTo(110, 103 + i % 8);
        }
    });
    const double longMs = orvbench::bestMs([&] {
        for (int i = 0; i < reps; ++i) {
            s.MoveToEx(10, 10 + i % 8);
            s.LineTo(4010, 3000 + i % 8);
        }
    });
    orvbench::report(QStringLiteral("LineTo 10-pixel line (x%1)").arg(reps), shortMs,
                     QStringLiteral("4000-pixel line (x%1)").arg(reps), longMs, 0.05);
});

} // namespace
