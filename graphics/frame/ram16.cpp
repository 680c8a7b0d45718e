// 16 bits a pixel: one little-endian word, the packed RGB value.
#include "fdpacked.h"

const struct _GR_frameDriver _GrFrameDriverRAM16 =
    pxl::packed_record<pxl::Fmt16>(GR_frameRAM16, 16);
