// Contexts: frame sizes, creation and ownership, sub-contexts, selection,
// clip boxes, the viewport, clearing, and black and white.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstring>

#include "libpxl.h"

namespace {

using Q = std::array<int, 4>;
const GrFrameMode kRamModes[] = {GR_frameRAM1,  GR_frameRAM4,   GR_frameRAM8,  GR_frameRAM16,
                                 GR_frameRAM24, GR_frameRAM32L, GR_frameRAM32H};

void set_mode(int w, int h, int bpp)
{
    ASSERT_EQ(GrSetDriver("memory"), 1);
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, w, h, bpp), 1);
}
unsigned char &spx(int x, int y)  // a byte of the 8-bit screen frame
{
    const GrFrame &f = _GrContextInfo.screen.gc_frame;
    return f.gf_baseaddr[0][y * f.gf_lineoffset + x];
}
Q clip(const GrContext &c) { return {c.gc_xcliplo, c.gc_ycliplo, c.gc_xcliphi, c.gc_ycliphi}; }
Q place(const GrContext &c) { return {c.gc_xoffset, c.gc_yoffset, c.gc_xmax, c.gc_ymax}; }
// Equal records apart from the ownership bits, which a saved copy drops.
bool same_but_flags(GrContext a, GrContext b)
{
    a.gc_frame.gf_memflags = b.gc_frame.gf_memflags = 0;
    return memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

TEST(FrameSize, LineOffsetPlanesAndOverflow)
{
    const struct { GrFrameMode m; int w, offset; } rows[] = {
        {GR_frameRAM8, 1, 4},   {GR_frameRAM8, 0, 0},   {GR_frameRAM8, -4, 0},   {GR_frameRAM8, 101, 104},
        {GR_frameRAM1, 33, 8},  {GR_frameRAM4, 640, 80}, {GR_frameRAM16, 3, 8},  {GR_frameRAM24, 5, 16},
        {GR_frameRAM32H, 3, 12}, {GR_frameRAM8, INT_MAX - 3, INT_MAX - 3},
        {GR_frameRAM8, INT_MAX, 0}, {GR_frameRAM32L, INT_MAX, 0},  // past an int: 0, never wrapped
    };
    for (const auto &r : rows)
        EXPECT_EQ(GrFrameLineOffset(r.m, r.w), r.offset) << r.m << ' ' << r.w;
    for (GrFrameMode m : {GR_frameUndef, GR_frameText, GR_frameRAM3x8}) {  // no driver
        EXPECT_EQ(GrFrameLineOffset(m, 100), 0) << m;
        EXPECT_EQ(GrFrameNumPlanes(m), 0) << m;
        EXPECT_EQ(GrFrameContextSize(m, 100, 100), 0) << m;
    }
    EXPECT_EQ(GrFrameNumPlanes(GR_frameRAM4), 4);
    EXPECT_EQ(GrFrameNumPlanes(GR_frameRAM8), 1);
    EXPECT_EQ(GrFramePlaneSize(GR_frameRAM4, 640, 480), 38400);
    EXPECT_EQ(GrFrameContextSize(GR_frameRAM4, 640, 480), 153600);
    EXPECT_EQ(GrFrameContextSize(GR_frameRAM8, 101, 3), 312);
    EXPECT_EQ(GrFramePlaneSize(GR_frameRAM8, 101, 0), 0);
    EXPECT_EQ(GrFramePlaneSize(GR_frameRAM8, 101, -1), 0);

    EXPECT_EQ(GrFramePlaneSize(GR_frameRAM4, 65536, 65536), 1 << 29);
    EXPECT_EQ(GrFrameContextSize(GR_frameRAM4, 65536, 65536), 0);
    for (GrFrameMode m : kRamModes) {
        EXPECT_EQ(GrFramePlaneSize(m, INT_MAX, INT_MAX), 0) << m;
        EXPECT_EQ(GrFrameContextSize(m, INT_MAX, INT_MAX), 0) << m;
        EXPECT_EQ(GrFramePlaneSize(m, 1 << 20, 1 << 20), 0) << m;
    }
}

TEST(FrameContext, RefusesImpossibleSizesCleanly)
{
    GrContext rec;
    memset(&rec, 0xA5, sizeof rec);
    const GrContext untouched = rec;
    const struct { GrFrameMode m; int w, h; } bad[] = {
        {GR_frameRAM8, 10, 0},        {GR_frameRAM8, 0, 10},        {GR_frameRAM8, -1, 10},
        {GR_frameRAM8, 10, INT_MIN},  {GR_frameUndef, 10, 10},      {GR_frameText, 10, 10},
        {GR_frameRAM3x8, 10, 10},     {GR_frameRAM8, 16384, 8193},  {GR_frameRAM1, 32768, 4097},
        {GR_frameRAM32L, INT_MAX, 1}, {GR_frameRAM32H, 1, INT_MAX}, {GR_frameRAM24, INT_MAX, INT_MAX},
        {GR_frameRAM4, 1 << 28, 2},
    };
    for (const auto &b : bad) {
        EXPECT_EQ(GrCreateFrameContext(b.m, b.w, b.h, nullptr, nullptr), nullptr) << b.m << ' ' << b.w << 'x' << b.h;
        EXPECT_EQ(GrCreateFrameContext(b.m, b.w, b.h, nullptr, &rec), nullptr) << b.m << ' ' << b.w << 'x' << b.h;
        EXPECT_EQ(memcmp(&rec, &untouched, sizeof rec), 0);  // a refused request leaves the record alone
    }
}

TEST(FrameContext, FieldsZeroedPlanesAndOwnership)
{
    for (GrFrameMode m : kRamModes) {
        GrContext *c = GrCreateFrameContext(m, 37, 11, nullptr, nullptr);
        ASSERT_NE(c, nullptr) << m;
        const GrFrame &f = c->gc_frame;
        ASSERT_NE(f.gf_driver, nullptr);
        EXPECT_EQ(f.gf_driver->mode, m);
        EXPECT_EQ(f.gf_lineoffset, GrFrameLineOffset(m, 37));
        EXPECT_EQ(f.gf_memflags, GR_ownContext | GR_ownFrameMemory);
        EXPECT_EQ(f.gf_onscreen | f.gf_selector, 0);
        EXPECT_EQ(c->gc_root, nullptr);
        EXPECT_EQ(place(*c), (Q{0, 0, 36, 10}));
        EXPECT_EQ(clip(*c), (Q{0, 0, 36, 10}));
        EXPECT_EQ(c->gc_usrxbase | c->gc_usrybase | c->gc_usrwidth | c->gc_usrheight, 0);
        const int np = GrFrameNumPlanes(m), size = GrFramePlaneSize(m, 37, 11);
        for (int i = 0; i < 4; i++) {
            if (i >= np) {
                EXPECT_EQ(f.gf_baseaddr[i], nullptr) << m << " plane " << i;
                continue;
            }
            ASSERT_NE(f.gf_baseaddr[i], nullptr);
            for (int b = 0; b < size; b++)  // zeroed, not just fresh
                ASSERT_EQ(f.gf_baseaddr[i][b], 0) << m << " plane " << i << " byte " << b;
        }
        GrDestroyContext(c);
    }

    // in a caller's record only the planes are owned
    GrContext rec;
    ASSERT_EQ(GrCreateFrameContext(GR_frameRAM8, 4, 4, nullptr, &rec), &rec);
    EXPECT_EQ(rec.gc_frame.gf_memflags, GR_ownFrameMemory);
    GrDestroyContext(&rec);

    // caller memory is used as given and never freed
    unsigned char p[4][64];
    unsigned char *mem[4] = {p[0], p[1], p[2], p[3]};
    GrContext *c = GrCreateFrameContext(GR_frameRAM4, 16, 16, mem, nullptr);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->gc_frame.gf_memflags, GR_ownContext);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(c->gc_frame.gf_baseaddr[i], p[i]);
    GrDestroyContext(c);
    ASSERT_EQ(GrCreateFrameContext(GR_frameRAM8, 8, 8, mem, &rec), &rec);
    EXPECT_EQ(rec.gc_frame.gf_memflags, 0);
    GrDestroyContext(&rec);
}

TEST(SubContext, OffsetsRootsAndClamping)
{
    set_mode(640, 480, 8);
    const GrContext *scr = &_GrContextInfo.screen;
    GrContext *a = GrCreateSubContext(199, 149, 100, 100, nullptr, nullptr);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(place(*a), (Q{100, 100, 99, 49}));
    EXPECT_EQ(clip(*a), (Q{0, 0, 99, 49}));
    EXPECT_EQ(a->gc_root, scr);
    EXPECT_EQ(a->gc_frame.gf_memflags, GR_ownContext);
    EXPECT_EQ(a->gc_frame.gf_baseaddr[0], scr->gc_frame.gf_baseaddr[0]);
    EXPECT_EQ(a->gc_frame.gf_onscreen, 1);

    GrContext b;
    const Q none{-1, -1, -1, -1};
    const auto sub = [&](int x1, int y1, int x2, int y2) {
        return GrCreateSubContext(x1, y1, x2, y2, a, &b) ? place(b) : none;
    };
    EXPECT_EQ(sub(10, 10, 20, 20), (Q{110, 110, 10, 10}));
    EXPECT_EQ(b.gc_root, scr);  // the root, not the parent
    EXPECT_EQ(b.gc_frame.gf_memflags, 0);
    // beyond the parent but inside the root: taken as given; clamped only to the root
    EXPECT_EQ(sub(-50, -60, 300, 20), (Q{50, 40, 350, 80}));
    EXPECT_EQ(sub(500, -20, 900, 500), (Q{600, 80, 39, 399}));
    EXPECT_EQ(sub(-200, 0, -100, 10), (Q{0, 100, 0, 10}));
    EXPECT_EQ(sub(540, 0, 600, 10), none);
    EXPECT_EQ(sub(-200, 0, -101, 10), none);
    EXPECT_EQ(sub(0, 380, 10, 400), none);
    // corners at the ends of the int range do not wrap when the parent's offset is added
    EXPECT_EQ(sub(INT_MIN, INT_MIN, INT_MAX, INT_MAX), (Q{0, 0, 639, 479}));
    EXPECT_EQ(sub(INT_MAX, 5, INT_MIN, 5), (Q{0, 105, 639, 0}));
    EXPECT_EQ(sub(INT_MAX - 50, 0, INT_MAX, 10), none);
    EXPECT_EQ(sub(0, INT_MAX, 10, INT_MAX), none);
    EXPECT_EQ(sub(INT_MIN, 0, INT_MIN + 50, 10), none);
    EXPECT_EQ(sub(INT_MIN, INT_MIN, INT_MIN, INT_MIN), none);
    EXPECT_EQ(GrCreateSubContext(640, 0, 700, 10, nullptr, &b), nullptr);
    EXPECT_EQ(GrCreateSubContext(0, -5, 10, -1, nullptr, &b), nullptr);

    // resizing takes root coordinates, clamps, resets the clip box, ignores misses
    ASSERT_EQ(GrCreateSubContext(10, 10, 20, 20, a, &b), &b);
    GrSetClipBoxC(&b, 2, 2, 3, 3);
    GrResizeSubContext(&b, 300, 200, 250, 100);
    EXPECT_EQ(place(b), (Q{250, 100, 50, 100}));
    EXPECT_EQ(clip(b), (Q{0, 0, 50, 100}));
    GrResizeSubContext(&b, 700, 0, 800, 10);
    GrResizeSubContext(&b, INT_MIN, INT_MIN, -1, INT_MAX);
    EXPECT_EQ(place(b), (Q{250, 100, 50, 100}));
    GrResizeSubContext(&b, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(place(b), (Q{0, 0, 639, 479}));
    GrContext *m = GrCreateFrameContext(GR_frameRAM8, 20, 10, nullptr, nullptr);
    ASSERT_NE(m, nullptr);
    GrResizeSubContext(m, 2, 2, 5, 5);  // not a sub-context
    EXPECT_EQ(place(*m), (Q{0, 0, 19, 9}));
    GrResizeSubContext(nullptr, 2, 2, 5, 5);

    // a sub-context of a memory context draws into its parent's memory, and owns none of it
    GrContext *s = GrCreateSubContext(3, 2, 30, 30, m, nullptr);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->gc_root, m);
    EXPECT_EQ(place(*s), (Q{3, 2, 16, 7}));
    GrSetContext(s);
    GrFilledBox(0, 0, 0, 0, 9);
    GrSetContext(nullptr);
    EXPECT_EQ(m->gc_frame.gf_baseaddr[0][2 * m->gc_frame.gf_lineoffset + 3], 9);
    GrDestroyContext(s);
    GrDestroyContext(m);
    GrDestroyContext(a);
}

TEST(Contexts, SelectSaveAndDestroy)
{
    set_mode(64, 40, 8);
    GrContext *m = GrCreateFrameContext(GR_frameRAM16, 8, 4, nullptr, nullptr);
    ASSERT_NE(m, nullptr);

    // selecting copies the record and its frame driver; later changes stay apart
    GrSetContext(m);
    EXPECT_EQ(memcmp(&_GrContextInfo.current, m, sizeof *m), 0);
    EXPECT_EQ(memcmp(&_GrDriverInfo.frame_driver, &_GrFrameDriverRAM16, sizeof(GrFrameDriver)), 0);
    GrSetClipBox(1, 1, 2, 2);
    EXPECT_EQ(clip(*m), (Q{0, 0, 7, 3}));
    GrSetClipBoxC(m, 3, 0, 5, 1);
    EXPECT_EQ(clip(_GrContextInfo.current), (Q{1, 1, 2, 2}));

    // the current and screen records are never freed, even with ownership bits set
    GrDestroyContext(&_GrContextInfo.current);
    GrDestroyContext(&_GrContextInfo.screen);
    GrDestroyContext(nullptr);
    EXPECT_EQ(_GrContextInfo.current.gc_frame.gf_memflags, GR_ownContext | GR_ownFrameMemory);

    // saved copies never own plane memory
    GrContext *copy = GrSaveContext(nullptr);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->gc_frame.gf_memflags, GR_ownContext);
    EXPECT_TRUE(same_but_flags(*copy, _GrContextInfo.current));
    GrDestroyContext(copy);  // the record only; m's planes stay

    GrSetContext(nullptr);
    EXPECT_EQ(memcmp(&_GrContextInfo.current, &_GrContextInfo.screen, sizeof(GrContext)), 0);
    EXPECT_EQ(memcmp(&_GrDriverInfo.frame_driver, &_GrDriverInfo.screen_driver, sizeof(GrFrameDriver)), 0);
    GrContext local;
    EXPECT_EQ(GrSaveContext(&local), &local);
    EXPECT_EQ(local.gc_frame.gf_memflags, 0);
    EXPECT_TRUE(same_but_flags(local, _GrContextInfo.screen));
    GrDestroyContext(&local);  // frees nothing

    m->gc_frame.gf_baseaddr[0][0] = 1;  // still alive
    GrDestroyContext(m);
}

TEST(ClipBox, OrdersClampsAndIgnoresOutsideBoxes)
{
    set_mode(640, 480, 8);
    const GrContext &c = _GrContextInfo.current;
    GrSetClipBox(50, 40, 10, 5);
    EXPECT_EQ(clip(c), (Q{10, 5, 50, 40}));
    // wholly outside on either axis: nothing changes, not even the other axis
    for (Q b : {Q{700, 0, 800, 10}, Q{0, -20, 10, -1}, Q{-10, 0, -1, 10}, Q{0, 480, 10, INT_MAX},
                Q{INT_MIN, INT_MIN, INT_MIN, INT_MIN}}) {
        GrSetClipBox(b[0], b[1], b[2], b[3]);
        EXPECT_EQ(clip(c), (Q{10, 5, 50, 40}));
    }
    GrSetClipBox(-10, -10, 1000, 1000);
    EXPECT_EQ(clip(c), (Q{0, 0, 639, 479}));
    GrSetClipBox(INT_MAX, INT_MAX, 639, 479);
    EXPECT_EQ(clip(c), (Q{639, 479, 639, 479}));
    GrSetClipBox(INT_MIN, 3, INT_MAX, 3);
    EXPECT_EQ(clip(c), (Q{0, 3, 639, 3}));
    GrResetClipBox();
    EXPECT_EQ(clip(c), (Q{0, 0, 639, 479}));

    // on another context: limited by its own size, the current one is untouched
    GrContext *s = GrCreateSubContext(100, 100, 199, 149, nullptr, nullptr);
    ASSERT_NE(s, nullptr);
    GrSetClipBoxC(s, -5, -5, 500, 500);
    EXPECT_EQ(clip(*s), (Q{0, 0, 99, 49}));
    GrSetClipBoxC(s, 100, 0, 120, 10);
    EXPECT_EQ(clip(*s), (Q{0, 0, 99, 49}));
    GrSetClipBoxC(s, 20, 30, 10, 60);
    EXPECT_EQ(clip(*s), (Q{10, 30, 20, 49}));
    GrResetClipBoxC(s);
    EXPECT_EQ(clip(*s), (Q{0, 0, 99, 49}));
    EXPECT_EQ(clip(c), (Q{0, 0, 639, 479}));
    GrDestroyContext(s);
}

namespace {

int scroll_calls, scroll_ok, scroll_at[2];
int fake_scroll(GrVideoMode *md, int x, int y, int r[2])
{
    EXPECT_EQ(md, &_GrDriverInfo.active_mode);
    ++scroll_calls;
    scroll_at[0] = x;
    scroll_at[1] = y;
    r[0] = x & ~7;  // the driver may stop short of the request
    r[1] = y;
    return scroll_ok;
}

}  // namespace

TEST(Viewport, MovesOnlyOverAVirtualScreen)
{
    set_mode(64, 40, 8);
    EXPECT_EQ(GrSetViewport(10, 10), 0);
    EXPECT_EQ(GrDriverInfo->viewport_x | GrDriverInfo->viewport_y, 0);

    // pretend the mode in force is a 200 x 100 virtual screen over the 64 x 40 mode
    GrVideoMode *const was_current = _GrDriverInfo.current_mode;
    const GrVideoMode was_active = _GrDriverInfo.active_mode;
    GrVideoModeExt ext = *was_active.extinfo;
    ext.scroll = fake_scroll;
    GrVideoMode phys = *was_current;
    _GrDriverInfo.current_mode = &phys;
    _GrDriverInfo.active_mode.width = 200;
    _GrDriverInfo.active_mode.height = 100;
    _GrDriverInfo.active_mode.extinfo = &ext;
    scroll_calls = 0;
    scroll_ok = 1;
    EXPECT_EQ(GrSetViewport(-5, 1000), 1);  // clamped to 0..136, 0..60
    EXPECT_EQ(scroll_calls, 1);
    EXPECT_EQ(scroll_at[0], 0);
    EXPECT_EQ(scroll_at[1], 60);
    EXPECT_EQ(GrSetViewport(INT_MIN, 60), 1);  // already there: no call
    EXPECT_EQ(scroll_calls, 1);
    EXPECT_EQ(GrSetViewport(130, 3), 1);
    EXPECT_EQ(GrDriverInfo->viewport_x, 128);  // where the driver got to
    EXPECT_EQ(GrDriverInfo->viewport_y, 3);
    scroll_ok = 0;
    EXPECT_EQ(GrSetViewport(0, 0), 0);
    EXPECT_EQ(GrDriverInfo->viewport_x, 128);
    ext.scroll = nullptr;
    EXPECT_EQ(GrSetViewport(1, 1), 0);
    ext.scroll = fake_scroll;
    _GrDriverInfo.active_mode.width = 64;  // no larger than the physical mode
    _GrDriverInfo.active_mode.height = 40;
    EXPECT_EQ(GrSetViewport(1, 1), 0);
    EXPECT_EQ(scroll_calls, 3);

    _GrDriverInfo.current_mode = was_current;
    _GrDriverInfo.active_mode = was_active;
    _GrDriverInfo.viewport_x = _GrDriverInfo.viewport_y = 0;
}

TEST(Clear, WholeContextsWhateverIsCurrent)
{
    set_mode(61, 40, 8);  // rows of 64 bytes: 3 padding bytes each
    for (int y = 0; y < 40; y++)
        for (int x = 61; x < 64; x++)
            spx(x, y) = 0x5A;
    GrContext *sub = GrCreateSubContext(10, 5, 19, 14, nullptr, nullptr);
    ASSERT_NE(sub, nullptr);
    GrSetContext(sub);
    GrSetClipBox(2, 2, 3, 3);
    const GrContext before = _GrContextInfo.current;
    const auto check = [](unsigned char in, unsigned char out) {
        for (int y = 0; y < 40; y++)
            for (int x = 0; x < 64; x++) {
                const bool inside = x >= 10 && x <= 19 && y >= 5 && y <= 14;
                ASSERT_EQ(spx(x, y), x >= 61 ? 0x5A : inside ? in : out) << x << ',' << y;
            }
    };

    GrClearContext(7);  // the whole context, not just its clip box
    check(7, 0);
    EXPECT_EQ(memcmp(&_GrContextInfo.current, &before, sizeof before), 0);
    GrClearScreen(GR_XOR | 3);
    check(4, 3);
    EXPECT_TRUE(same_but_flags(_GrContextInfo.current, before));
    EXPECT_EQ(_GrDriverInfo.frame_driver.drawblock, _GrFrameDriverRAM8.drawblock);

    GrContext *m = GrCreateFrameContext(GR_frameRAM16, 5, 3, nullptr, nullptr);
    ASSERT_NE(m, nullptr);
    GrClearContextC(m, 0x1234);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 5; x++)
            EXPECT_EQ(m->gc_frame.gf_driver->readpixel(&m->gc_frame, x, y), 0x1234U);
    check(4, 3);
    EXPECT_TRUE(same_but_flags(_GrContextInfo.current, before));
    EXPECT_EQ(_GrDriverInfo.frame_driver.mode, GR_frameRAM8);

    GrSetContext(nullptr);
    GrDestroyContext(m);
    GrDestroyContext(sub);
}

TEST(BlackWhite, PaletteAndRgbModes)
{
    set_mode(16, 16, 8);
    EXPECT_EQ(GrBlack(), 0U);
    EXPECT_EQ(GrWhite(), 15U);
    EXPECT_EQ(GrColorInfo->white, 15U);  // kept for the next call
    set_mode(16, 16, 24);
    EXPECT_EQ(GrBlack(), 0U);
    EXPECT_EQ(GrWhite(), 0xFFFFFFU);
}
