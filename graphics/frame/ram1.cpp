// Memory frames of one bit a pixel in one plane.
#include "fdplanar.h"

const struct _GR_frameDriver _GrFrameDriverRAM1 =
    pxl::planar_record<1>(GR_frameRAM1, pxl::Planar<1>::getindexedscanline);
