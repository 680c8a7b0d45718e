// 8 bits a pixel in one plane; the pixel byte is a colour-table cell.
#include "fdpacked.h"

namespace {

constexpr _GR_frameDriver record()
{
    using D = pxl::Packed<pxl::Fmt8>;
    _GR_frameDriver r{};
    r.mode = GR_frameRAM8;
    r.rmode = GR_frameUndef;
    r.is_video = 0;
    r.row_align = 4;
    r.num_planes = 1;
    r.bits_per_pixel = 8;
    r.max_plane_size = 134217728;  // 2^27 pixels
    r.init = nullptr;
    r.readpixel = D::readpixel;
    r.drawpixel = D::drawpixel;
    r.drawline = D::drawline;
    r.drawhline = D::drawhline;
    r.drawvline = D::drawvline;
    r.drawblock = D::drawblock;
    r.drawbitmap = D::drawbitmap;
    r.drawpattern = D::drawpattern;
    r.bitblt = _GrFrDrvPackedBitBltR2R;
    r.bltv2r = nullptr;
    r.bltr2v = nullptr;
    r.getindexedscanline = D::getindexedscanline;
    r.putscanline = D::putscanline;
    return r;
}

}  // namespace

const struct _GR_frameDriver _GrFrameDriverRAM8 = record();
