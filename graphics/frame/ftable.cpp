// The frame drivers, searched in order by frame mode.
#include "libpxl.h"

const struct _GR_frameDriver *const _GrFrameDriverTable[] = {
    &_GrFrameDriverRAM8,
    nullptr,
};
