// Clipped lines.
#include "libpxl.h"

namespace {

// Clips (a1, b1)-(a2, b2) to lo..hi along the a axis, moving the b values
// with the rounded share. Differences and shares can pass 2^31, so the
// arithmetic is 64-bit; every moved point lies on the segment, back in range.
bool clip_axis(int *a1, int *b1, int *a2, int *b2, int lo, int hi)
{
    int64_t p1 = *a1, q1 = *b1, p2 = *a2, q2 = *b2;
    if (p1 < p2) {
        if (p2 < lo || p1 > hi)
            return false;
        if (p1 < lo) {
            q1 += _GrClipShare(q2 - q1, lo - p1, p2 - p1);
            p1 = lo;
        }
        if (p2 > hi) {
            q2 -= _GrClipShare(q2 - q1, p2 - hi, p2 - p1);
            p2 = hi;
        }
    } else {
        if (p1 < lo || p2 > hi)
            return false;
        if (p2 < lo) {
            q2 += _GrClipShare(q1 - q2, lo - p2, p1 - p2);
            p2 = lo;
        }
        if (p1 > hi) {
            q1 -= _GrClipShare(q1 - q2, p1 - hi, p1 - p2);
            p1 = hi;
        }
    }
    *a1 = static_cast<int>(p1);
    *b1 = static_cast<int>(q1);
    *a2 = static_cast<int>(p2);
    *b2 = static_cast<int>(q2);
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
