// The Image menu's dialogs offscreen (resize, canvas size, rotate) and the menu commands that open them.
#include "FakeHost.h"
#include "testsupport.h"

#include "app/frmMain.h"
#include "base/AppState.h"
#include "base/Conversions.h"
#include "dialogs/ImageResize.h"
#include "dialogs/frmCanvas.h"
#include "dialogs/frmResize.h"
#include "dialogs/frmRotate.h"
#include "document/frmDocument.h"
#include "document/surface/PictureThreads.h"
#include "tools/OrvSliderWidget.h"

using namespace orv;

namespace {

// A document whose every pixel tells its position, for the size dialogs.
struct Fixture : orvtest::DocFixture {
    explicit Fixture(int w = 640, int h = 480) : DocFixture(w, h) { paint(at); }
    static Colour at(int x, int y) { return RGBColour(x & 0xFF, y & 0xFF, (x >> 8) + ((y >> 8) << 4)); }
};

} // namespace

class TestImageDialogs : public orvtest::FreshSettingsTest {
    Q_OBJECT
private slots:
    void resizePercentage()
    {
        const auto boxes = [](frmResize &d) { return d.TextW()->text() + QLatin1Char('x') + d.TextH()->text(); };
        Fixture f;
        frmResize dlg(f.doc);
        QCOMPARE(boxes(dlg), QStringLiteral("640x480"));
        QCOMPARE(dlg.Option2()->suffix(), QStringLiteral("%"));
        QCOMPARE((QList<int>{dlg.Option2()->minimum(), dlg.Option2()->maximum(), dlg.Option2()->value()}), (QList<int>{50, 200, 100}));
        QVERIFY(dlg.Option1(0)->isChecked() && dlg.Option2()->isHidden());
        // The slider moves the boxes only while "Percentage" is chosen.
        dlg.Option2()->setValue(150);
        QCOMPARE(boxes(dlg), QStringLiteral("640x480"));
        dlg.Option1(1)->setChecked(true);
        dlg.Option2()->setValue(50);
        QVERIFY(!dlg.Option2()->isHidden());
        QCOMPARE(boxes(dlg), QStringLiteral("320x240"));
        dlg.Option1(0)->setChecked(true);
        QVERIFY(dlg.Option2()->isHidden());

        // With a selection the boxes start at its size; the text is left unrounded.
        Fixture g(101, 51);
        g.marquee(10, 10, 21, 15);
        frmResize sel(g.doc);
        QCOMPARE(boxes(sel), QStringLiteral("11x5"));
        sel.Option1(1)->setChecked(true);
        sel.Option2()->setValue(150);
        QCOMPARE(boxes(sel), QStringLiteral("16.5x7.5"));
    }

    void largeResizesOnTwoThreads()
    {
        // From a megapixel on, a second thread shares the rows: the pixels and the progress are those of one thread.
        SetPictureThreads(2);
        Fixture f(2400, 1000);
        frmResize shrink(f.doc);
        shrink.Option1(1)->setChecked(true);
        shrink.Option2()->setValue(90);
        QTest::mouseClick(shrink.OKButton(), Qt::LeftButton);
        QCOMPARE(f.doc.Picture1.size(), QSize(2160, 900));
        QCOMPARE(shrink.progressRows(), 899);
        const double xs = 2160.0 / 2400, ys = 900.0 / 1000;
        QCOMPARE(f.differs([&](int x, int y) { return Fixture::at(CInt(x / xs), CInt(y / ys)); }), QString());
        Fixture g(800, 600);
        QVERIFY(ResizeDocument(g.doc, 1600, 1200));
        QCOMPARE(g.differs([](int x, int y) { return Fixture::at(x / 2, y / 2); }), QString());
        SetPictureThreads(0);
    }

    void resizeUnchangedOrHalvedPerPixel()
    {
        // 100 %: the picture as it was (the block path, no rows counted), still one undo step; 50 %: every
        // second pixel (x / 0.5 = 2x), every row counted, the window fitted to the picture.
        for (const int percent : {100, 50}) {
            Fixture f;
            const std::int16_t index = f.doc.UndoIndex();
            frmResize dlg(f.doc);
            dlg.Option1(1)->setChecked(true);
            dlg.Option2()->setValue(percent);
            QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);
            const int k = 100 / percent;
            const QSize size(640 / k, 480 / k);
            QCOMPARE((QList<QSize>{f.doc.Picture1.size(), f.doc.Picture2.size(), f.doc.PicOrg.size()}), (QList<QSize>(3, size)));
            QVERIFY(dlg.result() == QDialog::Accepted && dlg.Progress1()->isHidden());
            QCOMPARE(dlg.progressRows(), k == 1 ? 0 : 239);
            QCOMPARE(f.differs([k](int x, int y) { return Fixture::at(k * x, k * y); }), QString());
            QCOMPARE(f.doc.UndoIndex(), std::int16_t(index + 1));
            QCOMPARE(f.view.client, size);
            QCOMPARE(f.view.window, size + QSize(8, 26));
            f.doc.Undo(1);
            QCOMPARE(f.doc.Picture1.size(), QSize(640, 480));
        }

        // Shrinking one way only is per pixel too, ties to even: 3 -> 2 columns maps x = 1 to 1.5, so 2.
        Fixture g(3, 4);
        QVERIFY(ResizeDocument(g.doc, 2, 4));
        QCOMPARE(g.doc.Picture1.size(), QSize(2, 4));
        QCOMPARE(g.differs([](int x, int y) { return Fixture::at(2 * x, y); }), QString());
    }

    void badSizesEndSilently()
    {
        // No number or no possible size: OK in either dialog keeps it open as typed, the picture and history as they were.
        Fixture f(50, 40);
        const QImage before = f.doc.Picture1.Image().copy();
        const std::int16_t index = f.doc.UndoIndex();
        const auto attempt = [&](auto &dlg, const char *w, const char *h) {
            dlg.show();
            dlg.TextW()->setText(QString::fromLatin1(w));
            dlg.TextH()->setText(QString::fromLatin1(h));
            QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);
            QVERIFY2(dlg.isVisible() && dlg.result() == QDialog::Rejected, w);
            QCOMPARE(dlg.TextW()->text(), QString::fromLatin1(w));
            QCOMPARE(f.doc.Picture1.Image(), before);
            QCOMPARE(f.doc.UndoIndex(), index);
        };
        for (const auto &[w, h] : {std::pair{"0", "40"}, {"-5", "40"}, {"abc", "40"}, {"50", ""}, {"50", "40000"},
                                   {"30000", "30000"}, {"50", "1e9"}}) {
            frmResize resize(f.doc);
            attempt(resize, w, h);
            QVERIFY(resize.Progress1()->isHidden());
            frmCanvas canvas(f.doc);
            attempt(canvas, w, h);
        }
        QVERIFY(!ResizeDocument(f.doc, 0, 10));
        QVERIFY(!ResizeDocument(f.doc, MaxImageSide() + 1, 10));
        QCOMPARE(f.doc.Picture1.Image(), before);
    }

    void resizeKeepsTheSelection()
    {
        // Enlarging (one block) and halving (per pixel) scale the whole picture, not just the selection, which stays; one undo.
        for (const QSize to : {QSize(80, 90), QSize(20, 15)}) {
            Fixture f(40, 30);
            f.marquee(5, 5, 15, 12);
            QVERIFY(f.doc.RectHWND);
            const QRectF outline = orvtest::outlineOf(f.doc);
            frmResize dlg(f.doc);
            dlg.TextW()->setText(QString::number(to.width()));
            dlg.TextH()->setText(QString::number(to.height()));
            QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);
            QCOMPARE(f.doc.Picture1.size(), to);
            const bool up = to.width() > 40;
            QCOMPARE(f.differs([up](int x, int y) { return up ? Fixture::at(x / 2, y / 3) : Fixture::at(2 * x, 2 * y); }), QString());
            QVERIFY(f.doc.RectHWND && f.doc.ShapeRect1.Visible);
            QCOMPARE(orvtest::outlineOf(f.doc), outline);
            f.doc.Undo(1);
            QCOMPARE(f.doc.Picture1.size(), QSize(40, 30));
            QCOMPARE(f.differs(Fixture::at), QString());
        }
    }

    void canvasGrowsAndShrinksAtTopLeft()
    {
        // The new area takes the surface's background colour from when the window was made, not the one chosen since.
        Fixture f(30, 20);
        const Colour surface = f.doc.Picture1.BackColor;
        f.host.st.backColour = RGBColour(0, 0, 170);
        QVERIFY(surface != f.host.st.backColour);
        frmCanvas dlg(f.doc);
        const std::int16_t index = f.doc.UndoIndex();
        dlg.TextW()->setText(QStringLiteral("45"));
        dlg.TextH()->setText(QStringLiteral("25"));
        // Enter in a box presses OK.
        QTest::keyClick(dlg.TextH(), Qt::Key_Return);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(f.doc.PicOrg.size(), QSize(45, 25));
        QCOMPARE(f.doc.UndoIndex(), std::int16_t(index + 1));
        QCOMPARE(f.differs([surface](int x, int y) { return x < 30 && y < 20 ? Fixture::at(x, y) : surface; }), QString());
        QVERIFY(f.doc.Picture1.BackColor == surface && f.host.st.backColour == RGBColour(0, 0, 170));
        QVERIFY(ResizeCanvas(f.doc, 10, 5));
        QCOMPARE(f.doc.Picture1.size(), QSize(10, 5));
        QCOMPARE(f.differs(Fixture::at), QString());
        f.doc.Undo(1);
        QCOMPARE(f.doc.Picture1.size(), QSize(45, 25));
    }

    void rotateDialogRules()
    {
        Fixture f(21, 21);
        FrmRotate dlg(f.doc);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        const auto type = [&](const QString &text) {   // the last key typed in the box, as the user types it
            dlg.TextAngle()->setText(text.chopped(1));
            QTest::keyClick(dlg.TextAngle(), text.back().toLatin1());
        };
        QVERIFY(dlg.Angle == 90.0 && dlg.Direction == 0);
        QVERIFY(!dlg.TextAngle()->isEnabled() && dlg.Progress1()->isHidden());
        QCOMPARE(dlg.TextAngle()->text(), QStringLiteral("45"));
        for (const auto &[option, angle] : {std::pair{1, 180.0}, {2, 270.0}}) {
            dlg.Option2(option)->click();
            QCOMPARE(dlg.Angle, angle);
        }
        dlg.Option2(3)->click();
        QVERIFY(dlg.TextAngle()->isEnabled() && dlg.Angle == 45.0);
        // 400 is out of range: the box is emptied and the angle stays.
        for (const char *outside : {"400", "-1"}) {
            type(QLatin1String(outside));
            QVERIFY(dlg.TextAngle()->text().isEmpty() && dlg.Angle == 45.0);
        }
        type(QStringLiteral("30"));
        QCOMPARE(dlg.Angle, 30.0);
        // 45 and Enter: angle 45 and the focus on OK.
        dlg.TextAngle()->setFocus();
        dlg.TextAngle()->setText(QStringLiteral("45"));
        QTest::keyClick(dlg.TextAngle(), Qt::Key_Return);
        QCOMPARE(dlg.Angle, 45.0);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(dlg.cmdOK()));

        // Left negates; OK rotates the document and hands back radians.
        dlg.Option1(1)->click();
        QCOMPARE(dlg.Direction, std::int16_t(1));
        dlg.Option2(0)->click();
        QTest::mouseClick(dlg.cmdOK(), Qt::LeftButton);
        QVERIFY(dlg.Angle == -(90 * 2 * double(Pi) / 360) && dlg.result() == QDialog::Accepted);
        // A quarter turn to the left about (10, 10) (CInt(10.5) = 10): (x, y) comes from (20 - y, x).
        QCOMPARE(f.differs([](int x, int y) { return Fixture::at(20 - y, x); }), QString());
    }

    void imageMenuOpensTheDialogs()
    {
        frmMain main;
        main.MDIForm_Load();
        // Without a document the commands do nothing.
        int opened = 0;
        main.imageDialogHook = [&opened](QDialog &) { ++opened; };
        main.menuItem(QStringLiteral("mnuImageRotate"))->trigger();
        QCOMPARE(opened, 0);

        Document &doc = main.NewDocument()->doc();
        const QSize size = doc.Picture1.size();
        QString seen;
        main.imageDialogHook = [&](QDialog &d) {
            ++opened;
            seen = d.objectName();
            if (auto *canvas = qobject_cast<frmCanvas *>(&d)) {
                QCOMPARE(canvas->TextW()->text(), QString::number(size.width()));
                QCOMPARE(canvas->TextH()->text(), QString::number(size.height()));
                canvas->TextW()->setText(QString::number(size.width() + 10));
                QTest::mouseClick(canvas->OKButton(), Qt::LeftButton);
            } else if (auto *resize = qobject_cast<frmResize *>(&d)) {
                resize->TextW()->setText(QStringLiteral("20"));
                resize->TextH()->setText(QStringLiteral("10"));
                QTest::mouseClick(resize->OKButton(), Qt::LeftButton);
            } else if (auto *rotate = qobject_cast<FrmRotate *>(&d)) {
                rotate->Option2(1)->click();
                QTest::mouseClick(rotate->cmdOK(), Qt::LeftButton);
            }
        };
        for (const auto &[item, dialog, after] : {std::tuple{"mnuImageCanvasSize", "frmCanvas", QSize(size.width() + 10, size.height())},
                                                  {"mnuImageRotate", "FrmRotate", QSize(size.width() + 10, size.height())},   // a half turn
                                                  {"mnuImageResize", "frmResize", QSize(20, 10)}}) {
            main.menuItem(QLatin1String(item))->trigger();
            QCOMPARE(seen, QLatin1String(dialog));
            QCOMPARE(doc.Picture1.size(), after);
        }
        QCOMPARE(opened, 3);
    }
};

QTEST_MAIN(TestImageDialogs)
#include "tst_imagedialogs.moc"
