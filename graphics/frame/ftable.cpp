// The frame drivers, searched in order by frame mode. The window-backed
// drivers come first when they are built.
#include "libpxl.h"

const struct _GR_frameDriver *const _GrFrameDriverTable[] = {
    &_GrFrameDriverRAM1,
    &_GrFrameDriverRAM4,
    &_GrFrameDriverRAM8,
    &_GrFrameDriverRAM16,
    &_GrFrameDriverRAM24,
    &_GrFrameDriverRAM32L,
    &_GrFrameDriverRAM32H,
    nullptr,
};
