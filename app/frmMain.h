// The main window: menus, the two toolbars, the colour box and property panel, the status bar
// and the workspace that holds the document windows. It owns the shared state and is every
// document's host.
#pragma once

#include "base/AppState.h"
#include "base/PictureLoader.h"
#include "document/DocumentHost.h"
#include "tools/Palette.h"

#include <QColor>
#include <QHash>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QActionGroup;
class QDialog;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMenu;
class QPainter;
class QPrinter;
class QProgressDialog;
class QTimer;
class QToolBar;

namespace orv {

class ColourBoxWidget;
class OrvSlider;
class frmBrowse;
class frmBrowser;
class frmDocument;
class frmFontDialog;
class frmHelp;
class frmZoom;
class frmNewImage;

// What the open and save dialogs are asked; a file-dialog hook answers it in tests.
struct FileDialogRequest {
    QString title;
    QString filter;        // string-table filter, entries separated by ";;"
    int filterIndex = 1;   // 1-based
    QString defaultExt;    // without the dot
    QString fileName;      // the name the dialog starts with
};

class frmMain : public QMainWindow, public DocumentHost {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Runs the whole load sequence; called once before the window is first shown.
    void MDIForm_Load();
    void MDIForm_Resize() {}

    // --- controls, by their names --------------------------------------------------------
    QAction *menuItem(const QString &name) const { return m_items.value(name); }
    QMenu *menu(const QString &name) const { return m_menus.value(name); }
    QAction *tbStdButton(const QString &key) const { return m_tbStd.value(key); }
    QAction *tbEditButton(const QString &key) const { return m_tbEdit.value(key); }
    QToolBar *TbStd() const { return m_TbStd; }
    QToolBar *TbEdit() const { return m_TbEdit; }
    QMdiArea *workspace() const { return m_mdi; }
    QDockWidget *Property1() const { return m_property1; }
    QStatusBar *sbStatusBar() const;
    QString statusPanelText(int panel) const;
    QLabel *LblNothing() const { return m_lblNothing; }
    OrvSlider *OptWidth() const { return m_optWidth; }
    OrvSlider *OptDensity() const { return m_optDensity; }
    OrvSlider *OptRadius() const { return m_optRadius; }
    ColourBoxWidget *colourBox() const { return m_colourBox; }
    QTimer *TimerCEOD() const { return m_timerCEOD; }

    // The docking side of the colour box: 3 left, 4 right.
    int ColorBoxAlign() const;
    void setColorBoxAlign(int align);

    // --- documents ----------------------------------------------------------------------
    frmDocument *ActiveForm() const;
    QList<frmDocument *> documents() const;
    frmDocument *NewDocument();
    frmDocument *NewDocumentShell();

    // --- tools and command state -------------------------------------------------------------
    void CEOD() override;
    // The open images listed at the foot of the Window menu.
    void UpdateWindowList();
    void UpdateProperties();
    void ReadProperties();
    void Show_Width();
    void Hide_Width();
    void Show_Density();
    void Hide_Density();
    void Show_Radius();
    void Hide_Radius();
    void StoreDefaultColors(int mode, int count);
    void InitToolState();
    void TbEdit_ButtonClick(const QString &key);
    // The Colour menu's "Set Transparent Color": a one-shot tool, like the tool bar's Dropper.
    void mnuColorSetTransparent_Click();
    void TbStd_ButtonClick(const QString &key);
    // Sets the active document's drawing font and colour through the system font dialog.
    void EditFont();
    void UpdateCoolBar();
    std::array<Colour, 49> &defaultColours() { return m_defaultColours; }

    // --- DocumentHost ------------------------------------------------------------------------
    AppState &state() override { return m_state; }
    Document *activeDocument() override;
    int MsgBox(const QString &text, int style, const QString &title) override;
    QString InputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    void Beep() override;
    void setStatusText(int panel, const QString &text) override;
    void UpdateUndoRedo(bool canUndo, bool canRedo) override;
    int ToolbarButtonValue(const QString &key) override;
    void SetToolbarButtonValue(const QString &key, int value) override;
    void ToolResumed() override;
    void SetPasteEnabled(bool enabled) override;
    void ShowPopupMenu(Document &doc, QPoint clientPos, bool showMove, bool showOk) override;
    void SetForeSwatch(Colour c) override;
    void SetBackSwatch(Colour c) override;
    void mnuFileSaveAs_Click() override;
    void ShowTextDialog() override;
    void ZoomFollow(const Document &doc, float X, float Y) override;
    QPoint GetCursorPos() override;
    void SetCursorPos(QPoint p) override;
    int TwipsPerPixelX() override;
    int TwipsPerPixelY() override;
    QSize ScreenPixels() override;

    // Message and input boxes go through these hooks when set, so tests can answer them.
    std::function<int(const QString &text, int style, const QString &title)> msgBoxHook;
    std::function<QString(const QString &prompt, const QString &title, const QString &def)> inputBoxHook;
    // The open and save dialogs go through these when set: they return the chosen path, or an
    // empty text for Cancel. The new-image hook runs the dialog instead of exec(): it sets the
    // controls and presses OK or Cancel. The page set-up hook answers the printer set-up
    // dialog (true for OK).
    std::function<QString(const FileDialogRequest &)> openFileHook;
    std::function<QString(const FileDialogRequest &)> saveFileHook;
    std::function<void(frmNewImage &)> newImageHook;
    std::function<bool(QPrinter &)> pageSetupHook;
    // The Image menu's rotate, resize and canvas-size dialogs go through this when set: it runs
    // the dialog instead of exec() (sets its controls, presses OK or Cancel).
    std::function<void(QDialog &)> imageDialogHook;
    // The drawing-font dialog goes through this when set instead of exec().
    std::function<void(frmFontDialog &)> fontDialogHook;

    // The application's printer: page set-up changes it, Print prints on it.
    QPrinter &printer();
    // Opens each file as the Open command does (files given on the command line).
    void openFiles(const QStringList &paths);
    // A picture with no file behind it (dragged from another program) as a new document.
    frmDocument *OpenDroppedPicture(const QImage &picture);
    // Loads a picture file into a new document window; false (and no window left) on failure,
    // with the text to show in `message` (empty when the user cancelled the loading).
    bool OpenPictureFile(const QString &path, QString *message = nullptr);
    // A picture that takes longer than this to load shows a progress window with Cancel; the
    // window keeps running meanwhile. The hook, when set, gets the progress window once shown.
    int loadProgressDelayMs = 400;
    std::function<void(QProgressDialog &)> loadProgressHook;
    // A dragged panel dropped on the window at x (pixels of the inner area).
    void MDIForm_DragDrop(QWidget *source, int x, int y);

    // --- colour box and palette files (frmMainColour.cpp) ------------------------------------
    // Double-clicks: a cell takes the colour chosen in the colour dialog; a swatch and the
    // foreground (background) colour take it. Cancel changes nothing.
    void LblColor_DblClick(int index);
    void LblFore_DblClick();
    void lblBack_DblClick();
    // The Colour menu's "Load Color Palette" and "Save Colors".
    void mnuColorLoad_Click();
    void mnuColorSave_Click();
    // The colour box dropped at x (pixels of the main window's inner area) after a drag of its
    // title: docks left when x is less than the box's width, right when x is within the box's
    // width of the right edge or beyond it, and otherwise stays where it is.
    void dockColourBoxAt(int x);
    // The colour dialog goes through this hook when set: it gets the starting colour and
    // returns the chosen one, or nothing for Cancel.
    std::function<std::optional<QColor>(const QColor &initial)> colorDialogHook;
    // The palette file dialogs go through these when set: they get the starting folder and the
    // filter, and return the chosen path, or an empty text for Cancel.
    std::function<QString(const QString &folder, const QString &filter)> paletteOpenHook;
    std::function<QString(const QString &folder, const QString &filter)> paletteSaveHook;

    // --- commands --------------------------------------------------------------------------
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileClose_Click();
    void mnuFileSave_Click();
    void mnuFileRename_Click();
    void mnuFilePageSetup_Click();
    void mnuFilePrint_Click();
    void mnuFileExit_Click();
    void mnuFileMRU_Click(int index);
    void mnuEditOptions_Click();
    void mnuViewToolStd_Click();
    void mnuViewEdit_Click();
    void mnuViewColorBox_Click();
    void mnuViewStatusBar_Click();
    void mnuViewRefresh_Click();

    // --- window, help, tips, programs and side windows (frmMainWindow.cpp) ------------------
    void mnuWindowCascade_Click();
    void mnuWindowTileHorizontal_Click();   // one above the other
    void mnuWindowTileVertical_Click();     // side by side
    void mnuWindowArrangeIcons_Click();     // minimized windows along the bottom
    void mnuWindowNewWindow_Click();
    frmBrowser *mnuViewWebBrowser_Click();  // one more browser window on each use
    frmBrowse *mnuViewBrowse_Click();       // the image browser (one, brought to the front)
    void mnuHelpContents_Click();
    void mnuHelpSearchForHelpOn_Click();    // opens at the page of the current tool
    void mnuHelpAbout_Click();
    void mnuHelpTipOfTheDay_Click();
    void mnuHelpTooltip_Click();            // "Show Tips on Startup", checkable
    void mnuProg_Click(int index);
    // Shows the tip of the day when "Show Tips at Startup" is 1 (called once the program runs).
    void ShowTipsAtStartup();
    // Opens (creating it the first time) or hides the zoom view, with the switch and button.
    void ShowZoomWindow(bool show);
    frmZoom *zoomWindow() const;
    // The zoom window's surface while it is shown, else nullptr.
    Surface *ZoomSurface();
    frmHelp *helpWindow() const;
    frmBrowse *imageBrowser() const;
    QList<frmBrowser *> browserWindows() const;
    // The about and tip dialogs go through this when set instead of exec().
    std::function<void(QDialog &)> modalHook;
    // Starting a sibling program goes through this when set.
    std::function<void(const QString &program)> startProgramHook;

signals:
    void documentCreated(orv::frmDocument *doc);

protected:
    void closeEvent(QCloseEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    void buildMenus();
    void buildToolbars();
    void buildPropertyPanel();
    void buildStatusBar();
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &shortcut = {},
                     bool visible = true);
    QMenu *addMenu(QMenu *parent, const QString &name, const QString &caption, bool visible = true);
    void setItemEnabled(const QString &name, bool enabled);
    void setButtonEnabled(QHash<QString, QAction *> &bar, const QString &key, bool enabled);
    void setToolFromMenu(const QString &tool, bool refresh);
    void MDIForm_Unload();
    frmDocument *createDocument(int &counter);
    void onSubWindowActivated(QMdiSubWindow *w);
    void connectColourBox();
    // The colour box's cells as a palette.
    PaletteCells paletteCells() const;
    void connectImageCommands();
    std::optional<Colour> ChooseColour(Colour initial);
    void UpdateRecentFiles(const QString &path);
    void SizeWindowToPicture(frmDocument *form, QSize picturePixels);
    LoadedPicture LoadPictureResponsively(const QString &path);
    void connectWindowHelpCommands();
    void LoadProgramMenu();
    void RegisterProgram();
    void UnloadZoomWindow();
    void tileSubWindows(bool horizontal);
    frmHelp *openHelp();

    AppState m_state;
    QMdiArea *m_mdi = nullptr;
    QHash<QString, QAction *> m_items;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, QAction *> m_tbStd;
    QHash<QString, QAction *> m_tbEdit;
    QToolBar *m_TbStd = nullptr;
    QToolBar *m_TbEdit = nullptr;
    QActionGroup *m_editGroup = nullptr;
    QActionGroup *m_shapeGroup = nullptr;
    QDockWidget *m_property1 = nullptr;
    ColourBoxWidget *m_colourBox = nullptr;
    QLabel *m_lblNothing = nullptr;
    OrvSlider *m_optWidth = nullptr;
    OrvSlider *m_optDensity = nullptr;
    OrvSlider *m_optRadius = nullptr;
    std::array<QLabel *, 3> m_panels{};
    QTimer *m_timerCEOD = nullptr;
    std::array<Colour, 49> m_defaultColours{};
    int m_newCounter = 0;
    int m_shellCounter = 0;
    bool m_unloaded = false;
    QPointer<QMdiSubWindow> m_lastActive;
    std::shared_ptr<QPrinter> m_printer;   // made on first use
    QPointer<QWidget> m_zoom;               // frmZoom
    const Document *m_zoomDoc = nullptr;    // the document the zoom view last followed
    QPointer<QWidget> m_zoomDocForm;        // and its window
    QPointer<QWidget> m_help;               // frmHelp
    QPointer<QWidget> m_browse;             // frmBrowse
};

} // namespace orv
