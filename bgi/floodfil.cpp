// Flood fill: the pixels reachable from a seed without crossing the
// border colour, within the clip box, filled in the fill style.
#include <cstdlib>
#include <cstring>

#include "libbgi.h"

namespace {

struct Fill {
    const GrContext *c;
    GrFrame f;
    GrColor border;
    int x0, y0, w, h;           // the clip box in context coordinates
    unsigned char *done;        // one bit a pixel of the box: in the area
    int (*stack)[2];
    size_t top, room;

    bool is_done(int x, int y) const
    {
        const size_t i = static_cast<size_t>(y - y0) * w + (x - x0);
        return (done[i / 8] >> (i % 8)) & 1;
    }
    void mark(int x, int y)
    {
        const size_t i = static_cast<size_t>(y - y0) * w + (x - x0);
        done[i / 8] = static_cast<unsigned char>(done[i / 8] | 1 << (i % 8));
    }
    // in the area and not yet taken
    bool open(int x, int y)
    {
        return !is_done(x, y) &&
               (f.gf_driver->readpixel(&f, x + c->gc_xoffset, y + c->gc_yoffset) & GR_VALUEMASK) !=
                   border;
    }
    bool push(int x, int y)
    {
        if (top == room) {
            const size_t more = room ? 2 * room : 256;
            void *p = realloc(stack, more * sizeof *stack);
            if (p == nullptr)
                return false;
            stack = static_cast<int(*)[2]>(p);
            room = more;
        }
        stack[top][0] = x;
        stack[top][1] = y;
        top++;
        return true;
    }
    // the starts of the open runs of row y between xl and xr
    bool push_runs(int xl, int xr, int y)
    {
        if (y < y0 || y >= y0 + h)
            return true;
        for (int x = xl; x <= xr; x++)
            if (open(x, y) && (x == xl || !open(x - 1, y)) && !push(x, y))
                return false;
        return true;
    }
};

}  // namespace

void floodfill(int x, int y, int border)
{
    if (!_GrBgiReady())
        return;
    const GrContext *c = CURC;
    Fill s = {c, c->gc_frame, static_cast<GrColor>(border) & GR_VALUEMASK, c->gc_xcliplo,
              c->gc_ycliplo, c->gc_xcliphi - c->gc_xcliplo + 1, c->gc_ycliphi - c->gc_ycliplo + 1,
              nullptr, nullptr, 0, 0};
    const int sx = _GrBgiX(x), sy = _GrBgiY(y);
    if (sx < s.x0 || sy < s.y0 || sx >= s.x0 + s.w || sy >= s.y0 + s.h)
        return;
    _GrMouseGuard guard(c, s.x0, s.y0, s.x0 + s.w - 1, s.y0 + s.h - 1);
    s.done = static_cast<unsigned char *>(calloc((static_cast<size_t>(s.w) * s.h + 7) / 8, 1));
    bool ok = s.done != nullptr && s.push(sx, sy);
    while (ok && s.top > 0) {
        s.top--;
        const int py = s.stack[s.top][1];
        int xl = s.stack[s.top][0], xr = xl;
        if (!s.open(xl, py))
            continue;
        while (xl > s.x0 && s.open(xl - 1, py))
            xl--;
        while (xr < s.x0 + s.w - 1 && s.open(xr + 1, py))
            xr++;
        for (int i = xl; i <= xr; i++)
            s.mark(i, py);
        ok = s.push_runs(xl, xr, py - 1) && s.push_runs(xl, xr, py + 1);
    }
    if (ok) {
        // every run of the area, in the fill style
        GrFillArg arg;
        const GrFillOps *f = _GrBgiFiller(&arg);
        for (int py = s.y0; py < s.y0 + s.h; py++)
            for (int px = s.x0; px < s.x0 + s.w; px++) {
                if (!s.is_done(px, py))
                    continue;
                int e = px;
                while (e + 1 < s.x0 + s.w && s.is_done(e + 1, py))
                    e++;
                f->scan(px + c->gc_xoffset, py + c->gc_yoffset, e - px + 1, arg);
                px = e;
            }
    } else {
        __gr_Result = grNoFloodMem;
    }
    free(s.done);
    free(s.stack);
}
