// The program's own pictures: toolbar keys at every size, the icon theme, buttons, tool pointers, app icon.
#include "base/ToolArt.h"
#include "uihelpers.h"

using namespace orv;

namespace {

const QStringList kThemedKeys = {"New", "Open", "Save", "Print", "Cut", "Copy", "Paste", "Undo", "Redo", "Help"};
const QRgb kThemeRed = qRgb(200, 0, 0);

double lum(QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); }

// Counts opaque dark and opaque light pixels.
QPair<int, int> darkAndLight(const QImage &img)
{
    int dark = 0, light = 0;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (qAlpha(row[x]) < 200)
                continue;
            dark += lum(row[x]) < 90;
            light += lum(row[x]) > 170;
        }
    }
    return {dark, light};
}

QImage argb(const QPixmap &pm) { return pm.toImage().convertToFormat(QImage::Format_ARGB32); }

// An icon theme of 24-pixel red squares for the given names, made the current (and only) theme.
struct RedTheme {
    QTemporaryDir dir;
    explicit RedTheme(const QStringList &names)
    {
        const QString root = dir.filePath(QStringLiteral("red"));
        QDir().mkpath(root + QStringLiteral("/24x24/actions"));
        orvtest::writeFile(root + QStringLiteral("/index.theme"),
                           "[Icon Theme]\nName=red\nDirectories=24x24/actions\n\n[24x24/actions]\nSize=24\nType=Fixed\n");
        QImage red(24, 24, QImage::Format_ARGB32);
        red.fill(kThemeRed);
        for (const QString &name : names)
            red.save(root + QStringLiteral("/24x24/actions/%1.png").arg(name));
        QIcon::setThemeSearchPaths({dir.path()});
        QIcon::setFallbackSearchPaths({});
        QIcon::setThemeName(QStringLiteral("none"));
        QIcon::setThemeName(QStringLiteral("red"));
    }
};

} // namespace

class TestToolArt : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QImageReader::supportedImageFormats().contains("svg"), "Qt's SVG image format plugin (imageformats/libqsvg.so, "
                 "Debian package libqt6svg6) is not installed: the toolbar pictures cannot be read");
    }

    void everyKeyHasItsPictureAtEverySize()
    {
        // The main window's 28 buttons (mainWindowButtonsShowThePictures) and the menus' ten.
        QCOMPARE(ToolbarIconKeys().size(), 38);
        for (const char *key : {"Options", "FlipH", "FlipV", "Rotate", "Resize", "Canvas", "Web", "Help", "About", "Palette"})
            QVERIFY2(ToolbarIconKeys().contains(QLatin1String(key)), key);
        for (int size : {16, 24, 32, 48}) {
            QHash<QByteArray, QString> seen;
            for (const QString &key : ToolbarIconKeys()) {
                const QImage img = ToolbarImage(key, size);
                QCOMPARE(img.size(), QSize(size, size));
                const auto [dark, light] = darkAndLight(img);
                QVERIFY2(dark >= size / 4 && light > 0, qPrintable(QStringLiteral("%1 at %2: %3 dark, %4 light\n%5").arg(key)
                                                                       .arg(size).arg(dark).arg(light).arg(orvtest::asciiArt(img, 0))));
                const QByteArray bytes(reinterpret_cast<const char *>(img.constBits()), img.sizeInBytes());
                QVERIFY2(!seen.contains(bytes), qPrintable(QStringLiteral("%1 and %2 at %3").arg(key, seen.value(bytes)).arg(size)));
                seen.insert(bytes, key);
            }
        }
        // Whole-pixel designs: the 24-pixel Save is a box with a one-pixel ink outline, no blur.
        const QImage save = ToolbarImage("Save", 24);
        QCOMPARE(save.pixel(5, 15), qRgb(0x1f, 0x23, 0x28));
        QCOMPARE(save.pixel(6, 15), qRgb(0xff, 0xff, 0xff));
        QVERIFY(ToolbarIcon("NoSuchButton").isNull());
        QVERIFY(ToolbarImage("pencil", 24).isNull()); // keys are matched exactly
        QVERIFY(ToolbarImage("New", 4).isNull());
    }

    void standardCommandsFollowTheIconTheme()
    {
        // A theme without the names: every key shows the program's own picture.
        RedTheme empty({});
        for (const QString &key : ToolbarIconKeys()) {
            QCOMPARE(ToolbarThemeName(key).isEmpty(), !kThemedKeys.contains(key));
            const QIcon icon = ToolbarIcon(key);
            for (int size : {16, 24})
                QCOMPARE(argb(icon.pixmap(size)), ToolbarImage(key, size));
            // Two device pixels per pixel: the picture drawn for 48 pixels, not 24 blown up.
            QImage doubled = ToolbarImage(key, 48);
            doubled.setDevicePixelRatio(2.0);
            QCOMPARE(argb(icon.pixmap(QSize(24, 24), 2.0)), doubled);
            QVERIFY(argb(icon.pixmap(QSize(24, 24), 1.0, QIcon::Disabled)) != ToolbarImage(key, 24));
        }
        // A theme with them: its pictures for the standard commands, ours for the rest.
        QStringList names;
        for (const QString &key : kThemedKeys)
            names << ToolbarThemeName(key);
        QCOMPARE(names.first(), QStringLiteral("document-new"));
        RedTheme red(names);
        for (const QString &key : ToolbarIconKeys()) {
            const QImage shown = argb(ToolbarIcon(key).pixmap(24));
            if (kThemedKeys.contains(key))
                QVERIFY2(shown.pixel(12, 12) == kThemeRed && shown.pixel(0, 23) == kThemeRed, qPrintable(key));
            else
                QCOMPARE(shown, ToolbarImage(key, 24));
        }
    }

    void mainWindowButtonsShowThePictures()
    {
        RedTheme red({QStringLiteral("document-new")});
        orvtest::ShownMain w;
        int shown = 0;
        for (QToolBar *bar : {w.TbStd(), w.TbEdit()}) {
            QCOMPARE(bar->iconSize(), QSize(24, 24));
            for (QAction *a : bar->actions()) {
                auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(a));
                // A button that does not fit the window waits in the toolbar's overflow menu, with the same icon.
                if (a->isSeparator() || !button)
                    continue;
                const QString key = a->property("Key").toString();
                const QImage pic = argb(button->icon().pixmap(24));
                if (key == QLatin1String("New"))
                    QCOMPARE(pic.pixel(12, 12), kThemeRed);
                else
                    QVERIFY2(pic == ToolbarImage(key, 24), qPrintable(key));
                ++shown;
            }
        }
        QCOMPARE(shown, 28);
        // The theme's picture is what the button draws.
        const QImage drawn = w.TbStd()->widgetForAction(w.tbStdButton("New"))->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        int redPixels = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            const QRgb *row = reinterpret_cast<const QRgb *>(drawn.constScanLine(y));
            redPixels += int(std::count(row, row + drawn.width(), kThemeRed));
        }
        QCOMPARE(redPixels, 24 * 24);
    }

    void cursorsHaveHotSpotsOnTheDrawing()
    {
        QCOMPARE(ToolCursorKeys(), (QStringList{"Dropper", "Eraser", "FloodFill", "Spray", "Zoom", "Pen", "Marquee"}));
        QSet<QByteArray> seen;
        for (const QString &key : ToolCursorKeys()) {
            const QImage img = ToolCursorImage(key);
            QCOMPARE(img.size(), QSize(32, 32));
            seen.insert(QByteArray(reinterpret_cast<const char *>(img.constBits()), img.sizeInBytes()));
            const auto [dark, light] = darkAndLight(img);
            QVERIFY2(dark >= 8 && light >= 8, qPrintable(orvtest::asciiArt(img, 0)));
            // Black pixels never touch a clear one: the white outline goes all the way round.
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    if (qAlpha(img.pixel(x, y)) == 0 || qRed(img.pixel(x, y)) != 0)
                        continue;
                    for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                        const QPoint n = QPoint(x, y) + d;
                        QVERIFY2(!img.rect().contains(n) || qAlpha(img.pixel(n)) == 255,
                                 qPrintable(QStringLiteral("%1: black at %2,%3 touches a clear pixel").arg(key).arg(x).arg(y)));
                    }
                }
            const QCursor cursor = ToolCursorFor(key);
            QVERIFY(cursor.shape() == Qt::BitmapCursor && cursor.pixmap().size() == QSize(32, 32));
            QCOMPARE(cursor.hotSpot(), ToolCursorHotSpot(key));
            QCOMPARE(qAlpha(img.pixel(cursor.hotSpot())), 255);
        }
        QCOMPARE(seen.size(), 7);
        QVERIFY(ToolCursorImage("NoSuchTool").isNull());
        QCOMPARE(ToolCursorFor("NoSuchTool").shape(), Qt::CrossCursor);
        QCOMPARE(ToolCursorHotSpot("NoSuchTool"), QPoint(-1, -1));
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
    }
};

QTEST_MAIN(TestToolArt)
#include "tst_toolart.moc"
