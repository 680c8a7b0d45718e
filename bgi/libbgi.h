// What the sources of the BGI layer share: coordinate and colour helpers,
// the stroke font slots and their character tables. Internal.
#ifndef LIBBGI_H_INCLUDED
#define LIBBGI_H_INCLUDED

#include <climits>
#include <cstddef>
#include <cstdint>

#include "graphics.h"
#include "libpxl.h"

// a + b, held to the int range: coordinates near the limits stay ordered
inline int _GrBgiAdd(int a, int b)
{
    const int64_t s = static_cast<int64_t>(a) + b;
    return s > INT_MAX ? INT_MAX : s < INT_MIN ? INT_MIN : static_cast<int>(s);
}

// viewport coordinates to screen coordinates on the active page
inline int _GrBgiX(int x) { return _GrBgiAdd(x, __gr_vpl); }
inline int _GrBgiY(int y) { return _GrBgiAdd(_GrBgiAdd(y, __gr_vpt), __gr_Y_page_offs); }

// false, with the result -1, while graphics are not initialised
inline bool _GrBgiReady()
{
    if (__gr_INIT)
        return true;
    __gr_Result = grNoInitGraph;
    return false;
}

// the colour of lines and outlines
inline GrColor _GrBgiLineColor() { return static_cast<GrColor>(__gr_color | __gr_WR); }

// the thin solid line needs no custom line
inline bool _GrBgiPlainLine() { return __gr_lstyle == SOLID_LINE && __gr_Line.width == 1; }

// One line in the current line style, screen coordinates.
void _GrBgiDrawLine(int x1, int y1, int x2, int y2);

// The current fill (pattern, colours) as a filler and its argument.
inline const GrFillOps *_GrBgiFiller(GrFillArg *arg)
{
    if (__gr_fpatno == EMPTY_FILL || __gr_fpatno == SOLID_FILL) {
        arg->color = static_cast<GrColor>(__gr_fpatno == EMPTY_FILL ? __gr_colorbg : __gr_colorfill);
        return &_GrSolidFiller;
    }
    __gr_fillpattern.bitmap.fg = static_cast<GrColor>(__gr_colorfill);
    __gr_fillpattern.bitmap.bg = static_cast<GrColor>(__gr_colorbg);
    arg->pattern = &__gr_fillpattern;
    return &_GrPatternFiller;
}

// Degrees to the tenths of the core, held to the int range.
int _GrBgiTenths(int deg);

// A radius corrected by the aspect ratio.
int _GrBgiAspect(int r);

// The mode node number n (0 = mode 4), or null.
const struct _GR_bgiMode *_GrBgiModeNode(int n);
// The size and colours of list mode `mode`, or false with the result set
// (-1 before initgraph, -10 for a mode not in the list).
bool _GrBgiListMode(int mode, int *w, int *h, int *c);

// Screen width and height of the mode in force.
inline int _GrBgiWidth() { return _GrDriverInfo.current_mode->width; }
inline int _GrBgiHeight() { return _GrDriverInfo.current_mode->height; }

// Keys met while the mouse calls read the event queue: whether one waits,
// and the oldest (-1: none).
int _GrBgiKeyWaiting(void);
int _GrBgiTakeKey(void);

// ---- stroke fonts ----

#define GR_BGI_FIRSTSTROKE 1
#define GR_BGI_LASTSTROKE 20
#define GR_BGI_FIRSTUSER 11   // stroke fonts past the standard ten
#define GR_BGI_FIRSTBITMAP 21
#define GR_BGI_LASTBITMAP 30
#define GR_BGI_UNKNOWNLEN SIZE_MAX  // an image registered from memory

// A character of a stroke font: its advance and its first stroke command.
struct _GR_chrEntry {
    const unsigned char *strokes;  // null: draws nothing
    unsigned width;
};

// The 256-entry table of a stroke font; strokes never run past end (null
// for an image of unknown length).
struct _GR_chrTable {
    struct _GR_chrEntry c[256];
    const unsigned char *end;
};

// What the layer knows of each stroke font slot besides the image.
struct _GR_bgiSlot {
    size_t len;                 // bytes of the image, or GR_BGI_UNKNOWNLEN
    int owned;                  // loaded (and so freed) by the layer
    struct _GR_chrTable *chi;   // made on first use
    int height;                 // ascent - descent
};
extern struct _GR_bgiSlot _GrBgiSlots[GR_BGI_LASTSTROKE + 1];

// the standard stroke fonts' file names by slot; 0 and 11 hold "" and null
extern const char *const __gr_text_StdFonts[12];

// Registers an image of len bytes in a stroke slot; the slot or an error.
int _GrBgiRegisterFont(int first, int last, void *image, size_t len, int owned);
// Fills a table from an image of len bytes; 1, or 0 when unusable.
int _GrBgiChrTable(const unsigned char *image, size_t len, struct _GR_chrTable *t, int *height);
// Loads a standard stroke font into its slot from the font directories.
int _GrBgiLoadStdFont(int font);
// The stroke commands of one character, from (cx, cy) in font units:
// seg(x1, y1, x2, y2) for every line; returns the end point in (cx, cy).
template <class Seg>
void _GrBgiStrokes(const struct _GR_chrEntry &e, const unsigned char *end, int *cx, int *cy,
                   Seg seg)
{
    for (const unsigned char *p = e.strokes; p != nullptr && (end == nullptr || end - p >= 2);
         p += 2) {
        const int op = (p[0] >> 7) | (p[1] >> 7) << 1;
        if (op == 0)
            break;
        if (op == 2)
            continue;
        const int x = (p[0] & 0x3F) - (p[0] & 0x40), y = (p[1] & 0x3F) - (p[1] & 0x40);
        if (op == 3)
            seg(*cx, *cy, x, y);
        *cx = x;
        *cy = y;
    }
}

// The text drawn and measured by the current settings (text[0..len-1]);
// the advance of the pen is added to *x (across) or taken from *y (up).
void _outtextxy(int *x, int *y, int sx, int sy, int len, const char *text);
void __gr_text_bit(int *x, int *y, int sx, int sy, int len, const char *text, GrFont *f);
void __gr_text_vec(int *x, int *y, int sx, int sy, int len, const char *text);
// u font units as pixels, u * mult / div truncated; a scale written with
// a zero divisor counts as 1:1
inline int _GrBgiScale(int u, int mult, int div)
{
    if (div == 0)
        return u;
    const int64_t v = static_cast<int64_t>(u) * mult / div;
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}
inline int _GrBgiScaleX(int u) { return _GrBgiScale(u, __gr_text_multx, __gr_text_divx); }
inline int _GrBgiScaleY(int u) { return _GrBgiScale(u, __gr_text_multy, __gr_text_divy); }
// the scale of character size s (1..10), or the user scale for 0
void _GrBgiSetScale(int size);

#endif
