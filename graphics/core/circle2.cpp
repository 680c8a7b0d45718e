// Arc outlines: open, closed by the chord, or through the centre.
#include "libpxl.h"

void GrEllipseArc(int xc, int yc, int xa, int ya, int start, int end, int style,
                  GrColor c)
{
    int pts[GR_MAX_ELLIPSE_POINTS + 8][2];
    int n = GrGenerateEllipseArc(xc, yc, xa, ya, start, end, pts);
    if (style == GR_arcPie) {
        pts[n][0] = xc;
        pts[n][1] = yc;
        n++;
    }
    GrFillArg a;
    a.color = c;
    _GrDrawPolygon(n, pts, &_GrSolidFiller, a, style == GR_arcChord || style == GR_arcPie);
}
