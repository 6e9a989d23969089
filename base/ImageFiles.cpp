#include "base/ImageFiles.h"

#include <QSaveFile>
#include <cstring>

namespace orv {

namespace {

void put16(char *p, quint16 v)
{
    p[0] = char(v & 0xFF);
    p[1] = char(v >> 8);
}

void put32(char *p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

} // namespace

QByteArray EncodeBitmap24(const QImage &picture)
{
    const QImage img = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    const int w = img.width();
    const int h = img.height();
    const qsizetype rowBytes = (qsizetype(w) * 3 + 3) & ~qsizetype(3);
    const qsizetype pixelBytes = rowBytes * h;
    const qsizetype headerBytes = 14 + 40;
    QByteArray out(headerBytes + pixelBytes, '\0');
    char *p = out.data();
    p[0] = 'B';
    p[1] = 'M';
    put32(p + 2, quint32(out.size()));
    put32(p + 10, quint32(headerBytes));
    put32(p + 14, 40);
    put32(p + 18, quint32(w));
    put32(p + 22, quint32(h));            // positive height: rows stored bottom-up
    put16(p + 26, 1);
    put16(p + 28, 24);
    put32(p + 30, 0);                     // no compression
    put32(p + 34, quint32(pixelBytes));
    put32(p + 38, 3780);                  // 96 dpi
    put32(p + 42, 3780);
    for (int y = 0; y < h; ++y) {
        const auto *src = reinterpret_cast<const quint32 *>(img.constScanLine(y));
        auto *dst = reinterpret_cast<unsigned char *>(p + headerBytes + rowBytes * (h - 1 - y));
        for (int x = 0; x < w; ++x) {
            const quint32 px = src[x];
            dst[3 * x] = (unsigned char)(px & 0xFF);
            dst[3 * x + 1] = (unsigned char)((px >> 8) & 0xFF);
            dst[3 * x + 2] = (unsigned char)((px >> 16) & 0xFF);
        }
    }
    return out;
}

bool SavePicture(const QImage &picture, const QString &path, QString *error)
{
    if (picture.isNull()) {
        if (error)
            *error = QStringLiteral("There is no picture to save.");
        return false;
    }
    const QByteArray bytes = EncodeBitmap24(picture);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // A short write can still let commit() succeed, so every byte is checked here.
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            if (error)
                *error = file.errorString();
            file.cancelWriting();
            return false;
        }
        done += n;
    }
    if (!file.flush() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace orv
