// Rectangle outlines in a custom line style; the walk starts up the left
// side, with the closing segment.
#include "libpxl.h"

void GrCustomBox(int x1, int y1, int x2, int y2, const GrCustomLineStyle *o)
{
    const int pts[4][2] = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
    GrFillArg a;
    a.color = o ? o->color : GR_NOCOLOR;
    _GrDrawCustomPolygon(4, pts, o, &_GrSolidFiller, a, 1);
}
