// The zoom view: factor steps and caption, the saved position kept on the screen, opening and
// closing with the toolbar button, and the magnified copy a pointer move makes.
#include "testsupport.h"

#include "app/AppInfo.h"
#include "app/SettingsStore.h"
#include "app/frmMain.h"
#include "aux/ZoomRules.h"
#include "aux/frmZoom.h"
#include "document/frmDocument.h"

#include <QAction>
#include <QTest>
#include <QToolBar>

using namespace orv;

class TestZoom : public QObject {
    Q_OBJECT
private slots:
    void factorSequences();
    void positionClamping();
    void openCloseAndButton();
    void pointerMoveFillsZoomView();
};

void TestZoom::factorSequences()
{
    QList<int> up{4};
    while (up.last() < 20)
        up << ZoomIn(std::int16_t(up.last()));
    QCOMPARE(up, (QList<int>{4, 6, 8, 11, 14, 18, 23}));
    QCOMPARE(ZoomIn(19), std::int16_t(24));
    QCOMPARE(ZoomIn(20), std::int16_t(20));
    QCOMPARE(ZoomIn(24), std::int16_t(24));
    QCOMPARE(ZoomIn(1), std::int16_t(2));

    QList<int> down{23};
    while (down.last() > 1)
        down << ZoomOut(std::int16_t(down.last()));
    QCOMPARE(down, (QList<int>{23, 19, 15, 12, 10, 8, 6, 5, 4, 3, 2, 1}));
    QCOMPARE(ZoomOut(1), std::int16_t(1));
    QCOMPARE(ZoomOut(24), std::int16_t(20));
    // Whatever the presses, the factor stays within 1..24.
    for (int f = 1; f <= 24; ++f) {
        QVERIFY(ZoomIn(std::int16_t(f)) >= 1 && ZoomIn(std::int16_t(f)) <= 24);
        QVERIFY(ZoomOut(std::int16_t(f)) >= 1 && ZoomOut(std::int16_t(f)) <= 24);
    }
    QCOMPARE(ZoomCaption(4), QStringLiteral("Zoom 4 X"));
    QCOMPARE(ZoomCaption(23), QStringLiteral("Zoom 23 X"));
}

void TestZoom::positionClamping()
{
    const QSize win(210, 200), screen(1280, 800);
    QCOMPARE(ClampZoomPosition({100, 50}, win, screen), QPoint(100, 50));
    QCOMPARE(ClampZoomPosition({5000, 50}, win, screen), QPoint(1070, 50));
    QCOMPARE(ClampZoomPosition({100, 9000}, win, screen), QPoint(100, 600));
    QCOMPARE(ClampZoomPosition({2'000'000'000, 2'000'000'000}, win, screen), QPoint(1070, 600));
    QCOMPARE(ClampZoomPosition({1070, 600}, win, screen), QPoint(1070, 600));
    QCOMPARE(ClampZoomPosition({-40, -30}, win, screen), QPoint(-40, -30));
}

void TestZoom::openCloseAndButton()
{
    orvtest::PrivateSettings settings;
    // A position saved far beyond the right and bottom edges (in twips).
    SaveSetting(AppTitle(), QStringLiteral("frmZoom"), QStringLiteral("Left"), QStringLiteral("9000000"));
    SaveSetting(AppTitle(), QStringLiteral("frmZoom"), QStringLiteral("Top"), QStringLiteral("9000000"));
    frmMain w;
    w.MDIForm_Load();
    w.show();
    w.NewDocument();   // the button works while an image is open
    QAction *button = w.tbStdButton(QStringLiteral("Zoom"));
    button->trigger();
    frmZoom *zoom = w.zoomWindow();
    QVERIFY(zoom);
    QVERIFY(zoom->isVisible());
    QVERIFY(w.state().zoomWindow);
    QCOMPARE(w.ToolbarButtonValue(QStringLiteral("Zoom")), 1);
    QVERIFY(zoom->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(zoom->testAttribute(Qt::WA_ShowWithoutActivating));
    const QSize screen = w.ScreenPixels();
    QCOMPARE(zoom->pos(), QPoint(screen.width() - zoom->frameGeometry().width(),
                                 screen.height() - zoom->frameGeometry().height()));
    QCOMPARE(zoom->windowTitle(), QStringLiteral("Zoom 4 X"));
    QCOMPARE(zoom->button(QStringLiteral("Plus"))->toolTip(), QStringLiteral("Zoom In"));
    QCOMPARE(zoom->button(QStringLiteral("Minus"))->toolTip(), QStringLiteral("Zoom Out"));
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
    button->trigger();
    QVERIFY(!zoom->isVisible());
    QVERIFY(!w.state().zoomWindow);
    QVERIFY(!w.ZoomSurface());
    button->trigger();
    QCOMPARE(w.zoomWindow(), zoom);
    QVERIFY(w.ZoomSurface());

    // Its own close box: switch off, button released, position saved in twips.
    zoom->move(120, 90);
    const QPoint at = zoom->pos();
    zoom->close();
    QVERIFY(!w.state().zoomWindow);
    QCOMPARE(w.ToolbarButtonValue(QStringLiteral("Zoom")), 0);
    QCOMPARE(GetSetting(AppTitle(), QStringLiteral("frmZoom"), QStringLiteral("Left")), QString::number(at.x() * 15));
    QCOMPARE(GetSetting(AppTitle(), QStringLiteral("frmZoom"), QStringLiteral("Top")), QString::number(at.y() * 15));
    QTRY_VERIFY(!w.zoomWindow());
    QVERIFY(!w.ZoomSurface());
    // The factor outlives the window.
    QCOMPARE(w.state().zoomFactor, std::int16_t(4));
    for (frmDocument *d : w.documents())
        d->doc().setSaveReq(false);
    w.close();
}

void TestZoom::pointerMoveFillsZoomView()
{
    orvtest::PrivateSettings settings;
    frmMain w;
    w.MDIForm_Load();
    w.show();
    frmDocument *form = w.NewDocument();
    Document &doc = form->doc();
    doc.Picture1.resize(200, 200);
    doc.Picture1.Cls();
    // A black 4 x 4 block at (100, 100) on white.
    for (int y = 100; y < 104; ++y)
        for (int x = 100; x < 104; ++x)
            doc.Picture1.PSet(x, y, 0x000000);
    w.tbStdButton(QStringLiteral("Zoom"))->trigger();
    frmZoom *zoom = w.zoomWindow();
    QVERIFY(zoom);
    zoom->surface().Cls();
    doc.Picture1_MouseMove(0, 0, 101.0f, 101.0f);
    const QImage view = zoom->surface().Image();
    const int f = w.state().zoomFactor;
    const QPoint c(view.width() / 2, view.height() / 2);
    // Around the centre the block shows f times larger; far from it the view is white.
    QCOMPARE(QColor(view.pixel(c)), QColor(Qt::black));
    QCOMPARE(QColor(view.pixel(c + QPoint(f, f))), QColor(Qt::black));
    QCOMPARE(QColor(view.pixel(c + QPoint(3 * f + 1, 3 * f + 1))), QColor(Qt::white));
    QCOMPARE(QColor(view.pixel(1, 1)), QColor(Qt::white));
    // Hidden: moves no longer touch the view.
    w.tbStdButton(QStringLiteral("Zoom"))->trigger();
    zoom->surface().Cls();
    doc.Picture1_MouseMove(0, 0, 101.0f, 101.0f);
    QCOMPARE(QColor(zoom->surface().Image().pixel(c)), QColor(Qt::white));
    doc.setSaveReq(false);
    w.close();
}

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"
