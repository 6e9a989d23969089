// The tip of the day: reading the tip file, drawing tips, the start-up check box and how the
// Help menu offers the dialog.
#include "testsupport.h"

#include "app/AppInfo.h"
#include "app/SettingsStore.h"
#include "app/TipBook.h"
#include "app/frmMain.h"
#include "app/frmTip.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;

namespace {
QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(bytes);
    return path;
}
} // namespace

class TestTips : public QObject {
    Q_OBJECT
private slots:
    void tipFileRules();
    void drawsAreUniformWithRepeats();
    void dialogShowsTipsAndWritesCheckBox();
    void badTipFiles();
    void helpMenuOffersTips();
    void shippedTipFile();
};

void TestTips::tipFileRules()
{
    QTemporaryDir dir;
    TipBook none(1);
    QVERIFY(!none.LoadTips(QString()));
    QVERIFY(!none.LoadTips(dir.filePath(QStringLiteral("missing.txt"))));
    QVERIFY(!none.LoadTips(dir.path()));   // a folder is no tip file
    QVERIFY(none.Tips().isEmpty());

    // One line: always that line.
    TipBook one(7);
    QVERIFY(one.LoadTips(writeFile(dir, QStringLiteral("one.txt"), "Only tip\n")));
    QCOMPARE(one.Tips(), QStringList{QStringLiteral("Only tip")});
    for (int i = 0; i < 20; ++i) {
        QCOMPARE(one.currentText(), QStringLiteral("Only tip"));
        one.DoNextTip();
    }

    // Lines unchanged, blank lines and leading blanks included; CRLF ends are line ends.
    TipBook lines(3);
    QVERIFY(lines.LoadTips(writeFile(dir, QStringLiteral("lines.txt"), "first\r\n\r\n   indented\nlast")));
    QCOMPARE(lines.Tips(), (QStringList{"first", "", "   indented", "last"}));
}

void TestTips::drawsAreUniformWithRepeats()
{
    QTemporaryDir dir;
    TipBook book(12345);
    QVERIFY(book.LoadTips(writeFile(dir, QStringLiteral("four.txt"), "a\nb\nc\nd\n")));
    QList<int> counts(4, 0);
    bool repeated = false;
    int last = book.CurrentTip();
    for (int i = 0; i < 4000; ++i) {
        book.DoNextTip();
        QVERIFY(book.CurrentTip() >= 1 && book.CurrentTip() <= 4);
        ++counts[book.CurrentTip() - 1];
        repeated |= book.CurrentTip() == last;
        last = book.CurrentTip();
    }
    QVERIFY(repeated);
    for (int c : counts)
        QVERIFY2(c > 850 && c < 1150, qPrintable(QString::number(c)));
}

void TestTips::dialogShowsTipsAndWritesCheckBox()
{
    orvtest::PrivateSettings settings;
    QTemporaryDir dir;
    const QString file = writeFile(dir, QStringLiteral("tips.txt"), "Tip one\n\nTip three\n");
    frmTip dlg(nullptr, file);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Tip of the Day"));
    QCOMPARE(dlg.chkLoadTipsAtStartup()->text(), QStringLiteral("&Show Tips at Startup"));
    QCOMPARE(dlg.cmdNextTip()->text(), QStringLiteral("&Next Tip"));
    QVERIFY(dlg.chkLoadTipsAtStartup()->isChecked());   // default 1
    QCOMPARE(dlg.tips().Tips().size(), 3);
    QSet<QString> seen;
    for (int i = 0; i < 60; ++i) {
        QCOMPARE(dlg.lblTipText()->text(), dlg.tips().currentText());
        seen << dlg.lblTipText()->text();
        QTest::mouseClick(dlg.cmdNextTip(), Qt::LeftButton);
    }
    QCOMPARE(seen, (QSet<QString>{"Tip one", "", "Tip three"}));   // the blank line draws an empty label

    dlg.chkLoadTipsAtStartup()->click();
    QCOMPARE(GetSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("Show Tips at Startup")), QStringLiteral("0"));
    QVERIFY(!frmTip::ShowTipsAtStartup());
    frmTip again(nullptr, file);
    QVERIFY(!again.chkLoadTipsAtStartup()->isChecked());
    again.chkLoadTipsAtStartup()->click();
    QCOMPARE(GetSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("Show Tips at Startup")), QStringLiteral("1"));
    QTest::mouseClick(again.cmdOK(), Qt::LeftButton);
    QCOMPARE(again.result(), int(QDialog::Accepted));
}

void TestTips::badTipFiles()
{
    orvtest::PrivateSettings settings;
    QTemporaryDir dir;
    {
        frmTip missing(nullptr, dir.filePath(QStringLiteral("nothing.txt")));
        QVERIFY(missing.lblTipText()->text().isEmpty());
        QTest::mouseClick(missing.cmdNextTip(), Qt::LeftButton);   // still works, still empty
        QVERIFY(missing.lblTipText()->text().isEmpty());
    }
    {
        frmTip empty(nullptr, writeFile(dir, QStringLiteral("empty.txt"), QByteArray()));
        QVERIFY(empty.tips().Tips().isEmpty());
        QVERIFY(empty.lblTipText()->text().isEmpty());
        QTest::mouseClick(empty.cmdNextTip(), Qt::LeftButton);
        QVERIFY(empty.lblTipText()->text().isEmpty());
    }
    {
        // A line of two million characters is kept whole but shown cut.
        const QByteArray huge(2'000'000, 'x');
        frmTip big(nullptr, writeFile(dir, QStringLiteral("huge.txt"), huge + "\n"));
        big.show();
        QVERIFY(QTest::qWaitForWindowExposed(&big));
        QCOMPARE(big.tips().Tips().first().size(), 2'000'000);
        QVERIFY(big.lblTipText()->text().size() < 5000);
        QVERIFY(big.lblTipText()->text().startsWith(QStringLiteral("xxxx")));
    }
}

void TestTips::helpMenuOffersTips()
{
    orvtest::PrivateSettings settings;
    frmMain w;
    w.MDIForm_Load();
    QAction *onStart = w.menuItem(QStringLiteral("mnuHelpTooltip"));
    QAction *tip = w.menuItem(QStringLiteral("mnuHelpTipOfTheDay"));
    QVERIFY(onStart->isVisible());
    QVERIFY(onStart->isCheckable());
    QCOMPARE(onStart->text(), QStringLiteral("&Show Tips on Startup"));
    QCOMPARE(tip->text(), QStringLiteral("Tip of the Day"));

    int shown = 0;
    w.modalHook = [&](QDialog &d) {
        ++shown;
        QVERIFY(qobject_cast<frmTip *>(&d));
    };
    w.ShowTipsAtStartup();   // default 1: the tip shows
    QCOMPARE(shown, 1);
    QVERIFY(onStart->isChecked());
    onStart->trigger();      // unchecked: written as 0
    QCOMPARE(GetSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("Show Tips at Startup")), QStringLiteral("0"));
    w.ShowTipsAtStartup();
    QCOMPARE(shown, 1);
    tip->trigger();          // the menu item always shows it
    QCOMPARE(shown, 2);
    w.close();
}

void TestTips::shippedTipFile()
{
    const QString file = QFINDTESTDATA("../resources/data/TODENG.TXT");
    QVERIFY(!file.isEmpty());
    TipBook book(1);
    QVERIFY(book.LoadTips(file));
    QVERIFY(book.Tips().size() >= 15);
    for (const QString &t : book.Tips())
        QVERIFY2(t.trimmed().size() > 20, qPrintable(t));
}

QTEST_MAIN(TestTips)
#include "tst_tips.moc"
