// Whole ellipses: small ones exactly, row by row from a half-width table;
// large ones as polygons.
#include <algorithm>

#include "polyedge.h"

namespace {

// Ellipses up to this half-axis are drawn row by row from a table.
const int kTableAxis = 120;

// Half-widths of the rows 0..b away from the centre row, by midpoint
// arithmetic.
void half_widths(int64_t a, int64_t b, int64_t h[kTableAxis + 1])
{
    const int64_t A = a * a, B = b * b;
    std::fill(h, h + b + 1, 0);
    auto set = [&](int64_t y, int64_t x) {
        if (y >= 0 && y <= b)
            h[static_cast<size_t>(y)] = x;
    };
    int64_t x = 0, y = b, d = 2 * B - 2 * A * b + A;
    do {
        if (d >= 0) {
            set(y, x);
            y -= 1;
            d -= 4 * A * y;
        }
        d += 2 * B * (2 * x + 3);
        x += 1;
    } while (A * y > B * x);
    d = B * (1 - 2 * A) + 2 * A * (y - 1) * (y - 1) + 2 * B * x * (x + 1);
    while (y >= 0) {
        set(y, x);
        if (d <= 0) {
            x += 1;
            d += 4 * B * x;
        }
        y -= 1;
        d += 2 * A * (2 - 2 * y);
    }
}

}  // namespace

void _GrScanEllipse(int xc, int yc, int xa, int ya, const GrFillOps *f, GrFillArg arg,
                    int filled)
{
    const GrContext *c = CURC;
    const int64_t a = xa < 0 ? -static_cast<int64_t>(xa) : xa;
    const int64_t b = ya < 0 ? -static_cast<int64_t>(ya) : ya;
    const int64_t bx1 = xc - a, bx2 = xc + a, by1 = yc - b, by2 = yc + b;
    if (bx1 > c->gc_xcliphi || bx2 < c->gc_xcliplo || by1 > c->gc_ycliphi || by2 < c->gc_ycliplo)
        return;
    const int cx1 = static_cast<int>(std::max<int64_t>(bx1, c->gc_xcliplo));
    const int cx2 = static_cast<int>(std::min<int64_t>(bx2, c->gc_xcliphi));
    const int cy1 = static_cast<int>(std::max<int64_t>(by1, c->gc_ycliplo));
    const int cy2 = static_cast<int>(std::min<int64_t>(by2, c->gc_ycliphi));
    _GrMouseGuard guard(c, cx1, cy1, cx2, cy2);
    const int xo = c->gc_xoffset, yo = c->gc_yoffset;
    if (a == 0 || b == 0) {
        f->line(cx1 + xo, cy1 + yo, cx2 - cx1, cy2 - cy1, arg);
        return;
    }
    if (a > kTableAxis || b > kTableAxis) {
        int pts[GR_MAX_ELLIPSE_POINTS + 8][2];
        const int n = GrGenerateEllipse(xc, yc, xa, ya, pts);
        if (filled)
            _GrScanConvexPoly(n, pts, f, arg);
        else
            _GrDrawPolygon(n, pts, f, arg, 1);
        return;
    }
    int64_t h[kTableAxis + 1];
    half_widths(a, b, h);
    const _GrSpanOut span(c, f, arg, bx1, bx2);
    for (int y = cy1; y <= cy2; y++) {
        const int64_t k = y > yc ? static_cast<int64_t>(y) - yc : static_cast<int64_t>(yc) - y;
        const int64_t hk = h[static_cast<size_t>(k)];
        if (filled || k == b) {
            span(y, xc - hk, xc + hk);
            continue;
        }
        // runs out to where the next row outward begins: no gaps
        const int64_t hn = h[static_cast<size_t>(k) + 1];
        if (hk == hn) {
            span(y, xc - hk, xc - hk);
            span(y, xc + hk, xc + hk);
        } else {
            span(y, xc - hk, xc - hn - 1);
            span(y, xc + hn + 1, xc + hk);
        }
    }
}
