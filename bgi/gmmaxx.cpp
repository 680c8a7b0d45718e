// Width and height of a mode of the driver's list.
#include "libbgi.h"

namespace {

// w - 1 or h - 1 of list mode `mode`, or -1 with the code set
int mode_side(int mode, bool height)
{
    int w, h, c;
    if (!_GrBgiReady())
        return -1;
    if (!__gr_getmode_whc(mode, &w, &h, &c)) {
        __gr_Result = grInvalidMode;
        return -1;
    }
    return (height ? h : w) - 1;
}

}  // namespace

int __gr_getmodemaxx(int mode) { return mode_side(mode, false); }
int getmodemaxx(int mode) { return mode_side(mode, false); }
int getmodemaxy(int mode) { return mode_side(mode, true); }
