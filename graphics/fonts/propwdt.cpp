/*
 * propwdt.cpp - the width of a string in a proportional font.
 */
#include <cstdint>
#include <cstring>

#include "libpxl.h"

unsigned int GrProportionalTextWidth(const GrFont *font, const void *text, int length,
                                     int chrtype)
{
    if (!font || !text)
        return 0;
    const unsigned char *p = static_cast<const unsigned char *>(text);
    unsigned int sum = 0;
    for (int i = 0; i < length; i++) {
        unsigned code;
        if (_GrCharBytes(chrtype) == 1) {
            code = p[i];
        } else {
            uint16_t w;
            std::memcpy(&w, p + 2 * static_cast<size_t>(i), sizeof w);
            code = chrtype == GR_ATTR_TEXT ? (w & 0xFFU) : w;
        }
        const unsigned idx = code - font->h.minchar;
        sum += idx < font->h.numchars ? font->chrinfo[idx].width : font->h.width;
    }
    return sum;
}
