// Rectangle outlines in which every pixel is written once, so XOR outlines
// have no gaps and vanish when drawn twice.
#include "libpxl.h"

void GrBox(int x1, int y1, int x2, int y2, GrColor c)
{
    const GrContext *cx = CURC;
    int cx1, cy1, cx2, cy2;
    if (!_GrClipBox(cx, &x1, &y1, &x2, &y2, &cx1, &cy1, &cx2, &cy2))
        return;
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
