// Lines, runs, boxes and scan lines: clipping, offsets, the mouse guard, and
// a randomized comparison against a pixel model in every memory format.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <random>
#include <vector>

#include "clipcheck.h"
#include "libpxl.h"

namespace {

// ---- recording frame driver: every call must stay in the current clip box

using Q = std::array<int, 4>;  // a rectangle, or the x, y, dx, dy of a drawline call

GrFrameDriver real;  // the operations the recorders forward to
int calls;
std::vector<Q> lines;

Q clip(const GrContext &c) { return {c.gc_xcliplo, c.gc_ycliplo, c.gc_xcliphi, c.gc_ycliphi}; }
bool rect_ok(int x, int y, int64_t w, int64_t h)
{
    ++calls;
    // nothing is forwarded past a failure, so memory stays intact
    return area_in_clip(x, y, w, h);
}
void rec_line(int x, int y, int dx, int dy, GrColor c)
{
    lines.push_back({x, y, dx, dy});
    ++calls;
    const bool ok = in_clip(x, y) && in_clip(int64_t{x} + dx, int64_t{y} + dy);
    EXPECT_TRUE(ok) << "line outside the clip box: " << x << ',' << y << " by " << dx << ',' << dy;
    if (ok)
        real.drawline(x, y, dx, dy, c);
}
void rec_hline(int x, int y, int w, GrColor c) { if (rect_ok(x, y, w, 1)) real.drawhline(x, y, w, c); }
void rec_vline(int x, int y, int h, GrColor c) { if (rect_ok(x, y, 1, h)) real.drawvline(x, y, h, c); }
void rec_block(int x, int y, int w, int h, GrColor c) { if (rect_ok(x, y, w, h)) real.drawblock(x, y, w, h, c); }

// Selects ctx and puts the recorders in its frame driver's place.
void select_recorded(const GrContext *ctx)
{
    GrSetContext(ctx);
    real = _GrDriverInfo.frame_driver;
    _GrDriverInfo.frame_driver.drawline = rec_line;
    _GrDriverInfo.frame_driver.drawhline = rec_hline;
    _GrDriverInfo.frame_driver.drawvline = rec_vline;
    _GrDriverInfo.frame_driver.drawblock = rec_block;
    calls = 0;
    lines.clear();
}

// ---- fake mouse: records block and unblock

struct Guards {
    int blocks = 0, unblocks = 0, ret = 0, last_unblock = 0;
    GrContext *ctx = nullptr;
    Q rect{};
} guards;
int fake_block(GrContext *c, int x1, int y1, int x2, int y2)
{
    ++guards.blocks;
    guards.ctx = c;
    guards.rect = {x1, y1, x2, y2};
    return guards.ret;
}
void fake_unblock(int r) { ++guards.unblocks, guards.last_unblock = r; }
struct FakeMouse {
    _GR_mouseInfo saved = _GrMouseInfo;
    explicit FakeMouse(int ret)
    {
        guards = Guards();
        guards.ret = ret;
        _GrMouseInfo.block = fake_block;
        _GrMouseInfo.unblock = fake_unblock;
        _GrMouseInfo.must_check = 1;
    }
    ~FakeMouse() { _GrMouseInfo = saved; }
};

// ---- the 640 x 480 screen of the memory driver, with recorders installed

class Prims : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(GrSetDriver("memory"), 1);
        ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, 640, 480, 8), 1);
        select_recorded(nullptr);
    }
    void TearDown() override { GrSetContext(nullptr); }
    static unsigned char px(int x, int y)
    {
        const GrFrame &f = _GrContextInfo.screen.gc_frame;
        return f.gf_baseaddr[0][y * f.gf_lineoffset + x];
    }
    static int lit()
    {
        int n = 0;
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < 640; x++)
                n += px(x, y) != 0;
        return n;
    }
};

}  // namespace

TEST_F(Prims, RunsOrderAndClamp)
{
    GrHLine(10, 5, 3, 9);
    for (int x = 4; x <= 11; x++)
        EXPECT_EQ(px(x, 3), x >= 5 && x <= 10 ? 9 : 0) << x;
    GrHLine(-5, 2000, 0, 1);
    GrVLine(639, INT_MAX, INT_MIN, 2);
    EXPECT_EQ(calls, 3);
    for (int x = 0; x < 640; x++)
        ASSERT_EQ(px(x, 0), x == 639 ? 2 : 1) << x;
    for (int y = 0; y < 480; y++)
        ASSERT_EQ(px(639, y), 2) << y;
    EXPECT_EQ(lit(), 6 + 640 + 479);

    // clipped away entirely: no driver call
    GrHLine(0, 10, -1, 1);
    GrHLine(0, 10, 480, 1);
    GrHLine(640, INT_MAX, 5, 1);
    GrHLine(INT_MIN, -1, 5, 1);
    GrVLine(-1, 0, 10, 1);
    GrVLine(5, 480, INT_MAX, 1);
    GrSetClipBox(100, 50, 199, 149);
    GrHLine(0, 99, 60, 1);
    GrHLine(0, 1000, 49, 1);
    GrVLine(200, 0, 479, 1);
    EXPECT_EQ(calls, 3);
    GrHLine(INT_MIN, INT_MAX, 50, GR_XOR | 1);
    GrVLine(100, 0, 1000, GR_XOR | 4);
    EXPECT_EQ(lit(), 6 + 640 + 479 + 100 + 99);
    EXPECT_EQ(px(100, 50), 5);
    EXPECT_EQ(px(199, 50) + px(100, 149), 5);
}

TEST_F(Prims, LineClippingEdgeCases)
{
    GrLine(-100, 0, 100, 200, 3);  // enters at (0, 100): R(200, 100, 200) = 100
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0], (Q{0, 100, 100, 100}));
    for (int i = 0; i <= 100; i++)
        EXPECT_EQ(px(i, 100 + i), 3) << i;
    EXPECT_EQ(lit(), 101);

    GrSetClipBox(0, 0, 1, 479);
    GrLine(0, 0, 2, 1, GR_XOR | 3);  // ends at (1, 0): R(1, 1, 2) rounds up
    EXPECT_EQ(lines[1], (Q{0, 0, 1, 0}));
    EXPECT_EQ(px(0, 0), 3);
    EXPECT_EQ(px(1, 0), 3);
    EXPECT_EQ(px(1, 1), 0);

    // wholly outside, also when the bounding boxes overlap: no call, no guard
    GrSetClipBox(100, 100, 199, 199);
    {
        FakeMouse mouse(1);
        GrLine(0, 190, 190, 0, 1);
        GrLine(190, 0, 0, 190, 1);
        GrLine(-10, -10, -1, -5, 1);
        GrLine(INT_MIN, INT_MIN, INT_MAX, INT_MIN, 1);
        GrLine(INT_MAX, INT_MIN, INT_MAX, INT_MAX, 1);
        EXPECT_EQ(guards.blocks, 0);
    }
    EXPECT_EQ(calls, 2);

    // the whole int range: differences past 32 bits still clip exactly
    memset(_GrContextInfo.screen.gc_frame.gf_baseaddr[0], 0, 640 * 480);
    GrResetClipBox();
    GrLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 1);  // y = x, cut to (0, 0)-(479, 479)
    EXPECT_EQ(lines.back(), (Q{0, 0, 479, 479}));
    GrLine(INT_MAX, INT_MAX, INT_MIN, INT_MIN, GR_XOR | 1);
    EXPECT_EQ(lines.back(), (Q{479, 479, -479, -479}));
    GrLine(INT_MIN, INT_MAX, INT_MAX, INT_MIN, 2);  // y = -1 - x: misses the frame
    GrLine(5, INT_MIN, 5, INT_MAX, 4);
    GrLine(INT_MAX, 7, INT_MIN, 7, 4);
    EXPECT_EQ(lines.size(), 6U);
    EXPECT_EQ(lines[4], (Q{5, 0, 0, 479}));
    EXPECT_EQ(lines[5], (Q{639, 7, -639, 0}));
    EXPECT_EQ(lit(), 480 + 639);
}

TEST_F(Prims, BoxWritesEachPixelOnce)
{
    GrBox(0, 0, 0, 0, GR_XOR | 5);
    EXPECT_EQ(px(0, 0), 5);
    EXPECT_EQ(calls, 1);
    GrBox(0, 0, 0, 0, GR_XOR | 5);
    GrBox(5, 0, 0, 0, GR_XOR | 1);
    GrBox(9, 0, 9, 5, GR_XOR | 1);
    GrBox(2, 2, 6, 3, GR_XOR | 1);  // two rows, no sides
    for (int y = 0; y <= 6; y++)
        for (int x = 0; x <= 10; x++) {
            const bool on = (y == 0 && x <= 5) || (x == 9 && y <= 5) || (x >= 2 && x <= 6 && (y == 2 || y == 3));
            EXPECT_EQ(px(x, y), on ? 1 : 0) << x << ',' << y;
        }
    EXPECT_EQ(lit(), 6 + 6 + 10);

    // an XOR outline drawn twice leaves nothing
    GrBox(30, 40, 20, 30, GR_XOR | 7);
    EXPECT_EQ(lit(), 22 + 2 * 11 + 2 * 9);
    GrBox(20, 30, 30, 40, GR_XOR | 7);
    GrBox(5, 0, 0, 0, GR_XOR | 1);
    GrBox(9, 0, 9, 5, GR_XOR | 1);
    GrBox(2, 2, 6, 3, GR_XOR | 1);
    EXPECT_EQ(lit(), 0);

    // clipped edges are left out: only the bottom row and the right column remain
    calls = 0;
    GrBox(-10, -10, 10, 10, GR_XOR | 2);
    EXPECT_EQ(calls, 2);
    for (int y = 0; y <= 11; y++)
        for (int x = 0; x <= 11; x++)
            EXPECT_EQ(px(x, y), (y == 10 && x <= 10) || (x == 10 && y <= 9) ? 2 : 0) << x << ',' << y;
    GrBox(-10, -10, 10, 10, GR_XOR | 2);
    GrBox(-5, 2, 5, 6, GR_XOR | 2);  // no left side
    EXPECT_EQ(lit(), 6 + 6 + 3);
    EXPECT_EQ(px(0, 4), 0);
    EXPECT_EQ(px(5, 4), 2);
    calls = 0;
    GrBox(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 1);  // all four edges clipped away
    GrBox(640, 0, 700, 10, 1);
    EXPECT_EQ(calls, 0);
}

TEST_F(Prims, FilledBoxesClip)
{
    GrFilledBox(5, 5, 2, 1, 1);
    GrSetClipBox(10, 10, 20, 20);
    GrFilledBox(0, 0, 100, 15, GR_XOR | 2);
    GrFilledBox(INT_MIN, 18, INT_MAX, INT_MAX, GR_OR | 4);
    GrFilledBox(21, 0, 30, 30, 1);
    GrFilledBox(0, 21, 30, 30, 1);
    EXPECT_EQ(calls, 3);
    for (int y = 0; y < 25; y++)
        for (int x = 0; x < 25; x++) {
            int v = x >= 2 && x <= 5 && y >= 1 && y <= 5 ? 1 : 0;
            if (x >= 10 && x <= 20 && y >= 10 && y <= 15)
                v ^= 2;
            if (x >= 10 && x <= 20 && y >= 18 && y <= 20)
                v |= 4;
            EXPECT_EQ(px(x, y), v) << x << ',' << y;
        }
    EXPECT_EQ(lit(), 20 + 66 + 33);
}

TEST_F(Prims, ScanlinesReadWholeRunsOnly)
{
    for (int x = 0; x < 640; x++)
        GrVLine(x, 0, 1, static_cast<GrColor>(x * 7 + 1) & 255);
    const GrColor *row = GrGetScanline(0, 639, 0);
    ASSERT_NE(row, nullptr);
    for (int x = 0; x < 640; x++)
        ASSERT_EQ(row[x], static_cast<GrColor>(x * 7 + 1) & 255) << x;
    row = GrGetScanline(12, 10, 1);  // either order
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row[0], 71U);
    EXPECT_EQ(row[2], 85U);
    EXPECT_EQ(GrGetScanline(-1, 10, 0), nullptr);
    EXPECT_EQ(GrGetScanline(0, 640, 0), nullptr);
    EXPECT_EQ(GrGetScanline(0, 10, -1), nullptr);
    EXPECT_EQ(GrGetScanline(0, 10, 480), nullptr);
    GrSetClipBox(10, 1, 20, 1);
    EXPECT_EQ(GrGetScanline(9, 12, 1), nullptr);
    EXPECT_EQ(GrGetScanline(10, 12, 0), nullptr);
    ASSERT_NE(GrGetScanline(10, 20, 1), nullptr);

    // another context is read through its own frame driver and offsets
    GrContext *m = GrCreateFrameContext(GR_frameRAM24, 8, 4, nullptr, nullptr);
    ASSERT_NE(m, nullptr);
    GrContext *s = GrCreateSubContext(2, 1, 7, 3, m, nullptr);
    ASSERT_NE(s, nullptr);
    GrClearContextC(s, 0xABCDEF);
    row = GrGetScanlineC(s, 0, 5, 0);
    ASSERT_NE(row, nullptr);
    for (int x = 0; x < 6; x++)
        EXPECT_EQ(row[x], 0xABCDEFU);
    row = GrGetScanlineC(m, 0, 7, 0);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row[7], 0U);
    EXPECT_EQ(GrGetScanlineC(s, 0, 6, 0), nullptr);
    GrDestroyContext(s);
    GrDestroyContext(m);
}

TEST_F(Prims, MouseGuardRectangles)
{
    {
        FakeMouse mouse(7);
        const auto expect = [](Q r, int n) {
            EXPECT_EQ(guards.blocks, n);
            EXPECT_EQ(guards.unblocks, n);
            EXPECT_EQ(guards.last_unblock, 7);
            EXPECT_EQ(guards.ctx, &_GrContextInfo.current);
            EXPECT_EQ(guards.rect, r);
        };
        GrLine(100, 200, -100, 0, 1);  // the clipped end points, not reordered
        expect({100, 200, 0, 100}, 1);
        GrHLine(10, 5, 3, 1);
        expect({5, 3, 10, 3}, 2);
        GrVLine(7, 500, -3, 1);
        expect({7, 0, 7, 479}, 3);
        GrBox(-10, -10, 10, 10, 1);  // one guard for the whole outline
        expect({0, 0, 10, 10}, 4);
        GrFilledBox(630, 470, 700, 500, 1);
        expect({630, 470, 639, 479}, 5);
        GrClearContext(0);
        expect({0, 0, 639, 479}, 6);
        ASSERT_NE(GrGetScanline(3, 1, 2), nullptr);
        expect({1, 2, 3, 2}, 7);
        GrFilledBoxNC(0, 0, 3, 3, 1);  // the caller guards
        GrHLine(0, 10, -1, 1);          // nothing to draw
        GrBox(640, 0, 700, 10, 1);
        GrFilledBox(-5, -5, -1, -1, 1);
        expect({1, 2, 3, 2}, 7);
    }
    {
        FakeMouse mouse(0);  // nothing to release
        GrHLine(0, 10, 0, 1);
        EXPECT_EQ(guards.blocks, 1);
        EXPECT_EQ(guards.unblocks, 0);
        _GrMouseInfo.must_check = 0;
        GrHLine(0, 10, 0, 1);
        _GrMouseInfo.must_check = 1;
        GrContext *m = GrCreateFrameContext(GR_frameRAM8, 8, 8, nullptr, nullptr);
        ASSERT_NE(m, nullptr);
        select_recorded(m);  // memory frames are not on screen
        GrLine(0, 0, 7, 7, 1);
        GrClearContext(1);
        EXPECT_EQ(guards.blocks, 1);
        GrSetContext(nullptr);
        GrDestroyContext(m);
    }
}

// ---- randomized comparison with a pixel model --------------------------

namespace {

// R(d, n, m) with m > 0: d * n / m rounded half away from zero, from the exact quotient.
int64_t share(int64_t d, int64_t n, int64_t m)
{
    __int128 num = static_cast<__int128>(d) * n;
    const bool neg = num < 0;
    if (neg)
        num = -num;
    const __int128 q = num / m + (2 * (num % m) >= m ? 1 : 0);
    return static_cast<int64_t>(neg ? -q : q);
}

// Clips (a1, b1)-(a2, b2) to lo..hi along a, moving b along the segment.
bool clip_axis(int64_t &a1, int64_t &b1, int64_t &a2, int64_t &b2, int64_t lo, int64_t hi)
{
    if (a1 > a2)  // the same moves, made from the other end
        return clip_axis(a2, b2, a1, b1, lo, hi);
    if (a2 < lo || a1 > hi)
        return false;
    if (a1 < lo) {
        b1 += share(b2 - b1, lo - a1, a2 - a1);
        a1 = lo;
    }
    if (a2 > hi) {
        b2 -= share(b2 - b1, a2 - hi, a2 - a1);
        a2 = hi;
    }
    return true;
}

// The pixels of a line from (x, y) by (dx, dy), walked as the drivers do.
template <class F>
void bresenham(int x, int y, int dx, int dy, F plot)
{
    if (dx < 0) {
        x += dx, y += dy, dx = -dx, dy = -dy;
    }
    const int sy = dy < 0 ? -1 : 1;
    dy = dy < 0 ? -dy : dy;
    if (dx > dy) {
        for (int i = 0, e = dx >> 1; i <= dx; i++, x++) {
            plot(x, y);
            if ((e -= dy) < 0)
                e += dx, y += sy;
        }
    } else {
        for (int i = 0, e = dy >> 1; i <= dy; i++, y += sy) {
            plot(x, y);
            if ((e -= dx) < 0)
                e += dy, x++;
        }
    }
}

uint32_t combine(GrColor c, uint32_t old, uint32_t mask)
{
    const uint32_t v = c & mask;
    switch ((c >> 24) & 15) {
    case 1: return old ^ v;
    case 2: return old | v;
    case 3: return old & v;
    default: return v;
    }
}

const int kHuge[] = {INT_MIN, INT_MIN + 1, -(1 << 30) - 1, -(1 << 30), 1 << 30, (1 << 30) + 1, INT_MAX - 1, INT_MAX};

int coord(std::mt19937 &rng, int extent)
{
    switch (rng() % 8) {
    case 0: return static_cast<int>(rng() % 6001) - 3000;
    case 1: return kHuge[rng() % 8];
    case 2: return static_cast<int>(rng());
    default: return static_cast<int>(rng() % static_cast<unsigned>(extent + 16)) - 8;
    }
}

class Random : public ::testing::TestWithParam<GrFrameMode> {};

}  // namespace

TEST_P(Random, PrimitivesMatchPixelModel)
{
    const GrFrameMode mode = GetParam();
    const int W = 45, H = 29;
    std::mt19937 rng(1234 + mode);
    GrContext *root = nullptr;
    if (mode == GR_frameRAM8) {  // the screen: on-screen frame with a guarded mouse
        ASSERT_EQ(GrSetDriver("memory"), 1);
        ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, W, H, 8), 1);
        root = &_GrContextInfo.screen;
    } else {
        root = GrCreateFrameContext(mode, W, H, nullptr, nullptr);
        ASSERT_NE(root, nullptr);
    }
    GrFrame &f = root->gc_frame;
    const GrFrameDriver &drv = *f.gf_driver;
    const int bits = drv.bits_per_pixel / drv.num_planes, lo = f.gf_lineoffset;
    const uint32_t mask = drv.bits_per_pixel >= 24 ? 0xFFFFFFU : (1U << drv.bits_per_pixel) - 1;
    // the model also covers the padding pixels at the end of every row
    const int PW = lo * 8 / bits;
    for (int p = 0; p < drv.num_planes; p++)
        for (int i = 0; i < lo * H; i++)
            f.gf_baseaddr[p][i] = static_cast<unsigned char>(rng());
    const std::vector<unsigned char> snap(f.gf_baseaddr[0], f.gf_baseaddr[0] + lo * H);
    std::vector<uint32_t> model(static_cast<size_t>(PW) * H);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < PW; x++)
            model[y * PW + x] = drv.readpixel(&f, x, y);

    GrContext sub;
    ASSERT_EQ(GrCreateSubContext(3, 2, W - 5, H - 3, root, &sub), &sub);
    FakeMouse mouse(1);
    select_recorded(&sub);
    const GrContext &c = _GrContextInfo.current;
    for (int step = 0; step < 4000; step++) {
        if (step % 50 == 0) {  // move the sub-context now and then
            int a[4];
            for (int &v : a)
                v = static_cast<int>(rng() % (W + 10)) - 5;
            GrResizeSubContext(&sub, a[0], a[1], a[2], a[3]);
            select_recorded(&sub);
        }
        if (step % 10 == 0) {  // a new clip box, ignored when it misses the context
            const int b0 = coord(rng, c.gc_xmax), b1 = coord(rng, c.gc_ymax);
            const int b2 = coord(rng, c.gc_xmax), b3 = coord(rng, c.gc_ymax);
            Q e = clip(c);
            GrSetClipBox(b0, b1, b2, b3);
            if (!(std::min(b0, b2) > c.gc_xmax || std::max(b0, b2) < 0 || std::min(b1, b3) > c.gc_ymax ||
                  std::max(b1, b3) < 0))
                e = {std::max(std::min(b0, b2), 0), std::max(std::min(b1, b3), 0),
                     std::min(std::max(b0, b2), c.gc_xmax), std::min(std::max(b1, b3), c.gc_ymax)};
            ASSERT_EQ(clip(c), e);
        }
        const int64_t cx1 = c.gc_xcliplo, cy1 = c.gc_ycliplo, cx2 = c.gc_xcliphi, cy2 = c.gc_ycliphi;
        int x1 = coord(rng, c.gc_xmax), y1 = coord(rng, c.gc_ymax);
        int x2 = coord(rng, c.gc_xmax), y2 = coord(rng, c.gc_ymax);
        const int kind = static_cast<int>(rng() % 6);
        if (kind == 5) {  // a far point and its mirror through a point of the clip box
            const int64_t px = cx1 + rng() % (cx2 - cx1 + 1), py = cy1 + rng() % (cy2 - cy1 + 1);
            const auto fit = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); };
            x2 = fit(2 * px - x1), y2 = fit(2 * py - y1);
        }
        const GrColor col = static_cast<GrColor>(rng() & 0xFFFFFF) | (rng() % 4) << 24;
        std::vector<std::pair<int64_t, int64_t>> expect;  // pixels in context coordinates
        bool guarded = false;
        const int64_t a1 = std::min(x1, x2), a2 = std::max(x1, x2), b1 = std::min(y1, y2), b2 = std::max(y1, y2);
        const bool meets = !(a1 > cx2 || a2 < cx1 || b1 > cy2 || b2 < cy1);
        const int calls_before = calls, blocks_before = guards.blocks;
        switch (kind) {
        case 0:
            GrHLine(x1, x2, y1, col);
            guarded = meets && y1 >= cy1 && y1 <= cy2;
            for (int64_t x = std::max(a1, cx1); guarded && x <= std::min(a2, cx2); x++)
                expect.emplace_back(x, y1);
            break;
        case 1:
            GrVLine(x1, y1, y2, col);
            guarded = x1 >= cx1 && x1 <= cx2 && meets;
            for (int64_t y = std::max(b1, cy1); guarded && y <= std::min(b2, cy2); y++)
                expect.emplace_back(x1, y);
            break;
        case 2:
        case 3:
            (kind == 2 ? GrBox : GrFilledBox)(x1, y1, x2, y2, col);
            guarded = meets;
            for (int64_t y = std::max(b1, cy1); meets && y <= std::min(b2, cy2); y++)
                for (int64_t x = std::max(a1, cx1); x <= std::min(a2, cx2); x++)
                    if (kind == 3 || x == a1 || x == a2 || y == b1 || y == b2)
                        expect.emplace_back(x, y);
            break;
        default: {
            GrLine(x1, y1, x2, y2, col);
            int64_t l[4] = {x1, y1, x2, y2};
            guarded = clip_axis(l[0], l[1], l[2], l[3], cx1, cx2) && clip_axis(l[1], l[0], l[3], l[2], cy1, cy2);
            if (guarded) {
                const Q e{int(l[0]), int(l[1]), int(l[2]), int(l[3])};
                if (mode == GR_frameRAM8) {
                    ASSERT_EQ(guards.rect, e) << x1 << ',' << y1 << ' ' << x2 << ',' << y2;
                }
                ASSERT_EQ(lines.back(), (Q{e[0] + c.gc_xoffset, e[1] + c.gc_yoffset, e[2] - e[0], e[3] - e[1]}));
                bresenham(e[0], e[1], e[2] - e[0], e[3] - e[1], [&](int x, int y) { expect.emplace_back(x, y); });
            }
        }
        }
        ASSERT_EQ(guards.blocks - blocks_before, mode == GR_frameRAM8 && guarded ? 1 : 0)
            << "kind " << kind << ": " << x1 << ',' << y1 << ' ' << x2 << ',' << y2;
        if (expect.empty()) {
            ASSERT_EQ(calls, calls_before) << "kind " << kind << ": " << x1 << ',' << y1 << ' ' << x2 << ',' << y2;
        }
        for (const auto &p : expect) {
            uint32_t &m = model[(p.second + c.gc_yoffset) * PW + p.first + c.gc_xoffset];
            m = combine(col, m, mask);
        }
        for (int y = 0; y < H; y++)
            for (int x = 0; x < PW; x++)
                ASSERT_EQ(drv.readpixel(&f, x, y), model[y * PW + x])
                    << "step " << step << " kind " << kind << " at " << x << ',' << y << ": " << x1 << ','
                    << y1 << ' ' << x2 << ',' << y2;
    }
    // bytes past the last whole pixel of a row (24-bit rows) are never touched
    for (int y = 0; y < H; y++)
        for (int i = PW * bits / 8; i < lo; i++)
            ASSERT_EQ(f.gf_baseaddr[0][y * lo + i], snap[y * lo + i]);
    GrSetContext(nullptr);
    if (mode != GR_frameRAM8)
        GrDestroyContext(root);
}

INSTANTIATE_TEST_SUITE_P(Formats, Random,
                         ::testing::Values(GR_frameRAM1, GR_frameRAM4, GR_frameRAM8, GR_frameRAM16,
                                           GR_frameRAM24, GR_frameRAM32L, GR_frameRAM32H));
