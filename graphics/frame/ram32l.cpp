// 32 bits a pixel: the colour in the low three bytes, the top byte spare.
#include "fdpacked.h"

using Drv = pxl::Packed<pxl::Fmt32L>;

const struct _GR_frameDriver _GrFrameDriverRAM32L = {
    GR_frameRAM32L,      // mode
    GR_frameUndef,      // rmode
    0,                  // is_video
    4,                  // row_align
    1,                  // num_planes
    32,                 // bits_per_pixel
    536870912,          // max_plane_size: 2^27 pixels
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
