// Memory frames of one bit a pixel in one plane.
#include "fdplanar.h"

using Drv = pxl::Planar<1>;

const struct _GR_frameDriver _GrFrameDriverRAM1 = {
    GR_frameRAM1,       // mode
    GR_frameUndef,      // rmode
    0,                  // is_video
    4,                  // row_align
    1,                  // num_planes
    1,                  // bits_per_pixel
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
    Drv::getindexedscanline,
    _GrFrDrvGenericPutScanline,
};
