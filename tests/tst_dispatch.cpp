// Pointer and key input: the event gate, the stroke colour by button, the right-button menu
// switch, the marquee-to-move switch, the drawing start, preview restores, the status text and
// the nudging and zoom keys.
#include "FakeHost.h"
#include "testsupport.h"

#include <QTest>

using namespace orv;
using orvtest::FakeHost;
using orvtest::FakeView;

namespace {

struct Fixture : orvtest::DocFixture {
    explicit Fixture(int w = 64, int h = 48) : DocFixture(w, h) {}
};

} // namespace

class TestDispatch : public QObject {
    Q_OBJECT
private slots:
    void colourByButtonAndGate();
    void rightButtonMenuSwitch();
    void drawingStartBuildsPenAndBrush();
    void mirrorEntries();
    void marqueePressInsideSelectionMoves();
    void previewRestoreCopiesOnlyWhatChanged();
    void statusTextAndTransparentPick();
    void keys();
};

void TestDispatch::colourByButtonAndGate()
{
    Fixture f;
    f.host.st.foreColour = RGBColour(200, 0, 0);
    f.host.st.backColour = RGBColour(0, 0, 200);
    f.host.st.currentTool = QStringLiteral("Line");
    f.doc.Picture1_MouseDown(1, 0, 5, 5);
    QCOMPARE(f.host.st.drawColour, RGBColour(200, 0, 0));
    QCOMPARE(f.doc.Picture1.ForeColor, RGBColour(200, 0, 0));
    QVERIFY(f.doc.SaveReq());
    QVERIFY(f.doc.FormIzin());
    f.doc.Picture1_MouseMove(2, 0, 6, 6);
    QCOMPARE(f.host.st.drawColour, RGBColour(0, 0, 200));
    f.doc.Picture1_MouseMove(0, 0, 7, 7);       // no button: the colour stays
    QCOMPARE(f.host.st.drawColour, RGBColour(0, 0, 200));
    f.doc.Picture1_MouseDown(2, 0, 5, 5);
    QCOMPARE(f.host.st.drawColour, RGBColour(0, 0, 200));
    // A closed gate ignores presses and moves.
    f.doc.setFormIzin(false);
    f.host.status.clear();
    f.doc.Picture1_MouseDown(1, 0, 5, 5);
    f.doc.Picture1_MouseMove(1, 0, 9, 9);
    QCOMPARE(f.host.st.drawColour, RGBColour(0, 0, 200));
    QVERIFY(f.host.status.isEmpty());
}

void TestDispatch::rightButtonMenuSwitch()
{
    Fixture f;
    f.host.st.options.PopupMenu = -1;
    f.host.st.currentTool = QStringLiteral("Line");
    f.host.st.drawColour = RGBColour(1, 1, 1);
    f.doc.setSaveReq(false);
    f.doc.Picture1_MouseDown(2, 0, 10, 10);
    QCOMPARE(f.host.popups, 1);
    QVERIFY(!f.doc.SaveReq());                  // no stroke started
    QCOMPARE(f.host.st.drawColour, RGBColour(1, 1, 1));
    QVERIFY(f.doc.FormIzin());
    f.host.st.options.PopupMenu = 0;
    f.doc.Picture1_MouseDown(2, 0, 10, 10);
    QCOMPARE(f.host.popups, 1);
    QCOMPARE(f.host.st.drawColour, f.host.st.backColour);
}

void TestDispatch::drawingStartBuildsPenAndBrush()
{
    Fixture f;
    f.host.st.foreColour = RGBColour(9, 8, 7);
    f.host.st.pen.widthX = 5;
    f.host.st.pen.style = 3;
    f.host.st.brush.style = BS_SOLID;
    f.host.buttons[QStringLiteral("Transparent")] = 1;
    f.host.st.currentTool = QStringLiteral("Rectangle");
    f.doc.Picture1_MouseDown(1, 0, 3.4f, 7.6f);
    QCOMPARE(f.host.st.brush.style, BS_HOLLOW);
    QCOMPARE(f.host.st.pen.style, PS_SOLID);
    QCOMPARE(f.host.st.pen.colour, RGBColour(9, 8, 7));
    QCOMPARE(f.host.st.brush.colour, RGBColour(9, 8, 7));
    QCOMPARE(f.doc.Picture1.selectedPen().width, 5);
    QCOMPARE(f.doc.Picture1.selectedPen().colour, RGBColour(9, 8, 7));
    QVERIFY(f.doc.Picture1.selectedBrush().hollow());
    QCOMPARE(f.doc.dragStart(), QPointF(double(3.4f), double(7.6f)));
    f.host.buttons[QStringLiteral("Transparent")] = 0;
    f.host.buttons[QStringLiteral("Filled")] = 1;
    f.doc.Picture1_MouseDown(1, 0, 1, 1);
    QCOMPARE(f.host.st.brush.style, BS_SOLID);
    // Neither pressed: the style is left as it is (here solid, as a fill leaves it).
    f.host.buttons[QStringLiteral("Filled")] = 0;
    f.doc.Picture1_MouseDown(1, 0, 1, 1);
    QCOMPARE(f.host.st.brush.style, BS_SOLID);
}

void TestDispatch::mirrorEntries()
{
    Fixture f(100, 60);   // centre (50, 30)
    f.host.st.currentTool = QStringLiteral("Line");
    f.host.st.mirrorCount = 2;
    f.doc.setMirrorEnabled(true);
    f.doc.Picture1_MouseDown(1, 0, 10, 20);
    f.doc.Picture1_MouseMove(1, 0, 14, 22);
    QCOMPARE(f.doc.MirrorEntries(), 3);
    QCOMPARE(f.doc.current.points[0].x, std::int16_t(14));
    QCOMPARE(f.doc.current.points[1].x, std::int16_t(86));
    QCOMPARE(f.doc.current.points[1].y, std::int16_t(22));
    QCOMPARE(f.doc.current.points[2].x, std::int16_t(86));
    QCOMPARE(f.doc.current.points[2].y, std::int16_t(38));
    QCOMPARE(f.doc.current.points[3].x, std::int16_t(14));
    QCOMPARE(f.doc.current.points[3].y, std::int16_t(38));
    QCOMPARE(f.doc.current.points[1].startX, 90.0f);
    QCOMPARE(f.doc.current.points[3].startY, 40.0f);
    f.host.st.mirrorCount = 1;
    f.doc.Picture1_MouseDown(1, 0, 10, 20);
    QCOMPARE(f.doc.MirrorEntries(), 1);
    f.doc.setMirrorEnabled(false);
    QCOMPARE(f.doc.MirrorEntries(), 0);
}

void TestDispatch::marqueePressInsideSelectionMoves()
{
    Fixture f;
    f.doc.RectHWND = CreateRectRgn(10, 10, 30, 30);
    f.host.st.currentTool = QStringLiteral("Marquee");
    f.doc.Picture1_MouseDown(1, 0, 40, 40);     // outside: stays a marquee
    QCOMPARE(f.host.st.currentTool, QStringLiteral("Marquee"));
    f.doc.Picture1_MouseDown(1, 0, 15, 15);
    QCOMPARE(f.host.st.currentTool, QStringLiteral("Move"));
    QVERIFY(f.doc.RectHWND);                    // Move keeps the selection
    // Any other tool drops the selection before it draws.
    f.host.st.currentTool = QStringLiteral("Pencil");
    f.doc.Picture1_MouseDown(1, 0, 15, 15);
    QVERIFY(!f.doc.RectHWND);
    QVERIFY(f.doc.Picture1.clipRegion().isNull());
}

void TestDispatch::previewRestoreCopiesOnlyWhatChanged()
{
    Fixture f(200, 100);
    f.doc.Picture1.SetPixel(150, 80, RGBColour(0, 255, 0));
    f.doc.SnapshotAndSync(f.doc.Picture1, f.doc.Picture2, f.doc.PicOrg, false);
    QVERIFY(f.doc.previewDirty().isEmpty());
    f.host.st.currentTool = QStringLiteral("Line");
    f.doc.Picture1_MouseDown(1, 0, 5, 5);
    // Something drawn as a preview ...
    f.doc.Picture1.SetPixel(20, 30, RGBColour(255, 0, 0));
    f.doc.Picture1.Refresh();
    QCOMPARE(f.doc.previewDirty(), QRect(20, 30, 1, 1));
    // ... is gone at the next move, and the rest of the picture is as it was. (No button is held,
    // so the line itself draws nothing and Picture1 is exactly the restored picture.)
    f.doc.Picture1_MouseMove(0, 0, 6, 6);
    QCOMPARE(f.doc.Picture1.GetPixel(20, 30), Colour(0xFFFFFF));
    QCOMPARE(f.doc.Picture1.GetPixel(150, 80), RGBColour(0, 255, 0));
    QVERIFY(f.doc.Picture1.Image() == f.doc.Picture2.Image());
    QVERIFY(f.view.repainted.contains(QPoint(20, 30)));
}

void TestDispatch::statusTextAndTransparentPick()
{
    Fixture f;
    f.doc.Picture1_MouseMove(0, 0, 3, 7);
    QCOMPARE(f.host.status.value(2), QStringLiteral("X : 3  Y : 7"));
    f.doc.Picture1.SetPixel(4, 4, RGBColour(12, 34, 56));
    f.host.st.previousTool = QStringLiteral("Rays");
    f.host.st.currentTool = QStringLiteral("Set Transparent Color");
    f.doc.Picture1_MouseDown(1, 0, 4, 4);
    QCOMPARE(f.host.st.transparentColour, RGBColour(12, 34, 56));
    QCOMPARE(f.host.st.currentTool, QStringLiteral("Rays"));
    QVERIFY(f.host.st.previousTool.isEmpty());
}

void TestDispatch::keys()
{
    Fixture f;
    f.host.cursor = QPoint(100, 100);
    f.doc.Picture1_KeyDown(37, 0);
    f.doc.Picture1_KeyDown(38, 1);
    QCOMPARE(f.host.cursor, QPoint(99, 99));
    f.doc.Picture1_KeyDown(39, 0);
    f.doc.Picture1_KeyDown(40, 0);
    QCOMPARE(f.host.cursor, QPoint(100, 100));
    f.host.st.zoomFactor = 4;
    f.doc.Picture1_KeyDown(107, 0);
    QCOMPARE(f.host.st.zoomFactor, std::int16_t(6));     // 5.75 rounds to 6
    f.host.st.zoomFactor = 16;
    f.doc.Picture1_KeyDown(107, 0);
    QCOMPARE(f.host.st.zoomFactor, std::int16_t(16));    // 20 is not below 20
    f.host.st.zoomFactor = 2;
    f.doc.Picture1_KeyDown(109, 0);
    QCOMPARE(f.host.st.zoomFactor, std::int16_t(2));
    f.host.st.zoomFactor = 10;
    f.doc.Picture1_KeyDown(109, 0);
    QCOMPARE(f.host.st.zoomFactor, std::int16_t(8));
    f.host.st.zoomFactor = 5;
    f.doc.Picture1_KeyDown(109, 0);
    QCOMPARE(f.host.st.zoomFactor, std::int16_t(4));     // 5 / 1.25 = 4
}

QTEST_MAIN(TestDispatch)
#include "tst_dispatch.moc"
