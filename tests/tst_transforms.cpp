// Image transforms: flips, rotation (kernel, picture, selection, erase), clearing.
#include "FakeHost.h"
#include "pixels.h"

#include "base/Conversions.h"
#include "base/ResStrings.h"
#include "document/Rotation.h"
#include "document/surface/PictureThreads.h"

using namespace orv;
using orvtest::noise;

namespace {

struct Fixture : orvtest::DocFixture {
    explicit Fixture(int w = 40, int h = 30) : DocFixture(w, h) { paint(at); }
    static Colour at(int x, int y) { return RGBColour(x * 5 + 1, y * 7 + 1, (x * y) & 0xFF); }
    // The selection or picture turned by `degrees` (to the left for dir 1); the angle handed back.
    double rotate(double degrees, std::int16_t dir = 0, std::int16_t erase = 0)
    {
        doc.sub_ROTATE(degrees, dir, erase);
        return degrees;
    }
    // Where `turned`: the map's source pixel if on the picture, else `fill`; elsewhere unchanged.
    template<typename In>
    QString turnedDiffers(const RotationMap &m, In turned, std::optional<Colour> fill = {}) const
    {
        return differs([&](int x, int y) {
            const QPoint s = RotationSource(m, x, y);
            if (!turned(x, y))
                return at(x, y);
            return QRect(QPoint(0, 0), doc.Picture1.size()).contains(s) ? at(s.x(), s.y()) : fill.value_or(at(x, y));
        });
    }
};

const double Degree = 2 * double(Pi) / 360;

} // namespace

class TestTransforms : public QObject {
    Q_OBJECT
private slots:
    void flips()
    {
        Fixture f;
        const QImage before = f.doc.Picture1.Image().copy();
        const std::int16_t index = f.doc.UndoIndex();
        f.doc.sub_FlipHorizontal();
        QCOMPARE(f.doc.UndoIndex(), std::int16_t(index + 1));
        QCOMPARE(f.differs([&](int x, int y) { return Fixture::at(39 - x, y); }), QString());
        f.doc.sub_FlipHorizontal();
        QCOMPARE(f.doc.Picture1.Image(), before);
        f.doc.sub_FlipVertical();
        QCOMPARE(f.differs([&](int x, int y) { return Fixture::at(x, 29 - y); }), QString());
        f.doc.sub_FlipVertical();
        QCOMPARE(f.doc.Picture1.Image(), before);
        QCOMPARE(f.doc.PicOrg.Image(), before);
        // With a selection (5, 4)..(14, 9) only the selection turns over, and stays selected.
        const auto in = [](int x, int y) { return x >= 5 && x < 15 && y >= 4 && y < 10; };
        f.marquee(5, 4, 15, 10);
        f.doc.sub_FlipHorizontal();
        QCOMPARE(f.differs([&](int x, int y) { return in(x, y) ? Fixture::at(19 - x, y) : Fixture::at(x, y); }), QString());
        QVERIFY(f.doc.RectHWND);
        f.doc.sub_FlipHorizontal();
        f.doc.sub_FlipVertical();
        QCOMPARE(f.differs([&](int x, int y) { return in(x, y) ? Fixture::at(x, 13 - y) : Fixture::at(x, y); }), QString());
    }

    void rotationKernelMatchesFormula()
    {
        // The tiled kernel against the formula: odd sizes, exact and free angles, any centre.
        struct Case { int w, h; double degrees; int cx, cy; };
        const Case cases[] = {{1, 1, 45, 0, 0},          {7, 5, 90, 4, 2},         {130, 70, 45, 65, 35},
                              {129, 257, 30, 64, 128},   {200, 33, 180, 100, 16},  {64, 64, 270, 32, 32},
                              {300, 150, 12.5, 10, 140}, {97, 97, 0, 48, 48},      {65, 130, -77, 33, 65},
                              {2100, 20, 30, 1050, 10}};   // wider than two tiles
        for (const Case &c : cases) {
            const QImage src = noise(c.w, c.h, unsigned(c.w * 31 + c.h));
            const double a = c.degrees * Degree;
            const RotationMap m = RotationMap::reverseOf(a, c.cx, c.cy);
            QImage fast(c.w, c.h, QImage::Format_RGB32);
            fast.fill(0xFF123456u);
            QImage slow = fast.copy();
            RotateNearest(src, fast, m, fast.rect());
            int copied = 0;
            for (int y = 0; y < c.h; ++y)
                for (int x = 0; x < c.w; ++x) {
                    const int dx = x - c.cx, dy = y - c.cy;
                    const QPoint s(CInt(dx * std::cos(-a) - dy * std::sin(-a) + c.cx), CInt(dy * std::cos(-a) + dx * std::sin(-a) + c.cy));
                    QCOMPARE(RotationSource(m, x, y), s);
                    if (src.rect().contains(s)) {
                        slow.setPixel(x, y, src.pixel(s));
                        ++copied;
                    }
                }
            QVERIFY(copied > 0);
            QVERIFY2(fast == slow, qPrintable(QStringLiteral("%1x%2 at %3").arg(c.w).arg(c.h).arg(c.degrees)));
        }
        {   // Two threads give the pixels of one; corners filled in the same pass are those of a fill before.
            const QImage src = noise(1100, 1000, 11);
            const RotationMap m = RotationMap::reverseOf(33 * Degree, 560, 480);
            QImage one(1100, 1000, QImage::Format_RGB32), two(1100, 1000, QImage::Format_RGB32);
            one.fill(0xFF123456u);
            two.fill(0u);
            SetPictureThreads(1);
            RotateNearest(src, one, m, one.rect());
            SetPictureThreads(2);
            int lastDone = 0;
            RotateNearest(src, reinterpret_cast<std::uint32_t *>(two.bits()), two.bytesPerLine() / 4, two.size(), m,
                          two.rect(), [&lastDone](int done) { lastDone = done; }, QPoint(), 0xFF123456u);
            SetPictureThreads(0);
            QCOMPARE(lastDone, 1000);
            QVERIFY(one == two);
        }
        const QImage src = noise(90, 60, 5);   // part of a larger destination from a smaller source: only the area changes
        const RotationMap m = RotationMap::reverseOf(0.6, 45, 30);
        QImage dst(300, 200, QImage::Format_RGB32);
        dst.fill(0xFF123456u);
        const QRect area(17, 9, 150, 133);
        RotateNearest(src, dst, m, area);
        QCOMPARE(orvtest::differs(dst, [&](int x, int y) {
                     const QPoint sp = RotationSource(m, x, y);
                     return area.contains(x, y) && src.rect().contains(sp) ? src.pixel(sp) : 0xFF123456u;
                 }),
                 QString());
        QCOMPARE(RotationSource(RotationMap{1, 0, 0, 0}, 0, 0), QPoint(0, 0));   // exact halves round to the even neighbour
        QCOMPARE(std::pair(CInt(2.5), CInt(3.5)), std::pair(2, 4));
        QCOMPARE(Pi, 4.0f * std::atan(1.0f));   // the stored constant is the computed one
    }

    void rotateWholePicture()
    {
        Fixture f(41, 41);   // a quarter turn right about (20, 20): (x, y) from (y, 40 - x); back left restores
        const QImage before = f.doc.Picture1.Image().copy();
        const std::int16_t index = f.doc.UndoIndex();
        QCOMPARE(f.rotate(90), 90 * Degree);
        QCOMPARE(f.doc.UndoIndex(), std::int16_t(index + 1));
        QCOMPARE(f.differs([&](int x, int y) { return Fixture::at(y, 40 - x); }), QString());
        QCOMPARE(f.rotate(90, 1), -(90 * Degree));
        QCOMPARE(f.doc.Picture1.Image(), before);
        Fixture g(40, 24);   // a picture that is not square keeps its centre region
        g.rotate(90);
        g.rotate(90, 1);
        QCOMPARE(g.differs([&g](int x, int y) { return QRect(10, 2, 20, 20).contains(x, y) ? Fixture::at(x, y) : g.px(x, y); }), QString());
        Fixture h(40, 40);   // at 45 degrees the corners take the background colour, not the brush or pen
        const Colour fill = RGBColour(10, 220, 30);
        h.host.st.backColour = fill;
        h.doc.Picture1.SelectObject(Brush{BS_SOLID, RGBColour(1, 2, 3)});
        h.doc.Picture1.SelectObject(Pen{PS_SOLID, 1, RGBColour(250, 0, 0)});
        const double angle = h.rotate(45);
        QCOMPARE(h.turnedDiffers(RotationMap::reverseOf(angle, 20, 20), [](int, int) { return true; }, fill), QString());
    }

    void rotatedSelection()
    {
        Fixture f(60, 60);
        f.marquee(20, 25, 40, 35);   // 20 x 10 about (30, 30)
        const double angle = f.rotate(90);
        QCOMPARE(orvtest::outlineOf(f.doc), QRectF(25, 20, 10, 20));   // the outline and the bounding rectangle are the box of the rotated corners
        QCOMPARE(std::pair(f.doc.RectRegRight(), f.doc.RectRegBottom()), std::pair(std::int16_t(35), std::int16_t(40)));
        QCOMPARE(f.turnedDiffers(RotationMap::reverseOf(angle, 30, 30), [](int x, int y) { return QRect(25, 20, 10, 20).contains(x, y); }), QString());
        f.doc.Picture1.Line(0, 0, 59, 59, RGBColour(1, 2, 3), true, true);   // later drawing is clipped to the rotated rectangle
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x)
                QCOMPARE(f.px(x, y) == RGBColour(1, 2, 3), PtInRegion(f.doc.RectHWND, x, y));
        QVERIFY(PtInRegion(f.doc.RectHWND, 25, 20) && !PtInRegion(f.doc.RectHWND, 24, 20));

        Fixture g(70, 50);   // a free angle, a turned box past the edges: sources on the picture are taken
        g.marquee(40, 5, 69, 30);
        const RotationMap m = RotationMap::reverseOf(g.rotate(33, 1), CInt((40 + 69) / 2.0), CInt((5 + 30) / 2.0));
        QCOMPARE(g.turnedDiffers(m, [&g](int x, int y) { return PtInRegion(g.doc.RectHWND, x, y); }), QString());
        int turned = 0;
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 70; ++x)
                turned += PtInRegion(g.doc.RectHWND, x, y) && QRect(0, 0, 70, 50).contains(RotationSource(m, x, y));
        QVERIFY(turned > 400);
    }

    void rotateSelectionEraseAndOnePixel()
    {
        Fixture f(50, 50);   // Erase paints the old selection first, even with a hollow brush selected
        f.marquee(10, 20, 40, 30);
        const Colour paint = RGBColour(200, 0, 200);
        f.host.st.backColour = paint;
        f.doc.Picture1.SelectObject(Brush{BS_HOLLOW, RGBColour(1, 2, 3)});
        const RotationMap m = RotationMap::reverseOf(f.rotate(90, 1, 1), 25, 25);
        QCOMPARE(f.differs([&](int x, int y) {
            const QPoint s = RotationSource(m, x, y);
            return PtInRegion(f.doc.RectHWND, x, y) ? Fixture::at(s.x(), s.y()) : QRect(10, 20, 30, 10).contains(x, y) ? paint : Fixture::at(x, y);
        }), QString());
        Fixture g(20, 20);   // a one-pixel selection turns into a one-pixel selection about itself
        g.marquee(5, 5, 6, 6);
        QVERIFY(g.doc.RectHWND);
        g.rotate(33);
        QVERIFY(g.doc.ShapeRect1.Visible && g.doc.ShapeRect1.Width <= 2 && g.doc.ShapeRect1.Height <= 2);
        int changed = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                changed += g.px(x, y) != Fixture::at(x, y);
        QVERIFY(changed <= 4);
        QCOMPARE(g.doc.Picture1.size(), QSize(20, 20));
    }

    void clearAsksAndTakesTwoSteps()
    {
        Fixture f;
        f.host.st.backColour = RGBColour(4, 5, 6);
        const QImage before = f.doc.Picture1.Image().copy();
        const std::int16_t index = f.doc.UndoIndex();
        f.host.answers = {Msg::No};
        f.doc.Clear();
        QCOMPARE(f.host.shownMessages.value(0), LoadResString(1180));
        QCOMPARE(f.host.shownTitles.value(0), LoadResString(1199));
        QCOMPARE(f.host.shownStyles.value(0), 36);
        QCOMPARE(f.doc.Picture1.Image(), before);
        QCOMPARE(f.doc.UndoIndex(), index);
        QVERIFY(f.doc.FormIzin());
        f.host.answers = {Msg::Yes};
        f.doc.Clear();
        QCOMPARE(f.doc.UndoIndex(), std::int16_t(index + 2));
        QCOMPARE(f.differs([](int, int) { return RGBColour(4, 5, 6); }), QString());
        QVERIFY(f.doc.FormIzin());
        f.doc.Undo(1);
        QCOMPARE(f.doc.Picture1.Image(), before);
        f.marquee(5, 5, 12, 10);   // with a selection the whole picture is cleared all the same, and the selection goes
        QVERIFY(f.doc.RectHWND);
        f.host.st.backColour = RGBColour(9, 9, 9);
        f.host.answers = {Msg::Yes};
        f.doc.Clear();
        QCOMPARE(f.differs([](int, int) { return RGBColour(9, 9, 9); }), QString());
        QVERIFY(!f.doc.RectHWND);
        f.doc.setFormIzin(false);   // a closed gate: no question, nothing happens
        f.host.shownMessages.clear();
        f.doc.Clear();
        QVERIFY(f.host.shownMessages.isEmpty());
        QCOMPARE(f.differs([](int, int) { return RGBColour(9, 9, 9); }), QString());
    }
};

QTEST_MAIN(TestTransforms)
#include "tst_transforms.moc"
