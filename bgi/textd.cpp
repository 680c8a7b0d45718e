// Text in stroke fonts: every character's strokes as lines, scaled.
#include "libbgi.h"

void __gr_text_vec(int *x, int *y, int sx, int sy, int len, const char *text)
{
    const struct _GR_chrTable *t = static_cast<const struct _GR_chrTable *>(__gr_text_fntptr);
    if (t == nullptr)
        return;
    const bool styled = __gr_TextLineStyle != 0;
    const GrColor c = static_cast<GrColor>(__gr_color);
    if (styled)
        __gr_Line.color = _GrBgiLineColor();
    const bool up = __gr_text_setting.direction != HORIZ_DIR;
    const int horiz = __gr_text_setting.horiz, vert = __gr_text_setting.vert;
    const int w = __gr_text_Width(len, text), h = __gr_text_Height(len, text);
    // justification moves the reference point
    if (!up) {
        sx = _GrBgiAdd(sx, horiz == CENTER_TEXT ? -w / 2 : horiz == RIGHT_TEXT ? -w : 0);
        sy = _GrBgiAdd(sy, vert == 1 ? h / 2 : vert == TOP_TEXT ? h : 0);
    } else {
        sx = _GrBgiAdd(sx, horiz == LEFT_TEXT ? h : horiz == CENTER_TEXT ? h / 2 : 0);
        sy = _GrBgiAdd(sy, vert == 1 ? w / 2 : vert == TOP_TEXT ? w : 0);
    }
    const int start = up ? sy : sx;
    int pen = start, cu = 0, cv = 0;
    // font point (u, v): right of and above the pen, or turned upward
    auto at = [&](int u, int v, int *px, int *py) {
        *px = up ? _GrBgiAdd(sx, -_GrBgiScaleY(v)) : _GrBgiAdd(pen, _GrBgiScaleX(u));
        *py = up ? _GrBgiAdd(pen, -_GrBgiScaleX(u)) : _GrBgiAdd(sy, -_GrBgiScaleY(v));
    };
    for (int i = 0; i < len; i++) {
        const struct _GR_chrEntry &e = t->c[static_cast<unsigned char>(text[i])];
        _GrBgiStrokes(e, t->end, &cu, &cv, [&](int u1, int v1, int u2, int v2) {
            int x1, y1, x2, y2;
            at(u1, v1, &x1, &y1);
            at(u2, v2, &x2, &y2);
            if (styled)
                GrCustomLine(x1, y1, x2, y2, &__gr_Line);
            else
                GrLine(x1, y1, x2, y2, c);
        });
        const int adv = _GrBgiScaleX(static_cast<int>(e.width));
        pen = _GrBgiAdd(pen, up ? -adv : adv);
    }
    const int64_t travel = static_cast<int64_t>(pen) - start;
    if (up)
        *y = _GrBgiAdd(*y, static_cast<int>(travel));
    else
        *x = _GrBgiAdd(*x, static_cast<int>(travel));
}
