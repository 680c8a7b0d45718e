// Reading a scan line through a driver's readpixel.
#include "libpxl.h"

GrColor *_GrFrDrvGenericGetIndexedScanline(GrFrame *f, int x, int y, int w,
                                           int *indx)
{
    GrColor (*readpix)(GrFrame *, int, int) = f->gf_driver->readpixel;
    return _GrReadScanline(w, indx, [&](int i) { return readpix(f, x + i, y); });
}
