// The test card, drawn into a memory mode. Every primitive of the library
// appears here, so that one reviewed picture per depth guards them all.
#include "card.h"

#include "pxl.h"

namespace {

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

}  // namespace

int testcard_draw(int w, int h, int bpp)
{
    if (!GrSetDriver("memory"))
        return -1;
    GrSetMode(GR_mode_graphics_size_bpp, w, h, bpp);
    GrClearScreen(GrBlack());
    colour_bars(w);
    line_star(w / 4, h / 2 + 8, h / 3, h / 5);
    boxes(w / 2 - 10, 20);
    runs(w / 2 - 10, 70);
    sub_context(w / 2 + 100, 70);
    // the outline of the whole card, on its edges
    GrBox(0, 12, w - 1, h - 1, GrWhite());
    return 0;
}
