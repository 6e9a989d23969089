// Transform workloads, each against a reference measured in the same run: whole-picture rotation
// against Qt's own nearest-pixel rotation and against one memory copy of the picture, shrinking
// against Qt's nearest-pixel scaling (and against itself without progress reports), and one move
// of a dragged selection against copying the block alone.
#include "Bench.h"

#include "base/AppState.h"
#include "dialogs/ImageResize.h"
#include "document/Document.h"
#include "tests/FakeHost.h"
#include "document/LoopYield.h"
#include "document/Rotation.h"

#include <QTransform>
#include <cstring>
#include <vector>

using namespace orv;

namespace {

constexpr int N = 4096;

const orvbench::Register rotate("transforms", "rotate 45 degrees, 4096x4096", [] {
    // The picture buffers the document rotates between.
    Surface from(N, N);
    from.setPicture(orvbench::noiseImage(N, N));
    const QImage src = from.Image();
    QImage dst = NewImageBuffer(N, N);
    const RotationMap m = RotationMap::reverseOf(45 * 2 * double(Pi) / 360, N / 2, N / 2);
    // As the document rotates: the uncovered corners take the background colour in the same pass.
    auto rotateAll = [&] {
        RotateNearest(src, reinterpret_cast<std::uint32_t *>(dst.bits()), dst.bytesPerLine() / 4, dst.size(), m,
                      dst.rect(), {}, QPoint(), 0xFF000000u);
    };
    rotateAll();
    const double ms = orvbench::bestMs(rotateAll);
    const double qt = orvbench::bestMs([&] {
        const QImage r = src.transformed(QTransform().rotate(45), Qt::FastTransformation);
        Q_UNUSED(r);
    });
    orvbench::report("whole-picture rotation 45 deg (nearest, corners filled), 4096^2", ms,
                     "QImage::transformed rotate 45, Fast", qt, 0.25);
    orvbench::report("whole-picture rotation 45 deg (nearest, corners filled), 4096^2", ms, "memcpy of the picture",
                     orvbench::imageCopyMs(), 3);
});

const orvbench::Register shrink("transforms", "shrink 4096x4096 to 2048x2048", [] {
    const Surface from(orvbench::noiseImage(N, N));
    Surface to(N / 2, N / 2);
    // Progress as the resize dialog reports it: every row, the bar and events at most every 50 ms.
    int lastRow = 0;
    LoopYield yield;
    auto report = [&](int row) {
        lastRow = row;
        if (yield.due())
            yield.run();
    };
    const double bare = orvbench::bestMs([&] { ScaleNearest(from, to, 0.5, 0.5); }, 9);
    const double ms = orvbench::bestMs([&] { ScaleNearest(from, to, 0.5, 0.5, report); }, 9);
    const double qt = orvbench::bestMs([&] {
        const QImage r = from.Image().scaled(N / 2, N / 2);   // nearest pixel, the default
        Q_UNUSED(r);
    });
    orvbench::report("shrink 4096^2 -> 2048^2, nearest, with progress", ms, "QImage::scaled Fast", qt, 1.5);
    orvbench::report("shrink 4096^2 -> 2048^2, with progress reports", ms, "the same loop without them", bare, 1.05);
    Q_UNUSED(lastRow);
});

// A document holding a square noise picture of side `side`, with the "Marquee" tool chosen.
struct NoiseDocument {
    explicit NoiseDocument(int side)
    {
        host.active = &doc;
        doc.Form_Load();
        doc.Picture1.setPicture(orvbench::noiseImage(side, side));
        doc.StartUp();
        host.st.currentTool = QStringLiteral("Marquee");
    }
    // A marquee drag from (l, t) to (r, b).
    void select(float l, float t, float r, float b)
    {
        doc.Picture1_MouseDown(1, 0, l, t);
        doc.Picture1_MouseMove(1, 0, r, b);
        doc.Picture1_MouseUp(1, 0, r, b);
    }
    orvtest::FakeHost host;
    Document doc{host};
};

// Rotating a 1024 x 1024 selection of a 4096 x 4096 picture by 30 degrees through the document
// (the copy of the picture the rotation reads from, the turned box, the undo step), against
// the whole picture's rotation kernel: a selection costs its box plus the picture copies.
const orvbench::Register rotateSelection("transforms", "rotate a 1024x1024 selection by 30 degrees", [] {
    NoiseDocument d(N);
    Document &doc = d.doc;
    // Each round turns the same fresh selection of the same picture once.
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        d.select(1000, 1000, 2024, 2024);
        double angle = 30;
        std::int16_t dir = 0, erase = 0;
        best = std::min(best, orvbench::bestMs([&] { doc.sub_ROTATE(angle, dir, erase); }, 1));
        doc.DropSelection();
        doc.Undo(1);
    }
    orvbench::report("rotate a 1024^2 selection of 4096^2 by 30 deg", best, "memcpy of the picture",
                     orvbench::imageCopyMs(), 3);
});

// One drag move (preview restore, region offset, masked copy) of a 1024 x 1024 block, in ms, over
// a picture of side `side`.
double dragMoveMs(int side)
{
    NoiseDocument d(side);
    Document &doc = d.doc;
    d.host.st.transparentColour = 0x00FF00FF;
    d.select(100, 100, 1124, 1124);
    // Press inside (the block is lifted), then moves back and forth.
    doc.Picture1_MouseDown(1, 0, 600, 600);
    doc.Picture1_MouseMove(1, 0, 610, 605);
    int step = 0;
    const double ms = orvbench::bestMs(
        [&] {
            ++step;
            doc.Picture1_MouseMove(1, 0, float(600 + (step % 9) * 7), float(600 + (step % 5) * 11));
        },
        20);
    doc.Picture1_MouseUp(1, 0, 600, 600);
    return ms;
}

const orvbench::Register drag("transforms", "drag a 1024x1024 selection over 4096x4096", [] {
    const double big = dragMoveMs(N);
    const double small = dragMoveMs(1200);
    Surface target(N, N);
    Surface moving(1026, 1026);
    const double blit = orvbench::bestMs([&] { BitBlt(target, 900, 900, 1024, 1024, moving, 0, 0, SRCCOPY); });
    // The masked copy alone, on the same block with the same reused buffers.
    MaskedBlitScratch scratch;
    const double masked = orvbench::bestMs(
        [&] { MaskedBlit(target, target, moving, BlitRect{0, 0, 1024, 1024}, 500, 500, 0x00FF00FF, &scratch); }, 3);
    orvbench::report("one drag move of a 1024^2 block over 4096^2", big, "the same move over 1200^2", small, 1.2);
    orvbench::report("one drag move of a 1024^2 block over 4096^2", big, "masked copy of the block alone", masked, 1.2);
    orvbench::report("masked copy of a 1024^2 block (reused buffers)", masked, "BitBlt of the 1024^2 block", blit, 12);
});

} // namespace
