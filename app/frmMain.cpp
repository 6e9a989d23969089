// The main window: its construction, its documents and the View menu's switches. The rest of
// its work is split by what it does: frmMainBuild (menus, toolbars, panels), frmMainLoad (load
// and unload), frmMainTools (tool selection and properties), frmMainCommands (command state and
// the services documents ask for), frmMainFile, frmMainImage, frmMainColour, frmMainWindow.
#include "app/frmMain.h"

#include "app/frmOptions.h"
#include "base/AppInfo.h"
#include "base/ResStrings.h"
#include "base/ToolArt.h"
#include "document/frmDocument.h"

#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace orv {

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(QIcon(QPixmap::fromImage(AppIconImage(64))));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MDIClient"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    setAcceptDrops(true);   // files and pictures dropped on the window: frmMainDrop.cpp
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &frmMain::onSubWindowActivated);

    buildMenus();
    buildToolbars();
    buildPropertyPanel();
    buildStatusBar();

    m_timerCEOD = new QTimer(this);
    m_timerCEOD->setObjectName(QStringLiteral("TimerCEOD"));
    m_timerCEOD->setInterval(1000);
    connect(m_timerCEOD, &QTimer::timeout, this, [this] {
        CEOD();
        m_timerCEOD->start();
    });
    connectWindowHelpCommands();
}

frmMain::~frmMain()
{
    // The base classes destroy the children (the workspace and its image windows, the dock, the
    // colour box) after this object has stopped being a frmMain; signals they send on the way
    // (the workspace's activation change, a window's destroyed) must not reach its slots.
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
}

// ---------------------------------------------------------------------------------------------
// Documents
// ---------------------------------------------------------------------------------------------

frmDocument *frmMain::ActiveForm() const
{
    QMdiSubWindow *w = m_mdi->activeSubWindow();
    if (!w)
        w = m_mdi->currentSubWindow();
    return w ? qobject_cast<frmDocument *>(w->widget()) : nullptr;
}

Document *frmMain::activeDocument()
{
    frmDocument *f = ActiveForm();
    return f ? &f->doc() : nullptr;
}

QList<frmDocument *> frmMain::documents() const
{
    QList<frmDocument *> out;
    for (QMdiSubWindow *w : m_mdi->subWindowList())
        if (auto *f = qobject_cast<frmDocument *>(w->widget()))
            out << f;
    return out;
}

frmDocument *frmMain::createDocument(int &counter)
{
    ++counter;
    auto *form = new frmDocument(*this);
    QMdiSubWindow *sub = m_mdi->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    form->setSubWindow(sub);
    connect(sub, &QObject::destroyed, this, [this] { QTimer::singleShot(0, this, [this] { CEOD(); }); });
    Document &doc = form->doc();
    form->setCaption(LoadResString(1168) + QString::number(counter));
    doc.Form_Load();
    m_mdi->setActiveSubWindow(sub);
    doc.IsImageWindow = true;
    doc.setFormIzin(true);
    sub->show();
    doc.Picture1.resize(m_state.options.NewFileWidth, m_state.options.NewFileHeight);
    doc.Picture1.Cls();
    doc.Picture1.Refresh();
    doc.StartUp();
    doc.Form_Resize();
    doc.setFormIzin(false);
    doc.Tag = QStringLiteral("UnRegister");
    doc.setFormIzin(true);
    CEOD();
    emit documentCreated(form);
    return form;
}

frmDocument *frmMain::NewDocument()
{
    frmDocument *form = createDocument(m_newCounter);
    form->doc().Undo(3);
    return form;
}

frmDocument *frmMain::NewDocumentShell()
{
    return createDocument(m_shellCounter);
}

void frmMain::onSubWindowActivated(QMdiSubWindow *w)
{
    if (!w || w == m_lastActive)
        return;
    m_lastActive = w;
    if (auto *f = qobject_cast<frmDocument *>(w->widget()))
        f->doc().Form_Activate();
}

// ---------------------------------------------------------------------------------------------
// Commands
// ---------------------------------------------------------------------------------------------

// The File menu's commands are in frmMainFile.cpp.

void frmMain::mnuEditOptions_Click()
{
    frmOptions dlg(m_state, [this] { return ActiveForm() != nullptr; }, this);
    dlg.exec();
}

void frmMain::mnuViewToolStd_Click()
{
    m_TbStd->setVisible(menuItem(QStringLiteral("mnuViewToolStd"))->isChecked());
    UpdateCoolBar();
}

void frmMain::mnuViewEdit_Click()
{
    m_TbEdit->setVisible(menuItem(QStringLiteral("mnuViewEdit"))->isChecked());
    UpdateCoolBar();
}

void frmMain::mnuViewColorBox_Click()
{
    m_property1->setVisible(menuItem(QStringLiteral("mnuViewColorBox"))->isChecked());
}

void frmMain::mnuViewStatusBar_Click()
{
    statusBar()->setVisible(menuItem(QStringLiteral("mnuViewStatusBar"))->isChecked());
}

void frmMain::mnuViewRefresh_Click()
{
    if (Document *d = activeDocument())
        d->Refresh();
}

} // namespace orv
