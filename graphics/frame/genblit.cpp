// Pixel-by-pixel copy between frames of any two drivers.
#include "libpxl.h"

void _GrFrDrvGenericBitBlt(GrFrame *dst, int dx, int dy, GrFrame *src,
                           int sx, int sy, int w, int h, GrColor op)
{
    GrColor (*readpix)(GrFrame *, int, int) = src->gf_driver->readpixel;
    void (*drawpix)(int, int, GrColor) = dst->gf_driver->drawpixel;
    // The source may be the current frame record itself, which is about
    // to be overwritten: read through a copy of it.
    GrFrame sf = *src;
    src = &sf;
    // drawpixel draws into the current frame: lend it the destination.
    const GrFrame saved = *CURF;
    *CURF = *dst;
    const GrColor mode = op & GR_MODEMASK;
    const GrColor skip = op ^ GR_IMAGE;
    int step = 1;
    if (dy > sy || (dy == sy && dx > sx)) {
        // destination after the source: walk back from the far corner
        step = -1;
        dx += w - 1; sx += w - 1;
        dy += h - 1; sy += h - 1;
    }
    for (int r = 0; r < h; r++, dy += step, sy += step) {
        for (int i = 0, x = sx, xd = dx; i < w; i++, x += step, xd += step) {
            const GrColor c = readpix(src, x, sy);
            if (c != skip)
                drawpix(xd, dy, c | mode);
        }
    }
    *CURF = saved;
}
