// The classic calls beyond the core set: viewports, pixels, images, flood
// fill, 3-D bars, driver queries and initwindow.
#include <cstdlib>
#include <vector>

#include "bgitest.h"

TEST(BgiExtra, ViewportClipsAndMoves)
{
    bgi_open(100, 60);
    setviewport(10, 20, 29, 39, 1);
    EXPECT_EQ(graphresult(), grOk);
    struct viewporttype vp;
    getviewsettings(&vp);
    EXPECT_TRUE(vp.left == 10 && vp.top == 20 && vp.right == 29 && vp.bottom == 39 && vp.clip == 1);
    line(-5, 0, 50, 0);
    EXPECT_EQ(count(0, 20, 99, 20, 15), 20);  // only inside the viewport
    putpixel(0, 1, 4);
    putpixel(25, 1, 4);  // clipped away
    EXPECT_EQ(px(10, 21), 4);
    EXPECT_EQ(count_all(4), 1);
    EXPECT_EQ(getpixel(0, 1), 4U);
    EXPECT_EQ(getpixel(-10, -20), 0U);  // screen (0, 0), outside the viewport
    putpixel(-10, -20, 2);
    EXPECT_EQ(px(0, 0), 0);
    setbkcolor(1);
    clearviewport();
    EXPECT_EQ(count_all(1), 20 * 20);
    cleardevice();  // the whole page, whatever the viewport
    EXPECT_EQ(count_all(1), 100 * 60);

    // unclipped viewport: only the origin moves
    setviewport(10, 20, 29, 39, 0);
    line(-5, 0, 50, 0);
    EXPECT_EQ(count(0, 20, 99, 20, 15), 56);
    // bad boxes change nothing
    setviewport(30, 20, 29, 39, 1);
    EXPECT_EQ(graphresult(), grError);
    setviewport(0, 0, 100, 59, 1);
    EXPECT_EQ(graphresult(), grError);
    setviewport(-1, 0, 10, 10, 1);
    EXPECT_EQ(graphresult(), grError);
    getviewsettings(&vp);
    EXPECT_TRUE(vp.left == 10 && vp.clip == 0);
    closegraph();
    getpixel(0, 0);
    putpixel(0, 0, 1);
    EXPECT_EQ(graphresult(), grNoInitGraph);
}

TEST(BgiExtra, ImagesAndTheirOperations)
{
    bgi_open(100, 60);
    setfillstyle(SOLID_FILL, 3);
    bar(0, 0, 3, 1);
    putpixel(3, 1, 12);
    const unsigned n = imagesize(3, 1, 0, 0);  // corners in any order
    EXPECT_EQ(n, 2 * sizeof(int) + 4 * 8);
    std::vector<char> img(n);
    getimage(0, 0, 3, 1, img.data());
    putimage(50, 30, img.data(), COPY_PUT);
    EXPECT_EQ(count(50, 30, 53, 31, 3), 7);
    EXPECT_EQ(px(53, 31), 12);
    putimage(50, 30, img.data(), XOR_PUT);  // gone again
    EXPECT_EQ(count(50, 30, 53, 31, 0), 8);
    putimage(50, 30, img.data(), NOT_PUT);
    EXPECT_EQ(px(50, 30), 255 ^ 3);
    putimage(98, 58, img.data(), COPY_PUT);  // cut by the screen's edge
    EXPECT_EQ(count(98, 58, 99, 59, 3), 4);
    putimage(0, 0, img.data(), 9);
    EXPECT_EQ(graphresult(), grError);
    // off the screen: zeros
    img.resize(imagesize(-2, -2, 0, 0));
    getimage(-2, -2, 0, 0, img.data());
    const GrColor *pix = reinterpret_cast<const GrColor *>(img.data() + 2 * sizeof(int));
    EXPECT_EQ(pix[0], 0U);
    EXPECT_EQ(pix[8], 3U);
    EXPECT_EQ(imagesize(0, 0, 70000, 70000), 0U);  // too large for the count
    closegraph();
}

TEST(BgiExtra, FloodFillInsideABorder)
{
    bgi_open(100, 60);
    setcolor(4);
    rectangle(10, 10, 40, 30);
    line(25, 10, 25, 30);
    setfillstyle(SOLID_FILL, 2);
    floodfill(15, 15, 4);
    EXPECT_EQ(count(11, 11, 24, 29, 2), 14 * 19);
    EXPECT_EQ(count_all(2), 14 * 19);  // the other half and the outside stay
    // a pattern over a patterned area: the region is found before filling
    setfillstyle(XHATCH_FILL, 4);
    floodfill(30, 15, 4);
    EXPECT_GT(count(26, 11, 39, 29, 4), 20);
    EXPECT_EQ(count(41, 0, 99, 59, 4), 0);
    // the outside, up to the clip box, around the box
    setviewport(0, 0, 59, 59, 1);
    setfillstyle(SOLID_FILL, 5);
    floodfill(0, 0, 4);
    EXPECT_EQ(count(60, 0, 99, 59, 5), 0);
    EXPECT_EQ(px(59, 59), 5);
    EXPECT_EQ(px(20, 20), 2);
    // a seed on the border fills nothing
    floodfill(10, 10, 4);
    EXPECT_EQ(px(10, 10), 4);
    closegraph();
}

TEST(BgiExtra, Bar3dAndQueries)
{
    bgi_open(100, 60);
    setfillstyle(SOLID_FILL, 1);
    bar3d(10, 20, 30, 40, 8, 1);
    EXPECT_EQ(px(20, 30), 1);   // filled
    EXPECT_EQ(px(10, 30), 15);  // outlined
    EXPECT_EQ(px(38, 14), 15);  // the back corner, (8, 6) up and right
    EXPECT_EQ(px(18, 14), 15);  // the top
    bar3d(50, 20, 70, 40, 8, 0);
    EXPECT_EQ(px(58, 14), 0);  // no top
    EXPECT_EQ(px(78, 25), 15);

    int gd = -5, gm = -5;
    detectgraph(&gd, &gm);
    EXPECT_EQ(gd, VGA);
    EXPECT_EQ(gm, 0);
    EXPECT_STREQ(getdrivername(), "memory");
    EXPECT_STREQ(getmodename(3), "100 x 60, 256 colours");
    EXPECT_STREQ(getmodename(0), "640 x 480, 16 colours");
    getmodename(99);
    EXPECT_EQ(graphresult(), grInvalidMode);
    closegraph();
}

TEST(BgiExtra, InitwindowFromCpp)
{
    ASSERT_EQ(GrSetDriver("memory"), 1);
    initwindow(300, 200);
    EXPECT_EQ(getmaxx(), 299);
    EXPECT_EQ(getmaxcolor(), 255);
    EXPECT_EQ(get_BGI_mode_pages(), 1);
    closegraph();
    initwindow(320, 240, "two pages", 10, 10, true);
    EXPECT_EQ(get_BGI_mode_pages(), 2);
    EXPECT_EQ(getmaxy(), 239);
    closegraph();
}
