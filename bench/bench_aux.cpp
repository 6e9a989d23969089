// The zoom view's copy on every pointer move: a move over a 4096 x 4096 image with the zoom
// view open, against the same move with it closed. The copy costs what the view shows, so the
// two stay within a factor of two.
#include "Bench.h"

#include "document/Document.h"
#include "document/DocumentHost.h"
#include "tests/FakeHost.h"

using namespace orv;

namespace {

// Moves of one kind over a square image of side n, with the zoom view open or closed.
double moveMs(int n, bool zoomOpen, const QString &tool, int button)
{
    constexpr int Moves = 400;
    orvtest::FakeHost host;
    Surface zoom(200, 160);
    host.st.currentTool = tool;
    host.st.zoomWindow = zoomOpen;
    host.zoom = zoomOpen ? &zoom : nullptr;
    Document doc(host);
    doc.Form_Load();
    doc.Picture1.resize(n, n);
    doc.Picture1.Cls();
    doc.StartUp();
    doc.setFormIzin(true);
    if (button)
        doc.Picture1_MouseDown(button, 0, float(n / 2), float(n / 2));
    const double ms = orvbench::bestMs([&] {
        for (int i = 0; i < Moves; ++i) {
            // Short steps, as a pointer moves: a small circle around the middle.
            const float x = float(n / 2 + (i % 20) - 10);
            const float y = float(n / 2 + ((i / 20) % 20) - 10);
            doc.Picture1_MouseMove(button, 0, x, y);
        }
    });
    if (button)
        doc.Picture1_MouseUp(button, 0, float(n / 2), float(n / 2));
    return ms;
}

void zoomMove()
{
    // The copy costs what the view shows: the same moves over a 4096 x 4096 image and over a
    // 256 x 256 one, zoom view open.
    orvbench::report(QStringLiteral("400 moves, zoom open, 4096x4096"), moveMs(4096, true, QStringLiteral("Select"), 0),
                     QStringLiteral("same, 256x256 image"), moveMs(256, true, QStringLiteral("Select"), 0), 2.0);
    // Drawing with the pencil, zoom view open against closed.
    orvbench::report(QStringLiteral("400 pencil moves, 4096x4096, zoom open"),
                     moveMs(4096, true, QStringLiteral("Pencil"), 1), QStringLiteral("same, zoom closed"),
                     moveMs(4096, false, QStringLiteral("Pencil"), 1), 2.0);
    // Hovering: a move that draws nothing costs almost nothing without the view, so here the
    // copy of the view's 200 x 160 pixels is all there is to see.
    orvbench::report(QStringLiteral("400 hover moves, 4096x4096, zoom open"),
                     moveMs(4096, true, QStringLiteral("Select"), 0), QStringLiteral("same, zoom closed"),
                     moveMs(4096, false, QStringLiteral("Select"), 0), 2.0);
}

orvbench::Register zoomCase(QStringLiteral("aux"), QStringLiteral("zoom view copy per pointer move"), zoomMove);

} // namespace
