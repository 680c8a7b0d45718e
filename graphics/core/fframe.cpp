// Finding the frame driver of a frame mode.
#include "libpxl.h"

const struct _GR_frameDriver *_GrFindFrameDriver(enum _GR_frameModes mode)
{
    for (const struct _GR_frameDriver *const *d = _GrFrameDriverTable; *d; d++)
        if ((*d)->mode == mode)
            return *d;
    return nullptr;
}

// For memory frames: a displayed format is replaced by its memory twin.
const struct _GR_frameDriver *_GrFindRAMframeDriver(enum _GR_frameModes mode)
{
    const struct _GR_frameDriver *d = _GrFindFrameDriver(mode);
    if (d != nullptr && d->is_video)
        d = _GrFindFrameDriver(d->rmode);
    return d;
}
