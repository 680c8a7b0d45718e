// The character table of a stroke font image. Every offset and count is
// checked against the image's length, where it is known.
#include <cstring>

#include "libbgi.h"

namespace {

unsigned le16(const unsigned char *p) { return p[0] | static_cast<unsigned>(p[1]) << 8; }

}  // namespace

int _GrBgiChrTable(const unsigned char *img, size_t len, struct _GR_chrTable *t, int *height)
{
    size_t at = 0;
    while (at < 256 && at < len && img[at] != 0x1A)
        at++;
    if (at >= 256 || at >= len || len - at < 3)
        return 0;
    const size_t h = le16(img + at + 1);
    if (h >= len || len - h < 17 || img[h] != '+')
        return 0;
    const unsigned n = le16(img + h + 2), first = img[h + 5];
    const size_t strokes = h + le16(img + h + 6);
    if ((len - h - 17) / 3 < n)
        return 0;  // the offset and width tables run out of the image
    const unsigned char *offsets = img + h + 17, *widths = offsets + 2 * static_cast<size_t>(n);
    *height = img[h + 9] - static_cast<signed char>(img[h + 11]);
    memset(t, 0, sizeof *t);
    t->end = len == GR_BGI_UNKNOWNLEN ? nullptr : img + len;
    // codes past 255 have no entry
    for (unsigned i = 0; i < n && first + i < 256; i++) {
        const size_t at_strokes = strokes + le16(offsets + 2 * i);
        struct _GR_chrEntry &e = t->c[first + i];
        if (len != GR_BGI_UNKNOWNLEN && (at_strokes >= len || len - at_strokes < 2))
            continue;  // strokes outside the image: an empty character
        e.strokes = img + at_strokes;
        e.width = widths[i];
    }
    return 1;
}

int __gr_text_ChrFontInfo(void *image, void *table, int *height)
{
    return _GrBgiChrTable(static_cast<const unsigned char *>(image), GR_BGI_UNKNOWNLEN,
                          static_cast<struct _GR_chrTable *>(table), height);
}
