// The X11 window system. A window thread owns the connection and the
// graphics window: it paints the screen frame into the window, answers the
// main thread's requests (show, hide, warp, quit) and turns keyboard and
// mouse events into window messages. The main thread reaches it only
// through a request slot and a wake-up pipe.
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

#include <X11/Xatom.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "w32inp.h"
#include "wp_x11.h"

namespace x11 {
Conn conn;
Window ask_window = 0;
}  // namespace x11

using namespace x11;

namespace {

// ---------------------------------------------------------------- requests

enum Req { REQ_NONE, REQ_SHOW, REQ_HIDE, REQ_WARP, REQ_SYNC, REQ_QUIT };
struct Request {
    Req what = REQ_NONE;
    int a = 0, b = 0, c = 0;
    bool taken = false, done = false;
    int result = 0;
};
enum Start { STARTING, READY, FAILED };

std::mutex req_lock;                // guards everything up to the next blank line
std::condition_variable req_cv;
Request request;
Start started = STARTING;
int screen_w = 0, screen_h = 0;

pthread_t thread;
pid_t owner = 0;                    // the process whose window thread runs
int wake_pipe[2] = {-1, -1};        // 'p': paint, 'r': a request
std::atomic<int> x_errors{0};

// window thread only
XImage *image = nullptr;            // the window's picture in the visual's format
Cursor blank_cursor = 0;
bool quitting = false, destroying = false, paint_wanted = false;
bool show_pending = false;          // mapped, waiting for the window to appear
int64_t show_deadline = 0, last_paint = 0;
const int kPaintGapMs = 10;         // painting pauses while drawing goes on
const int kMapWaitMs = 2000;        // a window manager that keeps the window hidden

void wake(char why)
{
    const ssize_t n = write(wake_pipe[1], &why, 1);  // full: a wake-up is pending anyway
    (void)n;
}

// Main thread: hands a request to the window thread and waits for its answer.
int post(Req what, int a = 0, int b = 0, int c = 0)
{
    if (owner != getpid())
        return 0;  // a forked child has no window thread
    std::unique_lock<std::mutex> g(req_lock);
    request = Request{what, a, b, c, false, false, 0};
    g.unlock();
    wake('r');
    g.lock();
    req_cv.wait(g, [] { return request.done; });
    const int result = request.result;
    request = Request{};
    return result;
}

void answer(int result)
{
    {
        std::lock_guard<std::mutex> g(req_lock);
        request.done = true;
        request.result = result;
    }
    req_cv.notify_all();
}

// ---------------------------------------------------------------- Xlib

int quiet_error(Display *, XErrorEvent *)
{
    x_errors++;
    return 0;
}

// The connection is gone: nothing can be shown or asked any more.
int lost_connection(Display *)
{
    _GrWinAbort();
    return 0;
}

void init_xlib()
{
    static bool done = false;
    if (done)
        return;
    XInitThreads();  // before any other Xlib call
    XSetErrorHandler(quiet_error);
    XSetIOErrorHandler(lost_connection);
    done = true;
}

// A true-colour visual whose images have 2 or 4 bytes a pixel.
bool choose_visual(Display *d, int scr, Visual **vis, int *depth, int *bytes)
{
    XVisualInfo vi;
    if (DefaultVisual(d, scr)->c_class == TrueColor) {
        *vis = DefaultVisual(d, scr);
        *depth = DefaultDepth(d, scr);
    } else if (XMatchVisualInfo(d, scr, 24, TrueColor, &vi) ||
               XMatchVisualInfo(d, scr, 32, TrueColor, &vi) ||
               XMatchVisualInfo(d, scr, 16, TrueColor, &vi)) {
        *vis = vi.visual;
        *depth = vi.depth;
    } else {
        return false;
    }
    int n = 0;
    XPixmapFormatValues *f = XListPixmapFormats(d, &n);
    *bytes = 0;
    for (int i = 0; i < n; i++)
        if (f[i].depth == *depth && (f[i].bits_per_pixel == 16 || f[i].bits_per_pixel == 32))
            *bytes = f[i].bits_per_pixel / 8;
    if (f != nullptr)
        XFree(f);
    return *bytes != 0;
}

// A server may hang up on a connection that comes right after another one
// was closed (Xvfb does, now and then): so a few tries, where a display is named.
Display *open_display()
{
    const char *name = getenv("DISPLAY");
    for (int tries = 1;; tries++) {
        Display *d = XOpenDisplay(nullptr);
        if (d != nullptr || tries == 5 || name == nullptr || name[0] == '\0')
            return d;
        _GrSleepMs(10);
    }
}

Atom atom(const char *name) { return XInternAtom(conn.dpy, name, False); }

bool connect()
{
    Display *d = open_display();
    if (d == nullptr)
        return false;
    conn.dpy = d;
    conn.screen = DefaultScreen(d);
    if (!choose_visual(d, conn.screen, &conn.visual, &conn.depth, &conn.image_bytes)) {
        XCloseDisplay(d);
        conn.dpy = nullptr;
        return false;
    }
    const int errors = x_errors;
    const Window root = RootWindow(d, conn.screen);
    conn.cmap = conn.visual == DefaultVisual(d, conn.screen)
                    ? DefaultColormap(d, conn.screen)
                    : XCreateColormap(d, root, conn.visual, AllocNone);
    XSetWindowAttributes a{};
    a.background_pixel = 0;  // black on a true-colour visual
    a.border_pixel = 0;
    a.colormap = conn.cmap;
    a.event_mask = KeyPressMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                   ExposureMask | StructureNotifyMask;
    conn.win = XCreateWindow(d, root, 0, 0, 640, 480, 0, conn.depth, InputOutput, conn.visual,
                             CWBackPixel | CWBorderPixel | CWColormap | CWEventMask, &a);
    conn.wm_protocols = atom("WM_PROTOCOLS");
    conn.wm_delete = atom("WM_DELETE_WINDOW");
    conn.net_wm_name = atom("_NET_WM_NAME");
    conn.utf8 = atom("UTF8_STRING");
    name_window(conn.win, "PXL");
    XSetWMProtocols(d, conn.win, &conn.wm_delete, 1);
    const long pid = getpid();
    XChangeProperty(d, conn.win, atom("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&pid), 1);
    conn.gc = XCreateGC(d, conn.win, 0, nullptr);
    // the library draws its own pointer: none of the system's over the window
    const char nothing = 0;
    Pixmap pm = XCreateBitmapFromData(d, conn.win, &nothing, 1, 1);
    XColor black{};
    blank_cursor = XCreatePixmapCursor(d, pm, pm, &black, &black, 0, 0);
    XFreePixmap(d, pm);
    XDefineCursor(d, conn.win, blank_cursor);
    key_init();
    _GrWinPixelsInit(&conn.px, static_cast<uint32_t>(conn.visual->red_mask),
                     static_cast<uint32_t>(conn.visual->green_mask),
                     static_cast<uint32_t>(conn.visual->blue_mask));
    XSync(d, False);
    return x_errors == errors;
}

void disconnect()
{
    Display *d = conn.dpy;
    destroying = true;
    if (image != nullptr)
        XDestroyImage(image);
    image = nullptr;
    XFreeCursor(d, blank_cursor);
    XFreeGC(d, conn.gc);
    XDestroyWindow(d, conn.win);
    if (conn.cmap != DefaultColormap(d, conn.screen))
        XFreeColormap(d, conn.cmap);
    XCloseDisplay(d);
    conn = Conn{};
}

// ---------------------------------------------------------------- painting

void put(int x1, int y1, int x2, int y2)
{
    if (image == nullptr || !conn.mapped)
        return;
    // a rectangle outside the image is an error of the server
    if (x1 < 0) x1 = 0;
    if (y1 < 0) y1 = 0;
    if (x2 > image->width) x2 = image->width;
    if (y2 > image->height) y2 = image->height;
    if (x1 < x2 && y1 < y2)
        XPutImage(conn.dpy, conn.win, conn.gc, image, x1, y1, x1, y1,
                  static_cast<unsigned>(x2 - x1), static_cast<unsigned>(y2 - y1));
}

struct PaintBox {
    bool full;
    int x1, y1, x2, y2;
};

// With the frame locked: the dirty box (or all of it) into the image.
void convert(const _GR_winView *v, void *arg)
{
    PaintBox *b = static_cast<PaintBox *>(arg);
    if (v->palette_changed)
        _GrWinPixelsPalette(&conn.px, v->palette);
    if (image == nullptr || v->pixels == nullptr)
        return;
    const int w = v->width < image->width ? v->width : image->width;
    const int h = v->height < image->height ? v->height : image->height;
    b->x1 = b->full ? 0 : v->x1;
    b->y1 = b->full ? 0 : v->y1;
    b->x2 = b->full || v->x2 > w ? w : v->x2;
    b->y2 = b->full || v->y2 > h ? h : v->y2;
    _GrWinConvert(&conn.px, v, b->x1, b->y1, b->x2, b->y2,
                  reinterpret_cast<unsigned char *>(image->data), image->bytes_per_line,
                  conn.image_bytes);
}

void paint(bool full)
{
    PaintBox b{full, 0, 0, 0, 0};
    _GrWinPaint(convert, &b);
    last_paint = _GrClockMs();
    put(b.x1, b.y1, b.x2, b.y2);
    XFlush(conn.dpy);
}

// ---------------------------------------------------------------- requests

void finish_show()
{
    show_pending = false;
    Display *d = conn.dpy;
    if (conn.mapped) {
        // the window comes to the front with the keyboard
        XSetInputFocus(d, conn.win, RevertToParent, CurrentTime);
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = conn.win;
        ev.xclient.message_type = atom("_NET_ACTIVE_WINDOW");
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = 1;  // from an application
        XSendEvent(d, RootWindow(d, conn.screen), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    }
    paint(true);
    XSync(d, False);
    answer(1);
}

void show(int w, int h, int margin)
{
    Display *d = conn.dpy;
    // the client area goes to (margin, margin) and may not grow past w x h
    XSizeHints *hints = XAllocSizeHints();
    if (hints != nullptr) {
        hints->flags = PPosition | USPosition | PSize | USSize | PMaxSize | PWinGravity;
        hints->x = hints->y = margin;
        hints->width = hints->max_width = w;
        hints->height = hints->max_height = h;
        hints->win_gravity = StaticGravity;
        XSetWMNormalHints(d, conn.win, hints);
        XFree(hints);
    }
    XMoveResizeWindow(d, conn.win, margin, margin, static_cast<unsigned>(w),
                      static_cast<unsigned>(h));
    if (image == nullptr || image->width != w || image->height != h) {
        if (image != nullptr)
            XDestroyImage(image);
        image = new_image(w, h);
        if (image == nullptr) {
            answer(0);
            return;
        }
    }
    conn.width = w;
    conn.height = h;
    if (conn.mapped) {
        XRaiseWindow(d, conn.win);
        finish_show();
    } else {
        XMapRaised(d, conn.win);
        show_pending = true;
        show_deadline = _GrClockMs() + kMapWaitMs;
    }
}

void serve_request()
{
    Request r;
    {
        std::lock_guard<std::mutex> g(req_lock);
        if (request.what == REQ_NONE || request.taken)
            return;
        request.taken = true;
        r = request;
    }
    switch (r.what) {
    case REQ_SHOW:
        show(r.a, r.b, r.c);
        break;
    case REQ_HIDE:
        show_pending = false;
        XUnmapWindow(conn.dpy, conn.win);
        conn.mapped = false;
        XSync(conn.dpy, False);
        answer(1);
        break;
    case REQ_WARP:
        XWarpPointer(conn.dpy, None, conn.win, 0, 0, 0, 0, r.a, r.b);
        XFlush(conn.dpy);
        answer(1);
        break;
    case REQ_SYNC:
        paint_wanted = false;
        paint(false);
        XSync(conn.dpy, False);
        answer(1);
        break;
    case REQ_QUIT:
        quitting = true;  // answered once the connection is closed
        break;
    case REQ_NONE:
        break;
    }
}

// ---------------------------------------------------------------- events

int clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

void mouse(XEvent *ev)
{
    if (ev->type == MotionNotify) {
        const XMotionEvent &m = ev->xmotion;
        // during a drag the pointer is grabbed and may leave the window
        if (m.x < 0 || m.y < 0 || m.x >= conn.width || m.y >= conn.height)
            return;
        EnqueueW32Event(GR_W32_MOUSEMOVE, 0, GR_W32_POS(m.x, m.y), key_state(m.state));
        return;
    }
    const XButtonEvent &b = ev->xbutton;
    const bool down = ev->type == ButtonPress;
    // a release outside the window still ends the press
    const int64_t pos = GR_W32_POS(clamp(b.x, 0, conn.width - 1), clamp(b.y, 0, conn.height - 1));
    int msg;
    switch (b.button) {
    case Button1: msg = down ? GR_W32_LBUTTONDOWN : GR_W32_LBUTTONUP; break;
    case Button2: msg = down ? GR_W32_MBUTTONDOWN : GR_W32_MBUTTONUP; break;
    case Button3: msg = down ? GR_W32_RBUTTONDOWN : GR_W32_RBUTTONUP; break;
    case Button4:
    case Button5: {
        if (!down)
            return;  // a wheel notch is one press
        // the delta in the high word: +120 away from the user, -120 toward
        const uint16_t delta = static_cast<uint16_t>(b.button == Button4 ? 120 : -120);
        const uint64_t wparam = static_cast<uint64_t>(delta) << 16;
        // twice, as a press and a release of the wheel's button
        EnqueueW32Event(GR_W32_MOUSEWHEEL, wparam, pos, key_state(b.state));
        EnqueueW32Event(GR_W32_MOUSEWHEEL, wparam, pos, key_state(b.state));
        return;
    }
    default:
        return;
    }
    EnqueueW32Event(msg, 0, pos, key_state(b.state));
}

void dispatch(XEvent *ev)
{
    if (ask_window != 0 && ev->xany.window == ask_window) {
        ask_event(ev);
        return;
    }
    if (ev->xany.window != conn.win)
        return;
    switch (ev->type) {
    case Expose:
        put(ev->xexpose.x, ev->xexpose.y, ev->xexpose.x + ev->xexpose.width,
            ev->xexpose.y + ev->xexpose.height);
        break;
    case MapNotify:
        conn.mapped = true;
        if (show_pending)
            finish_show();
        break;
    case UnmapNotify:
        conn.mapped = false;
        break;
    case DestroyNotify:
        if (!destroying)
            _GrWinAbort();  // destroyed by another client
        break;
    case ClientMessage:
        // a second close while the question is up is ignored
        if (ev->xclient.message_type == conn.wm_protocols &&
            static_cast<Atom>(ev->xclient.data.l[0]) == conn.wm_delete && ask_window == 0)
            _GrWinCloseRequest();
        break;
    case KeyPress:
        if (ask_window == 0)
            key_press(&ev->xkey);
        break;
    case ButtonPress:
    case ButtonRelease:
    case MotionNotify:
        if (ask_window == 0)
            mouse(ev);
        break;
    default:
        break;
    }
}

bool quit_asked(void *) { return quitting; }

void *window_main(void *)
{
    const bool ok = connect();
    {
        std::lock_guard<std::mutex> g(req_lock);
        started = ok ? READY : FAILED;
        if (ok) {
            screen_w = DisplayWidth(conn.dpy, conn.screen);
            screen_h = DisplayHeight(conn.dpy, conn.screen);
        }
    }
    req_cv.notify_all();
    if (!ok)
        return nullptr;
    run_until(quit_asked, nullptr);
    disconnect();
    answer(1);
    return nullptr;
}

// ---------------------------------------------------------------- platform

int x_detect()
{
    init_xlib();
    Display *d = open_display();
    if (d == nullptr)
        return 0;
    Visual *vis;
    int depth, bytes;
    const bool ok = choose_visual(d, DefaultScreen(d), &vis, &depth, &bytes);
    XCloseDisplay(d);
    return ok;
}

int x_open(const char *, int *sw, int *sh)
{
    init_xlib();
    if (pipe2(wake_pipe, O_NONBLOCK | O_CLOEXEC) != 0)
        return 0;
    started = STARTING;
    request = Request{};
    quitting = destroying = paint_wanted = show_pending = false;
    if (pthread_create(&thread, nullptr, window_main, nullptr) != 0) {
        close(wake_pipe[0]);
        close(wake_pipe[1]);
        return 0;
    }
    std::unique_lock<std::mutex> g(req_lock);
    req_cv.wait(g, [] { return started != STARTING; });
    const bool ok = started == READY;
    *sw = screen_w;
    *sh = screen_h;
    g.unlock();
    if (!ok) {
        pthread_join(thread, nullptr);
        close(wake_pipe[0]);
        close(wake_pipe[1]);
        return 0;
    }
    owner = getpid();
    return 1;
}

void x_close()
{
    if (owner != getpid())
        return;  // a forked child leaves its parent's window alone
    post(REQ_QUIT);
    pthread_join(thread, nullptr);
    close(wake_pipe[0]);
    close(wake_pipe[1]);
    owner = 0;
}

int x_show(int w, int h, int margin) { return post(REQ_SHOW, w, h, margin); }
void x_hide() { post(REQ_HIDE); }

void x_present()
{
    if (owner == getpid())
        wake('p');
}

void x_sync() { post(REQ_SYNC); }
int x_ask_close() { return ask_close(); }
int x_mouse_present() { return 1; }  // the core pointer exists while connected
void x_warp(int x, int y) { post(REQ_WARP, x, y); }

constexpr _GR_winPlatform x11_platform()
{
    _GR_winPlatform p{};
    p.name = "x11";
    p.detect = x_detect;
    p.open = x_open;
    p.close = x_close;
    p.frame_new = _GrWinFrameCalloc;
    p.frame_free = _GrWinFrameRelease;
    p.show = x_show;
    p.hide = x_hide;
    p.present = x_present;
    p.sync = x_sync;
    p.ask_close = x_ask_close;
    p.mouse_present = x_mouse_present;
    p.warp = x_warp;
    return p;
}

}  // namespace

const struct _GR_winPlatform _GrWinPlatformX11 = x11_platform();

namespace x11 {

void run_until(bool (*done)(void *), void *arg)
{
    Display *d = conn.dpy;
    const int xfd = ConnectionNumber(d);
    while (!quitting && !done(arg)) {
        // events already read into Xlib's queue leave the socket quiet
        while (XPending(d) > 0 && !done(arg)) {
            XEvent ev;
            XNextEvent(d, &ev);
            dispatch(&ev);
        }
        serve_request();
        if (quitting || done(arg))
            break;
        int timeout = -1;
        const int64_t now = _GrClockMs();
        if (paint_wanted) {
            if (now - last_paint >= kPaintGapMs) {
                paint_wanted = false;
                paint(false);
            } else {
                timeout = static_cast<int>(kPaintGapMs - (now - last_paint));
            }
        }
        if (show_pending) {
            if (now >= show_deadline)
                finish_show();
            else if (timeout < 0 || show_deadline - now < timeout)
                timeout = static_cast<int>(show_deadline - now);
        }
        if (XPending(d) > 0)
            continue;
        pollfd fds[2] = {{xfd, POLLIN, 0}, {wake_pipe[0], POLLIN, 0}};
        poll(fds, 2, timeout);
        if (fds[1].revents & POLLIN) {
            char buf[64];
            ssize_t n;
            while ((n = read(wake_pipe[0], buf, sizeof buf)) > 0)
                paint_wanted = paint_wanted || memchr(buf, 'p', static_cast<size_t>(n)) != nullptr;
        }
    }
}

XImage *new_image(int w, int h)
{
    XImage *img = XCreateImage(conn.dpy, conn.visual, static_cast<unsigned>(conn.depth),
                               ZPixmap, 0, nullptr, static_cast<unsigned>(w),
                               static_cast<unsigned>(h), 32, 0);
    if (img == nullptr)
        return nullptr;
    img->data = static_cast<char *>(calloc(static_cast<size_t>(img->bytes_per_line),
                                           static_cast<size_t>(h)));
    if (img->data == nullptr) {
        XDestroyImage(img);
        return nullptr;
    }
    // pixels are stored in this machine's order; Xlib swaps them if the
    // server wants the other
    const uint16_t probe = 1;
    img->byte_order = *reinterpret_cast<const unsigned char *>(&probe) ? LSBFirst : MSBFirst;
    return img;
}

void name_window(Window w, const char *title)
{
    Display *d = conn.dpy;
    XStoreName(d, w, title);
    XChangeProperty(d, w, conn.net_wm_name, conn.utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(title),
                    static_cast<int>(strlen(title)));
    char name[] = "pxl", cls[] = "PXLCLASS";
    XClassHint hint;
    hint.res_name = name;
    hint.res_class = cls;
    XSetClassHint(d, w, &hint);
}

}  // namespace x11
