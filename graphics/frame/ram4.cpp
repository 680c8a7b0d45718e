// Memory frames of four bits a pixel, one bit in each of four planes.
#include "fdplanar.h"

const struct _GR_frameDriver _GrFrameDriverRAM4 =
    pxl::planar_record<4>(GR_frameRAM4, _GrFrDrvGenericGetIndexedScanline);
