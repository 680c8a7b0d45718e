// Native bitmap font files (.fnt): a 56-byte header, a width table for
// proportional fonts, then the glyphs of minchar..maxchar one after another.
#include <cstdlib>
#include <cstring>

#include "fdvfile.h"
#include "libpxl.h"

#define FNT_MAGIC 0x19590214U
#define FNT_HDRSIZE 56

static struct {
    unsigned width, height, minchar, maxchar, isfixed, baseline, undwidth;
    char name[16], family[16];
} fhdr;
static _GR_fontFile fontfp = {nullptr, 0, -1};
static unsigned *wtable;   // character widths of a proportional font
static int64_t wtsize;     // bytes of the width table in the file
static unsigned nextch;    // the character whose glyph comes next in the file
static int64_t nextpos;    // and where it starts

static void cleanup(void)
{
    _GrFontFileClose(&fontfp);
    free(wtable);
    wtable = nullptr;
    wtsize = 0;
    nextch = 0;
    nextpos = 0;
}

static unsigned chrwidth(unsigned code)
{
    return fhdr.isfixed ? fhdr.width : wtable[code - fhdr.minchar];
}

static int64_t glyphsize(unsigned code)
{
    return (int64_t)((chrwidth(code) + 7) / 8) * fhdr.height;
}

static int openfile(const char *fname)
{
    unsigned char h[FNT_HDRSIZE];
    cleanup();
    if (!_GrFontFileOpen(&fontfp, fname) || !_GrFontFileRead(&fontfp, 0, h, FNT_HDRSIZE) ||
        _GrFontLE32(h) != FNT_MAGIC)
        goto refuse;
    fhdr.width = _GrFontLE16(h + 8);
    fhdr.height = _GrFontLE16(h + 10);
    fhdr.minchar = _GrFontLE16(h + 12);
    fhdr.maxchar = _GrFontLE16(h + 14);
    fhdr.isfixed = _GrFontLE16(h + 16);
    fhdr.baseline = _GrFontLE16(h + 20);
    fhdr.undwidth = _GrFontLE16(h + 22);
    memcpy(fhdr.name, h + 24, 16);
    memcpy(fhdr.family, h + 40, 16);
    if (fhdr.maxchar < fhdr.minchar || fhdr.width == 0 || fhdr.width > FDV_MAXSIDE ||
        fhdr.height == 0 || fhdr.height > FDV_MAXSIDE)
        goto refuse;
    {
        unsigned n = fhdr.maxchar - fhdr.minchar + 1;
        if (!fhdr.isfixed) {
            unsigned char *raw = (unsigned char *)malloc(2 * (size_t)n);
            wtable = (unsigned *)malloc(n * sizeof *wtable);
            wtsize = 2 * (int64_t)n;
            int ok = raw != nullptr && wtable != nullptr &&
                     _GrFontFileRead(&fontfp, FNT_HDRSIZE, raw, wtsize);
            for (unsigned i = 0; ok && i < n; i++) {
                wtable[i] = _GrFontLE16(raw + 2 * i);
                ok = wtable[i] > 0 && wtable[i] <= FDV_MAXSIDE;
            }
            free(raw);
            if (!ok)
                goto refuse;
        }
        // every glyph must be in the file before anything is built from it
        int64_t total = 0;
        for (unsigned c = fhdr.minchar; c <= fhdr.maxchar; c++)
            total += glyphsize(c);
        if (!_GrFontFileHas(&fontfp, FNT_HDRSIZE + wtsize, total))
            goto refuse;
    }
    nextch = fhdr.minchar;
    nextpos = FNT_HDRSIZE + wtsize;
    return 1;
refuse:
    cleanup();
    return 0;
}

static int header(struct _GR_fontHeader *hdr)
{
    if (fontfp.fp == nullptr)
        return 0;
    memcpy(hdr->name, fhdr.name, 16);
    hdr->name[16] = '\0';
    memcpy(hdr->family, fhdr.family, 16);
    hdr->family[16] = '\0';
    hdr->proportional = fhdr.isfixed == 0;
    hdr->scalable = 0;
    hdr->preloaded = 0;
    hdr->modified = 0;
    hdr->width = fhdr.width;
    hdr->height = fhdr.height;
    hdr->baseline = fhdr.baseline;
    // a thicker underline than the font would put ulpos above row 0
    hdr->ulheight = fhdr.undwidth < fhdr.height ? fhdr.undwidth : fhdr.height;
    hdr->ulpos = fhdr.height - hdr->ulheight;
    hdr->minchar = fhdr.minchar;
    hdr->numchars = fhdr.maxchar - fhdr.minchar + 1;
    return 1;
}

static int charwdt(int chr)
{
    if (fontfp.fp == nullptr || chr < (int)fhdr.minchar || chr > (int)fhdr.maxchar)
        return -1;
    return (int)chrwidth((unsigned)chr);
}

static int bitmap(int chr, int w, int h, char *buffer)
{
    if (w <= 0 || w != charwdt(chr) || h <= 0 || h != (int)fhdr.height)
        return 0;
    if ((unsigned)chr != nextch) {
        nextpos = FNT_HDRSIZE + wtsize;
        for (unsigned c = fhdr.minchar; c < (unsigned)chr; c++)
            nextpos += glyphsize(c);
    }
    int64_t size = glyphsize((unsigned)chr);
    if (!_GrFontFileRead(&fontfp, nextpos, buffer, size)) {
        nextch = fhdr.maxchar + 1;  // position unknown: walk again next time
        return 0;
    }
    _GrFontClearPadding(buffer, w, h);
    nextch = (unsigned)chr + 1;
    nextpos += size;
    return 1;
}

static constexpr _GR_fontDriver record()
{
    _GR_fontDriver r{};
    r.name = "PXL";
    r.ext = ".fnt";
    r.scalable = 0;
    r.openfile = openfile;
    r.header = header;
    r.charwdt = charwdt;
    r.bitmap = bitmap;
    r.cleanup = cleanup;
    return r;
}

const struct _GR_fontDriver _GrFontDriverPXL = record();
