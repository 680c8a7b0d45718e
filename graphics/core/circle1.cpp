// Ellipse and circle outlines.
#include "libpxl.h"

void GrEllipse(int xc, int yc, int xa, int ya, GrColor c)
{
    GrFillArg a;
    a.color = c;
    _GrScanEllipse(xc, yc, xa, ya, &_GrSolidFiller, a, 0);
}

void GrCircle(int xc, int yc, int r, GrColor c)
{
    GrEllipse(xc, yc, r, r, c);
}
