#include "document/surface/SurfaceBands.h"

#include "document/surface/Surface.h"

#include <cstring>

namespace orv {

// A contiguous picture whose rows the bands of one or more stores are views into.
struct SurfaceBands::Block {
    QImage image;
};

namespace {

void releaseBlock(void *info)
{
    delete static_cast<std::shared_ptr<SurfaceBands::Block> *>(info);
}

std::uint32_t *pixelsOf(const QImage &image)
{
    return reinterpret_cast<std::uint32_t *>(const_cast<uchar *>(image.constBits()));
}

} // namespace

SurfaceBands::SurfaceBands(const SurfaceBands &other)
    : m_bands(other.m_bands), m_width(other.m_width), m_height(other.m_height)
{
    other.forgetWritable();
    forgetWritable();
}

SurfaceBands &SurfaceBands::operator=(const SurfaceBands &other)
{
    if (this != &other) {
        m_bands = other.m_bands;
        m_width = other.m_width;
        m_height = other.m_height;
        other.forgetWritable();
        forgetWritable();
    }
    return *this;
}

void SurfaceBands::forgetWritable() const
{
    for (const Band &b : m_bands)
        b.writable = false;
}

SurfaceBands SurfaceBands::overBlock(std::shared_ptr<Block> block)
{
    SurfaceBands s;
    const QImage &img = block->image;
    s.m_width = img.width();
    s.m_height = img.height();
    const qsizetype bpl = img.bytesPerLine();
    uchar *base = const_cast<uchar *>(img.constBits());
    const int count = (s.m_height + kBandRows - 1) / kBandRows;
    s.m_bands.resize(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const int top = i * kBandRows;
        const int rows = std::min(kBandRows, s.m_height - top);
        Band &b = s.m_bands[std::size_t(i)];
        // Each view keeps the block alive, wherever the band is shared to.
        b.image = QImage(base + qsizetype(top) * bpl, s.m_width, rows, bpl, QImage::Format_RGB32, releaseBlock,
                         new std::shared_ptr<Block>(block));
        b.block = block;
        b.bits = pixelsOf(b.image);
        b.stride = bpl / qsizetype(sizeof(std::uint32_t));
    }
    return s;
}

SurfaceBands SurfaceBands::allocate(int width, int height)
{
    if (width <= 0 || height <= 0)
        return SurfaceBands();
    auto block = std::make_shared<Block>();
    block->image = NewImageBuffer(width, height);
    return overBlock(std::move(block));
}

SurfaceBands SurfaceBands::adopt(const QImage &picture)
{
    if (picture.isNull())
        return SurfaceBands();
    auto block = std::make_shared<Block>();
    block->image = picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    return overBlock(std::move(block));
}

void SurfaceBands::own(Band &b)
{
    if (b.image.isDetached() && (!b.block || b.block->image.isDetached())) {
        b.writable = true;
        return;
    }
    // Shared: a copy of our own before the first write.
    QImage copy(m_width, b.image.height(), QImage::Format_RGB32);
    const std::size_t rowBytes = std::size_t(m_width) * sizeof(std::uint32_t);
    for (int y = 0; y < copy.height(); ++y)
        std::memcpy(copy.scanLine(y), b.constRow(y), rowBytes);
    b.image = std::move(copy);
    b.block.reset();
    b.bits = pixelsOf(b.image);
    b.stride = b.image.bytesPerLine() / qsizetype(sizeof(std::uint32_t));
    b.writable = true;
}

QImage SurfaceBands::picture() const
{
    if (isNull())
        return QImage();
    // Still the one block, band after band?
    const std::shared_ptr<Block> &block = m_bands.front().block;
    bool whole = block && block->image.size() == size();
    if (whole) {
        const uchar *base = block->image.constBits();
        const qsizetype bpl = block->image.bytesPerLine();
        for (std::size_t i = 0; whole && i < m_bands.size(); ++i)
            whole = m_bands[i].block == block &&
                    reinterpret_cast<const uchar *>(m_bands[i].bits) == base + qsizetype(i) * kBandRows * bpl;
    }
    if (whole) {
        forgetWritable();   // the caller may keep it
        return block->image;
    }
    QImage img = NewImageBuffer(m_width, m_height);
    const std::size_t rowBytes = std::size_t(m_width) * sizeof(std::uint32_t);
    for (int y = 0; y < m_height; ++y)
        std::memcpy(img.scanLine(y), constRow(y), rowBytes);
    return img;
}

std::uint32_t *SurfaceBands::contiguous(qsizetype *stride, bool keepPixels)
{
    if (isNull()) {
        *stride = 0;
        return nullptr;
    }
    const std::shared_ptr<Block> block = m_bands.front().block;
    bool whole = block && block->image.size() == size() && block->image.isDetached();
    if (whole) {
        const uchar *base = block->image.constBits();
        const qsizetype bpl = block->image.bytesPerLine();
        for (std::size_t i = 0; whole && i < m_bands.size(); ++i)
            whole = m_bands[i].block == block && m_bands[i].image.isDetached() &&
                    reinterpret_cast<const uchar *>(m_bands[i].bits) == base + qsizetype(i) * kBandRows * bpl;
    }
    if (!whole) {
        auto fresh = std::make_shared<Block>();
        fresh->image = NewImageBuffer(m_width, m_height);
        if (keepPixels) {
            const std::size_t rowBytes = std::size_t(m_width) * sizeof(std::uint32_t);
            for (int y = 0; y < m_height; ++y)
                std::memcpy(fresh->image.scanLine(y), constRow(y), rowBytes);
        }
        *this = overBlock(std::move(fresh));
    }
    for (Band &b : m_bands)
        b.writable = true;
    *stride = m_bands.front().stride;
    return m_bands.front().bits;
}

SurfaceBands::Band SurfaceBands::band(int i) const
{
    const Band &b = m_bands[std::size_t(i)];
    b.writable = false;
    Band copy = b;
    return copy;
}

void SurfaceBands::setBand(int i, const Band &band)
{
    Band &b = m_bands[std::size_t(i)];
    b = band;
    b.writable = false;
    band.writable = false;
}

bool SurfaceBands::sharesBand(const SurfaceBands &other, int i) const
{
    return i >= 0 && i < bandCount() && i < other.bandCount() && m_bands[std::size_t(i)].bits == other.m_bands[std::size_t(i)].bits;
}

int SurfaceBands::sharedBands(const SurfaceBands &other) const
{
    int n = 0;
    for (int i = 0; i < bandCount(); ++i)
        n += sharesBand(other, i) ? 1 : 0;
    return n;
}

} // namespace orv
