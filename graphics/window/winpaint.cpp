// Painting the screen frame on a true-colour display: 8-bit frames through
// the palette, 24-bit frames (blue, green, red bytes) through the channel
// masks, into images of 2 or 4 bytes a pixel.
#include <cstring>

#include "winplat.h"

namespace {

// An 8-bit component placed under a channel mask: its top bits, shifted
// to the mask's lowest bit.
void channel(uint32_t *table, uint32_t mask)
{
    int shift = 0, bits = 0;
    if (mask != 0) {
        while (!(mask >> shift & 1U))
            shift++;
        while (bits + shift < 32 && (mask >> (shift + bits) & 1U))
            bits++;
    }
    for (uint32_t c = 0; c < 256; c++) {
        const uint32_t v = bits >= 8 ? c << (bits - 8) : c >> (8 - bits);
        table[c] = bits == 0 ? 0 : (v << shift) & mask;
    }
}

template <class T>
void convert_rows(const _GR_winPixels *px, const _GR_winView *v, int x1, int y1, int x2,
                  int y2, unsigned char *dst, int pitch)
{
    for (int y = y1; y < y2; y++) {
        const unsigned char *s = v->pixels + static_cast<ptrdiff_t>(y) * v->lineoffset;
        T *d = reinterpret_cast<T *>(dst + static_cast<ptrdiff_t>(y) * pitch);
        if (v->bpp == 8) {
            for (int x = x1; x < x2; x++)
                d[x] = static_cast<T>(px->cell[s[x]]);
        } else {
            for (int x = x1; x < x2; x++) {
                const unsigned char *p = s + 3 * x;
                d[x] = static_cast<T>(px->blue[p[0]] | px->green[p[1]] | px->red[p[2]]);
            }
        }
    }
}

}  // namespace

void _GrWinPixelsInit(_GR_winPixels *px, uint32_t rmask, uint32_t gmask, uint32_t bmask)
{
    channel(px->red, rmask);
    channel(px->green, gmask);
    channel(px->blue, bmask);
    memset(px->cell, 0, sizeof px->cell);
}

void _GrWinPixelsPalette(_GR_winPixels *px, const uint32_t *palette)
{
    for (int i = 0; i < 256; i++)
        px->cell[i] = px->red[palette[i] >> 16 & 255] | px->green[palette[i] >> 8 & 255] |
                      px->blue[palette[i] & 255];
}

void _GrWinConvert(const _GR_winPixels *px, const _GR_winView *v, int x1, int y1, int x2,
                   int y2, unsigned char *dst, int pitch, int bytes)
{
    if (v->pixels == nullptr || x1 >= x2 || y1 >= y2)
        return;
    if (bytes == 2)
        convert_rows<uint16_t>(px, v, x1, y1, x2, y2, dst, pitch);
    else
        convert_rows<uint32_t>(px, v, x1, y1, x2, y2, dst, pitch);
}
