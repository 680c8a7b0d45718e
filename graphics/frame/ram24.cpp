// 24 bits a pixel: three bytes, the low byte of the value first.
#include "fdpacked.h"

const struct _GR_frameDriver _GrFrameDriverRAM24 =
    pxl::packed_record<pxl::Fmt24>(GR_frameRAM24, 24);
