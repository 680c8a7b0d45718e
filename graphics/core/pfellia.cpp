// Pattern-filled arcs and pie slices.
#include "libpxl.h"

void GrPatternFilledEllipseArc(int xc, int yc, int xa, int ya, int start, int end,
                               int style, const GrPattern *p)
{
    if (p == nullptr)
        return;
    GrFillArg a;
    a.pattern = p;
    _GrFillEllipseArc(xc, yc, xa, ya, start, end, style, &_GrPatternFiller, a);
}
