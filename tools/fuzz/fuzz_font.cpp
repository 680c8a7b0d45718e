// libFuzzer target for one font file driver (FUZZ_DRIVER): the input is
// the font file. It is opened and read as the loader reads it, and built
// as it is and with a few conversions.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>

#include "libpxl.h"

static int fd = -1;
static char path[64];

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // a file in memory: the drivers read through the file system all the same
    fd = memfd_create("font", 0);
    if (fd < 0)
        return 1;
    snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const int conversions[][5] = {
        {0, 0, 0, 0, 0},
        {GR_FONTCVT_SCALE | GR_FONTCVT_EMBOLDEN, 11, 13, 0, 0},
        {GR_FONTCVT_SLANT | GR_FONTCVT_PROPORTIONAL | GR_FONTCVT_CHARRANGE, 0, 0, 60, 70},
        {GR_FONTCVT_FIXED | GR_FONTCVT_SCALE, 3, 40, 0, 0},
    };
    const _GR_fontDriver &d = FUZZ_DRIVER;
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != (ssize_t)size)
        return 0;
    char name[100], family[100];
    _GR_fontHeader h{};
    h.name = name;
    h.family = family;
    if (d.openfile(path) && d.header(&h)) {
        for (const int *c : conversions) {
            GrFont *f = _GrBuildFont(&h, c[0], c[1], c[2], c[3], c[4], d.charwdt, d.bitmap,
                                     d.scalable);
            if (f != nullptr)
                GrBuildAuxiliaryBitmap(f, (int)f->h.minchar, 1, 1);
            GrUnloadFont(f);
        }
        d.charwdt(-1);
        d.charwdt(1 << 20);
    }
    d.cleanup();
    return 0;
}
