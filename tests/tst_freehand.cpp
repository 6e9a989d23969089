// The freehand tools, the fill, the dropper, the transparent-colour pick and the text stamp,
// driven through the pointer events as a user drives them, checked on exact pixels.
#include "toolfixture.h"

#include <QTest>

using namespace orv;
using namespace orvtest;
using Fixture = orvtest::ToolFixture;

class TestFreehand : public QObject {
    Q_OBJECT
private slots:
    void pencil()
    {
        // A click is one pixel whatever the pen width.
        for (int width : {1, 5, 16}) {
            Fixture f("Pencil");
            f.host.st.pen.widthX = width;
            f.click(1, {20, 20});
            const QSet<QPoint> ink = painted(f.doc.Picture1);
            QCOMPARE(ink, QSet<QPoint>({QPoint(20, 20)}));
            QCOMPARE(f.px(20, 20), Red);
        }
        // A drag joins the pointer positions with lines of the pen.
        Fixture f("Pencil");
        f.drag(1, {10, 10}, {{20, 10}, {20, 15}});
        QSet<QPoint> ink = painted(f.doc.Picture1);
        QCOMPARE(ink.size(), 15);                 // 10..20 on row 10, 11..14 on column 20
        // 20,15: a one-pixel line ends short of the pointer.
        QCOMPARE(f.pixelsOff({{20, 10, Red}, {20, 14, Red}, {20, 15, White}}), QString());
        // Right button: the background colour; the pen width makes the trail.
        f.host.st.pen.widthX = 4;
        f.drag(2, {40, 30}, {{50, 30}});
        QCOMPARE(f.pixelsOff({{45, 28, Blue}, {45, 31, Blue}, {45, 27, White}, {45, 32, White}}), QString());
        // Mirrored: the click at the four points.
        Fixture m("Pencil", 100, 60);
        m.mirror(2);
        m.click(1, {10, 20});
        QCOMPARE(painted(m.doc.Picture1),
                 QSet<QPoint>({QPoint(10, 20), QPoint(90, 20), QPoint(90, 40), QPoint(10, 40)}));
        // Strokes that leave the image paint only inside it.
        Fixture out("Pencil");
        out.drag(1, {-10, 5}, {{-3, 5}, {100, 5}, {100, 200}});
        ink = painted(out.doc.Picture1);
        QCOMPARE(boundsOf(ink), QRect(0, 5, 64, 1));
    }

    void eraser()
    {
        Fixture f("Eraser");
        f.paper(Red);
        // The press leaves a round dot 14 across in the background colour.
        f.doc.Picture1_MouseDown(1, 0, 20, 20);
        QSet<QPoint> erased = painted(f.doc.Picture1, Red);
        QCOMPARE(boundsOf(erased), QRect(13, 13, 14, 14));
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
        erased = painted(f.doc.Picture1, Red);
        QCOMPARE(boundsOf(erased), QRect(13, 13, 34, 14));
        // A right-button drag erases nothing.
        const QImage before = f.doc.Picture1.Image().copy();
        f.drag(2, {10, 40}, {{50, 40}, {50, 5}});
        QCOMPARE(f.doc.Picture1.Image(), before);
        // Mirrored: the dot at each mirror point too.
        Fixture m("Eraser", 100, 60);
        m.paper(Red);
        m.mirror(1);
        m.click(1, {20, 20});
        erased = painted(m.doc.Picture1, Red);
        QCOMPARE(erased.size(), 2 * around(erased, {20, 20}, 10).size());
        QCOMPARE(m.px(80, 20), Blue);
        QCOMPARE(m.px(80, 40), Red);
    }

    void sprayInsideRadius()
    {
        Fixture f("Spray", 100, 100);
        f.host.st.spray = SprayRecord{1, 1, 400, 12, 0};
        f.doc.Picture1_MouseDown(1, 0, 50, 50);
        QSet<QPoint> ink = painted(f.doc.Picture1);
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
        QVERIFY(!around(painted(f.doc.Picture1), {20, 20}, 12).isEmpty());
        const int n = int(painted(f.doc.Picture1).size());
        f.doc.Picture1_MouseMove(0, 0, 80, 20);
        QCOMPARE(int(painted(f.doc.Picture1).size()), n);
        f.doc.Picture1_MouseUp(1, 0, 80, 20);
        // Dot width: the press sets DrawWidth to the spray width, each dot is that wide.
        Fixture w("Spray", 100, 100);
        w.host.st.spray = SprayRecord{5, 5, 50, 1, 0};
        w.click(2, {50, 50});
        QCOMPARE(w.doc.Picture1.DrawWidth, 5);
        QCOMPARE(boundsOf(painted(w.doc.Picture1)), QRect(48, 48, 5, 5));
        QCOMPARE(w.px(50, 50), Blue);
    }

    void sprayRadiusLimits()
    {
        // Radius 0: no offset lies below 0, nothing is painted.
        Fixture zero("Spray");
        zero.host.st.spray = SprayRecord{1, 1, 500, 0, 0};
        zero.drag(1, {30, 30}, {{31, 31}});
        QVERIFY(painted(zero.doc.Picture1).isEmpty());
        // Radius 1: only the centre offset, so every dot is on the pointer.
        Fixture one("Spray");
        one.host.st.spray = SprayRecord{1, 1, 500, 1, 0};
        one.drag(1, {30, 30}, {{40, 35}});
        QCOMPARE(painted(one.doc.Picture1), QSet<QPoint>({QPoint(30, 30), QPoint(40, 35)}));
        // The largest radius and density and a width-16 dot at a corner and outside the image:
        // only pixels of the image change, and none outside the disc grown by the dot.
        Fixture big("Spray");
        big.host.st.spray = SprayRecord{16, 16, 500, 150, 0};
        big.drag(1, {0, 0}, {{-400, -400}, {63, 47}});
        const QSet<QPoint> ink = painted(big.doc.Picture1);
        QVERIFY(!ink.isEmpty());
        QVERIFY(QRect(0, 0, 64, 48).contains(boundsOf(ink)));
        // Density 0 paints nothing.
        Fixture none("Spray");
        none.host.st.spray = SprayRecord{1, 1, 0, 20, 0};
        none.drag(1, {30, 30}, {{31, 31}});
        QVERIFY(painted(none.doc.Picture1).isEmpty());
    }

    void sprayMirrorRepeatsOffsets()
    {
        Fixture f("Spray", 100, 60);
        f.host.st.spray = SprayRecord{1, 1, 120, 9, 0};
        f.mirror(2);
        f.doc.Picture1_MouseDown(1, 0, 25, 18);
        const QSet<QPoint> ink = painted(f.doc.Picture1);
        // The pointer (25, 18) and its mirrors (75, 18), (75, 42), (25, 42): the same pattern.
        const QSet<QPoint> at0 = around(ink, {25, 18}, 9, true);
        QVERIFY(at0.size() > 20);
        QCOMPARE(around(ink, {75, 18}, 9, true), at0);
        QCOMPARE(around(ink, {75, 42}, 9, true), at0);
        QCOMPARE(around(ink, {25, 42}, 9, true), at0);
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
        QCOMPARE(around(painted(again.doc.Picture1), {25, 18}, 99, true), at0);
        Fixture other("Spray", 100, 60);
        other.doc.setSprayRandomSeed(999);
        other.host.st.spray = f.host.st.spray;
        other.doc.Picture1_MouseDown(1, 0, 25, 18);
        QVERIFY(around(painted(other.doc.Picture1), {25, 18}, 99, true) != at0);
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
        QCOMPARE(f.pixelsOff({{10, 10, Red}, {35, 25, White}, {5, 5, White}}), QString());
        QCOMPARE(int(painted(f.doc.Picture1).size()), (2 * 20 + 2 * 8) + (2 * 10 + 2 * 8) + 18 * 8);
        // The brush record stays solid: a rectangle with neither shape button pressed is filled.
        QCOMPARE(f.host.st.brush.style, BS_SOLID);
        f.host.st.foreColour = Red;
        f.tool("Rectangle");
        f.drag(1, {45, 5}, {{55, 12}});
        QCOMPARE(f.px(50, 8), Red);
        // A right press fills with the background colour; the outside area here.
        f.tool("Fill");
        f.click(2, {2, 40});
        // 35,25: inside the second box is not connected to it.
        QCOMPARE(f.pixelsOff({{2, 40, Blue}, {35, 25, White}, {15, 15, Green}}), QString());
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
        QVERIFY(painted(f.doc.Picture1).isEmpty());
        f.doc.FloodFillAt(1, 0, 10, 10, 1);
        QCOMPARE(boundsOf(painted(f.doc.Picture1)), QRect(5, 5, 15, 10));
        QCOMPARE(painted(f.doc.Picture1).size(), 150);
        // Outside the image: nothing, and no other phase fills.
        f.doc.Picture1.SelectClipRgn(Region());
        f.doc.FloodFillAt(1, 0, -1, 10, 1);
        f.doc.FloodFillAt(1, 0, 64, 10, 1);
        f.doc.FloodFillAt(1, 0, 10, 48, 1);
        f.doc.FloodFillAt(1, 0, 40, 40, 2);
        QCOMPARE(painted(f.doc.Picture1).size(), 150);

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
        QCOMPARE(m.pixelsOff({{10, 10, Blue}, {90, 10, Blue}, {90, 50, RGBColour(90, 10, 10)}}), QString());
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
        QVERIFY(painted(f.doc.Picture1).size() == 2);   // the dropper paints nothing

        // The transparent colour: taken from the image, back to the previous tool, which empties.
        f.host.st.previousTool = QStringLiteral("Fill");
        f.tool("Set Transparent Color");
        f.click(1, {6, 6});
        QCOMPARE(f.host.st.transparentColour, Green);
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Fill"));
        QVERIFY(f.host.st.previousTool.isEmpty());
        QVERIFY(painted(f.doc.Picture1).size() == 2);
    }

    void textStamp()
    {
        Fixture f("Text", 200, 80);
        // Cancel: the dialog was shown, nothing is printed.
        f.host.onTextDialog = [](AppState &st) { st.text.text = QStringLiteral("typed then cancelled"); };
        f.click(1, {10, 10});
        QCOMPARE(f.host.textDialogs, 1);
        QVERIFY(painted(f.doc.Picture1).isEmpty());
        // A right press neither shows the dialog nor prints.
        auto okWith = [](const char *text) {
            return [text](AppState &st) {
                st.text.text = QString::fromLatin1(text);
                st.textDialogPending = false;
            };
        };
        f.host.onTextDialog = okWith("Hello");
        f.click(2, {10, 10});
        QCOMPARE(f.host.textDialogs, 1);
        QVERIFY(painted(f.doc.Picture1).isEmpty());
        // OK with an empty text prints nothing.
        f.host.onTextDialog = okWith("");
        f.click(1, {10, 10});
        QCOMPARE(f.host.textDialogs, 2);
        QVERIFY(painted(f.doc.Picture1).isEmpty());
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
        const QSet<QPoint> ink = painted(f.doc.Picture1);
        QVERIFY(!ink.isEmpty());
        const QRect box = boundsOf(ink);
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
};

QTEST_MAIN(TestFreehand)
#include "tst_freehand.moc"
