// Showing, moving and taking away graphics cursors. The screen under a
// cursor is saved in its work context; the next picture is composed there
// and copied to the screen in one piece, so nothing flickers. Every copy
// is clipped to the screen in force.
#include <algorithm>

#include "libpxl.h"

namespace {

GrContext &screen() { return _GrContextInfo.screen; }

_GR_blitFunc to_memory()
{
    const _GR_frameDriver &d = _GrDriverInfo.screen_driver;
    return d.bltv2r != nullptr ? d.bltv2r : d.bitblt;  // a memory screen copies plainly
}

_GR_blitFunc to_screen()
{
    const _GR_frameDriver &d = _GrDriverInfo.screen_driver;
    return d.bltr2v != nullptr ? d.bltr2v : d.bitblt;
}

// Keeps the mouse cursor away from the cursor's area while it is touched.
struct AreaGuard : _GrMouseGuard {
    explicit AreaGuard(const GrCursor *c)
        : _GrMouseGuard(&screen(), c->areax, c->areay, c->areax + c->areawidth - 1,
                        c->areay + c->areaheight - 1)
    {
    }
};

// The part of the cursor's area that lies on the screen: false when none.
bool on_screen(const GrCursor *c, int *w, int *h)
{
    const int sw = screen().gc_xmax + 1, sh = screen().gc_ymax + 1;
    *w = c->areax < sw ? std::min(c->areawidth, sw - c->areax) : 0;
    *h = c->areay < sh ? std::min(c->areaheight, sh - c->areay) : 0;
    return *w > 0 && *h > 0;
}

// The area's corner for a shape corner at v: 8-aligned, on the screen
// whenever the area fits it, never below 0.
int area_start(int64_t v, int area, int screen_size)
{
    int64_t a = v & ~int64_t{7};
    if (a > screen_size - area)
        a = screen_size - area;
    return a < 0 ? 0 : static_cast<int>(a);
}

// Composes the next picture from the save area and the shape at the hot
// spot position, and puts it on the screen when any of the shape shows.
void compose(GrCursor *c)
{
    int vw, vh;
    if (!on_screen(c, &vw, &vh))
        return;
    GrFrame *work = &c->work.gc_frame;
    const _GR_blitFunc blt = work->gf_driver->bitblt;
    const int save_y = c->height, work_y = c->height + c->areaheight;
    blt(work, 0, work_y, work, 0, save_y, vw, vh, GR_WRITE);

    // the shape in the work area, cut to it
    int64_t px = int64_t{c->xpos} - c->xhot - c->areax;
    int64_t py = int64_t{c->ypos} - c->yhot - c->areay;
    int64_t sx = 0, sy = 0, w = c->width, h = c->height;
    if (px < 0) { sx = -px; w += px; px = 0; }
    if (py < 0) { sy = -py; h += py; py = 0; }
    w = std::min(w, c->areawidth - px);
    h = std::min(h, c->areaheight - py);
    if (w <= 0 || h <= 0)
        return;
    const int x = static_cast<int>(px), y = work_y + static_cast<int>(py);
    const int mask_x = c->areawidth / 2 + static_cast<int>(sx);
    blt(work, x, y, work, mask_x, static_cast<int>(sy), static_cast<int>(w), static_cast<int>(h), GR_AND);
    blt(work, x, y, work, static_cast<int>(sx), static_cast<int>(sy), static_cast<int>(w),
        static_cast<int>(h), GR_XOR);
    to_screen()(&screen().gc_frame, c->areax, c->areay, work, 0, work_y, vw, vh, GR_WRITE);
}

}  // namespace

enum _GR_frameModes _GrCursorFrameMode(void)
{
    if (_GrDriverInfo.video_driver == nullptr)
        return GR_frameUndef;
    const _GR_frameDriver *d = _GrFindRAMframeDriver(_GrDriverInfo.screen_driver.mode);
    return d != nullptr ? d->mode : GR_frameUndef;
}

int _GrCursorFits(const GrCursor *c)
{
    const enum _GR_frameModes mode = _GrCursorFrameMode();
    return c != nullptr && mode != GR_frameUndef && c->work.gc_frame.gf_driver != nullptr &&
           c->work.gc_frame.gf_driver->mode == mode;
}

void GrDisplayCursor(GrCursor *c)
{
    if (!_GrCursorFits(c) || c->displayed)
        return;
    c->displayed = 1;
    c->areax = area_start(int64_t{c->xpos} - c->xhot, c->areawidth, screen().gc_xmax + 1);
    c->areay = area_start(int64_t{c->ypos} - c->yhot, c->areaheight, screen().gc_ymax + 1);
    AreaGuard guard(c);
    int vw, vh;
    if (on_screen(c, &vw, &vh))
        to_memory()(&c->work.gc_frame, 0, c->height, &screen().gc_frame, c->areax, c->areay,
                    vw, vh, GR_WRITE);
    compose(c);
}

void GrEraseCursor(GrCursor *c)
{
    if (!_GrCursorFits(c) || !c->displayed)
        return;
    AreaGuard guard(c);
    int vw, vh;
    if (on_screen(c, &vw, &vh))
        to_screen()(&screen().gc_frame, c->areax, c->areay, &c->work.gc_frame, 0, c->height,
                    vw, vh, GR_WRITE);
    c->displayed = 0;
}

void GrMoveCursor(GrCursor *c, int x, int y)
{
    if (!_GrCursorFits(c) || (x == c->xpos && y == c->ypos))
        return;
    c->xpos = x;
    c->ypos = y;
    if (!c->displayed)
        return;
    const int64_t nx = int64_t{x} - c->xhot - c->areax;
    const int64_t ny = int64_t{y} - c->yhot - c->areay;
    if (nx >= 0 && ny >= 0 && nx + c->width <= c->areawidth && ny + c->height <= c->areaheight) {
        AreaGuard guard(c);  // the shape stays inside its area: redraw in place
        compose(c);
        return;
    }
    GrEraseCursor(c);
    GrDisplayCursor(c);
}
