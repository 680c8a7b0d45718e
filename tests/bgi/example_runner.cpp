// Runs one example program headless on the memory driver and compares the
// picture it shows when it closes graphics with a reviewed reference.
//   runner REFERENCE.png OUT.png   (keys for the program on standard input)
// Exits 0 when the pictures are equal. To renew a reference after a
// reviewed change, copy OUT.png over it.
#include <png.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "graphics.h"

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

bool read_png(const char *path, png_image *pi, std::vector<unsigned char> *rgb)
{
    memset(pi, 0, sizeof *pi);
    pi->version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(pi, path))
        return false;
    pi->format = PNG_FORMAT_RGB;
    rgb->resize(PNG_IMAGE_SIZE(*pi));
    return png_image_finish_read(pi, nullptr, rgb->data(), 0, nullptr) != 0;
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
    png_image a, b;
    std::vector<unsigned char> now, ref;
    if (!read_png(argv[2], &a, &now) || !read_png(argv[1], &b, &ref)) {
        fprintf(stderr, "cannot read %s or the reference %s\n", argv[2], argv[1]);
        return 1;
    }
    if (a.width != b.width || a.height != b.height) {
        fprintf(stderr, "size %ux%u, reference %ux%u\n", a.width, a.height, b.width, b.height);
        return 1;
    }
    size_t differ = 0, first = 0;
    for (size_t i = 0; i < now.size() / 3; i++)
        if (memcmp(&now[3 * i], &ref[3 * i], 3) != 0 && differ++ == 0)
            first = i;
    if (differ != 0) {
        fprintf(stderr, "%zu pixels differ, the first at (%zu, %zu)\n", differ, first % a.width,
                first / a.width);
        return 1;
    }
    return 0;
}
