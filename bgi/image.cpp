// Saving a box of the screen and putting it back anywhere. An image is
// its width and height as two ints, then its colours row by row.
#include <cstdlib>
#include <cstring>

#include "libbgi.h"

namespace {

struct Box {
    int x1, y1, x2, y2;
    int64_t w, h;
};

Box order(int left, int top, int right, int bottom)
{
    Box b = {left < right ? left : right, top < bottom ? top : bottom,
             left < right ? right : left, top < bottom ? bottom : top, 0, 0};
    b.w = static_cast<int64_t>(b.x2) - b.x1 + 1;
    b.h = static_cast<int64_t>(b.y2) - b.y1 + 1;
    return b;
}

int64_t bytes(const Box &b) { return 2 * static_cast<int64_t>(sizeof(int)) + 4 * b.w * b.h; }

}  // namespace

unsigned imagesize(int left, int top, int right, int bottom)
{
    const Box b = order(left, top, right, bottom);
    if (b.w > UINT32_MAX / 4 || b.h > UINT32_MAX / 4 || bytes(b) > UINT_MAX)
        return 0;
    return static_cast<unsigned>(bytes(b));
}

void getimage(int left, int top, int right, int bottom, void *bitmap)
{
    if (!_GrBgiReady() || bitmap == nullptr || imagesize(left, top, right, bottom) == 0)
        return;
    const Box b = order(_GrBgiX(left), _GrBgiY(top), _GrBgiX(right), _GrBgiY(bottom));
    const int hdr[2] = {static_cast<int>(b.w), static_cast<int>(b.h)};
    memcpy(bitmap, hdr, sizeof hdr);
    GrColor *out = reinterpret_cast<GrColor *>(static_cast<char *>(bitmap) + sizeof hdr);
    memset(out, 0, static_cast<size_t>(4 * b.w * b.h));
    // the part on the screen; the rest stays 0
    const GrContext *c = CURC;
    const int x1 = b.x1 < 0 ? 0 : b.x1, x2 = b.x2 > c->gc_xmax ? c->gc_xmax : b.x2;
    const int y1 = b.y1 < 0 ? 0 : b.y1, y2 = b.y2 > c->gc_ymax ? c->gc_ymax : b.y2;
    if (x1 > x2 || y1 > y2)
        return;
    _GrMouseGuard guard(c, x1, y1, x2, y2);
    GrFrame f = c->gc_frame;
    for (int y = y1; y <= y2; y++) {
        const GrColor *scl = f.gf_driver->getindexedscanline(&f, x1 + c->gc_xoffset,
                                                            y + c->gc_yoffset, x2 - x1 + 1, nullptr);
        if (scl != nullptr)
            memcpy(out + (y - b.y1) * b.w + (x1 - b.x1), scl, sizeof(GrColor) * (x2 - x1 + 1));
    }
}

void putimage(int left, int top, const void *bitmap, int op)
{
    if (!_GrBgiReady() || bitmap == nullptr)
        return;
    if (static_cast<unsigned>(op) > NOT_PUT) {
        __gr_Result = grError;
        return;
    }
    int hdr[2];
    memcpy(hdr, bitmap, sizeof hdr);
    if (hdr[0] <= 0 || hdr[1] <= 0)
        return;
    const GrColor *in = reinterpret_cast<const GrColor *>(static_cast<const char *>(bitmap) + sizeof hdr);
    const GrContext *c = CURC;
    const int sx = _GrBgiX(left), sy = _GrBgiY(top);
    // the part inside the clip box
    const int64_t x1 = sx > c->gc_xcliplo ? sx : c->gc_xcliplo;
    const int64_t y1 = sy > c->gc_ycliplo ? sy : c->gc_ycliplo;
    const int64_t x2 = int64_t{sx} + hdr[0] - 1 < c->gc_xcliphi ? int64_t{sx} + hdr[0] - 1 : c->gc_xcliphi;
    const int64_t y2 = int64_t{sy} + hdr[1] - 1 < c->gc_ycliphi ? int64_t{sy} + hdr[1] - 1 : c->gc_ycliphi;
    if (x1 > x2 || y1 > y2)
        return;
    const int w = static_cast<int>(x2 - x1 + 1);
    GrColor *row = nullptr;
    if (op == NOT_PUT && (row = static_cast<GrColor *>(malloc(sizeof(GrColor) * w))) == nullptr)
        return;
    const GrColor mode = op == NOT_PUT ? GR_WRITE : static_cast<GrColor>(op) << 24;
    const GrColor invert = GrColorInfo->numcolors - 1;
    _GrMouseGuard guard(c, static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2),
                        static_cast<int>(y2));
    for (int64_t y = y1; y <= y2; y++) {
        const GrColor *src = in + (y - sy) * hdr[0] + (x1 - sx);
        if (row != nullptr) {
            for (int i = 0; i < w; i++)
                row[i] = (src[i] ^ invert) & GR_VALUEMASK;
            src = row;
        }
        FDRV->putscanline(static_cast<int>(x1) + c->gc_xoffset, static_cast<int>(y) + c->gc_yoffset,
                          w, src, mode);
    }
    free(row);
}
