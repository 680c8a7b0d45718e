// Reading a scan line through a driver's readpixel.
#include "libpxl.h"

GrColor *_GrFrDrvGenericGetIndexedScanline(GrFrame *f, int x, int y, int w,
                                           int *indx)
{
    const size_t need = (static_cast<size_t>(w < 0 ? 0 : w) + 1) * sizeof(GrColor);
    if (_GrTempBufferBytes < need && _GrTempBufferAlloc_(need) == nullptr)
        return nullptr;
    GrColor *buf = static_cast<GrColor *>(_GrTempBuffer);
    GrColor (*readpix)(GrFrame *, int, int) = f->gf_driver->readpixel;
    if (indx == nullptr) {
        for (int i = 0; i < w; i++)
            buf[i] = readpix(f, x + i, y);
    } else {
        // a run of equal indexes reads the frame once
        int last = -1;
        GrColor v = 0;
        for (int i = 0; i < w; i++) {
            if (indx[i] != last) {
                last = indx[i];
                v = readpix(f, x + last, y);
            }
            buf[i] = v;
        }
    }
    return buf;
}
