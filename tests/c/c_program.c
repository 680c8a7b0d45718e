/* A plain C program against the public headers: they must compile as C
 * and link with the C++ libraries. Exits 0 when all checks hold. */
#include <stdio.h>
#include <string.h>

#include "liboxant.h"
#include "pxl.h"

int main(void)
{
    char out[OXA_PATH_SIZE];
    char drive[OXA_DRIVE_SIZE], dir[OXA_DIR_SIZE], file[OXA_FILE_SIZE], ext[OXA_EXT_SIZE];
    GrColor c = GR_XOR | 5U;
    int fails = 0;

    if (explode_path("data/run1.txt", drive, dir, file, ext) != 0 ||
        combine_path(out, drive, dir, file, ".png") != 0 ||
        strcmp(out, "data/run1.png") != 0) {
        fprintf(stderr, "path functions: got \"%s\"\n", out);
        fails++;
    }
    if (GrDriverInfo->default_graphics_width != 640 ||
        GrDriverInfo->errors_fatal != 1) {
        fprintf(stderr, "driver state not initialised\n");
        fails++;
    }
    if ((c & GR_MODEMASK) != GR_XOR || (c & GR_VALUEMASK) != 5U ||
        GR_NOCOLOR != GR_XOR || sizeof(GrColor) != 4) {
        fprintf(stderr, "colour encoding\n");
        fails++;
    }
    if (GrContextInfo->current.gc_frame.gf_onscreen < 0 || GrMouseInfo->must_check != 0) {
        fprintf(stderr, "context or mouse state\n");
        fails++;
    }
    return fails != 0;
}
