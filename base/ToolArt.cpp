#include "base/ToolArt.h"

#include <QHash>
#include <QIconEngine>
#include <QImageReader>
#include <QMutex>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <iterator>

// icons.qrc lives in a static library that nothing else refers to, so the linker would leave
// the pictures out unless they are registered explicitly.
static void registerIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace orv {

namespace {

// ---------------------------------------------------------------------------------------------
// Toolbar and menu pictures: resources/icons/<size>/<file>.svg, one drawing per design size so
// that every line sits on whole pixels at 16, 24 and 32 pixels. The standard commands also
// carry their freedesktop icon name: the desktop's icon theme supplies those where it has them.

struct IconEntry {
    const char *key;
    const char *file;
    const char *themeName = nullptr;
};

const IconEntry kIcons[] = {
    {"New", "new", "document-new"},
    {"Open", "open", "document-open"},
    {"Save", "save", "document-save"},
    {"Print", "print", "document-print"},
    {"Cut", "cut", "edit-cut"},
    {"Copy", "copy", "edit-copy"},
    {"Paste", "paste", "edit-paste"},
    {"Undo", "undo", "edit-undo"},
    {"Redo", "redo", "edit-redo"},
    {"Clear", "clear"},
    {"Transparent", "transparent"},
    {"Filled", "filled"},
    {"Zoom", "zoom"},
    {"Mirror", "mirror"},
    {"Tile", "tile"},
    {"Pencil", "pencil"},
    {"Marquee", "marquee"},
    {"Eraser", "eraser"},
    {"Line", "line"},
    {"Cont Line", "cont-line"},
    {"Rays", "rays"},
    {"Circle", "circle"},
    {"Ellipse1", "ellipse1"},
    {"Rectangle", "rectangle"},
    {"Fill", "fill"},
    {"Spray", "spray"},
    {"Dropper", "dropper"},
    {"Text", "text"},
    {"Options", "options"},
    {"FlipH", "fliph"},
    {"FlipV", "flipv"},
    {"Rotate", "rotate"},
    {"Resize", "resize"},
    {"Canvas", "canvas"},
    {"Web", "web"},
    {"Help", "help", "help-contents"},
    {"About", "about"},
    {"Palette", "palette"},
};

const int kDesignSizes[] = {16, 24, 32};

// The entry of a picture or cursor table under `key`, or null.
template<typename Entry, std::size_t N>
const Entry *findByKey(const Entry (&table)[N], const QString &key)
{
    for (const Entry &e : table)
        if (key == QLatin1String(e.key))
            return &e;
    return nullptr;
}

const IconEntry *findIcon(const QString &key) { return findByKey(kIcons, key); }

// The design a picture of `size` pixels is drawn from: the largest design the size is a whole
// multiple of, so lines stay on whole pixels; else the smallest design above it, scaled down.
int designFor(int size)
{
    for (auto d = std::rbegin(kDesignSizes); d != std::rend(kDesignSizes); ++d)
        if (size % *d == 0)
            return *d;
    for (int d : kDesignSizes)
        if (d > size)
            return d;
    return kDesignSizes[std::size(kDesignSizes) - 1];
}

// Reads an SVG picture from the resources at size x size pixels. A failure is reported once:
// it almost always means Qt's SVG image format plugin is not installed.
QImage readSvg(const QString &path, int size)
{
    static const bool registered = (registerIconResources(), true);
    Q_UNUSED(registered);
    QImageReader reader(path, "svg");
    reader.setScaledSize(QSize(size, size));
    const QImage img = reader.read();
    if (img.isNull()) {
        static bool warned = false;
        if (!warned)
            qWarning("Cannot read the picture %s: %s. Pictures are SVG files; reading them needs "
                     "Qt's SVG image format plugin (imageformats/libqsvg.so).",
                     qPrintable(path), qPrintable(reader.errorString()));
        warned = true;
        return QImage();
    }
    return img.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

QImage ToolbarImage(const QString &key, int size)
{
    const IconEntry *entry = findIcon(key);
    if (!entry || size < 8)
        return QImage();
    // The same pictures are asked for by every window that opens: read each size once.
    static QMutex lock;
    static QHash<QString, QImage> cache;
    const QString path = QStringLiteral(":/icons/%1/%2.svg").arg(designFor(size)).arg(QLatin1String(entry->file));
    const QString cacheKey = path + QLatin1Char('@') + QString::number(size);
    QMutexLocker locked(&lock);
    auto it = cache.constFind(cacheKey);
    if (it == cache.constEnd())
        it = cache.insert(cacheKey, readSvg(path, size));
    return *it;
}

namespace {

// An icon that reads its key's picture for the size it is shown at, when it is first shown:
// a toolbar asks for one size, a menu for another, a screen with two device pixels per pixel
// for their doubles, and none of the others is ever drawn.
class ArtIconEngine : public QIconEngine {
public:
    explicit ArtIconEngine(const QString &key) : m_key(key) {}

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pm = QPixmap::fromImage(ToolbarImage(m_key, std::max(8, std::min(size.width(), size.height()))));
        // The style's disabled and selected looks, as for any icon made of pictures.
        if (!pm.isNull() && (mode == QIcon::Disabled || mode == QIcon::Selected))
            pm = QIcon(pm).pixmap(pm.size(), 1.0, mode, state);
        return pm;
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal dpr = painter->device()->devicePixelRatio();
        QPixmap pm = pixmap(rect.size() * dpr, mode, state);
        pm.setDevicePixelRatio(dpr);
        painter->drawPixmap(rect, pm);
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int d : kDesignSizes)
            sizes << QSize(d, d);
        return sizes;
    }
    QString key() const override { return QStringLiteral("orv-art"); }
    QIconEngine *clone() const override { return new ArtIconEngine(m_key); }

private:
    QString m_key;
};

} // namespace

QIcon ToolbarIcon(const QString &key)
{
    const IconEntry *entry = findIcon(key);
    if (!entry)
        return QIcon();
    // Without Qt's SVG image format plugin no picture can be read: a null icon then lets the
    // buttons show their names instead of blank faces (readSvg says why, once).
    static const bool canRead = !ToolbarImage(QStringLiteral("New"), 16).isNull();
    const QIcon own = canRead ? QIcon(new ArtIconEngine(key)) : QIcon();
    if (!entry->themeName)
        return own;
    return QIcon::fromTheme(QLatin1String(entry->themeName), own);
}

QString ToolbarThemeName(const QString &key)
{
    const IconEntry *entry = findIcon(key);
    return entry && entry->themeName ? QString::fromLatin1(entry->themeName) : QString();
}

QStringList ToolbarIconKeys()
{
    QStringList keys;
    for (const IconEntry &e : kIcons)
        keys << QString::fromLatin1(e.key);
    return keys;
}

QImage AppIconImage(int size)
{
    if (size <= 0)
        return QImage();
    return readSvg(QStringLiteral(":/icons/orv-image-editor.svg"), size);
}

// ---------------------------------------------------------------------------------------------
// Tool pointers: black drawings on 32 x 32 pixels, reduced to black, white and clear, with a
// one-pixel white outline so they show on any colour.

namespace {

double luminance(QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); }

struct CursorEntry {
    const char *key;
    void (*paint)(QPainter &);
    QPoint hotSpot;
};

QPainterPath stick(QPointF start, double angleDeg, double t0, double t1, double hw0, double hw1)
{
    const double a = qDegreesToRadians(angleDeg);
    const QPointF d(std::cos(a), std::sin(a)), n(-d.y(), d.x());
    QPainterPath path;
    path.moveTo(start + d * t0 - n * hw0);
    path.lineTo(start + d * t1 - n * hw1);
    path.lineTo(start + d * t1 + n * hw1);
    path.lineTo(start + d * t0 + n * hw0);
    path.closeSubpath();
    return path;
}

void cursorShape(QPainter &p, const QPainterPath &path, const QColor &fill)
{
    p.setPen(QPen(Qt::black, 1.4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

void paintDropperCursor(QPainter &p)
{
    const QPointF tip(1.5, 30.5);
    const double ang = -45;
    cursorShape(p, stick(tip, ang, 0, 9, 0.9, 1.8), Qt::black);
    cursorShape(p, stick(tip, ang, 9, 19, 2.9, 2.9), Qt::white);
    cursorShape(p, stick(tip, ang, 19, 22, 4.6, 4.6), Qt::black);
    QPainterPath bulb = stick(tip, ang, 22, 30, 3.6, 3.6);
    QPainterPath end;
    end.addEllipse(tip + QPointF(std::cos(qDegreesToRadians(ang)), std::sin(qDegreesToRadians(ang))) * 30,
                   3.6, 3.6);
    cursorShape(p, bulb.united(end), Qt::black);
}

void paintEraserCursor(QPainter &p)
{
    p.fillRect(QRect(9, 9, 13, 13), Qt::black);
    p.fillRect(QRect(10, 10, 11, 11), Qt::white);
}

void paintFloodFillCursor(QPainter &p)
{
    // Bucket leaning left; the paint runs down to the hot spot at the lower left.
    QPainterPath run;
    run.moveTo(8.5, 15);
    run.cubicTo(4, 16, 3, 20, 3, 28);
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(run);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(3, 27.5), 2.2, 2.2);
    p.save();
    p.translate(18, 17);
    p.rotate(-35);
    QPainterPath handle;
    handle.moveTo(-8, -7);
    handle.cubicTo(-8, -17, 8, -17, 8, -7);
    p.setPen(QPen(Qt::black, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(handle);
    QPainterPath body;
    body.moveTo(-9, -7);
    body.lineTo(-7, 9);
    body.quadTo(0, 12, 7, 9);
    body.lineTo(9, -7);
    body.closeSubpath();
    cursorShape(p, body, Qt::white);
    QPainterPath rim;
    rim.addEllipse(QPointF(0, -7), 9, 3);
    cursorShape(p, rim, Qt::black);
    p.restore();
}

void paintSprayCursor(QPainter &p)
{
    // Can at the lower right, spraying up to the left; the hot spot is the middle of the cloud.
    p.fillRect(QRect(20, 16, 9, 15), Qt::black);
    p.fillRect(QRect(22, 18, 5, 3), Qt::white);
    p.fillRect(QRect(22, 25, 5, 4), Qt::white);
    p.fillRect(QRect(21, 12, 7, 4), Qt::black);
    p.fillRect(QRect(16, 10, 8, 3), Qt::black);
    const QPoint dots[] = {{7, 7}, {8, 7}, {7, 8}, {8, 8}, {3, 4}, {11, 3}, {5, 11}, {12, 9},
                           {2, 9}, {9, 13}, {14, 6}, {4, 1}, {10, 0}, {1, 14}};
    for (const QPoint &d : dots)
        p.fillRect(QRect(d, QSize(1, 1)), Qt::black);
}

void paintZoomCursor(QPainter &p)
{
    p.setPen(QPen(Qt::black, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 19), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12.5, 12.5), 8.5, 8.5);
    p.fillRect(QRect(9, 12, 7, 1), Qt::black);
    p.fillRect(QRect(12, 9, 1, 7), Qt::black);
}

void paintPenCursor(QPainter &p)
{
    const QPointF tip(1.5, 30.5);
    const double ang = -45;
    cursorShape(p, stick(tip, ang, 0, 8, 0, 3.3), Qt::white);
    cursorShape(p, stick(tip, ang, 0, 3, 0, 1.25), Qt::black);
    cursorShape(p, stick(tip, ang, 8, 27, 3.3, 3.3), Qt::white);
    cursorShape(p, stick(tip, ang, 10, 25, 0.5, 0.5), Qt::black);
    cursorShape(p, stick(tip, ang, 27, 30, 3.3, 3.3), Qt::black);
    cursorShape(p, stick(tip, ang, 30, 36, 3.3, 3.3), Qt::white);
}

void paintMarqueeCursor(QPainter &p)
{
    p.fillRect(QRect(4, 15, 23, 1), Qt::black);
    p.fillRect(QRect(15, 4, 1, 23), Qt::black);
    for (int i = 0; i < 11; ++i) {
        if ((i / 2) % 2)
            continue;
        p.fillRect(QRect(19 + i, 19, 1, 1), Qt::black);
        p.fillRect(QRect(19 + i, 29, 1, 1), Qt::black);
        p.fillRect(QRect(19, 19 + i, 1, 1), Qt::black);
        p.fillRect(QRect(29, 19 + i, 1, 1), Qt::black);
    }
}

const CursorEntry kCursors[] = {
    {"Dropper", paintDropperCursor, {1, 30}},
    {"Eraser", paintEraserCursor, {15, 15}},
    {"FloodFill", paintFloodFillCursor, {3, 29}},
    {"Spray", paintSprayCursor, {7, 7}},
    {"Zoom", paintZoomCursor, {12, 12}},
    {"Pen", paintPenCursor, {1, 30}},
    {"Marquee", paintMarqueeCursor, {15, 15}},
};

} // namespace

QImage ToolCursorImage(const QString &key)
{
    const CursorEntry *entry = findByKey(kCursors, key);
    if (!entry)
        return QImage();
    QImage drawn(32, 32, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    {
        QPainter p(&drawn);
        p.setRenderHint(QPainter::Antialiasing);
        entry->paint(p);
    }
    drawn = drawn.convertToFormat(QImage::Format_ARGB32);
    // Reduce to three values, then ring everything in white.
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < 32; ++y) {
        const QRgb *from = reinterpret_cast<const QRgb *>(drawn.constScanLine(y));
        QRgb *to = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < 32; ++x)
            if (qAlpha(from[x]) >= 128)
                to[x] = luminance(from[x]) < 128 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    }
    // The hot spot is always part of the drawing.
    QRgb &hot = reinterpret_cast<QRgb *>(img.scanLine(entry->hotSpot.y()))[entry->hotSpot.x()];
    if (!qAlpha(hot))
        hot = qRgb(0, 0, 0);
    const QImage solid = img.copy();
    auto black = [&solid](int x, int y) {
        if (x < 0 || y < 0 || x >= 32 || y >= 32)
            return false;
        const QRgb c = reinterpret_cast<const QRgb *>(solid.constScanLine(y))[x];
        return qAlpha(c) && qRed(c) == 0;
    };
    for (int y = 0; y < 32; ++y) {
        const QRgb *was = reinterpret_cast<const QRgb *>(solid.constScanLine(y));
        QRgb *to = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < 32; ++x) {
            if (qAlpha(was[x]))
                continue;
            bool touches = false;
            for (int dy = -1; dy <= 1 && !touches; ++dy)
                for (int dx = -1; dx <= 1 && !touches; ++dx)
                    touches = black(x + dx, y + dy);
            if (touches)
                to[x] = qRgb(255, 255, 255);
        }
    }
    return img;
}

QPoint ToolCursorHotSpot(const QString &key)
{
    const CursorEntry *entry = findByKey(kCursors, key);
    return entry ? entry->hotSpot : QPoint(-1, -1);
}

QCursor ToolCursorFor(const QString &key)
{
    const CursorEntry *entry = findByKey(kCursors, key);
    if (!entry)
        return QCursor(Qt::CrossCursor);
    return QCursor(QPixmap::fromImage(ToolCursorImage(key)), entry->hotSpot.x(), entry->hotSpot.y());
}

QStringList ToolCursorKeys()
{
    QStringList keys;
    for (const CursorEntry &e : kCursors)
        keys << QString::fromLatin1(e.key);
    return keys;
}


} // namespace orv
