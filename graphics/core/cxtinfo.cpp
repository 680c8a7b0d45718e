// The current context (where drawing goes) and the screen context.
#include "libpxl.h"

struct _GR_contextInfo _GrContextInfo = {};

const struct _GR_contextInfo *const GrContextInfo = &_GrContextInfo;
