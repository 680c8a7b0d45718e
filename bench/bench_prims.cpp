// Primitives through the whole stack (clipping, guard, frame driver) and
// PNG export, each beside the plain work of the same size in the same run.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "card.h"
#include "libpxl.h"

namespace {

void set_mode(int w, int h)
{
    GrSetDriver("memory");
    GrSetMode(GR_mode_graphics_size_bpp, w, h, 8);
}

void BM_GrFilledBox(benchmark::State &st)
{
    const int w = static_cast<int>(st.range(0)), h = static_cast<int>(st.range(1));
    set_mode(w, h);
    GrColor c = 0;
    for (auto _ : st) {
        GrFilledBox(0, 0, w - 1, h - 1, ++c & 0xFF);
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) * w * h);
}

// memset of the screen's own bytes
void BM_MemsetScreen(benchmark::State &st)
{
    const int w = static_cast<int>(st.range(0)), h = static_cast<int>(st.range(1));
    set_mode(w, h);
    unsigned char *p = GrContextInfo->screen.gc_frame.gf_baseaddr[0];
    const size_t n = static_cast<size_t>(GrContextInfo->screen.gc_frame.gf_lineoffset) * h;
    int c = 0;
    for (auto _ : st) {
        memset(p, ++c, n);
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) * w * h);
}

// 10,000 random lines on 640 x 480, half of them partly outside.
void BM_GrLineRandom(benchmark::State &st)
{
    set_mode(640, 480);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> in_x(0, 639), in_y(0, 479), out(-400, 1100);
    struct L { int x1, y1, x2, y2; };
    std::vector<L> lines(10000);
    int64_t pixels = 0;
    for (size_t i = 0; i < lines.size(); i++) {
        L &l = lines[i];
        l = {in_x(rng), in_y(rng), in_x(rng), in_y(rng)};
        if (i % 2)
            l.x2 = out(rng), l.y2 = out(rng);
        // pixels drawn: the clipped line's major length + 1
        int x1 = l.x1, y1 = l.y1, x2 = l.x2, y2 = l.y2;
        if (_GrClipLine(&_GrContextInfo.current, &x1, &y1, &x2, &y2))
            pixels += std::max(std::abs(x2 - x1), std::abs(y2 - y1)) + 1;
    }
    for (auto _ : st) {
        GrColor c = 0;
        for (const L &l : lines)
            GrLine(l.x1, l.y1, l.x2, l.y2, ++c & 0xFF);
        benchmark::ClobberMemory();
    }
    st.counters["Mpixel/s"] = benchmark::Counter(
        static_cast<double>(pixels) * st.iterations() / 1e6, benchmark::Counter::kIsRate);
}

void BM_SaveContextToPng(benchmark::State &st)
{
    const int w = static_cast<int>(st.range(0)), h = static_cast<int>(st.range(1));
    testcard_draw(w, h, 8);
    const char *path = "/tmp/pxl-bench.png";
    for (auto _ : st)
        if (GrSaveContextToPng(nullptr, path) != 0)
            st.SkipWithError("export failed");
    remove(path);
}

// libpng alone: the same rows (already RGB), the same settings.
void BM_DirectLibpng(benchmark::State &st)
{
    const int w = static_cast<int>(st.range(0)), h = static_cast<int>(st.range(1));
    testcard_draw(w, h, 8);
    std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; y++) {
        const GrColor *row = GrGetScanline(0, w - 1, y);
        for (int x = 0; x < w; x++) {
            int r, g, b;
            GrQueryColor(row[x], &r, &g, &b);
            unsigned char *p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            p[0] = static_cast<unsigned char>(r);
            p[1] = static_cast<unsigned char>(g);
            p[2] = static_cast<unsigned char>(b);
        }
    }
    const char *path = "/tmp/pxl-bench-direct.png";
    for (auto _ : st) {
        FILE *fp = fopen(path, "wb");
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) {
            st.SkipWithError("libpng failed");
            break;
        }
        png_init_io(png, fp);
        png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < h; y++) {
            png_bytep row = &rgb[static_cast<size_t>(y) * w * 3];
            png_write_rows(png, &row, 1);
        }
        png_write_end(png, info);
        png_destroy_write_struct(&png, &info);
        fclose(fp);
    }
    remove(path);
}

void sizes(benchmark::internal::Benchmark *b)
{
    b->Args({640, 480})->Args({1280, 1024});
}

}  // namespace

BENCHMARK(BM_MemsetScreen)->Apply(sizes);
BENCHMARK(BM_GrFilledBox)->Apply(sizes);
BENCHMARK(BM_GrLineRandom);
BENCHMARK(BM_DirectLibpng)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveContextToPng)->Apply(sizes)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
