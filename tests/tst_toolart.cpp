// The program's own pictures: every toolbar, menu and pointer key draws a real picture of the
// right size, no two icons look the same, pointer hot spots hit the drawing, and unknown keys
// fall back cleanly.
#include "base/ToolArt.h"

#include <QFile>
#include <QPixmap>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

#include "testsupport.h"

using namespace orv;

namespace {

const QStringList kStandardKeys = {"New", "Open", "Save", "Print", "Cut", "Copy", "Paste", "Undo",
                                   "Redo", "Clear", "Transparent", "Filled", "Zoom", "Mirror", "Tile"};
const QStringList kToolKeys = {"Pencil", "Marquee", "Eraser", "Line", "Cont Line", "Rays", "Circle",
                               "Ellipse1", "Rectangle", "Fill", "Spray", "Dropper", "Text"};
const QStringList kMenuKeys = {"Options", "FlipH", "FlipV", "Rotate", "Resize", "Canvas", "Web",
                               "Help", "About", "Palette"};
const QStringList kCursorKeys = {"Dropper", "Eraser", "FloodFill", "Spray", "Zoom", "Pen", "Marquee"};

double lum(QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); }

// Counts opaque dark and opaque light pixels.
QPair<int, int> darkAndLight(const QImage &img)
{
    int dark = 0, light = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qAlpha(c) < 200)
                continue;
            if (lum(c) < 90)
                ++dark;
            else if (lum(c) > 170)
                ++light;
        }
    return {dark, light};
}

} // namespace

class TestToolArt : public QObject {
    Q_OBJECT

private slots:
    void iconsAreDrawnAtEverySize_data()
    {
        QTest::addColumn<QString>("key");
        for (const QString &key : kStandardKeys + kToolKeys + kMenuKeys)
            QTest::newRow(qPrintable(key)) << key;
    }
    void iconsAreDrawnAtEverySize()
    {
        QFETCH(QString, key);
        for (int size : {16, 24, 32}) {
            const QImage img = ToolbarImage(key, size);
            QVERIFY(!img.isNull());
            QCOMPARE(img.size(), QSize(size, size));
            const auto [dark, light] = darkAndLight(img);
            QVERIFY2(dark >= size / 4 && light > 0,
                     qPrintable(QStringLiteral("%1 at %2: %3 dark, %4 light\n%5").arg(key).arg(size)
                                    .arg(dark).arg(light).arg(orvtest::asciiArt(img, 0))));
        }
        const QIcon icon = ToolbarIcon(key);
        QVERIFY(!icon.isNull());
        const QList<QSize> sizes = icon.availableSizes();
        for (int size : {16, 24, 32})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(key));
        QCOMPARE(icon.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 ToolbarImage(key, 24).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }

    void everyIconLooksDifferent()
    {
        const QStringList keys = kStandardKeys + kToolKeys + kMenuKeys;
        QCOMPARE(ToolbarIconKeys().size(), keys.size());
        for (const QString &key : keys)
            QVERIFY2(ToolbarIconKeys().contains(key), qPrintable(key));
        for (int size : {16, 24, 32}) {
            QHash<QByteArray, QString> seen;
            for (const QString &key : keys) {
                const QImage img = ToolbarImage(key, size);
                const QByteArray bytes(reinterpret_cast<const char *>(img.constBits()), img.sizeInBytes());
                QVERIFY2(!seen.contains(bytes),
                         qPrintable(QStringLiteral("%1 and %2 at %3").arg(key, seen.value(bytes)).arg(size)));
                seen.insert(bytes, key);
            }
        }
    }

    void mirroredPairsAreMirrors()
    {
        QCOMPARE(ToolbarImage("Redo", 24), ToolbarImage("Undo", 24).mirrored(true, false));
        QCOMPARE(ToolbarImage("FlipV", 32), ToolbarImage("FlipH", 32).transformed(QTransform(0, 1, 1, 0, 0, 0)));
    }

    void cursorsHaveHotSpotsOnTheDrawing_data()
    {
        QTest::addColumn<QString>("key");
        for (const QString &key : kCursorKeys)
            QTest::newRow(qPrintable(key)) << key;
    }
    void cursorsHaveHotSpotsOnTheDrawing()
    {
        QFETCH(QString, key);
        const QImage img = ToolCursorImage(key);
        QCOMPARE(img.size(), QSize(32, 32));
        const auto [dark, light] = darkAndLight(img);
        QVERIFY2(dark >= 8 && light >= 8, qPrintable(orvtest::asciiArt(img, 0)));
        // Black pixels never touch a clear one: the white outline goes all the way round.
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                if (qAlpha(img.pixel(x, y)) == 0 || qRed(img.pixel(x, y)) != 0)
                    continue;
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint n = QPoint(x, y) + d;
                    if (img.rect().contains(n))
                        QVERIFY2(qAlpha(img.pixel(n)) == 255,
                                 qPrintable(QStringLiteral("%1: black at %2,%3 touches a clear pixel").arg(key).arg(x).arg(y)));
                }
            }

        const QCursor cursor = ToolCursorFor(key);
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        const QPoint hot = cursor.hotSpot();
        QCOMPARE(hot, ToolCursorHotSpot(key));
        QVERIFY(img.rect().contains(hot));
        QCOMPARE(qAlpha(img.pixel(hot)), 255);
        QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
    }

    void cursorsDiffer()
    {
        QCOMPARE(ToolCursorKeys(), kCursorKeys);
        QSet<QByteArray> seen;
        for (const QString &key : kCursorKeys) {
            const QImage img = ToolCursorImage(key);
            seen.insert(QByteArray(reinterpret_cast<const char *>(img.constBits()), img.sizeInBytes()));
        }
        QCOMPARE(seen.size(), kCursorKeys.size());
    }

    void unknownKeysFallBack()
    {
        QVERIFY(ToolbarIcon("NoSuchButton").isNull());
        QVERIFY(ToolbarImage("NoSuchButton", 24).isNull());
        QVERIFY(ToolbarImage("", 16).isNull());
        QVERIFY(ToolCursorImage("NoSuchTool").isNull());
        QCOMPARE(ToolCursorFor("NoSuchTool").shape(), Qt::CrossCursor);
        QCOMPARE(ToolCursorHotSpot("NoSuchTool"), QPoint(-1, -1));
        // Keys are matched exactly.
        QVERIFY(ToolbarImage("pencil", 24).isNull());
    }

    void appIcon()
    {
        for (int size : {16, 48, 256}) {
            const QImage img = AppIconImage(size);
            QCOMPARE(img.size(), QSize(size, size));
            QCOMPARE(qAlpha(img.pixel(0, 0)), 0); // rounded tile: the corner is clear
            QCOMPARE(qAlpha(img.pixel(size / 2, size * 7 / 8)), 255);
        }
        const QImage big = AppIconImage(256);
        const auto [dark, light] = darkAndLight(big);
        QVERIFY(dark > 100 && light > 1000);
        // The canvas is near white, the O on it is painted in warm colours.
        QVERIFY(lum(big.pixel(128, 128)) > 230);
        const QRgb stroke = big.pixel(128 - 46, 128);
        QVERIFY(qRed(stroke) > 200 && qBlue(stroke) < 120);

        // The desktop file's icon is well-formed SVG of the same square design.
        QFile svg(QFINDTESTDATA("../resources/icons/orv-image-editor.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&svg);
        QVERIFY(xml.readNextStartElement());
        QCOMPARE(xml.name(), QLatin1String("svg"));
        QCOMPARE(xml.attributes().value("viewBox"), QLatin1String("0 0 256 256"));
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    }
};

QTEST_MAIN(TestToolArt)
#include "tst_toolart.moc"
