// Tool selection and the tool properties: which tool is current and which sliders it shows.

#include "app/frmMain.h"

#include "base/ResStrings.h"
#include "document/frmDocument.h"
#include "tools/ColourBoxWidget.h"
#include "tools/OrvSliderWidget.h"

#include <QLabel>

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

namespace {

// The one-shot colour tools hand the image back to the tool in use before them, so that tool is
// remembered only when it is not one of them itself: choosing a colour tool twice, or one after
// the other, keeps the tool they return to.
bool isColourTool(const QString &tool)
{
    return tool == QLatin1String("Dropper") || tool == QLatin1String("Set Transparent Color");
}

} // namespace

void frmMain::mnuColorSetTransparent_Click()
{
    if (!isColourTool(m_state.currentTool))
        m_state.previousTool = m_state.currentTool;
    m_state.currentTool = QStringLiteral("Set Transparent Color");
}

void frmMain::TbEdit_ButtonClick(const QString &key)
{
    if (key == QLatin1String("Dropper")) {
        if (!isColourTool(m_state.currentTool))
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

} // namespace orv
