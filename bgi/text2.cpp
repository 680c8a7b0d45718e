// Drawing text at a point or at the current position.
#include <cstring>

#include "libbgi.h"

namespace {

int text_length(const char *text)
{
    const size_t n = strlen(text);
    return n > INT_MAX ? INT_MAX : static_cast<int>(n);
}

}  // namespace

void _outtextxy(int *x, int *y, int sx, int sy, int len, const char *text)
{
    const int font = __gr_text_setting.font;
    if (font == DEFAULT_FONT) {
        int size = __gr_text_setting.charsize;
        size = size < 0 ? 1 : size > 10 ? 10 : size;
        GrFont *&f = __gr_text_DefaultFonts[size];
        if (f == nullptr) {
            const int side = 8 * (size == 0 ? 1 : size);
            f = GrBuildConvertedFont(&GrFont_PC8x8, GR_FONTCVT_SCALE, side, side, 0, 0);
        }
        __gr_text_bit(x, y, sx, sy, len, text, f);
    } else if (font >= GR_BGI_FIRSTBITMAP && font <= GR_BGI_LASTBITMAP) {
        __gr_text_bit(x, y, sx, sy, len, text, static_cast<GrFont *>(__gr_text_Fonts[font]));
    } else if (font >= GR_BGI_FIRSTSTROKE && font <= GR_BGI_LASTSTROKE) {
        __gr_text_vec(x, y, sx, sy, len, text);
    }
}

void outtextxy(int x, int y, const char *text)
{
    if (!_GrBgiReady() || text == nullptr)
        return;
    __gr_text_init();
    _outtextxy(&x, &y, _GrBgiX(x), _GrBgiY(y), text_length(text), text);
}

void outtext(const char *text)
{
    if (!_GrBgiReady() || text == nullptr)
        return;
    __gr_text_init();
    _outtextxy(&__gr_X, &__gr_Y, _GrBgiX(__gr_X), _GrBgiY(__gr_Y), text_length(text), text);
}
