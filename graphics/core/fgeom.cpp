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

// lo * h * planes, or 0 when it does not fit an int. A line offset can reach
// 2^33 (32-bit pixels), so each factor is checked before the next multiply
// to keep the 64-bit products from overflowing.
int fit_product(int64_t lo, int h, int planes)
{
    if (fit(lo) == 0 || h <= 0)
        return 0;
    const int64_t plane = lo * h;
    return plane > INT_MAX ? 0 : fit(plane * planes);
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
    return fit_product(line_offset(_GrFindRAMframeDriver(md), w), h, 1);
}

int GrFrameContextSize(enum _GR_frameModes md, int w, int h)
{
    const _GR_frameDriver *f = _GrFindRAMframeDriver(md);
    return f ? fit_product(line_offset(f, w), h, f->num_planes) : 0;
}
