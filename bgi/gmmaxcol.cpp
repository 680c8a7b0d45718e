// The highest colour of a mode of the driver's list.
#include "libbgi.h"

int __gr_getmodemaxcolor(int mode)
{
    int w, h, c;
    return _GrBgiListMode(mode, &w, &h, &c) ? c - 1 : -1;
}

int getmodemaxcolor(int mode) { return __gr_getmodemaxcolor(mode); }
