// The window-backed frame drivers: the memory drivers' pixels, and the box
// each operation marks for the window (right and bottom exclusive).
#include <cstring>

#include "headless.h"

namespace {

using Frame = Headless;

const GrFrameDriver &drv() { return GrDriverInfo->screen_driver; }
GrFrame *screen() { return &_GrContextInfo.screen.gc_frame; }
unsigned char *pixel(int x, int y, int bytes)
{
    return screen()->gf_baseaddr[0] + y * screen()->gf_lineoffset + x * bytes;
}

}  // namespace

TEST_F(Frame, RecordsAreTheMemoryDriversForTheWindow)
{
    const GrFrameDriver &d8 = _GrFrameDriverWIN32_8, &d24 = _GrFrameDriverWIN32_24;
    EXPECT_EQ(d8.mode, GR_frameWIN32_8);
    EXPECT_EQ(d8.rmode, GR_frameRAM8);
    EXPECT_EQ(d24.mode, GR_frameWIN32_24);
    EXPECT_EQ(d24.rmode, GR_frameRAM24);
    for (const GrFrameDriver *d : {&d8, &d24}) {
        EXPECT_EQ(d->is_video, 1);
        EXPECT_EQ(d->row_align, 4);
        EXPECT_EQ(d->num_planes, 1);
        EXPECT_EQ(d->init, nullptr);
    }
    EXPECT_EQ(d8.bits_per_pixel, 8);
    EXPECT_EQ(d8.max_plane_size, 134217728);
    EXPECT_EQ(d24.bits_per_pixel, 24);
    EXPECT_EQ(d24.max_plane_size, 402653184);
    // first in the table; memory frames made to match the screen draw in memory
    EXPECT_EQ(_GrFrameDriverTable[0], &d8);
    EXPECT_EQ(_GrFrameDriverTable[1], &d24);
    EXPECT_EQ(_GrFindRAMframeDriver(GR_frameWIN32_8), &_GrFrameDriverRAM8);
    EXPECT_EQ(_GrFindRAMframeDriver(GR_frameWIN32_24), &_GrFrameDriverRAM24);
}

TEST_F(Frame, EightBitOperationsMarkTheirBoxes)
{
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, 640, 480, 8), 1);
    ASSERT_EQ(drv().mode, GR_frameWIN32_8);
    take();
    const GrColor c = 7;

    drv().drawhline(5, 7, 10, c);
    EXPECT_EQ(take(), (std::vector<Box>{{5, 7, 15, 8}}));
    EXPECT_EQ(*pixel(5, 7, 1), 7);
    EXPECT_EQ(*pixel(14, 7, 1), 7);
    EXPECT_EQ(*pixel(15, 7, 1), 0);

    drv().drawline(10, 10, -4, 3, c);
    drv().drawline(3, 4, 0, 0, c);  // one pixel still marks its box
    drv().drawvline(20, 30, 5, c);
    drv().drawblock(40, 50, 6, 4, c);
    drv().drawpixel(1, 2, c);
    const unsigned char bits[2] = {0xA5, 0x5A};
    drv().drawbitmap(60, 70, 8, 2, bits, 1, 0, c, 1);
    drv().drawpattern(80, 90, 12, 0x81, c, 2);
    const GrColor line[3] = {1, 2, 3};
    drv().putscanline(100, 110, 3, line, GR_WRITE);
    EXPECT_EQ(take(), (std::vector<Box>{{6, 10, 11, 14},
                                        {3, 4, 4, 5},
                                        {20, 30, 21, 35},
                                        {40, 50, 46, 54},
                                        {1, 2, 2, 3},
                                        {60, 70, 68, 72},
                                        {80, 90, 92, 91},
                                        {100, 110, 103, 111}}));
    EXPECT_EQ(*pixel(102, 110, 1), 3);
    EXPECT_EQ(*pixel(87, 90, 1), 7);  // pattern 0x81: pixels 0, 7 and 8 in fg
    EXPECT_EQ(*pixel(86, 90, 1), 2);

    // an XOR with 0 changes nothing but is marked all the same
    unsigned char before[10];
    memcpy(before, pixel(5, 7, 1), 10);
    drv().drawhline(5, 7, 10, GR_XOR | 0);
    EXPECT_EQ(take(), (std::vector<Box>{{5, 7, 15, 8}}));
    EXPECT_EQ(memcmp(before, pixel(5, 7, 1), 10), 0);

    // copies: within the window and into it are marked, out of it not; reads are not
    GrContext *mem = GrCreateFrameContext(GR_frameRAM8, 16, 16, nullptr, nullptr);
    ASSERT_NE(mem, nullptr);
    drv().bitblt(screen(), 200, 210, screen(), 5, 7, 10, 1, GR_WRITE);
    drv().bltr2v(screen(), 300, 310, &mem->gc_frame, 0, 0, 16, 16, GR_WRITE);
    drv().bltv2r(&mem->gc_frame, 0, 0, screen(), 5, 7, 10, 1, GR_WRITE);
    drv().readpixel(screen(), 5, 7);
    drv().getindexedscanline(screen(), 0, 7, 20, nullptr);
    EXPECT_EQ(take(), (std::vector<Box>{{200, 210, 210, 211}, {300, 310, 316, 326}}));
    EXPECT_EQ(*pixel(209, 210, 1), 7);
    EXPECT_EQ(mem->gc_frame.gf_baseaddr[0][9], 7);
    GrDestroyContext(mem);
}

TEST_F(Frame, TwentyFourBitPixelsAndCopies)
{
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, 320, 240, 24), 1);
    ASSERT_EQ(drv().mode, GR_frameWIN32_24);
    take();
    drv().drawhline(0, 0, 4, 255);  // blue only: bytes 255, 0, 0
    drv().drawhline(0, 1, 4, 0x808080);
    EXPECT_EQ(take(), (std::vector<Box>{{0, 0, 4, 1}, {0, 1, 4, 2}}));
    const unsigned char blue[3] = {255, 0, 0}, grey[3] = {128, 128, 128};
    EXPECT_EQ(memcmp(pixel(3, 0, 3), blue, 3), 0);
    EXPECT_EQ(memcmp(pixel(3, 1, 3), grey, 3), 0);
    drv().drawpixel(5, 5, 0x123456);
    EXPECT_EQ(drv().readpixel(screen(), 5, 5), 0x123456U);  // b0 + b1 * 256 + b2 * 65536
    // the window shows blue, green, red as they are
    EXPECT_EQ(shown(5, 5), 0x123456U);
    EXPECT_EQ(shown(0, 0), 0x0000FFU);

    // a copy with a key colour leaves the pixels whose source is the key
    drv().drawhline(10, 10, 3, 0x111111);
    drv().drawpixel(11, 10, 0x222222);
    drv().drawhline(10, 20, 3, 0x999999);
    take();
    drv().bitblt(screen(), 10, 20, screen(), 10, 10, 3, 1, GR_IMAGE | 0x111111);
    EXPECT_EQ(take(), (std::vector<Box>{{10, 20, 13, 21}}));
    EXPECT_EQ(drv().readpixel(screen(), 10, 20), 0x999999U);
    EXPECT_EQ(drv().readpixel(screen(), 11, 20), 0x222222U);
    EXPECT_EQ(drv().readpixel(screen(), 12, 20), 0x999999U);
}
