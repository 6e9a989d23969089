// The undo history: slot rules, enabled states, selection records and their restore, sizes,
// and the tile storage that keeps a history of small strokes near one image's bytes.
#include "FakeHost.h"
#include "testsupport.h"

#include <QTest>
#include <vector>

using namespace orv;
using orvtest::FakeHost;
using orvtest::FakeView;

namespace {

// A document as the new-image command leaves it: a filled Picture1, the first snapshot taken
// by name and the copies synced without a second snapshot.
struct Doc {
    FakeHost host;
    FakeView view;
    Document doc{host};
    std::vector<QImage> committed;   // what each commit put on Picture1, in order

    Doc(int w, int h)
    {
        doc.setView(&view);
        doc.Form_Load();
        doc.Picture1.BackColor = 0xFFFFFF;
        doc.Picture1.resize(w, h);
        doc.Picture1.Cls();
        doc.Undo(3);
        doc.SnapshotAndSync(doc.Picture1, doc.Picture2, doc.PicOrg, true);
        committed.push_back(doc.Picture1.Image().copy());
    }

    // A small stroke that differs from every other step, then the commit.
    void stroke(int step)
    {
        const int w = doc.Picture1.ScaleWidth();
        const int h = doc.Picture1.ScaleHeight();
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

    void select(double left, double top, double width, double height)
    {
        doc.ShapeRect1 = Document::Shape{true, left, top, width, height};
    }
    void unselect() { doc.ShapeRect1.Visible = false; }
};

// The rectangle an undo record holds (left, top, width, height as stored).
QRect recordedRect(const clsUndo &rec) { return QRect(rec.hLeft(), rec.hTop(), rec.hWidth(), rec.hHeight()); }

// All three surfaces hold exactly the given picture.
bool showsExactly(const Document &doc, const QImage &expected)
{
    return doc.Picture1.Image() == expected && doc.Picture2.Image() == expected && doc.PicOrg.Image() == expected;
}

} // namespace

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void enabledStatesAlongTheHistory()
    {
        Doc d(40, 30);
        // A fresh document: nothing to undo or redo.
        QCOMPARE(d.doc.UndoIndex(), std::int16_t(1));
        QCOMPARE(d.doc.history().count(), 2);
        QVERIFY(!d.doc.history().picture(0));   // slot 0 never holds a snapshot
        QVERIFY(!d.doc.CanUndo() && !d.doc.CanRedo());
        QVERIFY(!d.host.canUndo && !d.host.canRedo);
        QVERIFY(d.host.undoRedoUpdates > 0);
        QCOMPARE(d.doc.history().picture(1)->toImage(), d.committed[0]);

        d.stroke(1);
        QCOMPARE(d.doc.UndoIndex(), std::int16_t(2));
        QVERIFY(d.host.canUndo);
        QVERIFY(!d.host.canRedo);

        d.doc.Undo(1);
        QCOMPARE(d.doc.UndoIndex(), std::int16_t(1));
        QVERIFY(!d.host.canUndo);
        QVERIFY(d.host.canRedo);
        QVERIFY(showsExactly(d.doc, d.committed[0]));

        d.doc.Undo(2);
        QCOMPARE(d.doc.UndoIndex(), std::int16_t(2));
        QVERIFY(d.host.canUndo);
        QVERIFY(!d.host.canRedo);
        QVERIFY(showsExactly(d.doc, d.committed[1]));
        QCOMPARE(d.doc.CanUndo(), d.host.canUndo);
        QCOMPARE(d.doc.CanRedo(), d.host.canRedo);
    }

    void saveAfterStepBackDiscardsTail()
    {
        Doc d(40, 30);
        for (int i = 1; i <= 3; ++i)
            d.stroke(i);
        QCOMPARE(d.doc.history().count(), 5);
        d.doc.Undo(1);
        d.doc.Undo(1);
        QCOMPARE(d.doc.UndoIndex(), std::int16_t(2));
        QVERIFY(d.host.canRedo);

        d.stroke(9);
        QCOMPARE(d.doc.UndoIndex(), std::int16_t(3));
        QCOMPARE(d.doc.history().count(), 4);
        QVERIFY(!d.host.canRedo);
        QVERIFY(d.host.canUndo);
        QCOMPARE(d.doc.history().picture(3)->toImage(), d.committed.back());
        // Forward has nowhere to go; back reaches the snapshot the new one was drawn on.
        d.doc.Undo(2);
        QCOMPARE(d.doc.UndoIndex(), std::int16_t(3));
        QVERIFY(showsExactly(d.doc, d.committed.back()));
        d.doc.Undo(1);
        QVERIFY(showsExactly(d.doc, d.committed[1]));

        // With every slot used: the oldest goes, then the redo tail.
        Doc f(70, 70);
        for (int i = 1; i <= 15; ++i)
            f.stroke(i);
        QCOMPARE(f.doc.history().count(), 17);
        for (int i = 0; i < 3; ++i)
            f.doc.Undo(1);
        QCOMPARE(f.doc.UndoIndex(), std::int16_t(13));
        f.stroke(40);
        QCOMPARE(f.doc.UndoIndex(), std::int16_t(13));
        QCOMPARE(f.doc.history().count(), 14);
        QVERIFY(!f.host.canRedo);
        for (int slot = 1; slot <= 12; ++slot)
            QCOMPARE(f.doc.history().picture(slot)->toImage(), f.committed[std::size_t(slot)]);
        QCOMPARE(f.doc.history().picture(13)->toImage(), f.committed.back());
    }

    void stepsPastEitherEndChangeNothing()
    {
        // No snapshot at all: neither step moves or touches the image.
        {
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
        // The position never goes below slot 1 or beyond the last slot: pressing past either end
        // leaves the image (even one drawn on since) and the position as they are.
        Doc d(30, 20);
        d.stroke(1);
        d.doc.Undo(1);
        d.doc.Picture1.SetPixel(5, 5, 0x0000FF);
        const QImage drawn = d.doc.Picture1.Image().copy();
        d.doc.Undo(1);
        QCOMPARE(d.doc.UndoIndex(), std::int16_t(1));
        QCOMPARE(d.doc.Picture1.Image(), drawn);
        QCOMPARE(d.doc.PicOrg.Image(), d.committed[0]);
        QVERIFY(!d.host.canUndo);
        QVERIFY(d.host.canRedo);

        d.doc.Undo(2);
        QVERIFY(showsExactly(d.doc, d.committed[1]));
        d.doc.Undo(2);
        d.doc.Undo(2);
        QCOMPARE(d.doc.UndoIndex(), std::int16_t(2));
        QVERIFY(showsExactly(d.doc, d.committed[1]));
        QVERIFY(!d.host.canRedo);
    }

    void otherActionOnlyRepublishes()
    {
        Doc d(30, 20);
        d.stroke(1);
        d.stroke(2);
        d.doc.Undo(1);
        d.host.canUndo = d.host.canRedo = false;   // as if another document had published
        const int updates = d.host.undoRedoUpdates;
        const int count = d.doc.history().count();

        d.doc.Undo(7);
        QCOMPARE(d.host.undoRedoUpdates, updates + 1);
        QVERIFY(d.host.canUndo);
        QVERIFY(d.host.canRedo);
        QCOMPARE(d.doc.UndoIndex(), std::int16_t(2));
        QCOMPARE(d.doc.history().count(), count);
        QVERIFY(showsExactly(d.doc, d.committed[1]));

        // Undo opens the gate before publishing, so a closed gate does not stop it.
        d.doc.setFormIzin(false);
        d.doc.Undo(0);
        QCOMPARE(d.host.undoRedoUpdates, updates + 2);
        QVERIFY(d.doc.FormIzin());
    }

    void seventeenthSnapshotDropsOldest()
    {
        Doc d(96, 80);
        // Snapshots 2 to 17 with a selection on every other one (its position tells them apart).
        for (int i = 1; i <= 16; ++i) {
            if (i % 2)
                d.select(i, i + 1, 10 + i, 20 + i);
            else
                d.unselect();
            d.stroke(i);
        }
        QCOMPARE(d.doc.history().count(), 17);   // slot 0 and 16 snapshots
        QCOMPARE(d.doc.UndoIndex(), std::int16_t(16));
        QVERIFY(showsExactly(d.doc, d.committed[16]));

        // Slot k now holds commit k (the first commit, the starting image, is gone).
        for (int slot = 16; slot >= 1; --slot) {
            QCOMPARE(d.doc.UndoIndex(), std::int16_t(slot));
            QVERIFY2(showsExactly(d.doc, d.committed[std::size_t(slot)]), qPrintable(QString::number(slot)));
            const clsUndo &rec = const_cast<UndoHistory &>(d.doc.history()).record(slot);
            QCOMPARE(rec.ShapeEnable(), slot % 2 == 1);
            if (slot % 2) {
                QCOMPARE(recordedRect(rec), QRect(slot, slot + 1, 10 + slot, 20 + slot));
                QVERIFY(d.doc.ShapeRect1.Visible);
                QCOMPARE(d.doc.rectRight, slot + 10 + slot);
            } else if (slot < 16) {
                QVERIFY(!d.doc.ShapeRect1.Visible);
                QVERIFY(d.doc.RectHWND.isNull());
            }
            d.doc.Undo(1);
        }
        QCOMPARE(d.doc.UndoIndex(), std::int16_t(1));
        QVERIFY(showsExactly(d.doc, d.committed[1]));   // the former second snapshot
        QVERIFY(!d.host.canUndo);
    }

    void selectionRestoreAndClip()
    {
        Doc d(60, 50);
        // Halves round to even: 10.5 -> 10, 20.5 -> 20, 29.5 -> 30, 40.5 -> 40.
        d.select(10.5, 20.5, 29.5, 40.5);
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
        QVERIFY(showsExactly(d.doc, d.committed[1]));

        // Drawing is clipped to the restored selection.
        QCOMPARE(d.doc.Picture1.SetPixel(5, 5, 0x00FF00), CLR_INVALID);
        QCOMPARE(d.doc.Picture1.GetPixel(5, 5), FromPixel(d.committed[1].pixel(5, 5)));
        QCOMPARE(d.doc.Picture1.SetPixel(40, 30, 0x00FF00), CLR_INVALID);   // right is exclusive
        QCOMPARE(d.doc.Picture1.SetPixel(39, 49, 0x00FF00), Colour(0x00FF00));

        // A snapshot without a selection removes it and unclips the surface.
        d.doc.Undo(2);
        QVERIFY(!d.doc.ShapeRect1.Visible);
        QVERIFY(d.doc.RectHWND.isNull());
        QVERIFY(d.doc.Picture1.clipRegion().isNull());
        QVERIFY(showsExactly(d.doc, d.committed[2]));
        QCOMPARE(d.doc.Picture1.SetPixel(5, 5, 0x00FF00), Colour(0x00FF00));
    }

    void hiddenRectangleKeepsRecordFields()
    {
        Doc d(30, 30);
        d.select(3, 4, 5, 6);
        d.stroke(1);   // slot 2 records the rectangle
        d.doc.Undo(1);
        d.unselect();
        d.stroke(2);   // slot 2 again, rectangle hidden
        UndoHistory &h = const_cast<UndoHistory &>(d.doc.history());
        QVERIFY(!h.record(2).ShapeEnable());
        QCOMPARE(recordedRect(h.record(2)), QRect(3, 4, 5, 6));
        // Records outlive the slots they were written for.
        QCOMPARE(h.recordCount(), 3);
        // The hidden record restores no selection.
        d.stroke(3);
        d.select(1, 1, 2, 2);
        d.doc.Undo(1);
        QVERIFY(!d.doc.ShapeRect1.Visible);
        QVERIFY(d.doc.RectHWND.isNull());
    }

    void snapshotsOfDifferentSizes()
    {
        Doc d(40, 30);
        d.stroke(1);
        // A canvas-size change: the new image is on Picture1, then the snapshot.
        d.doc.Picture1.resize(130, 70);
        d.doc.Picture1.SetPixel(129, 69, 0x123456);
        d.doc.Picture1.SetPixel(64, 64, 0x654321);
        d.commit();
        d.stroke(2);
        QCOMPARE(d.doc.Picture2.size(), QSize(130, 70));
        QCOMPARE(d.doc.PicOrg.size(), QSize(130, 70));

        d.doc.Undo(1);
        QVERIFY(showsExactly(d.doc, d.committed[2]));
        d.doc.Undo(1);
        QCOMPARE(d.doc.Picture1.size(), QSize(40, 30));
        QVERIFY(showsExactly(d.doc, d.committed[1]));
        d.doc.Undo(2);
        QCOMPARE(d.doc.PicOrg.size(), QSize(130, 70));
        QVERIFY(showsExactly(d.doc, d.committed[2]));
        d.doc.Undo(2);
        QVERIFY(showsExactly(d.doc, d.committed[3]));
        // The restore repaints the whole picture.
        QCOMPARE(d.view.repainted, QRect(0, 0, 130, 70));
    }

    void restoreOverUncommittedDrawing()
    {
        Doc d(200, 140);
        for (int i = 1; i <= 4; ++i)
            d.stroke(i);
        // Drawing that was never committed, on all three surfaces and in every tile.
        d.doc.Picture1.SelectObject(Pen{PS_SOLID, 1, 0x0000FF});
        d.doc.Picture1.MoveToEx(0, 0);
        d.doc.Picture1.LineTo(199, 139);
        d.doc.Picture2.SetPixel(199, 0, 0x00FF00);
        d.doc.PicOrg.SetPixel(0, 139, 0xFF0000);
        d.doc.Undo(1);
        QVERIFY(showsExactly(d.doc, d.committed[3]));

        // A surface that shares its pixels with another one (as DeSelect leaves Picture1) and is
        // then drawn on.
        d.doc.Picture1.setPicture(d.doc.PicOrg.Image());
        d.doc.Picture1.SetPixel(100, 70, 0x00FFFF);
        d.doc.Undo(1);
        QVERIFY(showsExactly(d.doc, d.committed[2]));
        QCOMPARE(d.doc.PicOrg.GetPixel(100, 70), FromPixel(d.committed[2].pixel(100, 70)));

        // Restored by whole images: stepping through every slot still shows exact pixels.
        for (int slot = 4; slot <= 5; ++slot) {
            d.doc.Undo(2);
            QCOMPARE(d.doc.UndoIndex(), std::int16_t(slot));
            QVERIFY(showsExactly(d.doc, d.committed[std::size_t(slot - 1)]));
        }
    }

    void syncCopiesAreIndependent()
    {
        Doc d(100, 100);
        d.stroke(1);
        d.stroke(2);
        QVERIFY(showsExactly(d.doc, d.committed[2]));
        // The three surfaces share one copy of the picture.
        const int bands = d.doc.Picture1.bands().bandCount();
        QCOMPARE(d.doc.Picture2.bands().sharedBands(d.doc.Picture1.bands()), bands);
        QCOMPARE(d.doc.PicOrg.bands().sharedBands(d.doc.Picture1.bands()), bands);

        // Drawing on Picture1 afterwards leaves the copies and the stored snapshot alone.
        d.doc.Picture1.SetPixel(50, 50, 0x0000FF);
        QCOMPARE(d.doc.PicOrg.Image(), d.committed[2]);
        QCOMPARE(d.doc.Picture2.Image(), d.committed[2]);
        QCOMPARE(d.doc.history().picture(3)->toImage(), d.committed[2]);

        // With the skip flag the copies follow but no snapshot is taken.
        const int count = d.doc.history().count();
        d.doc.SnapshotAndSync(d.doc.Picture1, d.doc.Picture2, d.doc.PicOrg, true);
        QCOMPARE(d.doc.history().count(), count);
        QCOMPARE(d.doc.PicOrg.Image(), d.doc.Picture1.Image());
        QCOMPARE(d.doc.Picture2.Image(), d.doc.Picture1.Image());
    }

    void unchangedImageSharesEveryTile()
    {
        Doc d(300, 200);
        d.stroke(1);
        const std::size_t held = d.doc.history().bytesHeld();
        // A second snapshot of an unchanged image (a clear saves one before it clears).
        d.doc.Undo(3);
        QCOMPARE(d.doc.history().bytesHeld(), held);
        QCOMPARE(d.doc.history().picture(3), d.doc.history().picture(2));

        // A stroke in one tile copies that tile only.
        d.doc.Picture1.SetPixel(130, 70, 0x0000FF);
        d.commit();
        const SnapshotPtr a = d.doc.history().picture(3);
        const SnapshotPtr b = d.doc.history().picture(4);
        QCOMPARE(b->columns(), 5);
        QCOMPARE(b->rows(), 4);
        int differing = 0;
        for (int r = 0; r < b->rows(); ++r)
            for (int c = 0; c < b->columns(); ++c)
                differing += b->sharesTile(*a, c, r) ? 0 : 1;
        QCOMPARE(differing, 1);
        QVERIFY(!b->sharesTile(*a, 130 / UndoSnapshot::kTile, 70 / UndoSnapshot::kTile));
        QCOMPARE(b->toImage(), d.committed.back());
    }

    void commitAfterSmallStrokeSyncsEverySurface()
    {
        Doc d(300, 200);
        d.stroke(1);
        // Uncommitted work: a stroke on Picture1, a raw row write there that nothing marks, and
        // a preview pixel left on Picture2 far from both.
        const SurfaceBands unchanged = d.doc.Picture1.bands();
        d.doc.Picture1.SelectObject(Pen{PS_SOLID, 3, 0x0000FF});
        d.doc.Picture1.MoveToEx(20, 20);
        d.doc.Picture1.LineTo(40, 30);
        d.doc.Picture1.scanLine(150)[10] = 0xFF123456u;
        d.doc.Picture2.SetPixel(290, 190, 0x00FF00);
        d.commit();
        QVERIFY(showsExactly(d.doc, d.committed.back()));
        QCOMPARE(d.doc.Picture1.GetPixel(10, 150), Colour(0x563412));
        // All three surfaces share every band; only the bands written were copied.
        for (int i = 0; i < 4; ++i) {
            QVERIFY(d.doc.Picture2.bands().sharesBand(d.doc.Picture1.bands(), i));
            QVERIFY(d.doc.PicOrg.bands().sharesBand(d.doc.Picture1.bands(), i));
            QCOMPARE(d.doc.Picture1.bands().sharesBand(unchanged, i), i == 1 || i == 3);
        }
        const SnapshotPtr before = d.doc.history().picture(2);
        const SnapshotPtr after = d.doc.history().picture(3);
        QCOMPARE(after->toImage(), d.committed.back());
        // Only the tiles under the stroke and the raw write differ from the previous snapshot.
        for (int r = 0; r < after->rows(); ++r)
            for (int c = 0; c < after->columns(); ++c)
                QCOMPARE(after->sharesTile(*before, c, r), !((c == 0 && r == 0) || (c == 0 && r == 2)));

        // A second commit with nothing drawn keeps the snapshot; one step back returns exactly.
        d.doc.Picture2.SetPixel(5, 5, 0x00FF00);
        d.commit();
        QCOMPARE(d.doc.history().picture(4), after);
        QVERIFY(showsExactly(d.doc, d.committed.back()));
        d.doc.Undo(1);
        d.doc.Undo(1);
        QVERIFY(showsExactly(d.doc, d.committed[1]));
    }

    void smallStrokesShareTiles()
    {
        constexpr int N = 1024;
        Doc d(N, N);
        for (int i = 1; i <= 20; ++i)
            d.stroke(i);
        QCOMPARE(d.doc.history().count(), 17);
        const std::size_t image = std::size_t(N) * N * 4;
        const std::size_t held = d.doc.history().bytesHeld();
        QVERIFY2(held < 2 * image, qPrintable(QString::number(double(held) / double(image))));
        QVERIFY(held >= image);
        // Every slot still returns exactly its pixels.
        for (int slot = 1; slot <= 16; ++slot)
            QCOMPARE(d.doc.history().picture(slot)->toImage(), d.committed[std::size_t(slot + 4)]);
    }
};

QTEST_GUILESS_MAIN(TestUndo)
#include "tst_undo.moc"
