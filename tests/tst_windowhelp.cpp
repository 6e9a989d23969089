// The Window menu's arrangements and the Help menu's help viewer.
#include "testsupport.h"

#include "app/AppInfo.h"
#include "app/HelpIndex.h"
#include "app/frmHelp.h"
#include "app/frmMain.h"
#include "document/frmDocument.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QMenu>
#include <QTest>
#include <QTextBrowser>

using namespace orv;

class TestWindowHelp : public QObject {
    Q_OBJECT
private slots:
    void tilingAndIcons();
    void windowMenuListsOpenImages();
    void helpIndexRules();
    void helpOpensContentsAndCurrentTool();
    void missingHelpFileIsReported();
};

void TestWindowHelp::tilingAndIcons()
{
    orvtest::PrivateSettings settings;
    frmMain w;
    w.MDIForm_Load();
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.menuItem(QStringLiteral("mnuWindowNewWindow"))->trigger();
    w.menuItem(QStringLiteral("mnuWindowNewWindow"))->trigger();
    w.menuItem(QStringLiteral("mnuWindowNewWindow"))->trigger();
    QCOMPARE(w.documents().size(), 3);
    const QRect area = w.workspace()->viewport()->rect();
    const QList<QMdiSubWindow *> subs = w.workspace()->subWindowList(QMdiArea::CreationOrder);

    w.menuItem(QStringLiteral("mnuWindowTileHorizontal"))->trigger();
    for (int i = 0; i < 3; ++i) {
        const QRect g = subs.at(i)->geometry();
        QCOMPARE(g.left(), area.left());
        QCOMPARE(g.width(), area.width());
        QCOMPARE(g.top(), area.top() + area.height() * i / 3);
    }
    w.menuItem(QStringLiteral("mnuWindowTileVertical"))->trigger();
    for (int i = 0; i < 3; ++i) {
        const QRect g = subs.at(i)->geometry();
        QCOMPARE(g.top(), area.top());
        QCOMPARE(g.height(), area.height());
        QCOMPARE(g.left(), area.left() + area.width() * i / 3);
    }
    w.menuItem(QStringLiteral("mnuWindowCascade"))->trigger();
    QVERIFY(subs.at(1)->geometry().topLeft() != subs.at(0)->geometry().topLeft());

    // Two minimized windows line up along the bottom, left to right; tiling leaves them there
    // and shares the rest.
    subs.at(0)->showMinimized();
    subs.at(2)->showMinimized();
    subs.at(0)->move(300, 40);
    w.menuItem(QStringLiteral("mnuWindowArrangeIcons"))->trigger();
    QCOMPARE(subs.at(0)->geometry().bottom(), area.bottom());
    QCOMPARE(subs.at(0)->x(), area.left());
    QCOMPARE(subs.at(2)->geometry().bottom(), area.bottom());
    QCOMPARE(subs.at(2)->x(), subs.at(0)->geometry().right() + 1);
    w.menuItem(QStringLiteral("mnuWindowTileVertical"))->trigger();
    QCOMPARE(subs.at(1)->geometry().left(), area.left());
    QCOMPARE(subs.at(1)->width(), area.width());
    QVERIFY(subs.at(1)->geometry().bottom() < subs.at(0)->geometry().top());

    // Status bar toggle.
    w.menuItem(QStringLiteral("mnuViewStatusBar"))->trigger();
    QVERIFY(w.sbStatusBar()->isHidden());
    w.menuItem(QStringLiteral("mnuViewStatusBar"))->trigger();
    QVERIFY(!w.sbStatusBar()->isHidden());
    for (frmDocument *d : w.documents())
        d->doc().setSaveReq(false);
    w.close();
}

void TestWindowHelp::windowMenuListsOpenImages()
{
    orvtest::PrivateSettings settings;
    frmMain w;
    w.MDIForm_Load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.UpdateWindowList();
    auto entries = [&w] {
        QList<QAction *> out;
        for (QAction *a : w.menu(QStringLiteral("mnuWindow"))->actions())
            if (a->property("WindowListEntry").toBool() && !a->isSeparator())
                out << a;
        return out;
    };
    QVERIFY(entries().isEmpty());
    w.NewDocument();
    w.NewDocument();
    w.UpdateWindowList();
    w.UpdateWindowList();   // rebuilt, not appended
    const QList<QAction *> list = entries();
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(0)->text(), QStringLiteral("&1 Image1"));
    QCOMPARE(list.at(1)->text(), QStringLiteral("&2 Image2"));
    QVERIFY(!list.at(0)->isChecked() && list.at(1)->isChecked());
    list.at(0)->trigger();
    QCOMPARE(w.ActiveForm()->doc().Caption, QStringLiteral("Image1"));
}

void TestWindowHelp::helpIndexRules()
{
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("idx.HLP")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("# comment\n\nContents\tpages/index.html\nPencil\tpages/tools.html#pencil\nno tab here\n\tpage.html\n");
    f.close();
    HelpIndex idx;
    QVERIFY(idx.load(f.fileName()));
    QCOMPARE(idx.keywords().size(), 2);
    QCOMPARE(idx.contents(), QUrl::fromLocalFile(dir.filePath(QStringLiteral("pages/index.html"))));
    QUrl pencil = idx.pageFor(QStringLiteral("pencil"));
    QCOMPARE(pencil.fragment(), QStringLiteral("pencil"));
    QCOMPARE(pencil.toLocalFile(), dir.filePath(QStringLiteral("pages/tools.html")));
    QVERIFY(idx.pageFor(QStringLiteral("Nothing")).isEmpty());

    QString error;
    QVERIFY(!idx.load(dir.filePath(QStringLiteral("missing.HLP")), &error));
    QVERIFY(error.contains(QStringLiteral("missing.HLP")));
    QFile empty(dir.filePath(QStringLiteral("empty.HLP")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QVERIFY(!idx.load(empty.fileName(), &error));

    // The shipped index: every page it names exists, with its anchor.
    const QString shipped = QFINDTESTDATA("../resources/data/ORVIEENG.HLP");
    QVERIFY(!shipped.isEmpty());
    QVERIFY(idx.load(shipped));
    for (const HelpKeyword &k : idx.keywords()) {
        const QUrl u = idx.resolve(k.page);
        QFile page(u.toLocalFile());
        QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(k.page));
        if (u.hasFragment())
            QVERIFY2(page.readAll().contains(QStringLiteral("name=\"%1\"").arg(u.fragment()).toUtf8()), qPrintable(k.page));
    }
}

void TestWindowHelp::helpOpensContentsAndCurrentTool()
{
    orvtest::PrivateSettings settings;
    frmMain w;
    w.MDIForm_Load();
    w.state().helpFile = QFINDTESTDATA("../resources/data/ORVIEENG.HLP");
    w.menuItem(QStringLiteral("mnuHelpContents"))->trigger();
    frmHelp *help = w.helpWindow();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QVERIFY(help->page()->source().toString().endsWith(QStringLiteral("help/index.html")));
    QCOMPARE(help->page()->documentTitle(), QStringLiteral("Contents"));

    w.state().currentTool = QStringLiteral("Spray");
    w.menuItem(QStringLiteral("mnuHelpSearchForHelpOn"))->trigger();
    QCOMPARE(w.helpWindow(), help);
    QCOMPARE(help->searchBox()->text(), QStringLiteral("Spray"));
    QCOMPARE(help->page()->source().fileName(), QStringLiteral("tools.html"));
    QCOMPARE(help->page()->source().fragment(), QStringLiteral("spray"));
    QCOMPARE(help->keywordList()->count(), 1);

    w.state().currentTool = QStringLiteral("Cont Line");
    w.menuItem(QStringLiteral("mnuHelpSearchForHelpOn"))->trigger();
    QCOMPARE(help->page()->source().fragment(), QStringLiteral("contline"));
    w.close();
}

void TestWindowHelp::missingHelpFileIsReported()
{
    orvtest::PrivateSettings settings;
    QTemporaryDir dir;
    frmMain w;
    w.MDIForm_Load();
    w.state().helpFile = dir.filePath(QStringLiteral("ORVIEENG.HLP"));
    QStringList texts, titles;
    w.msgBoxHook = [&](const QString &text, int, const QString &title) {
        texts << text;
        titles << title;
        return 1;
    };
    // Neither the configured file nor one beside this test program.
    QFile::remove(QCoreApplication::applicationDirPath() + QStringLiteral("/ORVIEENG.HLP"));
    w.menuItem(QStringLiteral("mnuHelpContents"))->trigger();
    QCOMPARE(texts.size(), 1);
    QVERIFY(texts.first().contains(QStringLiteral("ORVIEENG.HLP")));
    QCOMPARE(titles.first(), AppTitle());
    QVERIFY(!w.helpWindow());
    w.menuItem(QStringLiteral("mnuHelpSearchForHelpOn"))->trigger();
    QCOMPARE(texts.size(), 2);
    w.close();
}

QTEST_MAIN(TestWindowHelp)
#include "tst_windowhelp.moc"
