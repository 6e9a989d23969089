// The shape tools, driven through the pointer events as a user drives them: line, rays,
// rectangle, circle, the two ellipses, mirrors, the continuous line and the curve, and one undo
// step per gesture of every tool. Every check is on exact pixels of Picture1 (white background,
// 0x00BBGGRR colours). The freehand tools, fill, dropper and text are in tst_freehand.cpp.
#include "toolfixture.h"

#include <QTest>

using namespace orv;
using namespace orvtest;
using Fixture = orvtest::ToolFixture;

class TestTools : public QObject {
    Q_OBJECT
private slots:
    void lineEndPixelAndPreview()
    {
        Fixture f("Line");
        // The preview shows only the line to the latest pointer position.
        f.drag(1, {10, 10}, {{40, 5}, {50, 40}, {30, 20}});
        const QSet<QPoint> ink = painted(f.doc.Picture1);
        // 30,20: the end pixel is not painted.
        QCOMPARE(f.pixelsOff({{10, 10, Red}, {30, 20, White}, {29, 19, Red}}), QString());
        QCOMPARE(ink.size(), 20);                 // one pixel per step along x, 10 to 29
        QCOMPARE(boundsOf(ink), QRect(10, 10, 20, 10));
        QCOMPARE(f.px(39, 5), White);             // earlier previews are gone
        // A right-button line is in the background colour, the width of the pen.
        f.host.st.pen.widthX = 3;
        f.drag(2, {5, 40}, {{25, 40}});
        // 25,41: wide pens paint their round end.
        QCOMPARE(f.pixelsOff({{5, 39, Blue}, {25, 41, Blue}, {5, 38, White}, {15, 42, White}}), QString());
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
        QVERIFY(painted(f.doc.Picture1).isEmpty());
        // A stroke from far outside across the image paints just the part inside it.
        f.drag(1, {-500, 7}, {{900, 7}});
        QSet<QPoint> ink = painted(f.doc.Picture1);
        QCOMPARE(ink.size(), 64);
        QCOMPARE(boundsOf(ink), QRect(0, 7, 64, 1));
        // Entirely outside: nothing.
        f.drag(1, {-30, -30}, {{-5, -90}});
        f.drag(1, {100, 100}, {{3000, 200}});
        QCOMPARE(painted(f.doc.Picture1).size(), 64);
    }

    void raysAccumulate()
    {
        Fixture f("Rays");
        f.drag(1, {32, 24}, {{52, 24}, {32, 44}, {12, 24}, {32, 4}});
        // Four rays from the press point, each without its end pixel.
        QCOMPARE(f.pixelsOff({{51, 24, Red}, {52, 24, White}, {32, 43, Red}, {13, 24, Red}, {32, 5, Red}}), QString());
        QCOMPARE(painted(f.doc.Picture1).size(), 4 * 20 - 3);   // the press pixel is shared
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
        QCOMPARE(a.pixelsOff({{10, 10, Red}, {29, 19, Red}, {30, 19, White}, {29, 20, White}, {20, 15, White}}), QString());
        QCOMPARE(painted(a.doc.Picture1).size(), 2 * 20 + 2 * 8);
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
            const QSet<QPoint> ink = painted(f.doc.Picture1);
            // The circle's box is (30 - r, 30 - r) to (30 + r, 30 + r), right and bottom excluded.
            QCOMPARE(boundsOf(ink), QRect(30 - c.r, 30 - c.r, 2 * c.r, 2 * c.r));
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
        QVERIFY(painted(f.doc.Picture1).isEmpty());
    }

    void ellipseKinds()
    {
        // Kind 2: inscribed in the box from the press point to the pointer.
        Fixture two("Ellipse2");
        two.drag(1, {10, 10}, {{40, 40}, {30, 20}});
        const QSet<QPoint> e2 = painted(two.doc.Picture1);
        QCOMPARE(boundsOf(e2), QRect(10, 10, 20, 10));
        // 20,10: top and bottom of the ellipse at its middle; 10,10: not the box corners; 20,15:
        // hollow.
        QCOMPARE(two.pixelsOff({{20, 10, Red}, {20, 19, Red}, {10, 10, White}, {20, 15, White}}), QString());
        // Dragged the other way round, the same ellipse.
        Fixture back("Ellipse2");
        back.drag(1, {30, 20}, {{10, 10}});
        QCOMPARE(back.doc.Picture1.Image(), two.doc.Picture1.Image());

        // Kind 1: centred on the press point with the pointer at a corner of its box, so the box
        // runs from (2 * 30 - 40, 2 * 20 - 26) = (20, 14) to (40, 26).
        Fixture one("Ellipse1");
        one.drag(1, {30, 20}, {{50, 40}, {40, 26}});
        const QSet<QPoint> e1 = painted(one.doc.Picture1);
        QCOMPARE(boundsOf(e1), QRect(20, 14, 20, 12));
        // The pointer on the other side gives the same box.
        Fixture other("Ellipse1");
        other.drag(1, {30, 20}, {{20, 14}});
        QCOMPARE(other.doc.Picture1.Image(), one.doc.Picture1.Image());
        // Filled with the "Filled" button; the outline is in the pen colour, the inside the brush's.
        Fixture filled("Ellipse1");
        filled.host.buttons[QStringLiteral("Filled")] = 1;
        filled.drag(1, {30, 20}, {{40, 26}});
        const QSet<QPoint> solid = painted(filled.doc.Picture1);
        QVERIFY(solid.contains(e1));
        QCOMPARE(boundsOf(solid), boundsOf(e1));
        for (int y = 15; y < 25; ++y)
            QCOMPARE(filled.px(30, y), Red);      // the middle column is solid
        QCOMPARE(filled.px(30, 20), Red);
        // A zero-width box draws nothing.
        Fixture flat("Ellipse2");
        flat.drag(1, {10, 10}, {{10, 30}});
        QVERIFY(painted(flat.doc.Picture1).isEmpty());
    }

    void mirrorCountsAndSymmetry()
    {
        // A 100 x 60 image: the mirror centre is (50, 30).
        const int counts[] = {0, 1, 2};
        for (int count : counts) {
            Fixture f("Line", 100, 60);
            f.mirror(count);
            f.drag(1, {10, 10}, {{35, 25}, {30, 20}});
            const QSet<QPoint> ink = painted(f.doc.Picture1);
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
            QCOMPARE(f.pixelsOff({{90, 10, count >= 1 ? Red : White}, {90, 50, count == 2 ? Red : White},
                                  {10, 50, count == 2 ? Red : White}}), QString());
        }
        // Every shape tool repeats its shape for the mirror entries: with count 2 four shapes that
        // do not touch each other, each as many pixels as the one for the pointer.
        const char *shapes[] = {"Rectangle", "Circle", "Ellipse1", "Ellipse2", "Rays"};
        for (const char *name : shapes) {
            Fixture single(name, 100, 60);
            single.drag(1, {20, 15}, {{28, 22}});
            const int one = int(painted(single.doc.Picture1).size());
            QVERIFY2(one > 0, name);
            Fixture mirrored(name, 100, 60);
            mirrored.mirror(2);
            mirrored.drag(1, {20, 15}, {{28, 22}});
            const QSet<QPoint> ink = painted(mirrored.doc.Picture1);
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
        QVERIFY(painted(f.doc.Picture1).isEmpty());
        // The rubber segment follows the pointer while no button is held.
        f.hover({40, 10});
        QCOMPARE(f.px(39, 10), Red);
        f.hover({40, 30});
        QCOMPARE(f.px(39, 10), White);
        QCOMPARE(painted(f.doc.Picture1).size(), 30);
        // A press makes it a vertex; the next segment starts there.
        f.click(1, {40, 30});
        QCOMPARE(f.host.beeps, 0);
        f.hover({50, 40});
        f.hover({20, 30});
        // 39,29: the first segment stayed.
        QCOMPARE(f.pixelsOff({{21, 30, Red}, {40, 30, Red}, {49, 39, White}, {39, 29, Red}}), QString());
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
        QCOMPARE(f.pixelsOff({{10, 10, Red}, {11, 10, Red}, {25, 25, White}}), QString());
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
        QVERIFY(painted(f.doc.Picture1).isEmpty());
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
        QVERIFY(painted(f.doc.Picture1).isEmpty());
        QCOMPARE(f.doc.Picture1.DrawWidth, 7);
        QVERIFY(f.doc.SaveReq());
        QCOMPARE(f.doc.PicOrg.Image(), f.doc.Picture1.Image());
        f.doc.Picture1_MouseMove(1, 0, 30, 30);
        f.doc.Picture1_MouseUp(1, 0, 30, 30);
        QVERIFY(painted(f.doc.Picture1).isEmpty());
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

QTEST_MAIN(TestTools)
#include "tst_tools.moc"
