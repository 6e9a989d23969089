// The Help menu: tip of the day and its file, the help viewer and its pages; the Programs menu.
#include "uihelpers.h"
#include "app/HelpIndex.h"
#include "app/ProgramList.h"
#include "app/TipBook.h"
#include "app/frmHelp.h"
#include "app/frmTip.h"
#include "document/frmDocument.h"

using namespace orv;
using orvtest::LoadedMain;
using orvtest::writeFile;

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

class TestHelpTips : public orvtest::FreshSettingsTest {
    Q_OBJECT
private slots:
    void tipFileRules()
    {
        QTemporaryDir dir;
        TipBook none(1);
        // No name, a missing file, a folder: no tips (the dialog's own: dialogShowsTipsAndWritesCheckBox).
        QVERIFY(!none.LoadTips(QString()) && !none.LoadTips(dir.path()) && none.Tips().isEmpty());
        TipBook one(7);
        QVERIFY(one.LoadTips(writeFile(dir, QStringLiteral("one.txt"), "Only tip\n")));
        QCOMPARE(one.Tips(), QStringList{QStringLiteral("Only tip")});
        for (int i = 0; i < 20; ++i, one.DoNextTip())
            QCOMPARE(one.currentText(), QStringLiteral("Only tip"));
        // The shipped file: at least 15 tips, none of them blank.
        const QString shipped = QFINDTESTDATA("../resources/data/TODENG.TXT");
        TipBook book(1);
        QVERIFY(!shipped.isEmpty() && book.LoadTips(shipped) && book.Tips().size() >= 15);
        for (const QString &t : book.Tips())
            QVERIFY2(t.trimmed().size() > 20, qPrintable(t));
        // Draws are uniform, with repeats.
        TipBook four(12345);
        QVERIFY(four.LoadTips(writeFile(dir, QStringLiteral("four.txt"), "a\nb\nc\nd\n")));
        QList<int> counts(4, 0);
        bool repeated = false;
        int last = four.CurrentTip();
        for (int i = 0; i < 4000; ++i) {
            four.DoNextTip();
            QVERIFY(four.CurrentTip() >= 1 && four.CurrentTip() <= 4);
            ++counts[four.CurrentTip() - 1];
            repeated |= four.CurrentTip() == last;
            last = four.CurrentTip();
        }
        QVERIFY(repeated);
        for (int c : counts)
            QVERIFY2(c > 850 && c < 1150, qPrintable(QString::number(c)));
    }

    void dialogShowsTipsAndWritesCheckBox()
    {
        QTemporaryDir dir;
        // Lines as they are, blank lines and leading blanks included; CRLF ends are line ends too.
        const QString file = writeFile(dir, QStringLiteral("tips.txt"), "Tip one\r\n\r\n   Tip three\nTip four");
        frmTip dlg(nullptr, file);
        QVERIFY(dlg.chkLoadTipsAtStartup()->isChecked());   // default 1
        QCOMPARE(dlg.tips().Tips(), (QStringList{"Tip one", "", "   Tip three", "Tip four"}));
        QSet<QString> seen;
        for (int i = 0; i < 60; ++i) {
            QCOMPARE(dlg.lblTipText()->text(), dlg.tips().currentText());
            seen << dlg.lblTipText()->text();
            QTest::mouseClick(dlg.cmdNextTip(), Qt::LeftButton);
        }
        QCOMPARE(seen, (QSet<QString>{"Tip one", "", "   Tip three", "Tip four"}));   // the blank line draws an empty label
        dlg.chkLoadTipsAtStartup()->click();
        QCOMPARE(orvtest::setting("Options", "Show Tips at Startup"), QStringLiteral("0"));
        QVERIFY(!frmTip::ShowTipsAtStartup());
        frmTip again(nullptr, file);
        QVERIFY(!again.chkLoadTipsAtStartup()->isChecked());
        again.chkLoadTipsAtStartup()->click();
        QCOMPARE(orvtest::setting("Options", "Show Tips at Startup"), QStringLiteral("1"));
        QTest::mouseClick(again.cmdOK(), Qt::LeftButton);
        QCOMPARE(again.result(), int(QDialog::Accepted));

        // A missing and an empty file: no tips, an empty label, and Next still works.
        for (const QString &path : {dir.filePath(QStringLiteral("nothing.txt")),
                                    writeFile(dir, QStringLiteral("empty.txt"), QByteArray())}) {
            frmTip dlg(nullptr, path);
            QVERIFY(dlg.tips().Tips().isEmpty() && dlg.lblTipText()->text().isEmpty());
            QTest::mouseClick(dlg.cmdNextTip(), Qt::LeftButton);
            QVERIFY(dlg.lblTipText()->text().isEmpty());
        }
        // A line of two million characters is kept whole but shown cut.
        frmTip big(nullptr, writeFile(dir, QStringLiteral("huge.txt"), QByteArray(2'000'000, 'x') + "\n"));
        big.show();
        QVERIFY(QTest::qWaitForWindowExposed(&big));
        QCOMPARE(big.tips().Tips().first().size(), 2'000'000);
        QVERIFY(big.lblTipText()->text().size() < 5000 && big.lblTipText()->text().startsWith(QStringLiteral("xxxx")));
    }

    void helpMenuOffersTips()
    {
        LoadedMain w;
        QAction *onStart = w.menuItem(QStringLiteral("mnuHelpTooltip"));
        QVERIFY(onStart->isVisible() && onStart->isCheckable());
        int shown = 0;
        w.modalHook = [&](QDialog &d) { shown += bool(qobject_cast<frmTip *>(&d)); };
        w.ShowTipsAtStartup();   // default 1: the tip shows
        QVERIFY(shown == 1 && onStart->isChecked());
        onStart->trigger();      // unchecked: written as 0
        QCOMPARE(orvtest::setting("Options", "Show Tips at Startup"), QStringLiteral("0"));
        w.ShowTipsAtStartup();
        QCOMPARE(shown, 1);
        w.menuItem(QStringLiteral("mnuHelpTipOfTheDay"))->trigger();   // the menu item always shows it
        QCOMPARE(shown, 2);
        w.close();
    }

    void firstExitRegistersSecondDoesNot()
    {
        const auto listed = [](const char *key) { return GetSetting(ProgramsAppName(), kList, QLatin1String(key), QStringLiteral("none")); };
        for (int start = 0; start < 2; ++start) {
            {
                LoadedMain w;
                // This program never lists itself.
                QVERIFY(!w.menuItem(QStringLiteral("mnuOrvPrograms"))->isVisible());
                w.close();
            }
            QCOMPARE((QStringList{listed("LastIndex"), listed("1"), listed("2")}), (QStringList{"1", AppTitle(), "none"}));
            for (const auto &[key, value] : {std::pair{"Registered", QStringLiteral("True")}, {"Path", ProgramFolder()},
                                             {"ExeName", QStringLiteral("tst_helptips")}, {"Major", QString::number(VersionMajor())},
                                             {"Revision", QString::number(VersionRevision())}})
                QCOMPARE(GetSetting(AppTitle(), kGeneral, QLatin1String(key)), value);
        }
        // A program registered after others takes the next slot.
        RegisterProgram({QStringLiteral("Orv Sound Editor"), QStringLiteral("orv-sound"), QStringLiteral("/opt/sound"), 2, 1, 0});
        QCOMPARE((QStringList{listed("LastIndex"), listed("2")}), (QStringList{"2", "Orv Sound Editor"}));
        QCOMPARE(GetSetting(QStringLiteral("Orv Sound Editor"), kGeneral, QStringLiteral("Minor")), QStringLiteral("1"));
    }

    // The Programs menu: every registered program but this one and "False", five at most; a click starts one.
    void programsMenuListsAndStartsSiblings()
    {
        QVERIFY(LoadSiblingPrograms(AppTitle()).isEmpty());
        addSibling(1, QStringLiteral("A"), QStringLiteral("/a"), QStringLiteral("a"));
        addSibling(2, AppTitle(), QStringLiteral("/self"));
        addSibling(3, QStringLiteral("False"), QString());
        addSibling(4, QStringLiteral("B"), QString());   // no recorded folder
        for (int i = 5; i <= 8; ++i)   // S6 without a recorded executable
            addSibling(i, QStringLiteral("S%1").arg(i), QStringLiteral("/s%1").arg(i), i == 6 ? QString() : QStringLiteral("s%1").arg(i));
        QStringList got;
        for (const SiblingProgram &p : LoadSiblingPrograms(AppTitle()))
            got << p.title + QLatin1Char(' ') + p.path;
        QCOMPARE(got, (QStringList{"A /a", "B False", "S5 /s5", "S6 /s6", "S7 /s7"}));
        LoadedMain w;
        QVERIFY(w.menuItem(QStringLiteral("mnuOrvPrograms"))->isVisible());
        for (int i = 1; i <= 5; ++i) {
            QAction *item = w.menuItem(QStringLiteral("mnuProg(%1)").arg(i));
            QVERIFY(item->isVisible() && item->text() == got.at(i - 1).section(QLatin1Char(' '), 0, 0));
        }
        QStringList started;
        w.startProgramHook = [&](const QString &program) { started << program; };
        w.menuItem(QStringLiteral("mnuProg(3)"))->trigger();
        QCOMPARE(started, QStringList{QStringLiteral("/s5/s5")});
        w.menuItem(QStringLiteral("mnuProg(4)"))->trigger();   // no recorded executable: nothing starts
        QCOMPARE(started.size(), 1);
        w.startProgramHook = nullptr;
        w.menuItem(QStringLiteral("mnuProg(1)"))->trigger();   // not installed: the start fails quietly
        w.close();
        SaveSetting(ProgramsAppName(), kList, QStringLiteral("LastIndex"), QStringLiteral("1"));
        QCOMPARE(LoadSiblingPrograms(AppTitle()).size(), 1);   // slots past LastIndex are not read
    }

    void helpIndexRules()
    {
        QTemporaryDir dir;
        HelpIndex idx;
        QVERIFY(idx.load(writeFile(dir, QStringLiteral("idx.HLP"),
                                   "# comment\n\nContents\tpages/index.html\nPencil\tpages/tools.html#pencil\nno tab here\n\tpage.html\n")));
        QCOMPARE(idx.keywords().size(), 2);
        QCOMPARE(idx.contents(), QUrl::fromLocalFile(dir.filePath(QStringLiteral("pages/index.html"))));
        const QUrl pencil = idx.pageFor(QStringLiteral("pencil"));
        QVERIFY(pencil.fragment() == QStringLiteral("pencil") && pencil.toLocalFile() == dir.filePath(QStringLiteral("pages/tools.html")));
        QVERIFY(idx.pageFor(QStringLiteral("Nothing")).isEmpty());

        QString error;
        QVERIFY(!idx.load(dir.filePath(QStringLiteral("missing.HLP")), &error) && error.contains(QStringLiteral("missing.HLP")));
        QVERIFY(!idx.load(writeFile(dir, QStringLiteral("empty.HLP"), QByteArray()), &error));
    }

    void helpWindowAndItsPages()
    {
        LoadedMain w;
        // Neither the configured file nor one beside this test program: a message, no window.
        QTemporaryDir dir;
        w.state().helpFile = dir.filePath(QStringLiteral("ORVIEENG.HLP"));
        QStringList texts, titles;
        w.msgBoxHook = [&](const QString &text, int, const QString &title) { return texts << text, titles << title, 1; };
        QFile::remove(QCoreApplication::applicationDirPath() + QStringLiteral("/ORVIEENG.HLP"));
        w.menuItem(QStringLiteral("mnuHelpContents"))->trigger();
        QVERIFY(texts.size() == 1 && texts.first().contains(QStringLiteral("ORVIEENG.HLP")));
        QCOMPARE(titles.first(), AppTitle());
        QVERIFY(!w.helpWindow());
        w.menuItem(QStringLiteral("mnuHelpSearchForHelpOn"))->trigger();
        QCOMPARE(texts.size(), 2);

        w.state().helpFile = QFINDTESTDATA("../resources/data/ORVIEENG.HLP");
        w.setGeometry(600, 400, 900, 600);
        w.menuItem(QStringLiteral("mnuHelpContents"))->trigger();
        frmHelp *help = w.helpWindow();
        QVERIFY(help && help->isVisible() && help->page()->source().toString().endsWith(QStringLiteral("help/index.html")));
        QCOMPARE(help->page()->documentTitle(), QStringLiteral("Contents"));

        w.state().currentTool = QStringLiteral("Spray");
        w.menuItem(QStringLiteral("mnuHelpSearchForHelpOn"))->trigger();
        QCOMPARE(w.helpWindow(), help);
        QCOMPARE(help->searchBox()->text(), QStringLiteral("Spray"));
        QCOMPARE(help->page()->source().fileName() + QLatin1Char('#') + help->page()->source().fragment(), QStringLiteral("tools.html#spray"));
        QCOMPARE(help->keywordList()->count(), 1);

        // It opens over the main window, and Escape closes it.
        QVERIFY(w.geometry().contains(help->geometry().center()));
        help->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help->page(), Qt::Key_Escape);
        QTRY_VERIFY(!w.helpWindow());

        // The tools page: a section per tool bar tool and the Colour menu's one-shot tool, headed by its shown name.
        QSet<QString> tools{w.menuItem(QStringLiteral("mnuColorSetTransparent"))->text().remove(QLatin1Char('&'))};
        for (QAction *a : w.TbEdit()->actions())
            tools << a->toolTip();
        const QString folder = QFileInfo(w.state().helpFile).absolutePath() + QStringLiteral("/help/");
        QHash<QString, QString> heading;   // anchor -> heading
        const QString toolsPage = QString::fromUtf8(orvtest::readFile(folder + QStringLiteral("tools.html")));
        static const QRegularExpression h2(QStringLiteral("<h2><a name=\"(\\w+)\"></a>([^<]+)</h2>"));
        for (const QRegularExpressionMatch &m : h2.globalMatch(toolsPage))
            heading.insert(m.captured(1), m.captured(2));
        QCOMPARE(QSet<QString>(heading.cbegin(), heading.cend()), tools);
        // Every page the shipped index names exists with its anchor; a tool's section goes by the tool's name.
        HelpIndex idx;
        QVERIFY(idx.load(w.state().helpFile));
        for (const HelpKeyword &k : idx.keywords()) {
            const QUrl u = idx.resolve(k.page);
            const QByteArray page = orvtest::readFile(u.toLocalFile());
            QVERIFY2(!page.isEmpty() && (!u.hasFragment() || page.contains(QStringLiteral("name=\"%1\"").arg(u.fragment()).toUtf8())),
                     qPrintable(k.page));
            if (k.page.startsWith(QStringLiteral("help/tools.html#")))
                QCOMPARE(heading.value(k.page.section(QLatin1Char('#'), 1)), k.keyword);
        }
        // Tools that exist only as hidden menu items appear on no page.
        QStringList hidden;
        for (const char *m : {"mnuImage", "mnuImageShape"})
            for (QAction *a : w.menu(QString::fromLatin1(m))->actions())
                if (!a->isVisible() && !a->isSeparator())
                    hidden << a->text().remove(QLatin1Char('&'));
        QVERIFY(hidden.contains(QStringLiteral("Triangle")));
        for (const QFileInfo &f : QDir(folder).entryInfoList({QStringLiteral("*.html")})) {
            const QString text = QString::fromUtf8(orvtest::readFile(f.filePath()));
            QVERIFY(!text.isEmpty());
            for (const QString &name : hidden)
                QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(name)),
                                                           QRegularExpression::CaseInsensitiveOption)),
                         qPrintable(f.fileName() + QStringLiteral(": ") + name));
        }
        // Search For Help On opens each tool's own section.
        w.NewDocument();
        for (QAction *a : w.TbEdit()->actions()) {
            a->trigger();
            w.menuItem(QStringLiteral("mnuHelpSearchForHelpOn"))->trigger();
            QVERIFY(w.helpWindow());
            QCOMPARE(heading.value(w.helpWindow()->page()->source().fragment()), a->toolTip());
        }
        QCOMPARE(texts.size(), 2);   // no message while the help file is there
        w.ActiveForm()->doc().setSaveReq(false);
        w.close();
    }
};

QTEST_MAIN(TestHelpTips)
#include "tst_helptips.moc"
