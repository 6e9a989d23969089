// File commands: the recent-file rule, the new-image size rules and dialog, reading pictures,
// and the File menu of the main window driven offscreen with its
// dialogs answered by hooks: open, recent files, rename, save, save as, print to PDF and
// files from the command line. Bad files and failing saves are in tst_hostile.
#include "filehelpers.h"
#include "testsupport.h"

#include "base/AppInfo.h"
#include "base/ImageFiles.h"
#include "base/PictureLoader.h"
#include "app/PrintLayout.h"
#include "app/RecentFiles.h"
#include "base/ResStrings.h"
#include "base/SettingsStore.h"
#include "app/frmMain.h"
#include "dialogs/NewImageRules.h"
#include "dialogs/frmNewImage.h"
#include "document/frmDocument.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QFile>
#include <QImageWriter>
#include <QLineEdit>
#include <QMdiArea>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <memory>

using namespace orv;
using namespace orvtest;

namespace {

struct BmpHeader {
    int width = 0, height = 0, bits = 0;
};

BmpHeader bmpHeader(const QByteArray &b)
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

} // namespace

class TestFiles : public QObject {
    Q_OBJECT
    // A settings folder and a scratch folder of their own for every test.
    std::unique_ptr<orvtest::PrivateSettings> m_settings;
    std::unique_ptr<QTemporaryDir> m_dir;
private slots:
    void init()
    {
        m_settings = std::make_unique<orvtest::PrivateSettings>();
        m_dir = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        m_dir.reset();
        m_settings.reset();
    }

    void recentListRule()
    {
        RecentList list;
        QVERIFY(UpdateRecentList(list, QStringLiteral("/a.bmp")));
        QVERIFY(UpdateRecentList(list, QStringLiteral("/b.bmp")));
        QCOMPARE(list[1].caption, QStringLiteral("/b.bmp"));
        QCOMPARE(list[2].caption, QStringLiteral("/a.bmp"));
        QVERIFY(!list[3].visible);
        // Present already: nothing moves, not even to the top.
        QVERIFY(!UpdateRecentList(list, QStringLiteral("/a.bmp")));
        QCOMPARE(list[1].caption, QStringLiteral("/b.bmp"));
        // The comparison is exact: another case is another entry.
        QVERIFY(UpdateRecentList(list, QStringLiteral("/A.bmp")));
        QCOMPARE(list[1].caption, QStringLiteral("/A.bmp"));
        for (const char *p : {"/c", "/d", "/e", "/f"})
            UpdateRecentList(list, QString::fromLatin1(p));
        // Seven distinct names: the first one ("/a.bmp" in slot 6) has fallen off.
        QVERIFY(UpdateRecentList(list, QStringLiteral("/g")));
        QStringList now;
        for (int i = 1; i <= 6; ++i) {
            QVERIFY(list[std::size_t(i)].visible);
            now << list[std::size_t(i)].caption;
        }
        QCOMPARE(now, (QStringList{"/g", "/f", "/e", "/d", "/c", "/A.bmp"}));
    }

    void newImageSizeRules()
    {
        QCOMPARE(NewImagePresetText(0), QStringLiteral("320 X 200"));
        QCOMPARE(NewImagePresetText(5), QStringLiteral("1024 X 768"));
        QCOMPARE(NewImagePresetText(6), QStringLiteral("640 X 70"));
        QCOMPARE(NewImagePresetText(7), QString());
        QCOMPARE(NewImagePresetSize(3), std::optional<QSize>(QSize(640, 480)));
        QVERIFY(!NewImagePresetSize(-1));

        QCOMPARE(ParseCustomImageSize("1", "1"), std::optional<QSize>(QSize(1, 1)));
        QCOMPARE(ParseCustomImageSize("1024", "1024"), std::optional<QSize>(QSize(1024, 1024)));
        QCOMPARE(ParseCustomImageSize("100.5", "101.5"), std::optional<QSize>(QSize(100, 102)));
        QCOMPARE(ParseCustomImageSize("12px", " 30"), std::optional<QSize>(QSize(12, 30)));
        QCOMPARE(ParseCustomImageSize("1023.6", "999.9"), std::optional<QSize>(QSize(1024, 1000)));
        for (const auto &[w, h] : std::initializer_list<std::pair<const char *, const char *>>{
                 {"0", "10"}, {"10", "1025"}, {"-5", "10"}, {"abc", "10"}, {"", "10"}, {"10", "0.5"}, {"1024.5", "10"}})
            QVERIFY2(!ParseCustomImageSize(QString::fromLatin1(w), QString::fromLatin1(h)), w);
    }

    void newImageDialog()
    {
        const auto stored = [](const char *key) { return GetSetting(AppTitle(), QStringLiteral("Settings"), QLatin1String(key), QStringLiteral("none")); };
        OptionsRecord options;
        QList<Message> messages;
        {
            // First use: preset option, first list entry, the sizes of the options record.
            frmNewImage dlg(options);
            QCOMPARE(dlg.windowTitle(), QStringLiteral("New Image"));
            QVERIFY(dlg.Cancelled());
            QVERIFY(dlg.Option1(0)->isChecked());
            QVERIFY(dlg.Combo1()->isEnabled());
            QVERIFY(!dlg.TxtWidth()->isEnabled() && !dlg.Frame1()->isEnabled());
            QCOMPARE(dlg.Combo1()->count(), 7);
            QCOMPARE(dlg.Combo1()->currentIndex(), 0);
            QCOMPARE(dlg.TxtWidth()->text(), QStringLiteral("640"));
            QCOMPARE(dlg.TxtHeight()->text(), QStringLiteral("480"));

            // Out of range: message, dialog stays, nothing saved, the cancel flag is down.
            dlg.msgBoxHook = [&](const QString &t, int s, const QString &ti) { messages << Message{t, s, ti}; return 1; };
            dlg.Option1(1)->click();
            QVERIFY(dlg.TxtWidth()->isEnabled() && !dlg.Combo1()->isEnabled());
            dlg.TxtWidth()->setText(QStringLiteral("1025"));
            dlg.TxtHeight()->setText(QStringLiteral("10"));
            dlg.Command1()->click();
            QCOMPARE(messages.size(), 1);
            QCOMPARE(messages[0].text, QStringLiteral("Image size must be between 1 to 1024 pixels"));
            QCOMPARE(messages[0].style, 16);
            QCOMPARE(messages[0].title, QStringLiteral("Error"));
            QVERIFY(!dlg.Cancelled());
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
            QCOMPARE(stored("Manual"), QStringLiteral("none"));
            QCOMPARE(options.NewFileWidth, std::int16_t(640));

            // A valid custom size, rounded half to even.
            dlg.TxtWidth()->setText(QStringLiteral("100.5"));
            dlg.TxtHeight()->setText(QStringLiteral("101.5"));
            dlg.Command1()->click();
            QCOMPARE(messages.size(), 1);
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(options.NewFileWidth, std::int16_t(100));
            QCOMPARE(options.NewFileHeight, std::int16_t(102));
            QCOMPARE((QStringList{stored("Manual"), stored("NewFileWidth"), stored("NewFileHeight")}), (QStringList{"True", "100", "102"}));
        }
        {
            // Opens in the custom mode with the stored texts; a preset now.
            frmNewImage dlg(options);
            QVERIFY(dlg.Option1(1)->isChecked());
            QCOMPARE(dlg.TxtWidth()->text(), QStringLiteral("100"));
            dlg.Option1(0)->click();
            dlg.Combo1()->setCurrentIndex(6);
            dlg.Command1()->click();
            QCOMPARE(options.NewFileWidth, std::int16_t(640));
            QCOMPARE(options.NewFileHeight, std::int16_t(70));
            QCOMPARE((QStringList{stored("Manual"), stored("ListIndex"), stored("NewFileWidth"), stored("NewFileHeight")}),
                     (QStringList{"False", "6", "640", "70"}));
        }
        {
            // Back in preset mode on the same entry; Cancel changes nothing.
            frmNewImage dlg(options);
            QVERIFY(dlg.Option1(0)->isChecked());
            QCOMPARE(dlg.Combo1()->currentIndex(), 6);
            dlg.Combo1()->setCurrentIndex(1);
            dlg.Command2()->click();
            QVERIFY(dlg.Cancelled());
            QCOMPARE(options.NewFileWidth, std::int16_t(640));
            QCOMPARE(stored("ListIndex"), QStringLiteral("6"));
        }
    }

    void newImageDialogKeys()
    {
        SaveSetting(AppTitle(), QStringLiteral("Settings"), QStringLiteral("Manual"), QStringLiteral("True"));
        OptionsRecord options;
        frmNewImage dlg(options);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        dlg.TxtWidth()->setFocus();
        dlg.TxtWidth()->setText(QStringLiteral("33"));
        QTest::keyClick(dlg.TxtWidth(), Qt::Key_Return);
        QVERIFY(dlg.TxtHeight()->hasFocus());
        QVERIFY(dlg.isVisible());
        dlg.TxtHeight()->setText(QStringLiteral("44"));
        QTest::keyClick(dlg.TxtHeight(), Qt::Key_Enter);
        QVERIFY(!dlg.isVisible());
        QVERIFY(!dlg.Cancelled());
        QCOMPARE(options.NewFileWidth, std::int16_t(33));
        QCOMPARE(options.NewFileHeight, std::int16_t(44));
    }

    void loaderReadsFormatsByContent()
    {
        const QImage pic = testPicture(37, 21);
        // A PNG named .bmp and a bitmap named .jpg open by what they hold.
        const QString png = m_dir->filePath(QStringLiteral("really-png.bmp"));
        QVERIFY(pic.save(png, "PNG"));
        const QString bmp = m_dir->filePath(QStringLiteral("really-bmp.jpg"));
        QVERIFY(SavePicture(pic, bmp));
        for (const QString &path : {png, bmp}) {
            const QImage got = LoadPicture(path);
            QCOMPARE(got.size(), QSize(37, 21));
            QCOMPARE(got.convertToFormat(QImage::Format_RGB32), pic);
        }
        // GIF: first frame; ICO; JPEG.
        for (const char *fmt : {"gif", "ico", "jpg"}) {
            const QString path = m_dir->filePath(QStringLiteral("p.%1").arg(QLatin1String(fmt)));
            if (!QImageWriter::supportedImageFormats().contains(fmt))
                continue;
            QVERIFY2(pic.save(path, fmt), fmt);
            QCOMPARE(LoadPicture(path).size(), QSize(37, 21));
        }
        // An ordinary large photo size passes the allocation limit.
        QImage big(8000, 5000, QImage::Format_RGB32);
        big.fill(Qt::darkGreen);
        const QString bigPath = m_dir->filePath(QStringLiteral("big.png"));
        QImageWriter writer(bigPath, "png");
        writer.setCompression(1);
        QVERIFY(writer.write(big));
        big = QImage();
        QCOMPARE(LoadPicture(bigPath).size(), QSize(8000, 5000));
    }

    void openShowsPictureAndUpdatesRecentList()
    {
        const QImage pic = testPicture(100, 80);
        const QString path = m_dir->filePath(QStringLiteral("photo.jpg"));
        QVERIFY(pic.save(path, "PNG"));   // the contents, not the name, decide

        LoadedMain w;
        w.resize(1200, 900);
        w.show();
        QList<FileDialogRequest> asked;
        w.openFileHook = [&](const FileDialogRequest &r) { asked << r; return path; };
        w.mnuFileOpen_Click();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].title, QStringLiteral("Open"));
        QCOMPARE(asked[0].filter, LoadResString(1172));
        QCOMPARE(asked[0].filterIndex, 1);
        QCOMPARE(asked[0].defaultExt, QStringLiteral("bmp"));

        QCOMPARE(w.documents().size(), 1);
        frmDocument *form = w.ActiveForm();
        QVERIFY(form);
        Document &doc = form->doc();
        QCOMPARE(doc.Caption, path);
        QCOMPARE(form->subWindow()->windowTitle(), path);
        QCOMPARE(doc.Tag, QStringLiteral("Register"));
        QVERIFY(doc.IsImageWindow);
        QVERIFY(!doc.SaveReq());
        QCOMPARE(doc.Picture1.Image(), pic);
        QCOMPARE(doc.PicOrg.Image(), pic);
        // The window takes the picture's HiMetric size as twips: 100 x 80 pixels -> 176 x 141.
        QCOMPARE(HiMetricAsTwipsWindowPixels(QSize(100, 80)), QSize(176, 141));
        QCOMPARE(form->subWindow()->size(), QSize(176, 141));
        QCOMPARE(recentCaptions(w), (QStringList{path, {}, {}, {}, {}, {}}));
        QVERIFY(w.menuItem(QStringLiteral("mnuFileBar5"))->isVisible());

        // The same file again: a second window, the list unchanged.
        w.mnuFileOpen_Click();
        QCOMPARE(w.documents().size(), 2);
        QCOMPARE(recentCaptions(w), (QStringList{path, {}, {}, {}, {}, {}}));

        // With the documents maximized a newly opened one keeps the maximized size.
        w.ActiveForm()->subWindow()->showMaximized();
        w.mnuFileOpen_Click();
        QCOMPARE(w.documents().size(), 3);
        QCOMPARE(w.ActiveForm()->WindowState(), 2);

        // Cancel changes nothing.
        w.openFileHook = [](const FileDialogRequest &) { return QString(); };
        w.mnuFileOpen_Click();
        QCOMPARE(w.documents().size(), 3);
    }

    void recentFileChosen()
    {
        QStringList paths;
        for (int i = 0; i < 7; ++i) {
            paths << m_dir->filePath(QStringLiteral("p%1.bmp").arg(i));
            QVERIFY(SavePicture(testPicture(10 + i, 10), paths.last()));
        }
        {
            LoadedMain w;
            for (const QString &p : paths) {
                w.openFileHook = [p](const FileDialogRequest &) { return p; };
                w.mnuFileOpen_Click();
            }
            QCOMPARE(recentCaptions(w), (QStringList{paths[6], paths[5], paths[4], paths[3], paths[2], paths[1]}));
            w.msgBoxHook = [](const QString &, int, const QString &) { return int(Msg::No); };
            w.close();
        }
        // The list survives a restart.
        LoadedMain w;
        QCOMPARE(recentCaptions(w), (QStringList{paths[6], paths[5], paths[4], paths[3], paths[2], paths[1]}));
        QVERIFY(w.menuItem(QStringLiteral("mnuFileBar5"))->isVisible());

        int messages = 0;
        w.msgBoxHook = [&](const QString &, int, const QString &) { ++messages; return 1; };
        w.mnuFileMRU_Click(3);
        QCOMPARE(w.documents().size(), 1);
        QCOMPARE(w.ActiveForm()->doc().Caption, paths[4]);
        QCOMPARE(w.ActiveForm()->doc().Tag, QStringLiteral("Register"));
        QCOMPARE(w.ActiveForm()->doc().Picture1.Image().size(), QSize(14, 10));
        QCOMPARE(recentCaptions(w)[0], paths[6]);   // not reordered

        // A file that has gone: nothing opens, the user is told why, the entry stays.
        QVERIFY(QFile::remove(paths[5]));
        w.mnuFileMRU_Click(2);
        QCOMPARE(w.documents().size(), 1);
        QCOMPARE(messages, 1);
        QCOMPARE(recentCaptions(w)[1], paths[5]);
    }

    void saveWritesBitmapWhateverTheName()
    {
        LoadedMain w;
        w.state().options.NewFileWidth = 30;
        w.state().options.NewFileHeight = 20;
        w.NewDocument();
        Document &doc = w.ActiveForm()->doc();
        doc.setSaveReq(true);
        const QString target = m_dir->filePath(QStringLiteral("picture.jpg"));
        QList<FileDialogRequest> asked;
        w.saveFileHook = [&](const FileDialogRequest &r) { asked << r; return target; };
        w.mnuFileSave_Click();   // untitled: goes to Save As
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].title, QStringLiteral("Save As..."));
        QCOMPARE(asked[0].fileName, QStringLiteral("Image1"));
        QCOMPARE(asked[0].filterIndex, 7);
        QCOMPARE(asked[0].defaultExt, QStringLiteral("bmp"));
        QCOMPARE(asked[0].filter, LoadResString(1172));
        const BmpHeader h = bmpHeader(readFile(target));
        QCOMPARE((QList<int>{h.width, h.height, h.bits}), (QList<int>{30, 20, 24}));   // a 24-bit bitmap
        QCOMPARE(doc.Caption, target);
        QCOMPARE(doc.Tag, QStringLiteral("Register"));
        QVERIFY(!doc.SaveReq());
        QCOMPARE(recentCaptions(w)[0], target);

        // Save on a registered document writes PicOrg to the caption's path without asking.
        QImage changed = doc.PicOrg.Image();
        changed.fill(qRgb(10, 200, 30));
        doc.PicOrg.setPicture(changed);
        doc.setSaveReq(true);
        w.mnuFileSave_Click();
        QCOMPARE(asked.size(), 1);
        QVERIFY(!doc.SaveReq());
        const QImage back = LoadPicture(target);
        QCOMPARE(back.pixel(5, 5), qRgb(10, 200, 30));

        // A name typed without an extension gets ".bmp".
        w.saveFileHook = [&](const FileDialogRequest &) { return m_dir->filePath(QStringLiteral("plain")); };
        w.mnuFileSaveAs_Click();
        QCOMPARE(doc.Caption, m_dir->filePath(QStringLiteral("plain.bmp")));
        QVERIFY(QFile::exists(doc.Caption));
    }

    void renameThenSaveGoesThroughSaveAs()
    {
        const QString path = m_dir->filePath(QStringLiteral("a.bmp"));
        QVERIFY(SavePicture(testPicture(12, 9), path));
        LoadedMain w;

        // Without a document: the message, OK only, the application title.
        QList<Message> messages;
        w.msgBoxHook = [&](const QString &t, int s, const QString &ti) { messages << Message{t, s, ti}; return 1; };
        w.mnuFileRename_Click();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, QStringLiteral("Active window not present"));
        QCOMPARE(messages[0].style, 0);
        QCOMPARE(messages[0].title, AppTitle());

        w.openFileHook = [&](const FileDialogRequest &) { return path; };
        w.mnuFileOpen_Click();
        Document &doc = w.ActiveForm()->doc();
        QStringList prompts;
        w.inputBoxHook = [&](const QString &p, const QString &t, const QString &d) {
            prompts << p << t << d;
            return QStringLiteral("Holiday");
        };
        w.mnuFileRename_Click();
        QCOMPARE(prompts, (QStringList{"Input new name", "Rename", path}));
        QCOMPARE(doc.Caption, QStringLiteral("Holiday"));
        QCOMPARE(doc.Tag, QStringLiteral("UnRegister"));

        QList<FileDialogRequest> asked;
        w.saveFileHook = [&](const FileDialogRequest &r) { asked << r; return QString(); };   // cancelled
        doc.setSaveReq(true);
        w.mnuFileSave_Click();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].fileName, QStringLiteral("Holiday"));
        QVERIFY(doc.SaveReq());
        QCOMPARE(doc.Caption, QStringLiteral("Holiday"));

        // The close question's Yes also goes to Save As; cancelled there, the window stays.
        w.msgBoxHook = [](const QString &, int, const QString &) { return int(Msg::Yes); };
        w.mnuFileClose_Click();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(w.documents().size(), 1);

        // Cancelling the rename box leaves an empty caption.
        w.inputBoxHook = [](const QString &, const QString &, const QString &) { return QString(); };
        w.mnuFileRename_Click();
        QCOMPARE(doc.Caption, QString());
        w.msgBoxHook = [](const QString &, int, const QString &) { return int(Msg::No); };
    }

    void newThroughDialog()
    {
        LoadedMain w;
        w.newImageHook = [](frmNewImage &dlg) { dlg.Command2()->click(); };
        w.mnuFileNew_Click();
        QVERIFY(w.documents().isEmpty());
        w.newImageHook = [](frmNewImage &dlg) {
            dlg.Option1(1)->click();
            dlg.TxtWidth()->setText(QStringLiteral("0"));
            dlg.msgBoxHook = [](const QString &, int, const QString &) { return 1; };
            dlg.Command1()->click();   // refused: the dialog stays open, then is closed
        };
        w.mnuFileNew_Click();
        QVERIFY(w.documents().isEmpty());
        w.newImageHook = [](frmNewImage &dlg) {
            dlg.Option1(1)->click();
            dlg.TxtWidth()->setText(QStringLiteral("123"));
            dlg.TxtHeight()->setText(QStringLiteral("45"));
            dlg.Command1()->click();
        };
        w.mnuFileNew_Click();
        QCOMPARE(w.documents().size(), 1);
        QCOMPARE(w.ActiveForm()->doc().Caption, QStringLiteral("Image1"));
        QCOMPARE(w.ActiveForm()->doc().Tag, QStringLiteral("UnRegister"));
        QCOMPARE(w.ActiveForm()->doc().Picture1.size(), QSize(123, 45));
    }

    void printPlacesPicture()
    {
        // The drawing code: at 288 dpi, 100 twips is 20 device pixels and one screen pixel is 3.
        QCOMPARE(PrintedPictureRect(QSize(4, 2), 288, 288), QRect(20, 20, 12, 6));
        QCOMPARE(PrintedPictureRect(QSize(96, 48), 1200, 600), QRect(83, 42, 1200, 300));
        QImage page(60, 40, QImage::Format_RGB32);
        page.fill(Qt::white);
        QImage pic(4, 2, QImage::Format_RGB32);
        pic.fill(qRgb(200, 0, 0));
        {
            QPainter p(&page);
            PaintPictureOnPage(p, pic, 288, 288);
        }
        QCOMPARE(page.pixel(19, 19), qRgb(255, 255, 255));
        QCOMPARE(page.pixel(20, 20), qRgb(200, 0, 0));
        QCOMPARE(page.pixel(31, 25), qRgb(200, 0, 0));
        QCOMPARE(page.pixel(32, 25), qRgb(255, 255, 255));
        QCOMPARE(page.pixel(31, 26), qRgb(255, 255, 255));

        // The whole command, to a PDF file: one page holding a picture of the document's size.
        LoadedMain w;
        const QString pdf = m_dir->filePath(QStringLiteral("out.pdf"));
        w.printer().setOutputFormat(QPrinter::PdfFormat);
        w.printer().setOutputFileName(pdf);
        w.mnuFilePrint_Click();   // no document: no page at all
        QVERIFY(!QFile::exists(pdf));
        w.state().options.NewFileWidth = 77;
        w.state().options.NewFileHeight = 33;
        w.NewDocument();
        w.mnuFilePrint_Click();
        const QByteArray bytes = readFile(pdf);
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.contains("/Subtype /Image"));
        QVERIFY(bytes.contains("/Width 77"));
        QVERIFY(bytes.contains("/Height 33"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), qsizetype(1));
        w.msgBoxHook = [](const QString &, int, const QString &) { return int(Msg::No); };
    }

    void commandLineFiles()
    {
        const QString a = m_dir->filePath(QStringLiteral("a.bmp"));
        const QString b = m_dir->filePath(QStringLiteral("b.png"));
        QVERIFY(SavePicture(testPicture(11, 7), a));
        QVERIFY(testPicture(5, 6).save(b));
        const QString bad = m_dir->filePath(QStringLiteral("bad.bmp"));
        QVERIFY(writeFile(bad, "BMnonsense"));
        LoadedMain w;
        QList<Message> messages;
        w.msgBoxHook = [&](const QString &t, int s, const QString &ti) { messages << Message{t, s, ti}; return 1; };
        // A relative name is taken from the current folder and shown as a full path.
        const QString old = QDir::currentPath();
        QDir::setCurrent(m_dir->path());
        w.openFiles({QStringLiteral("a.bmp"), bad, b});
        QDir::setCurrent(old);
        QCOMPARE(w.documents().size(), 2);
        QCOMPARE(w.documents()[0]->doc().Caption, a);
        QCOMPARE(w.documents()[1]->doc().Caption, b);
        QCOMPARE(w.documents()[1]->doc().Picture1.size(), QSize(5, 6));
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].text.startsWith(LoadResString(1173)));
        QVERIFY(messages[0].text.contains(bad));
        QCOMPARE(recentCaptions(w).mid(0, 2), (QStringList{b, a}));
    }
};

QTEST_MAIN(TestFiles)
#include "tst_files.moc"
