// Filled rectangles the caller has already clipped and shielded.
#include "libpxl.h"

void GrFilledBoxNC(int x1, int y1, int x2, int y2, GrColor c)
{
    const GrContext *cx = CURC;
    FDRV->drawblock(x1 + cx->gc_xoffset, y1 + cx->gc_yoffset, x2 - x1 + 1,
                    y2 - y1 + 1, c);
}
