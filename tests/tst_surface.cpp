// The drawing surface's primitives: exact pixels of lines, wide strokes, rectangles, ellipses,
// flood fills and the runtime's dots and boxes. Copies, regions, text and buffers are in
// tst_blits.cpp.
#include "canvas.h"

#include <QtTest>

#include <algorithm>
#include <deque>

using namespace orv;
using namespace orvtest;

class TestSurface : public QObject {
    Q_OBJECT

private slots:
    void oneOfALineAndItsEndPixel()
    {
        Surface s = canvas(20, 20, pen(1));
        s.MoveToEx(2, 3);
        QVERIFY(s.LineTo(7, 5));
        QCOMPARE(painted(s), pixelsOf({{2, 3}, {3, 3}, {4, 4}, {5, 4}, {6, 5}}));
        QCOMPARE(s.currentPosition(), QPoint(7, 5));

        // Exact halves round back towards the start point, whichever way the line runs.
        Surface t = canvas(20, 20, pen(1));
        line(t, {0, 0}, {4, 2});
        QCOMPARE(painted(t), pixelsOf({{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
        t.Cls();
        line(t, {4, 2}, {0, 0});
        QCOMPARE(painted(t), pixelsOf({{4, 2}, {3, 2}, {2, 1}, {1, 1}}));
        t.Cls();
        line(t, {0, 0}, {2, 5});   // steep
        QCOMPARE(painted(t), pixelsOf({{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}));

        // A zero-length line paints nothing; a null pen paints nothing but still moves.
        t.Cls();
        t.takeDirty();
        line(t, {5, 5}, {5, 5});
        QVERIFY(painted(t).isEmpty());
        QVERIFY(t.dirtyRect().isEmpty());
        t.SelectObject(pen(1, Black, PS_NULL));
        t.LineTo(15, 9);
        QVERIFY(painted(t).isEmpty());
        QCOMPARE(t.currentPosition(), QPoint(15, 9));

        // Inside a path bracket nothing is drawn.
        t.SelectObject(pen(1));
        t.BeginPath();
        t.LineTo(1, 1);
        t.Rectangle(0, 0, 5, 5);
        t.EndPath();
        QVERIFY(painted(t).isEmpty());

        // The runtime's Line paints the end pixel too.
        Surface u(20, 20);
        u.Line(2, 3, 7, 5, Blue);
        QCOMPARE(painted(u), pixelsOf({{2, 3}, {3, 3}, {4, 4}, {5, 4}, {6, 5}, {7, 5}}));
        QCOMPARE(u.GetPixel(7, 5), Blue);
        QCOMPARE(QPointF(u.CurrentX, u.CurrentY), QPointF(7, 5));
        u.Cls();
        u.Line(4, 4, 4, 4, Blue);
        QCOMPARE(painted(u), pixelsOf({{4, 4}}));

        // Lines running far outside the surface are clipped to the part that is on it.
        Surface v = canvas(10, 10, pen(1));
        line(v, {-1000000, 5}, {1000000, 5});
        QCOMPARE(painted(v).size(), 10);
        v.Cls();
        line(v, {-20, -30}, {40, 60});   // passes through (0, 0) and (6, 9)
        Surface ref = canvas(100, 100, pen(1));
        line(ref, {0, 0}, {60, 90});
        QCOMPARE(differs(v, [&](int x, int y) { return ref.GetPixel(x + 20, y + 30); }), QString());
    }

    void linesMirrorInAllOctants()
    {
        const QList<QPoint> vectors{{7, 3}, {3, 7}, {6, 2}, {5, 5}, {8, 0}, {0, 4}, {4, 2}, {9, 4}};
        const QPoint c(20, 20);
        for (const QPoint v : vectors) {
            for (int variant = 0; variant < 8; ++variant) {
                const bool swap = variant & 1, mx = variant & 2, my = variant & 4;
                auto map = [&](QPoint p) {
                    if (swap)
                        p = QPoint(p.y(), p.x());
                    return QPoint(mx ? -p.x() : p.x(), my ? -p.y() : p.y());
                };
                Surface base = canvas(41, 41, pen(1)), other = canvas(41, 41, pen(1));
                line(base, c, c + v);
                line(other, c, c + map(v));
                Pixels expected;
                for (const QPoint p : painted(base))
                    expected.insert(c + map(p - c));
                QVERIFY2(painted(other) == expected, qPrintable(QStringLiteral("vector %1,%2 variant %3\n%4")
                                                                     .arg(v.x()).arg(v.y()).arg(variant).arg(art(other))));
                QCOMPARE(painted(other).size(), std::max(std::abs(v.x()), std::abs(v.y())));
            }
        }
    }

    void wideStrokes()
    {
        auto stroke = [](int width, QPoint a, QPoint b) {
            Surface s = canvas(40, 40, pen(width));
            line(s, a, b);
            return s;
        };
        auto rows = [](const Surface &s) {
            QMap<int, QPair<int, int>> r;
            for (const QPoint p : painted(s)) {
                auto it = r.find(p.y());
                if (it == r.end())
                    r.insert(p.y(), {p.x(), p.x()});
                else
                    *it = {std::min(it->first, p.x()), std::max(it->second, p.x())};
            }
            return r;
        };
        // Width 3: centred on row 10, reaching one pixel past both ends.
        Surface w3 = stroke(3, {10, 10}, {20, 10});
        QCOMPARE(painted(w3).size(), 3 * 13);
        QCOMPARE(rows(w3), (QMap<int, QPair<int, int>>{{9, {9, 21}}, {10, {9, 21}}, {11, {9, 21}}}));
        // Width 4: exactly four rows thick, the extra one above; round ends.
        Surface w4 = stroke(4, {10, 10}, {20, 10});
        QCOMPARE(rows(w4), (QMap<int, QPair<int, int>>{{8, {9, 20}}, {9, {8, 21}}, {10, {8, 21}}, {11, {9, 20}}}));
        QCOMPARE(painted(w4).size(), 2 * 12 + 2 * 14);
        // Width 5: round caps.
        Surface w5 = stroke(5, {10, 10}, {20, 10});
        QCOMPARE(rows(w5), (QMap<int, QPair<int, int>>{
                               {8, {9, 21}}, {9, {8, 22}}, {10, {8, 22}}, {11, {8, 22}}, {12, {9, 21}}}));
        // The end is painted and the stroke is the same drawn either way round; a diagonal stroke is
        // symmetric about its diagonal.
        for (int width : {2, 3, 6, 7}) {
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
        QCOMPARE(s.dirtyRect(), QRect(100, 100, 10, 4));
        // Refresh reports the dirty area and keeps it; takeDirty hands it over and clears it.
        QRect reported;
        s.setRefreshHandler([&](const QRect &r) { reported = r; });
        s.Refresh();
        QCOMPARE(reported, QRect(100, 100, 10, 4));
        QCOMPARE(s.takeDirty(), QRect(100, 100, 10, 4));
        QVERIFY(s.dirtyRect().isEmpty());
        // Clipped parts do not count.
        s.SelectClipRgn(CreateRectRgn(0, 0, 105, 2000));
        line(s, {100, 200}, {300, 200});
        QCOMPARE(s.takeDirty(), QRect(100, 200, 5, 1));
    }

    void rectangles()
    {
        Surface a = canvas(16, 16, pen(1), brush(Red)), b = canvas(16, 16, pen(1), brush(Red));
        a.Rectangle(2, 3, 8, 7);
        b.Rectangle(8, 7, 2, 3);
        QCOMPARE(a.Image(), b.Image());
        QCOMPARE(differs(a, [](int x, int y) {
                     const bool inBox = x >= 2 && x <= 7 && y >= 3 && y <= 6;
                     return inBox && (x == 2 || x == 7 || y == 3 || y == 6) ? Black : (inBox ? Red : White);
                 }),
                 QString());
        // Hollow brush: only the outline.
        Surface h = canvas(16, 16, pen(1), brush(Red, BS_HOLLOW));
        h.Rectangle(2, 3, 8, 7);
        QCOMPARE(painted(h).size(), 2 * 6 + 2 * 2);
        QCOMPARE(h.GetPixel(4, 4), White);
        // Null pen: the brush covers the whole box.
        Surface n = canvas(16, 16, pen(1, Black, PS_NULL), brush(Red));
        n.Rectangle(2, 3, 8, 7);
        QCOMPARE(painted(n).size(), 6 * 4);
        QCOMPARE(n.GetPixel(2, 3), Red);
        // Wide pens: odd widths centred on the border, even ones one pixel more outside.
        for (const auto &[width, outer, inner] : {std::tuple{3, QRect(1, 1, 12, 12), QRect(4, 4, 6, 6)},
                                                  std::tuple{2, QRect(1, 1, 12, 12), QRect(3, 3, 8, 8)},
                                                  std::tuple{4, QRect(0, 0, 14, 14), QRect(4, 4, 6, 6)}}) {
            Surface w = canvas(16, 16, pen(width), brush(Red));
            w.Rectangle(2, 2, 12, 12);
            const QString off = differs(w, [inner = inner, outer = outer](int x, int y) {
                return inner.contains(x, y) ? Red : (outer.contains(x, y) ? Black : White);
            });
            QVERIFY2(off.isEmpty(), qPrintable(QStringLiteral("width %1 at %2").arg(width).arg(off)));
        }
        // Empty boxes draw nothing.
        Surface e = canvas(8, 8, pen(1));
        e.Rectangle(3, 1, 3, 6);
        QVERIFY(painted(e).isEmpty());
    }

    void ellipseOutlines()
    {
        // The 5 x 5 circle, exactly.
        Surface c = canvas(5, 5, pen(1), brush(Red, BS_HOLLOW));
        c.Ellipse(0, 0, 5, 5);
        QCOMPARE(art(c), QStringLiteral(".###.\n#...#\n#...#\n#...#\n.###.\n"));

        const QList<QSize> sizes{{3, 3}, {4, 4}, {5, 3}, {7, 5}, {8, 6}, {9, 9}, {10, 10}, {15, 8}, {16, 31}, {40, 25}, {41, 41}};
        for (const QSize sz : sizes) {
            const QRect box(3, 4, sz.width(), sz.height());
            Surface s = canvas(box.right() + 4, box.bottom() + 4, pen(1), brush(Red));
            Surface t = canvas(s.ScaleWidth(), s.ScaleHeight(), pen(1), brush(Red));
            // Drawn from any corner, the same.
            s.Ellipse(box.right() + 1, box.top(), box.left(), box.bottom() + 1);
            t.Ellipse(box.left(), box.top(), box.right() + 1, box.bottom() + 1);
            QCOMPARE(s.Image(), t.Image());
            const QString msg = QStringLiteral("%1x%2\n%3").arg(sz.width()).arg(sz.height()).arg(art(s));

            const Pixels all = painted(s);
            Pixels outline;
            for (const QPoint p : all)
                if (s.GetPixel(p.x(), p.y()) == Black)
                    outline.insert(p);
            // Inside the box, touching all four of its sides, symmetric in both axes.
            QVERIFY2(boundsOf(all) == box, qPrintable(msg));
            for (const QPoint p : all) {
                const QPoint mx(box.left() + box.right() - p.x(), p.y());
                const QPoint my(p.x(), box.top() + box.bottom() - p.y());
                QVERIFY2(s.GetPixel(mx.x(), mx.y()) == s.GetPixel(p.x(), p.y()), qPrintable(msg));
                QVERIFY2(s.GetPixel(my.x(), my.y()) == s.GetPixel(p.x(), p.y()), qPrintable(msg));
            }
            // Closed: no brush pixel touches the outside; one pixel thin: no 2 x 2 block of outline.
            for (const QPoint p : all) {
                if (s.GetPixel(p.x(), p.y()) != Red)
                    continue;
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                    QVERIFY2(s.GetPixel(p.x() + d.x(), p.y() + d.y()) != White, qPrintable(msg));
            }
            for (const QPoint p : outline)
                QVERIFY2(!(outline.contains(p + QPoint(1, 0)) && outline.contains(p + QPoint(0, 1))
                           && outline.contains(p + QPoint(1, 1))),
                         qPrintable(msg));
            // 8-connected: one walk reaches the whole outline.
            Pixels seen{*outline.begin()};
            std::deque<QPoint> queue{*outline.begin()};
            while (!queue.empty()) {
                const QPoint p = queue.front();
                queue.pop_front();
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint q = p + QPoint(dx, dy);
                        if (outline.contains(q) && !seen.contains(q)) {
                            seen.insert(q);
                            queue.push_back(q);
                        }
                    }
            }
            QVERIFY2(seen.size() == outline.size(), qPrintable(msg));
            // The outline hugs the filled set: each of its pixels has a 4-neighbour outside.
            for (const QPoint p : outline) {
                bool edge = false;
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                    edge |= s.GetPixel(p.x() + d.x(), p.y() + d.y()) == White;
                QVERIFY2(edge, qPrintable(msg));
            }
        }
    }

    void ellipseWidePenAndDegenerateBoxes()
    {
        // Nothing for an empty box; a strip for a thin one.
        Surface s = canvas(12, 12, pen(1));
        s.Ellipse(2, 2, 2, 9);
        QVERIFY(painted(s).isEmpty());
        s.Ellipse(2, 2, 4, 9);
        QCOMPARE(painted(s).size(), 2 * 7);
        QCOMPARE(s.GetPixel(3, 8), Black);
        s.Cls();
        s.Ellipse(1, 5, 11, 6);
        QCOMPARE(painted(s).size(), 10);

        // A width-5 pen: the ring lies within the box grown by 2, stays symmetric and encloses the brush.
        Surface w = canvas(40, 40, pen(5), brush(Red));
        w.Ellipse(8, 10, 31, 27);
        const Pixels all = painted(w);
        QCOMPARE(boundsOf(all), QRect(QPoint(6, 8), QPoint(32, 28)));
        for (const QPoint p : all) {
            QCOMPARE(w.GetPixel(38 - p.x(), p.y()), w.GetPixel(p.x(), p.y()));
            QCOMPARE(w.GetPixel(p.x(), 36 - p.y()), w.GetPixel(p.x(), p.y()));
            if (w.GetPixel(p.x(), p.y()) == Red) {
                // At least two pen pixels between the brush and the outside in every direction.
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                    QVERIFY(w.GetPixel(p.x() + 2 * d.x(), p.y() + 2 * d.y()) != White);
            }
        }
        // Along the middle row the ring is five pixels thick on both sides.
        QCOMPARE(w.GetPixel(6, 18), Black);
        QCOMPARE(w.GetPixel(10, 18), Black);
        QCOMPARE(w.GetPixel(11, 18), Red);
    }

    void floodFillConnectivityAndClip()
    {
        // A diagonal wall: the two halves touch only corner to corner, which does not connect.
        Surface s(10, 10);
        s.Line(0, 9, 9, 0, Black);
        s.SelectObject(brush(Red));
        QVERIFY(s.ExtFloodFill(0, 0, White, FLOODFILLSURFACE));
        QCOMPARE(differs(s, [](int x, int y) { return x + y < 9 ? Red : (x + y == 9 ? Black : White); }), QString());
        // Nothing when the start pixel does not match or is off the surface.
        QVERIFY(!s.ExtFloodFill(9, 9, Red, FLOODFILLSURFACE));
        QVERIFY(!s.ExtFloodFill(-1, 3, White, FLOODFILLSURFACE));
        QVERIFY(!s.ExtFloodFill(3, 10, White, FLOODFILLSURFACE));

        // Filling with the area's own colour, or a hollow brush, returns and changes nothing.
        const QImage before = s.Image().copy();
        s.SelectObject(brush(White));
        QVERIFY(s.ExtFloodFill(9, 9, White, FLOODFILLSURFACE));
        s.SelectObject(brush(Green, BS_HOLLOW));
        QVERIFY(s.ExtFloodFill(9, 9, White, FLOODFILLSURFACE));
        QCOMPARE(s.Image(), before);

        // The clip region bounds the fill and must hold the start pixel.
        Surface c(12, 12);
        c.SelectObject(brush(Blue));
        c.SelectClipRgn(CreateRectRgn(2, 2, 6, 6));
        QVERIFY(!c.ExtFloodFill(8, 8, White, FLOODFILLSURFACE));
        QVERIFY(painted(c).isEmpty());
        QVERIFY(c.ExtFloodFill(3, 3, White, FLOODFILLSURFACE));
        QCOMPARE(painted(c).size(), 16);
        QCOMPARE(c.takeDirty(), QRect(2, 2, 4, 4));

        // Until a border: every other colour inside the ring is painted, even the brush's own.
        Surface b = canvas(12, 12, pen(1), brush(White, BS_HOLLOW));
        b.Rectangle(1, 1, 11, 11);
        b.SetPixel(4, 4, Blue);
        b.SetPixel(6, 6, Green);
        b.SelectObject(brush(Green));
        QVERIFY(b.ExtFloodFill(5, 5, Black, FLOODFILLBORDER));
        QCOMPARE(differs(b, [](int x, int y) {
                     const bool ring = (x == 1 || x == 10 || y == 1 || y == 10) && x >= 1 && x <= 10 && y >= 1 && y <= 10;
                     return ring ? Black : (x >= 2 && x <= 9 && y >= 2 && y <= 9 ? Green : White);
                 }),
                 QString());
        QVERIFY(!b.ExtFloodFill(1, 1, Black, FLOODFILLBORDER));
    }

    void floodFillMatchesReference()
    {
        // Random walls, with and without a polygon clip region: the fill must equal a plain
        // 4-connected search.
        const int W = 96, H = 80;
        for (unsigned seed : {1u, 7u, 42u, 5u, 9u, 13u}) {
            Surface s(noise(W, H, seed, seed < 5 ? 30 : 38));
            const Colour floor = White;
            const Region clip = seed < 5 ? CreatePolygonRgn({{5, 2}, {90, 10}, {70, 78}, {3, 60}}, WINDING)
                                         : CreateRectRgn(-10, -10, W + 10, H + 10);
            if (seed < 5)
                s.SelectClipRgn(clip);
            s.SelectObject(brush(Blue));
            QPoint start(40, 40);
            while (s.GetPixel(start.x(), start.y()) != floor)
                start.rx()++;

            std::vector<char> want(W * H, 0);
            std::deque<QPoint> queue{start};
            want[start.y() * W + start.x()] = 1;
            while (!queue.empty()) {
                const QPoint p = queue.front();
                queue.pop_front();
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (q.x() < 0 || q.y() < 0 || q.x() >= W || q.y() >= H || want[q.y() * W + q.x()])
                        continue;
                    if (s.GetPixel(q.x(), q.y()) == floor && PtInRegion(clip, q.x(), q.y())) {
                        want[q.y() * W + q.x()] = 1;
                        queue.push_back(q);
                    }
                }
            }
            const QImage before = s.Image().copy();
            QVERIFY(s.ExtFloodFill(start.x(), start.y(), floor, FLOODFILLSURFACE));
            QCOMPARE(differs(s, [&](int x, int y) {
                         return want[y * W + x] ? Blue : FromPixel(before.pixel(x, y) & 0xFFFFFF);
                     }),
                     QString());
            QVERIFY(std::count(want.begin(), want.end(), 1) > 50);
        }
    }

    void runtimeDotsAndBoxes()
    {
        Surface s(100, 100);
        s.ForeColor = Red;
        s.PSet(3.5, 4.4);
        QCOMPARE(painted(s), pixelsOf({{4, 4}}));
        QCOMPARE(QPointF(s.CurrentX, s.CurrentY), QPointF(3.5, 4.4));

        // DrawWidth 14: a disc 14 pixels across, centred on the corner of (50, 50).
        s.Cls();
        s.DrawWidth = 14;
        s.PSet(50, 50);
        const Pixels dot = painted(s);
        for (const QPoint p : dot)
            QVERIFY(dot.contains(QPoint(99 - p.x(), p.y())) && dot.contains(QPoint(p.y(), p.x())));
        QCOMPARE(boundsOf(dot), QRect(43, 43, 14, 14));
        const auto onRow = [&dot](int y) { return std::count_if(dot.begin(), dot.end(), [y](QPoint p) { return p.y() == y; }); };
        QCOMPARE(onRow(43), 6);
        QCOMPARE(onRow(50), 14);
        // DrawWidth 3: the 3 x 3 block around the pixel; 2: the 2 x 2 block up and left of it.
        s.Cls();
        s.DrawWidth = 3;
        s.PSet(10, 10, Blue);
        QCOMPARE(painted(s).size(), 9);
        QCOMPARE(s.GetPixel(9, 9), Blue);
        QCOMPARE(s.GetPixel(11, 11), Blue);
        s.Cls();
        s.DrawWidth = 2;
        s.PSet(10, 10, Blue);
        QCOMPARE(painted(s), pixelsOf({{9, 9}, {10, 9}, {9, 10}, {10, 10}}));

        // Line B and BF take both corners in; either way round.
        s.Cls();
        s.DrawWidth = 1;
        s.Line(6, 5, 2, 3, Blue, true, false);
        Pixels outline;
        for (int x = 2; x <= 6; ++x)
            outline << QPoint(x, 3) << QPoint(x, 5);
        outline << QPoint(2, 4) << QPoint(6, 4);
        QCOMPARE(painted(s), outline);
        s.Cls();
        s.Line(2, 3, 6, 5, Blue, true, true);
        QCOMPARE(painted(s).size(), 15);
        QCOMPARE(s.GetPixel(4, 4), Blue);
        QCOMPARE(QPointF(s.CurrentX, s.CurrentY), QPointF(6, 5));

        QCOMPARE(s.Point(4, 4), Blue);
        QCOMPARE(s.Point(-1, 4), CLR_INVALID);
        QCOMPARE(s.Point(100, 4), CLR_INVALID);
    }
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
