// The zoom view: factor steps, its saved position, the toolbar button, the magnified copy.
#include "uihelpers.h"
#include "aux/ZoomRules.h"
#include "aux/frmZoom.h"
#include "document/frmDocument.h"

using namespace orv;

class TestZoom : public QObject {
    Q_OBJECT
private slots:
    void factorStepsAndPositionRule()
    {
        QList<int> up{4};
        while (up.last() < 20)
            up << ZoomIn(std::int16_t(up.last()));
        QCOMPARE(up, (QList<int>{4, 6, 8, 11, 14, 18, 23}));
        QCOMPARE((QList<int>{ZoomIn(19), ZoomIn(20), ZoomIn(24), ZoomIn(1)}), (QList<int>{24, 20, 24, 2}));

        QList<int> down{23};
        while (down.last() > 1)
            down << ZoomOut(std::int16_t(down.last()));
        QCOMPARE(down, (QList<int>{23, 19, 15, 12, 10, 8, 6, 5, 4, 3, 2, 1}));
        QCOMPARE((QList<int>{ZoomOut(1), ZoomOut(24)}), (QList<int>{1, 20}));
        // Whatever the presses, the factor stays within 1..24.
        for (std::int16_t f = 1; f <= 24; ++f)
            QVERIFY(ZoomIn(f) >= 1 && ZoomIn(f) <= 24 && ZoomOut(f) >= 1 && ZoomOut(f) <= 24);

        const QSize win(210, 200), screen(1280, 800);
        // Pulled back past the right and bottom edges only; a window partly off the top left stays.
        for (const auto &[from, to] : {std::pair{QPoint(100, 50), QPoint(100, 50)}, {QPoint(5000, 50), QPoint(1070, 50)},
                                       {QPoint(100, 9000), QPoint(100, 600)}, {QPoint(2'000'000'000, 2'000'000'000), QPoint(1070, 600)},
                                       {QPoint(1070, 600), QPoint(1070, 600)}, {QPoint(-40, -30), QPoint(-40, -30)}})
            QCOMPARE(ClampZoomPosition(from, win, screen), to);
    }

    void openCloseAndButton()
    {
        orvtest::PrivateSettings settings;
        // A position saved far beyond the right and bottom edges (in twips).
        orvtest::store("frmZoom", "Left", QStringLiteral("9000000"));
        orvtest::store("frmZoom", "Top", QStringLiteral("9000000"));
        orvtest::ShownMain w;
        w.NewDocument();   // the button works while an image is open
        w.stdButton("Zoom");
        frmZoom *zoom = w.zoomWindow();
        QVERIFY(zoom && zoom->isVisible() && w.state().zoomWindow);
        QCOMPARE(w.ToolbarButtonValue(QStringLiteral("Zoom")), 1);
        QVERIFY((zoom->windowFlags() & Qt::WindowStaysOnTopHint) && zoom->testAttribute(Qt::WA_ShowWithoutActivating));
        const QSize screen = w.ScreenPixels();
        QCOMPARE(zoom->pos(), QPoint(screen.width() - zoom->frameGeometry().width(), screen.height() - zoom->frameGeometry().height()));
        QCOMPARE(zoom->windowTitle(), QStringLiteral("Zoom 4 X"));
        const QSize inner = zoom->innerArea()->size();
        QCOMPARE(zoom->Shape1(), QRect(inner.width() / 2, inner.height() / 2, 5, 5));
        QCOMPARE(zoom->surface().size(), inner);

        zoom->button(QStringLiteral("Plus"))->trigger();
        QCOMPARE(w.state().zoomFactor, std::int16_t(6));
        QCOMPARE(zoom->windowTitle(), QStringLiteral("Zoom 6 X"));
        zoom->button(QStringLiteral("Minus"))->trigger();
        zoom->button(QStringLiteral("Minus"))->trigger();
        QCOMPARE(zoom->windowTitle(), QStringLiteral("Zoom 4 X"));

        // The button again hides it; the surface is no longer offered to the document.
        w.stdButton("Zoom");
        QVERIFY(!zoom->isVisible() && !w.state().zoomWindow && !w.ZoomSurface());
        w.stdButton("Zoom");
        QVERIFY(w.zoomWindow() == zoom && w.ZoomSurface());

        // Its own close box: switch off, button released, position saved in twips.
        zoom->move(120, 90);
        const QPoint at = zoom->pos();
        zoom->close();
        QVERIFY(!w.state().zoomWindow);
        QCOMPARE(w.ToolbarButtonValue(QStringLiteral("Zoom")), 0);
        QCOMPARE(orvtest::setting("frmZoom", "Left"), QString::number(at.x() * 15));
        QCOMPARE(orvtest::setting("frmZoom", "Top"), QString::number(at.y() * 15));
        QTRY_VERIFY(!w.zoomWindow());
        QVERIFY(!w.ZoomSurface());
        QCOMPARE(w.state().zoomFactor, std::int16_t(4));   // the factor outlives the window
    }

    void pointerMoveFillsZoomView()
    {
        orvtest::PrivateSettings settings;
        orvtest::LoadedMain w;
        w.show();
        frmDocument *form = w.NewDocument();
        Document &doc = form->doc();
        doc.Picture1.resize(200, 200);
        auto colourAt = [](int x, int y) { return Colour((x * 37 + y * 91) & 0xFFFFFF); };
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                doc.Picture1.PSet(x, y, colourAt(x, y));
        w.tbStdButton(QStringLiteral("Zoom"))->trigger();
        frmZoom *zoom = w.zoomWindow();
        QVERIFY(zoom && QTest::qWaitForWindowExposed(zoom));
        const int f = w.state().zoomFactor;
        QSize view = zoom->surface().size();
        QCOMPARE(view, QSize(200, 160));
        // The view shows the block around the pointer, each pixel f x f, moved back inside the image near an edge.
        auto expectView = [&](QPoint pointer) {
            const int hw = view.width() / (2 * f), hh = view.height() / (2 * f);
            const int sx = std::clamp(pointer.x() - hw, 0, 200 - 2 * hw);
            const int sy = std::clamp(pointer.y() - hh, 0, 200 - 2 * hh);
            for (int y = 0; y < view.height(); ++y)
                for (int x = 0; x < view.width(); ++x)
                    if (zoom->surface().Point(x, y) != colourAt(sx + x / f, sy + y / f))
                        return false;
            return true;
        };
        for (const QPoint pointer : {QPoint(101, 101), QPoint(2, 3), QPoint(199, 190)}) {
            zoom->surface().Cls();
            doc.Picture1_MouseMove(0, 0, float(pointer.x()), float(pointer.y()));
            zoom->innerArea()->repaint();
            QVERIFY2(expectView(pointer), qPrintable(QStringLiteral("pointer at %1,%2").arg(pointer.x()).arg(pointer.y())));
        }
        // A larger window: the magnified copy fills the larger inner area.
        zoom->resize(zoom->width() + 120, zoom->height() + 80);
        QTRY_COMPARE(zoom->innerArea()->size(), QSize(320, 240));
        view = zoom->surface().size();
        QCOMPARE(view, QSize(320, 240));
        QCOMPARE(zoom->Shape1(), QRect(160, 120, 5, 5));
        doc.Picture1_MouseMove(0, 0, 101.0f, 101.0f);
        zoom->innerArea()->repaint();
        QVERIFY(expectView(QPoint(101, 101)));
        // Many moves between two frames: one copy, of the last position.
        for (int i = 0; i < 50; ++i)
            doc.Picture1_MouseMove(0, 0, float(20 + i), 60.0f);
        zoom->innerArea()->repaint();
        QVERIFY(expectView(QPoint(69, 60)));

        // Hidden: moves no longer reach the view; shown again, it has the last position it saw.
        w.tbStdButton(QStringLiteral("Zoom"))->trigger();
        doc.Picture1_MouseMove(0, 0, 101.0f, 101.0f);
        w.tbStdButton(QStringLiteral("Zoom"))->trigger();
        zoom->surface().Cls();
        zoom->copyFollowed();
        QVERIFY(expectView(QPoint(69, 60)));

        // A document closed before the next frame leaves the view as it was.
        doc.Picture1_MouseMove(0, 0, 50.0f, 50.0f);
        doc.setSaveReq(false);
        QPointer<frmDocument> gone(form);
        form->parentWidget()->close();
        QTRY_VERIFY(!gone);
        zoom->surface().Cls();
        zoom->copyFollowed();
        QCOMPARE(zoom->surface().Point(100, 80), Colour(0xFFFFFF));
        w.close();
    }
};

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"
