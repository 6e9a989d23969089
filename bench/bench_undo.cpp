// Undo history workloads on a 4096 x 4096 image, each against a reference measured in the same
// run: the bytes of one image (memory), and a memcpy of the image's bytes into a buffer that
// already exists (time).
#include "Bench.h"

#include "document/Document.h"
#include "tests/FakeHost.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

using namespace orv;

namespace {

constexpr int N = 4096;
constexpr std::size_t kImageBytes = std::size_t(N) * N * 4;

// A document holding a noisy 4096 x 4096 image and its first snapshot.
struct BenchDoc {
    orvtest::FakeHost host;
    Document doc{host};
    int strokes = 0;

    BenchDoc()
    {
        doc.Form_Load();
        doc.Picture1.resize(N, N);
        unsigned seed = 7;
        for (int y = 0; y < N; ++y) {
            std::uint32_t *p = doc.Picture1.scanLine(y);
            for (int x = 0; x < N; ++x) {
                seed = seed * 1103515245u + 12345u;
                p[x] = 0xFF000000u | (seed >> 8);
            }
        }
        doc.Undo(3);
        doc.SnapshotAndSync(doc.Picture1, doc.Picture2, doc.PicOrg, true);
    }

    // A short 5-pixel-wide stroke somewhere new on the image.
    void drawStroke()
    {
        ++strokes;
        const int x = (strokes * 977) % (N - 200);
        const int y = (strokes * 1553) % (N - 200);
        doc.Picture1.SelectObject(Pen{PS_SOLID, 5, RGBColour(strokes * 40, 255 - strokes, 90)});
        doc.Picture1.MoveToEx(x, y);
        doc.Picture1.LineTo(x + 100, y + 60);
    }
};

const orvbench::Register memory("undo", "16 snapshots of 4096x4096 after small strokes", [] {
    BenchDoc b;
    for (int i = 0; i < 15; ++i) {
        b.drawStroke();
        b.doc.SnapshotAndSync(b.doc.Picture1, b.doc.Picture2, b.doc.PicOrg, false);
    }
    const double held = double(b.doc.history().bytesHeld());
    const double pooled = double(b.doc.history().pooledBytes());
    std::printf("%-58s %9.1f MiB | %-34s %9.1f MiB | ratio %7.3f (goal <= 2.00) %s\n",
                "bytes held by 16 snapshots", held / 1048576.0, "one image", kImageBytes / 1048576.0,
                held / double(kImageBytes), held <= 2.0 * kImageBytes ? "ok" : "OVER");
    std::printf("%-58s %9.1f MiB | %-34s %9.1f MiB | ratio %7.3f\n", "  plus free tile buffers kept for reuse",
                pooled / 1048576.0, "one image", kImageBytes / 1048576.0, pooled / double(kImageBytes));
    std::printf("%-58s %9.1f MiB | %-34s %9.1f MiB | ratio %7.3f\n", "  naive history: 16 whole copies",
                16.0 * kImageBytes / 1048576.0, "one image", kImageBytes / 1048576.0, 16.0);
    std::fflush(stdout);
});

const orvbench::Register snapshot("undo", "one snapshot after a small stroke", [] {
    BenchDoc b;
    // Run into the full history first, so that every measured save also drops the oldest.
    for (int i = 0; i < 16; ++i) {
        b.drawStroke();
        b.doc.SnapshotAndSync(b.doc.Picture1, b.doc.Picture2, b.doc.PicOrg, false);
    }
    // Each repeat draws a new stroke untimed, then times the save alone.
    double best = 1e30;
    for (int i = 0; i < 7; ++i) {
        b.drawStroke();
        QElapsedTimer t;
        t.start();
        b.doc.Undo(3);
        best = std::min(best, t.nsecsElapsed() / 1e6);
        b.doc.SnapshotAndSync(b.doc.Picture1, b.doc.Picture2, b.doc.PicOrg, true);
    }
    const double ref = orvbench::imageCopyMs();
    orvbench::report("Undo 3 after a 100-pixel stroke, 4096x4096", best, "memcpy, reused buffer", ref, 0.05);

    // The whole commit: snapshot, then the two copies.
    double commitBest = 1e30;
    for (int i = 0; i < 7; ++i) {
        b.drawStroke();
        QElapsedTimer t;
        t.start();
        b.doc.SnapshotAndSync(b.doc.Picture1, b.doc.Picture2, b.doc.PicOrg, false);
        commitBest = std::min(commitBest, t.nsecsElapsed() / 1e6);
    }
    orvbench::report("commit (snapshot + 2 copies) after a 100-pixel stroke", commitBest, "memcpy, reused buffer",
                     ref, 0.05);
});

const orvbench::Register steps("undo", "one step back or forward", [] {
    BenchDoc b;
    for (int i = 0; i < 15; ++i) {
        b.drawStroke();
        b.doc.SnapshotAndSync(b.doc.Picture1, b.doc.Picture2, b.doc.PicOrg, false);
    }
    const double ref = orvbench::imageCopyMs();
    // Back and forth between the last two slots; each call is one step.
    bool back = true;
    const double stepMs = orvbench::bestMs(
        [&] {
            b.doc.Undo(back ? 1 : 2);
            back = !back;
        },
        9);
    orvbench::report("one step (3 surfaces take the slot), 4096x4096", stepMs, "memcpy, reused buffer", ref, 1.0);

    // Worst ordinary case: Picture1 was drawn on since (an uncommitted preview), so it is written
    // whole; the two copies still take only the differing tiles.
    double dirtyBest = 1e30;
    for (int i = 0; i < 5; ++i) {
        b.drawStroke();
        QElapsedTimer t;
        t.start();
        b.doc.Undo(back ? 1 : 2);
        dirtyBest = std::min(dirtyBest, t.nsecsElapsed() / 1e6);
        back = !back;
    }
    orvbench::report("one step over uncommitted drawing on Picture1", dirtyBest, "memcpy, reused buffer", ref, 1.0);
});

} // namespace
