// Random driver calls mirrored in the reference model, shared by the tests
// of every memory frame driver.
#include "fdrandom.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace fdt {

// What a driver's bitblt does, in model terms: the image range is the pixel
// copy (the 8-bit driver copies bytes in every mode); otherwise bit frames
// combine pixels and packed frames bytes.
void model_blit(const Layout &L, Model &dst, int dx, int dy, const Model &src, int sx, int sy,
                int w, int h, GrColor op)
{
    if ((op & GR_MODEMASK) == GR_IMAGE && L.bpp != 8)
        dst.copy_pixels(dx, dy, src, sx, sy, w, h, op);
    else if (bits(L))
        dst.copy(dx, dy, src, sx, sy, w, h, fdt::oper(op));
    else
        dst.copy_packed(dx, dy, src, sx, sy, w, h, op);
}

namespace {

// Mostly the four modes, sometimes the others; values often 0, all ones or
// grey (three equal bytes), sometimes with bits above the pixel.
GrColor random_colour(std::mt19937 &rng, const Layout &L)
{
    const uint32_t vm = value_mask(L);
    GrColor v;
    switch (rng() % 5) {
    case 0: v = 0; break;
    case 1: v = vm; break;
    case 2: v = (rng() & 0xFFU) * 0x010101U & vm; break;
    default: v = rng() & vm; break;
    }
    if (rng() % 6 == 0)
        v |= rng() & 0xFFFFFFU;
    GrColor mode = rng() % 5 ? rng() % 4 : rng() % 16;
    if (rng() % 10 == 0)
        mode |= 0x10;
    return v | mode << 24;
}

template <class T> T shown(T v) { return v; }
int shown(unsigned char v) { return v; }
const void *shown(unsigned char *p) { return p; }
template <class... A> void note(std::ostringstream &o, const char *slot, A... a)
{
    o << slot;
    ((o << ' ' << shown(a)), ...);
}
}  // namespace

// The driver slot and its model twin, called with the same arguments.
#define BOTH(slot, twin, ...) \
    (D.slot(__VA_ARGS__), t.m.twin(__VA_ARGS__), note(what, #slot, __VA_ARGS__))

// One random driver call on a or b (or between them), mirrored in the
// models; returns what it did.
std::string random_op(const GrFrameDriver &D, std::mt19937 &rng, Target a, Target b)
{
    const Layout &L = a.fr.L;
    std::ostringstream what;
    Target t = rng() % 4 ? a : b;
    const int W = t.fr.w, H = t.fr.h;
    t.fr.make_current();
    // BOTH evaluates its arguments twice: draw every random value first
    int x = pick(rng, 0, W - 1), y = pick(rng, 0, H - 1), w, h;
    const GrColor c = random_colour(rng, L), bg = random_colour(rng, L);
    what << "on " << W << "x" << H << ": ";
    switch (rng() % 12) {
    case 0:
        BOTH(drawpixel, pixel, x, y, c);
        break;
    case 1: {
        const int x0 = pick(rng, 0, W - 1), y0 = pick(rng, 0, H - 1);
        int x1 = pick(rng, 0, W - 1), y1 = pick(rng, 0, H - 1);
        if (rng() % 5 == 0) {
            x1 = x0;
        } else if (rng() % 4 == 0) {
            y1 = y0;
        } else if (rng() % 3 == 0) {  // a diagonal, either direction
            const int sx = rng() % 2 ? 1 : -1, sy = rng() % 2 ? 1 : -1;
            const int k = pick(rng, 0, std::min(sx > 0 ? W - 1 - x0 : x0, sy > 0 ? H - 1 - y0 : y0));
            x1 = x0 + sx * k, y1 = y0 + sy * k;
        }
        BOTH(drawline, line, x0, y0, x1 - x0, y1 - y0, c);
        break;
    }
    case 2:
        span(rng, W, rng() % 3 ? 70 : W, x, w);
        BOTH(drawhline, hline, x, y, w, c);
        break;
    case 3:
        span(rng, H, H, y, h);
        BOTH(drawvline, vline, x, y, h, c);
        break;
    case 4:
        span(rng, W, W, x, w), span(rng, H, H, y, h);
        if (rng() % 3 == 0) {  // whole rows: one run when rows have no gap
            x = 0, w = W;
        } else if (rng() % 2 && W >= 16) {  // whole bytes of bit frames
            x = 8 * pick(rng, 0, W / 8 - 1);
            w = 8 * pick(rng, 1, (W - x) / 8);
        }
        BOTH(drawblock, block, x, y, w, h, c);
        break;
    case 5: {
        span(rng, W, 70, x, w), span(rng, H, H, y, h);
        const int start = pick(rng, 0, 20), need = (start + w + 7) / 8;
        const int pitch = need + pick(rng, 0, 3), len = (h - 1) * pitch + need;
        Fenced bmp(len);  // the last byte used is the last one readable
        for (int i = 0; i < len; i++)
            bmp.data()[i] = static_cast<unsigned char>(rng());
        BOTH(drawbitmap, bitmap, x, y, w, h, bmp.data(), pitch, start, c, bg);
        break;
    }
    case 6: {
        span(rng, W, W, x, w);
        const unsigned char patt = static_cast<unsigned char>(rng());
        BOTH(drawpattern, pattern, x, y, w, patt, c, bg);
        break;
    }
    case 7: {
        span(rng, W, W, x, w);
        const GrColor key = rng() % 4 ? rng() & value_mask(L) : rng() & 0xFFFFFFU;
        const GrColor op = rng() % 3 ? GR_IMAGE | key : (rng() % 16) << 24;
        std::vector<GrColor> scl(w);
        for (GrColor &e : scl)
            e = (rng() % 4 ? rng() & value_mask(L) : key) | (rng() % 8 ? 0 : (rng() % 16) << 24);
        BOTH(putscanline, putscanline, x, y, w, scl.data(), op);
        break;
    }
    case 8: case 9: case 10: {
        Target s = rng() % 3 ? t : (&t.fr == &a.fr ? b : a);
        span(rng, std::min(W, s.fr.w), 70, x, w);
        span(rng, std::min(H, s.fr.h), 70, y, h);
        const int sx = pick(rng, 0, s.fr.w - w), sy = pick(rng, 0, s.fr.h - h);
        int dx = pick(rng, 0, W - w), dy = pick(rng, 0, H - h);
        if (&s.fr == &t.fr && rng() % 2) {  // overlapping, any direction
            dx = std::clamp(sx + pick(rng, -11, 11), 0, W - w);
            dy = std::clamp(sy + pick(rng, -3, 3), 0, H - h);
        }
        const int mode = rng() % 3 ? pick(rng, 0, 4) : pick(rng, 0, 15);
        GrColor op = GrColor(mode) << 24 | (rng() & 0xFFFFFFU);
        if (mode == 4 && rng() % 2)  // a key that occurs in the source
            op = GR_IMAGE | L.decode(s.m.at(sx + pick(rng, 0, w - 1), sy));
        if (rng() % 8 == 0)
            op |= GR_UNDERLINE_TEXT;  // leaves the image range
        D.bitblt(&t.fr.f, dx, dy, &s.fr.f, sx, sy, w, h, op);
        model_blit(L, t.m, dx, dy, s.m, sx, sy, w, h, op);
        note(what, &s.fr == &t.fr ? "bitblt within" : "bitblt from other", dx, dy, sx, sy, w, h, op);
        break;
    }
    default: {
        span(rng, W, W, x, w);
        std::vector<int> indx(w);
        for (int i = 0, v = 0; i < w; i++)
            indx[i] = v = rng() % 3 ? std::min(v + pick(rng, 0, 2), W - 1 - x) : pick(rng, 0, W - 1 - x);
        int *ix = rng() % 2 ? indx.data() : nullptr;
        note(what, "getindexedscanline", x, y, w, ix ? "indexed" : "");
        const GrColor *got = D.getindexedscanline(&t.fr.f, x, y, w, ix);
        const std::vector<GrColor> want = t.m.scanline(x, y, w, ix);
        if (got == nullptr || !std::equal(want.begin(), want.end(), got))
            what << " READ WRONG VALUES";
        break;
    }
    }
    note(what, " colours", c, bg);
    return what.str();
}
#undef BOTH

}  // namespace fdt
