/*
 * drwstrg.cpp - the text engine: lays a string out in one of four
 * directions, clips every glyph to the current context and hands it to a
 * glyph callback.
 */
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

#include "libpxl.h"

int _GR_textattrintensevideo = 0;

namespace {

// Entry i of a colour table (element 0 the count); GR_NOCOLOR if absent.
GrColor table_color(const GrColor *t, unsigned i)
{
    return (t && i < t[0]) ? t[i + 1] : GR_NOCOLOR;
}

int clamp_int(int64_t v)
{
    return static_cast<int>(std::min<int64_t>(std::max<int64_t>(v, INT_MIN), INT_MAX));
}

}  // namespace

void FdrvDrawBitmap(int x, int y, int w, int h, int, int, const unsigned char *bmp,
                    int pitch, int start, GrColor fg, GrColor bg, void *)
{
    FDRV->drawbitmap(x, y, w, h, bmp, pitch, start, fg, bg);
}

void _GrDrawString(const void *text, int length, int x, int y, const GrTextStyle *opt,
                   void *pattern, _GR_blitGlyph blit)
{
    if (!opt || !opt->font || !text || length <= 0)
        return;
    GrFont *const font = opt->font;
    // an unknown character type is byte text
    const int chrtype = _GrCharBytes(opt->chrtype) == 1 ? GR_BYTE_TEXT : opt->chrtype;
    const int dir = opt->direction & 3;
    const bool across = dir == GR_TEXT_DOWN || dir == GR_TEXT_UP;

    // Positions are 64-bit: a long string in a wide font may pass 2^31.
    const int64_t len = font->h.proportional
                            ? int64_t{GrProportionalTextWidth(font, text, length, chrtype)}
                            : int64_t{font->h.width} * length;
    if (len == 0)
        return;
    const int64_t fh = font->h.height;
    const int64_t bw = across ? fh : len, bh = across ? len : fh;

    int64_t x0 = x, y0 = y;
    switch (opt->xalign) {
    case GR_ALIGN_CENTER: x0 -= bw >> 1; break;
    case GR_ALIGN_RIGHT: x0 -= bw - 1; break;
    }
    switch (opt->yalign) {
    case GR_ALIGN_MIDDLE: y0 -= bh >> 1; break;
    case GR_ALIGN_BOTTOM: y0 -= bh - 1; break;
    case GR_ALIGN_BASELINE:
        if (dir == GR_TEXT_RIGHT)
            y0 -= font->h.baseline;
        break;
    }

    const GrContext *c = CURC;
    _GrMouseGuard guard(c, clamp_int(x0), clamp_int(y0), clamp_int(x0 + bw - 1),
                        clamp_int(y0 + bh - 1));

    // the point where the next cell starts (right, down) or ends (left, up)
    int64_t px = dir == GR_TEXT_LEFT ? x0 + bw : x0;
    int64_t py = dir == GR_TEXT_UP ? y0 + bh : y0;
    const unsigned char *tp = static_cast<const unsigned char *>(text);
    const int step = chrtype == GR_BYTE_TEXT ? 1 : 2;
    const GrColor *fgtab = opt->fgcolor.p, *bgtab = opt->bgcolor.p;
    GrColor fg = opt->fgcolor.v, bg = opt->bgcolor.v;
    bool underline = (fg & GR_UNDERLINE_BIT) != 0;
    const unsigned bgmask = _GR_textattrintensevideo ? 15U : 7U;

    for (int i = 0; i < length; i++, tp += step) {
        unsigned code;
        if (chrtype == GR_BYTE_TEXT) {
            code = *tp;
        } else {
            uint16_t word;
            std::memcpy(&word, tp, sizeof word);
            code = word;
            if (chrtype == GR_ATTR_TEXT) {
                const unsigned attr = code >> 8;
                code &= 0xFFU;
                fg = table_color(fgtab, attr & 15U);
                bg = table_color(bgtab, (attr >> 4) & bgmask);
                underline = !_GR_textattrintensevideo && (attr & 0x80U);
            }
        }
        const unsigned idx = code - font->h.minchar;
        const bool inside = idx < font->h.numchars;
        const int64_t cw = inside ? font->chrinfo[idx].width : font->h.width;

        int64_t cx = px, cy = py;
        switch (dir) {
        case GR_TEXT_RIGHT: px += cw; break;
        case GR_TEXT_DOWN: py += cw; break;
        case GR_TEXT_LEFT: cx = px -= cw; break;
        case GR_TEXT_UP: cy = py -= cw; break;
        }
        const int64_t cellw = across ? fh : cw, cellh = across ? cw : fh;
        const int64_t l = std::max<int64_t>(cx, c->gc_xcliplo);
        const int64_t t = std::max<int64_t>(cy, c->gc_ycliplo);
        const int64_t r = std::min<int64_t>(cx + cellw - 1, c->gc_xcliphi);
        const int64_t b = std::min<int64_t>(cy + cellh - 1, c->gc_ycliphi);
        if (l > r || t > b)
            continue;

        const char *glyph = nullptr;
        if (inside)
            glyph = (dir == GR_TEXT_RIGHT && !underline)
                        ? font->bitmap + font->chrinfo[idx].offset
                        : GrBuildAuxiliaryBitmap(font, static_cast<int>(code), dir, underline);
        const int fx = static_cast<int>(l) + c->gc_xoffset, fy = static_cast<int>(t) + c->gc_yoffset;
        const int w = static_cast<int>(r - l + 1), h = static_cast<int>(b - t + 1);
        if (glyph) {
            const int64_t pitch = (cellw + 7) / 8;
            const int64_t start = (l - cx) + (t - cy) * pitch * 8;
            blit(fx, fy, w, h, x, y, reinterpret_cast<const unsigned char *>(glyph),
                 static_cast<int>(pitch), static_cast<int>(start), fg, bg, pattern);
        } else if (bg != GR_NOCOLOR) {
            FDRV->drawblock(fx, fy, w, h, bg);
        }
    }
}
