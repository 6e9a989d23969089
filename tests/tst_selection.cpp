// Selection, move and clipboard: the marquee, moving a block, the right button, copy, cut, paste.
#include "FakeHost.h"
#include "pixels.h"

#include "app/frmMain.h"
#include "base/PictureLoader.h"
#include "base/ResStrings.h"
#include "document/Clipboard.h"
#include "document/frmDocument.h"

using namespace orv;
using orvtest::White;

namespace {

const Colour Hole = RGBColour(0, 200, 0);

struct Fixture : orvtest::DocFixture {
    // With `pattern`, every pixel has a colour of its own (none of them white).
    explicit Fixture(int w = 64, int h = 48, bool pattern = false) : DocFixture(w, h)
    {
        if (pattern)
            paint(at);
    }
    static Colour at(int x, int y) { return RGBColour(x * 3, y * 5, 7); }
    void drag(float x0, float y0, float x1, float y1, int shift = 0)
    {
        doc.Picture1_MouseDown(1, shift, x0, y0);
        doc.Picture1_MouseMove(1, shift, (x0 + x1) / 2, (y0 + y1) / 2);
        doc.Picture1_MouseMove(1, shift, x1, y1);
        doc.Picture1_MouseUp(1, shift, x1, y1);
    }
    // A pattern with a block (10, 10)..(19, 17) selected, the hole colour as the background.
    void block()
    {
        paint(at);
        host.st.backColour = Hole;
        host.st.transparentColour = White;   // the pattern holds no white
        marquee(10, 10, 20, 18);
    }
    void paste(const QImage &img)
    {
        PutPictureOnClipboard(img);
        doc.sub_PASTE();
    }
};

QImage clipboardImage() { return PictureFromClipboard().convertToFormat(QImage::Format_RGB32); }

QImage filled(int w, int h, Colour c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(ToPixel(c));
    return img;
}

bool in(int x, int y, int l, int t, int r, int b) { return x >= l && x < r && y >= t && y < b; }

} // namespace

class TestSelection : public QObject {
    Q_OBJECT
private slots:
    void marquee()
    {
        Fixture f;
        f.host.st.currentTool = QStringLiteral("Marquee");
        f.doc.Picture1_MouseDown(1, 0, 50, 40);
        QVERIFY(f.doc.ShapeRect1.Visible);
        QCOMPARE(f.doc.ShapeRect1.Width, 0.0);
        f.doc.Picture1_MouseMove(1, 0, 10.4f, 5.6f);
        QCOMPARE(orvtest::outlineOf(f.doc), QRectF(10, 6, 40, 34));
        f.doc.Picture1_MouseUp(1, 0, 10, 6);
        QCOMPARE(f.doc.RectHWND.boundingRect(), QRect(QPoint(10, 6), QPoint(49, 39)));
        QCOMPARE(orvtest::storedEdges(f.doc), QRect(QPoint(10, 6), QPoint(50, 40)));
        QCOMPARE(f.doc.Picture1.clipRegion(), f.doc.RectHWND);
        Fixture h(20, 16, true);   // outside the image the pointer is clamped to its edge, the status bar shows the clamped point
        h.marquee(-20, -10, 10, 8);
        QCOMPARE(h.doc.RectHWND.boundingRect(), QRect(0, 0, 10, 8));
        h.doc.sub_COPY();
        QCOMPARE(clipboardImage(), h.doc.Picture1.Image().copy(0, 0, 10, 8));
        h.doc.Picture1_MouseDown(1, 0, 100, 70);
        h.doc.Picture1_MouseMove(1, 0, 5, -9);
        QCOMPARE(h.host.status.value(2), QStringLiteral("X : 5  Y : 0"));
        h.doc.Picture1_MouseMove(2, 0, 1, 1);   // a move with the right button does nothing
        QCOMPARE(orvtest::outlineOf(h.doc), QRectF(5, 0, 15, 16));
        h.doc.Picture1_MouseUp(1, 0, 5, -9);
        QCOMPARE(h.doc.RectHWND.boundingRect(), QRect(5, 0, 15, 16));
        Fixture z;
        z.marquee(10, 10, 20, 20);
        const Region earlier = z.doc.RectHWND;
        z.marquee(40, 30, 40, 30);   // the outline collapses at the click, the region stays
        QCOMPARE(z.doc.RectHWND, earlier);
        QCOMPARE(z.doc.Picture1.clipRegion(), earlier);
        QCOMPARE(QPointF(z.doc.ShapeRect1.Left, z.doc.ShapeRect1.Width), QPointF(40, 0));
        z.marquee(40, 30, 50, 30);   // zero height
        QCOMPARE(z.doc.RectHWND, earlier);
        z.host.st.currentTool = QStringLiteral("Pencil");   // any other tool drops the selection before it draws
        z.drag(50, 40, 51, 40);
        QVERIFY(!z.doc.RectHWND && z.doc.Picture1.clipRegion().isNull());
        QCOMPARE(z.px(50, 40), Colour(0));
        Fixture n;   // without any selection a click leaves the picture unclipped: a pencil paints anywhere
        n.marquee(5, 5, 5, 5);
        QVERIFY(!n.doc.RectHWND);
        n.host.st.currentTool = QStringLiteral("Pencil");
        n.host.st.foreColour = RGBColour(1, 2, 3);
        n.drag(60, 40, 61, 40);
        QCOMPARE(n.px(60, 40), RGBColour(1, 2, 3));
    }

    void moveLiftsFillsHoleFollowsAndDrops()
    {
        Fixture f;
        f.block();
        const std::int16_t before = f.doc.UndoIndex();
        f.drag(12, 12, 32, 22);   // moved by (20, 10)
        QCOMPARE(f.host.st.currentTool, QStringLiteral("Marquee"));
        QVERIFY(f.doc.Lifted());
        QCOMPARE(f.doc.RectHWND.boundingRect(), QRect(30, 20, 10, 8));
        QCOMPARE(QPointF(f.doc.ShapeRect1.Left, f.doc.ShapeRect1.Top), QPointF(30, 20));
        QCOMPARE(f.doc.UndoIndex(), std::int16_t(before + 1));
        QCOMPARE(f.differs([](int x, int y) {
            return in(x, y, 30, 20, 40, 28) ? Fixture::at(x - 20, y - 10) : in(x, y, 10, 10, 20, 18) ? Hole : Fixture::at(x, y);
        }), QString());
        f.drag(31, 21, 31, 41);   // dragged again: the block moves on, the first hole stays, what it covered comes back
        QCOMPARE(f.doc.RectHWND.boundingRect(), QRect(30, 40, 10, 8));
        QCOMPARE(f.differs([](int x, int y) {
            return in(x, y, 30, 40, 40, 48) ? Fixture::at(x - 20, y - 30) : in(x, y, 10, 10, 20, 18) ? Hole : Fixture::at(x, y);
        }), QString());
        QVERIFY(f.doc.Picture2.Image() == f.doc.Picture1.Image());
        Fixture c(64, 48, true);   // with shift the block is copied, no hole
        c.host.st.transparentColour = White;
        c.marquee(4, 4, 12, 10);
        c.drag(5, 5, 25, 25, /*shift*/ 1);
        QCOMPARE(c.differs([](int x, int y) { return in(x, y, 24, 24, 32, 30) ? Fixture::at(x - 20, y - 20) : Fixture::at(x, y); }), QString());
        Fixture t(64, 48, true);   // transparent pixels of the block leave the image under them showing
        const Colour key = RGBColour(255, 0, 255);
        t.doc.Picture1.SetPixelV(11, 11, key);
        t.commit();
        t.host.st.transparentColour = key;
        t.host.st.backColour = Hole;
        t.marquee(10, 10, 14, 14);
        t.drag(12, 12, 42, 32);
        QCOMPARE(t.differs([](int x, int y) {
            return x == 41 && y == 31 ? Fixture::at(x, y) : in(x, y, 40, 30, 44, 34) ? Fixture::at(x - 30, y - 20)
                   : in(x, y, 10, 10, 14, 14) ? Hole : Fixture::at(x, y);
        }), QString());
        Fixture r(64, 48, true);
        r.host.st.transparentColour = White;
        r.marquee(10, 10, 20, 20);
        r.doc.Picture1_MouseDown(1, 0, 15, 15);   // a right release during a move commits, beeps and drops the selection
        r.doc.Picture1_MouseMove(1, 0, 25, 15);
        const std::int16_t steps = r.doc.UndoIndex();
        r.doc.Picture1_MouseUp(2, 0, 25, 15);
        QCOMPARE(r.host.beeps, 1);
        QCOMPARE(r.host.st.currentTool, QStringLiteral("Marquee"));
        QVERIFY(!r.doc.RectHWND && !r.doc.ShapeRect1.Visible && r.doc.Picture1.clipRegion().isNull());
        QVERIFY(r.doc.UndoIndex() > steps);
        QCOMPARE(r.px(20, 10), Fixture::at(10, 10));   // the block stays where it was dropped
        QCOMPARE(r.doc.PicOrg.Image(), r.doc.Picture1.Image());
        float px = 1, py = 1;   // a press outside any selection: the move tool does nothing
        QCOMPARE(r.doc.hMOVE(1, 0, px, py, 1), 0);
    }

    void liftedBlockKeepsEveryChange_data()
    {
        QTest::addColumn<int>("op");
        QTest::newRow("flip horizontal") << 0;
        QTest::newRow("flip vertical") << 1;
        QTest::newRow("rotate 30 with erase") << 2;
        QTest::newRow("cut") << 3;
    }
    void liftedBlockKeepsEveryChange()
    {
        QFETCH(int, op);   // drag, change the selection, drag again: the second drag carries what the change made
        Fixture f;
        f.block();
        f.drag(12, 12, 22, 22);   // the block at (20, 20)..(29, 27)
        const QRegion beforeChange = f.doc.RectHWND.region();
        double angle = 30;
        std::int16_t dir = 0, erase = 1;
        switch (op) {
        case 0: f.doc.sub_FlipHorizontal(); break;
        case 1: f.doc.sub_FlipVertical(); break;
        case 2: f.doc.sub_ROTATE(angle, dir, erase); break;
        default: f.doc.sub_CUT(); break;
        }
        const QImage changed = f.doc.Picture1.Image().copy();
        const QRegion selected = f.doc.RectHWND.region();
        const QPoint grab = selected.boundingRect().center();
        f.drag(grab.x(), grab.y(), grab.x() + 20, grab.y() + 15);
        const auto was = [&changed](int x, int y) { return FromPixel(changed.pixel(x, y)); };
        for (const QRect &r : selected)
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    if (x >= 0 && y >= 0 && x + 20 < 64 && y + 15 < 48 && was(x, y) != White)
                        QCOMPARE(f.px(x + 20, y + 15), was(x, y));
        if (op == 3)   // a cut block does not come back anywhere
            QCOMPARE(f.differs([&](int x, int y) { return f.px(x, y) == Fixture::at(10, 10) ? ~0u : f.px(x, y); }), QString());
        if (op == 2)   // with Erase, the rectangle the selection had before it turned shows the background
            for (const QRect &r : beforeChange - selected.translated(20, 15))
                for (int y = r.top(); y <= r.bottom(); ++y)
                    for (int x = r.left(); x <= r.right(); ++x)
                        QCOMPARE(f.px(x, y), Hole);
    }

    void rightButtonMenuOkCommitsCancelKeeps()
    {
        orvtest::PrivateSettings settings;
        frmMain w;
        w.MDIForm_Load();
        Document &doc = w.NewDocument()->doc();
        doc.Picture1.FillRgn(CreateRectRgn(10, 10, 20, 20), Brush{BS_SOLID, RGBColour(200, 0, 0)});
        doc.SnapshotAndSync(doc.Picture1, doc.Picture2, doc.PicOrg, false);
        w.state().options.PopupMenu = -1;
        w.state().currentTool = QStringLiteral("Marquee");
        const auto drag = [&doc](float x0, float y0, float x1, float y1) {
            doc.Picture1_MouseDown(1, 0, x0, y0);
            doc.Picture1_MouseMove(1, 0, x1, y1);
            doc.Picture1_MouseUp(1, 0, x1, y1);
        };
        drag(10, 10, 20, 20);
        drag(15, 15, 45, 15);   // the block now at (40, 10)
        QMenu *popup = w.menu(QStringLiteral("mnuPopup"));
        const auto choose = [&](const char *shown, const char *item) {
            doc.Picture1_MouseDown(2, 0, 45, 15);
            QTRY_VERIFY(popup->isVisible());
            QVERIFY(w.menuItem(QString::fromLatin1(shown))->isVisible());
            w.menuItem(QString::fromLatin1(item))->trigger();
            popup->hide();
        };
        choose("mnuMoverMove", "mnuMoverMove");
        QCOMPARE(w.state().currentTool, QStringLiteral("Move"));
        const QImage shown = doc.Picture1.Image().copy();   // Cancel: the block, the selection and the undo history stay as they are
        const std::int16_t steps = doc.UndoIndex();
        choose("mnuMoverOK", "mnuMoverCancel");
        QVERIFY(doc.RectHWND && doc.Lifted());
        QCOMPARE(doc.UndoIndex(), steps);
        QCOMPARE(doc.Picture1.Image(), shown);
        choose("mnuMoverOK", "mnuMoverOK");   // OK: the block is left where it is, one undo step, and the selection goes
        QVERIFY(!doc.RectHWND);
        QCOMPARE(w.state().currentTool, QStringLiteral("Marquee"));
        QVERIFY(doc.UndoIndex() > steps);
        QCOMPARE(doc.Picture1.Image(), shown);
        QCOMPARE(doc.PicOrg.Image(), shown);
        QCOMPARE(doc.Picture1.GetPixel(45, 15), RGBColour(200, 0, 0));
    }

    void copyAndPaste()
    {
        Fixture f(64, 48, true);
        f.marquee(3, 4, 9, 8);
        f.doc.sub_COPY();
        QVERIFY(f.host.pasteEnabled);
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data && data->hasImage());
        for (const char *format : {"image/png", "image/bmp"}) {
            QImage img;
            QVERIFY2(img.loadFromData(data->data(QString::fromLatin1(format))), format);
            img = img.convertToFormat(QImage::Format_RGB32);
            QCOMPARE(img.size(), QSize(6, 4));
            QCOMPARE(orvtest::differs(img, [](int x, int y) { return ToPixel(Fixture::at(x + 3, y + 4)); }), QString());
        }
        QCOMPARE(f.doc.Picture1.ForeColor, f.host.st.drawColour);
        Fixture a(16, 12, true);   // without a selection the whole picture; pasted into a second image at its top left
        a.doc.Picture1.SetPixelV(2, 2, White);   // a pixel of the paste's background colour
        a.doc.sub_COPY();
        QCOMPARE(clipboardImage(), a.doc.Picture1.Image());
        Fixture b(40, 30);
        b.paint([](int, int) { return RGBColour(1, 100, 200); });
        const std::int16_t before = b.doc.UndoIndex();
        b.doc.sub_PASTE();
        QVERIFY(b.host.shownMessages.isEmpty());
        QCOMPARE(b.doc.UndoIndex(), std::int16_t(before + 1));
        QVERIFY(!b.doc.RectHWND);
        QCOMPARE(b.differs([](int x, int y) { return in(x, y, 0, 0, 16, 12) && !(x == 2 && y == 2) ? Fixture::at(x, y) : RGBColour(1, 100, 200); }),
                 QString());
        Fixture s(40, 30, true);   // a selection away from the top-left is dropped first and does not clip the paste away
        s.marquee(20, 15, 30, 25);
        QVERIFY(s.doc.RectHWND);
        s.paste(filled(6, 4, RGBColour(1, 2, 3)));
        QVERIFY(!s.doc.RectHWND && !s.doc.ShapeRect1.Visible);
        QCOMPARE(s.differs([](int x, int y) { return in(x, y, 0, 0, 6, 4) ? RGBColour(1, 2, 3) : Fixture::at(x, y); }), QString());
        // Text, an empty clipboard or a broken picture: nothing pasted, no message, no undo step.
        const QImage unchanged = s.doc.Picture1.Image().copy();
        const std::int16_t index = s.doc.UndoIndex();
        QGuiApplication::clipboard()->setText(QStringLiteral("just some text"));
        s.doc.sub_PASTE();
        QGuiApplication::clipboard()->clear();
        s.doc.sub_PASTE();
        auto *junk = new QMimeData;
        junk->setData(QStringLiteral("image/png"), QByteArray("not a picture"));
        QGuiApplication::clipboard()->setMimeData(junk);
        s.doc.sub_PASTE();
        QVERIFY(s.host.shownMessages.isEmpty());
        QCOMPARE(s.doc.Picture1.Image(), unchanged);
        QCOMPARE(s.doc.UndoIndex(), index);
    }

    void cutFillsBackgroundAsOneUndoStep()
    {
        Fixture f(64, 48, true);
        f.host.st.backColour = RGBColour(250, 1, 2);
        f.marquee(5, 6, 15, 12);
        f.host.st.brush = LogBrush{BS_HOLLOW, RGBColour(3, 3, 3), 0};
        const QImage before = f.doc.Picture1.Image().copy();
        const std::int16_t index = f.doc.UndoIndex();
        f.doc.sub_CUT();   // then the commit, as the main window's Cut does
        f.commit();
        QCOMPARE(f.doc.UndoIndex(), std::int16_t(index + 1));
        QCOMPARE(std::pair(f.host.st.brush.style, f.host.st.brush.colour), std::pair(int(BS_HOLLOW), RGBColour(3, 3, 3)));
        QVERIFY(f.host.pasteEnabled);
        QCOMPARE(f.differs([](int x, int y) { return in(x, y, 5, 6, 15, 12) ? RGBColour(250, 1, 2) : Fixture::at(x, y); }), QString());
        QCOMPARE(clipboardImage(), before.copy(5, 6, 10, 6));
        f.doc.Undo(1);
        QCOMPARE(f.doc.Picture1.Image(), before);
    }

    void pasteLargerAsks()
    {
        const QImage big = filled(100, 30, RGBColour(7, 8, 9));
        {   // Cancel: nothing pasted, no undo step.
            Fixture f;
            const QImage before = f.doc.Picture1.Image().copy();
            const std::int16_t index = f.doc.UndoIndex();
            f.paste(big);
            QCOMPARE(f.host.shownMessages, QStringList{LoadResString(1236)});
            QCOMPARE(f.host.shownStyles, QList<int>{35});
            QCOMPARE(f.doc.Picture1.Image(), before);
            QCOMPARE(f.doc.UndoIndex(), index);
        }
        {   // Yes: only the width grows, in the surface's own background colour.
            Fixture f;
            const Colour own = f.doc.Picture1.BackColor;
            f.host.st.backColour = RGBColour(0, 0, 50);
            f.host.answers = {Msg::Yes};
            f.paste(big);
            QCOMPARE(f.doc.Picture1.size(), QSize(100, 48));
            QCOMPARE(f.doc.PicOrg.size(), QSize(100, 48));
            QVERIFY(own != RGBColour(0, 0, 50));
            QCOMPARE(f.differs([own](int x, int y) { return y < 30 ? RGBColour(7, 8, 9) : x < 64 ? White : own; }), QString());
        }
        {   // No: pasted clipped to the picture.
            Fixture f;
            f.host.answers = {Msg::No};
            f.paste(filled(100, 100, RGBColour(7, 8, 9)));
            QCOMPARE(f.doc.Picture1.size(), QSize(64, 48));
            QCOMPARE(f.differs([](int, int) { return RGBColour(7, 8, 9); }), QString());
        }
        {   // Beyond the largest picture the editor takes: refused with a message, nothing changes.
            Fixture f;
            f.host.answers = {Msg::Yes};
            const QImage before = f.doc.Picture1.Image().copy();
            f.paste(filled(MaxPictureSide + 1, 2, RGBColour(1, 1, 1)));
            QCOMPARE(f.host.shownTitles, QStringList{LoadResString(1174)});
            QCOMPARE(f.doc.Picture1.Image(), before);
        }
    }
};

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
