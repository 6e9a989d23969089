// The about window: texts, link, OK, "System Info" through the machine key store, the store's values.
#include "uihelpers.h"
#include "aux/MachineRegistry.h"
#include "aux/frmAbout.h"

using namespace orv;

namespace {

// The machine store in a fresh folder, and an empty program search path (no information program found).
struct PrivateMachine {
    QTemporaryDir dir;
    QTemporaryDir bin;
    QByteArray path = qgetenv("PATH");
    PrivateMachine()
    {
        SetMachineRegistryFolder(dir.path());
        qputenv("PATH", bin.path().toLocal8Bit());
    }
    ~PrivateMachine()
    {
        SetMachineRegistryFolder(QString());
        qputenv("PATH", path);
    }
    static QString program(const QString &folder, const QString &name)
    {
        const QString file = folder + QLatin1Char('/') + name;
        orvtest::writeFile(file, "#!/bin/sh\n");
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return file;
    }
};

// The messages the about window shows and the programs it starts, from now on.
struct Shown {
    QStringList texts, titles, started;
    QList<int> styles;
    explicit Shown(frmAbout &about, bool startSucceeds = true)
    {
        about.msgBoxHook = [this](const QString &text, const QString &title, int style) { texts << text, titles << title, styles << style; };
        about.startHook = [this, startSucceeds](const QString &program) { return started << program, startSucceeds; };
    }
};

QString version() { return QStringLiteral("Version%1.%2.%3").arg(VersionMajor()).arg(VersionMinor()).arg(VersionRevision()); }

const QString kInfo = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocation = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

} // namespace

class TestAbout : public orvtest::FreshSettingsTest {
    Q_OBJECT
private slots:
    void machineKeyValuesOfBothTypes()
    {
        PrivateMachine machine;
        const QString key = QStringLiteral("SOFTWARE\\Orv\\Test");
        QString v = QStringLiteral("stale");
        QVERIFY(!GetKeyValue(HKEY_LOCAL_MACHINE, key, QStringLiteral("Name"), v) && v.isEmpty());

        QVERIFY(RegSetString(HKEY_LOCAL_MACHINE, key, QStringLiteral("Name"), QStringLiteral("/usr/bin/tool with blanks")));
        QVERIFY(RegSetString(HKEY_LOCAL_MACHINE, key, QStringLiteral("Empty"), QString()));
        QVERIFY(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, key, QStringLiteral("Name"), v));
        QCOMPARE(v, QStringLiteral("/usr/bin/tool with blanks"));
        // Key and value names ignore letter case.
        QVERIFY(GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("software\\orv\\TEST"), QStringLiteral("name"), v));
        QVERIFY(GetKeyValue(HKEY_LOCAL_MACHINE, key, QStringLiteral("Empty"), v) && v.isEmpty());

        // A double-word reads as its bytes' hex digits, high first, no leading zeros, taken as one number (16-bit to four digits).
        const struct { std::uint32_t value; const char *text; } words[] = {
            {0, "0"}, {1, "1"}, {0x01020304u, "4660"}, {0x0000000Fu, "15"}, {0x00000100u, "16"},
            {0x0A0B0C0Du, "-21555"}, {0x000000FFu, "255"}, {0x0000FFFFu, "65535"}, {0x10000000u, "65536"},
            {0xFFFF0000u, "16776960"}, {0x80000000u, "524288"}, {0x12345678u, "305419896"}, {0xFFFFFFFFu, "-1"}};
        for (const auto &w : words) {
            QVERIFY(RegSetDword(HKEY_LOCAL_MACHINE, key, QStringLiteral("Word"), w.value));
            QVERIFY(GetKeyValue(HKEY_LOCAL_MACHINE, key, QStringLiteral("Word"), v));
            QCOMPARE(v, QString::fromLatin1(w.text));
        }
        QVERIFY(RegSetDword(HKEY_LOCAL_MACHINE, key, QStringLiteral("Word"), 0x01020304u));
        const std::optional<RegValue> raw = RegQueryValue(HKEY_LOCAL_MACHINE, key, QStringLiteral("Word"));
        QVERIFY(raw && raw->type == REG_DWORD);
        QCOMPARE(raw->data, QByteArray("\x04\x03\x02\x01", 4));

        // Missing value, missing key, another root, and a damaged entry all fail with an empty text.
        const QString ini = machine.dir.filePath(QStringLiteral("HKEY_LOCAL_MACHINE.ini"));
        QVERIFY(orvtest::writeFile(ini, orvtest::readFile(ini) + "\n[odd]\nvalue=qword:12\nbig=dword:99999999999\n"));
        const QString nobody = QStringLiteral("SOFTWARE\\Nobody"), odd = QStringLiteral("odd");
        for (const auto &[root, k, name] : {std::tuple{HKEY_LOCAL_MACHINE, key, "Nothing"}, {HKEY_LOCAL_MACHINE, nobody, "Name"},
                                            {HKEY_CURRENT_USER, key, "Name"}, {0x12345678u, key, "Name"},
                                            {HKEY_LOCAL_MACHINE, odd, "value"}, {HKEY_LOCAL_MACHINE, odd, "big"}}) {
            v = QStringLiteral("stale");
            QVERIFY2(!GetKeyValue(root, k, QLatin1String(name), v) && v.isEmpty(), qPrintable(k + QLatin1Char('/') + name));
        }
    }

    void sysInfoByTheStoreOrTheSystem()
    {
        PrivateMachine machine;
        frmAbout about;
        Shown shown(about);
        // Nothing in the store and no information program on this machine: the message.
        QTest::mouseClick(about.cmdSysInfo(), Qt::LeftButton);
        QCOMPARE(shown.texts, QStringList{QStringLiteral("Unable to open System information")});
        QVERIFY(shown.titles == QStringList{QStringLiteral("System Error")} && shown.styles == QList<int>{16} && shown.started.isEmpty());

        // Nothing in the store: the system's own program, the first of the two found.
        const QString centre = PrivateMachine::program(machine.bin.path(), QStringLiteral("kinfocenter"));
        QTest::mouseClick(about.cmdSysInfo(), Qt::LeftButton);
        QCOMPARE(shown.started, QStringList{centre});
        const QString hardinfo = PrivateMachine::program(machine.bin.path(), QStringLiteral("hardinfo"));
        QTest::mouseClick(about.cmdSysInfo(), Qt::LeftButton);
        QCOMPARE(shown.started.last(), hardinfo);
        QCOMPARE(shown.texts.size(), 1);

        // The location value names a folder without the program: the message, the system's program not tried.
        QVERIFY(RegSetString(HKEY_LOCAL_MACHINE, kLocation, QStringLiteral("MSINFO"), machine.dir.path()));
        QTest::mouseClick(about.cmdSysInfo(), Qt::LeftButton);
        QCOMPARE(shown.titles, (QStringList{QStringLiteral("System Error"), QStringLiteral("System Error")}));
        QCOMPARE(shown.started.size(), 2);
        // With the program in that folder it starts.
        const QString located = PrivateMachine::program(machine.dir.path(), QStringLiteral("MSINFO32.EXE"));
        QTest::mouseClick(about.cmdSysInfo(), Qt::LeftButton);
        QCOMPARE(shown.started.last(), located);
        // The path value wins when present.
        QVERIFY(RegSetString(HKEY_LOCAL_MACHINE, kInfo, QStringLiteral("PATH"), QStringLiteral("/usr/bin/some-sysinfo")));
        QTest::mouseClick(about.cmdSysInfo(), Qt::LeftButton);
        QCOMPARE(shown.started.last(), QStringLiteral("/usr/bin/some-sysinfo"));
        QCOMPARE(shown.texts.size(), 2);
        // A program that does not start is reported like a missing one.
        Shown failing(about, false);
        QTest::mouseClick(about.cmdSysInfo(), Qt::LeftButton);
        QCOMPARE(failing.titles, QStringList{QStringLiteral("System Error")});
    }

    // Help > About: the texts, the link's colours and click, OK.
    void aboutFromHelpMenu()
    {
        orvtest::LoadedMain w;
        QStringList opened;
        bool ran = false;
        w.modalHook = [&](QDialog &d) {
            auto *found = qobject_cast<frmAbout *>(&d);
            QVERIFY(found && d.parentWidget() == &w);
            frmAbout &about = *found;
            QCOMPARE(about.windowTitle(), QStringLiteral("About Orv Image Editor"));
            QCOMPARE(about.lblTitle()->text(), QStringLiteral("Orv Image Editor"));
            QCOMPARE(about.lblVersion()->text(), version());   // no blank after "Version"
            QCOMPARE(about.LblWWW()->text(), QStringLiteral("https://orv.example.org/"));
            QCOMPARE(about.linkColour(), QColor(0, 0, 255));
            about.openUrlHook = [&](const QString &url) { opened << url; };
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            QEvent enter(QEvent::Enter);
            QCoreApplication::sendEvent(about.LblWWW(), &enter);
            QCOMPARE(about.linkColour(), QColor(0, 255, 255));
            QTest::mouseClick(about.LblWWW(), Qt::LeftButton);
            QMouseEvent outside(QEvent::MouseMove, QPointF(2, 2), about.mapToGlobal(QPointF(2, 2)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&about, &outside);
            QCOMPARE(about.linkColour(), QColor(0, 0, 255));
            QTest::mouseClick(about.cmdOK(), Qt::LeftButton);
            ran = !about.isVisible();
        };
        w.menuItem(QStringLiteral("mnuHelpAbout"))->trigger();
        QVERIFY(ran);
        QCOMPARE(opened, QStringList{QStringLiteral("https://orv.example.org/")});
        w.close();
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
