// Runs one example program headless on the memory driver and compares the
// picture it shows when it closes graphics with a reviewed reference.
//   runner REFERENCE.png OUT.png   (keys for the program on standard input)
// Exits 0 when the pictures are equal. To renew a reference after a
// reviewed change, copy OUT.png over it.

#include <cstdio>
#include <cstring>
#include <vector>

#include "graphics.h"
#include "pngimage.h"

extern "C" int bgi_example_main(void);

namespace {

const char *out_png;
int saved = -1;

// The close hook: the visible page goes to the file, then text mode.
void save_and_close(void)
{
    GrContext page;
    const int top = GrDriverInfo->viewport_y;
    if (GrCreateSubContext(0, top, getmaxx(), top + getmaxy(), nullptr, &page) != nullptr)
        saved = GrSaveContextToPng(&page, out_png);
    __gr_restorecrtmode();
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: %s REFERENCE.png OUT.png < keys\n", argv[0]);
        return 2;
    }
    out_png = argv[2];
    if (!GrSetDriver("memory"))
        return 2;
    __gr_set_libbgi_init_hooks(nullptr, save_and_close);
    const int status = bgi_example_main();
    if (status != 0 || saved != 0) {
        fprintf(stderr, "the example ended with %d; picture saved: %d\n", status, saved);
        return 1;
    }
    PngImage now, ref;
    if (!now.read(argv[2]) || !ref.read(argv[1])) {
        fprintf(stderr, "cannot read %s or the reference %s\n", argv[2], argv[1]);
        return 1;
    }
    unsigned fx = 0, fy = 0;
    const long differ = now.differences(ref, &fx, &fy);
    if (differ < 0) {
        fprintf(stderr, "size %ux%u, reference %ux%u\n", now.w, now.h, ref.w, ref.h);
        return 1;
    }
    if (differ != 0) {
        fprintf(stderr, "%ld pixels differ, the first at (%u, %u)\n", differ, fx, fy);
        return 1;
    }
    return 0;
}
