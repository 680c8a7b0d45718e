/*
 * buildfnt.cpp - making a font record from a source of glyphs (a font
 * file driver or an existing font), converting the glyphs on the way, and
 * freeing fonts made so.
 */
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "libpxl.h"

namespace {

// The largest font the builder makes; anything above is a broken source.
const uint64_t max_side = 4096;
const uint64_t max_chars = 65536;
// glyph offsets are unsigned int; keep well inside them
const uint64_t max_bitmap = INT32_MAX;

// round(a / b) as the font code has always rounded: (2a / b + 1) / 2
uint64_t rdiv(uint64_t a, uint64_t b) { return (a * 2 / b + 1) / 2; }

// Conversion amounts of one build, the same for every glyph.
struct Cvt {
    int bold = 0, slant = 0;
    int fixed = 0;              // output width when fixing, else 0
    int gap = -1;               // gap when proportioning, else -1
    unsigned char *work = nullptr;  // one byte a pixel
    size_t stride = 0;          // bytes per work row
};

// Turns the ow x oh glyph in buf into an nw x nh one (nw includes the bold
// and slant columns), spaces it if asked, and writes it back into buf in
// the glyph layout. Returns the output width. The work image has room for
// the largest glyph of the build.
int cvtbitmap(const Cvt &c, int ow, int oh, int nw, int nh, char *buf)
{
    const size_t st = c.stride;
    unsigned char *img = c.work;
    std::memset(img, 0, st * static_cast<size_t>(std::max(oh, nh) + 2));

    const unsigned char *src = reinterpret_cast<const unsigned char *>(buf);
    const int sp = (ow + 7) / 8;
    auto bit = [&](int x, int y) { return (src[y * sp + (x >> 3)] & (0x80U >> (x & 7))) != 0; };

    const int cw = nw - c.bold - c.slant;  // the caller keeps this at least 1
    if (cw == ow && nh == oh) {
        for (int y = 0; y < oh; y++)
            for (int x = 0; x < ow; x++)
                img[y * st + x] = bit(x, y);
    } else {
        // Scale run by run, so thin strokes never vanish; runs stay in the
        // cw x nh cell even where rounding would push them past its edge.
        for (int y = 0; y < oh; y++) {
            int y0 = static_cast<int>(rdiv(static_cast<uint64_t>(y) * nh, oh));
            int y1 = static_cast<int>(rdiv(static_cast<uint64_t>(y + 1) * nh, oh));
            y0 = std::min(y0, nh - 1);
            y1 = std::max(y1, y0 + 1);
            for (int x = 0; x < ow;) {
                if (!bit(x, y)) {
                    x++;
                    continue;
                }
                const int x0 = x;
                while (x < ow && bit(x, y))
                    x++;
                int c0 = static_cast<int>(rdiv(static_cast<uint64_t>(x0) * cw, ow));
                int c1 = static_cast<int>(rdiv(static_cast<uint64_t>(x) * cw, ow));
                c0 = std::min(c0, cw - 1);
                c1 = std::max(c1, c0 + 1);
                for (int r = y0; r < y1; r++)
                    std::memset(img + r * st + c0, 1, static_cast<size_t>(c1 - c0));
            }
        }
    }

    int width = cw;
    if (c.bold > 0) {
        // right to left, so every pixel is moved from its unmoved place
        for (int y = 0; y < nh; y++)
            for (int x = width - 1; x >= 0; x--)
                img[y * st + x + c.bold] |= img[y * st + x];
        width += c.bold;
    }
    if (c.slant > 0 && nh > 1) {
        for (int y = 0; y < nh; y++) {
            const int s = ((nh - 1) / 2 + c.slant * (nh - 1 - y)) / (nh - 1);
            unsigned char *row = img + y * st;
            std::memmove(row + s, row, static_cast<size_t>(width));
            std::memset(row, 0, static_cast<size_t>(s));
        }
        width += c.slant;
    }

    int outw = width, shift = 0;
    if (c.fixed > 0 || c.gap >= 0) {
        int left = width, right = -1;
        for (int y = 0; y < nh; y++)
            for (int x = 0; x < width; x++)
                if (img[y * st + x]) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        if (right < 0) {  // blank: as wide as the cell
            left = 0;
            right = width - 1;
        }
        if (c.fixed > 0) {
            outw = c.fixed;
            shift = ((outw - (right - left + 1)) >> 1) - left;
        } else {
            outw = right - left + 1 + c.gap;
            shift = c.gap / 2 - left;
        }
    }

    const int op = (outw + 7) / 8;
    unsigned char *dst = reinterpret_cast<unsigned char *>(buf);
    std::memset(dst, 0, static_cast<size_t>(op) * nh);
    for (int y = 0; y < nh; y++)
        for (int x = 0; x < width; x++) {
            const int dx = x + shift;
            if (img[y * st + x] && dx >= 0 && dx < outw)
                dst[y * op + (dx >> 3)] |= static_cast<unsigned char>(0x80U >> (dx & 7));
        }
    return outw;
}

char *copy_name(const char *s)
{
    if (!s)
        s = "";
    const size_t n = std::strlen(s) + 1;
    char *d = static_cast<char *>(std::malloc(n));
    if (d)
        std::memcpy(d, s, n);
    return d;
}

void free_font(GrFont *f)
{
    std::free(f->h.name);
    std::free(f->h.family);
    std::free(f->bitmap);
    std::free(f->auxmap);
    for (unsigned *a : f->auxoffs)
        std::free(a);
    std::free(f);
}

// the source of GrBuildConvertedFont, for its two callbacks
const GrFont *cvfont;

int cvf_charwdt(int chr)
{
    const unsigned i = static_cast<unsigned>(chr) - cvfont->h.minchar;
    return i < cvfont->h.numchars ? static_cast<int>(cvfont->chrinfo[i].width) : -1;
}

int cvf_bitmap(int chr, int w, int h, char *buffer)
{
    const unsigned i = static_cast<unsigned>(chr) - cvfont->h.minchar;
    if (i >= cvfont->h.numchars || w < 0 || static_cast<unsigned>(w) != cvfont->chrinfo[i].width ||
        h < 0 || static_cast<unsigned>(h) != cvfont->h.height)
        return 0;
    std::memcpy(buffer, cvfont->bitmap + cvfont->chrinfo[i].offset,
                static_cast<size_t>((w + 7) / 8) * h);
    return 1;
}

}  // namespace

GrFont *_GrBuildFont(const struct _GR_fontHeader *hdr, int cvt, int w, int h,
                     int cmin, int cmax, int (*charwdt)(int chr),
                     int (*bitmap)(int chr, int w, int h, char *buffer),
                     int canscale)
{
    if (!hdr || !charwdt || !bitmap)
        return nullptr;
    const uint64_t srcw = hdr->width, srch = hdr->height;
    const uint64_t srcfirst = hdr->minchar, srclast = srcfirst + hdr->numchars - 1;
    if (srcw == 0 || srch == 0 || srcw > max_side || srch > max_side ||
        hdr->numchars == 0 || hdr->numchars > max_chars || srclast > INT_MAX)
        return nullptr;

    uint64_t first = srcfirst, last = srclast;
    int applied = 0;
    if (cvt & GR_FONTCVT_CHARRANGE) {
        first = std::min(std::max<uint64_t>(static_cast<unsigned>(cmin), srcfirst), srclast);
        last = std::min(std::max<uint64_t>(static_cast<unsigned>(cmax), srcfirst), srclast);
        if (last < first)
            return nullptr;
        if (first > srcfirst || last < srclast)
            applied |= GR_FONTCVT_CHARRANGE;
    }
    const unsigned n = static_cast<unsigned>(last - first + 1);

    uint64_t width = srcw, height = srch;
    if (cvt & GR_FONTCVT_SCALE) {
        width = static_cast<uint64_t>(std::max(w, 2));
        height = static_cast<uint64_t>(std::max(h, 2));
        if (width > max_side || height > max_side)
            return nullptr;
        if (width != srcw || height != srch)
            applied |= GR_FONTCVT_SCALE;
    }

    const size_t recsize = std::max(sizeof(GrFont), offsetof(GrFont, chrinfo) +
                                                        n * sizeof(struct _GR_fontChrInfo));
    GrFont *f = static_cast<GrFont *>(std::calloc(1, recsize));
    if (!f)
        return nullptr;
    char *buf = nullptr;
    Cvt cv;
    auto fail = [&]() -> GrFont * {
        std::free(buf);
        std::free(cv.work);
        free_font(f);
        return nullptr;
    };
    f->h.name = copy_name(hdr->name);
    f->h.family = copy_name(hdr->family);
    if (!f->h.name || !f->h.family)
        return fail();

    // First pass: source widths, and the new widths before conversion.
    uint64_t minw = UINT64_MAX, maxw = 0, maxsw = 0;
    for (unsigned i = 0; i < n; i++) {
        const int sw = charwdt(static_cast<int>(first + i));
        if (sw < 0 || static_cast<uint64_t>(sw) > max_side)
            return fail();
        const uint64_t nw = rdiv(static_cast<uint64_t>(sw) * width, srcw);
        minw = std::min(minw, nw);
        maxw = std::max(maxw, nw);
        maxsw = std::max<uint64_t>(maxsw, static_cast<uint64_t>(sw));
        f->chrinfo[i].width = static_cast<unsigned>(sw);
    }

    const int spare = static_cast<int>(minw) - 1;  // columns that bold and slant may take
    if (cvt & GR_FONTCVT_EMBOLDEN) {
        cv.bold = std::max(0, std::min(static_cast<int>(width + 3) / 10, spare));
        if (cv.bold > 0)
            applied |= GR_FONTCVT_EMBOLDEN;
    }
    if (cvt & GR_FONTCVT_SLANT) {
        cv.slant = std::max(0, std::min(static_cast<int>(height + 1) / 7, spare - cv.bold));
        if (cv.slant > 0)
            applied |= GR_FONTCVT_SLANT;
    }
    bool proportional = hdr->proportional != 0;
    if ((cvt & GR_FONTCVT_PROPORTIONAL) && (!proportional || (cvt & GR_FONTCVT_FIXED))) {
        cv.gap = std::max(0, (width > 5 ? static_cast<int>(width) / 6 : 1) - cv.slant);
        proportional = true;
        applied |= GR_FONTCVT_PROPORTIONAL;
    } else if ((cvt & GR_FONTCVT_FIXED) && proportional) {
        // a source whose widths all round to 0 still gets glyphs of 1
        cv.fixed = static_cast<int>(std::max<uint64_t>(maxw, 1));
        proportional = false;
        applied |= GR_FONTCVT_FIXED;
    }
    const bool respace = cv.fixed > 0 || cv.gap >= 0;
    const bool convert = (applied & ~GR_FONTCVT_CHARRANGE) != 0;

    // Size everything from the widths the second pass will really write:
    // each glyph is at most its nominal width, the fixed width, or its
    // nominal width plus the gap; no glyph is narrower than 1.
    auto new_width = [&](unsigned sw) {
        return std::max<uint64_t>(1, rdiv(static_cast<uint64_t>(sw) * width, srcw));
    };
    uint64_t total = 0, maxout = 0;
    for (unsigned i = 0; i < n; i++) {
        const uint64_t out = cv.fixed > 0 ? cv.fixed : new_width(f->chrinfo[i].width) +
                                                           std::max(cv.gap, 0);
        maxout = std::max(maxout, out);
        total += (out + 7) / 8 * height;
    }
    if (total > max_bitmap)
        return fail();
    f->bitmap = static_cast<char *>(std::calloc(std::max<uint64_t>(total, 1), 1));
    const uint64_t bufsize = (std::max(maxsw, maxout) + 7) / 8 * std::max(height, srch);
    buf = static_cast<char *>(std::malloc(std::max<uint64_t>(bufsize, 1)));
    if (convert) {
        cv.stride = std::max(maxsw, maxout) + cv.bold + cv.slant + 16;
        cv.work = static_cast<unsigned char *>(
            std::malloc(cv.stride * (std::max(height, srch) + 2)));
    }
    if (!f->bitmap || !buf || (convert && !cv.work))
        return fail();

    // Second pass: the glyphs.
    uint64_t next = 0, sum = 0;
    minw = UINT64_MAX;
    maxw = 0;
    for (unsigned i = 0; i < n; i++) {
        const int chr = static_cast<int>(first + i);
        const int sw = static_cast<int>(f->chrinfo[i].width);
        const int nw = static_cast<int>(new_width(f->chrinfo[i].width));
        const int nh = static_cast<int>(height);
        int outw;
        if (!canscale) {
            std::memset(buf, 0, static_cast<size_t>((sw + 7) / 8 * srch));
            if (!bitmap(chr, sw, static_cast<int>(srch), buf))
                return fail();
            outw = convert ? cvtbitmap(cv, sw, static_cast<int>(srch), nw, nh, buf) : sw;
        } else {
            // the driver scales; only bold, slant and spacing are left to add
            const int dw = nw - cv.bold - cv.slant;
            std::memset(buf, 0, static_cast<size_t>((dw + 7) / 8 * nh));
            if (!bitmap(chr, dw, nh, buf))
                return fail();
            outw = (cv.bold || cv.slant || respace) ? cvtbitmap(cv, dw, nh, nw, nh, buf) : nw;
        }
        const uint64_t bytes = static_cast<uint64_t>((outw + 7) / 8) * height;
        std::memcpy(f->bitmap + next, buf, bytes);
        f->chrinfo[i].width = static_cast<unsigned>(outw);
        f->chrinfo[i].offset = static_cast<unsigned>(next);
        next += bytes;
        sum += static_cast<uint64_t>(outw);
        minw = std::min<uint64_t>(minw, static_cast<uint64_t>(outw));
        maxw = std::max<uint64_t>(maxw, static_cast<uint64_t>(outw));
    }
    std::free(buf);
    std::free(cv.work);

    f->h.proportional = proportional;
    f->h.scalable = hdr->scalable;
    f->h.preloaded = 0;
    f->h.modified = static_cast<char>(hdr->modified | applied);
    f->h.width = static_cast<unsigned>(respace ? sum / n : width);
    f->h.height = static_cast<unsigned>(height);
    f->h.baseline = static_cast<unsigned>(rdiv(uint64_t{hdr->baseline} * height, srch));
    // an underline thicker than the font, or one placed below it, is kept
    // inside the cell
    const uint64_t ulh = std::min(rdiv(uint64_t{hdr->ulheight} * height, srch), height);
    f->h.ulheight = static_cast<unsigned>(ulh);
    f->h.ulpos = static_cast<unsigned>(
        std::min(rdiv(uint64_t{hdr->ulpos} * height, srch), height - ulh));
    f->h.minchar = static_cast<unsigned>(first);
    f->h.numchars = n;
    f->minwidth = static_cast<unsigned>(minw);
    f->maxwidth = static_cast<unsigned>(maxw);
    return f;
}

GrFont *GrBuildConvertedFont(const GrFont *from, int cvt, int w, int h, int cmin, int cmax)
{
    if (!from)
        return nullptr;
    cvfont = from;
    return _GrBuildFont(&from->h, cvt, w, h, cmin, cmax, cvf_charwdt, cvf_bitmap, 0);
}

void GrUnloadFont(GrFont *font)
{
    if (font && !font->h.preloaded)
        free_font(font);
}
