// The header checks of JPEG, GIF, Apple icons, TGA, WBMP, the portable bitmaps and XBM.
#include "base/HeaderReading.h"

namespace orv::headers {

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

namespace {

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

} // namespace

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

} // namespace orv::headers
