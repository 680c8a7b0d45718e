// The 8-bit screen frame of the windowed driver: the 8-bit memory driver,
// marking what it draws for the window.
#include "fdmarked.h"

const struct _GR_frameDriver _GrFrameDriverWIN32_8 =
    pxl::marked_record<&_GrFrameDriverRAM8>(GR_frameWIN32_8, GR_frameRAM8, 8, 134217728);
