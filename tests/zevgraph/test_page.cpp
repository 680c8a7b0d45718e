// The plot page, its axes and graphics mode entry, drawn on the memory
// driver and read back pixel by pixel.
#include "scratch.h"

#include <unistd.h>

#include <cmath>

#include "bgitest.h"

namespace {

const long kBlack = 0, kWhite = 15;

class Page : public Scratch {
protected:
    void SetUp() override
    {
        Scratch::SetUp();
        ASSERT_EQ(GrSetDriver("memory"), 1);
        // as at the start of a run: earlier tests of this process ran main
        __gr_text_init();
        for (int slot = 21; slot <= 29; slot++)
            __gr_text_Fonts[slot] = nullptr;
    }
    void TearDown() override
    {
        if (__gr_INIT)
            closegraph();
        Scratch::TearDown();
    }
    // A white page as the file loop prepares it.
    static void white_page()
    {
        setfillstyle(SOLID_FILL, __gr_White());
        __gr_bar(0, 0, getmaxx(), getmaxy());
        setcolor(0);
        setbkcolor(__gr_White());
    }
};

TEST_F(Page, EntryGivesEveryWindowSizeAndTheMainFont)
{
    const int sizes[7][2] = {{0, 0}, {640, 200}, {640, 350}, {640, 480},
                             {800, 600}, {1024, 768}, {1280, 1024}};
    for (graphic = 1; graphic <= 6; graphic++) {
        entergrmode();
        EXPECT_EQ(getmaxx(), sizes[graphic][0] - 1);
        EXPECT_EQ(getmaxy(), sizes[graphic][1] - 1);
        EXPECT_EQ(getgraphmode(), 3);
        EXPECT_EQ(graphresult(), grOk);
        EXPECT_EQ(font_handle, 21);
        EXPECT_EQ(textheight("x"), 16);
        EXPECT_EQ(textwidth("88888"), 40);
        EXPECT_EQ(textwidth("Variable"), 64);
        exitgrmode();
        EXPECT_EQ(__gr_INIT, 0);
        __gr_text_Fonts[21] = nullptr;  // a run enters only once
    }
    // -g0 never enters graphics
    graphic = 0;
    entergrmode();
    EXPECT_EQ(__gr_INIT, 0);
}

TEST_F(Page, TenVariablesOn640x480)
{
    graphic = 3;
    entergrmode();
    white_page();
    // rows 1..9: a = 5, d = 1, so the y axis runs from 4 to 6.3
    n = 10;
    for (int i = 0; i < n; i++) {
        mv[0][i] = i + 1;
        mv[1][i] = 5;
        mv[2][i] = 1;
    }
    feed_keys("");  // end of input: Esc
    plot("data.zev");

    // frame (64,48)-(574,431)
    EXPECT_EQ(count(64, 48, 574, 48, kBlack), 511);
    EXPECT_EQ(count(64, 48, 64, 431, kBlack), 384);
    EXPECT_EQ(count(574, 48, 574, 431, kBlack), 384);
    EXPECT_EQ(px(63, 47), kWhite);
    // x ticks every 2 variables at 64 + 51 v, 6 long; minor ticks every 1
    for (int v = 0; v <= 10; v++) {
        const int x = 64 + 51 * v;
        EXPECT_EQ(count(x, 432, x, 434, kBlack), 3) << v;
        EXPECT_EQ(count(x, 435, x, 437, kBlack), v % 2 == 0 ? 3 : 0) << v;
    }
    // y majors 4, 4.5 .. 6 (spacing 0.5), ticks 6 long from x 63 to 58
    for (double v = 4; v <= 6; v += 0.5) {
        const int y = static_cast<int>(49 + 383 - 383 / 2.3 * (v - 4) - 1);
        EXPECT_EQ(row(y, 57, 63, kBlack), ".######") << v;
    }
    // "Variable" in the 8x16 font at (287, 451)
    EXPECT_GT(count(287, 451, 287 + 63, 451 + 15, kBlack), 40);
    EXPECT_EQ(count(280, 451, 286, 466, kBlack), 0);
    // the average at 5 is solid from X(1) = 115 to X(9) = 523 on y 264;
    // the upper curve at 6 is dashed, 3 skipped and 5 drawn from 115, over
    // the dotted grid line of 6 (2 skipped, 2 drawn from 63)
    EXPECT_EQ(row(264, 115, 523, kBlack), std::string(409, '#'));
    EXPECT_EQ(row(97, 115, 130, kBlack), "..######..######");
}

TEST_F(Page, CurvesAndEmptyRanges)
{
    graphic = 3;
    entergrmode();
    white_page();
    // nv = 2: frame and axes, no curves; a row with a = 3.7, d = 0 would sit
    // at 3.7 on the average and 3 on the lower curve, but row 1 is not drawn
    n = 2;
    mv[0][0] = 1, mv[1][0] = 1, mv[2][0] = 0;
    mv[0][1] = 2, mv[1][1] = 3.7, mv[2][1] = 0;
    feed_keys("");
    plot("d");

    // An empty y range ends the run with the spacing error, also when the
    // file named more variables than it holds, or values overflow.
    n = 1;
    mv[0][0] = 10;
    EXPECT_EXIT(plot("d"), ::testing::ExitedWithCode(1),
                "^Error: bad trial inter-tick spacing -0\n$");
    n = 0;
    EXPECT_EXIT(plot("d"), ::testing::ExitedWithCode(1),
                "^Error: bad trial inter-tick spacing -0\n$");
    n = 3;
    mv[0][2] = 3, mv[1][2] = 1e308, mv[2][2] = 1e308;
    EXPECT_EXIT(plot("d"), ::testing::ExitedWithCode(1),
                "^Error: bad trial inter-tick spacing -0\n$");
}

TEST_F(Page, ManyVariablesSpreadOverTheFrame)
{
    graphic = 3;
    entergrmode();
    white_page();
    n = 5120;
    for (int i = 0; i < n; i++) {
        mv[0][i] = i + 1;
        mv[1][i] = i % 2 ? 10 : 20;  // a zigzag: every column is crossed
        mv[2][i] = 0;
    }
    feed_keys("");
    plot("d");
    // the frame is (maxx * 8) / 10 = 511 wide and the average covers it
    EXPECT_EQ(count(64, 48, 575, 48, kBlack), 512);
    int columns = 0;
    for (int x = 65; x < 575; x++)
        columns += count(x, 60, x, 420, kBlack) > 10;
    EXPECT_GT(columns, 500);
}

TEST_F(Page, AxisTicksLabelsAndMinorSpacing)
{
    graphic = 3;
    entergrmode();
    white_page();
    // 0..10 on 512 pixels: majors at 0, 102, 204, 307, 409, 512
    draw_x_axes(512, 100, 50, 100, 0, 0.0, 10.0);
    const int yb = 200;
    for (int x : {0, 102, 204, 307, 409, 512})
        EXPECT_EQ(count(50 + x, yb + 1, 50 + x, yb + 6, kBlack), 6) << x;
    EXPECT_EQ(count(51, yb + 4, 50 + 101, yb + 6, kBlack), 0);
    for (int k = 0; k <= 10; k++)
        EXPECT_EQ(px(50 + static_cast<int>(51.2 * k), yb + 3), kBlack) << k;

    // minor spacing: 0..50 every 2 (25 ticks), 0..60 every 5 (12)
    auto minors = [&](double max) {
        white_page();
        draw_x_axes(600, 100, 20, 100, 0, 0.0, max);
        return count(0, yb + 2, getmaxx(), yb + 2, kBlack);
    };
    EXPECT_EQ(minors(50), 26);
    EXPECT_EQ(minors(60), 13);

    // 0..1.05e6: labels up to 1e+06 stand on end left of the axis, in the
    // 8x8 font, which stays selected
    white_page();
    draw_y_axes(400, 300, 100, 50, 0, 0.0, 1.05e6);
    struct textsettingstype ts;
    gettextsettings(&ts);
    EXPECT_EQ(ts.font, DEFAULT_FONT);
    EXPECT_GT(count(92, 50, 99, 350, kBlack), 100);
    EXPECT_EQ(count(0, 50, 91, 350, kBlack), 0);

    // "%g" labels: 0..105 has 0, 20 .. 100 and no label at the top
    settextstyle(font_handle, HORIZ_DIR, 1);
    white_page();
    draw_y_axes(400, 300, 100, 50, 0, 0.0, 105.0);
    EXPECT_EQ(count(0, 49, 91, 50 + 300 - 300 / 105.0 * 100 - 9, kBlack), 0);
    EXPECT_GT(count(92 - 24, 50, 91, 350, kBlack), 0);
}

TEST_F(Page, ScaleSpacings)
{
    struct Case {
        double min, max, s;
        int type;
    } cases[] = {{0, 10, 2, 1}, {0, 100, 20, 1}, {0, 1, 0.2, 1},
                 {0, 36, 10, 0}, {0, 3, 0.5, 2}, {10, 0, -2, 1}};
    for (const Case &c : cases) {
        double s;
        int type;
        scale1(c.min, c.max, &s, &type);
        EXPECT_DOUBLE_EQ(s, c.s) << c.max;
        EXPECT_EQ(type, c.type) << c.max;
    }
    double s;
    int type;
    EXPECT_EXIT(scale1(0, 0, &s, &type), ::testing::ExitedWithCode(1),
                "^Error: bad trial inter-tick spacing -0\n$");
    EXPECT_EXIT(scale1(-1e308, 1e308, &s, &type), ::testing::ExitedWithCode(1),
                "^Error: bad trial inter-tick spacing inf\n$");
}

TEST_F(Page, FullPathIsTidiedLexically)
{
    char cwd[4096], out[260];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    const std::string here = std::string(cwd) == "/" ? "" : cwd;
    EXPECT_EQ(std::string(full_path("a/./b//../c.zev", out, sizeof out)), here + "/a/c.zev");
    EXPECT_STREQ(full_path("/x/../../y", out, sizeof out), "/y");
    EXPECT_STREQ(full_path("/..", out, sizeof out), "/");
    // too long for the buffer: the name as given
    const std::string longname(300, 'n');
    EXPECT_EQ(full_path(longname.c_str(), out, sizeof out), longname.c_str());
}

}  // namespace
