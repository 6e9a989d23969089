// The undo history: slots, enabled states, selection records, sizes and tile storage.
#include "FakeHost.h"

using namespace orv;
using orvtest::FakeHost;

namespace {

// A document as the new-image command leaves it: the first snapshot, the copies synced.
struct Doc : orvtest::DocFixture {
    std::vector<QImage> committed;   // what each commit put on Picture1, in order

    Doc(int w, int h) : DocFixture(w, h)
    {
        doc.Undo(3);
        doc.SnapshotAndSync(doc.Picture1, doc.Picture2, doc.PicOrg, true);
        committed.push_back(doc.Picture1.Image().copy());
    }
    // A small stroke that differs from every other step, then the commit.
    void stroke(int step)
    {
        const int w = doc.Picture1.ScaleWidth(), h = doc.Picture1.ScaleHeight();
        doc.Picture1.SelectObject(Pen{PS_SOLID, 3, RGBColour(step * 13, 255 - step * 7, step * 29)});
        doc.Picture1.MoveToEx((step * 37) % w, (step * 53) % h);
        doc.Picture1.LineTo((step * 37 + 9) % w, (step * 53 + 5) % h);
        doc.Picture1.SetPixel(step % w, (step * 3) % h, RGBColour(step, step, 0));
        commit();
    }
    void commit()
    {
        doc.SnapshotAndSync(doc.Picture1, doc.Picture2, doc.PicOrg, false);
        committed.push_back(doc.Picture1.Image().copy());
    }
    void select(double left, double top, double width, double height) { doc.ShapeRect1 = Document::Shape{true, left, top, width, height}; }
    void unselect() { doc.ShapeRect1.Visible = false; }
    void undo(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            doc.Undo(1);
    }
    // All three surfaces hold exactly the picture of commit `c`.
    bool shows(std::size_t c) const
    {
        const QImage &want = committed.at(c);
        return doc.Picture1.Image() == want && doc.Picture2.Image() == want && doc.PicOrg.Image() == want;
    }
    // What is off of: the position, the host's states, commit `c` on all three surfaces.
    QString off(int index, bool canUndo, bool canRedo, std::size_t c) const
    {
        QString out;
        if (doc.UndoIndex() != index)
            out += QStringLiteral("index %1 ").arg(doc.UndoIndex());
        if (host.canUndo != canUndo || host.canRedo != canRedo)
            out += QStringLiteral("undo %1 redo %2 ").arg(host.canUndo).arg(host.canRedo);
        if (!shows(c))
            out += QStringLiteral("not commit %1").arg(c);
        return out;
    }
    QImage slot(int i) const { return doc.history().picture(i)->toImage(); }
};

QRect recordedRect(const clsUndo &rec) { return QRect(rec.hLeft(), rec.hTop(), rec.hWidth(), rec.hHeight()); }

} // namespace

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void enabledStatesAndBothEnds()
    {
        Doc d(30, 20);
        QCOMPARE(d.off(1, false, false, 0), QString());
        QCOMPARE(d.doc.history().count(), 2);
        QVERIFY(!d.doc.history().picture(0));   // slot 0 never holds a snapshot
        QVERIFY(!d.doc.CanUndo() && !d.doc.CanRedo());
        QVERIFY(d.host.undoRedoUpdates > 0);
        QCOMPARE(d.slot(1), d.committed[0]);
        d.stroke(1);
        QCOMPARE(d.off(2, true, false, 1), QString());
        d.doc.Undo(1);
        QCOMPARE(d.off(1, false, true, 0), QString());
        d.doc.Undo(2);
        QCOMPARE(d.off(2, true, false, 1), QString());
        QCOMPARE(std::pair(d.doc.CanUndo(), d.doc.CanRedo()), std::pair(true, false));
        d.stroke(2);   // another action number only republishes, even through a closed gate
        d.doc.Undo(1);
        d.host.canUndo = d.host.canRedo = false;   // as if another document had published
        const int updates = d.host.undoRedoUpdates, count = d.doc.history().count();
        d.doc.Undo(7);
        QCOMPARE(d.host.undoRedoUpdates, updates + 1);
        QCOMPARE(d.off(2, true, true, 1), QString());
        QCOMPARE(d.doc.history().count(), count);
        d.doc.setFormIzin(false);
        d.doc.Undo(0);
        QCOMPARE(d.host.undoRedoUpdates, updates + 2);
        QVERIFY(d.doc.FormIzin());
        {   // No snapshot at all: neither step moves or touches the image.
            FakeHost host;
            Document doc(host);
            doc.Picture1.resize(8, 8);
            const QImage before = doc.Picture1.Image().copy();
            doc.Undo(1);
            doc.Undo(2);
            QCOMPARE(doc.UndoIndex(), std::int16_t(0));
            QCOMPARE(doc.Picture1.Image(), before);
            QVERIFY(!host.canUndo && !host.canRedo);
        }
        Doc e(30, 20);   // pressing past either end leaves the image (even one drawn on since) and the position
        e.stroke(1);
        e.doc.Undo(1);
        e.doc.Picture1.SetPixel(5, 5, 0x0000FF);
        const QImage drawn = e.doc.Picture1.Image().copy();
        e.doc.Undo(1);
        QCOMPARE(e.doc.UndoIndex(), std::int16_t(1));
        QCOMPARE(e.doc.Picture1.Image(), drawn);
        QCOMPARE(e.doc.PicOrg.Image(), e.committed[0]);
        QCOMPARE(std::pair(e.host.canUndo, e.host.canRedo), std::pair(false, true));
        e.doc.Undo(2);
        QVERIFY(e.shows(1));
        e.doc.Undo(2);
        e.doc.Undo(2);
        QCOMPARE(e.off(2, true, false, 1), QString());
    }

    void saveAfterStepBackDiscardsTail()
    {
        Doc d(40, 30);
        for (int i = 1; i <= 3; ++i)
            d.stroke(i);
        QCOMPARE(d.doc.history().count(), 5);
        d.undo(2);
        QCOMPARE(d.off(2, true, true, 1), QString());
        d.stroke(9);
        QCOMPARE(d.off(3, true, false, 4), QString());
        QCOMPARE(d.doc.history().count(), 4);
        QCOMPARE(d.slot(3), d.committed.back());
        d.doc.Undo(2);   // forward has nowhere to go; back reaches the snapshot the new one was drawn on
        QCOMPARE(d.off(3, true, false, 4), QString());
        d.doc.Undo(1);
        QVERIFY(d.shows(1));

        Doc f(70, 70);   // with every slot used: the oldest goes, then the redo tail
        for (int i = 1; i <= 15; ++i)
            f.stroke(i);
        QCOMPARE(f.doc.history().count(), 17);
        f.undo(3);
        QCOMPARE(f.doc.UndoIndex(), std::int16_t(13));
        f.stroke(40);
        QCOMPARE(f.off(13, true, false, 16), QString());
        QCOMPARE(f.doc.history().count(), 14);
        for (int slot = 1; slot <= 12; ++slot)
            QCOMPARE(f.slot(slot), f.committed[std::size_t(slot)]);
        QCOMPARE(f.slot(13), f.committed.back());
    }

    void seventeenthSnapshotDropsOldest()
    {
        Doc d(96, 80);
        for (int i = 1; i <= 16; ++i) {   // snapshots 2 to 17, a selection on every other one (its position tells them apart)
            if (i % 2)
                d.select(i, i + 1, 10 + i, 20 + i);
            else
                d.unselect();
            d.stroke(i);
        }
        QCOMPARE(d.doc.history().count(), 17);   // slot 0 and 16 snapshots; slot k holds commit k
        for (int slot = 16; slot >= 1; --slot) {
            QVERIFY2(d.off(slot, slot > 1, slot < 16, std::size_t(slot)).isEmpty(), qPrintable(QString::number(slot)));
            const clsUndo &rec = const_cast<UndoHistory &>(d.doc.history()).record(slot);
            QCOMPARE(rec.ShapeEnable(), slot % 2 == 1);
            if (slot % 2) {
                QCOMPARE(recordedRect(rec), QRect(slot, slot + 1, 10 + slot, 20 + slot));
                QVERIFY(d.doc.ShapeRect1.Visible);
                QCOMPARE(d.doc.rectRight, slot + 10 + slot);
            } else if (slot < 16) {
                QVERIFY(!d.doc.ShapeRect1.Visible && d.doc.RectHWND.isNull());
            }
            d.doc.Undo(1);
        }
        QCOMPARE(d.off(1, false, true, 1), QString());   // the former second snapshot
    }

    void selectionRecordsAndRestore()
    {
        Doc d(60, 50);
        d.select(10.5, 20.5, 29.5, 40.5);   // halves round to even: 10.5 -> 10, 20.5 -> 20, 29.5 -> 30, 40.5 -> 40
        d.stroke(1);
        d.unselect();
        d.doc.DropSelection();
        d.stroke(2);
        d.doc.Undo(1);
        QVERIFY(d.doc.ShapeRect1.Visible);
        QCOMPARE(orvtest::outlineOf(d.doc), QRectF(10, 20, 30, 40));
        QCOMPARE(orvtest::storedEdges(d.doc), QRect(QPoint(10, 20), QPoint(40, 60)));
        QVERIFY(d.doc.RectHWND == CreateRectRgn(10, 20, 40, 60));
        QVERIFY(d.doc.Picture1.clipRegion() == d.doc.RectHWND);
        QVERIFY(d.shows(1));
        QCOMPARE(d.doc.Picture1.SetPixel(5, 5, 0x00FF00), CLR_INVALID);   // drawing is clipped to the restored selection, its right edge excluded
        QCOMPARE(d.doc.Picture1.GetPixel(5, 5), FromPixel(d.committed[1].pixel(5, 5)));
        QCOMPARE(d.doc.Picture1.SetPixel(40, 30, 0x00FF00), CLR_INVALID);
        QCOMPARE(d.doc.Picture1.SetPixel(39, 49, 0x00FF00), Colour(0x00FF00));
        d.doc.Undo(2);   // a snapshot without a selection removes it and unclips the surface
        QVERIFY(!d.doc.ShapeRect1.Visible && d.doc.RectHWND.isNull());
        QVERIFY(d.doc.Picture1.clipRegion().isNull());
        QVERIFY(d.shows(2));
        QCOMPARE(d.doc.Picture1.SetPixel(5, 5, 0x00FF00), Colour(0x00FF00));

        Doc h(30, 30);   // a hidden rectangle keeps its record's fields and restores no selection
        h.select(3, 4, 5, 6);
        h.stroke(1);
        h.doc.Undo(1);
        h.unselect();
        h.stroke(2);   // slot 2 again, the rectangle hidden
        UndoHistory &history = const_cast<UndoHistory &>(h.doc.history());
        QVERIFY(!history.record(2).ShapeEnable());
        QCOMPARE(recordedRect(history.record(2)), QRect(3, 4, 5, 6));
        QCOMPARE(history.recordCount(), 3);
        h.stroke(3);
        h.select(1, 1, 2, 2);
        h.doc.Undo(1);
        QVERIFY(!h.doc.ShapeRect1.Visible && h.doc.RectHWND.isNull());
    }

    void restoreOverOtherSizesAndUncommittedDrawing()
    {
        Doc d(40, 30);
        d.stroke(1);
        d.doc.Picture1.resize(130, 70);
        d.doc.Picture1.SetPixel(129, 69, 0x123456);
        d.doc.Picture1.SetPixel(64, 64, 0x654321);
        d.commit();
        d.stroke(2);
        QCOMPARE(d.doc.Picture2.size(), QSize(130, 70));
        QCOMPARE(d.doc.PicOrg.size(), QSize(130, 70));
        for (const auto &[step, commit] : {std::pair{1, 2}, {1, 1}, {2, 2}, {2, 3}}) {
            d.doc.Undo(step);
            QVERIFY2(d.shows(std::size_t(commit)), qPrintable(QString::number(commit)));
        }
        QCOMPARE(d.view.repainted, QRect(0, 0, 130, 70));   // the restore repaints the whole picture
        Doc e(200, 140);
        for (int i = 1; i <= 4; ++i)
            e.stroke(i);
        e.doc.Picture1.SelectObject(Pen{PS_SOLID, 1, 0x0000FF});   // drawing never committed, on all three surfaces and in every tile
        e.doc.Picture1.MoveToEx(0, 0);
        e.doc.Picture1.LineTo(199, 139);
        e.doc.Picture2.SetPixel(199, 0, 0x00FF00);
        e.doc.PicOrg.SetPixel(0, 139, 0xFF0000);
        e.doc.Undo(1);
        QVERIFY(e.shows(3));
        e.doc.Picture1.setPicture(e.doc.PicOrg.Image());   // a surface sharing its pixels with another (as DeSelect leaves it), then drawn on
        e.doc.Picture1.SetPixel(100, 70, 0x00FFFF);
        e.doc.Undo(1);
        QVERIFY(e.shows(2));
        for (int slot = 4; slot <= 5; ++slot) {
            e.doc.Undo(2);
            QCOMPARE(e.doc.UndoIndex(), std::int16_t(slot));
            QVERIFY(e.shows(std::size_t(slot - 1)));
        }
    }

    void commitsSyncEverySurface()
    {
        Doc d(300, 200);
        d.stroke(1);
        const SurfaceBands unchanged = d.doc.Picture1.bands();   // uncommitted: a stroke, a raw row write never marked, a preview pixel on Picture2
        d.doc.Picture1.SelectObject(Pen{PS_SOLID, 3, 0x0000FF});
        d.doc.Picture1.MoveToEx(20, 20);
        d.doc.Picture1.LineTo(40, 30);
        d.doc.Picture1.scanLine(150)[10] = 0xFF123456u;
        d.doc.Picture2.SetPixel(290, 190, 0x00FF00);
        d.commit();
        QVERIFY(d.shows(2));
        QCOMPARE(d.doc.Picture1.GetPixel(10, 150), Colour(0x563412));
        for (int i = 0; i < 4; ++i) {   // all three surfaces share every band; only the bands written were copied
            QVERIFY(d.doc.Picture2.bands().sharesBand(d.doc.Picture1.bands(), i));
            QVERIFY(d.doc.PicOrg.bands().sharesBand(d.doc.Picture1.bands(), i));
            QCOMPARE(d.doc.Picture1.bands().sharesBand(unchanged, i), i == 1 || i == 3);
        }
        const SnapshotPtr before = d.doc.history().picture(2), after = d.doc.history().picture(3);
        QCOMPARE(std::pair(after->columns(), after->rows()), std::pair(5, 4));
        QCOMPARE(after->toImage(), d.committed.back());
        for (int r = 0; r < after->rows(); ++r)   // only the tiles under the stroke and the raw write differ from the previous snapshot
            for (int c = 0; c < after->columns(); ++c)
                QCOMPARE(after->sharesTile(*before, c, r), !((c == 0 && r == 0) || (c == 0 && r == 2)));
        d.doc.Picture2.SetPixel(5, 5, 0x00FF00);   // a commit with nothing drawn, or the snapshot a clear takes first, shares every tile
        d.commit();
        QCOMPARE(d.doc.history().picture(4), after);
        QVERIFY(d.shows(3));
        const std::size_t held = d.doc.history().bytesHeld();
        d.doc.Undo(3);
        QCOMPARE(d.doc.history().bytesHeld(), held);
        QCOMPARE(d.doc.history().picture(5), after);
        d.undo(3);
        QVERIFY(d.shows(1));
        Doc e(100, 100);
        e.stroke(1);
        e.stroke(2);
        QVERIFY(e.shows(2));
        e.doc.Picture1.SetPixel(50, 50, 0x0000FF);
        QCOMPARE(e.doc.PicOrg.Image(), e.committed[2]);
        QCOMPARE(e.doc.Picture2.Image(), e.committed[2]);
        QCOMPARE(e.slot(3), e.committed[2]);
        const int count = e.doc.history().count();   // with the skip flag the copies follow, no snapshot is taken
        e.doc.SnapshotAndSync(e.doc.Picture1, e.doc.Picture2, e.doc.PicOrg, true);
        QCOMPARE(e.doc.history().count(), count);
        QCOMPARE(e.doc.PicOrg.Image(), e.doc.Picture1.Image());
        QCOMPARE(e.doc.Picture2.Image(), e.doc.Picture1.Image());
    }

    void smallStrokesShareTiles()
    {
        constexpr int N = 1024;
        Doc d(N, N);
        for (int i = 1; i <= 20; ++i)
            d.stroke(i);
        QCOMPARE(d.doc.history().count(), 17);
        const std::size_t image = std::size_t(N) * N * 4, held = d.doc.history().bytesHeld();
        QVERIFY2(held < 2 * image && held >= image, qPrintable(QString::number(double(held) / double(image))));
        for (int slot = 1; slot <= 16; ++slot)
            QCOMPARE(d.slot(slot), d.committed[std::size_t(slot + 4)]);
    }
};

QTEST_GUILESS_MAIN(TestUndo)
#include "tst_undo.moc"
