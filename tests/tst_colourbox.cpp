// The colour box on the offscreen main window: picking colours with each mouse button,
// customising cells and swatches through the colour dialog, the palette commands of the Colour
// menu, "Default Colors", and docking the box by dragging its title.
#include "testsupport.h"

#include "app/AppInfo.h"
#include "app/frmMain.h"
#include "tools/ColourBoxWidget.h"
#include "tools/Palette.h"

#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QRubberBand>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace orv;

class TestColourBox : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pressesPickColoursByButton();
    void swatchDoubleClickAsksForColour();
    void cellDoubleClickCustomisesOnlyTheCell();
    void defaultColorsAfterLoadingAPalette();
    void saveCommand();
    void loadCommandWithOddFiles();
    void failedSaveSaysWhyAndKeepsNothing();
    void titleDragDocksLeftOrRight();

private:
    QString cellColours() const;
    std::unique_ptr<orvtest::PrivateSettings> m_settings;
    std::unique_ptr<frmMain> m_w;
    QTemporaryDir m_dir;
};

namespace {

QString describe(const PaletteCells &cells)
{
    QStringList parts;
    for (Colour c : cells)
        parts << QString::number(c, 16);
    return parts.join(QLatin1Char(' '));
}

PaletteCells markerCells()
{
    PaletteCells cells{};
    for (int i = 0; i < ColourCellCount; ++i)
        cells[std::size_t(i)] = Colour(0x030201 * (i + 1));
    return cells;
}

// What the window system delivers for a double-click: press, release, double-click, release.
void doubleClick(QWidget *widget, Qt::MouseButton button)
{
    QTest::mousePress(widget, button);
    QTest::mouseRelease(widget, button);
    QTest::mouseDClick(widget, button);
    QTest::mouseRelease(widget, button);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

void TestColourBox::init()
{
    m_settings = std::make_unique<orvtest::PrivateSettings>();
    m_w = std::make_unique<frmMain>();
    m_w->MDIForm_Load();
    m_w->resize(1000, 700);
    m_w->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
    // Any message box or dialog not scripted by a test fails it instead of waiting forever.
    m_w->msgBoxHook = [](const QString &text, int, const QString &) {
        qWarning("unexpected message: %s", qPrintable(text));
        return 0;
    };
    m_w->colorDialogHook = [](const QColor &) -> std::optional<QColor> {
        qWarning("unexpected colour dialog");
        return std::nullopt;
    };
}

void TestColourBox::cleanup()
{
    m_w.reset();
    m_settings.reset();
}

QString TestColourBox::cellColours() const
{
    PaletteCells cells{};
    for (int i = 0; i < ColourCellCount; ++i)
        cells[std::size_t(i)] = m_w->colourBox()->LblColor(i)->colour();
    return describe(cells);
}

void TestColourBox::pressesPickColoursByButton()
{
    frmMain &w = *m_w;
    ColourBoxWidget *box = w.colourBox();
    QTest::mousePress(box->LblColor(9), Qt::LeftButton);
    QTest::mouseRelease(box->LblColor(9), Qt::LeftButton);
    QCOMPARE(w.state().foreColour, Colour(0x0000FF));
    QCOMPARE(box->LblFore()->colour(), Colour(0x0000FF));
    QCOMPARE(w.state().backColour, Colour(0xFFFFFF));
    QCOMPARE(box->lblBack()->colour(), Colour(0xFFFFFF));

    QTest::mousePress(box->LblColor(34), Qt::RightButton);
    QTest::mouseRelease(box->LblColor(34), Qt::RightButton);
    QCOMPARE(w.state().backColour, Colour(0xFF0000));
    QCOMPARE(box->lblBack()->colour(), Colour(0xFF0000));
    QCOMPARE(w.state().foreColour, Colour(0x0000FF));
    QCOMPARE(box->LblFore()->colour(), Colour(0x0000FF));

    QTest::mousePress(box->LblColor(0), Qt::MiddleButton);
    QTest::mouseRelease(box->LblColor(0), Qt::MiddleButton);
    QCOMPARE(w.state().foreColour, Colour(0x0000FF));
    QCOMPARE(w.state().backColour, Colour(0xFF0000));
    QCOMPARE(box->LblFore()->colour(), Colour(0x0000FF));
    QCOMPARE(box->lblBack()->colour(), Colour(0xFF0000));
    // Picking never changes a cell.
    QCOMPARE(cellColours(), describe(DefaultCellColours));
}

void TestColourBox::swatchDoubleClickAsksForColour()
{
    frmMain &w = *m_w;
    ColourBoxWidget *box = w.colourBox();
    QList<QColor> asked;
    std::optional<QColor> answer = QColor(10, 20, 30);
    w.colorDialogHook = [&](const QColor &initial) {
        asked << initial;
        return answer;
    };

    doubleClick(box->LblFore(), Qt::LeftButton);
    QCOMPARE(asked, QList<QColor>{QColor(0, 0, 0)});
    QCOMPARE(w.state().foreColour, Colour(0x1E140A));
    QCOMPARE(box->LblFore()->colour(), Colour(0x1E140A));
    QCOMPARE(w.state().backColour, Colour(0xFFFFFF));

    answer = QColor(200, 100, 50);
    doubleClick(box->lblBack(), Qt::LeftButton);
    QCOMPARE(asked.size(), 2);
    QCOMPARE(asked.last(), QColor(255, 255, 255));
    QCOMPARE(w.state().backColour, Colour(0x3264C8));
    QCOMPARE(box->lblBack()->colour(), Colour(0x3264C8));
    QCOMPARE(w.state().foreColour, Colour(0x1E140A));

    // Cancel changes nothing, on either swatch.
    answer = std::nullopt;
    doubleClick(box->LblFore(), Qt::LeftButton);
    doubleClick(box->lblBack(), Qt::LeftButton);
    QCOMPARE(asked.size(), 4);
    QCOMPARE(asked.at(2), QColor(10, 20, 30));
    QCOMPARE(asked.at(3), QColor(200, 100, 50));
    QCOMPARE(w.state().foreColour, Colour(0x1E140A));
    QCOMPARE(box->LblFore()->colour(), Colour(0x1E140A));
    QCOMPARE(w.state().backColour, Colour(0x3264C8));
    QCOMPARE(box->lblBack()->colour(), Colour(0x3264C8));
    QCOMPARE(cellColours(), describe(DefaultCellColours));
}

void TestColourBox::cellDoubleClickCustomisesOnlyTheCell()
{
    frmMain &w = *m_w;
    ColourBoxWidget *box = w.colourBox();
    QList<QColor> asked;
    std::optional<QColor> answer = QColor(1, 2, 3);
    w.colorDialogHook = [&](const QColor &initial) {
        asked << initial;
        return answer;
    };
    // The double-click's first press picks the cell as usual; the dialog then changes the cell
    // alone, not the foreground colour taken from it.
    doubleClick(box->LblColor(5), Qt::LeftButton);
    QCOMPARE(asked, QList<QColor>{QColor(0xFF, 0x80, 0x80)});
    PaletteCells expected = DefaultCellColours;
    expected[5] = 0x030201;
    QCOMPARE(cellColours(), describe(expected));
    QCOMPARE(w.state().foreColour, Colour(0x8080FF));
    QCOMPARE(box->LblFore()->colour(), Colour(0x8080FF));
    QCOMPARE(w.state().backColour, Colour(0xFFFFFF));

    answer = std::nullopt;
    doubleClick(box->LblColor(5), Qt::LeftButton);
    QCOMPARE(asked.size(), 2);
    QCOMPARE(asked.last(), QColor(1, 2, 3));
    QCOMPARE(cellColours(), describe(expected));
    QCOMPARE(w.state().foreColour, Colour(0x030201));
    QCOMPARE(w.state().backColour, Colour(0xFFFFFF));

    // A right double-click is two background picks, no dialog.
    doubleClick(box->LblColor(20), Qt::RightButton);
    QCOMPARE(asked.size(), 2);
    QCOMPARE(w.state().backColour, Colour(0));
    QCOMPARE(cellColours(), describe(expected));
}

void TestColourBox::defaultColorsAfterLoadingAPalette()
{
    frmMain &w = *m_w;
    const QString path = m_dir.filePath(QStringLiteral("markers.orvp"));
    QVERIFY(SavePaletteFile(path, markerCells()));
    QStringList folders;
    QStringList filters;
    w.paletteOpenHook = [&](const QString &folder, const QString &filter) {
        folders << folder;
        filters << filter;
        return path;
    };
    w.menuItem(QStringLiteral("mnuColorLoad"))->trigger();
    QCOMPARE(folders, QStringList{ProgramFolder()});
    QCOMPARE(filters, QStringList{QStringLiteral("Palette Files (*.orvp)")});
    QCOMPARE(cellColours(), describe(markerCells()));
    // Loading a palette touches neither the foreground nor the background colour.
    QCOMPARE(w.state().foreColour, Colour(0));
    QCOMPARE(w.state().backColour, Colour(0xFFFFFF));

    w.menuItem(QStringLiteral("mnuColorDefault"))->trigger();
    QCOMPARE(cellColours(), describe(DefaultCellColours));
}

void TestColourBox::saveCommand()
{
    frmMain &w = *m_w;
    std::optional<QColor> answer = QColor(0x12, 0x34, 0x56);
    w.colorDialogHook = [&](const QColor &) { return answer; };
    w.LblColor_DblClick(3);
    PaletteCells expected = DefaultCellColours;
    expected[3] = 0x563412;

    QStringList folders;
    QStringList filters;
    QString typed = m_dir.filePath(QStringLiteral("mine"));
    w.paletteSaveHook = [&](const QString &folder, const QString &filter) {
        folders << folder;
        filters << filter;
        return typed;
    };
    // A name typed without an extension is completed with ".orvp".
    w.menuItem(QStringLiteral("mnuColorSave"))->trigger();
    QVERIFY(!QFile::exists(typed));
    QCOMPARE(readAll(typed + QStringLiteral(".orvp")), PaletteFileText(expected));
    QCOMPARE(filters, QStringList{QStringLiteral("Palette Files (*.orvp)")});
    QCOMPARE(folders.size(), 1);
    QVERIFY2(QDir(folders.first()).exists(), qPrintable(folders.first()));

    // A name ending in a dot gets the extension after it; a name with an extension keeps it.
    typed = m_dir.filePath(QStringLiteral("dotted."));
    w.menuItem(QStringLiteral("mnuColorSave"))->trigger();
    QCOMPARE(readAll(m_dir.filePath(QStringLiteral("dotted.orvp"))), PaletteFileText(expected));
    typed = m_dir.filePath(QStringLiteral("colours.txt"));
    w.menuItem(QStringLiteral("mnuColorSave"))->trigger();
    QCOMPARE(readAll(typed), PaletteFileText(expected));

    // Saving over an existing palette replaces it.
    answer = QColor(0, 0, 0);
    w.LblColor_DblClick(0);
    expected[0] = 0;
    typed = m_dir.filePath(QStringLiteral("mine.orvp"));
    w.menuItem(QStringLiteral("mnuColorSave"))->trigger();
    QCOMPARE(readAll(typed), PaletteFileText(expected));

    // Cancel writes nothing.
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files, QDir::Name);
    typed.clear();
    w.menuItem(QStringLiteral("mnuColorSave"))->trigger();
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files, QDir::Name), before);
    QCOMPARE(folders.size(), 5);

    // What was saved loads back into a box whose cells were reset.
    w.menuItem(QStringLiteral("mnuColorDefault"))->trigger();
    w.paletteOpenHook = [&](const QString &, const QString &) { return m_dir.filePath(QStringLiteral("mine.orvp")); };
    w.menuItem(QStringLiteral("mnuColorLoad"))->trigger();
    QCOMPARE(cellColours(), describe(expected));
}

void TestColourBox::loadCommandWithOddFiles()
{
    // The reading rules themselves are tst_palette's; here the command's use of them.
    frmMain &w = *m_w;
    QString chosen;
    w.paletteOpenHook = [&](const QString &, const QString &) { return chosen; };
    // Cancel and a missing file change nothing and say nothing.
    for (const QString &path : {QString(), m_dir.filePath(QStringLiteral("missing.orvp"))}) {
        chosen = path;
        w.menuItem(QStringLiteral("mnuColorLoad"))->trigger();
        QCOMPARE(cellColours(), describe(DefaultCellColours));
    }
    // A file that goes wrong on its fourth line: the lines read before count.
    chosen = m_dir.filePath(QStringLiteral("bad.orvp"));
    QFile f(chosen);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("0,5\r\n30,6\r\n31,7\r\n32,99999999\r\n33,8\r\n");
    f.close();
    w.menuItem(QStringLiteral("mnuColorLoad"))->trigger();
    PaletteCells expected = DefaultCellColours;
    expected[0] = 5;
    expected[30] = 6;
    expected[31] = 7;
    QCOMPARE(cellColours(), describe(expected));
}

void TestColourBox::failedSaveSaysWhyAndKeepsNothing()
{
    frmMain &w = *m_w;
    const QString blocker = m_dir.filePath(QStringLiteral("plainfile"));
    {
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const QString path = blocker + QStringLiteral("/colours.orvp");
    w.paletteSaveHook = [&](const QString &, const QString &) { return path; };
    QStringList messages;
    QStringList titles;
    QList<int> styles;
    w.msgBoxHook = [&](const QString &text, int style, const QString &title) {
        messages << text;
        styles << style;
        titles << title;
        return 1;
    };
    w.menuItem(QStringLiteral("mnuColorSave"))->trigger();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().startsWith(QDir::toNativeSeparators(path) + QStringLiteral("\n\n")),
             qPrintable(messages.first()));
    QVERIFY(messages.first().size() > path.size() + 2);
    QCOMPARE(titles, QStringList{QStringLiteral("Error")});
    QCOMPARE(styles, QList<int>{16});
    QCOMPARE(readAll(blocker), QByteArray());
    QCOMPARE(cellColours(), describe(DefaultCellColours));
}

void TestColourBox::titleDragDocksLeftOrRight()
{
    frmMain &w = *m_w;
    QLabel *title = w.colourBox()->LblToolBox();
    QCOMPARE(w.Property1()->titleBarWidget(), title);
    QCOMPARE(w.ColorBoxAlign(), 3);
    auto dragTo = [&](int x) {
        // Press in the middle of the title, move and release at x, halfway down the window.
        const QPoint start = title->rect().center();
        const QPoint end = title->mapFromGlobal(w.mapToGlobal(QPoint(x, w.height() / 2)));
        QTest::mousePress(title, Qt::LeftButton, {}, start);
        QTest::mouseMove(title, end);
        QRubberBand *band = w.findChild<QRubberBand *>();
        QVERIFY(band && band->isVisible());
        QCOMPARE(band->size(), w.Property1()->size());
        QTest::mouseRelease(title, Qt::LeftButton, {}, end);
        QVERIFY(!w.findChild<QRubberBand *>());
        QVERIFY(!w.Property1()->isFloating());
        QCoreApplication::processEvents();
    };

    const int boxWidth = w.Property1()->width();
    QVERIFY(boxWidth > 0 && boxWidth * 3 < w.width());
    // The middle of the window leaves the box where it is.
    dragTo(w.width() / 2);
    QCOMPARE(w.ColorBoxAlign(), 3);
    // Within the box's width of the right edge, and beyond the edge, docks right.
    dragTo(w.width() - boxWidth);
    QCOMPARE(w.ColorBoxAlign(), 3);
    dragTo(w.width() - boxWidth + 1);
    QCOMPARE(w.ColorBoxAlign(), 4);
    dragTo(w.width() / 2);
    QCOMPARE(w.ColorBoxAlign(), 4);
    dragTo(boxWidth);
    QCOMPARE(w.ColorBoxAlign(), 4);
    dragTo(boxWidth - 1);
    QCOMPARE(w.ColorBoxAlign(), 3);
    dragTo(w.width() + 40);
    QCOMPARE(w.ColorBoxAlign(), 4);
    dragTo(-40);
    QCOMPARE(w.ColorBoxAlign(), 3);

    // Other buttons and a double-click on the title neither drag nor float the box.
    QTest::mousePress(title, Qt::RightButton);
    QVERIFY(!w.findChild<QRubberBand *>());
    QTest::mouseRelease(title, Qt::RightButton);
    doubleClick(title, Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(!w.Property1()->isFloating());
    QCOMPARE(w.ColorBoxAlign(), 3);
    // Only the colour box docks.
    w.MDIForm_DragDrop(w.TbStd(), w.width() - 2, 50);
    QCOMPARE(w.ColorBoxAlign(), 3);
}

QTEST_MAIN(TestColourBox)
#include "tst_colourbox.moc"
