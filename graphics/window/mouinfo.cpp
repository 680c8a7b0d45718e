// Mouse state. All zero until input starts, so drawing never blocks.
#include "libpxl.h"

struct _GR_mouseInfo _GrMouseInfo = {};

const struct _GR_mouseInfo *const GrMouseInfo = &_GrMouseInfo;
