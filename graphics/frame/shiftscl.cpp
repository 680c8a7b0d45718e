// Shifting rows of bits for copies between differently aligned bit frames.
#include "libpxl.h"

// A positive shift moves the bits left (towards lower addresses), a zero or
// negative one right. Exactly `bytes` bytes of each source row are read: the
// bits that would come from beyond the row are zero. Works in place too.
void _GR_shift_scanline(unsigned char **dst, unsigned char **src, int bytes,
                        int shift, int rows)
{
    if (bytes <= 0)
        return;
    for (int r = 0; r < rows; r++) {
        unsigned char *out = dst[r];
        const unsigned char *in = src[r];
        if (shift > 0) {
            for (int i = 0; i + 1 < bytes; i++)
                out[i] = static_cast<unsigned char>(
                    ((in[i] << 8) | in[i + 1]) >> (8 - shift));
            out[bytes - 1] = static_cast<unsigned char>(in[bytes - 1] << shift);
        } else {
            const int k = -shift;
            for (int i = bytes - 1; i > 0; i--)
                out[i] = static_cast<unsigned char>(((in[i - 1] << 8) | in[i]) >> k);
            out[0] = static_cast<unsigned char>(in[0] >> k);
        }
    }
}
