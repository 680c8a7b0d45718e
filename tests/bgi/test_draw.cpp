// Lines, line styles, bars and fill patterns, polylines and round shapes.
#include <cstring>

#include "bgitest.h"

TEST(BgiLines, StylesAndDashTables)
{
    bgi_open(64, 40);
    // dashed: 3 skipped, 5 drawn, whatever the pattern argument
    for (unsigned pat : {0xAAAAu, 0u}) {
        cleardevice();
        setlinestyle(DASHED_LINE, pat, 1);
        line(0, 5, 20, 5);
        EXPECT_EQ(row(5, 0, 20, 15), "...#####...#####...##");
    }
    setlinestyle(DOTTED_LINE, 0, 1);
    line(0, 6, 9, 6);
    EXPECT_EQ(row(6, 0, 9, 15), "..##..##..");
    setlinestyle(CENTER_LINE, 0, 1);
    line(0, 7, 19, 7);
    EXPECT_EQ(row(7, 0, 19, 15), "...####...######...#");

    // user bits: solid through the custom line, reported as given
    setlinestyle(USERBIT_LINE, 0xFFFF, 1);
    line(0, 8, 9, 8);
    EXPECT_EQ(row(8, 0, 9, 15), "##########");
    struct linesettingstype ls;
    getlinesettings(&ls);
    EXPECT_EQ(ls.linestyle, USERBIT_LINE);
    EXPECT_EQ(ls.upattern, 0xFFFF);
    EXPECT_EQ(__gr_Line.pattern_length, 0);
    struct Runs {
        unsigned pat;
        int len;
        unsigned char runs[18];
    } const cases[] = {
        {0xAAAA, 18, {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}},
        {0x00FF, 2, {8, 8}},
        {0x8000, 4, {0, 15, 1, 0}},
        {0x0000, 1, {0}},
    };
    for (const Runs &r : cases) {
        setlinestyle(USERBIT_LINE, r.pat, 1);
        ASSERT_EQ(__gr_Line.pattern_length, r.len) << r.pat;
        EXPECT_EQ(memcmp(__gr_Line.pattern, r.runs, static_cast<size_t>(r.len)), 0) << r.pat;
    }
    // 0x00FF: 8 drawn, 8 skipped; 0: a line of no pixels
    setlinestyle(USERBIT_LINE, 0x00FF, 1);
    line(0, 9, 19, 9);
    EXPECT_EQ(row(9, 0, 19, 15), "########........####");
    setlinestyle(USERBIT_LINE, 0, 1);
    line(0, 10, 19, 10);
    EXPECT_EQ(count(0, 10, 19, 10, 15), 0);

    // thick solid lines go through the custom line too
    setlinestyle(SOLID_LINE, 0, 3);
    line(10, 20, 30, 20);
    EXPECT_EQ(count(20, 18, 20, 22, 15), 3);

    // out of range: -11 and the old style stays
    setlinestyle(5, 0, 1);
    EXPECT_EQ(graphresult(), grError);
    setlinestyle(-1, 0, 1);
    EXPECT_EQ(graphresult(), grError);
    getlinesettings(&ls);
    EXPECT_EQ(ls.linestyle, SOLID_LINE);
    EXPECT_EQ(ls.thickness, 3);
    closegraph();
}

TEST(BgiLines, PositionViewportAndWriteMode)
{
    bgi_open(64, 40);
    line(10, 10, 10, 30);
    EXPECT_EQ(getx(), 10);
    EXPECT_EQ(gety(), 30);
    EXPECT_EQ(count(10, 10, 10, 30, 15), 21);
    moveto(0, 0);
    lineto(5, 0);
    linerel(0, 3);
    EXPECT_EQ(getx(), 5);
    EXPECT_EQ(gety(), 3);
    EXPECT_EQ(px(5, 3), 15);
    moverel(-2, 1);
    EXPECT_EQ(getx() * 100 + gety(), 304);
    // a rectangle leaves the position alone
    rectangle(20, 20, 30, 25);
    EXPECT_EQ(getx(), 3);
    EXPECT_EQ(count(20, 20, 30, 25, 15), 2 * 11 + 2 * 4);
    setlinestyle(DOTTED_LINE, 0, 1);
    rectangle(40, 20, 50, 30);  // the custom box
    EXPECT_GT(count(40, 20, 50, 30, 15), 0);
    EXPECT_LT(count(40, 20, 50, 30, 15), 40);
    setlinestyle(SOLID_LINE, 0, 1);

    // viewport: coordinates are relative to its corner
    cleardevice();
    __gr_vpl = 10;
    __gr_vpt = 5;
    line(0, 0, 0, 0);
    EXPECT_EQ(px(10, 5), 15);
    __gr_vpl = __gr_vpt = 0;

    // XOR lines undo themselves
    setwritemode(XOR_PUT);
    line(0, 30, 20, 30);
    EXPECT_EQ(count(0, 30, 20, 30, 15), 21);
    line(0, 30, 20, 30);
    EXPECT_EQ(count(0, 30, 20, 30, 0), 21);
    setwritemode(7);
    EXPECT_EQ(graphresult(), grError);
    EXPECT_EQ(__gr_WR, GR_XOR);
    closegraph();

    // nothing is drawn before initgraph or after closegraph
    line(0, 0, 5, 5);
    rectangle(0, 0, 5, 5);
    bar(0, 0, 5, 5);
    EXPECT_EQ(graphresult(), grNoInitGraph);
}

TEST(BgiFills, BarsAndPatterns)
{
    bgi_open(64, 40);
    setfillstyle(SOLID_FILL, 4);
    bar(30, 20, 10, 5);  // corners in any order
    EXPECT_EQ(count(10, 5, 30, 20, 4), 21 * 16);
    EXPECT_EQ(count_all(4), 21 * 16);
    // no outline, current position untouched
    EXPECT_EQ(getx(), 0);

    // patterns are anchored to the frame, foreground on background
    setbkcolor(1);
    setfillstyle(LINE_FILL, 14);
    bar(0, 0, 7, 7);
    EXPECT_EQ(row(0, 0, 7, 14), "########");
    EXPECT_EQ(row(2, 0, 7, 1), "########");
    setfillstyle(LTSLASH_FILL, 14);
    bar(8, 0, 15, 7);
    EXPECT_EQ(row(0, 8, 15, 14), ".......#");
    EXPECT_EQ(row(7, 8, 15, 14), "#.......");
    // empty fill: the background colour
    setfillstyle(EMPTY_FILL, 14);
    bar(0, 30, 3, 33);
    EXPECT_EQ(count(0, 30, 3, 33, 1), 16);

    // the user pattern
    const char chk[8] = {'\xF0', '\xF0', '\xF0', '\xF0', 0x0F, 0x0F, 0x0F, 0x0F};
    setfillpattern(chk, 2);
    struct fillsettingstype fs;
    getfillsettings(&fs);
    EXPECT_EQ(fs.pattern, USER_FILL);
    EXPECT_EQ(fs.color, 2);
    char back[8];
    getfillpattern(back);
    EXPECT_EQ(memcmp(back, chk, 8), 0);
    bar(16, 0, 23, 7);
    EXPECT_EQ(row(0, 16, 23, 2), "####....");
    EXPECT_EQ(row(7, 16, 23, 2), "....####");

    // out of range: -11 and the old pattern stays
    for (int bad : {13, -1, -1000}) {
        setfillstyle(bad, 5);
        EXPECT_EQ(graphresult(), grError);
        getfillsettings(&fs);
        EXPECT_EQ(fs.pattern, USER_FILL);
        EXPECT_EQ(fs.color, 2);
    }
    closegraph();
}

TEST(BgiShapes, PolylineFigures)
{
    bgi_open(64, 40);
    const int pts[] = {0, 0, 10, 0, 10, 10, 0, 0, 20, 20, 30, 20};
    drawpoly(6, pts);
    EXPECT_EQ(px(5, 0), 15);
    EXPECT_EQ(px(10, 5), 15);
    EXPECT_EQ(px(5, 5), 15);
    EXPECT_EQ(px(15, 15), 0);  // nothing joins the two figures
    EXPECT_EQ(count(20, 20, 30, 20, 15), 11);
    EXPECT_EQ(getx() + gety(), 0);
    cleardevice();
    drawpoly(1, pts);
    drawpoly(0, pts);
    drawpoly(-4, pts);
    EXPECT_EQ(count_all(15), 0);

    // an open figure is closed for fillpoly, and filled
    const int tri[] = {5, 5, 25, 5, 5, 25};
    setfillstyle(SOLID_FILL, 4);
    fillpoly(3, tri);
    EXPECT_EQ(px(10, 10), 4);
    EXPECT_EQ(px(15, 15), 15);  // the closing edge
    EXPECT_EQ(px(5, 15), 15);
    closegraph();
}

TEST(BgiShapes, RoundShapesAndAspect)
{
    bgi_open(640, 350);
    int xa, ya;
    getaspectratio(&xa, &ya);
    ASSERT_EQ(ya, 13714);
    circle(320, 175, 100);  // an ellipse of radii 100 and 72
    EXPECT_EQ(px(420, 175), 15);
    EXPECT_EQ(px(320, 175 - 72), 15);
    EXPECT_EQ(count(0, 0, 639, 175 - 73, 15), 0);

    // full arcs are closed ellipses; arc ends are reported
    cleardevice();
    setaspectratio(1, 1);
    arc(100, 100, 0, 360, 20);
    EXPECT_EQ(px(120, 100), 15);
    EXPECT_EQ(px(80, 100), 15);
    struct arccoordstype a;
    arc(200, 100, 90, 90, 20);
    getarccoords(&a);
    EXPECT_EQ(a.x, 200);
    EXPECT_EQ(a.y, 100);
    EXPECT_EQ(a.xstart, 200);
    EXPECT_EQ(a.ystart, 80);
    arc(300, 100, 0, 90, 20);
    getarccoords(&a);
    EXPECT_TRUE(a.xstart == 320 && a.ystart == 100 && a.xend == 300 && a.yend == 80);
    EXPECT_EQ(px(300 - 20, 100), 0);  // only the first quarter

    // pie slices: a solid fill in the drawing colour has no other outline
    cleardevice();
    setcolor(4);
    setfillstyle(SOLID_FILL, 4);
    pieslice(100, 100, 0, 90, 30);
    const int fill_only = count_all(4);
    EXPECT_GT(fill_only, 600);
    setcolor(2);
    pieslice(200, 100, 0, 90, 30);
    EXPECT_GT(count(200, 70, 230, 100, 2), 60);  // the outline
    EXPECT_EQ(count(200, 70, 230, 100, 2) + count(200, 70, 230, 100, 4), fill_only);
    // an empty fill is the background colour
    setbkcolor(1);
    setfillstyle(EMPTY_FILL, 4);
    sector(300, 100, 0, 90, 30, 20);
    EXPECT_GT(count(300, 80, 330, 100, 1), 300);
    // fillellipse: fill and outline
    setfillstyle(SOLID_FILL, 14);
    fillellipse(400, 100, 20, 10);
    EXPECT_EQ(px(400, 100), 14);
    EXPECT_EQ(px(420, 100), 2);

    // a zero or negative factor never divides; big radii never wrap
    setaspectratio(10000, 0);
    circle(320, 175, 10);
    setaspectratio(30000, 10000);
    cleardevice();
    circle(320, 175, 300000);
    ellipse(320, 175, 0, 360, 300000, 300000);
    EXPECT_EQ(count_all(2), 0);  // far outside the screen
    setaspectratio(10000, 20000);
    circle(320, 175, 40);
    EXPECT_EQ(px(320, 175 - 20), 2);
    closegraph();
    circle(1, 1, 1);
    EXPECT_EQ(graphresult(), grNoInitGraph);
}
