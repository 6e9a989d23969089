// The File menu driven offscreen, its dialogs answered by hooks, and the New Image dialog. Bad files: tst_hostile.
#include "filehelpers.h"

#include "app/PrintLayout.h"
#include "app/RecentFiles.h"
#include "base/AppInfo.h"
#include "base/ImageFiles.h"
#include "base/PictureLoader.h"
#include "base/ResStrings.h"
#include "base/SettingsStore.h"
#include "dialogs/NewImageRules.h"
#include "dialogs/frmNewImage.h"
#include "document/frmDocument.h"

#include <QPrinter>

using namespace orv;
using namespace orvtest;

namespace {

// Width, height and bit depth from a bitmap file's header.
QList<int> bmpHeader(const QByteArray &b)
{
    if (b.size() < 54 || !b.startsWith("BM"))
        return {};
    const auto *p = reinterpret_cast<const uchar *>(b.constData());
    return {qFromLittleEndian<qint32>(p + 18), qFromLittleEndian<qint32>(p + 22), qFromLittleEndian<quint16>(p + 28)};
}

QStringList recentCaptions(frmMain &w)
{
    QStringList out;
    for (int i = 1; i <= 6; ++i) {
        QAction *a = w.menuItem(QStringLiteral("mnuFileMRU(%1)").arg(i));
        out << (a->isVisible() ? a->text() : QString());
    }
    return out;
}

// A file dialog request as "title|file name|filter index|extension|filter" ("*" for the file filter).
QString asked(const FileDialogRequest &r)
{
    return QStringList{r.title, r.fileName, QString::number(r.filterIndex), r.defaultExt,
                       r.filter == LoadResString(1172) ? QStringLiteral("*") : r.filter}.join(QLatin1Char('|'));
}

// A document as "caption|tag|saved" (or "unsaved" while it asks to be saved).
QString state(const Document &d)
{
    return QStringList{d.Caption, d.Tag, d.SaveReq() ? QStringLiteral("unsaved") : QStringLiteral("saved")}.join(QLatin1Char('|'));
}

// The New Image dialog as the user sees it; "controls wrong" when the enabled controls do not match the option.
QString shown(frmNewImage &d)
{
    const bool preset = d.Option1(0)->isChecked();
    QString s = preset ? QStringLiteral("preset %1 of %2").arg(d.Combo1()->currentIndex()).arg(d.Combo1()->count()) : QStringLiteral("custom");
    s += QStringLiteral(", %1x%2").arg(d.TxtWidth()->text(), d.TxtHeight()->text());
    if (d.Combo1()->isEnabled() != preset || d.TxtWidth()->isEnabled() == preset || d.Frame1()->isEnabled() == preset)
        s += QStringLiteral(", controls wrong");
    return d.Cancelled() ? s + QStringLiteral(", cancelled") : s;
}

} // namespace

class TestFiles : public QObject {
    Q_OBJECT
    std::unique_ptr<Scratch> m;
private slots:
    void init() { m = std::make_unique<Scratch>(); }
    void cleanup() { m.reset(); }

    void newImageSizeRules()
    {
        QVERIFY(NewImagePresetText(7).isNull() && !NewImagePresetSize(-1));
        // Halves to even; a unit after the number is ignored.
        const std::tuple<const char *, const char *, QSize> sizes[] = {
            {"1", "1", {1, 1}}, {"1024", "1024", {1024, 1024}}, {"100.5", "101.5", {100, 102}},
            {"12px", " 30", {12, 30}}, {"1023.6", "999.9", {1024, 1000}}, {"0", "10", {}}, {"10", "1025", {}},
            {"-5", "10", {}}, {"abc", "10", {}}, {"", "10", {}}, {"10", "0.5", {}}, {"1024.5", "10", {}}};
        for (const auto &[w, h, size] : sizes)
            QCOMPARE(ParseCustomImageSize(QLatin1String(w), QLatin1String(h)).value_or(QSize()), size);
    }

    void newImageThroughTheDialog()
    {
        const auto stored = [](const QStringList &keys) {
            QStringList out;
            for (const QString &k : keys)
                out << GetSetting(AppTitle(), QStringLiteral("Settings"), k, QStringLiteral("none"));
            return out;
        };
        LoadedMain w;
        const auto chosen = [&] { return QSize(w.state().options.NewFileWidth, w.state().options.NewFileHeight); };
        // File > New with the dialog used by `use`: the size of the picture it made, none when it made none.
        const auto newImage = [&](const std::function<void(frmNewImage &)> &use) {
            const qsizetype before = w.documents().size();
            w.newImageHook = use;
            w.choose(QStringLiteral("mnuFileNew"));
            return w.documents().size() == before + 1 ? w.ActiveForm()->doc().Picture1.size() : QSize();
        };
        const auto custom = [](frmNewImage &dlg, const char *width, const char *height) {
            dlg.Option1(1)->click();
            dlg.TxtWidth()->setText(QLatin1String(width));
            dlg.TxtHeight()->setText(QLatin1String(height));
            dlg.Command1()->click();
        };
        QList<Message> messages;
        const auto answered = [&](frmNewImage &dlg) {
            dlg.msgBoxHook = [&](const QString &t, int s, const QString &ti) { messages << Message{t, s, ti}; return 1; };
        };
        // Out of range: message, dialog stays, nothing saved, the cancel flag is down; closed then, no picture.
        QCOMPARE(newImage([&](frmNewImage &dlg) {
            QCOMPARE(dlg.windowTitle(), QStringLiteral("New Image"));
            QCOMPARE(shown(dlg), QStringLiteral("preset 0 of 7, 640x480, cancelled"));
            answered(dlg);
            custom(dlg, "1025", "10");
            QCOMPARE(messages, (QList<Message>{{"Image size must be between 1 to 1024 pixels", 16, "Error"}}));
            QCOMPARE(shown(dlg), QStringLiteral("custom, 1025x10"));
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
        }), QSize());
        QCOMPARE(stored({"Manual"}), QStringList{"none"});
        // A valid custom size, rounded half to even; the dialog opened as before the refusal.
        QCOMPARE(newImage([&](frmNewImage &dlg) {
            QCOMPARE(shown(dlg), QStringLiteral("preset 0 of 7, 640x480, cancelled"));
            answered(dlg);
            custom(dlg, "100.5", "101.5");
        }), QSize(100, 102));
        QCOMPARE(messages.size(), 1);
        QCOMPARE(state(w.ActiveForm()->doc()), QStringLiteral("Image1|UnRegister|saved"));
        QCOMPARE(stored({"Manual", "NewFileWidth", "NewFileHeight"}), (QStringList{"True", "100", "102"}));
        // Opens in the custom mode with the stored texts; a preset now.
        QCOMPARE(newImage([&](frmNewImage &dlg) {
            QCOMPARE(shown(dlg), QStringLiteral("custom, 100x102, cancelled"));
            dlg.Option1(0)->click();
            dlg.Combo1()->setCurrentIndex(6);
            dlg.Command1()->click();
        }), QSize(640, 70));
        QCOMPARE(stored({"Manual", "ListIndex", "NewFileWidth", "NewFileHeight"}), (QStringList{"False", "6", "640", "70"}));
        // Back in preset mode on the same entry; Cancel changes nothing.
        QCOMPARE(newImage([&](frmNewImage &dlg) {
            QCOMPARE(shown(dlg), QStringLiteral("preset 6 of 7, 640x70, cancelled"));
            dlg.Combo1()->setCurrentIndex(1);
            dlg.Command2()->click();
        }), QSize());
        QVERIFY(chosen() == QSize(640, 70) && stored({"ListIndex"}) == QStringList{"6"});
        // Enter in the width moves on to the height; Enter there is OK.
        QCOMPARE(newImage([&](frmNewImage &dlg) {
            dlg.Option1(1)->click();
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            dlg.activateWindow();
            dlg.TxtWidth()->setFocus();
            dlg.TxtWidth()->setText(QStringLiteral("33"));
            QTest::keyClick(dlg.TxtWidth(), Qt::Key_Return);
            QVERIFY(dlg.TxtHeight()->hasFocus() && dlg.isVisible());
            dlg.TxtHeight()->setText(QStringLiteral("44"));
            QTest::keyClick(dlg.TxtHeight(), Qt::Key_Enter);
            QVERIFY(!dlg.isVisible() && !dlg.Cancelled());
        }), QSize(33, 44));
        w.answerMessages(Msg::No);
    }

    void loaderReadsFormatsByContent()
    {
        const QImage pic = testPicture(37, 21);   // a PNG named .bmp and a bitmap named .jpg
        const QString png = m->path(QStringLiteral("really-png.bmp")), bmp = m->path(QStringLiteral("really-bmp.jpg"));
        QVERIFY(pic.save(png, "PNG") && SavePicture(pic, bmp));
        for (const QString &path : {png, bmp})
            QCOMPARE(LoadPicture(path).convertToFormat(QImage::Format_RGB32), pic);
        // An ordinary large photo size passes the allocation limit.
        QImage big(8000, 5000, QImage::Format_RGB32);
        big.fill(Qt::darkGreen);
        QVERIFY(big.save(m->path(QStringLiteral("big.png")), "png", 90));
        big = QImage();
        QCOMPARE(LoadPicture(m->path(QStringLiteral("big.png"))).size(), QSize(8000, 5000));
    }

    void openShowsPictureAndUpdatesRecentList()
    {
        const QImage pic = testPicture(100, 80);
        const QString path = m->path(QStringLiteral("photo.jpg"));
        QVERIFY(pic.save(path, "PNG"));   // the contents, not the name, decide
        LoadedMain w;
        w.resize(1200, 900);
        w.show();
        QList<FileDialogRequest> requests;
        w.openFileHook = [&](const FileDialogRequest &r) { requests << r; return path; };
        w.choose(QStringLiteral("mnuFileOpen"));
        QVERIFY(requests.size() == 1 && w.documents().size() == 1);
        QCOMPARE(asked(requests[0]), QStringLiteral("Open||1|bmp|*"));
        frmDocument *form = w.ActiveForm();
        Document &doc = form->doc();
        QCOMPARE(state(doc), path + QStringLiteral("|Register|saved"));
        QCOMPARE(form->subWindow()->windowTitle(), path);
        QVERIFY(doc.IsImageWindow && doc.PicOrg.Image() == pic);
        QCOMPARE(doc.Picture1.Image(), pic);
        // The window takes the picture's HiMetric size as twips: 100 x 80 pixels -> 176 x 141.
        QCOMPARE(form->subWindow()->size(), QSize(176, 141));
        QCOMPARE(recentCaptions(w), (QStringList{path, {}, {}, {}, {}, {}}));
        QVERIFY(w.menuItem(QStringLiteral("mnuFileBar5"))->isVisible());
        // The same file again: a second window, the list unchanged.
        w.choose(QStringLiteral("mnuFileOpen"));
        QCOMPARE(w.documents().size(), 2);
        QCOMPARE(recentCaptions(w), (QStringList{path, {}, {}, {}, {}, {}}));
        // With the documents maximized a newly opened one keeps the maximized size.
        w.ActiveForm()->subWindow()->showMaximized();
        w.choose(QStringLiteral("mnuFileOpen"));
        QCOMPARE(w.documents().size(), 3);
        QCOMPARE(w.ActiveForm()->WindowState(), 2);
        w.openPath(QString());   // cancelled: nothing changes
        QCOMPARE(w.documents().size(), 3);
    }

    void recentFileChosen()
    {
        QStringList paths;   // the last differs from the one before only in case: an entry of its own
        for (int i = 0; i < 7; ++i) {
            paths << m->path(QStringLiteral("%1%2.bmp").arg(i == 6 ? 'P' : 'p').arg(std::min(i, 5)));
            QVERIFY(SavePicture(testPicture(10 + i, 10), paths.last()));
        }
        const QStringList newestFirst{paths[6], paths[5], paths[4], paths[3], paths[2], paths[1]};
        {
            LoadedMain w;
            for (const QString &p : paths)
                w.openPath(p);
            QCOMPARE(recentCaptions(w), newestFirst);
            w.answerMessages(Msg::No);
            w.close();
        }
        // The list survives a restart.
        LoadedMain w;
        QCOMPARE(recentCaptions(w), newestFirst);
        QVERIFY(w.menuItem(QStringLiteral("mnuFileBar5"))->isVisible());
        QList<Message> messages;
        w.answerMessages(1, &messages);
        w.choose(QStringLiteral("mnuFileMRU(3)"));
        QCOMPARE(w.documents().size(), 1);
        QCOMPARE(state(w.ActiveForm()->doc()), paths[4] + QStringLiteral("|Register|saved"));
        QCOMPARE(w.ActiveForm()->doc().Picture1.Image().size(), QSize(14, 10));
        QCOMPARE(recentCaptions(w), newestFirst);   // already listed: not moved to the top
        // A file that has gone: nothing opens, the user is told why, the entry stays.
        QVERIFY(QFile::remove(paths[5]));
        w.choose(QStringLiteral("mnuFileMRU(2)"));
        QVERIFY(w.documents().size() == 1 && messages.size() == 1);
        QCOMPARE(recentCaptions(w), newestFirst);
    }

    void saveWritesBitmapWhateverTheNameRenameUnregisters()
    {
        LoadedMain w;
        // Rename without a document (the menu item is off then): the message, OK only, the title.
        QList<Message> messages;
        w.answerMessages(1, &messages);
        w.mnuFileRename_Click();
        QCOMPARE(messages, (QList<Message>{{"Active window not present", 0, AppTitle()}}));
        w.state().options.NewFileWidth = 30;
        w.state().options.NewFileHeight = 20;
        w.NewDocument();
        Document &doc = w.ActiveForm()->doc();
        doc.setSaveReq(true);
        const QString target = m->path(QStringLiteral("picture.jpg"));
        QList<FileDialogRequest> requests;
        w.saveFileHook = [&](const FileDialogRequest &r) { requests << r; return target; };
        w.choose(QStringLiteral("mnuFileSave"));   // untitled: goes to Save As
        QCOMPARE(requests.size(), 1);
        QCOMPARE(asked(requests[0]), QStringLiteral("Save As...|Image1|7|bmp|*"));
        QCOMPARE(bmpHeader(readFile(target)), (QList<int>{30, 20, 24}));   // a 24-bit bitmap
        QCOMPARE(state(doc), target + QStringLiteral("|Register|saved"));
        QCOMPARE(recentCaptions(w)[0], target);
        // Save on a registered document writes PicOrg to the caption's path without asking.
        QImage changed = doc.PicOrg.Image();
        changed.fill(qRgb(10, 200, 30));
        doc.PicOrg.setPicture(changed);
        doc.setSaveReq(true);
        w.choose(QStringLiteral("mnuFileSave"));
        QVERIFY(requests.size() == 1 && !doc.SaveReq());
        QCOMPARE(LoadPicture(target).convertToFormat(QImage::Format_RGB32), changed.convertToFormat(QImage::Format_RGB32));
        // A name typed without an extension gets ".bmp".
        w.saveFileHook = [&](const FileDialogRequest &) { return m->path(QStringLiteral("plain")); };
        w.choose(QStringLiteral("mnuFileSaveAs"));
        const QString path = m->path(QStringLiteral("plain.bmp"));
        QVERIFY(doc.Caption == path && QFile::exists(path));
        // Renamed, the document is no longer registered: Save goes through Save As with the new name.
        QStringList prompts;
        w.inputBoxHook = [&](const QString &p, const QString &t, const QString &d) { prompts << p << t << d; return QStringLiteral("Holiday"); };
        w.choose(QStringLiteral("mnuFileRename"));
        QCOMPARE(prompts, (QStringList{"Input new name", "Rename", path}));
        QCOMPARE(state(doc), QStringLiteral("Holiday|UnRegister|saved"));
        requests.clear();
        w.saveFileHook = [&](const FileDialogRequest &r) { requests << r; return QString(); };   // cancelled
        doc.setSaveReq(true);
        w.choose(QStringLiteral("mnuFileSave"));
        QVERIFY(requests.size() == 1 && requests[0].fileName == QStringLiteral("Holiday"));
        QCOMPARE(state(doc), QStringLiteral("Holiday|UnRegister|unsaved"));
        // The close question's Yes also goes to Save As; cancelled there, the window stays.
        w.answerMessages(Msg::Yes);
        w.choose(QStringLiteral("mnuFileClose"));
        QVERIFY(requests.size() == 2 && w.documents().size() == 1);
        // Cancelling the rename box leaves an empty caption.
        w.inputBoxHook = [](const QString &, const QString &, const QString &) { return QString(); };
        w.choose(QStringLiteral("mnuFileRename"));
        QCOMPARE(doc.Caption, QString());
        w.answerMessages(Msg::No);
    }

    void printPlacesPicture()
    {
        // At 288 dpi, 100 twips is 20 device pixels and one screen pixel is 3.
        QCOMPARE(PrintedPictureRect(QSize(96, 48), 1200, 600), QRect(83, 42, 1200, 300));
        QImage page(60, 40, QImage::Format_RGB32);
        page.fill(Qt::white);
        QImage pic(4, 2, QImage::Format_RGB32);
        pic.fill(qRgb(200, 0, 0));
        {
            QPainter p(&page);
            PaintPictureOnPage(p, pic, 288, 288);
        }
        const auto got = [&](int x, int y) { return reinterpret_cast<const QRgb *>(page.constScanLine(y))[x]; };
        const auto want = [](int x, int y) { return QRect(20, 20, 12, 6).contains(x, y) ? qRgb(200, 0, 0) : qRgb(255, 255, 255); };
        QCOMPARE(firstDifference(60, 40, got, want), QString());
        // The whole command, to a PDF file: one page holding a picture of the document's size.
        LoadedMain w;
        const QString pdf = m->path(QStringLiteral("out.pdf"));
        w.printer().setOutputFormat(QPrinter::PdfFormat);
        w.printer().setOutputFileName(pdf);
        w.mnuFilePrint_Click();   // no document (the menu item is off then): no page at all
        QVERIFY(!QFile::exists(pdf));
        w.state().options.NewFileWidth = 77;
        w.state().options.NewFileHeight = 33;
        w.NewDocument();
        w.choose(QStringLiteral("mnuFilePrint"));
        const QByteArray bytes = readFile(pdf);
        QVERIFY(bytes.startsWith("%PDF-") && bytes.contains("/Subtype /Image") && bytes.contains("/Width 77") && bytes.contains("/Height 33"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), qsizetype(1));
        w.answerMessages(Msg::No);
    }

    void commandLineFiles()
    {
        const QString a = m->path(QStringLiteral("a.bmp")), b = m->path(QStringLiteral("b.png")), bad = m->path(QStringLiteral("bad.bmp"));
        QVERIFY(SavePicture(testPicture(11, 7), a) && testPicture(5, 6).save(b) && writeFile(bad, "BMnonsense"));
        LoadedMain w;
        QList<Message> messages;
        w.answerMessages(1, &messages);
        // A relative name is taken from the current folder and shown as a full path.
        const QString old = QDir::currentPath();
        QDir::setCurrent(m->dir.path());
        w.openFiles({QStringLiteral("a.bmp"), bad, b});
        QDir::setCurrent(old);
        QVERIFY(w.documents().size() == 2 && messages.size() == 1);
        QCOMPARE(w.documents()[0]->doc().Caption + w.documents()[1]->doc().Caption, a + b);
        QCOMPARE(w.documents()[1]->doc().Picture1.size(), QSize(5, 6));
        QVERIFY(messages[0].text.startsWith(LoadResString(1173)) && messages[0].text.contains(bad));
        QCOMPARE(recentCaptions(w).mid(0, 2), (QStringList{b, a}));
    }
};

QTEST_MAIN(TestFiles)
#include "tst_files.moc"
