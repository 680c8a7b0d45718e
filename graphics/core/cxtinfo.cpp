// The current context (where drawing goes) and the screen context. Before
// any mode is set, and after the driver is closed, both are the stand-by
// context on the stand-by text driver, so drawing is caught.
#include "libpxl.h"

namespace {

constexpr GrContext standby_context()
{
    GrContext c{};
    c.gc_frame.gf_onscreen = 1;
    c.gc_frame.gf_driver = &_GrDriverInfo.text_driver;
    return c;
}

}  // namespace

const GrContext _GrStandbyContext = standby_context();

struct _GR_contextInfo _GrContextInfo = {standby_context(), standby_context()};

const struct _GR_contextInfo *const GrContextInfo = &_GrContextInfo;
