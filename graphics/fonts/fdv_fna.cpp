// Text fonts (.fna): a header of "keyword value" lines, then for every
// character one line per row drawn with '#' and '.'. Glyph lines are found
// by number, reading forward or starting again from the first one.
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fdvfile.h"
#include "libpxl.h"

#define FNA_MAXLINE 127
#define FNA_MAXTEXT 99  // name and family must fit 100-byte buffers

enum { K_NAME, K_FAMILY, K_ISFIXED, K_WIDTH, K_HEIGHT, K_MINCHAR, K_MAXCHAR, K_BASELINE,
       K_UNDWIDTH, K_AVGWIDTH, K_MINWIDTH, K_MAXWIDTH, K_NOTE, K_COUNT };
static const char *const names[K_COUNT] = {
    "name", "family", "isfixed", "width", "height", "minchar", "maxchar", "baseline",
    "undwidth", "avgwidth", "minwidth", "maxwidth", "note",
};
#define K_REQUIRED ((1 << K_UNDWIDTH) - 1)  // name .. baseline

static _GR_fontFile fontfp = {nullptr, 0, -1};
static struct {
    int isfixed;
    unsigned width, height, minchar, maxchar;
} fhdr;
static int64_t glyphpos;  // file offset where the glyph lines start
static int64_t curline;   // number of the glyph line read next; -1 before the header
static int64_t lastno;    // number of the glyph line in line, -1 for none
static char line[FNA_MAXLINE + 3];
static int linelen;

static void cleanup(void)
{
    _GrFontFileClose(&fontfp);
    memset(&fhdr, 0, sizeof fhdr);
    glyphpos = 0;
    curline = lastno = -1;
    linelen = 0;
}

static int openfile(const char *fname)
{
    cleanup();
    if (!_GrFontFileOpen(&fontfp, fname)) {
        cleanup();
        return 0;
    }
    return 1;
}

// Reads the next line that is neither empty nor a comment into line,
// trailing white space cut; its length, or -1 at the end of the file and
// for a line that is too long.
static int readline(void)
{
    for (;;) {
        int n = 0, c;
        while ((c = getc(fontfp.fp)) != EOF && c != '\n') {
            if (n > FNA_MAXLINE)  // room is left for the CR of a CR LF
                return -1;
            line[n++] = (char)c;
        }
        if (c == EOF && n == 0)
            return -1;
        if (c == '\n' && n > 0 && line[n - 1] == '\r')
            n--;
        if (n > FNA_MAXLINE)
            return -1;
        while (n > 0 && isspace((unsigned char)line[n - 1]))
            n--;
        line[n] = '\0';
        if (n > 0 && line[0] != ';')
            return n;
    }
}

// Reads glyph line no into line; its length or -1.
static int glyphline(int64_t no)
{
    if (no == lastno)
        return linelen;
    if (no < curline) {
        if (fseek(fontfp.fp, (long)glyphpos, SEEK_SET) != 0)
            return -1;
        curline = 0;
    }
    lastno = -1;
    while (curline <= no) {
        if ((linelen = readline()) < 0) {
            curline = INT64_MAX;  // the stream stands anywhere: start again next time
            return -1;
        }
        curline++;
    }
    lastno = no;
    return linelen;
}

// A whole, non-negative decimal number filling the text.
static int number(const char *s, unsigned *v)
{
    char *end;
    if (!isdigit((unsigned char)*s))
        return 0;
    long n = strtol(s, &end, 10);
    if (*end != '\0' || n > INT_MAX)
        return 0;
    *v = (unsigned)n;
    return 1;
}

static int header(struct _GR_fontHeader *hdr)
{
    unsigned val[K_COUNT] = {0}, seen = 0;
    if (fontfp.fp == nullptr || curline >= 0 || fseek(fontfp.fp, 0, SEEK_SET) != 0)
        return 0;
    for (;;) {
        long pos = ftell(fontfp.fp);
        if (pos < 0 || (linelen = readline()) < 0)
            return 0;
        if (!isalpha((unsigned char)line[0])) {
            glyphpos = pos;  // this line is glyph line 0
            break;
        }
        int k = 0, n = 0;
        while (isalpha((unsigned char)line[n]))
            n++;
        while (k < K_COUNT && (strncmp(names[k], line, n) != 0 || names[k][n] != '\0'))
            k++;
        if (k == K_COUNT || (line[n] != '\0' && !isspace((unsigned char)line[n])))
            return 0;
        if (k == K_NOTE)
            continue;
        if (line[n] == '\0')  // a keyword without a value
            return 0;
        const char *v = line + n;
        while (isspace((unsigned char)*v))
            v++;
        if (k == K_AVGWIDTH)
            k = K_WIDTH;
        if (seen & (1U << k))
            return 0;
        seen |= 1U << k;
        if (k == K_NAME || k == K_FAMILY)
            _GrFontCopyName(k == K_NAME ? hdr->name : hdr->family, v, FNA_MAXTEXT);
        else if (!number(v, &val[k]))
            return 0;
    }
    fhdr.isfixed = val[K_ISFIXED] != 0;
    fhdr.width = val[K_WIDTH];
    fhdr.height = val[K_HEIGHT];
    fhdr.minchar = val[K_MINCHAR];
    fhdr.maxchar = val[K_MAXCHAR];
    if ((seen & K_REQUIRED) != K_REQUIRED || fhdr.maxchar < fhdr.minchar ||
        fhdr.maxchar - fhdr.minchar >= FDV_MAXCHARS || fhdr.width == 0 ||
        fhdr.width > FDV_MAXSIDE || fhdr.height == 0 || fhdr.height > FDV_MAXSIDE ||
        ((seen & (1U << K_MINWIDTH)) && val[K_MINWIDTH] == 0) || val[K_MAXWIDTH] > 127)
        return 0;
    // every glyph line holds at least one character (a fixed font's width)
    // and a line end: the file must be long enough for all of them
    int64_t lines = (int64_t)(fhdr.maxchar - fhdr.minchar + 1) * fhdr.height;
    if (lines * ((fhdr.isfixed ? fhdr.width : 1) + 1) - 1 > fontfp.size - glyphpos)
        return 0;
    curline = 1;
    lastno = 0;
    hdr->proportional = !fhdr.isfixed;
    hdr->scalable = 0;
    hdr->preloaded = 0;
    hdr->modified = 0;
    hdr->width = fhdr.width;
    hdr->height = fhdr.height;
    hdr->baseline = val[K_BASELINE];
    if (!(seen & (1U << K_UNDWIDTH)))
        val[K_UNDWIDTH] = fhdr.height / 15 > 1 ? fhdr.height / 15 : 1;
    hdr->ulheight = val[K_UNDWIDTH] < fhdr.height ? val[K_UNDWIDTH] : fhdr.height;
    hdr->ulpos = fhdr.height - hdr->ulheight;
    hdr->minchar = fhdr.minchar;
    hdr->numchars = fhdr.maxchar - fhdr.minchar + 1;
    return 1;
}

static int charwdt(int chr)
{
    if (fontfp.fp == nullptr || curline < 0 || chr < (int)fhdr.minchar || chr > (int)fhdr.maxchar)
        return -1;
    if (fhdr.isfixed)
        return (int)fhdr.width;
    return glyphline((int64_t)(chr - (int)fhdr.minchar) * fhdr.height);
}

static int bitmap(int chr, int w, int h, char *buffer)
{
    if (w <= 0 || w != charwdt(chr) || h != (int)fhdr.height)
        return 0;
    int bpr = (w + 7) / 8;
    int64_t first = (int64_t)(chr - (int)fhdr.minchar) * fhdr.height;
    memset(buffer, 0, (size_t)bpr * (size_t)h);
    for (int y = 0; y < h; y++) {
        if (glyphline(first + y) != w)
            return 0;
        for (int x = 0; x < w; x++) {
            if (line[x] == '#')
                buffer[y * bpr + x / 8] = (char)(buffer[y * bpr + x / 8] | (0x80 >> (x % 8)));
            else if (line[x] != '.')
                return 0;
        }
    }
    return 1;
}

static constexpr _GR_fontDriver record()
{
    _GR_fontDriver r{};
    r.name = "FNA";
    r.ext = ".fna";
    r.scalable = 0;
    r.openfile = openfile;
    r.header = header;
    r.charwdt = charwdt;
    r.bitmap = bitmap;
    r.cleanup = cleanup;
    return r;
}

const struct _GR_fontDriver _GrFontDriverFNA = record();
