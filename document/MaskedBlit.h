// The masked block copy shared by moving a selection and pasting: copies a block of a source
// surface onto a destination, leaving out every source pixel of one key colour.
#pragma once

#include "document/surface/Surface.h"

#include <cstdint>

namespace orv {

// The block of the source: left, top, right, bottom. The copy covers right - left + 1 columns
// and bottom - top + 1 rows (both bounds included), as far as the source surface reaches.
struct BlitRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// The two monochrome masks and two colour work surfaces of one masked copy. Kept by whoever
// copies the same block over and over (a selection being dragged) so the buffers are made once
// and reused for every move rather than allocated per copy.
struct MaskedBlitScratch {
    Surface mask;
    Surface inverseMask;
    Surface workA;
    Surface workB;
};

// Copies the block `srcRect` of `src` onto `dest` at (X, Y), leaving out the source pixels whose
// colour is `keyColour`; `back` supplies what shows through (normally `dest` itself). Built from
// block transfers only:
//   mask         = src == key            (colour to monochrome with the key as background colour)
//   inverse mask = NOT mask
//   work A       = back AND mask         (the destination where the key colour was)
//   work B       = src AND inverse mask  (the source where it was not)
//   dest         = work A XOR work B     (the two disjoint parts together)
// The source's background colour is restored afterwards. `dest`'s clip region applies to the
// final copy. Without scratch, temporary surfaces are made for this one copy.
void MaskedBlit(Surface &dest, const Surface &back, Surface &src, const BlitRect &srcRect, int X, int Y,
                Colour keyColour, MaskedBlitScratch *scratch = nullptr);

} // namespace orv
