// Arc outlines: open, closed by the chord, or through the centre.
#include "libpxl.h"

void GrEllipseArc(int xc, int yc, int xa, int ya, int start, int end, int style,
                  GrColor c)
{
    int pts[GR_MAX_ELLIPSE_POINTS + 8][2];
    const int n = _GrArcPolygon(xc, yc, xa, ya, start, end, style, pts);
    GrFillArg a;
    a.color = c;
    _GrDrawPolygon(n, pts, &_GrSolidFiller, a, style == GR_arcChord || style == GR_arcPie);
}
