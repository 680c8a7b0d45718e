// The mouse cursor: a graphics cursor that follows the mouse, optionally
// with a rubber band drawn in XOR, and the block/unblock protocol through
// which drawing keeps clear of it. Drawing thread only.
#include <algorithm>
#include <cstdarg>

#include "libpxl.h"
#include "w32inp.h"

namespace {

_GR_mouseInfo &MI = _GrMouseInfo;

// the built-in arrow: 0 transparent, 1 border, 2 fill; hot spot (1, 1)
const unsigned char ptr12x16bits[16 * 12] = {
    0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    1, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    1, 2, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0,
    1, 2, 2, 2, 1, 0, 0, 0, 0, 0, 0, 0,
    1, 2, 2, 2, 2, 1, 0, 0, 0, 0, 0, 0,
    1, 2, 2, 2, 2, 2, 1, 0, 0, 0, 0, 0,
    1, 2, 2, 2, 2, 2, 2, 1, 0, 0, 0, 0,
    1, 2, 2, 2, 2, 2, 2, 2, 1, 0, 0, 0,
    1, 2, 2, 2, 2, 2, 2, 2, 2, 1, 0, 0,
    1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 0,
    1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1,
    1, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 0,
    1, 2, 2, 2, 1, 0, 0, 0, 0, 0, 0, 0,
    1, 2, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0,
    1, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};

// how many held drawing calls pass before a held cursor catches up
constexpr int CHECKEVERY = 1000;
int checkcnt = CHECKEVERY;

// The cursor's own drawing must not block itself.
struct Unchecked {
    int saved = MI.must_check;
    Unchecked() { MI.must_check = 0; }
    ~Unchecked() { MI.must_check = saved; }
};

// The band, drawn on the screen at the cursor's hot spot; XOR, so a
// second drawing removes it.
void draw_band(const GrCursor *c)
{
    if (MI.cursor_mode == GR_CURSOR_NORMAL)
        return;
    const GrContext saved = _GrContextInfo.current;
    GrSetContext(nullptr);
    const int x = c->xpos, y = c->ypos;
    switch (MI.cursor_mode) {
    case GR_CURSOR_RUBBER_BOX:
        GrBox(x, y, MI.mode_x1, MI.mode_y1, MI.mode_color);
        break;
    case GR_CURSOR_RUBBER_LINE:
        GrLine(x, y, MI.mode_x1, MI.mode_y1, MI.mode_color);
        break;
    default:
        GrBox(x + MI.mode_x1, y + MI.mode_y1, x + MI.mode_x2, y + MI.mode_y2, MI.mode_color);
        break;
    }
    GrSetContext(&saved);
}

// The band goes with the cursor: it is on the screen exactly while the
// cursor is displayed.
void show()
{
    GrCursor *c = MI.mouse_cursor;
    if (c == nullptr || c->displayed)
        return;
    Unchecked u;
    GrDisplayCursor(c);
    if (c->displayed)
        draw_band(c);
}

void hide()
{
    GrCursor *c = MI.mouse_cursor;
    if (c == nullptr || !c->displayed)
        return;
    Unchecked u;
    draw_band(c);
    GrEraseCursor(c);
}

void move_to_mouse()
{
    GrCursor *c = MI.mouse_cursor;
    if (c == nullptr || (c->xpos == MI.mouse_x && c->ypos == MI.mouse_y))
        return;
    Unchecked u;
    const bool band = c->displayed != 0;
    if (band)
        draw_band(c);
    GrMoveCursor(c, MI.mouse_x, MI.mouse_y);
    if (band)
        draw_band(c);
}

void poll_and_move()
{
    _GrUpdateInputs();
    move_to_mouse();
}

// Makes c the mouse cursor; the one it replaces is destroyed after the
// switch when it was built here (before it, the destroy would be refused).
void install(GrCursor *c, int owned)
{
    GrCursor *old = MI.mouse_cursor;
    const int old_owned = MI.cursor_owned;
    MI.mouse_cursor = c;
    MI.cursor_owned = owned;
    if (old != nullptr && old_owned)
        GrDestroyCursor(old);
}

void include(int64_t x, int64_t y, int64_t *x1, int64_t *y1, int64_t *x2, int64_t *y2)
{
    *x1 = std::min(*x1, x);
    *y1 = std::min(*y1, y);
    *x2 = std::max(*x2, x);
    *y2 = std::max(*y2, y);
}

// 0: not checking (or an outer call already took the cursor off); 1: the
// cursor is held still; 2: it overlapped and was taken off the screen.
int block(GrContext *ctx, int x1, int y1, int x2, int y2)
{
    if (ctx == nullptr)
        ctx = &_GrContextInfo.current;
    if (!MI.cursor_shown || !MI.must_check || !ctx->gc_frame.gf_onscreen ||
        (MI.block_state & 2) || MI.mouse_cursor == nullptr)
        return 0;
    const int old = MI.block_state;
    MI.block_state = 1;
    const int64_t bx1 = int64_t{std::min(x1, x2)} + ctx->gc_xoffset;
    const int64_t bx2 = int64_t{std::max(x1, x2)} + ctx->gc_xoffset;
    const int64_t by1 = int64_t{std::min(y1, y2)} + ctx->gc_yoffset;
    const int64_t by2 = int64_t{std::max(y1, y2)} + ctx->gc_yoffset;

    const GrCursor *c = MI.mouse_cursor;
    int64_t ex1 = c->areax, ey1 = c->areay;
    int64_t ex2 = ex1 + c->areawidth - 1, ey2 = ey1 + c->areaheight - 1;
    const int64_t x = c->xpos, y = c->ypos;
    switch (MI.cursor_mode) {
    case GR_CURSOR_RUBBER_BOX:
    case GR_CURSOR_RUBBER_LINE:
        include(x, y, &ex1, &ey1, &ex2, &ey2);
        include(MI.mode_x1, MI.mode_y1, &ex1, &ey1, &ex2, &ey2);
        break;
    case GR_CURSOR_DRAG_BOX:
        include(x + MI.mode_x1, y + MI.mode_y1, &ex1, &ey1, &ex2, &ey2);
        include(x + MI.mode_x2, y + MI.mode_y2, &ex1, &ey1, &ex2, &ey2);
        break;
    default:
        break;
    }
    if (bx1 <= ex2 && bx2 >= ex1 && by1 <= ey2 && by2 >= ey1) {
        MI.block_state = old | 2;
        MI.must_check = 0;
        hide();
        return 2;
    }
    return (old & 1) ? 0 : 1;
}

void unblock(int answer)
{
    if (!MI.cursor_shown)
        return;
    if ((answer & 2) && (MI.block_state & 2)) {
        if (!(MI.block_state & 1) || (answer & 1)) {
            poll_and_move();
            MI.block_state &= ~1;
        }
        show();
        MI.block_state &= ~2;
        MI.must_check = 1;
    } else if ((answer & 1) && (MI.block_state & 1)) {
        if (!(MI.block_state & 2) && --checkcnt <= 0) {
            checkcnt = CHECKEVERY;
            poll_and_move();
        }
        MI.block_state &= ~1;
    }
}

}  // namespace

void GrMouseDisplayCursor(void)
{
    // without a pointer the mouse can never be ready: starting input again
    // would only drop what waits
    if (MI.mouse_state != 2 && GrMouseDetect())
        GrMouseInitN(128);
    if (MI.mouse_state != 2 || MI.mouse_cursor == nullptr || MI.cursor_shown)
        return;
    move_to_mouse();
    show();
    MI.cursor_shown = 1;
    MI.must_check = 1;
    MI.block_state = 0;
}

void GrMouseEraseCursor(void)
{
    if (MI.mouse_state != 2 || MI.mouse_cursor == nullptr || !MI.cursor_shown ||
        MI.block_state != 0)
        return;
    MI.cursor_shown = 0;
    MI.must_check = 0;
    hide();
}

void GrMouseUpdateCursor(void)
{
    if (MI.cursor_shown && MI.block_state == 0)
        poll_and_move();
}

void GrMouseSetCursor(GrCursor *cursor)
{
    if (MI.cursor_shown || cursor == nullptr || cursor == MI.mouse_cursor ||
        !_GrCursorFits(cursor))
        return;
    GrEraseCursor(cursor);
    install(cursor, 0);
}

void GrMouseSetColors(GrColor fill, GrColor border)
{
    if (MI.cursor_shown)
        return;
    const GrColor table[3] = {2, border, fill};
    if (GrCursor *c = GrBuildCursor(ptr12x16bits, 12, 12, 16, 1, 1, table))
        install(c, 1);
}

void GrMouseSetCursorMode(int mode, ...)
{
    if (MI.cursor_shown)
        return;
    va_list ap;
    va_start(ap, mode);
    switch (mode) {
    case GR_CURSOR_RUBBER_BOX:
    case GR_CURSOR_RUBBER_LINE:
        MI.mode_x1 = va_arg(ap, int);
        MI.mode_y1 = va_arg(ap, int);
        MI.mode_color = (va_arg(ap, GrColor) & GR_VALUEMASK) | GR_XOR;
        break;
    case GR_CURSOR_DRAG_BOX:
        MI.mode_x2 = va_arg(ap, int);
        MI.mode_y2 = va_arg(ap, int);
        MI.mode_x1 = va_arg(ap, int);
        MI.mode_y1 = va_arg(ap, int);
        MI.mode_color = (va_arg(ap, GrColor) & GR_VALUEMASK) | GR_XOR;
        break;
    default:
        mode = GR_CURSOR_NORMAL;
        break;
    }
    va_end(ap);
    MI.cursor_mode = mode;
}

void _GrInitMouseCursor(void)
{
    GrCursor *c = MI.mouse_cursor;
    const bool fits = _GrCursorFits(c) != 0;
    if (fits)
        hide();
    // cleared first: the arrow is not rebuilt while the cursor counts as shown
    MI.cursor_shown = MI.block_state = MI.must_check = 0;
    MI.cursor_mode = GR_CURSOR_NORMAL;
    if (!fits) {
        // built for another mode: drop it, and take the red arrow instead
        MI.mouse_cursor = nullptr;
        if (c != nullptr && MI.cursor_owned)
            GrDestroyCursor(c);
        MI.cursor_owned = 0;
        GrMouseSetColors(GrAllocColor(255, 0, 0), GrBlack());
    }
    MI.block = block;
    MI.unblock = unblock;
}
