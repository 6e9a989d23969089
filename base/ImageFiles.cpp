#include "base/ImageFiles.h"

#include "base/FileChecks.h"

#include <QSaveFile>
#include <cstring>
#include <limits>
#include <vector>

namespace orv {

namespace {

constexpr qint64 HeaderBytes = 14 + 40;

void put16(uchar *p, quint16 v)
{
    p[0] = uchar(v & 0xFF);
    p[1] = uchar(v >> 8);
}

void put32(uchar *p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uchar((v >> (8 * i)) & 0xFF);
}

qint64 rowBytesOf(int width)
{
    return (qint64(width) * 3 + 3) & ~qint64(3);
}

// The picture as 32-bit pixels, the way the rows are read below (no copy for the program's own
// surfaces, which are RGB32 already).
QImage asRgb32(const QImage &picture)
{
    if (picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32)
        return picture;
    return picture.convertToFormat(QImage::Format_RGB32);
}

void writeHeader(uchar *p, int w, int h)
{
    const qint64 pixelBytes = rowBytesOf(w) * h;
    p[0] = 'B';
    p[1] = 'M';
    put32(p + 2, quint32(HeaderBytes + pixelBytes));
    put16(p + 6, 0);
    put16(p + 8, 0);
    put32(p + 10, quint32(HeaderBytes));
    put32(p + 14, 40);
    put32(p + 18, quint32(w));
    put32(p + 22, quint32(h));            // positive height: rows stored bottom-up
    put16(p + 26, 1);
    put16(p + 28, 24);
    put32(p + 30, 0);                     // no compression
    put32(p + 34, quint32(pixelBytes));
    put32(p + 38, 3780);                  // 96 dpi
    put32(p + 42, 3780);
    put32(p + 46, 0);
    put32(p + 50, 0);
}

// One bitmap row (blue, green, red; padded with zeros to four bytes) of picture row y.
void encodeRow(const QImage &img, int y, uchar *dst, qint64 rowBytes)
{
    const auto *src = reinterpret_cast<const quint32 *>(img.constScanLine(y));
    const int w = img.width();
    for (int x = 0; x < w; ++x) {
        const quint32 px = src[x];
        dst[0] = uchar(px & 0xFF);
        dst[1] = uchar((px >> 8) & 0xFF);
        dst[2] = uchar((px >> 16) & 0xFF);
        dst += 3;
    }
    for (qint64 i = qint64(w) * 3; i < rowBytes; ++i)
        *dst++ = 0;
}

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

// Writes all of `bytes` or reports why not: a short write (a full disk) is an error, not a
// partial success.
bool writeAll(QSaveFile &file, const uchar *bytes, qint64 size, QString *error)
{
    qint64 done = 0;
    while (done < size) {
        const qint64 n = file.write(reinterpret_cast<const char *>(bytes) + done, size - done);
        if (n <= 0)
            return fail(error, file.errorString());
        done += n;
    }
    return true;
}

} // namespace

bool BitmapFileFits(QSize size)
{
    if (size.width() <= 0 || size.height() <= 0)
        return false;
    return HeaderBytes + rowBytesOf(size.width()) * size.height() <= qint64(std::numeric_limits<qint32>::max());
}

bool SavePicture(const QImage &picture, const QString &path, QString *error)
{
    if (picture.isNull())
        return fail(error, QStringLiteral("There is no picture to save."));
    if (!BitmapFileFits(picture.size()))
        return fail(error, QStringLiteral("The picture is too large for a bitmap file."));
    if (!CheckSaveTarget(path, error))
        return false;

    const QImage img = asRgb32(picture);
    const int w = img.width();
    const int h = img.height();
    const qint64 rowBytes = rowBytesOf(w);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(error, file.errorString());

    // The rows are encoded into a buffer of about 1 MiB and written from it, bottom row first:
    // one pass over the pixels, and no copy of the whole file in memory.
    const int rowsPerChunk = int(std::max<qint64>(1, (qint64(1) << 20) / rowBytes));
    std::vector<uchar> chunk(std::size_t(std::max<qint64>(HeaderBytes, rowBytes * std::min(rowsPerChunk, h))));
    writeHeader(chunk.data(), w, h);
    bool ok = writeAll(file, chunk.data(), HeaderBytes, error);
    for (int y = h - 1; ok && y >= 0;) {
        uchar *dst = chunk.data();
        const int rows = std::min(rowsPerChunk, y + 1);
        for (int i = 0; i < rows; ++i, --y, dst += rowBytes)
            encodeRow(img, y, dst, rowBytes);
        ok = writeAll(file, chunk.data(), rowBytes * rows, error);
    }
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    // The old file is replaced only here, once every byte reached the new one.
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

} // namespace orv
