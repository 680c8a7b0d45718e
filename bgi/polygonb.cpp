// Polylines of one or more figures, and filled polygons.
#include <cstdlib>

#include "libbgi.h"

void __gr_drawpol(int n, const int *p, int close)
{
    if (!_GrBgiReady())
        return;
    __gr_Line.color = _GrBgiLineColor();
    if (p == nullptr)
        return;
    auto seg = [p](int a, int b) {
        _GrBgiDrawLine(_GrBgiX(p[2 * a]), _GrBgiY(p[2 * a + 1]), _GrBgiX(p[2 * b]),
                       _GrBgiY(p[2 * b + 1]));
    };
    for (int first = 0; first < n - 1;) {
        int i = first + 1;
        for (; i < n; i++) {
            seg(i - 1, i);
            if (p[2 * i] == p[2 * first] && p[2 * i + 1] == p[2 * first + 1])
                break;  // back at the start: the figure is complete
        }
        if (i >= n) {
            if (close)
                seg(n - 1, first);
            break;
        }
        first = i + 1;
    }
}

void __gr_drawpoly(int n, const int *points) { __gr_drawpol(n, points, 0); }

void drawpoly(int n, const int *points) { __gr_drawpol(n, points, 0); }

// Filled in the fill style, then outlined as a closed polyline.
void fillpoly(int n, const int *points)
{
    if (!_GrBgiReady() || n < 1 || points == nullptr)
        return;
    int(*pts)[2] = static_cast<int(*)[2]>(malloc(static_cast<size_t>(n) * sizeof *pts));
    if (pts == nullptr) {
        __gr_Result = grNoScanMem;
        return;
    }
    for (int i = 0; i < n; i++) {
        pts[i][0] = _GrBgiX(points[2 * i]);
        pts[i][1] = _GrBgiY(points[2 * i + 1]);
    }
    GrFillArg arg;
    const GrFillOps *f = _GrBgiFiller(&arg);
    _GrScanPolygon(n, pts, f, arg);
    free(pts);
    __gr_drawpol(n, points, 1);
}
