// Clip boxes, and the rounded move that every clipper uses to bring a
// point along a segment to a clip edge.
#include "libpxl.h"

namespace {

bool order_and_fit(int *lo, int *hi, int max)
{
    if (*lo > *hi) { const int t = *lo; *lo = *hi; *hi = t; }
    if (*lo > max || *hi < 0)
        return false;
    if (*lo < 0) *lo = 0;
    if (*hi > max) *hi = max;
    return true;
}

}  // namespace

int64_t _GrClipShare(int64_t d, int64_t n, int64_t m)
{
    // 2dn/m in 128 bits: coordinates anywhere in the int range stay exact
    const __int128 q = (static_cast<__int128>(2) * d * n) / m;
    return static_cast<int64_t>(q >= 0 ? (q + 1) >> 1 : q >> 1);
}

int _GrClipBox(const GrContext *c, int *x1, int *y1, int *x2, int *y2, int *cx1, int *cy1,
               int *cx2, int *cy2)
{
    if (*x1 > *x2) { const int t = *x1; *x1 = *x2; *x2 = t; }
    if (*y1 > *y2) { const int t = *y1; *y1 = *y2; *y2 = t; }
    if (*x1 > c->gc_xcliphi || *x2 < c->gc_xcliplo || *y1 > c->gc_ycliphi ||
        *y2 < c->gc_ycliplo)
        return 0;
    *cx1 = *x1 < c->gc_xcliplo ? c->gc_xcliplo : *x1;
    *cy1 = *y1 < c->gc_ycliplo ? c->gc_ycliplo : *y1;
    *cx2 = *x2 > c->gc_xcliphi ? c->gc_xcliphi : *x2;
    *cy2 = *y2 > c->gc_ycliphi ? c->gc_ycliphi : *y2;
    return 1;
}

void GrSetClipBoxC(GrContext *c, int x1, int y1, int x2, int y2)
{
    // a box wholly outside the context is ignored, not made empty
    if (c == nullptr || !order_and_fit(&x1, &x2, c->gc_xmax) ||
        !order_and_fit(&y1, &y2, c->gc_ymax))
        return;
    c->gc_xcliplo = x1;
    c->gc_ycliplo = y1;
    c->gc_xcliphi = x2;
    c->gc_ycliphi = y2;
}

void GrSetClipBox(int x1, int y1, int x2, int y2)
{
    GrSetClipBoxC(CURC, x1, y1, x2, y2);
}

void GrResetClipBoxC(GrContext *c)
{
    if (c == nullptr)
        return;
    c->gc_xcliplo = c->gc_ycliplo = 0;
    c->gc_xcliphi = c->gc_xmax;
    c->gc_ycliphi = c->gc_ymax;
}

void GrResetClipBox(void)
{
    GrResetClipBoxC(CURC);
}
