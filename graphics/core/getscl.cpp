// Reading a row of a context back as colour values.
#include "libpxl.h"

const GrColor *GrGetScanlineC(GrContext *ctx, int x1, int x2, int y)
{
    if (ctx == nullptr)
        ctx = CURC;
    if (y < ctx->gc_ycliplo || y > ctx->gc_ycliphi)
        return nullptr;
    if (x1 > x2) { const int t = x1; x1 = x2; x2 = t; }
    // a run partly outside the clip box is refused, not shortened
    if (x1 < ctx->gc_xcliplo || x2 > ctx->gc_xcliphi)
        return nullptr;
    _GrMouseGuard guard(ctx, x1, y, x2, y);
    GrFrame *f = &ctx->gc_frame;
    return f->gf_driver->getindexedscanline(f, x1 + ctx->gc_xoffset, y + ctx->gc_yoffset,
                                            x2 - x1 + 1, nullptr);
}

const GrColor *GrGetScanline(int x1, int x2, int y)
{
    return GrGetScanlineC(nullptr, x1, x2, y);
}
