// The windowed video driver: the screen in a window of its own, on any
// window system that has a back end (winplat.h). Everything here is shared
// by the back ends: the mode table, mode setting, the screen frame, the
// palette, the dirty box and what happens when the user closes the window.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "w32inp.h"
#include "winplat.h"

namespace {

const _GR_winPlatform *plat = nullptr;  // the back end in use; null when closed
int maxScreenWidth = 0, maxScreenHeight = 0;
// set while reset closes the window: the window thread then asks nothing
std::atomic<int> isMainWaitingTermination{0};

// What the window paints from, all under frame_lock.
struct Screen {
    unsigned char *pixels = nullptr;
    int width = 0, height = 0, bpp = 0, lineoffset = 0;
    uint32_t palette[256] = {};
    bool palette_changed = false;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;     // dirty box, empty when x1 >= x2
};
std::mutex frame_lock;
Screen screen;

bool box_empty() { return screen.x1 >= screen.x2; }

// Adds a box to the dirty box (frame_lock held); true when the box was
// empty before, so the window has yet to hear of it.
bool mark(int x1, int y1, int x2, int y2)
{
    if (box_empty()) {
        screen.x1 = x1; screen.y1 = y1; screen.x2 = x2; screen.y2 = y2;
        return true;
    }
    if (x1 < screen.x1) screen.x1 = x1;
    if (y1 < screen.y1) screen.y1 = y1;
    if (x2 > screen.x2) screen.x2 = x2;
    if (y2 > screen.y2) screen.y2 = y2;
    return false;
}

void present_if(bool news)
{
    if (news && plat != nullptr)
        plat->present();
}

// Puts a new frame (or none) on show, all black, and frees the old one.
void swap_frame(unsigned char *pixels, int w, int h, int bpp, int lineoffset)
{
    unsigned char *old;
    {
        std::lock_guard<std::mutex> g(frame_lock);
        old = screen.pixels;
        screen.pixels = pixels;
        screen.width = w;
        screen.height = h;
        screen.bpp = bpp;
        screen.lineoffset = lineoffset;
        for (uint32_t &c : screen.palette)
            c = 0;
        screen.palette_changed = true;
        screen.x1 = screen.y1 = screen.x2 = screen.y2 = 0;
        if (pixels != nullptr)
            mark(0, 0, w, h);
    }
    if (old != nullptr)
        plat->frame_free(old);
}

// ---------------------------------------------------------------- modes

int setmode(GrVideoMode *md, int noclear);
void loadcolor(int c, int r, int g, int b);
void setbank_dummy(int) {}

constexpr GrVideoModeExt mode_ext(enum _GR_frameModes mode, unsigned char rpos,
                                  unsigned char bpos, bool graphics, bool palette)
{
    GrVideoModeExt e{};
    e.mode = mode;
    e.drv = nullptr;
    e.frame = nullptr;
    const unsigned char prec = graphics ? 8 : 0;
    e.cprec[0] = e.cprec[1] = e.cprec[2] = prec;
    e.cpos[0] = rpos;
    e.cpos[1] = graphics ? 8 : 0;
    e.cpos[2] = bpos;
    e.flags = 0;
    e.setup = setmode;
    e.setvsize = nullptr;
    e.scroll = nullptr;
    e.setbank = graphics ? setbank_dummy : nullptr;
    e.setrwbanks = nullptr;
    e.loadcolor = palette ? loadcolor : nullptr;
    e.LFB_Selector = 0;
    return e;
}

GrVideoModeExt pxlwinext8 = mode_ext(GR_frameWIN32_8, 0, 16, true, true);
GrVideoModeExt pxlwinext24 = mode_ext(GR_frameWIN32_24, 16, 0, true, false);  // blue low
GrVideoModeExt grtextext = mode_ext(GR_frameText, 0, 0, false, false);

constexpr GrVideoMode mode_entry(int bpp, int w, int h, int lineoffset, int privdata,
                                 GrVideoModeExt *ext)
{
    GrVideoMode m{};
    m.present = ext != nullptr;
    m.bpp = static_cast<signed char>(bpp);
    m.width = static_cast<short>(w);
    m.height = static_cast<short>(h);
    m.mode = 0;
    m.lineoffset = lineoffset;
    m.privdata = privdata;
    m.extinfo = ext;
    return m;
}
#define SIZES(X) X(320, 240) X(640, 480) X(800, 600) X(1024, 768) X(1280, 1024) \
                 X(1600, 1200) X(1440, 900) X(1680, 1050) X(1920, 1200) X(2560, 1600)
#define MODE8(w, h) mode_entry(8, w, h, w, 0, &pxlwinext8),
#define MODE24(w, h) mode_entry(24, w, h, 3 * (w), 0, &pxlwinext24),
enum { CUSTOM = 21, MODE_COUNT = 22 };
GrVideoMode modes[MODE_COUNT] = {
    mode_entry(8, 80, 25, 80, 1, &grtextext),
    SIZES(MODE8)
    SIZES(MODE24)
    mode_entry(0, 9999, 9999, 0, 0, nullptr),  // a size the table lacks
};
#undef MODE8
#undef MODE24
#undef SIZES

GrVideoMode *_w32_selectmode(GrVideoDriver *drv, int w, int h, int bpp, int txt,
                             unsigned int *ep)
{
    if (txt)
        return _gr_selectmode(drv, w, h, bpp, txt, ep);
    bool listed = false;
    for (int i = 1; i < CUSTOM && !listed; i++)
        listed = modes[i].present && modes[i].width == w && modes[i].height == h;
    // w and h fit the screen, so also the 16-bit fields of the record
    if (!listed && w > 0 && h > 0 && w <= maxScreenWidth && h <= maxScreenHeight) {
        GrVideoMode &m = modes[CUSTOM];
        const bool deep = bpp > 8;
        // a size whose set-up failed stays unusable, as listed modes do;
        // filling it again would have mode setting try it for ever
        if (!m.present && m.width == w && m.height == h && m.bpp == (deep ? 24 : 8))
            return _gr_selectmode(drv, w, h, bpp, 0, ep);
        m.present = 1;
        m.width = static_cast<short>(w);
        m.height = static_cast<short>(h);
        m.bpp = deep ? 24 : 8;
        m.extinfo = deep ? &pxlwinext24 : &pxlwinext8;
        m.lineoffset = ((deep ? 3 * w : w) + 3) & ~3;
    }
    return _gr_selectmode(drv, w, h, bpp, 0, ep);
}

int host_mouse_present() { return plat != nullptr && plat->mouse_present(); }
void host_warp(int x, int y)
{
    if (plat != nullptr)
        plat->warp(x, y);
}
const _GR_inputHost inputhost = {host_mouse_present, host_warp};

int setmode(GrVideoMode *md, int)
{
    pxlwinext8.frame = pxlwinext24.frame = nullptr;
    if (md->extinfo->mode == GR_frameText) {
        // input falls back to the console while the window is hidden
        _GrInputHost = nullptr;
        plat->hide();
        swap_frame(nullptr, 0, 0, 0, 0);
        return 1;
    }
    const int w = md->width, h = md->height;
    unsigned char *pixels = plat->frame_new(w, h, md->bpp, md->lineoffset);
    if (pixels == nullptr)
        return 0;
    swap_frame(pixels, w, h, md->bpp, md->lineoffset);
    md->extinfo->frame = pixels;
    const int margin = w == maxScreenWidth && h == maxScreenHeight ? 0 : 50;
    if (!plat->show(w, h, margin))
        return 0;
    _GrInputHost = &inputhost;
    return 1;
}

void loadcolor(int c, int r, int g, int b)
{
    if (c < 0 || c > 255)
        return;
    bool news;
    {
        std::lock_guard<std::mutex> g_(frame_lock);
        screen.palette[c] = (static_cast<uint32_t>(r & 255) << 16) |
                            (static_cast<uint32_t>(g & 255) << 8) |
                            static_cast<uint32_t>(b & 255);
        screen.palette_changed = true;
        news = mark(0, 0, screen.width, screen.height);
    }
    present_if(news);
}

// ---------------------------------------------------------------- driver

int win_init(const _GR_winPlatform *p, const char *options)
{
    plat = p;  // before the window thread starts: it reads plat
    int sw = 0, sh = 0;
    if (!p->open(options, &sw, &sh)) {
        plat = nullptr;
        return 0;
    }
    maxScreenWidth = sw;
    maxScreenHeight = sh;
    for (int i = 1; i < CUSTOM; i++)
        if (modes[i].width > sw || modes[i].height > sh)
            modes[i].present = 0;
    return 1;
}

void reset()
{
    if (plat == nullptr)
        return;
    _GrInputHost = nullptr;
    isMainWaitingTermination = 1;
    plat->close();
    isMainWaitingTermination = 0;
    swap_frame(nullptr, 0, 0, 0, 0);
    pxlwinext8.frame = pxlwinext24.frame = nullptr;
    plat = nullptr;
}

template <const _GR_winPlatform *P> int detect_on() { return P->detect(); }
template <const _GR_winPlatform *P> int init_on(const char *options)
{
    return win_init(P, options);
}

// One driver record a window system; they share the mode table, since
// only one driver is in use at a time.
template <const _GR_winPlatform *P>
constexpr GrVideoDriver windowed_driver(const char *name)
{
    GrVideoDriver d{};
    d.name = name;
    d.adapter = 6;
    d.parent = nullptr;
    d.modes = modes;
    d.mode_count = MODE_COUNT;
    d.detect = detect_on<P>;
    d.init = init_on<P>;
    d.reset = reset;
    d.selectmode = _w32_selectmode;
    d.flags = 1;
    return d;
}

}  // namespace

#ifdef PXL_WITH_X11
GrVideoDriver _GrVideoDriverX11 = windowed_driver<&_GrWinPlatformX11>("x11");
#endif
#ifdef PXL_WITH_WIN32
GrVideoDriver _GrVideoDriverWIN32 = windowed_driver<&_GrWinPlatformWin32>("win32");
#endif
GrVideoDriver _GrVideoDriverHeadless = windowed_driver<&_GrWinPlatformHeadless>("headless");

// Drawing nests where a generic helper draws through the driver again
// (a keyed copy pixel by pixel): the outermost operation holds the lock
// and tells the window.
namespace {
int draw_depth = 0;         // main thread only
bool draw_news = false;
}  // namespace

void _GrWinFrameLock(void)
{
    if (draw_depth++ == 0) {
        frame_lock.lock();
        draw_news = false;
    }
}

void _GrWinFrameUnlock(int x1, int y1, int x2, int y2)
{
    if (mark(x1, y1, x2, y2))
        draw_news = true;
    if (--draw_depth > 0)
        return;
    frame_lock.unlock();
    present_if(draw_news);
}

void _GrWinSync(void)
{
    if (plat != nullptr)
        plat->sync();
}

int _GrWinPaint(void (*paint)(const _GR_winView *v, void *arg), void *arg)
{
    std::lock_guard<std::mutex> g(frame_lock);
    _GR_winView v;
    v.pixels = screen.pixels;
    v.width = screen.width;
    v.height = screen.height;
    v.bpp = screen.bpp;
    v.lineoffset = screen.lineoffset;
    v.palette = screen.palette;
    v.palette_changed = screen.palette_changed;
    // marks come from clipped drawing; keep the box inside the frame anyway
    v.x1 = screen.x1 < 0 ? 0 : screen.x1;
    v.y1 = screen.y1 < 0 ? 0 : screen.y1;
    v.x2 = screen.x2 > screen.width ? screen.width : screen.x2;
    v.y2 = screen.y2 > screen.height ? screen.height : screen.y2;
    if (v.y1 >= v.y2)
        v.x2 = v.x1;
    const bool any = v.x1 < v.x2 || v.palette_changed;
    paint(&v, arg);
    screen.x1 = screen.y1 = screen.x2 = screen.y2 = 0;
    screen.palette_changed = false;
    return any;
}

void _GrWinAbort(void)
{
    fflush(stdout);
    fflush(stderr);
    _Exit(1);
}

void _GrWinCloseRequest(void)
{
    // a close that reset asked for needs no question
    if (isMainWaitingTermination || !plat->ask_close())
        return;
    if (!isMainWaitingTermination)
        _GrWinAbort();
}

unsigned char *_GrWinFrameCalloc(int, int h, int, int lineoffset)
{
    return static_cast<unsigned char *>(
        calloc(static_cast<size_t>(h), static_cast<size_t>(lineoffset)));
}

void _GrWinFrameRelease(unsigned char *frame)
{
    free(frame);
}
