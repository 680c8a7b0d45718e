// Filled bars without an outline, and bars with a depth and an outline.
#include "libbgi.h"

void __gr_bar(int left, int top, int right, int bottom)
{
    if (!_GrBgiReady())
        return;
    int x1 = _GrBgiX(left), y1 = _GrBgiY(top), x2 = _GrBgiX(right), y2 = _GrBgiY(bottom);
    if (x1 > x2) { const int t = x1; x1 = x2; x2 = t; }
    if (y1 > y2) { const int t = y1; y1 = y2; y2 = t; }
    GrFillArg arg;
    if (_GrBgiFiller(&arg) == &_GrSolidFiller)
        GrFilledBox(x1, y1, x2, y2, arg.color);
    else
        GrPatternFilledBox(x1, y1, x2, y2, arg.pattern);
}

void bar(int left, int top, int right, int bottom) { __gr_bar(left, top, right, bottom); }

// The back edges go up and right by (depth, depth * 3 / 4); topflag 0
// leaves the top off, for bars stacked on this one.
void bar3d(int left, int top, int right, int bottom, int depth, int topflag)
{
    if (!_GrBgiReady())
        return;
    if (left > right) { const int t = left; left = right; right = t; }
    if (top > bottom) { const int t = top; top = bottom; bottom = t; }
    __gr_bar(left, top, right, bottom);
    rectangle(left, top, right, bottom);
    const int dx = depth, dy = static_cast<int>(static_cast<int64_t>(depth) * 3 / 4);
    const int rx = _GrBgiX(_GrBgiAdd(right, dx)), ty = _GrBgiY(_GrBgiAdd(top, -dy));
    if (topflag) {
        _GrBgiDrawLine(_GrBgiX(left), _GrBgiY(top), _GrBgiX(_GrBgiAdd(left, dx)), ty);
        _GrBgiDrawLine(_GrBgiX(_GrBgiAdd(left, dx)), ty, rx, ty);
        _GrBgiDrawLine(_GrBgiX(right), _GrBgiY(top), rx, ty);
    }
    _GrBgiDrawLine(rx, ty, rx, _GrBgiY(_GrBgiAdd(bottom, -dy)));
    _GrBgiDrawLine(rx, _GrBgiY(_GrBgiAdd(bottom, -dy)), _GrBgiX(right), _GrBgiY(bottom));
}
