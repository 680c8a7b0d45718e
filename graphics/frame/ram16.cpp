// 16 bits a pixel: one little-endian word, the packed RGB value.
#include "fdpacked.h"

using Drv = pxl::Packed<pxl::Fmt16>;

const struct _GR_frameDriver _GrFrameDriverRAM16 = {
    GR_frameRAM16,      // mode
    GR_frameUndef,      // rmode
    0,                  // is_video
    4,                  // row_align
    1,                  // num_planes
    16,                 // bits_per_pixel
    268435456,          // max_plane_size: 2^27 pixels
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
