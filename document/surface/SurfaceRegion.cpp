// Regions: rectangles, polygons (scan-converted here, exactly), offsets and hit tests, and the
// band index that drawing operations clip their spans with.
#include "document/surface/SurfaceRaster.h"

#include <algorithm>

namespace orv {

// ---------------------------------------------------------------------------------------------
// Clip bands
// ---------------------------------------------------------------------------------------------

std::shared_ptr<const ClipBands> ClipBands::build(const QRegion &region)
{
    auto out = std::make_shared<ClipBands>();
    out->bounds = region.boundingRect();
    // A region's rectangles come y-x banded: bands of equal top and bottom, sorted top to
    // bottom, each sorted left to right.
    const std::vector<QRect> rects(region.begin(), region.end());
    std::size_t i = 0;
    while (i < rects.size()) {
        const int top = rects[i].top();
        const int bottom = rects[i].bottom() + 1;
        Band band{top, bottom, int(out->intervals.size()), 0};
        for (; i < rects.size() && rects[i].top() == top && rects[i].bottom() + 1 == bottom; ++i) {
            const Interval iv{rects[i].left(), rects[i].right() + 1};
            if (band.count > 0 && out->intervals.back().x1 >= iv.x0) {
                out->intervals.back().x1 = std::max(out->intervals.back().x1, iv.x1);   // touching: one interval
            } else {
                out->intervals.push_back(iv);
                ++band.count;
            }
        }
        out->bands.push_back(band);
    }
    return out;
}

const ClipBands::Band *ClipBands::find(int y) const
{
    auto it = std::partition_point(bands.begin(), bands.end(), [y](const Band &b) { return b.bottom <= y; });
    if (it == bands.end() || it->top > y)
        return nullptr;
    return &*it;
}

// ---------------------------------------------------------------------------------------------
// Regions
// ---------------------------------------------------------------------------------------------

Region CreateRectRgn(int left, int top, int right, int bottom)
{
    const int l = std::min(left, right), r = std::max(left, right);
    const int t = std::min(top, bottom), b = std::max(top, bottom);
    if (l == r || t == b)
        return Region(QRegion());
    return Region(QRegion(l, t, r - l, b - t));
}

// Scan conversion: a pixel belongs when its centre (x + 0.5, y + 0.5) is inside the polygon by
// the fill rule. Centres sit on half rows, so no vertex ever lies on a sampled row and horizontal
// edges never count. An edge crossing the row at X counts for the pixels whose centres lie
// strictly left of X: the first pixel right of the crossing is ceil(X - 0.5), computed exactly.
// So a centre exactly on a left edge is inside and one exactly on a right edge is outside. Rows
// with the same spans as the row above extend its band, which is the region's own banded form.
Region CreatePolygonRgn(const QVector<QPoint> &points, int fillMode)
{
    struct Edge {
        long long xTop, yTop, xBottom, yBottom;   // yTop < yBottom
        int dir;                                  // +1 downwards in the point order, -1 upwards
    };
    std::vector<Edge> edges;
    const qsizetype n = points.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QPoint a = points[i];
        const QPoint b = points[(i + 1) % n];
        if (a.y() == b.y())
            continue;
        if (a.y() < b.y())
            edges.push_back({clampCoord(a.x()), clampCoord(a.y()), clampCoord(b.x()), clampCoord(b.y()), +1});
        else
            edges.push_back({clampCoord(b.x()), clampCoord(b.y()), clampCoord(a.x()), clampCoord(a.y()), -1});
    }
    if (edges.empty())
        return Region(QRegion());
    std::sort(edges.begin(), edges.end(), [](const Edge &a, const Edge &b) { return a.yTop < b.yTop; });
    long long yMin = edges.front().yTop, yMax = edges.front().yBottom;
    for (const Edge &e : edges)
        yMax = std::max(yMax, e.yBottom);

    struct Crossing {
        long long x;   // first pixel to the right of the crossing
        int dir;
    };
    std::vector<int> active;           // indices into edges
    std::vector<Crossing> crossings;
    std::vector<std::pair<int, int>> spans, previous;   // [x0, x1)
    std::vector<QRect> rects;
    std::size_t bandStart = 0;   // first rect of the band the previous row belongs to
    std::size_t nextEdge = 0;

    for (long long y = yMin; y < yMax; ++y) {
        // Row y samples at y + 0.5: edges with yTop <= y < yBottom cross it.
        while (nextEdge < edges.size() && edges[nextEdge].yTop <= y)
            active.push_back(int(nextEdge++));
        active.erase(std::remove_if(active.begin(), active.end(), [&](int i) { return edges[i].yBottom <= y; }),
                     active.end());
        crossings.clear();
        for (int i : active) {
            const Edge &e = edges[i];
            // X = xTop + (2y + 1 - 2yTop)(xBottom - xTop) / (2(yBottom - yTop));
            // ceil(X - 0.5) = ceil((2 D xTop + (2y + 1 - 2yTop)(xBottom - xTop) - D) / (2 D)).
            const long long D = e.yBottom - e.yTop;
            const __int128 num = __int128(2) * D * e.xTop + __int128(2 * y + 1 - 2 * e.yTop) * (e.xBottom - e.xTop) - D;
            const __int128 den = __int128(2) * D;
            __int128 q = num / den;
            if (num % den != 0 && num > 0)
                ++q;
            crossings.push_back({static_cast<long long>(q), e.dir});
        }
        std::sort(crossings.begin(), crossings.end(), [](const Crossing &a, const Crossing &b) { return a.x < b.x; });
        spans.clear();
        int winding = 0;
        for (std::size_t c = 0; c < crossings.size(); ++c) {
            winding += crossings[c].dir;
            const bool in = fillMode == WINDING ? winding != 0 : (c % 2 == 0);
            if (in && c + 1 < crossings.size() && crossings[c].x < crossings[c + 1].x) {
                const int a = int(crossings[c].x), b = int(crossings[c + 1].x);
                if (!spans.empty() && spans.back().second == a)
                    spans.back().second = b;
                else
                    spans.push_back({a, b});
            }
        }
        // Rows are consecutive, so an unchanged non-empty row list extends the previous band.
        if (!spans.empty() && spans == previous && rects.size() > bandStart && rects.back().bottom() == y - 1) {
            for (std::size_t r = bandStart; r < rects.size(); ++r)
                rects[r].setBottom(int(y));
        } else {
            bandStart = rects.size();
            for (const auto &s : spans)
                rects.push_back(QRect(QPoint(s.first, int(y)), QPoint(s.second - 1, int(y))));
        }
        previous = spans;
    }
    QRegion region;
    if (!rects.empty())
        region.setRects(rects.data(), int(rects.size()));
    return Region(region);
}

void OffsetRgn(Region &rgn, int dx, int dy)
{
    if (rgn)
        rgn = Region(rgn.region().translated(dx, dy));
}

bool PtInRegion(const Region &rgn, int x, int y)
{
    return rgn && rgn.region().contains(QPoint(x, y));
}

} // namespace orv
