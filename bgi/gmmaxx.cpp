// Width and height of a mode of the driver's list.
#include "libbgi.h"

int __gr_getmodemaxx(int mode)
{
    int w, h, c;
    return _GrBgiListMode(mode, &w, &h, &c) ? w - 1 : -1;
}

int getmodemaxx(int mode) { return __gr_getmodemaxx(mode); }

int getmodemaxy(int mode)
{
    int w, h, c;
    return _GrBgiListMode(mode, &w, &h, &c) ? h - 1 : -1;
}
