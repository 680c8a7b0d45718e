// Rectangle copy for frames whose pixels are bits: one plane (1 bit a pixel)
// or several planes (one bit of the pixel in each).
#include <cstring>

#include "fdpacked.h"

using namespace pxl;

namespace {

// Combines n source bytes into n destination bytes; the first byte is
// masked with lm (and rm when it is the only one), the last with rm.
template <class Op>
void combine_row(unsigned char *d, const unsigned char *s, int n,
                 unsigned lm, unsigned rm)
{
    auto masked = [](unsigned char dv, unsigned char sv, unsigned m) {
        const unsigned char full = Op::apply(dv, sv);
        return static_cast<unsigned char>((full & m) | (dv & ~m));
    };
    if (n == 1) {
        d[0] = masked(d[0], s[0], lm & rm);
        return;
    }
    d[0] = masked(d[0], s[0], lm);
    int last = n - 1;
    if (rm != 0xFFU) {
        d[last] = masked(d[last], s[last], rm);
    } else {
        last = n;
    }
    for (int i = 1; i < last; i++)
        d[i] = Op::apply(d[i], s[i]);
}

}  // namespace

void _GR_rblit_14(GrFrame *dst, int dx, int dy, GrFrame *src, int sx, int sy,
                  int w, int h, GrColor op, int planes, _GR_blitFunc fallback)
{
    if ((op & GR_MODEMASK) == GR_IMAGE) {
        fallback(dst, dx, dy, src, sx, sy, w, h, op);
        return;
    }
    if (w <= 0 || h <= 0)
        return;
    const size_t need = static_cast<size_t>((w + 7) / 8) + 2;
    if (_GrTempBufferBytes < need && _GrTempBufferAlloc_(need) == nullptr)
        return;
    unsigned char *stage = static_cast<unsigned char *>(_GrTempBuffer);

    const int dbyte = dx >> 3, sbyte = sx >> 3;
    const int n = ((dx + w + 7) >> 3) - dbyte;          // destination bytes
    const int sbytes = ((sx + w + 7) >> 3) - sbyte;     // source bytes
    const unsigned lm = 0xFFU >> (dx & 7);
    const unsigned rm = (0xFFU << ((-w - dx) & 7)) & 0xFFU;
    const int shift = (sx & 7) - (dx & 7);
    int oper = C_OPER(op);
    if (oper > C_AND)
        oper = C_WRITE;

    // Within one frame a source above the destination is copied bottom up.
    // Every source row is staged in the buffer before it is combined, so
    // rows that overlap themselves (same row, either direction) copy safely
    // and nothing past the source row is read.
    int r0 = 0, rstep = 1;
    if (src->gf_baseaddr[0] == dst->gf_baseaddr[0] && sy < dy) {
        r0 = h - 1;
        rstep = -1;
    }
    unsigned char *rows[1] = {stage};
    with_oper(oper, [&](auto opv) {
        using Op = decltype(opv);
        for (int k = 0, r = r0; k < h; k++, r += rstep) {
            for (int p = 0; p < planes; p++) {
                const unsigned char *s = src->gf_baseaddr[p] +
                    static_cast<ptrdiff_t>(sy + r) * src->gf_lineoffset + sbyte;
                unsigned char *d = dst->gf_baseaddr[p] +
                    static_cast<ptrdiff_t>(dy + r) * dst->gf_lineoffset + dbyte;
                std::memcpy(stage, s, static_cast<size_t>(sbytes));
                // pad the staged row to n + 1 bytes for the shifter
                for (int i = sbytes; i <= n; i++)
                    stage[i] = 0;
                if (shift != 0)
                    _GR_shift_scanline(rows, rows, n + 1, shift, 1);
                combine_row<Op>(d, stage, n, lm, rm);
            }
        }
    });
}
