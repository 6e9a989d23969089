// The shared program list: registering at exit, the Programs menu it fills, and starting a
// sibling from it.
#include "testsupport.h"

#include "app/AppInfo.h"
#include "app/ProgramList.h"
#include "app/SettingsStore.h"
#include "app/frmMain.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using namespace orv;

namespace {
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
} // namespace

class TestPrograms : public QObject {
    Q_OBJECT
private slots:
    void firstExitRegistersSecondDoesNot();
    void listSkipsSelfAndFalseAndStopsAtFive();
    void menuShowsSiblingsAndStartsThem();
};

void TestPrograms::firstExitRegistersSecondDoesNot()
{
    orvtest::PrivateSettings settings;
    {
        frmMain w;
        w.MDIForm_Load();
        QVERIFY(!w.menuItem(QStringLiteral("mnuOrvPrograms"))->isVisible());
        w.close();
    }
    QCOMPARE(GetSetting(ProgramsAppName(), kList, QStringLiteral("LastIndex")), QStringLiteral("1"));
    QCOMPARE(GetSetting(ProgramsAppName(), kList, QStringLiteral("1")), AppTitle());
    QCOMPARE(GetSetting(AppTitle(), kGeneral, QStringLiteral("Registered")), QStringLiteral("True"));
    QCOMPARE(GetSetting(AppTitle(), kGeneral, QStringLiteral("Path")), ProgramFolder());
    QCOMPARE(GetSetting(AppTitle(), kGeneral, QStringLiteral("ExeName")), QStringLiteral("tst_programs"));
    QCOMPARE(GetSetting(AppTitle(), kGeneral, QStringLiteral("Major")), QString::number(VersionMajor()));
    QCOMPARE(GetSetting(AppTitle(), kGeneral, QStringLiteral("Revision")), QString::number(VersionRevision()));
    {
        frmMain w;
        w.MDIForm_Load();
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

void TestPrograms::listSkipsSelfAndFalseAndStopsAtFive()
{
    orvtest::PrivateSettings settings;
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

void TestPrograms::menuShowsSiblingsAndStartsThem()
{
    orvtest::PrivateSettings settings;
    for (int i = 1; i <= 6; ++i)
        addSibling(i, QStringLiteral("Sibling %1").arg(i), QStringLiteral("/opt/sib%1").arg(i), QStringLiteral("sib%1").arg(i));
    SaveSetting(QStringLiteral("Sibling 2"), kGeneral, QStringLiteral("ExeName"), QString());
    frmMain w;
    w.MDIForm_Load();
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

QTEST_MAIN(TestPrograms)
#include "tst_programs.moc"
