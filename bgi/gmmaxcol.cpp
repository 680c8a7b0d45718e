// The highest colour of a mode of the driver's list.
#include "libbgi.h"

int __gr_getmodemaxcolor(int mode)
{
    int w, h, c;
    if (!_GrBgiReady())
        return -1;
    if (!__gr_getmode_whc(mode, &w, &h, &c)) {
        __gr_Result = grInvalidMode;
        return -1;
    }
    return c - 1;
}

int getmodemaxcolor(int mode) { return __gr_getmodemaxcolor(mode); }
