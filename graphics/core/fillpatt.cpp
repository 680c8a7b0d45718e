// Spans filled with a pattern anchored to the frame.
#include "libpxl.h"

namespace {

// Copies go through the displayed-frame copy where the driver has one.
_GR_blitFunc copier()
{
    return CURF->gf_onscreen && FDRV->bltr2v != nullptr ? FDRV->bltr2v : FDRV->bitblt;
}

}  // namespace

void _GrFillPatternExt(int x, int y, int sx, int sy, int w, const GrPattern *p)
{
    if (w <= 0)
        return;
    if (!p->is_pixmap) {
        const GrBitmapPattern &b = p->bitmap;
        if (b.rows <= 0 || b.bits == nullptr)
            return;  // an empty pattern draws nothing
        const unsigned bits = b.bits[_GrMod(y, b.rows)];
        if (bits == 0) {
            FDRV->drawhline(x, y, w, b.bg);
        } else if (bits == 0xFF) {
            FDRV->drawhline(x, y, w, b.fg);
        } else {
            // the driver applies the byte from bit 7 at pixel x: turn it so
            // that column x mod 8 comes first
            const int k = _GrMod(x, 8);
            const unsigned rot = ((bits << k) | (bits >> (8 - k))) & 0xFFU;
            FDRV->drawpattern(x, y, w, static_cast<unsigned char>(rot), b.fg, b.bg);
        }
        return;
    }
    const GrPixmapPattern &t = p->pixmap;
    if (t.width <= 0 || t.height <= 0)
        return;
    const int row = _GrMod(y - sy, t.height);
    int col = _GrMod(x - sx, t.width);
    const _GR_blitFunc copy = copier();
    GrFrame src = t.source;
    while (w > 0) {
        const int n = t.width - col < w ? t.width - col : w;
        copy(CURF, x, y, &src, col, row, n, 1, t.op);
        x += n;
        w -= n;
        col = 0;
    }
}

void _GrFillPattern(int x, int y, int w, const GrPattern *p)
{
    _GrFillPatternExt(x, y, 0, 0, w, p);
}

void _GrFillPatternedScanLine(int x, int y, int w, GrFillArg arg)
{
    _GrFillPatternExt(x, y, 0, 0, w, arg.pattern);
}
