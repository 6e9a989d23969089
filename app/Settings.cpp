#include "app/Settings.h"

#include "base/AppInfo.h"
#include "base/SettingsStore.h"

namespace orv {

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kOptions = QStringLiteral("Options");
const QString kColors = QStringLiteral("Colors");
const QString kToolProperties = QStringLiteral("ToolProperties");
const QString kMruList = QStringLiteral("MRUList");

QString mruKey(int slot)
{
    return QStringLiteral("MRU ") + QString::number(slot);
}

QString mruVisibleKey(int slot)
{
    return mruKey(slot) + QStringLiteral(" Visible");
}

bool isTrue(std::int16_t flag)
{
    return flag != 0;
}

} // namespace

void LoadMainSettings(AppState &state, MainWindowSettings &window, const ScreenDefaults &screen)
{
    using namespace SettingRange;
    const SettingsStore store(AppTitle());
    OptionsRecord &options = state.options;

    store.readSingle(kSettings, QStringLiteral("MainLeft"), 0.0f, window.left, -GeometryLimit, GeometryLimit);
    store.readSingle(kSettings, QStringLiteral("MainTop"), 0.0f, window.top, -GeometryLimit, GeometryLimit);
    store.readSingle(kSettings, QStringLiteral("MainWidth"), screen.widthTwips, window.width, MinWindowExtent,
                     GeometryLimit);
    store.readSingle(kSettings, QStringLiteral("MainHeight"), screen.heightTwips, window.height,
                     MinWindowExtent, GeometryLimit);
    store.readInteger(kSettings, QStringLiteral("ColorBoxAlign"), window.colorBoxAlign, window.colorBoxAlign,
                      AlignNone, AlignRight);
    store.readInteger(kSettings, QStringLiteral("ZoomFactor"), 4, state.zoomFactor, MinZoom, MaxZoom);

    store.readBoolean(kOptions, QStringLiteral("MasterSaveColors"), std::int16_t(-1), options.MasterSaveColors);
    store.readBoolean(kOptions, QStringLiteral("MasterSaveToolBars"), std::int16_t(-1),
                      options.MasterSaveToolBars);
    store.readBoolean(kOptions, QStringLiteral("MasterToolProperties"), std::int16_t(-1),
                      options.MasterToolProperties);
    store.readBoolean(kOptions, QStringLiteral("MasterView"), std::int16_t(-1), options.MasterView);
    store.readInteger(kOptions, QStringLiteral("NewFileWidth"), 640, options.NewFileWidth, MinImageSide,
                      MaxImageSide);
    store.readInteger(kOptions, QStringLiteral("NewFileHeight"), 480, options.NewFileHeight, MinImageSide,
                      MaxImageSide);

    store.readColour(kColors, QStringLiteral("ForeColor"), 0, state.foreColour);
    store.readColour(kColors, QStringLiteral("BackColor"), 0xFFFFFF, state.backColour);

    store.readBoolean(kOptions, QStringLiteral("ColorBox"), true, window.viewColorBox);
    store.readBoolean(kOptions, QStringLiteral("StandartToolBar"), true, window.viewToolStd);
    store.readBoolean(kOptions, QStringLiteral("StatusBar"), true, window.viewStatusBar);
    store.readBoolean(kOptions, QStringLiteral("EditBar"), true, window.viewEdit);
    store.readInteger(kOptions, QStringLiteral("ComboImageIndex"), 0, state.comboImageIndex, MinComboIndex,
                      MaxComboIndex);
    store.readBoolean(kOptions, QStringLiteral("OpenImageOnstartup"), std::int16_t(0), options.OpenImageOnstartup);
    store.readBoolean(kOptions, QStringLiteral("PopupMenu"), std::int16_t(0), options.PopupMenu);

    SprayRecord &spray = state.spray;
    store.readInteger(kToolProperties, QStringLiteral("SprayWidthX"), 1, spray.widthX, MinSprayWidth,
                      MaxSprayWidth);
    store.readInteger(kToolProperties, QStringLiteral("SprayWidthY"), 1, spray.widthY, MinSprayWidth,
                      MaxSprayWidth);
    store.readInteger(kToolProperties, QStringLiteral("SprayDensity"), 50, spray.density, MinSprayDensity,
                      MaxSprayDensity);
    store.readInteger(kToolProperties, QStringLiteral("SprayRadius"), 30, spray.radius, MinSprayRadius,
                      MaxSprayRadius);
    // Nothing draws with the spray transparency; any Long is kept as it is.
    store.readLong(kToolProperties, QStringLiteral("SprayTransparency"), 0, spray.transparency);
    store.readColour(kToolProperties, QStringLiteral("PenColor"), 0, state.pen.colour);
    store.readLong(kToolProperties, QStringLiteral("PenStyle"), 0, state.pen.style, MinPenStyle, MaxPenStyle);
    store.readLong(kToolProperties, QStringLiteral("PenWidthX"), 1, state.pen.widthX, MinPenWidth, MaxPenWidth);
    store.readLong(kToolProperties, QStringLiteral("PenWidthY"), 1, state.pen.widthY, MinPenWidth, MaxPenWidth);
    store.readColour(kToolProperties, QStringLiteral("BrushColor"), 0, state.brush.colour);
    store.readLong(kToolProperties, QStringLiteral("BrushHatch"), 0, state.brush.hatch, MinBrushHatch,
                   MaxBrushHatch);
    store.readLong(kToolProperties, QStringLiteral("BrushStyle"), 1, state.brush.style, MinBrushStyle,
                   MaxBrushStyle);

    store.readBoolean(kOptions, QStringLiteral("ContLineClose"), std::int16_t(-1), options.ContLineClose);
    store.readBoolean(kOptions, QStringLiteral("Cyclic"), false, state.cyclic);
    store.readInteger(kOptions, QStringLiteral("MirrorCount"), 1, state.mirrorCount, MinMirrorCount,
                      MaxMirrorCount);

    for (int i = MruFirst; i <= MruLast; ++i) {
        store.readString(kMruList, mruKey(i), QString(), window.mruCaption[i], MaxMruPathLength);
        store.readBoolean(kMruList, mruVisibleKey(i), false, window.mruVisible[i]);
    }
    store.readBoolean(kMruList, QStringLiteral("File Separator Visible"), false, window.fileSeparatorVisible);
}

bool SaveMainSettings(const AppState &state, const MainWindowSettings &window, bool minimized)
{
    SettingsStore store(AppTitle());
    const OptionsRecord &options = state.options;

    if (!minimized) {
        store.setSingle(kSettings, QStringLiteral("MainLeft"), window.left);
        store.setSingle(kSettings, QStringLiteral("MainTop"), window.top);
        store.setSingle(kSettings, QStringLiteral("MainWidth"), window.width);
        store.setSingle(kSettings, QStringLiteral("MainHeight"), window.height);
        store.setNumber(kSettings, QStringLiteral("ColorBoxAlign"), window.colorBoxAlign);
    }

    store.setBoolean(kOptions, QStringLiteral("MasterSaveColors"), isTrue(options.MasterSaveColors));
    store.setBoolean(kOptions, QStringLiteral("MasterSaveToolBars"), isTrue(options.MasterSaveToolBars));
    store.setBoolean(kOptions, QStringLiteral("MasterToolProperties"), isTrue(options.MasterToolProperties));
    store.setBoolean(kOptions, QStringLiteral("MasterView"), isTrue(options.MasterView));
    store.setNumber(kOptions, QStringLiteral("NewFileWidth"), options.NewFileWidth);
    store.setNumber(kOptions, QStringLiteral("NewFileHeight"), options.NewFileHeight);
    store.setNumber(kOptions, QStringLiteral("ComboImageIndex"), state.comboImageIndex);
    store.setBoolean(kOptions, QStringLiteral("OpenImageOnstartup"), isTrue(options.OpenImageOnstartup));
    store.setBoolean(kOptions, QStringLiteral("PopupMenu"), isTrue(options.PopupMenu));
    store.setNumber(kSettings, QStringLiteral("ZoomFactor"), state.zoomFactor);

    if (isTrue(options.MasterSaveColors)) {
        store.setNumber(kColors, QStringLiteral("ForeColor"), state.foreColour);
        store.setNumber(kColors, QStringLiteral("BackColor"), state.backColour);
    }

    if (isTrue(options.MasterSaveToolBars)) {
        store.setBoolean(kOptions, QStringLiteral("ColorBox"), window.viewColorBox);
        store.setBoolean(kOptions, QStringLiteral("StandartToolBar"), window.viewToolStd);
        store.setBoolean(kOptions, QStringLiteral("StatusBar"), window.viewStatusBar);
        store.setBoolean(kOptions, QStringLiteral("EditBar"), window.viewEdit);
    }

    if (isTrue(options.MasterToolProperties)) {
        const SprayRecord &spray = state.spray;
        store.setNumber(kToolProperties, QStringLiteral("SprayWidthX"), spray.widthX);
        store.setNumber(kToolProperties, QStringLiteral("SprayWidthY"), spray.widthY);
        store.setNumber(kToolProperties, QStringLiteral("SprayDensity"), spray.density);
        store.setNumber(kToolProperties, QStringLiteral("SprayRadius"), spray.radius);
        store.setNumber(kToolProperties, QStringLiteral("SprayTransparency"), spray.transparency);
        store.setNumber(kToolProperties, QStringLiteral("PenColor"), state.pen.colour);
        store.setNumber(kToolProperties, QStringLiteral("PenStyle"), state.pen.style);
        store.setNumber(kToolProperties, QStringLiteral("PenWidthX"), state.pen.widthX);
        store.setNumber(kToolProperties, QStringLiteral("PenWidthY"), state.pen.widthY);
        store.setNumber(kToolProperties, QStringLiteral("BrushColor"), state.brush.colour);
        store.setNumber(kToolProperties, QStringLiteral("BrushHatch"), state.brush.hatch);
        store.setNumber(kToolProperties, QStringLiteral("BrushStyle"), state.brush.style);
        store.setBoolean(kOptions, QStringLiteral("ContLineClose"), isTrue(options.ContLineClose));
        store.setBoolean(kOptions, QStringLiteral("Cyclic"), state.cyclic);
        store.setNumber(kOptions, QStringLiteral("MirrorCount"), state.mirrorCount);
    }

    for (int i = MruFirst; i <= MruLast; ++i) {
        store.set(kMruList, mruKey(i), window.mruCaption[i]);
        store.setBoolean(kMruList, mruVisibleKey(i), window.mruVisible[i]);
    }
    store.setBoolean(kMruList, QStringLiteral("File Separator Visible"), window.fileSeparatorVisible);

    return store.sync();
}

void InitToolPropertiesAtStartup(AppState &state)
{
    state.pen.style = state.brush.style;
    state.brush.hatch = 0;
    state.brush.colour = 0xFFFFFF;
}

} // namespace orv
