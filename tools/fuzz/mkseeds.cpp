// Writes the seed corpus of the font file fuzzers: small files of every
// format, into DIR/<driver>/.
#include <sys/stat.h>

#include <string>

#include "fontgen.h"

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    std::string dir = argv[1];
    fgen::Font fixed, prop;
    fixed.minchar = prop.minchar = 60;
    fixed.maxchar = prop.maxchar = 70;
    fixed.width = 6;
    fixed.height = 9;
    prop.height = 7;
    prop.widths = {3, 9, 12, 1, 5, 8, 17, 2, 6, 7, 4};
    std::string fixedfna = fgen::fna(fixed), propfna = fgen::fna(prop, "note seed\n");
    const struct {
        const char *drv, *file;
        fgen::Bytes data;
    } seeds[] = {
        {"pxl", "fixed", fgen::fnt(fixed)},
        {"pxl", "prop", fgen::fnt(prop)},
        {"bgi", "strokes", fgen::chr(fgen::strokes(12, 60))},
        {"raw", "psf1", fgen::psf1(6)},
        {"raw", "psf2", fgen::psf2(20, 11, 5, 32, true)},
        {"raw", "raw8", fgen::raw(8, 8)},
        {"fna", "fixed", fgen::Bytes(fixedfna.begin(), fixedfna.end())},
        {"fna", "prop", fgen::Bytes(propfna.begin(), propfna.end())},
        {"win", "fixed", fgen::win(fixed, false, 0x31, false)},
        {"win", "prop", fgen::win(prop, true)},
    };
    for (const auto &s : seeds) {
        mkdir((dir + "/" + s.drv).c_str(), 0755);
        if (!fgen::save(dir + "/" + s.drv + "/" + s.file, s.data))
            return 1;
    }
    return 0;
}
