// Black and white of the current mode, allocated on first use.
#include "libpxl.h"

GrColor GrBlack(void)
{
    if (_GrColorInfo.black == GR_NOCOLOR)
        _GrColorInfo.black = GrAllocColor(0, 0, 0);
    return _GrColorInfo.black;
}

GrColor GrWhite(void)
{
    if (_GrColorInfo.white == GR_NOCOLOR)
        _GrColorInfo.white = GrAllocColor(255, 255, 255);
    return _GrColorInfo.white;
}
