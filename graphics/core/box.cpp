// Rectangle outlines in which every pixel is written once, so XOR outlines
// have no gaps and vanish when drawn twice.
#include "libpxl.h"

void GrBox(int x1, int y1, int x2, int y2, GrColor c)
{
    const GrContext *cx = CURC;
    if (x1 > x2) { const int t = x1; x1 = x2; x2 = t; }
    if (y1 > y2) { const int t = y1; y1 = y2; y2 = t; }
    if (x1 > cx->gc_xcliphi || x2 < cx->gc_xcliplo || y1 > cx->gc_ycliphi ||
        y2 < cx->gc_ycliplo)
        return;
    const int cx1 = x1 < cx->gc_xcliplo ? cx->gc_xcliplo : x1;
    const int cy1 = y1 < cx->gc_ycliplo ? cx->gc_ycliplo : y1;
    const int cx2 = x2 > cx->gc_xcliphi ? cx->gc_xcliphi : x2;
    const int cy2 = y2 > cx->gc_ycliphi ? cx->gc_ycliphi : y2;
    const int ox = cx->gc_xoffset, oy = cx->gc_yoffset;
    _GrMouseGuard guard(cx, cx1, cy1, cx2, cy2);
    const bool top = y1 == cy1;
    const bool bottom = y2 == cy2 && !(top && cy2 == cy1);
    if (top)
        FDRV->drawhline(cx1 + ox, cy1 + oy, cx2 - cx1 + 1, c);
    if (bottom)
        FDRV->drawhline(cx1 + ox, cy2 + oy, cx2 - cx1 + 1, c);
    const int sy1 = top ? cy1 + 1 : cy1, sy2 = bottom ? cy2 - 1 : cy2;
    if (sy1 > sy2)
        return;
    const bool left = x1 == cx1;
    if (left)
        FDRV->drawvline(cx1 + ox, sy1 + oy, sy2 - sy1 + 1, c);
    if (x2 == cx2 && !(left && cx2 == cx1))
        FDRV->drawvline(cx2 + ox, sy1 + oy, sy2 - sy1 + 1, c);
}
