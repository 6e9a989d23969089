// The main window's Window, View and Help commands that open other windows, the tip of the day,
// the Programs menu and the zoom view.
#include "app/frmMain.h"

#include "base/AppInfo.h"
#include "app/HelpIndex.h"
#include "app/ProgramList.h"
#include "base/ResStrings.h"
#include "base/ResStringsWidget.h"
#include "base/SettingsStore.h"
#include "app/frmHelp.h"
#include "app/frmTip.h"
#include "aux/BrowserEngine.h"
#include "aux/frmAbout.h"
#include "aux/frmBrowse.h"
#include "aux/frmBrowser.h"
#include "aux/frmZoom.h"
#include "document/frmDocument.h"
#include "base/ToolArt.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QScrollBar>
#include <QStyle>
#include <cmath>

namespace orv {

namespace {

// The help keyword of each tool: the name the tool bar shows for it (the keywords of the tools
// page are those names).
QString toolKeyword(const QString &tool)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("Cont Line"), QStringLiteral("Continuous Line")},
        {QStringLiteral("Cont Line Step2"), QStringLiteral("Continuous Line")},
        {QStringLiteral("Ellipse1"), QStringLiteral("Ellipse")},
        {QStringLiteral("Ellipse2"), QStringLiteral("Ellipse")},
        {QStringLiteral("Move"), QStringLiteral("Marquee")},
        {QStringLiteral("Select"), QStringLiteral("Tools")},
        {QStringLiteral("Zoom"), QStringLiteral("Zoom Window")},
    };
    return names.value(tool, tool);
}

QList<QMdiSubWindow *> arrangeable(QMdiArea *mdi, bool minimized)
{
    QList<QMdiSubWindow *> out;
    for (QMdiSubWindow *w : mdi->subWindowList(QMdiArea::CreationOrder))
        if (w->isVisible() && w->isMinimized() == minimized)
            out << w;
    return out;
}

} // namespace

void frmMain::connectWindowHelpCommands()
{
    // Window: cascade, tiling in strips of the workspace; "Arrange Icons" lines the minimized
    // windows up along the bottom edge.
    connect(menuItem(QStringLiteral("mnuWindowCascade")), &QAction::triggered, this, &frmMain::mnuWindowCascade_Click);
    connect(menuItem(QStringLiteral("mnuWindowTileHorizontal")), &QAction::triggered, this,
            &frmMain::mnuWindowTileHorizontal_Click);
    connect(menuItem(QStringLiteral("mnuWindowTileVertical")), &QAction::triggered, this,
            &frmMain::mnuWindowTileVertical_Click);
    connect(menuItem(QStringLiteral("mnuWindowArrangeIcons")), &QAction::triggered, this,
            &frmMain::mnuWindowArrangeIcons_Click);
    connect(menuItem(QStringLiteral("mnuWindowNewWindow")), &QAction::triggered, this,
            &frmMain::mnuWindowNewWindow_Click);
    // Under the commands, the open images: the active one checked, choosing one brings it to the
    // front. The list is rebuilt each time the menu opens.
    if (QMenu *window = menu(QStringLiteral("mnuWindow")))
        connect(window, &QMenu::aboutToShow, this, &frmMain::UpdateWindowList);

    // View: the web browser, and the image browser after it.
    QAction *web = menuItem(QStringLiteral("mnuViewWebBrowser"));
    web->setIcon(ToolbarIcon(QStringLiteral("Web")));
    connect(web, &QAction::triggered, this, &frmMain::mnuViewWebBrowser_Click);
    if (QMenu *view = menu(QStringLiteral("mnuView"))) {
        auto *browse = new QAction(QStringLiteral("1063"), this);
        browse->setObjectName(QStringLiteral("mnuViewBrowse"));
        browse->setIcon(ToolbarIcon(QStringLiteral("Open")));
        view->addAction(browse);
        m_items.insert(browse->objectName(), browse);
        connect(browse, &QAction::triggered, this, &frmMain::mnuViewBrowse_Click);
    }

    // Help: contents, search, the tip of the day and whether it shows at start-up, about.
    QAction *contents = menuItem(QStringLiteral("mnuHelpContents"));
    contents->setIcon(ToolbarIcon(QStringLiteral("Help")));
    connect(contents, &QAction::triggered, this, &frmMain::mnuHelpContents_Click);
    QAction *search = menuItem(QStringLiteral("mnuHelpSearchForHelpOn"));
    search->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    connect(search, &QAction::triggered, this, &frmMain::mnuHelpSearchForHelpOn_Click);
    QAction *tips = menuItem(QStringLiteral("mnuHelpTooltip"));
    if (QMenu *help = menu(QStringLiteral("mnuHelp"))) {
        auto *tip = new QAction(QStringLiteral("1163"), this);
        tip->setObjectName(QStringLiteral("mnuHelpTipOfTheDay"));
        help->insertAction(tips, tip);
        m_items.insert(tip->objectName(), tip);
        connect(tip, &QAction::triggered, this, &frmMain::mnuHelpTipOfTheDay_Click);
    }
    tips->setCheckable(true);
    tips->setVisible(true);
    connect(tips, &QAction::triggered, this, &frmMain::mnuHelpTooltip_Click);
    QAction *about = menuItem(QStringLiteral("mnuHelpAbout"));
    about->setIcon(ToolbarIcon(QStringLiteral("About")));
    connect(about, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);

    // Programs.
    for (int i = 1; i <= 5; ++i)
        connect(menuItem(QStringLiteral("mnuProg(%1)").arg(i)), &QAction::triggered, this,
                [this, i] { mnuProg_Click(i); });
    connect(menu(QStringLiteral("mnuHelp")), &QMenu::aboutToShow, this, [this] {
        menuItem(QStringLiteral("mnuHelpTooltip"))->setChecked(frmTip::ShowTipsAtStartup());
    });
}

// ---------------------------------------------------------------------------------------------
// Window menu
// ---------------------------------------------------------------------------------------------

void frmMain::mnuWindowCascade_Click()
{
    // Each window keeps its size and steps one title bar down and right of the one before; a
    // window whose corner would leave the workspace starts again at the top left. The active
    // window comes last, on top.
    QList<QMdiSubWindow *> windows = arrangeable(m_mdi, false);
    if (windows.isEmpty())
        return;
    if (QMdiSubWindow *active = m_mdi->activeSubWindow(); active && windows.removeOne(active))
        windows << active;
    const QRect area = m_mdi->viewport()->rect();
    const int step = std::max(8, windows.first()->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.first()));
    QPoint corner = area.topLeft();
    for (QMdiSubWindow *w : windows) {
        if (w->isMaximized())
            w->showNormal();
        if (corner != area.topLeft() && (corner.x() + step > area.right() || corner.y() + step > area.bottom()))
            corner = area.topLeft();
        w->move(corner);
        w->raise();
        corner += QPoint(step, step);
    }
    m_mdi->setActiveSubWindow(windows.last());
}

void frmMain::tileSubWindows(bool horizontal)
{
    const QList<QMdiSubWindow *> windows = arrangeable(m_mdi, false);
    if (windows.isEmpty())
        return;
    QRect area = m_mdi->viewport()->rect();
    // Minimized windows keep a row along the bottom.
    const QList<QMdiSubWindow *> icons = arrangeable(m_mdi, true);
    if (!icons.isEmpty())
        area.setBottom(area.bottom() - icons.first()->height());
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *w = windows.at(i);
        if (w->isMaximized())
            w->showNormal();
        QRect r;
        if (horizontal) {   // one above the other, each the full width
            const int y0 = area.top() + area.height() * i / n;
            const int y1 = area.top() + area.height() * (i + 1) / n;
            r = QRect(area.left(), y0, area.width(), std::max(1, y1 - y0));
        } else {            // side by side, each the full height
            const int x0 = area.left() + area.width() * i / n;
            const int x1 = area.left() + area.width() * (i + 1) / n;
            r = QRect(x0, area.top(), std::max(1, x1 - x0), area.height());
        }
        w->setGeometry(r);
    }
}

void frmMain::mnuWindowTileHorizontal_Click()
{
    tileSubWindows(true);
}

void frmMain::mnuWindowTileVertical_Click()
{
    tileSubWindows(false);
}

void frmMain::mnuWindowArrangeIcons_Click()
{
    const QRect area = m_mdi->viewport()->rect();
    int x = area.left();
    int bottom = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow *w : arrangeable(m_mdi, true)) {
        const QSize s = w->size();
        if (x > area.left() && x + s.width() > area.right() + 1) {
            x = area.left();
            bottom -= rowHeight;
            rowHeight = 0;
        }
        w->move(x, bottom - s.height());
        x += s.width();
        rowHeight = std::max(rowHeight, s.height());
    }
}

void frmMain::mnuWindowNewWindow_Click()
{
    NewDocument();
}

// ---------------------------------------------------------------------------------------------
// View menu
// ---------------------------------------------------------------------------------------------

frmBrowser *frmMain::mnuViewWebBrowser_Click()
{
    // A browser that cannot start is refused with a message; it never takes the editor down.
    const QString refused = PrepareBrowserEngine();
    if (!refused.isEmpty()) {
        MsgBox(refused, Msg::Exclamation, AppTitle());
        return nullptr;
    }
    // Each one opens over the main window, a title bar further down and right than the last.
    const int open = int(browserWindows().size());
    auto *browser = new frmBrowser(LoadResString(1151), this);
    const int step = browser->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, browser);
    browser->move(browser->pos() + QPoint(step, step) * (open % 8));
    browser->show();
    return browser;
}

QList<frmBrowser *> frmMain::browserWindows() const
{
    return findChildren<frmBrowser *>(QString(), Qt::FindDirectChildrenOnly);
}

frmBrowse *frmMain::mnuViewBrowse_Click()
{
    auto *browse = qobject_cast<frmBrowse *>(m_browse.data());
    if (!browse) {
        browse = new frmBrowse(this);
        browse->setAttribute(Qt::WA_DeleteOnClose);
        connect(browse, &frmBrowse::openPicture, this, [this](const QString &path) { openFiles({path}); });
        m_browse = browse;
        const QString start = ActiveForm() && ActiveForm()->doc().Tag == QLatin1String("Register")
                                  ? QFileInfo(ActiveForm()->doc().Caption).absolutePath()
                                  : QDir::homePath();
        browse->show();
        browse->setDirPath(start);
    }
    browse->show();
    browse->raise();
    browse->activateWindow();
    return browse;
}

frmBrowse *frmMain::imageBrowser() const
{
    return qobject_cast<frmBrowse *>(m_browse.data());
}

// ---------------------------------------------------------------------------------------------
// Help menu
// ---------------------------------------------------------------------------------------------

frmHelp *frmMain::openHelp()
{
    auto *help = qobject_cast<frmHelp *>(m_help.data());
    if (!help) {
        help = new frmHelp(this);
        help->setAttribute(Qt::WA_DeleteOnClose);
    }
    QString error;
    if (!help->open(ResolveHelpFile(m_state.helpFile), &error)) {
        delete help;
        MsgBox(error, 16, AppTitle());
        return nullptr;
    }
    m_help = help;
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

frmHelp *frmMain::helpWindow() const
{
    return qobject_cast<frmHelp *>(m_help.data());
}

void frmMain::mnuHelpContents_Click()
{
    if (frmHelp *help = openHelp())
        help->showContents();
}

void frmMain::mnuHelpSearchForHelpOn_Click()
{
    // The search starts at the page of the tool in hand.
    if (frmHelp *help = openHelp())
        help->showSearch(toolKeyword(m_state.currentTool));
}

void frmMain::mnuHelpAbout_Click()
{
    frmAbout dlg(this);
    if (modalHook)
        modalHook(dlg);
    else
        dlg.exec();
}

void frmMain::mnuHelpTipOfTheDay_Click()
{
    frmTip dlg(this);
    if (modalHook)
        modalHook(dlg);
    else
        dlg.exec();
    menuItem(QStringLiteral("mnuHelpTooltip"))->setChecked(frmTip::ShowTipsAtStartup());
}

void frmMain::mnuHelpTooltip_Click()
{
    SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"),
                menuItem(QStringLiteral("mnuHelpTooltip"))->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void frmMain::ShowTipsAtStartup()
{
    menuItem(QStringLiteral("mnuHelpTooltip"))->setChecked(frmTip::ShowTipsAtStartup());
    if (frmTip::ShowTipsAtStartup())
        mnuHelpTipOfTheDay_Click();
}

// ---------------------------------------------------------------------------------------------
// Programs menu
// ---------------------------------------------------------------------------------------------

void frmMain::LoadProgramMenu()
{
    const QList<SiblingProgram> siblings = LoadSiblingPrograms(AppTitle(), 5);
    for (int i = 1; i <= int(siblings.size()); ++i) {
        QAction *item = menuItem(QStringLiteral("mnuProg(%1)").arg(i));
        item->setText(siblings.at(i - 1).title);
        item->setVisible(true);
        setTag(item, siblings.at(i - 1).path);
        menuItem(QStringLiteral("mnuOrvPrograms"))->setVisible(true);
    }
}

void frmMain::RegisterProgram()
{
    orv::RegisterProgram(CurrentProgramFacts());
}

void frmMain::mnuProg_Click(int index)
{
    // Every failure is ignored: a sibling that is not installed simply does not start. (Raising
    // a running copy by its title is left to the window manager: the started copy is the one
    // that comes to the front.)
    QAction *item = menuItem(QStringLiteral("mnuProg(%1)").arg(index));
    if (!item)
        return;
    const QString program = SiblingExecutable(item->text(), tag(item));
    if (program.isEmpty())
        return;
    if (startProgramHook)
        startProgramHook(program);
    else
        QProcess::startDetached(program, {}, QFileInfo(program).absolutePath());
}

// ---------------------------------------------------------------------------------------------
// Zoom view
// ---------------------------------------------------------------------------------------------

frmZoom *frmMain::zoomWindow() const
{
    return qobject_cast<frmZoom *>(m_zoom.data());
}

void frmMain::ShowZoomWindow(bool show)
{
    frmZoom *zoom = zoomWindow();
    if (show) {
        if (!zoom) {
            zoom = new frmZoom(*this, this);
            m_zoom = zoom;
        }
        m_state.zoomWindow = true;
        zoom->show();
        zoom->raise();
    } else {
        m_state.zoomWindow = false;
        if (zoom)
            zoom->hide();
    }
    SetToolbarButtonValue(QStringLiteral("Zoom"), show ? 1 : 0);
}

void frmMain::UnloadZoomWindow()
{
    if (frmZoom *zoom = zoomWindow()) {
        zoom->Form_Unload();
        delete zoom;
    }
}

Surface *frmMain::ZoomSurface()
{
    frmZoom *zoom = zoomWindow();
    return zoom && zoom->isVisible() ? &zoom->surface() : nullptr;
}

void frmMain::ZoomFollow(const Document &doc, float X, float Y)
{
    frmZoom *zoom = zoomWindow();
    if (!zoom || !zoom->isVisible())
        return;
    // The window that owns the document guards the zoom view against a document closed before
    // the next frame. Moves come from one document at a time, so the look-up is rare.
    if (m_zoomDoc != &doc || !m_zoomDocForm) {
        m_zoomDoc = &doc;
        m_zoomDocForm = nullptr;
        for (frmDocument *f : documents())
            if (&f->doc() == &doc)
                m_zoomDocForm = f;
    }
    if (m_zoomDocForm)
        zoom->follow(doc, m_zoomDocForm, QPointF(X, Y));
}

void frmMain::UpdateWindowList()
{
    QMenu *window = menu(QStringLiteral("mnuWindow"));
    if (!window)
        return;
    for (QAction *a : window->actions())
        if (a->property("WindowListEntry").toBool()) {
            window->removeAction(a);
            a->deleteLater();
        }
    const QList<frmDocument *> docs = documents();
    if (docs.isEmpty())
        return;
    QAction *bar = window->addSeparator();
    bar->setProperty("WindowListEntry", true);
    const frmDocument *active = ActiveForm();
    int n = 0;
    for (frmDocument *doc : docs) {
        ++n;
        const QString caption = doc->doc().Caption.isEmpty() ? QStringLiteral("(%1)").arg(n) : doc->doc().Caption;
        auto *a = new QAction(n <= 9 ? QStringLiteral("&%1 %2").arg(n).arg(caption) : caption, window);
        a->setProperty("WindowListEntry", true);
        a->setCheckable(true);
        a->setChecked(doc == active);
        QPointer<QMdiSubWindow> sub = doc->subWindow();
        connect(a, &QAction::triggered, this, [this, sub] {
            if (sub)
                workspace()->setActiveSubWindow(sub);
        });
        window->addAction(a);
    }
}

} // namespace orv
