// The 8-bit memory frame driver against the reference model.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "fdmodel.h"
#include "fdrandom.h"
#include "libpxl.h"

using fdt::Fenced;
using fdt::kL8;
using fdt::MemFrame;
using fdt::Model;
using fdt::random_op;

namespace {

const GrFrameDriver &D = _GrFrameDriverRAM8;

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
            const std::string what = random_op(D, rng, {fa, ma}, {fb, mb});
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
