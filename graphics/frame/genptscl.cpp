// Writing a scan line through the current frame's drawpixel.
#include "libpxl.h"

void _GrFrDrvGenericPutScanline(int x, int y, int w, const GrColor *scl,
                                GrColor op)
{
    void (*drawpix)(int, int, GrColor) = CURF->gf_driver->drawpixel;
    // with GR_IMAGE plus a key, entries equal to the key are transparent
    const GrColor skip = op ^ GR_IMAGE, mode = op & GR_MODEMASK;
    for (int i = 0; i < w; i++)
        if (scl[i] != skip)
            drawpix(x + i, y, scl[i] | mode);
}
