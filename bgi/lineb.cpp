// Lines from point to point, and from the current position.
#include "libbgi.h"

void _GrBgiDrawLine(int x1, int y1, int x2, int y2)
{
    if (!_GrBgiPlainLine()) {
        __gr_Line.color = _GrBgiLineColor();
        GrCustomLine(x1, y1, x2, y2, &__gr_Line);
    } else if (y1 == y2) {
        GrHLine(x1, x2, y1, _GrBgiLineColor());
    } else if (x1 == x2) {
        GrVLine(x1, y1, y2, _GrBgiLineColor());
    } else {
        GrLine(x1, y1, x2, y2, _GrBgiLineColor());
    }
}

void __gr_line(int x1, int y1, int x2, int y2)
{
    if (!_GrBgiReady())
        return;
    __gr_X = x2;
    __gr_Y = y2;
    _GrBgiDrawLine(_GrBgiX(x1), _GrBgiY(y1), _GrBgiX(x2), _GrBgiY(y2));
}

void line(int x1, int y1, int x2, int y2) { __gr_line(x1, y1, x2, y2); }

void lineto(int x, int y) { __gr_line(__gr_X, __gr_Y, x, y); }

void linerel(int dx, int dy) { __gr_line(__gr_X, __gr_Y, _GrBgiAdd(__gr_X, dx), _GrBgiAdd(__gr_Y, dy)); }
