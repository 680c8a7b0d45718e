// The pattern filler: pixels and lines take the colour of the pattern at
// their frame position.
#include "libpxl.h"

namespace {

GrColor colour_at(const GrPattern *p, int x, int y)
{
    if (!p->is_pixmap) {
        const GrBitmapPattern &b = p->bitmap;
        if (b.rows <= 0 || b.bits == nullptr)
            return GR_NOCOLOR;
        return (b.bits[_GrMod(y, b.rows)] & (0x80U >> _GrMod(x, 8))) ? b.fg : b.bg;
    }
    const GrPixmapPattern &t = p->pixmap;
    if (t.width <= 0 || t.height <= 0)
        return GR_NOCOLOR;
    GrFrame src = t.source;
    return src.gf_driver->readpixel(&src, _GrMod(x, t.width), _GrMod(y, t.height));
}

}  // namespace

void _GrPatternFilledPlot(int x, int y, GrFillArg arg)
{
    FDRV->drawpixel(x, y, colour_at(arg.pattern, x, y));
}

void _GrPatternFilledLine(int x, int y, int dx, int dy, GrFillArg arg)
{
    if (dx < 0) {
        x += dx; y += dy;
        dx = -dx; dy = -dy;
    }
    if (dy == 0) {
        _GrFillPattern(x, y, dx + 1, arg.pattern);
        return;
    }
    const int ystep = dy < 0 ? -1 : 1;
    const int ady = dy < 0 ? -dy : dy;
    void (*plot)(int, int, GrColor) = FDRV->drawpixel;
    if (dx >= ady) {
        int err = dx >> 1;
        for (int i = 0; i <= dx; i++, x++) {
            plot(x, y, colour_at(arg.pattern, x, y));
            if ((err -= ady) < 0) {
                err += dx;
                y += ystep;
            }
        }
    } else {
        int err = ady >> 1;
        for (int i = 0; i <= ady; i++, y += ystep) {
            plot(x, y, colour_at(arg.pattern, x, y));
            if ((err -= dx) < 0) {
                err += ady;
                x++;
            }
        }
    }
}

const GrFillOps _GrPatternFiller = {_GrPatternFilledPlot, _GrPatternFilledLine,
                                    _GrFillPatternedScanLine};
