// The list of the video driver's modes, as BGI modes 4 and up.
#include <cstdlib>

#include "libbgi.h"

struct _GR_bgiMode *__gr_Modes = nullptr;

namespace {

int DidInit = 0;

// Whether a sorts before b: by colours, then area, then width.
bool before(const struct _GR_bgiMode &a, const struct _GR_bgiMode &b)
{
    const int64_t aa = static_cast<int64_t>(a.width) * a.height;
    const int64_t ba = static_cast<int64_t>(b.width) * b.height;
    if (a.colors != b.colors)
        return a.colors < b.colors;
    if (aa != ba)
        return aa < ba;
    return a.width < b.width;
}

void insert(int w, int h, int bpp)
{
    const struct _GR_bgiMode m = {w, h, 1 << (bpp < 24 ? bpp : 24), nullptr};
    struct _GR_bgiMode **at = &__gr_Modes;
    while (*at != nullptr && before(**at, m))
        at = &(*at)->next;
    if (*at != nullptr && !before(m, **at))
        return;  // the same size and colours are listed already
    struct _GR_bgiMode *n = static_cast<struct _GR_bgiMode *>(malloc(sizeof *n));
    if (n == nullptr)
        return;  // a shorter list
    *n = m;
    n->next = *at;
    *at = n;
}

// Selectors that take no arguments can be set again as they are.
bool plain_selector(int k)
{
    switch (k) {
    case GR_mode_text_80x25: case GR_mode_text_default: case GR_mode_text_largest:
    case GR_mode_graphics_320x200: case GR_mode_graphics_default:
    case GR_mode_graphics_800x600: case GR_mode_graphics_largest:
        return true;
    default:
        return k >= GR_mode_text_80x25_noclear && k <= GR_mode_graphics_largest_noclear &&
               plain_selector(k - GR_mode_text_80x25_noclear);
    }
}

}  // namespace

void __gr_set_up_modes(void)
{
    if (DidInit)
        return;
    __gr_MaxMode = 1;
    // makes the core choose its driver; a selector that needs sizes cannot
    // be repeated without them, and a mode is in force then anyway
    if (plain_selector(_GrDriverInfo.mode_kind))
        GrSetMode(_GrDriverInfo.mode_kind);
    else if (_GrDriverInfo.video_driver == nullptr)
        GrSetMode(GR_mode_text_default);
    const GrVideoDriver *d = _GrDriverInfo.video_driver;
    __gr_ADAPTER = d == nullptr ? -1 : d->adapter == 4 ? 0 : d->adapter;
    int count = 0;
    for (int fm = GR_firstGraphicsFrameMode; fm <= GR_lastGraphicsFrameMode; fm++)
        for (const GrVideoMode *m = GrFirstVideoMode(static_cast<GrFrameMode>(fm)); m != nullptr;
             m = GrNextVideoMode(m))
            insert(m->width, m->height, m->bpp);
    for (const struct _GR_bgiMode *m = __gr_Modes; m != nullptr; m = m->next)
        count++;
    __gr_MaxMode = 3 + count;
    DidInit = 1;
}

const struct _GR_bgiMode *_GrBgiModeNode(int n)
{
    if (n < 0)
        return nullptr;
    const struct _GR_bgiMode *m = __gr_Modes;
    for (; m != nullptr && n > 0; n--)
        m = m->next;
    return m;
}

int __gr_getmode_whc(int mode, int *w, int *h, int *c)
{
    const struct _GR_bgiMode *m = mode >= 4 ? _GrBgiModeNode(mode - 4) : nullptr;
    if (m == nullptr)
        return 0;
    *w = m->width;
    *h = m->height;
    *c = m->colors;
    return 1;
}

bool _GrBgiListMode(int mode, int *w, int *h, int *c)
{
    if (!_GrBgiReady())
        return false;
    if (!__gr_getmode_whc(mode, w, h, c)) {
        __gr_Result = grInvalidMode;
        return false;
    }
    return true;
}

int getmaxmode(void)
{
    __gr_set_up_modes();
    return __gr_MaxMode;
}

void __gr_getmoderange(int, int *lo, int *hi)
{
    *lo = 0;
    __gr_set_up_modes();
    *hi = __gr_MaxMode;
}

void getmoderange(int driver, int *lo, int *hi) { __gr_getmoderange(driver, lo, hi); }
