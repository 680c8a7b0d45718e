// Whole-frame block fills of every memory pixel format beside memset of the
// same bytes, and the per-call cost of readpixel and drawpixel.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "libpxl.h"

namespace {

const int W = 1024, H = 768;

struct Format {
    const _GR_frameDriver *drv;
    int planes;
    int rowbytes;
};

Format format(int bpp)
{
    switch (bpp) {
    case 1:  return {&_GrFrameDriverRAM1, 1, W / 8};
    case 4:  return {&_GrFrameDriverRAM4, 4, W / 8};
    case 8:  return {&_GrFrameDriverRAM8, 1, W};
    case 16: return {&_GrFrameDriverRAM16, 1, 2 * W};
    case 24: return {&_GrFrameDriverRAM24, 1, 3 * W};
    case 32: return {&_GrFrameDriverRAM32L, 1, 4 * W};
    default: return {&_GrFrameDriverRAM32H, 1, 4 * W};  // 33: the high-byte variant
    }
}

// A frame of the format in plain memory, made the current frame.
struct Frame {
    Format f;
    std::vector<unsigned char> mem;
    explicit Frame(int bpp) : f(format(bpp)), mem(static_cast<size_t>(f.rowbytes) * H * f.planes)
    {
        GrFrame &fr = _GrContextInfo.current.gc_frame;
        fr = GrFrame{};
        for (int i = 0; i < 4; i++)
            fr.gf_baseaddr[i] = mem.data() + static_cast<size_t>(i % f.planes) * f.rowbytes * H;
        fr.gf_lineoffset = f.rowbytes;
        fr.gf_driver = f.drv;
    }
};

void BM_Block(benchmark::State &st)
{
    Frame fr(static_cast<int>(st.range(0)));
    GrColor c = 0x5A3C1E;
    for (auto _ : st) {
        fr.f.drv->drawblock(0, 0, W, H, c ^= 0x010101);
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) * fr.mem.size());
}

// memset of the frame's own bytes (placement alone can change speeds)
void BM_MemsetSame(benchmark::State &st)
{
    Frame fr(static_cast<int>(st.range(0)));
    int v = 0;
    for (auto _ : st) {
        std::memset(fr.mem.data(), ++v, fr.mem.size());
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) * fr.mem.size());
}

void BM_DrawPixel(benchmark::State &st)
{
    Frame fr(static_cast<int>(st.range(0)));
    auto draw = fr.f.drv->drawpixel;
    int x = 0, y = 0;
    for (auto _ : st) {
        draw(x, y, 5);
        if (++x == W) {
            x = 0;
            if (++y == H)
                y = 0;
        }
    }
    benchmark::ClobberMemory();
    st.SetItemsProcessed(st.iterations());
}

void BM_ReadPixel(benchmark::State &st)
{
    Frame fr(static_cast<int>(st.range(0)));
    auto read = fr.f.drv->readpixel;
    GrFrame *frame = &_GrContextInfo.current.gc_frame;
    int x = 0, y = 0;
    GrColor sum = 0;
    for (auto _ : st) {
        sum += read(frame, x, y);
        if (++x == W) {
            x = 0;
            if (++y == H)
                y = 0;
        }
    }
    benchmark::DoNotOptimize(sum);
    st.SetItemsProcessed(st.iterations());
}

void depths(benchmark::internal::Benchmark *b)
{
    for (int bpp : {1, 4, 8, 16, 24, 32, 33})
        b->Arg(bpp);
    b->ArgName("bpp");
}

}  // namespace

BENCHMARK(BM_MemsetSame)->Apply(depths);
BENCHMARK(BM_Block)->Apply(depths);
BENCHMARK(BM_DrawPixel)->Apply(depths);
BENCHMARK(BM_ReadPixel)->Apply(depths);

BENCHMARK_MAIN();
