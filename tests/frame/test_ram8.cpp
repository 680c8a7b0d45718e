// The 8-bit memory frame driver against the reference model.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "fdmodel.h"
#include "libpxl.h"

using fdt::Fenced;
using fdt::kL8;
using fdt::MemFrame;
using fdt::Model;
using fdt::pick;
using fdt::span;

namespace {

const GrFrameDriver &D = _GrFrameDriverRAM8;

// Mostly the four modes, sometimes the others; values often the ones that
// have no effect, sometimes with bits above the pixel or the text bit.
GrColor random_colour(std::mt19937 &rng)
{
    GrColor v;
    switch (rng() % 4) {
    case 0: v = 0; break;
    case 1: v = 255; break;
    default: v = rng() & 0xFFU; break;
    }
    if (rng() % 6 == 0)
        v |= rng() & 0xFFFF00U;
    GrColor mode = rng() % 5 ? rng() % 4 : rng() % 16;
    if (rng() % 10 == 0)
        mode |= 0x10;
    return v | mode << 24;
}

struct Target {
    MemFrame &fr;
    Model &m;
};

// Arguments as they are worth printing: bytes as numbers, buffers as addresses.
template <class T> T shown(T v) { return v; }
int shown(unsigned char v) { return v; }
const void *shown(unsigned char *p) { return p; }
template <class... A> void note(std::ostringstream &o, const char *slot, A... a)
{
    o << slot;
    ((o << ' ' << shown(a)), ...);
}
// The driver slot and its model twin, called with the same arguments.
#define BOTH(slot, twin, ...) \
    (D.slot(__VA_ARGS__), t.m.twin(__VA_ARGS__), note(what, #slot, __VA_ARGS__))

// One random driver call on a or b (or between them), mirrored in the
// models; returns what it did.
std::string random_op(std::mt19937 &rng, Target a, Target b)
{
    std::ostringstream what;
    Target t = rng() % 4 ? a : b;
    const int W = t.fr.w, H = t.fr.h;
    t.fr.make_current();
    // BOTH evaluates its arguments twice: draw every random value first
    int x = pick(rng, 0, W - 1), y = pick(rng, 0, H - 1), w, h;
    const GrColor c = random_colour(rng), bg = random_colour(rng);
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
        span(rng, W, 70, x, w);
        BOTH(drawhline, hline, x, y, w, c);
        break;
    case 3:
        span(rng, H, H, y, h);
        BOTH(drawvline, vline, x, y, h, c);
        break;
    case 4:
        span(rng, W, W, x, w), span(rng, H, H, y, h);
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
        const GrColor key = rng() % 4 ? rng() & 0xFFU : rng() & 0xFFFFFFU;
        const GrColor op = rng() % 3 ? GR_IMAGE | key : (rng() % 16) << 24;
        std::vector<GrColor> scl(w);
        for (GrColor &e : scl)
            e = (rng() % 4 ? rng() & 0xFFU : key) | (rng() % 8 ? 0 : (rng() % 16) << 24);
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
            dx = std::clamp(sx + pick(rng, -5, 5), 0, W - w);
            dy = std::clamp(sy + pick(rng, -3, 3), 0, H - h);
        }
        const int mode = rng() % 3 ? pick(rng, 0, 4) : pick(rng, 0, 15);
        GrColor op = GrColor(mode) << 24 | (rng() & 0xFFFFFFU);
        if (mode == 4 && rng() % 2)  // a key that occurs in the source
            op = GR_IMAGE | s.m.at(sx + pick(rng, 0, w - 1), sy);
        D.bitblt(&t.fr.f, dx, dy, &s.fr.f, sx, sy, w, h, op);
        t.m.copy_packed(dx, dy, s.m, sx, sy, w, h, op);
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

TEST(Ram8, RandomOperationsMatchModel)
{
    struct {
        const char *name;
        int w, h, lo, place, shift;
    } configs[] = {
        {"padded rows", 83, 17, 96, MemFrame::kPadded, 0},
        {"padded rows, odd base", 83, 17, 92, MemFrame::kPadded, 3},
        {"last pixel before a fence", 83, 9, 83, MemFrame::kAtEnd, 0},
        {"first pixel after a fence", 83, 9, 83, MemFrame::kAtStart, 0},
    };
    for (const auto &cf : configs) {
        SCOPED_TRACE(cf.name);
        std::mt19937 rng(1234);
        MemFrame fa(kL8, &D, cf.w, cf.h, cf.lo, MemFrame::Place(cf.place), cf.shift);
        MemFrame fb(kL8, &D, 61, 13, 68, MemFrame::kPadded, 5);
        Model ma = fa.randomize(rng), mb = fb.randomize(rng);
        for (int n = 0; n < 4000; n++) {
            const std::string what = random_op(rng, {fa, ma}, {fb, mb});
            ASSERT_EQ(what.find("WRONG"), std::string::npos) << "op " << n << ": " << what;
            ASSERT_TRUE(fa.matches(ma)) << "op " << n << ": " << what;
            ASSERT_TRUE(fb.matches(mb)) << "op " << n << ": " << what;
        }
    }
}

TEST(Ram8, RecordAndDriverTable)
{
    EXPECT_EQ(int(D.mode), 19);
    EXPECT_EQ(D.rmode, GR_frameUndef);
    EXPECT_EQ(std::vector<int>({D.is_video, D.row_align, D.num_planes, D.bits_per_pixel}),
              std::vector<int>({0, 4, 1, 8}));
    EXPECT_EQ(D.max_plane_size, 134217728);
    EXPECT_EQ(D.init, nullptr);
    EXPECT_EQ(D.bitblt, &_GrFrDrvPackedBitBltR2R);
    EXPECT_EQ(D.bltv2r, nullptr);
    EXPECT_EQ(D.bltr2v, nullptr);
    EXPECT_TRUE(D.readpixel && D.drawpixel && D.drawline && D.drawhline && D.drawvline &&
                D.drawblock && D.drawbitmap && D.drawpattern && D.getindexedscanline &&
                D.putscanline);
    EXPECT_EQ(std::vector<uint32_t>(_GrFDdotable8, _GrFDdotable8 + 4),
              std::vector<uint32_t>({65535, 0, 0, 255}));

    int n = 0, found = 0;
    for (; _GrFrameDriverTable[n] != nullptr; n++) {
        ASSERT_LT(n, 32) << "table not terminated";
        found += _GrFrameDriverTable[n] == &_GrFrameDriverRAM8;
    }
    EXPECT_EQ(found, 1);
}

TEST(Ram8, RunsCombineEveryByteExactlyOnce)
{
    // The plane base is 8-byte aligned, so x = 0..7 covers every alignment.
    MemFrame fr(kL8, &D, 56, 3, 64);
    std::mt19937 rng(5);
    Model m = fr.randomize(rng);
    fr.make_current();
    for (GrColor c : {GR_XOR | 0xFFU, GR_XOR | 0x5AU, GR_WRITE | 0x3CU, GR_OR | 0x81U,
                      GR_AND | 0x7EU, 0x09000000U | 0x42U})
        for (int x = 0; x < 8; x++)
            for (int w = 1; w <= 40; w++) {
                D.drawhline(x, 1, w, c);
                m.hline(x, 1, w, c);
                D.drawblock(x + 3, 0, w, 3, c);
                m.block(x + 3, 0, w, 3, c);
                ASSERT_TRUE(fr.matches(m)) << std::hex << c << std::dec << " x " << x << " w " << w;
            }

    // By hand: an aligned write of 16 sets exactly 16 bytes; XOR inverts.
    MemFrame z(kL8, &D, 24, 1, 24);
    z.load(Model(kL8, 24, 1));
    z.make_current();
    D.drawhline(0, 0, 16, 0xA7);
    D.drawhline(1, 0, 21, GR_XOR | 0xFF);
    std::vector<uint32_t> want(24, 0);
    std::fill(want.begin(), want.begin() + 22, 0xFFU);
    std::fill(want.begin(), want.begin() + 16, 0x58U);
    want[0] = 0xA7;
    EXPECT_EQ(z.snapshot().px, want);
}

TEST(Ram8, ColoursWithoutEffectTouchNoMemory)
{
    MemFrame fr(kL8, &D, 40, 8, 44);
    std::mt19937 rng(9);
    Model m = fr.randomize(rng);
    fr.make_current();
    const unsigned char bmp[16] = {0xF0, 0x0F, 0xAA, 0x55, 0x12, 0x34, 0x56, 0x78,
                                   0x9A, 0xBC, 0xDE, 0xF0, 0x01, 0x80, 0xFF, 0x00};
    // The frame is made inaccessible: skipping must happen before any access.
    for (GrColor c : {GR_XOR | 0U, GR_OR | 0U, GR_AND | 255U, GR_NOCOLOR, GR_XOR | 0x1200U,
                      GR_AND | 0xFFFFFFU, GR_UNDERLINE_TEXT | GR_OR | 0x4400U}) {
        fr.protect(true);
        D.drawhline(3, 2, 30, c);
        D.drawvline(5, 0, 8, c);
        D.drawblock(1, 1, 37, 6, c);
        D.drawbitmap(0, 0, 40, 4, bmp, 2, 5, c, c);
        D.drawbitmap(0, 0, 40, 4, bmp, 2, 5, c, GR_AND | 0xFF);
        fr.protect(false);
    }
    EXPECT_TRUE(fr.matches(m));

    // GR_NOCOLOR changes no pixel through any drawing slot.
    const GrColor nc = GR_NOCOLOR;
    const std::vector<GrColor> scl(40, GR_NOCOLOR);
    D.drawpixel(4, 4, nc);
    D.drawline(0, 0, 39, 7, nc);
    D.drawline(39, 0, -20, 7, nc);
    D.drawpattern(0, 3, 40, 0xA5, nc, nc);
    D.putscanline(0, 5, 40, scl.data(), GR_WRITE);
    EXPECT_TRUE(fr.matches(m));

    // Only modes 0..3 consult the table: all other mode bits write, even
    // with the values that do nothing for XOR, OR and AND.
    for (GrColor mode = 4; mode < 16; mode++)
        for (GrColor v : {0U, 255U}) {
            const GrColor c = mode << 24 | v;
            D.drawhline(mode, 0, 9, c);
            m.hline(mode, 0, 9, c);
            D.drawvline(mode + 20, 0, 8, c);
            m.vline(mode + 20, 0, 8, c);
            D.drawblock(2, 2, 30, 3, c);
            m.block(2, 2, 30, 3, c);
            D.drawbitmap(1, 5, 35, 3, bmp, 5, 3, c ^ 0xFF, c);
            m.bitmap(1, 5, 35, 3, bmp, 5, 3, c ^ 0xFF, c);
            ASSERT_TRUE(fr.matches(m)) << std::hex << c;
        }
    // a write with colour 0 clears the run
    D.drawhline(3, 1, 20, GR_WRITE | 0);
    for (int x = 3; x < 23; x++)
        EXPECT_EQ(fr.get(x, 1), 0U);
}

// Pixels changed between two snapshots.
std::vector<std::pair<int, int>> changed(const Model &a, const Model &b)
{
    std::vector<std::pair<int, int>> out;
    for (int y = 0; y < a.h; y++)
        for (int x = 0; x < a.w; x++)
            if (a.at(x, y) != b.at(x, y))
                out.push_back({x, y});
    return out;
}

TEST(Ram8, LinesTakeTheStatedBresenhamSteps)
{
    using P = std::vector<std::pair<int, int>>;
    MemFrame fr(kL8, &D, 30, 30, 32);
    const Model zero(kL8, 30, 30);
    fr.make_current();
    auto xor_line = [&](int x, int y, int dx, int dy) {
        fr.load(zero);
        D.drawline(x, y, dx, dy, GR_XOR | 0xFF);
        return changed(zero, fr.snapshot());
    };
    EXPECT_EQ(xor_line(7, 9, 0, 0), (P{{7, 9}}));
    // x-major and y-major, worked out by hand
    EXPECT_EQ(xor_line(1, 1, 5, 2), (P{{1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 3}, {6, 3}}));
    EXPECT_EQ(xor_line(1, 1, 2, 5), (P{{1, 1}, {1, 2}, {2, 3}, {2, 4}, {3, 5}, {3, 6}}));
    // dx = dy goes y-major: exactly the diagonal
    EXPECT_EQ(xor_line(3, 4, 4, 4), (P{{3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8}}));
    // a negative dx starts from the other end
    EXPECT_EQ(xor_line(15, 10, -5, 3), xor_line(10, 13, 5, -3));

    // Every direction: an XOR line inverts max(|dx|, |dy|) + 1 distinct
    // pixels including both ends, and matches the model.
    for (int dx = -9; dx <= 9; dx++)
        for (int dy = -9; dy <= 9; dy++) {
            const P got = xor_line(12, 12, dx, dy);
            ASSERT_EQ(int(got.size()), std::max(std::abs(dx), std::abs(dy)) + 1) << dx << "," << dy;
            EXPECT_EQ(std::count(got.begin(), got.end(), std::make_pair(12, 12)) +
                          std::count(got.begin(), got.end(), std::make_pair(12 + dx, 12 + dy)),
                      2);  // both ends
            Model m = zero;
            m.line(12, 12, dx, dy, GR_XOR | 0xFF);
            ASSERT_TRUE(fr.matches(m)) << dx << "," << dy;
        }
}

// Row y of a frame as a string of pixel values 0..9.
std::string row_digits(const MemFrame &fr, int y, int x0, int n)
{
    std::string s;
    for (int x = x0; x < x0 + n; x++)
        s += static_cast<char>('0' + fr.get(x, y));
    return s;
}

TEST(Ram8, BitmapsAndPatternsReadBitsMostSignificantFirst)
{
    MemFrame fr(kL8, &D, 24, 4, 24);
    const Model zero(kL8, 24, 4);
    fr.load(zero);
    fr.make_current();
    // start 3: first pixel is mask 16 of byte 0; w 12 takes the 5 bits left
    // in byte 0 and 7 bits of byte 1. Nothing past byte 1 may be read.
    Fenced two(2);
    two.data()[0] = 0xE0 | 0x15;  // 111 10101
    two.data()[1] = 0xC3;         // 1100001 1
    D.drawbitmap(2, 0, 12, 1, two.data(), 2, 3, 1, 2);
    EXPECT_EQ(row_digits(fr, 0, 0, 16), "0012121112222100");
    // start 11 in a two-row bitmap with pitch 3: bit 3 of byte 1 onwards
    const unsigned char b2[6] = {0xFF, 0xE9, 0x0F, 0x00, 0x16, 0xFF};
    D.drawbitmap(0, 1, 9, 2, b2, 3, 11, 3, 4);
    EXPECT_EQ(row_digits(fr, 1, 0, 9), "434434444");
    EXPECT_EQ(row_digits(fr, 2, 0, 9), "343343333");

    // fg XOR 0 does nothing: only the clear bits are drawn, in 5
    fr.load(zero);
    D.drawbitmap(0, 3, 16, 1, two.data(), 2, 0, GR_XOR | 0, 5);
    EXPECT_EQ(row_digits(fr, 3, 0, 16), "0000505000555500");
    // bg AND 255 does nothing: only set bits, fg and bg in different modes
    D.drawbitmap(0, 3, 16, 1, two.data(), 2, 0, GR_OR | 2, GR_AND | 255);
    EXPECT_EQ(row_digits(fr, 3, 0, 16), "2222525222555522");

    // pattern 0x81 over 10 pixels: fg at 0, 7 and 8, counted from x
    fr.load(zero);
    D.drawpattern(5, 0, 10, 0x81, 1, 2);
    EXPECT_EQ(row_digits(fr, 0, 5, 10), "1222222112");
    EXPECT_EQ(row_digits(fr, 0, 0, 5) + row_digits(fr, 0, 15, 9), std::string(14, '0'));
    // each colour keeps its own mode, with no skipping
    D.drawpattern(5, 0, 10, 0x81, GR_XOR | 3, GR_AND | 0);
    EXPECT_EQ(row_digits(fr, 0, 5, 10), "2000000220");
}

TEST(Ram8, ScanlinesWriteAndRead)
{
    MemFrame fr(kL8, &D, 6, 2, 8);
    Model m(kL8, 6, 2);
    for (int x = 0; x < 6; x++)
        m.at(x, 0) = 10 + x, m.at(x, 1) = 0xF0;
    fr.load(m);
    fr.make_current();
    // GR_IMAGE + 7: entries equal to 7 leave their pixels alone
    const GrColor s1[6] = {7, 1, 7, 2, 0x107, 7};
    D.putscanline(0, 0, 6, s1, GR_IMAGE | 7);
    // Other ops combine every entry, its mode bits joining the op's: OR | XOR
    // is 3 (AND), IMAGE | XOR is 5 (write); an entry equal to op ^ GR_IMAGE
    // is left out.
    const GrColor s2[6] = {0x0F, GR_OR | 0x3C, GR_IMAGE | 0x11, GR_IMAGE ^ GR_XOR, 0xFF, 0};
    D.putscanline(0, 1, 6, s2, GR_XOR);
    EXPECT_EQ(fr.snapshot().px,
              (std::vector<uint32_t>{10, 1, 12, 2, 7, 15, 0xFF, 0x30, 0x11, 0xF0, 0x0F, 0xF0}));

    // index 0, 0, 5, 5: pixel x twice, then x + 5 twice
    int indx[4] = {0, 0, 5, 5};
    const GrColor *got = D.getindexedscanline(&fr.f, 0, 0, 4, indx);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(std::vector<GrColor>(got, got + 4), (std::vector<GrColor>{10, 10, 15, 15}));
    got = D.getindexedscanline(&fr.f, 0, 1, 6, nullptr);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(std::vector<GrColor>(got, got + 6),
              (std::vector<GrColor>{0xFF, 0x30, 0x11, 0xF0, 0x0F, 0xF0}));
    // smaller reads reuse the buffer
    const uint32_t bytes = _GrTempBufferBytes;
    EXPECT_GE(bytes, 7U * 4);
    EXPECT_EQ(D.getindexedscanline(&fr.f, 1, 1, 3, nullptr), got);
    EXPECT_EQ(D.getindexedscanline(&fr.f, 1, 1, 0, nullptr), got);
    EXPECT_EQ(_GrTempBufferBytes, bytes);
}

}  // namespace
