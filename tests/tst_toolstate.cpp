// The main window's tool state through what the user touches: the property sliders kept over a
// real restart, the standard toolbar's Tile and Mirror buttons, the one-shot colour tools chosen
// twice, the cool bar following the View menu, and the drawing-font dialog.
#include "testsupport.h"

#include "app/frmMain.h"
#include "document/frmDocument.h"
#include "tools/OrvSliderWidget.h"
#include "tools/frmFontDialog.h"

#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolBar>

#include <memory>

using namespace orv;

namespace {

// The main window as the program starts it, shown, with one blank image open (the tool
// buttons are enabled only while an image is open).
struct Running {
    frmMain w;
    frmDocument *doc = nullptr;
    Running()
    {
        w.msgBoxHook = [](const QString &, int, const QString &) { return int(Msg::No); };
        w.MDIForm_Load();
        w.show();
        w.menuItem(QStringLiteral("mnuWindowNewWindow"))->trigger();
        doc = w.ActiveForm();
    }
    // A click on a toolbar button, as the user gives it.
    void click(QToolBar *bar, QAction *button) { QTest::mouseClick(bar->widgetForAction(button), Qt::LeftButton); }
    void tool(const char *key) { click(w.TbEdit(), w.tbEditButton(QString::fromLatin1(key))); }
    void stdButton(const char *key) { click(w.TbStd(), w.tbStdButton(QString::fromLatin1(key))); }
    bool pressed(const char *key) { return w.tbStdButton(QString::fromLatin1(key))->isChecked(); }
    // Arrow-key presses on a property slider: positive steps right, negative left.
    static void nudge(OrvSlider *slider, int steps)
    {
        slider->slider()->setFocus();
        for (int i = 0; i < std::abs(steps); ++i)
            QTest::keyClick(slider->slider(), steps > 0 ? Qt::Key_Right : Qt::Key_Left);
    }
    void pressOnImage(QPoint at) { QTest::mouseClick(doc->Picture1View(), Qt::LeftButton, {}, at); }
};

} // namespace

class TestToolState : public QObject {
    Q_OBJECT
    std::unique_ptr<orvtest::PrivateSettings> m_settings;   // a fresh settings folder per test
private slots:
    void init() { m_settings = std::make_unique<orvtest::PrivateSettings>(); }
    void cleanup() { m_settings.reset(); }

    void slidersSurviveARestart()
    {
        {
            Running r;
            // The pen width from the tool bar's Pencil, the spray's three from its Spray.
            r.tool("Pencil");
            QCOMPARE(r.w.OptWidth()->value(), 1);
            Running::nudge(r.w.OptWidth(), 4);
            r.tool("Spray");
            QCOMPARE(r.w.OptDensity()->value(), 50);
            Running::nudge(r.w.OptWidth(), 2);
            Running::nudge(r.w.OptDensity(), 30);
            Running::nudge(r.w.OptRadius(), -5);
            QCOMPARE(r.w.state().pen.widthX, 5);
            QCOMPARE(r.w.state().spray.density, std::int16_t(80));
            r.w.close();
        }
        // A new main window reads them back from the settings file, and the sliders show them.
        for (int start = 0; start < 2; ++start) {
            Running r;
            QCOMPARE(r.w.state().pen.widthX, 5);
            QCOMPARE(r.w.state().spray.widthX, std::int16_t(3));
            QCOMPARE(r.w.state().spray.density, std::int16_t(80));
            QCOMPARE(r.w.state().spray.radius, std::int16_t(25));
            // After the load every slider is hidden and "Nothing" shows (the ranges: tst_mainwindow).
            QVERIFY(r.w.OptWidth()->isHidden() && r.w.OptDensity()->isHidden() && r.w.OptRadius()->isHidden());
            QVERIFY(!r.w.LblNothing()->isHidden());
            r.tool("Line");
            QCOMPARE(r.w.OptWidth()->value(), 5);
            r.tool("Spray");
            QCOMPARE(r.w.OptWidth()->value(), 3);
            QCOMPARE(r.w.OptDensity()->value(), 80);
            QCOMPARE(r.w.OptRadius()->value(), 25);
            // A tool from the Image menu loads the pen width too, and its slider stays live.
            r.w.menuItem(QStringLiteral("mnuImageRectangle"))->trigger();
            QCOMPARE(r.w.OptWidth()->value(), 5);
            r.w.close();   // the second start writes them back unchanged
        }
    }

    void tileStaysPressedMirrorReleasesIt()
    {
        Running r;
        Document &d = r.doc->doc();
        for (int i = 0; i < 2; ++i) {
            r.stdButton("Tile");
            QVERIFY(r.pressed("Tile"));
            QVERIFY(r.w.state().tile);
        }
        // Mirror releases Tile and ends tile mode; Tile releases Mirror and ends mirror drawing.
        r.stdButton("Mirror");
        QVERIFY(r.pressed("Mirror"));
        QVERIFY(!r.pressed("Tile"));
        QVERIFY(!r.w.state().tile);
        QVERIFY(d.MirrorEnabled());
        r.stdButton("Tile");
        QVERIFY(r.pressed("Tile"));
        QVERIFY(!r.pressed("Mirror"));
        QVERIFY(r.w.state().tile);
        QVERIFY(!d.MirrorEnabled());
        // Mirror, unlike Tile, is released by a second click.
        r.stdButton("Mirror");
        r.stdButton("Mirror");
        QVERIFY(!r.pressed("Mirror"));
        QVERIFY(!d.MirrorEnabled());
    }

    void colourToolsChosenTwice()
    {
        Running r;
        QAction *setTransparent = r.w.menuItem(QStringLiteral("mnuColorSetTransparent"));
        r.tool("Pencil");
        // "Set Transparent Color" twice: the pick takes the colour and hands back the pencil.
        setTransparent->trigger();
        setTransparent->trigger();
        QCOMPARE(r.w.state().currentTool, QStringLiteral("Set Transparent Color"));
        QCOMPARE(r.w.state().previousTool, QStringLiteral("Pencil"));
        r.pressOnImage(QPoint(3, 3));
        QCOMPARE(r.w.state().currentTool, QStringLiteral("Pencil"));

        // Dropper pressed while it is the tool, then the transparent pick-up on top of it: the
        // colour taken, the tool in use before both comes back.
        r.tool("Line");
        r.tool("Dropper");
        r.tool("Dropper");
        setTransparent->trigger();
        QCOMPARE(r.w.state().previousTool, QStringLiteral("Line"));
        r.pressOnImage(QPoint(4, 4));
        QCOMPARE(r.w.state().currentTool, QStringLiteral("Line"));
        r.tool("Dropper");
        r.tool("Dropper");
        r.pressOnImage(QPoint(5, 5));
        QCOMPARE(r.w.state().currentTool, QStringLiteral("Line"));
        QCOMPARE(r.w.state().foreColour, Colour(0xFFFFFF));   // the blank image's white
        // The tool bar and the property panel show the line again.
        QVERIFY(r.w.tbEditButton(QStringLiteral("Line"))->isChecked());
        QVERIFY(!r.w.tbEditButton(QStringLiteral("Dropper"))->isChecked());
        QVERIFY(!r.w.OptWidth()->isHidden());
    }

    void coolBarFollowsTheViewItems()
    {
        // The workspace moves up and down with the bands at once, without waiting for events.
        Running r;
        QAction *standard = r.w.menuItem(QStringLiteral("mnuViewToolStd"));
        QAction *tools = r.w.menuItem(QStringLiteral("mnuViewEdit"));
        const int menuBottom = r.w.menuBar()->geometry().bottom();
        const int withBands = r.w.workspace()->geometry().top();
        QVERIFY(withBands > menuBottom + 1);
        standard->trigger();
        QVERIFY(r.w.TbStd()->isHidden());
        QVERIFY(r.w.workspace()->geometry().top() >= r.w.TbEdit()->geometry().bottom());
        tools->trigger();
        QVERIFY(r.w.TbEdit()->isHidden());
        QCOMPARE(r.w.workspace()->geometry().top(), menuBottom + 1);
        standard->trigger();
        tools->trigger();
        QVERIFY(standard->isChecked() && tools->isChecked());
        QCOMPARE(r.w.workspace()->geometry().top(), withBands);
    }

    void editFontSetsFontAndColour()
    {
        // A font the machine has in a bold style too, other than the dialog's first choice.
        QString family;
        for (const QString &f : QFontDatabase::families())
            if (QFontDatabase::styles(f).contains(QStringLiteral("Bold")))
                family = f;
        if (family.isEmpty())
            QSKIP("no font with a bold style on this machine");
        Running r;
        Document &d = r.doc->doc();
        r.w.state().drawColour = RGBColour(0, 0, 128);
        const QFont before = d.Picture1.Font;
        const Colour beforeColour = d.Picture1.ForeColor;
        QFont wanted(family, 14);
        wanted.setBold(true);
        wanted.setUnderline(true);
        wanted.setStrikeOut(true);
        bool accept = false;
        Colour offered = 0xFFFFFFFF;
        r.w.fontDialogHook = [&](frmFontDialog &dlg) {
            offered = dlg.selectedColour();
            dlg.show();
            dlg.fontChooser()->setCurrentFont(wanted);
            // The colour from the list by keyboard: Navy is the entry offered, Purple the next.
            dlg.ColorCombo()->setFocus();
            QTest::keyClick(dlg.ColorCombo(), Qt::Key_Down);
            QTest::mouseClick(accept ? dlg.OKButton() : dlg.CancelButton(), Qt::LeftButton);
        };
        // Cancel leaves the document's font and colour.
        r.w.TbStd_ButtonClick(QStringLiteral("Font"));
        QCOMPARE(offered, RGBColour(0, 0, 128));
        QCOMPARE(d.Picture1.Font, before);
        QCOMPARE(d.Picture1.ForeColor, beforeColour);
        accept = true;
        r.w.TbStd_ButtonClick(QStringLiteral("Font"));
        QCOMPARE(d.Picture1.Font.family(), family);
        QVERIFY(d.Picture1.Font.bold());
        QVERIFY(d.Picture1.Font.underline());
        QVERIFY(d.Picture1.Font.strikeOut());
        QCOMPARE(d.Picture1.ForeColor, RGBColour(128, 0, 128));

        // "Other..." asks the colour dialog; its Cancel keeps the colour chosen before.
        std::optional<QColor> answer = QColor(1, 2, 3);
        r.w.colorDialogHook = [&](const QColor &) { return answer; };
        r.w.fontDialogHook = [&](frmFontDialog &dlg) {
            dlg.show();
            QComboBox *list = dlg.ColorCombo();
            list->setFocus();
            QTest::keyClick(list, Qt::Key_End);   // "Other..."
            QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);
        };
        r.w.TbStd_ButtonClick(QStringLiteral("Font"));
        QCOMPARE(d.Picture1.ForeColor, RGBColour(1, 2, 3));
        answer.reset();
        r.w.TbStd_ButtonClick(QStringLiteral("Font"));
        QCOMPARE(d.Picture1.ForeColor, RGBColour(0, 0, 128));   // the drawing colour it offered
    }
};

QTEST_MAIN(TestToolState)
#include "tst_toolstate.moc"
