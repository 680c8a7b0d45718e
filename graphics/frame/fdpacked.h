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

// Combines v into count pixels of type T (1, 2 or 4 bytes) at p: 64 bytes
// a step while they last, then 16, then 8, 4, 2 and 1 as the rest needs,
// every byte once. The colour repeats every 8 bytes, so each step takes its
// bytes from the start of the repeated pattern. (Four 16-byte steps a loop
// pass keep a row's loop from costing more than its stores.)
template <class Op, class T>
static inline void combine_run(unsigned char *p, size_t count, T v)
{
    typedef uint64_t vec __attribute__((vector_size(16)));
    uint64_t w = v;
    for (unsigned b = sizeof(T) * 8; b < 64; b *= 2)
        w |= w << b;
    const vec pat = {w, w};
    size_t n = count * sizeof(T);
    auto step = [&](unsigned char *q) {
        vec e;
        std::memcpy(&e, q, sizeof e);
        e = Op::apply(e, pat);
        std::memcpy(q, &e, sizeof e);
    };
    for (; n >= 64; n -= 64, p += 64) {
        step(p);
        step(p + 16);
        step(p + 32);
        step(p + 48);
    }
    for (; n >= 16; n -= 16, p += 16)
        step(p);
    auto piece = [&](auto e) {
        using E = decltype(e);
        std::memcpy(&e, p, sizeof e);
        e = Op::apply(e, static_cast<E>(w));
        std::memcpy(p, &e, sizeof e);
        p += sizeof e;
    };
    if (n & 8)
        piece(uint64_t{});
    if (n & 4)
        piece(uint32_t{});
    if (n & 2)
        piece(uint16_t{});
    if (n & 1)
        piece(uint8_t{});
}

// ---------------------------------------------------------------- formats

// A format: bytes per pixel, the stored form of a colour value, and the
// stored pixel with every bit set.
struct Fmt8 {
    enum { bytes = 1 };
    using word = uint8_t;
    static constexpr word ones = 0xFFU;
    static word encode(GrColor c) { return static_cast<word>(c); }
    static GrColor decode(word w) { return w; }
    static word get(const unsigned char *p) { return *p; }
    static void put(unsigned char *p, word v) { *p = v; }
};

// Whole pixels of 2 or 4 bytes, little-endian in memory.
template <class T, bool high> struct FmtWord {
    enum { bytes = sizeof(T) };
    using word = T;
    static constexpr word ones = static_cast<T>(~T{0});
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
    static constexpr word ones = 0xFFFFFFU;
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

// Byte i of entry b is all ones where bit 7 - i of b is set: eight
// bitmap bits as a mask of eight 8-bit pixels, the first at the lowest
// address (of a little-endian word, as all stored words here).
struct ByteMaskTable {
    uint64_t v[256];
    constexpr ByteMaskTable() : v()
    {
        for (int b = 0; b < 256; b++)
            for (int i = 0; i < 8; i++)
                if (b & (0x80 >> i))
                    v[b] |= uint64_t{0xFF} << (8 * i);
    }
};
inline constexpr ByteMaskTable kByteMask{};

// 16-byte vectors of 16- or 32-bit pixels: eight pixels are one or two
// vectors, lane j of vector k testing bit 7 - (k * count + j) of a bitmap
// byte.
template <class W> struct Lanes;
template <> struct Lanes<uint16_t> {
    typedef uint16_t vec __attribute__((vector_size(16)));
    enum { count = 8 };
    static constexpr vec bit[1] = {{0x80, 0x40, 0x20, 0x10, 8, 4, 2, 1}};
};
template <> struct Lanes<uint32_t> {
    typedef uint32_t vec __attribute__((vector_size(16)));
    enum { count = 4 };
    static constexpr vec bit[2] = {{0x80, 0x40, 0x20, 0x10}, {8, 4, 2, 1}};
};

// ---------------------------------------------------------------- engine

template <class F> struct Packed {
    using word = typename F::word;

    static unsigned char *addr(const GrFrame *f, int x, int y)
    {
        return f->gf_baseaddr[0] + static_cast<ptrdiff_t>(y) * f->gf_lineoffset +
               static_cast<ptrdiff_t>(x) * F::bytes;
    }
    static unsigned char *cur(int x, int y) { return addr(CURF, x, y); }

    // A colour that cannot change a stored pixel (XOR or OR with 0, AND with
    // all ones) is skipped before memory is touched.
    static bool active(GrColor c)
    {
        const word v = F::encode(c);
        switch (pixel_oper(c)) {
        case C_XOR:
        case C_OR:  return v != 0;
        case C_AND: return v != F::ones;
        default:    return true;
        }
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

    // Every write mode as an AND then an XOR of the stored pixel,
    // (old & a) ^ x: write (0, v), XOR (ones, v), OR (~v, v), AND (v, 0).
    // A colour that changes nothing is (ones, 0). Picking a and x per pixel
    // by its bitmap bit draws both colours of a bitmap, in any pair of
    // modes, in one pass and without a branch.
    struct AndXor {
        word a, x;
    };
    static AndXor and_xor(GrColor c)
    {
        const word v = F::encode(c);
        switch (pixel_oper(c)) {
        case C_XOR: return {F::ones, v};
        case C_OR:  return {static_cast<word>(~v & F::ones), v};
        case C_AND: return {v, 0};
        default:    return {0, v};
        }
    }

    // Pixels 0..n-1 (n <= 8) from p, pixel i for bit 7 - i of bits.
    template <bool Opaque>
    static void bitmap_pixels(unsigned char *p, unsigned bits, int n, AndXor fg, AndXor bg)
    {
        for (int i = 0; i < n; i++, p += F::bytes) {
            const word m = static_cast<word>(0U - ((bits >> (7 - i)) & 1U));
            const word a = static_cast<word>((fg.a & m) | (bg.a & ~m));
            const word x = static_cast<word>((fg.x & m) | (bg.x & ~m));
            F::put(p, Opaque ? x : static_cast<word>((F::get(p) & a) ^ x));
        }
    }

    // Eight pixels from p for the eight bits of a bitmap byte. 8-bit
    // pixels are one 64-bit word, the bits spread to byte masks by a
    // table; 16- and 32-bit pixels are 16-byte vectors whose lanes test
    // their own bit.
    template <bool Opaque>
    static void bitmap_byte(unsigned char *p, unsigned bits, AndXor fg, AndXor bg)
    {
        if constexpr (F::bytes == 1) {
            typedef typename Unaligned<uint64_t>::type u64;
            const uint64_t m = kByteMask.v[bits], k = 0x0101010101010101U;
            const uint64_t x = (fg.x * k & m) | (bg.x * k & ~m);
            u64 *q = reinterpret_cast<u64 *>(p);
            if (Opaque) {
                *q = x;
            } else {
                const uint64_t a = (fg.a * k & m) | (bg.a * k & ~m);
                *q = (static_cast<uint64_t>(*q) & a) ^ x;
            }
        } else if constexpr (F::bytes == 2 || F::bytes == 4) {
            using L = Lanes<word>;
            using V = typename L::vec;
            const word b = static_cast<word>(bits);
            for (int k = 0; k < 8 / L::count; k++, p += sizeof(V)) {
                const V m = reinterpret_cast<V>((b & L::bit[k]) != 0);
                const V x = (fg.x & m) | (bg.x & ~m);
                V r = x;
                if (!Opaque) {
                    std::memcpy(&r, p, sizeof r);
                    r = (r & ((fg.a & m) | (bg.a & ~m))) ^ x;
                }
                std::memcpy(p, &r, sizeof r);
            }
        } else {
            bitmap_pixels<Opaque>(p, bits, 8, fg, bg);
        }
    }

    // Rows of w pixels from bit `start` of each bitmap row; a bitmap byte
    // is read only where a pixel needs it. Rows of whole bitmap bytes (most
    // glyphs) take a loop of their own; Bytes > 0 fixes their count.
    template <bool Opaque, int Bytes>
    static void bitmap_rows(unsigned char *prow, ptrdiff_t lo, int w, int h,
                            const unsigned char *brow, int pitch, int start, AndXor fg,
                            AndXor bg)
    {
        const int sh = start & 7;
        brow += start >> 3;
        if (Bytes > 0 || (sh == 0 && w % 8 == 0)) {
            const int n = Bytes > 0 ? Bytes : w / 8;
            for (int r = 0; r < h; r++, prow += lo, brow += pitch)
                for (int i = 0; i < n; i++)
                    bitmap_byte<Opaque>(prow + 8 * i * F::bytes, brow[i], fg, bg);
            return;
        }
        for (int r = 0; r < h; r++, prow += lo, brow += pitch) {
            const unsigned char *b = brow;
            unsigned char *p = prow;
            int n = w;
            for (; n >= 8; n -= 8, b++, p += 8 * F::bytes)
                bitmap_byte<Opaque>(p, (b[0] << sh | b[1] >> (8 - sh)) & 0xFFU, fg, bg);
            if (n > 0) {
                unsigned bits = b[0] << sh;
                if (n > 8 - sh)
                    bits |= b[1] >> (8 - sh);
                bitmap_pixels<Opaque>(p, bits & 0xFFU, n, fg, bg);
            }
        }
    }

    template <bool Opaque>
    static void bitmap(unsigned char *p, ptrdiff_t lo, int w, int h, const unsigned char *bmp,
                       int pitch, int start, AndXor fg, AndXor bg)
    {
        // the glyphs of the 8- and 16-pixel fonts, upright and turned
        if (start % 8 == 0 && w == 8)
            bitmap_rows<Opaque, 1>(p, lo, w, h, bmp, pitch, start, fg, bg);
        else if (start % 8 == 0 && w == 16)
            bitmap_rows<Opaque, 2>(p, lo, w, h, bmp, pitch, start, fg, bg);
        else
            bitmap_rows<Opaque, 0>(p, lo, w, h, bmp, pitch, start, fg, bg);
    }

    static void drawbitmap(int x, int y, int w, int h, const unsigned char *bmp,
                           int pitch, int start, GrColor fg, GrColor bg)
    {
        const AndXor f = and_xor(fg), b = and_xor(bg);
        if (f.a == F::ones && f.x == 0 && b.a == F::ones && b.x == 0)
            return;  // neither colour changes anything
        unsigned char *p = cur(x, y);
        const ptrdiff_t lo = CURF->gf_lineoffset;
        if (f.a == 0 && b.a == 0)  // both written: no pixel needs reading
            bitmap<true>(p, lo, w, h, bmp, pitch, start, f, b);
        else
            bitmap<false>(p, lo, w, h, bmp, pitch, start, f, b);
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
