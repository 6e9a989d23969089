// The document window at a device pixel ratio of 2: one picture pixel on one device pixel.
#include "uihelpers.h"
#include "aux/frmZoom.h"
#include "dialogs/frmNewImage.h"
#include "document/frmDocument.h"

using namespace orv;

namespace {

constexpr qreal kRatio = 2;

// A picture of 1-pixel squares, black where x + y is odd.
QImage checkerboard(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = (x + y) % 2 ? 0xFF000000u : 0xFFFFFFFFu;
    }
    return img;
}

QRgb at(const QImage &img, int x, int y)
{
    return reinterpret_cast<const QRgb *>(img.constScanLine(y))[x] | 0xFF000000u;
}

struct Running : orvtest::ShownMain {
    Running() : ShownMain(QSize(1000, 800)) {}
    // File > New with a custom size, through the dialog's OK button.
    frmDocument *newPicture(QSize size)
    {
        newImageHook = [size](frmNewImage &dlg) {
            dlg.Option1(1)->click();
            dlg.TxtWidth()->setText(QString::number(size.width()));
            dlg.TxtHeight()->setText(QString::number(size.height()));
            dlg.Command1()->click();
        };
        menuItem(QStringLiteral("mnuFileNew"))->trigger();
        return ActiveForm();
    }
};

} // namespace

class TestHiDpi : public orvtest::FreshSettingsTest {
    Q_OBJECT
private slots:
    // A pencil click paints the pixel at the logical position times the ratio, half positions included.
    void clickPaintsThePixelUnderIt_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QPointF>("logical");
        QTest::addColumn<QPoint>("pixel");
        QTest::newRow("first pixel") << QSize(64, 48) << QPointF(0.25, 0.25) << QPoint(0, 0);
        QTest::newRow("even pixel") << QSize(64, 48) << QPointF(10, 7) << QPoint(20, 14);
        QTest::newRow("odd pixel") << QSize(64, 48) << QPointF(10.5, 7.5) << QPoint(21, 15);
        QTest::newRow("last pixel, its second half") << QSize(64, 48) << QPointF(31.75, 23.75) << QPoint(63, 47);
        QTest::newRow("last pixel of an odd size") << QSize(65, 33) << QPointF(32.25, 16.25) << QPoint(64, 32);
        QTest::newRow("strip beyond an odd size") << QSize(65, 33) << QPointF(32.75, 16.75) << QPoint(-1, -1);
        QTest::newRow("last even pixel of an odd size") << QSize(65, 33) << QPointF(32, 16) << QPoint(64, 32);
    }
    void clickPaintsThePixelUnderIt()
    {
        QFETCH(QSize, picture);
        QFETCH(QPointF, logical);
        QFETCH(QPoint, pixel);
        Running r;
        QCOMPARE(r.devicePixelRatioF(), kRatio);
        frmDocument *form = r.newPicture(picture);
        QVERIFY(form && form->doc().Picture1.size() == picture);
        QWidget *view = form->Picture1View();
        // The picture rounded up to logical units, and one more for the positions the window system rounds up.
        QCOMPARE(view->size(), QSize((picture.width() + 1) / 2 + 1, (picture.height() + 1) / 2 + 1));
        r.tool("Pencil");
        if (logical == logical.toPoint()) {
            QTest::mouseClick(view, Qt::LeftButton, {}, logical.toPoint());
        } else {   // as the window system gives it: the widget position rounded, the window's exact
            const QPointF rounded = logical.toPoint();
            const QPointF inWindow = QPointF(view->mapTo(view->window(), QPoint(0, 0))) + logical;
            const QPointF global = view->mapToGlobal(logical);
            // The window system picks the widget under the rounded position.
            QCOMPARE(view->window()->childAt(view->mapTo(view->window(), rounded.toPoint())), view);
            QMouseEvent press(QEvent::MouseButtonPress, rounded, inWindow, global, Qt::LeftButton, Qt::LeftButton, {});
            QMouseEvent release(QEvent::MouseButtonRelease, rounded, inWindow, global, Qt::LeftButton, {}, {});
            QApplication::sendEvent(view, &press);
            QApplication::sendEvent(view, &release);
        }
        const QImage img = form->doc().Picture1.Image();
        QCOMPARE(orvtest::firstDifference(picture.width(), picture.height(), [&](int x, int y) { return at(img, x, y); },
                                          [&](int x, int y) { return QPoint(x, y) == pixel ? 0xFF000000u : 0xFFFFFFFFu; }), QString());
    }

    // The picture pixel for pixel at any scroll position; the bars appear past the same 12 pixels and step 10.
    void viewShowsThePictureInPicturePixels_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("client");   // logical size of the window's client area, or none to fit
        QTest::addColumn<bool>("vScroll");
        QTest::addColumn<int>("vMax");
        QTest::newRow("odd size, window fits it") << QSize(65, 33) << QSize() << false << 0;
        QTest::newRow("12 taller than the viewport") << QSize(40, 212) << QSize(150, 100) << false << 1;
        QTest::newRow("13 taller than the viewport") << QSize(40, 213) << QSize(150, 100) << true << 1;
        QTest::newRow("much taller") << QSize(41, 457) << QSize(150, 100) << true << 26;
    }
    void viewShowsThePictureInPicturePixels()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, client);
        QFETCH(bool, vScroll);
        QFETCH(int, vMax);
        QTemporaryDir dir;
        const QImage board = checkerboard(picture);
        const QString path = dir.filePath(QStringLiteral("board.png"));
        QVERIFY(board.save(path));
        Running r;
        r.openPath(path);
        frmDocument *form = r.ActiveForm();
        QVERIFY(form);
        if (client.isValid()) {
            form->subWindow()->resize(form->subWindow()->size() - form->size() + client);
            QTRY_COMPARE(form->size(), client);
        }
        QTRY_COMPARE(form->VScroll1()->isVisible(), vScroll);
        QVERIFY(!form->HScroll1()->isVisible());
        QCOMPARE(form->VScroll1()->maximum(), vMax);
        QWidget *view = form->Picture1View();
        const auto shows = [&](int top) {
            const QPixmap grab = view->grab();
            if (grab.devicePixelRatio() != kRatio)
                return QStringLiteral("grab at ratio %1").arg(grab.devicePixelRatio());
            const QImage shown = grab.toImage();
            // The picture's device position inside the view: the layout's, less the view's own.
            const QPoint o(form->doc().layout().picture.x() - qRound(view->x() * kRatio), top - qRound(view->y() * kRatio));
            if (shown.width() < o.x() + picture.width() || shown.height() < o.y() + picture.height())
                return QStringLiteral("view %1x%2 cuts the picture").arg(shown.width()).arg(shown.height());
            return orvtest::firstDifference(picture.width(), picture.height(),
                                            [&](int x, int y) { return at(shown, x + o.x(), y + o.y()); },
                                            [&](int x, int y) { return at(board, x, y); });
        };
        QCOMPARE(shows(form->doc().layout().picture.y()), QString());
        // The zoom view magnifies in device pixels too: factor x factor blocks, alternating.
        r.stdButton("Zoom");
        QVERIFY(r.zoomWindow());
        // (A move without buttons comes as the window system sends it: offscreen has no cursor.)
        QMouseEvent move(QEvent::MouseMove, QPointF(8, 8), view->mapToGlobal(QPointF(8, 8)), Qt::NoButton, {}, {});
        QApplication::sendEvent(view, &move);
        const QImage zoomed = r.zoomWindow()->innerArea()->grab().toImage();
        const int f = r.state().zoomFactor;
        QCOMPARE(zoomed.size(), r.zoomWindow()->innerArea()->size() * kRatio);
        QCOMPARE(orvtest::firstDifference(8 * f, 8 * f, [&](int x, int y) { return at(zoomed, x, y); },
                                          [&](int x, int y) { return (x / f + y / f) % 2 ? at(zoomed, 0, f) : at(zoomed, 0, 0); }), QString());
        QVERIFY(at(zoomed, 0, 0) != at(zoomed, 0, f));
        if (!vScroll)
            return;
        // Each step of the bar moves the picture by 10 device pixels.
        form->VScroll1()->setValue(0);
        QCOMPARE(qRound(view->y() * kRatio), 0);
        form->VScroll1()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(qRound(view->y() * kRatio), -10);
        QCOMPARE(shows(-10), QString());
        form->VScroll1()->setValue(vMax);
        QCOMPARE(qRound(view->y() * kRatio), -10 * vMax);
        QCOMPARE(shows(-10 * vMax), QString());
    }
};

int main(int argc, char **argv)
{
    // The ratio of a 4K screen at 200 %, set before the application reads it.
    qputenv("QT_SCALE_FACTOR", QByteArray::number(kRatio));
    QApplication app(argc, argv);
    TestHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"
