// Clipped vertical runs.
#include "libpxl.h"

void GrVLine(int x, int y1, int y2, GrColor c)
{
    const GrContext *cx = CURC;
    if (x < cx->gc_xcliplo || x > cx->gc_xcliphi)
        return;
    if (y1 > y2) { const int t = y1; y1 = y2; y2 = t; }
    if (y1 > cx->gc_ycliphi || y2 < cx->gc_ycliplo)
        return;
    if (y1 < cx->gc_ycliplo) y1 = cx->gc_ycliplo;
    if (y2 > cx->gc_ycliphi) y2 = cx->gc_ycliphi;
    _GrMouseGuard guard(cx, x, y1, x, y2);
    FDRV->drawvline(x + cx->gc_xoffset, y1 + cx->gc_yoffset, y2 - y1 + 1, c);
}
