// The font path: directories separated by ';', ':' or white space, a
// single letter before ':' being a drive. Every directory ends in '/'.
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "libpxl.h"

#define PATH_MAXDIRS 100
#define PATH_ENTRY 208  // bytes of one directory, '/' and terminator included

// Reads the next directory of *pp into ent; its length, 0 for an empty or
// over-long one (both dropped), -1 at the end of the text.
static int nextdir(const char **pp, char *ent)
{
    const char *p = *pp;
    size_t n = 0, len = 0;
    if (*p == '\0')
        return -1;
    for (; *p != '\0'; p++) {
        int c = _GR_FONTNAME_FOLD ? tolower((unsigned char)*p) : (unsigned char)*p;
        if (c == ';' || isspace(c))
            break;
        if (c == ':' && !(len == 1 && isalpha((unsigned char)ent[0])))
            break;
        if (c == '\\')
            c = '/';
        if (n < PATH_ENTRY - 1)
            ent[n++] = (char)c;
        len++;
    }
    *pp = *p != '\0' ? p + 1 : p;
    if (len == 0)
        return 0;
    if (ent[n - 1] != '/')
        len++;
    if (len > PATH_ENTRY - 1)
        return 0;
    ent[n] = '/';
    ent[len] = '\0';
    return (int)len;
}

void GrSetFontPath(const char *path)
{
    char ent[PATH_ENTRY];
    const char *p;
    int n = 0, j = 0, len;
    size_t bytes = 0;
    if (path == nullptr || *path == '\0')
        return;
    for (p = path; n < PATH_MAXDIRS && (len = nextdir(&p, ent)) >= 0;)
        if (len > 0) {
            n++;
            bytes += (size_t)len + 1;
        }
    // the pointers, then the strings one after another, in one block; the
    // old block goes last, as the text may lie in it
    char **list = n > 0 ? (char **)malloc((size_t)n * sizeof(char *) + bytes) : nullptr;
    char *s = list != nullptr ? (char *)(list + n) : nullptr;
    for (p = path; list != nullptr && j < n && (len = nextdir(&p, ent)) >= 0;)
        if (len > 0) {
            list[j++] = s;
            memcpy(s, ent, (size_t)len + 1);
            s += len + 1;
        }
    free(_GrFontFileInfo.path);
    _GrFontFileInfo.path = list;
    _GrFontFileInfo.npath = j;
}
