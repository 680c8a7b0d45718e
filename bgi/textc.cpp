// Text settings besides the style: justification, user size, line style.
#include "libbgi.h"

void settextjustify(int horiz, int vert)
{
    if (!_GrBgiReady())
        return;
    if (static_cast<unsigned>(horiz) > RIGHT_TEXT || static_cast<unsigned>(vert) > TOP_TEXT) {
        __gr_Result = grError;
        return;
    }
    __gr_text_init();
    __gr_text_setting.horiz = horiz;
    __gr_text_setting.vert = vert;
}

void gettextsettings(struct textsettingstype *ts)
{
    if (!_GrBgiReady() || ts == nullptr)
        return;
    __gr_text_init();
    *ts = __gr_text_setting;
}

void setusercharsize(int multx, int divx, int multy, int divy)
{
    if (!_GrBgiReady())
        return;
    if (multx <= 0 || divx <= 0 || multy <= 0 || divy <= 0) {
        __gr_Result = grError;
        return;
    }
    __gr_text_init();
    __gr_text_usr_multx = multx;
    __gr_text_usr_divx = divx;
    __gr_text_usr_multy = multy;
    __gr_text_usr_divy = divy;
    if (__gr_text_setting.charsize == USER_CHAR_SIZE)
        _GrBgiSetScale(USER_CHAR_SIZE);
}

void textlinestyle(int flag) { __gr_TextLineStyle = flag; }
