// The 24-bit screen frame of the windowed driver (blue in the low byte):
// the 24-bit memory driver, marking what it draws for the window.
#include "fdmarked.h"

const struct _GR_frameDriver _GrFrameDriverWIN32_24 =
    pxl::marked_record<&_GrFrameDriverRAM24>(GR_frameWIN32_24, GR_frameRAM24, 24, 402653184);
