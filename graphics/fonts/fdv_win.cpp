// Windows raster fonts, version 2.00, alone or behind a 16-bit resource
// header. Glyphs are stored column by column: for each byte-wide column,
// one byte per row.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fdvfile.h"
#include "libpxl.h"

#define WIN_RESHDR 12     // font data behind a resource header
#define WIN_HDRSIZE 0x76  // font header up to the character table
#define WIN_MAXFACE 99

static _GR_fontFile fontfp = {nullptr, 0, -1};
static int64_t base;  // where the font data starts in the file
static struct {
    unsigned ascent, pixwidth, pixheight, pitchfamily, avgwidth, firstch, lastch;
    uint32_t face;
} fhdr;
static unsigned char *ctable;  // width and offset of each character, 4 bytes each

static const char *const families[] = {
    "Unknown", "Roman", "Swiss", "Modern", "Script", "Decorative",
};

static void cleanup(void)
{
    _GrFontFileClose(&fontfp);
    free(ctable);
    ctable = nullptr;
    base = 0;
    memset(&fhdr, 0, sizeof fhdr);
}

static unsigned chrwidth(unsigned i) { return _GrFontLE16(ctable + 4 * i); }
static unsigned chroffset(unsigned i) { return _GrFontLE16(ctable + 4 * i + 2); }

static int openfile(const char *fname)
{
    unsigned char h[WIN_HDRSIZE];
    cleanup();
    if (!_GrFontFileOpen(&fontfp, fname) || !_GrFontFileRead(&fontfp, 0, h, 4))
        goto refuse;
    base = h[0] == 0xFF && _GrFontLE16(h + 1) == 8 && h[3] == 0xFF ? WIN_RESHDR : 0;
    if (!_GrFontFileRead(&fontfp, base, h, WIN_HDRSIZE) || _GrFontLE16(h) != 0x0200 ||
        _GrFontLE16(h + 0x42) != 0)
        goto refuse;
    fhdr.ascent = _GrFontLE16(h + 0x4A);
    fhdr.pixwidth = _GrFontLE16(h + 0x56);
    fhdr.pixheight = _GrFontLE16(h + 0x58);
    fhdr.pitchfamily = h[0x5A];
    fhdr.avgwidth = _GrFontLE16(h + 0x5B);
    fhdr.firstch = h[0x5F];
    fhdr.lastch = h[0x60];
    fhdr.face = _GrFontLE32(h + 0x69);
    {
        unsigned width = fhdr.pixwidth ? fhdr.pixwidth : fhdr.avgwidth;
        if (fhdr.lastch < fhdr.firstch || fhdr.pixheight == 0 || fhdr.pixheight > FDV_MAXSIDE ||
            width == 0 || width > FDV_MAXSIDE)
            goto refuse;
        unsigned n = fhdr.lastch - fhdr.firstch + 2;  // one entry past the last
        ctable = (unsigned char *)malloc(4 * (size_t)n);
        if (ctable == nullptr || !_GrFontFileRead(&fontfp, base + WIN_HDRSIZE, ctable, 4 * n))
            goto refuse;
        // every glyph must be in the file before anything is built from it
        for (unsigned i = 0; i + 1 < n; i++) {
            unsigned w = chrwidth(i);
            if (w == 0 || w > FDV_MAXSIDE ||
                !_GrFontFileHas(&fontfp, base + chroffset(i),
                                (int64_t)((w + 7) / 8) * fhdr.pixheight))
                goto refuse;
        }
    }
    return 1;
refuse:
    cleanup();
    return 0;
}

static int header(struct _GR_fontHeader *hdr)
{
    if (fontfp.fp == nullptr)
        return 0;
    unsigned fam = fhdr.pitchfamily >> 4;
    if (fam < sizeof families / sizeof families[0])
        strcpy(hdr->family, families[fam]);
    else
        snprintf(hdr->family, 100, "0x%x", fhdr.pitchfamily);
    if (fhdr.face == 0)
        snprintf(hdr->name, 100, "%s-%u", hdr->family, fhdr.pixheight);
    else {
        // a face name that runs into the end of the file is refused
        int64_t at = base + fhdr.face;
        int n = 0;
        for (; n < WIN_MAXFACE; n++) {
            if (!_GrFontFileRead(&fontfp, at + n, hdr->name + n, 1))
                return 0;
            if (hdr->name[n] == '\0')
                break;
        }
        hdr->name[n] = '\0';
    }
    hdr->proportional = fhdr.pixwidth == 0;
    hdr->scalable = 0;
    hdr->preloaded = 0;
    hdr->modified = 0;
    hdr->width = fhdr.pixwidth ? fhdr.pixwidth : fhdr.avgwidth;
    hdr->height = fhdr.pixheight;
    hdr->baseline = fhdr.ascent;
    hdr->ulheight = fhdr.pixheight / 15 > 1 ? fhdr.pixheight / 15 : 1;
    hdr->ulpos = fhdr.pixheight - hdr->ulheight;
    hdr->minchar = fhdr.firstch;
    hdr->numchars = fhdr.lastch - fhdr.firstch + 1;
    return 1;
}

static int charwdt(int chr)
{
    if (fontfp.fp == nullptr || chr < (int)fhdr.firstch || chr > (int)fhdr.lastch)
        return -1;
    return (int)chrwidth((unsigned)chr - fhdr.firstch);
}

static int bitmap(int chr, int w, int h, char *buffer)
{
    if (w <= 0 || w != charwdt(chr) || h != (int)fhdr.pixheight)
        return 0;
    int bpr = (w + 7) / 8;
    size_t size = (size_t)bpr * (size_t)h;
    unsigned char *cols = (unsigned char *)malloc(size);
    int ok = cols != nullptr &&
             _GrFontFileRead(&fontfp, base + chroffset((unsigned)chr - fhdr.firstch), cols,
                             (int64_t)size);
    if (ok) {
        for (int x = 0; x < bpr; x++)
            for (int y = 0; y < h; y++)
                buffer[y * bpr + x] = (char)cols[x * h + y];
        _GrFontClearPadding(buffer, w, h);
    }
    free(cols);
    return ok;
}

static constexpr _GR_fontDriver record()
{
    _GR_fontDriver r{};
    r.name = "WIN";
    r.ext = ".res";
    r.scalable = 0;
    r.openfile = openfile;
    r.header = header;
    r.charwdt = charwdt;
    r.bitmap = bitmap;
    r.cleanup = cleanup;
    return r;
}

const struct _GR_fontDriver _GrFontDriverWIN = record();
