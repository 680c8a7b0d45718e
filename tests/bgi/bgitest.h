// Helpers of the BGI layer's tests: graphics on the memory driver, and
// the screen read back pixel by pixel.
#ifndef TESTS_BGI_BGITEST_H
#define TESTS_BGI_BGITEST_H

#include <gtest/gtest.h>

#include <string>

#include "graphics.h"
#include "libpxl.h"

// Graphics of w x h with c colours on the memory driver, through mode 3.
inline void bgi_open(int w = 640, int h = 480, int c = 256, int pages = 1)
{
    ASSERT_EQ(GrSetDriver("memory"), 1);
    if (__gr_INIT)
        closegraph();
    int gd, gm;
    set_BGI_mode_whc(&gd, &gm, w, h, c);
    set_BGI_mode_pages(pages);
    initgraph(&gd, &gm, "");
    ASSERT_EQ(graphresult(), grOk);
}

// The colour of screen pixel (x, y) (page offsets included), -1 outside.
inline long px(int x, int y)
{
    const GrContext &s = _GrContextInfo.screen;
    if (x < 0 || y < 0 || x > s.gc_xmax || y > s.gc_ymax)
        return -1;
    GrFrame f = s.gc_frame;
    return static_cast<long>(f.gf_driver->readpixel(&f, x, y));
}

// How many pixels of the box have colour c.
inline int count(int x1, int y1, int x2, int y2, long c)
{
    int n = 0;
    for (int y = y1; y <= y2; y++)
        for (int x = x1; x <= x2; x++)
            n += px(x, y) == c;
    return n;
}

// Pixels of colour c in the whole screen.
inline int count_all(long c)
{
    const GrContext &s = _GrContextInfo.screen;
    return count(0, 0, s.gc_xmax, s.gc_ymax, c);
}

// A row of the screen as text: '#' where the colour is c, '.' elsewhere.
inline std::string row(int y, int x1, int x2, long c)
{
    std::string s;
    for (int x = x1; x <= x2; x++)
        s += px(x, y) == c ? '#' : '.';
    return s;
}

#endif
