// Crash recovery in the main window: the offer at start and the keeper's timer.
#include "app/frmRecovery.h"

#include "app/frmMain.h"
#include "base/AppInfo.h"
#include "dialogs/ImageResize.h"
#include "document/Recovery.h"
#include "document/frmDocument.h"

#include <QGuiApplication>
#include <QObject>
#include <QTimer>
#include <memory>

namespace orv {

namespace {

void offerRecords(frmMain *main)
{
    const QList<RecoveryRecord> records = readRecords();
    if (records.isEmpty())
        return;
    const QString text = records.size() == 1
        ? QStringLiteral("The editor closed unexpectedly last time, leaving one picture unsaved.\n\n"
                         "Recover it now? It opens as an unsaved picture; No discards it.")
        : QStringLiteral("The editor closed unexpectedly last time, leaving %1 pictures unsaved.\n\n"
                         "Recover them now? They open as unsaved pictures; No discards them.")
              .arg(records.size());
    const bool recover = main->MsgBox(text, Msg::YesNo | Msg::Question, AppTitle()) == Msg::Yes;
    for (const RecoveryRecord &r : records) {
        if (recover) {
            frmDocument *form = main->NewDocumentShell();
            Document &doc = form->doc();
            doc.Picture1.setPicture(r.picture);
            doc.PicOrg.copyFrom(doc.Picture1);
            doc.StartUp();
            doc.Picture1.Refresh();
            FitWindowToPicture(doc);
            doc.Form_Resize();
            form->setCaption(r.caption);
            doc.Tag = r.tag;
            doc.Undo(3);
            doc.setSaveReq(true);
        }
        removeRecord(r.id);
    }
    if (recover)
        main->CEOD();
}

} // namespace

void StartRecovery(frmMain *main)
{
    offerRecords(main);
    auto keeper = std::make_shared<RecoveryKeeper>();
    auto *timer = new QTimer(main);
    timer->setInterval(2000);
    QObject::connect(timer, &QTimer::timeout, main, [main, keeper] {
        // A stroke under way is not interrupted: the copy waits for the next tick.
        if (QGuiApplication::mouseButtons() != Qt::NoButton)
            return;
        QList<const Document *> docs;
        for (frmDocument *f : main->documents())
            docs << &f->doc();
        keeper->sync(docs);
    });
    // A clean end (the main window closes) leaves nothing to recover.
    QObject::connect(main, &QObject::destroyed, [keeper] { keeper->clear(); });
    timer->start();
}

} // namespace orv
