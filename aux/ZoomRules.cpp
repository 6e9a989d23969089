#include "aux/ZoomRules.h"

#include <cmath>

namespace orv {

std::int16_t ZoomIn(std::int16_t factor)
{
    if (factor >= 20)
        return factor;
    return std::int16_t(std::nearbyint((factor + 1) * 1.2));
}

std::int16_t ZoomOut(std::int16_t factor)
{
    if (factor < 2)
        return factor;
    return std::int16_t(std::floor(factor / 1.2));
}

QString ZoomCaption(std::int16_t factor)
{
    return QStringLiteral("Zoom ") + QString::number(factor) + QStringLiteral(" X");
}

QPoint ClampZoomPosition(QPoint topLeft, QSize window, QSize screen)
{
    QPoint p = topLeft;
    if (p.x() > screen.width() - window.width())
        p.setX(screen.width() - window.width());
    if (p.y() > screen.height() - window.height())
        p.setY(screen.height() - window.height());
    return p;
}

} // namespace orv
