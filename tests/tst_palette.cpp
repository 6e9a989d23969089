// Palette files (*.orvp): the exact text written for the colour box's 48 cells, the record
// reader's tolerance, and the loading rules for files that are out of order, short, or not
// palette files at all.
#include "testsupport.h"

#include "tools/Palette.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;

// Cells as index → colour pairs.
using CellList = QList<QPair<int, uint>>;

class TestPalette : public QObject {
    Q_OBJECT
private slots:
    void fileTextOfTheDefaults();
    void saveAndLoadRoundTrip();
    void failedSaveKeepsTheOldFile();
    void recordReader_data();
    void recordReader();
    void loadingRules_data();
    void loadingRules();

private:
    QString writeFile(const QByteArray &bytes);
    QTemporaryDir m_dir;
    int m_fileCounter = 0;
};

namespace {

// Cells that differ from every default and from each other, so that a test sees exactly which
// cells a load changed.
PaletteCells markerCells()
{
    PaletteCells cells{};
    for (int i = 0; i < ColourCellCount; ++i)
        cells[std::size_t(i)] = Colour(0x010000 * i + 0x000101);
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

QString describe(const PaletteCells &cells)
{
    QStringList parts;
    for (Colour c : cells)
        parts << QString::number(c);
    return parts.join(QLatin1Char(' '));
}

} // namespace

QString TestPalette::writeFile(const QByteArray &bytes)
{
    const QString path = m_dir.filePath(QStringLiteral("file%1.orvp").arg(++m_fileCounter));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write the test file %s", qPrintable(path));
    return path;
}

void TestPalette::fileTextOfTheDefaults()
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

void TestPalette::saveAndLoadRoundTrip()
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

void TestPalette::failedSaveKeepsTheOldFile()
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

void TestPalette::recordReader_data()
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
    QTest::newRow("index 48") << QByteArray("48,1") << false << 0 << 0u;
    QTest::newRow("index huge") << QByteArray("4294967296,1") << false << 0 << 0u;
    QTest::newRow("negative index") << QByteArray("-1,1") << false << 0 << 0u;
    QTest::newRow("signed index") << QByteArray("+5,1") << false << 0 << 0u;
    QTest::newRow("colour too big") << QByteArray("5,16777216") << false << 0 << 0u;
    QTest::newRow("negative colour") << QByteArray("5,-1") << false << 0 << 0u;
    QTest::newRow("hex colour") << QByteArray("5,0x10") << false << 0 << 0u;
    QTest::newRow("fraction") << QByteArray("5.0,1") << false << 0 << 0u;
    QTest::newRow("exponent") << QByteArray("5,1e3") << false << 0 << 0u;
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

void TestPalette::recordReader()
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

void TestPalette::loadingRules_data()
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
    QTest::newRow("colour out of range stops") << (records(0, 2) + "3,16777216\r\n" + records(4, 47)) << 3
                                               << expectRange(0, 2);
    QTest::newRow("non-numeric stops") << (records(0, 1) + "2,white\r\n" + records(3, 47)) << 2 << expectRange(0, 1);
    QTest::newRow("blank line stops") << (records(0, 1) + "\r\n" + records(2, 47)) << 2 << expectRange(0, 1);
    QTest::newRow("empty file") << QByteArray() << 0 << CellList{};
    QTest::newRow("binary junk") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0", 20) << 0
                                 << CellList{};
    QTest::newRow("junk after good lines") << (records(0, 5) + QByteArray("\0\xff\xfe\x01,\x02", 6)) << 6
                                           << expectRange(0, 5);
    QTest::newRow("over-long line") << (records(0, 0) + "1," + QByteArray(200, '0') + "5\r\n" + records(2, 47)) << 1
                                    << expectRange(0, 0);
    QTest::newRow("no line ends in a long file") << QByteArray(100000, '7') << 0 << CellList{};
}

void TestPalette::loadingRules()
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

QTEST_GUILESS_MAIN(TestPalette)
#include "tst_palette.moc"
