// 32 bits a pixel: the colour in the low three bytes, the top byte spare.
#include "fdpacked.h"

const struct _GR_frameDriver _GrFrameDriverRAM32L =
    pxl::packed_record<pxl::Fmt32L>(GR_frameRAM32L, 32);
