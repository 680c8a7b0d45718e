// 32 bits a pixel: the colour in the top three bytes, the low byte spare.
#include "fdpacked.h"

const struct _GR_frameDriver _GrFrameDriverRAM32H =
    pxl::packed_record<pxl::Fmt32H>(GR_frameRAM32H, 32);
