// The current context (where drawing goes) and the screen context. Before
// any mode is set both name the stand-by text driver, so drawing is caught.
#include "libpxl.h"

#define STANDBY_CONTEXT \
    { {{nullptr, nullptr, nullptr, nullptr}, 0, 1, 0, 0, &_GrDriverInfo.text_driver}, \
      nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 }

struct _GR_contextInfo _GrContextInfo = {STANDBY_CONTEXT, STANDBY_CONTEXT};

const struct _GR_contextInfo *const GrContextInfo = &_GrContextInfo;
