// Choosing the font, direction and character size.
#include <cstdlib>

#include "libbgi.h"

namespace {

// The character table of stroke slot `font`, made on first use; null when
// the slot is empty or its image unusable.
struct _GR_chrTable *table_of(int font)
{
    struct _GR_bgiSlot &s = _GrBgiSlots[font];
    if (__gr_text_Fonts[font] == nullptr)
        return nullptr;
    if (s.chi == nullptr) {
        s.chi = static_cast<struct _GR_chrTable *>(calloc(1, sizeof *s.chi));
        if (s.chi != nullptr &&
            !_GrBgiChrTable(static_cast<const unsigned char *>(__gr_text_Fonts[font]), s.len, s.chi,
                            &s.height)) {
            free(s.chi);
            s.chi = nullptr;
        }
    }
    return s.chi;
}

}  // namespace

void settextstyle(int font, int direction, int size)
{
    if (!_GrBgiReady())
        return;
    __gr_text_init();
    if (font < 0 || font >= __GR_NFONTS ||
        (font >= GR_BGI_FIRSTUSER && __gr_text_Fonts[font] == nullptr)) {
        __gr_Result = grInvalidFontNum;
        return;
    }
    const bool stroke = font >= GR_BGI_FIRSTSTROKE && font <= GR_BGI_LASTSTROKE;
    if (!stroke && size <= 0)
        size = 1;
    else if (stroke && size < 0)
        size = 4;
    if (size > 10)
        size = 10;
    if (stroke) {
        if (__gr_text_Fonts[font] == nullptr)
            _GrBgiLoadStdFont(font);
        const struct _GR_chrTable *t = table_of(font);
        if (t == nullptr) {
            __gr_Result = grFontNotFound;
            __gr_text_setting.font = DEFAULT_FONT;
            __gr_text_setting.direction = direction;
            __gr_text_setting.charsize = 1;
            _GrBgiSetScale(1);
            return;
        }
        __gr_text_fntptr = const_cast<struct _GR_chrTable *>(t);
        __gr_text_height = _GrBgiSlots[font].height;
    }
    __gr_text_setting.font = font;
    __gr_text_setting.direction = direction;
    __gr_text_setting.charsize = size;
    _GrBgiSetScale(size);
}
