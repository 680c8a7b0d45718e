// The 1-, 4-, 16-, 24- and 32-bit memory frame drivers against the
// reference model, plus their worked-out edge cases and fixed fields.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "fdmodel.h"
#include "fdrandom.h"
#include "libpxl.h"

using fdt::bits;
using fdt::Fenced;
using fdt::Layout;
using fdt::MemFrame;
using fdt::Model;
using fdt::model_blit;
using fdt::random_op;
using fdt::value_mask;

namespace {

struct Format {
    const char *name;
    const GrFrameDriver *d;
    const Layout *L;
    GrFrameMode mode;
    int planes;
    int32_t max_plane;
};
const Format kFormats[] = {
    {"RAM1", &_GrFrameDriverRAM1, &fdt::kL1, GR_frameRAM1, 1, 16777216},
    {"RAM4", &_GrFrameDriverRAM4, &fdt::kL4, GR_frameRAM4, 4, 16777216},
    {"RAM16", &_GrFrameDriverRAM16, &fdt::kL16, GR_frameRAM16, 1, 268435456},
    {"RAM24", &_GrFrameDriverRAM24, &fdt::kL24, GR_frameRAM24, 1, 402653184},
    {"RAM32L", &_GrFrameDriverRAM32L, &fdt::kL32L, GR_frameRAM32L, 1, 536870912},
    {"RAM32H", &_GrFrameDriverRAM32H, &fdt::kL32H, GR_frameRAM32H, 1, 536870912},
};

// gtest prints a parameter by its name
void PrintTo(const Format &f, std::ostream *os) { *os << f.name; }

// Frame width in pixels whose rows take about n bytes.
int width_for(const Layout &L, int n) { return n * 8 / L.bpp; }

class Formats : public testing::TestWithParam<Format> {
protected:
    const Format &F = GetParam();
    const GrFrameDriver &D = *F.d;
    const Layout &L = *F.L;
    // line offset of w pixels: the row bytes plus pad, or exactly them (pad < 0)
    int lineoffset(int w, int pad) const
    {
        const int row = bits(L) ? (w + 7) / 8 : w * L.bpp / 8;
        return pad < 0 ? row : (row + 3) / 4 * 4 + pad;
    }
};

TEST_P(Formats, RandomOperationsMatchModel)
{
    const int wide = width_for(L, 4500);
    struct {
        const char *name;
        int w, h, pad, place, shift, ops;
    } setups[] = {
        {"padded rows", 83, 17, 8, MemFrame::kPadded, 0, 700},
        {"padded rows, odd base", 83, 17, 4, MemFrame::kPadded, 3, 700},
        {"rows without gaps before a fence", 96, 30, -1, MemFrame::kAtEnd, 0, 700},
        {"rows without gaps after a fence", 83, 25, -1, MemFrame::kAtStart, 0, 500},
        {"rows of several KB", wide, 3, -1, MemFrame::kAtEnd, 0, 100},
    };
    for (const auto &s : setups) {
        SCOPED_TRACE(s.name);
        std::mt19937 rng(4321);
        MemFrame fa(L, &D, s.w, s.h, lineoffset(s.w, s.pad), MemFrame::Place(s.place), s.shift);
        MemFrame fb(L, &D, 61, 13, lineoffset(61, 4), MemFrame::kPadded, 5);
        Model ma = fa.randomize(rng), mb = fb.randomize(rng);
        for (int n = 0; n < s.ops; n++) {
            const std::string what = random_op(D, rng, {fa, ma}, {fb, mb});
            ASSERT_EQ(what.find("WRONG"), std::string::npos) << "op " << n << ": " << what;
            ASSERT_TRUE(fa.matches(ma)) << "op " << n << ": " << what;
            ASSERT_TRUE(fb.matches(mb)) << "op " << n << ": " << what;
        }
    }
}

// Colours for the deterministic sweeps: each mode, plus a mode that writes.
std::vector<GrColor> sweep_colours(const Layout &L)
{
    const uint32_t vm = value_mask(L);
    return {GR_XOR | vm, GR_XOR | (0x5A3C96U & vm), GR_WRITE | (0xA5C3E1U & vm),
            GR_WRITE | (0x404040U & vm), GR_OR | (0x814224U & vm), GR_AND | (0x7E5BDBU & vm),
            0x09000000U | (0x42F00FU & vm)};
}

TEST_P(Formats, RunsAndBlocksCombineEveryPixelOnce)
{
    // Every start within 8 pixels; short lengths, those around 2048 bytes of
    // 2- and 4-byte pixels (where long stores begin) and whole rows of
    // several KB; on bases of each alignment.
    const int W = width_for(L, 4500);
    std::vector<int> lengths;
    for (int n = 1; n <= 24; n++)
        lengths.push_back(n);
    for (int n : {255, 511, 512, 513, 1023, 1024, 1025, W})
        lengths.push_back(n);
    std::mt19937 rng(7);
    for (int shift : bits(L) ? std::vector<int>{0, 3} : std::vector<int>{0, 1, 2, 4}) {
        MemFrame fr(L, &D, W, 3, 0, MemFrame::kPadded, shift);
        Model m = fr.randomize(rng);
        fr.make_current();
        for (GrColor c : sweep_colours(L))
            for (int x = 0; x < 8; x++) {
                for (int len : lengths) {
                    D.drawhline(x, 1, std::min(len, W - x), c);
                    m.hline(x, 1, std::min(len, W - x), c);
                    D.drawblock(x + 1, 0, std::min(len, W - x - 1), 3, c);
                    m.block(x + 1, 0, std::min(len, W - x - 1), 3, c);
                }
                ASSERT_TRUE(fr.matches(m)) << "base +" << shift << " colour " << std::hex << c
                                           << std::dec << " x " << x;
            }
    }

    // Blocks over whole rows without gaps are one run (one per plane in bit
    // frames); rows with padding, or a width that ends inside a byte, not.
    // Against either fence, or on an odd base.
    for (int w : {96, 83})
        for (int pad : {-1, 4})
            for (int place : {MemFrame::kAtEnd, MemFrame::kAtStart, MemFrame::kPadded}) {
                MemFrame fr(L, &D, w, 40, lineoffset(w, pad), MemFrame::Place(place), 1);
                Model m = fr.randomize(rng);
                fr.make_current();
                for (GrColor c : sweep_colours(L)) {
                    const int rects[][4] = {{0, 0, w, 40}, {0, 7, w, 20}, {0, 39, w, 1},
                                            {8, 3, w - 16, 30}, {0, 0, w - 8, 40}};
                    for (auto &r : rects) {
                        D.drawblock(r[0], r[1], r[2], r[3], c);
                        m.block(r[0], r[1], r[2], r[3], c);
                        ASSERT_TRUE(fr.matches(m)) << w << " wide, pad " << pad << " place " << place << " colour "
                                                   << std::hex << c << std::dec << " rect "
                                                   << r[0] << "," << r[1] << " " << r[2] << "x" << r[3];
                    }
                }
            }
}

TEST_P(Formats, OverlappingCopiesMatchCopiesFromADuplicate)
{
    const int near[][2] = {{3, 0}, {-3, 0}, {0, -3}, {0, 3}, {3, 3}, {-3, -3}, {3, -3},
                           {-3, 3}, {0, 0}, {1, 0}, {-1, 0}, {9, 1}, {-9, -1}};
    const GrColor ops[] = {GR_WRITE, GR_XOR, GR_OR, GR_AND, GR_IMAGE | 0, GR_IMAGE | 1,
                           GR_IMAGE | 0x37, GR_UNDERLINE_TEXT | GR_IMAGE | 0x37,
                           0x09000000U | 0xAB};
    std::mt19937 rng(11);
    MemFrame fr(L, &D, 120, 20, lineoffset(120, 4), MemFrame::kPadded, 1);
    for (GrColor op : ops)
        for (auto &o : near) {
            Model m = fr.randomize(rng);
            for (size_t i = 0; i < m.px.size(); i += 3)  // keys with work to do
                m.px[i] = L.encode(op & 0xFFFFFFU);
            fr.load(m);
            D.bitblt(&fr.f, 10 + o[0], 5 + o[1], &fr.f, 10, 5, 100, 10, op);
            model_blit(L, m, 10 + o[0], 5 + o[1], m, 10, 5, 100, 10, op);
            ASSERT_TRUE(fr.matches(m)) << std::hex << op << std::dec << " by " << o[0] << "," << o[1];
        }
}

TEST_P(Formats, RecordHasItsFixedFieldsAndSlots)
{
    EXPECT_EQ(D.mode, F.mode);
    EXPECT_EQ(D.rmode, GR_frameUndef);
    EXPECT_EQ(std::vector<int>({D.is_video, D.row_align, D.num_planes, D.bits_per_pixel}),
              std::vector<int>({0, 4, F.planes, L.bpp}));
    EXPECT_EQ(D.max_plane_size, F.max_plane);
    EXPECT_EQ(D.init, nullptr);
    EXPECT_EQ(D.bltv2r, nullptr);
    EXPECT_EQ(D.bltr2v, nullptr);
    EXPECT_TRUE(D.readpixel && D.drawpixel && D.drawline && D.drawhline && D.drawvline &&
                D.drawblock && D.drawbitmap && D.drawpattern && D.bitblt);
    EXPECT_NE(D.bitblt, &_GrFrDrvPackedBitBltR2R);
    EXPECT_NE(D.bitblt, &_GrFrDrvGenericBitBlt);
    // only the 1-bit driver reads scan lines itself
    if (L.bpp == 1) {
        EXPECT_NE(D.getindexedscanline, nullptr);
        EXPECT_NE(D.getindexedscanline, &_GrFrDrvGenericGetIndexedScanline);
    } else {
        EXPECT_EQ(D.getindexedscanline, &_GrFrDrvGenericGetIndexedScanline);
    }
    EXPECT_EQ(D.putscanline, &_GrFrDrvGenericPutScanline);
}

INSTANTIATE_TEST_SUITE_P(MemoryFrames, Formats, testing::ValuesIn(kFormats),
                         [](const testing::TestParamInfo<Format> &i) { return i.param.name; });

TEST(FormatTable, ListsTheMemoryDriversInOrder)
{
    // window-backed drivers, when built, come first
    int n = 0;
    while (_GrFrameDriverTable[n] != nullptr && _GrFrameDriverTable[n]->is_video)
        n++;
    std::vector<const GrFrameDriver *> rest;
    for (; _GrFrameDriverTable[n] != nullptr; n++) {
        ASSERT_LT(rest.size(), 32U) << "table not terminated";
        rest.push_back(_GrFrameDriverTable[n]);
    }
    EXPECT_EQ(rest, (std::vector<const GrFrameDriver *>{
                        &_GrFrameDriverRAM1, &_GrFrameDriverRAM4, &_GrFrameDriverRAM8,
                        &_GrFrameDriverRAM16, &_GrFrameDriverRAM24, &_GrFrameDriverRAM32L,
                        &_GrFrameDriverRAM32H}));
}

// Stored pixels of a frame, row by row.
std::vector<uint32_t> stored(const MemFrame &fr) { return fr.snapshot().px; }

TEST(FormatPacked, WorkedEdgeCases)
{
    // 16-bit: a run of 9 from an address 2 mod 8 sets all 9 pixels; XOR
    // inverts each once, and nothing else changes.
    MemFrame f16(fdt::kL16, &_GrFrameDriverRAM16, 16, 1, 32);
    ASSERT_EQ(reinterpret_cast<uintptr_t>(f16.f.gf_baseaddr[0]) % 8, 0U);  // so x = 1 is 2 mod 8
    f16.load(Model(fdt::kL16, 16, 1));
    f16.make_current();
    _GrFrameDriverRAM16.drawhline(1, 0, 9, 0x12BEEF);
    std::vector<uint32_t> want(16, 0);
    std::fill(want.begin() + 1, want.begin() + 10, 0xBEEFU);
    EXPECT_EQ(stored(f16), want);
    _GrFrameDriverRAM16.drawhline(1, 0, 9, GR_XOR | 0xFFFF);
    std::fill(want.begin() + 1, want.begin() + 10, 0x4110U);
    EXPECT_EQ(stored(f16), want);
    EXPECT_TRUE(f16.matches(f16.snapshot()));

    // 32H: value v is stored as v * 256 (a write clears the spare low byte)
    const GrFrameDriver &H = _GrFrameDriverRAM32H;
    MemFrame fh(fdt::kL32H, &H, 8, 2, 32);
    Model spare(fdt::kL32H, 8, 2);
    std::fill(spare.px.begin(), spare.px.end(), 0x5A5A5A5AU);
    fh.load(spare);
    fh.make_current();
    H.drawpixel(0, 0, 0x123456);
    H.drawhline(1, 0, 3, 0xABCDEF);
    H.drawblock(4, 0, 2, 2, GR_IMAGE | 0x010203);  // other modes write
    EXPECT_EQ(stored(fh), (std::vector<uint32_t>{0x12345600, 0xABCDEF00, 0xABCDEF00,
                                                 0xABCDEF00, 0x01020300, 0x01020300,
                                                 0x5A5A5A5A, 0x5A5A5A5A, 0x5A5A5A5A,
                                                 0x5A5A5A5A, 0x5A5A5A5A, 0x5A5A5A5A,
                                                 0x01020300, 0x01020300, 0x5A5A5A5A,
                                                 0x5A5A5A5A}));
    EXPECT_EQ(H.readpixel(&fh.f, 0, 0), 0x123456U);
    EXPECT_EQ(H.readpixel(&fh.f, 7, 1), 0x5A5A5AU);

    // 32L: OR 0 keeps a nonzero spare top byte, AND 0xFFFFFF clears it,
    // through every drawing slot; readpixel never shows it.
    const GrFrameDriver &Lo = _GrFrameDriverRAM32L;
    MemFrame fl(fdt::kL32L, &Lo, 8, 4, 32);
    Model m(fdt::kL32L, 8, 4);
    std::fill(m.px.begin(), m.px.end(), 0xAB123456U);
    fl.make_current();
    const unsigned char bmp[1] = {0xA5};
    for (GrColor c : {GR_OR | 0U, GR_AND | 0xFFFFFFU}) {
        fl.load(m);
        Lo.drawpixel(0, 0, c);
        Lo.drawline(1, 0, 6, 0, c);
        Lo.drawvline(7, 0, 4, c);
        Lo.drawhline(0, 1, 7, c);
        Lo.drawblock(0, 2, 3, 1, c);
        Lo.drawbitmap(3, 2, 4, 1, bmp, 1, 0, c, c);
        Lo.drawpattern(0, 3, 7, 0x5A, c, c);
        const uint32_t want32 = c == GR_OR ? 0xAB123456U : 0x00123456U;
        EXPECT_EQ(stored(fl), std::vector<uint32_t>(32, want32)) << std::hex << c;
        EXPECT_EQ(Lo.readpixel(&fl.f, 5, 3), 0x123456U);
    }
    Lo.drawpixel(2, 2, 0xFF654321);  // a write stores the value with top byte 0
    EXPECT_EQ(fl.get(2, 2), 0x654321U);

    // 24-bit: 255 is bytes 255, 0, 0; grey 0x101010 is 16, 16, 16; short
    // runs, long runs and blocks alike
    const GrFrameDriver &T = _GrFrameDriverRAM24;
    MemFrame f24(fdt::kL24, &T, 1000, 2, 3000);
    f24.make_current();
    for (GrColor c : {0xFFU, 0x101010U, 0x02FF00FFU}) {
        f24.load(Model(fdt::kL24, 1000, 2));
        T.drawhline(1, 0, 5, c);
        T.drawhline(6, 0, 994, c);
        T.drawblock(0, 1, 1000, 1, c);
        const unsigned char *p = f24.f.gf_baseaddr[0];
        for (int i = 3; i < 6000; i++)
            ASSERT_EQ(p[i], (c >> (8 * (i % 3))) & 0xFFU) << std::hex << c << " byte " << std::dec << i;
        EXPECT_EQ(p[0] | p[1] | p[2], 0);
        EXPECT_TRUE(f24.matches(f24.snapshot()));
    }

    // 32-bit copies with GR_IMAGE and key 0 leave the destination where the
    // source reads as 0, spare byte or not
    struct { const GrFrameDriver *d; const Layout *L; uint32_t src[5]; } keyed[] = {
        {&_GrFrameDriverRAM32L, &fdt::kL32L, {0, 0x5, 0xFF000000U, 0x7, 0x00010000}},
        {&_GrFrameDriverRAM32H, &fdt::kL32H, {0, 0x500, 0xFFU, 0x700, 0x01000000}},
    };
    for (auto &k : keyed) {
        MemFrame s(*k.L, k.d, 5, 1), d(*k.L, k.d, 5, 1);
        for (int x = 0; x < 5; x++)
            s.set(x, 0, k.src[x]), d.set(x, 0, k.L->encode(0x111111));
        k.d->bitblt(&d.f, 0, 0, &s.f, 0, 0, 5, 1, GR_IMAGE | 0);
        std::vector<GrColor> got;
        for (int x = 0; x < 5; x++)
            got.push_back(k.d->readpixel(&d.f, x, 0));
        EXPECT_EQ(got, (std::vector<GrColor>{0x111111, 5, 0x111111, 7, 0x10000})) << k.L->name;
    }
}

// Byte i of row y of plane p.
unsigned char plane_byte(const MemFrame &fr, int p, int y, int i)
{
    return fr.f.gf_baseaddr[p][y * fr.f.gf_lineoffset + i];
}

TEST(FormatBits, WorkedEdgeCases)
{
    const GrFrameDriver &B = _GrFrameDriverRAM1;
    MemFrame f1(fdt::kL1, &B, 24, 2, 4);
    const Model zero1(fdt::kL1, 24, 2);
    f1.make_current();
    // pixel x = 10 is bit 5 of byte 1
    f1.load(zero1);
    B.drawpixel(10, 0, 1);
    EXPECT_EQ(plane_byte(f1, 0, 0, 1), 0x20);
    EXPECT_EQ(B.readpixel(&f1.f, 10, 0), 1U);
    EXPECT_EQ(B.readpixel(&f1.f, 11, 0), 0U);
    // a run from 3 of 10 pixels: mask 31 in byte 0, 248 in byte 1
    f1.load(zero1);
    B.drawhline(3, 0, 10, 1);
    EXPECT_EQ(std::vector<int>({plane_byte(f1, 0, 0, 0), plane_byte(f1, 0, 0, 1),
                                plane_byte(f1, 0, 0, 2)}),
              std::vector<int>({31, 248, 0}));
    // a run of one pixel at 6 changes bit 1 only, in either direction
    B.drawhline(6, 1, 1, 1);
    EXPECT_EQ(plane_byte(f1, 0, 1, 0), 0x02);
    B.drawhline(6, 0, 1, GR_XOR | 1);
    EXPECT_EQ(plane_byte(f1, 0, 0, 0), 31 ^ 2);
    EXPECT_TRUE(f1.matches(f1.snapshot()));

    // 4-bit: value 5 sets planes 0 and 2 and clears planes 1 and 3
    const GrFrameDriver &Q = _GrFrameDriverRAM4;
    MemFrame f4(fdt::kL4, &Q, 16, 2, 4);
    Model full(fdt::kL4, 16, 2);
    std::fill(full.px.begin(), full.px.end(), 15U);
    f4.load(full);
    f4.make_current();
    Q.drawpixel(9, 1, 5);
    for (int p = 0; p < 4; p++)
        EXPECT_EQ(plane_byte(f4, p, 1, 1), (5 >> p & 1) ? 0xFF : 0xBF) << "plane " << p;
    EXPECT_EQ(Q.readpixel(&f4.f, 9, 1), 5U);
    Q.drawpixel(9, 1, GR_AND | 4);
    EXPECT_EQ(Q.readpixel(&f4.f, 9, 1), 4U);
    Q.drawhline(2, 0, 13, 5);
    Q.drawhline(0, 0, 16, GR_AND | 4);
    EXPECT_EQ(Q.readpixel(&f4.f, 2, 0), 4U);
    EXPECT_EQ(Q.readpixel(&f4.f, 1, 0), 4U);
    EXPECT_EQ(Q.readpixel(&f4.f, 15, 0), 4U);
}

TEST(FormatBits, AndWithOneKeepsAndWithZeroClearsEverywhere)
{
    const GrFrameDriver &B = _GrFrameDriverRAM1;
    const int W = 45, H = 9;
    MemFrame fr(fdt::kL1, &B, W, H, 8, MemFrame::kPadded, 1);
    std::mt19937 rng(13);
    fr.make_current();
    // each slot with its covered pixels
    struct Slot {
        const char *name;
        void (*draw)(GrColor c);
        int x, y, w, h;
    } slots[] = {
        {"pixel", [](GrColor c) { _GrFrameDriverRAM1.drawpixel(9, 4, c); }, 9, 4, 1, 1},
        {"line", [](GrColor c) { _GrFrameDriverRAM1.drawline(40, 2, -37, 0, c); }, 3, 2, 38, 1},
        {"hline", [](GrColor c) { _GrFrameDriverRAM1.drawhline(5, 0, 33, c); }, 5, 0, 33, 1},
        {"vline", [](GrColor c) { _GrFrameDriverRAM1.drawvline(44, 0, 9, c); }, 44, 0, 1, 9},
        {"block", [](GrColor c) { _GrFrameDriverRAM1.drawblock(1, 5, 43, 4, c); }, 1, 5, 43, 4},
        {"pattern", [](GrColor c) { _GrFrameDriverRAM1.drawpattern(0, 3, 45, 0xA5, c, c); },
         0, 3, 45, 1},
        {"bitmap", [](GrColor c) {
             static const unsigned char b[18] = {0xF0, 0x0F, 0xAA, 0x55, 0x12, 0x34, 0x56, 0x78,
                                                 0x9A, 0xBC, 0xDE, 0xF0, 0x01, 0x80, 0xFF, 0x00};
             _GrFrameDriverRAM1.drawbitmap(2, 1, 40, 3, b, 6, 5, c, c);
         }, 2, 1, 40, 3},
    };
    for (const Slot &s : slots)
        for (GrColor c : {GR_AND | 1U, GR_AND | 0xFFFFFFU, GR_AND | 0U, GR_AND | 0xFEU}) {
            const Model before = fr.randomize(rng);
            s.draw(c);
            Model want = before;
            if ((c & 1) == 0)
                for (int y = s.y; y < s.y + s.h; y++)
                    for (int x = s.x; x < s.x + s.w; x++)
                        want.at(x, y) = 0;
            ASSERT_TRUE(fr.matches(want)) << s.name << " " << std::hex << c;
        }
}

TEST(FormatBits, RunsThatCannotChangeAnythingTouchNoMemory)
{
    // In bit frames the test is per plane: a colour that leaves every plane
    // alone must not reach the frame, which is made inaccessible here.
    for (const Format *f : {&kFormats[0], &kFormats[1]}) {
        const GrFrameDriver &D = *f->d;
        const uint32_t all = value_mask(*f->L);
        MemFrame fr(*f->L, &D, 40, 6, 8);
        std::mt19937 rng(17);
        const Model m = fr.randomize(rng);
        fr.make_current();
        for (GrColor c : {GR_XOR | 0U, GR_OR | 0U, GR_AND | all, GR_NOCOLOR,
                          GR_XOR | (0xFFFFF0U & ~all), GR_AND | 0xFFFFFFU}) {
            fr.protect(true);
            D.drawhline(3, 2, 30, c);
            D.drawvline(5, 0, 6, c);
            D.drawblock(1, 1, 37, 5, c);
            D.drawblock(0, 0, 40, 6, c);
            fr.protect(false);
        }
        EXPECT_TRUE(fr.matches(m)) << f->name;
    }
}

}  // namespace
