// Filled arcs: the chord segment, or with GR_arcPie the pie slice.
#include "libpxl.h"

void _GrFillEllipseArc(int xc, int yc, int xa, int ya, int start, int end, int style,
                       const GrFillOps *f, GrFillArg arg)
{
    int pts[GR_MAX_ELLIPSE_POINTS + 8][2];
    int n = GrGenerateEllipseArc(xc, yc, xa, ya, start, end, pts);
    if (style == GR_arcPie) {
        pts[n][0] = xc;
        pts[n][1] = yc;
        n++;
    }
    _GrScanPolygon(n, pts, f, arg);
}

void GrFilledEllipseArc(int xc, int yc, int xa, int ya, int start, int end, int style,
                        GrColor c)
{
    GrFillArg a;
    a.color = c;
    _GrFillEllipseArc(xc, yc, xa, ya, start, end, style, &_GrSolidFiller, a);
}
