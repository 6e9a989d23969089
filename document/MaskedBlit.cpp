#include "document/MaskedBlit.h"

#include <algorithm>

namespace orv {

namespace {

// Pixels per band of rows: the four scratch surfaces of a band take 256 KiB.
constexpr int kBandPixels = 16384;

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

    // 2. Two monochrome masks and two colour work surfaces. Every step works row by row, so the
    // block goes through all of them one band of rows at a time: a band's masks and work
    // surfaces stay in the processor's cache, which the whole block's would not. A source that
    // is the destination itself could be overwritten by an earlier band before a later one
    // reads it, so then the block is one band.
    const bool sourceIsDest = &src == &dest;
    const int band = sourceIsDest ? h : std::clamp(kBandPixels / w, 1, h);
    MaskedBlitScratch local;
    MaskedBlitScratch &s = scratch ? *scratch : local;
    prepare(s.mask, true, back, w, band);
    prepare(s.inverseMask, true, back, w, band);
    prepare(s.workA, false, back, w, band);
    prepare(s.workB, false, back, w, band);

    const Colour previousBk = src.GetBkColor();
    for (int top = 0; top < h; top += band) {
        const int rows = std::min(band, h - top);
        const int sy = srcRect.top + top;
        const int y = Y + top;
        // 3. Mask: white where the source has the key colour, black elsewhere.
        src.SetBkColor(keyColour);
        BitBlt(s.mask, 0, 0, w, rows, src, srcRect.left, sy, SRCCOPY);
        src.SetBkColor(previousBk);

        // 4. Inverse mask.
        BitBlt(s.inverseMask, 0, 0, w, rows, s.mask, 0, 0, NOTSRCCOPY);

        // 5. The destination area, kept only where the source has the key colour (white mask
        // bits become the work surface's white background colour, black ones its black text
        // colour).
        BitBlt(s.workA, 0, 0, w, rows, back, X, y, SRCCOPY);
        BitBlt(s.workA, 0, 0, w, rows, s.mask, 0, 0, SRCAND);

        // 6. The source, kept only where it does not have the key colour.
        BitBlt(s.workB, 0, 0, w, rows, src, srcRect.left, sy, SRCCOPY);
        BitBlt(s.workB, 0, 0, w, rows, s.inverseMask, 0, 0, SRCAND);

        // 7. The two disjoint parts combined.
        BitBlt(s.workA, 0, 0, w, rows, s.workB, 0, 0, SRCINVERT);

        // 8. Onto the destination.
        BitBlt(dest, X, y, w, rows, s.workA, 0, 0, SRCCOPY);
    }
}

} // namespace orv
