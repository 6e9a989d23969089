// The undo history's storage: up to 16 whole-image snapshots with the selection record of each.
//
// Snapshots are stored as 64 x 64 pixel tiles; a row of tiles is one band of a surface. The
// first snapshot of a picture (and any band that mostly changed) keeps views into the surface's
// bands, so the history shares those pixels with the surfaces instead of copying them; the
// surface copies a shared band before it writes it again. A new snapshot compares each tile of
// the surface with the tile of the snapshot it was drawn from and shares every tile that did not
// change; the few tiles a small stroke changes are copied out on their own, so a history of
// small strokes holds little more than one image. Tiles are immutable once made and are freed
// when no snapshot refers to them any more; copied tiles' buffers go back to a small pool that
// the next snapshots take their changed tiles from (fresh memory is far slower to fill than
// memory that was written before).
//
// The history also remembers which snapshot each surface it wrote (or read) holds, through the
// surface's change tracking: once it has been drawn on, the snapshot it held plus the area
// written since still tell which tiles can differ, so the commit step compares and copies only
// those, and a restore writes only the tiles that differ between the two snapshots. A copy of
// a surface carries that knowledge along.
#pragma once

#include "document/surface/Surface.h"

#include <QImage>
#include <QSize>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace orv {

// The selection record kept with each snapshot: whether the selection rectangle was shown, and
// its position and size in pixels.
class clsUndo {
public:
    bool ShapeEnable() const { return m_shapeEnable; }
    void setShapeEnable(bool v) { m_shapeEnable = v; }
    std::int16_t hHeight() const { return m_height; }
    void setHHeight(std::int16_t v) { m_height = v; }
    std::int16_t hWidth() const { return m_width; }
    void setHWidth(std::int16_t v) { m_width = v; }
    std::int16_t hTop() const { return m_top; }
    void setHTop(std::int16_t v) { m_top = v; }
    std::int16_t hLeft() const { return m_left; }
    void setHLeft(std::int16_t v) { m_left = v; }

private:
    bool m_shapeEnable = false;
    std::int16_t m_height = 0;
    std::int16_t m_width = 0;
    std::int16_t m_top = 0;
    std::int16_t m_left = 0;
};

class UndoTilePool;
struct UndoTile;

// One stored picture, cut into tiles (row by row, left to right). Immutable once made.
class UndoSnapshot {
public:
    static constexpr int kTile = 64;

    int width() const { return m_width; }
    int height() const { return m_height; }
    QSize size() const { return QSize(m_width, m_height); }
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    // The stored pixels as a fresh image (for checks and exports; restores write tiles directly).
    QImage toImage() const;
    // Whether tile (column, row) is the very same stored tile in both snapshots.
    bool sharesTile(const UndoSnapshot &other, int column, int row) const;

private:
    friend class UndoHistory;
    int m_width = 0;
    int m_height = 0;
    int m_columns = 0;
    int m_rows = 0;
    std::vector<std::shared_ptr<const UndoTile>> m_tiles;
};

using SnapshotPtr = std::shared_ptr<const UndoSnapshot>;

class UndoHistory {
public:
    static constexpr int kMaxSnapshots = 16;

    UndoHistory();
    ~UndoHistory();
    UndoHistory(const UndoHistory &) = delete;
    UndoHistory &operator=(const UndoHistory &) = delete;

    // The slot whose snapshot is the image now shown; 0 before the first snapshot. Written by
    // the document's Undo alone.
    std::int16_t UndoIndex = 0;

    // --- ImgUndo: slot 0 always exists and never holds a snapshot --------------------------
    int count() const { return int(m_slots.size()); }
    // The picture of a slot; null for slot 0, a missing slot or an empty one.
    SnapshotPtr picture(int slot) const;
    // Creates the slot if it does not exist yet (an existing one is reused) and gives it the
    // picture. Slot 0 never takes one.
    void setPicture(int slot, SnapshotPtr picture);
    // Destroys every slot from `first` to the last one.
    void discardFrom(int first);
    // Drops the oldest snapshot of a full history: slot i takes the picture and the selection
    // record of slot i + 1, for i = 1 to 15.
    void shiftOldestOut();

    // --- UndoRecords: created empty on first use -------------------------------------------
    clsUndo &record(int slot);
    int recordCount() const { return int(m_records.size()); }

    // --- pixels ----------------------------------------------------------------------------
    // A snapshot of the surface's image. Tiles equal to those of the snapshot the surface is
    // known to hold, or else of `baseline`, are shared; the others are copied.
    SnapshotPtr capture(const Surface &source, const SnapshotPtr &baseline);
    // Makes the surface hold the snapshot's pixels and size, writing only the tiles that differ
    // from what it is known to hold. When it holds nothing known, `sameContent` (a surface that
    // already holds this snapshot, if any) is copied instead of the tiles. The whole surface is
    // marked dirty.
    void restore(Surface &target, const SnapshotPtr &picture, const Surface *sameContent = nullptr);
    // Makes `target` hold what `source` holds (Surface::copyFrom: the bands are shared).
    void syncCopy(Surface &target, const Surface &source);
    // The snapshot the surface is known to hold, or null.
    SnapshotPtr knownPicture(const Surface &surface) const;
    // The snapshot the surface held when it was last synced, with the area written since
    // (empty when it still holds it unchanged); null when nothing is known.
    SnapshotPtr knownBase(const Surface &surface, QRect *changed) const;

    // --- memory ----------------------------------------------------------------------------
    // Bytes of the stored tiles (a tile shared by several snapshots counts once; tiles that view a
    // surface band count that whole band, once).
    std::size_t bytesHeld() const;
    // Bytes of freed tile buffers kept for reuse.
    std::size_t pooledBytes() const;

private:
    void remember(const Surface &surface, const SnapshotPtr &picture);
    void writeTiles(Surface &target, const UndoSnapshot &picture, const UndoSnapshot *known, const QRect &changed);

    struct Known {
        std::uint64_t epoch = 0;
        std::weak_ptr<const UndoSnapshot> picture;
    };

    std::shared_ptr<UndoTilePool> m_pool;
    std::vector<SnapshotPtr> m_slots;
    std::vector<clsUndo> m_records;
    std::vector<Known> m_known;   // newest first
};

} // namespace orv
