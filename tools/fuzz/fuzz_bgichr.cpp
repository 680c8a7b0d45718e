// libFuzzer target for the BGI layer's stroke font loader: the input is a
// .chr file. It is installed as a user font, selected at a few sizes and
// in both directions, measured and drawn, then dropped again.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "libbgi.h"

static int fd = -1;
static char path[64];

static void unlink_path(void) { unlink(path); }

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // a file in memory, under a name that ends in .chr as font names do
    char target[64];
    fd = memfd_create("font", 0);
    if (fd < 0 || !GrSetDriver("memory"))
        return 1;
    snprintf(target, sizeof target, "/proc/self/fd/%d", fd);
    snprintf(path, sizeof path, "/tmp/fuzz-bgichr-%d.chr", (int)getpid());
    unlink(path);
    if (symlink(target, path) != 0)
        return 1;
    atexit(unlink_path);
    int gd, gm;
    set_BGI_mode_whc(&gd, &gm, 160, 120, 256);
    initgraph(&gd, &gm, "");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const char text[] = " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                               "[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~\x7f\x80\xff";
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != (ssize_t)size)
        return 0;
    const int slot = installuserfont(path);
    if (slot < GR_BGI_FIRSTSTROKE || slot > GR_BGI_LASTSTROKE)
        return 0;
    static const int styles[][3] = {{HORIZ_DIR, 1, 0}, {VERT_DIR, 10, 1}, {HORIZ_DIR, 0, 2}};
    for (const int *st : styles) {
        settextstyle(slot, st[0], st[1]);
        settextjustify(st[2], st[2]);
        textwidth(text);
        textheight(text);
        outtextxy(80, 60, text);
    }
    // the layer never lets a font go; the fuzzer must
    struct _GR_bgiSlot &s = _GrBgiSlots[slot];
    if (s.owned)
        free(__gr_text_Fonts[slot]);
    free(s.chi);
    s = _GR_bgiSlot{};
    __gr_text_Fonts[slot] = nullptr;
    __gr_text_fntptr = nullptr;
    settextstyle(DEFAULT_FONT, HORIZ_DIR, 1);
    graphresult();
    return 0;
}
