// Elliptic arcs, their end points, and filled ellipses.
#include "libbgi.h"

namespace {

int ac[6];  // centre, start and end of the last arc, viewport coordinates

}  // namespace

int _GrBgiTenths(int deg)
{
    const int64_t t = static_cast<int64_t>(deg) * 10;
    return t > INT_MAX ? INT_MAX : t < INT_MIN ? INT_MIN : static_cast<int>(t);
}

void __gr_ellipse(int x, int y, int start, int end, int xr, int yr)
{
    if (!_GrBgiReady())
        return;
    const int64_t d = static_cast<int64_t>(end) * 10 - static_cast<int64_t>(start) * 10;
    const int style = d != 0 && d % 3600 == 0 ? GR_arcChord : GR_arcOpen;
    GrEllipseArc(_GrBgiX(x), _GrBgiY(y), xr, _GrBgiAspect(yr), _GrBgiTenths(start),
                 _GrBgiTenths(end), style, static_cast<GrColor>(__gr_color));
    int xs, ys, xe, ye, xc, yc;
    GrLastArcCoords(&xs, &ys, &xe, &ye, &xc, &yc);
    const int dx = __gr_vpl, dy = _GrBgiAdd(__gr_vpt, __gr_Y_page_offs);
    ac[0] = _GrBgiAdd(xc, -dx);
    ac[1] = _GrBgiAdd(yc, -dy);
    ac[2] = _GrBgiAdd(xs, -dx);
    ac[3] = _GrBgiAdd(ys, -dy);
    ac[4] = _GrBgiAdd(xe, -dx);
    ac[5] = _GrBgiAdd(ye, -dy);
}

void ellipse(int x, int y, int start, int end, int xr, int yr)
{
    __gr_ellipse(x, y, start, end, xr, yr);
}

void arc(int x, int y, int start, int end, int r) { __gr_ellipse(x, y, start, end, r, r); }

void getarccoords(struct arccoordstype *a)
{
    if (!_GrBgiReady() || a == nullptr)
        return;
    a->x = ac[0];
    a->y = ac[1];
    a->xstart = ac[2];
    a->ystart = ac[3];
    a->xend = ac[4];
    a->yend = ac[5];
}

// Filled in the fill style, outlined in the drawing colour unless a solid
// fill has that colour already.
void fillellipse(int x, int y, int xr, int yr)
{
    if (!_GrBgiReady())
        return;
    const int cx = _GrBgiX(x), cy = _GrBgiY(y), ya = _GrBgiAspect(yr);
    GrFillArg arg;
    const GrFillOps *f = _GrBgiFiller(&arg);
    _GrScanEllipse(cx, cy, xr, ya, f, arg, 1);
    if (f != &_GrSolidFiller || arg.color != static_cast<GrColor>(__gr_color))
        GrEllipse(cx, cy, xr, ya, static_cast<GrColor>(__gr_color));
}
