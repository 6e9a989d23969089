// The about window and the machine key store behind "System Info".
#include "testsupport.h"

#include "app/AppInfo.h"
#include "app/MachineRegistry.h"
#include "app/frmMain.h"
#include "aux/frmAbout.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;

namespace {
// Points the machine store at a fresh folder for the lifetime of the object.
struct PrivateRegistry {
    QTemporaryDir dir;
    PrivateRegistry() { SetMachineRegistryFolder(dir.path()); }
    ~PrivateRegistry() { SetMachineRegistryFolder(QString()); }
};

struct Shown {
    QStringList texts, titles;
    QList<int> styles;
    QStringList started;
};

void hook(frmAbout &about, Shown &shown, bool startSucceeds = true)
{
    about.msgBoxHook = [&shown](const QString &text, const QString &title, int style) {
        shown.texts << text;
        shown.titles << title;
        shown.styles << style;
    };
    about.startHook = [&shown, startSucceeds](const QString &program) {
        shown.started << program;
        return startSucceeds;
    };
}
} // namespace

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void keyValuesOfBothTypes();
    void windowTexts();
    void sysInfoWithoutKeysShowsError();
    void sysInfoFromEitherKey();
    void aboutFromHelpMenu();
};

void TestAbout::keyValuesOfBothTypes()
{
    PrivateRegistry reg;
    const QString key = QStringLiteral("SOFTWARE\\Orv\\Test");
    QString v = QStringLiteral("stale");
    QVERIFY(!GetKeyValue(HKEY_LOCAL_MACHINE, key, QStringLiteral("Name"), v));
    QVERIFY(v.isEmpty());

    QVERIFY(RegSetString(HKEY_LOCAL_MACHINE, key, QStringLiteral("Name"), QStringLiteral("/usr/bin/tool with blanks")));
    QVERIFY(RegSetDword(HKEY_LOCAL_MACHINE, key, QStringLiteral("Count"), 0x01020304u));
    QVERIFY(RegSetDword(HKEY_LOCAL_MACHINE, key, QStringLiteral("Zero"), 0));
    QVERIFY(RegSetDword(HKEY_LOCAL_MACHINE, key, QStringLiteral("Max"), 0xFFFFFFFFu));
    QVERIFY(RegSetString(HKEY_LOCAL_MACHINE, key, QStringLiteral("Empty"), QString()));

    QVERIFY(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, key, QStringLiteral("Name"), v));
    QCOMPARE(v, QStringLiteral("/usr/bin/tool with blanks"));
    // Key and value names ignore letter case.
    QVERIFY(GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("software\\orv\\TEST"), QStringLiteral("name"), v));
    QVERIFY(GetKeyValue(HKEY_LOCAL_MACHINE, key, QStringLiteral("Count"), v));
    QCOMPARE(v, QString::number(0x01020304));
    QVERIFY(GetKeyValue(HKEY_LOCAL_MACHINE, key, QStringLiteral("Zero"), v));
    QCOMPARE(v, QStringLiteral("0"));
    QVERIFY(GetKeyValue(HKEY_LOCAL_MACHINE, key, QStringLiteral("Max"), v));
    QCOMPARE(v, QStringLiteral("4294967295"));
    QVERIFY(GetKeyValue(HKEY_LOCAL_MACHINE, key, QStringLiteral("Empty"), v));
    QVERIFY(v.isEmpty());

    const std::optional<RegValue> raw = RegQueryValue(HKEY_LOCAL_MACHINE, key, QStringLiteral("Count"));
    QVERIFY(raw);
    QCOMPARE(raw->type, REG_DWORD);
    QCOMPARE(raw->data, QByteArray("\x04\x03\x02\x01", 4));

    // Missing value, missing key, another root, and a damaged entry all fail with an empty text.
    QVERIFY(!GetKeyValue(HKEY_LOCAL_MACHINE, key, QStringLiteral("Nothing"), v));
    QVERIFY(v.isEmpty());
    QVERIFY(!GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Nobody"), QStringLiteral("Name"), v));
    QVERIFY(!GetKeyValue(HKEY_CURRENT_USER, key, QStringLiteral("Name"), v));
    QVERIFY(!GetKeyValue(0x12345678u, key, QStringLiteral("Name"), v));
    QFile ini(reg.dir.filePath(QStringLiteral("HKEY_LOCAL_MACHINE.ini")));
    QVERIFY(ini.open(QIODevice::Append));
    ini.write("\n[odd]\nvalue=qword:12\nbig=dword:99999999999\n");
    ini.close();
    QVERIFY(!GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("odd"), QStringLiteral("value"), v));
    QVERIFY(!GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("odd"), QStringLiteral("big"), v));
}

void TestAbout::windowTexts()
{
    orvtest::PrivateSettings settings;
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Orv Image Editor"));
    QCOMPARE(about.lblTitle()->text(), QStringLiteral("Orv Image Editor"));
    QCOMPARE(about.lblVersion()->text(), QStringLiteral("Version %1.%2.%3").arg(VersionMajor()).arg(VersionMinor()).arg(VersionRevision()));
    QCOMPARE(about.LblWWW()->text(), QStringLiteral("https://orv.example.org/"));
    QCOMPARE(about.cmdOK()->text(), QStringLiteral("&OK"));
    QCOMPARE(about.cmdSysInfo()->text(), QStringLiteral("&System Info"));
    QCOMPARE(about.linkColour(), QColor(0, 0, 255));
    QStringList opened;
    about.openUrlHook = [&](const QString &url) { opened << url; };
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(about.LblWWW(), &enter);
    QCOMPARE(about.linkColour(), QColor(0, 255, 255));
    QTest::mouseClick(about.LblWWW(), Qt::LeftButton);
    QCOMPARE(opened, QStringList{QStringLiteral("https://orv.example.org/")});
    QMouseEvent outside(QEvent::MouseMove, QPointF(2, 2), about.mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&about, &outside);
    QCOMPARE(about.linkColour(), QColor(0, 0, 255));
    QTest::mouseClick(about.cmdOK(), Qt::LeftButton);
    QVERIFY(!about.isVisible());
}

void TestAbout::sysInfoWithoutKeysShowsError()
{
    PrivateRegistry reg;
    frmAbout about;
    Shown shown;
    hook(about, shown);
    QTest::mouseClick(about.cmdSysInfo(), Qt::LeftButton);
    QCOMPARE(shown.texts, QStringList{QStringLiteral("Unable to open System information")});
    QCOMPARE(shown.titles, QStringList{QStringLiteral("System Error")});
    QCOMPARE(shown.styles, QList<int>{16});
    QVERIFY(shown.started.isEmpty());

    // The second key present but no program in its folder: the same message.
    QVERIFY(RegSetString(HKEY_LOCAL_MACHINE, QString::fromLatin1(SysInfoLocationKey), QStringLiteral("SYSINFO"),
                         reg.dir.path()));
    about.StartSysInfo();
    QCOMPARE(shown.texts.size(), 2);
    QCOMPARE(shown.titles.last(), QStringLiteral("System Error"));
    QVERIFY(shown.started.isEmpty());
}

void TestAbout::sysInfoFromEitherKey()
{
    PrivateRegistry reg;
    frmAbout about;
    Shown shown;
    hook(about, shown);
    // The location key with the program in its folder.
    const QString program = reg.dir.filePath(QString::fromLatin1(SysInfoProgramName));
    QFile f(program);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(RegSetString(HKEY_LOCAL_MACHINE, QString::fromLatin1(SysInfoLocationKey), QStringLiteral("SYSINFO"),
                         reg.dir.path()));
    about.StartSysInfo();
    QCOMPARE(shown.started, QStringList{program});
    // The first key wins when present.
    QVERIFY(RegSetString(HKEY_LOCAL_MACHINE, QString::fromLatin1(SysInfoKey), QStringLiteral("PATH"),
                         QStringLiteral("/usr/bin/some-sysinfo")));
    about.StartSysInfo();
    QCOMPARE(shown.started.last(), QStringLiteral("/usr/bin/some-sysinfo"));
    QVERIFY(shown.texts.isEmpty());
    // A recorded program that does not start is reported like a missing one.
    Shown failing;
    hook(about, failing, false);
    about.StartSysInfo();
    QCOMPARE(failing.titles, QStringList{QStringLiteral("System Error")});
}

void TestAbout::aboutFromHelpMenu()
{
    orvtest::PrivateSettings settings;
    frmMain w;
    w.MDIForm_Load();
    QString version;
    bool modal = false;
    w.modalHook = [&](QDialog &d) {
        auto *about = qobject_cast<frmAbout *>(&d);
        QVERIFY(about);
        version = about->lblVersion()->text();
        modal = d.parentWidget() == &w;
    };
    w.menuItem(QStringLiteral("mnuHelpAbout"))->trigger();
    QVERIFY(modal);
    QCOMPARE(version, VersionText());
    w.close();
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
