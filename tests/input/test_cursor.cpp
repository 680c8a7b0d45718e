// Graphics cursors and the mouse cursor on the memory driver: every case
// compares the whole screen with what it should show.
#include <vector>

#include "fakehost.h"

namespace {

using Pixels = std::vector<GrColor>;

int width() { return GrContextInfo->screen.gc_xmax + 1; }
int height() { return GrContextInfo->screen.gc_ymax + 1; }

GrColor pixel(int x, int y)
{
    GrContext &s = _GrContextInfo.screen;
    return s.gc_frame.gf_driver->readpixel(&s.gc_frame, x, y);
}

Pixels snap()
{
    Pixels p;
    for (int y = 0; y < height(); y++)
        for (int x = 0; x < width(); x++)
            p.push_back(pixel(x, y));
    return p;
}

// A screen of many colours, so that a pixel restored from the wrong place shows.
Pixels paint_background()
{
    GrSetContext(nullptr);
    for (int y = 0; y < height(); y++)
        for (int x = 0; x < width(); x++)
            _GrDriverInfo.frame_driver.drawpixel(x, y, 100 + (x * 7 + y * 13) % 97);
    return snap();
}

void set_mode(int w, int h, int bpp = 8)
{
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, w, h, bpp), 1);
}

struct Shape {
    int w, h;
    std::vector<unsigned char> bytes;  // w a row
};

// 0 transparent, 1 and 2 the table's colours, a frame of 1 around 2.
Shape ring(int w, int h)
{
    Shape s{w, h, std::vector<unsigned char>(static_cast<size_t>(w * h), 0)};
    for (int y = 1; y < h - 1; y++)
        for (int x = 1; x < w - 1; x++)
            s.bytes[static_cast<size_t>(y * w + x)] =
                (y == 1 || y == h - 2 || x == 1 || x == w - 2) ? 1 : 2;
    return s;
}

// The screen bg with the shape's opaque pixels drawn at (x0, y0).
Pixels with_shape(Pixels bg, const Shape &s, int x0, int y0, const GrColor *table)
{
    for (int y = 0; y < s.h; y++)
        for (int x = 0; x < s.w; x++) {
            const unsigned k = s.bytes[static_cast<size_t>(y * s.w + x)];
            const int sx = x0 + x, sy = y0 + y;
            if (k != 0 && sx >= 0 && sy >= 0 && sx < width() && sy < height())
                bg[static_cast<size_t>(sy * width() + sx)] = k <= table[0] ? table[k] : 0;
        }
    return bg;
}

GrCursor *build(const Shape &s, int xhot, int yhot, const GrColor *table)
{
    return GrBuildCursor(s.bytes.data(), s.w, s.w, s.h, xhot, yhot, table);
}

const GrColor kTable[] = {2, 5, 9};

class Cursors : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(GrSetDriver("memory"), 1); }
    void SetUp() override { set_mode(128, 96); }
};

}  // namespace

TEST_F(Cursors, SizesAndEdges)
{
    const Shape s = ring(10, 16);
    GrCursor *c = build(s, 5, 0, kTable);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->areawidth, 32);
    EXPECT_EQ(c->areaheight, 32);
    EXPECT_EQ(c->work.gc_xmax + 1, 32);
    EXPECT_EQ(c->work.gc_ymax + 1, 80);

    // hot spot left of the screen: the visible part shows, the area starts at 0
    const Pixels bg = paint_background();
    GrMoveCursor(c, 2, 10);
    GrDisplayCursor(c);
    GrDisplayCursor(c);  // twice draws once
    EXPECT_EQ(c->areax, 0);
    EXPECT_EQ(c->areay, 8);
    EXPECT_EQ(snap(), with_shape(bg, s, -3, 10, kTable));
    GrEraseCursor(c);
    EXPECT_EQ(snap(), bg);
    GrEraseCursor(c);
    EXPECT_EQ(snap(), bg);

    // the area stays on the screen at the far corner too
    GrMoveCursor(c, 130, 100);
    GrDisplayCursor(c);
    EXPECT_EQ(c->areax, 128 - 32);
    EXPECT_EQ(c->areay, 96 - 32);
    EXPECT_EQ(snap(), with_shape(bg, s, 125, 100, kTable));
    GrDestroyCursor(c);  // erases first
    EXPECT_EQ(snap(), bg);
}

TEST_F(Cursors, MovesInPlaceOrToANewArea)
{
    const Shape s = ring(10, 16);
    GrCursor *c = build(s, 0, 0, kTable);
    ASSERT_NE(c, nullptr);
    const Pixels bg = paint_background();
    GrMoveCursor(c, 20, 20);
    GrDisplayCursor(c);
    EXPECT_EQ(c->areax, 16);
    GrMoveCursor(c, 22, 21);  // still inside its area
    EXPECT_EQ(c->areax, 16);
    EXPECT_EQ(c->areay, 16);
    EXPECT_EQ(snap(), with_shape(bg, s, 22, 21, kTable));
    GrMoveCursor(c, 61, 20);  // beyond it: a new 8-aligned area
    EXPECT_EQ(c->areax, 56);
    EXPECT_EQ(snap(), with_shape(bg, s, 61, 20, kTable));
    GrDestroyCursor(c);
    EXPECT_EQ(snap(), bg);
}

TEST_F(Cursors, ColoursBeyondTheTableAreZero)
{
    const Shape s = ring(6, 6);
    const GrColor one[] = {1, 9 | GR_XOR};  // write mode bits are dropped
    GrCursor *c = build(s, 0, 0, one);
    GrCursor *bare = build(s, 0, 0, nullptr);
    ASSERT_NE(c, nullptr);
    ASSERT_NE(bare, nullptr);
    const Pixels bg = paint_background();
    GrDisplayCursor(c);
    const GrColor expect[] = {2, 9, 0};
    EXPECT_EQ(snap(), with_shape(bg, s, 0, 0, expect));
    GrEraseCursor(c);
    GrMoveCursor(bare, 40, 40);
    GrDisplayCursor(bare);
    const GrColor zeros[] = {2, 0, 0};
    EXPECT_EQ(snap(), with_shape(bg, s, 40, 40, zeros));
    GrDestroyCursor(bare);
    GrDestroyCursor(c);

    // nothing to build from, and null cursors, do nothing
    EXPECT_EQ(GrBuildCursor(nullptr, 4, 4, 4, 0, 0, one), nullptr);
    EXPECT_EQ(GrBuildCursor(s.bytes.data(), 6, 0, 6, 0, 0, one), nullptr);
    GrDisplayCursor(nullptr);
    GrMoveCursor(nullptr, 1, 1);
    GrEraseCursor(nullptr);
    GrDestroyCursor(nullptr);
}

TEST_F(Cursors, ScreensSmallerThanTheAreaAndModeChanges)
{
    const Shape s = ring(12, 16);
    set_mode(16, 8);
    GrCursor *c = build(s, 1, 1, kTable);
    ASSERT_NE(c, nullptr);
    Pixels bg = paint_background();
    GrMoveCursor(c, 10, 3);
    GrDisplayCursor(c);
    EXPECT_EQ(c->areax, 0);
    EXPECT_EQ(snap(), with_shape(bg, s, 9, 2, kTable));
    GrMoveCursor(c, 12, 4);
    EXPECT_EQ(snap(), with_shape(bg, s, 11, 3, kTable));
    GrEraseCursor(c);
    EXPECT_EQ(snap(), bg);

    // shown when the mode changes to a smaller screen: taking it away
    // later touches only what lies on the new screen
    set_mode(128, 96);
    bg = paint_background();
    GrMoveCursor(c, 100, 80);
    GrDisplayCursor(c);
    set_mode(16, 8);
    const Pixels fresh = snap();
    GrEraseCursor(c);
    EXPECT_EQ(snap(), fresh);
    EXPECT_EQ(c->displayed, 0);

    // a cursor built for another pixel format does nothing there
    set_mode(64, 48, 24);
    const Pixels other = snap();
    GrDisplayCursor(c);
    EXPECT_EQ(c->displayed, 0);
    EXPECT_EQ(snap(), other);
    GrDestroyCursor(c);
}

// ---- the mouse cursor

namespace {

class Mouse : public Cursors {
protected:
    void SetUp() override
    {
        Cursors::SetUp();
        bg = paint_background();
        FakeHost::mouse = 1;
        _GrInputHost = &FakeHost::record;
        red = GrAllocColor(255, 0, 0);
        GrMouseDisplayCursor();  // starts input: the red arrow in the middle
    }
    void TearDown() override
    {
        GrMouseEraseCursor();
        _GrInputHost = nullptr;
    }
    Pixels bg;
    GrColor red = 0;
};

}  // namespace

TEST_F(Mouse, BlockAnswersAndDrawingUnderTheCursor)
{
    ASSERT_EQ(GrMouseInfo->cursor_shown, 1);
    EXPECT_EQ(pixel(63, 47), red);  // hot spot (1, 1) is in the fill
    EXPECT_EQ(GrMouseInfo->mouse_cursor->areax, 56);

    GrContext *scr = &_GrContextInfo.screen;
    EXPECT_EQ(GrMouseInfo->block(scr, 0, 0, 5, 5), 1);   // far away: held still
    EXPECT_EQ(GrMouseInfo->block(scr, 0, 0, 5, 5), 0);   // nested
    GrMouseEraseCursor();                                // held: not erased
    EXPECT_EQ(GrMouseInfo->cursor_shown, 1);
    GrMouseInfo->unblock(1);
    EXPECT_EQ(GrMouseInfo->block_state, 0);
    EXPECT_EQ(pixel(63, 47), red);

    EXPECT_EQ(GrMouseInfo->block(scr, 60, 40, 61, 41), 2);  // touches its area
    EXPECT_EQ(snap(), bg);
    EXPECT_EQ(GrMouseInfo->block(nullptr, 0, 0, 1, 1), 0);  // already off
    GrMouseInfo->unblock(2);
    EXPECT_EQ(pixel(63, 47), red);
    EXPECT_EQ(GrMouseInfo->must_check, 1);

    // drawing over it leaves the cursor on top and the drawing under it
    GrFilledBox(50, 40, 70, 50, 7);
    EXPECT_EQ(pixel(63, 47), red);
    EXPECT_EQ(pixel(70, 50), 7U);
    GrMouseSetCursorMode(GR_CURSOR_RUBBER_BOX, 0, 0, 3);  // ignored while shown
    EXPECT_EQ(GrMouseInfo->cursor_mode, 0);
    GrMouseEraseCursor();
    EXPECT_EQ(pixel(63, 47), 7U);

    // it follows the mouse when shown again
    post(GR_W32_MOUSEMOVE, 0, 0, GR_W32_POS(10, 12));
    GrMouseDisplayCursor();
    GrMouseUpdateCursor();
    EXPECT_EQ(pixel(10, 12), red);
}

TEST_F(Mouse, RubberBandGoesWithTheCursor)
{
    GrMouseEraseCursor();
    GrMouseSetCursorMode(GR_CURSOR_RUBBER_BOX, 0, 0, 3);
    EXPECT_EQ(GrMouseInfo->mode_color, 3U | GR_XOR);
    GrMouseDisplayCursor();
    EXPECT_EQ(pixel(30, 0), bg[30] ^ 3U);  // the band's top edge
    // anywhere on the band's box takes both away
    EXPECT_EQ(GrMouseInfo->block(nullptr, 10, 10, 10, 10), 2);
    EXPECT_EQ(snap(), bg);
    GrMouseInfo->unblock(2);
    EXPECT_EQ(pixel(30, 0), bg[30] ^ 3U);
    GrMouseEraseCursor();
    EXPECT_EQ(snap(), bg);
    GrMouseSetCursorMode(GR_CURSOR_NORMAL);
}

TEST_F(Mouse, CursorsOfTheApplicationAndTheArrow)
{
    GrMouseEraseCursor();
    const Shape s = ring(8, 8);
    GrCursor *mine = build(s, 0, 0, kTable);
    ASSERT_NE(mine, nullptr);
    GrMouseSetCursor(mine);  // the arrow built by the library is destroyed
    EXPECT_EQ(GrMouseInfo->mouse_cursor, mine);
    EXPECT_EQ(GrMouseInfo->cursor_owned, 0);
    GrDestroyCursor(mine);  // in use by the mouse: left alone
    GrMouseDisplayCursor();
    EXPECT_EQ(snap(), with_shape(bg, s, 63, 47, kTable));
    GrMouseEraseCursor();

    GrMouseSetColors(red, 0);  // a new arrow; the application's cursor is not touched
    EXPECT_NE(GrMouseInfo->mouse_cursor, mine);
    EXPECT_EQ(GrMouseInfo->cursor_owned, 1);
    GrDestroyCursor(mine);  // ours to free (the sanitizers see a double free)
}

TEST_F(Mouse, ModeChangeWhileShown)
{
    GrCursor *arrow = GrMouseInfo->mouse_cursor;
    ASSERT_TRUE(arrow->displayed);
    set_mode(16, 8);  // the old screen is gone: the cursor is forgotten, not erased
    EXPECT_EQ(GrMouseInfo->cursor_shown, 0);
    EXPECT_EQ(GrMouseInfo->must_check, 0);
    EXPECT_EQ(arrow->displayed, 0);
    GrFilledBox(0, 0, 15, 7, 3);
    for (GrColor p : snap())
        EXPECT_EQ(p, 3U);

    GrMouseDisplayCursor();  // input starts again; the same arrow, clipped
    EXPECT_EQ(GrMouseInfo->mouse_cursor, arrow);
    EXPECT_EQ(GrMouseInfo->cursor_shown, 1);
    EXPECT_EQ(pixel(7, 3), red);  // the middle of the tiny screen
    GrMouseEraseCursor();
    for (GrColor p : snap())
        EXPECT_EQ(p, 3U);

    set_mode(64, 48, 24);  // another pixel format: a new arrow is built for it
    GrMouseDisplayCursor();
    EXPECT_NE(GrMouseInfo->mouse_cursor, nullptr);
    EXPECT_EQ(GrMouseInfo->cursor_shown, 1);
    EXPECT_EQ(pixel(31, 23), 0xFF0000U);
}
