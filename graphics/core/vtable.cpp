// The video drivers, searched in order; the order breaks ties in detection.
// The windowed driver takes the first place when it is built.
#include "libpxl.h"

GrVideoDriver *const _GrVideoDriverTable[] = {
    &_GrDriverMEM,
    nullptr,
};
