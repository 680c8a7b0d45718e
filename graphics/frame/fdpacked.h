/*
 * fdpacked.h - the pixel engine shared by the packed memory frame drivers.
 *
 * Formats that differ only in pixel width are one template instantiated per
 * format: a format class says how a pixel is stored; the write modes are
 * small function classes so that every inner loop is specialised for one
 * mode and the mode is decoded once per call.
 */
#ifndef FDPACKED_H_INCLUDED
#define FDPACKED_H_INCLUDED

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "libpxl.h"

namespace pxl {

// ---------------------------------------------------------------- write modes

struct OpWrite { template <class T> static T apply(T, T s) { return s; } };
struct OpXor   { template <class T> static T apply(T d, T s) { return d ^ s; } };
struct OpOr    { template <class T> static T apply(T d, T s) { return d | s; } };
struct OpAnd   { template <class T> static T apply(T d, T s) { return d & s; } };

// Operation of a colour for pixel writing; anything beyond AND writes.
static inline int pixel_oper(GrColor c)
{
    int op = C_OPER(c);
    return op <= C_AND ? op : C_WRITE;
}

// Calls f(Op()) for the write mode op (0..3): one specialised loop a mode.
template <class F> static inline void with_oper(int op, F &&f)
{
    switch (op) {
    case C_XOR: f(OpXor()); break;
    case C_OR:  f(OpOr());  break;
    case C_AND: f(OpAnd()); break;
    default:    f(OpWrite()); break;
    }
}

// Frame memory is plain bytes: pixel-sized access must be allowed to alias
// it and to sit at any address.
template <class T> struct Unaligned {
    typedef T type __attribute__((may_alias, aligned(1)));
};

// Combines v into count pixels of type T at p. A plain loop: the compiler
// vectorises it better than hand-made word steps.
template <class Op, class T>
static inline void combine_run(unsigned char *p, size_t count, T v)
{
    typename Unaligned<T>::type *q = reinterpret_cast<typename Unaligned<T>::type *>(p);
    for (size_t i = 0; i < count; i++)
        q[i] = Op::apply(static_cast<T>(q[i]), v);
}

// ---------------------------------------------------------------- formats

// A format: bytes per pixel, the stored form of a colour value, and whether
// runs skip colours that cannot change a pixel (the 8-bit table).
struct Fmt8 {
    enum { bytes = 1 };
    using word = uint8_t;
    static constexpr bool noeffect_skip = true;
    static word encode(GrColor c) { return static_cast<word>(c); }
    static GrColor decode(word w) { return w; }
    static word get(const unsigned char *p) { return *p; }
    static void put(unsigned char *p, word v) { *p = v; }
};

// Whole pixels of 2 or 4 bytes, little-endian in memory.
template <class T, bool high> struct FmtWord {
    enum { bytes = sizeof(T) };
    using word = T;
    static constexpr bool noeffect_skip = false;
    // 32H keeps the colour in the top three bytes, the low byte spare
    static word encode(GrColor c)
    {
        return high ? static_cast<word>(c << 8)
                    : static_cast<word>(sizeof(T) == 4 ? (c & GR_VALUEMASK) : c);
    }
    static GrColor decode(word w)
    {
        return high ? static_cast<GrColor>(w >> 8)
                    : static_cast<GrColor>(sizeof(T) == 4 ? (w & GR_VALUEMASK) : w);
    }
    static word get(const unsigned char *p)
    {
        return *reinterpret_cast<const typename Unaligned<T>::type *>(p);
    }
    static void put(unsigned char *p, word v)
    {
        *reinterpret_cast<typename Unaligned<T>::type *>(p) = v;
    }
};
using Fmt16 = FmtWord<uint16_t, false>;
using Fmt32L = FmtWord<uint32_t, false>;
using Fmt32H = FmtWord<uint32_t, true>;

// Three bytes a pixel, blue (bits 0-7) first.
struct Fmt24 {
    enum { bytes = 3 };
    using word = uint32_t;
    static constexpr bool noeffect_skip = false;
    static word encode(GrColor c) { return c & GR_VALUEMASK; }
    static GrColor decode(word w) { return w; }
    static word get(const unsigned char *p)
    {
        return p[0] | (static_cast<word>(p[1]) << 8) | (static_cast<word>(p[2]) << 16);
    }
    static void put(unsigned char *p, word v)
    {
        p[0] = static_cast<unsigned char>(v);
        p[1] = static_cast<unsigned char>(v >> 8);
        p[2] = static_cast<unsigned char>(v >> 16);
    }
};

// Combines 3-byte pixels in 24-byte steps (eight pixels, three 64-bit
// words), so a fill runs at word speed whatever the colour.
template <class Op>
static inline void combine_run24(unsigned char *p, size_t count, uint32_t v)
{
    unsigned char pat[24];
    for (int i = 0; i < 24; i += 3) {
        pat[i] = static_cast<unsigned char>(v);
        pat[i + 1] = static_cast<unsigned char>(v >> 8);
        pat[i + 2] = static_cast<unsigned char>(v >> 16);
    }
    uint64_t w[3];
    std::memcpy(w, pat, sizeof w);
    typedef typename Unaligned<uint64_t>::type u64;
    size_t bytes = count * 3;
    for (; bytes >= 24; bytes -= 24, p += 24) {
        u64 *q = reinterpret_cast<u64 *>(p);
        q[0] = Op::apply(static_cast<uint64_t>(q[0]), w[0]);
        q[1] = Op::apply(static_cast<uint64_t>(q[1]), w[1]);
        q[2] = Op::apply(static_cast<uint64_t>(q[2]), w[2]);
    }
    for (size_t i = 0; i < bytes; i++)
        p[i] = Op::apply(p[i], pat[i]);
}

// ---------------------------------------------------------------- engine

template <class F> struct Packed {
    using word = typename F::word;

    static unsigned char *addr(const GrFrame *f, int x, int y)
    {
        return f->gf_baseaddr[0] + static_cast<ptrdiff_t>(y) * f->gf_lineoffset +
               static_cast<ptrdiff_t>(x) * F::bytes;
    }
    static unsigned char *cur(int x, int y) { return addr(CURF, x, y); }

    // A colour that cannot change a pixel is skipped where the format says so.
    static bool active(GrColor c)
    {
        if (!F::noeffect_skip)
            return true;
        return (c & 0xFFU) != _GrFDdotable8[pixel_oper(c)];
    }

    static void put(unsigned char *p, int op, word v)
    {
        switch (op) {
        case C_XOR: F::put(p, F::get(p) ^ v); break;
        case C_OR:  F::put(p, F::get(p) | v); break;
        case C_AND: F::put(p, F::get(p) & v); break;
        default:    F::put(p, v); break;
        }
    }

    // Writes n pixels of 2 or 4 bytes at an address that is a multiple of
    // the pixel size: the colour repeats every 8 bytes, so long runs are
    // stores of one 64-bit word. On x86-64 the string store writes whole
    // cache lines without reading them first.
    static void fill_words(unsigned char *p, size_t n, word v)
    {
        for (; n > 0 && (reinterpret_cast<uintptr_t>(p) & 7U) != 0; n--, p += F::bytes)
            F::put(p, v);
        uint64_t w = v;
        for (unsigned b = F::bytes * 8; b < 64; b *= 2)
            w |= w << b;
        size_t words = n * F::bytes / 8;
        n -= words * 8 / F::bytes;
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
        __asm__ volatile("rep stosq" : "+D"(p), "+c"(words) : "a"(w) : "memory");
#else
        typedef typename Unaligned<uint64_t>::type u64;
        for (; words > 0; words--, p += 8)
            *reinterpret_cast<u64 *>(p) = w;
#endif
        for (; n > 0; n--, p += F::bytes)
            F::put(p, v);
    }

    // Combines v into n pixels at p. Long writes use string stores; the
    // rest are plain loops that the compiler vectorises.
    template <class Op> static void row(unsigned char *p, size_t n, word v)
    {
        const bool write = std::is_same<Op, OpWrite>::value;
        if (write && F::bytes == 1)
            std::memset(p, static_cast<int>(v), n);
        else if (write && F::bytes == 3 && static_cast<uint32_t>(v) == (v & 0xFFU) * 0x010101U)
            std::memset(p, static_cast<int>(v & 0xFFU), 3 * n);  // grey: one byte value
        else if (F::bytes == 3)
            combine_run24<Op>(p, n, v);
        // (a pixel off its natural alignment never reaches a word boundary)
        else if (write && n * F::bytes >= 2048 &&
                 reinterpret_cast<uintptr_t>(p) % F::bytes == 0)
            fill_words(p, n, v);
        else
            combine_run<Op, word>(p, n, v);
    }

    static GrColor readpixel(GrFrame *f, int x, int y)
    {
        return F::decode(F::get(addr(f, x, y)));
    }

    static void drawpixel(int x, int y, GrColor c)
    {
        put(cur(x, y), pixel_oper(c), F::encode(c));
    }

    static void drawline(int x, int y, int dx, int dy, GrColor c)
    {
        if (dx < 0) {
            x += dx; y += dy;
            dx = -dx; dy = -dy;
        }
        ptrdiff_t ystep = CURF->gf_lineoffset;
        if (dy < 0) {
            dy = -dy;
            ystep = -ystep;
        }
        unsigned char *p = cur(x, y);
        const word v = F::encode(c);
        with_oper(pixel_oper(c), [&](auto opv) {
            using Op = decltype(opv);
            // err < 0 selects the minor step without a branch
            if (dx > dy) {
                int err = dx >> 1;
                for (int i = 0; i <= dx; i++) {
                    F::put(p, Op::apply(F::get(p), v));
                    err -= dy;
                    int m = err >> 31;
                    err += dx & m;
                    p += (ystep & m) + F::bytes;
                }
            } else {
                int err = dy >> 1;
                for (int i = 0; i <= dy; i++) {
                    F::put(p, Op::apply(F::get(p), v));
                    err -= dx;
                    int m = err >> 31;
                    err += dy & m;
                    p += (F::bytes & m) + ystep;
                }
            }
        });
    }

    static void drawhline(int x, int y, int w, GrColor c)
    {
        if (!active(c))
            return;
        unsigned char *p = cur(x, y);
        const word v = F::encode(c);
        const size_t n = static_cast<size_t>(w);
        switch (pixel_oper(c)) {
        case C_XOR: row<OpXor>(p, n, v); break;
        case C_OR:  row<OpOr>(p, n, v);  break;
        case C_AND: row<OpAnd>(p, n, v); break;
        default:    row<OpWrite>(p, n, v); break;
        }
    }

    static void drawvline(int x, int y, int h, GrColor c)
    {
        if (!active(c))
            return;
        unsigned char *p = cur(x, y);
        const ptrdiff_t lo = CURF->gf_lineoffset;
        const word v = F::encode(c);
        with_oper(pixel_oper(c), [&](auto opv) {
            using Op = decltype(opv);
            for (int i = 0; i < h; i++, p += lo)
                F::put(p, Op::apply(F::get(p), v));
        });
    }

    static void drawblock(int x, int y, int w, int h, GrColor c)
    {
        if (!active(c))
            return;
        unsigned char *p = cur(x, y);
        const ptrdiff_t lo = CURF->gf_lineoffset;
        const word v = F::encode(c);
        // rows that follow each other without a gap are one long run
        size_t n = static_cast<size_t>(w);
        if (static_cast<ptrdiff_t>(w) * F::bytes == lo) {
            n *= static_cast<size_t>(h);
            h = 1;
        }
        with_oper(pixel_oper(c), [&](auto opv) {
            using Op = decltype(opv);
            for (int i = 0; i < h; i++, p += lo)
                row<Op>(p, n, v);
        });
    }

    // One pass over a w x h bitmap, combining v where the bit equals want.
    template <class Op>
    static void bitmap_pass(int x, int y, int w, int h, const unsigned char *bmp,
                            int pitch, int start, word v, bool want)
    {
        const ptrdiff_t lo = CURF->gf_lineoffset;
        unsigned char *prow = cur(x, y);
        const unsigned char *brow = bmp + (start >> 3);
        const unsigned first = 0x80U >> (start & 7);
        for (int r = 0; r < h; r++, prow += lo, brow += pitch) {
            const unsigned char *b = brow;
            unsigned bits = *b, mask = first;
            unsigned char *p = prow;
            for (int i = 0; i < w; i++, p += F::bytes) {
                if (((bits & mask) != 0) == want)
                    F::put(p, Op::apply(F::get(p), v));
                if ((mask >>= 1) == 0 && i + 1 < w) {
                    bits = *++b;
                    mask = 0x80U;
                }
            }
        }
    }

    // Both colours in one mode: a single pass picks fg or bg per bit.
    template <class Op>
    static void bitmap_both(int x, int y, int w, int h, const unsigned char *bmp,
                            int pitch, int start, word fg, word bg)
    {
        const ptrdiff_t lo = CURF->gf_lineoffset;
        unsigned char *prow = cur(x, y);
        const unsigned char *brow = bmp + (start >> 3);
        const unsigned first = 0x80U >> (start & 7);
        for (int r = 0; r < h; r++, prow += lo, brow += pitch) {
            const unsigned char *b = brow;
            unsigned bits = *b, mask = first;
            unsigned char *p = prow;
            for (int i = 0; i < w; i++, p += F::bytes) {
                F::put(p, Op::apply(F::get(p), (bits & mask) ? fg : bg));
                if ((mask >>= 1) == 0 && i + 1 < w) {
                    bits = *++b;
                    mask = 0x80U;
                }
            }
        }
    }

    static void drawbitmap(int x, int y, int w, int h, const unsigned char *bmp,
                           int pitch, int start, GrColor fg, GrColor bg)
    {
        const bool fga = active(fg), bga = active(bg);
        const int fop = pixel_oper(fg), bop = pixel_oper(bg);
        if (fga && bga && fop == bop) {
            const word fv = F::encode(fg), bv = F::encode(bg);
            with_oper(fop, [&](auto opv) {
                bitmap_both<decltype(opv)>(x, y, w, h, bmp, pitch, start, fv, bv);
            });
            return;
        }
        // Row by row, as each row's passes are independent of other rows.
        for (int r = 0; r < h; r++) {
            const unsigned char *brow = bmp + static_cast<ptrdiff_t>(r) * pitch;
            if (fga)
                one_pass(fop, x, y + r, w, brow, start, F::encode(fg), true);
            if (bga)
                one_pass(bop, x, y + r, w, brow, start, F::encode(bg), false);
        }
    }

    static void one_pass(int op, int x, int y, int w, const unsigned char *brow,
                         int start, word v, bool want)
    {
        with_oper(op, [&](auto opv) {
            bitmap_pass<decltype(opv)>(x, y, w, 1, brow, 0, start, v, want);
        });
    }

    static void drawpattern(int x, int y, int w, unsigned char patt,
                            GrColor fg, GrColor bg)
    {
        // Each pixel takes its colour's own mode; repeat the 8-bit row.
        unsigned char *p = cur(x, y);
        const int fop = pixel_oper(fg), bop = pixel_oper(bg);
        const word fv = F::encode(fg), bv = F::encode(bg);
        unsigned mask = 0x80U;
        for (int i = 0; i < w; i++, p += F::bytes) {
            if (patt & mask)
                put(p, fop, fv);
            else
                put(p, bop, bv);
            if ((mask >>= 1) == 0)
                mask = 0x80U;
        }
    }

    // Copies: a transparent key needs whole pixels; anything else is a
    // byte copy of the same rectangle.
    static void bitblt(GrFrame *dst, int dx, int dy, GrFrame *src, int sx, int sy,
                       int w, int h, GrColor op)
    {
        if ((op & GR_MODEMASK) == GR_IMAGE)
            _GrFrDrvGenericBitBlt(dst, dx, dy, src, sx, sy, w, h, op);
        else
            _GrFrDrvPackedBitBltR2R(dst, dx * F::bytes, dy, src, sx * F::bytes, sy,
                                    w * F::bytes, h, op);
    }

    static GrColor *getindexedscanline(GrFrame *f, int x, int y, int w, int *indx)
    {
        const unsigned char *p = addr(f, x, y);
        return _GrReadScanline(w, indx, [&](int i) {
            return F::decode(F::get(p + static_cast<ptrdiff_t>(i) * F::bytes));
        });
    }

    static void putscanline(int x, int y, int w, const GrColor *scl, GrColor op)
    {
        const GrColor skip = op ^ GR_IMAGE, mode = op & GR_MODEMASK;
        unsigned char *p = cur(x, y);
        for (int i = 0; i < w; i++, p += F::bytes) {
            if (scl[i] == skip)
                continue;
            const GrColor c = scl[i] | mode;
            put(p, pixel_oper(c), F::encode(c));
        }
    }
};

// The record of a packed format: its own drawing and copies, the generic
// scan lines; 2^27 pixels a plane at most.
template <class F>
constexpr _GR_frameDriver packed_record(enum _GR_frameModes mode, int bpp)
{
    return _GrMemoryFrameDriver<Packed<F>>(mode, 1, bpp,
                                           static_cast<int32_t>(int64_t{1} << 27) * F::bytes);
}

}  // namespace pxl

#endif /* FDPACKED_H_INCLUDED */
