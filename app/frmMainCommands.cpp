// Command state: which commands and buttons are enabled, and the services the main window
// gives its documents.

#include "app/frmMain.h"

#include "document/frmDocument.h"
#include "tools/ColourBoxWidget.h"
#include "tools/frmFontDialog.h"
#include "tools/frmTextDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QInputDialog>
#include <QLayout>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>

namespace orv {

void frmMain::setItemEnabled(const QString &name, bool enabled)
{
    if (QAction *a = m_items.value(name))
        a->setEnabled(enabled);
}

void frmMain::setButtonEnabled(QHash<QString, QAction *> &bar, const QString &key, bool enabled)
{
    if (QAction *a = bar.value(key))
        a->setEnabled(enabled);
}

void frmMain::CEOD()
{
    static const QStringList fileItems = {
        QStringLiteral("mnuFileRename"), QStringLiteral("mnuFileClose"), QStringLiteral("mnuFileProperties"),
        QStringLiteral("mnuFilePageSetup"), QStringLiteral("mnuFilePrint"), QStringLiteral("mnuFilePrintPreview"),
        QStringLiteral("mnuFileSave"), QStringLiteral("mnuFileSaveAll"), QStringLiteral("mnuFileSaveAs")};
    static const QStringList imageItems = {
        QStringLiteral("mnuImageCircle"), QStringLiteral("mnuImageClear"), QStringLiteral("mnuImageCurve"),
        QStringLiteral("mnuImageEllipse"), QStringLiteral("mnuImageEraser"), QStringLiteral("mnuImageLine"),
        QStringLiteral("mnuImagePen"), QStringLiteral("mnuImageRays"), QStringLiteral("mnuImageRectangle"),
        QStringLiteral("mnuImageRoundRectangle"), QStringLiteral("mnuImageStar"), QStringLiteral("mnuImageTriangle"),
        QStringLiteral("mnuImageContLine")};
    static const QStringList popupItems = {
        QStringLiteral("mnuPopupCopy"), QStringLiteral("mnuPopupCut"), QStringLiteral("mnuPopupPaste"),
        QStringLiteral("mnuPopupEllipse"), QStringLiteral("mnuPopupEraser"), QStringLiteral("mnuPopupLine"),
        QStringLiteral("mnuPopupPen"), QStringLiteral("mnuPopupRays"), QStringLiteral("mnuPopupRectangle"),
        QStringLiteral("mnuPopupRedo"), QStringLiteral("mnuPopupUndo")};
    static const QStringList stdButtons = {
        QStringLiteral("Save"), QStringLiteral("Print"), QStringLiteral("Cut"), QStringLiteral("Copy"),
        QStringLiteral("Paste"), QStringLiteral("Undo"), QStringLiteral("Redo"), QStringLiteral("Fill"),
        QStringLiteral("Clear"), QStringLiteral("Transparent"), QStringLiteral("Filled"), QStringLiteral("Raster"),
        QStringLiteral("Move"), QStringLiteral("Cyclic"), QStringLiteral("Font"), QStringLiteral("Mirror"),
        QStringLiteral("Zoom"), QStringLiteral("Tile")};
    static const QStringList editButtons = {
        QStringLiteral("Select"), QStringLiteral("Line"), QStringLiteral("Marquee"), QStringLiteral("FreeForm"),
        QStringLiteral("Eraser"), QStringLiteral("Curve"), QStringLiteral("Circle"), QStringLiteral("Ellipse1"),
        QStringLiteral("Ellipse2"), QStringLiteral("Rectangle"), QStringLiteral("Rays"), QStringLiteral("Fill"),
        QStringLiteral("Dropper"), QStringLiteral("Spray"), QStringLiteral("Brush"), QStringLiteral("Text"),
        QStringLiteral("Pencil"), QStringLiteral("Cont Line"), QStringLiteral("Cycle Editor")};

    if (!ActiveForm()) {
        for (const QString &n : fileItems)
            setItemEnabled(n, false);
        for (const QString &n : imageItems)
            setItemEnabled(n, false);
        for (const char *n : {"mnuEditCut", "mnuEditCopy", "mnuEditPaste", "mnuImageArray"})
            setItemEnabled(QString::fromLatin1(n), false);
        for (const QString &n : popupItems)
            setItemEnabled(n, false);
        for (const QString &k : stdButtons)
            setButtonEnabled(m_tbStd, k, false);
        for (const QString &k : editButtons)
            setButtonEnabled(m_tbEdit, k, false);
        // Undo and Redo of the Edit menu follow the buttons when no document is open.
        setItemEnabled(QStringLiteral("mnuEditUndo"), false);
        setItemEnabled(QStringLiteral("mnuEditRedo"), false);
        return;
    }
    for (const QString &n : fileItems)
        setItemEnabled(n, true);
    for (const QString &n : imageItems)
        setItemEnabled(n, true);
    setItemEnabled(QStringLiteral("mnuEditCut"), true);
    setItemEnabled(QStringLiteral("mnuEditCopy"), true);
    for (const QString &k : editButtons)
        setButtonEnabled(m_tbEdit, k, true);

    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    if (mime && (mime->hasImage() || mime->hasFormat(QStringLiteral("image/bmp")) ||
                 mime->hasFormat(QStringLiteral("image/x-wmf")) || mime->hasFormat(QStringLiteral("image/x-emf"))))
        SetPasteEnabled(true);

    for (const char *n : {"mnuPopupCopy", "mnuPopupCut", "mnuPopupEllipse", "mnuPopupEraser", "mnuPopupLine",
                          "mnuPopupPen", "mnuPopupRays", "mnuPopupRectangle", "mnuPopupShape", "mnuImageArray"})
        setItemEnabled(QString::fromLatin1(n), true);
    for (const char *k : {"Save", "Print", "Cut", "Copy", "Fill", "Clear", "Transparent", "Filled", "Raster", "Cyclic",
                          "Font", "Mirror", "Zoom", "Tile"})
        setButtonEnabled(m_tbStd, QString::fromLatin1(k), true);
}

void frmMain::UpdateCoolBar()
{
    // The cool bar is the window's top toolbar area; its bands are the two toolbars. The area is
    // shown exactly while a band in it is visible and takes no room at all otherwise (it has no
    // widget of its own to show or hide). Laying the window out again here, rather than at the
    // next turn of the event loop, moves the workspace at once when a band comes or goes.
    if (QLayout *l = layout()) {
        l->invalidate();
        l->activate();
    }
}

// ---------------------------------------------------------------------------------------------
// DocumentHost
// ---------------------------------------------------------------------------------------------

int frmMain::MsgBox(const QString &text, int style, const QString &title)
{
    if (msgBoxHook)
        return msgBoxHook(text, style, title);
    QMessageBox box(this);
    box.setWindowTitle(title.isEmpty() ? AppTitle() : title);
    box.setText(text);
    switch (style & 0x70) {
    case Msg::Critical: box.setIcon(QMessageBox::Critical); break;
    case Msg::Question: box.setIcon(QMessageBox::Question); break;
    case Msg::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Msg::Information: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    QMessageBox::StandardButtons buttons;
    switch (style & 0x7) {
    case Msg::OKCancel: buttons = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Msg::AbortRetryIgnore: buttons = QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore; break;
    case Msg::YesNoCancel: buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    case Msg::YesNo: buttons = QMessageBox::Yes | QMessageBox::No; break;
    case Msg::RetryCancel: buttons = QMessageBox::Retry | QMessageBox::Cancel; break;
    default: buttons = QMessageBox::Ok; break;
    }
    box.setStandardButtons(buttons);
    switch (box.exec()) {
    case QMessageBox::Ok: return Msg::OK;
    case QMessageBox::Cancel: return Msg::Cancel;
    case QMessageBox::Abort: return Msg::Abort;
    case QMessageBox::Retry: return Msg::Retry;
    case QMessageBox::Ignore: return Msg::Ignore;
    case QMessageBox::Yes: return Msg::Yes;
    case QMessageBox::No: return Msg::No;
    default: return (style & 0x7) == Msg::OKOnly ? Msg::OK : Msg::Cancel;
    }
}

QString frmMain::InputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    if (inputBoxHook)
        return inputBoxHook(prompt, title, defaultText);
    bool ok = false;
    const QString answer = QInputDialog::getText(this, title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

void frmMain::Beep()
{
    QApplication::beep();
}

void frmMain::setStatusText(int panel, const QString &text)
{
    if (panel >= 1 && panel <= 3)
        m_panels[std::size_t(panel - 1)]->setText(text);
}

void frmMain::UpdateUndoRedo(bool canUndo, bool canRedo)
{
    setButtonEnabled(m_tbStd, QStringLiteral("Undo"), canUndo);
    setItemEnabled(QStringLiteral("mnuEditUndo"), canUndo);
    setItemEnabled(QStringLiteral("mnuPopupUndo"), canUndo);
    setButtonEnabled(m_tbStd, QStringLiteral("Redo"), canRedo);
    setItemEnabled(QStringLiteral("mnuEditRedo"), canRedo);
    setItemEnabled(QStringLiteral("mnuPopupRedo"), canRedo);
}

int frmMain::ToolbarButtonValue(const QString &key)
{
    QAction *a = m_tbStd.value(key);
    if (!a)
        a = m_tbEdit.value(key);
    return a && a->isChecked() ? 1 : 0;
}

void frmMain::SetToolbarButtonValue(const QString &key, int value)
{
    QAction *a = m_tbStd.value(key);
    if (!a)
        a = m_tbEdit.value(key);
    if (a && a->isCheckable())
        a->setChecked(value != 0);
}

void frmMain::ToolResumed()
{
    // The button of the tool in use is pressed again (pressing it does not choose it anew: the
    // previous tool stays as it is), and its properties are shown.
    if (QAction *a = m_tbEdit.value(m_state.currentTool))
        a->setChecked(true);
    UpdateProperties();
}

void frmMain::SetPasteEnabled(bool enabled)
{
    setItemEnabled(QStringLiteral("mnuEditPaste"), enabled);
    setItemEnabled(QStringLiteral("mnuPopupPaste"), enabled);
    setButtonEnabled(m_tbStd, QStringLiteral("Paste"), enabled);
}

void frmMain::ShowPopupMenu(Document &, QPoint clientPos, bool showMove, bool showOk)
{
    menuItem(QStringLiteral("mnuMoverMove"))->setVisible(showMove);
    menuItem(QStringLiteral("mnuMoverOK"))->setVisible(showOk);
    // The document gives the point in its own pixels (device pixels); the menu wants logical ones.
    frmDocument *form = ActiveForm();
    const QPoint global = form ? form->mapToGlobal(form->clientToLogical(clientPos)) : m_mdi->mapToGlobal(clientPos);
    menu(QStringLiteral("mnuPopup"))->popup(global);
}

void frmMain::SetForeSwatch(Colour c)
{
    m_colourBox->LblFore()->setColour(c);
}

void frmMain::SetBackSwatch(Colour c)
{
    m_colourBox->lblBack()->setColour(c);
}

void frmMain::ShowTextDialog()
{
    frmTextDialog dlg(m_state, this);
    dlg.exec();
}

void frmMain::EditFont()
{
    // Every font of the machine (there is no separate printer list here), with underline,
    // strikethrough and the colour, and only fonts that exist: the chooser offers nothing else.
    // It starts on "Arial" (the closest font the machine has when it lacks that one) and the
    // current drawing colour.
    frmFontDialog dlg(QFont(QStringLiteral("Arial")), m_state.drawColour, this);
    dlg.colorDialogHook = [this](Colour c) { return ChooseColour(c); };
    if (fontDialogHook)
        fontDialogHook(dlg);
    else
        dlg.exec();
    if (dlg.result() != QDialog::Accepted)
        return;
    Document *d = activeDocument();
    if (!d)
        return;
    const QFont chosen = dlg.selectedFont();
    QFont font = d->Picture1.Font;
    font.setBold(chosen.bold());
    font.setItalic(chosen.italic());
    font.setFamily(chosen.family());
    if (chosen.pointSizeF() > 0)
        font.setPointSizeF(chosen.pointSizeF());
    font.setStrikeOut(chosen.strikeOut());
    font.setUnderline(chosen.underline());
    d->Picture1.Font = font;
    d->Picture1.ForeColor = dlg.selectedColour();
    // A font here carries no character-set number: the font's own characters are used.
}

QPoint frmMain::GetCursorPos()
{
    return QCursor::pos();
}

void frmMain::SetCursorPos(QPoint p)
{
    QCursor::setPos(p);
}

int frmMain::TwipsPerPixelX()
{
    return 15;
}

int frmMain::TwipsPerPixelY()
{
    return 15;
}

QSize frmMain::ScreenPixels()
{
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry().size() : QSize(1024, 768);
}

} // namespace orv
