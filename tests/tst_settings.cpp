// The settings store and the main window's load and save of its settings. Malformed files: tst_settingsfiles.
#include "settingshelpers.h"

using namespace orv;
using namespace orvtest;

class TestSettings : public orvtest::FreshSettingsTest {
    Q_OBJECT
private slots:
    void textConversions()
    {
        // Booleans: 1 true, 0 false, -1 does not convert.
        const std::pair<const char *, int> booleans[] = {
            {"True", 1}, {"false", 0}, {"TRUE", 1}, {"  False\t", 0}, {"0", 0}, {"-1", 1}, {"7", 1},
            {"0.0", 0}, {"0.25", 1}, {"yes", -1}, {"", -1}, {"Truex", -1}, {"1x", -1}};
        for (const auto &[text, want] : booleans) {
            const std::optional<bool> v = ParseBoolean(QString::fromLatin1(text));
            QVERIFY2(v.has_value() == (want >= 0) && (!v || *v == (want == 1)), text);
        }
        // 16-bit integers, halves to even; no value where the text does not convert.
        const std::pair<const char *, std::optional<int>> integers[] = {
            {"640", 640}, {" 7 ", 7}, {"+12", 12}, {"100.5", 100}, {"101.5", 102}, {"-2.5", -2}, {"2.6", 3},
            {"1e3", 1000}, {"32767", 32767}, {"-32768", -32768}, {"32767.5", {}}, {"32768", {}}, {"-32769", {}},
            {"12abc", {}}, {"abc", {}}, {"", {}}, {"1,000", {}}, {"&H10", {}}, {"inf", {}}, {"nan", {}},
            {"5e", {}}, {".", {}}};
        for (const auto &[text, want] : integers) {
            const auto v = ParseInteger(QString::fromLatin1(text));
            QVERIFY2(v.has_value() == want.has_value() && (!v || int(*v) == *want), text);
        }
        // 32-bit integers and singles (1e39 is beyond a single).
        const std::pair<const char *, std::optional<std::int32_t>> longs[] = {
            {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"2147483648", {}}, {"16777215", 0xFFFFFF},
            {"40000", 40000}, {"0.5", 0}, {"1.5", 2}};
        for (const auto &[text, want] : longs)
            QCOMPARE(ParseLong(QLatin1String(text)), want);
        for (const auto &[text, want] : {std::pair<const char *, std::optional<float>>{"1234.5", 1234.5f}, {"-15", -15.0f}, {"1e39", {}}, {"12 px", {}}})
            QCOMPARE(ParseSingle(QLatin1String(text)), want);
        // Singles are written in plain decimal and read back exactly.
        const std::pair<float, const char *> singles[] = {
            {19200.0f, "19200"}, {1234.5f, "1234.5"}, {0.1f, "0.1"}, {-120.5f, "-120.5"}, {0.0f, "0"}, {1.0e6f, "1000000"}};
        for (const auto &[value, text] : singles) {
            QCOMPARE(FormatSingle(value), QLatin1String(text));
            QCOMPARE(ParseSingle(QLatin1String(text)), std::optional<float>(value));
        }
    }

    void storeLivesInPrivateFolder()
    {
        const QString file = m_settings->path() + QStringLiteral("/Orv/Orv Programs.ini");
        QCOMPARE(SettingsFilePath(QStringLiteral("Orv Programs")), file);
        QVERIFY(SaveSetting(ProgramsAppName(), QStringLiteral("RegistryPath"), QStringLiteral("LastIndex"), QStringLiteral("1")));
        // One file per application name: the main program's file is not touched.
        QVERIFY(QFileInfo::exists(file) && !QFileInfo::exists(mainFile()));
        QCOMPARE(GetSetting(AppTitle(), QStringLiteral("RegistryPath"), QStringLiteral("LastIndex"), QStringLiteral("0")) +
                     GetSetting(ProgramsAppName(), QStringLiteral("RegistryPath"), QStringLiteral("LastIndex"), QStringLiteral("0")),
                 QStringLiteral("01"));
    }

    void textsRoundTripThroughTheFile()
    {
        // Each read back by a fresh parser straight from the file and by the program's own reader.
        const std::tuple<const char *, const char *, QString> rows[] = {
            {"MRUList", "MRU 1", "/home/u/a.bmp"}, {"Options", "Show Tips at Startup", "1"}, {"MRUList", "MRU 2", "  padded  "},
            {"MRUList", "MRU 3", "a,b;c=d#e"}, {"MRUList", "MRU 4", "say \"hi\" \\ C:\\x\\"}, {"MRUList", "MRU 5", "@Rect(1 2 3 4)"},
            {"MRUList", "MRU 6", QString::fromUtf8("/tmp/çizim başlangıcı €.bmp")}, {"MRUList", "MRU 1", ""}, {"frmZoom", "Top", "100"}};
        for (const auto &[section, key, value] : rows) {
            QVERIFY(SaveSetting(AppTitle(), QLatin1String(section), QLatin1String(key), value));
            QSettings raw(mainFile(), QSettings::IniFormat);
            QCOMPARE(raw.value(QStringLiteral("%1/%2").arg(QLatin1String(section), QLatin1String(key))).toString(), value);
            QCOMPARE(GetSetting(AppTitle(), QLatin1String(section), QLatin1String(key), QStringLiteral("default")), value);
            QVERIFY(CheckIniText(readFile(mainFile())).ok);
        }
    }

    void firstRunOrKeysMissingGiveTableDefaults()
    {
        const Loaded l = loadFresh(AlignBottom);
        const AppState &s = l.state;
        const MainWindowSettings &w = l.window;
        QCOMPARE(QRectF(w.left, w.top, w.width, w.height), QRectF(0, 0, kScreen.widthTwips, kScreen.heightTwips));
        QCOMPARE(w.colorBoxAlign, std::int16_t(AlignBottom));   // the panel's own edge
        QVERIFY(w.viewColorBox && w.viewToolStd && w.viewStatusBar && w.viewEdit);
        // 640 x 480, the four master switches on, no image at start, no right-button menu, closing continuous lines.
        QCOMPARE(s.options, (OptionsRecord{640, 480, -1, -1, -1, -1, 0, 0, -1}));
        QCOMPARE(s.spray, (SprayRecord{1, 1, 50, 30, 0}));
        // Zoom, colours, combo index; pen: solid, 1 x 1, black; brush: hollow (style 1), black, no hatch; cyclic, mirrors.
        QCOMPARE((QList<qint64>{s.zoomFactor, s.foreColour, s.backColour, s.comboImageIndex, s.pen.style, s.pen.widthX, s.pen.widthY,
                                s.pen.colour, s.brush.style, s.brush.colour, s.brush.hatch, s.cyclic, s.mirrorCount}),
                 (QList<qint64>{4, 0, 0xFFFFFF, 0, 0, 1, 1, 0, 1, 0, 0, 0, 1}));
        for (int i = MruFirst; i <= MruLast; ++i)
            QVERIFY(w.mruCaption[i].isEmpty() && !w.mruVisible[i]);
        QVERIFY(!w.fileSeparatorVisible && !QFileInfo::exists(mainFile()));   // reading never creates the file
        // Sections but none of the keys: every field takes its default, whatever it held before.
        QVERIFY(writeFile(mainFile(), "[Settings]\n[Options]\n[Colors]\n[ToolProperties]\n[MRUList]\n"));
        Loaded again = nonDefaultValues();   // its panel edge is the bottom too
        LoadMainSettings(again.state, again.window, kScreen);
        compareState(again.state, s);
        QVERIFY(again.window == w);
    }

    void everyKeyRoundTripsAndStartupReplacesPenAndBrush()
    {
        const Loaded saved = nonDefaultValues();   // pen style 2, brush style 0, hatch 3, brush colour blue
        QVERIFY(SaveMainSettings(saved.state, saved.window, false));
        // Booleans and numbers are written as words and plain decimals.
        const QByteArray text = readFile(mainFile());
        for (const char *line : {"PopupMenu=True\n", "MasterView=False\n", "BackColor=65280\n", "ComboImageIndex=5\n", "MainLeft=-120.5\n"})
            QVERIFY2(text.contains(line), text.constData());
        Loaded l = loadFresh();
        compareState(l.state, saved.state);
        QVERIFY(l.window == saved.window);
        InitToolPropertiesAtStartup(l.state);
        // The pen style follows the brush style; the rest is as stored.
        QCOMPARE((QList<int>{l.state.pen.style, l.state.brush.style, l.state.brush.hatch, int(l.state.brush.colour), l.state.pen.widthX}),
                 (QList<int>{0, 0, 0, 0xFFFFFF, 9}));
    }

    void garbageValuesLeaveFieldsUnchanged_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        // Section/key=value: out of range, words, lists, typed texts and control characters.
        const char *const rows[] = {
            "Settings/MainLeft=2e6", "Settings/MainTop=top", "Settings/MainWidth=-5", "Settings/MainHeight=1e9",
            "Settings/ColorBoxAlign=5", "Settings/ZoomFactor=0", "Options/MasterSaveColors=yes",
            "Options/MasterToolProperties=", "Options/NewFileWidth=-5", "Options/NewFileWidth=1000000000",
            "Options/NewFileHeight=1025", "Colors/ForeColor=16777216", "Colors/BackColor=-1",
            "Options/ColorBox=maybe", "Options/ComboImageIndex=7", "ToolProperties/SprayWidthX=17",
            "ToolProperties/SprayDensity=501", "ToolProperties/SprayRadius=4",
            "ToolProperties/SprayTransparency=clear", "ToolProperties/PenWidthX=0",
            "ToolProperties/PenWidthY=40000", "ToolProperties/PenStyle=9", "ToolProperties/BrushStyle=4",
            "ToolProperties/BrushHatch=6", "ToolProperties/PenColor=1,2,3", "Options/MirrorCount=3",
            "Options/Cyclic=@Rect(1 2 3 4)", "MRUList/MRU%202=\"a\\x1b[2Jb\"", "MRUList/MRU%202%20Visible=visible"
        };
        for (const char *row : rows) {
            const QByteArray r(row);
            const qsizetype slash = r.indexOf('/'), eq = r.indexOf('=');
            QTest::newRow(row) << r.left(slash) << r.mid(slash + 1, eq - slash - 1) << r.mid(eq + 1);
        }
        QTest::newRow("MRUList/MRU%201=<4097 letters>") << QByteArray("MRUList") << QByteArray("MRU%201") << QByteArray(SettingRange::MaxMruPathLength + 1, 'a');
    }

    void garbageValuesLeaveFieldsUnchanged()
    {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        // Every value away from its default stored, then one key broken: it must not move its field.
        const Loaded good = nonDefaultValues();
        QVERIFY(SaveMainSettings(good.state, good.window, false));
        QByteArray text = readFile(mainFile());
        const QByteArray section_ = "[" + section + "]\n";
        const qsizetype at = text.indexOf(section_);
        QVERIFY2(at >= 0, section.constData());
        const qsizetype lineStart = text.indexOf("\n" + key + "=", at);
        QVERIFY2(lineStart >= 0, key.constData());
        const qsizetype lineEnd = text.indexOf('\n', lineStart + 1);
        text.replace(lineStart + 1, lineEnd - lineStart - 1, key + "=" + value);
        QVERIFY(writeFile(mainFile(), text));

        Loaded l = nonDefaultValues();
        LoadMainSettings(l.state, l.window, kScreen);
        compareState(l.state, good.state);
        QVERIFY(l.window == good.window);
    }

    void masterSwitchesOffKeepStoredValues()
    {
        // A normal session stores pen width 5, a red foreground and a hidden status bar.
        Loaded first = loadFresh();
        first.state.pen.widthX = 5;
        first.state.foreColour = 0x0000FF;
        first.window.viewStatusBar = false;
        QVERIFY(SaveMainSettings(first.state, first.window, false));

        // The next session turns the three master switches off and changes what they guard.
        Loaded second = loadFresh();
        QCOMPARE(second.state.pen.widthX, 5);
        AppState &st = second.state;
        st.options.MasterToolProperties = st.options.MasterSaveColors = st.options.MasterSaveToolBars = 0;
        std::tie(st.pen.widthX, st.spray.density, st.options.ContLineClose, st.cyclic, st.mirrorCount) = std::tuple{12, 400, 0, true, 2};
        std::tie(st.foreColour, st.backColour, second.window.viewStatusBar, second.window.viewEdit) = std::tuple{0x00FF00, 0, true, false};
        st.options.NewFileWidth = 321;   // not gated
        QVERIFY(SaveMainSettings(second.state, second.window, false));

        const Loaded third = loadFresh();
        // The switches themselves are saved (width 321 is not gated); what they guard is as before.
        QCOMPARE(third.state.options, (OptionsRecord{321, 480, 0, 0, 0, -1, 0, 0, -1}));
        const AppState &t = third.state;
        QCOMPARE((QList<qint64>{t.pen.widthX, t.spray.density, t.cyclic, t.mirrorCount, t.foreColour, t.backColour,
                                third.window.viewStatusBar, third.window.viewEdit}),
                 (QList<qint64>{5, 50, 0, 1, 0x0000FF, 0xFFFFFF, 0, 1}));
        // With nothing stored before, the gated keys are not written at all.
        QVERIFY(QFile::remove(mainFile()));
        QVERIFY(SaveMainSettings(second.state, second.window, false));
        const SettingsStore store(AppTitle());
        for (const char *key : {"ContLineClose", "Cyclic", "MirrorCount"})
            QVERIFY2(!store.contains(QStringLiteral("Options"), QLatin1String(key)), key);
        QVERIFY(!store.contains(QStringLiteral("ToolProperties"), QStringLiteral("PenWidthX")));
        QVERIFY(store.contains(QStringLiteral("Options"), QStringLiteral("MasterToolProperties")));
    }

    void minimizedCloseKeepsGeometry()
    {
        Loaded normal = loadFresh();
        MainWindowSettings &n = normal.window;
        std::tie(n.left, n.top, n.width, n.height, n.colorBoxAlign) = std::tuple{150.0f, 300.0f, 12000.0f, 9000.0f, AlignRight};
        QVERIFY(SaveMainSettings(normal.state, normal.window, false));
        Loaded minimized = loadFresh();
        MainWindowSettings &m = minimized.window;
        std::tie(m.left, m.top, m.width, m.height, m.colorBoxAlign) = std::tuple{-32000.0f, -32000.0f, 2400.0f, 500.0f, AlignTop};
        minimized.state.options.NewFileHeight = 200;   // the rest is still written
        QVERIFY(SaveMainSettings(minimized.state, minimized.window, true));
        const Loaded back = loadFresh();
        QCOMPARE(QRectF(back.window.left, back.window.top, back.window.width, back.window.height), QRectF(150, 300, 12000, 9000));
        QVERIFY(back.window.colorBoxAlign == AlignRight && back.state.options.NewFileHeight == 200);
    }

    void hiddenRecentFileWrittenBackUnchanged()
    {
        QVERIFY(writeFile(mainFile(), "[MRUList]\nMRU%203=/home/u/old.bmp\nMRU%203%20Visible=False\n"
                                      "MRU%201=/home/u/new.bmp\nMRU%201%20Visible=True\n"
                                      "File%20Separator%20Visible=True\n"));
        const Loaded l = loadFresh();
        QCOMPARE(l.window.mruCaption[3] + l.window.mruCaption[1], QStringLiteral("/home/u/old.bmp/home/u/new.bmp"));
        QVERIFY(!l.window.mruVisible[3] && l.window.mruVisible[1] && l.window.fileSeparatorVisible);
        QVERIFY(SaveMainSettings(l.state, l.window, false));
        QStringList back;
        for (const char *key : {"MRU 3", "MRU 3 Visible", "MRU 4 Visible", "File Separator Visible"})
            back << GetSetting(AppTitle(), QStringLiteral("MRUList"), QLatin1String(key));
        QCOMPARE(back, (QStringList{"/home/u/old.bmp", "False", "False", "True"}));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
