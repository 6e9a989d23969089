// Tool state through what the user touches: sliders over a restart, Tile/Mirror, colour tools, bands, font.
#include "uihelpers.h"

#include "document/frmDocument.h"
#include "tools/OrvSliderWidget.h"
#include "tools/frmFontDialog.h"

using namespace orv;

namespace {

// The main window as the program starts it, with one blank image open (the tool buttons need one).
struct Running : orvtest::ShownMain {
    frmDocument *doc = nullptr;
    Running()
    {
        menuItem(QStringLiteral("mnuWindowNewWindow"))->trigger();
        doc = ActiveForm();
    }
    bool pressed(const char *key) { return tbStdButton(QString::fromLatin1(key))->isChecked(); }
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

class TestToolState : public orvtest::FreshSettingsTest {
    Q_OBJECT
private slots:
    void slidersSurviveARestart()
    {
        {
            Running r;
            // The pen width from the tool bar's Pencil, the spray's three from its Spray.
            r.tool("Pencil");
            QCOMPARE(r.OptWidth()->value(), 1);
            Running::nudge(r.OptWidth(), 4);
            r.tool("Spray");
            QCOMPARE(r.OptDensity()->value(), 50);
            Running::nudge(r.OptWidth(), 2);
            Running::nudge(r.OptDensity(), 30);
            Running::nudge(r.OptRadius(), -5);
            QCOMPARE(r.state().pen.widthX, 5);
            QCOMPARE(r.state().spray.density, std::int16_t(80));
            r.close();
        }
        // A new main window reads them back from the settings file, and the sliders show them.
        for (int start = 0; start < 2; ++start) {
            Running r;
            QCOMPARE(r.state().pen.widthX, 5);
            QCOMPARE((QList<int>{r.state().spray.widthX, r.state().spray.density, r.state().spray.radius}), (QList<int>{3, 80, 25}));
            // After the load every slider is hidden and "Nothing" shows (the ranges: tst_mainwindow).
            QVERIFY(r.OptWidth()->isHidden() && r.OptDensity()->isHidden() && r.OptRadius()->isHidden());
            QVERIFY(!r.LblNothing()->isHidden());
            r.tool("Line");
            QCOMPARE(r.OptWidth()->value(), 5);
            r.tool("Spray");
            QCOMPARE((QList<int>{r.OptWidth()->value(), r.OptDensity()->value(), r.OptRadius()->value()}), (QList<int>{3, 80, 25}));
            // A tool from the Image menu loads the pen width too, and its slider stays live.
            r.menuItem(QStringLiteral("mnuImageRectangle"))->trigger();
            QCOMPARE(r.OptWidth()->value(), 5);
            r.close();   // the second start writes them back unchanged
        }
    }

    void buttonsColourToolsAndBands()
    {
        Running r;
        const auto shows = [&](bool tile, bool mirror) {
            QCOMPARE(std::tuple(r.pressed("Tile"), r.state().tile, r.pressed("Mirror"), r.doc->doc().MirrorEnabled()),
                     std::tuple(tile, tile, mirror, mirror));
        };
        for (int i = 0; i < 2; ++i) {
            r.stdButton("Tile");
            shows(true, false);
        }
        // Mirror releases Tile and ends tile mode; Tile releases Mirror and ends mirror drawing.
        r.stdButton("Mirror");
        shows(false, true);
        r.stdButton("Tile");
        shows(true, false);
        // Mirror, unlike Tile, is released by a second click.
        r.stdButton("Mirror");
        r.stdButton("Mirror");
        shows(false, false);

        QAction *setTransparent = r.menuItem(QStringLiteral("mnuColorSetTransparent"));
        r.tool("Pencil");
        // "Set Transparent Color" twice: the pick takes the colour and hands back the pencil.
        setTransparent->trigger();
        setTransparent->trigger();
        QCOMPARE(r.state().currentTool, QStringLiteral("Set Transparent Color"));
        QCOMPARE(r.state().previousTool, QStringLiteral("Pencil"));
        r.pressOnImage(QPoint(3, 3));
        QCOMPARE(r.state().currentTool, QStringLiteral("Pencil"));

        // Dropper pressed while it is the tool, then the transparent pick-up on top: the tool before both comes back.
        r.tool("Line");
        r.tool("Dropper");
        r.tool("Dropper");
        setTransparent->trigger();
        QCOMPARE(r.state().previousTool, QStringLiteral("Line"));
        r.pressOnImage(QPoint(4, 4));
        QCOMPARE(r.state().currentTool, QStringLiteral("Line"));
        r.tool("Dropper");
        r.tool("Dropper");
        r.pressOnImage(QPoint(5, 5));
        QCOMPARE(r.state().currentTool, QStringLiteral("Line"));
        QCOMPARE(r.state().foreColour, Colour(0xFFFFFF));   // the blank image's white
        QVERIFY(r.tbEditButton(QStringLiteral("Line"))->isChecked() && !r.tbEditButton(QStringLiteral("Dropper"))->isChecked());
        QVERIFY(!r.OptWidth()->isHidden());

        // The workspace moves up and down with the bands at once, without waiting for events.
        QAction *standard = r.menuItem(QStringLiteral("mnuViewToolStd")), *tools = r.menuItem(QStringLiteral("mnuViewEdit"));
        const int menuBottom = r.menuBar()->geometry().bottom(), withBands = r.workspace()->geometry().top();
        QVERIFY(withBands > menuBottom + 1);
        standard->trigger();
        QVERIFY(r.TbStd()->isHidden() && r.workspace()->geometry().top() >= r.TbEdit()->geometry().bottom());
        tools->trigger();
        QVERIFY(r.TbEdit()->isHidden());
        QCOMPARE(r.workspace()->geometry().top(), menuBottom + 1);
        standard->trigger();
        tools->trigger();
        QVERIFY(standard->isChecked() && tools->isChecked());
        QCOMPARE(r.workspace()->geometry().top(), withBands);
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
        r.state().drawColour = RGBColour(0, 0, 128);
        const QFont before = d.Picture1.Font;
        const Colour beforeColour = d.Picture1.ForeColor;
        QFont wanted(family, 14);
        wanted.setBold(true);
        wanted.setUnderline(true);
        wanted.setStrikeOut(true);
        bool accept = false;
        Colour offered = 0xFFFFFFFF;
        r.fontDialogHook = [&](frmFontDialog &dlg) {
            offered = dlg.selectedColour();
            dlg.show();
            dlg.fontChooser()->setCurrentFont(wanted);
            // The colour from the list by keyboard: Navy is the entry offered, Purple the next.
            dlg.ColorCombo()->setFocus();
            QTest::keyClick(dlg.ColorCombo(), Qt::Key_Down);
            QTest::mouseClick(accept ? dlg.OKButton() : dlg.CancelButton(), Qt::LeftButton);
        };
        // Cancel leaves the document's font and colour.
        r.TbStd_ButtonClick(QStringLiteral("Font"));
        QCOMPARE(offered, RGBColour(0, 0, 128));
        QVERIFY(d.Picture1.Font == before && d.Picture1.ForeColor == beforeColour);
        accept = true;
        r.TbStd_ButtonClick(QStringLiteral("Font"));
        QCOMPARE(d.Picture1.Font.family(), family);
        QVERIFY(d.Picture1.Font.bold() && d.Picture1.Font.underline() && d.Picture1.Font.strikeOut());
        QCOMPARE(d.Picture1.ForeColor, RGBColour(128, 0, 128));

        // "Other..." asks the colour dialog; its Cancel keeps the colour chosen before.
        std::optional<QColor> answer = QColor(1, 2, 3);
        r.colorDialogHook = [&](const QColor &) { return answer; };
        r.fontDialogHook = [&](frmFontDialog &dlg) {
            dlg.show();
            dlg.ColorCombo()->setFocus();
            QTest::keyClick(dlg.ColorCombo(), Qt::Key_End);   // "Other..."
            QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);
        };
        r.TbStd_ButtonClick(QStringLiteral("Font"));
        QCOMPARE(d.Picture1.ForeColor, RGBColour(1, 2, 3));
        answer.reset();
        r.TbStd_ButtonClick(QStringLiteral("Font"));
        QCOMPARE(d.Picture1.ForeColor, RGBColour(0, 0, 128));   // the drawing colour it offered
    }
};

QTEST_MAIN(TestToolState)
#include "tst_toolstate.moc"
