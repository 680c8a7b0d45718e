// Headerless bitmap dumps and PSF console fonts: the glyphs of codes from 0
// on, one after another, rows of (width + 7) / 8 bytes. The first 32 bytes
// and the file's length tell which kind of file it is.
#include <cctype>
#include <cstdio>
#include <cstring>

#include "fdvfile.h"
#include "libpxl.h"

#define RAW_PROBE 32
#define RAW_NAMELEN 39

static _GR_fontFile fontfp = {nullptr, 0, -1};
static struct {
    char name[RAW_NAMELEN + 1], family[RAW_NAMELEN + 1];
    unsigned width, height, numchars;
    int64_t offset;  // of the first glyph
    int64_t bpg;     // bytes per glyph
    int psf;         // a PSF file, not a bare dump
} fhdr;

static void cleanup(void)
{
    _GrFontFileClose(&fontfp);
    memset(&fhdr, 0, sizeof fhdr);
}

static int classify(const unsigned char *p, int64_t size)
{
    if (p[0] == 0x36 && p[1] == 0x04) {
        fhdr.numchars = (p[2] & 1) ? 512 : 256;
        fhdr.width = 8;
        fhdr.height = p[3];
        fhdr.offset = 4;
        fhdr.psf = 1;
    } else if (p[0] == 0x72 && p[1] == 0xB5 && p[2] == 0x4A && p[3] == 0x86) {
        fhdr.offset = _GrFontLE32(p + 8);
        fhdr.numchars = _GrFontLE32(p + 16);
        fhdr.height = _GrFontLE32(p + 24);
        fhdr.width = _GrFontLE32(p + 28);
        fhdr.psf = 1;
        if (fhdr.numchars == 0 || fhdr.numchars > FDV_MAXCHARS || fhdr.width == 0 ||
            fhdr.width > FDV_MAXSIDE)
            return 0;
    } else if (size <= 4096 && size % 256 == 0) {
        fhdr.numchars = 256;
        fhdr.width = 8;
        fhdr.height = (unsigned)(size / 256);
        fhdr.offset = 0;
    } else if (size > 8192 && size <= 16384 && size % 512 == 0) {
        // 4097..8192 bytes would give 5..8 pixels in 2-byte rows: refused
        fhdr.numchars = 256;
        fhdr.height = (unsigned)(size / 512);
        fhdr.width = (fhdr.height + 1) / 2;
        fhdr.offset = 0;
    } else
        return 0;
    if (fhdr.height == 0 || fhdr.height > FDV_MAXSIDE)
        return 0;
    fhdr.bpg = (int64_t)((fhdr.width + 7) / 8) * fhdr.height;
    return _GrFontFileHas(&fontfp, fhdr.offset, fhdr.bpg * fhdr.numchars);
}

// The font is named after the file: its base name without extension.
static void makename(const char *fname)
{
    const char *base = strrchr(fname, '/');
    const char *bs = strrchr(fname, '\\');
    if (bs != nullptr && (base == nullptr || bs > base))
        base = bs;
    if (base == nullptr)
        base = strrchr(fname, ':');
    base = base == nullptr ? fname : base + 1;
    if (*base == '\0')
        base = fname;
    const char *dot = strrchr(base, '.');
    size_t n = dot != nullptr ? (size_t)(dot - base) : strlen(base);
    if (n > RAW_NAMELEN)
        n = RAW_NAMELEN;
    memcpy(fhdr.name, base, n);
    fhdr.name[n] = '\0';
    if (n == 0)
        snprintf(fhdr.name, sizeof fhdr.name, "%s%u", fhdr.psf ? "psf" : "raw", fhdr.height);
    n = 0;
    if (isalpha((unsigned char)fhdr.name[0]))
        while (isalpha((unsigned char)fhdr.name[n]))
            n++;
    else
        n = strlen(fhdr.name);
    memcpy(fhdr.family, fhdr.name, n);
    fhdr.family[n] = '\0';
}

static int openfile(const char *fname)
{
    unsigned char p[RAW_PROBE];
    cleanup();
    if (!_GrFontFileOpen(&fontfp, fname) || !_GrFontFileRead(&fontfp, 0, p, RAW_PROBE) ||
        !classify(p, fontfp.size)) {
        cleanup();
        return 0;
    }
    makename(fname);
    return 1;
}

static int header(struct _GR_fontHeader *hdr)
{
    if (fontfp.fp == nullptr)
        return 0;
    strcpy(hdr->name, fhdr.name);
    strcpy(hdr->family, fhdr.family);
    hdr->proportional = 0;
    hdr->scalable = 0;
    hdr->preloaded = 0;
    hdr->modified = 0;
    hdr->width = fhdr.width;
    hdr->height = fhdr.height;
    hdr->baseline = 4 * fhdr.height / 5 + (fhdr.height <= 14 ? 1 : 0);
    hdr->ulheight = fhdr.height / 15 > 1 ? fhdr.height / 15 : 1;
    hdr->ulpos = fhdr.height - hdr->ulheight;
    hdr->minchar = 0;
    hdr->numchars = fhdr.numchars;
    return 1;
}

static int charwdt(int chr)
{
    if (fontfp.fp == nullptr || chr < 0 || chr >= (int)fhdr.numchars)
        return -1;
    return (int)fhdr.width;
}

static int bitmap(int chr, int w, int h, char *buffer)
{
    if (w <= 0 || w != charwdt(chr) || h != (int)fhdr.height)
        return 0;
    if (!_GrFontFileRead(&fontfp, fhdr.offset + chr * fhdr.bpg, buffer, fhdr.bpg))
        return 0;
    _GrFontClearPadding(buffer, w, h);
    return 1;
}

static constexpr _GR_fontDriver record()
{
    _GR_fontDriver r{};
    r.name = "RAW";
    r.ext = ".psf";
    r.scalable = 0;
    r.openfile = openfile;
    r.header = header;
    r.charwdt = charwdt;
    r.bitmap = bitmap;
    r.cleanup = cleanup;
    return r;
}

const struct _GR_fontDriver _GrFontDriverRAW = record();
