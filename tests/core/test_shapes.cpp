// Pattern fills, polygon outlines and fills, custom (dashed and wide) lines,
// ellipses and arcs: exact pixels of the documented cases, a randomized
// comparison of the two polygon fills, and bad input that must run clean.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "clipcheck.h"
#include "libpxl.h"

namespace {

constexpr int W = 320, H = 240;

// ---- checking frame driver: every drawing slot must stay in the clip box,
// and nothing reaches memory past a failed check

GrFrameDriver real;  // the memory driver's own slots
struct Blit { int dx, dy, sx, sy, w, h; bool r2v; };
struct Counts { int pixel, hline, pattern; int64_t hpixels; } counts;  // hpixels: drawhline's widths
std::vector<Blit> blits;

template <bool R2V>
void ck_blit(GrFrame *d, int dx, int dy, GrFrame *s, int sx, int sy, int w, int h, GrColor op)
{
    blits.push_back({dx, dy, sx, sy, w, h, R2V});
    if (area_in_clip(dx, dy, w, h))
        real.bitblt(d, dx, dy, s, sx, sy, w, h, op);
}

// Selects ctx (null: the screen) and puts the checks in its driver's place.
void select_checked(const GrContext *ctx)
{
    GrSetContext(ctx);
    real = _GrDriverInfo.frame_driver;
    GrFrameDriver &d = _GrDriverInfo.frame_driver;
    d.drawpixel = [](int x, int y, GrColor c) { ++counts.pixel; if (area_in_clip(x, y, 1, 1)) real.drawpixel(x, y, c); };
    d.drawline = [](int x, int y, int dx, int dy, GrColor c) {
        const bool ok = in_clip(x, y) && in_clip(int64_t{x} + dx, int64_t{y} + dy);
        EXPECT_TRUE(ok) << "line outside: " << x << ',' << y << " by " << dx << ',' << dy;
        if (ok) real.drawline(x, y, dx, dy, c);
    };
    d.drawhline = [](int x, int y, int w, GrColor c) {
        ++counts.hline, counts.hpixels += w;
        if (area_in_clip(x, y, w, 1)) real.drawhline(x, y, w, c);
    };
    d.drawvline = [](int x, int y, int h, GrColor c) { if (area_in_clip(x, y, 1, h)) real.drawvline(x, y, h, c); };
    d.drawblock = [](int x, int y, int w, int h, GrColor c) { if (area_in_clip(x, y, w, h)) real.drawblock(x, y, w, h, c); };
    d.drawpattern = [](int x, int y, int w, unsigned char p, GrColor fg, GrColor bg) {
        ++counts.pattern;
        if (area_in_clip(x, y, w, 1)) real.drawpattern(x, y, w, p, fg, bg);
    };
    d.bitblt = ck_blit<false>;
    counts = Counts();
    blits.clear();
}

// ---- recording filler: the frame-coordinate lines of a shape

using Quad = std::array<int, 4>;
std::vector<Quad> flines;
const GrFillOps recorder = {[](int x, int y, GrFillArg) { flines.push_back({x, y, 0, 0}); },
                            [](int x, int y, int dx, int dy, GrFillArg) { flines.push_back({x, y, dx, dy}); },
                            [](int, int, int, GrFillArg) {}};
GrFillArg colour(GrColor c)
{
    GrFillArg a;
    a.color = c;
    return a;
}

// ---- fake mouse: counts block and unblock

int blocks, unblocks;
struct FakeMouse {
    _GR_mouseInfo saved = _GrMouseInfo;
    FakeMouse()
    {
        blocks = unblocks = 0;
        _GrMouseInfo.block = [](GrContext *, int, int, int, int) { return ++blocks; };
        _GrMouseInfo.unblock = [](int) { ++unblocks; };
        _GrMouseInfo.must_check = 1;
    }
    ~FakeMouse() { _GrMouseInfo = saved; }
};

using Points = std::vector<std::array<int, 2>>;
const int (*P(const Points &v))[2] { return reinterpret_cast<const int (*)[2]>(v.data()); }

// The 320 x 240 screen of the memory driver with the checks installed.
class Screen : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(GrSetDriver("memory"), 1);
        ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, W, H, 8), 1);
        select_checked(nullptr);
        flines.clear();
    }
    void TearDown() override { GrSetContext(nullptr); }
    static unsigned char *base() { return _GrContextInfo.screen.gc_frame.gf_baseaddr[0]; }
    static int pitch() { return _GrContextInfo.screen.gc_frame.gf_lineoffset; }
    static unsigned char px(int x, int y) { return base()[y * pitch() + x]; }
    static void clear() { memset(base(), 0, static_cast<size_t>(pitch()) * H); }
    static std::vector<unsigned char> snap() { return {base(), base() + static_cast<size_t>(pitch()) * H}; }
    static int lit()
    {
        int n = 0;
        for (int y = 0; y < H; y++)
            for (int x = 0; x < W; x++)
                n += px(x, y) != 0;
        return n;
    }
    // The runs of set pixels of row y, as "a-b c d-e".
    static std::string runs(int y)
    {
        std::string s;
        for (int x = 0, e; x < W; x = e + 1) {
            for (e = x; px(x, y) && e + 1 < W && px(e + 1, y);)
                e++;
            if (px(x, y))
                s += (s.empty() ? "" : " ") + std::to_string(x) + (e > x ? "-" + std::to_string(e) : "");
        }
        return s;
    }
};

class PatternFill : public Screen {};
class Poly : public Screen {};
class CustomLine : public Screen {};
class Ellipse : public Screen {};
class ShapeBadInput : public Screen {};

const unsigned char kSolid[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
const unsigned char kLeft[8] = {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
const unsigned char kDiag[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};

GrPattern bitmap(const unsigned char *bits, int rows = 8)
{
    GrPattern p;
    memset(&p, 0, sizeof p);
    p.bitmap = {0, rows, bits, 5, 2};  // fg 5, bg 2
    return p;
}

// A 3 x 2 tile in a memory frame, pixel (x, y) = 10 + 3y + x.
struct Tile {
    GrContext *ctx = GrCreateFrameContext(GR_frameRAM8, 3, 2, nullptr, nullptr);
    GrPattern p;
    static int at(int x, int y) { return 10 + 3 * (y % 2) + x % 3; }
    Tile()
    {
        for (int i = 0; i < 6; i++)
            ctx->gc_frame.gf_baseaddr[0][i / 3 * ctx->gc_frame.gf_lineoffset + i % 3] =
                static_cast<unsigned char>(at(i % 3, i / 3));
        memset(&p, 0, sizeof p);
        p.pixmap = {1, 3, 2, GR_WRITE, ctx->gc_frame};
    }
    ~Tile() { GrDestroyContext(ctx); }
};

}  // namespace

// ===================================================================== patterns

TEST_F(PatternFill, BitmapRowsAnchoredToTheFrame)
{
    // all-0xFF rows: exactly a solid fg box, one drawhline per row
    GrPattern p = bitmap(kSolid);
    GrPatternFilledBox(3, 4, 20, 9, &p);
    EXPECT_EQ(counts.hline, 6);
    EXPECT_EQ(counts.pattern, 0);
    const auto solid = snap();
    clear();
    GrFilledBox(3, 4, 20, 9, 5);
    EXPECT_EQ(snap(), solid);

    // the leftmost column only: fg at frame columns 8 and 16, bg elsewhere
    clear();
    p = bitmap(kLeft);
    GrPatternFilledBox(3, 0, 20, 3, &p);
    EXPECT_EQ(counts.pattern, 4);
    for (int x = 2; x <= 21; x++)
        EXPECT_EQ(px(x, 2), x < 3 || x > 20 ? 0 : x == 8 || x == 16 ? 5 : 2) << x;

    // a clear row is one bg run
    const unsigned char half[2] = {0x00, 0xFF};
    p = bitmap(half, 2);
    GrPatternFilledBox(0, 10, 30, 13, &p);
    EXPECT_EQ(counts.hline, 10);
    EXPECT_EQ(runs(10), "0-30");
    EXPECT_EQ(px(5, 10) * 10 + px(5, 11), 25);

    // two touching boxes show the picture of one box; every pixel follows its
    // frame position, whatever the box's corner
    p = bitmap(kDiag);
    clear();
    GrPatternFilledBox(0, 0, 9, 9, &p);
    GrPatternFilledBox(10, 0, 19, 9, &p);
    const auto two = snap();
    clear();
    GrPatternFilledBox(0, 0, 19, 9, &p);
    EXPECT_EQ(snap(), two);
    GrPatternFilledBox(3, 13, 30, 25, &p);
    for (int y = 13; y <= 25; y++)
        for (int x = 3; x <= 30; x++)
            ASSERT_EQ(px(x, y), x % 8 == y % 8 ? 5 : 2) << x << ',' << y;

    // plots take the same colours; outside the clip box nothing is called
    counts = Counts();
    for (const auto &xy : {std::array<int, 2>{11, 3}, {12, 3}, {-1, 3}, {3, H}})
        GrPatternFilledPlot(xy[0], xy[1], &p);
    EXPECT_EQ(counts.pixel, 2);
    EXPECT_EQ(px(11, 3) * 10 + px(12, 3), 52);
}

TEST_F(PatternFill, LinesAreOneSpanOrAnchoredPixels)
{
    GrPattern p = bitmap(kDiag);
    GrPatternFilledLine(10, 5, 2, 5, &p);
    const auto back = snap();
    clear();
    GrPatternFilledLine(2, 5, 10, 5, &p);
    EXPECT_EQ(counts.pattern, 2);  // one span each
    EXPECT_EQ(snap(), back);
    EXPECT_EQ(runs(5), "2-10");
    EXPECT_EQ(px(5, 5), 5);

    // sloped lines: the pixels of GrLine, each in its frame position's colour
    const int ends[][4] = {{3, 3, 40, 17}, {40, 17, 3, 3}, {5, 50, 12, 10}, {12, 60, 5, 100},
                           {-20, -7, 30, 30}, {0, 0, 9, 9}, {100, 20, 80, 40}};
    for (const auto &e : ends) {
        clear();
        GrLine(e[0], e[1], e[2], e[3], 1);
        const auto line = snap();
        clear();
        GrPatternFilledLine(e[0], e[1], e[2], e[3], &p);
        for (int y = 0; y < H; y++)
            for (int x = 0; x < W; x++)
                ASSERT_EQ(px(x, y), line[y * pitch() + x] ? (x % 8 == y % 8 ? 5 : 2) : 0)
                    << e[0] << ',' << e[1] << ' ' << e[2] << ',' << e[3] << " at " << x << ',' << y;
    }

    // in a sub-context the offset is added and the pattern stays on the frame
    GrContext *sub = GrCreateSubContext(100, 50, 200, 100, nullptr, nullptr);
    ASSERT_NE(sub, nullptr);
    select_checked(sub);
    clear();
    p = bitmap(kSolid);
    GrPatternFilledLine(0, 0, 10, 0, &p);
    EXPECT_EQ(runs(50), "100-110");
    EXPECT_EQ(lit(), 11);
    p = bitmap(kLeft);
    GrPatternFilledLine(0, 1, 10, 1, &p);
    GrPatternFilledPlot(12, 2, &p);
    EXPECT_EQ(px(104, 51) * 100 + px(103, 51) * 10 + px(112, 52), 525);
    // custom lines can fill through the pattern filler too
    const GrCustomLineStyle wide = {0, 5, 0, nullptr};
    const Points l = {{0, 20}, {30, 20}};
    GrFillArg a;
    a.pattern = &p;
    _GrDrawCustomPolygon(2, P(l), &wide, &_GrPatternFiller, a, 0);
    EXPECT_EQ(px(112, 68) * 100 + px(113, 72) * 10 + px(112, 73), 520);
    GrDestroyContext(sub);
}

TEST_F(PatternFill, PixmapTilesPiecesAndCopier)
{
    Tile t;
    auto got = [](size_t i) {
        const Blit &b = blits[i];
        return std::array<int, 6>{b.dx, b.dy, b.sx, b.sy, b.w, b.h};
    };
    // a span from frame x 4, width 7: pieces of 2, 3, 2 from tile column 1,
    // copied with bitblt (the memory driver has no bltr2v)
    _GrFillPattern(4, 7, 7, &t.p);
    ASSERT_EQ(blits.size(), 3U);
    EXPECT_EQ(got(0), (std::array<int, 6>{4, 7, 1, 1, 2, 1}));
    EXPECT_EQ(got(1), (std::array<int, 6>{6, 7, 0, 1, 3, 1}));
    EXPECT_EQ(got(2), (std::array<int, 6>{9, 7, 0, 1, 2, 1}));
    EXPECT_FALSE(blits[0].r2v);
    EXPECT_EQ(runs(7), "4-10");
    for (int x = 4; x <= 10; x++)
        EXPECT_EQ(px(x, 7), Tile::at(x, 7)) << x;

    // a tile origin right of x never gives a negative column or row
    blits.clear();
    _GrFillPatternExt(0, 0, 5, 3, 4, &t.p);
    ASSERT_EQ(blits.size(), 2U);
    EXPECT_EQ(got(0), (std::array<int, 6>{0, 0, 1, 1, 2, 1}));

    // boxes copy blocks: row 3 (tile row 1), then rows 4-5 (tile rows 0-1)
    blits.clear();
    GrPatternFilledBox(4, 3, 10, 5, &t.p);
    const std::array<int, 6> want[6] = {{4, 3, 1, 1, 2, 1}, {6, 3, 0, 1, 3, 1}, {9, 3, 0, 1, 2, 1},
                                        {4, 4, 1, 0, 2, 2}, {6, 4, 0, 0, 3, 2}, {9, 4, 0, 0, 2, 2}};
    ASSERT_EQ(blits.size(), 6U);
    for (size_t i = 0; i < 6; i++)
        EXPECT_EQ(got(i), want[i]) << i;
    for (int y = 3; y <= 5; y++)
        for (int x = 4; x <= 10; x++)
            EXPECT_EQ(px(x, y), Tile::at(x, y)) << x << ',' << y;

    // pixels and sloped lines read the tile; polygons fill with spans
    GrPatternFilledPlot(20, 21, &t.p);
    GrPatternFilledLine(30, 30, 40, 36, &t.p);
    EXPECT_EQ(px(20, 21), Tile::at(20, 21));
    EXPECT_EQ(px(30, 30), Tile::at(30, 30));
    EXPECT_EQ(px(40, 36), Tile::at(40, 36));
    const Points tri = {{50, 50}, {70, 50}, {60, 60}};
    GrPatternFilledPolygon(3, P(tri), &t.p);
    for (int x = 50; x <= 70; x++)
        EXPECT_EQ(px(x, 50), Tile::at(x, 50));

    // a driver with bltr2v uses it for the displayed frame only
    _GrDriverInfo.frame_driver.bltr2v = ck_blit<true>;
    blits.clear();
    _GrFillPattern(4, 8, 7, &t.p);
    GrPatternFilledBox(0, 0, 5, 5, &t.p);
    ASSERT_EQ(blits.size(), 9U);
    for (const Blit &b : blits)
        EXPECT_TRUE(b.r2v);
    GrContext *mem = GrCreateFrameContext(GR_frameRAM8, 40, 40, nullptr, nullptr);
    ASSERT_NE(mem, nullptr);
    select_checked(mem);
    _GrDriverInfo.frame_driver.bltr2v = ck_blit<true>;
    GrPatternFilledBox(0, 0, 9, 9, &t.p);
    _GrFillPattern(4, 8, 7, &t.p);
    ASSERT_EQ(blits.size(), 23U);
    for (const Blit &b : blits)
        EXPECT_FALSE(b.r2v);
    EXPECT_EQ(mem->gc_frame.gf_baseaddr[0][8 * mem->gc_frame.gf_lineoffset + 5], Tile::at(5, 8));
    GrDestroyContext(mem);
}

TEST_F(PatternFill, EmptyPatternsDrawNothing)
{
    Tile t;
    std::vector<GrPattern> bad = {bitmap(kDiag, 0), bitmap(kDiag, -3), bitmap(nullptr, 8),
                                  bitmap(kDiag, INT_MIN)};
    for (const auto &wh : {std::array<int, 2>{0, 2}, {3, 0}, {-1, 2}, {3, INT_MIN}, {0, 0}}) {
        bad.push_back(t.p);
        bad.back().pixmap.width = wh[0];
        bad.back().pixmap.height = wh[1];
    }
    const Points tri = {{10, 10}, {60, 12}, {30, 50}};
    for (const GrPattern &p : bad) {
        GrPatternFilledBox(0, 0, 50, 50, &p);
        GrPatternFilledLine(0, 0, 50, 0, &p);
        GrPatternFilledLine(0, 0, 50, 37, &p);
        GrPatternFilledPlot(7, 7, &p);
        GrPatternFilledPolygon(3, P(tri), &p);
        GrPatternFilledEllipseArc(60, 60, 30, 20, 0, 2000, GR_arcPie, &p);
        _GrFillPattern(3, 3, 10, &p);
    }
    EXPECT_EQ(lit(), 0);
    EXPECT_TRUE(blits.empty());
}

// ===================================================================== polygons

TEST_F(Poly, TriangleSquareAndBowTie)
{
    const Points tri = {{10, 10}, {20, 10}, {15, 20}};
    GrFilledPolygon(3, P(tri), 1);
    EXPECT_EQ(runs(9) + "|" + runs(10) + "|" + runs(20) + "|" + runs(21), "|10-20|15|");
    const auto even_odd = snap();
    clear();
    GrFilledConvexPolygon(3, P(tri), 1);
    EXPECT_EQ(snap(), even_odd);

    // a closing point equal to the first changes nothing, for both fills,
    // and under XOR every pixel is written once
    const Points sq4 = {{5, 30}, {25, 30}, {25, 45}, {5, 45}};
    Points sq5 = sq4;
    sq5.push_back(sq4[0]);
    for (auto fill : {GrFilledPolygon, GrFilledConvexPolygon}) {
        clear();
        fill(4, P(sq4), GR_XOR | 3);
        const auto four = snap();
        EXPECT_EQ(lit(), 21 * 16);
        clear();
        fill(5, P(sq5), GR_XOR | 3);
        EXPECT_EQ(snap(), four);
    }

    // the bow tie fills both triangles, even-odd; spans sharing pixels are
    // merged, so XOR leaves no hole at the crossing
    clear();
    const Points bow = {{0, 0}, {10, 10}, {10, 0}, {0, 10}};
    GrFilledPolygon(4, P(bow), GR_XOR | 1);
    const char *rows[11] = {"0 10",     "0-1 9-10", "0-2 8-10", "0-3 7-10", "0-4 6-10", "0-10",
                            "0-4 6-10", "0-3 7-10", "0-2 8-10", "0-1 9-10", "0 10"};
    for (int y = 0; y <= 10; y++)
        EXPECT_EQ(runs(y), rows[y]) << y;
}

TEST_F(Poly, OutlineSegmentsTopFirst)
{
    const Points pts = {{10, 10}, {30, 10}, {20, 30}};
    _GrDrawPolygon(3, P(pts), &recorder, colour(1), 0);
    EXPECT_EQ(flines, (std::vector<Quad>{{10, 10, 20, 0}, {30, 10, -10, 20}}));
    flines.clear();
    _GrDrawPolygon(3, P(pts), &recorder, colour(1), 1);
    ASSERT_EQ(flines.size(), 3U);
    EXPECT_EQ(flines[0], (Quad{10, 10, 10, 20}));  // the closing side, from its top
    // one point is one zero-length side; none is nothing
    flines.clear();
    _GrDrawPolygon(1, P(pts), &recorder, colour(1), 0);
    _GrDrawPolygon(0, P(pts), &recorder, colour(1), 1);
    EXPECT_EQ(flines, (std::vector<Quad>{{10, 10, 0, 0}}));

    // sides go top first, so the reversed polygon gives the same pixels
    const Points rev = {{20, 30}, {30, 10}, {10, 10}};
    GrPolygon(3, P(pts), 1);
    const auto fwd = snap();
    clear();
    GrPolygon(3, P(rev), 1);
    EXPECT_EQ(snap(), fwd);
    clear();
    GrPolyLine(3, P(pts), 1);
    EXPECT_EQ(px(20, 30) * 10 + px(15, 20), 10);  // open: no closing side
}

TEST_F(Poly, ClippedTopAndGuard)
{
    {
        // wholly above the clip box: nothing, and the mouse is left alone
        FakeMouse m;
        const Points above = {{10, -50}, {60, -40}, {30, -10}};
        GrPolygon(3, P(above), 1);
        GrPolyLine(3, P(above), 1);
        GrFilledPolygon(3, P(above), 1);
        GrFilledConvexPolygon(3, P(above), 1);
        _GrScanPolygon(1, P(above), &_GrSolidFiller, colour(1));
        GrEllipse(50, -30, 10, 10, 1);
        GrFilledEllipse(50, -300, 200, 200, 1);
        GrFilledEllipseArc(50, -30, 10, 10, 0, 900, GR_arcPie, 1);
        EXPECT_EQ(blocks, 0);
        EXPECT_EQ(lit(), 0);
        const Points in = {{10, -50}, {60, 40}, {30, 10}};
        GrFilledPolygon(3, P(in), 1);
        GrFilledConvexPolygon(3, P(in), 1);
        GrPolygon(3, P(in), 1);
        EXPECT_EQ(blocks, 3);
        EXPECT_EQ(unblocks, 3);
    }
    // an edge from above enters at the rounded move: x = R(30, 5, 20) = 8,
    // and the error term starts afresh there
    clear();
    GrSetClipBox(0, 5, W - 1, H - 1);
    const Points tri = {{0, 0}, {30, 20}, {0, 20}};
    GrFilledPolygon(3, P(tri), 1);
    EXPECT_EQ(runs(4) + "|" + runs(5) + "|" + runs(6) + "|" + runs(20), "|0-8|0-10|0-30");
    const auto clipped = snap();
    clear();
    GrFilledConvexPolygon(3, P(tri), 1);
    EXPECT_EQ(snap(), clipped);
    clear();
    GrPolygon(3, P(tri), 1);
    EXPECT_EQ(runs(5), "0 8");
    GrResetClipBox();
    clear();
    GrFilledPolygon(3, P(tri), 1);
    EXPECT_EQ(runs(5) + "|" + runs(6), "0-8|0-9");  // unclipped
}

// The convex fill spans the two chains from the top vertex; a chain stops
// where its next side turns upward, and takes at most n sides (points all on
// one line would otherwise go round for ever).
TEST_F(Poly, ConvexChainsOnOtherShapes)
{
    const Points notch = {{0, 0}, {20, 0}, {20, 20}, {10, 10}, {0, 20}};
    GrFilledConvexPolygon(5, P(notch), 1);
    for (int y = 0; y <= 21; y++)
        EXPECT_EQ(runs(y), y <= 20 ? "0-20" : "") << y;
    clear();
    GrFilledPolygon(5, P(notch), 1);
    EXPECT_EQ(runs(10) + "|" + runs(15) + "|" + runs(20), "0-20|0-5 15-20|0 20");
    clear();
    const Points flat = {{0, 5}, {10, 5}, {20, 5}, {7, 5}};
    GrFilledConvexPolygon(4, P(flat), 1);
    GrFilledPolygon(4, P(flat), GR_XOR | 1);
    EXPECT_EQ(lit(), 0);  // both fills cover 0-20 of row 5 exactly once
    GrFilledConvexPolygon(4, P(flat), 1);
    EXPECT_EQ(runs(5) + "|" + std::to_string(lit()), "0-20|21");
}

// Each pair of crossings spans both runs whole, so a long run that arrives
// first keeps its tail: the first line of a flat edge at a top vertex is the
// same in either point order, and the same as the convex fill's.
TEST_F(Poly, EvenOddKeepsWholeBoundaryRuns)
{
    const Points cw = {{10, 10}, {40, 12}, {12, 30}}, ccw = {{10, 10}, {12, 30}, {40, 12}};
    GrFilledPolygon(3, P(cw), 1);
    EXPECT_EQ(runs(10), "10-17");
    clear();
    GrFilledPolygon(3, P(ccw), 1);
    EXPECT_EQ(runs(10) + "|" + runs(11), "10-17|10-32");
    clear();
    GrFilledConvexPolygon(3, P(ccw), 1);
    EXPECT_EQ(runs(10), "10-17");
}

// Random convex polygons inside the screen: both fills give the same pixels.
TEST_F(Poly, RandomConvexFillsAgree)
{
    std::mt19937 rng(12345);
    int same = 0, tried = 0;
    auto cross = [](const std::array<int, 2> &o, const std::array<int, 2> &a, const std::array<int, 2> &b) {
        return int64_t{a[0] - o[0]} * (b[1] - o[1]) - int64_t{a[1] - o[1]} * (b[0] - o[0]);
    };
    for (int iter = 0; iter < 500; iter++) {
        std::uniform_int_distribution<int> n_of(3, 12), c(0, iter % 3 ? 230 : 30);
        Points pts(static_cast<size_t>(n_of(rng)));
        for (auto &p : pts)
            p = {c(rng) + 40, c(rng)};
        std::sort(pts.begin(), pts.end());  // convex hull, monotone chain
        Points hull(2 * pts.size());
        size_t k = 0;
        for (size_t i = 0; i < pts.size(); i++) {
            while (k >= 2 && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0) k--;
            hull[k++] = pts[i];
        }
        for (size_t i = pts.size() - 1, t = k + 1; i > 0; i--) {
            while (k >= t && cross(hull[k - 2], hull[k - 1], pts[i - 1]) <= 0) k--;
            hull[k++] = pts[i - 1];
        }
        hull.resize(k - 1);
        if (hull.size() < 3)
            continue;
        std::rotate(hull.begin(), hull.begin() + static_cast<long>(rng() % hull.size()), hull.end());
        if (rng() & 1)
            std::reverse(hull.begin(), hull.end());
        const int m = static_cast<int>(hull.size());
        clear();
        GrFilledConvexPolygon(m, P(hull), 1);
        const auto convex = snap();
        clear();
        GrFilledPolygon(m, P(hull), 1);
        tried++;
        if (snap() == convex) {
            same++;
            continue;
        }
        for (int y = 0; y < H; y++) {
            int first_c = -1, first_e = -1;
            for (int x = W - 1; x >= 0; x--) {
                const bool cv = convex[y * pitch() + x] != 0, eo = px(x, y) != 0;
                ASSERT_FALSE(eo && !cv) << "polygon " << iter << " at " << x << ',' << y;
                first_c = cv ? x : first_c;
                first_e = eo ? x : first_e;
            }
            ASSERT_EQ(first_e, first_c) << "polygon " << iter << " line " << y;
        }
    }
    EXPECT_EQ(same, tried);
    RecordProperty("identical", same);
    RecordProperty("polygons", tried);
}

// An edge stepped as written down: from its top end (a) to its bottom end.
struct ModelEdge {
    int64_t x, xend;
    int top, bottom;
    int64_t adx, dy, err;
    int xs;
    bool xmaj;
    int st = 0;  // even-odd: inactive, active, passed

    ModelEdge(const std::array<int, 2> &a, const std::array<int, 2> &b)
        : x(a[0]), xend(b[0]), top(a[1]), bottom(b[1]), adx(std::abs(int64_t{b[0]} - a[0])),
          dy(int64_t{b[1]} - a[1]), xs(b[0] < a[0] ? -1 : 1), xmaj(dy < adx)
    {
        err = xmaj ? adx >> 1 : (dy - ((1 - xs) >> 1)) >> 1;
    }
    std::pair<int64_t, int64_t> step()
    {
        if (!xmaj) {
            const int64_t at = x;
            if ((err -= adx) < 0) { x += xs; err += dy; }
            return {at, at};
        }
        const int64_t x0 = x;
        for (;;) {
            if ((err -= dy) < 0) { err += adx; break; }
            x += xs;
        }
        const std::pair<int64_t, int64_t> run{std::min(x0, x), std::max(x0, x)};
        x += xs;
        return run;
    }
    std::pair<int64_t, int64_t> last() const { return {std::min(x, xend), std::max(x, xend)}; }
};

std::vector<unsigned char> plot(const std::vector<std::vector<std::pair<int64_t, int64_t>>> &rows)
{
    std::vector<unsigned char> out(static_cast<size_t>(W) * H, 0);
    for (int y = 0; y < H; y++)
        for (const auto &f : rows[static_cast<size_t>(y)])
            for (int64_t x = std::max<int64_t>(f.first, 0); x <= std::min<int64_t>(f.second, W - 1); x++)
                out[static_cast<size_t>(y) * W + static_cast<size_t>(x)] = 1;
    return out;
}

// The even-odd fill as written down: edges in build order, crossings sorted
// stably by left end, pairs, merged spans; a line at a time, no shortcuts.
// With a clip top ylo, edges wholly above it are left out and the others
// enter at the rounded move.
std::vector<unsigned char> even_odd_model(const Points &pts, int ylo = INT_MIN)
{
    std::vector<ModelEdge> es;
    const size_t n = pts.size();
    for (size_t k = 0, prev = 0; k < n; k++) {
        const size_t cur = k == n - 1 ? 0 : n - 1 - k;
        std::array<int, 2> a = pts[prev], b = pts[cur];
        prev = cur;
        if (b[1] < a[1]) std::swap(a, b);
        if (b[1] < ylo) continue;
        if (a[1] < ylo && b[1] > a[1])
            a = {a[0] + static_cast<int>(_GrClipShare(b[0] - a[0], ylo - a[1], b[1] - a[1])), ylo};
        es.emplace_back(a, b);
    }
    using S = std::pair<int64_t, int64_t>;
    std::vector<std::vector<S>> rows(H);
    for (int y = 0; y < H; y++) {
        std::vector<S> cr, &fl = rows[static_cast<size_t>(y)];
        for (ModelEdge &e : es) {
            if (e.st == 0 && e.top == y) {
                if (e.dy == 0) { fl.push_back(e.last()); e.st = 2; continue; }
                e.st = 1;
            }
            if (e.st != 1) continue;
            if (y == e.bottom) {
                cr.push_back(e.last());
                cr.push_back(cr.back());
                e.st = 2;
            } else {
                cr.push_back(e.step());
            }
        }
        std::stable_sort(cr.begin(), cr.end(), [](const S &a, const S &b) { return a.first < b.first; });
        for (size_t i = 0; i + 1 < cr.size(); i += 2)
            fl.push_back({cr[i].first, std::max(cr[i].second, cr[i + 1].second)});
    }
    return plot(rows);
}

// The convex fill as written down: two chains from the first top vertex,
// each going on while its next side does not turn upward (at most n sides),
// and on each line the span over everything either chain touches there.
std::vector<unsigned char> convex_model(Points pts)
{
    if (pts.size() > 1 && pts.back() == pts.front())
        pts.pop_back();
    const size_t n = pts.size();
    size_t top = 0;
    for (size_t i = 1; i < n; i++)
        if (pts[i][1] < pts[top][1]) top = i;
    std::vector<std::pair<int64_t, int64_t>> span(H, {INT64_MAX, INT64_MIN});
    auto widen = [&](int y, std::pair<int64_t, int64_t> r) {
        auto &s = span[static_cast<size_t>(y)];
        s = {std::min(s.first, r.first), std::max(s.second, r.second)};
    };
    for (int dir : {1, -1}) {
        size_t at = top;
        for (size_t taken = 0; taken < n; taken++) {
            const size_t to = (at + n + static_cast<size_t>(dir)) % n;
            if (pts[to][1] < pts[at][1]) break;
            ModelEdge e(pts[at], pts[to]);
            for (int y = e.top; y < e.bottom; y++) widen(y, e.step());
            widen(e.bottom, e.last());
            at = to;
        }
    }
    std::vector<std::vector<std::pair<int64_t, int64_t>>> rows(H);
    for (int y = 0; y < H; y++)
        if (span[static_cast<size_t>(y)].first <= span[static_cast<size_t>(y)].second)
            rows[static_cast<size_t>(y)].push_back(span[static_cast<size_t>(y)]);
    return plot(rows);
}

// Random polygons crossing themselves many times, with flat edges and
// repeated points: both fills match their models pixel for pixel, and XOR
// drawing shows that no pixel is filled twice.
TEST_F(Poly, FillsMatchModels)
{
    std::mt19937 rng(777);
    auto same = [&](const std::vector<unsigned char> &want, int iter, const char *what) {
        for (int y = 0; y < H; y++)
            for (int x = 0; x < W; x++)
                if (px(x, y) != want[static_cast<size_t>(y) * W + static_cast<size_t>(x)]) {
                    ADD_FAILURE() << what << " polygon " << iter << " at " << x << ',' << y;
                    return false;
                }
        return true;
    };
    for (int iter = 0; iter < 1500; iter++) {
        std::uniform_int_distribution<int> n_of(3, iter % 5 ? 12 : 60), c(0, iter % 2 ? 60 : 200);
        Points pts(static_cast<size_t>(n_of(rng)));
        for (auto &p : pts) {
            p = {c(rng) + 10, c(rng) + 10};
            if (rng() % 4 == 0) p[1] = pts[0][1];  // flat edges and shared lines
        }
        clear();
        GrFilledPolygon(static_cast<int>(pts.size()), P(pts), GR_XOR | 1);
        ASSERT_TRUE(same(even_odd_model(pts), iter, "even-odd"));
        clear();
        GrFilledConvexPolygon(static_cast<int>(pts.size()), P(pts), GR_XOR | 1);
        ASSERT_TRUE(same(convex_model(pts), iter, "convex"));
    }
}

// Polygons monotone in y (convex ones; and left and right chains from a top
// to a bottom line, with flat steps, repeated points and chains that cross),
// started at any vertex and in either direction: GrFilledPolygon gives the
// pixels of the even-odd fill, each once, inside or partly outside a clip box.
TEST_F(Poly, MonotoneFillsMatchEvenOdd)
{
    std::mt19937 rng(2024);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int iter = 0; iter < 4000; iter++) {
        const int size = iter % 4 ? 40 : 200, x0 = any(0, W - size - 1), y0 = any(0, H - size - 1);
        Points pts;
        if (iter % 3 == 0) {  // convex: points round an ellipse, in angle order
            std::vector<double> a(static_cast<size_t>(any(3, 40)));
            for (double &t : a)
                t = std::uniform_real_distribution<double>(0, 2 * std::acos(-1.0))(rng);
            std::sort(a.begin(), a.end());
            const double rx = any(0, size / 2), ry = any(0, size / 2);
            for (double t : a)
                pts.push_back({x0 + size / 2 + static_cast<int>(std::lround(rx * std::cos(t))),
                               y0 + size / 2 + static_cast<int>(std::lround(ry * std::sin(t)))});
        } else {
            const int top = y0 + any(0, size / 4), bottom = top + any(0, size / 2);
            std::vector<int> ys[2];
            for (auto &v : ys) {
                v.resize(static_cast<size_t>(any(0, 12)));
                for (int &y : v)
                    y = any(top, bottom);
                std::sort(v.begin(), v.end());
            }
            pts.push_back({x0 + any(0, size), top});
            for (int y : ys[0])
                pts.push_back({x0 + any(0, size), y});
            pts.push_back({x0 + any(0, size), bottom});
            for (auto y = ys[1].rbegin(); y != ys[1].rend(); ++y)
                pts.push_back({x0 + any(0, size), *y});
        }
        for (int k = any(0, 2); k > 0; k--) {  // a point repeated
            const size_t i = static_cast<size_t>(any(0, static_cast<int>(pts.size()) - 1));
            pts.insert(pts.begin() + static_cast<long>(i), pts[i]);
        }
        std::rotate(pts.begin(), pts.begin() + any(0, static_cast<int>(pts.size()) - 1), pts.end());
        if (rng() & 1)
            std::reverse(pts.begin(), pts.end());
        if (iter % 5 == 0)
            GrSetClipBox(any(0, W / 2), any(0, H / 2), any(W / 2, W - 1), any(H / 2, H - 1));
        const int n = static_cast<int>(pts.size());
        clear();
        GrFilledPolygon(n, P(pts), GR_XOR | 1);
        const auto fast = snap();
        clear();
        _GrScanPolygon(n, P(pts), &_GrSolidFiller, colour(GR_XOR | 1));
        ASSERT_TRUE(snap() == fast) << "polygon " << iter;
        GrResetClipBox();
    }
}

// Random polygons under random clip boxes, left, right, above and below:
// the even-odd fill is the model's, restricted to the box.
TEST_F(Poly, ClippedFillsMatchModel)
{
    std::mt19937 rng(4242);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int iter = 0; iter < 3000; iter++) {
        const int size = iter % 3 ? 60 : 200, x0 = any(0, W - size - 1), y0 = any(0, H - size - 1);
        Points pts(static_cast<size_t>(any(3, iter % 5 ? 12 : 60)));
        for (auto &p : pts) {
            p = {x0 + any(0, size), y0 + any(0, size)};
            if (rng() % 4 == 0) p[1] = pts[0][1];  // flat edges and shared lines
        }
        const int x1 = x0 + any(-5, size / 2), y1 = y0 + any(-5, size / 2);
        const int x2 = std::min(W - 1, x1 + any(0, size)), y2 = std::min(H - 1, y1 + any(0, size));
        GrSetClipBox(x1, y1, x2, y2);
        clear();
        GrFilledPolygon(static_cast<int>(pts.size()), P(pts), GR_XOR | 1);
        const std::vector<unsigned char> want = even_odd_model(pts, std::max(y1, 0));
        for (int y = 0; y < H; y++)
            for (int x = 0; x < W; x++) {
                const bool in = x >= x1 && x <= x2 && y >= y1 && y <= y2;
                ASSERT_EQ(px(x, y), in ? want[static_cast<size_t>(y) * W + static_cast<size_t>(x)] : 0)
                    << "polygon " << iter << " at " << x << ',' << y;
            }
        GrResetClipBox();
    }
}

// ================================================================ custom lines

TEST_F(CustomLine, ThinEqualsGrLineAndSolidPatterns)
{
    const unsigned char pat[2] = {3, 2};
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> c(-100, 400);
    for (int i = 0; i < 200; i++) {
        const int x1 = c(rng), y1 = c(rng), x2 = c(rng), y2 = c(rng);
        clear();
        GrLine(x1, y1, x2, y2, 4);
        const auto line = snap();
        // widths 0, 1 and less are thin; pattern_length 0 or less is solid
        for (int w : {0, 1, -5})
            for (const GrCustomLineStyle &o :
                 {GrCustomLineStyle{4, w, 0, nullptr}, GrCustomLineStyle{4, w, 0, pat},
                  GrCustomLineStyle{4, w, -2, pat}}) {
                clear();
                GrCustomLine(x1, y1, x2, y2, &o);
                ASSERT_EQ(snap(), line) << x1 << ',' << y1 << ' ' << x2 << ',' << y2 << " w " << w;
            }
    }
    // a pattern of zero runs draws nothing and skips the mouse guard
    FakeMouse m;
    clear();
    const unsigned char zeros[2] = {0, 0};
    const GrCustomLineStyle z = {4, 1, 2, zeros}, zw = {4, 9, 2, zeros};
    GrCustomLine(0, 0, 100, 50, &z);
    GrCustomBox(10, 10, 50, 50, &zw);
    EXPECT_EQ(lit() + blocks, 0);
}

TEST_F(CustomLine, DashPatterns)
{
    auto style = [](int n, const unsigned char *p) { return GrCustomLineStyle{1, 1, n, p}; };
    // starts with 3 skipped, then 5 drawn, 3 skipped, 5 drawn: period 16
    const unsigned char p16[6] = {0, 3, 5, 3, 5, 0};
    const GrCustomLineStyle o16 = style(6, p16);
    GrCustomLine(0, 5, 40, 5, &o16);
    EXPECT_EQ(runs(5), "3-7 11-15 19-23 27-31 35-39");

    // 2, 2 over 6 pixels draws 1-2 and 5-6; the next side starts at position
    // 5, so the corner is drawn by both
    const unsigned char p22[2] = {2, 2};
    const GrCustomLineStyle o22 = style(2, p22);
    const Points l = {{0, 0}, {5, 0}, {5, 5}};
    _GrDrawCustomPolygon(3, P(l), &o22, &recorder, colour(1), 0);
    EXPECT_EQ(flines, (std::vector<Quad>{{0, 0, 1, 0}, {4, 0, 1, 0}, {5, 0, 0, 0}, {5, 3, 0, 1}}));

    // a box starts at its bottom-left corner going up
    clear();
    const unsigned char p3[2] = {3, 100};
    const GrCustomLineStyle o3 = style(2, p3);
    GrCustomBox(10, 10, 20, 20, &o3);
    EXPECT_EQ(runs(20) + "|" + runs(19) + "|" + runs(18) + "|" + std::to_string(lit()), "10|10|10|3");

    // a start moved by clipping keeps the pattern running: drawn where
    // (x + 10) mod 8 < 4
    clear();
    const unsigned char p44[2] = {4, 4};
    const GrCustomLineStyle o44 = style(2, p44);
    GrCustomLine(-10, 5, 30, 5, &o44);
    EXPECT_EQ(runs(5), "0-1 6-9 14-17 22-25 30");

    // one-pixel dashes; a run of 0 inside a pattern; an odd count keeps
    // toggling on the wrap (3 drawn, 0 skipped, 2 drawn, 3 skipped, ...)
    clear();
    const unsigned char p11[2] = {1, 1}, p302[3] = {3, 0, 2};
    const GrCustomLineStyle o11 = style(2, p11), o302 = style(3, p302);
    GrCustomLine(0, 7, 8, 7, &o11);
    GrCustomLine(0, 9, 12, 9, &o302);
    EXPECT_EQ(runs(7) + "|" + runs(9), "0 2 4 6 8|0-4 10-12");

    // closed with the last point equal to the first: one open side; closed
    // with three points: the closing side first
    flines.clear();
    const GrCustomLineStyle thin = style(0, nullptr);
    const Points closed3 = {{0, 0}, {9, 4}, {0, 0}}, tri = {{0, 0}, {9, 4}, {3, 8}};
    _GrDrawCustomPolygon(3, P(closed3), &thin, &recorder, colour(1), 1);
    EXPECT_EQ(flines, (std::vector<Quad>{{0, 0, 9, 4}}));
    flines.clear();
    _GrDrawCustomPolygon(3, P(tri), &thin, &recorder, colour(1), 1);
    ASSERT_EQ(flines.size(), 3U);
    EXPECT_EQ(flines[0], (Quad{3, 8, -3, -8}));
}

TEST_F(CustomLine, WideBandsAndMitres)
{
    const GrCustomLineStyle w5 = {1, 5, 0, nullptr}, w4 = {1, 4, 0, nullptr};
    GrCustomLine(0, 10, 20, 10, &w5);
    for (int y = 6; y <= 14; y++)
        EXPECT_EQ(runs(y), y >= 8 && y <= 12 ? "0-20" : "") << y;
    clear();
    GrCustomLine(10, 0, 10, 20, &w4);
    for (int y = 0; y <= 20; y++)
        EXPECT_EQ(runs(y), "9-12") << y;
    EXPECT_EQ(lit(), 84);

    // a right-angle corner is mitred: the outer corner (52, 8) is filled
    clear();
    const Points corner = {{10, 10}, {50, 10}, {50, 50}};
    GrCustomPolyLine(3, P(corner), &w5);
    for (int y = 7; y <= 51; y++)
        EXPECT_EQ(runs(y), y < 8 || y > 50 ? "" : y <= 12 ? "10-52" : "48-52") << y;

    // within w of the clip box the band still shows; further out nothing,
    // and no mouse guard
    FakeMouse m;
    clear();
    GrCustomLine(0, -2, 20, -2, &w5);
    EXPECT_EQ(runs(0) + "|" + std::to_string(lit()), "0-20|21");
    const int guarded = blocks;  // the line, and the band's fill inside it
    EXPECT_GE(guarded, 1);
    EXPECT_EQ(unblocks, guarded);
    GrCustomLine(0, -5, 20, -5, &w5);
    const Points far = {{-30, -30}, {W + 30, -5}};
    GrCustomPolyLine(2, P(far), &w5);
    EXPECT_EQ(blocks, guarded);
    EXPECT_EQ(lit(), 21);
}

// ================================================================== ellipses

TEST_F(Ellipse, HalfWidthTablesAndCircleRows)
{
    const struct {
        int a, b, h[6];
    } tables[] = {{5, 5, {5, 5, 5, 4, 3, 2}}, {10, 5, {10, 10, 9, 8, 7, 4}}};
    for (const auto &t : tables) {
        clear();
        GrFilledEllipse(50, 50, t.a, t.b, 1);
        for (int k = 0; k <= 5; k++) {
            const std::string r = std::to_string(50 - t.h[k]) + "-" + std::to_string(50 + t.h[k]);
            EXPECT_EQ(runs(50 - k) + "|" + runs(50 + k), r + "|" + r) << t.a << ' ' << k;
        }
        EXPECT_EQ(runs(44) + runs(56), "");
    }
    // a = b = 1: half-widths 1, 0
    clear();
    GrEllipse(50, 50, 1, 1, 1);
    EXPECT_EQ(runs(49) + "|" + runs(50) + "|" + runs(51), "50|49 51|50");
    clear();
    GrCircle(100, 100, 5, 1);
    EXPECT_EQ(runs(95) + "|" + runs(96) + "|" + runs(100) + "|" + runs(105),
              "98-102|97 103|95 105|98-102");
    // a zero radius is a line
    clear();
    GrEllipse(50, 50, 0, 10, 1);
    EXPECT_EQ(runs(40) + runs(60) + "|" + std::to_string(lit()), "5050|21");
    GrEllipse(50, 80, 7, 0, 1);
    EXPECT_EQ(runs(80), "43-57");

    // every pixel of a small outline is written once
    for (int a = 1; a <= 20; a++)
        for (int b = 1; b <= 20; b++) {
            clear();
            counts = Counts();
            GrEllipse(100, 100, a, b, 1);
            ASSERT_EQ(counts.hpixels, lit()) << a << 'x' << b;
        }
}

TEST_F(Ellipse, PointGenerationAndAngles)
{
    int pts[GR_MAX_ELLIPSE_POINTS][2], q[2];
    auto pt = [&](int i) { return std::array<int, 2>{pts[i][0], pts[i][1]}; };
    EXPECT_EQ(GrGenerateEllipse(0, 0, 121, 121, pts), 128);
    EXPECT_EQ(pt(0), (std::array<int, 2>{121, 0}));
    EXPECT_EQ(GrGenerateEllipse(0, 0, 2, 2, pts), 16);
    EXPECT_EQ(GrGenerateEllipse(0, 0, 2000, 2000, pts), 1024);

    ASSERT_EQ(GrGenerateEllipseArc(0, 0, 100, 100, 0, 900, pts), 33);
    EXPECT_EQ(pt(0), (std::array<int, 2>{100, 0}));
    EXPECT_EQ(pt(32), (std::array<int, 2>{0, -100}));
    GrSinCos(8, 0, 0, 100, 100, q);  // steps of 8 units
    EXPECT_EQ(pt(1), (std::array<int, 2>{q[0], q[1]}));

    // tenths of a degree to units, seen in the first point of an arc
    const int conv[][2] = {{0, 0},     {900, 256}, {1800, 512}, {2700, 768},
                           {3600, 0}, {-900, 768}, {3599, 0},   {-3600 * 5 + 900, 256}};
    for (const auto &c : conv) {
        GrGenerateEllipseArc(0, 0, 10000, 10000, c[0], c[0] + 450, pts);
        GrSinCos(c[1], 0, 0, 10000, 10000, q);
        EXPECT_EQ(pt(0), (std::array<int, 2>{q[0], q[1]})) << c[0];
    }
    GrSinCos(256, 0, 0, 10000, 10000, q);
    EXPECT_EQ(q[0] * 100000 + q[1], -10000);
    GrSinCos(-256 + 1024 * 3, 5, 5, 10, 20, q);
    EXPECT_EQ(q[0] * 100 + q[1], 525);

    // equal units give the whole ellipse
    int whole[GR_MAX_ELLIPSE_POINTS][2];
    const int nw = GrGenerateEllipse(7, 9, 50, 30, whole);
    ASSERT_EQ(GrGenerateEllipseArc(7, 9, 50, 30, 0, 3600, pts), nw);
    EXPECT_EQ(memcmp(pts, whole, sizeof(int[2]) * static_cast<size_t>(nw)), 0);
    EXPECT_EQ(GrGenerateEllipseArc(7, 9, 50, 30, 1234, 1234, pts), nw);
    // whole ellipses are mirrored from one quarter: the same points as
    // one by one, at every point count, with negative, odd and huge radii
    const int radii[][4] = {{7, 9, 50, 30},          {0, 0, 2, 2},
                            {-3, 5, -121, 77},       {100, -100, 300, 17},
                            {1, 1, 2000, 3},         {INT_MAX, INT_MIN, INT_MAX, INT_MAX}};
    for (const auto &r : radii)
        for (int start : {0, 900, 2700}) {  // 0, 256 and 768 units
            const int cnt = GrGenerateEllipseArc(r[0], r[1], r[2], r[3], start, start, pts);
            for (int i = 0; i < cnt; i++) {
                GrSinCos(start * 256 / 900 + i * 1024 / cnt, r[0], r[1], r[2], r[3], q);
                ASSERT_EQ(pt(i), (std::array<int, 2>{q[0], q[1]})) << r[2] << 'x' << r[3] << ' ' << i;
            }
        }

    // 900 to 0 runs the long way round, through 180 and 270 degrees
    const int n = GrGenerateEllipseArc(0, 0, 100, 100, 900, 0, pts);
    EXPECT_EQ(pt(0), (std::array<int, 2>{0, -100}));
    EXPECT_EQ(pt(n - 1), (std::array<int, 2>{100, 0}));
    int through = 0;
    for (int i = 0; i < n; i++)
        through += pt(i) == std::array<int, 2>{-100, 0} || pt(i) == std::array<int, 2>{0, 100};
    EXPECT_EQ(through, 2);

    // the last arc's ends and centre
    GrEllipseArc(60, 60, 40, 20, 450, 1350, GR_arcOpen, 1);
    int xs, ys, xe, ye, xc, yc, a[2], b[2];
    GrLastArcCoords(&xs, &ys, &xe, &ye, &xc, &yc);
    GrSinCos(128, 60, 60, 40, 20, a);
    GrSinCos(384, 60, 60, 40, 20, b);
    EXPECT_EQ((std::array<int, 6>{xs, ys, xe, ye, xc, yc}), (std::array<int, 6>{a[0], a[1], b[0], b[1], 60, 60}));
    EXPECT_EQ(px(a[0], a[1]) + px(b[0], b[1]), 2);
    // a small whole ellipse leaves them; a large one sets them
    GrEllipse(10, 10, 5, 5, 1);
    GrLastArcCoords(&xs, &ys, &xe, &ye, &xc, &yc);
    EXPECT_EQ(xc, 60);
    GrCircle(160, 120, 121, 1);
    GrLastArcCoords(&xs, &ys, &xe, &ye, &xc, &yc);
    EXPECT_EQ((std::array<int, 4>{xs, ys, xc, yc}), (std::array<int, 4>{281, 120, 160, 120}));
    EXPECT_EQ(px(281, 120), 1);
}

TEST_F(Ellipse, PiesChordsAndLargeFills)
{
    // the quarter between the positive x axis and the upward y axis
    GrFilledEllipseArc(100, 100, 20, 20, 0, 900, GR_arcPie, 1);
    EXPECT_EQ(runs(100), "100-120");
    EXPECT_EQ(px(110, 95) + px(100, 80), 2);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++)
            ASSERT_TRUE(!px(x, y) || (x >= 100 && y <= 100)) << x << ',' << y;

    // a chord segment: the arc's ends joined, the centre left out
    clear();
    GrFilledEllipseArc(100, 100, 20, 20, 0, 900, GR_arcChord, 1);
    EXPECT_EQ(px(100, 100) * 100 + px(118, 82) * 10 + px(113, 87), 1);
    clear();
    GrEllipseArc(100, 100, 20, 20, 0, 900, GR_arcPie, 1);
    EXPECT_EQ(runs(100), "100-120");
    EXPECT_EQ(px(100, 90) * 10 + px(110, 95), 10);

    // over 120: a polygon, filled by the convex fill
    clear();
    GrFilledCircle(160, 120, 150, 1);
    EXPECT_EQ(runs(120), "10-310");
    EXPECT_EQ(px(160, 0), 1);
    clear();
    GrFilledEllipse(160, 120, 130, 60, 1);
    EXPECT_EQ(runs(120) + "|" + runs(59) + runs(181), "30-290|");
    const auto filled = snap();
    int pts[GR_MAX_ELLIPSE_POINTS][2];
    const int n = GrGenerateEllipse(160, 120, 130, 60, pts);
    clear();
    GrFilledConvexPolygon(n, pts, 1);
    EXPECT_EQ(snap(), filled);
}

// ================================================================= bad input

TEST_F(ShapeBadInput, FewPointsAndRepeatedPoints)
{
    const Points one = {{5, 5}}, two = {{5, 9}, {25, 9}}, same = {{7, 7}, {7, 7}, {7, 7}, {7, 7}};
    const GrCustomLineStyle thin = {1, 1, 0, nullptr}, wide = {1, 7, 0, nullptr};
    for (int n : {0, -1, INT_MIN}) {
        GrPolygon(n, P(one), 1);
        GrFilledPolygon(n, P(one), 1);
        GrFilledConvexPolygon(n, P(one), 1);
        GrCustomPolygon(n, P(one), &thin);
        GrCustomPolyLine(n, P(one), &wide);
    }
    EXPECT_EQ(lit(), 0);
    for (auto f : {GrPolygon, GrPolyLine, GrFilledPolygon, GrFilledConvexPolygon}) {
        clear();
        f(1, P(one), 1);
        EXPECT_EQ(runs(5) + "|" + std::to_string(lit()), "5|1");
        clear();
        f(2, P(two), 1);
        EXPECT_EQ(runs(9) + "|" + std::to_string(lit()), "5-25|21");
        clear();
        f(4, P(same), 1);
        EXPECT_EQ(lit(), 1);
    }
    // custom: one point is nothing, a zero-length wide side is a short band
    clear();
    GrCustomPolyLine(1, P(one), &thin);
    GrCustomPolyLine(1, P(one), &wide);
    EXPECT_EQ(lit(), 0);
    GrCustomPolygon(4, P(same), &wide);
    GrCustomLine(40, 40, 40, 40, &wide);
    EXPECT_EQ(runs(40) + "|" + runs(7), "37-43|4-10");
}

TEST_F(ShapeBadInput, HugeAndExtremePolygons)
{
    // 100,000 points: a smooth outline, a zigzag star and random points (about
    // 30,000 crossings on every line); their speed is bench_shapes' business,
    // a hang ends in the test timeout
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> cx(-50, W + 50), cy(-50, H + 50);
    Points round(100000), star(100000), random(100000);
    for (size_t i = 0; i < star.size(); i++) {
        const double a = 6.283185307179586 * static_cast<double>(i) / 100000.0, r = i % 2 ? 60.0 : 110.0;
        round[i] = {160 + static_cast<int>(110.0 * cos(a)), 120 + static_cast<int>(110.0 * sin(a))};
        star[i] = {160 + static_cast<int>(r * cos(a)), 120 + static_cast<int>(r * sin(a))};
        random[i] = {cx(rng), cy(rng)};
    }
    const GrCustomLineStyle wide = {3, 3, 0, nullptr};
    for (const Points *pts : {&round, &star, &random}) {
        GrFilledPolygon(100000, P(*pts), 1);
        GrFilledConvexPolygon(100000, P(*pts), 2);
        GrPolygon(100000, P(*pts), 3);
        GrCustomPolygon(1000, P(*pts), &wide);
    }

    // coordinates at the ends of the int range
    const int e[] = {INT_MIN, INT_MIN + 1, -(1 << 30), -1, 0, 5, 100, 1 << 30, INT_MAX - 1, INT_MAX};
    std::uniform_int_distribution<int> pick(0, 9), cnt(1, 7);
    const GrCustomLineStyle styles[] = {{1, 1, 0, nullptr}, {1, 6, 0, nullptr}, {1, 100000, 0, nullptr}};
    const GrPattern pat = bitmap(kDiag);
    for (int iter = 0; iter < 300; iter++) {
        const int n = cnt(rng);
        Points pts(static_cast<size_t>(n));
        for (auto &p : pts)
            p = {rng() % 3 ? e[pick(rng)] : cx(rng), rng() % 3 ? e[pick(rng)] : cy(rng)};
        GrPolygon(n, P(pts), 1);
        GrFilledPolygon(n, P(pts), 2);
        GrFilledConvexPolygon(n, P(pts), 3);
        GrCustomPolygon(n, P(pts), &styles[iter % 3]);
        GrPatternFilledLine(pts[0][0], pts[0][1], pts[n - 1][0], pts[n - 1][1], &pat);
        GrPatternFilledBox(pts[0][0], pts[0][1], pts[n - 1][0], pts[n - 1][1], &pat);
        GrPatternFilledPolygon(n, P(pts), &pat);
    }
}

TEST_F(ShapeBadInput, ArcsOfAnyAngleAndRadius)
{
    int pts[GR_MAX_ELLIPSE_POINTS][2];
    const int angles[] = {INT_MIN, -100000, -3600, -1, 0, 1, 1799, 3599, 3600, 3601, 7200, INT_MAX};
    const GrPattern pat = bitmap(kDiag);
    for (int r : {0, 1, -50, 121, 100000, INT_MAX, INT_MIN}) {
        for (int s : angles)
            for (int e : angles) {
                const int n = GrGenerateEllipseArc(160, 120, r, r / 2, s, e, pts);
                ASSERT_TRUE(n >= 2 && n <= GR_MAX_ELLIPSE_POINTS) << r << ' ' << s << ' ' << e;
            }
        for (int s : {-900, 0, 3600, 4500})
            for (int style : {GR_arcOpen, GR_arcChord, GR_arcPie, -1, 7}) {
                GrEllipseArc(160, 120, r, r, s, s + 1350, style, 1);
                GrFilledEllipseArc(160, 120, r, 40, s, 900 - s, style, 2);
                GrPatternFilledEllipseArc(-5, 7, 30, r, s, s, style, &pat);
            }
        GrEllipse(160, 120, r, r, 3);
        GrFilledEllipse(160, 120, r, 33, 3);
        GrCircle(INT_MAX, INT_MIN, r, 4);
        GrFilledCircle(0, 0, r, 4);
    }
}

TEST_F(ShapeBadInput, WidthsAndDashes)
{
    std::vector<unsigned char> thousand(1000);
    for (size_t i = 0; i < thousand.size(); i++)
        thousand[i] = static_cast<unsigned char>(i % 7);
    const unsigned char one[1] = {1}, ones[2] = {1, 1}, zero[1] = {0};
    const struct {
        int len;
        const unsigned char *p;
    } pats[] = {{0, nullptr}, {0, zero}, {1, one}, {2, ones}, {1000, thousand.data()}, {-5, ones}};
    const Points shapes[] = {
        {{10, 10}, {10, 10}},                                    // zero-length
        {{10, 10}, {200, 10}, {200, 10}, {200, 150}, {10, 10}},  // repeated point, closing
        {{-(1 << 30), 50}, {1 << 30, 60}, {100, INT_MAX}, {INT_MIN, INT_MIN}},
        {{0, 0}, {319, 239}, {0, 239}, {319, 0}},                // self-intersecting
    };
    for (int w : {0, 1, 2, 1000, -5, 100000, INT_MAX, INT_MIN})
        for (const auto &pt : pats)
            for (const Points &s : shapes) {
                const GrCustomLineStyle o = {GR_XOR | 1U, w, pt.len, pt.p};
                const int n = static_cast<int>(s.size());
                GrCustomPolyLine(n, P(s), &o);
                GrCustomPolygon(n, P(s), &o);
                GrCustomLine(s[0][0], s[0][1], s[n - 1][0], s[n - 1][1], &o);
                GrCustomBox(s[0][0], s[0][1], s[1][0], s[1][1], &o);
            }
}
