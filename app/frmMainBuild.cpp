// The main window's menus, toolbars, property panel and status bar.

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
    // Close owns the desktop's close keys (Ctrl+W, Ctrl+F4); each image window's own menu gives
    // its keys up (below), so no key has two owners and none goes dead as ambiguous.
    QAction *close = addItem(file, QStringLiteral("mnuFileClose"), QStringLiteral("1003"));
    close->setShortcuts(QKeySequence::Close);
    connect(close, &QAction::triggered, this, &frmMain::mnuFileClose_Click);
    connect(this, &frmMain::documentCreated, this, [](frmDocument *form) {
        if (QMdiSubWindow *sub = form->subWindow(); sub && sub->systemMenu())
            for (QAction *a : sub->systemMenu()->actions())
                a->setShortcuts({});
    });
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
    connect(addItem(colour, QStringLiteral("mnuColorSetTransparent"), QStringLiteral("1237")), &QAction::triggered, this,
            &frmMain::mnuColorSetTransparent_Click);

    // Programs (shown once a sibling program is found)
    QMenu *progs = addMenu(nullptr, QStringLiteral("mnuOrvPrograms"), QStringLiteral("1197"), false);
    for (int i = 1; i <= 5; ++i)
        addItem(progs, QStringLiteral("mnuProg(%1)").arg(i), QString(), {}, false);

    // Window
    QMenu *window = addMenu(nullptr, QStringLiteral("mnuWindow"), QStringLiteral("1026"));
    // (their commands are connected with the rest of the Window menu's, in frmMainWindow.cpp)
    for (const auto &[name, id] : {std::pair{"mnuWindowNewWindow", "1027"}, std::pair{"mnuWindowCascade", "1028"},
                                   std::pair{"mnuWindowTileHorizontal", "1029"}, std::pair{"mnuWindowTileVertical", "1030"},
                                   std::pair{"mnuWindowArrangeIcons", "1031"}})
        addItem(window, QString::fromLatin1(name), QString::fromLatin1(id));

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
    // OK leaves the moved block where it is, as a right release does; Cancel only closes the menu.
    connect(addItem(popup, QStringLiteral("mnuMoverOK"), QStringLiteral("1057")), &QAction::triggered, this,
            [this] { if (Document *d = activeDocument()) d->CommitMovedBlock(); });
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
    // "Tile" stands alone in a group of its own: a click never releases it, only code does.
    (new QActionGroup(this))->addAction(m_tbStd.value(QStringLiteral("Tile")));
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

} // namespace orv
