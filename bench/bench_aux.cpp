// The zoom view on every pointer move: a move over a 4096 x 4096 image with the zoom view open,
// against the same move with it closed (the move only tells the view where the pointer is), and
// the copy the view makes once per frame, which costs what the view shows, not the image.
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
    host.st.currentTool = tool;
    host.st.zoomWindow = zoomOpen;
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

// 400 frames of the zoom view's 200 x 160 copy from a square image of side n.
double frameMs(int n)
{
    orvtest::FakeHost host;
    Document doc(host);
    doc.Form_Load();
    doc.Picture1.resize(n, n);
    doc.Picture1.Cls();
    Surface zoom(200, 160);
    return orvbench::bestMs([&] {
        for (int i = 0; i < 400; ++i)
            doc.PaintZoom(zoom, float(n / 2 + (i % 20) - 10), float(n / 2 + ((i / 20) % 20) - 10));
    });
}

void zoomMove()
{
    // The copy costs what the view shows: the same frames from a 4096 x 4096 image and from a
    // 256 x 256 one.
    orvbench::report(QStringLiteral("400 zoom frames, 4096x4096"), frameMs(4096), QStringLiteral("same, 256x256 image"),
                     frameMs(256), 2.0);
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
