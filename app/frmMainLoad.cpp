// The main window's load and unload sequences.

#include "app/frmMain.h"

#include "app/RecentFiles.h"
#include "app/Settings.h"
#include "app/frmOptions.h"
#include "base/AppInfo.h"
#include "base/Conversions.h"
#include "base/ResStrings.h"
#include "base/ResStringsWidget.h"
#include "base/ToolArt.h"
#include "document/frmDocument.h"
#include "tools/ColourBoxWidget.h"
#include "tools/OrvSliderWidget.h"
#include "tools/frmTextDialog.h"

#include <QActionGroup>
#include <algorithm>
#include <QGuiApplication>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDockWidget>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace orv {

namespace {

constexpr QSize kSmallestWindow(320, 240);

// Where the window manager's frame is known only once the window is shown: the client size is
// corrected by the frame's margins when they first appear, so that the outer window (what is
// saved at exit) is the rectangle that was asked for. It stops after its first correction, or
// two seconds after the window was shown, so it never fights the user.
class OuterPlacer : public QObject {
public:
    OuterPlacer(QWidget *window, QRect outer) : QObject(window), m_window(window), m_outer(outer)
    {
        setObjectName(QStringLiteral("OuterPlacer"));
        window->installEventFilter(this);
        if (window->isVisible())
            startDeadline();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (watched == m_window) {
            if (e->type() == QEvent::Show)
                startDeadline();
            else if (e->type() == QEvent::Move || e->type() == QEvent::Resize)
                QTimer::singleShot(0, this, [this] { correct(); });
        }
        return false;
    }

private:
    void startDeadline()
    {
        // The frame may come after the window's first moves: it is looked for now and then too.
        if (!m_deadline) {
            m_deadline = true;
            QTimer::singleShot(2000, this, &QObject::deleteLater);
            m_poll = new QTimer(this);
            connect(m_poll, &QTimer::timeout, this, [this] { correct(); });
            m_poll->start(50);
        }
    }

    void correct()
    {
        if (m_done)
            return;
        const QRect frame = m_window->frameGeometry();
        const QRect client = m_window->geometry();
        if (frame == client || m_window->isMaximized() || m_window->isFullScreen() || m_window->isMinimized())
            return;   // not framed yet, or not a normal window
        if (frame != m_outer) {
            m_window->resize(m_outer.size() - (frame.size() - client.size()));
            m_window->move(m_outer.topLeft());
        }
        m_done = true;
        m_window->removeEventFilter(this);
        if (m_poll)
            m_poll->stop();
        deleteLater();
    }

    QWidget *m_window;
    QRect m_outer;
    QTimer *m_poll = nullptr;
    bool m_deadline = false;
    bool m_done = false;
};

QRect ScreenAreaFor(const QRect &outer)
{
    // The screen the rectangle lies on most; the primary one when it lies on none.
    QScreen *best = nullptr;
    qint64 bestArea = 0;
    for (QScreen *s : QGuiApplication::screens()) {
        const QRect common = s->availableGeometry().intersected(outer);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = s;
            bestArea = area;
        }
    }
    if (!best)
        best = QGuiApplication::primaryScreen();
    return best ? best->availableGeometry() : QRect(0, 0, 1024, 768);
}

QRect FitOnScreen(const QRect &outer, const QRect &area)
{
    QSize size = outer.size().expandedTo(kSmallestWindow).boundedTo(area.size());
    const int x = std::clamp(outer.x(), area.left(), area.left() + area.width() - size.width());
    const int y = std::clamp(outer.y(), area.top(), area.top() + area.height() - size.height());
    return QRect(QPoint(x, y), size);
}

QMargins OuterMargins(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom());
}

void PlaceOuterWindow(QWidget *window, const QRect &outer)
{
    // move() places the frame's corner; resize() sizes the inside, so the frame's margins, where
    // they are known already, come off the size.
    const QMargins frame = OuterMargins(window);
    window->move(outer.topLeft());
    window->resize(outer.size().shrunkBy(frame));
    delete window->findChild<QObject *>(QStringLiteral("OuterPlacer"), Qt::FindDirectChildrenOnly);
    new OuterPlacer(window, outer);
}

QRect OuterNormalGeometry(const QWidget *window)
{
    // A maximized window gives the place it comes back to; the frame as it is now.
    const QRect client = (window->isMaximized() || window->isFullScreen()) ? window->normalGeometry() : window->geometry();
    return client.marginsAdded(OuterMargins(window));
}

} // namespace

// Load and unload
// ---------------------------------------------------------------------------------------------

void frmMain::MDIForm_Load()
{
    // 1. Caption.
    setWindowTitle(AppTitle());

    // 2.-4., 8., 9. Settings in the order of the key table.
    MainWindowSettings ui;
    ui.colorBoxAlign = std::int16_t(ColorBoxAlign());
    const QSize screen = ScreenPixels();
    LoadMainSettings(m_state, ui, ScreenDefaults{float(screen.width() * TwipsPerPixelX()),
                                                 float(screen.height() * TwipsPerPixelY())});
    // The stored rectangle is the outer window, frame included, kept on the screen.
    const QRect stored(CInt(ui.left / TwipsPerPixelX()), CInt(ui.top / TwipsPerPixelY()),
                       CInt(ui.width / TwipsPerPixelX()), CInt(ui.height / TwipsPerPixelY()));
    PlaceOuterWindow(this, FitOnScreen(stored, ScreenAreaFor(stored)));
    setColorBoxAlign(ui.colorBoxAlign);  // 3 left, 4 right; other edges dock left
    menuItem(QStringLiteral("mnuViewColorBox"))->setChecked(ui.viewColorBox);
    menuItem(QStringLiteral("mnuViewToolStd"))->setChecked(ui.viewToolStd);
    menuItem(QStringLiteral("mnuViewStatusBar"))->setChecked(ui.viewStatusBar);
    menuItem(QStringLiteral("mnuViewEdit"))->setChecked(ui.viewEdit);

    // 5.-7. Toolbars, colour box and status bar follow the View check marks.
    m_TbStd->setVisible(ui.viewToolStd);
    m_TbEdit->setVisible(ui.viewEdit);
    UpdateCoolBar();
    m_property1->setVisible(ui.viewColorBox);
    statusBar()->setVisible(ui.viewStatusBar);

    // 9. Recent files.
    for (int i = 1; i <= 6; ++i) {
        QAction *mru = menuItem(QStringLiteral("mnuFileMRU(%1)").arg(i));
        mru->setText(RecentMenuText(ui.mruCaption[std::size_t(i)]));
        mru->setVisible(ui.mruVisible[std::size_t(i)]);
    }
    menuItem(QStringLiteral("mnuFileBar5"))->setVisible(ui.fileSeparatorVisible);

    // 10. The Programs menu.
    LoadProgramMenu();

    // 11. The current tool's property panels.
    m_state.propertyRefresh = true;
    UpdateProperties();
    m_state.propertyRefresh = true;

    // 12. The start-up tool state.
    InitToolState();

    // 13.-16.
    CEOD();
    bool keepFonts = false;
    LoadResStrings(this, keepFonts);
    // The box keeps one width whichever property sliders the tool shows, so the workspace and
    // the images in it do not shift sideways when the tool changes.
    int widest = 0;
    for (QWidget *w : std::initializer_list<QWidget *>{m_colourBox, m_optWidth, m_optDensity, m_optRadius, m_lblNothing})
        widest = std::max(widest, w->sizeHint().width());
    m_property1->widget()->setMinimumWidth(widest + 4);
    SetForeSwatch(m_state.foreColour);
    SetBackSwatch(m_state.backColour);
    Hide_Density();
    Hide_Radius();
    Hide_Width();
    m_timerCEOD->start();
}

void frmMain::InitToolState()
{
    m_state.currentTool = QStringLiteral("Select");
    StoreDefaultColors(1, ColourCellCount);
    InitToolPropertiesAtStartup(m_state);
    // The flag is cleared before the ranges narrow: a narrowing pulls the slider's value inside
    // the range and reports it as a change, which must not reach the records just read.
    m_state.propertyRefresh = false;
    m_optDensity->setRange(1, 500);
    m_optRadius->setRange(5, 150);
    m_optWidth->setRange(1, 16);
    setTag(m_optDensity, QStringLiteral("1209"));
    setTag(m_optRadius, QStringLiteral("1208"));
    setTag(m_optWidth, QStringLiteral("1207"));
    m_optDensity->setCaption(QStringLiteral("Density"));
    m_optRadius->setCaption(QStringLiteral("Radius"));
    m_optWidth->setCaption(QStringLiteral("Width"));
    for (int i = 0; i < ColourCellCount; ++i)
        m_colourBox->LblColor(i)->setCursor(ToolCursorFor(QStringLiteral("Dropper")));
    if (m_state.options.OpenImageOnstartup)
        NewDocument();
    if (m_state.brush.style == BS_HOLLOW)
        m_tbStd.value(QStringLiteral("Transparent"))->setChecked(true);
    else if (m_state.brush.style == BS_SOLID)
        m_tbStd.value(QStringLiteral("Filled"))->setChecked(true);
    m_state.zoomFactor = StartupZoomFactor;
}

void frmMain::closeEvent(QCloseEvent *e)
{
    // Every document closes first, the front one first; each may ask, and a Cancel ends the
    // whole shut-down there: the windows after it are not asked.
    QList<QMdiSubWindow *> windows = m_mdi->subWindowList(QMdiArea::StackingOrder);
    std::reverse(windows.begin(), windows.end());
    for (QMdiSubWindow *w : windows) {
        if (!w->close()) {
            e->ignore();
            return;
        }
    }
    if (!m_mdi->subWindowList().isEmpty()) {
        e->ignore();
        return;
    }
    if (!m_unloaded)
        MDIForm_Unload();
    e->accept();
}

void frmMain::MDIForm_Unload()
{
    m_unloaded = true;
    m_timerCEOD->stop();
    MainWindowSettings ui;
    const QRect g = OuterNormalGeometry(this);
    ui.left = float(g.x() * TwipsPerPixelX());
    ui.top = float(g.y() * TwipsPerPixelY());
    ui.width = float(g.width() * TwipsPerPixelX());
    ui.height = float(g.height() * TwipsPerPixelY());
    ui.colorBoxAlign = std::int16_t(ColorBoxAlign());
    ui.viewColorBox = menuItem(QStringLiteral("mnuViewColorBox"))->isChecked();
    ui.viewToolStd = menuItem(QStringLiteral("mnuViewToolStd"))->isChecked();
    ui.viewStatusBar = menuItem(QStringLiteral("mnuViewStatusBar"))->isChecked();
    ui.viewEdit = menuItem(QStringLiteral("mnuViewEdit"))->isChecked();
    for (int i = 1; i <= 6; ++i) {
        QAction *mru = menuItem(QStringLiteral("mnuFileMRU(%1)").arg(i));
        ui.mruCaption[std::size_t(i)] = RecentPathFromMenuText(mru->text());
        ui.mruVisible[std::size_t(i)] = mru->isVisible();
    }
    ui.fileSeparatorVisible = menuItem(QStringLiteral("mnuFileBar5"))->isVisible();
    SaveMainSettings(m_state, ui, isMinimized());
    RegisterProgram();
    UnloadZoomWindow();
}

} // namespace orv
