// Setting a video mode: choose the mode that best fits the request, build
// its frame driver and screen context, and reset the colour table.
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "libpxl.h"

namespace {

[[noreturn]] void setmode_fatal(const char *msg)
{
    _GrDriverInfo.restore_mode = 1;
    _GrCloseVideoDriver();
    fprintf(stderr, "GrSetMode: %s\n", msg);
    exit(1);
}

// A shortfall costs 20000 more than an excess of the same size.
unsigned mode_error(int have, int want)
{
    return have >= want ? static_cast<unsigned>(have - want)
                        : static_cast<unsigned>(want - have) + 20000U;
}

bool build_frame_driver(const GrVideoMode *mp, _GR_frameDriver *out)
{
    const GrVideoModeExt *ext = mp->extinfo;
    const _GR_frameDriver *s = _GrFindFrameDriver(ext->mode);
    const _GR_frameDriver *m = ext->drv;
    if (m == nullptr) {
        if (s == nullptr)
            return false;
        *out = *s;
        return true;
    }
    _GR_frameDriver r = s ? *s : _GR_frameDriver{};
    int have = 0;
#define MERGE(slot) \
    if (m->slot != nullptr) { r.slot = m->slot; have++; }
    MERGE(readpixel) MERGE(drawpixel) MERGE(drawline) MERGE(drawhline)
    MERGE(drawvline) MERGE(drawblock) MERGE(drawbitmap) MERGE(drawpattern)
    MERGE(bitblt) MERGE(bltv2r) MERGE(bltr2v) MERGE(getindexedscanline)
    MERGE(putscanline)
#undef MERGE
    if (have == 13) {
        *out = *m;
        return true;
    }
    if (s == nullptr)
        return false;
    const bool compatible =
        m->mode == s->mode && m->rmode == s->rmode &&
        (m->is_video != 0) == (s->is_video != 0) &&
        m->row_align > 0 && m->row_align <= s->row_align &&
        s->row_align % m->row_align == 0 && m->num_planes == s->num_planes &&
        m->max_plane_size >= s->max_plane_size &&
        m->bits_per_pixel == s->bits_per_pixel;
    if (!compatible) {
        *out = *s;
        return true;
    }
    if (m->init != nullptr)
        r.init = m->init;
    *out = r;
    return true;
}

bool build_context(const GrVideoMode *mp, const _GR_frameDriver *fd, GrContext *cxt)
{
    const GrVideoModeExt *ext = mp->extinfo;
    *cxt = GrContext{};
    if (mp->width <= 0 || mp->height <= 0 || mp->lineoffset <= 0)
        return false;
    // 64 bits: a large mode must be refused, never wrapped
    const int64_t size = static_cast<int64_t>(mp->height) * mp->lineoffset;
    const bool aligned = fd->row_align > 0 && mp->lineoffset % fd->row_align == 0;
    GrFrame &f = cxt->gc_frame;
    if (ext->flags & GR_vmodeLinear) {
        for (auto &b : f.gf_baseaddr)
            b = ext->frame;
        f.gf_selector = static_cast<short>(ext->LFB_Selector);
    } else if (ext->flags & GR_vmodeMemory) {
        if (size > fd->max_plane_size || !aligned)
            return false;
        for (int i = 0; i < 4; i++)
            f.gf_baseaddr[i] = mp->bpp == 4 ? ext->frame + i * size : ext->frame;
    } else {
        if (size > fd->max_plane_size || (ext->setbank == nullptr && size > 65536) ||
            !aligned)
            return false;
        for (auto &b : f.gf_baseaddr)
            b = ext->frame;
    }
    f.gf_onscreen = 1;
    f.gf_lineoffset = mp->lineoffset;
    f.gf_driver = &_GrDriverInfo.screen_driver;
    cxt->gc_xmax = cxt->gc_xcliphi = mp->width - 1;
    cxt->gc_ymax = cxt->gc_ycliphi = mp->height - 1;
    return true;
}

// Colours to bits per pixel: the smallest n with 2^n >= c, at most 32.
int colors_to_bpp(int c)
{
    if (c == 0)
        return 0;
    const uint64_t want = static_cast<uint32_t>(c);
    int n = 1;
    while (n < 32 && (uint64_t{1} << n) < want)
        n++;
    return n;
}

struct Request {
    bool text = false, noclear = false;
    int w = 0, h = 0, bpp = 0, vw = 0, vh = 0;
};

// The size, depth and flags a selector asks for, with its arguments.
Request read_request(int which, va_list ap)
{
    const _GR_driverInfo &di = _GrDriverInfo;
    Request r;
    if (which >= GR_mode_graphics_size_bpp_noclear) {
        r.noclear = true;
        which -= 3;
    } else if (which >= GR_mode_text_80x25_noclear && which < GR_mode_graphics_size_bpp) {
        r.noclear = true;
        which -= 12;
    }
    const int text_bpp = colors_to_bpp(di.default_text_colors);
    const int graph_bpp = colors_to_bpp(di.default_graphics_colors);
    switch (which) {
    case GR_mode_text_80x25:
        r = {true, r.noclear, 80, 25, text_bpp, 0, 0};
        break;
    case GR_mode_text_default:
        r = {true, r.noclear, di.default_text_width, di.default_text_height, text_bpp, 0, 0};
        break;
    case GR_mode_text_size:
    case GR_mode_graphics_size:
        r.text = which == GR_mode_text_size;
        r.w = va_arg(ap, int);
        r.h = va_arg(ap, int);
        r.bpp = r.text ? text_bpp : graph_bpp;
        break;
    case GR_mode_text_largest:
        r = {true, r.noclear, 200, 80, text_bpp, 0, 0};
        break;
    case GR_mode_graphics_320x200:
        r = {false, r.noclear, 320, 200, graph_bpp, 0, 0};
        break;
    case GR_mode_graphics_default:
        r = {false, r.noclear, di.default_graphics_width, di.default_graphics_height,
             graph_bpp, 0, 0};
        break;
    case GR_mode_graphics_800x600:
        r = {false, r.noclear, 800, 600, graph_bpp, 0, 0};
        break;
    case GR_mode_graphics_largest:
        r = {false, r.noclear, 4096, 4096, graph_bpp, 0, 0};
        break;
    case GR_mode_graphics_size_colors:
    case GR_mode_text_size_colors:
    case GR_mode_graphics_custom:
    case GR_mode_graphics_size_bpp:
    case GR_mode_text_size_bpp:
    case GR_mode_graphics_custom_bpp: {
        const bool by_bpp = which >= GR_mode_graphics_size_bpp;
        r.text = which == GR_mode_text_size_colors || which == GR_mode_text_size_bpp;
        r.w = va_arg(ap, int);
        r.h = va_arg(ap, int);
        const int depth = va_arg(ap, int);
        r.bpp = by_bpp ? depth : colors_to_bpp(depth);
        if (which == GR_mode_graphics_custom || which == GR_mode_graphics_custom_bpp) {
            r.vw = va_arg(ap, int);
            r.vh = va_arg(ap, int);
        }
        break;
    }
    }
    return r;
}

}  // namespace

GrVideoMode *_gr_selectmode(GrVideoDriver *drv, int w, int h, int bpp, int txt,
                            unsigned int *ep)
{
    GrVideoMode *best = nullptr;
    unsigned bc = 0, bs = 0;
    bool have = false;
    if (ep != nullptr) {
        bc = ep[0];
        bs = ep[1];
        have = true;
    }
    bool final = false;
    for (int i = 0; i < drv->mode_count && !final; i++) {
        GrVideoMode *mp = &drv->modes[i];
        if (!mp->present || mp->extinfo == nullptr ||
            (mp->extinfo->mode == GR_frameText) != (txt != 0))
            continue;
        const unsigned ce = mode_error(mp->bpp, bpp);
        const unsigned se = mode_error(mp->width, w) + mode_error(mp->height, h);
        if (!have || ce < bc || (ce == bc && se < bs)) {
            best = mp;
            bc = ce;
            bs = se;
            have = true;
            final = ce == 0 && se == 0;
        }
    }
    if (!final && drv->parent != nullptr) {
        unsigned pair[2] = {bc, bs};
        GrVideoMode *p = drv->parent->selectmode(drv->parent, w, h, bpp, txt,
                                                 have ? pair : nullptr);
        if (p != nullptr) {
            best = p;
            bc = pair[0];
            bs = pair[1];
        }
    }
    if (ep != nullptr && best != nullptr) {
        ep[0] = bc;
        ep[1] = bs;
    }
    return best;
}

int GrSetMode(int which, ...)
{
    if (_GrDriverInfo.video_driver == nullptr)
        GrSetDriver(nullptr);
    GrVideoDriver *drv = _GrDriverInfo.video_driver;
    if (drv == nullptr)
        setmode_fatal("could not find suitable video driver");
    if (which < 0 || which > GR_mode_graphics_custom_bpp_noclear)
        setmode_fatal("unknown video mode");
    va_list ap;
    va_start(ap, which);
    const Request r = read_request(which, ap);
    va_end(ap);

    GrVideoMode *own;       // the driver's own record of the chosen mode
    GrVideoMode mode;       // the copy that is set up and installed
    GrContext cxt{};
    _GR_frameDriver fd = _GrDriverInfo.text_driver;
    for (;;) {
        own = drv->selectmode(drv, r.w, r.h, r.bpp, r.text, nullptr);
        if (own == nullptr)
            setmode_fatal("could not find suitable video mode");
        mode = *own;
        bool ok;
        if (r.text)
            ok = mode.extinfo->setup(&mode, r.noclear) != 0;
        else
            ok = build_frame_driver(&mode, &fd) &&
                 mode.extinfo->setup(&mode, r.noclear) != 0 &&
                 build_context(&mode, &fd, &cxt);
        if (ok)
            break;
        own->present = 0;  // a mode that failed is never offered again
    }

    GrVideoModeExt *ext = mode.extinfo;
    if (!r.text && (r.vw > mode.width || r.vh > mode.height) &&
        ext->setvsize != nullptr && ext->scroll != nullptr) {
        const GrVideoMode plain = mode;
        const int vw = r.vw > mode.width ? r.vw : mode.width;
        const int vh = r.vh > mode.height ? r.vh : mode.height;
        if (!ext->setvsize(&mode, vw, vh, &mode) || !build_context(&mode, &fd, &cxt)) {
            mode = plain;
            build_context(&mode, &fd, &cxt);
            ext->setup(&mode, r.noclear);
        }
    }

    if (_GrMouseInfo.uninit != nullptr)
        _GrMouseInfo.uninit();

    _GR_driverInfo &di = _GrDriverInfo;
    di.current_bank = -1;
    di.split_banks = 0;
    di.set_bank = _GrDummySetBank;
    di.set_rw_banks = _GrDummySetRWBanks;
    if (r.text) {
        cxt = GrContext{};
        cxt.gc_frame.gf_driver = &di.text_driver;
        fd = di.text_driver;
    } else {
        if (ext->setbank != nullptr)
            di.set_bank = ext->setbank;
        if (ext->setrwbanks != nullptr) {
            di.set_rw_banks = ext->setrwbanks;
            di.split_banks = 1;
        }
        if (static_cast<int64_t>(mode.height) * mode.lineoffset <= 65536)
            di.split_banks = 1;
    }

    _GrContextInfo.current = _GrContextInfo.screen = cxt;
    di.frame_driver = di.screen_driver = fd;
    di.active_mode = mode;
    di.current_mode = own;
    di.viewport_x = di.viewport_y = 0;
    di.mode_kind = which;

    if (!_GrResetColors())
        setmode_fatal("could not set color mode");
    if (di.frame_driver.init != nullptr)
        di.frame_driver.init(&di.active_mode);
    if (di.mode_set_hook != nullptr)
        di.mode_set_hook();
    return 1;
}
