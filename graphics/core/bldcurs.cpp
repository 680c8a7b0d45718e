// Building and destroying graphics cursors.
#include <cstdlib>

#include "libpxl.h"

GrCursor *GrBuildCursor(const unsigned char *pixels, int pitch, int w, int h,
                        int xhot, int yhot, const GrColor *colors)
{
    // no screen is wider or taller than a video mode's 16-bit size
    const enum _GR_frameModes mode = _GrCursorFrameMode();
    if (pixels == nullptr || w <= 0 || h <= 0 || w > INT16_MAX || h > INT16_MAX ||
        mode == GR_frameUndef)
        return nullptr;
    const int w8 = (w + 7) & ~7;
    const int areawidth = 2 * w8;
    const int areaheight = (2 * h + 14) & ~15;
    GrCursor *c = static_cast<GrCursor *>(calloc(1, sizeof(GrCursor)));
    if (c == nullptr)
        return nullptr;
    if (GrCreateFrameContext(mode, areawidth, h + 2 * areaheight, nullptr, &c->work) == nullptr) {
        free(c);
        return nullptr;
    }
    c->width = w;
    c->height = h;
    c->xhot = xhot;
    c->yhot = yhot;
    c->areawidth = areawidth;
    c->areaheight = areaheight;

    // the image on the left (colour 0 where transparent), the mask on the
    // right (0 where opaque, all ones elsewhere)
    const GrContext saved = _GrContextInfo.current;
    GrSetContext(&c->work);
    GrFilledBoxNC(0, 0, areawidth - 1, h - 1, 0);
    const GrColor count = colors != nullptr ? colors[0] : 0;
    for (int y = 0; y < h; y++) {
        const unsigned char *row = pixels + static_cast<ptrdiff_t>(y) * pitch;
        for (int x = 0; x < w; x++) {
            const unsigned k = row[x];
            if (k == 0)
                FDRV->drawpixel(w8 + x, y, GR_VALUEMASK);
            else
                FDRV->drawpixel(x, y, k <= count ? colors[k] & GR_VALUEMASK : 0);
        }
    }
    GrSetContext(&saved);
    return c;
}

void GrDestroyCursor(GrCursor *cursor)
{
    if (cursor == nullptr || cursor == _GrMouseInfo.mouse_cursor)
        return;
    GrEraseCursor(cursor);
    GrDestroyContext(&cursor->work);
    free(cursor);
}
