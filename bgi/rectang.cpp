// Rectangle outlines.
#include "libbgi.h"

void rectangle(int left, int top, int right, int bottom)
{
    if (!_GrBgiReady())
        return;
    const int x1 = _GrBgiX(left), y1 = _GrBgiY(top), x2 = _GrBgiX(right), y2 = _GrBgiY(bottom);
    if (_GrBgiPlainLine()) {
        GrBox(x1, y1, x2, y2, _GrBgiLineColor());
    } else {
        __gr_Line.color = _GrBgiLineColor();
        GrCustomBox(x1, y1, x2, y2, &__gr_Line);
    }
}
