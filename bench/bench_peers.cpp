// The library beside cairo (image surface, antialiasing off) and SDL2_gfx
// (software renderer on an SDL surface), all drawing the same shapes into
// 640x480 surfaces of 32 bits a pixel, in one run. Each benchmark draws a
// fixed list of shapes; the table at the end gives peer time / our time per
// row (above 1: we are faster).
#include <SDL2/SDL.h>
#include <SDL2/SDL2_gfxPrimitives.h>
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "libpxl.h"
#include "line80.h"

namespace {

const int W = 640, H = 480;
const unsigned char R = 255, G = 128, B = 64;  // every shape's colour

// ---------------------------------------------------------------- shapes

struct Box { int x, y, w, h; };
struct Seg { int x1, y1, x2, y2; };
struct Poly { std::vector<int> xy; };  // x0, y0, x1, y1, ...

std::mt19937 &rng()
{
    static std::mt19937 r(20240615);
    return r;
}
int any(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng()); }

const std::vector<Box> &boxes()
{
    static const std::vector<Box> v = [] {
        std::vector<Box> b(100);
        for (Box &e : b) {
            e.w = any(10, 200), e.h = any(10, 200);
            e.x = any(0, W - e.w), e.y = any(0, H - e.h);
        }
        return b;
    }();
    return v;
}

const std::vector<Seg> &segs()
{
    static const std::vector<Seg> v = [] {
        std::vector<Seg> s(1000);
        for (Seg &e : s)
            e = {any(0, W - 1), any(0, H - 1), any(0, W - 1), any(0, H - 1)};
        return s;
    }();
    return v;
}

// 100 centres that keep a shape of radius r inside the surface
std::vector<std::pair<int, int>> centres(int r)
{
    std::vector<std::pair<int, int>> c(100);
    for (auto &e : c)
        e = {any(r, W - 1 - r), any(r, H - 1 - r)};
    return c;
}

// 100 regular polygons, or stars (every other point at 0.7 of the radius)
std::vector<Poly> polys(int points, bool star, int r)
{
    std::vector<Poly> v;
    for (auto c : centres(r)) {
        Poly p;
        for (int i = 0; i < points; i++) {
            const double a = 2 * M_PI * i / points, rr = star && i % 2 ? 0.7 * r : r;
            p.xy.push_back(c.first + static_cast<int>(std::lround(rr * std::cos(a))));
            p.xy.push_back(c.second + static_cast<int>(std::lround(rr * std::sin(a))));
        }
        v.push_back(p);
    }
    return v;
}

const int kStrings = 30;  // one a 16-pixel line

// ---------------------------------------------------------------- painters

// Each library: a surface made once, and the shapes drawn with its calls.
struct Painter {
    virtual ~Painter() = default;
    virtual void boxes(const std::vector<Box> &) = 0;
    virtual void lines(const std::vector<Seg> &) = 0;
    virtual void circles(const std::vector<std::pair<int, int>> &, int r) = 0;
    virtual void polygons(const std::vector<Poly> &) = 0;
    virtual void strings() = 0;
    virtual void clear() = 0;
};

struct Ours : Painter {
    GrContext *ctx;
    GrColor c = static_cast<GrColor>(R) << 16 | G << 8 | B;
    GrTextStyle text{};
    Ours()
    {
        GrSetDriver("memory");
        GrSetMode(GR_mode_graphics_size_bpp, W, H, 8);
        ctx = GrCreateFrameContext(GR_frameRAM32L, W, H, nullptr, nullptr);
        GrSetContext(ctx);
        text.font = &GrFont_PC8x16;
        text.fgcolor.v = c;
        text.bgcolor.v = GR_NOCOLOR;
    }
    ~Ours() override
    {
        GrSetContext(nullptr);
        GrDestroyContext(ctx);
    }
    void boxes(const std::vector<Box> &v) override
    {
        for (const Box &b : v)
            GrFilledBox(b.x, b.y, b.x + b.w - 1, b.y + b.h - 1, c);
    }
    void lines(const std::vector<Seg> &v) override
    {
        for (const Seg &s : v)
            GrLine(s.x1, s.y1, s.x2, s.y2, c);
    }
    void circles(const std::vector<std::pair<int, int>> &v, int r) override
    {
        for (auto p : v)
            GrFilledCircle(p.first, p.second, r, c);
    }
    void polygons(const std::vector<Poly> &v) override
    {
        for (const Poly &p : v)
            GrFilledPolygon(static_cast<int>(p.xy.size() / 2),
                            reinterpret_cast<const int(*)[2]>(p.xy.data()), c);
    }
    void strings() override
    {
        for (int i = 0; i < kStrings; i++)
            GrDrawString(line80().data(), 80, 0, 16 * i, &text);
    }
    void clear() override { GrClearContext(0); }
};

struct Cairo : Painter {
    cairo_surface_t *s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, W, H);
    cairo_t *cr = cairo_create(s);
    std::vector<cairo_glyph_t> glyphs;  // one string, laid out once
    Cairo()
    {
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_set_line_width(cr, 1);
        cairo_set_source_rgb(cr, R / 255.0, G / 255.0, B / 255.0);
        // a monospaced face with an 8-pixel advance, about 16 pixels a line
        cairo_select_font_face(cr, "monospace", CAIRO_FONT_SLANT_NORMAL,
                               CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, 13.3);
        cairo_font_options_t *o = cairo_font_options_create();
        cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_NONE);
        cairo_set_font_options(cr, o);
        cairo_font_options_destroy(o);
        cairo_glyph_t *g = nullptr;
        int n = 0;
        cairo_scaled_font_text_to_glyphs(cairo_get_scaled_font(cr), 0, 12, line80().data(), 80,
                                         &g, &n, nullptr, nullptr, nullptr);
        glyphs.assign(g, g + n);
        cairo_glyph_free(g);
    }
    ~Cairo() override
    {
        cairo_destroy(cr);
        cairo_surface_destroy(s);
    }
    void boxes(const std::vector<Box> &v) override
    {
        for (const Box &b : v) {
            cairo_rectangle(cr, b.x, b.y, b.w, b.h);
            cairo_fill(cr);
        }
    }
    void lines(const std::vector<Seg> &v) override
    {
        for (const Seg &l : v) {  // through pixel centres
            cairo_move_to(cr, l.x1 + 0.5, l.y1 + 0.5);
            cairo_line_to(cr, l.x2 + 0.5, l.y2 + 0.5);
            cairo_stroke(cr);
        }
    }
    void circles(const std::vector<std::pair<int, int>> &v, int r) override
    {
        for (auto p : v) {
            cairo_arc(cr, p.first + 0.5, p.second + 0.5, r + 0.5, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    }
    void polygons(const std::vector<Poly> &v) override
    {
        for (const Poly &p : v) {
            cairo_move_to(cr, p.xy[0] + 0.5, p.xy[1] + 0.5);
            for (size_t i = 2; i < p.xy.size(); i += 2)
                cairo_line_to(cr, p.xy[i] + 0.5, p.xy[i + 1] + 0.5);
            cairo_close_path(cr);
            cairo_fill(cr);
        }
    }
    void strings() override
    {
        std::vector<cairo_glyph_t> g = glyphs;
        for (int i = 0; i < kStrings; i++) {
            for (size_t k = 0; k < g.size(); k++)
                g[k].y = glyphs[k].y + 16 * i;
            cairo_show_glyphs(cr, g.data(), static_cast<int>(g.size()));
        }
    }
    void clear() override
    {
        cairo_save(cr);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    }
};

struct Sdl : Painter {
    SDL_Surface *s = SDL_CreateRGBSurfaceWithFormat(0, W, H, 32, SDL_PIXELFORMAT_XRGB8888);
    SDL_Renderer *r = SDL_CreateSoftwareRenderer(s);
    ~Sdl() override
    {
        SDL_DestroyRenderer(r);
        SDL_FreeSurface(s);
    }
    void boxes(const std::vector<Box> &v) override
    {
        for (const Box &b : v)
            boxRGBA(r, static_cast<Sint16>(b.x), static_cast<Sint16>(b.y),
                    static_cast<Sint16>(b.x + b.w - 1), static_cast<Sint16>(b.y + b.h - 1), R, G,
                    B, 255);
    }
    void lines(const std::vector<Seg> &v) override
    {
        for (const Seg &l : v)
            lineRGBA(r, static_cast<Sint16>(l.x1), static_cast<Sint16>(l.y1),
                     static_cast<Sint16>(l.x2), static_cast<Sint16>(l.y2), R, G, B, 255);
    }
    void circles(const std::vector<std::pair<int, int>> &v, int rad) override
    {
        for (auto p : v)
            filledCircleRGBA(r, static_cast<Sint16>(p.first), static_cast<Sint16>(p.second),
                             static_cast<Sint16>(rad), R, G, B, 255);
    }
    void polygons(const std::vector<Poly> &v) override
    {
        for (const Poly &p : v) {
            const size_t n = p.xy.size() / 2;
            std::vector<Sint16> x(n), y(n);
            for (size_t i = 0; i < n; i++)
                x[i] = static_cast<Sint16>(p.xy[2 * i]), y[i] = static_cast<Sint16>(p.xy[2 * i + 1]);
            filledPolygonRGBA(r, x.data(), y.data(), static_cast<int>(n), R, G, B, 255);
        }
    }
    void strings() override
    {
        for (int i = 0; i < kStrings; i++)
            stringRGBA(r, 0, static_cast<Sint16>(16 * i), line80().c_str(), R, G, B, 255);
    }
    void clear() override
    {
        SDL_FillRect(s, nullptr, 0);
    }
};

// ---------------------------------------------------------------- runs

// A row of the table: what each iteration draws, and how many shapes.
struct Row {
    std::string name;
    int shapes;
    std::function<void(Painter &)> draw;
};

std::vector<Row> rows()
{
    std::vector<Row> v;
    v.push_back({"filled boxes", 100, [](Painter &p) { p.boxes(boxes()); }});
    v.push_back({"1000 random lines", 1000, [](Painter &p) { p.lines(segs()); }});
    for (int r : {8, 32, 128}) {
        const auto c = centres(r);
        v.push_back({"filled circles r=" + std::to_string(r), 100,
                     [c, r](Painter &p) { p.circles(c, r); }});
    }
    const auto p10 = polys(10, false, 32), s40 = polys(40, true, 32);
    v.push_back({"10-point polygons r=32", 100, [p10](Painter &p) { p.polygons(p10); }});
    v.push_back({"40-point stars r=32", 100, [s40](Painter &p) { p.polygons(s40); }});
    v.push_back({"80-char strings", kStrings, [](Painter &p) { p.strings(); }});
    return v;
}

const char *const kLibs[] = {"ours", "cairo", "SDL2_gfx"};

Painter *painter(int lib)
{
    static Ours ours;
    static Cairo cairo;
    static Sdl sdl;
    Painter *const p[] = {&ours, &cairo, &sdl};
    return p[lib];
}

// Collects the median (or only) time of each run and prints the ratios.
class Table : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &r : runs)
            if (r.aggregate_name.empty() || r.aggregate_name == "median")
                ns_[r.run_name.function_name] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-26s %12s %10s %10s\n", "peer time / our time", "ours (us)", "cairo",
                    "SDL2_gfx");
        for (const Row &row : rows()) {
            const auto ours = ns_.find(row.name + "/ours");
            if (ours == ns_.end())
                continue;
            std::printf("%-26s %12.1f", row.name.c_str(), ours->second);
            for (const char *lib : {"cairo", "SDL2_gfx"}) {
                const auto t = ns_.find(row.name + "/" + lib);
                if (t != ns_.end())
                    std::printf(" %10.2f", t->second / ours->second);
                else
                    std::printf(" %10s", "-");
            }
            std::printf("\n");
        }
    }

private:
    std::map<std::string, double> ns_;
};

}  // namespace

int main(int argc, char **argv)
{
    for (const Row &row : rows())
        for (int lib = 0; lib < 3; lib++)
            benchmark::RegisterBenchmark((row.name + "/" + kLibs[lib]).c_str(),
                                         [row, lib](benchmark::State &st) {
                                             Painter &p = *painter(lib);
                                             p.clear();
                                             for (auto _ : st) {
                                                 row.draw(p);
                                                 benchmark::ClobberMemory();
                                             }
                                             st.SetItemsProcessed(st.iterations() * row.shapes);
                                         })
                ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    Table table;
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    return 0;
}
