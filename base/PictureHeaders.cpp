#include "base/PictureHeaders.h"

#include <QIODevice>
#include <QtEndian>

#include <limits>

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

namespace {

constexpr qint64 Huge = std::numeric_limits<qint64>::max();

// a * b + c, or Huge when that overflows: sizes past any file's size compare as too large.
qint64 mulAdd(qint64 a, qint64 b, qint64 c = 0)
{
    qint64 m = 0;
    qint64 r = 0;
    if (!CheckedMul(a, b, &m) || !CheckedAdd(m, c, &r))
        return Huge;
    return r;
}

qint64 add(qint64 a, qint64 b)
{
    qint64 r = 0;
    return CheckedAdd(a, b, &r) ? r : Huge;
}

// Reads a device forward through a buffer, skipping without reading where it can.
class ByteStream {
public:
    ByteStream(QIODevice &device, qint64 from) : m_device(device), m_next(from) {}

    qint64 pos() const { return m_next; }

    bool get(uchar &c)
    {
        if (m_at >= m_buffer.size() && !fill())
            return false;
        c = uchar(m_buffer[m_at++]);
        ++m_next;
        return true;
    }

    bool read(uchar *to, int n)
    {
        for (int i = 0; i < n; ++i) {
            if (!get(to[i]))
                return false;
        }
        return true;
    }

    bool le16(quint32 &v)
    {
        uchar b[2];
        if (!read(b, 2))
            return false;
        v = quint32(b[0]) | quint32(b[1]) << 8;
        return true;
    }

    bool be16(quint32 &v)
    {
        uchar b[2];
        if (!read(b, 2))
            return false;
        v = quint32(b[0]) << 8 | quint32(b[1]);
        return true;
    }

    // Moves forward n bytes; false when that passes the end of the device.
    bool skip(qint64 n)
    {
        const qint64 inBuffer = m_buffer.size() - m_at;
        if (n <= inBuffer) {
            m_at += int(n);
            m_next += n;
            return true;
        }
        m_next = add(m_next, n);
        m_buffer.clear();
        m_at = 0;
        return m_next <= m_device.size();
    }

private:
    bool fill()
    {
        if (m_next >= m_device.size() || !m_device.seek(m_next))
            return false;
        m_buffer = m_device.read(64 * 1024);
        m_at = 0;
        return !m_buffer.isEmpty();
    }

    QIODevice &m_device;
    QByteArray m_buffer;
    int m_at = 0;
    qint64 m_next;   // file position of the next byte
};

QByteArray bytesAt(QIODevice &d, qint64 at, qint64 n)
{
    if (at < 0 || at >= d.size() || !d.seek(at))
        return {};
    return d.read(n);
}

quint32 le32(const QByteArray &b, qint64 at)
{
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar *>(b.constData()) + at);
}

quint32 le16(const QByteArray &b, qint64 at)
{
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar *>(b.constData()) + at);
}

quint32 be32(const QByteArray &b, qint64 at)
{
    return qFromBigEndian<quint32>(reinterpret_cast<const uchar *>(b.constData()) + at);
}

HeaderFacts refuse(const QString &why)
{
    HeaderFacts f;
    f.refusal = why;
    return f;
}

QString tooLarge(const HeaderLimits &limits)
{
    return QStringLiteral("The picture is larger than %1 x %1 pixels.").arg(limits.maxSide);
}

// Width and height as decoded: both at least 1 and at most the largest side.
bool sizeRefused(qint64 w, qint64 h, const HeaderLimits &limits, HeaderFacts &f, const QString &what)
{
    if (w <= 0 || h <= 0) {
        f = refuse(QStringLiteral("The %1 has no pixels (its width or height is zero).").arg(what));
        return true;
    }
    if (w > limits.maxSide || h > limits.maxSide) {
        f = refuse(tooLarge(limits));
        return true;
    }
    f.size = QSize(int(w), int(h));
    return false;
}

const QString CutOff = QStringLiteral("The file is cut off before the end of its pixels.");

// --- bitmaps ------------------------------------------------------------------------------------

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

    qint64 width = 0;
    qint64 height = 0;
    quint32 planes = 0;
    quint32 bits = 0;
    quint32 compression = 0;
    quint32 imageBytes = 0;
    quint32 coloursUsed = 0;
    if (full) {
        width = qint32(le32(head, base + 4));
        height = qint32(le32(head, base + 8));
        planes = le16(head, base + 12);
        bits = le16(head, base + 14);
        compression = le32(head, base + 16);
        imageBytes = le32(head, base + 20);
        coloursUsed = le32(head, base + 32);
    } else {
        width = qint16(le16(head, base + 4));
        height = qint16(le16(head, base + 6));
        planes = le16(head, base + 8);
        bits = le16(head, base + 10);
    }

    const bool bitsKnown = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    const bool rle8 = compression == 1 && bits == 8;
    const bool rle4 = compression == 2 && bits == 4;
    const bool bitfields = compression == 3 && (bits == 16 || bits == 32);
    if (!bitsKnown || planes != 1 || !(compression == 0 || rle8 || rle4 || bitfields))
        return refuse(QStringLiteral("The bitmap uses a depth or compression the reader does not take."));
    HeaderFacts f;
    // A negative height marks rows stored top-down; the picture is as high as its magnitude.
    if (sizeRefused(width, height == std::numeric_limits<qint32>::min() ? 0 : std::abs(height), limits, f,
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
    const qint64 colours = bits <= 8 ? (coloursUsed ? qint64(coloursUsed) : qint64(1) << bits) : 0;
    if (colours > 256)
        return refuse(QStringLiteral("The bitmap's colour table is larger than 256 colours."));
    const qint64 afterColours = mulAdd(colours, infoSize == 12 ? 3 : 4, afterHeader);

    qint64 dataStart = afterColours;
    if (withFileHeader) {
        dataStart = std::max(dataStart, offBits);
    } else if (imageBytes > 0 && imageBytes < fileSize) {
        dataStart = std::max(dataStart, fileSize - imageBytes);
    }
    if (afterColours >= fileSize)
        return refuse(CutOff);

    if (rle8 || rle4) {
        const QString why = checkRunLength(d, dataStart, width, h, rle4);
        if (!why.isEmpty())
            return refuse(why);
        f.clearFirst = true;   // pixels the runs skip are left to whatever the buffer held
        return f;
    }
    const qint64 rowBytes = mulAdd(width, bits, 31) / 32 * 4;
    if (mulAdd(rowBytes, h, dataStart) > fileSize)
        return refuse(CutOff);
    return f;
}

// --- JPEG -----------------------------------------------------------------------------------------

// Walks the markers of the whole file: the frame's size and the number of scans. A progressive
// picture is decoded scan by scan over all its pixels, so the scans decide its cost.
HeaderFacts checkJpeg(QIODevice &d, const HeaderLimits &limits)
{
    ByteStream s(d, 0);
    uchar a = 0;
    uchar b = 0;
    if (!s.get(a) || !s.get(b) || a != 0xFF || b != 0xD8)
        return refuse(QStringLiteral("The file is not a JPEG picture."));
    HeaderFacts f;
    bool haveFrame = false;
    int scans = 0;
    for (;;) {
        // The next marker: fill bytes and anything before them are passed over.
        uchar c = 0;
        do {
            if (!s.get(c))
                return f;
        } while (c != 0xFF);
        do {
            if (!s.get(c))
                return f;
        } while (c == 0xFF);
        if (c == 0x00 || c == 0x01 || (c >= 0xD0 && c <= 0xD7))
            continue;   // stuffed byte, or a marker without length
        if (c == 0xD9)
            break;      // end of the picture
        quint32 length = 0;
        if (!s.be16(length) || length < 2)
            return refuse(QStringLiteral("The JPEG file is damaged."));
        const bool frame = c >= 0xC0 && c <= 0xCF && c != 0xC4 && c != 0xC8 && c != 0xCC;
        if (frame && !haveFrame) {
            uchar precision = 0;
            quint32 height = 0;
            quint32 width = 0;
            if (length < 8 || !s.get(precision) || !s.be16(height) || !s.be16(width))
                return refuse(QStringLiteral("The JPEG file ends inside its frame header."));
            if (sizeRefused(width, height, limits, f, QStringLiteral("JPEG picture")))
                return f;
            haveFrame = true;
            if (!s.skip(length - 7))
                return f;
            continue;
        }
        if (c == 0xDA && ++scans > limits.maxScans)
            return refuse(QStringLiteral("The JPEG picture has more than %1 scans; decoding it would take far too long.")
                              .arg(limits.maxScans));
        if (!s.skip(length - 2))
            return f;
    }
    d.seek(0);
    return f;
}

// --- GIF ------------------------------------------------------------------------------------------

HeaderFacts checkGif(QIODevice &d, const HeaderLimits &limits)
{
    const QByteArray head = bytesAt(d, 0, 13);
    if (head.size() < 13)
        return refuse(QStringLiteral("The GIF file ends inside its header."));
    HeaderFacts f;
    if (sizeRefused(le16(head, 6), le16(head, 8), limits, f, QStringLiteral("GIF picture")))
        return f;
    const uchar flags = uchar(head[10]);
    ByteStream s(d, 13);
    if ((flags & 0x80) && !s.skip(qint64(3) << ((flags & 7) + 1)))
        return refuse(QStringLiteral("The GIF file ends inside its colour table."));
    // Up to the first picture of the file: the one the reader decodes.
    for (;;) {
        uchar block = 0;
        if (!s.get(block))
            return refuse(QStringLiteral("The GIF file ends before its first picture."));
        if (block == 0x21) {            // an extension: label, then sub-blocks
            uchar label = 0;
            uchar n = 0;
            if (!s.get(label))
                return refuse(QStringLiteral("The GIF file ends before its first picture."));
            do {
                if (!s.get(n) || !s.skip(n))
                    return refuse(QStringLiteral("The GIF file ends before its first picture."));
            } while (n != 0);
        } else if (block == 0x2C) {     // the picture's descriptor
            uchar desc[9];
            if (!s.read(desc, 9))
                return refuse(QStringLiteral("The GIF file ends inside a picture descriptor."));
            const quint32 w = quint32(desc[4]) | quint32(desc[5]) << 8;
            const quint32 h = quint32(desc[6]) | quint32(desc[7]) << 8;
            if (w == 0 || h == 0)
                return refuse(QStringLiteral("The GIF picture has no pixels (its width or height is zero)."));
            break;
        } else {
            return refuse(QStringLiteral("The GIF file holds no picture, or is damaged."));
        }
    }
    d.seek(0);
    return f;
}

// --- icons and cursors ------------------------------------------------------------------------

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
    const qint64 infoSize = le32(inner, 0);
    const qint64 w = qint32(le32(inner, 4));
    const qint64 h2 = qint32(le32(inner, 8));   // the colour rows and the mask rows
    qint64 bits = le16(inner, 14);
    if (bits == 0)
        bits = le16(head, 6 + 6);
    const qint64 coloursUsed = le32(inner, 32);
    if (sizeRefused(w, h2 / 2, limits, f, QStringLiteral("icon")))
        return f;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return refuse(QStringLiteral("The icon's bitmap has a depth the reader does not take."));
    const qint64 colours = bits <= 8 ? (coloursUsed ? coloursUsed : qint64(1) << bits) : 0;
    if (colours > 256)
        return refuse(QStringLiteral("The icon's colour table is larger than 256 colours."));
    const qint64 rowBytes = mulAdd(w, bits, 31) / 32 * 4;
    const qint64 pixelsAt = mulAdd(colours, 4, add(offset, infoSize));
    if (mulAdd(rowBytes, h2 / 2, pixelsAt) > fileSize)
        return refuse(CutOff);
    return f;
}

// --- Apple icons ------------------------------------------------------------------------------------

// The file is a list of elements (a four-letter type, then its length in bytes with the eight
// header bytes included); the table of contents, when present, announces the length of every
// other element again. The reader allocates what a length announces before it reads, so every
// length must fit in the file.
HeaderFacts checkIcns(QIODevice &d)
{
    const qint64 fileSize = d.size();
    const QByteArray head = bytesAt(d, 0, 8);
    const QString damaged = QStringLiteral("The icon file's list of pictures is damaged.");
    if (head.size() < 8 || !head.startsWith("icns"))
        return refuse(damaged);
    const qint64 total = be32(head, 4);
    if (total < 8 || total > fileSize)
        return refuse(CutOff);
    for (qint64 at = 8; at + 8 <= total;) {
        const QByteArray element = bytesAt(d, at, 8);
        const qint64 length = element.size() == 8 ? be32(element, 4) : 0;
        if (length < 8 || add(at, length) > total)
            return refuse(damaged);
        if (element.startsWith("TOC ")) {
            const QByteArray toc = bytesAt(d, at + 8, length - 8);
            if (toc.size() != length - 8)
                return refuse(CutOff);
            for (qint64 i = 0; i + 8 <= toc.size(); i += 8) {
                const qint64 announced = be32(toc, i + 4);
                if (announced < 8 || announced > total)
                    return refuse(damaged);
            }
        }
        at += length;
    }
    return {};
}

// --- TGA, WBMP, PNM -------------------------------------------------------------------------------

HeaderFacts checkTga(QIODevice &d, const HeaderLimits &limits)
{
    const QByteArray head = bytesAt(d, 0, 18);
    d.seek(0);
    if (head.size() < 18)
        return refuse(QStringLiteral("The TGA file ends inside its header."));
    HeaderFacts f;
    if (sizeRefused(le16(head, 12), le16(head, 14), limits, f, QStringLiteral("TGA picture")))
        return f;
    const int type = uchar(head[2]);
    if (type == 1 || type == 2 || type == 3) {   // uncompressed
        const qint64 colourMap = head[1] ? qint64(le16(head, 5)) * ((uchar(head[7]) + 7) / 8) : 0;
        const qint64 pixelBytes = (uchar(head[16]) + 7) / 8;
        const qint64 need = mulAdd(qint64(f.size.width()) * f.size.height(), pixelBytes, 18 + uchar(head[0]) + colourMap);
        if (need > d.size())
            return refuse(CutOff);
    }
    return f;
}

bool multiByteInt(ByteStream &s, qint64 &value)
{
    value = 0;
    for (int i = 0; i < 5; ++i) {
        uchar c = 0;
        if (!s.get(c))
            return false;
        value = (value << 7) | (c & 0x7F);
        if (!(c & 0x80))
            return true;
    }
    return false;
}

HeaderFacts checkWbmp(QIODevice &d, const HeaderLimits &limits)
{
    ByteStream s(d, 0);
    qint64 type = 0;
    qint64 w = 0;
    qint64 h = 0;
    uchar fixed = 0;
    const bool read = multiByteInt(s, type) && s.get(fixed) && multiByteInt(s, w) && multiByteInt(s, h);
    const qint64 dataStart = s.pos();
    d.seek(0);
    if (!read || type != 0)
        return refuse(QStringLiteral("The file is not a WBMP picture."));
    HeaderFacts f;
    if (sizeRefused(w, h, limits, f, QStringLiteral("WBMP picture")))
        return f;
    if (mulAdd((w + 7) / 8, h, dataStart) > d.size())
        return refuse(CutOff);
    return f;
}

HeaderFacts checkPnm(QIODevice &d, const HeaderLimits &limits)
{
    ByteStream s(d, 0);
    uchar p = 0;
    uchar kind = 0;
    if (!s.get(p) || !s.get(kind) || p != 'P' || kind < '1' || kind > '6')
        return refuse(QStringLiteral("The file is not a portable bitmap."));
    const bool hasMax = kind != '1' && kind != '4';
    qint64 values[3] = {0, 0, 1};
    uchar c = 0;
    bool haveNext = s.get(c);
    for (int i = 0; i < (hasMax ? 3 : 2); ++i) {
        // Blanks and comments, then decimal digits.
        for (;;) {
            if (!haveNext)
                return refuse(QStringLiteral("The portable bitmap ends inside its header."));
            if (c == '#') {
                while ((haveNext = s.get(c)) && c != '\n' && c != '\r') {
                }
            } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
                haveNext = s.get(c);
            } else {
                break;
            }
        }
        if (c < '0' || c > '9')
            return refuse(QStringLiteral("The portable bitmap's header is damaged."));
        qint64 v = 0;
        while (haveNext && c >= '0' && c <= '9') {
            v = std::min<qint64>(v * 10 + (c - '0'), qint64(1) << 40);
            haveNext = s.get(c);
        }
        values[i] = v;
    }
    // The pixels start after the one blank that ends the header.
    const qint64 dataStart = s.pos();
    d.seek(0);
    HeaderFacts f;
    if (sizeRefused(values[0], values[1], limits, f, QStringLiteral("portable bitmap")))
        return f;
    if (values[2] <= 0 || values[2] > 0xFFFF)
        return refuse(QStringLiteral("The portable bitmap's largest value is out of range."));
    const qint64 pixels = qint64(f.size.width()) * f.size.height();
    const qint64 sample = values[2] > 255 ? 2 : 1;
    const qint64 remaining = d.size() - dataStart;
    bool enough = true;
    switch (kind) {
    case '1': enough = pixels <= remaining + 1; break;            // one digit per pixel at least
    case '2': enough = pixels <= (remaining + 2) / 2; break;      // digit and blank
    case '3': enough = pixels <= (remaining + 2) / 6; break;      // three of them
    case '4': enough = (values[0] + 7) / 8 * values[1] <= remaining; break;
    case '5': enough = pixels * sample <= remaining; break;
    case '6': enough = pixels * sample * 3 <= remaining; break;
    }
    if (!enough)
        return refuse(CutOff);
    return f;
}

// --- XBM ----------------------------------------------------------------------------------------

// The two size lines ("#define name_width 16", "#define name_height 16"). The reader finds out
// whether it takes a file by decoding all of it, so the size is checked against the file here
// first: every eight pixels of a row are a number such as "0x0," (at least three characters).
HeaderFacts checkXbm(QIODevice &d, const HeaderLimits &limits)
{
    const QByteArray head = bytesAt(d, 0, 512);
    qint64 values[2] = {-1, -1};
    for (const QByteArray &line : head.split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() != 3 || words[0] != "#define")
            continue;
        const int which = words[1].endsWith("_width") ? 0 : words[1].endsWith("_height") ? 1 : -1;
        bool ok = false;
        const qint64 v = words[2].toLongLong(&ok);
        if (which >= 0 && values[which] < 0 && ok)
            values[which] = v;
    }
    HeaderFacts f;
    if (values[0] < 0 || values[1] < 0)
        return f;   // the reader decides
    if (sizeRefused(values[0], values[1], limits, f, QStringLiteral("XBM picture")))
        return f;
    if (mulAdd((values[0] + 7) / 8 * 3, values[1]) > d.size())
        return refuse(CutOff);
    return f;
}

} // namespace

HeaderFacts CheckBitmapHeader(QIODevice &device, bool withFileHeader, const HeaderLimits &limits)
{
    HeaderFacts f = checkBitmap(device, withFileHeader, limits);
    device.seek(0);
    return f;
}

HeaderFacts CheckPictureHeader(const QByteArray &format, QIODevice &device, const HeaderLimits &limits)
{
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
