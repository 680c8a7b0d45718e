// Filling a whole context.
#include "libpxl.h"

void GrClearContext(GrColor bg)
{
    const GrContext *c = CURC;
    _GrMouseGuard guard(c, 0, 0, c->gc_xmax, c->gc_ymax);
    GrFilledBoxNC(0, 0, c->gc_xmax, c->gc_ymax, bg);
}

void GrClearContextC(GrContext *ctx, GrColor bg)
{
    GrContext saved;
    GrSaveContext(&saved);
    GrSetContext(ctx);
    GrClearContext(bg);
    GrSetContext(&saved);
}
