// Memory frames of four bits a pixel, one bit in each of four planes.
#include "fdplanar.h"

using Drv = pxl::Planar<4>;

const struct _GR_frameDriver _GrFrameDriverRAM4 = {
    GR_frameRAM4,       // mode
    GR_frameUndef,      // rmode
    0,                  // is_video
    4,                  // row_align
    4,                  // num_planes
    4,                  // bits_per_pixel
    16777216,           // max_plane_size: 2^27 pixels
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
