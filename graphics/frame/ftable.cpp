// The frame drivers, searched in order by frame mode: the window-backed
// drivers first.
#include "libpxl.h"

const struct _GR_frameDriver *const _GrFrameDriverTable[] = {
    &_GrFrameDriverWIN32_8,
    &_GrFrameDriverWIN32_24,
    &_GrFrameDriverRAM1,
    &_GrFrameDriverRAM4,
    &_GrFrameDriverRAM8,
    &_GrFrameDriverRAM16,
    &_GrFrameDriverRAM24,
    &_GrFrameDriverRAM32L,
    &_GrFrameDriverRAM32H,
    nullptr,
};
