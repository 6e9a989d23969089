// The main window's settings: everything it reads from the store when it loads and writes back
// when it closes, in that order, with the master switches deciding which groups are written.
//
// The window's own widgets are not reachable from here; their remembered values travel in
// MainWindowSettings. The main window fills it from its widgets before saving and applies it to
// them after loading (geometry, colour-box docking, the four View check marks with the toolbar,
// colour-box and status-bar visibility that follow them, the recent-file menu items and their
// separator).
#pragma once

#include "base/AppState.h"

#include <QString>
#include <array>
#include <cstdint>

namespace orv {

// Docking edges of the colour-box panel, as stored in "ColorBoxAlign".
enum ColorBoxAlignment : std::int16_t {
    AlignNone = 0,
    AlignTop = 1,
    AlignBottom = 2,
    AlignLeft = 3,
    AlignRight = 4,
};

// The size of the screen in twips: the main window's geometry on a first run.
struct ScreenDefaults {
    float widthTwips = 0;
    float heightTwips = 0;
};

constexpr int MruFirst = 1;   // recent-file slots are numbered 1 to 6, like the menu items
constexpr int MruLast = 6;

struct MainWindowSettings {
    // Window geometry in twips.
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    // Docking edge of the colour box. Before loading, the caller puts the panel's current edge
    // here: it is the default when nothing is stored.
    std::int16_t colorBoxAlign = AlignLeft;
    // Check marks of the View menu: colour box, standard toolbar, status bar, tool toolbar.
    bool viewColorBox = true;
    bool viewToolStd = true;
    bool viewStatusBar = true;
    bool viewEdit = true;
    // Recent-file menu items 1 to 6 (element 0 is not used): caption = file path, and whether
    // the item is shown. A hidden item keeps its caption and it is written back unchanged.
    std::array<QString, MruLast + 1> mruCaption;
    std::array<bool, MruLast + 1> mruVisible{};
    bool fileSeparatorVisible = false;

    bool operator==(const MainWindowSettings &) const = default;
};

// Ranges a stored value must lie in to be taken; anything outside leaves the value as it was.
namespace SettingRange {
constexpr float GeometryLimit = 1.0e6f;                  // MainLeft, MainTop within +-GeometryLimit
constexpr float MinWindowExtent = 1.0f;                  // MainWidth, MainHeight 1 .. GeometryLimit
constexpr std::int16_t MinZoom = 1, MaxZoom = 24;        // the zoom window's Plus reaches 24
constexpr std::int16_t MinImageSide = 1, MaxImageSide = 1024;
constexpr std::int16_t MinComboIndex = -1, MaxComboIndex = 6;
constexpr std::int16_t MinSprayWidth = 1, MaxSprayWidth = 16;
constexpr std::int16_t MinSprayDensity = 1, MaxSprayDensity = 500;
constexpr std::int16_t MinSprayRadius = 5, MaxSprayRadius = 150;
constexpr std::int32_t MinPenWidth = 1, MaxPenWidth = 16;
constexpr std::int32_t MinPenStyle = 0, MaxPenStyle = 8;
constexpr std::int32_t MinBrushStyle = 0, MaxBrushStyle = 3;
constexpr std::int32_t MinBrushHatch = 0, MaxBrushHatch = 5;
constexpr std::int16_t MinMirrorCount = 1, MaxMirrorCount = 2;
constexpr int MaxMruPathLength = 4096;
} // namespace SettingRange

// Reads every key the main window loads, in this order: geometry and colour-box docking,
// "ZoomFactor", the four master switches, the new-image size, the two colours, the four View
// check marks, "ComboImageIndex", "OpenImageOnstartup", "PopupMenu", the twelve tool properties,
// "ContLineClose", "Cyclic", "MirrorCount", the six recent-file slots and their separator.
// A missing key gives its default (the geometry defaults to the screen at 0, 0); a stored value
// that does not convert or lies outside its range leaves the field as it was.
//
// The stored zoom factor, pen style, brush colour and brush hatch are read like the rest but do
// not survive start-up: InitToolPropertiesAtStartup replaces the pen and brush values, and the
// start-up tool state sets the zoom factor to StartupZoomFactor as its last step.
void LoadMainSettings(AppState &state, MainWindowSettings &window, const ScreenDefaults &screen);

// Writes the main window's settings at exit, in this order: unless the window is minimized, the
// geometry and colour-box docking; always the master switches, new-image size, combo index, the
// start-up and pop-up switches and the zoom factor; the colours if MasterSaveColors is set; the
// View check marks if MasterSaveToolBars is set; the tool properties and "ContLineClose",
// "Cyclic", "MirrorCount" if MasterToolProperties is set; always the six recent-file slots (shown
// or not) and their separator. Returns false when the values did not reach the store; the
// program goes on either way.
bool SaveMainSettings(const AppState &state, const MainWindowSettings &window, bool minimized);

// The pen and brush start values that override what was stored: the pen style follows the brush
// style, the brush hatch is 0 and the brush colour white.
void InitToolPropertiesAtStartup(AppState &state);

// Every start begins with this zoom factor, whatever "ZoomFactor" held.
constexpr std::int16_t StartupZoomFactor = 4;

} // namespace orv
