// The main window offscreen: start-up with an empty store, the load order's effects, command
// state with and without a document, the close question during shut-down and the settings
// written at exit.
#include "testsupport.h"

#include "app/AppInfo.h"
#include "app/SettingsStore.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "document/frmDocument.h"
#include "tools/ColourBoxWidget.h"
#include "tools/OrvSliderWidget.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace orv;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void firstRunWithEmptyStore();
    void commandStateFollowsDocuments();
    void toolSelectionShowsPanels();
    void storedStateAndOpenOnStartup();
    void shutdownAsksAndCanCancel();
    void splashShowsVersion();
};

void TestMainWindow::firstRunWithEmptyStore()
{
    orvtest::PrivateSettings settings;
    frmMain w;
    w.MDIForm_Load();
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Image Editor"));
    QCOMPARE(w.state().currentTool, QStringLiteral("Select"));
    QVERIFY(w.documents().isEmpty());
    QCOMPARE(w.pos(), QPoint(0, 0));
    QCOMPARE(w.size(), w.ScreenPixels());
    for (const char *item : {"mnuViewToolStd", "mnuViewEdit", "mnuViewColorBox", "mnuViewStatusBar"})
        QVERIFY2(w.menuItem(QString::fromLatin1(item))->isChecked(), item);
    QVERIFY(!w.TbStd()->isHidden());
    QVERIFY(!w.TbEdit()->isHidden());
    QVERIFY(!w.Property1()->isHidden());
    QVERIFY(!w.sbStatusBar()->isHidden());
    // 21 buttons counting the six separators, in the documented order.
    QStringList stdKeys;
    for (QAction *a : w.TbStd()->actions())
        stdKeys << (a->isSeparator() ? QStringLiteral("|") : a->property("Key").toString());
    QCOMPARE(stdKeys.join(QLatin1Char(' ')),
             QStringLiteral("New Open Save | Print | Cut Copy Paste | Undo Redo | Clear | Transparent Filled | Zoom Mirror Tile"));
    QCOMPARE(w.TbEdit()->actions().size(), 13);
    // Brush style 1 (transparent) from the defaults presses "Transparent".
    QVERIFY(w.tbStdButton(QStringLiteral("Transparent"))->isChecked());
    // The texts come from the string table; the sliders are hidden and "Nothing" shows.
    QCOMPARE(w.menuItem(QStringLiteral("mnuEditUndo"))->text(), QStringLiteral("&Undo"));
    QCOMPARE(w.menuItem(QStringLiteral("mnuFileMRU(1)"))->isVisible(), false);
    QCOMPARE(w.tbStdButton(QStringLiteral("Mirror"))->toolTip(), QStringLiteral("Mirror"));
    QVERIFY(w.OptWidth()->isHidden() && w.OptDensity()->isHidden() && w.OptRadius()->isHidden());
    QVERIFY(!w.LblNothing()->isHidden());
    QCOMPARE(w.LblNothing()->text(), QStringLiteral("Nothing"));
    QCOMPARE(w.OptWidth()->minimum(), 1);
    QCOMPARE(w.OptWidth()->maximum(), 16);
    QCOMPARE(w.OptDensity()->maximum(), 500);
    QCOMPARE(w.OptRadius()->minimum(), 5);
    QCOMPARE(w.colourBox()->LblColor(1)->colour(), Colour(0xC0C0FF));
    QCOMPARE(w.defaultColours()[47], Colour(0x400040));
}

void TestMainWindow::commandStateFollowsDocuments()
{
    orvtest::PrivateSettings settings;
    frmMain w;
    w.MDIForm_Load();
    for (const char *item : {"mnuFileSave", "mnuFileClose", "mnuFilePrint", "mnuEditCut", "mnuImageLine"})
        QVERIFY2(!w.menuItem(QString::fromLatin1(item))->isEnabled(), item);
    QVERIFY(!w.tbEditButton(QStringLiteral("Pencil"))->isEnabled());
    QVERIFY(!w.tbStdButton(QStringLiteral("Mirror"))->isEnabled());
    QVERIFY(w.tbStdButton(QStringLiteral("New"))->isEnabled());

    frmDocument *doc = w.NewDocument();
    QVERIFY(doc);
    QCOMPARE(doc->doc().Caption, QStringLiteral("Image1"));
    QCOMPARE(doc->doc().Tag, QStringLiteral("UnRegister"));
    QVERIFY(doc->doc().IsImageWindow);
    QCOMPARE(doc->doc().Picture1.size(), QSize(640, 480));
    QCOMPARE(doc->doc().Picture1.GetPixel(10, 10), Colour(0xFFFFFF));
    for (const char *item : {"mnuFileSave", "mnuFileClose", "mnuFilePrint", "mnuEditCut", "mnuImageLine"})
        QVERIFY2(w.menuItem(QString::fromLatin1(item))->isEnabled(), item);
    QVERIFY(w.tbEditButton(QStringLiteral("Pencil"))->isEnabled());
    QVERIFY(w.tbStdButton(QStringLiteral("Mirror"))->isEnabled());
    QCOMPARE(w.NewDocument()->doc().Caption, QStringLiteral("Image2"));

    // Closing the unchanged documents asks nothing and greys the commands again.
    w.workspace()->closeAllSubWindows();
    QTRY_VERIFY(w.documents().isEmpty());
    QTRY_VERIFY(!w.menuItem(QStringLiteral("mnuFileSave"))->isEnabled());
}

void TestMainWindow::toolSelectionShowsPanels()
{
    orvtest::PrivateSettings settings;
    frmMain w;
    w.MDIForm_Load();
    w.NewDocument();
    w.state().spray.density = 120;
    w.state().spray.radius = 40;
    w.state().spray.widthX = 3;
    w.TbEdit_ButtonClick(QStringLiteral("Spray"));
    QCOMPARE(w.state().currentTool, QStringLiteral("Spray"));
    QVERIFY(!w.OptWidth()->isHidden() && !w.OptDensity()->isHidden() && !w.OptRadius()->isHidden());
    QVERIFY(w.LblNothing()->isHidden());
    QCOMPARE(w.OptDensity()->value(), 120);
    QCOMPARE(w.OptRadius()->value(), 40);
    QCOMPARE(w.OptWidth()->value(), 3);
    QCOMPARE(w.statusPanelText(3), QStringLiteral("Spray"));
    // Loading the sliders wrote nothing back; moving one now does.
    QCOMPARE(w.state().pen.widthX, 1);
    w.OptWidth()->setValue(7);
    QCOMPARE(w.state().spray.widthX, std::int16_t(7));
    QCOMPARE(w.state().pen.widthX, 1);

    w.TbEdit_ButtonClick(QStringLiteral("Line"));
    QVERIFY(!w.OptWidth()->isHidden() && w.OptDensity()->isHidden());
    w.OptWidth()->setValue(5);
    QCOMPARE(w.state().pen.widthX, 5);

    w.TbEdit_ButtonClick(QStringLiteral("Fill"));
    QVERIFY(w.OptWidth()->isHidden() && !w.LblNothing()->isHidden());
    QCOMPARE(w.statusPanelText(3), QStringLiteral("Fill"));

    w.TbEdit_ButtonClick(QStringLiteral("Dropper"));
    QCOMPARE(w.state().previousTool, QStringLiteral("Fill"));
    QCOMPARE(w.state().currentTool, QStringLiteral("Dropper"));

    // "Filled" pressed: the brush becomes solid; mirror and tile release each other.
    w.tbStdButton(QStringLiteral("Filled"))->trigger();
    QCOMPARE(w.state().brush.style, BS_SOLID);
    w.tbStdButton(QStringLiteral("Tile"))->trigger();
    QVERIFY(w.state().tile);
    w.tbStdButton(QStringLiteral("Mirror"))->trigger();
    QVERIFY(!w.state().tile);
    QVERIFY(!w.tbStdButton(QStringLiteral("Tile"))->isChecked());
    QVERIFY(w.ActiveForm()->doc().MirrorEnabled());
}

void TestMainWindow::storedStateAndOpenOnStartup()
{
    orvtest::PrivateSettings settings;
    SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("OpenImageOnstartup"), QStringLiteral("True"));
    SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("NewFileWidth"), QStringLiteral("200"));
    SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("NewFileHeight"), QStringLiteral("150"));
    SaveSetting(AppTitle(), QStringLiteral("Settings"), QStringLiteral("ZoomFactor"), QStringLiteral("9"));
    SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("StatusBar"), QStringLiteral("False"));
    SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("EditBar"), QStringLiteral("garbage"));
    SaveSetting(AppTitle(), QStringLiteral("ToolProperties"), QStringLiteral("BrushStyle"), QStringLiteral("0"));
    SaveSetting(AppTitle(), QStringLiteral("ToolProperties"), QStringLiteral("PenWidthX"), QStringLiteral("-5"));
    frmMain w;
    w.MDIForm_Load();
    QCOMPARE(w.documents().size(), 1);
    QCOMPARE(w.documents().first()->doc().Caption, QStringLiteral("Image1"));
    QCOMPARE(w.documents().first()->doc().Picture1.size(), QSize(200, 150));
    QCOMPARE(w.state().zoomFactor, std::int16_t(4));
    QVERIFY(w.sbStatusBar()->isHidden());
    QVERIFY(!w.menuItem(QStringLiteral("mnuViewStatusBar"))->isChecked());
    QVERIFY(w.menuItem(QStringLiteral("mnuViewEdit"))->isChecked());   // unconvertible: unchanged
    QVERIFY(w.tbStdButton(QStringLiteral("Filled"))->isChecked());
    QCOMPARE(w.state().pen.style, 0);                                // pen style follows the brush
    QCOMPARE(w.state().pen.widthX, 1);                               // -5 is no width
}

void TestMainWindow::shutdownAsksAndCanCancel()
{
    orvtest::PrivateSettings settings;
    {
        frmMain w;
        w.MDIForm_Load();
        w.show();
        frmDocument *doc = w.NewDocument();
        doc->doc().setSaveReq(true);
        QStringList asked;
        w.msgBoxHook = [&](const QString &text, int, const QString &) {
            asked << text;
            return int(Msg::Cancel);
        };
        QVERIFY(!w.close());
        QCOMPARE(asked, QStringList{QStringLiteral("Save to this file ?")});
        QCOMPARE(w.documents().size(), 1);
        // Nothing was written: the shut-down did not happen.
        QVERIFY(GetSetting(AppTitle(), QStringLiteral("Settings"), QStringLiteral("MainWidth")).isEmpty());

        w.msgBoxHook = [&](const QString &, int, const QString &) { return int(Msg::No); };
        w.menuItem(QStringLiteral("mnuViewStatusBar"))->trigger();   // unchecks it
        w.state().foreColour = RGBColour(1, 2, 3);
        w.setAttribute(Qt::WA_DeleteOnClose, false);
        QVERIFY(w.close());
    }
    QVERIFY(!GetSetting(AppTitle(), QStringLiteral("Settings"), QStringLiteral("MainWidth")).isEmpty());
    QCOMPARE(GetSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("StatusBar")), QStringLiteral("False"));
    QCOMPARE(GetSetting(AppTitle(), QStringLiteral("Colors"), QStringLiteral("ForeColor")),
             QString::number(RGBColour(1, 2, 3)));
    QCOMPARE(GetSetting(AppTitle(), QStringLiteral("Settings"), QStringLiteral("ZoomFactor")), QStringLiteral("4"));
}

void TestMainWindow::splashShowsVersion()
{
    frmSplash s;
    QCOMPARE(s.lblVersion()->text(),
             QStringLiteral("Version %1.%2.%3").arg(VersionMajor()).arg(VersionMinor()).arg(VersionRevision()));
    QCOMPARE(s.lblProductName()->text(), QStringLiteral("Orv Image Editor"));
    QCOMPARE(s.Timer1()->interval(), 2000);
    QVERIFY(s.Timer1()->isActive());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
