// Clipped lines.
#include "libpxl.h"

namespace {

// Clips (a1, b1)-(a2, b2) to lo..hi along the a axis, moving the b values
// with the rounded share. Differences are taken in 64 bits.
bool clip_axis(int *a1, int *b1, int *a2, int *b2, int lo, int hi)
{
    const int64_t da = static_cast<int64_t>(*a2) - *a1;
    if (*a1 < *a2) {
        if (*a2 < lo || *a1 > hi)
            return false;
        if (*a1 < lo) {
            *b1 += _GrClipShare(static_cast<int64_t>(*b2) - *b1,
                                static_cast<int64_t>(lo) - *a1, da);
            *a1 = lo;
        }
        if (*a2 > hi) {
            *b2 -= _GrClipShare(static_cast<int64_t>(*b2) - *b1,
                                static_cast<int64_t>(*a2) - hi,
                                static_cast<int64_t>(*a2) - *a1);
            *a2 = hi;
        }
    } else {
        if (*a1 < lo || *a2 > hi)
            return false;
        if (*a2 < lo) {
            *b2 += _GrClipShare(static_cast<int64_t>(*b1) - *b2,
                                static_cast<int64_t>(lo) - *a2, -da);
            *a2 = lo;
        }
        if (*a1 > hi) {
            *b1 -= _GrClipShare(static_cast<int64_t>(*b1) - *b2,
                                static_cast<int64_t>(*a1) - hi,
                                static_cast<int64_t>(*a1) - *a2);
            *a1 = hi;
        }
    }
    return true;
}

}  // namespace

int _GrClipLine(const GrContext *c, int *x1, int *y1, int *x2, int *y2)
{
    return clip_axis(x1, y1, x2, y2, c->gc_xcliplo, c->gc_xcliphi) &&
           clip_axis(y1, x1, y2, x2, c->gc_ycliplo, c->gc_ycliphi);
}

void GrLine(int x1, int y1, int x2, int y2, GrColor c)
{
    const GrContext *cx = CURC;
    if (!_GrClipLine(cx, &x1, &y1, &x2, &y2))
        return;
    _GrMouseGuard guard(cx, x1, y1, x2, y2);
    FDRV->drawline(x1 + cx->gc_xoffset, y1 + cx->gc_yoffset, x2 - x1, y2 - y1, c);
}
