// The drawing tools, driven through the pointer events as a user drives them: shapes, the
// continuous line, the freehand tools, the fill, the dropper, the transparent-colour pick and
// the text stamp. Every check is on exact pixels of Picture1 (white background, 0x00BBGGRR
// colours).
#include "FakeHost.h"
#include "testsupport.h"

#include <QSet>
#include <QTest>
#include <vector>

using namespace orv;
using orvtest::FakeHost;
using orvtest::FakeView;

namespace {

constexpr Colour White = 0xFFFFFF;
constexpr Colour Red = RGBColour(255, 0, 0);
constexpr Colour Blue = RGBColour(0, 0, 255);
constexpr Colour Green = RGBColour(0, 160, 0);

// A blank white image with the given tool chosen: red on blue, a one-pixel pen, hollow shapes.
struct Fixture : orvtest::DocFixture {
    explicit Fixture(const char *toolName = "", int w = 64, int h = 48) : DocFixture(w, h)
    {
        tool(toolName);
        host.st.foreColour = Red;
        host.st.backColour = Blue;
        host.st.pen.widthX = 1;
        host.st.brush.style = BS_HOLLOW;
        doc.setSprayRandomSeed(12345);
    }
    void tool(const char *name) { host.st.currentTool = QString::fromLatin1(name); }
    // Mirror drawing with `count` mirrors, or none for 0.
    void mirror(int count)
    {
        doc.setMirrorEnabled(count > 0);
        host.st.mirrorCount = std::int16_t(std::max(count, 1));
    }
    // One drag: press, the moves in order with the button held, release at the last point.
    void drag(int button, QPointF from, const std::vector<QPointF> &moves)
    {
        doc.Picture1_MouseDown(button, 0, float(from.x()), float(from.y()));
        QPointF last = from;
        for (const QPointF &p : moves) {
            doc.Picture1_MouseMove(button, 0, float(p.x()), float(p.y()));
            last = p;
        }
        doc.Picture1_MouseUp(button, 0, float(last.x()), float(last.y()));
    }
    void click(int button, QPointF at) { drag(button, at, {}); }
    void hover(QPointF at) { doc.Picture1_MouseMove(0, 0, float(at.x()), float(at.y())); }
    // Paints the whole image one colour and commits it.
    void paper(Colour c)
    {
        doc.Picture1.BackColor = c;
        doc.Picture1.Cls();
        doc.SnapshotAndSync(doc.Picture1, doc.Picture2, doc.PicOrg, true);
    }
};

// Every pixel that is not `background`.
QSet<QPoint> inked(const Surface &s, Colour background = White)
{
    QSet<QPoint> out;
    for (int y = 0; y < s.ScaleHeight(); ++y)
        for (int x = 0; x < s.ScaleWidth(); ++x)
            if (s.GetPixel(x, y) != background)
                out.insert(QPoint(x, y));
    return out;
}

QRect bounds(const QSet<QPoint> &points)
{
    QRect r;
    for (const QPoint &p : points)
        r |= QRect(p, QSize(1, 1));
    return r;
}

// The points moved so that `origin` becomes (0, 0).
QSet<QPoint> relativeTo(const QSet<QPoint> &points, QPoint origin)
{
    QSet<QPoint> out;
    for (const QPoint &p : points)
        out.insert(p - origin);
    return out;
}

// The points of `all` inside the square of half size `half` around `centre`.
QSet<QPoint> around(const QSet<QPoint> &all, QPoint centre, int half)
{
    QSet<QPoint> out;
    for (const QPoint &p : all)
        if (std::abs(p.x() - centre.x()) <= half && std::abs(p.y() - centre.y()) <= half)
            out.insert(p);
    return out;
}

QString art(const Surface &s) { return orvtest::asciiArt(s.Image(), 0xFFFFFFFFu); }

} // namespace

class TestTools : public QObject {
    Q_OBJECT
private slots:
    void lineEndPixelAndPreview()
    {
        Fixture f("Line");
        // The preview shows only the line to the latest pointer position.
        f.drag(1, {10, 10}, {{40, 5}, {50, 40}, {30, 20}});
        const QSet<QPoint> ink = inked(f.doc.Picture1);
        QCOMPARE(f.px(10, 10), Red);
        QCOMPARE(f.px(30, 20), White);            // the end pixel is not painted
        QCOMPARE(f.px(29, 19), Red);
        QCOMPARE(ink.size(), 20);                 // one pixel per step along x, 10 to 29
        QCOMPARE(bounds(ink), QRect(10, 10, 20, 10));
        QCOMPARE(f.px(39, 5), White);             // earlier previews are gone
        // A right-button line is in the background colour, the width of the pen.
        f.host.st.pen.widthX = 3;
        f.drag(2, {5, 40}, {{25, 40}});
        QCOMPARE(f.px(5, 39), Blue);
        QCOMPARE(f.px(25, 41), Blue);             // wide pens paint their round end
        QCOMPARE(f.px(5, 38), White);
        QCOMPARE(f.px(15, 42), White);
        // Moves with no button (or only the middle one) draw nothing.
        const QImage before = f.doc.Picture1.Image().copy();
        f.doc.Picture1_MouseDown(1, 0, 1, 1);
        f.doc.Picture1_MouseMove(4, 0, 60, 1);
        f.doc.Picture1_MouseUp(4, 0, 60, 1);
        QCOMPARE(f.doc.Picture1.Image(), before);
    }

    void lineBadInput()
    {
        Fixture f("Line");
        // A zero-size drag paints nothing (a one-pixel line has no pixel but its end).
        f.drag(1, {20, 20}, {{20, 20}});
        QVERIFY(inked(f.doc.Picture1).isEmpty());
        // A stroke from far outside across the image paints just the part inside it.
        f.drag(1, {-500, 7}, {{900, 7}});
        QSet<QPoint> ink = inked(f.doc.Picture1);
        QCOMPARE(ink.size(), 64);
        QCOMPARE(bounds(ink), QRect(0, 7, 64, 1));
        // Entirely outside: nothing.
        f.drag(1, {-30, -30}, {{-5, -90}});
        f.drag(1, {100, 100}, {{3000, 200}});
        QCOMPARE(inked(f.doc.Picture1).size(), 64);
    }

    void raysAccumulate()
    {
        Fixture f("Rays");
        f.drag(1, {32, 24}, {{52, 24}, {32, 44}, {12, 24}, {32, 4}});
        // Four rays from the press point, each without its end pixel.
        QCOMPARE(f.px(51, 24), Red);
        QCOMPARE(f.px(52, 24), White);
        QCOMPARE(f.px(32, 43), Red);
        QCOMPARE(f.px(13, 24), Red);
        QCOMPARE(f.px(32, 5), Red);
        QCOMPARE(inked(f.doc.Picture1).size(), 4 * 20 - 3);   // the press pixel is shared
        // A new press starts a new fan; the old one stays.
        f.drag(1, {5, 5}, {{5, 15}});
        QCOMPARE(f.px(5, 14), Red);
        QCOMPARE(f.px(51, 24), Red);
    }

    void rectangleEitherWayRoundAndBrush()
    {
        Fixture a("Rectangle");
        a.drag(1, {10, 10}, {{50, 40}, {30, 20}});
        Fixture b("Rectangle");
        b.drag(1, {30, 20}, {{30, 21}, {10, 10}});
        QCOMPARE(a.doc.Picture1.Image(), b.doc.Picture1.Image());
        // Outline columns 10..29, rows 10..19; the hollow brush leaves the inside.
        QCOMPARE(a.px(10, 10), Red);
        QCOMPARE(a.px(29, 19), Red);
        QCOMPARE(a.px(30, 19), White);
        QCOMPARE(a.px(29, 20), White);
        QCOMPARE(a.px(20, 15), White);
        QCOMPARE(inked(a.doc.Picture1).size(), 2 * 20 + 2 * 8);
        // "Filled" fills the inside with the stroke colour.
        a.host.buttons[QStringLiteral("Filled")] = 1;
        a.drag(1, {40, 30}, {{50, 40}});
        QCOMPARE(a.px(45, 35), Red);
        QCOMPARE(a.px(50, 40), White);
        // "Transparent" takes precedence and leaves the inside.
        a.host.buttons[QStringLiteral("Transparent")] = 1;
        a.drag(1, {40, 5}, {{50, 9}});
        QCOMPARE(a.px(45, 7), White);
        QCOMPARE(a.px(45, 5), Red);
    }

    void circleRadiusRounding()
    {
        struct Case {
            QPointF pointer;
            int r;
        };
        // Distances 2.5 (halves go to the even neighbour), 3.5, 5 and sqrt(18) = 4.24.
        const Case cases[] = {{{32.5, 30}, 2}, {{33.5, 30}, 4}, {{33, 34}, 5}, {{33, 33}, 4}};
        for (const Case &c : cases) {
            Fixture f("Circle");
            f.drag(1, {30, 30}, {{45, 45}, c.pointer});
            const QSet<QPoint> ink = inked(f.doc.Picture1);
            // The circle's box is (30 - r, 30 - r) to (30 + r, 30 + r), right and bottom excluded.
            QCOMPARE(bounds(ink), QRect(30 - c.r, 30 - c.r, 2 * c.r, 2 * c.r));
            // Symmetric about the box centre (30 - 0.5, 30 - 0.5).
            for (const QPoint &p : ink) {
                QVERIFY(ink.contains(QPoint(59 - p.x(), p.y())));
                QVERIFY(ink.contains(QPoint(p.y(), p.x())));
            }
            // Drawn the same way as the box ellipse itself.
            Surface ref(64, 48, White);
            ref.SelectObject(CreatePenIndirect(LogPen{PS_SOLID, 1, 1, Red}));
            ref.SelectObject(CreateBrushIndirect(LogBrush{BS_HOLLOW, Red, 0}));
            ref.Ellipse(30 - c.r, 30 - c.r, 30 + c.r, 30 + c.r);
            QCOMPARE(f.doc.Picture1.Image(), ref.Image());
        }
        // A zero-radius drag draws nothing.
        Fixture f("Circle");
        f.drag(1, {30, 30}, {{30.4, 30}});
        QVERIFY(inked(f.doc.Picture1).isEmpty());
    }

    void ellipseKinds()
    {
        // Kind 2: inscribed in the box from the press point to the pointer.
        Fixture two("Ellipse2");
        two.drag(1, {10, 10}, {{40, 40}, {30, 20}});
        const QSet<QPoint> e2 = inked(two.doc.Picture1);
        QCOMPARE(bounds(e2), QRect(10, 10, 20, 10));
        QCOMPARE(two.px(20, 10), Red);            // top and bottom of the ellipse at its middle
        QCOMPARE(two.px(20, 19), Red);
        QCOMPARE(two.px(10, 10), White);          // not the box corners
        QCOMPARE(two.px(20, 15), White);          // hollow
        // Dragged the other way round, the same ellipse.
        Fixture back("Ellipse2");
        back.drag(1, {30, 20}, {{10, 10}});
        QCOMPARE(back.doc.Picture1.Image(), two.doc.Picture1.Image());

        // Kind 1: centred on the press point with the pointer at a corner of its box, so the box
        // runs from (2 * 30 - 40, 2 * 20 - 26) = (20, 14) to (40, 26).
        Fixture one("Ellipse1");
        one.drag(1, {30, 20}, {{50, 40}, {40, 26}});
        const QSet<QPoint> e1 = inked(one.doc.Picture1);
        QCOMPARE(bounds(e1), QRect(20, 14, 20, 12));
        // The pointer on the other side gives the same box.
        Fixture other("Ellipse1");
        other.drag(1, {30, 20}, {{20, 14}});
        QCOMPARE(other.doc.Picture1.Image(), one.doc.Picture1.Image());
        // Filled with the "Filled" button; the outline is in the pen colour, the inside the brush's.
        Fixture filled("Ellipse1");
        filled.host.buttons[QStringLiteral("Filled")] = 1;
        filled.drag(1, {30, 20}, {{40, 26}});
        const QSet<QPoint> solid = inked(filled.doc.Picture1);
        QVERIFY(solid.contains(e1));
        QCOMPARE(bounds(solid), bounds(e1));
        for (int y = 15; y < 25; ++y)
            QCOMPARE(filled.px(30, y), Red);      // the middle column is solid
        QCOMPARE(filled.px(30, 20), Red);
        // A zero-width box draws nothing.
        Fixture flat("Ellipse2");
        flat.drag(1, {10, 10}, {{10, 30}});
        QVERIFY(inked(flat.doc.Picture1).isEmpty());
    }

    void mirrorCountsAndSymmetry()
    {
        // A 100 x 60 image: the mirror centre is (50, 30).
        const int counts[] = {0, 1, 2};
        for (int count : counts) {
            Fixture f("Line", 100, 60);
            f.mirror(count);
            f.drag(1, {10, 10}, {{35, 25}, {30, 20}});
            const QSet<QPoint> ink = inked(f.doc.Picture1);
            const int lines = count == 0 ? 1 : 2 * count;
            QCOMPARE(ink.size(), 20 * lines);
            for (const QPoint &p : ink) {
                if (count >= 1)
                    QVERIFY(ink.contains(QPoint(100 - p.x(), p.y())));
                if (count == 2) {
                    QVERIFY(ink.contains(QPoint(100 - p.x(), 60 - p.y())));
                    QVERIFY(ink.contains(QPoint(p.x(), 60 - p.y())));
                }
            }
            QCOMPARE(f.px(90, 10), count >= 1 ? Red : White);
            QCOMPARE(f.px(90, 50), count == 2 ? Red : White);
            QCOMPARE(f.px(10, 50), count == 2 ? Red : White);
        }
        // Every shape tool repeats its shape for the mirror entries: with count 2 four shapes that
        // do not touch each other, each as many pixels as the one for the pointer.
        const char *shapes[] = {"Rectangle", "Circle", "Ellipse1", "Ellipse2", "Rays"};
        for (const char *name : shapes) {
            Fixture single(name, 100, 60);
            single.drag(1, {20, 15}, {{28, 22}});
            const int one = int(inked(single.doc.Picture1).size());
            QVERIFY2(one > 0, name);
            Fixture mirrored(name, 100, 60);
            mirrored.mirror(2);
            mirrored.drag(1, {20, 15}, {{28, 22}});
            const QSet<QPoint> ink = inked(mirrored.doc.Picture1);
            QCOMPARE(ink.size(), 4 * one);
            QCOMPARE(around(ink, {20, 15}, 12).size(), one);
            QCOMPARE(around(ink, {80, 15}, 12).size(), one);
            QCOMPARE(around(ink, {80, 45}, 12).size(), one);
            QCOMPARE(around(ink, {20, 45}, 12).size(), one);
        }
    }

    void contLineVerticesAndEnds()
    {
        Fixture f("Cont Line");
        // A right press does not start the line.
        f.click(2, {10, 10});
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Cont Line"));
        f.click(1, {10, 10});
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Cont Line Step2"));
        QCOMPARE(f.doc.contLineFirst(), QPoint(10, 10));
        QVERIFY(inked(f.doc.Picture1).isEmpty());
        // The rubber segment follows the pointer while no button is held.
        f.hover({40, 10});
        QCOMPARE(f.px(39, 10), Red);
        f.hover({40, 30});
        QCOMPARE(f.px(39, 10), White);
        QCOMPARE(inked(f.doc.Picture1).size(), 30);
        // A press makes it a vertex; the next segment starts there.
        f.click(1, {40, 30});
        QCOMPARE(f.host.beeps, 0);
        f.hover({50, 40});
        f.hover({20, 30});
        QCOMPARE(f.px(21, 30), Red);
        QCOMPARE(f.px(40, 30), Red);
        QCOMPARE(f.px(49, 39), White);
        QCOMPARE(f.px(39, 29), Red);              // the first segment stayed
        // Moves with a button held draw no segment.
        f.doc.Picture1_MouseMove(1, 0, 40, 45);
        QCOMPARE(f.px(40, 44), White);
        // One pixel away from the first point adds a vertex even while closing is on.
        f.hover({11, 10});
        f.click(1, {11, 10});
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Cont Line Step2"));
        QCOMPARE(f.host.beeps, 0);
        // Exactly on the first point: the line ends with a beep and a commit.
        f.hover({10, 10});
        const int undoBefore = f.doc.UndoIndex();
        f.doc.Picture1_MouseDown(1, 0, 10, 10);
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Cont Line"));
        QCOMPARE(f.host.beeps, 1);
        QCOMPARE(f.doc.UndoIndex(), undoBefore + 1);
        QCOMPARE(f.doc.Picture2.Image(), f.doc.Picture1.Image());
        f.doc.Picture1_MouseUp(1, 0, 10, 10);
        // The closed polygon: 10,10 -> 40,30 -> 20,30 -> 11,10 -> 10,10.
        QCOMPARE(f.px(10, 10), Red);
        QCOMPARE(f.px(11, 10), Red);
        QCOMPARE(f.px(25, 25), White);
        // With closing off, the first point is just another vertex; the right button ends.
        f.host.st.options.ContLineClose = 0;
        f.click(1, {5, 40});
        f.hover({15, 40});
        f.click(1, {15, 40});
        f.hover({5, 40});
        f.click(1, {5, 40});
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Cont Line Step2"));
        QCOMPARE(f.host.beeps, 1);
        f.hover({5, 46});
        f.click(2, {5, 46});
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Cont Line"));
        QCOMPARE(f.host.beeps, 2);
        QCOMPARE(f.px(5, 45), Red);               // the last rubber segment was kept
        QCOMPARE(f.px(14, 40), Red);
        // A right press with the right-button menu on opens the menu and does not end the line.
        f.click(1, {50, 5});
        f.host.st.options.PopupMenu = -1;
        f.click(2, {55, 5});
        QCOMPARE(f.host.popups, 1);
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Cont Line Step2"));
    }

    void contLineRubberGoesWithTheTool()
    {
        // Another tool chosen while the line is open: the rubber segment goes at the next pointer
        // event, and the next stroke does not commit it.
        Fixture f("Cont Line");
        f.click(1, {10, 10});
        f.hover({40, 10});
        QCOMPARE(f.px(30, 10), Red);
        f.tool("Pencil");
        f.hover({5, 40});
        QVERIFY(inked(f.doc.Picture1).isEmpty());
        f.drag(1, {5, 40}, {{6, 40}});
        QCOMPARE(f.px(30, 10), White);
        QCOMPARE(f.doc.PicOrg.Image(), f.doc.Picture1.Image());
        // Esc ends the line as drawn: the committed segment stays, the rubber segment goes.
        f.tool("Cont Line");
        f.click(1, {10, 20});
        f.hover({30, 20});
        f.click(1, {30, 20});
        f.hover({30, 40});
        f.doc.Picture1_KeyDown(27, 0);   // Esc, as the document window hands it on
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Cont Line"));
        QCOMPARE(f.px(20, 20), Red);
        QCOMPARE(f.px(30, 35), White);
        f.hover({30, 44});
        QCOMPARE(f.px(30, 43), White);
    }

    void curvePressPaintsNothing()
    {
        Fixture f("Curve");
        f.host.st.pen.widthX = 7;
        f.doc.setSaveReq(false);
        f.doc.Picture1_MouseDown(1, 0, 20, 20);
        QVERIFY(inked(f.doc.Picture1).isEmpty());
        QCOMPARE(f.doc.Picture1.DrawWidth, 7);
        QVERIFY(f.doc.SaveReq());
        QCOMPARE(f.doc.PicOrg.Image(), f.doc.Picture1.Image());
        f.doc.Picture1_MouseMove(1, 0, 30, 30);
        f.doc.Picture1_MouseUp(1, 0, 30, 30);
        QVERIFY(inked(f.doc.Picture1).isEmpty());
    }

    void pencil()
    {
        // A click is one pixel whatever the pen width.
        for (int width : {1, 5, 16}) {
            Fixture f("Pencil");
            f.host.st.pen.widthX = width;
            f.click(1, {20, 20});
            const QSet<QPoint> ink = inked(f.doc.Picture1);
            QCOMPARE(ink, QSet<QPoint>({QPoint(20, 20)}));
            QCOMPARE(f.px(20, 20), Red);
        }
        // A drag joins the pointer positions with lines of the pen.
        Fixture f("Pencil");
        f.drag(1, {10, 10}, {{20, 10}, {20, 15}});
        QSet<QPoint> ink = inked(f.doc.Picture1);
        QCOMPARE(ink.size(), 15);                 // 10..20 on row 10, 11..14 on column 20
        QCOMPARE(f.px(20, 10), Red);
        QCOMPARE(f.px(20, 14), Red);
        QCOMPARE(f.px(20, 15), White);            // a one-pixel line ends short of the pointer
        // Right button: the background colour; the pen width makes the trail.
        f.host.st.pen.widthX = 4;
        f.drag(2, {40, 30}, {{50, 30}});
        QCOMPARE(f.px(45, 28), Blue);
        QCOMPARE(f.px(45, 31), Blue);
        QCOMPARE(f.px(45, 27), White);
        QCOMPARE(f.px(45, 32), White);
        // Mirrored: the click at the four points.
        Fixture m("Pencil", 100, 60);
        m.mirror(2);
        m.click(1, {10, 20});
        QCOMPARE(inked(m.doc.Picture1),
                 QSet<QPoint>({QPoint(10, 20), QPoint(90, 20), QPoint(90, 40), QPoint(10, 40)}));
        // Strokes that leave the image paint only inside it.
        Fixture out("Pencil");
        out.drag(1, {-10, 5}, {{-3, 5}, {100, 5}, {100, 200}});
        ink = inked(out.doc.Picture1);
        QCOMPARE(bounds(ink), QRect(0, 5, 64, 1));
    }

    void eraser()
    {
        Fixture f("Eraser");
        f.paper(Red);
        // The press leaves a round dot 14 across in the background colour.
        f.doc.Picture1_MouseDown(1, 0, 20, 20);
        QSet<QPoint> erased = inked(f.doc.Picture1, Red);
        QCOMPARE(bounds(erased), QRect(13, 13, 14, 14));
        QCOMPARE(f.px(13, 20), Blue);
        QCOMPARE(f.px(13, 13), Red);              // round, not square
        // Surface settings the move changes come back afterwards.
        f.doc.Picture1.DrawWidth = 3;
        f.doc.Picture1.FillStyle = 0;
        f.doc.Picture1.ForeColor = Green;
        f.doc.Picture1_MouseMove(1, 0, 40, 20);
        QCOMPARE(f.doc.Picture1.DrawWidth, 3);
        QCOMPARE(f.doc.Picture1.FillStyle, 0);
        QCOMPARE(f.doc.Picture1.ForeColor, Green);
        QCOMPARE(f.doc.Picture1.selectedPen().width, 1);
        f.doc.Picture1_MouseUp(1, 0, 40, 20);
        // The band is 14 rows high: rows 13..26 along the path.
        for (int y = 10; y < 30; ++y)
            QCOMPARE(f.px(30, y), (y >= 13 && y <= 26) ? Blue : Red);
        erased = inked(f.doc.Picture1, Red);
        QCOMPARE(bounds(erased), QRect(13, 13, 34, 14));
        // A right-button drag erases nothing.
        const QImage before = f.doc.Picture1.Image().copy();
        f.drag(2, {10, 40}, {{50, 40}, {50, 5}});
        QCOMPARE(f.doc.Picture1.Image(), before);
        // Mirrored: the dot at each mirror point too.
        Fixture m("Eraser", 100, 60);
        m.paper(Red);
        m.mirror(1);
        m.click(1, {20, 20});
        erased = inked(m.doc.Picture1, Red);
        QCOMPARE(erased.size(), 2 * around(erased, {20, 20}, 10).size());
        QCOMPARE(m.px(80, 20), Blue);
        QCOMPARE(m.px(80, 40), Red);
    }

    void sprayInsideRadius()
    {
        Fixture f("Spray", 100, 100);
        f.host.st.spray = SprayRecord{1, 1, 400, 12, 0};
        f.doc.Picture1_MouseDown(1, 0, 50, 50);
        QSet<QPoint> ink = inked(f.doc.Picture1);
        // About pi/4 of 400 tries land; all strictly inside the radius.
        QVERIFY2(ink.size() > 150, qPrintable(QString::number(ink.size())));
        for (const QPoint &p : ink) {
            const int dx = p.x() - 50, dy = p.y() - 50;
            QVERIFY(dx * dx + dy * dy < 144);
            QCOMPARE(f.px(p.x(), p.y()), Red);
        }
        // Offsets reaching the radius itself never land; those just inside do.
        QVERIFY(!ink.contains(QPoint(62, 50)));
        QVERIFY(!ink.contains(QPoint(50, 38)));
        QCOMPARE(f.doc.Picture1.DrawWidth, 1);
        // Each move sprays again around the pointer; a move without a button does not.
        f.doc.Picture1_MouseMove(1, 0, 20, 20);
        QVERIFY(!around(inked(f.doc.Picture1), {20, 20}, 12).isEmpty());
        const int n = int(inked(f.doc.Picture1).size());
        f.doc.Picture1_MouseMove(0, 0, 80, 20);
        QCOMPARE(int(inked(f.doc.Picture1).size()), n);
        f.doc.Picture1_MouseUp(1, 0, 80, 20);
        // Dot width: the press sets DrawWidth to the spray width, each dot is that wide.
        Fixture w("Spray", 100, 100);
        w.host.st.spray = SprayRecord{5, 5, 50, 1, 0};
        w.click(2, {50, 50});
        QCOMPARE(w.doc.Picture1.DrawWidth, 5);
        QCOMPARE(bounds(inked(w.doc.Picture1)), QRect(48, 48, 5, 5));
        QCOMPARE(w.px(50, 50), Blue);
    }

    void sprayRadiusLimits()
    {
        // Radius 0: no offset lies below 0, nothing is painted.
        Fixture zero("Spray");
        zero.host.st.spray = SprayRecord{1, 1, 500, 0, 0};
        zero.drag(1, {30, 30}, {{31, 31}});
        QVERIFY(inked(zero.doc.Picture1).isEmpty());
        // Radius 1: only the centre offset, so every dot is on the pointer.
        Fixture one("Spray");
        one.host.st.spray = SprayRecord{1, 1, 500, 1, 0};
        one.drag(1, {30, 30}, {{40, 35}});
        QCOMPARE(inked(one.doc.Picture1), QSet<QPoint>({QPoint(30, 30), QPoint(40, 35)}));
        // The largest radius and density and a width-16 dot at a corner and outside the image:
        // only pixels of the image change, and none outside the disc grown by the dot.
        Fixture big("Spray");
        big.host.st.spray = SprayRecord{16, 16, 500, 150, 0};
        big.drag(1, {0, 0}, {{-400, -400}, {63, 47}});
        const QSet<QPoint> ink = inked(big.doc.Picture1);
        QVERIFY(!ink.isEmpty());
        QVERIFY(QRect(0, 0, 64, 48).contains(bounds(ink)));
        // Density 0 paints nothing.
        Fixture none("Spray");
        none.host.st.spray = SprayRecord{1, 1, 0, 20, 0};
        none.drag(1, {30, 30}, {{31, 31}});
        QVERIFY(inked(none.doc.Picture1).isEmpty());
    }

    void sprayMirrorRepeatsOffsets()
    {
        Fixture f("Spray", 100, 60);
        f.host.st.spray = SprayRecord{1, 1, 120, 9, 0};
        f.mirror(2);
        f.doc.Picture1_MouseDown(1, 0, 25, 18);
        const QSet<QPoint> ink = inked(f.doc.Picture1);
        // The pointer (25, 18) and its mirrors (75, 18), (75, 42), (25, 42): the same pattern.
        const QSet<QPoint> at0 = relativeTo(around(ink, {25, 18}, 9), {25, 18});
        QVERIFY(at0.size() > 20);
        QCOMPARE(relativeTo(around(ink, {75, 18}, 9), {75, 18}), at0);
        QCOMPARE(relativeTo(around(ink, {75, 42}, 9), {75, 42}), at0);
        QCOMPARE(relativeTo(around(ink, {25, 42}, 9), {25, 42}), at0);
        QCOMPARE(ink.size(), 4 * at0.size());
        // ... which is not its own mirror image, so a mirrored copy would differ.
        QSet<QPoint> flipped;
        for (const QPoint &p : at0)
            flipped.insert(QPoint(-p.x(), p.y()));
        QVERIFY(flipped != at0);
        // The same seed repeats the same pattern; another seed does not.
        Fixture again("Spray", 100, 60);
        again.host.st.spray = f.host.st.spray;
        again.doc.Picture1_MouseDown(1, 0, 25, 18);
        QCOMPARE(relativeTo(inked(again.doc.Picture1), {25, 18}), at0);
        Fixture other("Spray", 100, 60);
        other.doc.setSprayRandomSeed(999);
        other.host.st.spray = f.host.st.spray;
        other.doc.Picture1_MouseDown(1, 0, 25, 18);
        QVERIFY(relativeTo(inked(other.doc.Picture1), {25, 18}) != at0);
    }

    void fillConnectivityCommitAndBrush()
    {
        Fixture f;
        // A closed box (10,10)-(29,19) and, touching its corner only diagonally, a second one.
        f.tool("Rectangle");
        f.drag(1, {10, 10}, {{30, 20}});
        f.drag(1, {30, 20}, {{40, 30}});
        f.host.st.foreColour = Green;
        f.tool("Fill");
        f.doc.Picture1_MouseDown(1, 0, 15, 15);
        // Committed at once, before the release.
        QCOMPARE(f.doc.Picture2.Image(), f.doc.Picture1.Image());
        QCOMPARE(f.doc.PicOrg.Image(), f.doc.Picture1.Image());
        QVERIFY(f.doc.previewDirty().isEmpty());
        f.doc.Picture1_MouseUp(1, 0, 15, 15);
        // Inside the first box only: the area is 4-connected, diagonal contact does not leak.
        for (int y = 11; y <= 18; ++y)
            for (int x = 11; x <= 28; ++x)
                QCOMPARE(f.px(x, y), Green);
        QCOMPARE(f.px(10, 10), Red);
        QCOMPARE(f.px(35, 25), White);
        QCOMPARE(f.px(5, 5), White);
        QCOMPARE(int(inked(f.doc.Picture1).size()), (2 * 20 + 2 * 8) + (2 * 10 + 2 * 8) + 18 * 8);
        // The brush record stays solid: a rectangle with neither shape button pressed is filled.
        QCOMPARE(f.host.st.brush.style, BS_SOLID);
        f.host.st.foreColour = Red;
        f.tool("Rectangle");
        f.drag(1, {45, 5}, {{55, 12}});
        QCOMPARE(f.px(50, 8), Red);
        // A right press fills with the background colour; the outside area here.
        f.tool("Fill");
        f.click(2, {2, 40});
        QCOMPARE(f.px(2, 40), Blue);
        QCOMPARE(f.px(35, 25), White);            // inside the second box is not connected to it
        QCOMPARE(f.px(15, 15), Green);
        // Filling an area with its own colour changes nothing.
        const QImage before = f.doc.Picture1.Image().copy();
        f.host.st.backColour = Blue;
        f.click(2, {2, 40});
        QCOMPARE(f.doc.Picture1.Image(), before);
        // The middle button does not fill.
        f.click(4, {35, 25});
        QCOMPARE(f.doc.Picture1.Image(), before);
    }

    void fillClipMirrorAndOutside()
    {
        // A clip region bounds the fill; a point outside it fills nothing.
        Fixture f;
        f.host.st.drawColour = Green;
        f.doc.Picture1.SelectClipRgn(CreateRectRgn(5, 5, 20, 15));
        f.doc.FloodFillAt(1, 0, 30, 30, 1);
        QVERIFY(inked(f.doc.Picture1).isEmpty());
        f.doc.FloodFillAt(1, 0, 10, 10, 1);
        QCOMPARE(bounds(inked(f.doc.Picture1)), QRect(5, 5, 15, 10));
        QCOMPARE(inked(f.doc.Picture1).size(), 150);
        // Outside the image: nothing, and no other phase fills.
        f.doc.Picture1.SelectClipRgn(Region());
        f.doc.FloodFillAt(1, 0, -1, 10, 1);
        f.doc.FloodFillAt(1, 0, 64, 10, 1);
        f.doc.FloodFillAt(1, 0, 10, 48, 1);
        f.doc.FloodFillAt(1, 0, 40, 40, 2);
        QCOMPARE(inked(f.doc.Picture1).size(), 150);

        // Mirrored: the mirror points lie in differently coloured areas; each one is filled.
        Fixture m("Line", 100, 60);
        m.host.st.pen.widthX = 1;
        m.drag(1, {50, 0}, {{50, 60}});          // column 50
        m.drag(1, {0, 30}, {{100, 30}});         // row 30
        // Colour three quadrants differently; the top left stays white.
        m.tool("Fill");
        m.host.st.foreColour = Blue;
        m.click(1, {70, 10});
        m.host.st.foreColour = Green;
        m.click(1, {70, 50});
        m.host.st.foreColour = RGBColour(200, 200, 0);
        m.click(1, {10, 50});
        m.mirror(2);
        m.host.st.foreColour = RGBColour(90, 10, 10);
        m.click(1, {10, 10});
        for (QPoint p : {QPoint(10, 10), QPoint(90, 10), QPoint(90, 50), QPoint(10, 50), QPoint(0, 0), QPoint(99, 59)})
            QCOMPARE(m.px(p.x(), p.y()), RGBColour(90, 10, 10));
        QCOMPARE(m.px(50, 10), Red);
        QCOMPARE(m.px(10, 30), Red);
        // Mirror count 1: the pointer and the vertical-axis mirror only.
        m.mirror(1);
        m.host.st.foreColour = Blue;
        m.click(1, {10, 10});
        QCOMPARE(m.px(10, 10), Blue);
        QCOMPARE(m.px(90, 10), Blue);
        QCOMPARE(m.px(90, 50), RGBColour(90, 10, 10));
    }

    void dropperAndTransparentTransitions()
    {
        Fixture f;
        f.doc.Picture1.SetPixel(5, 5, Red);
        f.doc.Picture1.SetPixel(6, 6, Green);
        f.host.st.foreColour = 0;
        f.host.st.previousTool = QStringLiteral("Pencil");
        f.tool("Dropper");
        f.click(1, {5, 5});
        QCOMPARE(f.host.st.foreColour, Red);
        QCOMPARE(f.host.fore, Red);
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Pencil"));
        QCOMPARE(f.host.st.previousTool, QStringLiteral("Pencil"));
        // A second use returns to the same tool; the right button sets the background.
        f.tool("Dropper");
        f.click(2, {6, 6});
        QCOMPARE(f.host.st.backColour, Green);
        QCOMPARE(f.host.back, Green);
        QCOMPARE(f.host.st.foreColour, Red);
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Pencil"));
        // The middle button changes nothing; neither does a point outside the image.
        f.tool("Dropper");
        f.click(4, {6, 6});
        f.click(1, {-3, 70});
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Dropper"));
        QCOMPARE(f.host.st.foreColour, Red);
        QVERIFY(inked(f.doc.Picture1).size() == 2);   // the dropper paints nothing

        // The transparent colour: taken from the image, back to the previous tool, which empties.
        f.host.st.previousTool = QStringLiteral("Fill");
        f.tool("Set Transparent Color");
        f.click(1, {6, 6});
        QCOMPARE(f.host.st.transparentColour, Green);
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Fill"));
        QVERIFY(f.host.st.previousTool.isEmpty());
        QVERIFY(inked(f.doc.Picture1).size() == 2);
    }

    void textStamp()
    {
        Fixture f("Text", 200, 80);
        // Cancel: the dialog was shown, nothing is printed.
        f.host.onTextDialog = [](AppState &st) { st.text.text = QStringLiteral("typed then cancelled"); };
        f.click(1, {10, 10});
        QCOMPARE(f.host.textDialogs, 1);
        QVERIFY(inked(f.doc.Picture1).isEmpty());
        // A right press neither shows the dialog nor prints.
        f.host.onTextDialog = [](AppState &st) {
            st.text.text = QStringLiteral("Hello");
            st.textDialogPending = false;
        };
        f.click(2, {10, 10});
        QCOMPARE(f.host.textDialogs, 1);
        QVERIFY(inked(f.doc.Picture1).isEmpty());
        // OK with an empty text prints nothing.
        f.host.onTextDialog = [](AppState &st) {
            st.text.text.clear();
            st.textDialogPending = false;
        };
        f.click(1, {10, 10});
        QCOMPARE(f.host.textDialogs, 2);
        QVERIFY(inked(f.doc.Picture1).isEmpty());
        // OK: the text at the press point in the record's font and colour.
        f.host.onTextDialog = [](AppState &st) {
            st.text.text = QStringLiteral("HHH");
            st.text.fontSize = 20;
            st.text.bold = true;
            st.text.underline = true;
            st.text.colour = Green;
            st.textDialogPending = false;
        };
        f.doc.Picture1.ForeColor = Red;
        f.click(1, {30, 20});
        const QSet<QPoint> ink = inked(f.doc.Picture1);
        QVERIFY(!ink.isEmpty());
        const QRect box = bounds(ink);
        QVERIFY2(box.left() >= 29 && box.top() >= 19, qPrintable(art(f.doc.Picture1)));
        QVERIFY(box.left() <= 34);
        QVERIFY(box.height() > 10);               // 20 points tall, not the 8-point default
        // Fully inked pixels are the text colour.
        int solid = 0;
        for (const QPoint &p : ink)
            solid += f.px(p.x(), p.y()) == Green;
        QVERIFY(solid > 10);
        QVERIFY(f.doc.Picture1.Font.bold());
        QVERIFY(f.doc.Picture1.Font.underline());
        QCOMPARE(f.doc.Picture1.Font.pointSize(), 20);
        QCOMPARE(f.doc.Picture1.ForeColor, Red);  // restored
        // The stamp is committed.
        QCOMPARE(f.doc.PicOrg.Image(), f.doc.Picture1.Image());
    }

    void oneUndoStepPerGesture()
    {
        Fixture f("", 80, 60);
        struct Gesture {
            const char *tool;
            QPointF from;
            std::vector<QPointF> moves;
        };
        f.host.st.spray = SprayRecord{1, 1, 50, 6, 0};
        const Gesture gestures[] = {
            {"Pencil", {5, 5}, {{20, 5}, {20, 20}}},
            {"Line", {30, 5}, {{40, 40}, {50, 10}}},
            {"Rays", {60, 30}, {{70, 30}, {60, 40}}},
            {"Rectangle", {5, 30}, {{25, 50}}},
            {"Circle", {40, 45}, {{45, 45}}},
            {"Ellipse1", {60, 10}, {{66, 14}}},
            {"Ellipse2", {10, 52}, {{30, 58}}},
            {"Spray", {70, 50}, {{72, 52}}},
            {"Eraser", {10, 10}, {{15, 10}}},
            {"Fill", {2, 58}, {}},
        };
        // The image as it was opened is the first snapshot.
        f.doc.SnapshotAndSync(f.doc.Picture1, f.doc.Picture2, f.doc.PicOrg, false);
        QVERIFY(!f.doc.CanUndo());
        QList<QImage> images{f.doc.Picture1.Image().copy()};
        for (const Gesture &g : gestures) {
            f.tool(g.tool);
            const int before = f.doc.UndoIndex();
            f.drag(1, g.from, g.moves);
            QVERIFY2(f.doc.UndoIndex() == before + 1, g.tool);
            QVERIFY2(f.doc.Picture1.Image() != images.last(), g.tool);
            QVERIFY2(f.doc.CanUndo(), g.tool);
            images << f.doc.Picture1.Image().copy();
        }
        // Stepping back undoes the gestures one at a time.
        for (int i = int(images.size()) - 2; i >= 0; --i) {
            f.doc.Undo(1);
            QCOMPARE(f.doc.Picture1.Image(), images.at(i));
        }
    }
};

// --- Shapes ----------------------------------------------------------------------------------

// --- Freehand --------------------------------------------------------------------------------

// --- Fill, dropper, transparent colour, text -------------------------------------------------

QTEST_MAIN(TestTools)
#include "tst_tools.moc"
