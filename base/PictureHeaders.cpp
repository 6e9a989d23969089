#include "base/PictureHeaders.h"
#include "base/HeaderReading.h"

namespace orv {

bool CheckedMul(qint64 a, qint64 b, qint64 *out)
{
    qint64 r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        return false;
    *out = r;
    return true;
}

bool CheckedAdd(qint64 a, qint64 b, qint64 *out)
{
    qint64 r = 0;
    if (__builtin_add_overflow(a, b, &r))
        return false;
    *out = r;
    return true;
}

namespace headers {
namespace {

// --- bitmaps and icons ----------------------------------------------------------------------------

// The fields of a device-independent bitmap's info header that say where its pixels lie and how
// many there are: the full layout (40 bytes and its longer versions) or the old 12-byte core one.
struct InfoHeader {
    qint64 size = 0;
    qint64 width = 0;
    qint64 height = 0;
    quint32 planes = 0;
    quint32 bits = 0;
    quint32 compression = 0;
    quint32 imageBytes = 0;
    quint32 coloursUsed = 0;
};

InfoHeader readInfoHeader(const QByteArray &b, qint64 at, bool full)
{
    InfoHeader h;
    h.size = le32(b, at);
    if (full) {
        h.width = qint32(le32(b, at + 4));
        h.height = qint32(le32(b, at + 8));
        h.planes = le16(b, at + 12);
        h.bits = le16(b, at + 14);
        h.compression = le32(b, at + 16);
        h.imageBytes = le32(b, at + 20);
        h.coloursUsed = le32(b, at + 32);
    } else {
        h.width = qint16(le16(b, at + 4));
        h.height = qint16(le16(b, at + 6));
        h.planes = le16(b, at + 8);
        h.bits = le16(b, at + 10);
    }
    return h;
}

bool depthKnown(qint64 bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The entries of the colour table (none above 8 bits); false with the refusal in `f` when the
// table is larger than the reader takes. `what` names the picture in the message ("bitmap").
bool colourTable(qint64 bits, qint64 coloursUsed, const QString &what, qint64 &colours, HeaderFacts &f)
{
    colours = bits <= 8 ? (coloursUsed ? coloursUsed : qint64(1) << bits) : 0;
    if (colours <= 256)
        return true;
    f = refuse(QStringLiteral("The %1's colour table is larger than 256 colours.").arg(what));
    return false;
}

// Bytes of one row of pixels: whole 32-bit words.
qint64 rowBytes(qint64 width, qint64 bits)
{
    return mulAdd(width, bits, 31) / 32 * 4;
}

// Walks the run-length data the way the reader decodes it and refuses runs that leave their row,
// moves that leave the picture and data that ends before the picture does.
QString checkRunLength(QIODevice &d, qint64 from, qint64 w, qint64 h, bool fourBit)
{
    ByteStream s(d, from);
    const QString ended = QStringLiteral("The run-length data ends before the picture is complete.");
    const QString pastRow = QStringLiteral("A run of the run-length data goes past the end of its row.");
    qint64 x = 0;
    qint64 y = 0;
    while (y < h) {
        uchar b = 0;
        if (!s.get(b))
            return ended;
        if (b != 0) {   // a run of one colour (two alternating ones in 4-bit data)
            uchar colour = 0;
            if (x + b > w)
                return pastRow;
            if (!s.get(colour))
                return ended;
            x += b;
            continue;
        }
        uchar code = 0;
        if (!s.get(code))
            return ended;
        if (code == 1)          // end of the picture
            break;
        if (code == 0) {        // end of the row
            x = 0;
            ++y;
        } else if (code == 2) { // move right and down
            uchar dx = 0;
            uchar dy = 0;
            if (!s.get(dx) || !s.get(dy))
                return ended;
            x += dx;
            y += dy;
            if (x > w || y > h)
                return QStringLiteral("A move of the run-length data leaves the picture.");
        } else {                // `code` literal pixels, padded to a whole word
            if (x + code > w)
                return pastRow;
            const qint64 bytes = fourBit ? (code + 1) / 2 : code;
            const qint64 pad = fourBit ? ((((code & 3) + 1) & 2) == 2 ? 1 : 0) : (code & 1);
            if (!s.skip(bytes + pad))
                return ended;
            x += code;
        }
    }
    return {};
}

HeaderFacts checkBitmap(QIODevice &d, bool withFileHeader, const HeaderLimits &limits)
{
    const qint64 fileSize = d.size();
    const qint64 base = withFileHeader ? 14 : 0;
    const QByteArray head = bytesAt(d, 0, base + 124);
    if (head.size() < base + 4)
        return refuse(QStringLiteral("The bitmap file ends inside its header."));
    const qint64 offBits = withFileHeader ? qint64(le32(head, 10)) : 0;
    const qint64 infoSize = le32(head, base);
    // The reader takes exactly these sizes as the full info header and any other as the core one.
    const bool full = infoSize == 40 || infoSize == 64 || infoSize == 108 || infoSize == 124;
    if (head.size() < base + (full ? 40 : 12))
        return refuse(QStringLiteral("The bitmap file ends inside its header."));
    const InfoHeader info = readInfoHeader(head, base, full);
    const quint32 bits = info.bits;
    const quint32 compression = info.compression;

    const bool rle8 = compression == 1 && bits == 8;
    const bool rle4 = compression == 2 && bits == 4;
    const bool bitfields = compression == 3 && (bits == 16 || bits == 32);
    if (!depthKnown(bits) || info.planes != 1 || !(compression == 0 || rle8 || rle4 || bitfields))
        return refuse(QStringLiteral("The bitmap uses a depth or compression the reader does not take."));
    HeaderFacts f;
    // A negative height marks rows stored top-down; the picture is as high as its magnitude.
    const qint64 height = info.height;
    if (sizeRefused(info.width, height == std::numeric_limits<qint32>::min() ? 0 : std::abs(height), limits, f,
                    QStringLiteral("bitmap")))
        return f;
    const qint64 h = f.size.height();
    f.format = bits == 1 ? QImage::Format_Mono : bits <= 8 ? QImage::Format_Indexed8 : QImage::Format_RGB32;

    // Where the reader finds the masks, the colour table and the rows. Readers of this format
    // have placed the colour table either right after the declared header size or after the
    // fields they know; the later of the two is taken, so that no row can be read from beyond
    // the end of the file.
    const qint64 known = infoSize >= 108 ? 40 : infoSize;
    qint64 afterHeader = std::max(add(base, infoSize), base + known);
    if (infoSize >= 108)
        afterHeader = std::max(afterHeader, base + (infoSize == 124 ? 124 : 108));
    if (bitfields) {
        const qint64 masksAt = infoSize >= 108 ? base + 40 : add(base, infoSize);
        if (infoSize < 108)
            afterHeader = add(afterHeader, 12);
        const QByteArray masks = bytesAt(d, masksAt, 12);
        if (masks.size() < 12)
            return refuse(QStringLiteral("The bitmap file ends inside its colour masks."));
        for (int i = 0; i < 3; ++i) {
            const quint32 mask = le32(masks, 4 * i);
            if (mask == 0 || mask == 0xFFFFFFFFu)
                return refuse(QStringLiteral("A colour mask of the bitmap is empty or covers every bit."));
        }
    }
    qint64 colours = 0;
    if (!colourTable(bits, info.coloursUsed, QStringLiteral("bitmap"), colours, f))
        return f;
    const qint64 afterColours = mulAdd(colours, infoSize == 12 ? 3 : 4, afterHeader);

    qint64 dataStart = afterColours;
    if (withFileHeader) {
        dataStart = std::max(dataStart, offBits);
    } else if (info.imageBytes > 0 && info.imageBytes < fileSize) {
        dataStart = std::max(dataStart, fileSize - info.imageBytes);
    }
    if (afterColours >= fileSize)
        return refuse(CutOff);

    if (rle8 || rle4) {
        const QString why = checkRunLength(d, dataStart, info.width, h, rle4);
        if (!why.isEmpty())
            return refuse(why);
        f.clearFirst = true;   // pixels the runs skip are left to whatever the buffer held
        return f;
    }
    if (mulAdd(rowBytes(info.width, bits), h, dataStart) > fileSize)
        return refuse(CutOff);
    return f;
}

// The directory and the first picture (the one the reader decodes): where it lies and how big
// the bitmap or PNG stored there says it is.
HeaderFacts checkIcon(QIODevice &d, const HeaderLimits &limits)
{
    const qint64 fileSize = d.size();
    const QByteArray head = bytesAt(d, 0, 22);
    if (head.size() < 22)
        return refuse(QStringLiteral("The icon file ends inside its directory."));
    const qint64 count = le16(head, 4);
    const qint64 directoryEnd = 6 + 16 * count;
    if (count == 0 || directoryEnd > fileSize)
        return refuse(QStringLiteral("The icon file's directory is damaged."));
    const qint64 bytes = le32(head, 6 + 8);
    const qint64 offset = le32(head, 6 + 12);
    if (offset < directoryEnd || add(offset, bytes) > fileSize || bytes < 40)
        return refuse(QStringLiteral("The icon file's directory points outside the file."));
    const QByteArray inner = bytesAt(d, offset, 40);
    d.seek(0);
    if (inner.size() < 40)
        return refuse(CutOff);
    HeaderFacts f;
    if (inner.startsWith("\x89PNG\r\n\x1a\n")) {
        sizeRefused(be32(inner, 16), be32(inner, 20), limits, f, QStringLiteral("icon"));
        return f;
    }
    const InfoHeader info = readInfoHeader(inner, 0, true);
    const qint64 h = info.height / 2;   // the height counts the colour rows and the mask rows
    const qint64 bits = info.bits ? qint64(info.bits) : qint64(le16(head, 6 + 6));
    if (sizeRefused(info.width, h, limits, f, QStringLiteral("icon")))
        return f;
    if (!depthKnown(bits))
        return refuse(QStringLiteral("The icon's bitmap has a depth the reader does not take."));
    qint64 colours = 0;
    if (!colourTable(bits, info.coloursUsed, QStringLiteral("icon"), colours, f))
        return f;
    const qint64 pixelsAt = mulAdd(colours, 4, add(offset, info.size));
    if (mulAdd(rowBytes(info.width, bits), h, pixelsAt) > fileSize)
        return refuse(CutOff);
    return f;
}

} // namespace
} // namespace headers

HeaderFacts CheckPictureHeader(const QByteArray &format, QIODevice &device, const HeaderLimits &limits)
{
    using namespace headers;
    HeaderFacts f;
    if (format == "bmp" || format == "dib")
        f = checkBitmap(device, format == "bmp", limits);
    else if (format == "jpeg" || format == "jpg")
        f = checkJpeg(device, limits);
    else if (format == "gif")
        f = checkGif(device, limits);
    else if (format == "ico" || format == "cur")
        f = checkIcon(device, limits);
    else if (format == "icns")
        f = checkIcns(device);
    else if (format == "tga")
        f = checkTga(device, limits);
    else if (format == "wbmp")
        f = checkWbmp(device, limits);
    else if (format == "pbm" || format == "pgm" || format == "ppm")
        f = checkPnm(device, limits);
    else if (format == "xbm")
        f = checkXbm(device, limits);
    device.seek(0);
    return f;
}

} // namespace orv
