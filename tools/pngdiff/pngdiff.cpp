// pngdiff A.png B.png [SKIP_Y0 SKIP_Y1]: counts the pixels in which two
// pictures differ, leaving out the rows SKIP_Y0 to SKIP_Y1 (a line that
// differs by machine, such as a file's absolute path).
// Exit status: 0 equal, 1 different, 2 unreadable.
#include <cstdio>
#include <cstdlib>

#include "pngimage.h"

int main(int argc, char *argv[])
{
    if (argc != 3 && argc != 5) {
        fprintf(stderr, "usage: pngdiff A.png B.png [SKIP_Y0 SKIP_Y1]\n");
        return 2;
    }
    PngImage a, b;
    if (!a.read(argv[1]) || !b.read(argv[2])) {
        fprintf(stderr, "pngdiff: cannot read %s\n", a.w == 0 ? argv[1] : argv[2]);
        return 2;
    }
    unsigned x = 0, y = 0;
    const long d = argc == 5 ? a.differences(b, &x, &y, atoi(argv[3]), atoi(argv[4]))
                             : a.differences(b, &x, &y);
    if (d < 0)
        printf("sizes differ: %ux%u and %ux%u\n", a.w, a.h, b.w, b.h);
    else if (d > 0)
        printf("%ld pixels differ, the first at (%u, %u)\n", d, x, y);
    else
        printf("0 pixels differ\n");
    return d == 0 ? 0 : 1;
}
