// The test card, drawn into a memory mode. Every primitive of the library
// appears here, so that one reviewed picture per depth guards them all.
#include "card.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "fontgen.h"

#include "graphics.h"

namespace {

const int kStrokeBand = 72;  // rows below the card for the stroke fonts

const unsigned char kDefaults[16][3] = {
    {0, 0, 0},      {0, 0, 170},    {0, 170, 0},    {0, 170, 170},
    {170, 0, 0},    {170, 0, 170},  {170, 85, 0},   {170, 170, 170},
    {85, 85, 85},   {85, 85, 255},  {85, 255, 85},  {85, 255, 255},
    {255, 85, 85},  {255, 85, 255}, {255, 255, 85}, {255, 255, 255},
};

GrColor pen(int i)
{
    return GrAllocColor(kDefaults[i][0], kDefaults[i][1], kDefaults[i][2]);
}

// The 16 default colours as bars along the top.
void colour_bars(int w)
{
    const int bw = w / 16;
    for (int i = 0; i < 16; i++)
        GrFilledBox(i * bw, 0, (i + 1) * bw - 1, 11, pen(i));
}

// Lines from a centre in every direction, clipped to a box smaller than
// the star; the clip box is outlined just outside it.
void line_star(int cx, int cy, int r, int clip)
{
    GrBox(cx - clip - 1, cy - clip - 1, cx + clip + 1, cy + clip + 1, pen(8));
    GrSetClipBox(cx - clip, cy - clip, cx + clip, cy + clip);
    for (int i = 0; i < 32; i++) {
        // end points on a square of half-side r, walked around
        const int k = i % 8, side = i / 8, t = -r + k * r / 4;
        int dx, dy;
        switch (side) {
        case 0:  dx = t;  dy = -r; break;
        case 1:  dx = r;  dy = t;  break;
        case 2:  dx = -t; dy = r;  break;
        default: dx = -r; dy = -t; break;
        }
        GrLine(cx, cy, cx + dx, cy + dy, pen(9 + i % 7));
    }
    // far outside the box: clipped without overflow
    GrLine(cx - (1 << 30), cy - (1 << 30), cx + (1 << 30), cy + (1 << 30), pen(15));
    GrLine(-2147483647 - 1, cy + 3, 2147483647, cy + 3, pen(14));
    GrResetClipBox();
}

// Outlines: nested boxes, a box drawn twice in XOR (gone), a box once in XOR
// over a filled one, and boxes cut by the clip box.
void boxes(int x, int y)
{
    for (int i = 0; i < 5; i++)
        GrBox(x + 2 * i, y + 2 * i, x + 40 - 2 * i, y + 30 - 2 * i, pen(10 + i));
    GrFilledBox(x + 50, y, x + 90, y + 30, pen(4));
    GrBox(x + 55, y + 5, x + 85, y + 25, GR_XOR | pen(15));
    GrBox(x + 60, y + 10, x + 80, y + 20, GR_XOR | pen(7));
    GrBox(x + 60, y + 10, x + 80, y + 20, GR_XOR | pen(7));
    GrSetClipBox(x + 100, y + 5, x + 140, y + 25);
    GrBox(x + 95, y, x + 120, y + 30, pen(14));
    GrBox(x + 125, y + 10, x + 150, y + 20, pen(11));
    GrFilledBox(x + 130, y + 22, x + 160, y + 40, pen(12));
    GrResetClipBox();
    GrBox(x + 99, y + 4, x + 141, y + 26, pen(8));
}

// Horizontal and vertical runs in every write mode over a striped field.
void runs(int x, int y)
{
    for (int i = 0; i < 8; i++)
        GrFilledBox(x + 8 * i, y, x + 8 * i + 3, y + 40, pen(i + 1));
    for (int i = 0; i < 4; i++) {
        const GrColor mode = static_cast<GrColor>(i) << 24;
        GrHLine(x - 4, x + 67, y + 4 + 10 * i, mode | pen(15));
        GrHLine(x + 67, x - 4, y + 6 + 10 * i, mode | pen(9));
    }
    for (int i = 0; i < 6; i++)
        GrVLine(x + 72 + 3 * i, y + 40 - 6 * i, y, pen(10 + i));
}

// A sub-context with its own origin and clip box: drawing past its edges
// stays inside it.
void sub_context(int x, int y)
{
    GrContext sub;
    if (GrCreateSubContext(x, y, x + 59, y + 39, nullptr, &sub) == nullptr)
        return;
    GrContext saved;
    GrSaveContext(&saved);
    GrSetContext(&sub);
    GrClearContext(pen(1));
    GrLine(-20, -20, 80, 60, pen(14));
    GrLine(-20, 60, 80, -20, pen(13));
    GrBox(-5, 5, 30, 50, pen(10));
    GrFilledBox(40, -10, 70, 10, pen(12));
    GrContext inner;
    if (GrCreateSubContext(35, 20, 55, 35, &sub, &inner) != nullptr) {
        GrSetContext(&inner);
        GrClearContext(pen(7));
        GrLine(0, 0, 100, 100, pen(0));
    }
    GrSetContext(&saved);
}

// Ellipses, circles and arcs in every closing style, exact and polygonal.
void round_shapes(int x, int y)
{
    GrEllipse(x, y, 30, 18, pen(11));
    GrFilledEllipse(x + 70, y, 22, 22, pen(12));
    GrCircle(x + 70, y, 27, pen(15));
    GrEllipseArc(x + 140, y, 30, 20, 0, 2700, GR_arcOpen, pen(10));
    GrEllipseArc(x + 140, y, 20, 12, 900, 3150, GR_arcChord, pen(14));
    GrFilledEllipseArc(x + 205, y, 28, 22, 300, 1500, GR_arcPie, pen(9));
    GrEllipseArc(x + 205, y, 28, 22, 300, 1500, GR_arcPie, pen(15));
    GrFilledEllipseArc(x + 205, y + 6, 28, 22, 2100, 3300, GR_arcChord, pen(13));
    // larger than the exact limit: a polygon, cut by the card's edge
    GrCircle(-40, 400, 130, pen(3));
}

// Polygons: a self-crossing star filled even-odd (hollow centre) with its
// outline, a convex hexagon, and an open polyline.
void polygons(int x, int y)
{
    int star[5][2];
    for (int i = 0; i < 5; i++)
        GrSinCos(256 + i * 2 * 1024 / 5, x, y, 30, 30, star[i]);
    GrFilledPolygon(5, star, pen(6));
    GrPolygon(5, star, pen(14));
    int hex[6][2];
    for (int i = 0; i < 6; i++)
        GrSinCos(i * 1024 / 6, x + 75, y, 30, 24, hex[i]);
    GrFilledConvexPolygon(6, hex, pen(2));
    const int open[4][2] = {{x + 115, y + 25}, {x + 130, y - 25}, {x + 145, y + 20}, {x + 160, y - 10}};
    GrPolyLine(4, open, pen(11));
}

// Bitmap and pixmap patterns, anchored to the frame: the two halves of the
// bitmap box join without a seam.
void patterns(int x, int y)
{
    static const unsigned char hatch[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
    GrPattern bm;
    bm.bitmap = {0, 8, hatch, pen(14), pen(1)};
    GrPatternFilledBox(x, y, x + 19, y + 40, &bm);
    GrPatternFilledBox(x + 20, y, x + 37, y + 40, &bm);
    GrPatternFilledLine(x, y + 45, x + 37, y + 52, &bm);

    GrContext *tile = GrCreateFrameContext(GrDriverInfo->frame_driver.mode, 6, 4, nullptr, nullptr);
    if (tile == nullptr)
        return;
    GrContext saved;
    GrSaveContext(&saved);
    GrSetContext(tile);
    GrClearContext(pen(4));
    GrFilledBox(0, 0, 2, 1, pen(11));
    GrLine(3, 3, 5, 2, pen(15));
    GrSetContext(&saved);
    GrPattern pm;
    pm.pixmap.is_pixmap = 1;
    pm.pixmap.width = 6;
    pm.pixmap.height = 4;
    pm.pixmap.op = GR_WRITE;
    pm.pixmap.source = tile->gc_frame;
    GrPatternFilledBox(x + 45, y, x + 80, y + 40, &pm);
    int tri[3][2] = {{x + 45, y + 45}, {x + 80, y + 45}, {x + 62, y + 60}};
    GrPatternFilledPolygon(3, tri, &pm);
    GrDestroyContext(tile);
}

// Custom lines: dashed, wide with mitred joins, wide and dashed, and a
// dashed box whose pattern runs on around its corners.
void custom_lines(int x, int y)
{
    static const unsigned char dash[] = {6, 3, 1, 3};
    const GrCustomLineStyle dashed = {pen(15), 1, 4, dash};
    GrCustomLine(x, y, x + 100, y + 12, &dashed);
    const GrCustomLineStyle wide = {pen(12), 5, 0, nullptr};
    const int zig[5][2] = {{x, y + 30}, {x + 25, y + 50}, {x + 50, y + 25}, {x + 75, y + 55},
                           {x + 100, y + 30}};
    GrCustomPolyLine(5, zig, &wide);
    static const unsigned char long_dash[] = {10, 5};
    const GrCustomLineStyle wide_dashed = {pen(10), 4, 2, long_dash};
    const int tri[3][2] = {{x + 120, y + 5}, {x + 170, y + 55}, {x + 115, y + 50}};
    GrCustomPolygon(3, tri, &wide_dashed);
    static const unsigned char dots[] = {2, 2};
    const GrCustomLineStyle dotted = {pen(11), 1, 2, dots};
    GrCustomBox(x + 180, y + 5, x + 215, y + 55, &dotted);
}

GrTextStyle style(GrFont *f, GrColor fg, GrColor bg, int dir, int xal, int yal)
{
    GrTextStyle t;
    t.font = f;
    t.fgcolor.v = fg;
    t.bgcolor.v = bg;
    t.chrtype = GR_BYTE_TEXT;
    t.direction = static_cast<signed char>(dir);
    t.xalign = static_cast<signed char>(xal);
    t.yalign = static_cast<signed char>(yal);
    return t;
}

void text(const char *s, int x, int y, const GrTextStyle &t)
{
    GrDrawString(s, static_cast<int>(strlen(s)), x, y, &t);
}

// Text in both built-in fonts, solid and transparent, underlined, in all
// four directions, aligned around a marked point, and in a converted font.
void texts(int x, int y)
{
    GrFont *f16 = &GrFont_PC8x16, *f8 = &GrFont_PC8x8;
    text("PXL 8x16 \x01\x03\xB0\xDB", x, y, style(f16, pen(15), pen(1), GR_TEXT_RIGHT, 0, 0));
    text("transparent", x, y + 18, style(f16, pen(14), GR_NOCOLOR, GR_TEXT_RIGHT, 0, 0));
    text("underline", x + 100, y + 18,
         style(f16, pen(11) | GR_UNDERLINE_TEXT, GR_NOCOLOR, GR_TEXT_RIGHT, 0, 0));
    text("8x8 font: quick fox", x, y + 38, style(f8, pen(10), pen(0), GR_TEXT_RIGHT, 0, 0));
    // four directions from one corner, and the centre/baseline anchor
    const int cx = x + 200, cy = y + 60;
    GrHLine(cx - 3, cx + 3, cy, pen(12));
    GrVLine(cx, cy - 3, cy + 3, pen(12));
    text("down", cx + 4, y + 4, style(f8, pen(13), pen(0), GR_TEXT_DOWN, 0, 0));
    text("up", cx - 16, y + 52, style(f8, pen(13), pen(0), GR_TEXT_UP, 0, 2));
    text("left", x + 120, y + 60, style(f8, pen(9), pen(0), GR_TEXT_LEFT, 0, 0));
    text("mid", cx, cy, style(f16, pen(15), GR_NOCOLOR, GR_TEXT_RIGHT, 1, 3));
    // a scaled, bold, slanted, proportional copy of the 8x16 font
    GrFont *cv = GrBuildConvertedFont(
        f16, GR_FONTCVT_SCALE | GR_FONTCVT_EMBOLDEN | GR_FONTCVT_SLANT | GR_FONTCVT_PROPORTIONAL,
        12, 24, 0, 0);
    if (cv != nullptr) {
        text("Converted", x, y + 56, style(cv, pen(14), GR_NOCOLOR, GR_TEXT_RIGHT, 0, 0));
        GrUnloadFont(cv);
    }
}

// Every horizontal and vertical alignment, each around its own marked
// point: left, centre, right across; top, middle, bottom, baseline down.
void alignments(int x, int y)
{
    static const char *const names[3][4] = {{"LT", "LM", "LB", "L_"},
                                              {"CT", "CM", "CB", "C_"},
                                              {"RT", "RM", "RB", "R_"}};
    for (int xa = 0; xa < 3; xa++)
        for (int ya = 0; ya < 4; ya++) {
            const int px = x + 40 + 70 * xa, py = y + 10 + 22 * ya;
            GrHLine(px - 2, px + 2, py, pen(12));
            GrVLine(px, py - 2, py + 2, pen(12));
            text(names[xa][ya], px, py, style(&GrFont_PC8x16, pen(7), GR_NOCOLOR, GR_TEXT_RIGHT, xa, ya));
        }
}

// The built-in glyphs as the ink of generated font files, so that fonts
// loaded from every file format show legible text.
bool pc16(int c, int x, int y)
{
    const GrFont &f = GrFont_PC8x16;
    return c >= 0 && c < 256 && x < 8 && y < 16 &&
           (f.bitmap[c * 16 + y] & (0x80 >> x)) != 0;
}

bool pc8(int c, int x, int y)
{
    const GrFont &f = GrFont_PC8x8;
    return c >= 0 && c < 256 && x < 8 && y < 8 && (f.bitmap[c * 8 + y] & (0x80 >> x)) != 0;
}

// The letters C, H and R as strokes (y up from the baseline).
fgen::StrokeFont chr_letters()
{
    fgen::StrokeFont f;
    f.first = 'C';
    f.ascent = 24;
    f.descent = 0;
    f.name = "CARD";
    for (int c = 'C'; c <= 'R'; c++) {
        std::vector<fgen::Stroke> s;
        if (c == 'C')
            s = {{'M', 14, 20}, {'L', 10, 24}, {'L', 4, 24}, {'L', 0, 20}, {'L', 0, 4},
                 {'L', 4, 0}, {'L', 10, 0}, {'L', 14, 4}};
        else if (c == 'H')
            s = {{'M', 0, 0}, {'L', 0, 24}, {'M', 14, 0}, {'L', 14, 24}, {'M', 0, 12},
                 {'L', 14, 12}};
        else if (c == 'R')
            s = {{'M', 0, 0}, {'L', 0, 24}, {'L', 10, 24}, {'L', 14, 20}, {'L', 14, 16},
                 {'L', 10, 12}, {'L', 0, 12}, {'M', 6, 12}, {'L', 14, 0}};
        f.chars.push_back(s);
        f.widths.push_back(18);
    }
    return f;
}

// One line in a font loaded from each file format: native, PSF, raw, text,
// Windows resource, and stroke (drawn as a bitmap font at 16 x 24).
void loaded_fonts(int x, int y)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path dir = fs::temp_directory_path(ec) / ("pxl-card-" + std::to_string(getpid()));
    fs::create_directories(dir, ec);
    fgen::Font f16;
    f16.ink = pc16;
    f16.name = "card";
    f16.family = "card";
    fgen::Font f8 = f16;
    f8.ink = pc8;
    f8.height = 8;
    f8.baseline = 6;
    struct Sample {
        const char *file, *label;
        fgen::Bytes data;
        int cvt, w, h;
    } samples[] = {
        {"card.fnt", "fnt", fgen::fnt(f16), 0, 0, 0},
        {"card.psf", "psf", fgen::psf1(16, false, false, pc16), 0, 0, 0},
        {"raw8.bin", "raw", fgen::raw(8, 8, pc8), 0, 0, 0},
        {"card.fna", "fna", {}, 0, 0, 0},
        {"card.res", "win", fgen::win(f8, true), 0, 0, 0},
        {"card.chr", "CHR", fgen::chr(chr_letters()), GR_FONTCVT_SCALE, 16, 24},
    };
    const std::string fna = fgen::fna(f16);
    samples[3].data.assign(fna.begin(), fna.end());
    for (const Sample &s : samples) {
        const std::string path = (dir / s.file).string();
        GrFont *font = nullptr;
        if (fgen::save(path, s.data))
            font = GrLoadConvertedFont(path.c_str(), s.cvt, s.w, s.h, 0, 0);
        if (font != nullptr) {
            text(s.label, x, y, style(font, pen(10 + (x / 40) % 6), GR_NOCOLOR, GR_TEXT_RIGHT, 0, 3));
            x += static_cast<int>(GrProportionalTextWidth(font, s.label, 3, GR_BYTE_TEXT)) + 8;
            GrUnloadFont(font);
        }
        fs::remove(path, ec);
    }
    fs::remove(dir, ec);
}

// Stroke text in the ten standard fonts, through the BGI layer: two rows
// of names, each moving the current position on.
void stroke_fonts(int y)
{
    static const char *const names[10] = {"Triplex", "Small",   "Sans",    "Gothic", "Script",
                                          "Simplex", "TScript", "Complex", "Euro",   "Bold"};
    for (int i = 0; i < 10; i++) {
        if (i % 5 == 0)
            moveto(8, y + (i / 5) * 34);
        settextstyle(i + 1, HORIZ_DIR, 2);
        setcolor(static_cast<int>(pen(9 + i % 7)));
        outtext(names[i]);
        moverel(14, 0);
    }
}

}  // namespace

int testcard_draw(int w, int h, int bpp)
{
    return testcard_draw_on("memory", w, h, bpp);
}

int testcard_draw_on(const char *driver, int w, int h, int bpp)
{
    if (!GrSetDriver(driver) || bpp < 1 || bpp > 24)
        return -1;
    if (__gr_INIT)
        closegraph();
    // the BGI layer sets the mode, so that its stroke text can be shown
    int gd, gm;
    set_BGI_mode_whc(&gd, &gm, w, h, 1 << bpp);
    initgraph(&gd, &gm, PXL_SOURCE_FONTS);
    if (graphresult() != grOk)
        return -1;
    GrClearScreen(GrBlack());
    // the stroke fonts get a band of their own below the rest
    const int band = h > 2 * kStrokeBand ? kStrokeBand : 0;
    h -= band;
    GrContext top;
    if (GrCreateSubContext(0, 0, w - 1, h - 1, nullptr, &top) == nullptr)
        return -1;
    GrSetContext(&top);
    colour_bars(w);
    line_star(w / 4, h / 2 + 8, h / 3, h / 5);
    boxes(w / 2 - 10, 20);
    runs(w / 2 - 10, 70);
    sub_context(w / 2 + 100, 70);
    round_shapes(w / 2 - 10, 140);
    polygons(w / 2 - 10, 205);
    patterns(w / 2 + 155, 182);
    custom_lines(10, 280);
    texts(w / 2 + 5, 262);
    alignments(0, 18);
    loaded_fonts(w / 2 + 5, 356);
    // the outline of the card, on its edges
    GrBox(0, 12, w - 1, h - 1, GrWhite());
    GrSetContext(nullptr);
    if (band > 0)
        stroke_fonts(h + 4);
    return 0;
}
