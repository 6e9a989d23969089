// The program's own reading of picture headers, done before any decoder sees the file: the
// decoders trust what a header announces (a size, an offset, a count of scans), so a file is
// refused here when its header announces what the file cannot hold or what would cost far more
// to decode than a picture of its kind ever needs.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;

namespace orv {

// What a header says. `refusal` set: the file is not to be decoded, and why.
struct HeaderFacts {
    QSize size;                 // the picture's size in pixels as decoded, when the header tells
    QString refusal;
    // The decoder leaves pixels it is given no data for unwritten (run-length bitmaps): it must
    // be handed a cleared picture of `size` in `format` to fill.
    bool clearFirst = false;
    QImage::Format format = QImage::Format_Invalid;
};

// Limits the checks apply.
struct HeaderLimits {
    int maxSide = 16384;        // largest width and height
    int maxScans = 100;         // scans of a JPEG (a progressive one has about ten)
};

// The checks for one format (the reader's format name: "bmp", "dib", "jpeg", "gif", "ico",
// "cur", "icns", "tga", "wbmp", "pbm", "pgm", "ppm", "xbm"). The device is read from its start and left at its
// start; formats without checks of their own give empty facts. A bitmap's info header may be 40,
// 64, 108 or 124 bytes long; any other size is read as the old 12-byte core header.
HeaderFacts CheckPictureHeader(const QByteArray &format, QIODevice &device, const HeaderLimits &limits);

// Checked arithmetic for sizes taken from files: false (and `out` untouched) on overflow.
bool CheckedMul(qint64 a, qint64 b, qint64 *out);
bool CheckedAdd(qint64 a, qint64 b, qint64 *out);

} // namespace orv
