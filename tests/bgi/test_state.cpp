// BGI state, modes, initialisation, pages, result codes and colours.
#include <cstring>
#include <string>

#include "bgitest.h"

TEST(BgiInit, ModeThreeOfAGivenSize)
{
    ASSERT_EQ(GrSetDriver("memory"), 1);
    if (__gr_INIT)
        closegraph();
    __gr_BGI_w = 800;
    __gr_BGI_h = 600;
    __gr_BGI_c = 256;
    __gr_BGI_p = 1;
    int gd = PXL_DRIVER, gm = 3;
    initgraph(&gd, &gm, "");
    EXPECT_EQ(getmaxx(), 799);
    EXPECT_EQ(getmaxy(), 599);
    EXPECT_EQ(getgraphmode(), 3);
    EXPECT_EQ(gd, PXL_DRIVER);
    EXPECT_EQ(graphresult(), grOk);
    EXPECT_EQ(GrColorInfo->numcolors, 256U);
    // the memory driver lists no modes of its own
    EXPECT_EQ(getmaxmode(), 3);
    int lo = -5, hi = -5;
    getmoderange(gd, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 3);
    EXPECT_EQ(getmodemaxx(3), -1);  // mode 3 is not a list mode
    EXPECT_EQ(graphresult(), grInvalidMode);
    EXPECT_EQ(getmodemaxy(4), -1);
    EXPECT_EQ(getmodemaxcolor(0), -1);
    EXPECT_EQ(graphresult(), grInvalidMode);

    // driver 0 (or any but PXL_DRIVER): mode 0 at the core's default size
    closegraph();
    gd = DETECT;
    gm = 3;
    initgraph(&gd, &gm, nullptr);
    EXPECT_EQ(gm, 0);
    EXPECT_EQ(gd, VGA);  // the memory driver is adapter 9
    EXPECT_EQ(getmaxx(), 639);
    EXPECT_EQ(getmaxy(), 479);
    EXPECT_EQ(GrColorInfo->numcolors, 16U);
    EXPECT_EQ(getmaxcolor(), 15);
    // driver PXL_DRIVER with a mode past the last: mode 0
    closegraph();
    gd = PXL_DRIVER;
    gm = 4;
    initgraph(&gd, &gm, "");
    EXPECT_EQ(gm, 0);
    EXPECT_EQ(getgraphmode(), 0);
    // no variables at all
    closegraph();
    initgraph(nullptr, nullptr, nullptr);
    EXPECT_EQ(graphresult(), grOk);
    EXPECT_EQ(getmaxx(), 639);

    EXPECT_EQ(__gr_adaptcnv(0), 9);
    EXPECT_EQ(__gr_adaptcnv(1), 3);
    EXPECT_EQ(__gr_adaptcnv(2), 7);
    EXPECT_EQ(__gr_adaptcnv(3), 6);
    EXPECT_EQ(__gr_adaptcnv(-1), -1);
    EXPECT_EQ(__gr_adaptcnv(6), 6);
    closegraph();
}

TEST(BgiInit, BadModesAndCallsBeforeInit)
{
    bgi_open(320, 200);
    setgraphmode(-1);
    setgraphmode(__gr_MaxMode + 1);
    EXPECT_EQ(getgraphmode(), 3);
    EXPECT_EQ(getmaxx(), 319);
    EXPECT_EQ(graphresult(), grInvalidMode);
    EXPECT_EQ(graphresult(), grOk);

    closegraph();
    // back in text mode: 80 x 25, and every read of the result is -1
    EXPECT_EQ(getmaxx(), 79);
    EXPECT_EQ(getmaxy(), 24);
    __gr_Result = 5;
    EXPECT_EQ(graphresult(), grNoInitGraph);
    EXPECT_EQ(graphresult(), grNoInitGraph);
    EXPECT_EQ(getgraphmode(), -1);
    EXPECT_EQ(getactivepage(), 0);
    setactivepage(0);
    cleardevice();
    EXPECT_EQ(__gr_Result, grNoInitGraph);
    // the pure setters still work on the stored values
    setcolor(3);
    moveto(4, 5);
    EXPECT_EQ(getcolor(), 3);
    EXPECT_EQ(getx() + gety(), 9);
    setgraphmode(3);
    EXPECT_EQ(getmaxx(), 79);

    EXPECT_EQ(setgraphbufsize(100), 4096U);
    EXPECT_EQ(installbgidriver("x", nullptr), grError);
    EXPECT_EQ(registerfarbgidriver(nullptr), grError);
    EXPECT_STREQ(grapherrormsg(grInvalidFontNum), "Invalid font number");
    EXPECT_STREQ(grapherrormsg(1234), "Unknown graphics error");
}

TEST(BgiInit, DefaultsAndAspect)
{
    const int sizes[][3] = {{640, 200, 24000}, {640, 350, 13714}, {640, 480, 10000},
                            {800, 600, 10000}, {1024, 768, 10000}, {1280, 1024, 9375}};
    for (const auto &s : sizes) {
        bgi_open(s[0], s[1]);
        int xa, ya;
        getaspectratio(&xa, &ya);
        EXPECT_EQ(xa, 10000);
        EXPECT_EQ(ya, s[2]) << s[0] << "x" << s[1];
    }
    EXPECT_EQ(getcolor(), 15);
    EXPECT_EQ(__gr_colorfill, 15);
    EXPECT_EQ(getbkcolor(), 0);
    EXPECT_EQ(__gr_vpr, 1279);
    EXPECT_EQ(__gr_vpb, 1023);
    EXPECT_EQ(__gr_clip, 1);
    struct linesettingstype ls;
    getlinesettings(&ls);
    EXPECT_EQ(ls.linestyle, SOLID_LINE);
    EXPECT_EQ(ls.thickness, 1);
    struct fillsettingstype fs;
    getfillsettings(&fs);
    EXPECT_EQ(fs.pattern, SOLID_FILL);
    EXPECT_EQ(fs.color, 15);
    EXPECT_EQ(__gr_fillpattern.bitmap.bits, __gr_fpatterns[SOLID_FILL]);

    // graphdefaults resets the drawing state
    setcolor(4);
    setbkcolor(2);
    moveto(7, 7);
    __gr_WR = GR_XOR;
    graphdefaults();
    EXPECT_EQ(getcolor(), 15);
    EXPECT_EQ(getbkcolor(), 0);
    EXPECT_EQ(getx(), 0);
    EXPECT_EQ(__gr_WR, 0);
    closegraph();
}

TEST(BgiInit, StrokeFontDirectoryIsBounded)
{
    ASSERT_EQ(GrSetDriver("memory"), 1);
    const std::string fits(127, 'd'), too_long(128, 'd');
    int gd = DETECT, gm = 0;
    initgraph(&gd, &gm, fits.c_str());
    EXPECT_EQ(std::string(__gr_BGICHR), fits);
    closegraph();
    // a path that does not fit is refused, not cut into another directory
    initgraph(&gd, &gm, too_long.c_str());
    EXPECT_STREQ(__gr_BGICHR, "");
    closegraph();
}

namespace {

int hook_calls;
void init_hook(int *d, int *m)
{
    hook_calls++;
    *d = 77;
    *m = 5;
    __gr_Result = 0;
}
void close_hook(void) { hook_calls += 10; }
void failing_hook(int *, int *) { __gr_Result = grNotDetected; }

}  // namespace

TEST(BgiInit, HooksReplaceStartAndEnd)
{
    ASSERT_EQ(GrSetDriver("memory"), 1);
    hook_calls = 0;
    __gr_set_libbgi_init_hooks(init_hook, close_hook);
    int gd = PXL_DRIVER, gm = 3;
    initgraph(&gd, &gm, "");
    EXPECT_EQ(hook_calls, 1);
    EXPECT_EQ(gd, PXL_DRIVER);  // a mode other than 0 is reported as selected by number
    EXPECT_EQ(__gr_INIT, 0);  // the hook did not initialise
    closegraph();
    EXPECT_EQ(hook_calls, 11);
    closegraph();  // the hooks are gone: the default shut-down
    EXPECT_EQ(hook_calls, 11);

    __gr_set_libbgi_init_hooks(failing_hook, nullptr);
    __gr_INIT = 1;
    initgraph(&gd, &gm, "");
    EXPECT_EQ(__gr_INIT, 0);
    __gr_set_libbgi_init_hooks(nullptr, nullptr);
}

TEST(BgiPages, TwoPagesOnAVirtualScreen)
{
    bgi_open(64, 40, 256, 2);
    EXPECT_EQ(get_BGI_mode_pages(), 2);
    EXPECT_EQ(GrDriverInfo->active_mode.height, 80);
    setactivepage(1);
    EXPECT_EQ(getactivepage(), 1);
    setfillstyle(SOLID_FILL, 4);
    bar(0, 0, 3, 3);
    EXPECT_EQ(px(0, 40), 4);  // one page height down
    EXPECT_EQ(px(0, 0), 0);
    line(0, 39, 63, 39);
    EXPECT_EQ(px(10, 79), 15);
    cleardevice();
    EXPECT_EQ(count(0, 40, 63, 79, 0), 64 * 40);
    setactivepage(2);
    EXPECT_EQ(graphresult(), grError);
    EXPECT_EQ(getactivepage(), 1);
    setvisualpage(1);
    EXPECT_EQ(getvisualpage(), 1);
    EXPECT_EQ(GrDriverInfo->viewport_y, 40);
    setvisualpage(-1);
    EXPECT_EQ(graphresult(), grError);
    setvisualpage(0);
    EXPECT_EQ(getvisualpage(), 0);

    // one page: page 1 does not exist
    bgi_open(64, 40, 256, 1);
    setvisualpage(1);
    EXPECT_EQ(graphresult(), grError);
    setactivepage(1);
    EXPECT_EQ(graphresult(), grError);
    // modes 1 and 2 have no second page even when two were asked for
    set_BGI_mode_pages(2);
    setgraphmode(1);
    EXPECT_EQ(get_BGI_mode_pages(), 1);
    closegraph();
}

TEST(BgiColors, WhiteRgbAndPalette)
{
    bgi_open(64, 40, 256);
    EXPECT_EQ(__gr_White(), 15);
    setbkcolor(__gr_White());
    EXPECT_EQ(getbkcolor(), 15);
    struct palettetype pal;
    setpalette(1, 4);
    getpalette(&pal);
    const signed char ega[16] = {0, 1, 2, 3, 4, 5, 20, 7, 56, 57, 58, 59, 60, 61, 62, 63};
    EXPECT_EQ(sizeof pal, 17U);
    EXPECT_EQ(pal.size, 16);
    EXPECT_EQ(memcmp(pal.colors, ega, 16), 0);
    EXPECT_EQ(getdefaultpalette()->colors[6], 20);
    EXPECT_EQ(getpalettesize(), 16);
    // palette cells can be loaded by number
    setrgbpalette(1, 10, 20, 30);
    int r, g, b;
    GrQueryColor(1, &r, &g, &b);
    EXPECT_EQ(r + g + b, 60);
    setrgbpalette(256, 1, 1, 1);
    EXPECT_EQ(graphresult(), grError);
    // any colour
    const int c = COLOR(12, 34, 56);
    GrQueryColor(static_cast<GrColor>(c), &r, &g, &b);
    EXPECT_TRUE(r == 12 && g == 34 && b == 56);

    bgi_open(64, 40, 1 << 24);
    setrgbcolor(255, 0, 0);
    EXPECT_EQ(getcolor(), 0xFF0000);
    EXPECT_EQ(__gr_White(), 0xFFFFFF);
    EXPECT_EQ(COLOR(0, 255, 0), 0x00FF00);
    setrgbpalette(1, 1, 2, 3);
    EXPECT_EQ(graphresult(), grError);
    closegraph();
    getpalette(&pal);
    EXPECT_EQ(graphresult(), grNoInitGraph);
}

// The driver's modes become BGI modes 4 and up, sorted by colours, area
// and width, each once.
namespace {

int fake_setup(GrVideoMode *, int) { return 1; }

}  // namespace

TEST(BgiModes, ListSortedOnce)
{
    if (__gr_MaxMode != 0)
        GTEST_SKIP() << "the mode list is built once per run";
    GrVideoModeExt e8 = {GR_frameSVGA8, nullptr, nullptr, {8, 8, 8}, {0, 0, 0}, 0, fake_setup,
                         nullptr, nullptr, nullptr, nullptr, nullptr, 0};
    GrVideoModeExt e24 = e8, et = e8;
    e24.mode = GR_frameSVGA24;
    et.mode = GR_frameText;
    GrVideoMode m[] = {
        {1, 24, 640, 480, 0, 0, 0, &e24}, {1, 8, 1280, 1024, 0, 0, 0, &e8},
        {1, 8, 320, 240, 0, 0, 0, &e8},   {1, 8, 800, 600, 0, 0, 0, &e8},
        {1, 8, 640, 480, 0, 0, 0, &e8},   {1, 8, 1024, 768, 0, 0, 0, &e8},
        {1, 24, 320, 240, 0, 0, 0, &e24}, {1, 8, 640, 480, 0, 0, 0, &e8},
        {1, 4, 80, 25, 0, 160, 0, &et},
    };
    GrVideoDriver fake = {"fake", 4, nullptr, m, 9, nullptr, nullptr, nullptr, _gr_selectmode, 0};
    _GrDriverInfo.video_driver = &fake;
    __gr_set_up_modes();
    _GrDriverInfo.video_driver = nullptr;
    EXPECT_EQ(__gr_ADAPTER, 0);  // kind 4 counts as 0
    EXPECT_EQ(__gr_MaxMode, 3 + 7);
    const int want[][3] = {{320, 240, 256}, {640, 480, 256}, {800, 600, 256}, {1024, 768, 256},
                           {1280, 1024, 256}, {320, 240, 1 << 24}, {640, 480, 1 << 24}};
    for (int i = 0; i < 7; i++) {
        int w, h, c;
        ASSERT_EQ(__gr_getmode_whc(4 + i, &w, &h, &c), 1);
        EXPECT_TRUE(w == want[i][0] && h == want[i][1] && c == want[i][2]) << i;
    }
    int w, h, c;
    EXPECT_EQ(__gr_getmode_whc(11, &w, &h, &c), 0);
    EXPECT_EQ(__gr_getmode_whc(3, &w, &h, &c), 0);
    // built once: another driver changes nothing
    bgi_open(64, 40);
    EXPECT_EQ(getmaxmode(), 10);
    EXPECT_EQ(getmodemaxx(4), 319);
    EXPECT_EQ(getmodemaxy(8), 1023);
    EXPECT_EQ(getmodemaxcolor(10), (1 << 24) - 1);
    closegraph();
}
