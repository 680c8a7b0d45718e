// Filled ellipses and circles.
#include "libpxl.h"

void GrFilledEllipse(int xc, int yc, int xa, int ya, GrColor c)
{
    GrFillArg a;
    a.color = c;
    _GrScanEllipse(xc, yc, xa, ya, &_GrSolidFiller, a, 1);
}

void GrFilledCircle(int xc, int yc, int r, GrColor c)
{
    GrFilledEllipse(xc, yc, r, r, c);
}
