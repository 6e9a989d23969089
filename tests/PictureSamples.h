// Picture files made byte by byte for the file tests and the fuzzing seeds: small valid files of
// every kind the editor opens, and hostile ones (headers that lie, runs that overflow, bombs).
#pragma once

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>

namespace orvsamples {

struct Sample {
    QString name;        // file name with the extension the file is opened under
    QByteArray bytes;
};

inline void put16(QByteArray &b, int at, quint32 v) { qToLittleEndian<quint16>(quint16(v), reinterpret_cast<uchar *>(b.data()) + at); }
inline void put32(QByteArray &b, int at, quint32 v) { qToLittleEndian<quint32>(v, reinterpret_cast<uchar *>(b.data()) + at); }
inline quint32 le32At(const QByteArray &b, int at) { return qFromLittleEndian<quint32>(reinterpret_cast<const uchar *>(b.constData()) + at); }
inline void add8(QByteArray &b, int v) { b.append(char(v & 0xFF)); }
inline void add8(QByteArray &b, std::initializer_list<int> v) { for (int x : v) add8(b, x); }
inline void add16(QByteArray &b, quint32 v) { add8(b, int(v)); add8(b, int(v >> 8)); }
inline void add32(QByteArray &b, quint32 v) { add16(b, v & 0xFFFF); add16(b, v >> 16); }
inline void add16(QByteArray &b, std::initializer_list<quint32> v) { for (quint32 x : v) add16(b, x); }
inline void add32(QByteArray &b, std::initializer_list<quint32> v) { for (quint32 x : v) add32(b, x); }
inline void add16be(QByteArray &b, quint32 v) { add8(b, int(v >> 8)); add8(b, int(v)); }
inline void add32be(QByteArray &b, quint32 v) { add16be(b, v >> 16); add16be(b, v & 0xFFFF); }

// Stripes, a gradient and a few flat areas (runs for run-length coding to find).
inline QImage samplePicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto *p = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            p[x] = (x / 4 + y / 3) % 3 == 0 ? qRgb(200, 30, 40) : qRgb((x * 17) & 0xFF, (y * 29) & 0xFF, ((x + y) * 7) & 0xFF);
    }
    return img;
}

struct BitmapSpec {
    int infoSize = 40;          // 12 core, 40, 64, 108, 124
    int bits = 24;
    int compression = 0;        // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
    int width = 16;
    int height = 12;            // negative: rows top-down
    quint32 masks[3] = {0, 0, 0};
};

// Pixel index of a picture pixel in a palette of `colours` entries (grey ramp palettes).
inline int paletteIndex(QRgb c, int colours) { return qGray(c) * colours / 256; }

// Rows bottom-up, each as runs of equal indices (encoded mode), then end of row; end of picture last.
inline QByteArray runLengthRows(const QImage &img, int bits)
{
    QByteArray out;
    const int colours = 1 << bits;
    for (int y = img.height() - 1; y >= 0; --y) {
        const auto *p = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        int x = 0;
        while (x < img.width()) {
            const int index = paletteIndex(p[x], colours);
            int n = 1;
            while (x + n < img.width() && n < 254 && paletteIndex(p[x + n], colours) == index)
                ++n;
            add8(out, {n, bits == 4 ? (index << 4 | index) : index});
            x += n;
        }
        add8(out, {0, 0});
    }
    add8(out, {0, 1});
    return out;
}

inline QByteArray bitmapFile(const BitmapSpec &s)
{
    const QImage img = samplePicture(s.width, std::abs(s.height));
    const int h = std::abs(s.height);
    const bool core = s.infoSize == 12;
    const int colours = s.bits <= 8 ? 1 << s.bits : 0;
    const bool masksAfter = s.compression == 3 && s.infoSize < 108;
    // The file size, the pixel offset and the image size are filled in at the end.
    QByteArray header("BM");
    add32(header, {0, 0, 0, quint32(s.infoSize)});
    if (core) {
        add16(header, {quint32(s.width), quint32(s.height), 1, quint32(s.bits)});
    } else {
        add32(header, {quint32(s.width), quint32(s.height)});
        add16(header, {1, quint32(s.bits)});
        add32(header, {quint32(s.compression), 0, 0, 0, quint32(colours)});
    }
    header.resize(14 + s.infoSize + (masksAfter ? 12 : 0), '\0');
    if (s.compression == 3)
        for (int i = 0; i < 3; ++i)
            put32(header, (s.infoSize >= 108 ? 54 : 14 + s.infoSize) + 4 * i, s.masks[i]);
    QByteArray palette;
    for (int i = 0; i < colours; ++i) {
        const int g = colours > 1 ? i * 255 / (colours - 1) : 0;
        add8(palette, {g, g, g});
        if (!core)
            add8(palette, 0);
    }
    QByteArray pixels;
    if (s.compression == 1 || s.compression == 2) {
        pixels = runLengthRows(img, s.bits);
    } else {
        const int rowBytes = (s.width * s.bits + 31) / 32 * 4;
        for (int r = 0; r < h; ++r) {
            const int y = s.height > 0 ? h - 1 - r : r;
            const auto *p = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            QByteArray row(rowBytes, '\0');
            auto *d = reinterpret_cast<uchar *>(row.data());
            for (int x = 0; x < s.width; ++x) {
                const QRgb c = p[x];
                switch (s.bits) {
                case 1: d[x / 8] |= uchar(paletteIndex(c, 2) << (7 - x % 8)); break;
                case 4: d[x / 2] |= uchar(paletteIndex(c, 16) << (x % 2 ? 0 : 4)); break;
                case 8: d[x] = uchar(paletteIndex(c, 256)); break;
                case 16: qToLittleEndian<quint16>(quint16((qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3), d + 2 * x); break;
                case 24: d[3 * x] = uchar(qBlue(c)); d[3 * x + 1] = uchar(qGreen(c)); d[3 * x + 2] = uchar(qRed(c)); break;
                case 32: qToLittleEndian<quint32>(c & 0xFFFFFF, d + 4 * x); break;
                }
            }
            pixels += row;
        }
    }
    QByteArray file = header + palette + pixels;
    put32(file, 2, quint32(file.size()));
    put32(file, 10, quint32(header.size() + palette.size()));
    if (!core)
        put32(file, 34, quint32(pixels.size()));
    return file;
}

// GIF: 8-bit codes without compression (a clear code before the table would grow).
inline QByteArray gifFile(int screenW, int screenH, int frameW, int frameH)
{
    QByteArray b("GIF89a");
    add16(b, {quint32(screenW), quint32(screenH)});
    add8(b, {0xF7, 0, 0});   // a global table of 256 colours
    for (int i = 0; i < 256; ++i)
        add8(b, {i, 255 - i, (i * 7) & 0xFF});
    add8(b, 0x2C);
    add16(b, {0, 0, quint32(frameW), quint32(frameH)});
    add8(b, {0, 8});   // minimum code size
    QByteArray data;
    quint32 acc = 0;
    int nbits = 0;
    auto code = [&](int c) {
        for (acc |= quint32(c) << nbits, nbits += 9; nbits >= 8; acc >>= 8, nbits -= 8)
            add8(data, int(acc & 0xFF));
    };
    code(256);
    for (int i = 0, run = 0; i < frameW * frameH; ++i) {
        if (++run == 250) {
            code(256);
            run = 1;
        }
        code((i * 13) % 256);
    }
    code(257);
    if (nbits > 0)
        add8(data, int(acc & 0xFF));
    for (int at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        add8(b, int(block.size()));
        b += block;
    }
    add8(b, {0, 0x3B});
    return b;
}

// The file a Qt image writer makes of `img` (-1: the writer's own quality and compression).
inline QByteArray written(const QImage &img, const char *format, int quality = -1, bool progressive = false, int compression = -1)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    QImageWriter w(&buf, format);
    w.setQuality(quality);
    w.setCompression(compression);
    w.setProgressiveScanWrite(progressive);
    return w.write(img) ? bytes : QByteArray();
}

inline QByteArray iconFile(int type, int w, int h, bool png)
{
    const QImage img = samplePicture(w, h);
    QByteArray image;
    if (png) {
        image = written(img, "PNG");
    } else {
        add32(image, {40, quint32(w), quint32(2 * h)});
        add16(image, {1, 32});
        image += QByteArray(24, '\0');
        for (int y = h - 1; y >= 0; --y) {
            const auto *p = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < w; ++x)
                add32(image, p[x] | 0xFF000000u);
        }
        image += QByteArray((w + 31) / 32 * 4 * h, '\0');   // the mask: everything shown
    }
    QByteArray b;
    add16(b, {0, quint32(type), 1});
    add8(b, {w & 0xFF, h & 0xFF, 0, 0});
    add16(b, {1, type == 2 ? 2u : 32u});   // planes and depth, or the hot spot of a cursor
    add32(b, {quint32(image.size()), 22});
    return b + image;
}

inline QByteArray tgaFile(int w, int h, int depth)
{
    QByteArray b(18, '\0');
    b[2] = char(depth == 8 ? 3 : 2);
    put16(b, 12, quint32(w));
    put16(b, 14, quint32(h));
    b[16] = char(depth);
    b[17] = char(depth == 32 ? 8 : 0);
    const QImage img = samplePicture(w, h);
    for (int y = h - 1; y >= 0; --y) {
        const auto *p = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            depth == 8 ? add8(b, qGray(p[x])) : add8(b, {qBlue(p[x]), qGreen(p[x]), qRed(p[x])});
            if (depth == 32)
                add8(b, 255);
        }
    }
    add32(b, {0, 0});   // the version 2 footer, without which the reader takes no file
    b += QByteArray("TRUEVISION-XFILE.", 18);
    return b;
}

// A progressive JPEG whose last scan is repeated `extra` more times: every copy is one more pass
// over all the picture's coefficients for the decoder.
inline QByteArray jpegWithScans(int w, int h, int extra)
{
    QImage flat(w, h, QImage::Format_RGB32);
    flat.fill(qRgb(120, 130, 140));
    const QByteArray jpeg = written(flat, "jpeg", 90, true);
    const qsizetype lastScan = jpeg.lastIndexOf("\xFF\xDA"), end = jpeg.lastIndexOf("\xFF\xD9");
    if (lastScan < 0 || end < lastScan)
        return {};
    const QByteArray scan = jpeg.mid(lastScan, end - lastScan);
    return jpeg.left(end) + scan.repeated(extra) + jpeg.mid(end);
}

inline QByteArray pngChunk(const char *type, const QByteArray &data)
{
    QByteArray body = QByteArray(type, 4) + data;
    QByteArray b;
    add32be(b, quint32(data.size()));
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : body) {
        crc ^= uchar(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    b += body;
    add32be(b, ~crc);
    return b;
}

// A 1-bit PNG of w x h whose rows are all zero: the compressed data is about a thousandth of the
// pixels' bytes. `rows` limits how many rows the data really holds (0: all of them).
inline QByteArray flatPng(int w, int h, int rows = 0)
{
    QByteArray ihdr;
    add32be(ihdr, quint32(w));
    add32be(ihdr, quint32(h));
    add8(ihdr, {1, 0, 0, 0, 0});   // bit depth 1, grey
    const qsizetype rowBytes = 1 + (qsizetype(w) + 7) / 8;
    const QByteArray raw(rowBytes * (rows > 0 ? rows : h), '\0');
    const QByteArray zlib = qCompress(raw, 9).mid(4);   // without Qt's length prefix
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", ihdr) + pngChunk("IDAT", zlib) + pngChunk("IEND", {});
}

// A grey TIFF of w x h with one strip of `dataBytes` bytes.
inline QByteArray tiffFile(quint32 w, quint32 h, quint32 dataBytes)
{
    QByteArray b("II*\0", 4);
    add32(b, 8);
    const quint32 tags[][3] = {{256, 4, w}, {257, 4, h}, {258, 3, 8}, {259, 3, 1}, {262, 3, 1},
                               {273, 4, 0}, {277, 3, 1}, {278, 4, h}, {279, 4, dataBytes}};
    const int n = int(sizeof(tags) / sizeof(tags[0]));
    add16(b, quint32(n));
    const quint32 dataAt = quint32(8 + 2 + 12 * n + 4);
    for (const auto &t : tags) {
        add16(b, {t[0], t[1]});
        add32(b, {1, t[0] == 273 ? dataAt : t[2]});
    }
    add32(b, 0);
    return b + QByteArray(int(dataBytes), '\x40');
}

// Valid files of every kind the editor opens.
inline QList<Sample> validSamples()
{
    QList<Sample> out;
    for (int bits : {1, 4, 8, 16, 24, 32})
        out.append({QStringLiteral("bmp-%1bit.bmp").arg(bits), bitmapFile(BitmapSpec{40, bits, 0, 13, 7, {}})});
    const QImage pic = samplePicture(24, 16);
    const QImage indexed = pic.convertToFormat(QImage::Format_Indexed8);
    const std::pair<const char *, QByteArray> files[] = {
        {"bmp-rle8.bmp", bitmapFile({40, 8, 1, 21, 9, {}})}, {"bmp-rle4.bmp", bitmapFile({40, 4, 2, 21, 9, {}})},
        {"bmp-bitfields16.bmp", bitmapFile({40, 16, 3, 11, 6, {0xF800, 0x07E0, 0x001F}})},
        {"bmp-bitfields32.bmp", bitmapFile({40, 32, 3, 11, 6, {0xFF0000, 0xFF00, 0xFF}})},
        {"bmp-v4-bitfields32.bmp", bitmapFile({108, 32, 3, 9, 5, {0xFF0000, 0xFF00, 0xFF}})},
        {"bmp-v5.bmp", bitmapFile({124, 24, 0, 9, 5, {}})}, {"bmp-os2v2.bmp", bitmapFile({64, 8, 0, 9, 5, {}})},
        {"bmp-core.bmp", bitmapFile({12, 8, 0, 9, 5, {}})}, {"bmp-core24.bmp", bitmapFile({12, 24, 0, 9, 5, {}})},
        {"bmp-topdown.bmp", bitmapFile({40, 24, 0, 9, -5, {}})}, {"bitmap.dib", bitmapFile({40, 8, 0, 9, 5, {}})},
        {"gif.gif", gifFile(19, 11, 19, 11)}, {"ico.ico", iconFile(1, 16, 16, false)}, {"ico-png.ico", iconFile(1, 16, 16, true)},
        {"cur.cur", iconFile(2, 16, 16, false)}, {"tga-24.tga", tgaFile(9, 5, 24)}, {"tga-32.tga", tgaFile(9, 5, 32)},
        {"tga-grey.tga", tgaFile(9, 5, 8)}, {"jpeg.jpg", written(pic, "jpeg", 80)}, {"jpeg-progressive.jpg", written(pic, "jpeg", 80, true)},
        {"jpeg-grey.jpg", written(pic.convertToFormat(QImage::Format_Grayscale8), "jpeg", 80)}, {"png.png", written(pic, "png")},
        {"png-alpha.png", written(pic.convertToFormat(QImage::Format_ARGB32), "png")}, {"png-indexed.png", written(indexed, "png")},
        {"png-16bit.png", written(pic.convertToFormat(QImage::Format_RGBA64), "png")}, {"png-1bit.png", flatPng(40, 10)},
        {"webp.webp", written(pic, "webp", 75)}, {"webp-lossless.webp", written(pic, "webp", 100)}, {"tiff.tif", written(pic, "tiff")},
        {"tiff-lzw.tif", written(pic, "tiff", -1, false, 1)}, {"ppm.ppm", written(pic, "ppm")}, {"pgm.pgm", written(pic, "pgm")},
        {"pbm.pbm", written(pic, "pbm")}, {"pbm-ascii.pbm", QByteArray("P1\n4 2\n0 1 1 0\n1 0 0 1\n")},
        {"ppm-ascii.ppm", QByteArray("P3\n2 1 255\n255 0 0  0 0 255\n")}, {"xpm.xpm", written(indexed, "xpm")},
        {"xbm.xbm", written(pic, "xbm")}, {"wbmp.wbmp", written(pic, "wbmp")}, {"icns.icns", written(samplePicture(16, 16), "icns")}};
    for (const auto &[name, bytes] : files)
        if (!bytes.isEmpty())   // empty: a writer that is not installed
            out.append({QLatin1String(name), bytes});
    return out;
}

// Files that must be refused: each lies in its header, overflows in its data, or would cost
// far more to decode than a picture of its kind.
inline QList<Sample> hostileSamples(bool large = true)
{
    const auto patch32 = [](QByteArray b, int at, quint32 v) { put32(b, at, v); return b; };
    const auto patch16 = [](QByteArray b, int at, quint32 v) { put16(b, at, v); return b; };
    const auto plus = [](QByteArray b, std::initializer_list<int> v) { add8(b, v); return b; };
    const QByteArray bmp24 = bitmapFile(BitmapSpec{40, 24, 0, 64, 64, {}});
    // A 27-byte file: an info header of a size the reader takes as the core header, announcing
    // 16384 x 16384 (or 64 x 64 with one byte of pixels).
    QByteArray core("BM");
    add32(core, {27, 0, 26, 13});
    add16(core, {16384, 16384, 1, 8});
    core += '\0';
    const QByteArray rleFile = bitmapFile(BitmapSpec{40, 8, 1, 8, 8, {}});
    const QByteArray rle = rleFile.left(int(le32At(rleFile, 10)));   // the headers and palette, no runs
    const QByteArray ico = iconFile(1, 16, 16, false), tga = tgaFile(4, 4, 24);
    const std::pair<const char *, QByteArray> files[] = {
        {"bmp-100000x100000.bmp", patch32(patch32(bmp24, 18, 100000), 22, 100000)},
        {"bmp-topdown-16000.bmp", patch32(patch32(bmp24, 18, 16000), 22, quint32(-16000))},
        {"bmp-overflow.bmp", patch32(patch32(bmp24, 18, 0x40000001u), 22, 0x7FFFFFFFu)}, {"bmp-cut-half.bmp", bmp24.left(bmp24.size() / 2)},
        {"bmp-27-bytes-16384.bmp", core}, {"bmp-27-bytes-64.bmp", patch16(patch16(patch16(core, 18, 64), 20, 64), 24, 24)},
        {"bmp-masks-zero.bmp", bitmapFile(BitmapSpec{40, 16, 3, 11, 6, {0, 0, 0}})},
        {"bmp-rle8-past-row.bmp", plus(rle, {200, 5, 0, 1})},   // 200 pixels in a row of 8
        {"bmp-rle8-past-picture.bmp", plus(rle, {0, 2, 3, 100, 4, 7, 0, 1})},   // 3 right and 100 down in 8 rows
        {"bmp-rle8-16384.bmp", plus(patch32(patch32(rle, 18, 16384), 22, 16384), {0, 1})},   // ends the picture at once
        {"empty.bmp", QByteArray()}, {"gif-zero-height.gif", gifFile(16, 0, 16, 0)},
        {"gif-huge-screen.gif", gifFile(65535, 65535, 1, 1)}, {"gif-big-screen.gif", gifFile(16000, 16000, 1, 1)},
        {"ico-offset-past-end.ico", patch32(ico, 18, 0x7FFFFFF0u)}, {"ico-size-past-end.ico", patch32(ico, 14, 0x7FFFFFF0u)},
        {"ico-many-entries.ico", patch16(ico, 4, 60000)},   // 60000 entries in a file of a few hundred bytes
        {"ico-huge-bitmap.ico", patch32(patch32(ico, 22 + 4, 60000), 22 + 8, 120000)},
        {"tga-65535.tga", patch16(patch16(tga, 12, 65535), 14, 65535)}, {"tga-cut.tga", patch16(patch16(tga, 12, 16000), 14, 16000)},
        {"wbmp-huge.wbmp", QByteArray("\x00\x00\x86\x8D\x20\x86\x8D\x20\x00", 9)},
        {"ppm-cut.ppm", QByteArray("P6\n16384 16384\n255\n") + QByteArray(100, 'x')},
        {"pgm-ascii-cut.pgm", QByteArray("P2\n16384 16384\n255\n1 2 3 4\n")},
        {"tiff-60000.tif", tiffFile(60000, 60000, 100)}, {"tiff-16000-small.tif", tiffFile(16000, 16000, 100)},
        {"xbm-huge.xbm", QByteArray("#define a_width 16384\n#define a_height 16384\nstatic char a_bits[] = {\n0x00 };\n")}};
    QList<Sample> out;
    for (const auto &[name, bytes] : files)
        out.append({QLatin1String(name), bytes});
    if (large) {
        out.append({QStringLiteral("png-30000.png"), flatPng(30000, 30000, 64)});
        out.append({QStringLiteral("png-16384-33k.png"), flatPng(16384, 16384)});
        out.append({QStringLiteral("jpeg-5000-scans.jpg"), jpegWithScans(1024, 1024, 5000)});
    } else {
        out.append({QStringLiteral("png-30000.png"), flatPng(30000, 30000, 4)});
        out.append({QStringLiteral("jpeg-200-scans.jpg"), jpegWithScans(64, 64, 200)});
    }
    return out;
}

} // namespace orvsamples
