// The BGI layer beside the core calls it wraps, the same work in each
// pair: bar and GrFilledBox, line and GrLine, circle and GrCircle,
// outtextxy and GrDrawString in the 8x8 font. Then stroke text in
// characters per second at sizes 1, 4 and 10.
#include <benchmark/benchmark.h>

#include <cstring>

#include "graphics.h"

#ifndef PXL_SOURCE_FONTS
#define PXL_SOURCE_FONTS "fonts"
#endif

namespace {

const int W = 640, H = 480;

void open()
{
    GrSetDriver("memory");
    if (__gr_INIT)
        closegraph();
    int gd, gm;
    set_BGI_mode_whc(&gd, &gm, W, H, 256);
    initgraph(&gd, &gm, PXL_SOURCE_FONTS);
}

// n x n squares that walk over the screen
void BM_Bar(benchmark::State &st)
{
    open();
    const int n = static_cast<int>(st.range(0));
    setfillstyle(SOLID_FILL, 4);
    int i = 0;
    for (auto _ : st) {
        const int x = i++ % (W - n), y = i % (H - n);
        bar(x, y, x + n - 1, y + n - 1);
    }
    st.SetItemsProcessed(st.iterations() * n * n);
}

void BM_GrFilledBox(benchmark::State &st)
{
    open();
    const int n = static_cast<int>(st.range(0));
    int i = 0;
    for (auto _ : st) {
        const int x = i++ % (W - n), y = i % (H - n);
        GrFilledBox(x, y, x + n - 1, y + n - 1, 4);
    }
    st.SetItemsProcessed(st.iterations() * n * n);
}

// diagonal-ish lines of n pixels
void BM_Line(benchmark::State &st)
{
    open();
    const int n = static_cast<int>(st.range(0));
    int i = 0;
    for (auto _ : st) {
        const int y = i++ % (H - n / 3);
        line(0, y, n - 1, y + n / 3);
    }
    st.SetItemsProcessed(st.iterations() * n);
}

void BM_GrLine(benchmark::State &st)
{
    open();
    const int n = static_cast<int>(st.range(0));
    int i = 0;
    for (auto _ : st) {
        const int y = i++ % (H - n / 3);
        GrLine(0, y, n - 1, y + n / 3, 15);
    }
    st.SetItemsProcessed(st.iterations() * n);
}

// circles of radius r (the screen's aspect is 1:1 here)
void BM_Circle(benchmark::State &st)
{
    open();
    const int r = static_cast<int>(st.range(0));
    for (auto _ : st)
        circle(W / 2, H / 2, r);
    st.SetItemsProcessed(st.iterations());
}

void BM_GrCircle(benchmark::State &st)
{
    open();
    const int r = static_cast<int>(st.range(0));
    for (auto _ : st)
        GrCircle(W / 2, H / 2, r, 15);
    st.SetItemsProcessed(st.iterations());
}

const char kText[] = "The quick brown fox jumps over";  // 30 characters

void BM_OutTextXY(benchmark::State &st)
{
    open();
    for (auto _ : st)
        outtextxy(10, 100, kText);
    st.SetItemsProcessed(st.iterations() * (sizeof kText - 1));
}

void BM_GrDrawString(benchmark::State &st)
{
    open();
    GrTextStyle s;
    memset(&s, 0, sizeof s);
    s.font = &GrFont_PC8x8;
    s.fgcolor.v = 15;
    s.bgcolor.v = GR_NOCOLOR;
    for (auto _ : st)
        GrDrawString(kText, sizeof kText - 1, 10, 100, &s);
    st.SetItemsProcessed(st.iterations() * (sizeof kText - 1));
}

// stroke text in the triplex font, short enough to fit the screen at
// size 10; items are characters
void BM_StrokeText(benchmark::State &st)
{
    static const char word[] = "Quick!";
    open();
    settextstyle(TRIPLEX_FONT, HORIZ_DIR, static_cast<int>(st.range(0)));
    if (graphresult() != grOk) {
        st.SkipWithError("no triplex font in " PXL_SOURCE_FONTS);
        return;
    }
    for (auto _ : st)
        outtextxy(0, 0, word);
    st.SetItemsProcessed(st.iterations() * (sizeof word - 1));
}

}  // namespace

BENCHMARK(BM_Bar)->Arg(10)->Arg(100)->Arg(400);
BENCHMARK(BM_GrFilledBox)->Arg(10)->Arg(100)->Arg(400);
BENCHMARK(BM_Line)->Arg(10)->Arg(100)->Arg(400);
BENCHMARK(BM_GrLine)->Arg(10)->Arg(100)->Arg(400);
BENCHMARK(BM_Circle)->Arg(5)->Arg(50)->Arg(200);
BENCHMARK(BM_GrCircle)->Arg(5)->Arg(50)->Arg(200);
BENCHMARK(BM_OutTextXY);
BENCHMARK(BM_GrDrawString);
BENCHMARK(BM_StrokeText)->Arg(1)->Arg(4)->Arg(10);

BENCHMARK_MAIN();
