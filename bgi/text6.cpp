// Loading stroke font files: one file into a slot, and the standard fonts
// from the font directories.
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "fonts/fdvfile.h"
#include "libbgi.h"

#ifndef PXL_FONTDIR
#define PXL_FONTDIR ""
#endif

#define CHR_MAXSIZE (1 << 20)  // far past the reach of the 16-bit offsets

namespace {

// Reads the file whole and registers it; the slot or an error code.
int load(const char *fname, int first, int last)
{
    _GR_fontFile f;
    if (!_GrFontFileOpen(&f, fname))
        return grFileNotFound;
    if (f.size > CHR_MAXSIZE) {
        _GrFontFileClose(&f);
        return grInvalidFont;
    }
    const size_t len = static_cast<size_t>(f.size);
    void *image = malloc(len > 0 ? len : 1);
    if (image == nullptr) {
        _GrFontFileClose(&f);
        return grNoFontMem;
    }
    const int read = _GrFontFileRead(&f, 0, image, f.size);
    _GrFontFileClose(&f);
    const int r = read ? _GrBgiRegisterFont(first, last, image, len, 1) : grInvalidFont;
    if (r < 0)
        free(image);
    return r;
}

}  // namespace

// The name with '/' for '\' and ".chr" added when its last part has no
// dot; lower-cased first (the names of the standard fonts), then as given.
int __gr_text_installfont(int first, int last, const char *name)
{
    if (name == nullptr)
        return grFileNotFound;
    const size_t n = strlen(name);
    char *fname = static_cast<char *>(malloc(n + sizeof ".chr"));
    if (fname == nullptr)
        return grNoFontMem;
    int r = grFileNotFound;
    for (int pass = 0; pass < 2 && r == grFileNotFound; pass++) {
        size_t base = 0;
        for (size_t i = 0; i < n; i++) {
            const unsigned char c = static_cast<unsigned char>(name[i]);
            fname[i] = c == '\\' ? '/' : static_cast<char>(pass == 0 ? tolower(c) : c);
            if (fname[i] == '/')
                base = i + 1;
        }
        fname[n] = '\0';
        if (strchr(fname + base, '.') == nullptr)
            strcat(fname, ".chr");
        r = load(fname, first, last);
    }
    free(fname);
    return r;
}

// The standard font's file in the initgraph directory (or ./), then in
// the directories of the font path (PXLFONT), then in the fonts installed
// with the library. A file that exists but cannot be used ends the search.
int _GrBgiLoadStdFont(int font)
{
    const char *const file = __gr_text_StdFonts[font];
    if (_GrFontFileInfo.npath < 0)
        GrSetFontPath(getenv("PXLFONT"));
    const int ndirs = 2 + (_GrFontFileInfo.npath > 0 ? _GrFontFileInfo.npath : 0);
    int r = grFileNotFound;
    for (int d = 0; d < ndirs && r == grFileNotFound; d++) {
        const char *dir = d == 0 ? (__gr_BGICHR[0] != '\0' ? __gr_BGICHR : ".")
                          : d == ndirs - 1 ? PXL_FONTDIR
                                           : _GrFontFileInfo.path[d - 1];
        if (dir[0] == '\0')
            continue;
        const size_t dl = strlen(dir);
        char *name = static_cast<char *>(malloc(dl + 1 + strlen(file) + 1));
        if (name == nullptr)
            return grNoFontMem;
        strcpy(name, dir);
        if (dir[dl - 1] != '/' && dir[dl - 1] != '\\')
            strcat(name, "/");
        strcat(name, file);
        r = __gr_text_installfont(font, font, name);
        free(name);
    }
    return r;
}
