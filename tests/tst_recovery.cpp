// Crash recovery: an editor killed with an unsaved picture offers it back at the next start, with
// exactly its pixels; No discards the copies, a clean close and a save leave none.
#include "app/frmMain.h"
#include "app/frmRecovery.h"
#include "document/Recovery.h"
#include "document/frmDocument.h"
#include "filehelpers.h"

using namespace orv;
using orvtest::LoadedMain;

namespace {

// A pencil stroke with the left button across the picture of `form`, as the user drags it.
void drawStroke(frmDocument *form)
{
    QWidget *pic = form->Picture1View();
    QTest::mousePress(pic, Qt::LeftButton, {}, QPoint(4, 6));
    for (int x = 5; x <= 30; x += 5)
        QTest::mouseMove(pic, QPoint(x, 6 + x / 5));
    QTest::mouseRelease(pic, Qt::LeftButton, {}, QPoint(30, 12));
}

bool waitForRecords(int n)
{
    return QTest::qWaitFor([n] { return readRecords().size() == n; }, 10000);
}

// The child process: a new picture, one stroke; once its copy is on disk, a reference copy of the
// committed picture is written and "ready" said.
int runChild()
{
    LoadedMain main;
    main.show();
    StartRecovery(&main);
    frmDocument *form = main.NewDocument();
    main.state().currentTool = QStringLiteral("Pencil");
    main.state().foreColour = 0x0000FF;
    drawStroke(form);
    if (!waitForRecords(1))
        return 3;
    form->doc().PicOrg.Image().save(qEnvironmentVariable("ORV_RECOVERY_EXPECT"), "PNG");
    fputs("ready\n", stdout);
    fflush(stdout);
    return QApplication::exec();
}

// Answers the next message box with the given button, as the user clicks it.
void answerNextBox(QMessageBox::StandardButton which, QString *text)
{
    QTimer::singleShot(50, [which, text] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return answerNextBox(which, text);
        *text = box->text();
        box->button(which)->click();
    });
}

} // namespace

class TestRecovery : public orvtest::FreshSettingsTest {
    Q_OBJECT
    QTemporaryDir m_state;
private slots:
    void init()
    {
        FreshSettingsTest::init();
        QVERIFY(m_state.isValid());
        qputenv("XDG_STATE_HOME", m_state.path().toLocal8Bit());
        QDir(RecoveryFolder()).removeRecursively();
    }

    void killedEditorGivesThePictureBack()
    {
        const QString expect = m_state.filePath(QStringLiteral("expect.png"));
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORV_RECOVERY_CHILD"), QStringLiteral("1"));
        env.insert(QStringLiteral("ORV_RECOVERY_EXPECT"), expect);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_settings->path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted());
        QVERIFY2(child.waitForReadyRead(20000), child.readAllStandardError().constData());
        QCOMPARE(child.readAllStandardOutput(), QByteArray("ready\n"));
        child.kill();   // SIGKILL: nothing of the editor runs any more
        QVERIFY(child.waitForFinished() && child.exitStatus() == QProcess::CrashExit);
        QCOMPARE(readRecords().size(), 1);
        const QImage drawn = QImage(expect).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!drawn.isNull());
        // The next start: Yes brings the picture back, unsaved, exactly as it was drawn.
        LoadedMain main;
        main.show();
        QString asked;
        answerNextBox(QMessageBox::Yes, &asked);
        StartRecovery(&main);
        QVERIFY2(asked.contains(QStringLiteral("one picture unsaved")), qPrintable(asked));
        QCOMPARE(main.documents().size(), 1);
        const Document &doc = main.documents().front()->doc();
        QVERIFY(doc.SaveReq() && doc.Tag == QStringLiteral("UnRegister"));
        QCOMPARE(doc.Picture1.Image().convertToFormat(QImage::Format_RGB32), drawn);
        QVERIFY(drawn.pixelColor(4, 6) == QColor(255, 0, 0));   // the stroke is there
        // The old copy is gone; the recovered picture, still unsaved, is kept again.
        QVERIFY(waitForRecords(1) && !readRecords().front().id.isEmpty());
    }

    void declinedCopiesAndCleanCloseLeaveNothing()
    {
        {
            auto main = std::make_unique<LoadedMain>();
            main->show();
            StartRecovery(main.get());
            frmDocument *form = main->NewDocument();
            main->state().currentTool = QStringLiteral("Pencil");
            drawStroke(form);
            QVERIFY(waitForRecords(1));
            // Saved (the document no longer asks to be saved): its copy goes.
            form->doc().setSaveReq(false);
            QVERIFY(waitForRecords(0));
            drawStroke(form);
            form->doc().setSaveReq(true);
            QVERIFY(waitForRecords(1));
            main->answerMessages(Msg::No);
            main.reset();   // a clean end
        }
        QCOMPARE(readRecords().size(), 0);
        // A copy left behind and declined is removed.
        {
            LoadedMain first;
            StartRecovery(&first);
            drawStroke(first.NewDocument());
            QVERIFY(waitForRecords(1));
            LoadedMain second;
            QString asked;
            answerNextBox(QMessageBox::No, &asked);
            StartRecovery(&second);
            QVERIFY(!asked.isEmpty() && second.documents().isEmpty());
            QCOMPARE(QDir(RecoveryFolder()).entryList(QDir::Files).size(), 0);
            first.answerMessages(Msg::No);
            first.documents().front()->doc().setSaveReq(false);
        }
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("ORV_RECOVERY_CHILD"))
        return runChild();
    TestRecovery t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_recovery.moc"
