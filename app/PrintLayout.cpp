#include "app/PrintLayout.h"

#include "base/Conversions.h"

#include <QPainter>

namespace orv {

QRect PrintedPictureRect(QSize picturePixels, int dpiX, int dpiY, QPoint twips)
{
    constexpr double ScreenDpi = 96.0;
    return QRect(CInt(twips.x() * dpiX / 1440.0), CInt(twips.y() * dpiY / 1440.0),
                 CInt(picturePixels.width() * dpiX / ScreenDpi), CInt(picturePixels.height() * dpiY / ScreenDpi));
}

void PaintPictureOnPage(QPainter &painter, const QImage &picture, int dpiX, int dpiY)
{
    painter.drawImage(PrintedPictureRect(picture.size(), dpiX, dpiY), picture);
}

} // namespace orv
