// The helpers shared by the frame drivers: temporary buffer, copies, scan
// lines and the bit-row shifter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <tuple>
#include <vector>

#include "fdmodel.h"
#include "libpxl.h"

// Huge requests must fail politely rather than abort the sanitized run.
extern "C" const char *__asan_default_options() { return "allocator_may_return_null=1"; }

using fdt::Fenced;
using fdt::kL1;
using fdt::kL4;
using fdt::kL8;
using fdt::Layout;
using fdt::MemFrame;
using fdt::Model;
using fdt::pick;

namespace {

const GrFrameDriver &D = _GrFrameDriverRAM8;

// Random pixels with plenty of zeros, so that key 0 has work to do.
void fill(MemFrame &fr, Model &m, std::mt19937 &rng)
{
    m = fr.randomize(rng);
    for (size_t i = 0; i < m.px.size(); i += 3)
        m.px[i] = 0;
    fr.load(m);
}

// Driver records that count the pixel slots the generic helpers go through.
int g_reads, g_draws;
GrFrameDriver counting(bool reads, bool draws)
{
    GrFrameDriver d = D;
    if (reads)
        d.readpixel = [](GrFrame *f, int x, int y) { return g_reads++, D.readpixel(f, x, y); };
    if (draws)
        d.drawpixel = [](int x, int y, GrColor c) { g_draws++, D.drawpixel(x, y, c); };
    return d;
}

const GrColor kOps[] = {GR_WRITE, GR_XOR, GR_OR, GR_AND, GR_IMAGE | 0,
                        GR_IMAGE | 0x37, GR_IMAGE | 0x1FF, 0x09000000U | 0xAB};
const int kNear[][2] = {{3, 0}, {-3, 0}, {0, -3}, {0, 3}, {3, 3},
                        {-3, -3}, {3, -3}, {-3, 3}, {0, 0}, {1, 0}, {-1, 0}};

TEST(Helpers, TempBufferGrowsKeepsContentsAndSurvivesFailure)
{
    _GrTempBufferFree();
    EXPECT_EQ(_GrTempBuffer, nullptr);
    EXPECT_EQ(_GrTempBufferBytes, 0U);
    auto *p = static_cast<unsigned char *>(_GrTempBufferAlloc_(64));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(_GrTempBuffer, p);
    EXPECT_EQ(_GrTempBufferBytes, 64U);
    const std::vector<unsigned char> pattern(64, 0x5A);
    std::memcpy(p, pattern.data(), 64);
    EXPECT_EQ(_GrTempBufferAlloc_(10), p);
    EXPECT_EQ(_GrTempBufferAlloc_(64), p);
    EXPECT_EQ(_GrTempBufferBytes, 64U);

    // growth keeps the contents; a request that cannot be met leaves the
    // old buffer recorded and usable
    auto *q = static_cast<unsigned char *>(_GrTempBufferAlloc_(100000));
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(_GrTempBufferBytes, 100000U);
    for (size_t huge : {SIZE_MAX / 2, size_t(UINT32_MAX) + 1}) {
        EXPECT_EQ(_GrTempBufferAlloc_(huge), nullptr);
        EXPECT_EQ(_GrTempBuffer, q);
        EXPECT_EQ(_GrTempBufferBytes, 100000U);
    }
    q[99999] = 1;
    EXPECT_EQ(std::memcmp(q, pattern.data(), 64), 0);

    _GrTempBufferFree();
    EXPECT_EQ(_GrTempBuffer, nullptr);
    EXPECT_EQ(_GrTempBufferBytes, 0U);
    _GrTempBufferFree();  // twice is harmless
}

TEST(Helpers, PackedCopyMatchesCopyFromAnUntouchedDuplicate)
{
    std::mt19937 rng(3);
    // a 100 x 10 rectangle moved onto itself in every direction
    MemFrame fr(kL8, &D, 120, 20, 124);
    Model m(kL8, 1, 1);
    for (GrColor op : kOps)
        for (auto &o : kNear) {
            fill(fr, m, rng);
            _GrFrDrvPackedBitBltR2R(&fr.f, 10 + o[0], 5 + o[1], &fr.f, 10, 5, 100, 10, op);
            m.copy_packed(10 + o[0], 5 + o[1], m, 10, 5, 100, 10, op);
            ASSERT_TRUE(fr.matches(m)) << std::hex << op << std::dec << " by " << o[0] << "," << o[1];
        }

    // Views of one plane at different bases: the direction follows the
    // addresses, not the coordinates. Offsets are rows * 40 + columns.
    MemFrame big(kL8, &D, 40, 20, 40);
    struct View { int so, doff, sy, dy; } views[] = {
        {0, 5 * 40, 3, 0},   // destination rows below, though dy < sy
        {5 * 40, 0, 0, 3},   // destination rows above, though dy > sy
        {0, 2, 4, 4},        // same row, destination 2 bytes right
        {2, 0, 4, 4},        // same row, destination 2 bytes left
    };
    for (GrColor op : kOps)
        for (const View &v : views) {
            fill(big, m, rng);
            GrFrame s = big.f, d = big.f;
            s.gf_baseaddr[0] += v.so;
            d.gf_baseaddr[0] += v.doff;
            _GrFrDrvPackedBitBltR2R(&d, 3, v.dy, &s, 3, v.sy, 30, 8, op);
            m.copy_packed(3 + v.doff % 40, v.dy + v.doff / 40, m, 3 + v.so % 40,
                          v.sy + v.so / 40, 30, 8, op);
            ASSERT_TRUE(big.matches(m)) << std::hex << op << std::dec << " view " << v.so << "," << v.doff;
        }

    // by hand: key 0 keeps the destination where the source is 0
    MemFrame s1(kL8, &D, 4, 1), d1(kL8, &D, 4, 1);
    const uint32_t src[4] = {0, 5, 0, 7};
    for (int x = 0; x < 4; x++)
        s1.set(x, 0, src[x]), d1.set(x, 0, 1);
    _GrFrDrvPackedBitBltR2R(&d1.f, 0, 0, &s1.f, 0, 0, 4, 1, GR_IMAGE | 0);
    EXPECT_EQ(d1.snapshot().px, (std::vector<uint32_t>{1, 5, 1, 7}));
}

TEST(Helpers, PixelCopyUsesEachFramesDriverAndRestoresTheCurrentFrame)
{
    std::mt19937 rng(4);
    const GrFrameDriver reader = counting(true, false), drawer = counting(false, true);
    MemFrame a(kL8, &reader, 50, 12, 52), b(kL8, &drawer, 37, 9, 40), c(kL8, &D, 20, 4, 20);
    Model ma(kL8, 1, 1), mb(kL8, 1, 1);
    c.make_current();
    const GrFrame saved = *CURF;
    for (GrColor op : kOps) {
        fill(a, ma, rng);
        fill(b, mb, rng);
        g_reads = g_draws = 0;
        _GrFrDrvGenericBitBlt(&b.f, 4, 2, &a.f, 7, 1, 30, 6, op);
        int drawn = 0;
        for (int y = 1; y < 7; y++)
            for (int x = 7; x < 37; x++)
                drawn += ma.at(x, y) != (op ^ GR_IMAGE);
        mb.copy_pixels(4, 2, ma, 7, 1, 30, 6, op);
        ASSERT_TRUE(a.matches(ma)) << std::hex << op;
        ASSERT_TRUE(b.matches(mb)) << std::hex << op;
        EXPECT_EQ(g_reads, 180);  // the source's readpixel
        EXPECT_EQ(g_draws, drawn);  // the destination's drawpixel
        EXPECT_EQ(std::memcmp(CURF, &saved, sizeof saved), 0);

        for (auto &o : kNear) {
            fill(b, mb, rng);
            _GrFrDrvGenericBitBlt(&b.f, 5 + o[0], 3 + o[1], &b.f, 5, 3, 25, 3, op);
            mb.copy_pixels(5 + o[0], 3 + o[1], mb, 5, 3, 25, 3, op);
            ASSERT_TRUE(b.matches(mb)) << std::hex << op << std::dec << " by " << o[0] << "," << o[1];
        }
        EXPECT_EQ(std::memcmp(CURF, &saved, sizeof saved), 0);
    }
    // drawing afterwards goes to the same frame as before
    Model mc = c.snapshot();
    D.drawpixel(2, 3, 0x77);
    mc.at(2, 3) = 0x77;
    EXPECT_TRUE(c.matches(mc));

    // The current frame itself may be the source or the destination.
    a.make_current();
    fill(a, ma, rng);
    fill(b, mb, rng);
    _GrFrDrvGenericBitBlt(&b.f, 0, 0, CURF, 3, 2, 37, 9, GR_WRITE);
    mb.copy_pixels(0, 0, ma, 3, 2, 37, 9, GR_WRITE);
    EXPECT_TRUE(b.matches(mb));
    EXPECT_TRUE(a.matches(ma));
    _GrFrDrvGenericBitBlt(CURF, 1, 1, &b.f, 0, 0, 20, 5, GR_XOR);
    ma.copy_pixels(1, 1, mb, 0, 0, 20, 5, GR_XOR);
    EXPECT_TRUE(a.matches(ma));
    EXPECT_EQ(std::memcmp(CURF, &a.f, sizeof a.f), 0);
}

TEST(Helpers, GenericScanlinesGoThroughThePixelSlots)
{
    std::mt19937 rng(5);
    const GrFrameDriver cnt = counting(true, true);
    MemFrame fr(kL8, &cnt, 30, 3, 32);
    Model m(kL8, 1, 1);
    fill(fr, m, rng);

    // w = 0: a valid buffer, nothing read, even from a fresh start
    _GrTempBufferFree();
    g_reads = 0;
    ASSERT_NE(_GrFrDrvGenericGetIndexedScanline(&fr.f, 5, 1, 0, nullptr), nullptr);
    EXPECT_EQ(g_reads, 0);
    EXPECT_GE(_GrTempBufferBytes, 4U);

    // index 0, 0, 5, 5: pixel x twice, x + 5 twice, from two reads
    int idx[4] = {0, 0, 5, 5};
    const GrColor *got = _GrFrDrvGenericGetIndexedScanline(&fr.f, 3, 2, 4, idx);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(std::vector<GrColor>(got, got + 4), m.scanline(3, 2, 4, idx));
    EXPECT_EQ(g_reads, 2);

    for (int n = 0; n < 200; n++) {
        const int w = pick(rng, 1, 30), x = pick(rng, 0, 30 - w), y = pick(rng, 0, 2);
        std::vector<int> ix(w);
        int runs = 0;
        for (int i = 0, v = 0; i < w; i++) {
            ix[i] = v = rng() % 2 ? v : pick(rng, 0, 29 - x);
            runs += i == 0 || ix[i] != ix[i - 1];
        }
        int *use = n % 3 ? ix.data() : nullptr;
        g_reads = 0;
        got = _GrFrDrvGenericGetIndexedScanline(&fr.f, x, y, w, use);
        ASSERT_NE(got, nullptr);
        ASSERT_EQ(std::vector<GrColor>(got, got + w), m.scanline(x, y, w, use)) << n;
        EXPECT_EQ(g_reads, use ? runs : w);
    }
    ASSERT_TRUE(fr.matches(m));

    // writing: entries equal to op ^ GR_IMAGE are left out, the rest are
    // drawn through the current frame's drawpixel with the op's mode bits
    fr.make_current();
    for (GrColor op : kOps)
        for (int n = 0; n < 20; n++) {
            const int w = pick(rng, 1, 30), x = pick(rng, 0, 30 - w), y = pick(rng, 0, 2);
            std::vector<GrColor> scl(w);
            int drawn = 0;
            for (GrColor &e : scl) {
                e = (rng() % 3 ? rng() & 0xFFU : op & 0xFFU) | (rng() % 8 ? 0 : (rng() % 16) << 24);
                drawn += e != (op ^ GR_IMAGE);
            }
            g_draws = 0;
            _GrFrDrvGenericPutScanline(x, y, w, scl.data(), op);
            m.putscanline(x, y, w, scl.data(), op);
            ASSERT_TRUE(fr.matches(m)) << std::hex << op;
            EXPECT_EQ(g_draws, drawn);
        }
}

// Bit j of a row of bytes, most significant bit first; 0 outside the row.
int bit(const unsigned char *row, int bytes, int j)
{
    return j < 0 || j >= 8 * bytes ? 0 : (row[j / 8] >> (7 - j % 8)) & 1;
}

TEST(Helpers, ShiftScanlineMovesBitsAndReadsOnlyItsBytes)
{
    // by hand: 10000001 01000010
    unsigned char in[2] = {0x81, 0x42}, out[2];
    unsigned char *pi[1] = {in}, *po[1] = {out};
    _GR_shift_scanline(po, pi, 2, 3, 1);
    EXPECT_EQ(out[0], 0x0A);
    EXPECT_EQ(out[1], 0x10);
    _GR_shift_scanline(po, pi, 2, -3, 1);
    EXPECT_EQ(out[0], 0x10);
    EXPECT_EQ(out[1], 0x28);

    // Every shift: out bit j is in bit j + shift, zero from outside the row.
    // Source rows touch fences on either side; three rows at once, and in place.
    std::mt19937 rng(6);
    for (int bytes : {1, 2, 3, 5, 9, 17})
        for (int shift = -7; shift <= 7; shift++) {
            Fenced e0(bytes), e1(bytes), s0(bytes, Fenced::kStart), io(bytes);
            std::vector<unsigned char> ref(bytes), o0(bytes), o1(bytes), o2(bytes);
            for (unsigned char &v : ref)
                v = static_cast<unsigned char>(rng());
            for (Fenced *f : {&e0, &e1, &s0, &io})
                std::memcpy(f->data(), ref.data(), bytes);
            unsigned char *src[3] = {e0.data(), s0.data(), e1.data()};
            unsigned char *dst[3] = {o0.data(), o1.data(), o2.data()}, *inplace[1] = {io.data()};
            _GR_shift_scanline(dst, src, bytes, shift, 3);
            _GR_shift_scanline(inplace, inplace, bytes, shift, 1);
            for (int j = 0; j < 8 * bytes; j++) {
                const int want = bit(ref.data(), bytes, j + shift);
                for (const unsigned char *o : {o0.data(), o1.data(), o2.data(), io.data()})
                    ASSERT_EQ(bit(o, bytes, j), want) << bytes << " bytes, shift " << shift << ", bit " << j;
            }
            ASSERT_EQ(std::memcmp(e0.data(), ref.data(), bytes), 0);
        }
}

// Records the copies handed to the fallback.
using BlitCall = std::tuple<GrFrame *, int, int, GrFrame *, int, int, int, int, GrColor>;
std::vector<BlitCall> g_fallback;
void record_fallback(GrFrame *dst, int dx, int dy, GrFrame *src, int sx, int sy, int w, int h,
                     GrColor op)
{
    g_fallback.emplace_back(dst, dx, dy, src, sx, sy, w, h, op);
}

void planar_copies(const Layout &L)
{
    SCOPED_TRACE(L.name);
    std::mt19937 rng(L.bpp);
    // padded rows; rows with no padding flush against a fence after the
    // last pixel byte, or before the first
    MemFrame fa(L, nullptr, 100, 12, 16, MemFrame::kPadded, 1);
    MemFrame fb(L, nullptr, 93, 9, 0, MemFrame::kAtEnd);
    MemFrame fc(L, nullptr, 77, 7, 0, MemFrame::kAtStart);
    MemFrame *fr[3] = {&fa, &fb, &fc};
    std::vector<Model> m = {fa.randomize(rng), fb.randomize(rng), fc.randomize(rng)};
    g_fallback.clear();

    auto run = [&](int di, int dx, int dy, int si, int sx, int sy, int w, int h, GrColor op) {
        _GR_rblit_14(&fr[di]->f, dx, dy, &fr[si]->f, sx, sy, w, h, op, L.planes, record_fallback);
        m[di].copy(dx, dy, m[si], sx, sy, w, h, fdt::oper(op));
        return fr[di]->matches(m[di]) << " copy to " << dx << "," << dy << " from " << sx << ","
               << sy << (di == si ? " (same frame) " : " ") << w << "x" << h << " op " << std::hex << op;
    };

    // every bit alignment of source and destination, between frames and
    // overlapping within one
    const int widths[] = {1, 2, 7, 8, 9, 16, 17, 33, 40};
    for (int sa = 0; sa < 8; sa++)
        for (int da = 0; da < 8; da++)
            for (int w : widths) {
                const GrColor op = GrColor((sa + da + w) % 4) << 24;
                const int sx = 8 * pick(rng, 0, 5) + sa, dx = 8 * pick(rng, 0, 5) + da;
                ASSERT_TRUE(run(0, dx, pick(rng, 0, 8), 1, sx, pick(rng, 0, 5), w, 3, op));
                const int nx = std::min(8 * (sx / 8 + pick(rng, -1, 1)) + da, 100 - w);
                ASSERT_TRUE(run(0, std::max(nx, 0), 4 + pick(rng, -2, 2), 0, sx, 4, w, 4, op));
            }

    // random rectangles, often at the fenced corners or overlapping
    for (int n = 0; n < 2500; n++) {
        const int si = pick(rng, 0, 2), di = rng() % 2 ? si : pick(rng, 0, 2);
        const MemFrame &S = *fr[si], &T = *fr[di];
        const int w = pick(rng, 1, rng() % 2 ? 40 : std::min(S.w, T.w));
        const int h = pick(rng, 1, std::min(S.h, T.h));
        int sx = pick(rng, 0, S.w - w), sy = pick(rng, 0, S.h - h);
        int dx = pick(rng, 0, T.w - w), dy = pick(rng, 0, T.h - h);
        switch (rng() % 4) {
        case 0: sx = S.w - w, sy = S.h - h; break;
        case 1: sx = 0, sy = 0; break;
        }
        if (si == di && rng() % 2) {
            dx = std::clamp(sx + pick(rng, -17, 17), 0, T.w - w);
            dy = rng() % 3 ? std::clamp(sy + pick(rng, -3, 3), 0, T.h - h) : sy;
        } else if (rng() % 4 == 0) {
            dx = T.w - w, dy = T.h - h;
        }
        const GrColor top = rng() % 4 ? rng() % 4 : pick(rng, 5, 15) | (rng() % 2) << 4;
        ASSERT_TRUE(run(di, dx, dy, si, sx, sy, w, h, top << 24 | (rng() & 0xFFFFFFU))) << n;
    }
    EXPECT_TRUE(g_fallback.empty());

    // the image range goes to the fallback with the same arguments
    for (GrColor op : {GR_IMAGE, GR_IMAGE | 1, GR_IMAGE | 0xFFFFFF}) {
        g_fallback.clear();
        _GR_rblit_14(&fa.f, 3, 4, &fb.f, 5, 6, 7, 2, op, L.planes, record_fallback);
        EXPECT_EQ(g_fallback, std::vector<BlitCall>({{&fa.f, 3, 4, &fb.f, 5, 6, 7, 2, op}}));
        EXPECT_TRUE(fa.matches(m[0]));
    }
    g_fallback.clear();
    // just outside the range: a real copy (mode 5 writes)
    EXPECT_TRUE(run(0, 3, 4, 1, 5, 6, 7, 2, 0x05000000));
    EXPECT_TRUE(run(0, 3, 4, 1, 5, 6, 7, 2, 0x03FFFFFF));
    EXPECT_TRUE(g_fallback.empty());
}

TEST(Helpers, PlanarCopyMatchesBitModelOnePlane) { planar_copies(kL1); }
TEST(Helpers, PlanarCopyMatchesBitModelFourPlanes) { planar_copies(kL4); }

}  // namespace
