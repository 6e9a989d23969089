// Colours and the pen and brush records: the value types every layer of the program shares.
// Colours are 0x00BBGGRR integers (red in the low byte), as the program stores them everywhere.
#pragma once

#include <cstdint>

namespace orv {

using Colour = std::uint32_t;                 // 0x00BBGGRR
constexpr Colour CLR_INVALID = 0xFFFFFFFFu;   // GetPixel and Point outside the surface

constexpr Colour RGBColour(int r, int g, int b)
{
    return Colour(r & 0xFF) | (Colour(g & 0xFF) << 8) | (Colour(b & 0xFF) << 16);
}
constexpr int RedOf(Colour c) { return int(c & 0xFF); }
constexpr int GreenOf(Colour c) { return int((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return int((c >> 16) & 0xFF); }
// Between the program's colour layout and the back-buffer's pixel layout (0xFFRRGGBB).
constexpr std::uint32_t ToPixel(Colour c)
{
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr Colour FromPixel(std::uint32_t p)
{
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

// Pen styles (only solid and null are drawn differently; other styles draw solid).
enum : std::int32_t { PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_NULL = 5 };
// Brush styles.
enum : std::int32_t { BS_SOLID = 0, BS_HOLLOW = 1, BS_HATCHED = 2, BS_PATTERN = 3 };
// The pen record: the layout of a logical pen (style, width X, width Y, colour).
struct LogPen {
    std::int32_t style = PS_SOLID;
    std::int32_t widthX = 1;
    std::int32_t widthY = 1;
    Colour colour = 0;
};

// The brush record: the layout of a logical brush (style, colour, hatch).
struct LogBrush {
    std::int32_t style = BS_SOLID;
    Colour colour = 0;
    std::int32_t hatch = 0;
};

} // namespace orv
