// The drawing surface's primitives on exact pixels. Copies and regions: tst_blits.cpp.
#include "canvas.h"

using namespace orv;
using namespace orvtest;

namespace {

const QPoint N4[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

// The points of `set` that a walk by `steps` from `start` reaches.
template<typename Steps>
Pixels reached(const Pixels &set, const Steps &steps, QPoint start)
{
    Pixels seen{start};
    std::deque<QPoint> queue{start};
    while (!queue.empty()) {
        const QPoint p = queue.front();
        queue.pop_front();
        for (const QPoint d : steps)
            if (set.contains(p + d) && !seen.contains(p + d)) {
                seen.insert(p + d);
                queue.push_back(p + d);
            }
    }
    return seen;
}

} // namespace

class TestSurface : public QObject {
    Q_OBJECT

private slots:
    void lines()
    {
        // The end pixel is left out; exact halves round back towards the start, either way round.
        for (const auto &[a, b, want] : {std::tuple{QPoint(2, 3), QPoint(7, 5), pixelsOf({{2, 3}, {3, 3}, {4, 4}, {5, 4}, {6, 5}})},
                                         {QPoint(0, 0), QPoint(4, 2), pixelsOf({{0, 0}, {1, 0}, {2, 1}, {3, 1}})},
                                         {QPoint(4, 2), QPoint(0, 0), pixelsOf({{4, 2}, {3, 2}, {2, 1}, {1, 1}})},
                                         {QPoint(0, 0), QPoint(2, 5), pixelsOf({{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}})}}) {
            Surface s = canvas(20, 20, pen(1));
            s.MoveToEx(a.x(), a.y());
            QVERIFY(s.LineTo(b.x(), b.y()));
            QCOMPARE(painted(s), want);
            QCOMPARE(s.currentPosition(), b);
        }
        Surface t = canvas(20, 20, pen(1));   // nothing for a zero-length line, a null pen (which still moves) or inside a path bracket
        t.takeDirty();
        line(t, {5, 5}, {5, 5});
        QVERIFY(painted(t).isEmpty() && t.dirtyRect().isEmpty());
        t.SelectObject(pen(1, Black, PS_NULL));
        t.LineTo(15, 9);
        QVERIFY(painted(t).isEmpty());
        QCOMPARE(t.currentPosition(), QPoint(15, 9));
        t.SelectObject(pen(1));
        t.BeginPath();
        t.LineTo(1, 1);
        t.Rectangle(0, 0, 5, 5);
        t.EndPath();
        QVERIFY(painted(t).isEmpty());
        Surface u(20, 20);   // the runtime's Line paints the end pixel too
        u.Line(2, 3, 7, 5, Blue);
        QCOMPARE(differs(u, [](int x, int y) { return pixelsOf({{2, 3}, {3, 3}, {4, 4}, {5, 4}, {6, 5}, {7, 5}}).contains({x, y}) ? Blue : White; }), QString());
        QCOMPARE(QPointF(u.CurrentX, u.CurrentY), QPointF(7, 5));
        u.Cls();
        u.Line(4, 4, 4, 4, Blue);
        QCOMPARE(painted(u), pixelsOf({{4, 4}}));
        Surface v = canvas(10, 10, pen(1)), ref = canvas(100, 100, pen(1));   // lines running far outside the surface: the part on it
        line(v, {-1000000, 5}, {1000000, 5});
        QCOMPARE(painted(v).size(), 10);
        v.Cls();
        line(v, {-20, -30}, {40, 60});   // passes through (0, 0) and (6, 9)
        line(ref, {0, 0}, {60, 90});
        QCOMPARE(differs(v, [&](int x, int y) { return ref.GetPixel(x + 20, y + 30); }), QString());
        const QPoint c(20, 20);
        for (const QPoint v : {QPoint(7, 3), QPoint(3, 7), QPoint(6, 2), QPoint(5, 5), QPoint(8, 0), QPoint(0, 4), QPoint(4, 2), QPoint(9, 4)})
            for (int variant = 0; variant < 8; ++variant) {
                const auto map = [variant](QPoint p) {
                    if (variant & 1)
                        p = QPoint(p.y(), p.x());
                    return QPoint(variant & 2 ? -p.x() : p.x(), variant & 4 ? -p.y() : p.y());
                };
                Surface base = canvas(41, 41, pen(1)), other = canvas(41, 41, pen(1));
                line(base, c, c + v);
                line(other, c, c + map(v));
                Pixels expected;
                for (const QPoint p : painted(base))
                    expected.insert(c + map(p - c));
                QVERIFY2(painted(other) == expected, qPrintable(QStringLiteral("%1,%2 variant %3\n%4").arg(v.x()).arg(v.y()).arg(variant).arg(art(other))));
                QCOMPARE(painted(other).size(), std::max(std::abs(v.x()), std::abs(v.y())));
            }
    }

    void wideStrokes()
    {
        auto stroke = [](int width, QPoint a, QPoint b) {
            Surface s = canvas(40, 40, pen(width));
            line(s, a, b);
            return s;
        };
        using Rows = QMap<int, QPair<int, int>>;   // row -> first and last painted column
        auto rows = [](const Surface &s) {
            Rows r;
            for (const QPoint p : painted(s)) {
                const auto it = r.find(p.y());
                r[p.y()] = it == r.end() ? std::pair(p.x(), p.x()) : std::pair(std::min(it->first, p.x()), std::max(it->second, p.x()));
            }
            return r;
        };
        // Width 3 one past both ends; 4 with the extra row above; 5 with round caps.
        for (const auto &[width, want, count] : {std::tuple{3, Rows{{9, {9, 21}}, {10, {9, 21}}, {11, {9, 21}}}, 3 * 13},
                                                 {4, Rows{{8, {9, 20}}, {9, {8, 21}}, {10, {8, 21}}, {11, {9, 20}}}, 2 * 12 + 2 * 14},
                                                 {5, Rows{{8, {9, 21}}, {9, {8, 22}}, {10, {8, 22}}, {11, {8, 22}}, {12, {9, 21}}}, 2 * 13 + 3 * 15}}) {
            const Surface s = stroke(width, {10, 10}, {20, 10});
            QCOMPARE(rows(s), want);
            QCOMPARE(painted(s).size(), count);
        }
        for (int width : {2, 3, 6, 7}) {   // ends painted, the same either way round; a diagonal symmetric about itself
            Surface f = stroke(width, {8, 8}, {28, 28}), b = stroke(width, {28, 28}, {8, 8});
            QCOMPARE(f.Image(), b.Image());
            QCOMPARE(differs(f, [&](int x, int y) { return f.GetPixel(y, x); }), QString());
            Surface g = stroke(width, {5, 20}, {30, 9}), h = stroke(width, {30, 9}, {5, 20});
            QCOMPARE(g.Image(), h.Image());
            QVERIFY(g.GetPixel(30, 9) == Black && g.GetPixel(5, 20) == Black);
        }
    }

    void smallLineDirtiesLittle()
    {
        Surface s(2000, 2000);
        s.takeDirty();
        s.SelectObject(pen(1, Red));
        line(s, {100, 100}, {110, 103});
        QRect reported;
        s.setRefreshHandler([&](const QRect &r) { reported = r; });
        s.Refresh();
        QCOMPARE(reported, QRect(100, 100, 10, 4));
        QCOMPARE(s.takeDirty(), QRect(100, 100, 10, 4));
        QVERIFY(s.dirtyRect().isEmpty());
        s.SelectClipRgn(CreateRectRgn(0, 0, 105, 2000));
        line(s, {100, 200}, {300, 200});
        QCOMPARE(s.takeDirty(), QRect(100, 200, 5, 1));   // clipped parts do not count
    }

    void rectangles()
    {
        Surface a = canvas(16, 16, pen(1), brush(Red)), b = canvas(16, 16, pen(1), brush(Red));
        a.Rectangle(2, 3, 8, 7);
        b.Rectangle(8, 7, 2, 3);
        QCOMPARE(a.Image(), b.Image());
        // Odd pens centred on the border, even ones one more outside; hollow brush; null pen.
        for (const auto &[p, br, box, outer, inner] :
             {std::tuple{pen(1), brush(Red), QRect(2, 3, 6, 4), QRect(2, 3, 6, 4), QRect(3, 4, 4, 2)},
              {pen(1), brush(Red, BS_HOLLOW), QRect(2, 3, 6, 4), QRect(2, 3, 6, 4), QRect(3, 4, 4, 2)},
              {pen(1, Black, PS_NULL), brush(Red), QRect(2, 3, 6, 4), QRect(), QRect(2, 3, 6, 4)},
              {pen(3), brush(Red), QRect(2, 2, 10, 10), QRect(1, 1, 12, 12), QRect(4, 4, 6, 6)},
              {pen(2), brush(Red), QRect(2, 2, 10, 10), QRect(1, 1, 12, 12), QRect(3, 3, 8, 8)},
              {pen(4), brush(Red), QRect(2, 2, 10, 10), QRect(0, 0, 14, 14), QRect(4, 4, 6, 6)}}) {
            Surface w = canvas(16, 16, p, br);
            w.Rectangle(box.left(), box.top(), box.right() + 1, box.bottom() + 1);
            const QString off = differs(w, [inner = inner, outer = outer, hollow = br.hollow()](int x, int y) {
                return inner.contains(x, y) ? (hollow ? White : Red) : (outer.contains(x, y) ? Black : White);
            });
            QVERIFY2(off.isEmpty(), qPrintable(QStringLiteral("width %1 at %2").arg(p.width).arg(off)));
        }
        Surface e = canvas(8, 8, pen(1));
        e.Rectangle(3, 1, 3, 6);
        QVERIFY(painted(e).isEmpty());
    }

    void ellipses()
    {
        Surface c = canvas(5, 5, pen(1), brush(Red, BS_HOLLOW));
        c.Ellipse(0, 0, 5, 5);
        QCOMPARE(art(c), QStringLiteral(".###.\n#...#\n#...#\n#...#\n.###.\n"));
        for (const QSize sz : {QSize(3, 3), QSize(4, 4), QSize(5, 3), QSize(7, 5), QSize(8, 6), QSize(9, 9), QSize(10, 10), QSize(15, 8),
                               QSize(16, 31), QSize(40, 25), QSize(41, 41)}) {
            const QRect box(3, 4, sz.width(), sz.height());
            Surface s = canvas(box.right() + 4, box.bottom() + 4, pen(1), brush(Red));
            Surface t = canvas(s.ScaleWidth(), s.ScaleHeight(), pen(1), brush(Red));
            s.Ellipse(box.right() + 1, box.top(), box.left(), box.bottom() + 1);   // drawn from any corner, the same
            t.Ellipse(box.left(), box.top(), box.right() + 1, box.bottom() + 1);
            QCOMPARE(s.Image(), t.Image());
            const QString msg = QStringLiteral("%1x%2\n%3").arg(sz.width()).arg(sz.height()).arg(art(s));
            const auto at = [&s](QPoint p) { return s.GetPixel(p.x(), p.y()); };
            const Pixels all = painted(s);
            Pixels outline;
            for (const QPoint p : all)
                if (at(p) == Black)
                    outline.insert(p);
            QVERIFY2(boundsOf(all) == box, qPrintable(msg));   // touching the four sides of the box, symmetric, closed, one pixel thin, 8-connected
            for (const QPoint p : all) {
                QVERIFY2(at({box.left() + box.right() - p.x(), p.y()}) == at(p), qPrintable(msg));
                QVERIFY2(at({p.x(), box.top() + box.bottom() - p.y()}) == at(p), qPrintable(msg));
                bool edge = false;
                for (const QPoint d : N4) {
                    QVERIFY2(at(p) != Red || at(p + d) != White, qPrintable(msg));
                    edge |= at(p + d) == White;
                }
                QVERIFY2(at(p) != Black || edge, qPrintable(msg));
                QVERIFY2(!outline.contains(p) || !outline.contains(p + QPoint(1, 0)) || !outline.contains(p + QPoint(0, 1))
                             || !outline.contains(p + QPoint(1, 1)),
                         qPrintable(msg));
            }
            const QPoint n8[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, -1}, {1, -1}, {-1, 1}};
            QVERIFY2(reached(outline, n8, *outline.begin()).size() == outline.size(), qPrintable(msg));
        }
        for (const QRect box : {QRect(2, 2, 0, 7), QRect(2, 2, 2, 7), QRect(1, 5, 10, 1)}) {   // nothing when empty, the whole box when thin
            Surface s = canvas(12, 12, pen(1));
            s.Ellipse(box.left(), box.top(), box.left() + box.width(), box.top() + box.height());
            QCOMPARE(differs(s, [box](int x, int y) { return box.contains(x, y) ? Black : White; }), QString());
        }
        Surface w = canvas(40, 40, pen(5), brush(Red));   // a width-5 ring: in the box grown by 2, symmetric, two pen pixels thick at least
        w.Ellipse(8, 10, 31, 27);
        const Pixels all = painted(w);
        QCOMPARE(boundsOf(all), QRect(QPoint(6, 8), QPoint(32, 28)));
        for (const QPoint p : all) {
            QCOMPARE(w.GetPixel(38 - p.x(), p.y()), w.GetPixel(p.x(), p.y()));
            QCOMPARE(w.GetPixel(p.x(), 36 - p.y()), w.GetPixel(p.x(), p.y()));
            for (const QPoint d : N4)
                QVERIFY(w.GetPixel(p.x(), p.y()) != Red || w.GetPixel(p.x() + 2 * d.x(), p.y() + 2 * d.y()) != White);
        }
        QCOMPARE((QList<Colour>{w.GetPixel(6, 18), w.GetPixel(10, 18), w.GetPixel(11, 18)}), (QList<Colour>{Black, Black, Red}));
    }

    void floodFill()
    {
        Surface s(10, 10);   // a diagonal wall: the two halves touch only corner to corner, which does not connect
        s.Line(0, 9, 9, 0, Black);
        s.SelectObject(brush(Red));
        QVERIFY(s.ExtFloodFill(0, 0, White, FLOODFILLSURFACE));
        QCOMPARE(differs(s, [](int x, int y) { return x + y < 9 ? Red : (x + y == 9 ? Black : White); }), QString());
        QVERIFY(!s.ExtFloodFill(9, 9, Red, FLOODFILLSURFACE));
        QVERIFY(!s.ExtFloodFill(-1, 3, White, FLOODFILLSURFACE) && !s.ExtFloodFill(3, 10, White, FLOODFILLSURFACE));
        const QImage before = s.Image().copy();   // the area's own colour, or a hollow brush: true, nothing changes
        s.SelectObject(brush(White));
        QVERIFY(s.ExtFloodFill(9, 9, White, FLOODFILLSURFACE));
        s.SelectObject(brush(Green, BS_HOLLOW));
        QVERIFY(s.ExtFloodFill(9, 9, White, FLOODFILLSURFACE));
        QCOMPARE(s.Image(), before);
        Surface c(12, 12);   // the clip region bounds the fill and must hold the start pixel
        c.SelectObject(brush(Blue));
        c.SelectClipRgn(CreateRectRgn(2, 2, 6, 6));
        QVERIFY(!c.ExtFloodFill(8, 8, White, FLOODFILLSURFACE));
        QVERIFY(painted(c).isEmpty());
        QVERIFY(c.ExtFloodFill(3, 3, White, FLOODFILLSURFACE));
        QCOMPARE(differs(c, [](int x, int y) { return QRect(2, 2, 4, 4).contains(x, y) ? Blue : White; }), QString());
        QCOMPARE(c.takeDirty(), QRect(2, 2, 4, 4));
        // Until a border: every other colour inside the ring is painted, even the brush's own.
        Surface b = canvas(12, 12, pen(1), brush(White, BS_HOLLOW));
        b.Rectangle(1, 1, 11, 11);
        b.SetPixel(4, 4, Blue);
        b.SetPixel(6, 6, Green);
        b.SelectObject(brush(Green));
        QVERIFY(b.ExtFloodFill(5, 5, Black, FLOODFILLBORDER));
        QCOMPARE(differs(b, [](int x, int y) { return QRect(2, 2, 8, 8).contains(x, y) ? Green : QRect(1, 1, 10, 10).contains(x, y) ? Black : White; }), QString());
        QVERIFY(!b.ExtFloodFill(1, 1, Black, FLOODFILLBORDER));
        const int W = 96, H = 80;   // random walls, with and without a clip: the fill equals a plain 4-connected search
        for (unsigned seed : {1u, 7u, 42u, 5u, 9u, 13u}) {
            Surface r(noise(W, H, seed, seed < 5 ? 30 : 38));
            const Region clip = seed < 5 ? CreatePolygonRgn({{5, 2}, {90, 10}, {70, 78}, {3, 60}}, WINDING) : CreateRectRgn(-10, -10, W + 10, H + 10);
            if (seed < 5)
                r.SelectClipRgn(clip);
            r.SelectObject(brush(Blue));
            QPoint start(40, 40);
            while (r.GetPixel(start.x(), start.y()) != White)
                start.rx()++;
            Pixels open;
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    if (r.GetPixel(x, y) == White && PtInRegion(clip, x, y))
                        open.insert(QPoint(x, y));
            const Pixels want = reached(open, N4, start);
            const QImage was = r.Image().copy();
            QVERIFY(r.ExtFloodFill(start.x(), start.y(), White, FLOODFILLSURFACE));
            QCOMPARE(differs(r, [&](int x, int y) { return want.contains(QPoint(x, y)) ? Blue : FromPixel(was.pixel(x, y) & 0xFFFFFF); }), QString());
            QVERIFY(want.size() > 50);
        }
    }

    void runtimeDotsAndBoxes()
    {
        Surface s(100, 100);
        s.ForeColor = Red;
        s.PSet(3.5, 4.4);
        QCOMPARE(painted(s), pixelsOf({{4, 4}}));
        QCOMPARE(QPointF(s.CurrentX, s.CurrentY), QPointF(3.5, 4.4));
        s.Cls();   // DrawWidth 14: a disc 14 pixels across, centred on the corner of (50, 50)
        s.DrawWidth = 14;
        s.PSet(50, 50);
        const Pixels dot = painted(s);
        for (const QPoint p : dot)
            QVERIFY(dot.contains(QPoint(99 - p.x(), p.y())) && dot.contains(QPoint(p.y(), p.x())));
        QCOMPARE(boundsOf(dot), QRect(43, 43, 14, 14));
        const auto onRow = [&dot](int y) { return int(std::count_if(dot.begin(), dot.end(), [y](QPoint p) { return p.y() == y; })); };
        QCOMPARE(std::pair(onRow(43), onRow(50)), std::pair(6, 14));
        for (const auto &[width, block] : {std::pair{3, QRect(9, 9, 3, 3)}, {2, QRect(9, 9, 2, 2)}}) {   // odd widths centred, even up and left
            s.Cls();
            s.DrawWidth = width;
            s.PSet(10, 10, Blue);
            QCOMPARE(differs(s, [block = block](int x, int y) { return block.contains(x, y) ? Blue : White; }), QString());
        }
        s.DrawWidth = 1;
        for (const bool filled : {false, true}) {   // Line B and BF take both corners in, either way round
            s.Cls();
            filled ? s.Line(2, 3, 6, 5, Blue, true, true) : s.Line(6, 5, 2, 3, Blue, true, false);
            QCOMPARE(differs(s, [filled](int x, int y) { return QRect(2, 3, 5, 3).contains(x, y) && (filled || y != 4 || x == 2 || x == 6) ? Blue : White; }), QString());
        }
        QCOMPARE(QPointF(s.CurrentX, s.CurrentY), QPointF(6, 5));
        QCOMPARE((QList<Colour>{s.Point(4, 4), s.Point(-1, 4), s.Point(100, 4)}), (QList<Colour>{Blue, CLR_INVALID, CLR_INVALID}));
    }
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
