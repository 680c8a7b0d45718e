// Byte-wise rectangle copy between packed frames (plane 0). Widths are in
// bytes; wider pixel formats scale x and w before calling.
#include <cstring>

#include "fdpacked.h"

using namespace pxl;

namespace {

// One row, left to right or right to left; within a row an overlapping
// copy must run away from the bytes it has not read yet.
template <class Op>
void copy_row(unsigned char *d, const unsigned char *s, size_t n, bool backward)
{
    if (std::is_same<Op, OpWrite>::value) {
        std::memmove(d, s, n);
    } else if (backward) {
        for (size_t i = n; i-- > 0;)
            d[i] = Op::apply(d[i], s[i]);
    } else {
        for (size_t i = 0; i < n; i++)
            d[i] = Op::apply(d[i], s[i]);
    }
}

}  // namespace

void _GrFrDrvPackedBitBltR2R(GrFrame *dst, int dx, int dy, GrFrame *src,
                             int sx, int sy, int w, int h, GrColor op)
{
    if (w <= 0 || h <= 0)
        return;
    const ptrdiff_t dlo = dst->gf_lineoffset, slo = src->gf_lineoffset;
    unsigned char *d = dst->gf_baseaddr[0] + dy * dlo + dx;
    const unsigned char *s = src->gf_baseaddr[0] + sy * slo + sx;
    const int oper = C_OPER(op);
    // Source below the destination in memory: start at the end, so an
    // overlapping copy reads every source byte before it is overwritten.
    const bool backward = s < d;
    ptrdiff_t dstep = dlo, sstep = slo;
    if (backward) {
        d += (h - 1) * dlo;
        s += (h - 1) * slo;
        dstep = -dlo;
        sstep = -slo;
    }
    const size_t n = static_cast<size_t>(w);
    if (oper == C_IMAGE) {
        const unsigned char key = static_cast<unsigned char>(op);
        for (int r = 0; r < h; r++, d += dstep, s += sstep) {
            if (backward) {
                for (size_t i = n; i-- > 0;)
                    if (s[i] != key) d[i] = s[i];
            } else {
                for (size_t i = 0; i < n; i++)
                    if (s[i] != key) d[i] = s[i];
            }
        }
        return;
    }
    with_oper(oper <= C_AND ? oper : C_WRITE, [&](auto opv) {
        using Op = decltype(opv);
        for (int r = 0; r < h; r++, d += dstep, s += sstep)
            copy_row<Op>(d, s, n, backward);
    });
}
