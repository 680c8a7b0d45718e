// Fill and line speed of the 8-bit memory frame driver, each beside the
// plain memory operation over the same bytes in the same run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "libpxl.h"

namespace {

struct Frame {
    std::vector<unsigned char> mem;
    Frame(int w, int h) : mem(static_cast<size_t>(w) * h)
    {
        GrFrame &f = _GrContextInfo.current.gc_frame;
        f = GrFrame{};
        f.gf_baseaddr[0] = mem.data();
        f.gf_lineoffset = w;
        f.gf_driver = &_GrFrameDriverRAM8;
    }
};

void bytes_done(benchmark::State &st, int w, int h)
{
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) * w * h);
}

void BM_DrawHline(benchmark::State &st, GrColor op)
{
    const int w = static_cast<int>(st.range(0)), h = static_cast<int>(st.range(1));
    Frame fr(w, h);
    GrColor c = op | 0x5A;
    for (auto _ : st) {
        for (int y = 0; y < h; y++)
            _GrFrameDriverRAM8.drawhline(0, y, w, c);
        benchmark::DoNotOptimize(fr.mem.data());
        benchmark::ClobberMemory();
    }
    bytes_done(st, w, h);
}

void BM_DrawBlock(benchmark::State &st, GrColor op)
{
    const int w = static_cast<int>(st.range(0)), h = static_cast<int>(st.range(1));
    Frame fr(w, h);
    GrColor c = op | 0x5A;
    for (auto _ : st) {
        _GrFrameDriverRAM8.drawblock(0, 0, w, h, c);
        benchmark::DoNotOptimize(fr.mem.data());
        benchmark::ClobberMemory();
    }
    bytes_done(st, w, h);
}

// The references work on the frame's own bytes: allocation placement alone
// can change the speed of a loop by half.
void BM_Memset(benchmark::State &st)
{
    const int w = static_cast<int>(st.range(0)), h = static_cast<int>(st.range(1));
    Frame fr(w, h);
    for (auto _ : st) {
        std::memset(fr.mem.data(), 0x5A, fr.mem.size());
        benchmark::DoNotOptimize(fr.mem.data());
        benchmark::ClobberMemory();
    }
    bytes_done(st, w, h);
}

void BM_XorLoop(benchmark::State &st)
{
    const int w = static_cast<int>(st.range(0)), h = static_cast<int>(st.range(1));
    Frame fr(w, h);
    for (auto _ : st) {
        unsigned char *p = fr.mem.data();
        for (size_t i = 0, n = fr.mem.size(); i < n; i++)
            p[i] ^= 0x5A;
        benchmark::DoNotOptimize(p);
        benchmark::ClobberMemory();
    }
    bytes_done(st, w, h);
}

// Row-by-row references for drawhline: the same bytes in the same order,
// one call a row.
void BM_MemsetRows(benchmark::State &st)
{
    const int w = static_cast<int>(st.range(0)), h = static_cast<int>(st.range(1));
    Frame fr(w, h);
    for (auto _ : st) {
        for (int y = 0; y < h; y++) {
            std::memset(fr.mem.data() + static_cast<size_t>(y) * w, 0x5A, w);
            benchmark::ClobberMemory();
        }
    }
    bytes_done(st, w, h);
}

void BM_XorLoopRows(benchmark::State &st)
{
    const int w = static_cast<int>(st.range(0)), h = static_cast<int>(st.range(1));
    Frame fr(w, h);
    for (auto _ : st) {
        for (int y = 0; y < h; y++) {
            unsigned char *p = fr.mem.data() + static_cast<size_t>(y) * w;
            for (int i = 0; i < w; i++)
                p[i] ^= 0x5A;
            benchmark::ClobberMemory();
        }
    }
    bytes_done(st, w, h);
}

// 1000-pixel lines in all eight octants through a 1200x1200 frame.
void BM_DrawLine(benchmark::State &st)
{
    Frame fr(1200, 1200);
    static const int dirs[8][2] = {{999, 300}, {300, 999}, {-300, 999}, {-999, 300},
                                   {-999, -300}, {-300, -999}, {300, -999}, {999, -300}};
    for (auto _ : st) {
        for (const auto &d : dirs)
            _GrFrameDriverRAM8.drawline(600 - d[0] / 2, 600 - d[1] / 2, d[0], d[1],
                                        GR_WRITE | 7);
        benchmark::ClobberMemory();
    }
    st.SetItemsProcessed(static_cast<int64_t>(st.iterations()) * 8 * 1000);
    st.counters["Mpixel/s"] = benchmark::Counter(
        static_cast<double>(st.iterations()) * 8 * 1000 / 1e6, benchmark::Counter::kIsRate);
}

void sizes(benchmark::internal::Benchmark *b)
{
    b->Args({640, 480})->Args({1280, 1024});
}

}  // namespace

BENCHMARK(BM_Memset)->Apply(sizes);
BENCHMARK_CAPTURE(BM_DrawHline, write, GR_WRITE)->Apply(sizes);
BENCHMARK_CAPTURE(BM_DrawBlock, write, GR_WRITE)->Apply(sizes);
BENCHMARK(BM_MemsetRows)->Apply(sizes);
BENCHMARK(BM_XorLoop)->Apply(sizes);
BENCHMARK(BM_XorLoopRows)->Apply(sizes);
BENCHMARK_CAPTURE(BM_DrawHline, xor, GR_XOR)->Apply(sizes);
BENCHMARK_CAPTURE(BM_DrawBlock, xor, GR_XOR)->Apply(sizes);
BENCHMARK(BM_DrawLine);

BENCHMARK_MAIN();
