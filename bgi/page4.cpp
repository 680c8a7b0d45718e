// Which page is shown.
#include "libbgi.h"

int getvisualpage(void)
{
    return _GrBgiReady() && GrDriverInfo->viewport_y != 0 ? 1 : 0;
}
