// Listing the distinct modes of one frame mode: the driver's own modes, then
// those of each parent, each size and depth once.
#include "libpxl.h"

namespace {

bool qualifies(const GrVideoMode *m, enum _GR_frameModes fmode)
{
    return m->present && m->extinfo != nullptr && m->extinfo->mode == fmode;
}

// Whether a qualifying mode before m in the walk has m's size and depth.
bool seen_before(const GrVideoMode *m, enum _GR_frameModes fmode)
{
    for (const GrVideoDriver *d = _GrDriverInfo.video_driver; d; d = d->parent)
        for (int i = 0; i < d->mode_count; i++) {
            const GrVideoMode *e = &d->modes[i];
            if (e == m)
                return false;
            if (qualifies(e, fmode) && e->width == m->width && e->height == m->height &&
                e->bpp == m->bpp)
                return true;
        }
    return false;
}

// The first distinct mode of fmode after `after` (or from the start).
const GrVideoMode *walk(enum _GR_frameModes fmode, const GrVideoMode *after)
{
    bool started = after == nullptr;
    for (const GrVideoDriver *d = _GrDriverInfo.video_driver; d; d = d->parent)
        for (int i = 0; i < d->mode_count; i++) {
            const GrVideoMode *m = &d->modes[i];
            if (!started) {
                started = m == after;
                continue;
            }
            if (qualifies(m, fmode) && !seen_before(m, fmode))
                return m;
        }
    return nullptr;
}

}  // namespace

const GrVideoMode *GrFirstVideoMode(enum _GR_frameModes fmode)
{
    return walk(fmode, nullptr);
}

const GrVideoMode *GrNextVideoMode(const GrVideoMode *prev)
{
    if (prev == nullptr || prev->extinfo == nullptr)
        return nullptr;
    return walk(prev->extinfo->mode, prev);
}
