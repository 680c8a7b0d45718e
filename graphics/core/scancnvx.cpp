// Fill of a convex polygon: two chains walk down from the top vertex, and
// each scan line is one span between their outermost points.
#include <algorithm>

#include "polyedge.h"

namespace {

// One side of the polygon, walked from the top vertex in one direction.
struct Chain {
    const int (*pts)[2];
    int n, dir;
    int at;             // upper vertex of the current edge
    int left;           // edges this chain may still take
    int ylo;            // the first scan line
    bool done;
    _GrPolyEdge e;

    // Starts at vertex `top` and passes the edges that end above line
    // `first`; the current edge then holds that line.
    void start(const int (*p)[2], int count, int top, int d, int first)
    {
        pts = p;
        n = count;
        dir = d;
        at = top;
        left = count;
        ylo = first;
        done = false;
        do
            next_edge();
        while (!done && e.bottom < ylo);
    }

    // Takes the next edge down from vertex `at`; an edge that turns back up
    // ends the chain (for a convex polygon: past the bottom vertex).
    void next_edge()
    {
        if (left-- <= 0) {
            done = true;
            return;
        }
        int to = at + dir;  // wrapped without a division
        if (to < 0)
            to += n;
        else if (to >= n)
            to -= n;
        const int *a = pts[at], *b = pts[to];
        if (b[1] < a[1]) {
            done = true;
            return;
        }
        at = to;
        e.init(a[0], a[1], b[0], b[1], ylo);
    }

    // Widens [*lo, *hi] by what this chain touches on line y; called for
    // the lines in order, so the current edge holds line y.
    void touch(int y, int64_t *lo, int64_t *hi)
    {
        if (done)
            return;
        int64_t a, b;
        auto widen = [&] {
            *lo = std::min(*lo, a);
            *hi = std::max(*hi, b);
        };
        if (y < e.bottom) {
            e.step(&a, &b);
            widen();
            return;
        }
        // the end point, then on through the vertices of this line
        e.last(&a, &b);
        widen();
        for (;;) {
            next_edge();
            if (done)
                return;
            if (e.bottom > y) {
                e.step(&a, &b);
                widen();
                return;
            }
            e.last(&a, &b);  // a flat edge on this line
            widen();
        }
    }
};

}  // namespace

void _GrScanConvexPoly(int n, const int points[][2], const GrFillOps *f, GrFillArg arg)
{
    if (n <= 0 || points == nullptr)
        return;
    if (n > 1 && points[n - 1][0] == points[0][0] && points[n - 1][1] == points[0][1])
        n--;
    const GrContext *c = CURC;
    int x1 = points[0][0], x2 = x1, y1 = points[0][1], y2 = y1;
    for (int i = 1; i < n; i++) {
        x1 = std::min(x1, points[i][0]);
        x2 = std::max(x2, points[i][0]);
        y1 = std::min(y1, points[i][1]);
        y2 = std::max(y2, points[i][1]);
    }
    int top = 0;  // the first vertex on the top line
    while (points[top][1] != y1)
        top++;
    if (x1 > c->gc_xcliphi || x2 < c->gc_xcliplo || y1 > c->gc_ycliphi || y2 < c->gc_ycliplo)
        return;
    const int ystart = std::max(y1, c->gc_ycliplo), yend = std::min(y2, c->gc_ycliphi);
    _GrMouseGuard guard(c, std::max(x1, c->gc_xcliplo), ystart, std::min(x2, c->gc_xcliphi),
                        yend);
    Chain fwd{}, back{};
    fwd.start(points, n, top, 1, ystart);
    back.start(points, n, top, -1, ystart);
    const _GrSpanOut draw(c, f, arg, x1, x2);
    for (int y = ystart; y <= yend;) {
        // lines inside both chains' current edges: step them directly
        if (!fwd.done && !back.done) {
            const int until = std::min({fwd.e.bottom, back.e.bottom, yend + 1});
            for (; y < until; y++) {
                int64_t a1, a2, b1, b2;
                fwd.e.step(&a1, &a2);
                back.e.step(&b1, &b2);
                draw(y, std::min(a1, b1), std::max(a2, b2));
            }
            if (y > yend)
                break;
        }
        int64_t lo = INT64_MAX, hi = INT64_MIN;
        fwd.touch(y, &lo, &hi);
        back.touch(y, &lo, &hi);
        draw(y, lo, hi);
        y++;
    }
}

void GrFilledConvexPolygon(int n, const int points[][2], GrColor c)
{
    GrFillArg a;
    a.color = c;
    _GrScanConvexPoly(n, points, &_GrSolidFiller, a);
}
