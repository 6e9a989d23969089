// The shape tools through the pointer events, checked on exact pixels of Picture1.
#include "toolfixture.h"

using namespace orv;
using namespace orvtest;
using Fixture = orvtest::ToolFixture;

namespace {

// A white surface of the fixture's size with a pen and brush, to draw what a tool must leave.
Surface reference(int width = 1, Colour c = Red, int brushStyle = BS_HOLLOW, int w = 64, int h = 48)
{
    Surface s(w, h, White);
    s.SelectObject(CreatePenIndirect(LogPen{PS_SOLID, width, width, c}));
    s.SelectObject(CreateBrushIndirect(LogBrush{brushStyle, c, 0}));
    return s;
}
void lines(Surface &s, QPoint from, std::initializer_list<QPoint> to)
{
    for (const QPoint p : to) {
        s.MoveToEx(from.x(), from.y());
        s.LineTo(p.x(), p.y());
    }
}

} // namespace

class TestTools : public QObject {
    Q_OBJECT
private slots:
    void lineAndRays()
    {
        Fixture f("Line");   // the preview shows only the line to the latest pointer position, without its end pixel
        f.drag(1, {10, 10}, {{40, 5}, {50, 40}, {30, 20}});
        Surface want = reference();
        lines(want, {10, 10}, {{30, 20}});
        QCOMPARE(f.doc.Picture1.Image(), want.Image());
        f.host.st.pen.widthX = 3;   // a right-button line is in the background colour, the width of the pen (round ends)
        f.drag(2, {5, 40}, {{25, 40}});
        want.SelectObject(CreatePenIndirect(LogPen{PS_SOLID, 3, 3, Blue}));
        lines(want, {5, 40}, {{25, 40}});
        QCOMPARE(f.doc.Picture1.Image(), want.Image());
        f.doc.Picture1_MouseDown(1, 0, 1, 1);   // moves with no button (or only the middle one) draw nothing; nor does a zero-size drag
        f.doc.Picture1_MouseMove(4, 0, 60, 1);
        f.doc.Picture1_MouseUp(4, 0, 60, 1);
        f.host.st.pen.widthX = 1;
        f.drag(1, {20, 20}, {{20, 20}});
        QCOMPARE(f.doc.Picture1.Image(), want.Image());
        Fixture g("Line");   // from far outside across the image: just the part inside; entirely outside: nothing
        g.drag(1, {-500, 7}, {{900, 7}});
        g.drag(1, {-30, -30}, {{-5, -90}});
        g.drag(1, {100, 100}, {{3000, 200}});
        Pixels row;
        for (int x = 0; x < 64; ++x)
            row << QPoint(x, 7);
        QCOMPARE(g.ink(), row);
        Fixture r("Rays");   // Rays: every move adds a ray from the press point; a new press starts a new fan
        r.drag(1, {32, 24}, {{52, 24}, {32, 44}, {12, 24}, {32, 4}});
        r.drag(1, {5, 5}, {{5, 15}});
        Surface fan = reference();
        lines(fan, {32, 24}, {{52, 24}, {32, 44}, {12, 24}, {32, 4}});
        lines(fan, {5, 5}, {{5, 15}});
        QCOMPARE(r.doc.Picture1.Image(), fan.Image());
    }

    void rectanglesEllipsesAndCircles()
    {
        // Each shape the same drawn either way round, and exactly the surface's own shape for its box.
        struct Case { const char *tool; QPointF from; std::vector<QPointF> moves; QPointF backFrom; std::vector<QPointF> back; QRect box; };
        const Case cases[] = {
            {"Rectangle", {10, 10}, {{50, 40}, {30, 20}}, {30, 20}, {{30, 21}, {10, 10}}, QRect(10, 10, 20, 10)},
            {"Ellipse2", {10, 10}, {{40, 40}, {30, 20}}, {30, 20}, {{10, 10}}, QRect(10, 10, 20, 10)},
            // Centred on the press point with the pointer at a corner of its box.
            {"Ellipse1", {30, 20}, {{50, 40}, {40, 26}}, {30, 20}, {{20, 14}}, QRect(20, 14, 20, 12)},
        };
        for (const Case &c : cases) {
            Fixture a(c.tool), b(c.tool);
            a.drag(1, c.from, c.moves);
            b.drag(1, c.backFrom, c.back);
            const auto shape = [&c](Surface s) {
                const QRect &b = c.box;
                c.tool[0] == 'R' ? s.Rectangle(b.left(), b.top(), b.right() + 1, b.bottom() + 1) : s.Ellipse(b.left(), b.top(), b.right() + 1, b.bottom() + 1);
                return s.Image();
            };
            const QImage want = shape(reference());
            QVERIFY2(a.doc.Picture1.Image() == want && b.doc.Picture1.Image() == want, c.tool);
            a.host.buttons[QStringLiteral("Filled")] = 1;   // "Filled" fills the inside with the stroke colour; "Transparent" takes precedence
            a.paper(White);
            a.drag(1, c.from, c.moves);
            QVERIFY2(a.doc.Picture1.Image() == shape(reference(1, Red, BS_SOLID)), c.tool);
            a.host.buttons[QStringLiteral("Transparent")] = 1;
            a.paper(White);
            a.drag(1, c.from, c.moves);
            QVERIFY2(a.doc.Picture1.Image() == want, c.tool);
        }
        Fixture flat("Ellipse2");   // a zero-width box draws nothing
        flat.drag(1, {10, 10}, {{10, 30}});
        QVERIFY(flat.ink().isEmpty());
        // Circle radii: distances 2.5 (halves go to the even neighbour), 3.5, 5 and sqrt(18) = 4.24, and 0.4.
        for (const auto &[pointer, r] : {std::pair{QPointF(32.5, 30), 2}, {QPointF(33.5, 30), 4}, {QPointF(33, 34), 5}, {QPointF(33, 33), 4},
                                         {QPointF(30.4, 30), 0}}) {
            Fixture f("Circle");
            f.drag(1, {30, 30}, {{45, 45}, pointer});
            Surface want = reference();
            if (r > 0)
                want.Ellipse(30 - r, 30 - r, 30 + r, 30 + r);
            QCOMPARE(f.doc.Picture1.Image(), want.Image());
        }
    }

    void mirrorCountsAndSymmetry()
    {
        for (int count : {0, 1, 2}) {   // a 100 x 60 image: the mirror centre is (50, 30)
            Fixture f("Line", 100, 60);
            f.mirror(count);
            f.drag(1, {10, 10}, {{35, 25}, {30, 20}});
            Surface want = reference(1, Red, BS_HOLLOW, 100, 60);   // each mirror: the line between the mirrored points
            const QPoint ends[][2] = {{{10, 10}, {30, 20}}, {{90, 10}, {70, 20}}, {{90, 50}, {70, 40}}, {{10, 50}, {30, 40}}};
            for (int k = 0; k < (count == 0 ? 1 : 2 * count); ++k)
                lines(want, ends[k][0], {ends[k][1]});
            QCOMPARE(f.doc.Picture1.Image(), want.Image());
        }
        // With count 2 every shape tool draws four separate shapes the size of the first.
        for (const char *name : {"Rectangle", "Circle", "Ellipse1", "Ellipse2", "Rays"}) {
            Fixture single(name, 100, 60), mirrored(name, 100, 60);
            single.drag(1, {20, 15}, {{28, 22}});
            const int one = int(single.ink().size());
            QVERIFY2(one > 0, name);
            mirrored.mirror(2);
            mirrored.drag(1, {20, 15}, {{28, 22}});
            const Pixels ink = mirrored.ink();
            QCOMPARE(ink.size(), 4 * one);
            for (const QPoint c : {QPoint(20, 15), QPoint(80, 15), QPoint(80, 45), QPoint(20, 45)})
                QCOMPARE(around(ink, c, 12).size(), one);
        }
    }

    void contLine()
    {
        Fixture f("Cont Line");
        const auto tool = [&f] { return f.host.st.currentTool; };
        f.click(2, {10, 10});   // a right press does not start the line
        QCOMPARE(tool(), QStringLiteral("Cont Line"));
        f.click(1, {10, 10});
        QCOMPARE(tool(), QStringLiteral("Cont Line Step2"));
        QCOMPARE(f.doc.contLineFirst(), QPoint(10, 10));
        QVERIFY(f.ink().isEmpty());
        f.hover({40, 10});   // the rubber segment follows the pointer while no button is held
        QCOMPARE(f.px(39, 10), Red);
        f.hover({40, 30});
        QCOMPARE(f.px(39, 10), White);
        QCOMPARE(f.ink().size(), 30);
        f.click(1, {40, 30});   // a press makes it a vertex; the next segment starts there (39,29: the first one stayed)
        f.hover({50, 40});
        f.hover({20, 30});
        QCOMPARE(f.pixelsOff({{21, 30, Red}, {40, 30, Red}, {49, 39, White}, {39, 29, Red}}), QString());
        f.doc.Picture1_MouseMove(1, 0, 40, 45);   // moves with a button held draw no segment
        QCOMPARE(f.px(40, 44), White);
        f.hover({11, 10});   // one pixel away from the first point adds a vertex even while closing is on
        f.click(1, {11, 10});
        QCOMPARE(tool(), QStringLiteral("Cont Line Step2"));
        QCOMPARE(f.host.beeps, 0);
        f.hover({10, 10});   // exactly on the first point: the line ends with a beep and a commit
        const int undoBefore = f.doc.UndoIndex();
        f.doc.Picture1_MouseDown(1, 0, 10, 10);
        QCOMPARE(tool(), QStringLiteral("Cont Line"));
        QCOMPARE(f.host.beeps, 1);
        QCOMPARE(f.doc.UndoIndex(), undoBefore + 1);
        QCOMPARE(f.doc.Picture2.Image(), f.doc.Picture1.Image());
        f.doc.Picture1_MouseUp(1, 0, 10, 10);
        Surface closed = reference();   // the polygon 10,10 -> 40,30 -> 11,10 -> 10,10
        closed.MoveToEx(10, 10);
        for (const QPoint p : {QPoint(40, 30), QPoint(11, 10), QPoint(10, 10)})
            closed.LineTo(p.x(), p.y());
        QCOMPARE(f.doc.Picture1.Image(), closed.Image());
        f.host.st.options.ContLineClose = 0;   // with closing off, the first point is just another vertex; the right button ends
        for (const QPointF p : {QPointF(5, 40), QPointF(15, 40), QPointF(5, 40)}) {
            f.hover(p);
            f.click(1, p);
        }
        QCOMPARE(tool(), QStringLiteral("Cont Line Step2"));
        QCOMPARE(f.host.beeps, 1);
        f.hover({5, 46});
        f.click(2, {5, 46});
        QCOMPARE(tool(), QStringLiteral("Cont Line"));
        QCOMPARE(f.host.beeps, 2);
        QCOMPARE(f.pixelsOff({{5, 45, Red}, {14, 40, Red}}), QString());   // the last rubber segment was kept
        f.click(1, {50, 5});   // a right press with the right-button menu on opens the menu and does not end the line
        f.host.st.options.PopupMenu = -1;
        f.click(2, {55, 5});
        QCOMPARE(f.host.popups, 1);
        QCOMPARE(tool(), QStringLiteral("Cont Line Step2"));
        Fixture g("Cont Line");   // another tool chosen while the line is open: the rubber segment goes, uncommitted
        g.click(1, {10, 10});
        g.hover({40, 10});
        QCOMPARE(g.px(30, 10), Red);
        g.tool("Pencil");
        g.hover({5, 40});
        QVERIFY(g.ink().isEmpty());
        g.drag(1, {5, 40}, {{6, 40}});
        QCOMPARE(g.px(30, 10), White);
        QCOMPARE(g.doc.PicOrg.Image(), g.doc.Picture1.Image());
        g.tool("Cont Line");   // Esc ends the line as drawn: the committed segment stays, the rubber segment goes
        g.click(1, {10, 20});
        g.hover({30, 20});
        g.click(1, {30, 20});
        g.hover({30, 40});
        g.doc.Picture1_KeyDown(27, 0);   // Esc, as the document window hands it on
        QCOMPARE(g.host.st.currentTool, QStringLiteral("Cont Line"));
        QCOMPARE(g.pixelsOff({{20, 20, Red}, {30, 35, White}}), QString());
        g.hover({30, 44});
        QCOMPARE(g.px(30, 43), White);
    }

    void curvePressPaintsNothing()
    {
        Fixture f("Curve");
        f.host.st.pen.widthX = 7;
        f.doc.setSaveReq(false);
        f.doc.Picture1_MouseDown(1, 0, 20, 20);
        QVERIFY(f.ink().isEmpty());
        QCOMPARE(f.doc.Picture1.DrawWidth, 7);
        QVERIFY(f.doc.SaveReq());
        QCOMPARE(f.doc.PicOrg.Image(), f.doc.Picture1.Image());
        f.doc.Picture1_MouseMove(1, 0, 30, 30);
        f.doc.Picture1_MouseUp(1, 0, 30, 30);
        QVERIFY(f.ink().isEmpty());
    }

    void oneUndoStepPerGesture()
    {
        Fixture f("", 80, 60);
        struct Gesture { const char *tool; QPointF from; std::vector<QPointF> moves; };
        f.host.st.spray = SprayRecord{1, 1, 50, 6, 0};
        const Gesture gestures[] = {
            {"Pencil", {5, 5}, {{20, 5}, {20, 20}}}, {"Line", {30, 5}, {{40, 40}, {50, 10}}}, {"Rays", {60, 30}, {{70, 30}, {60, 40}}},
            {"Rectangle", {5, 30}, {{25, 50}}},      {"Circle", {40, 45}, {{45, 45}}},        {"Ellipse1", {60, 10}, {{66, 14}}},
            {"Ellipse2", {10, 52}, {{30, 58}}},      {"Spray", {70, 50}, {{72, 52}}},         {"Eraser", {10, 10}, {{15, 10}}},
            {"Fill", {2, 58}, {}},
        };
        f.commit();   // the image as it was opened is the first snapshot
        QVERIFY(!f.doc.CanUndo());
        QList<QImage> images{f.doc.Picture1.Image().copy()};
        for (const Gesture &g : gestures) {
            f.tool(g.tool);
            const int before = f.doc.UndoIndex();
            f.drag(1, g.from, g.moves);
            QVERIFY2(f.doc.UndoIndex() == before + 1 && f.doc.CanUndo(), g.tool);
            QVERIFY2(f.doc.Picture1.Image() != images.last(), g.tool);
            images << f.doc.Picture1.Image().copy();
        }
        for (int i = int(images.size()) - 2; i >= 0; --i) {   // stepping back undoes the gestures one at a time
            f.doc.Undo(1);
            QCOMPARE(f.doc.Picture1.Image(), images.at(i));
        }
    }
};

QTEST_MAIN(TestTools)
#include "tst_tools.moc"
