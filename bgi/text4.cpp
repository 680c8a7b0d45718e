// User fonts: library font files into slots 21..29, stroke fonts into
// 11..20.
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "libbgi.h"

int installuserfont(const char *name)
{
    if (name == nullptr)
        return grFileNotFound;
    const size_t n = strlen(name);
    char *lower = static_cast<char *>(malloc(n + 1));
    if (lower == nullptr)
        return grNoFontMem;
    for (size_t i = 0; i <= n; i++)
        lower[i] = static_cast<char>(tolower(static_cast<unsigned char>(name[i])));
    int r;
    if (strstr(lower, ".fnt") != nullptr) {
        __gr_text_init();
        int slot = GR_BGI_FIRSTBITMAP;
        while (slot < GR_BGI_LASTBITMAP && __gr_text_Fonts[slot] != nullptr)
            slot++;
        if (slot == GR_BGI_LASTBITMAP) {
            r = grNoFontMem;  // slot 30 is left to the program
        } else {
            GrFont *f = GrLoadFont(strncmp(name, "@:", 2) == 0 ? name + 2 : name);
            __gr_text_Fonts[slot] = f;
            r = f != nullptr ? slot : grFontNotFound;
        }
    } else {
        // lower-cased there, and tried as given when that is not found
        r = __gr_text_installfont(GR_BGI_FIRSTUSER, GR_BGI_LASTSTROKE, name);
    }
    free(lower);
    return r;
}
