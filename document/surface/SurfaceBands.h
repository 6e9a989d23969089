// The pixel store behind a surface: the picture as horizontal bands of 64 rows, each band an
// implicitly shared image. A row never crosses a band, so every row stays one contiguous run of
// pixels; rows of different bands are not one stride apart.
//
// Copying a store shares its bands. Writing a row detaches only the band that holds it: a band
// that another store, a stored undo tile or a handed-out picture also holds is copied first
// (copy-on-write), so one side's writes never show on another side. Three surfaces that hold the
// same picture therefore cost about one picture, and each pays only for the bands it changed.
//
// Bands made together (a new buffer, an adopted picture) are views into one contiguous block;
// while a store's bands are still exactly that block, the whole picture is handed out without a
// copy. A block that someone outside holds (a picture handed out and kept) is never written in
// place: its bands are copied before their first write.
#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>
#include <memory>
#include <vector>

namespace orv {

class SurfaceBands {
public:
    static constexpr int kBandRows = 64;
    static constexpr int kBandShift = 6;

    SurfaceBands() = default;
    SurfaceBands(const SurfaceBands &other);
    SurfaceBands &operator=(const SurfaceBands &other);
    SurfaceBands(SurfaceBands &&) noexcept = default;
    SurfaceBands &operator=(SurfaceBands &&) noexcept = default;

    // A new store over one fresh block (left uninitialised), or over a picture's own pixels
    // (RGB32; shared with the picture until either side writes).
    static SurfaceBands allocate(int width, int height);
    static SurfaceBands adopt(const QImage &picture);

    bool isNull() const { return m_width <= 0 || m_height <= 0; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    QSize size() const { return QSize(m_width, m_height); }
    int bandCount() const { return int(m_bands.size()); }

    const std::uint32_t *constRow(int y) const
    {
        const Band &b = m_bands[std::size_t(y >> kBandShift)];
        return b.bits + qsizetype(y & (kBandRows - 1)) * b.stride;
    }
    // A row to write: its band is made this store's own first.
    std::uint32_t *row(int y)
    {
        Band &b = m_bands[std::size_t(y >> kBandShift)];
        if (!b.writable)
            own(b);
        return b.bits + qsizetype(y & (kBandRows - 1)) * b.stride;
    }

    // The whole picture as one image: free while the bands are still one block, otherwise a
    // fresh copy. Holding the result keeps those pixels as they are (later writes copy bands).
    QImage picture() const;
    // Makes every band this store's own and one contiguous block, and returns its first row and
    // the stride in pixels. With keepPixels false the pixels are left undefined (for callers
    // that write every pixel).
    std::uint32_t *contiguous(qsizetype *stride, bool keepPixels);

    struct Block;
    // One band, as held by a store or by whoever shares it (the undo history's tiles). Holding
    // a copy keeps its pixels as they are: the store copies a shared band before writing it.
    struct Band {
        QImage image;
        std::shared_ptr<Block> block;   // the block the band is a view into, if any
        std::uint32_t *bits = nullptr;
        qsizetype stride = 0;           // in pixels
        mutable bool writable = false;  // known to be this store's alone

        int rows() const { return image.height(); }
        const std::uint32_t *constRow(int y) const { return bits + qsizetype(y) * stride; }
    };

    // Band i, shared.
    Band band(int i) const;
    // Makes band i the given band (of the same size), shared.
    void setBand(int i, const Band &band);
    // Whether band i of both stores is the very same pixel memory.
    bool sharesBand(const SurfaceBands &other, int i) const;
    // How many bands of both stores are the very same pixel memory.
    int sharedBands(const SurfaceBands &other) const;

private:
    static SurfaceBands overBlock(std::shared_ptr<Block> block);
    void own(Band &b);
    void forgetWritable() const;

    std::vector<Band> m_bands;
    int m_width = 0;
    int m_height = 0;
};

} // namespace orv
