// The memory video driver: a graphics mode is one block of ordinary memory,
// so the whole library runs without a display.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "libpxl.h"

namespace {

unsigned char *MemBuf = nullptr;
uint32_t MemBufSze = 0;

void FreeMemBuf()
{
    free(MemBuf);
    MemBuf = nullptr;
    MemBufSze = 0;
}

int mem_setmode(GrVideoMode *, int)
{
    return MemBuf != nullptr;
}

int dummymode(GrVideoMode *, int)
{
    FreeMemBuf();
    return 1;
}

int mem_setvsize(GrVideoMode *md, int w, int h, GrVideoMode *result);
int mem_scroll(GrVideoMode *md, int x, int y, int result[2]);

// A graphics mode in memory; the frame is the buffer, set when a mode is
// chosen. Channels: prec bits each, red and green at rpos and gpos, blue
// at 0.
constexpr GrVideoModeExt graphics_ext(enum _GR_frameModes mode, unsigned char prec,
                                      unsigned char rpos, unsigned char gpos)
{
    GrVideoModeExt e{};
    e.mode = mode;
    e.drv = nullptr;
    e.frame = nullptr;
    e.cprec[0] = e.cprec[1] = e.cprec[2] = prec;
    e.cpos[0] = rpos;
    e.cpos[1] = gpos;
    e.cpos[2] = 0;
    e.flags = GR_vmodeMemory;
    e.setup = mem_setmode;
    e.setvsize = mem_setvsize;
    e.scroll = mem_scroll;
    e.setbank = nullptr;
    e.setrwbanks = nullptr;
    e.loadcolor = nullptr;
    e.LFB_Selector = 0;
    return e;
}

// The text mode: nothing is drawn in it, so it has no frame; setting it
// gives the buffer up.
constexpr GrVideoModeExt text_ext()
{
    GrVideoModeExt e = graphics_ext(GR_frameText, 0, 0, 0);
    e.flags = 0;
    e.setup = dummymode;
    e.setvsize = nullptr;
    e.scroll = nullptr;
    return e;
}

constexpr GrVideoMode memory_mode(int bpp, int w, int h, int lineoffset, GrVideoModeExt *ext)
{
    GrVideoMode m{};
    m.present = 1;
    m.bpp = static_cast<signed char>(bpp);
    m.width = static_cast<short>(w);
    m.height = static_cast<short>(h);
    m.mode = 0;
    m.lineoffset = lineoffset;
    m.privdata = 0;
    m.extinfo = ext;
    return m;
}

GrVideoModeExt gr1ext = graphics_ext(GR_frameRAM1, 1, 0, 0);
GrVideoModeExt gr4ext = graphics_ext(GR_frameRAM4, 8, 0, 0);
GrVideoModeExt gr8ext = graphics_ext(GR_frameRAM8, 8, 0, 0);
GrVideoModeExt gr24ext = graphics_ext(GR_frameRAM24, 8, 16, 8);
GrVideoModeExt dummyExt = text_ext();

// the graphics sizes are set by selectmode for each request
GrVideoMode modes[] = {
    memory_mode(1, 640, 480, 80, &gr1ext),
    memory_mode(4, 640, 480, 320, &gr4ext),
    memory_mode(8, 640, 480, 640, &gr8ext),
    memory_mode(24, 640, 480, 1920, &gr24ext),
    memory_mode(1, 80, 25, 160, &dummyExt),
};

// Row bytes, rows and mode entry of a w x h frame at bpp; false when the
// depth is not offered or the frame driver could not address the plane.
struct Layout {
    int entry;
    int64_t lineoffset, size;
};

bool layout(int w, int h, int bpp, Layout *l)
{
    // the mode record holds sizes in 16 bits
    if (w <= 0 || h <= 0 || w > INT16_MAX || h > INT16_MAX)
        return false;
    int64_t rowbytes, rows = h;
    switch (bpp) {
    case 1:  l->entry = 0; rowbytes = (w + 7) / 8; break;
    case 4:  l->entry = 1; rowbytes = (w + 7) / 8; rows = 4 * static_cast<int64_t>(h); break;
    case 8:  l->entry = 2; rowbytes = w; break;
    case 24: l->entry = 3; rowbytes = 3 * static_cast<int64_t>(w); break;
    default: return false;
    }
    l->lineoffset = (rowbytes + 7) & ~int64_t{7};
    l->size = rows * l->lineoffset;
    // a plane the frame driver could not address is refused, not wrapped
    const _GR_frameDriver *fd = _GrFindFrameDriver(modes[l->entry].extinfo->mode);
    return fd != nullptr && l->size / (bpp == 4 ? 4 : 1) <= fd->max_plane_size &&
           l->size <= UINT32_MAX;
}

// A buffer of at least size bytes, cleared over size; false when it cannot
// grow (the old one is then given up too, or kept when asked to).
bool grow(int64_t size, bool keep_old)
{
    if (MemBuf == nullptr || MemBufSze < size) {
        void *p = realloc(MemBuf, static_cast<size_t>(size));
        if (p == nullptr) {
            if (!keep_old)
                FreeMemBuf();  // give the old buffer up rather than leak it
            return false;
        }
        MemBuf = static_cast<unsigned char *>(p);
        MemBufSze = static_cast<uint32_t>(size);
    }
    memset(MemBuf, 0, static_cast<size_t>(size));  // every new mode starts at cell 0
    return true;
}

GrVideoMode *mem_selectmode(GrVideoDriver *drv, int w, int h, int bpp, int txt,
                            unsigned int *ep)
{
    if (txt)
        return _gr_selectmode(drv, w, h, bpp, txt, ep);
    Layout l;
    if (!layout(w, h, bpp, &l))
        return nullptr;
    GrVideoMode &m = modes[l.entry];
    m.bpp = static_cast<signed char>(bpp);
    m.width = static_cast<short>(w);
    m.height = static_cast<short>(h);
    m.lineoffset = static_cast<int>(l.lineoffset);
    if (!grow(l.size, false))
        return nullptr;
    m.extinfo->frame = MemBuf;
    return _gr_selectmode(drv, w, h, bpp, 0, ep);
}

// A virtual screen larger than the mode, so that programs can draw into
// pages that are not shown (nothing is shown here anyway).
int mem_setvsize(GrVideoMode *md, int w, int h, GrVideoMode *result)
{
    Layout l;
    if (!layout(w, h, md->bpp, &l) || !grow(l.size, true))
        return 0;
    *result = *md;
    result->width = static_cast<short>(w);
    result->height = static_cast<short>(h);
    result->lineoffset = static_cast<int>(l.lineoffset);
    result->extinfo->frame = MemBuf;
    return 1;
}

int mem_scroll(GrVideoMode *, int x, int y, int result[2])
{
    result[0] = x;
    result[1] = y;
    return 1;
}

void mem_reset()
{
    if (_GrDriverInfo.restore_mode)
        FreeMemBuf();
}

constexpr GrVideoDriver record()
{
    GrVideoDriver d{};
    d.name = "memory";
    d.adapter = 9;
    d.parent = nullptr;
    d.modes = modes;
    d.mode_count = static_cast<int>(sizeof modes / sizeof modes[0]);
    d.detect = nullptr;  // chosen only by name
    d.init = nullptr;
    d.reset = mem_reset;
    d.selectmode = mem_selectmode;
    d.flags = 1;
    return d;
}

}  // namespace

GrVideoDriver _GrDriverMEM = record();
