// Polygon and polyline outlines through a filler.
#include "libpxl.h"

void _GrDrawPolygon(int n, const int points[][2], const GrFillOps *f, GrFillArg arg,
                    int close)
{
    if (n <= 0 || points == nullptr)
        return;
    if (n == 1)
        close = 1;  // one point: a closed polygon of one zero-length side
    const GrContext *c = CURC;
    int x1 = points[0][0], y1 = points[0][1], x2 = x1, y2 = y1;
    for (int i = 1; i < n; i++) {
        if (points[i][0] < x1) x1 = points[i][0];
        if (points[i][0] > x2) x2 = points[i][0];
        if (points[i][1] < y1) y1 = points[i][1];
        if (points[i][1] > y2) y2 = points[i][1];
    }
    if (x1 > c->gc_xcliphi || x2 < c->gc_xcliplo || y1 > c->gc_ycliphi || y2 < c->gc_ycliplo)
        return;
    _GrMouseGuard guard(c, x1 < c->gc_xcliplo ? c->gc_xcliplo : x1,
                        y1 < c->gc_ycliplo ? c->gc_ycliplo : y1,
                        x2 > c->gc_xcliphi ? c->gc_xcliphi : x2,
                        y2 > c->gc_ycliphi ? c->gc_ycliphi : y2);
    for (int i = close ? 0 : 1; i < n; i++) {
        const int *a = points[i == 0 ? n - 1 : i - 1], *b = points[i];
        // top to bottom, so both neighbours of a vertex draw it alike
        if (b[1] < a[1]) {
            const int *t = a;
            a = b;
            b = t;
        }
        int sx = a[0], sy = a[1], ex = b[0], ey = b[1];
        if (_GrClipLine(c, &sx, &sy, &ex, &ey))
            f->line(sx + c->gc_xoffset, sy + c->gc_yoffset, ex - sx, ey - sy, arg);
    }
}

void GrPolyLine(int n, const int points[][2], GrColor c)
{
    GrFillArg a;
    a.color = c;
    _GrDrawPolygon(n, points, &_GrSolidFiller, a, 0);
}

void GrPolygon(int n, const int points[][2], GrColor c)
{
    GrFillArg a;
    a.color = c;
    _GrDrawPolygon(n, points, &_GrSolidFiller, a, 1);
}
