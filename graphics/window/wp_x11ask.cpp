// The close question on X11: a small window of our own, "Abort", over the
// graphics window, drawn with the library's 8x16 font so that no server
// fonts are needed. Yes is the default; Return, space and y answer yes,
// Esc, n and closing the question answer no. It runs on the window thread,
// whose loop keeps serving the graphics window meanwhile.
#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <cstring>

#include "wp_x11.h"

namespace {

const char *const kLines[2] = {"This will abort the program", "are you sure?"};
enum {
    W = 296, H = 120,                   // the question's client area
    ICON_X = 16, ICON_Y = 16, ICON = 32,
    TEXT_X = 64, TEXT_Y = 16,
    BTN_W = 72, BTN_H = 24, BTN_Y = 80,
    YES_X = W / 2 - BTN_W - 8, NO_X = W / 2 + 8,
};
const uint32_t kFace = 0xD9D9D9, kButton = 0xEEEEEE, kDark = 0x404040, kBlack = 0,
               kWhite = 0xFFFFFF, kIcon = 0x2F5FBF;

// The picture as a 24-bit frame (blue byte first), so that it reaches the
// window through the same conversion as the graphics.
unsigned char picture[H][W * 3];

void pixel(int x, int y, uint32_t c)
{
    unsigned char *p = &picture[y][3 * x];
    p[0] = static_cast<unsigned char>(c);
    p[1] = static_cast<unsigned char>(c >> 8);
    p[2] = static_cast<unsigned char>(c >> 16);
}

void box(int x, int y, int w, int h, uint32_t c)
{
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++)
            pixel(i, j, c);
}

void frame(int x, int y, int w, int h, uint32_t c)
{
    box(x, y, w, 1, c);
    box(x, y + h - 1, w, 1, c);
    box(x, y, 1, h, c);
    box(x + w - 1, y, 1, h, c);
}

void text(int x, int y, const char *s, uint32_t c)
{
    const GrFont &f = GrFont_PC8x16;
    for (; *s; s++, x += 8) {
        const unsigned ch = static_cast<unsigned char>(*s) - f.h.minchar;
        if (ch >= f.h.numchars)
            continue;
        const unsigned char *g =
            reinterpret_cast<const unsigned char *>(f.bitmap) + f.chrinfo[ch].offset;
        for (int r = 0; r < 16; r++)
            for (int b = 0; b < 8; b++)
                if (g[r] & (0x80 >> b))
                    pixel(x + b, y + r, c);
    }
}

void button(int x, const char *label, bool is_default)
{
    box(x, BTN_Y, BTN_W, BTN_H, kButton);
    frame(x, BTN_Y, BTN_W, BTN_H, kDark);
    if (is_default)
        frame(x - 1, BTN_Y - 1, BTN_W + 2, BTN_H + 2, kBlack);
    const int w = 8 * static_cast<int>(strlen(label));
    text(x + (BTN_W - w) / 2, BTN_Y + (BTN_H - 16) / 2, label, kBlack);
}

void draw()
{
    box(0, 0, W, H, kFace);
    // a round question mark
    const int r = ICON / 2, cx = ICON_X + r, cy = ICON_Y + r;
    for (int y = 0; y < ICON; y++)
        for (int x = 0; x < ICON; x++) {
            const int dx = 2 * (x - r) + 1, dy = 2 * (y - r) + 1;
            if (dx * dx + dy * dy <= 4 * r * r)
                pixel(ICON_X + x, ICON_Y + y, kIcon);
        }
    text(cx - 4, cy - 8, "?", kWhite);
    for (int i = 0; i < 2; i++)
        text(TEXT_X, TEXT_Y + 16 * i, kLines[i], kBlack);
    button(YES_X, "Yes", true);
    button(NO_X, "No", false);
}

struct Question {
    int answer = -1;  // -1 while open, then 1 yes or 0 no
};
Question *open_question = nullptr;

bool answered(void *arg) { return static_cast<Question *>(arg)->answer >= 0; }

bool inside(int x, int y, int bx)
{
    return x >= bx && x < bx + BTN_W && y >= BTN_Y && y < BTN_Y + BTN_H;
}

}  // namespace

namespace x11 {

void ask_event(XEvent *ev)
{
    Question *q = open_question;
    switch (ev->type) {
    case MapNotify:
        XSetInputFocus(conn.dpy, ask_window, RevertToParent, CurrentTime);
        break;
    case KeyPress: {
        char c = 0;
        KeySym sym = NoSymbol;
        XLookupString(&ev->xkey, &c, 1, &sym, nullptr);
        if (sym == XK_Return || sym == XK_KP_Enter || sym == XK_space || c == 'y' || c == 'Y')
            q->answer = 1;
        else if (sym == XK_Escape || c == 'n' || c == 'N')
            q->answer = 0;
        break;
    }
    case ButtonPress:
        if (ev->xbutton.button == Button1 && inside(ev->xbutton.x, ev->xbutton.y, YES_X))
            q->answer = 1;
        else if (ev->xbutton.button == Button1 && inside(ev->xbutton.x, ev->xbutton.y, NO_X))
            q->answer = 0;
        break;
    case ClientMessage:
        if (ev->xclient.message_type == conn.wm_protocols &&
            static_cast<Atom>(ev->xclient.data.l[0]) == conn.wm_delete)
            q->answer = 0;
        break;
    default:
        break;
    }
}

int ask_close()
{
    Display *d = conn.dpy;
    Question q;
    // the picture is the window's background: the server shows it by itself
    XImage *image = new_image(W, H);
    if (image == nullptr)
        return 0;  // no question can be shown: the program goes on
    draw();
    _GR_winView v{};
    v.pixels = &picture[0][0];
    v.width = W;
    v.height = H;
    v.bpp = 24;
    v.lineoffset = W * 3;
    _GrWinConvert(&conn.px, &v, 0, 0, W, H, reinterpret_cast<unsigned char *>(image->data),
                  image->bytes_per_line, conn.image_bytes);
    const Pixmap background = XCreatePixmap(d, conn.win, W, H, static_cast<unsigned>(conn.depth));
    XPutImage(d, background, conn.gc, image, 0, 0, 0, 0, W, H);
    XDestroyImage(image);

    // centred on the graphics window
    const Window root = RootWindow(d, conn.screen);
    int rx = 0, ry = 0;
    Window child;
    XTranslateCoordinates(d, conn.win, root, 0, 0, &rx, &ry, &child);
    const int x = rx + (conn.width - W) / 2, y = ry + (conn.height - H) / 2;
    XSetWindowAttributes a{};
    a.background_pixmap = background;
    a.border_pixel = 0;
    a.colormap = conn.cmap;
    a.event_mask = KeyPressMask | ButtonPressMask | StructureNotifyMask;
    const Window w = XCreateWindow(d, root, x, y, W, H, 0, conn.depth, InputOutput, conn.visual,
                                   CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask, &a);
    XFreePixmap(d, background);  // the window keeps it
    name_window(w, "Abort");
    XSetTransientForHint(d, w, conn.win);
    Atom dialog = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(d, w, XInternAtom(d, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<unsigned char *>(&dialog), 1);
    XSetWMProtocols(d, w, &conn.wm_delete, 1);
    XSizeHints *hints = XAllocSizeHints();
    if (hints != nullptr) {
        hints->flags = PPosition | USPosition | PMinSize | PMaxSize;
        hints->x = x;
        hints->y = y;
        hints->min_width = hints->max_width = W;
        hints->min_height = hints->max_height = H;
        XSetWMNormalHints(d, w, hints);
        XFree(hints);
    }
    ask_window = w;
    open_question = &q;
    XMapRaised(d, w);
    run_until(answered, &q);
    ask_window = 0;
    open_question = nullptr;
    XDestroyWindow(d, w);
    if (q.answer != 1 && conn.mapped)
        XSetInputFocus(d, conn.win, RevertToParent, CurrentTime);
    XFlush(d);
    return q.answer == 1;
}

}  // namespace x11
