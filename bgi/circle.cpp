// Circles, corrected by the aspect ratio.
#include "libbgi.h"

void getaspectratio(int *xasp, int *yasp)
{
    *xasp = __gr_Xasp;
    *yasp = __gr_Yasp;
}

void setaspectratio(int xasp, int yasp)
{
    __gr_Xasp = xasp;
    __gr_Yasp = yasp;
}

// 64 bits: a large radius or factor must not wrap; no factor below 1
// divides (the radius stays as it is then)
int _GrBgiAspect(int r)
{
    if (__gr_Yasp <= 0)
        return r;
    const int64_t v = static_cast<int64_t>(r) * __gr_Xasp / __gr_Yasp;
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}

void __gr_circle(int x, int y, int r)
{
    if (!_GrBgiReady())
        return;
    const GrColor c = static_cast<GrColor>(__gr_color);
    if (__gr_Xasp == __gr_Yasp)
        GrCircle(_GrBgiX(x), _GrBgiY(y), r, c);
    else
        GrEllipse(_GrBgiX(x), _GrBgiY(y), r, _GrBgiAspect(r), c);
}

void circle(int x, int y, int r) { __gr_circle(x, y, r); }
