// Text in the 8x8 font, library fonts and stroke fonts; the stroke font
// slots, their files and damaged images.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "bgitest.h"
#include "fontgen.h"
#include "libbgi.h"

namespace {

// A directory of lower-case name (file names are lower-cased on loading).
struct TempDir {
    std::string path = "/tmp/pxlbgi-" + std::to_string(getpid());
    TempDir() { mkdir(path.c_str(), 0700); }
    ~TempDir()
    {
        if (system(("rm -rf " + path).c_str()) != 0)
            ADD_FAILURE() << "cannot remove " << path;
    }
    std::string file(const std::string &name) const { return path + "/" + name; }
};

// One character 'A': a vertical stroke of 10 units, 10 wide.
fgen::StrokeFont bar_font(const char *name, int width = 10)
{
    fgen::StrokeFont f;
    f.name = name;
    f.first = 'A';
    f.ascent = 10;
    f.descent = 0;
    f.chars = {{{'M', 0, 0}, {'L', 0, 10}}};
    f.widths = {width};
    return f;
}

// A stroke font with no file anywhere: the layer looks in these places.
bool std_font_exists(const char *file)
{
    return access((std::string(PXL_FONTDIR) + "/" + file).c_str(), R_OK) == 0;
}

// Empties a stroke slot, as the layer itself never does.
void drop(int slot)
{
    struct _GR_bgiSlot &s = _GrBgiSlots[slot];
    if (s.owned)
        free(__gr_text_Fonts[slot]);
    if (__gr_text_fntptr == s.chi && s.chi != nullptr) {
        __gr_text_fntptr = nullptr;
        settextstyle(DEFAULT_FONT, HORIZ_DIR, 1);
    }
    free(s.chi);
    s = _GR_bgiSlot{};
    __gr_text_Fonts[slot] = nullptr;
}

void drop_all()
{
    for (int slot = 1; slot <= 20; slot++)
        drop(slot);
}

// Graphics with no stroke font directory of any use.
void open_without_fonts(const TempDir &tmp)
{
    bgi_open(200, 100);
    GrSetFontPath(tmp.path.c_str());
    strcpy(__gr_BGICHR, tmp.path.c_str());
}

}  // namespace

TEST(BgiText, DefaultFontSizesAndPositions)
{
    bgi_open(200, 100);
    EXPECT_EQ(textwidth("Variable"), 64);
    EXPECT_EQ(textheight("x"), 8);
    struct textsettingstype ts;
    gettextsettings(&ts);
    EXPECT_TRUE(ts.font == 0 && ts.direction == 0 && ts.charsize == 1 && ts.horiz == LEFT_TEXT &&
                ts.vert == TOP_TEXT);
    // top-left reference: the cell lies right of and below the point
    outtextxy(10, 20, "\xDB");  // a full block
    EXPECT_EQ(count(10, 20, 17, 27, 15), 64);
    EXPECT_EQ(count_all(15), 64);
    EXPECT_EQ(getx(), 0);
    moveto(5, 40);
    outtext("abc");
    EXPECT_EQ(getx(), 5 + 24);
    EXPECT_EQ(gety(), 40);

    // scaled copies are built on first use and kept
    settextstyle(DEFAULT_FONT, HORIZ_DIR, 3);
    EXPECT_EQ(textwidth("ab"), 48);
    EXPECT_EQ(textheight("ab"), 24);
    EXPECT_EQ(__gr_text_DefaultFonts[3], nullptr);
    cleardevice();
    outtextxy(0, 0, "\xDB");
    ASSERT_NE(__gr_text_DefaultFonts[3], nullptr);
    EXPECT_EQ(__gr_text_DefaultFonts[3]->h.width, 24U);
    EXPECT_EQ(count_all(15), 24 * 24);

    // size 0 is size 1; vertical text reads upward, below and right of
    // its top-left reference (the block of rows y .. y + width - 1)
    settextstyle(DEFAULT_FONT, VERT_DIR, 0);
    gettextsettings(&ts);
    EXPECT_EQ(ts.charsize, 1);
    cleardevice();
    moveto(50, 60);
    outtext("\xDB\xDB");
    EXPECT_EQ(count(50, 60, 57, 75, 15), 128);
    EXPECT_EQ(count_all(15), 128);
    EXPECT_EQ(gety(), 60 - 16);

    // justification: centre and bottom
    settextstyle(DEFAULT_FONT, HORIZ_DIR, 1);
    settextjustify(CENTER_TEXT, BOTTOM_TEXT);
    cleardevice();
    outtextxy(100, 50, "\xDB\xDB");
    EXPECT_EQ(count(92, 43, 107, 50, 15), 128);
    settextjustify(3, 0);
    EXPECT_EQ(graphresult(), grError);
    settextjustify(LEFT_TEXT, TOP_TEXT);

    // bad font numbers: -14 and the font stays
    settextstyle(DEFAULT_FONT, HORIZ_DIR, 2);
    settextstyle(31, 0, 1);
    EXPECT_EQ(graphresult(), grInvalidFontNum);
    settextstyle(-9, 0, 1);
    EXPECT_EQ(graphresult(), grInvalidFontNum);
    settextstyle(11, 0, 1);  // an empty slot past the standard ones
    EXPECT_EQ(graphresult(), grInvalidFontNum);
    EXPECT_EQ(textwidth("a"), 16);
    closegraph();
    EXPECT_EQ(textwidth("a"), 0);
    EXPECT_EQ(textheight("a"), 0);
    outtextxy(0, 0, "a");
    EXPECT_EQ(graphresult(), grNoInitGraph);
}

TEST(BgiText, LibraryFontInASlot)
{
    TempDir tmp;
    bgi_open(200, 100);
    __gr_text_init();
    __gr_text_Fonts[21] = &GrFont_PC8x16;
    settextstyle(21, HORIZ_DIR, 7);
    EXPECT_EQ(textwidth("88888"), 40);
    EXPECT_EQ(textheight("88888"), 16);
    outtextxy(0, 0, "\xDB");
    EXPECT_EQ(count_all(15), 8 * 16);
    __gr_text_Fonts[21] = nullptr;

    // installuserfont: ".fnt" files go to the library loader, slot 21 on
    fgen::Font f;
    ASSERT_TRUE(fgen::save(tmp.file("u.fnt"), fgen::fnt(f)));
    EXPECT_EQ(installuserfont(("@:" + tmp.file("u.fnt")).c_str()), 21);
    EXPECT_EQ(installuserfont(tmp.file("none.fnt").c_str()), grFontNotFound);
    EXPECT_EQ(__gr_text_Fonts[22], nullptr);
    settextstyle(21, HORIZ_DIR, 1);
    EXPECT_EQ(textheight("x"), 16);
    GrUnloadFont(static_cast<GrFont *>(__gr_text_Fonts[21]));
    for (int slot = 21; slot <= 29; slot++)
        __gr_text_Fonts[slot] = &GrFont_PC8x8;
    EXPECT_EQ(installuserfont(tmp.file("u.fnt").c_str()), grNoFontMem);  // 30 is not searched
    for (int slot = 21; slot <= 29; slot++)
        __gr_text_Fonts[slot] = nullptr;
    closegraph();
}

TEST(BgiText, StrokeTextScaleJustifyAndDirection)
{
    bgi_open(200, 100);
    fgen::Bytes img = fgen::chr(bar_font("BARS"));
    ASSERT_EQ(registerbgifont(img.data()), 11);
    settextstyle(11, HORIZ_DIR, 4);  // 1:1
    ASSERT_EQ(graphresult(), grOk);
    EXPECT_EQ(textwidth("AA"), 20);
    EXPECT_EQ(textheight("A"), 10);
    EXPECT_EQ(textwidth("AB@"), 10);  // codes outside the font add nothing
    // top: the baseline goes one text height down
    outtextxy(20, 30, "A");
    EXPECT_EQ(count(20, 30, 20, 40, 15), 11);
    EXPECT_EQ(count_all(15), 11);
    moveto(50, 30);
    outtext("AB");
    EXPECT_EQ(getx(), 60);
    // size 1: 3/5, the pen moves 6 per character
    settextstyle(11, HORIZ_DIR, 1);
    EXPECT_EQ(textwidth("A"), 6);
    moveto(0, 0);
    outtext("AAA");
    EXPECT_EQ(getx(), 18);
    // bottom, right: the text ends at the point, on its baseline
    cleardevice();
    settextstyle(11, HORIZ_DIR, 4);
    settextjustify(RIGHT_TEXT, BOTTOM_TEXT);
    outtextxy(100, 50, "A");
    EXPECT_EQ(count(90, 40, 90, 50, 15), 11);
    // upward: font x goes up the screen, font y to the left
    cleardevice();
    settextstyle(11, VERT_DIR, 4);
    settextjustify(LEFT_TEXT, BOTTOM_TEXT);
    moveto(100, 80);
    outtext("A");
    EXPECT_EQ(count(100, 80, 110, 80, 15), 11);  // x + H .. x - 10 + H
    EXPECT_EQ(gety(), 70);
    // the user scale at size 0
    settextjustify(LEFT_TEXT, TOP_TEXT);
    setusercharsize(3, 1, 1, 2);
    settextstyle(11, HORIZ_DIR, USER_CHAR_SIZE);
    EXPECT_EQ(textwidth("A"), 30);
    EXPECT_EQ(textheight("A"), 5);
    setusercharsize(1, 0, 1, 1);
    EXPECT_EQ(graphresult(), grError);
    setusercharsize(1, 1, 1, 1);
    // text drawn with the line style
    cleardevice();
    settextstyle(11, HORIZ_DIR, 4);
    setlinestyle(SOLID_LINE, 0, 3);
    textlinestyle(1);
    outtextxy(20, 30, "A");
    EXPECT_EQ(count(19, 35, 21, 35, 15), 3);
    textlinestyle(0);
    drop_all();
    closegraph();
}

TEST(BgiText, StrokeCommands)
{
    // draw to (5, 10), move to (5, 10), draw to (-1, -64), end
    const unsigned char cmds[] = {0x85, 0x8A, 0x85, 0x0A, 0xFF, 0xC0, 0x00, 0x00, 0x81, 0x81};
    struct _GR_chrEntry e = {cmds, 3};
    std::string got;
    int cx = 0, cy = 0;
    _GrBgiStrokes(e, cmds + sizeof cmds, &cx, &cy, [&](int x1, int y1, int x2, int y2) {
        got += std::to_string(x1) + "," + std::to_string(y1) + ">" + std::to_string(x2) + "," +
               std::to_string(y2) + " ";
    });
    EXPECT_EQ(got, "0,0>5,10 5,10>-1,-64 ");
    EXPECT_EQ(cx, -1);
    EXPECT_EQ(cy, -64);
    // a list that runs out of its image just stops
    got.clear();
    _GrBgiStrokes(e, cmds + 3, &cx, &cy, [&](int, int, int, int) { got += "x"; });
    EXPECT_EQ(got, "x");
}

TEST(BgiFontSlots, RegisteringAndReplacing)
{
    bgi_open(200, 100);
    // a standard internal name takes its own slot, whatever the range
    fgen::Bytes sans1 = fgen::chr(bar_font("SANS", 10)), sans2 = fgen::chr(bar_font("SANS", 20));
    EXPECT_EQ(__gr_text_registerfont(15, 15, sans1.data()), 3);
    settextstyle(SANS_SERIF_FONT, HORIZ_DIR, 4);
    EXPECT_EQ(textwidth("A"), 10);
    // replacing the font in use: its table is made again from the new image
    EXPECT_EQ(registerbgifont(sans2.data()), 3);
    EXPECT_EQ(textwidth("A"), 20);
    outtextxy(0, 0, "A");
    EXPECT_EQ(count_all(15), 11);
    // a lower-case name is no standard font
    fgen::Bytes lower = fgen::chr(bar_font("sans"));
    EXPECT_EQ(__gr_text_registerfont(12, 20, lower.data()), 12);
    // not a stroke font
    fgen::Bytes bad = sans1;
    bad[128] = '-';
    EXPECT_EQ(registerbgifont(bad.data()), grInvalidFont);
    bad = sans1;
    bad[1] = 'X';
    EXPECT_EQ(registerbgifont(bad.data()), grInvalidFont);
    // slots 11..20 full: -9; a range outside the stroke slots is cut to them
    fgen::Bytes other = fgen::chr(bar_font("OTHR"));
    for (int i = 0; i < 9; i++)
        EXPECT_GE(registerbgifont(other.data()), 11);
    EXPECT_EQ(registerbgifont(other.data()), grNoFontMem);
    EXPECT_EQ(__gr_text_registerfont(25, 30, other.data()), grNoFontMem);
    EXPECT_EQ(__gr_text_Fonts[25], nullptr);
    drop_all();
    closegraph();
}

TEST(BgiFontFiles, NamesAndSearch)
{
    TempDir tmp;
    open_without_fonts(tmp);
    const fgen::Bytes img = fgen::chr(bar_font("TEST"));
    mkdir(tmp.file("fonts").c_str(), 0700);
    mkdir(tmp.file("a.b").c_str(), 0700);
    mkdir(tmp.file("Mixed").c_str(), 0700);
    ASSERT_TRUE(fgen::save(tmp.file("fonts/myfont.chr"), img));
    ASSERT_TRUE(fgen::save(tmp.file("a.b/c.chr"), img));
    ASSERT_TRUE(fgen::save(tmp.file("x.fnt2"), img));
    ASSERT_TRUE(fgen::save(tmp.file("Mixed/Case.chr"), img));
    EXPECT_EQ(__gr_text_installfont(11, 20, (tmp.path + "\\Fonts/MyFont").c_str()), 11);
    EXPECT_EQ(__gr_text_installfont(11, 20, tmp.file("a.b/c").c_str()), 12);
    EXPECT_EQ(__gr_text_installfont(11, 20, tmp.file("x.fnt2").c_str()), 13);
    EXPECT_EQ(__gr_text_installfont(11, 20, tmp.file("Mixed/Case").c_str()), 14);  // as given
    EXPECT_EQ(__gr_text_installfont(11, 20, tmp.file("none").c_str()), grFileNotFound);
    EXPECT_EQ(installuserfont(tmp.file("fonts/myfont").c_str()), 15);
    EXPECT_EQ(installuserfont(tmp.file("Mixed/Case").c_str()), 16);

    drop_all();

    // a standard font found nowhere: -8, and font 0 at size 1
    settextstyle(DEFAULT_FONT, HORIZ_DIR, 3);
    if (std_font_exists("trip.chr"))
        GTEST_SKIP() << "stroke fonts are installed in " << PXL_FONTDIR;
    settextstyle(TRIPLEX_FONT, VERT_DIR, 4);
    EXPECT_EQ(graphresult(), grFontNotFound);
    struct textsettingstype ts;
    gettextsettings(&ts);
    EXPECT_TRUE(ts.font == DEFAULT_FONT && ts.direction == VERT_DIR && ts.charsize == 1);
    // ... until the initgraph directory holds it
    fgen::Bytes trip = fgen::chr(bar_font("TRIP"));
    ASSERT_TRUE(fgen::save(tmp.file("trip.chr"), trip));
    settextstyle(TRIPLEX_FONT, HORIZ_DIR, 4);
    EXPECT_EQ(graphresult(), grOk);
    EXPECT_EQ(textwidth("A"), 10);
    // a directory with bytes above 127 finds nothing and harms nothing
    __gr_text_Fonts[2] = nullptr;
    strcpy(__gr_BGICHR, "/tmp/\xC3\xA9\xFF");
    settextstyle(SMALL_FONT, HORIZ_DIR, 4);
    EXPECT_EQ(graphresult(), grFontNotFound);
    drop_all();
    closegraph();
}

// Every cut of a font file, and damaged bytes: loaded and drawn without a
// read outside the image, or refused.
TEST(BgiFontFiles, TruncatedAndDamagedFiles)
{
    TempDir tmp;
    open_without_fonts(tmp);
    const fgen::Bytes img = fgen::chr(fgen::strokes(40, 60));
    const std::string f = tmp.file("cut.chr");
    int loaded = 0;
    for (size_t n = 0; n <= img.size(); n++) {
        ASSERT_TRUE(fgen::save(f, img.data(), n));
        const int slot = installuserfont(f.c_str());
        if (slot < 0) {
            EXPECT_TRUE(slot == grInvalidFont) << n << ": " << slot;
            continue;
        }
        loaded++;
        settextstyle(slot, HORIZ_DIR, 10);
        outtextxy(0, 0, "<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}");
        textwidth("xyz");
        drop(slot);
    }
    EXPECT_GT(loaded, 0);
    // damage in every header byte and at random further on
    srand(7);
    for (int i = 0; i < 600; i++) {
        fgen::Bytes d = img;
        const size_t at = i < 200 ? static_cast<size_t>(i) : static_cast<size_t>(rand()) % d.size();
        d[at] = static_cast<unsigned char>(rand());
        ASSERT_TRUE(fgen::save(f, d));
        const int slot = installuserfont(f.c_str());
        if (slot < 0)
            continue;
        settextstyle(slot, i % 2, 10);
        outtextxy(100, 50, "<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        drop(slot);
    }
    closegraph();
}

// The ten standard fonts of the source tree, found through the font path
// when the initgraph directory has none.
TEST(BgiFontFiles, StandardFontsFromTheFontPath)
{
    TempDir tmp;
    open_without_fonts(tmp);
    GrSetFontPath((tmp.path + ";" PXL_SOURCE_FONTS).c_str());
    static const char names[][5] = {"TRIP", "LITT", "SANS", "GOTH", "SCRI",
                                    "SIMP", "TSCR", "LCOM", "EURO", "BOLD"};
    for (int font = TRIPLEX_FONT; font <= BOLD_FONT; font++) {
        settextstyle(font, HORIZ_DIR, 4);
        ASSERT_EQ(graphresult(), grOk) << font;
        const std::string head(static_cast<const char *>(__gr_text_Fonts[font]), 128);
        EXPECT_NE(head.find(std::string("\x1a\x80") + '\0' + names[font - 1]), std::string::npos);
        EXPECT_GT(textwidth("Ag"), font == SMALL_FONT ? 8 : 20) << font;
        EXPECT_GT(textheight("Ag"), font == SMALL_FONT ? 10 : 20) << font;
        cleardevice();
        outtextxy(0, 0, "Ag");
        EXPECT_GT(count_all(15), 30) << font;
    }
    drop_all();
    closegraph();
}
