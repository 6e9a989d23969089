// Where a printed picture goes on the page: its top-left corner at a position in twips
// (1/1440 inch) from the page's printable origin, at its natural size (as shown on a 96 dpi
// screen), in the device pixels of a printer of the given resolution.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

class QPainter;

namespace orv {

inline constexpr int PrintOffsetTwips = 100;

QRect PrintedPictureRect(QSize picturePixels, int dpiX, int dpiY, QPoint twips = {PrintOffsetTwips, PrintOffsetTwips});

// Draws the picture there; the painter is open on the printer's page.
void PaintPictureOnPage(QPainter &painter, const QImage &picture, int dpiX, int dpiY);

} // namespace orv
