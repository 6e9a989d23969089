// The main window's load and unload sequences.

#include "app/frmMain.h"

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
    const QRect geometry(CInt(ui.left / TwipsPerPixelX()), CInt(ui.top / TwipsPerPixelY()),
                         CInt(ui.width / TwipsPerPixelX()), CInt(ui.height / TwipsPerPixelY()));
    move(geometry.topLeft());
    resize(geometry.size().expandedTo(QSize(320, 240)));
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
        mru->setText(ui.mruCaption[std::size_t(i)]);
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
    // Every document closes first; each may ask and may cancel the whole shut-down.
    m_mdi->closeAllSubWindows();
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
    const QRect g = (isMaximized() || isFullScreen()) ? normalGeometry() : geometry();
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
        ui.mruCaption[std::size_t(i)] = mru->text();
        ui.mruVisible[std::size_t(i)] = mru->isVisible();
    }
    ui.fileSeparatorVisible = menuItem(QStringLiteral("mnuFileBar5"))->isVisible();
    SaveMainSettings(m_state, ui, isMinimized());
    RegisterProgram();
    UnloadZoomWindow();
}

} // namespace orv
