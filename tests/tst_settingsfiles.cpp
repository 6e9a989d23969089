// Settings files the reader cannot take, the copy kept aside before the first rewrite, and places
// that cannot be written: refusals that leave the file on disk as it was.
#include "app/ProgramList.h"
#include "settingshelpers.h"

#include <unistd.h>

using namespace orv;
using namespace orvtest;

class TestSettingsFiles : public orvtest::FreshSettingsTest {
    Q_OBJECT
private slots:
    void iniCheck()
    {
        // {case, text, the line at fault (0: well formed)}; many (odd names, escapes, typed values) guard
        // faults the settings fuzz target found.
        const std::tuple<const char *, QByteArray, int> rows[] = {
            {"empty", QByteArray(), 0}, {"ordinary", "[Options]\nA=1\r\nMRU%201=\"a, b\"\n\n; note\n# note\n", 0},
            {"BOM", "\xEF\xBB\xBF[Options]\nA=1\n", 0}, {"escaped quote", "[O]\nA=\"say \\\"hi\\\"\"\n", 0},
            {"empty value", "[O]\nA=\n", 0}, {"unterminated quote", "[O]\nA=1\nB=\"abc\nC=2\n", 3},
            {"trailing backslash", "[O]\nA=ab\\\nB=2\n", 2}, {"truncated line", "[O]\nA=1\nPenWid", 3},
            {"open section", "[Options\nA=1\n", 1}, {"blank key", "[O]\n =1\n", 2}, {"NUL byte", QByteArray("[O]\nA=1\n\0B=2\n", 13), 3},
            {"invalid UTF-8", "[O]\nA=\xff\xfe\n", 2}, {"control character", "[O]\nA=\x1b[2J\n", 2},
            {"quote in a key", "[O]\nA=1\nB\"x=2\nC=3\n", 3}, {"quote in a section", "[O\"x]\nA=1\n", 1},
            {"empty section name", "[]\nAmt n=22\n\n", 1}, {"slash for a key", "[O]\nA=1\n/=2\n", 3},
            {"bare percent in a key", "[O]\nA%2=1\n", 2}, {"escaped slash in a section", "top=1\n\n[%2Fb]\nc\\_=;4\n", 3},
            {"escaped backslash in a key", "[O]\nA%5cB=1\n", 2}, {"escaped names", "[Tool%20Box]\nMRU%201%20Visible=True\nA\\B=1\n", 0},
            {"numeric escapes", "[O]\nA=a\\tb\\nc\nB=here\\0, c\nC=\\x41\n", 3}, {"typed value", "[O]\nA=1\nB=@ByteArray(at=a, b\n", 3},
            {"typed list element", "[O]\nB=x, \"@Size(1 2)\"\n", 2}, {"escaped at signs", "[O]\nB=@@home, a@b, @@\n", 0},
            {"escaped backslash at the end", "[O]\nA=ab\\\\\n", 0}, {"BOMs that hide nothing", "[O]\nB=he\xEF\xBB\xBFllo\nC=a, \xEF\xBB\xBF@x, \"\xEF\xBB\xBF@y\"\nD=\xEF\xBB\xBF@x\n", 0},
            {"BOM before a typed first element", "[O]\nB=\xEF\xBB\xBF@ByteArray(at=a, b\n", 2}, {"the same quoted", "[O]\nB= \"\xEF\xBB\xBF@x\", b\n", 2}};
        for (const auto &[name, text, faultLine] : rows) {
            const IniCheck check = CheckIniText(text);
            QVERIFY2(check.line == faultLine && check.ok == (faultLine == 0) && check.reason.isEmpty() == check.ok,
                     qPrintable(QStringLiteral("%1: line %2, %3").arg(QLatin1String(name)).arg(check.line).arg(check.reason)));
        }
    }

    void ownFilesAreWellFormed()
    {
        // Everything the program writes, tricky paths and its registration (the group General,
        // stored as [%General]) included, passes the check: no copies made.
        const Loaded saved = nonDefaultValues();
        RegisterProgram(CurrentProgramFacts());
        QVERIFY(SaveMainSettings(saved.state, saved.window, false));
        const IniCheck check = CheckIniText(readFile(mainFile()));
        QVERIFY2(check.ok, qPrintable(check.reason));
        QVERIFY(SaveMainSettings(saved.state, saved.window, false));
        QCOMPARE(backupsOf(mainFile()), QStringList());
    }

    void malformedFileIsKeptBeforeFirstWrite_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("unterminated quote") << QByteArray("[ToolProperties]\nPenWidthX=7\n[MRUList]\nMRU%201=\"/home/u/a.bmp\nMRU%201%20Visible=True\n");
        QTest::newRow("binary junk") << QByteArray("[ToolProperties]\nPenWidthX=7\n") + QByteArray(1, '\0') + QByteArray("\xff\xfe\x01junk\x80\nSprayDensity=99\n");
        QTest::newRow("truncated line") << QByteArray("[ToolProperties]\nPenWidthX=7\nSprayDens");
        QTest::newRow("broken escape") << QByteArray("[ToolProperties]\nPenWidthX=7\nPenColor=12\\\n");
        QTest::newRow("open section") << QByteArray("[ToolProperties\nPenWidthX=7\n");
        QTest::newRow("quote in a key") << QByteArray("[ToolProperties]\nPen\"X=1\nPenWidthX=7\n[MRUList]\nMRU%201=/a.bmp\n");
        QTest::newRow("quote in a section") << QByteArray("[Tool\"Properties]\nPenWidthX=7\n[MRUList]\nMRU%201=/a.bmp\n");
        QTest::newRow("empty section name") << QByteArray("[ToolProperties]\nPenWidthX=7\n[ ]\nAmt n=22\n");
    }

    void malformedFileIsKeptBeforeFirstWrite()
    {
        QFETCH(QByteArray, content);
        QVERIFY(writeFile(mainFile(), content));

        Loaded l = loadFresh();
        // Whatever the parser made of it, every field holds a value of its range; reading alone copies nothing.
        QVERIFY(l.state.pen.widthX >= 1 && l.state.pen.widthX <= 16 && l.state.spray.density >= 1 && l.state.spray.density <= 500);
        QCOMPARE(backupsOf(mainFile()), QStringList());
        l.state.pen.widthX = 3;
        QVERIFY(SaveMainSettings(l.state, l.window, false));
        const QStringList copies = backupsOf(mainFile());
        QVERIFY(copies.size() == 1 && copies.first().startsWith(QStringLiteral("Orv Image Editor.ini.corrupt-")));
        QCOMPARE(readFile(QFileInfo(mainFile()).absolutePath() + QLatin1Char('/') + copies.first()), content);
        // The rewritten file is clean and holds the new values; later writes make no more copies.
        QVERIFY(CheckIniText(readFile(mainFile())).ok);
        QCOMPARE(loadFresh().state.pen.widthX, 3);
        QVERIFY(SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"), QStringLiteral("0")));
        QVERIFY(SaveMainSettings(l.state, l.window, false));
        QCOMPARE(backupsOf(mainFile()).size(), 1);
    }

    void unwritablePlaceGivesDefaultsAndRefusesSaves()
    {
        // The configuration folder below a regular file (it can never be created), then the settings file a folder.
        const QString blocker = m_settings->path() + QStringLiteral("/blocker");
        QVERIFY(writeFile(blocker, "not a folder"));
        qputenv("XDG_CONFIG_HOME", (blocker + QStringLiteral("/config")).toLocal8Bit());
        QVERIFY(mainFile().startsWith(blocker + QLatin1Char('/')));
        for (const bool fileIsFolder : {false, true}) {
            if (fileIsFolder) {
                qputenv("XDG_CONFIG_HOME", m_settings->path().toLocal8Bit());
                QVERIFY(QDir().mkpath(mainFile()));
            }
            Loaded l = loadFresh();
            QVERIFY(l.state.options.NewFileWidth == 640 && l.state.zoomFactor == 4 && l.window.width == kScreen.widthTwips);
            l.state.options.NewFileWidth = 100;
            QVERIFY(!SaveMainSettings(l.state, l.window, false));
            QVERIFY(!SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("Mirror"), QStringLiteral("True")));
            QCOMPARE(GetSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("Mirror"), QStringLiteral("False")), QStringLiteral("False"));
        }
        QVERIFY(QFileInfo(mainFile()).isDir());
        QCOMPARE(readFile(blocker), QByteArray("not a folder"));
    }

    void readOnlyFolder()
    {
        if (::geteuid() == 0)
            QSKIP("permissions do not bind the superuser; unwritablePlaceGivesDefaultsAndRefusesSaves covers the case");
        const Loaded first = nonDefaultValues();
        QVERIFY(SaveMainSettings(first.state, first.window, false));
        const QString folder = QFileInfo(mainFile()).absolutePath();
        const QByteArray before = readFile(mainFile());
        QVERIFY(QFile::setPermissions(mainFile(), QFileDevice::ReadOwner));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        Loaded l = loadFresh();
        compareState(l.state, first.state);
        l.state.pen.widthX = 1;
        const bool saved = SaveMainSettings(l.state, l.window, false);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QFile::setPermissions(mainFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY(!saved);
        QCOMPARE(readFile(mainFile()), before);
        // A malformed file whose copy cannot be made beside it is not rewritten either: the file
        // itself is writable here, so only the refusal keeps its unreadable part.
        const QByteArray malformed("[ToolProperties]\nPenWidthX=7\nPenWid");
        QVERIFY(writeFile(mainFile(), malformed));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const bool savedMalformed = SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("Mirror"), QStringLiteral("True"));
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!savedMalformed);
        QCOMPARE(readFile(mainFile()), malformed);
        QCOMPARE(backupsOf(mainFile()), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
