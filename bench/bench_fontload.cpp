// Loading a font file of each format through the loader: a representative
// generated file per format, from the name to the built font.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "fontgen.h"
#include "libpxl.h"

namespace {

// The files live in a directory of their own for the whole run.
struct Files {
    std::string dir = "/tmp/pxl-bench-fonts-" + std::to_string(getpid());
    Files()
    {
        fgen::Font f;  // 8 x 16, codes 32..126
        fgen::Font all = f, prop = f;
        all.minchar = 0;
        all.maxchar = 255;
        for (int c = 32; c <= 126; c++)
            prop.widths.push_back(4 + c % 9);
        std::filesystem::create_directories(dir);
        fgen::save(dir + "/fixed.fnt", fgen::fnt(f));
        fgen::save(dir + "/prop.fnt", fgen::fnt(prop));
        fgen::save(dir + "/strokes.chr", fgen::chr(fgen::strokes(95)));
        fgen::save(dir + "/vga.psf", fgen::psf1(16));
        fgen::save(dir + "/big.psf", fgen::psf2(256, 16, 32));
        fgen::save(dir + "/text.fna", fgen::fna(f));
        fgen::save(dir + "/win.res", fgen::win(all, true));
    }
    ~Files() { std::filesystem::remove_all(dir); }
};
const Files files;

void load(benchmark::State &state, const char *name, int cvt, int w, int h)
{
    std::string path = files.dir + "/" + name;
    for (auto _ : state) {
        GrFont *f = GrLoadConvertedFont(path.c_str(), cvt, w, h, 0, 0);
        if (f == nullptr) {
            state.SkipWithError("font not loaded");
            break;
        }
        GrUnloadFont(f);
    }
}

}  // namespace

BENCHMARK_CAPTURE(load, fnt_fixed_8x16_95, "fixed.fnt", 0, 0, 0);
BENCHMARK_CAPTURE(load, fnt_proportional_95, "prop.fnt", 0, 0, 0);
BENCHMARK_CAPTURE(load, chr_95_native, "strokes.chr", 0, 0, 0);
BENCHMARK_CAPTURE(load, chr_95_at_16x32, "strokes.chr", GR_FONTCVT_SCALE, 16, 32);
BENCHMARK_CAPTURE(load, psf1_8x16_256, "vga.psf", 0, 0, 0);
BENCHMARK_CAPTURE(load, psf2_16x32_256, "big.psf", 0, 0, 0);
BENCHMARK_CAPTURE(load, fna_8x16_95, "text.fna", 0, 0, 0);
BENCHMARK_CAPTURE(load, win_res_8x16_256, "win.res", 0, 0, 0);

BENCHMARK_MAIN();
