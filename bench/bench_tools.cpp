// Drawing tool workloads, driven through a document's pointer events as the image window drives
// them, each against a reference measured in the same run: the same move on a small image, one
// long line, a single fill.
#include "Bench.h"

#include "document/Document.h"
#include "tests/FakeHost.h"

#include <cstdio>

using namespace orv;

namespace {

struct BenchDoc {
    orvtest::FakeHost host;
    orvtest::FakeView view;
    Document doc{host};
    explicit BenchDoc(int size)
    {
        doc.setView(&view);
        doc.Form_Load();
        doc.Picture1.resize(size, size);
        doc.Picture1.Cls();
        doc.StartUp();
        host.st.foreColour = RGBColour(200, 0, 0);
        host.st.backColour = RGBColour(0, 0, 200);
        doc.setSprayRandomSeed(7);
    }
};

// A press at (100, 100) and then `moves` pointer moves of a 24-pixel segment zigzagging there.
double strokeMovesMs(int size, const char *tool, int moves)
{
    BenchDoc b(size);
    b.host.st.currentTool = QString::fromLatin1(tool);
    b.host.st.pen.widthX = 3;
    b.doc.Picture1_MouseDown(1, 0, 100, 100);
    int i = 0;
    const double ms = orvbench::bestMs([&] {
        for (int k = 0; k < moves; ++k, ++i) {
            const float x = (i % 2) ? 124.0f : 100.0f;
            const float y = 100.0f + float(i % 16);
            b.doc.Picture1_MouseMove(1, 0, x, y);
        }
    });
    b.doc.Picture1_MouseUp(1, 0, 100, 100);
    return ms;
}

const orvbench::Register freehand("tools", "pencil and eraser moves, 4096x4096 vs 256x256", [] {
    constexpr int moves = 2000;
    for (const char *tool : {"Pencil", "Eraser"}) {
        const double big = strokeMovesMs(4096, tool, moves);
        const double small = strokeMovesMs(256, tool, moves);
        orvbench::report(QStringLiteral("%1: %2 moves of 24 px on 4096x4096").arg(QLatin1String(tool)).arg(moves),
                         big, QStringLiteral("the same on 256x256"), small, 1.5);
    }
});

const orvbench::Register spray("tools", "spray density 500 radius 150 per event", [] {
    BenchDoc b(1024);
    b.host.st.currentTool = QStringLiteral("Spray");
    b.host.st.spray = SprayRecord{1, 1, 500, 150, 0};
    b.doc.Picture1_MouseDown(1, 0, 512, 512);
    constexpr int events = 200;
    int i = 0;
    const double ms = orvbench::bestMs([&] {
        for (int k = 0; k < events; ++k, ++i)
            b.doc.Picture1_MouseMove(1, 0, float(300 + (i * 37) % 400), float(300 + (i * 53) % 400));
    });
    b.doc.Picture1_MouseUp(1, 0, 512, 512);

    // Reference: one 1000-pixel line of a one-pixel pen, the same number of times.
    Surface s(1024, 1024);
    s.SelectObject(CreatePenIndirect(LogPen{PS_SOLID, 1, 1, RGBColour(0, 0, 200)}));
    int j = 0;
    const double lineMs = orvbench::bestMs([&] {
        for (int k = 0; k < events; ++k, ++j) {
            s.MoveToEx(10, 10 + j % 8);
            s.LineTo(1010, 700 + j % 8);
        }
    });
    // The budget is 1 ms per event; at about 3 us per 1000-pixel line on this class of machine
    // that is some 300 lines.
    orvbench::report(QStringLiteral("Spray event, density 500, radius 150 (x%1)").arg(events), ms,
                     QStringLiteral("one 1000-pixel line (x%1)").arg(events), lineMs, 300.0);
    std::printf("   spray: %.1f us per event (budget 1000 us)\n", ms * 1000.0 / events);
});

// Fills at the centre of a 4096 x 4096 image over and over, alternating two colours so that
// every fill repaints.
double fillMs(BenchDoc &b, float x, float y)
{
    bool flip = false;
    return orvbench::bestMs(
        [&] {
            b.host.st.drawColour = flip ? RGBColour(0, 120, 0) : RGBColour(0, 0, 200);
            flip = !flip;
            b.doc.FloodFillAt(1, 0, x, y, 1);
        },
        4);
}

const orvbench::Register fill("tools", "flood fill 4096x4096, mirror on vs off", [] {
    constexpr int N = 4096;
    // One area: the mirror fills find it already filled.
    double single = 0, mirrored = 0;
    {
        BenchDoc b(N);
        b.host.st.currentTool = QStringLiteral("Fill");
        b.doc.Picture1_MouseDown(1, 0, 1000, 1000);
        single = fillMs(b, 1000, 1000);
        b.doc.setMirrorEnabled(true);
        b.host.st.mirrorCount = 2;
        b.doc.Picture1_MouseDown(1, 0, 1000, 1000);
        mirrored = fillMs(b, 1000, 1000);
    }
    orvbench::report(QStringLiteral("Fill 4096x4096, mirror count 2 (one area)"), mirrored,
                     QStringLiteral("the same fill, mirror off"), single, 4.0);
    // Four quadrants split by a cross: the mirror fills paint a quarter each.
    {
        BenchDoc b(N);
        Surface &p = b.doc.Picture1;
        p.SelectObject(CreatePenIndirect(LogPen{PS_SOLID, 1, 1, 0}));
        p.MoveToEx(N / 2, 0);
        p.LineTo(N / 2, N);
        p.MoveToEx(0, N / 2);
        p.LineTo(N, N / 2);
        b.doc.SnapshotAndSync(p, b.doc.Picture2, b.doc.PicOrg, true);
        b.doc.setMirrorEnabled(true);
        b.host.st.mirrorCount = 2;
        b.host.st.currentTool = QStringLiteral("Fill");
        b.doc.Picture1_MouseDown(1, 0, 1000, 1000);
        mirrored = fillMs(b, 1000, 1000);
    }
    orvbench::report(QStringLiteral("Fill 4 quadrants of 4096x4096 (mirror count 2)"), mirrored,
                     QStringLiteral("one fill of 4096x4096, mirror off"), single, 4.0);
});

} // namespace
