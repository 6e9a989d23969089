#include "document/MaskedBlit.h"

#include <algorithm>

namespace orv {

namespace {

// Makes a scratch surface of the wanted kind and size, reusing its buffer when it already fits.
void prepare(Surface &s, bool mono, const Surface &like, int w, int h)
{
    if (!s.isNull() && s.isMonochrome() == mono && s.ScaleWidth() == w && s.ScaleHeight() == h)
        return;
    s = mono ? CreateBitmap(w, h, 1, 1) : CreateCompatibleBitmap(like, w, h);
}

} // namespace

void MaskedBlit(Surface &dest, const Surface &back, Surface &src, const BlitRect &srcRect, int X, int Y,
                Colour keyColour, MaskedBlitScratch *scratch)
{
    // 1. The block, both bounds included, limited to what the source holds: columns or rows
    // beyond the source have no colour to copy.
    int w = srcRect.right - srcRect.left + 1;
    int h = srcRect.bottom - srcRect.top + 1;
    w = std::min(w, src.ScaleWidth() - srcRect.left);
    h = std::min(h, src.ScaleHeight() - srcRect.top);
    if (w <= 0 || h <= 0 || srcRect.left < 0 || srcRect.top < 0)
        return;

    // 2. Two monochrome masks and two colour work surfaces.
    MaskedBlitScratch local;
    MaskedBlitScratch &s = scratch ? *scratch : local;
    prepare(s.mask, true, back, w, h);
    prepare(s.inverseMask, true, back, w, h);
    prepare(s.workA, false, back, w, h);
    prepare(s.workB, false, back, w, h);

    // 3. Mask: white where the source has the key colour, black elsewhere.
    const Colour previousBk = src.SetBkColor(keyColour);
    BitBlt(s.mask, 0, 0, w, h, src, srcRect.left, srcRect.top, SRCCOPY);
    src.SetBkColor(previousBk);

    // 4. Inverse mask.
    BitBlt(s.inverseMask, 0, 0, w, h, s.mask, 0, 0, NOTSRCCOPY);

    // 5. The destination area, kept only where the source has the key colour (white mask bits
    // become the work surface's white background colour, black ones its black text colour).
    BitBlt(s.workA, 0, 0, w, h, back, X, Y, SRCCOPY);
    BitBlt(s.workA, 0, 0, w, h, s.mask, 0, 0, SRCAND);

    // 6. The source, kept only where it does not have the key colour.
    BitBlt(s.workB, 0, 0, w, h, src, srcRect.left, srcRect.top, SRCCOPY);
    BitBlt(s.workB, 0, 0, w, h, s.inverseMask, 0, 0, SRCAND);

    // 7. The two disjoint parts combined.
    BitBlt(s.workA, 0, 0, w, h, s.workB, 0, 0, SRCINVERT);

    // 8. Onto the destination.
    BitBlt(dest, X, Y, w, h, s.workA, 0, 0, SRCCOPY);
}

} // namespace orv
