// Font loading, the font path and the five font file formats: files made
// here from their layouts, malformed ones of every kind, and real PSF
// console fonts when they can be fetched.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "fontgen.h"
#include "libpxl.h"
#include "portable.h"

namespace {

namespace fs = std::filesystem;
using fgen::Bytes;
using Drv = _GR_fontDriver;

struct FontFree {
    void operator()(GrFont *f) const { GrUnloadFont(f); }
};
using FontPtr = std::unique_ptr<GrFont, FontFree>;

FontPtr load(const std::string &name, int cvt = 0, int w = 0, int h = 0)
{
    return FontPtr(GrLoadConvertedFont(name.c_str(), cvt, w, h, 0, 0));
}

void forget_path()
{
    free(_GrFontFileInfo.path);
    _GrFontFileInfo.path = nullptr;
    _GrFontFileInfo.npath = -1;
}

std::vector<std::string> path_dirs()
{
    return std::vector<std::string>(_GrFontFileInfo.path,
                                    _GrFontFileInfo.path + std::max(0, _GrFontFileInfo.npath));
}

// Directories as the font path keeps them: lower-cased where file names
// fold (Windows).
std::vector<std::string> as_kept(std::vector<std::string> dirs)
{
    if (_GR_FONTNAME_FOLD)
        for (std::string &d : dirs)
            std::transform(d.begin(), d.end(), d.begin(),
                           [](unsigned char c) { return (char)tolower(c); });
    return dirs;
}

// What a driver makes of a file: openfile and header, as the loader does.
struct Probe {
    bool open = false, ok = false;
    _GR_fontHeader h{};
    std::string name, family;
};
Probe probe(const Drv &d, const std::string &file)
{
    Probe p;
    char name[100] = "", family[100] = "";
    p.h.name = name;
    p.h.family = family;
    p.open = d.openfile(file.c_str()) != 0;
    p.ok = p.open && d.header(&p.h) != 0;
    d.cleanup();
    p.name = name;
    p.family = family;
    p.h.name = p.h.family = nullptr;
    return p;
}

// Everything the loader could ask of every driver about a file; only
// memory errors (under the sanitizers) and hangs can fail here.
void hammer(const std::string &file)
{
    std::vector<char> buf(1 << 16);
    for (const Drv *const *dp = _GrFontDriverTable; *dp != nullptr; dp++) {
        char name[100], family[100];
        _GR_fontHeader h{};
        h.name = name;
        h.family = family;
        if ((*dp)->openfile(file.c_str()) && (*dp)->header(&h))
            for (unsigned i = 0; i < h.numchars && i < 300; i++) {
                int c = (int)(h.minchar + i), w = (*dp)->charwdt(c);
                if (w > 0 && (size_t)((w + 7) / 8) * h.height <= buf.size())
                    (*dp)->bitmap(c, w, (int)h.height, buf.data());
                if ((*dp)->scalable)
                    (*dp)->bitmap(c, 3, 5, buf.data());
            }
        (*dp)->cleanup();
    }
    GrUnloadFont(GrLoadFont(file.c_str()));
    GrUnloadFont(GrLoadConvertedFont(file.c_str(), GR_FONTCVT_SCALE | GR_FONTCVT_SLANT, 7, 9, 0, 0));
}

// Every generated glyph of f is in g, at the font's own size.
void expect_glyphs(const GrFont *g, const fgen::Font &f)
{
    ASSERT_NE(g, nullptr);
    ASSERT_EQ(g->h.minchar, (unsigned)f.minchar);
    ASSERT_EQ(g->h.numchars, (unsigned)(f.maxchar - f.minchar + 1));
    EXPECT_EQ(g->h.height, (unsigned)f.height);
    EXPECT_EQ(g->h.proportional != 0, !f.fixed());
    for (int c = f.minchar; c <= f.maxchar; c++) {
        const _GR_fontChrInfo &ci = g->chrinfo[c - f.minchar];
        ASSERT_EQ(ci.width, (unsigned)f.w(c)) << "code " << c;
        Bytes want = fgen::rows(f, c);
        ASSERT_EQ(memcmp(g->bitmap + ci.offset, want.data(), want.size()), 0) << "code " << c;
    }
}

Bytes with16(Bytes b, size_t at, unsigned v) { return fgen::put16(b, at, v), b; }
Bytes with8(Bytes b, size_t at, unsigned v) { return fgen::put8(b, at, v), b; }
Bytes with32(Bytes b, size_t at, uint32_t v) { return fgen::put32(b, at, v), b; }
Bytes cut(Bytes b, size_t n) { return b.resize(n), b; }
Bytes text(const std::string &s) { return Bytes(s.begin(), s.end()); }
std::string edit(std::string s, const std::string &from, const std::string &to)
{
    return s.replace(s.find(from), from.size(), to);
}

// Codes 65..67, 5 rows: fixed 10 wide, or 3, 9 and 12 wide.
fgen::Font small(bool fixed)
{
    fgen::Font f;
    f.minchar = 65;
    f.maxchar = 67;
    f.width = 10;
    f.height = 5;
    if (!fixed)
        f.widths = {3, 9, 12};
    return f;
}

fgen::StrokeFont bar_font()  // one character: a line from (2, 0) to (2, 10)
{
    fgen::StrokeFont f;
    f.chars = {{{'M', 2, 0}, {'L', 2, 10}}};
    f.widths = {4};
    return f;
}

// The stroke font with its descriptive text running up to a 0x1A at k.
Bytes text_ends_at(size_t k)
{
    Bytes b = fgen::chr(bar_font());
    std::fill(b.begin() + 4, b.begin() + 128, 0);
    std::fill(b.begin() + 4, b.begin() + (long)k, 'x');
    b[k] = 0x1A;
    return with16(b, k + 1, 128);
}

// Every test runs in a fresh directory of its own, with no font path.
class FontFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        // lower case: the loader lowers names and the font path
        static int serial = 0;
        dir = fs::path(::testing::TempDir()).generic_string() + "pxlfont-" +
              std::to_string(getpid()) + "-" + std::to_string(serial++);
        std::transform(dir.begin(), dir.end(), dir.begin(),
                       [](unsigned char c) { return (char)tolower(c); });
        fs::remove_all(dir);
        ASSERT_TRUE(fs::create_directory(dir));
        home = fs::current_path();
        fs::current_path(dir);
        forget_path();
        unsetenv("PXLFONT");
    }
    void TearDown() override
    {
        fs::current_path(home);
        fs::remove_all(dir);
        forget_path();
        unsetenv("PXLFONT");
    }
    std::string dir;
    fs::path home;
};

// ------------------------------------------------------------ path and loader

TEST_F(FontFiles, FontPath)
{
    std::string fits(206, 'a'), fits2 = std::string(206, 'b') + "/", over(207, 'c'), many;
    for (int i = 0; i < 150; i++)
        many += "d" + std::to_string(i) + ";";
    const struct {
        std::string text;
        std::vector<std::string> dirs;
    } cases[] = {
        {"c:\\pxl\\fonts; d:/more", {"c:/pxl/fonts/", "d:/more/"}},
        {"a:b", {"a:b/"}},
        {"ab:c", {"ab/", "c/"}},
        {"One/Two/\tthree", {"One/Two/", "three/"}},  // as given where case matters
        {";; \t:", {}},
        {"/x:y;z\\", {"/x/", "y/", "z/"}},
        // 206 characters and the added '/' fit the 208-byte entry; more are dropped
        {fits + ";" + over + ";" + fits2 + ";" + over + "/;e", {fits + "/", fits2, "e/"}},
        {std::string(5000, 'x'), {}},
    };
    for (const auto &c : cases) {
        GrSetFontPath(c.text.c_str());
        EXPECT_EQ(path_dirs(), as_kept(c.dirs)) << c.text;
    }
    GrSetFontPath(many.c_str());
    ASSERT_EQ(_GrFontFileInfo.npath, 100);
    EXPECT_STREQ(_GrFontFileInfo.path[99], "d99/");
    GrSetFontPath("");
    GrSetFontPath(nullptr);
    EXPECT_EQ(_GrFontFileInfo.npath, 100);
    GrSetFontPath(_GrFontFileInfo.path[99]);  // text inside the old path
    EXPECT_EQ(path_dirs(), std::vector<std::string>({"d99/"}));
}

TEST_F(FontFiles, PathFromEnvironment)
{
    fs::create_directories("one");
    fs::create_directories("two");
    ASSERT_TRUE(fgen::save("two/font.fnt", fgen::fnt(small(true))));
    EXPECT_EQ(load("font"), nullptr);  // PXLFONT unset: still no path
    EXPECT_EQ(_GrFontFileInfo.npath, -1);
    setenv("PXLFONT", (dir + "/one;" + dir + "/two").c_str(), 1);
    expect_glyphs(load("font").get(), small(true));
    setenv("PXLFONT", "elsewhere", 1);  // read once only
    EXPECT_NE(load("font"), nullptr);
    EXPECT_EQ(path_dirs(), std::vector<std::string>({dir + "/one/", dir + "/two/"}));
}

TEST_F(FontFiles, Names)
{
    ASSERT_TRUE(fgen::save("myfont.fnt", fgen::fnt(small(true))));
    expect_glyphs(load("  MyFont.FNT extra").get(), small(true));
    expect_glyphs(load("\tMYFONT").get(), small(true));  // with the driver's extension
    for (const std::string &bad : {std::string(), std::string(215, 'q'), std::string(216, 'q'),
                                   std::string(100000, 'q')})
        EXPECT_EQ(load(bad), nullptr);  // long names: not found, no overrun
    EXPECT_EQ(GrLoadFont(nullptr), nullptr);

    // absolute names: only the place named is tried, never the path
#ifdef _WIN32
    // a real drive: the scratch directory's, spelt the DOS way
    std::string named = dir + "/Fonts/";
    std::replace(named.begin(), named.end(), '/', '\\');
    named[0] = (char)toupper((unsigned char)named[0]);
    const std::string placed = "fonts";
#else
    const std::string named = "c:\\Fonts\\", placed = "c:/fonts";
#endif
    fs::create_directories(placed);
    fs::create_directories("p/" + placed);  // where a search of the path would look
    ASSERT_TRUE(fgen::save(placed + "/x.chr", fgen::chr(fgen::strokes(4))));
    ASSERT_TRUE(fgen::save("p/" + placed + "/y.fnt", fgen::fnt(small(true))));
    ASSERT_TRUE(fgen::save("p/z.fnt", fgen::fnt(small(true))));
    GrSetFontPath((dir + "/p").c_str());
    FontPtr x = load(named + "x");
    ASSERT_NE(x, nullptr);
    EXPECT_STREQ(x->h.family, "BGI");
    EXPECT_EQ(load(named + "y"), nullptr);
    EXPECT_EQ(load("\\" + placed + "\\y"), nullptr);  // from the root only
    EXPECT_NE(load("z"), nullptr);

    // directory + name + extension: 207 characters fit the 208-byte buffer
    std::string sub(190, 'd');
    fs::create_directories(sub);
    ASSERT_TRUE(fgen::save(sub + "/abcdefghijkl.fnt", fgen::fnt(small(true))));
    ASSERT_TRUE(fgen::save(sub + "/abcdefghijklm.fnt", fgen::fnt(small(true))));
    GrSetFontPath(sub.c_str());
    EXPECT_NE(load("abcdefghijkl"), nullptr);
    EXPECT_EQ(load("abcdefghijklm"), nullptr);
}

// A directory with capitals is found; a name is tried as given, then in
// lower case. Only regular files are opened: a FIFO would block for ever.
TEST_F(FontFiles, CaseAndFileKinds)
{
    fs::create_directories("Fonts");
    ASSERT_TRUE(fgen::save("Fonts/Raw8x16.fnt", fgen::fnt(small(true))));
    ASSERT_TRUE(fgen::save("Fonts/lower.fnt", fgen::fnt(small(true))));
    EXPECT_NE(load(dir + "/Fonts/Raw8x16.fnt"), nullptr);
    setenv("PXLFONT", (dir + "/Fonts").c_str(), 1);
    EXPECT_NE(load("Raw8x16"), nullptr);
    EXPECT_NE(load("LOWER.FNT"), nullptr);
    EXPECT_EQ(path_dirs(), as_kept({dir + "/Fonts/"}));

    fs::create_directories("dir.fnt");
#ifdef _WIN32
    // devices, whatever the extension; reading the console would wait
    for (const char *name : {"nul", "NUL.fnt", "con", "dir"})
        EXPECT_EQ(load(name), nullptr) << name;
#else
    ASSERT_EQ(mkfifo("pipe.fnt", 0600), 0);
    ASSERT_EQ(mkfifo("Fonts/fifo.chr", 0600), 0);
    for (const char *name : {"pipe.fnt", "pipe", "fifo", "dir", "/dev/zero"})
        EXPECT_EQ(load(name), nullptr) << name;
#endif
}

TEST_F(FontFiles, DriverOrder)
{
    const char *want[][2] = {{"PXL", ".fnt"}, {"BGI", ".chr"}, {"RAW", ".psf"},
                             {"FNA", ".fna"}, {"WIN", ".res"}};
    int i = 0;
    for (const Drv *const *dp = _GrFontDriverTable; *dp != nullptr && i < 6; dp++, i++) {
        EXPECT_STREQ((*dp)->name, want[i][0]);
        EXPECT_STREQ((*dp)->ext, want[i][1]);
        EXPECT_EQ((*dp)->scalable, i == 1);
    }
    EXPECT_EQ(i, 5);

    ASSERT_TRUE(fgen::save("strk.chr", fgen::chr(fgen::strokes(4))));
    FontPtr f = load("strk");  // after PXL failed on strk and strk.fnt
    ASSERT_NE(f, nullptr);
    EXPECT_STREQ(f->h.family, "BGI");
    ASSERT_TRUE(fgen::save("odd.res", fgen::fnt(small(false))));
    expect_glyphs(load("odd.res").get(), small(false));
    // a file that the native driver refuses goes on to the next driver
    fgen::Font all = small(true);
    all.minchar = 0, all.maxchar = 255, all.width = 8, all.height = 16;
    Bytes both = fgen::raw(8, 16), hdr = fgen::fnt(all);
    std::copy(hdr.begin(), hdr.begin() + 56, both.begin());
    ASSERT_TRUE(fgen::save("both.fnt", both));
    f = load("both.fnt");
    ASSERT_NE(f, nullptr);
    EXPECT_STREQ(f->h.name, "both");
    // in the path, the first directory that has the font wins
    fs::create_directories("a");
    fs::create_directories("b");
    fgen::Font other = small(true);
    other.height = 7;
    ASSERT_TRUE(fgen::save("a/f.fna", fgen::fna(other)));
    ASSERT_TRUE(fgen::save("b/f.fnt", fgen::fnt(small(true))));
    GrSetFontPath((dir + "/a " + dir + "/b").c_str());
    expect_glyphs(load("f").get(), other);
    EXPECT_EQ(load("nothing"), nullptr);
}

// ------------------------------------------------------------ the formats

TEST_F(FontFiles, Headers)
{
    fgen::Font f16;  // 32..126, 8 x 16
    f16.name = "sixteen-chars-xx";
    fgen::Font thick = small(false), tall = small(true), win = f16;
    thick.undwidth = 9;
    tall.height = 45;
    tall.name = std::string(120, 'N');
    win.minchar = 0, win.maxchar = 255, win.width = 13, win.height = 13, win.name = "face";
    fgen::Font longface = win;
    longface.name = std::string(150, 'F');
    fgen::StrokeFont wide = bar_font(), shift = bar_font();
    wide.first = 250;  // codes above 255 are left out
    wide.chars.resize(10, wide.chars[0]);
    wide.widths.resize(10, 4);
    wide.ascent = 25, wide.descent = -5, wide.orgbase = 40;
    // a point left of the origin and above the ascent shifts the frame
    shift.chars[0] = {{'M', -3, 12}, {'L', 1, 0}, {'S', 60, 60}, {'M', 50, 50}};
    std::string noul = fgen::fna(tall);
    noul = edit(noul, "undwidth 1\n", "");
    fs::create_directories("x");
    const struct {
        const char *file;
        Bytes b;
        const Drv &d;
        const char *name, *family;
        unsigned w, h, min, n, base, ulpos, ulh;
    } cases[] = {
        // 16 name bytes without a NUL make a 16-character name
        {"f.fnt", fgen::fnt(f16), _GrFontDriverPXL, "sixteen-chars-xx", "tst", 8, 16, 32, 95, 12, 15, 1},
        // an underline thicker than the font is clamped
        {"t.fnt", fgen::fnt(thick), _GrFontDriverPXL, "test", "tst", 10, 5, 65, 3, 12, 0, 5},
        // real height 11: the line reaches one row below the ascent
        {"b.chr", fgen::chr(bar_font()), _GrFontDriverBGI, "TEST", "BGI", 4, 11, 65, 1, 10, 10, 1},
        // real height 30: underline rows 28-29; the origin above the top: baseline 0
        {"w.chr", fgen::chr(wide), _GrFontDriverBGI, "TEST", "BGI", 4, 30, 250, 6, 0, 28, 2},
        // xoffset 3 + advance 4; yoffset 2 + 11
        {"s.chr", fgen::chr(shift), _GrFontDriverBGI, "TEST", "BGI", 7, 13, 65, 1, 12, 12, 1},
        {"raw16.bin", fgen::raw(8, 16), _GrFontDriverRAW, "raw16", "raw", 8, 16, 0, 256, 12, 15, 1},
        {"f8.bin", fgen::raw(8, 8), _GrFontDriverRAW, "f8", "f", 8, 8, 0, 256, 7, 7, 1},
        {"big.raw", fgen::raw(16, 32), _GrFontDriverRAW, "big", "big", 16, 32, 0, 256, 25, 30, 2},
        {"x/cp850-8x16.psf", fgen::psf1(16), _GrFontDriverRAW, "cp850-8x16", "cp", 8, 16, 0, 256, 12, 15, 1},
        {"x/5x.psf", fgen::psf1(14, true, true), _GrFontDriverRAW, "5x", "5x", 8, 14, 0, 512, 12, 13, 1},
        {"x/.psf", fgen::psf2(300, 12, 20, 40, true), _GrFontDriverRAW, "psf20", "psf", 12, 20, 0, 300, 16, 19, 1},
        // headersize 0: the glyphs start at 0
        {"x/n.psf", fgen::psf2(3, 5, 7, 0), _GrFontDriverRAW, "n", "n", 5, 7, 0, 3, 6, 6, 1},
        {"p.fna", text(fgen::fna(small(false))), _GrFontDriverFNA, "test", "tst", 10, 5, 65, 3, 12, 4, 1},
        // without undwidth: height / 15; names cut at 99 characters
        {"n.fna", text(noul), _GrFontDriverFNA, "NNN", "tst", 10, 45, 65, 3, 12, 42, 3},
        {"1.res", fgen::win(win, false, 0x22), _GrFontDriverWIN, "face", "Swiss", 13, 13, 0, 256, 12, 12, 1},
        {"2.res", fgen::win(win, true, 0x72), _GrFontDriverWIN, "face", "0x72", 13, 13, 0, 256, 12, 12, 1},
        {"3.res", fgen::win(win, false, 0x30, false), _GrFontDriverWIN, "Modern-13", "Modern", 13, 13, 0, 256, 12, 12, 1},
        {"4.res", fgen::win(win, false, 0x5F, false), _GrFontDriverWIN, "Decorative-13", "Decorative", 13, 13, 0, 256, 12, 12, 1},
        {"5.res", fgen::win(longface, true, 0x06), _GrFontDriverWIN, "FFF", "Unknown", 13, 13, 0, 256, 12, 12, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(fgen::save(c.file, c.b));
        Probe p = probe(c.d, c.file);
        ASSERT_TRUE(p.ok);
        if (strcmp(c.name, "NNN") == 0 || strcmp(c.name, "FFF") == 0)
            EXPECT_EQ(p.name, std::string(99, c.name[0]));
        else
            EXPECT_EQ(p.name, c.name);
        EXPECT_EQ(p.family, c.family);
        EXPECT_EQ(p.h.width, c.w);
        EXPECT_EQ(p.h.height, c.h);
        EXPECT_EQ(p.h.minchar, c.min);
        EXPECT_EQ(p.h.numchars, c.n);
        EXPECT_EQ(p.h.baseline, c.base);
        EXPECT_EQ(p.h.ulpos, c.ulpos);
        EXPECT_EQ(p.h.ulheight, c.ulh);
        EXPECT_EQ(p.h.scalable != 0, &c.d == &_GrFontDriverBGI);
    }
    // the base name follows the last '/' or '\\', and is cut at 39 characters
    std::string lname = "x/a\\" + std::string(50, 'n') + ".psf";
    fs::create_directories(fs::path(lname).parent_path());  // x/a on Windows
    ASSERT_TRUE(fgen::save(lname, fgen::psf1(8)));
    EXPECT_EQ(probe(_GrFontDriverRAW, lname).name, std::string(39, 'n'));
}

TEST_F(FontFiles, Glyphs)
{
    fgen::Font fixed = small(true), prop = small(false), raw = small(true), big = small(true);
    raw.minchar = big.minchar = 0, raw.maxchar = big.maxchar = 255;
    raw.width = 8, raw.height = 16;
    big.width = 16, big.height = 32;
    fgen::Font psf2 = raw;
    psf2.maxchar = 299, psf2.width = 12, psf2.height = 20;
    // CR LF ends, trailing blanks, comments and blank lines between rows
    std::string messy;
    for (char c : fgen::fna(prop))
        messy += c == '\n' ? std::string(" \t\r\n;\n\r\n") : std::string(1, c);
    const struct {
        const char *file;
        Bytes b;
        const fgen::Font &f;
    } cases[] = {
        {"fixed.fnt", fgen::fnt(fixed), fixed}, {"prop.fnt", fgen::fnt(prop), prop},
        {"raw.bin", fgen::raw(8, 16), raw},     {"big.bin", fgen::raw(16, 32), big},
        {"p1.psf", fgen::psf1(16, false, true), raw},
        {"p2.psf", fgen::psf2(300, 12, 20, 40, true), psf2},
        {"fixed.fna", text(fgen::fna(fixed, "note made here\nnote\n")), fixed},
        {"prop.fna", text(fgen::fna(prop)), prop},  {"messy.fna", text(messy), prop},
        {"fixed.res", fgen::win(fixed, false), fixed}, {"prop.res", fgen::win(prop, true), prop},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(fgen::save(c.file, c.b));
        expect_glyphs(load(c.file).get(), c.f);
    }
}

TEST_F(FontFiles, GlyphPlacesAndSizes)
{
    // fixed 32..126, 8 x 16: the glyph of 65 starts at 56 + 33 * 16 = 584
    Bytes b = fgen::fnt(fgen::Font());
    std::fill(b.begin() + 56, b.end(), 0);
    std::fill(b.begin() + 584, b.begin() + 600, 0xA5);
    ASSERT_TRUE(fgen::save("fixed.fnt", b));
    char g[16];
    const Drv &d = _GrFontDriverPXL;
    ASSERT_TRUE(d.openfile("fixed.fnt"));
    EXPECT_EQ(d.charwdt(31), -1);
    EXPECT_EQ(d.charwdt(127), -1);
    EXPECT_EQ(d.bitmap(65, 8, 16, g), 1);
    EXPECT_EQ(std::string(g, 16), std::string(16, '\xA5'));
    EXPECT_EQ(d.bitmap(64, 8, 16, g), 1);
    EXPECT_EQ(std::string(g, 16), std::string(16, '\0'));
    EXPECT_EQ(d.bitmap(65, 8, 15, g), 0);  // never scales
    EXPECT_EQ(d.bitmap(65, 16, 16, g), 0);
    d.cleanup();
    EXPECT_EQ(d.charwdt(65), -1);
    // widths 3, 9, 12 of codes 0-2: code 2 at 56 + 6 + 1 * h + 2 * h; the
    // bits past a glyph's width come out clear
    fgen::Font f = small(false);
    f.minchar = 0, f.maxchar = 2, f.height = 4;
    b = fgen::fnt(f);
    ASSERT_EQ(b.size(), 56u + 6 + 4 + 8 + 8);
    std::fill(b.begin() + 62, b.end(), 0);
    std::fill(b.begin() + 56 + 6 + 4 + 8, b.end(), 0xFF);
    ASSERT_TRUE(fgen::save("prop.fnt", b));
    ASSERT_TRUE(d.openfile("prop.fnt"));
    ASSERT_EQ(d.bitmap(2, 12, 4, g), 1);
    EXPECT_EQ(std::string(g, 8), std::string("\xFF\xF0\xFF\xF0\xFF\xF0\xFF\xF0", 8));
    d.cleanup();

    ASSERT_TRUE(fgen::save("r.psf", fgen::raw(8, 16)));
    ASSERT_TRUE(_GrFontDriverRAW.openfile("r.psf"));
    EXPECT_EQ(_GrFontDriverRAW.charwdt(256), -1);
    EXPECT_EQ(_GrFontDriverRAW.charwdt(-1), -1);
    EXPECT_EQ(_GrFontDriverRAW.bitmap(65, 8, 8, g), 0);
    _GrFontDriverRAW.cleanup();

    // FNA: reading out of order goes back to the first glyph line
    ASSERT_TRUE(fgen::save("prop.fna", fgen::fna(small(false))));
    char name[100], family[100];
    _GR_fontHeader h{};
    h.name = name;
    h.family = family;
    const Drv &t = _GrFontDriverFNA;
    ASSERT_TRUE(t.openfile("prop.fna") && t.header(&h));
    EXPECT_EQ(t.charwdt(67), 12);
    EXPECT_EQ(t.charwdt(65), 3);
    EXPECT_EQ(t.bitmap(66, 9, 5, g), 1);
    EXPECT_EQ(memcmp(g, fgen::rows(small(false), 66).data(), 10), 0);
    EXPECT_EQ(t.bitmap(65, 9, 5, g), 0);
    EXPECT_EQ(t.charwdt(68), -1);
    t.cleanup();
}

TEST_F(FontFiles, StrokesDrawAtAnySize)
{
    ASSERT_TRUE(fgen::save("bar.chr", fgen::chr(bar_font())));
    const Drv &d = _GrFontDriverBGI;
    ASSERT_TRUE(d.openfile("bar.chr"));
    EXPECT_EQ(d.charwdt(65), 4);  // xoffset 0, realwdt 4
    EXPECT_EQ(d.charwdt(66), -1);
    // the line: column round(2 (w - 1) / 3), from the top row to the bottom one
    for (int w : {4, 7, 13}) {
        const int h = 9, bpr = (w + 7) / 8, col = (2 * 2 * (w - 1) / 3 + 1) / 2;
        std::vector<char> g((size_t)(bpr * h));
        ASSERT_EQ(d.bitmap(65, w, h, g.data()), 1);
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                EXPECT_EQ((g[(size_t)(y * bpr + x / 8)] >> (7 - x % 8) & 1) != 0, x == col)
                    << w << ": " << x << "," << y;
    }
    char one = 0;
    ASSERT_EQ(d.bitmap(65, 1, 1, &one), 1);  // one pixel when anything is drawn
    EXPECT_EQ((unsigned char)one, 0x80u);
    EXPECT_EQ(d.bitmap(65, 0, 5, &one), 0);
    d.cleanup();
    FontPtr f = load("bar", GR_FONTCVT_SCALE, 8, 30);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->h.height, 30u);
    EXPECT_EQ(f->chrinfo[0].width, 8u);
}

// ------------------------------------------------------------ malformed files

TEST_F(FontFiles, Refused)
{
    const Bytes fnt = fgen::fnt(small(false)), chr = fgen::chr(bar_font()),
                psf2 = fgen::psf2(4, 10, 3), win = fgen::win(small(false), false);
    const std::string fna = fgen::fna(small(true));
    size_t t = (size_t)(std::find(chr.begin(), chr.end(), 0x1A) - chr.begin());
    // 65536 characters of 4096 x 4096 in 56 bytes
    Bytes huge = with16(with16(with16(with16(cut(fgen::fnt(small(true)), 56), 8, 4096), 10, 4096), 12, 0), 14, 0xFFFF);
    fgen::StrokeFont flat = bar_font(), none = bar_font(), dot = bar_font();
    flat.chars[0] = {{'M', 0, 0}, {'L', 5, 0}};
    flat.ascent = 0;  // real height 1
    dot.chars[0] = {{'M', 1, 1}};
    dot.ascent = 1;
    none.chars.clear();
    none.widths.clear();
    const struct {
        const char *what;
        Bytes b;
        const Drv &d;
        bool opens;  // refused by header, not by openfile
    } cases[] = {
        {"fnt magic", with16(fnt, 0, 0x0215), _GrFontDriverPXL, false},
        {"fnt inverted range", with16(fnt, 12, 70), _GrFontDriverPXL, false},
        {"fnt width 0", with16(fnt, 8, 0), _GrFontDriverPXL, false},
        {"fnt height 0", with16(fnt, 10, 0), _GrFontDriverPXL, false},
        {"fnt width 5000", with16(fnt, 8, 5000), _GrFontDriverPXL, false},
        {"fnt height 4097", with16(fnt, 10, 4097), _GrFontDriverPXL, false},
        {"fnt char width 0", with16(fnt, 58, 0), _GrFontDriverPXL, false},
        {"fnt char width 4097", with16(fnt, 60, 4097), _GrFontDriverPXL, false},
        {"fnt glyphs past the end", with16(fnt, 14, 68), _GrFontDriverPXL, false},
        {"fnt huge", huge, _GrFontDriverPXL, false},
        {"chr of 29 bytes", cut(chr, 29), _GrFontDriverBGI, false},
        {"chr NUL in the text", with8(chr, 10, 0), _GrFontDriverBGI, false},
        {"chr 0x1A at 116", text_ends_at(116), _GrFontDriverBGI, false},
        {"chr signature", with8(chr, 2, 'X'), _GrFontDriverBGI, false},
        {"chr no '+'", with8(chr, 128, '-'), _GrFontDriverBGI, false},
        {"chr header offset", with16(chr, t + 1, 0xFFF0), _GrFontDriverBGI, false},
        {"chr tables past the end", with16(chr, 130, 300), _GrFontDriverBGI, false},
        {"chr stroke data offset", with16(chr, 134, 0xFFFF), _GrFontDriverBGI, false},
        {"chr stroke offset", with16(chr, 128 + 17, 0x4000), _GrFontDriverBGI, false},
        {"chr strokes never end", cut(chr, chr.size() - 2), _GrFontDriverBGI, false},
        {"chr one row", fgen::chr(flat), _GrFontDriverBGI, false},
        {"chr one row, no lines", fgen::chr(dot), _GrFontDriverBGI, false},
        {"chr no characters", fgen::chr(none), _GrFontDriverBGI, true},
        {"raw 4000 bytes", Bytes(4000), _GrFontDriverRAW, false},
        {"raw 4608 bytes", Bytes(4608), _GrFontDriverRAW, false},
        {"raw 8192 bytes", Bytes(8192), _GrFontDriverRAW, false},
        {"raw 16896 bytes", Bytes(16896), _GrFontDriverRAW, false},
        {"raw 31 bytes", Bytes(31), _GrFontDriverRAW, false},
        {"raw empty", Bytes(), _GrFontDriverRAW, false},
        {"psf1 short", cut(fgen::psf1(16), 4 + 256 * 16 - 1), _GrFontDriverRAW, false},
        {"psf1 charsize 0", with8(fgen::psf1(16), 3, 0), _GrFontDriverRAW, false},
        {"psf1 512 short", with8(fgen::psf1(16), 2, 1), _GrFontDriverRAW, false},
        {"psf2 length 0", with32(psf2, 16, 0), _GrFontDriverRAW, false},
        {"psf2 length huge", with32(psf2, 16, 0xFFFFFFFF), _GrFontDriverRAW, false},
        {"psf2 width huge", with32(psf2, 28, 0x80000000), _GrFontDriverRAW, false},
        {"psf2 height huge", with32(psf2, 24, 0x40000000), _GrFontDriverRAW, false},
        {"psf2 width 0", with32(psf2, 28, 0), _GrFontDriverRAW, false},
        {"psf2 header past the end", with32(psf2, 8, 0xFFFFFFF0), _GrFontDriverRAW, false},
        {"psf2 glyphs past the end", with32(psf2, 16, 5), _GrFontDriverRAW, false},
        {"psf2 headersize 0", with32(with32(psf2, 8, 0), 16, 100), _GrFontDriverRAW, false},
        {"fna no baseline", text(edit(fna, "baseline 12\n", "")), _GrFontDriverFNA, true},
        {"fna width and avgwidth", text(edit(fna, "height", "avgwidth 10\nheight")), _GrFontDriverFNA, true},
        {"fna maxwidth 200", text(edit(fna, "height", "maxwidth 200\nheight")), _GrFontDriverFNA, true},
        {"fna minwidth 0", text(edit(fna, "height", "minwidth 0\nheight")), _GrFontDriverFNA, true},
        {"fna repeated", text(edit(fna, "height", "minchar 65\nheight")), _GrFontDriverFNA, true},
        {"fna unknown keyword", text(edit(fna, "height", "colour 3\nheight")), _GrFontDriverFNA, true},
        {"fna no white space", text(edit(fna, "height 5", "height:5")), _GrFontDriverFNA, true},
        {"fna no value", text(edit(fna, "height 5", "height")), _GrFontDriverFNA, true},
        {"fna negative", text(edit(fna, "height 5", "height -5")), _GrFontDriverFNA, true},
        {"fna not a number", text(edit(fna, "height 5", "height 5x")), _GrFontDriverFNA, true},
        {"fna huge number", text(edit(fna, "height 5", "height 99999999999999999999")), _GrFontDriverFNA, true},
        {"fna height 0", text(edit(fna, "height 5", "height 0")), _GrFontDriverFNA, true},
        {"fna width 0", text(edit(fna, "width 10", "width 0")), _GrFontDriverFNA, true},
        {"fna inverted", text(edit(fna, "maxchar 67", "maxchar 64")), _GrFontDriverFNA, true},
        {"fna too many chars", text(edit(fna, "maxchar 67", "maxchar 70000")), _GrFontDriverFNA, true},
        {"fna line of 128", text(edit(fna, "name test", "name " + std::string(123, 'x'))), _GrFontDriverFNA, true},
        {"fna file too short", text(edit(fna, "maxchar 67", "maxchar 90")), _GrFontDriverFNA, true},
        {"fna no glyph lines", text(fna.substr(0, fna.find(';'))), _GrFontDriverFNA, true},
        {"win version", with16(win, 0, 0x0300), _GrFontDriverWIN, false},
        {"win type", with16(win, 0x42, 1), _GrFontDriverWIN, false},
        {"win height 0", with16(win, 0x58, 0), _GrFontDriverWIN, false},
        {"win height 4097", with16(win, 0x58, 4097), _GrFontDriverWIN, false},
        {"win average width 0", with16(win, 0x5B, 0), _GrFontDriverWIN, false},
        {"win inverted", with8(win, 0x60, 64), _GrFontDriverWIN, false},
        {"win table past the end", with8(win, 0x60, 255), _GrFontDriverWIN, false},
        {"win glyph past the end", with16(win, 0x76 + 2, 0xFFF0), _GrFontDriverWIN, false},
        {"win char width 0", with16(win, 0x76, 0), _GrFontDriverWIN, false},
        {"win char width 5000", with16(win, 0x76, 5000), _GrFontDriverWIN, false},
        {"win face runs out", cut(win, win.size() - 1), _GrFontDriverWIN, true},
        {"win face far away", with32(win, 0x69, 0xFFFFFFF0), _GrFontDriverWIN, true},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(fgen::save("bad", c.b));
        Probe p = probe(c.d, "bad");
        EXPECT_EQ(p.open, c.opens) << c.what;
        EXPECT_FALSE(p.ok) << c.what;
    }
    // the limits themselves are fine: a 0x1A at 115, a 127-character line
    ASSERT_TRUE(fgen::save("ok", text_ends_at(115)));
    EXPECT_TRUE(probe(_GrFontDriverBGI, "ok").ok);
    ASSERT_TRUE(fgen::save("ok", edit(fna, "name test", "name " + std::string(122, 'x'))));
    EXPECT_TRUE(probe(_GrFontDriverFNA, "ok").ok);
    // glyph rows of the wrong length or with other characters fail the build
    size_t row = fna.find('\n', fna.find("; char 66")) + 1;
    for (const char *r : {"#########", "###########", "####o#####"}) {
        ASSERT_TRUE(fgen::save("bad.fna", std::string(fna).replace(row, 10, r)));
        EXPECT_EQ(load("bad.fna"), nullptr) << r;
    }
    // directories are not font files
    fs::create_directories("d.fnt");
    EXPECT_EQ(load("d"), nullptr);
    for (const Drv *const *dp = _GrFontDriverTable; *dp != nullptr; dp++) {
        EXPECT_FALSE((*dp)->openfile("d.fnt")) << (*dp)->name;
        EXPECT_FALSE((*dp)->header(nullptr)) << (*dp)->name;  // nothing open
        EXPECT_EQ((*dp)->charwdt(65), -1) << (*dp)->name;
        (*dp)->cleanup();
    }
}

// Small files of every format, for the sweeps over damaged files.
struct Sample {
    const char *file;
    const Drv *drv;
    Bytes data;
    size_t needed;  // bytes that must be there
};
std::vector<Sample> samples()
{
    Bytes fna = text(fgen::fna(small(false))), psf1 = fgen::psf1(3), chr = fgen::chr(fgen::strokes(3, 65)),
          fnt = fgen::fnt(small(false)), win = fgen::win(small(false), true);
    return {
        {"s.fnt", &_GrFontDriverPXL, fnt, fnt.size()},
        {"s.chr", &_GrFontDriverBGI, chr, chr.size()},
        {"s.psf", &_GrFontDriverRAW, psf1, psf1.size()},
        {"t.psf", &_GrFontDriverRAW, fgen::psf2(4, 10, 3, 32, true), 32 + 4 * 6},
        {"s.fna", &_GrFontDriverFNA, fna, 0},  // text may end well anywhere
        {"s.res", &_GrFontDriverWIN, win, win.size()},
    };
}

TEST_F(FontFiles, TruncatedAtEveryByte)
{
    for (const Sample &s : samples()) {
        ASSERT_TRUE(fgen::save(s.file, s.data));
        ASSERT_TRUE(probe(*s.drv, s.file).ok) << s.file;
        for (size_t n = 0; n < s.data.size(); n++) {
            ASSERT_TRUE(fgen::save(s.file, s.data.data(), n));
            bool raw = s.drv == &_GrFontDriverRAW && n % 256 == 0;  // a good raw dump
            if (n < s.needed && !raw) {
                EXPECT_FALSE(probe(*s.drv, s.file).ok) << s.file << " cut at " << n;
            }
            hammer(s.file);
        }
    }
}

TEST_F(FontFiles, RandomDamage)
{
    std::mt19937 rng(1234);
    for (const Sample &s : samples())
        for (int round = 0; round < 300; round++) {
            Bytes b = s.data;
            for (int k = 0, n = 1 + (int)(rng() % 6); k < n; k++)
                b[rng() % b.size()] = (unsigned char)(rng() % 4 ? rng() : 0xFF);
            ASSERT_TRUE(fgen::save(s.file, b));
            hammer(s.file);
        }
}

// ------------------------------------------------------------ real PSF fonts

// The fonts of Debian's console-setup-linux package, fetched once into a
// cache directory by a script; empty when they cannot be had.
std::string consolefonts()
{
    static std::string dir;
    static bool tried = false;
    if (!tried) {
        tried = true;
#ifndef _WIN32  // the fetch script needs a POSIX shell
        std::string d = "/tmp/pxl-consolefonts-" + std::to_string(getuid());
        fs::path script = fs::path(__FILE__).parent_path() / "../../tools/fetch-psf.sh";
        if (system(("sh '" + script.string() + "' '" + d + "'").c_str()) == 0)
            dir = d;
#endif
    }
    return dir;
}

// The ink rows of a glyph, as '#' and '.'.
std::vector<std::string> picture(const GrFont *f, int c)
{
    const _GR_fontChrInfo &ci = f->chrinfo[c - (int)f->h.minchar];
    const unsigned char *g = (const unsigned char *)f->bitmap + ci.offset;
    std::vector<std::string> rows;
    for (unsigned y = 0; y < f->h.height; y++) {
        std::string s;
        for (unsigned x = 0; x < ci.width; x++)
            s += g[y * ((ci.width + 7) / 8) + x / 8] & (0x80 >> (x % 8)) ? '#' : '.';
        if (s.find('#') != std::string::npos)
            rows.push_back(s);
    }
    return rows;
}

// A capital A: an apex narrower than the two legs below, a bar across,
// mirror-symmetric give or take a column.
void expect_letter_a(const std::vector<std::string> &rows)
{
    std::string pic;
    for (const std::string &r : rows)
        pic += r + "\n";
    ASSERT_GE(rows.size(), 5u) << pic;
    auto span = [](const std::string &r) { return r.rfind('#') - r.find('#') + 1; };
    auto runs = [](const std::string &r) {
        int n = 0;
        for (size_t x = 0; x < r.size(); x++)
            n += r[x] == '#' && (x == 0 || r[x - 1] != '#');
        return n;
    };
    EXPECT_LT(span(rows.front()), span(rows.back())) << pic;
    EXPECT_EQ(runs(rows.back()), 2) << pic;
    bool bar = false;
    size_t asym = 0;
    for (const std::string &r : rows) {
        bar |= runs(r) == 1 && span(r) * 4 >= span(rows.back()) * 3;
        std::string m(r.rbegin(), r.rend());
        size_t shift = m.find('#') > r.find('#') ? m.find('#') - r.find('#') : 0;
        m = m.substr(shift) + std::string(shift, '.');
        for (size_t x = 0; x < r.size(); x++)
            asym += m[x] != r[x];
    }
    EXPECT_TRUE(bar) << pic;
    EXPECT_LE(asym, rows.size() * 2) << pic;
}

TEST_F(FontFiles, RealPsfFonts)
{
    std::string d = consolefonts();
    if (d.empty())
        GTEST_SKIP() << "console-setup-linux could not be downloaded (no network or no apt lists)";
    const struct {
        const char *file;
        unsigned w, h, n;
    } fonts[] = {
        {"lat15-vga16", 8, 16, 256},         {"lat15-vga8", 8, 8, 256},
        {"uni2-vga16", 8, 16, 512},          {"lat15-terminus32x16", 16, 32, 256},
        {"lat15-terminusbold20x10", 10, 20, 256},
    };
    for (const auto &f : fonts) {
        SCOPED_TRACE(f.file);
        FontPtr font = load(d + "/" + f.file);  // the RAW driver adds the extension
        ASSERT_NE(font, nullptr);
        EXPECT_STREQ(font->h.name, f.file);
        EXPECT_STREQ(font->h.family, strncmp(f.file, "uni", 3) ? "lat" : "uni");
        EXPECT_EQ(font->h.width, f.w);
        EXPECT_EQ(font->h.height, f.h);
        EXPECT_EQ(font->h.numchars, f.n);
        expect_letter_a(picture(font.get(), 'A'));
    }
    // drawn on a screen, the VGA 'A' is close to the built-in one
    FontPtr vga = load(d + "/lat15-vga16.psf");
    ASSERT_NE(vga, nullptr);
    ASSERT_EQ(GrSetDriver("memory"), 1);
    ASSERT_NE(GrSetMode(GR_mode_graphics_size_bpp, 64, 32, 8), 0);
    GrClearScreen(0);
    GrTextStyle st{};
    st.font = vga.get();
    st.fgcolor.v = 15;
    st.bgcolor.v = 0;
    GrDrawString("A", 1, 0, 0, &st);
    st.font = &GrFont_PC8x16;
    GrDrawString("A", 1, 16, 0, &st);
    const GrFrame &fr = GrContextInfo->screen.gc_frame;
    int differ = 0, ink = 0;
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 8; x++) {
            bool a = fr.gf_baseaddr[0][y * fr.gf_lineoffset + x] != 0;
            ink += a;
            differ += a != (fr.gf_baseaddr[0][y * fr.gf_lineoffset + 16 + x] != 0);
        }
    EXPECT_GT(ink, 15);
    EXPECT_LE(differ, ink / 3);
    GrSetMode(GR_mode_text_default);
}

}  // namespace
