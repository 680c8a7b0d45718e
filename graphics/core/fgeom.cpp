// Sizes of memory frames. Sizes that do not fit an int are reported as 0,
// which every caller treats as impossible.
#include <climits>

#include "libpxl.h"

namespace {

int64_t line_offset(const _GR_frameDriver *f, int w)
{
    if (f == nullptr || w <= 0)
        return 0;
    const int64_t bits = f->bits_per_pixel / f->num_planes;
    const int64_t bytes = (bits * w + 7) / 8;
    const int64_t a = f->row_align > 0 ? f->row_align : 1;
    return (bytes + a - 1) / a * a;
}

int fit(int64_t v)
{
    return v > 0 && v <= INT_MAX ? static_cast<int>(v) : 0;
}

}  // namespace

int GrFrameNumPlanes(enum _GR_frameModes md)
{
    const _GR_frameDriver *f = _GrFindRAMframeDriver(md);
    return f ? f->num_planes : 0;
}

int GrFrameLineOffset(enum _GR_frameModes md, int w)
{
    return fit(line_offset(_GrFindRAMframeDriver(md), w));
}

int GrFramePlaneSize(enum _GR_frameModes md, int w, int h)
{
    if (h <= 0)
        return 0;
    return fit(line_offset(_GrFindRAMframeDriver(md), w) * h);
}

int GrFrameContextSize(enum _GR_frameModes md, int w, int h)
{
    const _GR_frameDriver *f = _GrFindRAMframeDriver(md);
    if (f == nullptr || h <= 0)
        return 0;
    return fit(line_offset(f, w) * h * f->num_planes);
}
