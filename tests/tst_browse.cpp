// The image file browser: the folder's files, the pass with its progress, previews, opening a picture.
#include "uihelpers.h"
#include "aux/BrowseFolder.h"
#include "aux/frmBrowse.h"
#include "document/frmDocument.h"

using namespace orv;

namespace {
void writeImage(const QTemporaryDir &dir, const QString &name, QColor c, QSize size = {20, 10})
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(c);
    QVERIFY(img.save(dir.filePath(name)));
}

void writeBytes(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QVERIFY(!orvtest::writeFile(dir, name, bytes).isEmpty());
}
} // namespace

class TestBrowse : public QObject {
    Q_OBJECT
private slots:
    void listsMatchingFilesInOrder()
    {
        QTemporaryDir dir;
        for (const char *name : {"b.BMP", "a.jpg", "C.gif", "notes.txt", "d.png", "e.jpeg", "f.ico", "g.cur", "h.dib", "i.wmf"})
            writeBytes(dir, QString::fromLatin1(name), "x");
        QCOMPARE(BrowseFolderFiles(dir.path()), (QStringList{"a.jpg", "b.BMP", "C.gif", "e.jpeg", "f.ico", "g.cur", "h.dib", "i.wmf"}));
        QVERIFY(BrowseFolderFiles(dir.filePath(QStringLiteral("missing"))).isEmpty() && BrowseFolderFiles(QString()).isEmpty());
    }

    // A damaged file is passed over and leaves the preview; so does an empty folder.
    void folderPassSkipsDamagedFiles()
    {
        QTemporaryDir dir;
        writeImage(dir, QStringLiteral("a.bmp"), Qt::red);
        writeBytes(dir, QStringLiteral("b.jpg"), QByteArray("\xFF\xD8\xFF\xE0 not really a jpeg"));
        writeImage(dir, QStringLiteral("c.bmp"), Qt::blue);
        writeBytes(dir, QStringLiteral("d.gif"), QByteArray());   // empty file
        writeBytes(dir, QStringLiteral("e.wmf"), QByteArray(5000, '\x7f'));
        frmBrowse w;
        w.show();
        // At every step: the bar shown, its range the file count, the preview the last file so far that loaded.
        QStringList seen;
        connect(w.ProgBar1(), &QProgressBar::valueChanged, &w, [&](int value) {
            seen << QStringLiteral("%1 %2 %3/%4").arg(value).arg(QFileInfo(w.previewFile()).fileName(),
                                                                  w.ProgBar1()->isHidden() ? "hidden" : "shown").arg(w.ProgBar1()->maximum());
        });
        w.setPath(dir.path());
        QCOMPARE(seen, (QStringList{"0 a.bmp shown/5", "1 a.bmp shown/5", "2 c.bmp shown/5", "3 c.bmp shown/5", "4 c.bmp shown/5"}));
        QVERIFY(!w.passRunning() && w.ProgBar1()->isHidden());
        QCOMPARE(w.progressSteps(), (QList<int>{0, 1, 2, 3, 4}));
        QCOMPARE(w.previewFile(), dir.filePath(QStringLiteral("c.bmp")));   // the last file that loaded
        QVERIFY(w.preview().pixelColor(0, 0) == QColor(Qt::blue) && !w.Picture2()->pixmap().isNull());
        const QList<QListWidgetItem *> damaged = w.File1()->findItems(QStringLiteral("b.jpg"), Qt::MatchExactly);
        QTest::mouseClick(w.File1()->viewport(), Qt::LeftButton, {}, w.File1()->visualItemRect(damaged.value(0)).center());
        QCOMPARE(w.previewFile(), dir.filePath(QStringLiteral("c.bmp")));
        QTemporaryDir empty;
        w.setPath(empty.path());
        QVERIFY(!w.passRunning() && w.progressSteps().isEmpty() && w.ProgBar1()->isHidden() && w.File1()->count() == 0);
        QCOMPARE(w.preview().pixelColor(0, 0), QColor(Qt::blue));
    }

    void driveChangeSetsTheCurrentFolder()
    {
        // The root drive picked with the keyboard: the lists follow and the process works there.
        frmBrowse w;
        w.show();
        QComboBox *drives = w.Drive1();
        const int root = drives->findData(QStringLiteral("/"));
        QVERIFY(root >= 0);
        if (drives->count() < 2)
            QSKIP("this machine lists a single drive, so the choice cannot change");
        const QString before = QDir::currentPath();
        QTemporaryDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        drives->setCurrentIndex(root > 0 ? root - 1 : root + 1);
        drives->setFocus();
        QTest::keyClick(drives, root > 0 ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(drives->currentIndex(), root);
        QCOMPARE(QDir::currentPath(), QStringLiteral("/"));
        QCOMPARE(w.path(), QStringLiteral("/"));
        QDir::setCurrent(before);
    }

    void clickPreviewsDoubleClickOpens()
    {
        orvtest::PrivateSettings settings;
        QTemporaryDir dir;
        writeImage(dir, QStringLiteral("green.bmp"), Qt::green, {33, 17});
        writeImage(dir, QStringLiteral("red.bmp"), Qt::red, {12, 8});
        orvtest::LoadedMain m;
        m.show();
        m.setGeometry(600, 400, 900, 600);
        m.choose(QStringLiteral("mnuViewBrowse"));
        frmBrowse *w = m.imageBrowser();
        m.choose(QStringLiteral("mnuViewBrowse"));
        QVERIFY(w && m.imageBrowser() == w);   // one image browser, brought to the front
        QVERIFY(m.geometry().contains(w->geometry().center()));   // opened over the main window
        w->setDirPath(dir.path());
        QTRY_COMPARE(w->path(), dir.path());
        QTRY_VERIFY(!w->passRunning());
        QCOMPARE(w->File1()->count(), 2);
        QListWidgetItem *green = w->File1()->item(0);
        QCOMPARE(green->text(), QStringLiteral("green.bmp"));
        const QRect r = w->File1()->visualItemRect(green);
        QTest::mouseClick(w->File1()->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(w->preview().pixelColor(0, 0), QColor(Qt::green));
        QTest::mouseDClick(w->File1()->viewport(), Qt::LeftButton, {}, r.center());
        QTRY_COMPARE(m.documents().size(), 1);
        frmDocument *doc = m.documents().first();
        QCOMPARE(doc->doc().Picture1.size(), QSize(33, 17));
        QCOMPARE(doc->doc().Tag, QStringLiteral("Register"));
        m.close();
    }

    void largeFolderKeepsWindowResponsive()
    {
        // Copies of a picture that takes a few milliseconds to read, doubled until a pass left
        // alone lasts well beyond the window's 100 ms between events on this machine; such a
        // pass goes through every picture and ends on the last one.
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("p0000.jpg"));
        QVERIFY(orvtest::testPicture(900, 900).save(first, nullptr, 50));
        frmBrowse w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        int count = 1;
        for (QElapsedTimer pass;; count *= 2) {
            pass.start();
            w.setPath(dir.path());
            QCOMPARE(w.progressSteps().size(), count);
            QCOMPARE(QFileInfo(w.previewFile()).fileName(), QStringLiteral("p%1.jpg").arg(count - 1, 4, 10, QLatin1Char('0')));
            if (pass.elapsed() >= 400)
                break;
            QVERIFY(count < 4096);
            for (int i = count; i < 2 * count; ++i)
                QVERIFY(QFile::copy(first, dir.filePath(QStringLiteral("p%1.jpg").arg(i, 4, 10, QLatin1Char('0')))));
        }

        // A timer ticks while the pass runs; at its first tick another folder replaces the pass.
        QTemporaryDir other;
        int ticksDuringPass = 0, stepsWhenReplaced = -1;
        QTimer ticker;
        ticker.setInterval(5);
        connect(&ticker, &QTimer::timeout, &w, [&] {
            if (!w.passRunning())
                return;
            ++ticksDuringPass;
            if (stepsWhenReplaced < 0) {
                stepsWhenReplaced = int(w.progressSteps().size());
                w.setPath(other.path());
            }
        });
        ticker.start();
        w.setPath(dir.path());
        ticker.stop();
        QVERIFY(ticksDuringPass > 0);
        QVERIFY2(stepsWhenReplaced > 0 && stepsWhenReplaced < count, qPrintable(QString::number(stepsWhenReplaced)));
        QVERIFY(w.path() == other.path() && w.File1()->count() == 0 && !w.passRunning() && w.ProgBar1()->isHidden());
    }
};

QTEST_MAIN(TestBrowse)
#include "tst_browse.moc"
