// Palette files (*.orvp) and the colour box on the offscreen main window. The files: the exact
// text written for the 48 cells, the record reader's tolerance, and the loading rules for files
// that are out of order, short, or not palette files at all. The box: picking colours with each
// mouse button, customising cells and swatches through the colour dialog, the palette commands
// of the Colour menu, "Default Colors", and docking the box by dragging its title.
#include "testsupport.h"

#include "base/AppInfo.h"
#include "app/frmMain.h"
#include "tools/ColourBoxWidget.h"
#include "tools/Palette.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QRubberBand>
#include <QTemporaryDir>
#include <QTest>
#include <utility>
#include <QToolBar>

using namespace orv;

namespace {

QString describe(const PaletteCells &cells)
{
    QStringList parts;
    for (Colour c : cells)
        parts << QString::number(c, 16);
    return parts.join(QLatin1Char(' '));
}

// Cells that differ from every default and from each other, so that a test sees exactly which
// cells a load changed.
PaletteCells markerCells()
{
    PaletteCells cells{};
    for (int i = 0; i < ColourCellCount; ++i)
        cells[std::size_t(i)] = Colour(0x030201 * (i + 1));
    return cells;
}

QByteArray record(int index, Colour colour)
{
    return QByteArray::number(index) + ',' + QByteArray::number(colour) + "\r\n";
}

// Records for the cells from..to (inclusive) with colour = 1000 + index.
QByteArray records(int from, int to)
{
    QByteArray text;
    for (int i = from; i <= to; ++i)
        text += record(i, Colour(1000 + i));
    return text;
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

// Cells as index → colour pairs.
using CellList = QList<QPair<int, uint>>;

class TestColourBox : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_settings = std::make_unique<orvtest::PrivateSettings>();
    }

    void cleanup()
    {
        m_w.reset();
        m_settings.reset();
        // A message box or colour dialog that no test scripted fails the test that raised it.
        QCOMPARE(std::exchange(m_unexpectedPrompts, 0), 0);
    }

    // --- Palette files --------------------------------------------------------------------
    void fileTextOfTheDefaults()
    {
        const QByteArray text = PaletteFileText(DefaultCellColours);
        QVERIFY(text.startsWith("0,16777215\r\n1,12632319\r\n2,12640511\r\n"));
        QVERIFY(text.endsWith("46,4194304\r\n47,4194368\r\n"));
        QCOMPARE(text.count("\r\n"), 48);
        QCOMPARE(text.count('\n'), 48);
        QCOMPARE(text.count('\r'), 48);
        QVERIFY(!text.contains(' '));
        QVERIFY(!text.contains('"'));
        // Cells 38 and 42 hold the same colour; black is written as 0.
        QVERIFY(text.contains("\r\n38,12582912\r\n"));
        QVERIFY(text.contains("\r\n42,12582912\r\n"));
        QVERIFY(text.contains("\r\n20,0\r\n"));
        QCOMPARE(text.size(), 541);
    }

    void saveAndLoadRoundTrip()
    {
        PaletteCells cells = markerCells();
        cells[0] = 0;
        cells[1] = 0xFFFFFF;
        cells[47] = 0x00ABCDEF;
        const QString path = m_dir.filePath(QStringLiteral("round.orvp"));
        QString error;
        QVERIFY(SavePaletteFile(path, cells, &error));
        QVERIFY(error.isEmpty());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), PaletteFileText(cells));
        f.close();

        PaletteCells back = DefaultCellColours;
        QCOMPARE(LoadPaletteFile(path, back), 48);
        QCOMPARE(describe(back), describe(cells));

        // Saving again replaces the whole file.
        QVERIFY(SavePaletteFile(path, DefaultCellColours));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), PaletteFileText(DefaultCellColours));
    }

    void failedSaveKeepsTheOldFile()
    {
        // A folder that does not exist (its parent is a plain file) fails for every user.
        const QString blocker = writeFile("not a folder");
        QString error;
        QVERIFY(!SavePaletteFile(blocker + QStringLiteral("/colours.orvp"), DefaultCellColours, &error));
        QVERIFY(!error.isEmpty());

        // A folder the user may not write: the old file stays as it was.
        const QString folder = m_dir.filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/colours.orvp");
        QVERIFY(SavePaletteFile(path, markerCells()));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        QFile probe(folder + QStringLiteral("/probe"));
        const bool stillWritable = probe.open(QIODevice::WriteOnly);
        if (stillWritable)
            probe.remove();
        const bool saved = SavePaletteFile(path, DefaultCellColours, &error);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (stillWritable)
            QSKIP("this user can write any folder, so a locked folder cannot be tried");
        QVERIFY(!saved);
        QVERIFY(!error.isEmpty());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), PaletteFileText(markerCells()));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("colours.orvp")});
    }

    void recordReader_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("index");
        QTest::addColumn<uint>("colour");

        QTest::newRow("plain") << QByteArray("5,255") << true << 5 << 255u;
        QTest::newRow("crlf") << QByteArray("0,16777215\r\n") << true << 0 << 16777215u;
        QTest::newRow("lf") << QByteArray("47,0\n") << true << 47 << 0u;
        QTest::newRow("blanks around") << QByteArray(" 5 ,\t255 \r\n") << true << 5 << 255u;
        QTest::newRow("leading zeros") << QByteArray("007,000255") << true << 7 << 255u;
        QTest::newRow("many leading zeros") << QByteArray("0000000000007,000000000000000255") << true << 7 << 255u;
        QTest::newRow("signed") << QByteArray("+5,-0") << true << 5 << 0u;
        QTest::newRow("fraction") << QByteArray("5.0,1.25") << true << 5 << 1u;
        QTest::newRow("halves to even") << QByteArray("2.5,3.5") << true << 2 << 4u;
        QTest::newRow("index just below 0") << QByteArray("-0.4,1") << true << 0 << 1u;
        QTest::newRow("exponent") << QByteArray("0.5e1,1E3") << true << 5 << 1000u;
        QTest::newRow("colour above 0xFFFFFF") << QByteArray("5,16777472") << true << 5 << 256u;
        QTest::newRow("negative colour") << QByteArray("5,-1") << true << 5 << 0xFFFFFFu;
        QTest::newRow("index rounds to 48") << QByteArray("47.6,1") << false << 0 << 0u;
        QTest::newRow("colour beyond 32 bits") << QByteArray("5,2147483648") << false << 0 << 0u;
        QTest::newRow("exponent without digits") << QByteArray("5,1e") << false << 0 << 0u;
        QTest::newRow("sign alone") << QByteArray("5,-") << false << 0 << 0u;
        QTest::newRow("index 48") << QByteArray("48,1") << false << 0 << 0u;
        QTest::newRow("index huge") << QByteArray("4294967296,1") << false << 0 << 0u;
        QTest::newRow("negative index") << QByteArray("-1,1") << false << 0 << 0u;
        QTest::newRow("hex colour") << QByteArray("5,0x10") << false << 0 << 0u;
        QTest::newRow("blank inside number") << QByteArray("1 2,3") << false << 0 << 0u;
        QTest::newRow("no comma") << QByteArray("5 255") << false << 0 << 0u;
        QTest::newRow("index only") << QByteArray("5") << false << 0 << 0u;
        QTest::newRow("no index") << QByteArray(",5") << false << 0 << 0u;
        QTest::newRow("no colour") << QByteArray("5,") << false << 0 << 0u;
        QTest::newRow("three numbers") << QByteArray("5,1,2") << false << 0 << 0u;
        QTest::newRow("quoted") << QByteArray("\"5\",1") << false << 0 << 0u;
        QTest::newRow("words") << QByteArray("five,red") << false << 0 << 0u;
        QTest::newRow("trailing text") << QByteArray("5,255 red") << false << 0 << 0u;
        QTest::newRow("empty") << QByteArray("") << false << 0 << 0u;
        QTest::newRow("blank line") << QByteArray("\r\n") << false << 0 << 0u;
        QTest::newRow("nul byte") << QByteArray("5,2\0" "55", 6) << false << 0 << 0u;
    }

    void recordReader()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, ok);
        QFETCH(int, index);
        QFETCH(uint, colour);
        int readIndex = -7;
        Colour readColour = 0xDEAD;
        QCOMPARE(ParsePaletteRecord(line, &readIndex, &readColour), ok);
        QCOMPARE(readIndex, ok ? index : -7);
        QCOMPARE(readColour, ok ? Colour(colour) : Colour(0xDEAD));
    }

    void loadingRules_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("applied");
        // The cells expected after the load, as index → colour; the others keep their marker colour.
        QTest::addColumn<CellList>("changed");

        auto expectRange = [](int from, int to) {
            CellList cells;
            for (int i = from; i <= to; ++i)
                cells << qMakePair(i, uint(1000 + i));
            return cells;
        };

        QTest::newRow("whole file") << records(0, 47) << 48 << expectRange(0, 47);
        QTest::newRow("out of order") << (record(3, 7) + record(45, 9) + record(0, 11) + record(47, 13) + records(0, 47))
                                      << 4 << CellList{{0, 11}, {3, 7}, {45, 9}, {47, 13}};
        QTest::newRow("first line names 40") << (records(40, 47) + records(0, 39)) << 8 << expectRange(40, 47);
        QTest::newRow("first line names 47") << (record(47, 5) + records(0, 46)) << 1
                                             << CellList{{47, 5}};
        QTest::newRow("a cell named twice") << (record(2, 1) + record(2, 9) + records(3, 47)) << 47
                                            << (CellList{{2, 9}} + expectRange(3, 47));
        QTest::newRow("lines after 47 ignored") << (records(0, 47) + "junk\r\n" + record(0, 5)) << 48 << expectRange(0, 47);
        QTest::newRow("ten lines") << records(0, 9) << 10 << expectRange(0, 9);
        QTest::newRow("no line end at the end") << records(0, 9).chopped(2) << 10 << expectRange(0, 9);
        QTest::newRow("lf line ends") << records(0, 47).replace("\r\n", "\n") << 48 << expectRange(0, 47);
        QTest::newRow("byte-order mark") << ("\xEF\xBB\xBF" + records(0, 47)) << 48 << expectRange(0, 47);
        QTest::newRow("index 48 stops") << (records(0, 4) + record(48, 1) + records(6, 47)) << 5 << expectRange(0, 4);
        QTest::newRow("negative index stops") << (records(0, 4) + "-3,1\r\n" + records(6, 47)) << 5 << expectRange(0, 4);
        QTest::newRow("index beyond 16 bits stops") << (records(0, 2) + "40000,1\r\n" + records(4, 47)) << 3
                                                    << expectRange(0, 2);
        QTest::newRow("non-numeric stops") << (records(0, 1) + "2,white\r\n" + records(3, 47)) << 2 << expectRange(0, 1);
        QTest::newRow("blank line stops") << (records(0, 1) + "\r\n" + records(2, 47)) << 2 << expectRange(0, 1);
        QTest::newRow("empty file") << QByteArray() << 0 << CellList{};
        QTest::newRow("binary junk") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0", 20) << 0
                                     << CellList{};
        QTest::newRow("junk after good lines") << (records(0, 5) + QByteArray("\0\xff\xfe\x01,\x02", 6)) << 6
                                               << expectRange(0, 5);
        QTest::newRow("long line of leading zeros") << (records(0, 0) + "1," + QByteArray(300000, '0') + "1001\r\n" + records(2, 47))
                                                    << 48 << expectRange(0, 47);
        QTest::newRow("no line ends in a long file") << QByteArray(100000, '7') << 0 << CellList{};
    }

    void loadingRules()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, applied);
        QFETCH(CellList, changed);
        PaletteCells expected = markerCells();
        for (const auto &[index, colour] : changed)
            expected[std::size_t(index)] = Colour(colour);

        PaletteCells cells = markerCells();
        QCOMPARE(LoadPaletteFile(writeFile(file), cells), applied);
        QCOMPARE(describe(cells), describe(expected));
    }

    // --- The colour box -------------------------------------------------------------------
    void pressesPickColoursByButton()
    {
        frmMain &w = window();
        ColourBoxWidget *box = w.colourBox();
        for (const auto &[cell, button, want] : {std::tuple{9, Qt::LeftButton, "ff ffffff"},
                                                 {34, Qt::RightButton, "ff ff0000"}, {0, Qt::MiddleButton, "ff ff0000"}}) {
            QTest::mousePress(box->LblColor(cell), button);
            QTest::mouseRelease(box->LblColor(cell), button);
            QCOMPARE(colours(), QString::fromLatin1(want));
        }
        // Picking never changes a cell.
        QCOMPARE(cellColours(), describe(DefaultCellColours));
    }

    void swatchDoubleClickAsksForColour()
    {
        frmMain &w = window();
        ColourBoxWidget *box = w.colourBox();
        QList<QColor> asked;
        std::optional<QColor> answer = QColor(10, 20, 30);
        w.colorDialogHook = [&](const QColor &initial) {
            asked << initial;
            return answer;
        };

        doubleClick(box->LblFore(), Qt::LeftButton);
        QCOMPARE(asked, QList<QColor>{QColor(0, 0, 0)});
        QCOMPARE(colours(), QStringLiteral("1e140a ffffff"));

        answer = QColor(200, 100, 50);
        doubleClick(box->lblBack(), Qt::LeftButton);
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked.last(), QColor(255, 255, 255));
        QCOMPARE(colours(), QStringLiteral("1e140a 3264c8"));

        // Cancel changes nothing, on either swatch.
        answer = std::nullopt;
        doubleClick(box->LblFore(), Qt::LeftButton);
        doubleClick(box->lblBack(), Qt::LeftButton);
        QCOMPARE(asked.size(), 4);
        QCOMPARE(asked.at(2), QColor(10, 20, 30));
        QCOMPARE(asked.at(3), QColor(200, 100, 50));
        QCOMPARE(colours(), QStringLiteral("1e140a 3264c8"));
        QCOMPARE(cellColours(), describe(DefaultCellColours));
    }

    void cellDoubleClickCustomisesOnlyTheCell()
    {
        frmMain &w = window();
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
        QCOMPARE(colours(), QStringLiteral("8080ff ffffff"));

        answer = std::nullopt;
        doubleClick(box->LblColor(5), Qt::LeftButton);
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked.last(), QColor(1, 2, 3));
        QCOMPARE(cellColours(), describe(expected));
        QCOMPARE(colours(), QStringLiteral("30201 ffffff"));

        // A right double-click is two background picks, no dialog.
        doubleClick(box->LblColor(20), Qt::RightButton);
        QCOMPARE(asked.size(), 2);
        QCOMPARE(w.state().backColour, Colour(0));
        QCOMPARE(cellColours(), describe(expected));
    }

    void defaultColorsAfterLoadingAPalette()
    {
        frmMain &w = window();
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
        QCOMPARE(colours(), QStringLiteral("0 ffffff"));

        w.menuItem(QStringLiteral("mnuColorDefault"))->trigger();
        QCOMPARE(cellColours(), describe(DefaultCellColours));
    }

    void saveCommand()
    {
        frmMain &w = window();
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

    void loadCommandWithOddFiles()
    {
        // The reading rules themselves are loadingRules' rows; here the command's use of them.
        frmMain &w = window();
        QString chosen;
        w.paletteOpenHook = [&](const QString &, const QString &) { return chosen; };
        // Cancel and a missing file change nothing and say nothing.
        for (const QString &path : {QString(), m_dir.filePath(QStringLiteral("missing.orvp"))}) {
            chosen = path;
            w.menuItem(QStringLiteral("mnuColorLoad"))->trigger();
            QCOMPARE(cellColours(), describe(DefaultCellColours));
        }
        // A file that goes wrong on its fourth line: the lines read before count.
        chosen = writeFile("0,5\r\n30,6\r\n31,7\r\n32,white\r\n33,8\r\n");
        w.menuItem(QStringLiteral("mnuColorLoad"))->trigger();
        PaletteCells expected = DefaultCellColours;
        expected[0] = 5;
        expected[30] = 6;
        expected[31] = 7;
        QCOMPARE(cellColours(), describe(expected));
    }

    void failedSaveIsSilentAndKeepsNothing()
    {
        // A path under a plain file cannot be written by any user: the command ends without a
        // message (the cleanup fails the test on any message box) and writes nothing.
        frmMain &w = window();
        const QString blocker = writeFile(QByteArray());
        w.paletteSaveHook = [&](const QString &, const QString &) { return blocker + QStringLiteral("/colours.orvp"); };
        w.menuItem(QStringLiteral("mnuColorSave"))->trigger();
        QCOMPARE(readAll(blocker), QByteArray());
        QCOMPARE(cellColours(), describe(DefaultCellColours));
    }

    void titleDragDocksLeftOrRight()
    {
        frmMain &w = window();
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
        // The middle of the window leaves the box where it is; within the box's width of an edge,
        // or beyond it, docks it on that side (3 left, 4 right).
        const int mid = w.width() / 2, right = w.width() - boxWidth;
        for (const auto &[x, align] : {std::pair{mid, 3}, {right, 3}, {right + 1, 4}, {mid, 4}, {boxWidth, 4},
                                       {boxWidth - 1, 3}, {w.width() + 40, 4}, {-40, 3}}) {
            dragTo(x);
            QVERIFY2(w.ColorBoxAlign() == align, qPrintable(QString::number(x)));
        }

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

private:
    frmMain &window();
    QString cellColours() const;
    QString colours() const;
    QString writeFile(const QByteArray &bytes);
    std::unique_ptr<orvtest::PrivateSettings> m_settings;
    std::unique_ptr<frmMain> m_w;
    QTemporaryDir m_dir;
    int m_fileCounter = 0;
    int m_unexpectedPrompts = 0;
};

// The main window, made at a colour-box test's first call.
frmMain &TestColourBox::window()
{
    if (m_w)
        return *m_w;
    m_w = std::make_unique<frmMain>();
    m_w->MDIForm_Load();
    m_w->resize(1000, 700);
    m_w->show();
    if (!QTest::qWaitForWindowExposed(m_w.get()))
        QTest::qFail("the main window was not shown", __FILE__, __LINE__);
    // Any message box or dialog not scripted by a test fails it instead of waiting forever.
    m_w->msgBoxHook = [this](const QString &text, int, const QString &) {
        qWarning("unexpected message: %s", qPrintable(text));
        ++m_unexpectedPrompts;
        return 0;
    };
    m_w->colorDialogHook = [this](const QColor &) -> std::optional<QColor> {
        qWarning("unexpected colour dialog");
        ++m_unexpectedPrompts;
        return std::nullopt;
    };
    return *m_w;
}

QString TestColourBox::writeFile(const QByteArray &bytes)
{
    const QString path = m_dir.filePath(QStringLiteral("file%1.orvp").arg(++m_fileCounter));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write the test file %s", qPrintable(path));
    return path;
}

QString TestColourBox::cellColours() const
{
    PaletteCells cells{};
    for (int i = 0; i < ColourCellCount; ++i)
        cells[std::size_t(i)] = m_w->colourBox()->LblColor(i)->colour();
    return describe(cells);
}

// The foreground and background colours, "fore back" in hex, with the swatches' colours after
// a bar where they show something else.
QString TestColourBox::colours() const
{
    const auto hex = [](Colour c) { return QString::number(c, 16); };
    const Colour fore = m_w->state().foreColour, back = m_w->state().backColour;
    const Colour foreShown = m_w->colourBox()->LblFore()->colour(), backShown = m_w->colourBox()->lblBack()->colour();
    QString out = hex(fore) + QLatin1Char(' ') + hex(back);
    if (foreShown != fore || backShown != back)
        out += QStringLiteral(" | ") + hex(foreShown) + QLatin1Char(' ') + hex(backShown);
    return out;
}

QTEST_MAIN(TestColourBox)
#include "tst_colourbox.moc"
