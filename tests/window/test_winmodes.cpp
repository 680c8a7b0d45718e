// The windowed driver above its window system, on the headless one: the
// mode table, mode choice and setting, the palette reaching the window,
// text mode, the close question and failures to start.
#include <cstring>

#include "headless.h"
#include "window/w32inp.h"

namespace {

using Modes = Headless;
using ModesDeath = Headless;

const GrVideoDriver &win() { return _GrVideoDriverHeadless; }

}  // namespace

TEST_F(Modes, DriverRecordAndModeTable)
{
    EXPECT_STREQ(win().name, "headless");
    EXPECT_EQ(win().adapter, 6);
    EXPECT_EQ(win().parent, nullptr);
    EXPECT_EQ(win().mode_count, 22);
    EXPECT_EQ(win().flags, 1U);
    ASSERT_NE(win().detect, nullptr);

    const GrVideoMode *m = win().modes;
    EXPECT_EQ(m[0].bpp, 8);
    EXPECT_EQ(m[0].width, 80);
    EXPECT_EQ(m[0].height, 25);
    EXPECT_EQ(m[0].lineoffset, 80);
    EXPECT_EQ(m[0].privdata, 1);
    EXPECT_EQ(m[0].extinfo->mode, GR_frameText);
    const int sizes[10][2] = {{320, 240},   {640, 480},   {800, 600},  {1024, 768},
                              {1280, 1024}, {1600, 1200}, {1440, 900}, {1680, 1050},
                              {1920, 1200}, {2560, 1600}};
    for (int i = 0; i < 20; i++) {
        const GrVideoMode &e = m[1 + i];
        const bool deep = i >= 10;
        const int w = sizes[i % 10][0], h = sizes[i % 10][1];
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(e.bpp, deep ? 24 : 8);
        EXPECT_EQ(e.width, w);
        EXPECT_EQ(e.height, h);
        EXPECT_EQ(e.lineoffset, deep ? 3 * w : w);
        EXPECT_EQ(e.mode, 0);
        EXPECT_EQ(e.privdata, 0);
        // a screen of 1920 x 1080 has no room for three sizes in either depth
        EXPECT_EQ(e.present, h <= 1080 ? 1 : 0);
        const GrVideoModeExt &x = *e.extinfo;
        EXPECT_EQ(x.mode, deep ? GR_frameWIN32_24 : GR_frameWIN32_8);
        EXPECT_EQ(x.cprec[0] + x.cprec[1] + x.cprec[2], 24);
        const unsigned char pos8[3] = {0, 8, 16}, pos24[3] = {16, 8, 0};
        EXPECT_EQ(memcmp(x.cpos, deep ? pos24 : pos8, 3), 0);
        EXPECT_EQ(x.flags, 0);
        EXPECT_NE(x.setbank, nullptr);
        EXPECT_EQ(x.loadcolor != nullptr, !deep);
        EXPECT_EQ(x.setvsize, nullptr);
    }
    EXPECT_EQ(m[21].width, 9999);
    EXPECT_EQ(m[21].extinfo, nullptr);
}

TEST_F(Modes, SizesTheTableLacksTakeTheLastEntry)
{
    GrVideoDriver *d = &_GrVideoDriverHeadless;
    GrVideoMode *custom = &d->modes[21];
    EXPECT_EQ(d->selectmode(d, 1000, 700, 8, 0, nullptr), custom);
    EXPECT_EQ(custom->lineoffset, 1000);
    EXPECT_EQ(custom->bpp, 8);
    EXPECT_EQ(d->selectmode(d, 1001, 700, 8, 0, nullptr), custom);
    EXPECT_EQ(custom->lineoffset, 1004);
    EXPECT_EQ(d->selectmode(d, 1001, 700, 24, 0, nullptr), custom);
    EXPECT_EQ(custom->lineoffset, 3004);
    EXPECT_EQ(custom->bpp, 24);
    // larger than the screen: the entry stays, the nearest listed mode wins
    const GrVideoMode *m = d->selectmode(d, 3000, 2000, 8, 0, nullptr);
    EXPECT_EQ(custom->width, 1001);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->width, 1680);
    // listed sizes are taken as they are; text requests never touch the entry
    EXPECT_EQ(d->selectmode(d, 640, 480, 8, 0, nullptr), &d->modes[2]);
    EXPECT_EQ(d->selectmode(d, 640, 480, 24, 0, nullptr), &d->modes[12]);
    EXPECT_EQ(d->selectmode(d, 640, 200, 8, 1, nullptr), &d->modes[0]);
    EXPECT_EQ(custom->width, 1001);
}

TEST_F(Modes, GraphicsModesShowABlackWindowAndTextModeHidesIt)
{
    EXPECT_EQ(_GrHeadless.shown, 0);  // hidden until the first graphics mode
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_colors, 640, 480, 256), 1);
    EXPECT_EQ(_GrHeadless.shown, 1);
    EXPECT_EQ(_GrHeadless.width, 640);
    EXPECT_EQ(_GrHeadless.height, 480);
    EXPECT_EQ(_GrHeadless.margin, 50);
    EXPECT_EQ(GrDriverInfo->current_mode, &win().modes[2]);
    const GrFrame &f = GrContextInfo->screen.gc_frame;
    EXPECT_EQ(f.gf_baseaddr[0], win().modes[2].extinfo->frame);
    EXPECT_EQ(f.gf_lineoffset, 640);
    for (int i = 0; i < 640 * 480; i++)
        ASSERT_EQ(_GrHeadless.rgb[i], 0U) << i;
    EXPECT_NE(_GrInputHost, nullptr);

    // drawing reaches the window through the palette
    GrFilledBox(10, 10, 19, 19, GrAllocColor(255, 0, 0));
    EXPECT_EQ(shown(15, 15), 0xFF0000U);
    EXPECT_EQ(shown(9, 9), 0U);
    // changing a cell repaints what shows it
    const GrColor cell = GrAllocCell();
    ASSERT_NE(cell, GR_NOCOLOR);
    GrSetColor(cell, 0, 255, 0);
    GrFilledBox(30, 30, 39, 39, cell);
    EXPECT_EQ(shown(35, 35), 0x00FF00U);
    take();
    GrSetColor(cell, 0, 0, 255);
    EXPECT_EQ(shown(35, 35), 0x0000FFU);
    EXPECT_EQ(take(), (std::vector<Box>{{0, 0, 640, 480}}));

    // a new mode starts black again, in either depth
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, 800, 600, 24), 1);
    EXPECT_EQ(GrDriverInfo->frame_driver.mode, GR_frameWIN32_24);
    EXPECT_EQ(_GrHeadless.width, 800);
    EXPECT_EQ(shown(15, 15), 0U);
    GrFilledBox(0, 0, 799, 599, GrAllocColor(1, 2, 3));
    EXPECT_EQ(shown(799, 599), 0x010203U);

    // the screen's own size sits in its top-left corner
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_colors, 1920, 1080, 256), 1);
    EXPECT_EQ(GrDriverInfo->current_mode, &win().modes[21]);
    EXPECT_EQ(_GrHeadless.margin, 0);

    ASSERT_EQ(GrSetMode(GR_mode_text_default), 1);
    EXPECT_EQ(_GrHeadless.shown, 0);
    EXPECT_EQ(GrDriverInfo->frame_driver.mode, GR_frameText);
    EXPECT_EQ(_GrInputHost, nullptr);  // keys come from the console then

    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_colors, 320, 240, 256), 1);
    EXPECT_EQ(_GrHeadless.shown, 1);
    ASSERT_NE(_GrInputHost, nullptr);
    EXPECT_EQ(_GrInputHost->mouse_present(), 1);
    _GrInputHost->warp(3, 4);
    EXPECT_EQ(_GrHeadless.warp_x, 3);
    EXPECT_EQ(_GrHeadless.warp_y, 4);
}

TEST_F(Modes, CloseQuestionAnsweredNo)
{
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_colors, 320, 240, 256), 1);
    _GrHeadless.answer = 0;
    _GrWinCloseRequest();
    EXPECT_EQ(_GrHeadless.asked, 1);
    GrFilledBox(0, 0, 9, 9, GrAllocColor(255, 255, 255));  // still drawing
    EXPECT_EQ(shown(5, 5), 0xFFFFFFU);
}

TEST_F(ModesDeath, CloseQuestionAnsweredYesEndsTheProgram)
{
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_colors, 320, 240, 256), 1);
    _GrHeadless.answer = 1;
    EXPECT_EXIT(
        {
            static char buf[64];
            setvbuf(stderr, buf, _IOFBF, sizeof buf);
            fputs("pending", stderr);  // flushed before the end
            _GrWinCloseRequest();
        },
        testing::ExitedWithCode(1), "^pending$");
}

TEST_F(ModesDeath, FailuresAreReportedNotWaitedFor)
{
    _GrCloseVideoDriver();
    // a window system that cannot start leaves no driver in use
    EXPECT_EQ(_GrStartVideoDriver(&_GrVideoDriverHeadless, "nonsense"), 0);
    EXPECT_EQ(GrDriverInfo->video_driver, nullptr);
    ASSERT_EQ(_GrStartVideoDriver(&_GrVideoDriverHeadless, "1920x1080"), 1);
    // without frame memory no mode can be set, listed or not
    EXPECT_EXIT(
        {
            _GrHeadless.refuse_frames = 1;
            GrSetMode(GR_mode_graphics_size_colors, 1000, 700, 256);
        },
        testing::ExitedWithCode(1), "^GrSetMode: could not find suitable video mode\n$");
    EXPECT_EXIT(
        {
            _GrHeadless.refuse_frames = 1;
            GrSetMode(GR_mode_graphics_size_colors, 640, 480, 256);
        },
        testing::ExitedWithCode(1), "^GrSetMode: could not find suitable video mode\n$");
}
