// The main window offscreen: start-up with an empty store, the load order's effects, command
// state with and without a document, the close question during shut-down and the settings
// written at exit; and its smaller windows and menus: the tip of the day, the help viewer, the
// Window menu's arrangements and the shared program list behind the Programs menu. (The about
// window and the machine key store are tst_about.)
#include "testsupport.h"
#include "base/AppInfo.h"
#include "app/HelpIndex.h"
#include "app/ProgramList.h"
#include "base/SettingsStore.h"
#include "app/TipBook.h"
#include "app/frmHelp.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "app/frmTip.h"
#include "document/frmDocument.h"
#include "tools/ColourBoxWidget.h"
#include "tools/OrvSliderWidget.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSet>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>

#include <memory>

using namespace orv;

namespace {
QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(bytes);
    return path;
}

const QString kList = QStringLiteral("RegistryPath");
const QString kGeneral = QStringLiteral("General");

void addSibling(int slot, const QString &title, const QString &path, const QString &exe = QString())
{
    SaveSetting(ProgramsAppName(), kList, QString::number(slot), title);
    SaveSetting(ProgramsAppName(), kList, QStringLiteral("LastIndex"), QString::number(slot));
    if (!path.isEmpty())
        SaveSetting(title, kGeneral, QStringLiteral("Path"), path);
    if (!exe.isEmpty())
        SaveSetting(title, kGeneral, QStringLiteral("ExeName"), exe);
}
// The main window as the program starts it.
struct LoadedMain : frmMain {
    LoadedMain() { MDIForm_Load(); }
};
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<orvtest::PrivateSettings> m_settings;   // a fresh settings folder per test
private slots:
    void init() { m_settings = std::make_unique<orvtest::PrivateSettings>(); }
    void cleanup() { m_settings.reset(); }

    void firstRunWithEmptyStore()
    {
        LoadedMain w;
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

    void commandStateFollowsDocuments()
    {
        LoadedMain w;
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

    void toolSelectionShowsPanels()
    {
        LoadedMain w;
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

    void storedStateAndOpenOnStartup()
    {
        SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("OpenImageOnstartup"), QStringLiteral("True"));
        SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("NewFileWidth"), QStringLiteral("200"));
        SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("NewFileHeight"), QStringLiteral("150"));
        SaveSetting(AppTitle(), QStringLiteral("Settings"), QStringLiteral("ZoomFactor"), QStringLiteral("9"));
        SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("StatusBar"), QStringLiteral("False"));
        SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("EditBar"), QStringLiteral("garbage"));
        SaveSetting(AppTitle(), QStringLiteral("ToolProperties"), QStringLiteral("BrushStyle"), QStringLiteral("0"));
        SaveSetting(AppTitle(), QStringLiteral("ToolProperties"), QStringLiteral("PenWidthX"), QStringLiteral("-5"));
        LoadedMain w;
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

    void shutdownAsksAndCanCancel()
    {
        {
            LoadedMain w;
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

    void splashShowsVersion()
    {
        frmSplash s;
        QCOMPARE(s.lblVersion()->text(),
                 QStringLiteral("Version %1.%2.%3").arg(VersionMajor()).arg(VersionMinor()).arg(VersionRevision()));
        QCOMPARE(s.lblProductName()->text(), QStringLiteral("Orv Image Editor"));
        QCOMPARE(s.Timer1()->interval(), 2000);
        QVERIFY(s.Timer1()->isActive());
    }

    void tipFileRules()
    {
        QTemporaryDir dir;
        TipBook none(1);
        QVERIFY(!none.LoadTips(QString()));
        QVERIFY(!none.LoadTips(dir.filePath(QStringLiteral("missing.txt"))));
        QVERIFY(!none.LoadTips(dir.path()));   // a folder is no tip file
        QVERIFY(none.Tips().isEmpty());

        // One line: always that line.
        TipBook one(7);
        QVERIFY(one.LoadTips(writeFile(dir, QStringLiteral("one.txt"), "Only tip\n")));
        QCOMPARE(one.Tips(), QStringList{QStringLiteral("Only tip")});
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(one.currentText(), QStringLiteral("Only tip"));
            one.DoNextTip();
        }

        // Lines unchanged, blank lines and leading blanks included; CRLF ends are line ends.
        TipBook lines(3);
        QVERIFY(lines.LoadTips(writeFile(dir, QStringLiteral("lines.txt"), "first\r\n\r\n   indented\nlast")));
        QCOMPARE(lines.Tips(), (QStringList{"first", "", "   indented", "last"}));
    }

    void drawsAreUniformWithRepeats()
    {
        QTemporaryDir dir;
        TipBook book(12345);
        QVERIFY(book.LoadTips(writeFile(dir, QStringLiteral("four.txt"), "a\nb\nc\nd\n")));
        QList<int> counts(4, 0);
        bool repeated = false;
        int last = book.CurrentTip();
        for (int i = 0; i < 4000; ++i) {
            book.DoNextTip();
            QVERIFY(book.CurrentTip() >= 1 && book.CurrentTip() <= 4);
            ++counts[book.CurrentTip() - 1];
            repeated |= book.CurrentTip() == last;
            last = book.CurrentTip();
        }
        QVERIFY(repeated);
        for (int c : counts)
            QVERIFY2(c > 850 && c < 1150, qPrintable(QString::number(c)));
    }

    void dialogShowsTipsAndWritesCheckBox()
    {
        QTemporaryDir dir;
        const QString file = writeFile(dir, QStringLiteral("tips.txt"), "Tip one\n\nTip three\n");
        frmTip dlg(nullptr, file);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Tip of the Day"));
        QCOMPARE(dlg.chkLoadTipsAtStartup()->text(), QStringLiteral("&Show Tips at Startup"));
        QCOMPARE(dlg.cmdNextTip()->text(), QStringLiteral("&Next Tip"));
        QVERIFY(dlg.chkLoadTipsAtStartup()->isChecked());   // default 1
        QCOMPARE(dlg.tips().Tips().size(), 3);
        QSet<QString> seen;
        for (int i = 0; i < 60; ++i) {
            QCOMPARE(dlg.lblTipText()->text(), dlg.tips().currentText());
            seen << dlg.lblTipText()->text();
            QTest::mouseClick(dlg.cmdNextTip(), Qt::LeftButton);
        }
        QCOMPARE(seen, (QSet<QString>{"Tip one", "", "Tip three"}));   // the blank line draws an empty label

        dlg.chkLoadTipsAtStartup()->click();
        QCOMPARE(GetSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("Show Tips at Startup")), QStringLiteral("0"));
        QVERIFY(!frmTip::ShowTipsAtStartup());
        frmTip again(nullptr, file);
        QVERIFY(!again.chkLoadTipsAtStartup()->isChecked());
        again.chkLoadTipsAtStartup()->click();
        QCOMPARE(GetSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("Show Tips at Startup")), QStringLiteral("1"));
        QTest::mouseClick(again.cmdOK(), Qt::LeftButton);
        QCOMPARE(again.result(), int(QDialog::Accepted));
    }

    void badTipFiles()
    {
        QTemporaryDir dir;
        {
            frmTip missing(nullptr, dir.filePath(QStringLiteral("nothing.txt")));
            QVERIFY(missing.lblTipText()->text().isEmpty());
            QTest::mouseClick(missing.cmdNextTip(), Qt::LeftButton);   // still works, still empty
            QVERIFY(missing.lblTipText()->text().isEmpty());
        }
        {
            frmTip empty(nullptr, writeFile(dir, QStringLiteral("empty.txt"), QByteArray()));
            QVERIFY(empty.tips().Tips().isEmpty());
            QVERIFY(empty.lblTipText()->text().isEmpty());
            QTest::mouseClick(empty.cmdNextTip(), Qt::LeftButton);
            QVERIFY(empty.lblTipText()->text().isEmpty());
        }
        {
            // A line of two million characters is kept whole but shown cut.
            const QByteArray huge(2'000'000, 'x');
            frmTip big(nullptr, writeFile(dir, QStringLiteral("huge.txt"), huge + "\n"));
            big.show();
            QVERIFY(QTest::qWaitForWindowExposed(&big));
            QCOMPARE(big.tips().Tips().first().size(), 2'000'000);
            QVERIFY(big.lblTipText()->text().size() < 5000);
            QVERIFY(big.lblTipText()->text().startsWith(QStringLiteral("xxxx")));
        }
    }

    void helpMenuOffersTips()
    {
        LoadedMain w;
        QAction *onStart = w.menuItem(QStringLiteral("mnuHelpTooltip"));
        QAction *tip = w.menuItem(QStringLiteral("mnuHelpTipOfTheDay"));
        QVERIFY(onStart->isVisible());
        QVERIFY(onStart->isCheckable());
        QCOMPARE(onStart->text(), QStringLiteral("&Show Tips on Startup"));
        QCOMPARE(tip->text(), QStringLiteral("Tip of the Day"));

        int shown = 0;
        w.modalHook = [&](QDialog &d) {
            ++shown;
            QVERIFY(qobject_cast<frmTip *>(&d));
        };
        w.ShowTipsAtStartup();   // default 1: the tip shows
        QCOMPARE(shown, 1);
        QVERIFY(onStart->isChecked());
        onStart->trigger();      // unchecked: written as 0
        QCOMPARE(GetSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("Show Tips at Startup")), QStringLiteral("0"));
        w.ShowTipsAtStartup();
        QCOMPARE(shown, 1);
        tip->trigger();          // the menu item always shows it
        QCOMPARE(shown, 2);
        w.close();
    }

    void shippedTipFile()
    {
        const QString file = QFINDTESTDATA("../resources/data/TODENG.TXT");
        QVERIFY(!file.isEmpty());
        TipBook book(1);
        QVERIFY(book.LoadTips(file));
        QVERIFY(book.Tips().size() >= 15);
        for (const QString &t : book.Tips())
            QVERIFY2(t.trimmed().size() > 20, qPrintable(t));
    }

    void firstExitRegistersSecondDoesNot()
    {
        {
            LoadedMain w;
            QVERIFY(!w.menuItem(QStringLiteral("mnuOrvPrograms"))->isVisible());
            w.close();
        }
        QCOMPARE(GetSetting(ProgramsAppName(), kList, QStringLiteral("LastIndex")), QStringLiteral("1"));
        QCOMPARE(GetSetting(ProgramsAppName(), kList, QStringLiteral("1")), AppTitle());
        QCOMPARE(GetSetting(AppTitle(), kGeneral, QStringLiteral("Registered")), QStringLiteral("True"));
        QCOMPARE(GetSetting(AppTitle(), kGeneral, QStringLiteral("Path")), ProgramFolder());
        QCOMPARE(GetSetting(AppTitle(), kGeneral, QStringLiteral("ExeName")), QStringLiteral("tst_mainwindow"));
        QCOMPARE(GetSetting(AppTitle(), kGeneral, QStringLiteral("Major")), QString::number(VersionMajor()));
        QCOMPARE(GetSetting(AppTitle(), kGeneral, QStringLiteral("Revision")), QString::number(VersionRevision()));
        {
            LoadedMain w;
            // This program never lists itself.
            QVERIFY(!w.menuItem(QStringLiteral("mnuOrvPrograms"))->isVisible());
            w.close();
        }
        QCOMPARE(GetSetting(ProgramsAppName(), kList, QStringLiteral("LastIndex")), QStringLiteral("1"));
        QCOMPARE(GetSetting(ProgramsAppName(), kList, QStringLiteral("2"), QStringLiteral("none")), QStringLiteral("none"));

        // A program registered after others takes the next slot.
        RegisterProgram({QStringLiteral("Orv Sound Editor"), QStringLiteral("orv-sound"), QStringLiteral("/opt/sound"), 2, 1, 0});
        QCOMPARE(GetSetting(ProgramsAppName(), kList, QStringLiteral("LastIndex")), QStringLiteral("2"));
        QCOMPARE(GetSetting(ProgramsAppName(), kList, QStringLiteral("2")), QStringLiteral("Orv Sound Editor"));
        QCOMPARE(GetSetting(QStringLiteral("Orv Sound Editor"), kGeneral, QStringLiteral("Minor")), QStringLiteral("1"));
    }

    void listSkipsSelfAndFalseAndStopsAtFive()
    {
        QVERIFY(LoadSiblingPrograms(AppTitle()).isEmpty());
        addSibling(1, QStringLiteral("A"), QStringLiteral("/a"));
        addSibling(2, AppTitle(), QStringLiteral("/self"));
        addSibling(3, QStringLiteral("False"), QString());
        addSibling(4, QStringLiteral("B"), QString());   // no recorded folder
        for (int i = 5; i <= 8; ++i)
            addSibling(i, QStringLiteral("S%1").arg(i), QStringLiteral("/s%1").arg(i));
        const QList<SiblingProgram> list = LoadSiblingPrograms(AppTitle());
        QCOMPARE(list.size(), 5);
        QStringList titles;
        for (const SiblingProgram &p : list)
            titles << p.title;
        QCOMPARE(titles, (QStringList{"A", "B", "S5", "S6", "S7"}));
        QCOMPARE(list.at(0).path, QStringLiteral("/a"));
        QCOMPARE(list.at(1).path, QStringLiteral("False"));
        // Slots past LastIndex are not read.
        SaveSetting(ProgramsAppName(), kList, QStringLiteral("LastIndex"), QStringLiteral("1"));
        QCOMPARE(LoadSiblingPrograms(AppTitle()).size(), 1);
    }

    void menuShowsSiblingsAndStartsThem()
    {
        for (int i = 1; i <= 6; ++i)
            addSibling(i, QStringLiteral("Sibling %1").arg(i), QStringLiteral("/opt/sib%1").arg(i), QStringLiteral("sib%1").arg(i));
        SaveSetting(QStringLiteral("Sibling 2"), kGeneral, QStringLiteral("ExeName"), QString());
        LoadedMain w;
        QVERIFY(w.menuItem(QStringLiteral("mnuOrvPrograms"))->isVisible());
        for (int i = 1; i <= 5; ++i) {
            QAction *item = w.menuItem(QStringLiteral("mnuProg(%1)").arg(i));
            QVERIFY(item->isVisible());
            QCOMPARE(item->text(), QStringLiteral("Sibling %1").arg(i));
        }
        QStringList started;
        w.startProgramHook = [&](const QString &program) { started << program; };
        w.menuItem(QStringLiteral("mnuProg(3)"))->trigger();
        QCOMPARE(started, QStringList{QStringLiteral("/opt/sib3/sib3")});
        // No recorded executable: nothing starts.
        w.menuItem(QStringLiteral("mnuProg(2)"))->trigger();
        QCOMPARE(started.size(), 1);
        // A sibling that is not installed: the start fails quietly.
        w.startProgramHook = nullptr;
        w.menuItem(QStringLiteral("mnuProg(1)"))->trigger();
        w.close();
    }

    void tilingAndIcons()
    {
        LoadedMain w;
        w.resize(900, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.menuItem(QStringLiteral("mnuWindowNewWindow"))->trigger();
        w.menuItem(QStringLiteral("mnuWindowNewWindow"))->trigger();
        w.menuItem(QStringLiteral("mnuWindowNewWindow"))->trigger();
        QCOMPARE(w.documents().size(), 3);
        const QRect area = w.workspace()->viewport()->rect();
        const QList<QMdiSubWindow *> subs = w.workspace()->subWindowList(QMdiArea::CreationOrder);

        w.menuItem(QStringLiteral("mnuWindowTileHorizontal"))->trigger();
        for (int i = 0; i < 3; ++i) {
            const QRect g = subs.at(i)->geometry();
            QCOMPARE(g.left(), area.left());
            QCOMPARE(g.width(), area.width());
            QCOMPARE(g.top(), area.top() + area.height() * i / 3);
        }
        w.menuItem(QStringLiteral("mnuWindowTileVertical"))->trigger();
        for (int i = 0; i < 3; ++i) {
            const QRect g = subs.at(i)->geometry();
            QCOMPARE(g.top(), area.top());
            QCOMPARE(g.height(), area.height());
            QCOMPARE(g.left(), area.left() + area.width() * i / 3);
        }
        w.menuItem(QStringLiteral("mnuWindowCascade"))->trigger();
        QVERIFY(subs.at(1)->geometry().topLeft() != subs.at(0)->geometry().topLeft());

        // Two minimized windows line up along the bottom, left to right; tiling leaves them there
        // and shares the rest.
        subs.at(0)->showMinimized();
        subs.at(2)->showMinimized();
        subs.at(0)->move(300, 40);
        w.menuItem(QStringLiteral("mnuWindowArrangeIcons"))->trigger();
        QCOMPARE(subs.at(0)->geometry().bottom(), area.bottom());
        QCOMPARE(subs.at(0)->x(), area.left());
        QCOMPARE(subs.at(2)->geometry().bottom(), area.bottom());
        QCOMPARE(subs.at(2)->x(), subs.at(0)->geometry().right() + 1);
        w.menuItem(QStringLiteral("mnuWindowTileVertical"))->trigger();
        QCOMPARE(subs.at(1)->geometry().left(), area.left());
        QCOMPARE(subs.at(1)->width(), area.width());
        QVERIFY(subs.at(1)->geometry().bottom() < subs.at(0)->geometry().top());

        // Status bar toggle.
        w.menuItem(QStringLiteral("mnuViewStatusBar"))->trigger();
        QVERIFY(w.sbStatusBar()->isHidden());
        w.menuItem(QStringLiteral("mnuViewStatusBar"))->trigger();
        QVERIFY(!w.sbStatusBar()->isHidden());
        for (frmDocument *d : w.documents())
            d->doc().setSaveReq(false);
        w.close();
    }

    void windowMenuListsOpenImages()
    {
        LoadedMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.UpdateWindowList();
        auto entries = [&w] {
            QList<QAction *> out;
            for (QAction *a : w.menu(QStringLiteral("mnuWindow"))->actions())
                if (a->property("WindowListEntry").toBool() && !a->isSeparator())
                    out << a;
            return out;
        };
        QVERIFY(entries().isEmpty());
        w.NewDocument();
        w.NewDocument();
        w.UpdateWindowList();
        w.UpdateWindowList();   // rebuilt, not appended
        const QList<QAction *> list = entries();
        QCOMPARE(list.size(), 2);
        QCOMPARE(list.at(0)->text(), QStringLiteral("&1 Image1"));
        QCOMPARE(list.at(1)->text(), QStringLiteral("&2 Image2"));
        QVERIFY(!list.at(0)->isChecked() && list.at(1)->isChecked());
        list.at(0)->trigger();
        QCOMPARE(w.ActiveForm()->doc().Caption, QStringLiteral("Image1"));
    }

    void helpIndexRules()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("idx.HLP")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("# comment\n\nContents\tpages/index.html\nPencil\tpages/tools.html#pencil\nno tab here\n\tpage.html\n");
        f.close();
        HelpIndex idx;
        QVERIFY(idx.load(f.fileName()));
        QCOMPARE(idx.keywords().size(), 2);
        QCOMPARE(idx.contents(), QUrl::fromLocalFile(dir.filePath(QStringLiteral("pages/index.html"))));
        QUrl pencil = idx.pageFor(QStringLiteral("pencil"));
        QCOMPARE(pencil.fragment(), QStringLiteral("pencil"));
        QCOMPARE(pencil.toLocalFile(), dir.filePath(QStringLiteral("pages/tools.html")));
        QVERIFY(idx.pageFor(QStringLiteral("Nothing")).isEmpty());

        QString error;
        QVERIFY(!idx.load(dir.filePath(QStringLiteral("missing.HLP")), &error));
        QVERIFY(error.contains(QStringLiteral("missing.HLP")));
        QFile empty(dir.filePath(QStringLiteral("empty.HLP")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QVERIFY(!idx.load(empty.fileName(), &error));

        // The shipped index: every page it names exists, with its anchor.
        const QString shipped = QFINDTESTDATA("../resources/data/ORVIEENG.HLP");
        QVERIFY(!shipped.isEmpty());
        QVERIFY(idx.load(shipped));
        for (const HelpKeyword &k : idx.keywords()) {
            const QUrl u = idx.resolve(k.page);
            QFile page(u.toLocalFile());
            QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(k.page));
            if (u.hasFragment())
                QVERIFY2(page.readAll().contains(QStringLiteral("name=\"%1\"").arg(u.fragment()).toUtf8()), qPrintable(k.page));
        }
    }

    void helpOpensContentsAndCurrentTool()
    {
        LoadedMain w;
        w.state().helpFile = QFINDTESTDATA("../resources/data/ORVIEENG.HLP");
        w.setGeometry(600, 400, 900, 600);
        w.menuItem(QStringLiteral("mnuHelpContents"))->trigger();
        frmHelp *help = w.helpWindow();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QVERIFY(help->page()->source().toString().endsWith(QStringLiteral("help/index.html")));
        QCOMPARE(help->page()->documentTitle(), QStringLiteral("Contents"));

        w.state().currentTool = QStringLiteral("Spray");
        w.menuItem(QStringLiteral("mnuHelpSearchForHelpOn"))->trigger();
        QCOMPARE(w.helpWindow(), help);
        QCOMPARE(help->searchBox()->text(), QStringLiteral("Spray"));
        QCOMPARE(help->page()->source().fileName(), QStringLiteral("tools.html"));
        QCOMPARE(help->page()->source().fragment(), QStringLiteral("spray"));
        QCOMPARE(help->keywordList()->count(), 1);

        w.state().currentTool = QStringLiteral("Cont Line");
        w.menuItem(QStringLiteral("mnuHelpSearchForHelpOn"))->trigger();
        QCOMPARE(help->page()->source().fragment(), QStringLiteral("contline"));

        // It opens over the main window, and Escape closes it.
        QVERIFY(w.geometry().contains(help->geometry().center()));
        help->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help->page(), Qt::Key_Escape);
        QTRY_VERIFY(!w.helpWindow());
        w.close();
    }

    void missingHelpFileIsReported()
    {
        QTemporaryDir dir;
        LoadedMain w;
        w.state().helpFile = dir.filePath(QStringLiteral("ORVIEENG.HLP"));
        QStringList texts, titles;
        w.msgBoxHook = [&](const QString &text, int, const QString &title) {
            texts << text;
            titles << title;
            return 1;
        };
        // Neither the configured file nor one beside this test program.
        QFile::remove(QCoreApplication::applicationDirPath() + QStringLiteral("/ORVIEENG.HLP"));
        w.menuItem(QStringLiteral("mnuHelpContents"))->trigger();
        QCOMPARE(texts.size(), 1);
        QVERIFY(texts.first().contains(QStringLiteral("ORVIEENG.HLP")));
        QCOMPARE(titles.first(), AppTitle());
        QVERIFY(!w.helpWindow());
        w.menuItem(QStringLiteral("mnuHelpSearchForHelpOn"))->trigger();
        QCOMPARE(texts.size(), 2);
        w.close();
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
