// A clipped pattern-coloured line.
#include "libpxl.h"

void GrPatternFilledLine(int x1, int y1, int x2, int y2, const GrPattern *p)
{
    const GrContext *c = CURC;
    if (p == nullptr || !_GrClipLine(c, &x1, &y1, &x2, &y2))
        return;
    _GrMouseGuard guard(c, x1, y1, x2, y2);
    GrFillArg a;
    a.pattern = p;
    _GrPatternFilledLine(x1 + c->gc_xoffset, y1 + c->gc_yoffset, x2 - x1, y2 - y1, a);
}
