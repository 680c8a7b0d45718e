// Clipped horizontal runs.
#include "libpxl.h"

void GrHLine(int x1, int x2, int y, GrColor c)
{
    const GrContext *cx = CURC;
    if (y < cx->gc_ycliplo || y > cx->gc_ycliphi)
        return;
    if (x1 > x2) { const int t = x1; x1 = x2; x2 = t; }
    if (x1 > cx->gc_xcliphi || x2 < cx->gc_xcliplo)
        return;
    if (x1 < cx->gc_xcliplo) x1 = cx->gc_xcliplo;
    if (x2 > cx->gc_xcliphi) x2 = cx->gc_xcliphi;
    _GrMouseGuard guard(cx, x1, y, x2, y);
    FDRV->drawhline(x1 + cx->gc_xoffset, y + cx->gc_yoffset, x2 - x1 + 1, c);
}
