// testcard: draws the library's test card into a PNG file.
//   testcard WIDTH HEIGHT BPP OUT.png
#include <cstdio>
#include <cstdlib>

#include "card.h"
#include "pxl.h"

int main(int argc, char **argv)
{
    if (argc != 5) {
        fprintf(stderr, "usage: %s WIDTH HEIGHT BPP OUT.png\n", argv[0]);
        return 2;
    }
    const int w = atoi(argv[1]), h = atoi(argv[2]), bpp = atoi(argv[3]);
    if (testcard_draw(w, h, bpp) != 0 || GrSaveContextToPng(nullptr, argv[4]) != 0) {
        fprintf(stderr, "%s: could not draw or write %s\n", argv[0], argv[4]);
        return 1;
    }
    return 0;
}
