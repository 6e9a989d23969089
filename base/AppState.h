// The main window's shared state: one instance, owned by the application, read and written by
// the main window and by every document through its DocumentHost.
#pragma once

#include "base/AppInfo.h"
#include "base/Colour.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cmath>
#include <cstdint>

namespace orv {

// The options record, copied whole by the Options dialog. Booleans are 0 or -1.
struct OptionsRecord {
    std::int16_t NewFileWidth = 640;
    std::int16_t NewFileHeight = 480;
    std::int16_t MasterSaveColors = -1;
    std::int16_t MasterSaveToolBars = -1;
    std::int16_t MasterToolProperties = -1;
    std::int16_t MasterView = -1;
    std::int16_t OpenImageOnstartup = 0;
    std::int16_t PopupMenu = 0;
    std::int16_t ContLineClose = -1;
    bool operator==(const OptionsRecord &) const = default;
};

// The spray record: width X, width Y, density, radius, transparency.
struct SprayRecord {
    std::int16_t widthX = 1;
    std::int16_t widthY = 1;
    std::int16_t density = 50;
    std::int16_t radius = 30;
    std::int32_t transparency = 0;
    bool operator==(const SprayRecord &) const = default;
};

// The text record filled by the text dialog.
struct TextRecord {
    QString fontName;
    std::int16_t fontSize = 8;
    bool italic = false;
    bool strikethrough = false;
    Colour colour = 0;
    bool underline = false;
    bool bold = false;
    QString text;
};

struct AppState {
    // Tools (current and previous tool name travel exactly as spelled).
    QString currentTool = QStringLiteral("Select");
    QString previousTool;
    bool propertyRefresh = false;   // the slider change handlers may write the records
    bool tile = false;
    bool cyclic = false;

    // Colours.
    Colour foreColour = 0;
    Colour backColour = 0xFFFFFF;
    Colour drawColour = 0;          // the colour of the stroke under way
    Colour transparentColour = 0xFFFFFF;

    // Tool property records.
    LogPen pen{PS_SOLID, 1, 1, 0};
    LogBrush brush{BS_HOLLOW, 0, 0};
    SprayRecord spray;

    // Options and remembered switches.
    OptionsRecord options;
    std::int16_t zoomFactor = 4;
    bool zoomWindow = false;
    std::int16_t mirrorCount = 1;
    std::int16_t comboImageIndex = 0;

    // Text tool.
    TextRecord text;
    bool textDialogPending = false;

    // The six-value stack of the editing operations.
    ValueStackStore valueStack;

    // The help file beside the program (set by InitAppInfo).
    QString helpFile;
};

// `Pi`: four times the arc tangent of 1, as the single-precision value the shapes and transforms use
// (the float nearest to pi, 3.1415927410125732421875). A constant, so that values computed from it
// during start-up, in any file, never see it before it is set.
inline constexpr float Pi = 3.14159265358979323846f;

} // namespace orv
