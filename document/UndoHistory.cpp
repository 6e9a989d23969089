#include "document/UndoHistory.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace orv {

namespace {
constexpr int kTile = UndoSnapshot::kTile;
constexpr std::size_t kFullTilePixels = std::size_t(kTile) * kTile;
constexpr std::size_t kKnownSurfaces = 8;
static_assert(kTile == SurfaceBands::kBandRows, "a row of tiles is one band of a surface");
} // namespace

// Tile buffers: every copied tile takes its buffer from here and gives it back when it dies.
// Freed full-size buffers are kept (up to the limit) for the next snapshots; edge tiles are
// smaller and go straight back to the allocator. Tiles that are views into a surface's band are
// counted here too, each band once.
class UndoTilePool {
public:
    ~UndoTilePool()
    {
        for (std::uint32_t *p : m_free)
            delete[] p;
    }

    std::uint32_t *acquire(std::size_t pixels)
    {
        m_liveBytes += pixels * sizeof(std::uint32_t);
        if (pixels == kFullTilePixels && !m_free.empty()) {
            std::uint32_t *p = m_free.back();
            m_free.pop_back();
            return p;
        }
        return new std::uint32_t[pixels];   // left uninitialised: the caller fills it
    }

    void release(std::uint32_t *p, std::size_t pixels)
    {
        m_liveBytes -= pixels * sizeof(std::uint32_t);
        if (pixels == kFullTilePixels && m_free.size() < m_limit)
            m_free.push_back(p);
        else
            delete[] p;
    }

    void addView(const void *band, std::size_t bytes)
    {
        auto &v = m_views[band];
        if (v.first++ == 0) {
            v.second = bytes;
            m_viewBytes += bytes;
        }
    }

    void removeView(const void *band)
    {
        auto it = m_views.find(band);
        if (it != m_views.end() && --it->second.first == 0) {
            m_viewBytes -= it->second.second;
            m_views.erase(it);
        }
    }

    // Keep at most this many free buffers; extra ones are freed at once.
    void setLimit(std::size_t buffers)
    {
        m_limit = buffers;
        while (m_free.size() > m_limit) {
            delete[] m_free.back();
            m_free.pop_back();
        }
    }

    std::size_t liveBytes() const { return m_liveBytes + m_viewBytes; }
    std::size_t pooledBytes() const { return m_free.size() * kFullTilePixels * sizeof(std::uint32_t); }

private:
    std::vector<std::uint32_t *> m_free;
    std::size_t m_limit = 64;
    std::size_t m_liveBytes = 0;
    std::size_t m_viewBytes = 0;
    std::unordered_map<const void *, std::pair<std::size_t, std::size_t>> m_views;   // tiles, bytes
};

// A stored tile: pixels of its own, or a view into a band of a surface (shared with it: the
// surface copies the band before writing it again).
struct UndoTile {
    UndoTile(std::shared_ptr<UndoTilePool> pool, int w, int h)
        : pool(std::move(pool)), width(w), height(h), own(this->pool->acquire(std::size_t(w) * h)), pixels(own),
          stride(w)
    {
    }
    UndoTile(std::shared_ptr<UndoTilePool> pool, const SurfaceBands::Band &band, int x0, int w)
        : pool(std::move(pool)), width(w), height(band.rows()), band(band), pixels(band.bits + x0),
          stride(band.stride)
    {
        this->pool->addView(band.bits, std::size_t(band.stride) * band.rows() * sizeof(std::uint32_t));
    }
    ~UndoTile()
    {
        if (own)
            pool->release(own, std::size_t(width) * height);
        else
            pool->removeView(band.bits);
    }
    UndoTile(const UndoTile &) = delete;
    UndoTile &operator=(const UndoTile &) = delete;

    const std::uint32_t *row(int y) const { return pixels + qsizetype(y) * stride; }

    std::shared_ptr<UndoTilePool> pool;
    int width;
    int height;
    std::uint32_t *own = nullptr;
    SurfaceBands::Band band;   // the band viewed, if not own
    const std::uint32_t *pixels;
    qsizetype stride;   // in pixels
};

// ---------------------------------------------------------------------------------------------
// UndoSnapshot
// ---------------------------------------------------------------------------------------------

QImage UndoSnapshot::toImage() const
{
    if (m_width <= 0 || m_height <= 0)
        return QImage();
    QImage img(m_width, m_height, QImage::Format_RGB32);
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_columns; ++c) {
            const UndoTile &t = *m_tiles[std::size_t(r) * m_columns + c];
            for (int y = 0; y < t.height; ++y)
                std::memcpy(img.scanLine(r * kTile + y) + std::size_t(c) * kTile * 4, t.row(y),
                            std::size_t(t.width) * 4);
        }
    }
    return img;
}

bool UndoSnapshot::sharesTile(const UndoSnapshot &other, int column, int row) const
{
    if (size() != other.size() || column < 0 || row < 0 || column >= m_columns || row >= m_rows)
        return false;
    const std::size_t i = std::size_t(row) * m_columns + column;
    return m_tiles[i] == other.m_tiles[i];
}

// ---------------------------------------------------------------------------------------------
// Slots and records
// ---------------------------------------------------------------------------------------------

UndoHistory::UndoHistory() : m_pool(std::make_shared<UndoTilePool>()), m_slots(1) {}

UndoHistory::~UndoHistory()
{
    // Snapshots die before the pool they return their buffers to (the tiles also hold it).
    m_slots.clear();
}

SnapshotPtr UndoHistory::picture(int slot) const
{
    if (slot <= 0 || slot >= count())
        return nullptr;
    return m_slots[std::size_t(slot)];
}

void UndoHistory::setPicture(int slot, SnapshotPtr picture)
{
    if (slot <= 0)
        return;
    if (slot >= count())
        m_slots.resize(std::size_t(slot) + 1);
    m_slots[std::size_t(slot)] = std::move(picture);
}

void UndoHistory::discardFrom(int first)
{
    first = std::max(first, 1);
    if (first < count())
        m_slots.resize(std::size_t(first));
}

void UndoHistory::shiftOldestOut()
{
    for (int i = 1; i <= kMaxSnapshots - 1; ++i) {
        setPicture(i, picture(i + 1));
        record(i) = record(i + 1);
    }
}

clsUndo &UndoHistory::record(int slot)
{
    slot = std::max(slot, 0);
    if (std::size_t(slot) >= m_records.size())
        m_records.resize(std::size_t(slot) + 1);
    return m_records[std::size_t(slot)];
}

// ---------------------------------------------------------------------------------------------
// Pixels
// ---------------------------------------------------------------------------------------------

SnapshotPtr UndoHistory::knownPicture(const Surface &surface) const
{
    QRect changed;
    SnapshotPtr p = knownBase(surface, &changed);
    return p && changed.isEmpty() ? p : nullptr;
}

SnapshotPtr UndoHistory::knownBase(const Surface &surface, QRect *changed) const
{
    *changed = QRect();
    const std::uint64_t epoch = surface.changeEpoch();
    if (surface.isNull() || epoch == 0)
        return nullptr;
    for (const Known &k : m_known) {
        if (k.epoch != epoch)
            continue;
        SnapshotPtr p = k.picture.lock();
        if (!p || p->size() != surface.size())
            return nullptr;
        *changed = surface.changedArea() & QRect(QPoint(0, 0), surface.size());
        return p;
    }
    return nullptr;
}

void UndoHistory::remember(const Surface &surface, const SnapshotPtr &picture)
{
    if (surface.isNull() || !picture)
        return;
    const std::uint64_t epoch = surface.restartChangeTracking();
    m_known.erase(std::remove_if(m_known.begin(), m_known.end(), [](const Known &k) { return k.picture.expired(); }),
                  m_known.end());
    m_known.insert(m_known.begin(), Known{epoch, picture});
    if (m_known.size() > kKnownSurfaces)
        m_known.resize(kKnownSurfaces);
}

SnapshotPtr UndoHistory::capture(const Surface &source, const SnapshotPtr &baseline)
{
    // Unwritten since it was last synced with a snapshot: it is that snapshot. Drawn on since:
    // only the tiles under the area written can differ from it.
    QRect written;
    const SnapshotPtr held = knownBase(source, &written);
    if (held && written.isEmpty()) {
        remember(source, held);
        return held;
    }

    auto snap = std::make_shared<UndoSnapshot>();
    const int w = source.ScaleWidth();
    const int h = source.ScaleHeight();
    if (w <= 0 || h <= 0)
        return snap;
    snap->m_width = w;
    snap->m_height = h;
    snap->m_columns = (w + kTile - 1) / kTile;
    snap->m_rows = (h + kTile - 1) / kTile;
    const int cols = snap->m_columns;
    snap->m_tiles.resize(std::size_t(cols) * snap->m_rows);
    // Keep about a quarter of an image's tiles for reuse.
    m_pool->setLimit(std::max<std::size_t>(64, snap->m_tiles.size() / 4));

    const UndoSnapshot *base = held ? held.get()
                                     : (baseline && baseline->size() == source.size() ? baseline.get() : nullptr);
    // The tiles that may differ from the base: all of them, or those under the written area.
    int cFirst = 0, cEnd = cols, rFirst = 0, rEnd = snap->m_rows;
    if (held) {
        cFirst = written.left() / kTile;
        cEnd = written.right() / kTile + 1;
        rFirst = written.top() / kTile;
        rEnd = written.bottom() / kTile + 1;
    }
    std::vector<char> changed(std::size_t(cols), 1);
    for (int r = 0; r < snap->m_rows; ++r) {
        const int y0 = r * kTile;
        const int th = std::min(kTile, h - y0);
        const std::size_t rowBase = std::size_t(r) * cols;
        int changedCount = cols;
        if (base) {
            // Which tiles of this band differ from the base; a tile stops being compared at its
            // first differing row. A base tile that views the very pixels the surface holds is
            // the same without a look.
            std::fill(changed.begin(), changed.end(), 0);
            changedCount = 0;
            const bool band = r >= rFirst && r < rEnd;
            for (int c = cFirst; band && c < cEnd; ++c) {
                const UndoTile &t = *base->m_tiles[rowBase + std::size_t(c)];
                if (t.pixels == source.constScanLine(y0) + std::size_t(c) * kTile)
                    continue;   // the tile holds that memory, so nobody wrote it since
                for (int y = 0; y < th; ++y) {
                    if (std::memcmp(source.constScanLine(y0 + y) + std::size_t(c) * kTile, t.row(y),
                                    std::size_t(t.width) * 4) != 0) {
                        changed[std::size_t(c)] = 1;
                        ++changedCount;
                        break;
                    }
                }
            }
        }
        // A band mostly changed is kept as it is (the surface copies it before its next write);
        // a few changed tiles are copied out on their own.
        const bool view = changedCount * 2 > cols;
        const SurfaceBands::Band band = view ? source.bands().band(r) : SurfaceBands::Band();
        for (int c = 0; c < cols; ++c) {
            if (!changed[std::size_t(c)]) {
                snap->m_tiles[rowBase + std::size_t(c)] = base->m_tiles[rowBase + std::size_t(c)];
                continue;
            }
            const int x0 = c * kTile;
            const int tw = std::min(kTile, w - x0);
            if (view) {
                snap->m_tiles[rowBase + std::size_t(c)] = std::make_shared<UndoTile>(m_pool, band, x0, tw);
                continue;
            }
            auto tile = std::make_shared<UndoTile>(m_pool, tw, th);
            for (int y = 0; y < th; ++y)
                std::memcpy(tile->own + std::size_t(y) * tw, source.constScanLine(y0 + y) + x0, std::size_t(tw) * 4);
            snap->m_tiles[rowBase + std::size_t(c)] = std::move(tile);
        }
    }
    SnapshotPtr result = std::move(snap);
    remember(source, result);
    return result;
}

void UndoHistory::writeTiles(Surface &target, const UndoSnapshot &picture, const UndoSnapshot *known,
                             const QRect &changed)
{
    // Tiles the target wrote since it held `known` are rewritten whatever they hold.
    int cFirst = 0, cEnd = 0, rFirst = 0, rEnd = 0;
    if (!changed.isEmpty()) {
        cFirst = changed.left() / kTile;
        cEnd = changed.right() / kTile + 1;
        rFirst = changed.top() / kTile;
        rEnd = changed.bottom() / kTile + 1;
    }
    const int cols = picture.m_columns;
    std::vector<int> todo;
    todo.reserve(std::size_t(cols));
    for (int r = 0; r < picture.m_rows; ++r) {
        const std::size_t rowBase = std::size_t(r) * cols;
        todo.clear();
        const bool band = r >= rFirst && r < rEnd;
        for (int c = 0; c < cols; ++c) {
            if (!known || known->m_tiles[rowBase + std::size_t(c)] != picture.m_tiles[rowBase + std::size_t(c)] ||
                (band && c >= cFirst && c < cEnd))
                todo.push_back(c);
        }
        if (todo.empty())
            continue;
        // A row of tiles that views one band whole: the target shares that band.
        const UndoTile &first = *picture.m_tiles[rowBase];
        bool whole = !first.own && first.pixels == first.band.bits && first.band.image.width() == picture.m_width;
        for (int c = 1; whole && c < cols; ++c) {
            const UndoTile &t = *picture.m_tiles[rowBase + std::size_t(c)];
            whole = !t.own && t.band.bits == first.band.bits && t.pixels == first.pixels + std::size_t(c) * kTile;
        }
        if (whole) {
            target.shareBand(r, first.band);
            continue;
        }
        const int y0 = r * kTile;
        const int th = first.height;
        // Row by row through the band, so the target is written in address order.
        for (int y = 0; y < th; ++y) {
            std::uint32_t *line = target.scanLine(y0 + y);
            for (int c : todo) {
                const UndoTile &t = *picture.m_tiles[rowBase + std::size_t(c)];
                std::memcpy(line + std::size_t(c) * kTile, t.row(y), std::size_t(t.width) * 4);
            }
        }
    }
}

void UndoHistory::restore(Surface &target, const SnapshotPtr &picture, const Surface *sameContent)
{
    if (!picture)
        return;
    if (picture->width() <= 0 || picture->height() <= 0) {
        target.setPicture(QImage());
        return;
    }
    QRect written;
    const SnapshotPtr known = knownBase(target, &written);
    if (known == picture && written.isEmpty()) {
        target.markDirty(QRect(QPoint(0, 0), target.size()));
        remember(target, picture);
        return;
    }
    if (known && known->size() == picture->size()) {
        writeTiles(target, *picture, known.get(), written);
    } else if (sameContent && sameContent != &target && knownPicture(*sameContent) == picture) {
        target.copyFrom(*sameContent);
    } else {
        // A buffer of the snapshot's size (bands that view a stored band whole are shared
        // instead of written, so their part of it is never touched), then every tile.
        if (target.size() != picture->size())
            target.setPicture(NewImageBuffer(picture->size().width(), picture->size().height()));
        writeTiles(target, *picture, nullptr, QRect());
    }
    target.markDirty(QRect(QPoint(0, 0), target.size()));
    remember(target, picture);
}

void UndoHistory::syncCopy(Surface &target, const Surface &source)
{
    // The copy shares the source's bands and what is known about them.
    target.copyFrom(source);
}

// ---------------------------------------------------------------------------------------------
// Memory
// ---------------------------------------------------------------------------------------------

std::size_t UndoHistory::bytesHeld() const { return m_pool->liveBytes(); }
std::size_t UndoHistory::pooledBytes() const { return m_pool->pooledBytes(); }

} // namespace orv
