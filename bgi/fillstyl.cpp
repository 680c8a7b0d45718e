// Fill patterns and the fill style.
#include <cstring>

#include "libbgi.h"

unsigned char __gr_fpatterns[13][8] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // EMPTY_FILL
    {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff},  // SOLID_FILL
    {0xff, 0xff, 0x00, 0x00, 0xff, 0xff, 0x00, 0x00},  // LINE_FILL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // LTSLASH_FILL
    {0xe0, 0xc1, 0x83, 0x07, 0x0e, 0x1c, 0x38, 0x70},  // SLASH_FILL
    {0xf0, 0x78, 0x3c, 0x1e, 0x0f, 0x87, 0xc3, 0xe1},  // BKSLASH_FILL
    {0xa5, 0xd2, 0x69, 0xb4, 0x5a, 0x2d, 0x96, 0x4b},  // LTBKSLASH_FILL
    {0xff, 0x88, 0x88, 0x88, 0xff, 0x88, 0x88, 0x88},  // HATCH_FILL
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // XHATCH_FILL
    {0xcc, 0x33, 0xcc, 0x33, 0xcc, 0x33, 0xcc, 0x33},  // INTERLEAVE_FILL
    {0x80, 0x00, 0x08, 0x00, 0x80, 0x00, 0x08, 0x00},  // WIDE_DOT_FILL
    {0x88, 0x00, 0x22, 0x00, 0x88, 0x00, 0x22, 0x00},  // CLOSE_DOT_FILL
    {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff},  // USER_FILL
};

void setfillstyle(int pattern, int color)
{
    if (!_GrBgiReady())
        return;
    if (static_cast<unsigned>(pattern) > USER_FILL) {
        __gr_Result = grError;
        return;
    }
    __gr_fpatno = pattern;
    __gr_colorfill = color;
    __gr_fillpattern.bitmap.bits = __gr_fpatterns[pattern];
}

void getfillsettings(struct fillsettingstype *fs)
{
    fs->pattern = __gr_fpatno;
    fs->color = __gr_colorfill;
}

void setfillpattern(const char *pattern, int color)
{
    if (!_GrBgiReady())
        return;
    if (pattern == nullptr) {
        __gr_Result = grError;
        return;
    }
    memcpy(__gr_fpatterns[USER_FILL], pattern, 8);
    setfillstyle(USER_FILL, color);
}

const GrFillOps *_GrBgiFiller(GrFillArg *arg)
{
    if (__gr_fpatno == EMPTY_FILL || __gr_fpatno == SOLID_FILL) {
        arg->color = static_cast<GrColor>(__gr_fpatno == EMPTY_FILL ? __gr_colorbg : __gr_colorfill);
        return &_GrSolidFiller;
    }
    __gr_fillpattern.bitmap.fg = static_cast<GrColor>(__gr_colorfill);
    __gr_fillpattern.bitmap.bg = static_cast<GrColor>(__gr_colorbg);
    arg->pattern = &__gr_fillpattern;
    return &_GrPatternFiller;
}
