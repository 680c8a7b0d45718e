// Pie slices: filled through the centre, then outlined.
#include "libbgi.h"

void __gr_sector(int x, int y, int start, int end, int xr, int yr)
{
    if (!_GrBgiReady())
        return;
    const int cx = _GrBgiX(x), cy = _GrBgiY(y), ya = _GrBgiAspect(yr);
    const int s = _GrBgiTenths(start), e = _GrBgiTenths(end);
    GrFillArg arg;
    const GrFillOps *f = _GrBgiFiller(&arg);
    _GrFillEllipseArc(cx, cy, xr, ya, s, e, GR_arcPie, f, arg);
    // a solid fill in the drawing colour is its own outline
    if (f != &_GrSolidFiller || arg.color != static_cast<GrColor>(__gr_color))
        GrEllipseArc(cx, cy, xr, ya, s, e, GR_arcPie, static_cast<GrColor>(__gr_color));
}

void sector(int x, int y, int start, int end, int xr, int yr)
{
    __gr_sector(x, y, start, end, xr, yr);
}

void pieslice(int x, int y, int start, int end, int r) { __gr_sector(x, y, start, end, r, r); }
