// Measuring text in the current settings.
#include <cstring>

#include "libbgi.h"

namespace {

int clamp(int64_t v) { return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v); }

int default_size()
{
    const int s = __gr_text_setting.charsize;
    return s < 1 ? 1 : s > 10 ? 10 : s;
}

}  // namespace

int __gr_text_Width(int length, const char *text)
{
    const int font = __gr_text_setting.font;
    if (font == DEFAULT_FONT)
        return clamp(int64_t{8} * default_size() * length);
    if (font >= GR_BGI_FIRSTBITMAP && font <= GR_BGI_LASTBITMAP) {
        const GrFont *f = static_cast<const GrFont *>(__gr_text_Fonts[font]);
        if (f == nullptr)
            return 0;
        if (f->h.proportional)
            return clamp(GrProportionalTextWidth(f, text, length, GR_BYTE_TEXT));
        return clamp(int64_t{f->h.width} * length);
    }
    const struct _GR_chrTable *t = static_cast<const struct _GR_chrTable *>(__gr_text_fntptr);
    if (font > GR_BGI_LASTSTROKE || t == nullptr)
        return 0;
    int64_t w = 0;
    for (int i = 0; i < length; i++)
        w += _GrBgiScaleX(static_cast<int>(t->c[static_cast<unsigned char>(text[i])].width));
    return clamp(w);
}

int __gr_text_Height(int, const char *)
{
    const int font = __gr_text_setting.font;
    if (font == DEFAULT_FONT)
        return 8 * default_size();
    if (font >= GR_BGI_FIRSTBITMAP && font <= GR_BGI_LASTBITMAP) {
        const GrFont *f = static_cast<const GrFont *>(__gr_text_Fonts[font]);
        return f != nullptr ? clamp(f->h.height) : 0;
    }
    return font <= GR_BGI_LASTSTROKE ? _GrBgiScaleY(__gr_text_height) : 0;
}

int textwidth(const char *text)
{
    if (!_GrBgiReady() || text == nullptr)
        return 0;
    __gr_text_init();
    const size_t n = strlen(text);
    return __gr_text_Width(n > INT_MAX ? INT_MAX : static_cast<int>(n), text);
}

int textheight(const char *text)
{
    if (!_GrBgiReady() || text == nullptr)
        return 0;
    __gr_text_init();
    return __gr_text_Height(0, text);
}
