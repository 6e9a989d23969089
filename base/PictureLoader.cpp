#include "base/PictureLoader.h"

#include "base/Conversions.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

namespace orv {

namespace {

quint32 le32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar *>(b.constData()) + at);
}

quint16 le16(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar *>(b.constData()) + at);
}

void fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
}

} // namespace

bool BitmapSizeConsistent(const QByteArray &head, qint64 fileSize)
{
    if (head.size() < 26 || head[0] != 'B' || head[1] != 'M')
        return true;
    const quint32 offBits = le32(head, 10);
    const quint32 infoSize = le32(head, 14);
    qint64 width = 0;
    qint64 height = 0;
    int bits = 0;
    quint32 compression = 0;
    if (infoSize == 12) {   // the old core header: 16-bit sizes
        width = le16(head, 18);
        height = le16(head, 20);
        bits = le16(head, 24);
    } else if (infoSize >= 40 && head.size() >= 34) {
        width = qint32(le32(head, 18));
        height = qint32(le32(head, 22));
        bits = le16(head, 28);
        compression = le32(head, 30);
    } else {
        return true;
    }
    // Run-length and embedded JPEG/PNG data have no fixed size; the reader checks those.
    if (compression != 0 && compression != 3 && compression != 6)
        return true;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return true;
    width = std::abs(width);
    height = std::abs(height);
    const qint64 rowBytes = ((width * bits + 31) / 32) * 4;
    return qint64(offBits) + rowBytes * height <= fileSize;
}

QImage LoadPicture(const QString &path, QString *error)
{
    // Qt's default limit refuses ordinary photographs of 40 megapixels; admit the largest
    // pictures the program opens (checked by their size below) and nothing far beyond.
    if (QImageReader::allocationLimit() < 1024)
        QImageReader::setAllocationLimit(1024);

    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        fail(error, QStringLiteral("The file does not exist."));
        return {};
    }
    if (info.isDir()) {
        fail(error, QStringLiteral("A folder is not a picture."));
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, file.errorString());
        return {};
    }
    const qint64 fileSize = file.size();
    if (fileSize == 0) {
        fail(error, QStringLiteral("The file is empty."));
        return {};
    }
    const QByteArray head = file.peek(64);
    if (!BitmapSizeConsistent(head, fileSize)) {
        fail(error, QStringLiteral("The bitmap file is cut off before the end of its pixels."));
        return {};
    }

    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        // Formats without a signature (such as TGA) are known only by their file name.
        file.seek(0);
        reader.setDevice(nullptr);
        reader.setFormat(info.suffix().toLatin1().toLower());
        reader.setDevice(&file);
        if (!reader.canRead()) {
            fail(error, QStringLiteral("Unknown picture format."));
            return {};
        }
    }
    const QSize announced = reader.size();
    if (announced.isValid() && (announced.width() > MaxPictureSide || announced.height() > MaxPictureSide)) {
        fail(error, QStringLiteral("The picture is larger than %1 x %1 pixels.").arg(MaxPictureSide));
        return {};
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        fail(error, reader.errorString());
        return {};
    }
    if (image.width() > MaxPictureSide || image.height() > MaxPictureSide) {
        fail(error, QStringLiteral("The picture is larger than %1 x %1 pixels.").arg(MaxPictureSide));
        return {};
    }
    return image;
}

QSize HiMetricAsTwipsWindowPixels(QSize pixels, int twipsPerPixelX, int twipsPerPixelY)
{
    constexpr double HiMetricPerPixel = 2540.0 / 96.0;
    return QSize(CInt(pixels.width() * HiMetricPerPixel / twipsPerPixelX),
                 CInt(pixels.height() * HiMetricPerPixel / twipsPerPixelY));
}

} // namespace orv
