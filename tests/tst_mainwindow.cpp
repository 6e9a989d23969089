// The main window: start-up, commands, drops, shut-down and restart, shortcuts, Window menu, printing.
#include "uihelpers.h"
#include "base/ImageFiles.h"
#include "document/Clipboard.h"
#include "app/frmSplash.h"
#include "document/frmDocument.h"
#include "tools/ColourBoxWidget.h"
#include "tools/OrvSliderWidget.h"

#include <QPrinterInfo>

using namespace orv;
using orvtest::LoadedMain;
using orvtest::ShownMain;

namespace {
// Clicks a button of the program's message box as the user would; the text it showed, or none.
QString clickMessageBoxButton(QMessageBox::StandardButton which)
{
    QMessageBox *box = nullptr;
    if (!QTest::qWaitFor([&] { return (box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())); }, 5000))
        return {};
    const QString text = box->text();
    if (QAbstractButton *button = box->button(which))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        box->reject();
    return text;
}
} // namespace

class TestMainWindow : public orvtest::FreshSettingsTest {
    Q_OBJECT
private slots:
    void firstRunCommandsAndPanels()
    {
        ShownMain w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Orv Image Editor"));
        QVERIFY(w.state().currentTool == QStringLiteral("Select") && w.documents().isEmpty());
        for (const auto &[item, bar] : {std::pair<const char *, QWidget *>{"mnuViewToolStd", w.TbStd()}, {"mnuViewEdit", w.TbEdit()},
                                        {"mnuViewColorBox", w.Property1()}, {"mnuViewStatusBar", w.sbStatusBar()}})
            QVERIFY2(w.menuItem(QString::fromLatin1(item))->isChecked() && !bar->isHidden(), item);
        QStringList stdKeys;
        for (QAction *a : w.TbStd()->actions())
            stdKeys << (a->isSeparator() ? QStringLiteral("|") : a->property("Key").toString());
        QCOMPARE(stdKeys.join(QLatin1Char(' ')),
                 QStringLiteral("New Open Save | Print | Cut Copy Paste | Undo Redo | Clear | Transparent Filled | Zoom Mirror Tile"));
        QCOMPARE(w.TbEdit()->actions().size(), 13);
        QVERIFY(w.tbStdButton(QStringLiteral("Transparent"))->isChecked());   // the default brush style 1
        QCOMPARE(w.menuItem(QStringLiteral("mnuEditUndo"))->text(), QStringLiteral("&Undo"));
        QVERIFY(!w.menuItem(QStringLiteral("mnuFileMRU(1)"))->isVisible());
        for (const auto &[slider, low, high] : {std::tuple{w.OptWidth(), 1, 16}, {w.OptDensity(), 1, 500}, {w.OptRadius(), 5, 150}})
            QVERIFY(slider->minimum() == low && slider->maximum() == high);
        QCOMPARE(w.colourBox()->LblColor(1)->colour(), Colour(0xC0C0FF));

        const auto commandsEnabled = [&](bool on) {
            for (const char *item : {"mnuFileSave", "mnuFileClose", "mnuFilePrint", "mnuEditCut", "mnuImageLine"})
                QVERIFY2(w.menuItem(QString::fromLatin1(item))->isEnabled() == on, item);
            QCOMPARE(w.tbEditButton(QStringLiteral("Pencil"))->isEnabled(), on);
            QCOMPARE(w.tbStdButton(QStringLiteral("Mirror"))->isEnabled(), on);
            QVERIFY(w.tbStdButton(QStringLiteral("New"))->isEnabled());
        };
        commandsEnabled(false);
        const Document &doc = w.NewDocument()->doc();
        QVERIFY(doc.IsImageWindow && doc.Caption == QStringLiteral("Image1") && doc.Tag == QStringLiteral("UnRegister"));
        QVERIFY(doc.Picture1.size() == QSize(640, 480) && doc.Picture1.GetPixel(10, 10) == 0xFFFFFF);
        commandsEnabled(true);

        // Each tool shows its own property panel (the values in them: tst_toolstate).
        w.tool("Spray");
        QVERIFY(!w.OptWidth()->isHidden() && !w.OptDensity()->isHidden() && !w.OptRadius()->isHidden() && w.LblNothing()->isHidden());
        QCOMPARE(w.statusPanelText(3), QStringLiteral("Spray"));
        w.tool("Line");
        QVERIFY(!w.OptWidth()->isHidden() && w.OptDensity()->isHidden() && w.OptRadius()->isHidden());
        w.tool("Fill");
        QVERIFY(w.OptWidth()->isHidden() && !w.LblNothing()->isHidden());
        QCOMPARE(w.statusPanelText(3), QStringLiteral("Fill"));
        w.stdButton("Filled");   // the brush becomes solid (Mirror and Tile: tst_toolstate)
        QCOMPARE(w.state().brush.style, BS_SOLID);

        QCOMPARE(w.NewDocument()->doc().Caption, QStringLiteral("Image2"));
        // Closing the unchanged documents asks nothing and greys the commands again.
        w.workspace()->closeAllSubWindows();
        QTRY_VERIFY(w.documents().isEmpty());
        QTRY_VERIFY(!w.menuItem(QStringLiteral("mnuFileSave"))->isEnabled());
        commandsEnabled(false);
    }

    void newPictureCornersShowInTheClientArea()
    {
        ShownMain w(QSize(1000, 800));
        w.state().options.NewFileWidth = 320;
        w.state().options.NewFileHeight = 200;
        frmDocument *form = w.NewDocument();
        QWidget *view = form->Picture1View();
        for (const QPoint p : {QPoint(0, 0), QPoint(319, 199), QPoint(319, 0), QPoint(0, 199)}) {
            const QPoint inForm = view->mapTo(form, p);
            QVERIFY2(form->rect().contains(inForm) && form->childAt(inForm) == view, qPrintable(QStringLiteral("%1,%2 hidden").arg(p.x()).arg(p.y())));
        }
        const QScrollBar *bar = form->findChild<QScrollBar *>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(!bar || !bar->isVisible());
    }

    // Dropped files open as File > Open opens them, with its message; image data becomes a new, unsaved document.
    void droppedFilesAndPicturesOpen()
    {
        LoadedMain w;
        w.show();
        QTemporaryDir dir;
        const QImage red = orvtest::testPicture(3, 2), blue = orvtest::testPicture(4, 5);
        QVERIFY(red.save(dir.filePath(QStringLiteral("red.png"))) && blue.save(dir.filePath(QStringLiteral("blue.bmp"))));
        const QString bad = orvtest::writeFile(dir, QStringLiteral("bad.png"), "not a picture");
        auto drop = [&](QMimeData *mime) {
            QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&w, &enter);
            QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&w, &dropped);
            return enter.isAccepted();
        };
        const auto shown = [&](int i) { return w.documents()[i]->doc().Picture1.Image().convertToFormat(QImage::Format_RGB32); };
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(dir.filePath(QStringLiteral("red.png"))), QUrl::fromLocalFile(bad),
                       QUrl::fromLocalFile(dir.filePath(QStringLiteral("blue.bmp")))});
        QString message;
        QTimer::singleShot(0, this, [&] { message = clickMessageBoxButton(QMessageBox::Ok); });
        QVERIFY(drop(&files));
        QVERIFY2(message.size() > bad.size() + 2 && message.endsWith(QStringLiteral("\n\n") + bad), qPrintable(message));
        QCOMPARE(w.documents().size(), 2);
        QVERIFY(shown(0) == red && shown(1) == blue);
        QCOMPARE(w.documents()[1]->doc().Tag, QStringLiteral("Register"));

        QMimeData picture;
        picture.setImageData(blue.mirrored(true, false));
        QVERIFY(drop(&picture));
        QCOMPARE(w.documents().size(), 3);
        QCOMPARE(shown(2), blue.mirrored(true, false));
        QVERIFY(w.documents()[2]->doc().Tag == QStringLiteral("UnRegister") && w.documents()[2]->doc().SaveReq());

        QMimeData text;
        text.setText(QStringLiteral("words"));
        QVERIFY(!drop(&text));
        QCOMPARE(w.documents().size(), 3);
    }

    void storedStateAndOpenOnStartup()
    {
        for (const auto &[section, key, value] :
             {std::tuple{"Options", "OpenImageOnstartup", "True"}, {"Options", "NewFileWidth", "200"},
              {"Options", "NewFileHeight", "150"}, {"Settings", "ZoomFactor", "9"}, {"Options", "StatusBar", "False"},
              {"Options", "EditBar", "garbage"}, {"ToolProperties", "BrushStyle", "0"}, {"ToolProperties", "PenWidthX", "-5"}})
            orvtest::store(section, key, QLatin1String(value));
        LoadedMain w;
        QCOMPARE(w.documents().size(), 1);
        QVERIFY(w.documents().first()->doc().Caption == QStringLiteral("Image1") && w.documents().first()->doc().Picture1.size() == QSize(200, 150));
        QCOMPARE(w.state().zoomFactor, std::int16_t(4));
        QVERIFY(w.sbStatusBar()->isHidden() && !w.menuItem(QStringLiteral("mnuViewStatusBar"))->isChecked());
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
            // Two changed images: a Cancel at the first question ends the shut-down there.
            w.NewDocument()->doc().setSaveReq(true);
            w.NewDocument()->doc().setSaveReq(true);
            QStringList asked;
            w.msgBoxHook = [&](const QString &text, int, const QString &) { return asked << text, int(Msg::Cancel); };
            QVERIFY(!w.close());
            QCOMPARE(asked, QStringList{QStringLiteral("Save to this file ?")});
            QCOMPARE(w.documents().size(), 2);
            QVERIFY(orvtest::setting("Settings", "MainWidth").isEmpty());   // the shut-down did not happen

            w.msgBoxHook = [&](const QString &, int, const QString &) { return int(Msg::No); };
            w.menuItem(QStringLiteral("mnuViewStatusBar"))->trigger();   // unchecks it
            w.state().foreColour = RGBColour(1, 2, 3);
            w.setAttribute(Qt::WA_DeleteOnClose, false);
            QVERIFY(w.close());
        }
        QVERIFY(!orvtest::setting("Settings", "MainWidth").isEmpty());
        QCOMPARE(orvtest::setting("Options", "StatusBar"), QStringLiteral("False"));
        QCOMPARE(orvtest::setting("Colors", "ForeColor"), QString::number(RGBColour(1, 2, 3)));
        QCOMPARE(orvtest::setting("Settings", "ZoomFactor"), QStringLiteral("4"));
    }

    void geometryRestartsWhereItWas()
    {
        // The outer window, in twips (15 to a pixel), through real restarts: no drift.
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        auto stored = [] {
            QStringList v;
            for (const char *key : {"MainLeft", "MainTop", "MainWidth", "MainHeight"})
                v << orvtest::setting("Settings", key);
            return v;
        };
        auto restart = [](const std::function<void(frmMain &)> &use) { ShownMain w; use(w); QVERIFY(w.close()); };
        restart([&](frmMain &w) {
            QCOMPARE(w.frameGeometry(), area);   // the first start fills the screen's free area
            w.move(30, 40);   // the frame's corner, as the user drags it
            w.resize(QSize(700, 520) - (w.frameGeometry().size() - w.size()));
        });
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(stored(), (QStringList{"450", "600", "10500", "7800"}));
            restart([](frmMain &w) { QCOMPARE(w.frameGeometry(), QRect(30, 40, 700, 520)); });
        }

        // Stored places off the screen, or larger than it, come back whole on the screen.
        const struct { int left, top, width, height; QRect expected; } rows[] = {
            {-9000, -9000, 10500, 7800, QRect(area.topLeft(), QSize(700, 520))},
            {999990, 999990, 10500, 7800, QRect(area.bottomRight() - QPoint(699, 519), QSize(700, 520))},
            {300, 300, 999990, 999990, area}};
        for (const auto &r : rows) {
            for (const auto &[key, value] : {std::pair{"MainLeft", r.left}, {"MainTop", r.top}, {"MainWidth", r.width}, {"MainHeight", r.height}})
                orvtest::store("Settings", key, QString::number(value));
            restart([&](frmMain &w) { QCOMPARE(w.frameGeometry(), r.expected); });
        }
    }

    void everyShortcutHasOneOwner()
    {
        ShownMain w;
        w.NewDocument();
        w.NewDocument();   // the image windows' own menus count too
        QHash<QKeySequence, QString> owner;
        for (QAction *a : w.findChildren<QAction *>())
            for (const QKeySequence &k : a->shortcuts()) {
                const QString name = a->objectName().isEmpty() ? a->text() : a->objectName();
                QVERIFY2(!owner.contains(k), qPrintable(QStringLiteral("%1: %2 and %3").arg(k.toString(), owner.value(k), name)));
                owner.insert(k, name);
            }
        QCOMPARE(owner.value(QKeySequence(Qt::CTRL | Qt::Key_W)), QStringLiteral("mnuFileClose"));
        frmDocument *active = w.ActiveForm();
        QTest::keyClick(active, Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(w.documents().size(), 1);
        QVERIFY(!w.documents().contains(active));
    }

    // The main window's wiring around the document's editing operations, on a picture the user
    // opened: Cut, Copy, Paste, Undo and Redo from their keys, Flip and Clear from the Image menu.
    void editCommandsFromKeysAndMenus()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.bmp"));
        const QImage pic = orvtest::testPicture(40, 30);
        QVERIFY(SavePicture(pic, path));
        ShownMain w;
        w.openPath(path);
        frmDocument *form = w.ActiveForm();
        QVERIFY(form);
        QWidget *view = form->Picture1View();
        const auto shown = [form] { return form->doc().Picture1.Image().convertToFormat(QImage::Format_RGB32); };
        const auto key = [view](Qt::Key k) { QTest::keyClick(view, k, Qt::ControlModifier); };
        QCOMPARE(shown(), pic);
        w.tool("Marquee");
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(5, 6));
        QTest::mouseMove(view, QPoint(10, 9));
        QTest::mouseMove(view, QPoint(15, 12));
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(15, 12));
        QImage cut = pic.copy();
        QPainter(&cut).fillRect(5, 6, 10, 6, QColor(QRgb(ToPixel(w.state().backColour))));
        key(Qt::Key_X);
        QCOMPARE(shown(), cut);
        QCOMPARE(PictureFromClipboard().convertToFormat(QImage::Format_RGB32), pic.copy(5, 6, 10, 6));
        key(Qt::Key_Z);
        QCOMPARE(shown(), pic);
        QGuiApplication::clipboard()->clear();
        key(Qt::Key_C);
        QCOMPARE(PictureFromClipboard().convertToFormat(QImage::Format_RGB32), pic.copy(5, 6, 10, 6));
        key(Qt::Key_Y);
        QCOMPARE(shown(), cut);
        key(Qt::Key_Z);
        key(Qt::Key_V);   // at the top left, in one undo step
        QImage pasted = pic.copy();
        QPainter(&pasted).drawImage(0, 0, pic.copy(5, 6, 10, 6));
        QCOMPARE(shown(), pasted);
        w.choose(QStringLiteral("mnuImageFlipHorizontal"));
        QCOMPARE(shown(), pasted.mirrored(true, false));
        w.choose(QStringLiteral("mnuImageFlipVertical"));
        QCOMPARE(shown(), pasted.mirrored(true, true));
        key(Qt::Key_Z);
        key(Qt::Key_Z);
        QCOMPARE(shown(), pasted);
        QList<orvtest::Message> asked;
        w.answerMessages(Msg::Yes, &asked);
        w.choose(QStringLiteral("mnuImageClear"));
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].text, QStringLiteral("Are you sure to clear image ?"));
        QImage blank(40, 30, QImage::Format_RGB32);
        blank.fill(ToPixel(w.state().backColour));
        QCOMPARE(shown(), blank);
        key(Qt::Key_Z);
        QCOMPARE(shown(), pasted);
    }

    void printWithNoPrinterOffersPdf()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is set up here; the test is about a computer with none");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("Image1.pdf"));
        ShownMain w;
        w.msgBoxHook = nullptr;   // the program's own message box, answered with its buttons
        w.NewDocument();
        QList<FileDialogRequest> asked;
        w.saveFileHook = [&](const FileDialogRequest &r) { return asked << r, dir.filePath(QStringLiteral("Image1")); };   // no extension
        for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            QString text;
            QTimer::singleShot(0, this, [&] { text = clickMessageBoxButton(answer); });
            w.menuItem(QStringLiteral("mnuFilePrint"))->trigger();
            QCOMPARE(text, QStringLiteral("No printer is set up on this computer.\n\n"
                                          "Do you want to print the picture to a PDF file instead?"));
            QCOMPARE(asked.size(), answer == QMessageBox::Yes ? 1 : 0);
            QCOMPARE(QFile::exists(pdf), answer == QMessageBox::Yes);
        }
        QVERIFY(asked.first().fileName == QStringLiteral("Image1.pdf") && asked.first().defaultExt == QStringLiteral("pdf"));
        QVERIFY(orvtest::readFile(pdf).startsWith("%PDF-"));   // what the page holds: tst_files' printPlacesPicture

        w.saveFileHook = [&](const FileDialogRequest &) { return dir.filePath(QStringLiteral("no/such/folder/x.pdf")); };
        QStringList said;
        w.msgBoxHook = [&](const QString &t, int, const QString &) { return said << t, int(Msg::Yes); };
        w.menuItem(QStringLiteral("mnuFilePrint"))->trigger();
        QVERIFY(said.size() == 2 && said.at(1).startsWith(QStringLiteral("The PDF file could not be written")));
        w.ActiveForm()->doc().setSaveReq(false);
    }

    // A file name with "&" shows as it is in the File menu, opens, and is written back unchanged.
    void recentFileWithAnAmpersand()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tom & Jerry.bmp"));
        QVERIFY(SavePicture(orvtest::testPicture(3, 2), path));
        orvtest::store("MRUList", "MRU 1", path);
        orvtest::store("MRUList", "MRU 1 Visible", QStringLiteral("True"));
        {
            LoadedMain w;
            QAction *item = w.menuItem(QStringLiteral("mnuFileMRU(1)"));
            QCOMPARE(item->text(), QString(path).replace(QStringLiteral("&"), QStringLiteral("&&")));
            item->trigger();
            QVERIFY(w.documents().size() == 1 && w.ActiveForm()->doc().Caption == path);
            QCOMPARE(w.ActiveForm()->doc().Picture1.Image().convertToFormat(QImage::Format_RGB32), orvtest::testPicture(3, 2));
            QVERIFY(w.close());
        }
        QCOMPARE(orvtest::setting("MRUList", "MRU 1"), path);
    }

    void splashShowsVersion()
    {
        frmSplash s;
        QCOMPARE(s.lblVersion()->text(), QStringLiteral("Version %1.%2.%3").arg(VersionMajor()).arg(VersionMinor()).arg(VersionRevision()));
        QCOMPARE(s.lblProductName()->text(), QStringLiteral("Orv Image Editor"));
        QVERIFY(s.Timer1()->interval() == 2000 && s.Timer1()->isActive());
    }

    void windowMenuAndArrangements()
    {
        ShownMain w(QSize(900, 700));
        auto entries = [&w] {
            w.UpdateWindowList();
            QStringList out;
            for (QAction *a : w.menu(QStringLiteral("mnuWindow"))->actions())
                if (a->property("WindowListEntry").toBool() && !a->isSeparator())
                    out << a->text() + (a->isChecked() ? QStringLiteral(" *") : QString());
            return out;
        };
        QVERIFY(entries().isEmpty());
        for (int i = 0; i < 3; ++i)
            w.menuItem(QStringLiteral("mnuWindowNewWindow"))->trigger();
        entries();   // the list is rebuilt, not appended
        QCOMPARE(entries(), (QStringList{"&1 Image1", "&2 Image2", "&3 Image3 *"}));
        for (QAction *a : w.menu(QStringLiteral("mnuWindow"))->actions())
            if (a->text() == QStringLiteral("&1 Image1"))
                a->trigger();
        QCOMPARE(w.ActiveForm()->doc().Caption, QStringLiteral("Image1"));

        const QRect area = w.workspace()->viewport()->rect();
        const QList<QMdiSubWindow *> subs = w.workspace()->subWindowList(QMdiArea::CreationOrder);
        // Horizontal tiles share the height, vertical ones the width.
        for (const bool horizontal : {true, false}) {
            w.menuItem(horizontal ? QStringLiteral("mnuWindowTileHorizontal") : QStringLiteral("mnuWindowTileVertical"))->trigger();
            for (int i = 0; i < 3; ++i) {
                const QRect g = subs.at(i)->geometry();
                QCOMPARE(g.topLeft(), area.topLeft() + (horizontal ? QPoint(0, area.height() * i / 3) : QPoint(area.width() * i / 3, 0)));
                QCOMPARE(horizontal ? g.width() : g.height(), horizontal ? area.width() : area.height());
            }
        }
        // Cascade: sizes kept, corners one title bar apart from the workspace's, the active window last and on top.
        QList<QSize> sizes;
        for (int i = 0; i < 3; ++i) {
            subs.at(i)->resize(300 + 40 * i, 200 + 30 * i);
            sizes << subs.at(i)->size();
        }
        w.workspace()->setActiveSubWindow(subs.at(0));
        w.menuItem(QStringLiteral("mnuWindowCascade"))->trigger();
        const QList<QMdiSubWindow *> order{subs.at(1), subs.at(2), subs.at(0)};
        const int step = order.at(1)->x() - order.at(0)->x();
        QVERIFY(step >= 8);
        for (int i = 0; i < 3; ++i)
            QVERIFY(order.at(i)->pos() == area.topLeft() + QPoint(step, step) * i && subs.at(i)->size() == sizes.at(i));
        QCOMPARE(w.workspace()->activeSubWindow(), subs.at(0));
        QCOMPARE(w.workspace()->subWindowList(QMdiArea::StackingOrder).last(), subs.at(0));

        // Minimized windows line up along the bottom, left to right; tiling shares the rest.
        subs.at(0)->showMinimized();
        subs.at(2)->showMinimized();
        subs.at(0)->move(300, 40);
        w.menuItem(QStringLiteral("mnuWindowArrangeIcons"))->trigger();
        QVERIFY(subs.at(0)->geometry().bottom() == area.bottom() && subs.at(0)->x() == area.left());
        QVERIFY(subs.at(2)->geometry().bottom() == area.bottom() && subs.at(2)->x() == subs.at(0)->geometry().right() + 1);
        w.menuItem(QStringLiteral("mnuWindowTileVertical"))->trigger();
        QVERIFY(subs.at(1)->geometry().left() == area.left() && subs.at(1)->width() == area.width());
        QVERIFY(subs.at(1)->geometry().bottom() < subs.at(0)->geometry().top());
        w.close();
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
