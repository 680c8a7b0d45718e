// The 16-entry palette calls: the layer keeps the default palette and
// reports it; real colour changes go through setrgbpalette or COLOR.
#include <cstring>

#include "libbgi.h"

struct palettetype __gr_EGAdef = {16, {0, 1, 2, 3, 4, 5, 20, 7, 56, 57, 58, 59, 60, 61, 62, 63}};

namespace {

const struct palettetype UsrPal = {16, {0, 1, 2, 3, 4, 5, 20, 7, 56, 57, 58, 59, 60, 61, 62, 63}};

}  // namespace

void getpalette(struct palettetype *pal)
{
    if (_GrBgiReady() && pal != nullptr)
        memcpy(pal, &UsrPal, sizeof UsrPal);
}

void setallpalette(const struct palettetype *)
{
    _GrBgiReady();
}

void __gr_setpalette(int, int) {}

void setpalette(int index, int color) { __gr_setpalette(index, color); }

struct palettetype *getdefaultpalette(void) { return &__gr_EGAdef; }

int getpalettesize(void) { return 16; }

int getmaxcolor(void)
{
    if (!_GrBgiReady())
        return -1;
    return static_cast<int>(GrColorInfo->numcolors - 1);
}

void setrgbpalette(int index, int r, int g, int b)
{
    if (!_GrBgiReady())
        return;
    if (GrColorInfo->rgbmode || index < 0 || static_cast<uint32_t>(index) >= GrColorInfo->numcolors) {
        __gr_Result = grError;
        return;
    }
    GrSetColor(static_cast<GrColor>(index), r, g, b);
}
