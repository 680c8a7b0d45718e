// Font loading: the name as given, then in each directory of the font
// path; in each place every font file driver is asked in table order,
// under the name itself and then with the driver's extension, and where
// case matters all that again with the name in lower case.
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "libpxl.h"

#define NAME_BUFFER 216  // the normalised name, terminator included
#define FILE_BUFFER 208  // directory + name + extension, terminator included

static GrFont *doit(const char *name, const char *dir, int cvt, int w, int h, int cmin,
                    int cmax)
{
    char fname[FILE_BUFFER], fontname[100], family[100];
    size_t len = strlen(dir) + strlen(name);
    if (len >= sizeof fname)
        return nullptr;
    strcpy(fname, dir);
    strcat(fname, name);
    for (const struct _GR_fontDriver *const *dp = _GrFontDriverTable; *dp != nullptr; dp++) {
        const struct _GR_fontDriver *d = *dp;
        fname[len] = '\0';
        if (!d->openfile(fname)) {
            if (len + strlen(d->ext) >= sizeof fname)
                continue;
            strcpy(fname + len, d->ext);
            if (!d->openfile(fname))
                continue;
        }
        struct _GR_fontHeader hdr;
        memset(&hdr, 0, sizeof hdr);
        fontname[0] = family[0] = '\0';
        hdr.name = fontname;
        hdr.family = family;
        GrFont *f = nullptr;
        if (d->header(&hdr))
            f = _GrBuildFont(&hdr, cvt, w, h, cmin, cmax, d->charwdt, d->bitmap, d->scalable);
        d->cleanup();
        if (f != nullptr)
            return f;
    }
    return nullptr;
}

GrFont *GrLoadConvertedFont(const char *name, int cvt, int w, int h, int cmin, int cmax)
{
    char fname[NAME_BUFFER], lname[NAME_BUFFER];  // as given, and in lower case
    size_t n = 0;
    int absolute = 0;
    if (name == nullptr)
        return nullptr;
    while (isspace((unsigned char)*name))
        name++;
    for (; *name != '\0' && !isspace((unsigned char)*name); name++) {
        char c = *name;
        if (c == '\\')
            c = '/';
        if ((n == 0 && c == '/') || c == ':')
            absolute = 1;
        if (n + 1 >= sizeof fname)
            return nullptr;  // a cut name would be another file's
        lname[n] = (char)tolower((unsigned char)c);
        fname[n] = _GR_FONTNAME_FOLD ? lname[n] : c;
        n++;
    }
    fname[n] = lname[n] = '\0';
    auto find = [&](const char *dir) {
        GrFont *f = doit(fname, dir, cvt, w, h, cmin, cmax);
        if (f == nullptr && strcmp(fname, lname) != 0)
            f = doit(lname, dir, cvt, w, h, cmin, cmax);
        return f;
    };
    GrFont *f = find("");
    if (absolute || f != nullptr)
        return f;
    if (_GrFontFileInfo.npath < 0)
        GrSetFontPath(getenv("PXLFONT"));
    for (int j = 0; j < _GrFontFileInfo.npath; j++)
        if ((f = find(_GrFontFileInfo.path[j])) != nullptr)
            return f;
    return nullptr;
}

GrFont *GrLoadFont(const char *name)
{
    return GrLoadConvertedFont(name, 0, 0, 0, 0, 0);
}
