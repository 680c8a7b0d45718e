// The headless window system: the window is an image in memory, painted at
// once on the main thread. It runs the whole windowed driver without a
// display, so the tests can watch what reaches the window.
#include <cstdio>
#include <cstdlib>

#include "winplat.h"

struct _GR_headless _GrHeadless = {};

namespace {

_GR_winPixels pixels;  // 0xRRGGBB, as the image keeps colours

int null_detect() { return 1; }

int null_open(const char *options, int *sw, int *sh)
{
    int w = 1280, h = 1024;
    if (options != nullptr && options[0] != '\0' &&
        (sscanf(options, "%dx%d", &w, &h) != 2 || w <= 0 || h <= 0))
        return 0;
    _GrHeadless.screen_w = *sw = w;
    _GrHeadless.screen_h = *sh = h;
    _GrHeadless.open = 1;
    _GrHeadless.shown = 0;
    _GrWinPixelsInit(&pixels, 0xFF0000U, 0xFF00U, 0xFFU);
    return 1;
}

unsigned char *null_frame_new(int w, int h, int bpp, int lineoffset)
{
    return _GrHeadless.refuse_frames ? nullptr : _GrWinFrameCalloc(w, h, bpp, lineoffset);
}

void null_close()
{
    free(_GrHeadless.rgb);
    _GrHeadless.rgb = nullptr;
    _GrHeadless.open = _GrHeadless.shown = 0;
}

void paint(const _GR_winView *v, void *)
{
    if (v->palette_changed)
        _GrWinPixelsPalette(&pixels, v->palette);
    if (_GrHeadless.rgb == nullptr || v->width != _GrHeadless.width ||
        v->height != _GrHeadless.height)
        return;
    _GrWinConvert(&pixels, v, v->x1, v->y1, v->x2, v->y2,
                  reinterpret_cast<unsigned char *>(_GrHeadless.rgb), 4 * v->width, 4);
    if (_GrHeadless.painted != nullptr && v->x1 < v->x2)
        _GrHeadless.painted(v->x1, v->y1, v->x2, v->y2);
}

void null_present() { _GrWinPaint(paint, nullptr); }

int null_show(int w, int h, int margin)
{
    free(_GrHeadless.rgb);
    _GrHeadless.rgb = static_cast<uint32_t *>(
        calloc(static_cast<size_t>(w) * static_cast<size_t>(h), sizeof(uint32_t)));
    if (_GrHeadless.rgb == nullptr)
        return 0;
    _GrHeadless.width = w;
    _GrHeadless.height = h;
    _GrHeadless.margin = margin;
    _GrHeadless.shown = 1;
    null_present();
    return 1;
}

void null_hide() { _GrHeadless.shown = 0; }

void null_sync() {}  // painting happens at once

int null_ask_close()
{
    _GrHeadless.asked++;
    return _GrHeadless.answer;
}

int null_mouse_present() { return _GrHeadless.shown; }

void null_warp(int x, int y)
{
    _GrHeadless.warp_x = x;
    _GrHeadless.warp_y = y;
}

constexpr _GR_winPlatform headless_platform()
{
    _GR_winPlatform p{};
    p.name = "headless";
    p.detect = null_detect;
    p.open = null_open;
    p.close = null_close;
    p.frame_new = null_frame_new;
    p.frame_free = _GrWinFrameRelease;
    p.show = null_show;
    p.hide = null_hide;
    p.present = null_present;
    p.sync = null_sync;
    p.ask_close = null_ask_close;
    p.mouse_present = null_mouse_present;
    p.warp = null_warp;
    return p;
}

}  // namespace

const struct _GR_winPlatform _GrWinPlatformHeadless = headless_platform();
