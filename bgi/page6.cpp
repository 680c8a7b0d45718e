// Mode 3 of a given size and colour count, on one page.
#include "libbgi.h"

void set_BGI_mode_whc(int *driver, int *mode, int width, int height, int colors)
{
    __gr_set_BGI_mode_pages(1);
    __gr_BGI_w = width;
    __gr_BGI_h = height;
    __gr_BGI_c = colors;
    *driver = PXL_DRIVER;
    *mode = 3;
}
