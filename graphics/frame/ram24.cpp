// 24 bits a pixel: three bytes, the low byte of the value first.
#include "fdpacked.h"

using Drv = pxl::Packed<pxl::Fmt24>;

const struct _GR_frameDriver _GrFrameDriverRAM24 = {
    GR_frameRAM24,      // mode
    GR_frameUndef,      // rmode
    0,                  // is_video
    4,                  // row_align
    1,                  // num_planes
    24,                 // bits_per_pixel
    402653184,          // max_plane_size: 2^27 pixels
    nullptr,            // init
    Drv::readpixel,
    Drv::drawpixel,
    Drv::drawline,
    Drv::drawhline,
    Drv::drawvline,
    Drv::drawblock,
    Drv::drawbitmap,
    Drv::drawpattern,
    Drv::bitblt,
    nullptr,            // bltv2r
    nullptr,            // bltr2v
    _GrFrDrvGenericGetIndexedScanline,
    _GrFrDrvGenericPutScanline,
};
