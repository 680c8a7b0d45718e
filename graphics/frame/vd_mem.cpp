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

GrVideoModeExt gr1ext = {GR_frameRAM1, nullptr, nullptr, {1, 1, 1}, {0, 0, 0},
                         GR_vmodeMemory, mem_setmode, mem_setvsize, mem_scroll, nullptr,
                         nullptr, nullptr, 0};
GrVideoModeExt gr4ext = {GR_frameRAM4, nullptr, nullptr, {8, 8, 8}, {0, 0, 0},
                         GR_vmodeMemory, mem_setmode, mem_setvsize, mem_scroll, nullptr,
                         nullptr, nullptr, 0};
GrVideoModeExt gr8ext = {GR_frameRAM8, nullptr, nullptr, {8, 8, 8}, {0, 0, 0},
                         GR_vmodeMemory, mem_setmode, mem_setvsize, mem_scroll, nullptr,
                         nullptr, nullptr, 0};
GrVideoModeExt gr24ext = {GR_frameRAM24, nullptr, nullptr, {8, 8, 8}, {16, 8, 0},
                          GR_vmodeMemory, mem_setmode, mem_setvsize, mem_scroll, nullptr,
                          nullptr, nullptr, 0};
// never drawn into: the address only marks the text screen
GrVideoModeExt dummyExt = {GR_frameText, nullptr,
                           reinterpret_cast<unsigned char *>(static_cast<uintptr_t>(0xB8000)),
                           {0, 0, 0}, {0, 0, 0}, 0, dummymode, nullptr, nullptr,
                           nullptr, nullptr, nullptr, 0};

GrVideoMode modes[] = {
    {1, 1, 640, 480, 0, 80, 0, &gr1ext},
    {1, 4, 640, 480, 0, 320, 0, &gr4ext},
    {1, 8, 640, 480, 0, 640, 0, &gr8ext},
    {1, 24, 640, 480, 0, 1920, 0, &gr24ext},
    {1, 1, 80, 25, 0, 160, 0, &dummyExt},
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

}  // namespace

GrVideoDriver _GrDriverMEM = {
    "memory",                               // name
    9,                                      // adapter
    nullptr,                                // parent
    modes,                                  // modes
    static_cast<int>(sizeof modes / sizeof modes[0]),  // mode_count
    nullptr,                                // detect: chosen only by name
    nullptr,                                // init
    mem_reset,                              // reset
    mem_selectmode,                         // selectmode
    1,                                      // flags
};
