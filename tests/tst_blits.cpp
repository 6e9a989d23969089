// The drawing surface's copies, raster operations, stretching, regions, text and buffers.
#include "canvas.h"

#include "document/MaskedBlit.h"
#include "document/surface/PictureThreads.h"

using namespace orv;
using namespace orvtest;

namespace {

// The first pixel of `dest` not as a masked copy of `r` of `src` to (X, Y) leaves it.
QString maskedDiffers(const Surface &dest, const Surface &before, const Surface &src, BlitRect r, int X, int Y, Colour key,
                      QRect clip = QRect(-9999, -9999, 99999, 99999))
{
    return differs(dest, [&](int x, int y) {
        const int sx = x - X + r.left, sy = y - Y + r.top;
        const bool inBlock = sx >= r.left && sx <= r.right && sy >= r.top && sy <= r.bottom && clip.contains(x, y);
        const Colour s = inBlock ? src.GetPixel(sx, sy) : key;
        return inBlock && s != key ? s : before.GetPixel(x, y);
    });
}

} // namespace

class TestBlits : public QObject {
    Q_OBJECT

private slots:
    void maskedBlitLeavesOutExactlyTheKey()
    {
        const Colour key = RGBColour(10, 20, 30);
        Surface src(5, 4, key);
        src.SetPixelV(0, 0, RGBColour(11, 20, 30));
        src.SetPixelV(1, 0, RGBColour(10, 20, 31));
        src.SetPixelV(2, 1, Black);
        src.SetPixelV(3, 2, White);
        src.SetPixelV(1, 3, RGBColour(200, 100, 50));
        Surface dest(noise(8, 8, 4));
        const Surface before = dest;
        MaskedBlit(dest, dest, src, BlitRect{0, 0, 3, 3}, 2, 3, key);
        QCOMPARE(src.GetBkColor(), White);   // the source's background colour is restored
        QCOMPARE(maskedDiffers(dest, before, src, BlitRect{0, 0, 3, 3}, 2, 3, key), QString());
        Surface plain(5, 4, key);
        MaskedBlit(dest, dest, plain, BlitRect{0, 0, 4, 3}, 0, 0, key);
        QCOMPARE(maskedDiffers(dest, before, src, BlitRect{0, 0, 3, 3}, 2, 3, key), QString());

        Surface big(300, 260), large(400, 300);   // taller than the copy's bands, partly off the destination, clipped; scratch reused
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x) {
                if (x < 300 && y < 260)
                    big.SetPixelV(x, y, (x + y) % 3 == 0 ? key : RGBColour(x & 0xFF, y & 0xFF, 40));
                large.SetPixelV(x, y, RGBColour(90, x & 0xFF, y & 0xFF));
            }
        const Surface largeBefore = large;
        large.SelectClipRgn(CreateRectRgn(0, 10, 390, 300));
        MaskedBlitScratch scratch;
        MaskedBlit(large, large, big, BlitRect{5, 3, 290, 250}, -20, 120, key, &scratch);
        QCOMPARE(maskedDiffers(large, largeBefore, big, BlitRect{5, 3, 290, 250}, -20, 120, key, QRect(0, 10, 390, 290)), QString());
        QVERIFY(scratch.mask.isMonochrome() && !scratch.workA.isMonochrome());
        Surface small(6, 6, RGBColour(1, 2, 3)), clipped(20, 20, White);
        clipped.SelectClipRgn(CreateRectRgn(0, 0, 8, 20));
        MaskedBlit(clipped, clipped, small, BlitRect{0, 0, 5, 5}, 4, 4, White, &scratch);
        const uchar *bitsA = scratch.workA.Image().constBits(), *maskBits = scratch.mask.Image().constBits();
        MaskedBlit(clipped, clipped, small, BlitRect{0, 0, 5, 5}, 5, 4, White, &scratch);
        QCOMPARE(scratch.workA.Image().constBits(), bitsA);   // same buffers, no new allocation
        QCOMPARE(scratch.mask.Image().constBits(), maskBits);
        QCOMPARE(differs(clipped, [](int x, int y) { return x >= 4 && x < 8 && y >= 4 && y < 10 ? RGBColour(1, 2, 3) : White; }), QString());
    }

    void bitBlt()
    {
        constexpr int W = 23, H = 3;   // every rop in every mono/colour pairing; rows for the eight- and four-at-a-time loops and tails
        std::uint32_t seed = 99;
        const Colour bk = RGBColour(10, 20, 30), fg = RGBColour(200, 150, 100), dstBk = RGBColour(1, 2, 3);
        auto randomColour = [&] {
            const std::uint32_t r = seed = seed * 1664525u + 1013904223u;
            return (r & 3) == 0 ? bk : (r & 3) == 1 ? RGBColour(128, 128, 127 + (r >> 8) % 3) : Colour(r >> 8);
        };
        for (const bool srcMono : {false, true})
            for (const bool dstMono : {false, true})
                for (const std::uint32_t rop : {SRCCOPY, SRCAND, SRCINVERT, NOTSRCCOPY, SRCPAINT}) {
                    Surface src = srcMono ? CreateBitmap(W, H, 1, 1) : Surface(W, H);
                    Surface dst = dstMono ? CreateBitmap(W, H, 1, 1) : Surface(W, H);
                    for (int y = 0; y < H; ++y)
                        for (int x = 0; x < W; ++x) {
                            src.SetPixelV(x, y, randomColour());
                            dst.SetPixelV(x, y, randomColour());
                        }
                    src.SetBkColor(bk);
                    dst.SetBkColor(dstBk);
                    dst.SetTextColor(fg);
                    const Surface before = dst;
                    QVERIFY(BitBlt(dst, 0, 0, W, H, src, 0, 0, rop));
                    const QString off = differs(dst, [&](int x, int y) {
                        Colour s = src.GetPixel(x, y);
                        if (srcMono != dstMono)
                            s = dstMono ? (s == bk ? White : 0) : (s == White ? dstBk : fg);
                        const Colour d = before.GetPixel(x, y);
                        return rop == SRCCOPY ? s : rop == SRCAND ? (d & s) : rop == SRCINVERT ? (d ^ s) : rop == NOTSRCCOPY ? (~s & 0xFFFFFF) : (d | s);
                    });
                    QVERIFY2(off.isEmpty(), qPrintable(QStringLiteral("mono %1->%2 rop %3 at %4").arg(srcMono).arg(dstMono).arg(rop, 0, 16).arg(off)));
                }
        const QImage pic = noise(20, 16, 5);
        Surface src(pic);
        Surface dst(12, 10, Green);   // partly off the destination and partly off the source: only the common part is copied
        QVERIFY(BitBlt(dst, -3, 4, 20, 20, src, 15, 2, SRCCOPY));
        QCOMPARE(differs(dst, [&](int x, int y) { return y >= 4 && x + 18 < 20 ? src.GetPixel(x + 18, y - 2) : Green; }), QString());
        QCOMPARE(dst.takeDirty(), QRect(0, 4, 2, 6));
        Surface clipped(12, 10, Green);
        clipped.SelectClipRgn(CreatePolygonRgn({{0, 0}, {12, 0}, {0, 10}}, ALTERNATE));
        BitBlt(clipped, 0, 0, 12, 10, src, 0, 0, SRCCOPY);
        QCOMPARE(differs(clipped, [&](int x, int y) { return PtInRegion(clipped.clipRegion(), x, y) ? src.GetPixel(x, y) : Green; }), QString());
        // Overlapping blocks within one surface copy as if through a temporary, in every direction.
        for (const QPoint shift : {QPoint(3, 2), QPoint(-3, -2), QPoint(4, 0), QPoint(-4, 0), QPoint(0, 3), QPoint(2, -5)})
            for (std::uint32_t rop : {SRCCOPY, SRCINVERT}) {
                Surface s(pic);
                BitBlt(s, 2 + shift.x(), 6 + shift.y(), 12, 8, s, 2, 6, rop);
                QCOMPARE(differs(s.Image(), [&](int x, int y) {
                    const QPoint from(x - shift.x(), y - shift.y());
                    return !QRect(2, 6, 12, 8).contains(from) ? pic.pixel(x, y)
                           : rop == SRCCOPY ? pic.pixel(from) : (pic.pixel(from) ^ pic.pixel(x, y)) | 0xFF000000u;
                }), QString());
            }
        Surface big(300, 200, Red), other(300, 200, Blue);   // a whole-surface copy shares the bands; the two stay independent
        QVERIFY(BitBlt(big, 0, 0, 300, 200, other, 0, 0, SRCCOPY));
        QCOMPARE(big.bands().sharedBands(other.bands()), 4);
        QCOMPARE(big.dirtyRect(), QRect(0, 0, 300, 200));
        big.SetPixel(299, 199, Red);
        QCOMPARE(other.GetPixel(299, 199), Blue);
        QCOMPARE(big.GetPixel(0, 0), Blue);
    }

    void stretchBltScalesAndMirrors()
    {
        const QImage pic = noise(5, 3, 9);
        Surface src(pic);
        struct Case { QSize size; int dx, dy, dw, dh, sx, sy, sw, sh; std::uint32_t rop; std::function<Colour(int, int)> want; };
        const auto s = [&](int x, int y) { return src.GetPixel(x, y); };
        const Case cases[] = {
            {{10, 6}, 0, 0, 10, 6, 0, 0, 5, 3, SRCCOPY, [&](int x, int y) { return s(x / 2, y / 2); }},
            {{20, 12}, 1, 2, 9, 6, 2, 1, 3, 2, SRCCOPY, [&](int x, int y) { return x >= 1 && x < 10 && y >= 2 && y < 8 ? s(2 + (x - 1) / 3, 1 + (y - 2) / 3) : Green; }},
            {{5, 3}, 0, 0, 5, 3, 4, 0, -5, 3, SRCCOPY, [&](int x, int y) { return s(4 - x, y); }},
            {{5, 3}, 4, 0, -5, 3, 0, 0, 5, 3, SRCCOPY, [&](int x, int y) { return s(4 - x, y); }},
            {{5, 3}, 0, 2, 5, -3, 0, 0, 5, 3, SRCCOPY, [&](int x, int y) { return s(x, 2 - y); }},
            {{5, 3}, 4, 2, -5, -3, 4, 2, -5, -3, SRCCOPY, s},   // both flipped: no mirror
            {{10, 6}, 0, 0, 10, 6, 4, 0, -5, 3, SRCCOPY, [&](int x, int y) { return s(4 - x / 2, y / 2); }},
            {{10, 6}, 0, 0, 10, 6, 0, 0, 5, 3, SRCINVERT, [&](int x, int y) { return s(x / 2, y / 2) ^ 0xFFFFFF; }},
        };
        for (const Case &c : cases) {
            Surface d(c.size.width(), c.size.height(), c.rop == SRCINVERT ? White : Green);
            QVERIFY(StretchBlt(d, c.dx, c.dy, c.dw, c.dh, src, c.sx, c.sy, c.sw, c.sh, c.rop));
            QCOMPARE(differs(d, c.want), QString());
        }
        Surface twice(10, 6), half(3, 2, Green);   // halving takes every second pixel (of a doubled picture, so either of each pair)
        StretchBlt(twice, 0, 0, 10, 6, src, 0, 0, 5, 3, SRCCOPY);
        StretchBlt(half, 0, 0, 2, 1, twice, 0, 0, 4, 2, SRCCOPY);
        QCOMPARE(differs(half, [&](int x, int y) { return x < 2 && y < 1 ? s(x, 0) : Green; }), QString());
        Surface self(pic), ref(5, 3);   // stretching a surface onto itself reads the original pixels, on one thread or two
        StretchBlt(self, 0, 0, 5, 3, self, 0, 0, 3, 2, SRCCOPY);
        StretchBlt(ref, 0, 0, 5, 3, src, 0, 0, 3, 2, SRCCOPY);
        QCOMPARE(self.Image(), ref.Image());
        SetPictureThreads(2);
        const QImage large = noise(700, 500, 3);
        Surface grown(large);
        grown.resize(1400, 1000);
        QVERIFY(StretchBlt(grown, 0, 0, 1400, 1000, grown, 0, 0, 700, 500, SRCCOPY));
        SetPictureThreads(0);
        QCOMPARE(differs(grown.Image(), [&](int x, int y) { return large.pixel(x / 2, y / 2); }), QString());
        const int W = 37, H = 23;   // PaintPicture mirrored twice is the picture again; a plain copy honours the clip
        const QImage big = noise(W, H, 17);
        Surface once(W, H), back(W, H), plain(W, H, Green);
        once.PaintPicture(big, 0, 0, W + 1, H, W - 1, 0, -W, H);
        QCOMPARE(once.Image(), big.mirrored(true, false));
        back.PaintPicture(once.Image(), 0, 0, W + 1, H, W - 1, 0, -W, H);
        QCOMPARE(back.Image(), big);
        plain.SelectClipRgn(CreateRectRgn(0, 0, 10, H));
        plain.PaintPicture(big, 0, 0, W, H, 0, 0, W, H);
        QCOMPARE(differs(plain.Image(), [&](int x, int y) { return x < 10 ? big.pixel(x, y) : qRgb(0, 255, 0); }), QString());
    }

    void regions()
    {
        const Region r = CreateRectRgn(8, 7, 2, 3);
        QCOMPARE(r.boundingRect(), QRect(2, 3, 6, 4));
        QVERIFY(PtInRegion(r, 2, 3) && PtInRegion(r, 7, 6));
        QVERIFY(!PtInRegion(r, 8, 6) && !PtInRegion(r, 7, 7));
        QVERIFY(!CreateRectRgn(0, 0, 0, 0).isNull() && CreateRectRgn(0, 0, 0, 0).region().isEmpty());
        QVERIFY(!PtInRegion(Region(), 0, 0));
        Region moved = r;
        OffsetRgn(moved, -2, 5);
        QCOMPARE(moved.boundingRect(), QRect(0, 8, 6, 4));
        QVERIFY(PtInRegion(moved, 0, 8) && !PtInRegion(moved, 6, 8));
        QCOMPARE(CreatePolygonRgn({{2, 3}, {8, 3}, {8, 7}, {2, 7}}, ALTERNATE), CreateRectRgn(2, 3, 8, 7));
        // A rotated rectangle, edges off pixel centres: a pixel is in when its centre is.
        const QVector<QPoint> quad{{10, 22}, {34, 10}, {46, 34}, {22, 46}};
        for (int mode : {ALTERNATE, WINDING}) {
            const Region q = CreatePolygonRgn(quad, mode);
            for (int y = 0; y < 60; ++y)
                for (int x = 0; x < 60; ++x) {
                    bool in = true;
                    for (int i = 0; i < 4; ++i) {
                        const QPoint a = quad[i], b = quad[(i + 1) % 4];
                        in &= (b.x() - a.x()) * (y + 0.5 - a.y()) - (b.y() - a.y()) * (x + 0.5 - a.x()) > 0;
                    }
                    QCOMPARE(PtInRegion(q, x, y), in);
                }
        }
        // A five-pointed star: its middle is inside by winding, outside by alternation.
        const QVector<QPoint> star{{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
        QVERIFY(PtInRegion(CreatePolygonRgn(star, WINDING), 50, 50));
        QVERIFY(!PtInRegion(CreatePolygonRgn(star, ALTERNATE), 50, 50));
        QVERIFY(PtInRegion(CreatePolygonRgn(star, ALTERNATE), 50, 10));

        Surface s(20, 20);
        s.SelectClipRgn(CreateRectRgn(0, 0, 5, 20));
        QVERIFY(s.FillRgn(CreateRectRgn(2, 2, 10, 4), brush(Green)));
        s.SelectClipRgn(Region());
        s.SelectObject(brush(Blue));
        QVERIFY(s.PaintRgn(CreateRectRgn(2, 10, 10, 11)));
        QCOMPARE(differs(s, [](int x, int y) { return QRect(2, 2, 3, 2).contains(x, y) ? Green : QRect(2, 10, 8, 1).contains(x, y) ? Blue : White; }), QString());
        s.SelectClipRgn(CreateRectRgn(0, 0, 5, 5));
        QCOMPARE(s.SetPixel(9, 9, Red), CLR_INVALID);
        QCOMPARE(s.GetPixel(9, 10), Blue);
        QCOMPARE(s.SetPixel(1, 1, Red), Red);
        QCOMPARE(s.GetPixel(20, 0), CLR_INVALID);
        Region live = CreateRectRgn(0, 0, 2, 2);   // a selected region is a copy: moving the original later does not move the clip
        s.SelectClipRgn(live);
        OffsetRgn(live, 10, 10);
        QVERIFY(s.SetPixelV(1, 1, Green) && !s.SetPixelV(11, 11, Green));
    }

    void printStaysInClip()
    {
        Surface s(240, 80);
        s.ForeColor = Red;
        s.Font.setPixelSize(40);
        s.Font.setBold(true);
        s.CurrentX = 4;
        s.CurrentY = 6;
        s.SelectClipRgn(CreateRectRgn(0, 0, 90, 80));
        s.takeDirty();
        s.Print(QStringLiteral("HHHHHHHH"));
        const Pixels ink = painted(s);
        QVERIFY(ink.size() > 100);
        bool solid = false;
        for (const QPoint p : ink) {
            QVERIFY(p.x() < 90 && s.dirtyRect().contains(p));
            solid |= s.GetPixel(p.x(), p.y()) == Red;
            QCOMPARE(GreenOf(s.GetPixel(p.x(), p.y())), BlueOf(s.GetPixel(p.x(), p.y())));   // shades of red only
        }
        QVERIFY(solid);
        QVERIFY(s.dirtyRect().right() < 90);
        const QImage shown = s.Image();
        const QFontMetrics fm(s.Font, &shown);
        QCOMPARE(QPointF(s.CurrentX, s.CurrentY), QPointF(0, 6.0 + fm.height()));
        s.Print(QStringLiteral("a\nb"));
        QCOMPARE(s.CurrentY, 6.0 + 3 * fm.height());
    }

    void buffersAndBookkeeping()
    {
        Surface s(noise(30, 20, 23));
        const QImage orig = s.Image().copy();
        s.BackColor = Green;
        s.resize(40, 15);
        QCOMPARE(differs(s.Image(), [&](int x, int y) { return x < 30 ? orig.pixel(x, y) : qRgb(0, 255, 0); }), QString());
        const uchar *buffer = s.Image().constBits();
        s.resize(40, 15);
        QCOMPARE(s.Image().constBits(), buffer);

        const QImage tallPicture = noise(70, 200, 29);   // copyFrom shares bands; a write copies only its band
        const auto orig29 = [&](int x, int y) { return FromPixel(tallPicture.pixel(x, y) & 0xFFFFFFu); };
        Surface tall(tallPicture), copy;
        QCOMPARE(tall.bands().bandCount(), 4);
        copy.copyFrom(tall);
        QCOMPARE(copy.bands().sharedBands(tall.bands()), 4);
        const QImage kept = tall.Image();
        QCOMPARE(kept.constBits(), tallPicture.constBits());   // still the one buffer: no copy
        copy.SetPixel(3, 130, Red);
        QCOMPARE(copy.bands().sharedBands(tall.bands()), 3);
        QVERIFY(!copy.bands().sharesBand(tall.bands(), 2));
        tall.scanLine(5)[1] = 0xFF00FF00u;
        tall.SetPixel(69, 199, Blue);
        QCOMPARE(kept, tallPicture);
        QCOMPARE((QList<Colour>{copy.GetPixel(1, 5), copy.GetPixel(69, 199), tall.GetPixel(3, 130), tall.GetPixel(1, 5), copy.GetPixel(3, 130)}),
                 (QList<Colour>{orig29(1, 5), orig29(69, 199), orig29(3, 130), Green, Red}));
        QCOMPARE(copy.bands().sharedBands(tall.bands()), 1);
        const QImage picture = noise(40, 15, 31);
        Surface fresh;
        fresh.setPicture(picture);
        QCOMPARE(fresh.Image().constBits(), picture.constBits());
        fresh.SetPixel(0, 0, Red);
        QCOMPARE(picture, noise(40, 15, 31));

        Surface other(noise(40, 15, 29));
        s.copyFrom(other);
        s.SelectClipRgn(CreateRectRgn(0, 0, 5, 5));
        s.CurrentX = 7;
        s.Cls();
        QCOMPARE(differs(s, [&](int x, int y) { return x < 5 && y < 5 ? Green : other.GetPixel(x, y); }), QString());
        QCOMPARE(s.CurrentX, 0.0);
        s.SelectClipRgn(Region());
        s.Cls();
        QCOMPARE(painted(s, Green).size(), 0);

        Surface mono = Surface::createMonochrome(4, 4);
        QVERIFY(mono.isMonochrome() && CreateCompatibleBitmap(mono, 2, 2).isMonochrome() && !CreateCompatibleBitmap(s, 2, 2).isMonochrome());
        QCOMPARE(mono.SetPixel(1, 1, RGBColour(200, 190, 180)), White);
        QCOMPARE(mono.SetPixel(2, 2, RGBColour(120, 130, 110)), Black);
        for (const int bits : {1, 32})   // new bitmaps start black
            QCOMPARE(std::pair(CreateBitmap(3, 3, 1, bits).isMonochrome(), CreateBitmap(3, 3, 1, bits).GetPixel(1, 1)), std::pair(bits == 1, Black));
        // Pens: width 0 draws one pixel wide; an extended pen takes the brush's colour.
        QCOMPARE(CreatePenIndirect(LogPen{PS_SOLID, 0, 0, Red}).width, 1);
        const Pen ext = ExtCreatePen(PS_DOT, 5, LogBrush{BS_SOLID, Blue, 0});
        QCOMPARE(std::pair(ext.width, ext.colour), std::pair(5, Blue));
        QCOMPARE(ExtCreatePen(PS_SOLID, 1, LogBrush{BS_HOLLOW, Blue, 0}).style, int(PS_NULL));
    }
};

QTEST_MAIN(TestBlits)
#include "tst_blits.moc"
