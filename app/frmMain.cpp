#include "app/frmMain.h"

#include "app/AppInfo.h"
#include "app/Conversions.h"
#include "app/ResStrings.h"
#include "app/ResStringsWidget.h"
#include "app/Settings.h"
#include "app/frmOptions.h"
#include "document/frmDocument.h"
#include "tools/ColourBoxWidget.h"
#include "tools/OrvSliderWidget.h"
#include "tools/ToolArt.h"
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

namespace {

// Tool names the tool toolbar knows; any other key selects "Select".
const QStringList EditToolKeys = {
    QStringLiteral("Pencil"), QStringLiteral("Marquee"), QStringLiteral("Freeform"), QStringLiteral("Select"),
    QStringLiteral("Line"), QStringLiteral("Cont Line"), QStringLiteral("Eraser"), QStringLiteral("Curve"),
    QStringLiteral("Zoom"), QStringLiteral("Rays"), QStringLiteral("Circle"), QStringLiteral("Ellipse1"),
    QStringLiteral("Ellipse2"), QStringLiteral("Rectangle"), QStringLiteral("Round Rectangle"),
    QStringLiteral("Triangle"), QStringLiteral("Star"), QStringLiteral("Fill"), QStringLiteral("Spray"),
    QStringLiteral("Brush"), QStringLiteral("Text"),
};

// What UpdateProperties shows for each tool: the width slider (pen tools), all three (spray),
// and the status text id.
struct ToolRow {
    const char *name;
    bool width;
    bool spray;
    int statusId;
};

constexpr ToolRow ToolTable[] = {
    {"Pencil", true, false, 1105},     {"Marquee", false, false, 1119},   {"Move", false, false, 1111},
    {"Select", false, false, 1116},    {"Line", true, false, 1117},       {"Cont Line", true, false, 1118},
    {"Eraser", false, false, 1106},    {"Curve", false, false, 1121},     {"Zoom", false, false, 1112},
    {"Rays", true, false, 1126},       {"Circle", true, false, 1122},     {"Ellipse1", true, false, 1123},
    {"Ellipse2", true, false, 1123},   {"Rectangle", true, false, 1125},  {"Round Rectangle", true, false, 1184},
    {"Triangle", true, false, 1183},   {"Star", true, false, 1185},       {"Fill", false, false, 1103},
    {"Spray", true, true, 1107},       {"Brush", false, false, 1128},     {"Dropper", false, false, 1127},
    {"Text", false, false, 1129},
};

const ToolRow *findTool(const QString &name)
{
    for (const ToolRow &row : ToolTable)
        if (name == QLatin1String(row.name))
            return &row;
    return nullptr;
}

} // namespace

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(QIcon(QPixmap::fromImage(AppIconImage(64))));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MDIClient"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
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

frmMain::~frmMain() = default;

// ---------------------------------------------------------------------------------------------
// Building the window
// ---------------------------------------------------------------------------------------------

QAction *frmMain::addItem(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &shortcut,
                          bool visible)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(name);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    a->setVisible(visible);
    menu->addAction(a);
    m_items.insert(name, a);
    return a;
}

QMenu *frmMain::addMenu(QMenu *parent, const QString &name, const QString &caption, bool visible)
{
    QMenu *m = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    m->menuAction()->setVisible(visible);
    m_menus.insert(name, m);
    m_items.insert(name, m->menuAction());
    return m;
}

void frmMain::buildMenus()
{
    auto sep = [this](QMenu *m, const QString &name = {}, bool visible = true) {
        QAction *s = m->addSeparator();
        if (!name.isEmpty()) {
            s->setObjectName(name);
            m_items.insert(name, s);
        }
        s->setVisible(visible);
        return s;
    };

    // File
    QMenu *file = addMenu(nullptr, QStringLiteral("mnuFile"), QStringLiteral("1000"));
    connect(addItem(file, QStringLiteral("mnuFileNew"), QStringLiteral("1001"), QKeySequence::New),
            &QAction::triggered, this, &frmMain::mnuFileNew_Click);
    connect(addItem(file, QStringLiteral("mnuFileOpen"), QStringLiteral("1002"), QKeySequence::Open),
            &QAction::triggered, this, &frmMain::mnuFileOpen_Click);
    connect(addItem(file, QStringLiteral("mnuFileClose"), QStringLiteral("1003"), QKeySequence(Qt::CTRL | Qt::Key_W)),
            &QAction::triggered, this, &frmMain::mnuFileClose_Click);
    sep(file);
    connect(addItem(file, QStringLiteral("mnuFileSave"), QStringLiteral("1004"), QKeySequence::Save),
            &QAction::triggered, this, &frmMain::mnuFileSave_Click);
    connect(addItem(file, QStringLiteral("mnuFileSaveAs"), QStringLiteral("1005"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
            &QAction::triggered, this, &frmMain::mnuFileSaveAs_Click);
    addItem(file, QStringLiteral("mnuFileSaveAll"), QStringLiteral("1006"), {}, false);
    sep(file);
    connect(addItem(file, QStringLiteral("mnuFileRename"), QStringLiteral("1011")), &QAction::triggered, this,
            &frmMain::mnuFileRename_Click);
    addItem(file, QStringLiteral("mnuFileProperties"), QStringLiteral("1007"), {}, false);
    sep(file);
    connect(addItem(file, QStringLiteral("mnuFilePageSetup"), QStringLiteral("1008")), &QAction::triggered, this,
            &frmMain::mnuFilePageSetup_Click);
    addItem(file, QStringLiteral("mnuFilePrintPreview"), QStringLiteral("1009"), {}, false);
    connect(addItem(file, QStringLiteral("mnuFilePrint"), QStringLiteral("1010"), QKeySequence::Print),
            &QAction::triggered, this, &frmMain::mnuFilePrint_Click);
    sep(file, QStringLiteral("mnuFileBar5"), false);
    for (int i = 1; i <= 6; ++i) {
        QAction *mru = addItem(file, QStringLiteral("mnuFileMRU(%1)").arg(i), QString(), {}, false);
        connect(mru, &QAction::triggered, this, [this, i] { mnuFileMRU_Click(i); });
    }
    sep(file);
    connect(addItem(file, QStringLiteral("mnuFileExit"), QStringLiteral("1012"), QKeySequence(Qt::CTRL | Qt::Key_Q)),
            &QAction::triggered, this, &frmMain::mnuFileExit_Click);

    // Edit
    QMenu *edit = addMenu(nullptr, QStringLiteral("mnuEdit"), QStringLiteral("1013"));
    QAction *undo = addItem(edit, QStringLiteral("mnuEditUndo"), QStringLiteral("1015"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    undo->setEnabled(false);
    connect(undo, &QAction::triggered, this, [this] { if (Document *d = activeDocument()) d->Undo(1); });
    QAction *redo = addItem(edit, QStringLiteral("mnuEditRedo"), QStringLiteral("1072"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    redo->setEnabled(false);
    connect(redo, &QAction::triggered, this, [this] { if (Document *d = activeDocument()) d->Undo(2); });
    sep(edit);
    auto cut = [this] {
        if (Document *d = activeDocument()) {
            d->sub_CUT();
            d->SnapshotAndSync(d->Picture1, d->Picture2, d->PicOrg, false);
        }
    };
    auto copy = [this] { if (Document *d = activeDocument()) d->sub_COPY(); };
    auto paste = [this] { if (Document *d = activeDocument()) d->sub_PASTE(); };
    connect(addItem(edit, QStringLiteral("mnuEditCut"), QStringLiteral("1016"), QKeySequence(Qt::CTRL | Qt::Key_X)),
            &QAction::triggered, this, cut);
    connect(addItem(edit, QStringLiteral("mnuEditCopy"), QStringLiteral("1017"), QKeySequence(Qt::CTRL | Qt::Key_C)),
            &QAction::triggered, this, copy);
    connect(addItem(edit, QStringLiteral("mnuEditPaste"), QStringLiteral("1018"), QKeySequence(Qt::CTRL | Qt::Key_V)),
            &QAction::triggered, this, paste);
    sep(edit);
    connect(addItem(edit, QStringLiteral("mnuEditOptions"), QStringLiteral("1024")), &QAction::triggered, this,
            &frmMain::mnuEditOptions_Click);

    // View
    QMenu *view = addMenu(nullptr, QStringLiteral("mnuView"), QStringLiteral("1020"));
    for (const auto &[name, id] : {std::pair{"mnuViewToolStd", "1073"}, std::pair{"mnuViewEdit", "1066"},
                                   std::pair{"mnuViewColorBox", "1065"}, std::pair{"mnuViewStatusBar", "1022"}}) {
        QAction *a = addItem(view, QString::fromLatin1(name), QString::fromLatin1(id));
        a->setCheckable(true);
        a->setChecked(true);
    }
    connect(menuItem(QStringLiteral("mnuViewToolStd")), &QAction::triggered, this, &frmMain::mnuViewToolStd_Click);
    connect(menuItem(QStringLiteral("mnuViewEdit")), &QAction::triggered, this, &frmMain::mnuViewEdit_Click);
    connect(menuItem(QStringLiteral("mnuViewColorBox")), &QAction::triggered, this, &frmMain::mnuViewColorBox_Click);
    connect(menuItem(QStringLiteral("mnuViewStatusBar")), &QAction::triggered, this, &frmMain::mnuViewStatusBar_Click);
    sep(view);
    connect(addItem(view, QStringLiteral("mnuViewRefresh"), QStringLiteral("1023"), QKeySequence(Qt::Key_F5)),
            &QAction::triggered, this, &frmMain::mnuViewRefresh_Click);
    addItem(view, QStringLiteral("mnuViewWebBrowser"), QStringLiteral("1025"));

    // Image
    QMenu *image = addMenu(nullptr, QStringLiteral("mnuImage"), QStringLiteral("1081"));
    connect(addItem(image, QStringLiteral("mnuImageDefineBrush"), QStringLiteral("Define Brush"), {}, false),
            &QAction::triggered, this, [this] { m_state.brush.style = BS_PATTERN; });
    connect(addItem(image, QStringLiteral("mnuImageFlipVertical"), QStringLiteral("1221")), &QAction::triggered, this,
            [this] { if (Document *d = activeDocument()) d->sub_FlipVertical(); });
    connect(addItem(image, QStringLiteral("mnuImageFlipHorizontal"), QStringLiteral("1222")), &QAction::triggered, this,
            [this] { if (Document *d = activeDocument()) d->sub_FlipHorizontal(); });
    addItem(image, QStringLiteral("mnuImageRotate"), QStringLiteral("1223"));
    addItem(image, QStringLiteral("mnuImageCanvasSize"), QStringLiteral("1224"));
    addItem(image, QStringLiteral("mnuImageResize"), QStringLiteral("1225"));
    sep(image, QStringLiteral("mnuImageBar1"), false);
    addItem(image, QStringLiteral("mnuImageInformation"), QStringLiteral("1226"), {}, false);
    sep(image, QStringLiteral("mnuImageBar2"), false);
    addItem(image, QStringLiteral("mnuImageArithmetic"), QStringLiteral("1227"), {}, false);
    sep(image);
    auto toolItem = [this](QMenu *m, const QString &name, const QString &id, const QString &tool, bool refresh) {
        connect(addItem(m, name, id), &QAction::triggered, this, [this, tool, refresh] { setToolFromMenu(tool, refresh); });
    };
    toolItem(image, QStringLiteral("mnuImageLine"), QStringLiteral("1082"), QStringLiteral("Line"), true);
    toolItem(image, QStringLiteral("mnuImageContLine"), QStringLiteral("1083"), QStringLiteral("Cont Line"), true);
    toolItem(image, QStringLiteral("mnuImageRays"), QStringLiteral("1084"), QStringLiteral("Rays"), true);
    QMenu *shape = addMenu(image, QStringLiteral("mnuImageShape"), QStringLiteral("1085"));
    toolItem(shape, QStringLiteral("mnuImageCurve"), QStringLiteral("1092"), QStringLiteral("Curve"), false);
    menuItem(QStringLiteral("mnuImageCurve"))->setVisible(false);
    toolItem(shape, QStringLiteral("mnuImageCircle"), QStringLiteral("1086"), QStringLiteral("Circle"), true);
    toolItem(shape, QStringLiteral("mnuImageRectangle"), QStringLiteral("1087"), QStringLiteral("Rectangle"), true);
    toolItem(shape, QStringLiteral("mnuImageEllipse"), QStringLiteral("1088"), QStringLiteral("Ellipse1"), true);
    toolItem(shape, QStringLiteral("mnuImageTriangle"), QStringLiteral("1093"), QStringLiteral("Triangle"), false);
    toolItem(shape, QStringLiteral("mnuImageStar"), QStringLiteral("1094"), QStringLiteral("Star"), false);
    toolItem(shape, QStringLiteral("mnuImageRoundRectangle"), QStringLiteral("1095"), QStringLiteral("RoundRectangle"), false);
    for (const char *hidden : {"mnuImageTriangle", "mnuImageStar", "mnuImageRoundRectangle"})
        menuItem(QString::fromLatin1(hidden))->setVisible(false);
    toolItem(image, QStringLiteral("mnuImagePen"), QStringLiteral("1089"), QStringLiteral("Pencil"), true);
    toolItem(image, QStringLiteral("mnuImageEraser"), QStringLiteral("1090"), QStringLiteral("Eraser"), true);
    sep(image);
    connect(addItem(image, QStringLiteral("mnuImageClear"), QStringLiteral("1091")), &QAction::triggered, this,
            [this] { if (Document *d = activeDocument()) d->Clear(); });
    addItem(image, QStringLiteral("mnuImageArray"), QStringLiteral("1186"), {}, false);

    // Colour
    QMenu *colour = addMenu(nullptr, QStringLiteral("mnuColor"), QStringLiteral("1096"));
    addItem(colour, QStringLiteral("mnuColorLoad"), QStringLiteral("1097"));
    addItem(colour, QStringLiteral("mnuColorSave"), QStringLiteral("1098"));
    connect(addItem(colour, QStringLiteral("mnuColorDefault"), QStringLiteral("1099")), &QAction::triggered, this,
            [this] { StoreDefaultColors(2, ColourCellCount); });
    sep(colour);
    connect(addItem(colour, QStringLiteral("mnuColorSetTransparent"), QStringLiteral("1237")), &QAction::triggered, this,
            [this] {
                m_state.previousTool = m_state.currentTool;
                m_state.currentTool = QStringLiteral("Set Transparent Color");
            });

    // Programs (shown once a sibling program is found)
    QMenu *progs = addMenu(nullptr, QStringLiteral("mnuOrvPrograms"), QStringLiteral("1197"), false);
    for (int i = 1; i <= 5; ++i)
        addItem(progs, QStringLiteral("mnuProg(%1)").arg(i), QString(), {}, false);

    // Window
    QMenu *window = addMenu(nullptr, QStringLiteral("mnuWindow"), QStringLiteral("1026"));
    connect(addItem(window, QStringLiteral("mnuWindowNewWindow"), QStringLiteral("1027")), &QAction::triggered, this,
            [this] { NewDocument(); });
    connect(addItem(window, QStringLiteral("mnuWindowCascade"), QStringLiteral("1028")), &QAction::triggered, m_mdi,
            &QMdiArea::cascadeSubWindows);
    connect(addItem(window, QStringLiteral("mnuWindowTileHorizontal"), QStringLiteral("1029")), &QAction::triggered,
            m_mdi, &QMdiArea::tileSubWindows);
    connect(addItem(window, QStringLiteral("mnuWindowTileVertical"), QStringLiteral("1030")), &QAction::triggered, m_mdi,
            &QMdiArea::tileSubWindows);
    connect(addItem(window, QStringLiteral("mnuWindowArrangeIcons"), QStringLiteral("1031")), &QAction::triggered,
            m_mdi, &QMdiArea::tileSubWindows);

    // Help
    QMenu *help = addMenu(nullptr, QStringLiteral("mnuHelp"), QStringLiteral("1032"));
    addItem(help, QStringLiteral("mnuHelpContents"), QStringLiteral("1033"), QKeySequence::HelpContents);
    addItem(help, QStringLiteral("mnuHelpSearchForHelpOn"), QStringLiteral("1034"));
    addItem(help, QStringLiteral("mnuHelpTooltip"), QStringLiteral("1162"), {}, false);
    sep(help);
    addItem(help, QStringLiteral("mnuHelpAbout"), QStringLiteral("1035"));

    // The right-button menu: a hidden top-level menu shown at the pointer.
    QMenu *popup = addMenu(nullptr, QStringLiteral("mnuPopup"), QStringLiteral("1198"), false);
    QAction *pUndo = addItem(popup, QStringLiteral("mnuPopupUndo"), QStringLiteral("1015"));
    pUndo->setEnabled(false);
    connect(pUndo, &QAction::triggered, undo, &QAction::trigger);
    QAction *pRedo = addItem(popup, QStringLiteral("mnuPopupRedo"), QStringLiteral("1072"));
    pRedo->setEnabled(false);
    connect(pRedo, &QAction::triggered, redo, &QAction::trigger);
    sep(popup);
    toolItem(popup, QStringLiteral("mnuMoverMove"), QStringLiteral("1182"), QStringLiteral("Move"), true);
    addItem(popup, QStringLiteral("mnuMoverOK"), QStringLiteral("1057"));
    addItem(popup, QStringLiteral("mnuMoverCancel"), QStringLiteral("1058"));
    connect(addItem(popup, QStringLiteral("mnuPopupCut"), QStringLiteral("1016")), &QAction::triggered, this, cut);
    connect(addItem(popup, QStringLiteral("mnuPopupCopy"), QStringLiteral("1017")), &QAction::triggered, this, copy);
    connect(addItem(popup, QStringLiteral("mnuPopupPaste"), QStringLiteral("1018")), &QAction::triggered, this, paste);
    sep(popup);
    toolItem(popup, QStringLiteral("mnuPopupLine"), QStringLiteral("1082"), QStringLiteral("Line"), true);
    addItem(popup, QStringLiteral("mnuPopupContLine"), QStringLiteral("1083"));
    toolItem(popup, QStringLiteral("mnuPopupRays"), QStringLiteral("1084"), QStringLiteral("Rays"), true);
    QMenu *pShape = addMenu(popup, QStringLiteral("mnuPopupShape"), QStringLiteral("1085"));
    toolItem(pShape, QStringLiteral("mnuPopupCircle"), QStringLiteral("1086"), QStringLiteral("Circle"), true);
    toolItem(pShape, QStringLiteral("mnuPopupRectangle"), QStringLiteral("1087"), QStringLiteral("Rectangle"), true);
    toolItem(pShape, QStringLiteral("mnuPopupEllipse"), QStringLiteral("1088"), QStringLiteral("Ellipse1"), true);
    toolItem(popup, QStringLiteral("mnuPopupPen"), QStringLiteral("1089"), QStringLiteral("Pencil"), true);
    toolItem(popup, QStringLiteral("mnuPopupEraser"), QStringLiteral("1090"), QStringLiteral("Eraser"), true);

    connectImageCommands();
}

void frmMain::buildToolbars()
{
    m_TbStd = new QToolBar(QStringLiteral("Standart"), this);
    m_TbStd->setObjectName(QStringLiteral("TbStd"));
    m_TbStd->setProperty("BandKey", QStringLiteral("Standart"));
    m_TbStd->setIconSize(QSize(24, 24));
    m_TbEdit = new QToolBar(QStringLiteral("Edit"), this);
    m_TbEdit->setObjectName(QStringLiteral("TbEdit"));
    m_TbEdit->setProperty("BandKey", QStringLiteral("Edit"));
    m_TbEdit->setIconSize(QSize(24, 24));
    addToolBar(Qt::TopToolBarArea, m_TbStd);
    addToolBar(Qt::TopToolBarArea, m_TbEdit);

    auto button = [](QToolBar *bar, QHash<QString, QAction *> &keys, const QString &key, const QString &tipId) {
        QAction *a = bar->addAction(ToolbarIcon(key), key);
        a->setObjectName(bar->objectName() + QLatin1Char('_') + key);
        a->setProperty("Key", key);
        setToolTipTag(a, tipId);
        keys.insert(key, a);
        return a;
    };

    // The standard toolbar: 21 buttons with separators.
    const std::pair<const char *, const char *> std1[] = {{"New", "1036"}, {"Open", "1037"}, {"Save", "1038"}};
    for (const auto &[k, id] : std1)
        button(m_TbStd, m_tbStd, QString::fromLatin1(k), QString::fromLatin1(id));
    m_TbStd->addSeparator();
    button(m_TbStd, m_tbStd, QStringLiteral("Print"), QStringLiteral("1039"));
    m_TbStd->addSeparator();
    for (const auto &[k, id] : {std::pair{"Cut", "1040"}, std::pair{"Copy", "1041"}, std::pair{"Paste", "1042"}})
        button(m_TbStd, m_tbStd, QString::fromLatin1(k), QString::fromLatin1(id));
    m_TbStd->addSeparator();
    button(m_TbStd, m_tbStd, QStringLiteral("Undo"), QStringLiteral("1101"))->setEnabled(false);
    button(m_TbStd, m_tbStd, QStringLiteral("Redo"), QStringLiteral("1102"))->setEnabled(false);
    m_TbStd->addSeparator();
    button(m_TbStd, m_tbStd, QStringLiteral("Clear"), QStringLiteral("1104"));
    m_TbStd->addSeparator();
    m_shapeGroup = new QActionGroup(this);
    m_shapeGroup->setExclusive(true);
    for (const auto &[k, id] : {std::pair{"Transparent", "1108"}, std::pair{"Filled", "1109"}}) {
        QAction *a = button(m_TbStd, m_tbStd, QString::fromLatin1(k), QString::fromLatin1(id));
        a->setCheckable(true);
        m_shapeGroup->addAction(a);
    }
    m_TbStd->addSeparator();
    for (const auto &[k, id] : {std::pair{"Zoom", "1112"}, std::pair{"Mirror", "1191"}, std::pair{"Tile", "1192"}})
        button(m_TbStd, m_tbStd, QString::fromLatin1(k), QString::fromLatin1(id))->setCheckable(true);
    for (auto it = m_tbStd.begin(); it != m_tbStd.end(); ++it) {
        const QString key = it.key();
        connect(it.value(), &QAction::triggered, this, [this, key] { TbStd_ButtonClick(key); });
    }

    // The tool toolbar: 13 exclusive buttons.
    m_editGroup = new QActionGroup(this);
    m_editGroup->setExclusive(true);
    const std::pair<const char *, const char *> edit[] = {
        {"Pencil", "1105"}, {"Marquee", "1119"}, {"Eraser", "1106"}, {"Line", "1117"},   {"Cont Line", "1118"},
        {"Rays", "1126"},   {"Circle", "1122"},  {"Ellipse1", "1123"}, {"Rectangle", "1125"}, {"Fill", "1103"},
        {"Spray", "1107"},  {"Dropper", "1127"}, {"Text", "1129"},
    };
    for (const auto &[k, id] : edit) {
        const QString key = QString::fromLatin1(k);
        QAction *a = button(m_TbEdit, m_tbEdit, key, QString::fromLatin1(id));
        a->setCheckable(true);
        m_editGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, key] { TbEdit_ButtonClick(key); });
    }
}

void frmMain::buildPropertyPanel()
{
    m_property1 = new QDockWidget(this);
    m_property1->setObjectName(QStringLiteral("Property1"));
    m_property1->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_property1->setFeatures(QDockWidget::DockWidgetMovable);
    auto *body = new QWidget(m_property1);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    m_colourBox = new ColourBoxWidget(body);
    layout->addWidget(m_colourBox);
    // The box's title is the dock's title bar: dragging it docks the box left or right.
    m_property1->setWindowTitle(QStringLiteral("Colors"));
    setTag(m_property1, QStringLiteral("1213"));
    m_property1->setTitleBarWidget(m_colourBox->LblToolBox());
    m_colourBox->LblToolBox()->setMargin(4);

    auto *props = new QLabel(QStringLiteral("Properties"), body);
    props->setObjectName(QStringLiteral("Label2"));
    setTag(props, QStringLiteral("1210"));
    layout->addWidget(props);
    m_optWidth = new OrvSlider(body);
    m_optWidth->setObjectName(QStringLiteral("OptWidth"));
    m_optDensity = new OrvSlider(body);
    m_optDensity->setObjectName(QStringLiteral("OptDensity"));
    m_optRadius = new OrvSlider(body);
    m_optRadius->setObjectName(QStringLiteral("OptRadius"));
    for (OrvSlider *s : {m_optWidth, m_optDensity, m_optRadius}) {
        layout->addWidget(s);
        connect(s, &OrvSlider::valueChanged, this, [this] {
            if (m_state.propertyRefresh)
                ReadProperties();
        });
    }
    m_lblNothing = new QLabel(QStringLiteral("Nothing"), body);
    m_lblNothing->setObjectName(QStringLiteral("LblNothing"));
    m_lblNothing->setAlignment(Qt::AlignCenter);
    setTag(m_lblNothing, QStringLiteral("1219"));
    layout->addWidget(m_lblNothing);
    layout->addStretch(1);
    m_property1->setWidget(body);
    addDockWidget(Qt::LeftDockWidgetArea, m_property1);

    connect(m_colourBox, &ColourBoxWidget::cellPressed, this, [this](int index, int button) {
        const Colour c = m_colourBox->LblColor(index)->colour();
        if (button == 1) {
            SetForeSwatch(c);
            m_state.foreColour = c;
        } else if (button == 2) {
            SetBackSwatch(c);
            m_state.backColour = c;
        }
    });
    connect(m_property1, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        // The box lives docked at the left or right edge; a drop elsewhere docks it back.
        if (floating)
            QTimer::singleShot(0, this, [this] { setColorBoxAlign(ColorBoxAlign()); });
    });
    connectColourBox();
}

void frmMain::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    for (int i = 0; i < 3; ++i) {
        m_panels[std::size_t(i)] = new QLabel(bar);
        m_panels[std::size_t(i)]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        m_panels[std::size_t(i)]->setMinimumWidth(i == 0 ? 200 : 140);
        bar->addWidget(m_panels[std::size_t(i)], i == 0 ? 1 : 0);
    }
}

QStatusBar *frmMain::sbStatusBar() const
{
    return const_cast<frmMain *>(this)->statusBar();
}

QString frmMain::statusPanelText(int panel) const
{
    if (panel < 1 || panel > 3)
        return {};
    return m_panels[std::size_t(panel - 1)]->text();
}

int frmMain::ColorBoxAlign() const
{
    return dockWidgetArea(m_property1) == Qt::RightDockWidgetArea ? 4 : 3;
}

void frmMain::setColorBoxAlign(int align)
{
    const Qt::DockWidgetArea area = align == 4 ? Qt::RightDockWidgetArea : Qt::LeftDockWidgetArea;
    m_property1->setFloating(false);
    addDockWidget(area, m_property1);
}

// ---------------------------------------------------------------------------------------------
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
    m_optDensity->setRange(1, 500);
    m_optRadius->setRange(5, 150);
    m_optWidth->setRange(1, 16);
    setTag(m_optDensity, QStringLiteral("1209"));
    setTag(m_optRadius, QStringLiteral("1208"));
    setTag(m_optWidth, QStringLiteral("1207"));
    m_optDensity->setCaption(QStringLiteral("Density"));
    m_optRadius->setCaption(QStringLiteral("Radius"));
    m_optWidth->setCaption(QStringLiteral("Width"));
    m_state.propertyRefresh = false;
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
// Tools and command state
// ---------------------------------------------------------------------------------------------

void frmMain::setToolFromMenu(const QString &tool, bool refresh)
{
    m_state.currentTool = tool;
    if (!refresh)
        return;
    m_state.propertyRefresh = true;
    UpdateProperties();
    // A tool chosen from a menu keeps the sliders live, as one chosen from the tool bar does.
    m_state.propertyRefresh = true;
}

void frmMain::TbEdit_ButtonClick(const QString &key)
{
    if (key == QLatin1String("Dropper")) {
        m_state.previousTool = m_state.currentTool;
        if (frmDocument *f = ActiveForm())
            f->Picture1View()->setFocus();
        m_state.currentTool = key;
    } else if (key == QLatin1String("Cycle Editor")) {
        // leaves the tool as it is
    } else if (EditToolKeys.contains(key)) {
        m_state.currentTool = key;
    } else {
        m_state.currentTool = QStringLiteral("Select");
    }
    m_state.propertyRefresh = true;
    UpdateProperties();
}

void frmMain::TbStd_ButtonClick(const QString &key)
{
    Document *d = activeDocument();
    if (key == QLatin1String("New")) {
        mnuFileNew_Click();
    } else if (key == QLatin1String("Open")) {
        mnuFileOpen_Click();
    } else if (key == QLatin1String("Save")) {
        mnuFileSave_Click();
    } else if (key == QLatin1String("Print")) {
        mnuFilePrint_Click();
    } else if (key == QLatin1String("Cut")) {
        menuItem(QStringLiteral("mnuEditCut"))->trigger();
    } else if (key == QLatin1String("Copy")) {
        menuItem(QStringLiteral("mnuEditCopy"))->trigger();
    } else if (key == QLatin1String("Paste")) {
        menuItem(QStringLiteral("mnuEditPaste"))->trigger();
    } else if (key == QLatin1String("Undo")) {
        if (d)
            d->Undo(1);
    } else if (key == QLatin1String("Redo")) {
        if (d)
            d->Undo(2);
    } else if (key == QLatin1String("Clear")) {
        if (d)
            d->Clear();
    } else if (key == QLatin1String("Zoom")) {
        m_state.zoomWindow = !m_state.zoomWindow;
        ShowZoomWindow(m_state.zoomWindow);
    } else if (key == QLatin1String("Mirror")) {
        if (ToolbarButtonValue(key)) {
            if (d)
                d->setMirrorEnabled(true);
            m_state.tile = false;
            SetToolbarButtonValue(QStringLiteral("Tile"), 0);
        } else if (d) {
            d->setMirrorEnabled(false);
        }
    } else if (key == QLatin1String("Tile")) {
        if (ToolbarButtonValue(key)) {
            m_state.tile = true;
            if (d)
                d->setMirrorEnabled(false);
            SetToolbarButtonValue(QStringLiteral("Mirror"), 0);
        } else {
            m_state.tile = false;
        }
    } else if (key == QLatin1String("Font")) {
        EditFont();
    } else if (QStringList{QStringLiteral("Fill"), QStringLiteral("Marquee"), QStringLiteral("Pencil"),
                           QStringLiteral("Brush"), QStringLiteral("Spray"), QStringLiteral("Eraser"),
                           QStringLiteral("Move"), QStringLiteral("Pan"), QStringLiteral("Lasso")}
                   .contains(key)) {
        m_state.currentTool = key;
    } else if (key == QLatin1String("Cyclic")) {
        m_state.cyclic = ToolbarButtonValue(key) != 0;
    }
    // Whatever the button, the brush style follows the shape buttons.
    if (ToolbarButtonValue(QStringLiteral("Transparent")))
        m_state.brush.style = BS_HOLLOW;
    else if (ToolbarButtonValue(QStringLiteral("Filled")))
        m_state.brush.style = BS_SOLID;
}

void frmMain::UpdateProperties()
{
    if (!m_state.propertyRefresh)
        return;
    m_state.propertyRefresh = false;
    const QString &tool = m_state.currentTool;
    if (tool == QLatin1String("Freeform")) {
        m_state.propertyRefresh = true;
        return;
    }
    const ToolRow *row = findTool(tool);
    const bool width = row && row->width;
    const bool spray = row && row->spray;
    width ? Show_Width() : Hide_Width();
    spray ? Show_Density() : Hide_Density();
    spray ? Show_Radius() : Hide_Radius();
    if (spray) {
        m_optWidth->setValue(m_state.spray.widthX);
        m_optDensity->setValue(m_state.spray.density);
        m_optRadius->setValue(m_state.spray.radius);
    } else if (width || tool == QLatin1String("Curve")) {
        m_optWidth->setValue(m_state.pen.widthX);
    }
    setStatusText(3, row ? LoadResString(row->statusId) : QString());
    m_state.propertyRefresh = true;
}

void frmMain::ReadProperties()
{
    if (!m_state.propertyRefresh)
        return;
    m_state.propertyRefresh = false;
    if (m_state.currentTool == QLatin1String("Spray")) {
        m_state.spray.density = std::int16_t(m_optDensity->value());
        m_state.spray.radius = std::int16_t(m_optRadius->value());
        m_state.spray.widthX = std::int16_t(m_optWidth->value());
    } else {
        m_state.pen.widthX = m_optWidth->value();
    }
    m_state.propertyRefresh = true;
}

namespace {
void updateNothing(QLabel *nothing, std::initializer_list<QWidget *> sliders)
{
    bool any = false;
    for (QWidget *s : sliders)
        any = any || !s->isHidden();
    nothing->setVisible(!any);
}
} // namespace

void frmMain::Show_Width()
{
    m_optWidth->setVisible(true);
    updateNothing(m_lblNothing, {m_optWidth, m_optDensity, m_optRadius});
}
void frmMain::Hide_Width()
{
    m_optWidth->setVisible(false);
    updateNothing(m_lblNothing, {m_optWidth, m_optDensity, m_optRadius});
}
void frmMain::Show_Density()
{
    m_optDensity->setVisible(true);
    updateNothing(m_lblNothing, {m_optWidth, m_optDensity, m_optRadius});
}
void frmMain::Hide_Density()
{
    m_optDensity->setVisible(false);
    updateNothing(m_lblNothing, {m_optWidth, m_optDensity, m_optRadius});
}
void frmMain::Show_Radius()
{
    m_optRadius->setVisible(true);
    updateNothing(m_lblNothing, {m_optWidth, m_optDensity, m_optRadius});
}
void frmMain::Hide_Radius()
{
    m_optRadius->setVisible(false);
    updateNothing(m_lblNothing, {m_optWidth, m_optDensity, m_optRadius});
}

void frmMain::StoreDefaultColors(int mode, int count)
{
    count = std::clamp(count, 0, ColourCellCount);
    if (mode == 1) {
        for (int i = 0; i < count; ++i)
            m_defaultColours[std::size_t(i)] = m_colourBox->LblColor(i)->colour();
    } else if (mode == 2) {
        for (int i = 0; i < count; ++i)
            m_colourBox->LblColor(i)->setColour(m_defaultColours[std::size_t(i)]);
    }
}

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
    // The two bands share the top toolbar area; it shows whenever one of them is visible.
    const bool any = !m_TbStd->isHidden() || !m_TbEdit->isHidden();
    Q_UNUSED(any);
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
    QWidget *anchor = ActiveForm() ? static_cast<QWidget *>(ActiveForm()) : m_mdi;
    menu(QStringLiteral("mnuPopup"))->popup(anchor->mapToGlobal(clientPos));
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
    QFontDialog dlg(QFont(QStringLiteral("Arial")), this);
    if (dlg.exec() != QDialog::Accepted)
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
    // The dialog offers no colour of its own: the drawing colour it started with stays.
    d->Picture1.ForeColor = m_state.drawColour;
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
