// Helpers shared by the font file drivers. Font files are untrusted: every
// read goes through a reader that knows the file's length, so no offset or
// count taken from a file can reach past its end.
#ifndef FDVFILE_H_INCLUDED
#define FDVFILE_H_INCLUDED

#include <sys/stat.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Limits on what a font file may describe: far above any real font, low
// enough that sizes derived from them never overflow.
#define FDV_MAXCHARS 65536
#define FDV_MAXSIDE 4096

struct _GR_fontFile {
    FILE *fp;
    int64_t size;  // length of the file in bytes
    int64_t pos;   // where the stream stands; -1 when unknown
};

// Opens a regular file for binary reading and finds its length.
inline int _GrFontFileOpen(_GR_fontFile *f, const char *fname)
{
    struct stat st;
    f->fp = nullptr;
    f->size = 0;
    f->pos = -1;
    // only regular files: opening a FIFO blocks until a writer comes
    if (stat(fname, &st) != 0 || !S_ISREG(st.st_mode))
        return 0;
    f->fp = fopen(fname, "rb");
    if (f->fp == nullptr)
        return 0;
    // what was opened may not be what was looked at
    if (fstat(fileno(f->fp), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
        fclose(f->fp);
        f->fp = nullptr;
        return 0;
    }
    f->size = (int64_t)st.st_size;
    return 1;
}

inline void _GrFontFileClose(_GR_fontFile *f)
{
    if (f->fp != nullptr)
        fclose(f->fp);
    f->fp = nullptr;
    f->size = 0;
    f->pos = -1;
}

// Nonzero when n bytes at off lie inside the file.
inline int _GrFontFileHas(const _GR_fontFile *f, int64_t off, int64_t n)
{
    return off >= 0 && n >= 0 && off <= f->size && n <= f->size - off;
}

// Reads n bytes at off; 0 unless all of them lie inside the file and were
// read. Reads that follow each other need no seek.
inline int _GrFontFileRead(_GR_fontFile *f, int64_t off, void *buf, int64_t n)
{
    if (f->fp == nullptr || !_GrFontFileHas(f, off, n))
        return 0;
    if (off != f->pos) {
        f->pos = -1;
        if (off > LONG_MAX || fseek(f->fp, (long)off, SEEK_SET) != 0)
            return 0;
    }
    if (fread(buf, 1, (size_t)n, f->fp) != (size_t)n) {
        f->pos = -1;
        return 0;
    }
    f->pos = off + n;
    return 1;
}

// The whole file in one allocation, refused above maxlen bytes.
inline unsigned char *_GrFontFileLoad(const char *fname, int64_t maxlen, int64_t *len)
{
    _GR_fontFile f;
    unsigned char *data = nullptr;
    if (!_GrFontFileOpen(&f, fname))
        return nullptr;
    if (f.size <= maxlen) {
        data = (unsigned char *)malloc(f.size > 0 ? (size_t)f.size : 1);
        if (data != nullptr && !_GrFontFileRead(&f, 0, data, f.size)) {
            free(data);
            data = nullptr;
        }
    }
    *len = f.size;
    _GrFontFileClose(&f);
    return data;
}

inline unsigned _GrFontLE16(const unsigned char *p) { return p[0] | (unsigned)p[1] << 8; }

inline uint32_t _GrFontLE32(const unsigned char *p)
{
    return p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

// Clears the bits past the glyph's width at the end of each row, which a
// file may leave dirty.
inline void _GrFontClearPadding(char *glyph, int w, int h)
{
    int bpr = (w + 7) / 8;
    if (w % 8 == 0)
        return;
    unsigned char keep = (unsigned char)(0xFF00U >> (w % 8));
    for (int y = 0; y < h; y++)
        glyph[y * bpr + bpr - 1] = (char)(glyph[y * bpr + bpr - 1] & keep);
}

// Copies at most max characters of src into dst (max + 1 bytes) and
// terminates it.
inline void _GrFontCopyName(char *dst, const char *src, size_t max)
{
    size_t n = strnlen(src, max);
    memcpy(dst, src, n);
    dst[n] = '\0';
}

#endif
