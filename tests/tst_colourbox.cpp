// Palette files (*.orvp) and the colour box: picks, the colour dialog, palette commands, docking.
#include "uihelpers.h"

#include "tools/ColourBoxWidget.h"
#include "tools/Palette.h"

using namespace orv;

namespace {

QString describe(const PaletteCells &cells)
{
    QStringList parts;
    for (Colour c : cells)
        parts << QString::number(c, 16);
    return parts.join(QLatin1Char(' '));
}

// Cells unlike every default and each other, so a test sees exactly which cells a load changed.
PaletteCells markerCells()
{
    PaletteCells cells{};
    for (int i = 0; i < ColourCellCount; ++i)
        cells[std::size_t(i)] = Colour(0x030201 * (i + 1));
    return cells;
}

QByteArray record(int index, Colour colour) { return QByteArray::number(index) + ',' + QByteArray::number(colour) + "\r\n"; }

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

QString escaped(QByteArray text)
{
    return QString::fromLatin1(text.replace("\r", "\\r").replace("\n", "\\n").replace("\t", "\\t").replace(QByteArray(1, '\0'), "\\0"));
}

} // namespace

// Cells as index → colour pairs.
using CellList = QList<QPair<int, uint>>;

class TestColourBox : public orvtest::FreshSettingsTest {
    Q_OBJECT
private slots:
    void cleanup()
    {
        m_w.reset();
        FreshSettingsTest::cleanup();
        // A message box or colour dialog that no test scripted fails the test that raised it.
        QCOMPARE(std::exchange(m_unexpectedPrompts, 0), 0);
    }

    void fileTextOfTheDefaults()
    {
        const QByteArray text = PaletteFileText(DefaultCellColours);
        QVERIFY(text.startsWith("0,16777215\r\n1,12632319\r\n2,12640511\r\n"));
        QVERIFY(text.endsWith("46,4194304\r\n47,4194368\r\n"));
        QVERIFY(text.count("\r\n") == 48 && text.count('\n') == 48 && text.count('\r') == 48 && !text.contains(' ') && !text.contains('"'));
        // Cells 38 and 42 hold the same colour; black is written as 0.
        QVERIFY(text.contains("\r\n38,12582912\r\n") && text.contains("\r\n42,12582912\r\n"));
        QVERIFY(text.contains("\r\n20,0\r\n"));
        QCOMPARE(text.size(), 541);
    }

    // A folder under a plain file fails for every user; a folder the user may not write keeps the old file.
    void failedSaveSaysWhyAndKeepsTheOldFile()
    {
        QString error;
        QVERIFY(!SavePaletteFile(writeFile("not a folder") + QStringLiteral("/colours.orvp"), DefaultCellColours, &error));
        QVERIFY(!error.isEmpty());
        const QString folder = m_dir.filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkpath(folder));
        const QString kept = folder + QStringLiteral("/colours.orvp");
        QVERIFY(SavePaletteFile(kept, markerCells()));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        QFile probe(folder + QStringLiteral("/probe"));
        const bool stillWritable = probe.open(QIODevice::WriteOnly) && probe.remove();
        error.clear();
        const bool saved = SavePaletteFile(kept, DefaultCellColours, &error);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (stillWritable)
            QSKIP("this user can write any folder, so a locked folder cannot be tried");
        QVERIFY(!saved && !error.isEmpty());
        QCOMPARE(orvtest::readFile(kept), PaletteFileText(markerCells()));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("colours.orvp")});
    }

    void recordReader()
    {
        const struct { const char *line; int index; uint colour; } good[] = {
            {"5,255", 5, 255}, {"0,16777215\r\n", 0, 16777215}, {"47,0\n", 47, 0}, {" 5 ,\t255 \r\n", 5, 255},
            {"007,000255", 7, 255}, {"0000000000007,000000000000000255", 7, 255}, {"+5,-0", 5, 0},
            {"5.0,1.25", 5, 1}, {"2.5,3.5", 2, 4} /* halves to even */, {"-0.4,1", 0, 1}, {"0.5e1,1E3", 5, 1000},
            {"5,16777472", 5, 256} /* above 0xFFFFFF */, {"5,-1", 5, 0xFFFFFF}};
        // The line, whether it was read, and the index and colour after it (-7 and dead when not written).
        const auto parsed = [](const QByteArray &line) {
            int index = -7;
            Colour colour = 0xDEAD;
            const bool read = ParsePaletteRecord(line, &index, &colour);
            return QStringLiteral("%1 %2 %3,%4").arg(escaped(line), read ? "read" : "refused").arg(index).arg(colour, 0, 16);
        };
        for (const auto &g : good)
            QCOMPARE(parsed(g.line), QStringLiteral("%1 read %2,%3").arg(escaped(g.line)).arg(g.index).arg(g.colour, 0, 16));
        for (const char *line : {"47.6,1", "5,2147483648", "5,1e", "5,-", "48,1", "4294967296,1", "-1,1", "5,0x10", "1 2,3", "5 255",
                                 "5", ",5", "5,", "5,1,2", "\"5\",1", "five,red", "5,255 red", "", "\r\n"})
            QCOMPARE(parsed(line), escaped(line) + QStringLiteral(" refused -7,dead"));
        QCOMPARE(parsed(QByteArray("5,2\0" "55", 6)), QStringLiteral("5,2\\055 refused -7,dead"));
    }

    void loadingRules_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("applied");
        QTest::addColumn<CellList>("changed");   // the cells the load set; the others keep their marker colour
        auto range = [](int from, int to) {
            CellList cells;
            for (int i = from; i <= to; ++i)
                cells << qMakePair(i, uint(1000 + i));
            return cells;
        };
        QTest::newRow("whole file") << records(0, 47) << 48 << range(0, 47);
        QTest::newRow("out of order") << (record(3, 7) + record(45, 9) + record(0, 11) + record(47, 13) + records(0, 47))
                                      << 4 << CellList{{0, 11}, {3, 7}, {45, 9}, {47, 13}};
        QTest::newRow("first line names 40") << (records(40, 47) + records(0, 39)) << 8 << range(40, 47);
        QTest::newRow("first line names 47") << (record(47, 5) + records(0, 46)) << 1 << CellList{{47, 5}};
        QTest::newRow("a cell named twice") << (record(2, 1) + record(2, 9) + records(3, 47)) << 47 << (CellList{{2, 9}} + range(3, 47));
        QTest::newRow("lines after 47 ignored") << (records(0, 47) + "junk\r\n" + record(0, 5)) << 48 << range(0, 47);
        QTest::newRow("ten lines") << records(0, 9) << 10 << range(0, 9);
        QTest::newRow("no line end at the end") << records(0, 9).chopped(2) << 10 << range(0, 9);
        QTest::newRow("lf line ends") << records(0, 47).replace("\r\n", "\n") << 48 << range(0, 47);
        QTest::newRow("byte-order mark") << ("\xEF\xBB\xBF" + records(0, 47)) << 48 << range(0, 47);
        QTest::newRow("index 48 stops") << (records(0, 4) + record(48, 1) + records(6, 47)) << 5 << range(0, 4);
        QTest::newRow("negative index stops") << (records(0, 4) + "-3,1\r\n" + records(6, 47)) << 5 << range(0, 4);
        QTest::newRow("index beyond 16 bits stops") << (records(0, 2) + "40000,1\r\n" + records(4, 47)) << 3 << range(0, 2);
        QTest::newRow("non-numeric stops") << (records(0, 1) + "2,white\r\n" + records(3, 47)) << 2 << range(0, 1);
        QTest::newRow("blank line stops") << (records(0, 1) + "\r\n" + records(2, 47)) << 2 << range(0, 1);
        QTest::newRow("empty file") << QByteArray() << 0 << CellList{};
        QTest::newRow("binary junk") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0", 20) << 0 << CellList{};
        QTest::newRow("junk after good lines") << (records(0, 5) + QByteArray("\0\xff\xfe\x01,\x02", 6)) << 6 << range(0, 5);
        QTest::newRow("long line of leading zeros") << (records(0, 0) + "1," + QByteArray(300000, '0') + "1001\r\n" + records(2, 47))
                                                    << 48 << range(0, 47);
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

    void doubleClicksAskForColour()
    {
        frmMain &w = window();
        ColourBoxWidget *box = w.colourBox();
        QList<QColor> asked;
        std::optional<QColor> answer = QColor(10, 20, 30);
        w.colorDialogHook = [&](const QColor &initial) { return asked << initial, answer; };
        // The swatches: the dialog starts at their colour; Cancel changes nothing.
        doubleClick(box->LblFore(), Qt::LeftButton);
        answer = QColor(200, 100, 50);
        doubleClick(box->lblBack(), Qt::LeftButton);
        QCOMPARE(colours(), QStringLiteral("1e140a 3264c8"));
        answer = std::nullopt;
        doubleClick(box->LblFore(), Qt::LeftButton);
        doubleClick(box->lblBack(), Qt::LeftButton);
        QCOMPARE(asked, (QList<QColor>{QColor(0, 0, 0), QColor(255, 255, 255), QColor(10, 20, 30), QColor(200, 100, 50)}));
        QCOMPARE(colours(), QStringLiteral("1e140a 3264c8"));
        QCOMPARE(cellColours(), describe(DefaultCellColours));

        // A cell: the first press picks it; the dialog then changes the cell alone, not the foreground.
        asked.clear();
        answer = QColor(1, 2, 3);
        doubleClick(box->LblColor(5), Qt::LeftButton);
        PaletteCells expected = DefaultCellColours;
        expected[5] = 0x030201;
        QCOMPARE(cellColours(), describe(expected));
        QCOMPARE(colours(), QStringLiteral("8080ff 3264c8"));
        answer = std::nullopt;
        doubleClick(box->LblColor(5), Qt::LeftButton);
        QCOMPARE(asked, (QList<QColor>{QColor(0xFF, 0x80, 0x80), QColor(1, 2, 3)}));
        QCOMPARE(cellColours(), describe(expected));
        QCOMPARE(colours(), QStringLiteral("30201 3264c8"));
        // A right double-click is two background picks, no dialog.
        doubleClick(box->LblColor(20), Qt::RightButton);
        QCOMPARE(asked.size(), 2);
        QCOMPARE(colours(), QStringLiteral("30201 0"));
        // Single presses pick by button; picking never changes a cell.
        for (const auto &[cell, button, want] : {std::tuple{9, Qt::LeftButton, "ff 0"}, {34, Qt::RightButton, "ff ff0000"},
                                                 {0, Qt::MiddleButton, "ff ff0000"}}) {
            QTest::mousePress(box->LblColor(cell), button);
            QTest::mouseRelease(box->LblColor(cell), button);
            QCOMPARE(colours(), QString::fromLatin1(want));
        }
        QCOMPARE(cellColours(), describe(expected));
    }

    void paletteCommands()
    {
        frmMain &w = window();
        QString chosen = m_dir.filePath(QStringLiteral("markers.orvp"));
        QVERIFY(SavePaletteFile(chosen, markerCells()));
        QStringList asked;
        w.paletteOpenHook = [&](const QString &folder, const QString &filter) { return asked << folder << filter, chosen; };
        w.menuItem(QStringLiteral("mnuColorLoad"))->trigger();
        QCOMPARE(asked, (QStringList{ProgramFolder(), QStringLiteral("Palette Files (*.orvp)")}));
        QCOMPARE(cellColours(), describe(markerCells()));
        // Loading a palette touches neither the foreground nor the background colour.
        QCOMPARE(colours(), QStringLiteral("0 ffffff"));
        w.menuItem(QStringLiteral("mnuColorDefault"))->trigger();
        QCOMPARE(cellColours(), describe(DefaultCellColours));

        // Cancel and a missing file change nothing and say nothing.
        for (const QString &path : {QString(), m_dir.filePath(QStringLiteral("missing.orvp"))}) {
            chosen = path;
            w.menuItem(QStringLiteral("mnuColorLoad"))->trigger();
            QCOMPARE(cellColours(), describe(DefaultCellColours));
        }
        // A file that goes wrong on its fourth line: the lines read before count.
        chosen = writeFile("0,5\r\n30,6\r\n31,7\r\n32,white\r\n33,8\r\n");
        w.menuItem(QStringLiteral("mnuColorLoad"))->trigger();
        PaletteCells odd = DefaultCellColours;
        odd[0] = 5;
        odd[30] = 6;
        odd[31] = 7;
        QCOMPARE(cellColours(), describe(odd));

        // Save: the cells as they are, under the name typed.
        w.menuItem(QStringLiteral("mnuColorDefault"))->trigger();
        std::optional<QColor> answer = QColor(0x12, 0x34, 0x56);
        w.colorDialogHook = [&](const QColor &) { return answer; };
        doubleClick(w.colourBox()->LblColor(3), Qt::LeftButton);
        PaletteCells expected = DefaultCellColours;
        expected[3] = 0x563412;
        QStringList folders, filters;
        QString typed;
        w.paletteSaveHook = [&](const QString &folder, const QString &filter) { return folders << folder, filters << filter, typed; };
        const auto save = [&](const QString &name) {
            typed = name.isEmpty() ? name : m_dir.filePath(name);
            w.menuItem(QStringLiteral("mnuColorSave"))->trigger();
        };
        // No extension: ".orvp" is added, after the dot of a name ending in one; an extension typed is kept.
        for (const auto &[name, written] : {std::pair{"mine", "mine.orvp"}, {"dotted.", "dotted.orvp"}, {"colours.txt", "colours.txt"}}) {
            save(QLatin1String(name));
            QCOMPARE(orvtest::readFile(m_dir.filePath(QLatin1String(written))), PaletteFileText(expected));
        }
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("mine"))) && !QFile::exists(m_dir.filePath(QStringLiteral("dotted."))));
        QCOMPARE(filters.first(), QStringLiteral("Palette Files (*.orvp)"));
        QVERIFY2(QDir(folders.first()).exists(), qPrintable(folders.first()));
        // Saving over an existing palette replaces it.
        answer = QColor(0, 0, 0);
        doubleClick(w.colourBox()->LblColor(0), Qt::LeftButton);
        expected[0] = 0;
        save(QStringLiteral("mine.orvp"));
        QCOMPARE(orvtest::readFile(typed), PaletteFileText(expected));
        // Cancel writes nothing.
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files, QDir::Name);
        save(QString());
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files, QDir::Name), before);
        QCOMPARE(folders.size(), 5);
        // A path under a plain file: the command ends without a message (cleanup counts them), writing nothing.
        const QString blocker = writeFile(QByteArray());
        typed = blocker + QStringLiteral("/colours.orvp");
        w.menuItem(QStringLiteral("mnuColorSave"))->trigger();
        QCOMPARE(orvtest::readFile(blocker), QByteArray());

        // What was saved loads back into a box whose cells were reset.
        w.menuItem(QStringLiteral("mnuColorDefault"))->trigger();
        chosen = m_dir.filePath(QStringLiteral("mine.orvp"));
        w.menuItem(QStringLiteral("mnuColorLoad"))->trigger();
        QCOMPARE(cellColours(), describe(expected));
    }

    void titleDragDocksLeftOrRight()
    {
        frmMain &w = window();
        QLabel *title = w.colourBox()->LblToolBox();
        QCOMPARE(w.Property1()->titleBarWidget(), title);
        QCOMPARE(w.ColorBoxAlign(), 3);
        auto dragTo = [&](int x) {   // from the title's middle to x, halfway down the window
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
        // The middle leaves the box where it is; within its width of an edge, or beyond, docks it there (3 left, 4 right).
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
    std::unique_ptr<orvtest::ShownMain> m_w;
    QTemporaryDir m_dir;
    int m_fileCounter = 0;
    int m_unexpectedPrompts = 0;

    QString writeFile(const QByteArray &bytes)
    {
        return orvtest::writeFile(m_dir, QStringLiteral("file%1.orvp").arg(++m_fileCounter), bytes);
    }

    // The main window; any message box or colour dialog the test did not script fails it.
    frmMain &window()
    {
        m_w = std::make_unique<orvtest::ShownMain>(QSize(1000, 700));
        m_w->msgBoxHook = [this](const QString &text, int, const QString &) {
            qWarning("unexpected message: %s", qPrintable(text));
            return ++m_unexpectedPrompts, 0;
        };
        m_w->colorDialogHook = [this](const QColor &) -> std::optional<QColor> {
            qWarning("unexpected colour dialog");
            return ++m_unexpectedPrompts, std::nullopt;
        };
        return *m_w;
    }

    QString cellColours() const
    {
        PaletteCells cells{};
        for (int i = 0; i < ColourCellCount; ++i)
            cells[std::size_t(i)] = m_w->colourBox()->LblColor(i)->colour();
        return describe(cells);
    }

    // "fore back" in hex, then after a bar the swatches' colours where they show something else.
    QString colours() const
    {
        const auto hex = [](Colour c) { return QString::number(c, 16); };
        const Colour fore = m_w->state().foreColour, back = m_w->state().backColour;
        const Colour foreShown = m_w->colourBox()->LblFore()->colour(), backShown = m_w->colourBox()->lblBack()->colour();
        QString out = hex(fore) + QLatin1Char(' ') + hex(back);
        if (foreShown != fore || backShown != back)
            out += QStringLiteral(" | ") + hex(foreShown) + QLatin1Char(' ') + hex(backShown);
        return out;
    }
};

QTEST_MAIN(TestColourBox)
#include "tst_colourbox.moc"
