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

GrVideoModeExt gr1ext = {GR_frameRAM1, nullptr, nullptr, {1, 1, 1}, {0, 0, 0},
                         GR_vmodeMemory, mem_setmode, nullptr, nullptr, nullptr,
                         nullptr, nullptr, 0};
GrVideoModeExt gr4ext = {GR_frameRAM4, nullptr, nullptr, {8, 8, 8}, {0, 0, 0},
                         GR_vmodeMemory, mem_setmode, nullptr, nullptr, nullptr,
                         nullptr, nullptr, 0};
GrVideoModeExt gr8ext = {GR_frameRAM8, nullptr, nullptr, {8, 8, 8}, {0, 0, 0},
                         GR_vmodeMemory, mem_setmode, nullptr, nullptr, nullptr,
                         nullptr, nullptr, 0};
GrVideoModeExt gr24ext = {GR_frameRAM24, nullptr, nullptr, {8, 8, 8}, {16, 8, 0},
                          GR_vmodeMemory, mem_setmode, nullptr, nullptr, nullptr,
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

GrVideoMode *mem_selectmode(GrVideoDriver *drv, int w, int h, int bpp, int txt,
                            unsigned int *ep)
{
    if (txt)
        return _gr_selectmode(drv, w, h, bpp, txt, ep);
    // the mode record holds sizes in 16 bits
    if (w <= 0 || h <= 0 || w > INT16_MAX || h > INT16_MAX)
        return nullptr;
    int entry;
    int64_t rowbytes, rows = h;
    switch (bpp) {
    case 1:  entry = 0; rowbytes = (w + 7) / 8; break;
    case 4:  entry = 1; rowbytes = (w + 7) / 8; rows = 4 * static_cast<int64_t>(h); break;
    case 8:  entry = 2; rowbytes = w; break;
    case 24: entry = 3; rowbytes = 3 * static_cast<int64_t>(w); break;
    default: return nullptr;
    }
    const int64_t lineoffset = (rowbytes + 7) & ~int64_t{7};
    const int64_t size = rows * lineoffset;
    // a plane the frame driver could not address is refused, not wrapped
    const _GR_frameDriver *fd = _GrFindFrameDriver(modes[entry].extinfo->mode);
    if (fd == nullptr || size / (bpp == 4 ? 4 : 1) > fd->max_plane_size ||
        size > UINT32_MAX)
        return nullptr;
    GrVideoMode &m = modes[entry];
    m.bpp = static_cast<signed char>(bpp);
    m.width = static_cast<short>(w);
    m.height = static_cast<short>(h);
    m.lineoffset = static_cast<int>(lineoffset);

    if (MemBuf == nullptr || MemBufSze < size) {
        void *p = realloc(MemBuf, static_cast<size_t>(size));
        if (p == nullptr) {
            FreeMemBuf();  // give the old buffer up rather than leak it
            return nullptr;
        }
        MemBuf = static_cast<unsigned char *>(p);
        MemBufSze = static_cast<uint32_t>(size);
    }
    memset(MemBuf, 0, static_cast<size_t>(size));  // every new mode starts at cell 0
    m.extinfo->frame = MemBuf;
    return _gr_selectmode(drv, w, h, bpp, 0, ep);
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
