// Filled ellipses and polygons in Mpixel/s of filled area, each beside
// memset of the same runs of pixels of the same frame, row by row; dashed
// and wide lines.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "libpxl.h"

namespace {

const int W = 640, H = 640;

void set_mode()
{
    GrSetDriver("memory");
    GrSetMode(GR_mode_graphics_size_bpp, W, H, 8);
}

struct Span {
    int y, x1, x2;
};

// The runs of pixels a shape covered, row by row, read back from a cleared
// screen: the reference fills exactly these.
std::vector<Span> spans_of(void (*draw)(int r, GrColor c), int r, int64_t *area)
{
    GrClearScreen(0);
    draw(r, 1);
    std::vector<Span> s;
    *area = 0;
    const GrFrame &f = GrContextInfo->screen.gc_frame;
    for (int y = 0; y < H; y++) {
        const unsigned char *row = f.gf_baseaddr[0] + static_cast<size_t>(y) * f.gf_lineoffset;
        for (int x = 0; x < W; x++) {
            if (!row[x])
                continue;
            const int x1 = x;
            while (x + 1 < W && row[x + 1])
                x++;
            s.push_back({y, x1, x});
            *area += x - x1 + 1;
        }
    }
    return s;
}

void ellipse(int r, GrColor c) { GrFilledEllipse(W / 2, H / 2, r, r * 3 / 4, c); }

// a regular polygon, or a star (alternate radii: up to four crossings a
// line and more), made once per benchmark
std::vector<int> g_points;
void make_polygon(int r, int vertices, bool star)
{
    g_points.assign(2 * static_cast<size_t>(vertices), 0);
    for (int i = 0; i < vertices; i++) {
        const double a = 2 * M_PI * i / vertices, rr = star && i % 2 ? r * 0.7 : r;
        g_points[2 * i] = W / 2 + static_cast<int>(rr * std::cos(a));
        g_points[2 * i + 1] = H / 2 + static_cast<int>(rr * std::sin(a));
    }
}
void polygon(int, GrColor c)
{
    GrFilledPolygon(static_cast<int>(g_points.size() / 2),
                    reinterpret_cast<const int(*)[2]>(g_points.data()), c);
}

void report(benchmark::State &st, int64_t area)
{
    st.counters["Mpixel/s"] = benchmark::Counter(
        static_cast<double>(area) * st.iterations() / 1e6, benchmark::Counter::kIsRate);
}

void run_shape(benchmark::State &st, void (*draw)(int, GrColor), bool reference)
{
    set_mode();
    const int r = static_cast<int>(st.range(0));
    int64_t area;
    const std::vector<Span> spans = spans_of(draw, r, &area);
    const GrFrame &f = GrContextInfo->screen.gc_frame;
    GrColor c = 0;
    for (auto _ : st) {
        c = (c + 1) & 0xFF;
        if (reference) {
            for (const Span &s : spans)
                memset(f.gf_baseaddr[0] + static_cast<size_t>(s.y) * f.gf_lineoffset + s.x1,
                       static_cast<int>(c), static_cast<size_t>(s.x2 - s.x1 + 1));
        } else {
            draw(r, c);
        }
        benchmark::ClobberMemory();
    }
    report(st, area);
}

void BM_FilledEllipse(benchmark::State &st) { run_shape(st, ellipse, false); }
void BM_FilledEllipseMemset(benchmark::State &st) { run_shape(st, ellipse, true); }

void BM_FilledPolygon(benchmark::State &st)
{
    make_polygon(static_cast<int>(st.range(0)), static_cast<int>(st.range(1)), st.range(2) != 0);
    run_shape(st, polygon, false);
}
void BM_FilledPolygonMemset(benchmark::State &st)
{
    make_polygon(static_cast<int>(st.range(0)), static_cast<int>(st.range(1)), st.range(2) != 0);
    run_shape(st, polygon, true);
}

// 1000 random lines of about 200 pixels in a custom style.
void run_lines(benchmark::State &st, const GrCustomLineStyle &o)
{
    set_mode();
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> p(100, 540), d(-100, 100);
    struct L { int x1, y1, x2, y2; };
    std::vector<L> lines(1000);
    int64_t pixels = 0;
    for (L &l : lines) {
        l.x1 = p(rng);
        l.y1 = p(rng);
        l.x2 = l.x1 + d(rng);
        l.y2 = l.y1 + d(rng);
        pixels += std::max(std::abs(l.x2 - l.x1), std::abs(l.y2 - l.y1)) + 1;
    }
    for (auto _ : st) {
        for (const L &l : lines)
            GrCustomLine(l.x1, l.y1, l.x2, l.y2, &o);
        benchmark::ClobberMemory();
    }
    // pixels along the lines: the length walked, not the band's area
    report(st, pixels);
}

const unsigned char kDash[] = {6, 3};
void BM_DashedLine(benchmark::State &st) { run_lines(st, {7, 1, 2, kDash}); }
void BM_WideLine3(benchmark::State &st) { run_lines(st, {7, 3, 0, nullptr}); }
void BM_WideLine9(benchmark::State &st) { run_lines(st, {7, 9, 0, nullptr}); }
void BM_WideDashedLine9(benchmark::State &st) { run_lines(st, {7, 9, 2, kDash}); }

void radii(benchmark::internal::Benchmark *b)
{
    for (int r : {8, 32, 128, 256})
        b->Arg(r);
}
void radii_vertices(benchmark::internal::Benchmark *b)
{
    for (int r : {8, 32, 128, 256})
        for (int n : {10, 40})
            for (int star : {0, 1})
                b->Args({r, n, star});
    b->ArgNames({"r", "n", "star"});
}

}  // namespace

BENCHMARK(BM_FilledEllipse)->Apply(radii);
BENCHMARK(BM_FilledEllipseMemset)->Apply(radii);
BENCHMARK(BM_FilledPolygon)->Apply(radii_vertices);
BENCHMARK(BM_FilledPolygonMemset)->Apply(radii_vertices);
BENCHMARK(BM_DashedLine);
BENCHMARK(BM_WideLine3);
BENCHMARK(BM_WideLine9);
BENCHMARK(BM_WideDashedLine9);

BENCHMARK_MAIN();
