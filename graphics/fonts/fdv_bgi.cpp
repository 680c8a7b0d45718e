// BGI stroke fonts (.chr): every character is a list of pen moves and lines
// on a small signed grid. The strokes are measured once when the file is
// opened and drawn as 1-pixel lines at whatever size the builder asks for.
#include <cstdlib>
#include <cstring>

#include "fdvfile.h"
#include "libpxl.h"

#define CHR_MINSIZE 30        // anything shorter cannot hold a font
#define CHR_MAXSIZE (1 << 20) // far past the reach of the 16-bit offsets
#define CHR_TEXTEND 115       // the 0x1A byte must come at or before this
#define CHR_HDRSIZE 17        // font header before the offset table

enum { OP_END, OP_MOVE, OP_SKIP, OP_DRAW };

static unsigned char *fdata;       // the whole file
static int64_t fsize;
static const unsigned char *fhdr;  // H and the internal name, after the 0x1A
static const unsigned char *fhtp;  // font header at H
static const unsigned char *offsets, *wtable;
static int64_t vecpos;             // file offset of the stroke data
static unsigned firstch, nchars;   // codes above 255 are left out
static int ascent, descent, orgbase;
static int *realwdt, *xoffset;     // per character, one allocation
static int realhgt, yoffset;

static void cleanup(void)
{
    free(fdata);
    free(realwdt);
    fdata = nullptr;
    fsize = 0;
    fhdr = fhtp = offsets = wtable = nullptr;
    realwdt = xoffset = nullptr;
    nchars = 0;
    realhgt = yoffset = 0;
}

// Decodes the command at p: op bits and the 7-bit signed coordinates.
static int command(const unsigned char *p, int *x, int *y)
{
    *x = (p[0] & 0x3F) - (p[0] & 0x40);
    *y = (p[1] & 0x3F) - (p[1] & 0x40);
    return (p[0] >> 7) | (p[1] >> 7) << 1;
}

// Offset in the file of the stroke command k of character i, or -1 when
// it does not lie wholly inside the file.
static int64_t cmdpos(unsigned i, int64_t k)
{
    int64_t p = vecpos + _GrFontLE16(offsets + 2 * i) + 2 * k;
    return p + 2 <= fsize ? p : -1;
}

// Walks the stroke list of character i from the pen position (cx, cy):
// seg(x1, y1, x2, y2) for every line, with y turned to grow downward from
// the top of the ascent. 0 when the list runs out of the file.
template <class Seg> static int walk(unsigned i, int cx, int cy, Seg seg)
{
    int x, y;
    for (int64_t k = 0;; k++) {
        int64_t p = cmdpos(i, k);
        if (p < 0)
            return 0;
        int op = command(fdata + p, &x, &y);
        if (op == OP_END)
            return 1;
        if (op == OP_SKIP)
            continue;
        y = ascent - y;
        if (op == OP_DRAW)
            seg(cx, cy, x, y);
        cx = x;
        cy = y;
    }
}

// Finds every character's extents over the points that take part in a
// line; refuses stroke lists that run out of the file.
static int measure(void)
{
    int ymin = 0, ymax = -1, drawn = 0;
    for (unsigned i = 0; i < nchars; i++) {
        int xmin = 0, xmax = -1, any = 0;
        auto extend = [&](int px, int py) {
            if (!any || px < xmin) xmin = px;
            if (!any || px > xmax) xmax = px;
            if (!drawn || py < ymin) ymin = py;
            if (!drawn || py > ymax) ymax = py;
            any = drawn = 1;
        };
        if (!walk(i, 0, 0, [&](int x1, int y1, int x2, int y2) {
                extend(x1, y1);
                extend(x2, y2);
            }))
            return 0;
    int adv = wtable[i];
        xoffset[i] = xmin < 0 ? -xmin : 0;
        realwdt[i] = xoffset[i] + (adv > xmax + 1 ? adv : xmax + 1);
        if (realwdt[i] < 1)
            realwdt[i] = 1;
    }
    yoffset = ymin < 0 ? -ymin : 0;
    realhgt = yoffset + (ascent - descent > ymax + 1 ? ascent - descent : ymax + 1);
    // a single row would divide by zero when rows are scaled
    return realhgt >= 2;
}

static int openfile(const char *fname)
{
    cleanup();
    fdata = _GrFontFileLoad(fname, CHR_MAXSIZE, &fsize);
    if (fdata == nullptr || fsize < CHR_MINSIZE || memcmp(fdata, "PK\b\b", 4) != 0)
        goto refuse;
    {
        // the descriptive text is a C string: a NUL ends the search
        int64_t t = 0;
        while (t <= CHR_TEXTEND && t < fsize && fdata[t] != 0 && fdata[t] != 0x1A)
            t++;
        if (t > CHR_TEXTEND || t >= fsize || fdata[t] != 0x1A || t + 7 > fsize)
            goto refuse;
        fhdr = fdata + t + 1;
        int64_t h = _GrFontLE16(fhdr);
        if (h + CHR_HDRSIZE > fsize || fdata[h] != '+')
            goto refuse;
        fhtp = fdata + h;
        unsigned n = _GrFontLE16(fhtp + 2);
        if (h + CHR_HDRSIZE + 3 * (int64_t)n > fsize)
            goto refuse;
        firstch = fhtp[5];
        nchars = n < 256 - firstch ? n : 256 - firstch;
        vecpos = h + _GrFontLE16(fhtp + 6);
        ascent = fhtp[9];
        orgbase = (signed char)fhtp[10];
        descent = (signed char)fhtp[11];
        offsets = fhtp + CHR_HDRSIZE;
        wtable = offsets + 2 * n;
    }
    realwdt = (int *)malloc((2 * (size_t)nchars + 1) * sizeof(int));
    if (realwdt == nullptr)
        goto refuse;
    xoffset = realwdt + nchars;
    if (!measure())
        goto refuse;
    return 1;
refuse:
    cleanup();
    return 0;
}

static int header(struct _GR_fontHeader *hdr)
{
    if (fdata == nullptr || nchars == 0)
        return 0;
    unsigned sum = 0;
    for (unsigned i = 0; i < nchars; i++)
        sum += (unsigned)realwdt[i];
    memcpy(hdr->name, fhdr + 2, 4);
    hdr->name[4] = '\0';
    strcpy(hdr->family, "BGI");
    hdr->proportional = 1;
    hdr->scalable = 1;
    hdr->preloaded = 0;
    hdr->modified = 0;
    hdr->width = (sum + nchars / 2) / nchars;
    hdr->height = (unsigned)realhgt;
    // an origin above the top would make the baseline negative
    int base = ascent - orgbase + yoffset;
    hdr->baseline = base > 0 ? (unsigned)base : 0;
    hdr->ulheight = realhgt / 15 > 1 ? (unsigned)(realhgt / 15) : 1;
    hdr->ulpos = (unsigned)realhgt - hdr->ulheight;
    hdr->minchar = firstch;
    hdr->numchars = nchars;
    return 1;
}

static int charwdt(int chr)
{
    if (fdata == nullptr || chr < (int)firstch || chr >= (int)(firstch + nchars))
        return -1;
    return realwdt[chr - firstch];
}

static void setpixel(char *buffer, int bpr, int w, int h, int x, int y)
{
    if (x >= 0 && x < w && y >= 0 && y < h)
        buffer[y * bpr + x / 8] = (char)(buffer[y * bpr + x / 8] | (0x80 >> (x % 8)));
}

// Bresenham's line, both ends included.
static void line(char *buffer, int bpr, int w, int h, int x1, int y1, int x2, int y2)
{
    int dx = abs(x2 - x1), dy = abs(y2 - y1);
    int sx = x2 < x1 ? -1 : 1, sy = y2 < y1 ? -1 : 1;
    int major = dx > dy ? dx : dy, minor = dx > dy ? dy : dx;
    int err = major / 2;
    for (int i = 0; i <= major; i++) {
        setpixel(buffer, bpr, w, h, x1, y1);
        err -= minor;
        if (dx > dy) {
            x1 += sx;
            if (err < 0) {
                err += major;
                y1 += sy;
            }
        } else {
            y1 += sy;
            if (err < 0) {
                err += major;
                x1 += sx;
            }
        }
    }
}

static int scale(int v, int size, int real)
{
    return (int)(((uint64_t)v * 2 * (uint64_t)(size - 1) / (uint64_t)(real - 1) + 1) / 2);
}

static int bitmap(int chr, int w, int h, char *buffer)
{
    if (charwdt(chr) < 0 || w <= 0 || h <= 0)
        return 0;
    int bpr = (w + 7) / 8;
    unsigned i = (unsigned)chr - firstch;
    memset(buffer, 0, (size_t)bpr * (size_t)h);
    if (realwdt[i] <= 1)
        return 1;
    const int xo = xoffset[i], yo = yoffset, rw = realwdt[i];
    // the pen starts at the glyph's own (0, 0), where the offsets put it
    return walk(i, -xo, -yo, [&](int x1, int y1, int x2, int y2) {
        line(buffer, bpr, w, h, scale(x1 + xo, w, rw), scale(y1 + yo, h, realhgt),
             scale(x2 + xo, w, rw), scale(y2 + yo, h, realhgt));
    });
}

static constexpr _GR_fontDriver record()
{
    _GR_fontDriver r{};
    r.name = "BGI";
    r.ext = ".chr";
    r.scalable = 1;
    r.openfile = openfile;
    r.header = header;
    r.charwdt = charwdt;
    r.bitmap = bitmap;
    r.cleanup = cleanup;
    return r;
}

const struct _GR_fontDriver _GrFontDriverBGI = record();
