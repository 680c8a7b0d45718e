// Makes font files of every format the loader reads, from a description of
// their glyphs: for the tests, the load benchmark, the fuzzing seeds and
// the test card.
#ifndef FONTGEN_H_INCLUDED
#define FONTGEN_H_INCLUDED

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace fgen {

using Bytes = std::vector<unsigned char>;

inline void put8(Bytes &b, size_t at, unsigned v)
{
    if (b.size() < at + 1)
        b.resize(at + 1);
    b[at] = (unsigned char)v;
}
inline void put16(Bytes &b, size_t at, unsigned v)
{
    put8(b, at, v & 0xFF);
    put8(b, at + 1, v >> 8 & 0xFF);
}
inline void put32(Bytes &b, size_t at, uint32_t v)
{
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}
inline void append(Bytes &b, const Bytes &more) { b.insert(b.end(), more.begin(), more.end()); }

// The pixels of every generated bitmap glyph: they differ from code to code
// and row to row, so a glyph read from the wrong place shows.
inline bool pix(int c, int x, int y)
{
    return ((uint32_t)(c * 7919 + x * 104729 + y * 1299709 + 12345) * 2654435761U) >> 31;
}

// Where glyph pixels come from: code, column, row -> set.
using Ink = std::function<bool(int c, int x, int y)>;

// A bitmap font to be written in any bitmap format.
struct Font {
    Ink ink = pix;
    int minchar = 32, maxchar = 126;
    int width = 8, height = 16;  // of every character of a fixed font; nominal otherwise
    std::vector<int> widths;     // a proportional font's widths, from minchar on
    int baseline = 12, undwidth = 1;
    std::string name = "test", family = "tst";

    bool fixed() const { return widths.empty(); }
    int w(int c) const { return fixed() ? width : widths[(size_t)(c - minchar)]; }
};

// A glyph in the layout of the font record: rows of (w + 7) / 8 bytes.
inline Bytes rows(const Font &f, int c)
{
    int w = f.w(c), bpr = (w + 7) / 8;
    Bytes g((size_t)(bpr * f.height));
    for (int y = 0; y < f.height; y++)
        for (int x = 0; x < w; x++)
            if (f.ink(c, x, y))
                g[(size_t)(y * bpr + x / 8)] |= (unsigned char)(0x80 >> (x % 8));
    return g;
}

// The native format: 56-byte header, widths, glyphs.
inline Bytes fnt(const Font &f)
{
    Bytes b(56);
    put32(b, 0, 0x19590214);
    put16(b, 8, (unsigned)f.width);
    put16(b, 10, (unsigned)f.height);
    put16(b, 12, (unsigned)f.minchar);
    put16(b, 14, (unsigned)f.maxchar);
    put16(b, 16, f.fixed());
    put16(b, 20, (unsigned)f.baseline);
    put16(b, 22, (unsigned)f.undwidth);
    for (size_t i = 0; i < 16 && i < f.name.size(); i++)
        b[24 + i] = (unsigned char)f.name[i];
    for (size_t i = 0; i < 16 && i < f.family.size(); i++)
        b[40 + i] = (unsigned char)f.family[i];
    for (size_t i = 0; i < f.widths.size(); i++)
        put16(b, 56 + 2 * i, (unsigned)f.widths[i]);
    for (int c = f.minchar; c <= f.maxchar; c++)
        append(b, rows(f, c));
    return b;
}

// The text format; `extra` goes after the required header lines.
inline std::string fna(const Font &f, const std::string &extra = "")
{
    std::string s = "name " + f.name + "\nfamily " + f.family + "\nisfixed " +
                    (f.fixed() ? "1" : "0") + "\nwidth " + std::to_string(f.width) +
                    "\nheight " + std::to_string(f.height) + "\nminchar " +
                    std::to_string(f.minchar) + "\nmaxchar " + std::to_string(f.maxchar) +
                    "\nbaseline " + std::to_string(f.baseline) + "\nundwidth " +
                    std::to_string(f.undwidth) + "\n" + extra;
    for (int c = f.minchar; c <= f.maxchar; c++) {
        s += "; char " + std::to_string(c) + "\n";
        for (int y = 0; y < f.height; y++) {
            for (int x = 0; x < f.w(c); x++)
                s += f.ink(c, x, y) ? '#' : '.';
            s += '\n';
        }
    }
    return s;
}

// A Windows raster font (version 2.00), with or without a resource header.
inline Bytes win(const Font &f, bool resource, unsigned pitchfamily = 0x30, bool face = true)
{
    size_t n = (size_t)(f.maxchar - f.minchar + 1);
    Bytes d(0x76 + 4 * (n + 1));
    put16(d, 0, 0x0200);
    put16(d, 0x4A, (unsigned)f.baseline);
    put16(d, 0x56, f.fixed() ? (unsigned)f.width : 0);
    put16(d, 0x58, (unsigned)f.height);
    put8(d, 0x5A, pitchfamily);
    put16(d, 0x5B, (unsigned)f.width);
    put8(d, 0x5F, (unsigned)f.minchar);
    put8(d, 0x60, (unsigned)f.maxchar);
    for (int c = f.minchar; c <= f.maxchar + 1; c++) {
        size_t e = 0x76 + 4 * (size_t)(c - f.minchar);
        put16(d, e + 2, (unsigned)d.size());
        if (c > f.maxchar)
            break;
        put16(d, e, (unsigned)f.w(c));
        Bytes g = rows(f, c);
        int bpr = (f.w(c) + 7) / 8;
        for (int x = 0; x < bpr; x++)  // column by column
            for (int y = 0; y < f.height; y++)
                d.push_back(g[(size_t)(y * bpr + x)]);
    }
    if (face) {
        put32(d, 0x69, (uint32_t)d.size());
        d.insert(d.end(), f.name.begin(), f.name.end());
        d.push_back(0);
    }
    if (!resource)
        return d;
    Bytes r = {0xFF, 0x08, 0x00, 0xFF, 0, 0, 0x30, 0x10, 0, 0, 0, 0};
    put32(r, 8, (uint32_t)d.size());
    append(r, d);
    return r;
}

// n glyphs of codes 0.. in rows.
inline Bytes glyphs(int n, int w, int h, const Ink &ink = pix)
{
    Font f;
    f.ink = ink;
    f.minchar = 0;
    f.width = w;
    f.height = h;
    Bytes b;
    for (int c = 0; c < n; c++)
        append(b, rows(f, c));
    return b;
}

inline Bytes raw(int w, int h, const Ink &ink = pix) { return glyphs(256, w, h, ink); }

// PSF 1: 256 or 512 glyphs 8 wide; the unicode table (if any) is junk here.
inline Bytes psf1(int h, bool has512 = false, bool table = false, const Ink &ink = pix)
{
    Bytes b = {0x36, 0x04, (unsigned char)((has512 ? 1 : 0) | (table ? 2 : 0)),
               (unsigned char)h};
    append(b, glyphs(has512 ? 512 : 256, 8, h, ink));
    if (table)
        b.insert(b.end(), 600, 0xFF);
    return b;
}

inline Bytes psf2(int n, int w, int h, uint32_t headersize = 32, bool table = false)
{
    Bytes b(32);
    b[0] = 0x72, b[1] = 0xB5, b[2] = 0x4A, b[3] = 0x86;
    put32(b, 8, headersize);
    put32(b, 12, table ? 1 : 0);
    put32(b, 16, (uint32_t)n);
    put32(b, 20, (uint32_t)(((w + 7) / 8) * h));
    put32(b, 24, (uint32_t)h);
    put32(b, 28, (uint32_t)w);
    if (headersize > 32)
        b.resize(headersize);
    append(b, glyphs(n, w, h));
    if (table)
        for (int c = 0; c < n; c++)
            b.push_back('a'), b.push_back(0xFF);
    return b;
}

// A stroke font. Commands: 'M' move, 'L' line, 'S' the skipped kind; each
// character's list is ended for it.
struct Stroke {
    char op;
    int x, y;
};
struct StrokeFont {
    int first = 65;
    std::vector<std::vector<Stroke>> chars;
    std::vector<int> widths;
    int ascent = 10, descent = 0, orgbase = 0;
    std::string name = "TEST";
};

inline Bytes chr(const StrokeFont &f)
{
    const char text[] = "PK\b\bstroke font made for tests\r\n";
    Bytes b(text, text + sizeof text - 1);
    size_t t = b.size(), n = f.chars.size();
    b.push_back(0x1A);
    put16(b, t + 1, 128);
    for (size_t i = 0; i < 4; i++)
        put8(b, t + 3 + i, i < f.name.size() ? (unsigned char)f.name[i] : ' ');
    b.resize(128);
    put8(b, 128, '+');
    put16(b, 130, (unsigned)n);
    put8(b, 133, (unsigned)f.first);
    put16(b, 134, (unsigned)(17 + 3 * n));
    put8(b, 137, (unsigned)f.ascent);
    put8(b, 138, (unsigned)(f.orgbase & 0xFF));
    put8(b, 139, (unsigned)(f.descent & 0xFF));
    Bytes strokes;
    for (size_t i = 0; i < n; i++) {
        put16(b, 128 + 17 + 2 * i, (unsigned)strokes.size());
        put8(b, 128 + 17 + 2 * n + i, (unsigned)f.widths[i]);
        for (const Stroke &s : f.chars[i]) {
            unsigned op1 = s.op != 'S', op2 = s.op != 'M';
            strokes.push_back((unsigned char)((s.x & 0x7F) | op1 << 7));
            strokes.push_back((unsigned char)((s.y & 0x7F) | op2 << 7));
        }
        strokes.push_back(0);
        strokes.push_back(0);
    }
    b.resize(128 + 17 + 3 * n);
    append(b, strokes);
    return b;
}

// A stroke font of n characters from `first`, each a different little
// figure of lines.
inline StrokeFont strokes(int n, int first = 32)
{
    StrokeFont f;
    f.first = first;
    f.ascent = 24;
    f.descent = -7;
    for (int i = 0; i < n; i++) {
        int a = i % 7, b = i % 5;
        f.chars.push_back({{'M', a, 0}, {'L', 3 + b, 24}, {'L', 12 - a, 0}, {'M', 2, 10 + b},
                           {'L', 14 - b, 10 + a}, {'M', 8, -7 + a}, {'L', 8, 3}});
        f.widths.push_back(14 + b);
    }
    return f;
}

inline bool save(const std::string &path, const void *data, size_t n)
{
    remove(path.c_str());  // rewriting a file in place can force it to disk
    FILE *fp = fopen(path.c_str(), "wb");
    if (fp == nullptr)
        return false;
    bool ok = n == 0 || fwrite(data, 1, n, fp) == n;
    return fclose(fp) == 0 && ok;
}
inline bool save(const std::string &path, const Bytes &b) { return save(path, b.data(), b.size()); }
inline bool save(const std::string &path, const std::string &s)
{
    return save(path, s.data(), s.size());
}

}  // namespace fgen

#endif
