// The web browser window on local pages only: the start page, navigation between pages, the
// address list's once-per-address, most-recent-first rule and the don't-navigate flag.
#include "testsupport.h"

#include "app/frmMain.h"
#include "aux/AddressHistory.h"
#include "aux/frmBrowser.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

using namespace orv;

namespace {
constexpr int kLoadTimeout = 60000;   // the first page also starts the web engine

QString writePage(const QTemporaryDir &dir, const QString &name, const QString &title, const QString &link)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(QStringLiteral("<html><head><title>%1</title></head><body><a href=\"%2\">next</a></body></html>")
                .arg(title, link)
                .toUtf8());
    return path;
}

QString url(const QString &path)
{
    return QUrl::fromLocalFile(path).toString();
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
        QStringList list;
        RecordVisitedAddress(list, QStringLiteral("a"));
        RecordVisitedAddress(list, QStringLiteral("b"));
        RecordVisitedAddress(list, QStringLiteral("c"));
        QCOMPARE(list, (QStringList{"c", "b", "a"}));
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

        // While the window itself updates the list, choosing an entry does not navigate (the busy
        // timer of the Back navigation has stopped first, so a restart would show).
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
        QVERIFY(!w.timTimer()->isActive());
        QCOMPARE(w.windowTitle(), QStringLiteral("Page A"));

        // An unreachable address ends in the engine's error page, not in a hang or a crash; the
        // keypad's Enter confirms as well.
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
            QVERIFY(w.addresses().isEmpty());
            QVERIFY(!w.timTimer()->isActive());
            QVERIFY(w.brwWebBrowser()->url().isEmpty());
        }
        // The View menu's Web Browser: one more window per use, on the start page shipped beside
        // the program (copied next to the test from the source tree).
        const QString start = QFINDTESTDATA("../resources/data/start.html");
        QVERIFY(!start.isEmpty());
        const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/start.html");
        QFile::remove(beside);
        QVERIFY(QFile::copy(start, beside));
        frmMain m;
        m.MDIForm_Load();
        frmBrowser *first = m.mnuViewWebBrowser_Click();
        frmBrowser *second = m.mnuViewWebBrowser_Click();
        QVERIFY(first != second);
        QCOMPARE(m.browserWindows().size(), 2);
        delete second;
        QCOMPARE(first->StartingAddress, QStringLiteral("start.html"));
        QTRY_COMPARE_WITH_TIMEOUT(first->windowTitle(), QStringLiteral("Orv Image Editor - Start"), kLoadTimeout);
        QCOMPARE(first->addresses(), QStringList{url(beside)});
        QCOMPARE(frmBrowser::homePage().toString(), url(beside));
        m.close();
        QFile::remove(beside);
    }
};

int main(int argc, char **argv)
{
    // The web engine shares its drawing contexts with the widgets; it must be told before the
    // application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestBrowser test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_browser.moc"
