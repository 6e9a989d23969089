// The drawing surface: a persistent 32-bit RGB back-buffer with the device-context state that
// the document's tools draw through (pen, brush, clip region, current position, colours, font).
//
// Every operation is exact and deterministic (no antialiasing except for text) and works on the
// back-buffer's scanlines directly. Colours are 0x00BBGGRR integers (red in the low byte), as the
// program stores them everywhere; the back-buffer holds Format_RGB32 pixels, kept as bands of
// rows that copies of the surface share until one side writes them (SurfaceBands.h).
//
// Objects handed out (pens, brushes, regions, scratch surfaces) are values that own what they hold;
// nothing needs deleting by hand.
//
// Pixel rules, shared by every operation:
// - Every drawing operation is clipped to the surface and to the selected clip region, and adds
//   the rectangle of the pixels it actually wrote to the dirty rectangle.
// - One-pixel lines follow Bresenham's rule from the start point: along the major axis every
//   step paints one pixel; the minor coordinate is the exact one rounded to nearest, an exact
//   half rounding back towards the start point. Lines are therefore mirror images of each other
//   in all eight octants about their start point.
// - Wide strokes (pen or DrawWidth of 2 and more, width w): the pixels whose centres lie within
//   w/2 of the stroke's centre line, ends included (round caps). For odd w the centre line joins
//   the centres of the two end pixels; for even w it joins their top-left corners, so that a
//   horizontal or vertical stroke is exactly w pixels thick (a width-4 stroke along row 10 covers
//   rows 8 to 11). A dot is the same with both ends in one place: DrawWidth 14 at (x, y) is a
//   14-pixel-across disc covering columns x-7..x+6 and rows y-7..y+6.
// - Box outlines of width w (Rectangle, Line B) are square frames around the width-1 outline:
//   w/2 pixels outside it, (w-1)/2 inside it (rounded down), so odd widths are centred on it and
//   even widths put their extra pixel outside.
// - A monochrome surface holds black and white only: a colour drawn into it becomes white when
//   red + green + blue >= 384, black otherwise.
// - Coordinates are kept within +-2^28; no surface comes close to that.
#pragma once

#include "base/Colour.h"
#include "document/surface/SurfaceBands.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QVector>
#include <cstdint>
#include <functional>
#include <memory>

class QPainter;

namespace orv {

// Raster operations used by the program.
enum : std::uint32_t {
    SRCCOPY = 0x00CC0020u,
    SRCAND = 0x008800C6u,
    SRCINVERT = 0x00660046u,
    NOTSRCCOPY = 0x00330008u,
    SRCPAINT = 0x00EE0086u,
};

// Flood fill types.
enum : std::uint32_t { FLOODFILLBORDER = 0, FLOODFILLSURFACE = 1 };
// Polygon fill modes.
enum : int { ALTERNATE = 1, WINDING = 2 };

// A created pen. Width 0 and 1 draw one-pixel lines; wider pens draw round-ended strokes.
struct Pen {
    std::int32_t style = PS_SOLID;
    int width = 1;
    Colour colour = 0;
};

// A created brush. A hollow brush paints nothing; a hatched or patterned brush paints its colour
// (this program has no pattern bitmaps).
struct Brush {
    std::int32_t style = BS_SOLID;
    Colour colour = 0;
    bool hollow() const { return style == BS_HOLLOW; }
};

Pen CreatePenIndirect(const LogPen &record);
Pen ExtCreatePen(std::int32_t style, int width, const LogBrush &brush);
Brush CreateBrushIndirect(const LogBrush &record);

// A region: a set of pixels, kept as y-banded rectangles. A default Region is "no region" (the
// program's handle 0); CreateRectRgn(0, 0, 0, 0) is an empty but valid region.
class Region {
public:
    Region() = default;
    explicit Region(const QRegion &r) : m_valid(true), m_region(r) {}
    bool isNull() const { return !m_valid; }
    explicit operator bool() const { return m_valid; }
    const QRegion &region() const { return m_region; }
    QRect boundingRect() const { return m_region.boundingRect(); }
    bool operator==(const Region &o) const { return m_valid == o.m_valid && m_region == o.m_region; }

private:
    bool m_valid = false;
    QRegion m_region;
};

Region CreateRectRgn(int left, int top, int right, int bottom);   // right, bottom exclusive
Region CreatePolygonRgn(const QVector<QPoint> &points, int fillMode);
void OffsetRgn(Region &rgn, int dx, int dy);
bool PtInRegion(const Region &rgn, int x, int y);

struct ClipBands;
class RasterTarget;

// The drawing surface with its device context.
class Surface {
public:
    Surface() = default;
    Surface(int width, int height, Colour fill = 0xFFFFFF);
    explicit Surface(const QImage &picture);

    // --- size and pixels -------------------------------------------------------------
    int ScaleWidth() const { return m_px.width(); }
    int ScaleHeight() const { return m_px.height(); }
    QSize size() const { return m_px.size(); }
    bool isNull() const { return m_px.isNull(); }
    // Resizes the back-buffer; the pixels in the common top-left area stay, new area takes
    // BackColor. Reuses the buffer when the size does not change.
    void resize(int width, int height);
    void setWidth(int w) { resize(w, ScaleHeight()); }
    void setHeight(int h) { resize(ScaleWidth(), h); }

    // `Image`: the back-buffer as one picture. Free while the surface still holds the one
    // buffer it was given or made (and then shared: a kept picture makes later writes copy the
    // bands they touch); a fresh copy otherwise. Whole-picture work only: loops read rows.
    QImage Image() const { return m_px.picture(); }
    // `Picture` = picture: the surface takes the picture's size and pixels, converted to RGB32,
    // sharing them until either side changes. The whole surface becomes dirty.
    void setPicture(const QImage &picture);
    // Takes the size and pixels of another surface, sharing its bands (each side copies a band
    // before writing it), and its change tracking. The whole surface becomes dirty.
    void copyFrom(const Surface &other);

    // Direct row access (0xFFRRGGBB pixels). A row pointer covers that one row: rows are not a
    // fixed stride apart. scanLine makes the row's band this surface's own; writing through it
    // does not mark anything dirty: call markDirty for what was changed.
    std::uint32_t *scanLine(int y);
    const std::uint32_t *constScanLine(int y) const { return m_px.constRow(y); }
    // The whole back-buffer as one block this surface alone holds (copied together first when
    // keepPixels, else left undefined for a caller that writes every pixel): the first row and
    // the stride in pixels. Everything counts as written.
    std::uint32_t *contiguousBits(qsizetype *stride, bool keepPixels);
    // The band store, for sharing bands (the undo history) and for counting shared ones.
    const SurfaceBands &bands() const { return m_px; }
    // Makes band i the given band of another store (same size); its rows count as written.
    void shareBand(int i, const SurfaceBands::Band &band);
    // Draws the area of the back-buffer at the same coordinates of the painter, band by band.
    void drawArea(QPainter &p, const QRect &area) const;

    // --- device-context state ------------------------------------------------------------
    void SelectObject(const Pen &pen) { m_pen = pen; }
    void SelectObject(const Brush &brush) { m_brush = brush; }
    const Pen &selectedPen() const { return m_pen; }
    const Brush &selectedBrush() const { return m_brush; }
    // Selects a copy of the region as the clip region; a null region removes clipping.
    void SelectClipRgn(const Region &rgn);
    const Region &clipRegion() const { return m_clip; }
    Colour SetBkColor(Colour c);      // returns the previous one; default white
    Colour GetBkColor() const { return m_bkColour; }
    Colour SetTextColor(Colour c);    // returns the previous one; default black
    Colour GetTextColor() const { return m_textColour; }
    // A monochrome bitmap holds only black and white; copies into it follow the background-
    // colour rule, copies out of it follow the text and background colours of the target.
    bool isMonochrome() const { return m_mono; }

    // --- GDI drawing ---------------------------------------------------------------------
    // While a path bracket is open (BeginPath..EndPath) LineTo, Rectangle and Ellipse only define
    // the path and draw nothing; this surface keeps no path, so they just move the current
    // position (LineTo) and return true.
    //
    // GetPixel reads the pixel whether or not it is inside the clip region; CLR_INVALID outside
    // the surface.
    Colour GetPixel(int x, int y) const;
    Colour SetPixel(int x, int y, Colour c);   // returns the colour set, CLR_INVALID when clipped out
    bool SetPixelV(int x, int y, Colour c);
    QPoint MoveToEx(int x, int y);             // returns the previous position
    QPoint currentPosition() const { return m_pos; }
    // Pen of width 0 or 1: the one-pixel line without its end pixel (a zero-length line paints
    // nothing). Wider pens: the round-ended stroke, end included. A null pen draws nothing.
    bool LineTo(int x, int y);
    // The box is normalised and right/bottom exclusive: a width-1 outline covers columns
    // left..right-1 and rows top..bottom-1, the brush fills the inside (left+1..right-2,
    // top+1..bottom-2) unless hollow. With a null pen the brush fills the whole box.
    bool Rectangle(int left, int top, int right, int bottom);
    // The ellipse inscribed in the normalised box: a pixel belongs to the filled ellipse when its
    // centre lies inside or on the ellipse through the box edges. The width-1 outline is that
    // set's border (its pixels with a 4-neighbour outside it): 8-connected, one pixel thin,
    // symmetric in both axes. The brush fills the rest unless hollow (a null pen lets the brush
    // fill the whole set). A pen of width w strokes the filled ellipse of the box grown by w/2
    // minus the inside of the box shrunk by (w-1)/2. A box 1 or 2 pixels wide or high is drawn
    // as that strip (pen grown as above); a box 0 wide or high draws nothing.
    bool Ellipse(int left, int top, int right, int bottom);
    // FLOODFILLSURFACE: the 4-connected area of pixels equal to colour around (x, y), inside the
    // clip region. FLOODFILLBORDER: the 4-connected area of pixels other than colour. Painted
    // with the selected brush; false when the start pixel is outside the surface or the clip
    // region or does not qualify. A hollow brush, or a brush of the very colour being filled,
    // changes nothing.
    bool ExtFloodFill(int x, int y, Colour colour, std::uint32_t type);
    bool FillRgn(const Region &rgn, const Brush &brush);
    bool PaintRgn(const Region &rgn);          // with the selected brush
    void BeginPath() { m_pathOpen = true; }
    void EndPath() { m_pathOpen = false; }

    // --- runtime surface operations -----------------------------------------------------
    Colour ForeColor = 0;
    Colour BackColor = 0xFFFFFF;
    Colour FillColor = 0;
    int FillStyle = 1;          // 0 solid, 1 transparent
    int DrawWidth = 1;
    double CurrentX = 0;
    double CurrentY = 0;
    QFont Font;
    bool Visible = true;

    // Runtime coordinates are rounded half up to whole pixels.
    void Cls();                                // back-buffer (inside the clip) to BackColor, CurrentX/Y to 0
    // DrawWidth <= 1: the one pixel; wider: the round dot of DrawWidth (see the pixel rules).
    // CurrentX/Y move to the point.
    void PSet(double x, double y);             // in ForeColor
    void PSet(double x, double y, Colour c);
    Colour Point(double x, double y) const;    // -1 (CLR_INVALID) outside
    // Line (x1, y1)-(x2, y2), colour [, B[F]]: a line of DrawWidth (end pixel painted, as the
    // runtime does), a box outline (B) covering columns x1..x2 and rows y1..y2 inclusive with an
    // outline of DrawWidth, or a filled box (BF): that box with its outline, all in the colour.
    // CurrentX/Y move to (x2, y2).
    void Line(double x1, double y1, double x2, double y2, Colour c, bool box = false, bool filled = false);
    // PaintPicture: scaled copy of a source block, with StretchBlt's pixel rules; negative
    // extents mirror. PaintPicture(p, 0, 0, W + 1, H, W - 1, 0, -W, H) mirrors a W x H picture.
    void PaintPicture(const QImage &picture, double x, double y, double w, double h,
                      double sx, double sy, double sw, double sh, std::uint32_t rop = SRCCOPY);
    // Print text at CurrentX/CurrentY (the top-left of the text line) in ForeColor with Font,
    // antialiased (not on a monochrome surface), inside the clip region. Each line of the text
    // (split at line feeds) moves CurrentY down by the font's height and CurrentX back to 0.
    void Print(const QString &text);

    // `Refresh`: tells the view that shows this surface to repaint what changed: calls the refresh
    // handler (if any) with dirtyRect(), without clearing it; whoever repaints takes it with
    // takeDirty().
    void Refresh();
    void setRefreshHandler(std::function<void(const QRect &)> handler) { m_onRefresh = std::move(handler); }

    // The area drawn since the last takeDirty(); every drawing operation adds the bounding
    // rectangle of the pixels it wrote (after clipping). takeDirty returns it and clears it.
    QRect dirtyRect() const { return m_dirty; }
    QRect takeDirty();
    void markDirty(const QRect &r) { m_dirty |= r; }

    // Change tracking for the commit step: restartChangeTracking() starts a new count and names
    // it; changedArea() is then a rectangle holding every pixel written since (drawing adds what
    // it wrote, scanLine(y) adds rows y to the bottom). Replacing, resizing or copying the whole
    // buffer ends the count (changeEpoch() 0). A copy of the surface carries both along, as it
    // carries the pixels. Bookkeeping only, so usable on a const surface.
    std::uint64_t restartChangeTracking() const;
    std::uint64_t changeEpoch() const { return m_changeEpoch; }
    QRect changedArea() const { return m_changed; }

    static Surface createMonochrome(int width, int height);   // CreateBitmap(w, h, 1, 1)

private:
    // A closed figure in the box: outlined with the pen (none for a null pen), filled with the
    // brush unless it is hollow. Nothing while a path is being recorded.
    using ClosedShape = void (*)(RasterTarget &, int, int, int, int, int, std::uint32_t, bool, std::uint32_t);
    bool closedShape(ClosedShape shape, int left, int top, int right, int bottom);

    friend bool BitBlt(Surface &, int, int, int, int, const Surface &, int, int, std::uint32_t);
    friend bool StretchBlt(Surface &, int, int, int, int, const Surface &, int, int, int, int, std::uint32_t);
    friend class RasterTarget;

    SurfaceBands m_px;
    Pen m_pen;
    Brush m_brush{BS_SOLID, 0xFFFFFF};
    Region m_clip;
    std::shared_ptr<const ClipBands> m_clipBands;   // m_clip as bands; null without clipping
    Colour m_bkColour = 0xFFFFFF;
    Colour m_textColour = 0;
    QPoint m_pos;
    bool m_mono = false;
    bool m_pathOpen = false;
    QRect m_dirty;
    mutable QRect m_changed;
    mutable std::uint64_t m_changeEpoch = 0;
    std::function<void(const QRect &)> m_onRefresh;
};

// Block transfers between surfaces (the source may be the destination itself; overlapping
// blocks copy as if through a temporary). Raster operations other than the named ones follow the
// general three-operand rule with the destination's brush as pattern.
// - Colour to monochrome: source pixels equal to the source's background colour become white,
//   all others black. Monochrome to colour: white becomes the destination's background colour,
//   black its text colour.
// - Only pixels inside both surfaces (and the destination's clip region) are transferred.
// - BitBlt with a width or height of 0 or less transfers nothing.
// - StretchBlt maps by nearest pixel. An extent e at position p covers the pixels p..p+e-1 when
//   positive and p, p-1, .., p+e+1 (taken from p backwards) when negative; opposite signs of
//   source and destination extents mirror. Destination pixel i (counted along the destination
//   extent) takes source pixel ceil((i + 1) * |sw| / |w|) - 1 (counted along the source extent),
//   so each source pixel k covers destination pixels floor(k * |w| / |sw|) up to
//   floor((k + 1) * |w| / |sw|) - 1: an exact doubling doubles every pixel.
bool BitBlt(Surface &dst, int x, int y, int w, int h, const Surface &src, int sx, int sy, std::uint32_t rop);
bool StretchBlt(Surface &dst, int x, int y, int w, int h, const Surface &src, int sx, int sy, int sw,
                int sh, std::uint32_t rop);

// Scratch surfaces: CreateCompatibleBitmap gives a colour surface (a monochrome one when `like` is
// monochrome), CreateBitmap(w, h, 1, 1) a monochrome one (white background, black text by
// default, as a fresh memory context has); other CreateBitmap formats give a colour surface.
// Fresh scratch surfaces are black.
Surface CreateCompatibleBitmap(const Surface &like, int width, int height);

// A new, uninitialised RGB32 picture; big ones live in huge pages where the system offers them.
QImage NewImageBuffer(int width, int height);
Surface CreateBitmap(int width, int height, int planes, int bitsPerPixel);

} // namespace orv
