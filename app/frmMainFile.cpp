// The File menu of the main window: new, open, recent files, rename, close, save, save as,
// page set-up, print and exit; files given on the command line; docking drops of the colour
// box.
#include "app/frmMain.h"

#include "base/AppInfo.h"
#include "base/ImageFiles.h"
#include "base/PictureLoader.h"
#include "app/PrintLayout.h"
#include "app/RecentFiles.h"
#include "base/ResStrings.h"
#include "dialogs/frmNewImage.h"
#include "document/frmDocument.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <system_error>
#include <thread>

namespace orv {

namespace {

const QString kRegister = QStringLiteral("Register");
const QString kUnRegister = QStringLiteral("UnRegister");

// The 32-bit copies of a picture a document holds from its opening through its first stroke:
// Picture1, Picture2, PicOrg and the first undo snapshot.
constexpr int DocumentPictureCopies = 4;

// The open command's message: the one text for every file that is not a picture it reads, and
// for a picture refused before or while decoding, the reason after it.
QString OpenFailureText(const LoadedPicture &loaded)
{
    switch (loaded.failure) {
    case LoadFailure::None:
    case LoadFailure::Cancelled:
        return {};
    case LoadFailure::Unreadable:
        return LoadResString(1173);
    case LoadFailure::Refused:
        break;
    }
    return LoadResString(1173) + QStringLiteral("\n\n") + loaded.reason;
}

QString mruName(int index)
{
    return QStringLiteral("mnuFileMRU(%1)").arg(index);
}

// A name typed without an extension gets the dialog's default one.
QString withDefaultExtension(const QString &path, const QString &ext)
{
    // A name that already exists means that file (or folder or device, which the open and save
    // steps then refuse), not a new one with the extension added.
    if (path.isEmpty() || ext.isEmpty() || !QFileInfo(path).suffix().isEmpty() || QFileInfo::exists(path))
        return path;
    return path + QLatin1Char('.') + ext;
}

QString runFileDialog(QWidget *parent, const FileDialogRequest &r, bool save)
{
    QFileDialog dlg(parent, r.title);
    const QStringList filters = r.filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    dlg.setNameFilters(filters);
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
        dlg.selectNameFilter(filters.at(r.filterIndex - 1));
    dlg.setDefaultSuffix(r.defaultExt);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!r.fileName.isEmpty())
        dlg.selectFile(r.fileName);
    if (dlg.exec() != QDialog::Accepted)
        return {};
    return dlg.selectedFiles().value(0);
}

// One page: the picture at its natural size near the page's corner. False when the printer
// could not be opened.
bool printPicture(QPrinter &printer, const QImage &picture)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PaintPictureOnPage(painter, picture, printer.resolution(), printer.resolution());
    return painter.end();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// New and open
// ---------------------------------------------------------------------------------------------

void frmMain::mnuFileNew_Click()
{
    frmNewImage dlg(m_state.options, this);
    if (newImageHook)
        newImageHook(dlg);
    else
        dlg.exec();
    if (!dlg.Cancelled() && dlg.result() == QDialog::Accepted)
        NewDocument();
}

void frmMain::mnuFileOpen_Click()
{
    FileDialogRequest r;
    r.title = LoadResString(1169);
    r.filter = LoadResString(1172);
    r.filterIndex = 1;
    r.defaultExt = QStringLiteral("bmp");
    const QString chosen = openFileHook ? openFileHook(r) : runFileDialog(this, r, false);
    if (chosen.isEmpty())
        return;
    QString message;
    if (!OpenPictureFile(withDefaultExtension(chosen, r.defaultExt), &message) && !message.isEmpty())
        MsgBox(message, Msg::Critical, LoadResString(1174));
}

void frmMain::openFiles(const QStringList &paths)
{
    for (const QString &path : paths) {
        QString message;
        if (!OpenPictureFile(path, &message) && !message.isEmpty())
            MsgBox(message + QStringLiteral("\n\n") + path, Msg::Critical, LoadResString(1174));
    }
}

LoadedPicture frmMain::LoadPictureResponsively(const QString &path)
{
    PictureBudget budget;
    budget.documentCopies = DocumentPictureCopies;
    LoadControl control;
    std::atomic<bool> done{false};
    LoadedPicture result;
    std::thread worker;
    try {
        worker = std::thread([&] {
            result = LoadPictureFile(path, budget, &control);
            done.store(true, std::memory_order_release);
        });
    } catch (const std::system_error &) {
        return LoadPictureFile(path, budget, &control);
    }

    // Most pictures are read before anyone could notice. A longer read keeps the window
    // running (painting, timers) but takes no input until the progress window appears.
    QElapsedTimer waited;
    waited.start();
    while (!done.load(std::memory_order_acquire) && waited.elapsed() < std::min(loadProgressDelayMs, 50))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (!done.load(std::memory_order_acquire)) {
        QEventLoop loop;
        QTimer poll;
        poll.setInterval(10);
        QProgressDialog *progress = nullptr;
        bool updating = false;
        connect(&poll, &QTimer::timeout, &loop, [&] {
            if (done.load(std::memory_order_acquire)) {
                loop.quit();
            } else if (!progress && waited.elapsed() >= loadProgressDelayMs) {
                loop.quit();   // on to the progress window
            } else if (progress && !updating) {
                // A modal progress window handles events inside setValue: no second update meanwhile.
                updating = true;
                const qint64 total = std::max<qint64>(1, control.bytesTotal.load(std::memory_order_relaxed));
                progress->setValue(int(1000 * control.bytesRead.load(std::memory_order_relaxed) / total));
                updating = false;
            }
        });
        poll.start();
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        if (!done.load(std::memory_order_acquire)) {
            QProgressDialog dialog(this);
            dialog.setWindowTitle(AppTitle());
            dialog.setLabelText(QStringLiteral("Opening %1 ...").arg(QFileInfo(path).fileName()));
            dialog.setRange(0, 1000);
            dialog.setMinimumDuration(0);
            dialog.setAutoClose(false);
            dialog.setAutoReset(false);
            dialog.setWindowModality(Qt::WindowModal);
            // Cancel stops the reading at its next step; the window waits for that.
            connect(&dialog, &QProgressDialog::canceled, &loop, [&] {
                control.cancel.store(true);
                dialog.setLabelText(QStringLiteral("Cancelling ..."));
            });
            progress = &dialog;
            dialog.show();
            if (loadProgressHook)
                loadProgressHook(dialog);
            if (!done.load(std::memory_order_acquire))
                loop.exec();
            progress = nullptr;
        }
    }
    worker.join();
    return result;
}

bool frmMain::OpenPictureFile(const QString &path, QString *message)
{
    // The file is read before a window is made for it, so a file that cannot be read leaves
    // nothing behind.
    const LoadedPicture loaded = LoadPictureResponsively(path);
    if (!loaded.ok()) {
        if (message)
            *message = OpenFailureText(loaded);
        return false;
    }
    const QImage &picture = loaded.image;
    const QString fullName = QFileInfo(path).absoluteFilePath();

    frmDocument *form = NewDocumentShell();
    Document &doc = form->doc();
    doc.Picture1.setPicture(picture);
    doc.PicOrg.copyFrom(doc.Picture1);
    doc.StartUp();
    doc.Picture1.Refresh();
    SizeWindowToPicture(form, picture.size());
    doc.Form_Resize();
    form->setCaption(fullName);
    doc.Tag = kRegister;
    UpdateRecentFiles(fullName);
    doc.Undo(3);
    CEOD();
    return true;
}

void frmMain::SizeWindowToPicture(frmDocument *form, QSize picturePixels)
{
    const int state = form->WindowState();
    if (state == 1 || state == 2)
        return;
    form->SetWindowPixels(HiMetricAsTwipsWindowPixels(picturePixels, TwipsPerPixelX(), TwipsPerPixelY()));
}

// ---------------------------------------------------------------------------------------------
// Recent files
// ---------------------------------------------------------------------------------------------

void frmMain::UpdateRecentFiles(const QString &path)
{
    RecentList list;
    for (int i = 1; i <= 6; ++i) {
        const QAction *item = menuItem(mruName(i));
        list[std::size_t(i)] = RecentSlot{RecentPathFromMenuText(item->text()), item->isVisible()};
    }
    if (!UpdateRecentList(list, path))
        return;
    for (int i = 1; i <= 6; ++i) {
        QAction *item = menuItem(mruName(i));
        item->setText(RecentMenuText(list[std::size_t(i)].caption));
        item->setVisible(list[std::size_t(i)].visible);
    }
    menuItem(QStringLiteral("mnuFileBar5"))->setVisible(true);
}

void frmMain::mnuFileMRU_Click(int index)
{
    const QAction *item = menuItem(mruName(index));
    if (!item)
        return;
    const QString path = RecentPathFromMenuText(item->text());
    // A file that has gone or cannot be read opens nothing and says why; its entry stays.
    const LoadedPicture loaded = LoadPictureResponsively(path);
    if (!loaded.ok()) {
        if (loaded.failure != LoadFailure::Cancelled) {
            const QString why = loaded.reason.isEmpty() ? LoadResString(1173) : loaded.reason;
            MsgBox(QStringLiteral("%1\n\n%2").arg(QDir::toNativeSeparators(path), why), Msg::Critical, LoadResString(1174));
        }
        return;
    }
    const QImage &picture = loaded.image;

    frmDocument *form = NewDocumentShell();
    Document &doc = form->doc();
    form->setCaption(path);
    doc.Tag = kRegister;
    doc.Picture1.setPicture(picture);
    SizeWindowToPicture(form, picture.size());
    doc.StartUp();
    doc.setFormIzin(true);
    doc.Form_Resize();
    doc.Undo(3);
    CEOD();
}

// ---------------------------------------------------------------------------------------------
// Rename, close, save
// ---------------------------------------------------------------------------------------------

void frmMain::mnuFileRename_Click()
{
    frmDocument *form = ActiveForm();
    if (!form) {
        MsgBox(LoadResString(1166), Msg::OKOnly, AppTitle());
        return;
    }
    const QString answer = InputBox(LoadResString(1164), LoadResString(1165), form->doc().Caption);
    form->setCaption(answer);
    form->doc().Tag = kUnRegister;
}

void frmMain::mnuFileClose_Click()
{
    if (frmDocument *f = ActiveForm()) {
        if (f->doc().IsImageWindow)
            f->CloseWindow();
    }
    CEOD();
}

void frmMain::mnuFileSave_Click()
{
    frmDocument *form = ActiveForm();
    if (!form)
        return;
    Document &doc = form->doc();
    if (doc.Tag != kRegister) {
        mnuFileSaveAs_Click();
        return;
    }
    QString error;
    if (!SavePicture(doc.PicOrg.Image(), doc.Caption, &error)) {
        MsgBox(QStringLiteral("%1\n\n%2").arg(doc.Caption, error), Msg::Critical, LoadResString(1174));
        return;
    }
    doc.setSaveReq(false);
}

void frmMain::mnuFileSaveAs_Click()
{
    frmDocument *form = ActiveForm();
    if (!form)
        return;
    Document &doc = form->doc();
    FileDialogRequest r;
    r.title = LoadResString(1171);
    r.filter = LoadResString(1172);
    r.filterIndex = 7;
    r.defaultExt = QStringLiteral("bmp");
    r.fileName = doc.Caption;
    const QString chosen = saveFileHook ? saveFileHook(r) : runFileDialog(this, r, true);
    if (chosen.isEmpty())
        return;
    const QString path = QFileInfo(withDefaultExtension(chosen, r.defaultExt)).absoluteFilePath();
    QString error;
    if (!SavePicture(doc.PicOrg.Image(), path, &error)) {
        // The document stays unsaved, so its close question still protects the picture.
        MsgBox(QStringLiteral("%1\n\n%2").arg(path, error), Msg::Critical, LoadResString(1174));
        return;
    }
    form->setCaption(path);
    doc.Tag = kRegister;
    doc.setSaveReq(false);
    UpdateRecentFiles(path);
}

// ---------------------------------------------------------------------------------------------
// Printing
// ---------------------------------------------------------------------------------------------

QPrinter &frmMain::printer()
{
    if (!m_printer)
        m_printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void frmMain::mnuFilePageSetup_Click()
{
    if (pageSetupHook) {
        pageSetupHook(printer());
        return;
    }
    QPageSetupDialog dlg(&printer(), this);
    dlg.exec();
}

void frmMain::mnuFilePrint_Click()
{
    frmDocument *form = ActiveForm();
    if (!form)
        return;
    const QImage picture = form->doc().Picture1.Image();
    if (picture.isNull())
        return;
    QPrinter &p = printer();
    // With no printer set up, the print system has nowhere to send the page: the user is told
    // so and may print to a PDF file instead, on the page chosen in Page Setup.
    const bool noPrinter = p.outputFileName().isEmpty()
                           && (p.outputFormat() == QPrinter::PdfFormat || QPrinterInfo::availablePrinters().isEmpty());
    if (noPrinter) {
        if (MsgBox(QStringLiteral("No printer is set up on this computer.\n\n"
                                  "Do you want to print the picture to a PDF file instead?"),
                   Msg::YesNo | Msg::Question, AppTitle()) != Msg::Yes)
            return;
        FileDialogRequest r;
        r.title = QStringLiteral("Print to PDF File");
        r.filter = QStringLiteral("PDF Files (*.pdf)");
        r.defaultExt = QStringLiteral("pdf");
        r.fileName = QFileInfo(form->doc().Caption).completeBaseName() + QStringLiteral(".pdf");
        if (form->doc().Tag == kRegister)
            r.fileName = QFileInfo(QFileInfo(form->doc().Caption).absolutePath(), r.fileName).filePath();
        const QString chosen = saveFileHook ? saveFileHook(r) : runFileDialog(this, r, true);
        if (chosen.isEmpty())
            return;
        const QString path = QFileInfo(withDefaultExtension(chosen, r.defaultExt)).absoluteFilePath();
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setPageLayout(p.pageLayout());
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(path);
        pdf.setDocName(form->doc().Caption);
        if (!printPicture(pdf, picture))
            MsgBox(QStringLiteral("The PDF file could not be written:\n%1").arg(QDir::toNativeSeparators(path)),
                   Msg::Critical, LoadResString(1174));
        return;
    }
    p.setDocName(form->doc().Caption);
    if (!printPicture(p, picture))
        MsgBox(QStringLiteral("The picture could not be printed on %1.").arg(p.printerName().isEmpty() ? p.outputFileName() : p.printerName()),
               Msg::Critical, LoadResString(1174));
}

void frmMain::mnuFileExit_Click()
{
    close();
}

// ---------------------------------------------------------------------------------------------
// Docking the colour box
// ---------------------------------------------------------------------------------------------

void frmMain::MDIForm_DragDrop(QWidget *source, int x, int)
{
    if (!source || source != m_property1)
        return;
    const int boxWidth = m_property1->width();
    if (x < boxWidth)
        setColorBoxAlign(3);
    else if (x > width() - boxWidth)   // dropped over the right edge's strip, or beyond it
        setColorBoxAlign(4);
}

} // namespace orv
