// Single pixels.
#include "libbgi.h"

void putpixel(int x, int y, int color)
{
    if (!_GrBgiReady())
        return;
    const GrContext *c = CURC;
    const int sx = _GrBgiX(x), sy = _GrBgiY(y);
    if (sx < c->gc_xcliplo || sx > c->gc_xcliphi || sy < c->gc_ycliplo || sy > c->gc_ycliphi)
        return;
    _GrMouseGuard guard(c, sx, sy, sx, sy);
    FDRV->drawpixel(sx + c->gc_xoffset, sy + c->gc_yoffset, static_cast<GrColor>(color));
}

// Any pixel of the screen can be read, inside the viewport or not; 0
// outside the screen.
unsigned getpixel(int x, int y)
{
    if (!_GrBgiReady())
        return 0;
    const GrContext *c = CURC;
    const int sx = _GrBgiX(x), sy = _GrBgiY(y);
    if (sx < 0 || sx > c->gc_xmax || sy < 0 || sy > c->gc_ymax)
        return 0;
    _GrMouseGuard guard(c, sx, sy, sx, sy);
    GrFrame f = c->gc_frame;
    return FDRV->readpixel(&f, sx + c->gc_xoffset, sy + c->gc_yoffset) & GR_VALUEMASK;
}
