// The image file browser: listing a folder by its pattern, the folder pass with its progress
// steps, damaged files skipped, previews and opening a picture as a document.
#include "testsupport.h"

#include "app/frmMain.h"
#include "aux/BrowseFolder.h"
#include "aux/frmBrowse.h"
#include "document/frmDocument.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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
    QFile f(dir.filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
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
        QCOMPARE(BrowseFolderFiles(dir.path()),
                 (QStringList{"a.jpg", "b.BMP", "C.gif", "e.jpeg", "f.ico", "g.cur", "h.dib", "i.wmf"}));
        QVERIFY(BrowseFolderFiles(dir.filePath(QStringLiteral("missing"))).isEmpty());
        QVERIFY(BrowseFolderFiles(QString()).isEmpty());
        QCOMPARE(BrowsePattern(), QStringLiteral("*.jpg;*.gif;*.jpeg;*.dib;*.ico;*.cur;*.bmp;*.wmf"));
    }

    void emptyFolderLeavesPreview()
    {
        QTemporaryDir full, empty;
        writeImage(full, QStringLiteral("one.bmp"), Qt::red);
        frmBrowse w;
        QSignalSpy done(&w, &frmBrowse::passFinished);
        w.setPath(full.path());
        QTRY_VERIFY(!w.passRunning());
        QCOMPARE(w.preview().pixelColor(0, 0), QColor(Qt::red));
        w.setPath(empty.path());
        QVERIFY(!w.passRunning());
        QVERIFY(w.progressSteps().isEmpty());
        QVERIFY(w.ProgBar1()->isHidden());
        QCOMPARE(w.File1()->count(), 0);
        QCOMPARE(w.preview().pixelColor(0, 0), QColor(Qt::red));
    }

    void folderPassSkipsDamagedFiles()
    {
        QTemporaryDir dir;
        writeImage(dir, QStringLiteral("a.bmp"), Qt::red);
        writeBytes(dir, QStringLiteral("b.jpg"), QByteArray("\xFF\xD8\xFF\xE0 not really a jpeg", 24));
        writeImage(dir, QStringLiteral("c.bmp"), Qt::blue);
        writeBytes(dir, QStringLiteral("d.gif"), QByteArray());   // empty file
        writeBytes(dir, QStringLiteral("e.wmf"), QByteArray(5000, '\x7f'));
        frmBrowse w;
        w.show();
        w.setPath(dir.path());
        QVERIFY(w.passRunning());
        QVERIFY(!w.ProgBar1()->isHidden());
        QCOMPARE(w.ProgBar1()->minimum(), 0);
        QCOMPARE(w.ProgBar1()->maximum(), 5);
        QTRY_VERIFY(!w.passRunning());
        QCOMPARE(w.progressSteps(), (QList<int>{0, 1, 2, 3, 4}));
        QVERIFY(w.ProgBar1()->isHidden());
        // The preview ends on the last file that loaded.
        QCOMPARE(w.previewFile(), dir.filePath(QStringLiteral("c.bmp")));
        QCOMPARE(w.preview().pixelColor(0, 0), QColor(Qt::blue));
        QVERIFY(!w.Picture2()->pixmap().isNull());
        // Clicking a damaged file leaves the preview as it was.
        w.File1_Click(QStringLiteral("b.jpg"));
        QCOMPARE(w.previewFile(), dir.filePath(QStringLiteral("c.bmp")));
    }

    void clickPreviewsDoubleClickOpens()
    {
        orvtest::PrivateSettings settings;
        QTemporaryDir dir;
        writeImage(dir, QStringLiteral("green.bmp"), Qt::green, {33, 17});
        writeImage(dir, QStringLiteral("red.bmp"), Qt::red, {12, 8});
        frmMain m;
        m.MDIForm_Load();
        m.show();
        frmBrowse *w = m.mnuViewBrowse_Click();
        QVERIFY(w);
        QCOMPARE(m.mnuViewBrowse_Click(), w);   // one image browser, brought to the front
        QCOMPARE(m.menuItem(QStringLiteral("mnuViewBrowse"))->text(), QStringLiteral("&Browse..."));
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
        QTemporaryDir dir;
        QImage img(64, 64, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        for (int i = 0; i < 500; ++i)
            QVERIFY(img.save(dir.filePath(QStringLiteral("p%1.bmp").arg(i, 3, 10, QLatin1Char('0')))));
        frmBrowse w;
        w.show();
        w.setPath(dir.path());
        // The pass runs one picture per turn of the event loop, so events posted meanwhile are
        // handled while it runs, and choosing another folder replaces it at once.
        int handled = 0;
        int turns = 0;
        while (w.passRunning() && turns < 100) {
            QTimer::singleShot(0, &w, [&] { ++handled; });
            QCoreApplication::processEvents();
            ++turns;
        }
        QCOMPARE(handled, turns);
        QVERIFY(w.passRunning());
        QVERIFY(w.progressSteps().size() < 500);
        QTemporaryDir other;
        w.setPath(other.path());
        QVERIFY(!w.passRunning());
        w.setPath(dir.path());
        QTRY_VERIFY_WITH_TIMEOUT(!w.passRunning(), 120000);
        QCOMPARE(w.progressSteps().size(), 500);
    }
};

QTEST_MAIN(TestBrowse)
#include "tst_browse.moc"
