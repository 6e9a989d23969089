// The document's undo and redo: one operation, Undo(Action), saves a snapshot (3), steps back
// (1) or forward (2), and with any action republishes whether undo and redo are available.
#include "document/Document.h"

#include "base/Conversions.h"

namespace orv {

namespace {

// Converts a selection coordinate to the record's 16-bit field; a value that does not fit
// leaves the field as it was.
void storeInt16(clsUndo &rec, void (clsUndo::*set)(std::int16_t), double value)
{
    if (const auto v = ToInt16(value))
        (rec.*set)(*v);
}

} // namespace

void Document::Undo(std::int16_t Action)
{
    UndoHistory &h = m_history;
    switch (Action) {
    case 3: {
        // The snapshot shown until now: the new one shares every tile it did not change.
        const SnapshotPtr shown = h.picture(h.UndoIndex);
        h.UndoIndex += 1;
        if (h.count() - 2 < UndoHistory::kMaxSnapshots - 1) {
            h.setPicture(h.UndoIndex, h.capture(Picture1, shown));
        } else {
            // Full: the test looks at the number of slots only, so even after stepping back the
            // oldest snapshot goes first (the redo tail follows below).
            h.shiftOldestOut();
            h.UndoIndex -= 1;
            h.setPicture(h.UndoIndex, h.capture(Picture1, shown));
        }
        clsUndo &rec = h.record(h.UndoIndex);
        rec.setShapeEnable(ShapeRect1.Visible);
        if (ShapeRect1.Visible) {
            storeInt16(rec, &clsUndo::setHLeft, ShapeRect1.Left);
            storeInt16(rec, &clsUndo::setHTop, ShapeRect1.Top);
            storeInt16(rec, &clsUndo::setHWidth, ShapeRect1.Width);
            storeInt16(rec, &clsUndo::setHHeight, ShapeRect1.Height);
        }
        m_canUndo = true;
        h.discardFrom(h.UndoIndex + 1);
        break;
    }
    case 1:
    case 2: {
        // The position never leaves the stored snapshots: a step back from slot 1 or forward
        // from the last slot changes neither the image nor the position.
        const int next = h.UndoIndex + (Action == 1 ? -1 : 1);
        const SnapshotPtr target = h.picture(next);
        if (!target)
            break;
        h.UndoIndex = std::int16_t(next);
        // Picture1, Picture2 and PicOrg take the slot's picture (and its size). When Picture1
        // was drawn on since it last held a snapshot, the copies go first (they only need the
        // tiles that differ) and Picture1 is then copied whole from one of them.
        if (!h.knownPicture(Picture1) && h.knownPicture(Picture2)) {
            h.restore(Picture2, target);
            h.restore(PicOrg, target, &Picture2);
            h.restore(Picture1, target, &Picture2);
        } else {
            h.restore(Picture1, target);
            h.restore(Picture2, target, &Picture1);
            h.restore(PicOrg, target, &Picture1);
        }

        // The selection saved with the snapshot.
        const clsUndo rec = h.record(h.UndoIndex);
        DropSelection();
        if (rec.ShapeEnable()) {
            ShapeRect1.Visible = true;
            ShapeRect1.Left = rec.hLeft();
            ShapeRect1.Top = rec.hTop();
            ShapeRect1.Width = rec.hWidth();
            ShapeRect1.Height = rec.hHeight();
            rectLeft = rec.hLeft();
            rectTop = rec.hTop();
            rectRight = std::int32_t(rec.hLeft()) + rec.hWidth();
            rectBottom = std::int32_t(rec.hTop()) + rec.hHeight();
            RectHWND = CreateRectRgn(rectLeft, rectTop, rectRight, rectBottom);
            Picture1.SelectClipRgn(RectHWND);
            if (m_view)
                m_view->ShowSelectionOutline(true, QRect(rec.hLeft(), rec.hTop(), rec.hWidth(), rec.hHeight()));
        }
        Refresh();
        // The three surfaces hold the same snapshot now: a preview has nothing to restore yet.
        markPreviewInSync();
        break;
    }
    default:
        break;
    }

    // Availability, after every action.
    m_canUndo = h.UndoIndex > 1;
    m_canRedo = h.UndoIndex < h.count() - 1;
    m_formIzin = true;
    UpdateUndoRedoUI();
}

} // namespace orv
