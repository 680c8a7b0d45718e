// A clipped box filled with a pattern: bitmap rows span by span, pixmap
// tiles block by block.
#include "libpxl.h"

void GrPatternFilledBox(int x1, int y1, int x2, int y2, const GrPattern *p)
{
    const GrContext *c = CURC;
    if (p == nullptr || !_GrClipBox(c, &x1, &y1, &x2, &y2, &x1, &y1, &x2, &y2))
        return;
    _GrMouseGuard guard(c, x1, y1, x2, y2);
    const int X = x1 + c->gc_xoffset, Y = y1 + c->gc_yoffset;
    const int W = x2 - x1 + 1, H = y2 - y1 + 1;
    if (!p->is_pixmap) {
        for (int y = Y; y < Y + H; y++)
            _GrFillPattern(X, y, W, p);
        return;
    }
    const GrPixmapPattern &t = p->pixmap;
    if (t.width <= 0 || t.height <= 0)
        return;
    const _GR_blitFunc copy = CURF->gf_onscreen && FDRV->bltr2v != nullptr ? FDRV->bltr2v
                                                                          : FDRV->bitblt;
    GrFrame src = t.source;
    int trow = _GrMod(Y, t.height);
    for (int y = Y, left = H; left > 0;) {
        const int bh = t.height - trow < left ? t.height - trow : left;
        int tcol = _GrMod(X, t.width);
        for (int x = X, wleft = W; wleft > 0;) {
            const int bw = t.width - tcol < wleft ? t.width - tcol : wleft;
            copy(CURF, x, y, &src, tcol, trow, bw, bh, t.op);
            x += bw;
            wleft -= bw;
            tcol = 0;
        }
        y += bh;
        left -= bh;
        trow = 0;
    }
}
