// The colour box's 48 cells: the default colours and the palette file format (*.orvp), one
// line per cell, "index,colour" in decimal with CRLF line ends.
#pragma once

#include "document/surface/Surface.h"

#include <array>

namespace orv {

constexpr int ColourCellCount = 48;

// The design colours of the cells, 0x00BBGGRR, cell index = 4 × row + column.
constexpr std::array<Colour, ColourCellCount> DefaultCellColours = {
    0xFFFFFF, 0xC0C0FF, 0xC0E0FF, 0xC0FFFF, //
    0xE0E0E0, 0x8080FF, 0x80C0FF, 0x80FFFF, //
    0xC0C0C0, 0x0000FF, 0x0080FF, 0x00FFFF, //
    0x808080, 0x0000C0, 0x0040C0, 0x00C0C0, //
    0x404040, 0x000080, 0x004080, 0x008080, //
    0x000000, 0x000040, 0x404080, 0x004040, //
    0xC0FFC0, 0xFFFFC0, 0xFFC0C0, 0xFFC0FF, //
    0x80FF80, 0xFFFF80, 0xFF8080, 0xFF80FF, //
    0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, //
    0x00C000, 0xC0C000, 0xC00000, 0xC000C0, //
    0x008000, 0x808000, 0xC00000, 0x800080, //
    0x004000, 0x404000, 0x400000, 0x400040, //
};

} // namespace orv
