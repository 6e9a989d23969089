// The web browser window on local pages, its address list, and the editor living on without a sandbox.
#include "uihelpers.h"
#include "aux/AddressHistory.h"
#include "aux/frmBrowser.h"
#include "document/frmDocument.h"

#include <QWebEngineView>

using namespace orv;

namespace {
constexpr int kLoadTimeout = 60000;   // the first page also starts the web engine

QString writePage(const QTemporaryDir &dir, const QString &name, const QString &title, const QString &link)
{
    return orvtest::writeFile(dir, name, QStringLiteral("<html><head><title>%1</title></head><body><a href=\"%2\">next</a></body></html>")
                                             .arg(title, link).toUtf8());
}

QString url(const QString &path) { return QUrl::fromLocalFile(path).toString(); }

// The start page shipped beside the program, copied next to the test from the source tree.
QString startPageBeside()
{
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/start.html");
    QFile::remove(beside);
    return QFile::copy(QFINDTESTDATA("../resources/data/start.html"), beside) ? beside : QString();
}

// The child run: the editor, View > Web Browser, the editor still answering once the page loaded; progress on stdout.
int runBrowserChild()
{
    QTextStream out(stdout);
    frmMain m;
    m.MDIForm_Load();
    m.show();
    m.menuItem(QStringLiteral("mnuViewWebBrowser"))->trigger();
    if (m.browserWindows().size() != 1)
        return 2;
    frmBrowser *browser = m.browserWindows().first();
    out << "browser-open" << Qt::endl;
    QElapsedTimer clock;
    clock.start();
    while (browser->windowTitle() != QStringLiteral("Orv Image Editor - Start") && clock.elapsed() < kLoadTimeout)
        QTest::qWait(50);
    if (browser->windowTitle() != QStringLiteral("Orv Image Editor - Start"))
        return 3;
    out << "page-loaded" << Qt::endl;
    m.menuItem(QStringLiteral("mnuWindowNewWindow"))->trigger();   // the editor still works
    QTest::qWait(500);
    if (m.documents().size() != 1)
        return 4;
    out << "editor-alive" << Qt::endl;
    m.documents().first()->doc().setSaveReq(false);
    m.close();
    return 0;
}

// Types an address over the one in the browser's address box, key by key.
void type(frmBrowser &w, const QString &address)
{
    w.activateWindow();
    w.cboAddress()->setFocus();
    w.cboAddress()->lineEdit()->selectAll();
    QTest::keyClicks(w.cboAddress(), address);
    QCOMPARE(w.cboAddress()->currentText(), address);
}
} // namespace

class TestBrowser : public QObject {
    Q_OBJECT
private slots:
    void historyRule()
    {
        // A new address goes on top (the window's own test); one listed already moves there, once.
        QStringList list{"c", "b", "a"};
        RecordVisitedAddress(list, QStringLiteral("a"));
        QCOMPARE(list, (QStringList{"a", "c", "b"}));
        RecordVisitedAddress(list, QStringLiteral("a"));
        QCOMPARE(list, (QStringList{"a", "c", "b"}));
    }

    void navigatesLocalPagesAndKeepsHistory()
    {
        orvtest::PrivateSettings settings;
        QTemporaryDir dir;
        const QString a = writePage(dir, QStringLiteral("a.html"), QStringLiteral("Page A"), QStringLiteral("b.html"));
        const QString b = writePage(dir, QStringLiteral("b.html"), QStringLiteral("Page B"), QStringLiteral("a.html"));
        frmBrowser w(a);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE_WITH_TIMEOUT(w.windowTitle(), QStringLiteral("Page A"), kLoadTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!w.timTimer()->isActive(), kLoadTimeout);
        QCOMPARE(w.addresses(), QStringList{url(a)});

        // An address typed into the box and confirmed with Enter, as the user does it.
        type(w, b);
        QTest::keyClick(w.cboAddress(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(w.windowTitle(), QStringLiteral("Page B"), kLoadTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(w.addresses(), (QStringList{url(b), url(a)}), kLoadTimeout);

        // Back: page A again, moved to the top instead of listed twice.
        w.button(QStringLiteral("Back"))->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(w.windowTitle(), QStringLiteral("Page A"), kLoadTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(w.addresses(), (QStringList{url(a), url(b)}), kLoadTimeout);
        QCOMPARE(w.cboAddress()->currentIndex(), 0);

        // While the window itself updates the list, choosing an entry does not navigate (a restarted timer would show).
        QTRY_VERIFY_WITH_TIMEOUT(!w.timTimer()->isActive(), kLoadTimeout);
        w.setDontNavigate(true);
        w.cboAddress()->setCurrentIndex(1);
        w.cboAddress_Click();
        QVERIFY(!w.timTimer()->isActive());
        QTest::qWait(300);
        QCOMPARE(w.brwWebBrowser()->url().toString(), url(a));
        w.setDontNavigate(false);

        // Stop: timer off, caption the page's title.
        w.button(QStringLiteral("Stop"))->trigger();
        QVERIFY(!w.timTimer()->isActive() && w.windowTitle() == QStringLiteral("Page A"));

        // An unreachable address ends in the engine's error page, not a hang or a crash; the keypad's Enter confirms too.
        type(w, url(dir.filePath(QStringLiteral("missing.html"))));
        QTest::keyClick(w.cboAddress(), Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_VERIFY_WITH_TIMEOUT(!w.busy() && !w.timTimer()->isActive(), kLoadTimeout);
        QCOMPARE(w.addresses().first(), url(dir.filePath(QStringLiteral("missing.html"))));
    }

    void emptyStartAddressAndShippedStartPage()
    {
        orvtest::PrivateSettings settings;
        {
            frmBrowser w{QString()};
            QVERIFY(w.addresses().isEmpty() && !w.timTimer()->isActive() && w.brwWebBrowser()->url().isEmpty());
        }
        // The View menu's Web Browser: one more window per use, on the shipped start page.
        const QString beside = startPageBeside();
        QVERIFY(!beside.isEmpty());
        frmMain m;
        m.MDIForm_Load();
        m.setGeometry(0, 0, 1000, 800);
        m.menuItem(QStringLiteral("mnuViewWebBrowser"))->trigger();
        m.menuItem(QStringLiteral("mnuViewWebBrowser"))->trigger();
        QCOMPARE(m.browserWindows().size(), 2);
        frmBrowser *first = m.browserWindows().at(0), *second = m.browserWindows().at(1);
        // Over the main window, the second one a step down and right of the first.
        QVERIFY((first->geometry().center() - m.geometry().center()).manhattanLength() <= 4);
        QVERIFY(second->x() > first->x() && second->y() - first->y() == second->x() - first->x());
        delete second;
        QCOMPARE(first->StartingAddress, QStringLiteral("start.html"));
        QTRY_COMPARE_WITH_TIMEOUT(first->windowTitle(), QStringLiteral("Orv Image Editor - Start"), kLoadTimeout);
        QCOMPARE(first->addresses(), QStringList{url(beside)});
        QCOMPARE(frmBrowser::homePage().toString(), url(beside));
        m.close();
        QFile::remove(beside);
    }

    void editorLivesOnWithoutTheSandbox()
    {
        // Without the engine's sandbox variables, as for a user; as the superuser the engine would end the process.
        const QString beside = startPageBeside();
        QVERIFY(!beside.isEmpty());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"));
        env.remove(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"));
        env.insert(QStringLiteral("ORV_BROWSER_CHILD"), QStringLiteral("1"));
        QTemporaryDir config;
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(kLoadTimeout + 30000));
        const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, qPrintable(QStringLiteral("exit %1\n%2\n%3")
                                                       .arg(child.exitCode()).arg(out, QString::fromLocal8Bit(child.readAllStandardError()))));
        QVERIFY(out.contains(QStringLiteral("editor-alive")));
        QFile::remove(beside);

        // An engine that cannot start: the menu command refuses with a message, opens no window, the editor goes on.
        const QByteArray helper = qgetenv("QTWEBENGINEPROCESS_PATH");
        qputenv("QTWEBENGINEPROCESS_PATH", "/nonexistent/QtWebEngineProcess");
        orvtest::LoadedMain m;
        QStringList said;
        m.msgBoxHook = [&](const QString &text, int, const QString &) { return said << text, 1; };
        m.menuItem(QStringLiteral("mnuViewWebBrowser"))->trigger();
        if (helper.isEmpty())
            qunsetenv("QTWEBENGINEPROCESS_PATH");
        else
            qputenv("QTWEBENGINEPROCESS_PATH", helper);
        QVERIFY(said.size() == 1 && said.first().startsWith(QStringLiteral("The web browser cannot start")) && m.browserWindows().isEmpty());
        m.close();
    }
};

int main(int argc, char **argv)
{
    // The web engine shares its drawing contexts with the widgets: set before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("ORV_BROWSER_CHILD"))
        return runBrowserChild();
    TestBrowser test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_browser.moc"
