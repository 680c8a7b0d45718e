/*
 * fdplanar.h - the pixel engine of frames whose pixels are bits: one plane
 * (one bit a pixel) or several planes holding one bit of the pixel each.
 * Pixel x of a row is bit 7 - (x mod 8) of byte x / 8: leftmost is MSB.
 */
#ifndef FDPLANAR_H_INCLUDED
#define FDPLANAR_H_INCLUDED

#include <cstddef>
#include <cstring>

#include "fdpacked.h"

namespace pxl {

template <int planes> struct Planar {
    static unsigned char *byte(const GrFrame *f, int plane, int x, int y)
    {
        return f->gf_baseaddr[plane] + static_cast<ptrdiff_t>(y) * f->gf_lineoffset +
               (x >> 3);
    }

    // Combines colour bit b into the bits of mask m of the byte at p.
    static void combine(unsigned char *p, int op, unsigned m, unsigned b)
    {
        switch (op) {
        case C_XOR: if (b) *p ^= m; break;
        case C_OR:  if (b) *p |= m; break;
        case C_AND: if (!b) *p &= ~m; break;
        default:    *p = static_cast<unsigned char>(b ? (*p | m) : (*p & ~m)); break;
        }
    }

    static void plot(int x, int y, int op, GrColor v)
    {
        const unsigned m = 0x80U >> (x & 7);
        for (int i = 0; i < planes; i++)
            combine(byte(CURF, i, x, y), op, m, (v >> i) & 1U);
    }

    static GrColor readpixel(GrFrame *f, int x, int y)
    {
        const unsigned sh = 7U - (x & 7);
        GrColor v = 0;
        for (int i = 0; i < planes; i++)
            v |= static_cast<GrColor>((*byte(f, i, x, y) >> sh) & 1U) << i;
        return v;
    }

    static void drawpixel(int x, int y, GrColor c)
    {
        plot(x, y, pixel_oper(c), c);
    }

    static void drawline(int x, int y, int dx, int dy, GrColor c)
    {
        if (dx < 0) {
            x += dx; y += dy;
            dx = -dx; dy = -dy;
        }
        int ystep = 1;
        if (dy < 0) {
            dy = -dy;
            ystep = -1;
        }
        const int op = pixel_oper(c);
        if (dx > dy) {
            int err = dx >> 1;
            for (int i = 0; i <= dx; i++, x++) {
                plot(x, y, op, c);
                if ((err -= dy) < 0) {
                    err += dx;
                    y += ystep;
                }
            }
        } else {
            int err = dy >> 1;
            for (int i = 0; i <= dy; i++, y += ystep) {
                plot(x, y, op, c);
                if ((err -= dx) < 0) {
                    err += dy;
                    x++;
                }
            }
        }
    }

    // What a colour bit does to a whole run: nothing, set, clear or invert.
    enum Action { NONE, SET, CLEAR, INVERT };
    static Action action(int op, unsigned b)
    {
        switch (op) {
        case C_XOR: return b ? INVERT : NONE;
        case C_OR:  return b ? SET : NONE;
        case C_AND: return b ? NONE : CLEAR;
        default:    return b ? SET : CLEAR;
        }
    }

    static void apply(unsigned char *p, Action a, unsigned m)
    {
        switch (a) {
        case SET:    *p |= m; break;
        case CLEAR:  *p &= ~m; break;
        case INVERT: *p ^= m; break;
        default: break;
        }
    }

    // Sets, clears or inverts k whole bytes.
    static void whole(unsigned char *p, Action a, size_t k)
    {
        if (a == INVERT) {
            for (size_t j = 0; j < k; j++)
                p[j] = static_cast<unsigned char>(~p[j]);
        } else {
            std::memset(p, a == SET ? 0xFF : 0, k);
        }
    }

    static void drawblock(int x, int y, int w, int h, GrColor c)
    {
        const int op = pixel_oper(c);
        const int n = ((x + w + 7) >> 3) - (x >> 3);
        const unsigned lm = 0xFFU >> (x & 7);
        const unsigned rm = (0xFFU << ((-x - w) & 7)) & 0xFFU;
        const ptrdiff_t lo = CURF->gf_lineoffset;
        for (int i = 0; i < planes; i++) {
            const Action a = action(op, (c >> i) & 1U);
            if (a == NONE)
                continue;
            unsigned char *p = byte(CURF, i, x, y);
            if (lm == 0xFFU && rm == 0xFFU && n == lo) {
                // whole rows without a gap: one run over the plane
                whole(p, a, static_cast<size_t>(n) * static_cast<size_t>(h));
                continue;
            }
            for (int r = 0; r < h; r++, p += lo) {
                if (n == 1) {
                    apply(p, a, lm & rm);
                    continue;
                }
                apply(p, a, lm);
                int last = n - 1;
                if (rm != 0xFFU)
                    apply(p + last, a, rm);
                else
                    last = n;
                whole(p + 1, a, static_cast<size_t>(last - 1));
            }
        }
    }

    static void drawhline(int x, int y, int w, GrColor c)
    {
        drawblock(x, y, w, 1, c);
    }

    static void drawvline(int x, int y, int h, GrColor c)
    {
        const int op = pixel_oper(c);
        const unsigned m = 0x80U >> (x & 7);
        const ptrdiff_t lo = CURF->gf_lineoffset;
        for (int i = 0; i < planes; i++) {
            const Action a = action(op, (c >> i) & 1U);
            if (a == NONE)
                continue;
            unsigned char *p = byte(CURF, i, x, y);
            for (int r = 0; r < h; r++, p += lo)
                apply(p, a, m);
        }
    }

    static void drawbitmap(int x, int y, int w, int h, const unsigned char *bmp,
                           int pitch, int start, GrColor fg, GrColor bg)
    {
        const int fop = pixel_oper(fg), bop = pixel_oper(bg);
        const unsigned char *brow = bmp + (start >> 3);
        const unsigned first = 0x80U >> (start & 7);
        for (int r = 0; r < h; r++, brow += pitch) {
            const unsigned char *b = brow;
            unsigned bits = *b, mask = first;
            for (int i = 0; i < w; i++) {
                if (bits & mask)
                    plot(x + i, y + r, fop, fg);
                else
                    plot(x + i, y + r, bop, bg);
                if ((mask >>= 1) == 0 && i + 1 < w) {
                    bits = *++b;
                    mask = 0x80U;
                }
            }
        }
    }

    static void drawpattern(int x, int y, int w, unsigned char patt,
                            GrColor fg, GrColor bg)
    {
        const int fop = pixel_oper(fg), bop = pixel_oper(bg);
        unsigned mask = 0x80U;
        for (int i = 0; i < w; i++) {
            if (patt & mask)
                plot(x + i, y, fop, fg);
            else
                plot(x + i, y, bop, bg);
            if ((mask >>= 1) == 0)
                mask = 0x80U;
        }
    }

    static void bitblt(GrFrame *dst, int dx, int dy, GrFrame *src, int sx, int sy,
                       int w, int h, GrColor op)
    {
        _GR_rblit_14(dst, dx, dy, src, sx, sy, w, h, op, planes,
                     _GrFrDrvGenericBitBlt);
    }

    static GrColor *getindexedscanline(GrFrame *f, int x, int y, int w, int *indx)
    {
        return _GrReadScanline(w, indx, [&](int i) { return readpixel(f, x + i, y); });
    }
};

// The record of a bit-plane format: 2^27 pixels a plane at most, copies
// through the planar copy, scan lines written pixel by pixel.
template <int planes>
constexpr _GR_frameDriver planar_record(enum _GR_frameModes mode,
                                        GrColor *(*getscanline)(GrFrame *, int, int, int, int *))
{
    _GR_frameDriver r =
        _GrMemoryFrameDriver<Planar<planes>>(mode, planes, planes, int32_t{1} << 24);
    r.getindexedscanline = getscanline;
    return r;
}

}  // namespace pxl

#endif /* FDPLANAR_H_INCLUDED */
