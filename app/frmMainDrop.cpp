// Files and pictures dropped on the main window. Dropped files open as File > Open opens them,
// several at once, each unreadable one with the same message; a picture dragged out of another
// program (image data on the drag, no files) becomes a new, unsaved document.
#include "app/frmMain.h"
#include "document/frmDocument.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>

namespace orv {

namespace {
QStringList droppedFiles(const QMimeData *mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl &url : mime->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

QImage droppedImage(const QMimeData *mime)
{
    if (!mime || !mime->hasImage())
        return {};
    return qvariant_cast<QImage>(mime->imageData());
}

bool canTake(const QMimeData *mime)
{
    return !droppedFiles(mime).isEmpty() || !droppedImage(mime).isNull();
}
} // namespace

void frmMain::dragEnterEvent(QDragEnterEvent *e)
{
    if (canTake(e->mimeData()))
        e->acceptProposedAction();
    else
        e->ignore();
}

void frmMain::dragMoveEvent(QDragMoveEvent *e)
{
    if (canTake(e->mimeData()))
        e->acceptProposedAction();
    else
        e->ignore();
}

void frmMain::dropEvent(QDropEvent *e)
{
    const QStringList paths = droppedFiles(e->mimeData());
    const QImage picture = paths.isEmpty() ? droppedImage(e->mimeData()) : QImage();
    if (paths.isEmpty() && picture.isNull()) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    if (!paths.isEmpty())
        openFiles(paths);
    else
        OpenDroppedPicture(picture);
}

frmDocument *frmMain::OpenDroppedPicture(const QImage &picture)
{
    frmDocument *form = createDocument(m_newCounter);
    Document &doc = form->doc();
    doc.Picture1.setPicture(picture.convertToFormat(QImage::Format_RGB32));
    doc.PicOrg.copyFrom(doc.Picture1);
    doc.StartUp();
    doc.Picture1.Refresh();
    doc.Form_Resize();
    // Nothing on disk holds the picture yet: closing it asks first.
    doc.setSaveReq(true);
    doc.Undo(3);
    CEOD();
    return form;
}

} // namespace orv
