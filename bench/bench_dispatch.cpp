// A rubber-band preview costs what it changes, not the image: one move of a 100-pixel line
// preview on a 4096 x 4096 image (restore what the last preview drew, draw the new line) against
// one copy of the whole image.
#include "Bench.h"

#include "document/Document.h"
#include "tests/FakeHost.h"

#include <cstring>
#include <vector>

using namespace orv;

namespace {

constexpr int N = 4096;

const orvbench::Register previewMove("dispatch", "line preview move on 4096x4096", [] {
    orvtest::FakeHost host;
    orvtest::FakeView view;
    Document doc(host);
    doc.setView(&view);
    doc.Form_Load();
    doc.Picture1.resize(N, N);
    doc.Picture1.Cls();
    doc.StartUp();
    host.st.currentTool = QStringLiteral("Line");
    doc.Picture1_MouseDown(1, 0, 2000, 2000);
    int step = 0;
    constexpr int Moves = 100;
    const double ms = orvbench::bestMs([&] {
        for (int i = 0; i < Moves; ++i, ++step) {
            // The pointer wanders around the end of a 100-pixel line.
            doc.Picture1_MouseMove(1, 0, float(2100 + step % 7), float(2000 + (step % 11)));
        }
    }) / Moves;
    doc.Picture1_MouseUp(1, 0, 2100, 2000);

    const double copy = orvbench::imageCopyMs();
    orvbench::report(QStringLiteral("one 100-pixel line preview move, 4096x4096"), ms,
                     QStringLiteral("memcpy of the image, reused buffer"), copy, 0.1);
});

} // namespace
