// The layer's state, start-up and shut-down, modes, and its thin wrappers.
#include <cstring>

#include "libbgi.h"

int __gr_INIT = 0;
int __gr_Result = 0;
int __gr_Mode = 0;
int __gr_MaxMode = 0;
int __gr_ADAPTER = 0;
int __gr_BGI_w = 640, __gr_BGI_h = 480, __gr_BGI_c = 16, __gr_BGI_p = 1;
int __gr_Y_page_offs = 0;
int __gr_X = 0, __gr_Y = 0;
int __gr_color = 0, __gr_colorbg = 0, __gr_colorfill = 0;
int __gr_WR = 0;
int __gr_lstyle = 0;
GrCustomLineStyle __gr_Line = {0, 0, 0, nullptr};
int __gr_fpatno = 1;
GrPattern __gr_fillpattern = {0};
int __gr_vpl = 0, __gr_vpt = 0, __gr_vpr = 0, __gr_vpb = 0, __gr_clip = 1;
int __gr_Xasp = 10000, __gr_Yasp = 10000;
int __gr_TextLineStyle = 0;
char __gr_BGICHR[128] = "";

namespace {

void (*__gr_initgraph_hook)(int *, int *) = nullptr;
void (*__gr_closegraph_hook)(void) = nullptr;

// The mode with its size and colours, on two pages when they are wanted.
void set_size_mode(int w, int h, int c)
{
    if (__gr_BGI_p > 1 && h > 0 && h <= INT_MAX / 2) {
        GrSetMode(GR_mode_graphics_custom, w, h, c, w, 2 * h);
        __gr_BGI_p = 2;
    } else {
        GrSetMode(GR_mode_graphics_size_colors, w, h, c);
    }
}

}  // namespace

void __gr_set_libbgi_init_hooks(void (*init)(int *, int *), void (*close)(void))
{
    __gr_initgraph_hook = init;
    __gr_closegraph_hook = close;
}

int __gr_adaptcnv(int adapter)
{
    switch (adapter) {
    case 0: return VGA;
    case 1: return EGA;
    case 2: return HERCMONO;
    case 3: return IBM8514;
    default: return adapter;
    }
}

void __gr_initgraph(int *driver, int *mode)
{
    __gr_Result = grOk;
    if (__gr_initgraph_hook != nullptr) {
        __gr_initgraph_hook(driver, mode);
        if (__gr_Result != grOk) {
            __gr_INIT = 0;
            return;
        }
    } else if (!__gr_INIT) {
        __gr_set_up_modes();
        if (__gr_Result != grOk)
            return;
        if (*driver != PXL_DRIVER || *mode < 0 || *mode > __gr_MaxMode)
            *mode = 0;
        __gr_INIT = 1;
        setgraphmode(*mode);
        if (__gr_Result != grOk) {
            __gr_INIT = 0;
            return;
        }
    }
    *driver = *mode != 0 ? PXL_DRIVER : __gr_adaptcnv(__gr_ADAPTER);
}

void initgraph(int *driver, int *mode, const char *path)
{
    // a program may pass no variables at all: it gets mode 0
    int d = driver != nullptr ? *driver : DETECT, m = mode != nullptr ? *mode : 0;
    __gr_initgraph(&d, &m);
    if (driver != nullptr)
        *driver = d;
    if (mode != nullptr)
        *mode = m;
    // a directory that does not fit is refused: a cut one would be another
    if (path == nullptr || strlen(path) >= sizeof __gr_BGICHR)
        path = "";
    strcpy(__gr_BGICHR, path);
}

void setgraphmode(int mode)
{
    if (!_GrBgiReady())
        return;
    const _GR_driverInfo &di = _GrDriverInfo;
    switch (mode) {
    case 0:
        set_size_mode(di.default_graphics_width, di.default_graphics_height,
                      di.default_graphics_colors);
        break;
    case 1:
        GrSetMode(GR_mode_graphics_800x600);
        break;
    case 2:
        GrSetMode(GR_mode_graphics_largest);
        break;
    case 3:
        set_size_mode(__gr_BGI_w, __gr_BGI_h, __gr_BGI_c);
        break;
    default: {
        const struct _GR_bgiMode *m = mode > __gr_MaxMode ? nullptr : _GrBgiModeNode(mode - 4);
        if (m == nullptr) {
            __gr_Result = grInvalidMode;
            return;
        }
        set_size_mode(m->width, m->height, m->colors);
    }
    }
    // pages only where the screen below the window was granted
    if (di.active_mode.height < 2 * static_cast<int64_t>(di.current_mode->height))
        __gr_BGI_p = 1;
    __gr_Mode = mode;
    graphdefaults();
    GrClearScreen(0);
}

int getgraphmode(void)
{
    return _GrBgiReady() ? __gr_Mode : -1;
}

void graphdefaults(void)
{
    __gr_Result = grOk;
    __gr_X = __gr_Y = 0;
    __gr_colorfill = __gr_color = __gr_White();
    __gr_colorbg = 0;
    __gr_WR = 0;
    if (!_GrBgiReady())
        return;
    GrSetContext(nullptr);
    GrSetViewport(0, 0);
    const int w = _GrBgiWidth(), h = _GrBgiHeight();
    __gr_Y_page_offs = 0;
    __gr_vpl = __gr_vpt = 0;
    __gr_vpr = w - 1;
    __gr_vpb = h - 1;
    __gr_clip = 1;
    __gr_Xasp = 10000;
    __gr_Yasp = static_cast<int>(static_cast<int64_t>(w) * 30000 / (static_cast<int64_t>(h) * 4));
    __gr_lstyle = SOLID_LINE;
    __gr_Line.width = 1;
    __gr_Line.pattern_length = 0;
    __gr_Line.pattern = nullptr;
    __gr_fpatno = SOLID_FILL;
    __gr_fillpattern.bitmap.is_pixmap = 0;
    __gr_fillpattern.bitmap.rows = 8;
    __gr_fillpattern.bitmap.bits = __gr_fpatterns[SOLID_FILL];
    __gr_fillpattern.bitmap.fg = static_cast<GrColor>(__gr_color);
    __gr_fillpattern.bitmap.bg = static_cast<GrColor>(__gr_colorbg);
    __gr_TextLineStyle = 0;
}

void closegraph(void)
{
    if (__gr_closegraph_hook != nullptr) {
        __gr_closegraph_hook();
        __gr_set_libbgi_init_hooks(nullptr, nullptr);
    } else {
        __gr_restorecrtmode();
    }
    __gr_INIT = 0;
}

int getmaxx(void) { return _GrDriverInfo.current_mode->width - 1; }
int getmaxy(void) { return _GrDriverInfo.current_mode->height - 1; }

void __gr_Reset_ClipBox(void)
{
    const int off = __gr_Y_page_offs;
    if (__gr_clip)
        GrSetClipBox(__gr_vpl, _GrBgiAdd(__gr_vpt, off), __gr_vpr, _GrBgiAdd(__gr_vpb, off));
    else
        GrSetClipBox(0, off, getmaxx(), _GrBgiAdd(getmaxy(), off));
}

// ---- position ----

void moveto(int x, int y)
{
    __gr_X = x;
    __gr_Y = y;
}

void moverel(int dx, int dy)
{
    __gr_X = _GrBgiAdd(__gr_X, dx);
    __gr_Y = _GrBgiAdd(__gr_Y, dy);
}

int getx(void) { return __gr_X; }
int gety(void) { return __gr_Y; }

// ---- colours ----

void setcolor(int c) { __gr_color = c; }
int getcolor(void) { return __gr_color; }
void setbkcolor(int c) { __gr_colorbg = c; }
int getbkcolor(void) { return __gr_colorbg; }

int __gr_White(void)
{
    if (GrColorInfo->numcolors <= 256)
        return 15;
    return static_cast<int>(GrColorInfo->white != GR_NOCOLOR ? GrColorInfo->white : GrWhite());
}
