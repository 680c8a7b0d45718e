// 8 bits a pixel in one plane; the pixel byte is a colour-table cell.
#include "fdpacked.h"

using Ram8 = pxl::Packed<pxl::Fmt8>;

const struct _GR_frameDriver _GrFrameDriverRAM8 = {
    GR_frameRAM8,       // mode
    GR_frameUndef,      // rmode
    0,                  // is_video
    4,                  // row_align
    1,                  // num_planes
    8,                  // bits_per_pixel
    134217728,          // max_plane_size: 2^27 pixels
    nullptr,            // init
    Ram8::readpixel,
    Ram8::drawpixel,
    Ram8::drawline,
    Ram8::drawhline,
    Ram8::drawvline,
    Ram8::drawblock,
    Ram8::drawbitmap,
    Ram8::drawpattern,
    _GrFrDrvPackedBitBltR2R,
    nullptr,            // bltv2r
    nullptr,            // bltr2v
    Ram8::getindexedscanline,
    Ram8::putscanline,
};
