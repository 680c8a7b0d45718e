// The font record, the built-in fonts, the font builder and its glyph
// converter, turned and underlined glyphs, and text drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <random>

#include "libpxl.h"

namespace {

struct FontFree {
    void operator()(GrFont *f) const { GrUnloadFont(f); }
};
using FontPtr = std::unique_ptr<GrFont, FontFree>;
const GrFont *const pc16 = &GrFont_PC8x16;

FontPtr convert(int cvt, int w = 0, int h = 0, int cmin = 0, int cmax = 0, const GrFont *from = pc16)
{
    return FontPtr(GrBuildConvertedFont(from, cvt, w, h, cmin, cmax));
}

// byte i and pixel (x, y) of the glyph of chr
unsigned char byte(const GrFont *f, int chr, int i)
{
    return static_cast<unsigned char>(f->bitmap[f->chrinfo[chr - f->h.minchar].offset + i]);
}
bool gbit(const GrFont *f, int chr, int x, int y)
{
    const unsigned pitch = (f->chrinfo[chr - f->h.minchar].width + 7) / 8;
    return byte(f, chr, static_cast<int>(y * pitch) + x / 8) & (0x80 >> (x % 8));
}

// 8-bit memory screen, cleared to 0
void screen()
{
    ASSERT_EQ(GrSetDriver("memory"), 1);
    ASSERT_NE(GrSetMode(GR_mode_graphics_size_bpp, 200, 120, 8), 0);
    GrClearScreen(0);
}
uint32_t px(int x, int y)
{
    return GrContextInfo->screen.gc_frame.gf_baseaddr[0][y * GrContextInfo->screen.gc_frame.gf_lineoffset + x];
}

// screen pixels other than 0 inside (or outside) a box
int count_set(int x1, int y1, int x2, int y2, bool inside = true)
{
    int n = 0;
    for (int y = 0; y < 120; y++)
        for (int x = 0; x < 200; x++)
            n += px(x, y) && (x >= x1 && x <= x2 && y >= y1 && y <= y2) == inside;
    return n;
}

// Does the cell with top-left (l, t) show glyph chr turned for direction
// dir, in fg on bg?
bool shows(int chr, int dir, int l, int t, uint32_t fg, uint32_t bg, const GrFont *f = pc16,
           const std::function<uint32_t(int, int)> &pix = px)
{
    const int w = static_cast<int>(f->chrinfo[chr - f->h.minchar].width), h = static_cast<int>(f->h.height);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const int cx[4] = {x, h - 1 - y, w - 1 - x, y}, cy[4] = {y, x, h - 1 - y, w - 1 - x};
            if (pix(l + cx[dir], t + cy[dir]) != (gbit(f, chr, x, y) ? fg : bg))
                return false;
        }
    return true;
}

GrTextStyle style(GrFont *f, GrColor fg = 15, GrColor bg = 1, signed char dir = 0,
                  signed char xa = 0, signed char ya = 0)
{
    return GrTextStyle{f, {fg}, {bg}, GR_BYTE_TEXT, dir, xa, ya};
}

// A glyph source: 8 x 16 characters 0..3, solid blocks as wide as charwdt
// says; records the size that bitmap() is asked for.
int fw[4], asked_w, asked_h, fail_at = -1;
int fake_wdt(int c) { return c >= 0 && c < 4 ? fw[c] : -1; }
int fake_bmp(int c, int w, int h, char *buf)
{
    asked_w = w, asked_h = h;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            buf[y * ((w + 7) / 8) + x / 8] |= static_cast<char>(0x80 >> (x % 8));
    return c != fail_at;
}
_GR_fontHeader fake_hdr(unsigned w = 8, unsigned h = 16, unsigned n = 4)
{
    static char name[] = "fake";
    return _GR_fontHeader{name, name, 1, 0, 0, 0, w, h, 12, 14, 1, 0, n};
}
FontPtr fake(const _GR_fontHeader &h, int cvt, int w = 0, int hh = 0, int canscale = 0)
{
    return FontPtr(_GrBuildFont(&h, cvt, w, hh, 0, 0, fake_wdt, fake_bmp, canscale));
}

}  // namespace

TEST(BuiltinFonts, RecordsAndGlyphs)
{
    for (const GrFont *f : {&GrFont_PC8x8, &GrFont_PC8x16}) {
        const unsigned h = f->h.height;
        EXPECT_STREQ(f->h.name, h == 8 ? "pc8x8" : "pc8x16");
        EXPECT_STREQ(f->h.family, "pc");
        EXPECT_EQ(f->h.baseline, h == 8 ? 6U : 11U);
        EXPECT_TRUE(f->h.width == 8 && f->h.ulpos == h - 1 && f->h.ulheight == 1);
        EXPECT_TRUE(f->h.minchar == 0 && f->h.numchars == 256 && f->minwidth == 8 && f->maxwidth == 8);
        EXPECT_TRUE(f->h.preloaded && !f->h.proportional && !f->h.scalable && !f->h.modified);
        for (unsigned i = 0; i < 256; i++)
            ASSERT_TRUE(f->chrinfo[i].width == 8 && f->chrinfo[i].offset == i * h) << i;
        for (unsigned y = 0; y < h; y++)  // full block and space
            ASSERT_TRUE(byte(f, 219, y) == 0xFF && byte(f, 32, y) == 0);
    }
    static const unsigned char A[16] = {0, 0, 0x10, 0x38, 0x6C, 0xC6, 0xC6, 0xFE, 0xC6, 0xC6, 0xC6, 0xC6};
    EXPECT_EQ(std::memcmp(GrFont_PC8x16.bitmap + 65 * 16, A, 16), 0);
    GrUnloadFont(&GrFont_PC8x16);  // preloaded: left alone
    GrUnloadFont(nullptr);
    EXPECT_STREQ(GrFont_PC8x16.h.name, "pc8x16");
}

TEST(BuildFont, ScaleAndRange)
{
    FontPtr f = convert(GR_FONTCVT_SCALE, 16, 32);
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->h.width == 16 && f->h.height == 32 && !f->h.preloaded);
    EXPECT_TRUE(f->h.baseline == 22 && f->h.ulpos == 30 && f->h.ulheight == 2);
    EXPECT_EQ(f->h.modified, GR_FONTCVT_SCALE);
    for (int c = 0; c < 256; c++)
        for (int y = 0; y < 32; y++)
            for (int x = 0; x < 16; x++)
                ASSERT_EQ(gbit(f.get(), c, x, y), gbit(pc16, c, x / 2, y / 2));
    FontPtr tiny = convert(GR_FONTCVT_SCALE, 1, 1);
    ASSERT_TRUE(tiny);
    EXPECT_TRUE(tiny->h.width == 2 && tiny->h.height == 2 && tiny->minwidth == 2);

    FontPtr r = convert(GR_FONTCVT_CHARRANGE, 0, 0, 32, 127);
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->h.minchar == 32 && r->h.numchars == 96 && r->h.modified == GR_FONTCVT_CHARRANGE);
    EXPECT_EQ(std::memcmp(&r->bitmap[r->chrinfo[65 - 32].offset], pc16->bitmap + 65 * 16, 16), 0);
    EXPECT_FALSE(convert(GR_FONTCVT_CHARRANGE, 0, 0, 100, 50));
    FontPtr below = convert(GR_FONTCVT_CHARRANGE, 0, 0, 0, 10, r.get());
    ASSERT_TRUE(below);
    EXPECT_TRUE(below->h.minchar == 32 && below->h.numchars == 1);
    // asked for but changing nothing: nothing recorded
    FontPtr same = convert(GR_FONTCVT_CHARRANGE | GR_FONTCVT_SCALE | GR_FONTCVT_FIXED, 8, 16, 0, 255);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->h.modified, 0);
    EXPECT_EQ(std::memcmp(same->bitmap, pc16->bitmap, 4096), 0);
    EXPECT_FALSE(GrBuildConvertedFont(nullptr, 0, 0, 0, 0, 0));
}

TEST(BuildFont, BoldSlantAndSpacing)
{
    FontPtr bold = convert(GR_FONTCVT_EMBOLDEN), slant = convert(GR_FONTCVT_SLANT);
    ASSERT_TRUE(bold && slant);
    EXPECT_TRUE(bold->h.modified == GR_FONTCVT_EMBOLDEN && slant->h.modified == GR_FONTCVT_SLANT);
    for (int c = 0; c < 256; c++)
        ASSERT_TRUE(bold->chrinfo[c].width == 8 && slant->chrinfo[c].width == 8);
    EXPECT_EQ(byte(bold.get(), 219, 5), 0xFF);  // 7 columns, thickened by 1
    EXPECT_EQ(byte(bold.get(), 'A', 7), 0xFE);  // 7 columns -> 6 -> 7
    // 6 columns moved right by 2 at the top, 1 in the middle, 0 at the bottom
    EXPECT_TRUE(byte(slant.get(), 219, 0) == 0x3F && byte(slant.get(), 219, 7) == 0x7E &&
                byte(slant.get(), 219, 15) == 0xFC);

    FontPtr prop = convert(GR_FONTCVT_PROPORTIONAL);
    ASSERT_TRUE(prop);
    EXPECT_TRUE(prop->h.proportional && prop->h.modified == GR_FONTCVT_PROPORTIONAL);
    unsigned sum = 0;
    for (int c = 0; c < 256; c++) {
        int left = 8, right = -1;
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 8; x++)
                if (gbit(pc16, c, x, y))
                    left = std::min(left, x), right = std::max(right, x);
        if (right < 0)  // blank: full width
            left = 0, right = 7;
        const unsigned w = prop->chrinfo[c].width;
        sum += w;
        ASSERT_EQ(w, static_cast<unsigned>(right - left + 2)) << c;  // ink + gap
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < static_cast<int>(w); x++)
                ASSERT_EQ(gbit(prop.get(), c, x, y), x + left <= right && gbit(pc16, c, x + left, y));
    }
    EXPECT_EQ(prop->chrinfo[' '].width, 9U);
    EXPECT_EQ(prop->h.width, sum / 256);

    // back to fixed: all as wide as the widest, ink centred
    FontPtr fixed = convert(GR_FONTCVT_FIXED, 0, 0, 0, 0, prop.get());
    ASSERT_TRUE(fixed);
    EXPECT_FALSE(fixed->h.proportional);
    EXPECT_EQ(fixed->h.modified, GR_FONTCVT_PROPORTIONAL | GR_FONTCVT_FIXED);
    EXPECT_TRUE(fixed->minwidth == 9 && fixed->maxwidth == 9);
    EXPECT_EQ(byte(fixed.get(), '!', 3 * 2), 0x3C);  // 4 of 9 columns, from column 2
}

TEST(BuildFont, SourcesAndLimits)
{
    // widths 16, 0, 3, 1 at half size: 8 (wider than the font), 0 (written
    // as 1), 2, 1, each one more for the gap; the block must hold them all
    const int widths[4] = {16, 0, 3, 1};
    std::memcpy(fw, widths, sizeof fw);
    _GR_fontHeader h = fake_hdr();
    FontPtr f = fake(h, GR_FONTCVT_SCALE | GR_FONTCVT_FIXED | GR_FONTCVT_PROPORTIONAL, 4, 8);
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->chrinfo[0].width == 9 && f->chrinfo[1].width == 2);
    EXPECT_TRUE(byte(f.get(), 0, 14) == 0xFF && byte(f.get(), 0, 15) == 0);  // last row: ink, gap
    EXPECT_EQ(f->h.modified, GR_FONTCVT_SCALE | GR_FONTCVT_PROPORTIONAL);
    f = fake(h, GR_FONTCVT_FIXED);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->chrinfo[1].width, 16U);
    EXPECT_TRUE(byte(f.get(), 2, 0) == 0x03 && byte(f.get(), 2, 1) == 0x80);  // 3 of 16, from 6

    // a driver that scales draws only the core; bold is added to it
    h.proportional = 0;
    fw[1] = fw[2] = fw[3] = 8;
    f = fake(h, GR_FONTCVT_SCALE | GR_FONTCVT_EMBOLDEN, 16, 32, 1);
    ASSERT_TRUE(f);
    EXPECT_TRUE(asked_w == 15 && asked_h == 32 && f->chrinfo[3].width == 16);
    EXPECT_EQ(byte(f.get(), 3, 1), 0xFF);

    h.ulheight = 20;  // thicker than the font: ulpos has wrapped
    h.ulpos = 16U - 20U;
    f = fake(h, 0);
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->h.ulheight == 16 && f->h.ulpos == 0);

    // broken sources and absurd sizes
    EXPECT_FALSE(fake(h, GR_FONTCVT_SCALE, 5000, 16));
    EXPECT_FALSE(fake(fake_hdr(0, 16), 0));
    EXPECT_FALSE(fake(fake_hdr(8, 4097), 0));
    EXPECT_FALSE(fake(fake_hdr(8, 16, 70000), 0));
    for (int bad : {-1, 5000}) {
        fw[2] = bad;
        EXPECT_FALSE(fake(h, 0));
    }
    fw[2] = 8;
    fail_at = 3;
    EXPECT_FALSE(fake(h, 0));
    fail_at = -1;
}

TEST(AuxBitmap, TurnsUnderlinesAndCaches)
{
    FontPtr f = convert(GR_FONTCVT_CHARRANGE, 0, 0, 32, 127);
    ASSERT_TRUE(f);
    for (int kind = 1; kind < 8; kind++) {
        const char *b = GrBuildAuxiliaryBitmap(f.get(), 'g', kind & 3, kind >= 4);
        ASSERT_TRUE(b);
        const int pitch = kind & 1 ? 2 : 1;  // quarter turns: 8 rows of 16 bits
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 8; x++) {
                const int r[4] = {y, x, 15 - y, 7 - x}, c[4] = {x, 15 - y, 7 - x, y};
                const int bit = (b[r[kind & 3] * pitch + c[kind & 3] / 8] >> (7 - c[kind & 3] % 8)) & 1;
                ASSERT_EQ(bit, gbit(pc16, 'g', x, y) || (kind >= 4 && y == 15)) << kind;
            }
    }
    EXPECT_EQ(f->auxsize, 64U * 16U);  // grown once, by 64 glyphs' worth
    EXPECT_EQ(f->auxnext, 7U * 16U);

    char *one = GrBuildAuxiliaryBitmap(f.get(), 'g', 1, 0);
    one[0] = 0x55;  // a second call must not draw again
    EXPECT_EQ(GrBuildAuxiliaryBitmap(f.get(), 'g', 5, 0), one);  // direction 5 is 1
    EXPECT_EQ(one[0], 0x55);
    EXPECT_EQ(f->auxnext, 7U * 16U);
    char *plain = f->bitmap + f->chrinfo['g' - 32].offset;
    EXPECT_EQ(GrBuildAuxiliaryBitmap(f.get(), 'g', 0, 0), plain);
    EXPECT_FALSE(GrBuildAuxiliaryBitmap(f.get(), 200, 1, 0));
    EXPECT_FALSE(GrBuildAuxiliaryBitmap(f.get(), 31, 1, 0));
    f->h.ulheight = 0;  // nothing to underline with
    EXPECT_EQ(GrBuildAuxiliaryBitmap(f.get(), 'g', 0, 1), plain);
}

TEST(Text, PlacementAndMouse)
{
    screen();
    static int blocks, unblocks, box[4];
    const _GR_mouseInfo saved = _GrMouseInfo;
    _GrMouseInfo.must_check = 1;
    _GrMouseInfo.block = [](GrContext *, int x1, int y1, int x2, int y2) {
        box[0] = x1, box[1] = y1, box[2] = x2, box[3] = y2;
        return ++blocks, 7;
    };
    _GrMouseInfo.unblock = [](int r) { unblocks += r == 7; };
    GrFont zero = GrFont_PC8x16;
    zero.h.width = 0;
    GrTextStyle s = style(&GrFont_PC8x16);
    GrDrawString("AB", 0, 10, 10, &s);
    s.font = &zero;
    GrDrawString("AB", 2, 10, 10, &s);
    s.font = nullptr;
    GrDrawString("AB", 2, 10, 10, &s);
    EXPECT_EQ(blocks, 0);
    EXPECT_EQ(count_set(0, 0, -1, -1, false), 0);

    s = style(&GrFont_PC8x16, 15, 1, 0, GR_ALIGN_CENTER, GR_ALIGN_BASELINE);
    GrDrawString("AB", 2, 100, 50, &s);
    _GrMouseInfo = saved;
    EXPECT_TRUE(blocks == 1 && unblocks == 1);
    EXPECT_TRUE(box[0] == 92 && box[1] == 39 && box[2] == 107 && box[3] == 54);
    EXPECT_EQ(count_set(92, 39, 107, 54, false), 0);
    EXPECT_TRUE(shows('A', 0, 92, 39, 15, 1) && shows('B', 0, 100, 39, 15, 1));

    // other alignments; baseline is top when not running right. Two
    // 8 x 16 cells make 16 x 16 whichever way they run.
    struct { int dir, xa, ya, x1, y1; } cases[] = {
        {0, GR_ALIGN_RIGHT, GR_ALIGN_BOTTOM, 85, 35}, {0, GR_ALIGN_LEFT, GR_ALIGN_MIDDLE, 100, 42},
        {1, GR_ALIGN_LEFT, GR_ALIGN_BASELINE, 100, 50}, {2, GR_ALIGN_LEFT, GR_ALIGN_BASELINE, 100, 50},
        {3, GR_ALIGN_CENTER, GR_ALIGN_BASELINE, 92, 50}, {1, GR_ALIGN_RIGHT, GR_ALIGN_MIDDLE, 85, 42}};
    for (auto &k : cases) {
        GrClearScreen(0);
        s = style(&GrFont_PC8x16, 15, 1, k.dir, k.xa, k.ya);
        GrDrawString("AB", 2, 100, 50, &s);
        EXPECT_EQ(count_set(k.x1, k.y1, k.x1 + 15, k.y1 + 15, false), 0) << k.dir << k.xa << k.ya;
        EXPECT_EQ(count_set(k.x1, k.y1, k.x1 + 15, k.y1 + 15), 256) << k.dir << k.xa << k.ya;
    }
}

TEST(Text, DirectionsAndClipping)
{
    screen();
    GrTextStyle s = style(&GrFont_PC8x16, 15, GR_NOCOLOR, GR_TEXT_LEFT);
    GrDrawString("AB", 2, 50, 20, &s);  // columns 50-65, 'A' at the right end
    s.direction = GR_TEXT_DOWN;
    GrDrawString("AB", 2, 80, 20, &s);
    s.direction = GR_TEXT_UP;
    GrDrawString("AB", 2, 100, 20, &s);  // 'A' at the bottom
    EXPECT_TRUE(shows('A', 2, 58, 20, 15, 0) && shows('B', 2, 50, 20, 15, 0));
    EXPECT_TRUE(shows('A', 1, 80, 20, 15, 0) && shows('B', 1, 80, 28, 15, 0));
    EXPECT_TRUE(shows('A', 3, 100, 28, 15, 0) && shows('B', 3, 100, 20, 15, 0));

    // clipped: only the visible part; cells wholly outside build nothing
    FontPtr f = convert(GR_FONTCVT_CHARRANGE, 0, 0, 32, 127);
    GrClearScreen(0);
    GrSetClipBox(10, 10, 29, 33);
    s = style(f.get(), 15, 1, GR_TEXT_DOWN);
    GrDrawString("ABCDE", 5, 20, 5, &s);  // cells from rows 5, 13, 21, 29, 37
    EXPECT_EQ(count_set(20, 10, 29, 33, false), 0);
    EXPECT_EQ(count_set(20, 10, 29, 33), 10 * 24);
    EXPECT_TRUE(f->auxoffs[0]['A' - 32] && !f->auxoffs[0]['E' - 32]);
    s = style(f.get(), 15 | GR_UNDERLINE_BIT, 1);
    GrSetClipBox(0, 0, 195, 119);
    GrDrawString("EFGHIJ", 6, 180, 60, &s);  // 'F' in part, 'G' on outside
    GrResetClipBox();
    EXPECT_TRUE(px(195, 75) == 15 && px(196, 75) == 0);  // the underline of 'F'
    EXPECT_TRUE(f->auxoffs[3]['F' - 32] && !f->auxoffs[3]['G' - 32]);

    // a code outside the font: its cell in the background colour
    GrClearScreen(0);
    s = style(f.get(), 15, 5);
    GrDrawString("\x01", 1, 0, 0, &s);
    EXPECT_TRUE(count_set(0, 0, 7, 15) == 128 && count_set(0, 0, 7, 15, false) == 0 && px(3, 3) == 5);
    s.bgcolor.v = GR_NOCOLOR;
    GrDrawString("\x01", 1, 10, 0, &s);
    EXPECT_EQ(count_set(0, 0, 7, 15, false), 0);
}

TEST(Text, AttributesWordsAndWidths)
{
    screen();
    GrColor fgt[17] = {16}, bgt[17] = {16};
    for (int i = 1; i <= 16; i++)
        fgt[i] = 100 + i, bgt[i] = 200 + i;
    GrTextStyle s = style(&GrFont_PC8x16);
    s.chrtype = GR_ATTR_TEXT;
    s.fgcolor.p = fgt;
    s.bgcolor.p = bgt;
    const uint16_t text[2] = {0x1F00 | 'A', 0x9F00 | 'A'};
    GrDrawString(text, 2, 0, 0, &s);
    EXPECT_TRUE(shows('A', 0, 0, 0, 116, 202));
    EXPECT_TRUE(px(8, 14) == 202 && px(8, 15) == 116 && px(15, 15) == 116);  // 0x9F: underlined
    _GR_textattrintensevideo = 1;  // bit 7 then picks the background
    GrDrawString(text + 1, 1, 0, 20, &s);
    _GR_textattrintensevideo = 0;
    EXPECT_TRUE(shows('A', 0, 0, 20, 116, 210));
    s.fgcolor.p = nullptr;  // no table: no colour
    GrDrawChar(0x1F00 | 'A', 20, 20, &s);
    EXPECT_TRUE(px(22, 20) == 202 && px(22, 27) == 0);

    s = style(&GrFont_PC8x16, 9, 0);
    s.chrtype = GR_WORD_TEXT;
    GrDrawChar(0x100 | 219, 40, 0, &s);  // outside the font as a word,
    s.chrtype = GR_BYTE_TEXT;
    GrDrawChar(0x100 | 219, 60, 0, &s);  // a full block as a byte
    EXPECT_TRUE(px(43, 3) == 0 && px(63, 3) == 9);
    // any other character type is byte text: never read past the string
    const std::unique_ptr<char[]> abc(new char[3]{'a', 'b', 'c'});
    for (int t : {-1, 3, 100}) {
        GrClearScreen(0);
        s.chrtype = static_cast<signed char>(t);
        GrDrawString(abc.get(), 3, 0, 20, &s);
        GrDrawChar('b', 30, 20, &s);
        EXPECT_TRUE(shows('a', 0, 0, 20, 9, 0) && shows('c', 0, 16, 20, 9, 0) &&
                    shows('b', 0, 30, 20, 9, 0))
            << t;
        EXPECT_EQ(GrProportionalTextWidth(pc16, abc.get(), 3, t), 24U) << t;
    }

    EXPECT_EQ(GrProportionalTextWidth(pc16, "abc", 3, GR_BYTE_TEXT), 24U);
    FontPtr prop = convert(GR_FONTCVT_PROPORTIONAL | GR_FONTCVT_CHARRANGE, 0, 0, 32, 127);
    ASSERT_TRUE(prop);
    const unsigned wi = prop->chrinfo['i' - 32].width, wm = prop->chrinfo['m' - 32].width;
    const uint16_t words[2] = {'i', 0x4500 | 'm'};
    EXPECT_EQ(GrProportionalTextWidth(prop.get(), "im\x01", 3, GR_BYTE_TEXT), wi + wm + prop->h.width);
    EXPECT_EQ(GrProportionalTextWidth(prop.get(), words, 2, GR_ATTR_TEXT), wi + wm);
    EXPECT_EQ(GrProportionalTextWidth(prop.get(), words, 2, GR_WORD_TEXT), wi + prop->h.width);
    EXPECT_EQ(GrProportionalTextWidth(nullptr, "abc", 3, 0), 0U);
    GrClearScreen(0);
    s = style(prop.get(), 15, 1, 0, GR_ALIGN_RIGHT);
    GrDrawString("im", 2, 99, 0, &s);  // laid out by the real widths
    const int l = 100 - static_cast<int>(wi + wm);
    EXPECT_TRUE(shows('i', 0, l, 0, 15, 1, prop.get()) && shows('m', 0, l + wi, 0, 15, 1, prop.get()));
    EXPECT_EQ(count_set(l, 0, 99, 15, false), 0);
}

TEST(Text, MemoryContexts)
{
    screen();
    GrContext *ctx = GrCreateFrameContext(GR_frameRAM32L, 40, 20, nullptr, nullptr);
    ASSERT_TRUE(ctx);
    GrSetContext(ctx);
    GrClearContext(0);
    auto pix = [&](int x, int y) {
        uint32_t v;
        std::memcpy(&v, ctx->gc_frame.gf_baseaddr[0] + y * ctx->gc_frame.gf_lineoffset + 4 * x, 4);
        return v;
    };
    GrTextStyle s = style(&GrFont_PC8x16, 0xABCDEF, 0x123456);
    GrDrawString("Hi", 2, 3, 2, &s);
    EXPECT_TRUE(shows('H', 0, 3, 2, 0xABCDEF, 0x123456, pc16, pix));
    EXPECT_TRUE(shows('i', 0, 11, 2, 0xABCDEF, 0x123456, pc16, pix));
    s = style(&GrFont_PC8x16, 0x00FF00 | GR_XOR, GR_NOCOLOR, GR_TEXT_UP);
    GrDrawString("\x0F", 1, 24, 2, &s);  // XOR onto 0, transparent
    EXPECT_TRUE(shows(15, 3, 24, 2, 0x00FF00, 0, pc16, pix));

    // a sub-context: its offset is added, its clip box holds
    GrContext *sub = GrCreateSubContext(10, 5, 19, 14, ctx, nullptr);
    ASSERT_TRUE(sub);
    GrSetContext(sub);
    GrClearContext(0);
    s = style(&GrFont_PC8x16, 7, 0);
    GrDrawString("\xDB", 1, 5, 5, &s);
    EXPECT_TRUE(pix(15, 10) == 7 && pix(19, 14) == 7 && pix(20, 14) == 0 && pix(14, 10) == 0);
    GrSetContext(nullptr);
    GrDestroyContext(sub);
    GrDestroyContext(ctx);
}

namespace {

// The glyph bit by bit through drawpixel: what every drawbitmap must match.
void bit_by_bit(int x, int y, int w, int h, int, int, const unsigned char *bmp, int pitch,
                int start, GrColor fg, GrColor bg, void *)
{
    for (int r = 0; r < h; r++)
        for (int i = 0, b = start; i < w; i++, b++) {
            const bool set = bmp[r * pitch + b / 8] & (0x80 >> (b % 8));
            FDRV->drawpixel(x + i, y + r, set ? fg : bg);
        }
}

}  // namespace

TEST(Text, GlyphsMatchBitByBitDrawingInEveryFormat)
{
    screen();
    FontPtr scaled = convert(GR_FONTCVT_SCALE, 12, 20), prop = convert(GR_FONTCVT_PROPORTIONAL);
    ASSERT_TRUE(scaled && prop);
    GrFont *fonts[] = {&GrFont_PC8x16, &GrFont_PC8x8, scaled.get(), prop.get()};
    const GrFrameMode modes[] = {GR_frameRAM1,  GR_frameRAM4,   GR_frameRAM8,  GR_frameRAM16,
                                 GR_frameRAM24, GR_frameRAM32L, GR_frameRAM32H};
    // each mode, with values that change nothing and that do, transparent
    const GrColor colours[] = {0x00A5C3E1U, GR_XOR | 0x5A3C96U, GR_OR | 0x814224U,
                               GR_AND | 0x7E5BDBU, GR_AND | 0xFFFFFFU, GR_OR | 0,
                               GR_NOCOLOR, 0x00A5C3E1U | GR_UNDERLINE_BIT};
    const int W = 70, H = 60;
    std::mt19937 rng(5);
    for (GrFrameMode md : modes) {
        GrContext *a = GrCreateFrameContext(md, W, H, nullptr, nullptr);
        GrContext *b = GrCreateFrameContext(md, W, H, nullptr, nullptr);
        ASSERT_TRUE(a && b);
        const GrFrame &fa = a->gc_frame, &fb = b->gc_frame;
        const int planes = fa.gf_driver->num_planes;
        const size_t bytes = static_cast<size_t>(fa.gf_lineoffset) * H;
        for (int n = 0; n < 400; n++) {
            for (int p = 0; p < planes; p++) {
                for (size_t i = 0; i < bytes; i++)
                    fa.gf_baseaddr[p][i] = static_cast<unsigned char>(rng());
                std::memcpy(fb.gf_baseaddr[p], fa.gf_baseaddr[p], bytes);
            }
            GrTextStyle s = style(fonts[rng() % 4], colours[rng() % 8], colours[rng() % 7],
                                  static_cast<signed char>(rng() % 4));
            if (s.fgcolor.v & GR_UNDERLINE_BIT)
                s.bgcolor.v = colours[rng() % 7];
            const char text[] = "Ag\x01\xDB~j";
            const int x = static_cast<int>(rng() % 90) - 20, y = static_cast<int>(rng() % 80) - 20;
            const int x1 = static_cast<int>(rng() % W), y1 = static_cast<int>(rng() % H);
            const int x2 = x1 + static_cast<int>(rng() % (W - x1)), y2 = y1 + static_cast<int>(rng() % (H - y1));
            GrSetContext(a);
            GrSetClipBox(x1, y1, x2, y2);
            GrDrawString(text, 6, x, y, &s);
            GrSetContext(b);
            GrSetClipBox(x1, y1, x2, y2);
            _GrDrawString(text, 6, x, y, &s, nullptr, bit_by_bit);
            for (int p = 0; p < planes; p++)
                ASSERT_EQ(std::memcmp(fa.gf_baseaddr[p], fb.gf_baseaddr[p], bytes), 0)
                    << "mode " << md << " call " << n << " font " << s.font->h.name << " dir "
                    << int(s.direction) << " colours " << std::hex << s.fgcolor.v << ' '
                    << s.bgcolor.v << std::dec << " at " << x << ',' << y << " clip " << x1
                    << ',' << y1 << ',' << x2 << ',' << y2;
        }
        GrSetContext(nullptr);
        GrDestroyContext(a);
        GrDestroyContext(b);
    }
}
