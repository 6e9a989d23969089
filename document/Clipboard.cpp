#include "document/Clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace orv {

namespace {

QClipboard *clipboard()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

QByteArray encode(const QImage &picture, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

} // namespace

void PutPictureOnClipboard(const QImage &picture)
{
    QClipboard *cb = clipboard();
    if (!cb || picture.isNull())
        return;
    // The pixels are opaque; handing them on as RGB32 keeps the BMP and PNG forms exact.
    const QImage opaque = picture.convertToFormat(QImage::Format_RGB32);
    auto *data = new QMimeData;
    data->setImageData(opaque);
    data->setData(QStringLiteral("image/png"), encode(opaque, "PNG"));
    data->setData(QStringLiteral("image/bmp"), encode(opaque, "BMP"));
    cb->setMimeData(data);
}

QImage PictureFromClipboard()
{
    QClipboard *cb = clipboard();
    if (!cb)
        return {};
    const QMimeData *data = cb->mimeData();
    if (!data)
        return {};
    if (data->hasImage()) {
        const QImage img = qvariant_cast<QImage>(data->imageData());
        if (!img.isNull())
            return img;
    }
    // Formats the toolkit does not turn into a picture by itself: read any image/* data.
    const QStringList formats = data->formats();
    for (const QString &f : formats) {
        if (!f.startsWith(QLatin1String("image/")))
            continue;
        QImage img;
        if (img.loadFromData(data->data(f)) && !img.isNull())
            return img;
    }
    return {};
}

void ClearClipboard()
{
    if (QClipboard *cb = clipboard())
        cb->clear();
}

} // namespace orv
