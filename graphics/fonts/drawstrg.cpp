/*
 * drawstrg.cpp - drawing strings and single characters into the current
 * context through its frame driver.
 */
#include <cstdint>

#include "libpxl.h"

void GrDrawString(const void *text, int length, int x, int y, const GrTextStyle *opt)
{
    _GrDrawString(text, length, x, y, opt, nullptr, FdrvDrawBitmap);
}

void GrDrawChar(int chr, int x, int y, const GrTextStyle *opt)
{
    if (!opt)
        return;
    // word text carries the attribute in the high byte
    if (_GrCharBytes(opt->chrtype) == 1) {
        const unsigned char b = static_cast<unsigned char>(chr);
        GrDrawString(&b, 1, x, y, opt);
    } else {
        const uint16_t w = static_cast<uint16_t>(chr);
        GrDrawString(&w, 1, x, y, opt);
    }
}
