// The freehand tools, fill, dropper, transparent pick and text, through the pointer.
#include "toolfixture.h"

using namespace orv;
using namespace orvtest;
using Fixture = orvtest::ToolFixture;

namespace {

struct Spray : Fixture {
    Spray(SprayRecord r, int w = 64, int h = 48) : Fixture("Spray", w, h) { host.st.spray = r; }
};

} // namespace

class TestFreehand : public QObject {
    Q_OBJECT
private slots:
    void pencil()
    {
        for (int width : {1, 5, 16}) {   // a click is one pixel whatever the pen width
            Fixture f("Pencil");
            f.host.st.pen.widthX = width;
            f.click(1, {20, 20});
            QCOMPARE(f.differs([](int x, int y) { return x == 20 && y == 20 ? Red : White; }), QString());
        }
        Fixture f("Pencil");   // a drag joins the pointer positions with lines of the pen (ending short of the pointer)
        f.drag(1, {10, 10}, {{20, 10}, {20, 15}});
        QCOMPARE(f.differs([](int x, int y) { return (y == 10 && x >= 10 && x <= 20) || (x == 20 && y > 10 && y < 15) ? Red : White; }), QString());
        f.host.st.pen.widthX = 4;   // right button: the background colour; the pen width makes the trail
        f.drag(2, {40, 30}, {{50, 30}});
        QCOMPARE(f.pixelsOff({{45, 28, Blue}, {45, 31, Blue}, {45, 27, White}, {45, 32, White}}), QString());
        Fixture m("Pencil", 100, 60);   // mirrored: the click at the four points
        m.mirror(2);
        m.click(1, {10, 20});
        QCOMPARE(m.ink(), pixelsOf({{10, 20}, {90, 20}, {90, 40}, {10, 40}}));
        Fixture out("Pencil");   // strokes that leave the image paint only inside it
        out.drag(1, {-10, 5}, {{-3, 5}, {100, 5}, {100, 200}});
        QCOMPARE(boundsOf(out.ink()), QRect(0, 5, 64, 1));
    }

    void eraser()
    {
        Fixture f("Eraser");
        f.paper(Red);
        f.doc.Picture1_MouseDown(1, 0, 20, 20);   // the press leaves a round dot 14 across in the background colour
        QCOMPARE(boundsOf(painted(f.doc.Picture1, Red)), QRect(13, 13, 14, 14));
        QCOMPARE(f.pixelsOff({{13, 20, Blue}, {13, 13, Red}}), QString());   // round, not square
        f.doc.Picture1.DrawWidth = 3;   // surface settings the move changes come back afterwards
        f.doc.Picture1.FillStyle = 0;
        f.doc.Picture1.ForeColor = Green;
        f.doc.Picture1_MouseMove(1, 0, 40, 20);
        QCOMPARE(f.doc.Picture1.DrawWidth, 3);
        QCOMPARE(f.doc.Picture1.FillStyle, 0);
        QCOMPARE(f.doc.Picture1.ForeColor, Green);
        QCOMPARE(f.doc.Picture1.selectedPen().width, 1);
        f.doc.Picture1_MouseUp(1, 0, 40, 20);
        for (int y = 10; y < 30; ++y)   // the band is 14 rows high along the path
            QCOMPARE(f.px(30, y), (y >= 13 && y <= 26) ? Blue : Red);
        QCOMPARE(boundsOf(painted(f.doc.Picture1, Red)), QRect(13, 13, 34, 14));
        const QImage before = f.doc.Picture1.Image().copy();   // a right-button drag erases nothing
        f.drag(2, {10, 40}, {{50, 40}, {50, 5}});
        QCOMPARE(f.doc.Picture1.Image(), before);
        Fixture m("Eraser", 100, 60);   // mirrored: the dot at each mirror point too
        m.paper(Red);
        m.mirror(1);
        m.click(1, {20, 20});
        const Pixels erased = painted(m.doc.Picture1, Red);
        QCOMPARE(erased.size(), 2 * around(erased, {20, 20}, 10).size());
        QCOMPARE(m.pixelsOff({{80, 20, Blue}, {80, 40, Red}}), QString());
    }

    void spray()
    {
        Spray f({1, 1, 400, 12, 0}, 100, 100);
        f.doc.Picture1_MouseDown(1, 0, 50, 50);
        const Pixels ink = f.ink();
        // About pi/4 of 400 tries land, all strictly inside the radius (never on it).
        QVERIFY2(ink.size() > 150, qPrintable(QString::number(ink.size())));
        for (const QPoint &p : ink) {
            QVERIFY((p.x() - 50) * (p.x() - 50) + (p.y() - 50) * (p.y() - 50) < 144);
            QCOMPARE(f.px(p.x(), p.y()), Red);
        }
        QCOMPARE(f.doc.Picture1.DrawWidth, 1);
        f.doc.Picture1_MouseMove(1, 0, 20, 20);   // each move sprays again around the pointer; a move without a button does not
        QVERIFY(!around(f.ink(), {20, 20}, 12).isEmpty());
        const int n = int(f.ink().size());
        f.doc.Picture1_MouseMove(0, 0, 80, 20);
        QCOMPARE(int(f.ink().size()), n);
        f.doc.Picture1_MouseUp(1, 0, 80, 20);
        Spray w({5, 5, 50, 1, 0}, 100, 100);   // dot width: the press sets DrawWidth to the spray width, each dot is that wide
        w.click(2, {50, 50});
        QCOMPARE(w.doc.Picture1.DrawWidth, 5);
        QCOMPARE(boundsOf(w.ink()), QRect(48, 48, 5, 5));
        QCOMPARE(w.px(50, 50), Blue);
        // Radius 0 or density 0: nothing; radius 1: every dot on the pointer.
        for (const SprayRecord r : {SprayRecord{1, 1, 500, 0, 0}, SprayRecord{1, 1, 0, 20, 0}, SprayRecord{1, 1, 500, 1, 0}}) {
            Spray s(r);
            s.drag(1, {30, 30}, {{40, 35}});
            QCOMPARE(s.ink(), r.radius == 1 ? pixelsOf({{30, 30}, {40, 35}}) : Pixels());
        }
        Spray big({16, 16, 500, 150, 0});   // largest radius, density and dot at a corner and outside: only image pixels change
        big.drag(1, {0, 0}, {{-400, -400}, {63, 47}});
        QVERIFY(!big.ink().isEmpty() && QRect(0, 0, 64, 48).contains(boundsOf(big.ink())));
        Spray m({1, 1, 120, 9, 0}, 100, 60);
        m.mirror(2);
        m.doc.Picture1_MouseDown(1, 0, 25, 18);
        const Pixels mirrored = m.ink();
        // The pointer (25, 18) and its mirrors (75, 18), (75, 42), (25, 42): the same pattern ...
        const Pixels at0 = around(mirrored, {25, 18}, 9, true);
        QVERIFY(at0.size() > 20);
        for (const QPoint c : {QPoint(75, 18), QPoint(75, 42), QPoint(25, 42)})
            QCOMPARE(around(mirrored, c, 9, true), at0);
        QCOMPARE(mirrored.size(), 4 * at0.size());
        // ... which is not its own mirror image, so a mirrored copy would differ.
        QVERIFY(std::any_of(at0.begin(), at0.end(), [&at0](QPoint p) { return !at0.contains(QPoint(-p.x(), p.y())); }));
        for (const unsigned seed : {12345u, 999u}) {   // the same seed repeats the same pattern; another seed does not
            Spray again(m.host.st.spray, 100, 60);
            again.doc.setSprayRandomSeed(seed);
            again.doc.Picture1_MouseDown(1, 0, 25, 18);
            QCOMPARE(around(again.ink(), {25, 18}, 99, true) == at0, seed == 12345u);
        }
    }

    void fill()
    {
        Fixture f;
        f.tool("Rectangle");   // a closed box (10,10)-(29,19) and, touching its corner only diagonally, a second one
        f.drag(1, {10, 10}, {{30, 20}});
        f.drag(1, {30, 20}, {{40, 30}});
        f.host.st.foreColour = Green;
        f.tool("Fill");
        f.doc.Picture1_MouseDown(1, 0, 15, 15);
        QCOMPARE(f.doc.Picture2.Image(), f.doc.Picture1.Image());   // committed at once, before the release
        QCOMPARE(f.doc.PicOrg.Image(), f.doc.Picture1.Image());
        QVERIFY(f.doc.previewDirty().isEmpty());
        f.doc.Picture1_MouseUp(1, 0, 15, 15);
        // Inside the first box only: the area is 4-connected, diagonal contact does not leak.
        const auto boxes = [](int x, int y, Colour inside, Colour outside) {
            const bool first = x >= 10 && x < 30 && y >= 10 && y < 20, second = x >= 30 && x < 40 && y >= 20 && y < 30;
            const bool edge = (first && (x == 10 || x == 29 || y == 10 || y == 19)) || (second && (x == 30 || x == 39 || y == 20 || y == 29));
            return edge ? Red : first ? inside : second ? White : outside;
        };
        QCOMPARE(f.differs([&](int x, int y) { return boxes(x, y, Green, White); }), QString());
        QCOMPARE(f.host.st.brush.style, BS_SOLID);   // the brush record stays solid: a rectangle with neither shape button pressed is filled
        f.host.st.foreColour = Red;
        f.tool("Rectangle");
        f.drag(1, {45, 5}, {{55, 12}});
        QCOMPARE(f.px(50, 8), Red);
        f.tool("Fill");   // a right press fills with the background colour; the outside area here
        f.click(2, {2, 40});
        QCOMPARE(f.pixelsOff({{2, 40, Blue}, {35, 25, White}, {15, 15, Green}}), QString());
        const QImage before = f.doc.Picture1.Image().copy();   // filling an area with its own colour changes nothing; the middle button does not fill
        f.click(2, {2, 40});
        f.click(4, {35, 25});
        for (const QPointF p : {QPointF(-1, 10), QPointF(64, 10), QPointF(10, 48)})   // nor does a press outside the image
            f.click(1, p);
        f.doc.Picture1_MouseMove(1, 0, 40, 40);   // or a move with the button held
        QCOMPARE(f.doc.Picture1.Image(), before);
        Fixture m("Line", 100, 60);   // mirrored: the mirror points lie in differently coloured areas; each one is filled
        m.drag(1, {50, 0}, {{50, 60}});    // column 50
        m.drag(1, {0, 30}, {{100, 30}});   // row 30
        m.tool("Fill");
        for (const auto &[at, colour] : {std::pair{QPointF(70, 10), Blue}, {QPointF(70, 50), Green}, {QPointF(10, 50), RGBColour(200, 200, 0)}}) {
            m.host.st.foreColour = colour;
            m.click(1, at);
        }
        m.mirror(2);
        const Colour dark = RGBColour(90, 10, 10);
        m.host.st.foreColour = dark;
        m.click(1, {10, 10});
        QCOMPARE(m.pixelsOff({{10, 10, dark}, {90, 10, dark}, {90, 50, dark}, {10, 50, dark}, {0, 0, dark}, {99, 59, dark}, {50, 10, Red}, {10, 30, Red}}),
                 QString());
        m.mirror(1);   // mirror count 1: the pointer and the vertical-axis mirror only
        m.host.st.foreColour = Blue;
        m.click(1, {10, 10});
        QCOMPARE(m.pixelsOff({{10, 10, Blue}, {90, 10, Blue}, {90, 50, dark}}), QString());
    }

    void dropperAndTransparentTransitions()
    {
        Fixture f;
        f.doc.Picture1.SetPixel(5, 5, Red);
        f.doc.Picture1.SetPixel(6, 6, Green);
        f.host.st.foreColour = 0;
        f.host.st.previousTool = QStringLiteral("Pencil");
        const auto tools = [&f] { return QStringList{f.host.st.currentTool, f.host.st.previousTool}; };
        f.tool("Dropper");
        f.click(1, {5, 5});
        QCOMPARE(std::pair(f.host.st.foreColour, f.host.fore), std::pair(Red, Red));
        QCOMPARE(tools(), (QStringList{"Pencil", "Pencil"}));
        f.tool("Dropper");   // a second use returns to the same tool; the right button sets the background
        f.click(2, {6, 6});
        QCOMPARE(std::pair(f.host.st.backColour, f.host.back), std::pair(Green, Green));
        QCOMPARE(f.host.st.foreColour, Red);
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Pencil"));
        f.tool("Dropper");   // the middle button changes nothing; neither does a point outside the image
        f.click(4, {6, 6});
        f.click(1, {-3, 70});
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Dropper"));
        QCOMPARE(f.host.st.foreColour, Red);
        QCOMPARE(f.ink().size(), 2);   // the dropper paints nothing
        f.host.st.previousTool = QStringLiteral("Fill");   // the transparent colour: taken from the image, back to the previous tool, which empties
        f.tool("Set Transparent Color");
        f.click(1, {6, 6});
        QCOMPARE(f.host.st.transparentColour, Green);
        QCOMPARE(tools(), (QStringList{"Fill", ""}));
        QCOMPARE(f.ink().size(), 2);
    }

    void textStamp()
    {
        Fixture f("Text", 200, 80);
        const auto okWith = [](const char *text) {
            return [text](AppState &st) {
                st.text.text = QString::fromLatin1(text);
                st.textDialogPending = false;
            };
        };
        // Cancel, a right press, OK with an empty text: nothing printed.
        f.host.onTextDialog = [](AppState &st) { st.text.text = QStringLiteral("typed then cancelled"); };
        f.click(1, {10, 10});
        QCOMPARE(f.host.textDialogs, 1);
        f.host.onTextDialog = okWith("Hello");
        f.click(2, {10, 10});
        QCOMPARE(f.host.textDialogs, 1);
        f.host.onTextDialog = okWith("");
        f.click(1, {10, 10});
        QCOMPARE(f.host.textDialogs, 2);
        QVERIFY(f.ink().isEmpty());
        f.host.onTextDialog = [](AppState &st) {   // OK: the text at the press point in the record's font and colour
            st.text.text = QStringLiteral("HHH");
            st.text.fontSize = 20;
            st.text.bold = st.text.underline = true;
            st.text.colour = Green;
            st.textDialogPending = false;
        };
        f.doc.Picture1.ForeColor = Red;
        f.click(1, {30, 20});
        const Pixels ink = f.ink();
        const QRect box = boundsOf(ink);
        QVERIFY2(!ink.isEmpty() && box.left() >= 29 && box.top() >= 19 && box.left() <= 34, qPrintable(art(f.doc.Picture1)));
        QVERIFY(box.height() > 10);   // 20 points tall, not the 8-point default
        // Fully inked pixels are the text colour.
        QVERIFY(std::count_if(ink.begin(), ink.end(), [&f](QPoint p) { return f.px(p.x(), p.y()) == Green; }) > 10);
        QVERIFY(f.doc.Picture1.Font.bold() && f.doc.Picture1.Font.underline());
        QCOMPARE(f.doc.Picture1.Font.pointSize(), 20);
        QCOMPARE(f.doc.Picture1.ForeColor, Red);   // restored
        QCOMPARE(f.doc.PicOrg.Image(), f.doc.Picture1.Image());   // the stamp is committed
    }
};

QTEST_MAIN(TestFreehand)
#include "tst_freehand.moc"
