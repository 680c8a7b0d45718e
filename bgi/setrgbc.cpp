// The drawing colour packed from red, green and blue, as the colour table
// packs pixels; no palette cell is taken.
#include "libbgi.h"

namespace {

uint32_t shl(uint32_t v, int32_t n) { return n >= 0 && n < 32 ? v << n : 0; }

}  // namespace

void __gr_setrgbcolor(int r, int g, int b)
{
    const struct _GR_colorTable *ci = GrColorInfo;
    const uint32_t v = shl(static_cast<uint32_t>(r) & ci->mask[0], ci->shift[0]) |
                       shl(static_cast<uint32_t>(g) & ci->mask[1], ci->shift[1]) |
                       shl(static_cast<uint32_t>(b) & ci->mask[2], ci->shift[2]);
    const int32_t n = ci->normshift;
    __gr_color = static_cast<int>(n >= 0 && n < 32 ? v >> n : 0);
}

void setrgbcolor(int r, int g, int b) { __gr_setrgbcolor(r, g, b); }

int COLOR(int r, int g, int b)
{
    return static_cast<int>(GrAllocColor(r, g, b) & GR_VALUEMASK);
}
