// The solid filler: pixels, lines and spans in one colour.
#include "libpxl.h"

namespace {

void pixel(int x, int y, GrFillArg a) { FDRV->drawpixel(x, y, a.color); }
void line(int x, int y, int dx, int dy, GrFillArg a) { FDRV->drawline(x, y, dx, dy, a.color); }
void scan(int x, int y, int w, GrFillArg a) { FDRV->drawhline(x, y, w, a.color); }

}  // namespace

const GrFillOps _GrSolidFiller = {pixel, line, scan};
