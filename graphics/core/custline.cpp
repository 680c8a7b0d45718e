// Custom lines, polylines and polygon outlines in the style's colour.
#include "libpxl.h"

namespace {

GrFillArg colour_of(const GrCustomLineStyle *o)
{
    GrFillArg a;
    a.color = o ? o->color : GR_NOCOLOR;
    return a;
}

}  // namespace

void GrCustomLine(int x1, int y1, int x2, int y2, const GrCustomLineStyle *o)
{
    const int pts[2][2] = {{x1, y1}, {x2, y2}};
    _GrDrawCustomPolygon(2, pts, o, &_GrSolidFiller, colour_of(o), 0);
}

void GrCustomPolyLine(int n, const int points[][2], const GrCustomLineStyle *o)
{
    _GrDrawCustomPolygon(n, points, o, &_GrSolidFiller, colour_of(o), 0);
}

void GrCustomPolygon(int n, const int points[][2], const GrCustomLineStyle *o)
{
    _GrDrawCustomPolygon(n, points, o, &_GrSolidFiller, colour_of(o), 1);
}
