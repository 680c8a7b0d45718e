// Text drawing in the 8 x 16 font: 80-character strings into an 8-bit
// memory screen and a 32-bit memory context, with a solid and a
// transparent background, running right and turned. Counts characters.
#include <benchmark/benchmark.h>

#include <string>

#include "libpxl.h"
#include "line80.h"

namespace {

// args: direction, transparent background, bits per pixel (8: screen, 32: context)
void BM_DrawString(benchmark::State &st)
{
    const int dir = static_cast<int>(st.range(0));
    const bool clear = st.range(1) != 0;
    const int bpp = static_cast<int>(st.range(2));
    // turned strings run 640 pixels down: give them room
    const int w = dir % 2 ? 480 : 640, h = dir % 2 ? 640 : 480;
    GrSetDriver("memory");
    GrSetMode(GR_mode_graphics_size_bpp, w, h, 8);
    GrContext *ctx = nullptr;
    if (bpp == 32) {
        ctx = GrCreateFrameContext(GR_frameRAM32L, w, h, nullptr, nullptr);
        GrSetContext(ctx);
    }
    GrClearContext(0);
    GrTextStyle s{};
    s.font = &GrFont_PC8x16;
    s.fgcolor.v = bpp == 8 ? 15 : 0xFFFFFF;
    s.bgcolor.v = clear ? GR_NOCOLOR : 1;
    s.direction = static_cast<signed char>(dir);
    const std::string &text = line80();
    const int lines = (dir % 2 ? w : h) / 16;
    int n = 0;
    for (auto _ : st) {
        const int across = (n++ % lines) * 16;
        if (dir % 2)
            GrDrawString(text.data(), 80, across, 0, &s);
        else
            GrDrawString(text.data(), 80, 0, across, &s);
        benchmark::ClobberMemory();
    }
    st.SetItemsProcessed(static_cast<int64_t>(st.iterations()) * 80);
    if (ctx) {
        GrSetContext(nullptr);
        GrDestroyContext(ctx);
    }
}

}  // namespace

BENCHMARK(BM_DrawString)
    ->ArgNames({"dir", "transparent", "bpp"})
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}, {8, 32}});

BENCHMARK_MAIN();
