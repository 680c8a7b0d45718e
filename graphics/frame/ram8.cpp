// 8 bits a pixel in one plane; the pixel byte is a colour-table cell.
#include "fdpacked.h"

namespace {

// The packed record, with the byte copy for every copy and scan lines read
// and written in place.
constexpr _GR_frameDriver record()
{
    using D = pxl::Packed<pxl::Fmt8>;
    _GR_frameDriver r = pxl::packed_record<pxl::Fmt8>(GR_frameRAM8, 8);
    r.bitblt = _GrFrDrvPackedBitBltR2R;
    r.getindexedscanline = D::getindexedscanline;
    r.putscanline = D::putscanline;
    return r;
}

}  // namespace

const struct _GR_frameDriver _GrFrameDriverRAM8 = record();
