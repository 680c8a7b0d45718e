// A clipped pattern-coloured pixel.
#include "libpxl.h"

void GrPatternFilledPlot(int x, int y, const GrPattern *p)
{
    const GrContext *c = CURC;
    if (p == nullptr || x < c->gc_xcliplo || x > c->gc_xcliphi || y < c->gc_ycliplo ||
        y > c->gc_ycliphi)
        return;
    _GrMouseGuard guard(c, x, y, x, y);
    GrFillArg a;
    a.pattern = p;
    _GrPatternFilledPlot(x + c->gc_xoffset, y + c->gc_yoffset, a);
}
