// The tool tests' document: a blank white image in a scripted main window with a tool chosen,
// driven through the pointer events as a user drives it.
#pragma once

#include "FakeHost.h"
#include "pixels.h"

namespace orvtest {

constexpr Colour Green = orv::RGBColour(0, 160, 0);

// Red on blue, a one-pixel pen, hollow shapes, a fixed spray seed.
struct ToolFixture : DocFixture {
    explicit ToolFixture(const char *toolName = "", int w = 64, int h = 48) : DocFixture(w, h)
    {
        tool(toolName);
        host.st.foreColour = Red;
        host.st.backColour = Blue;
        host.st.pen.widthX = 1;
        host.st.brush.style = orv::BS_HOLLOW;
        doc.setSprayRandomSeed(12345);
    }
    void tool(const char *name) { host.st.currentTool = QString::fromLatin1(name); }
    // Mirror drawing with `count` mirrors, or none for 0.
    void mirror(int count)
    {
        doc.setMirrorEnabled(count > 0);
        host.st.mirrorCount = std::int16_t(std::max(count, 1));
    }
    // Press, the moves in order with the button held, release at the last point.
    void drag(int button, QPointF from, const std::vector<QPointF> &moves)
    {
        doc.Picture1_MouseDown(button, 0, float(from.x()), float(from.y()));
        QPointF last = from;
        for (const QPointF &p : moves)
            doc.Picture1_MouseMove(button, 0, float((last = p).x()), float(p.y()));
        doc.Picture1_MouseUp(button, 0, float(last.x()), float(last.y()));
    }
    void click(int button, QPointF at) { drag(button, at, {}); }
    void hover(QPointF at) { doc.Picture1_MouseMove(0, 0, float(at.x()), float(at.y())); }
    Pixels ink() const { return painted(doc.Picture1); }
    // The whole image one colour, committed.
    void paper(Colour c)
    {
        doc.Picture1.BackColor = c;
        doc.Picture1.Cls();
        doc.SnapshotAndSync(doc.Picture1, doc.Picture2, doc.PicOrg, true);
    }
};

} // namespace orvtest
