// Moving the visible part of a virtual screen.
#include "libpxl.h"

int GrSetViewport(int x, int y)
{
    const GrVideoMode &a = _GrDriverInfo.active_mode;
    const GrVideoMode *p = _GrDriverInfo.current_mode;
    if (p == nullptr || p->width + p->height >= a.width + a.height ||
        a.extinfo == nullptr || a.extinfo->scroll == nullptr)
        return 0;
    const int xmax = a.width - p->width, ymax = a.height - p->height;
    x = x < 0 ? 0 : x > xmax ? xmax : x;
    y = y < 0 ? 0 : y > ymax ? ymax : y;
    if (x == _GrDriverInfo.viewport_x && y == _GrDriverInfo.viewport_y)
        return 1;
    int reached[2];
    if (!a.extinfo->scroll(&_GrDriverInfo.active_mode, x, y, reached))
        return 0;
    _GrDriverInfo.viewport_x = reached[0];
    _GrDriverInfo.viewport_y = reached[1];
    return 1;
}
