// The Image menu's dialogs: Rotate, Resize and Canvas Size on the active document.
#include "app/frmMain.h"

#include "dialogs/frmCanvas.h"
#include "dialogs/frmResize.h"
#include "dialogs/frmRotate.h"
#include "document/frmDocument.h"

#include <QLineEdit>

namespace orv {

void frmMain::connectImageCommands()
{
    auto run = [this](QDialog &dialog) {
        if (imageDialogHook)
            imageDialogHook(dialog);
        else
            dialog.exec();
    };
    connect(menuItem(QStringLiteral("mnuImageRotate")), &QAction::triggered, this, [this, run] {
        Document *d = activeDocument();
        if (!d)
            return;
        FrmRotate dialog(*d, this);
        run(dialog);
    });
    connect(menuItem(QStringLiteral("mnuImageResize")), &QAction::triggered, this, [this, run] {
        Document *d = activeDocument();
        if (!d)
            return;
        frmResize dialog(*d, this);
        run(dialog);
    });
    connect(menuItem(QStringLiteral("mnuImageCanvasSize")), &QAction::triggered, this, [this, run] {
        Document *d = activeDocument();
        if (!d)
            return;
        frmCanvas dialog(*d, this);
        dialog.TextW()->setText(QString::number(d->Picture1.ScaleWidth()));
        dialog.TextH()->setText(QString::number(d->Picture1.ScaleHeight()));
        run(dialog);
    });
}

} // namespace orv
