// The viewer's page: drawing alone (no key, no PNG) for the bundled
// examples of 10, 200 and 5120 variables at 640x480 and 1280x1024, and
// the page of 5120 variables written as PNG.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include <unistd.h>

#include "graphics.h"
#include "pxl.h"
#include "zevgraph.h"

namespace {

// The bundled examples hold 10, 200 and 5120 variables.
void load(int nv)
{
    const char *name = nv <= 10 ? "small.zev" : nv <= 200 ? "medium.zev" : "large.zev";
    scanfile((std::string(ZEV_EXAMPLES "/") + name).c_str());
}

void enter(int g)
{
    static bool entered = false;
    static int current = 0;
    if (entered && current == g)
        return;
    if (entered)
        closegraph();
    setenv("PXLDRV", "memory", 1);
    graphic = static_cast<short>(g);
    entergrmode();
    setfillstyle(SOLID_FILL, __gr_White());
    setcolor(0);
    setbkcolor(__gr_White());
    entered = true;
    current = g;
}

// args: variables, -g size (3: 640x480, 6: 1280x1024)
void BM_PageDraw(benchmark::State &st)
{
    enter(static_cast<int>(st.range(1)));
    load(static_cast<int>(st.range(0)));
    for (auto _ : st) {
        plot_page("data.zev");
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PageDraw)->ArgsProduct({{10, 200, 5120}, {3, 6}})->Unit(benchmark::kMicrosecond);

void BM_PagePng(benchmark::State &st)
{
    enter(static_cast<int>(st.range(0)));
    load(5120);
    plot_page("data.zev");
    const std::string out = "/tmp/bench_page.png";
    for (auto _ : st)
        GrSaveContextToPng(nullptr, out.c_str());
    remove(out.c_str());
}
BENCHMARK(BM_PagePng)->Arg(3)->Arg(6)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
