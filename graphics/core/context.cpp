// Creating, selecting, saving and destroying contexts.
#include <cstdlib>
#include <cstring>

#include "libpxl.h"

namespace {

// The caller's record, or a new one marked as owned; cleared either way.
GrContext *new_record(GrContext *where, signed char *flags)
{
    *flags = where ? 0 : GR_ownContext;
    GrContext *c = where ? where : static_cast<GrContext *>(malloc(sizeof(GrContext)));
    if (c != nullptr)
        memset(c, 0, sizeof *c);
    return c;
}

// Orders and clamps a rectangle to the root frame; false when it misses.
bool fit_root(const GrContext *root, int *x1, int *y1, int *x2, int *y2)
{
    if (*x1 > *x2) { const int t = *x1; *x1 = *x2; *x2 = t; }
    if (*y1 > *y2) { const int t = *y1; *y1 = *y2; *y2 = t; }
    if (*x1 > root->gc_xmax || *x2 < 0 || *y1 > root->gc_ymax || *y2 < 0)
        return false;
    if (*x1 < 0) *x1 = 0;
    if (*y1 < 0) *y1 = 0;
    if (*x2 > root->gc_xmax) *x2 = root->gc_xmax;
    if (*y2 > root->gc_ymax) *y2 = root->gc_ymax;
    return true;
}

void place(GrContext *c, int x1, int y1, int x2, int y2)
{
    c->gc_xoffset = x1;
    c->gc_yoffset = y1;
    c->gc_xmax = c->gc_xcliphi = x2 - x1;
    c->gc_ymax = c->gc_ycliphi = y2 - y1;
    c->gc_xcliplo = c->gc_ycliplo = 0;
}

}  // namespace

GrContext *GrCreateFrameContext(enum _GR_frameModes md, int w, int h,
                                unsigned char *memory[4], GrContext *where)
{
    const _GR_frameDriver *f = _GrFindRAMframeDriver(md);
    if (f == nullptr || w <= 0 || h <= 0)
        return nullptr;
    const int lineoffset = GrFrameLineOffset(md, w);
    const int plane = GrFramePlaneSize(md, w, h);
    if (lineoffset <= 0 || plane <= 0 || plane > f->max_plane_size)
        return nullptr;
    signed char flags;
    GrContext *c = new_record(where, &flags);
    if (c == nullptr)
        return nullptr;
    unsigned char *planes[4] = {nullptr, nullptr, nullptr, nullptr};
    if (memory == nullptr) {
        // cleared, so a new frame never shows what the memory held before
        for (int i = 0; i < f->num_planes; i++) {
            planes[i] = static_cast<unsigned char *>(calloc(1, static_cast<size_t>(plane)));
            if (planes[i] == nullptr) {
                while (i-- > 0)
                    free(planes[i]);
                if (flags & GR_ownContext)
                    free(c);
                return nullptr;
            }
        }
        flags |= GR_ownFrameMemory;
    } else {
        for (int i = 0; i < 4; i++)
            planes[i] = memory[i];
    }
    GrFrame &fr = c->gc_frame;
    for (int i = 0; i < 4; i++)
        fr.gf_baseaddr[i] = planes[i];
    fr.gf_driver = f;
    fr.gf_lineoffset = lineoffset;
    fr.gf_memflags = flags;
    fr.gf_onscreen = 0;
    c->gc_xmax = c->gc_xcliphi = w - 1;
    c->gc_ymax = c->gc_ycliphi = h - 1;
    return c;
}

GrContext *GrCreateSubContext(int x1, int y1, int x2, int y2,
                              const GrContext *parent, GrContext *where)
{
    if (parent == nullptr)
        parent = &_GrContextInfo.screen;
    const GrContext *root = parent->gc_root ? parent->gc_root : parent;
    if (parent->gc_root != nullptr) {
        // corners relative to the parent; 64 bits so offsets cannot wrap
        const int64_t ox = parent->gc_xoffset, oy = parent->gc_yoffset;
        auto shifted = [](int64_t v) {
            return static_cast<int>(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
        };
        x1 = shifted(x1 + ox); x2 = shifted(x2 + ox);
        y1 = shifted(y1 + oy); y2 = shifted(y2 + oy);
    }
    if (!fit_root(root, &x1, &y1, &x2, &y2))
        return nullptr;
    signed char flags;
    GrContext *c = new_record(where, &flags);
    if (c == nullptr)
        return nullptr;
    c->gc_frame = root->gc_frame;
    c->gc_frame.gf_memflags = flags;
    c->gc_root = const_cast<GrContext *>(root);
    place(c, x1, y1, x2, y2);
    return c;
}

void GrResizeSubContext(GrContext *ctx, int x1, int y1, int x2, int y2)
{
    if (ctx == nullptr || ctx->gc_root == nullptr)
        return;
    if (fit_root(ctx->gc_root, &x1, &y1, &x2, &y2))
        place(ctx, x1, y1, x2, y2);
}

void GrDestroyContext(GrContext *ctx)
{
    if (ctx == nullptr || ctx == &_GrContextInfo.current || ctx == &_GrContextInfo.screen)
        return;
    const GrFrame &f = ctx->gc_frame;
    if (f.gf_memflags & GR_ownFrameMemory) {
        const int planes = f.gf_driver ? f.gf_driver->num_planes : 1;
        for (int i = planes - 1; i >= 0; i--)
            free(f.gf_baseaddr[i]);
    }
    if (f.gf_memflags & GR_ownContext)
        free(ctx);
}

void GrSetContext(const GrContext *ctx)
{
    if (ctx == nullptr)
        ctx = &_GrContextInfo.screen;
    _GrContextInfo.current = *ctx;
    _GrDriverInfo.frame_driver = *_GrContextInfo.current.gc_frame.gf_driver;
}

GrContext *GrSaveContext(GrContext *where)
{
    signed char flags;
    GrContext *c = new_record(where, &flags);
    if (c == nullptr)
        return nullptr;
    *c = _GrContextInfo.current;
    c->gc_frame.gf_memflags = flags;  // a saved copy never owns plane memory
    return c;
}
