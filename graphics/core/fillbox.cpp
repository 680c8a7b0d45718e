// Clipped filled rectangles.
#include "libpxl.h"

void GrFilledBox(int x1, int y1, int x2, int y2, GrColor c)
{
    const GrContext *cx = CURC;
    if (x1 > x2) { const int t = x1; x1 = x2; x2 = t; }
    if (y1 > y2) { const int t = y1; y1 = y2; y2 = t; }
    if (x1 > cx->gc_xcliphi || x2 < cx->gc_xcliplo || y1 > cx->gc_ycliphi ||
        y2 < cx->gc_ycliplo)
        return;
    if (x1 < cx->gc_xcliplo) x1 = cx->gc_xcliplo;
    if (y1 < cx->gc_ycliplo) y1 = cx->gc_ycliplo;
    if (x2 > cx->gc_xcliphi) x2 = cx->gc_xcliphi;
    if (y2 > cx->gc_ycliphi) y2 = cx->gc_ycliphi;
    _GrMouseGuard guard(cx, x1, y1, x2, y2);
    FDRV->drawblock(x1 + cx->gc_xoffset, y1 + cx->gc_yoffset, x2 - x1 + 1,
                    y2 - y1 + 1, c);
}
