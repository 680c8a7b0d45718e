// Clipped filled rectangles.
#include "libpxl.h"

void GrFilledBox(int x1, int y1, int x2, int y2, GrColor c)
{
    const GrContext *cx = CURC;
    if (!_GrClipBox(cx, &x1, &y1, &x2, &y2, &x1, &y1, &x2, &y2))
        return;
    _GrMouseGuard guard(cx, x1, y1, x2, y2);
    FDRV->drawblock(x1 + cx->gc_xoffset, y1 + cx->gc_yoffset, x2 - x1 + 1,
                    y2 - y1 + 1, c);
}
