/*
 * buildaux.cpp - turned and underlined copies of glyphs, made when text
 * first needs them and kept in the font.
 */
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "libpxl.h"

// Cache entries hold offset + 1 in unsigned int, so the block stays below
// 2^32 - 4 bytes.
static const uint64_t aux_limit = 0xFFFFFFFFULL - 4;

char *GrBuildAuxiliaryBitmap(GrFont *font, int chr, int dir, int ul)
{
    if (!font)
        return nullptr;
    const unsigned idx = static_cast<unsigned>(chr) - font->h.minchar;
    if (idx >= font->h.numchars)
        return nullptr;
    const int kind = ((ul && font->h.ulheight) ? 4 : 0) + (dir & 3);
    const struct _GR_fontChrInfo &ci = font->chrinfo[idx];
    if (kind == 0)
        return font->bitmap + ci.offset;

    unsigned *&offs = font->auxoffs[kind - 1];
    if (offs && offs[idx])
        return font->auxmap + offs[idx] - 1;
    if (!offs) {
        offs = static_cast<unsigned *>(std::calloc(font->h.numchars, sizeof(unsigned)));
        if (!offs)
            return nullptr;
    }

    // Quarter turns swap rows and columns; rows are whole bytes.
    const uint64_t W = ci.width, H = font->h.height;
    const bool quarter = (kind & 1) != 0;
    const uint64_t rows = quarter ? W : H, pitch = ((quarter ? H : W) + 7) / 8;
    const uint64_t size = rows * pitch;
    if (size == 0 || size >= aux_limit)
        return nullptr;
    if (font->auxsize - font->auxnext < size) {
        const uint64_t grow = std::max<uint64_t>(64 * H * ((font->h.width + 7ULL) / 8), 4 * size);
        const uint64_t newsize = std::min<uint64_t>(font->auxsize + grow, aux_limit - 1);
        if (newsize - font->auxnext < size)
            return nullptr;
        char *p = static_cast<char *>(std::realloc(font->auxmap, newsize));
        if (!p)
            return nullptr;
        font->auxmap = p;
        font->auxsize = static_cast<unsigned>(newsize);
    }
    unsigned char *dst = reinterpret_cast<unsigned char *>(font->auxmap + font->auxnext);
    offs[idx] = font->auxnext + 1;
    font->auxnext += static_cast<unsigned>(size);
    std::memset(dst, 0, size);

    const unsigned char *src = reinterpret_cast<const unsigned char *>(font->bitmap + ci.offset);
    const uint64_t sp = (W + 7) / 8;
    // the underline turns with the glyph; it never leaves the cell
    const uint64_t u0 = kind >= 4 ? font->h.ulpos : 0;
    const uint64_t u1 = kind >= 4 ? std::min<uint64_t>(u0 + font->h.ulheight, H) : 0;
    for (uint64_t y = 0; y < H; y++) {
        const bool line = y >= u0 && y < u1;
        for (uint64_t x = 0; x < W; x++) {
            if (!line && !(src[y * sp + x / 8] & (0x80U >> (x & 7))))
                continue;
            uint64_t r, c;
            switch (kind & 3) {
            case 1: r = x; c = H - 1 - y; break;
            case 2: r = H - 1 - y; c = W - 1 - x; break;
            case 3: r = W - 1 - x; c = y; break;
            default: r = y; c = x; break;
            }
            dst[r * pitch + c / 8] |= static_cast<unsigned char>(0x80U >> (c & 7));
        }
    }
    return reinterpret_cast<char *>(dst);
}
