// Text in bitmap fonts, through the library's string drawing.
#include "libbgi.h"

void __gr_text_bit(int *x, int *y, int sx, int sy, int len, const char *text, GrFont *f)
{
    GrTextStyle &st = __gr_text_style;
    st.font = f;
    if (f == nullptr) {
        __gr_Result = grError;
        return;
    }
    const int vert = __gr_text_setting.vert;
    st.fgcolor.v = static_cast<GrColor>(__gr_color);
    st.bgcolor.v = GR_NOCOLOR;
    st.direction = __gr_text_setting.direction != HORIZ_DIR ? GR_TEXT_UP : GR_TEXT_RIGHT;
    st.xalign = static_cast<signed char>(__gr_text_setting.horiz);
    st.yalign = vert == BOTTOM_TEXT ? GR_ALIGN_BOTTOM : vert == 1 ? GR_ALIGN_MIDDLE : GR_ALIGN_TOP;
    GrDrawString(text, len, sx, sy, &st);
    const int64_t w = f->h.proportional ? int64_t{GrProportionalTextWidth(f, text, len, GR_BYTE_TEXT)}
                                        : int64_t{f->h.width} * len;
    const int adv = w > INT_MAX ? INT_MAX : static_cast<int>(w);
    st.direction = GR_TEXT_RIGHT;
    if (__gr_text_setting.direction != HORIZ_DIR)
        *y = _GrBgiAdd(*y, -adv);
    else
        *x = _GrBgiAdd(*x, adv);
}
