// The video drivers, searched in order; the order breaks ties in detection.
// The windowed driver of the window system the library was built for
// comes first.
#include "libpxl.h"

GrVideoDriver *const _GrVideoDriverTable[] = {
#ifdef PXL_WITH_X11
    &_GrVideoDriverX11,
#endif
#ifdef PXL_WITH_WIN32
    &_GrVideoDriverWIN32,
#endif
    &_GrDriverMEM,
    nullptr,
};
