// Filled arcs: the chord segment, or with GR_arcPie the pie slice.
#include "libpxl.h"

void _GrFillEllipseArc(int xc, int yc, int xa, int ya, int start, int end, int style,
                       const GrFillOps *f, GrFillArg arg)
{
    int pts[GR_MAX_ELLIPSE_POINTS + 8][2];
    const int n = _GrArcPolygon(xc, yc, xa, ya, start, end, style, pts);
    _GrScanPolygon(n, pts, f, arg);
}

void GrFilledEllipseArc(int xc, int yc, int xa, int ya, int start, int end, int style,
                        GrColor c)
{
    GrFillArg a;
    a.color = c;
    _GrFillEllipseArc(xc, yc, xa, ya, start, end, style, &_GrSolidFiller, a);
}
