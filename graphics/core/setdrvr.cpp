// Choosing and starting a video driver, by name or by detection.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "libpxl.h"

namespace {

// Fixed buffers: longer words, names and options are cut to fit.
enum { WORDSIZE = 128 };

bool same_text(const char *a, const char *b)
{
    for (; *a && *b; a++, b++)
        if (tolower(static_cast<unsigned char>(*a)) != tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

void copy_cut(char *dst, const char *src, size_t len)
{
    if (len > WORDSIZE - 1)
        len = WORDSIZE - 1;
    memcpy(dst, src, len);
    dst[len] = '\0';
}

// Reads the next blank-separated word of *p into word (cut to fit);
// returns false when there is none.
bool next_word(const char **p, char *word)
{
    const char *s = *p;
    while (*s == ' ')
        s++;
    const char *e = s;
    while (*e && *e != ' ')
        e++;
    *p = e;
    if (e == s)
        return false;
    copy_cut(word, s, static_cast<size_t>(e - s));
    return true;
}

// A decimal value, with K or M multiplying colour counts. Values that do
// not start with a number, or do not fit an int, change nothing.
bool word_value(const char *word, bool suffix, int *out)
{
    char *end;
    errno = 0;
    long v = strtol(word, &end, 10);
    if (end == word || errno == ERANGE)
        return false;
    if (suffix && *word) {
        const char last = static_cast<char>(toupper(static_cast<unsigned char>(word[strlen(word) - 1])));
        const long mul = last == 'K' ? 1024L : last == 'M' ? 1048576L : 1L;
        if (v > INT_MAX / mul || v < INT_MIN / mul)
            return false;
        v *= mul;
    }
    if (v > INT_MAX || v < INT_MIN)
        return false;
    *out = static_cast<int>(v);
    return true;
}

int *key_field(const char *word, bool *suffix)
{
    struct Key { const char *name; int *field; bool suffix; };
    const Key keys[] = {
        {"gw", &_GrDriverInfo.default_graphics_width, false},
        {"gh", &_GrDriverInfo.default_graphics_height, false},
        {"gc", &_GrDriverInfo.default_graphics_colors, true},
        {"nc", &_GrDriverInfo.default_graphics_colors, true},
        {"tw", &_GrDriverInfo.default_text_width, false},
        {"th", &_GrDriverInfo.default_text_height, false},
        {"tc", &_GrDriverInfo.default_text_colors, true},
    };
    for (const Key &k : keys)
        if (same_text(word, k.name)) {
            *suffix = k.suffix;
            return k.field;
        }
    return nullptr;
}

int mode_total(const GrVideoDriver *d)
{
    int n = 0;
    for (; d != nullptr; d = d->parent)
        n += d->mode_count;
    return n;
}

bool exit_hook_set = false;

}  // namespace

void _GrCloseVideoDriver(void)
{
    // The frame of a mode goes with its driver: after a mode, drawing and
    // reading on the screen fall to the stand-by text driver, never into
    // freed memory. Before the first mode there is nothing to undo.
    if (_GrDriverInfo.screen_driver.mode != GR_frameUndef) {
        _GrDriverInfo.frame_driver = _GrDriverInfo.screen_driver = _GrDriverInfo.text_driver;
        _GrContextInfo.current = _GrContextInfo.screen = _GrStandbyContext;
    }
    if (_GrDriverInfo.video_driver != nullptr) {
        if (_GrDriverInfo.video_driver->reset != nullptr)
            _GrDriverInfo.video_driver->reset();
        _GrDriverInfo.video_driver = nullptr;
    }
}

int _GrStartVideoDriver(GrVideoDriver *drv, const char *options)
{
    _GrCloseVideoDriver();
    if (!exit_hook_set) {
        atexit(_GrCloseVideoDriver);
        exit_hook_set = true;
    }
    if (drv->init != nullptr && !drv->init(options))
        return 0;
    _GrDriverInfo.video_driver = drv;
    return 1;
}

int GrSetDriver(const char *drvspec)
{
    char word[WORDSIZE], name[WORDSIZE] = "", options[WORDSIZE] = "";
    if (drvspec == nullptr)
        drvspec = getenv("PXLDRV");
    if (drvspec != nullptr) {
        const char *p = drvspec;
        while (next_word(&p, word)) {
            bool suffix = false;
            int *field = strlen(word) == 2 ? key_field(word, &suffix) : nullptr;
            if (field == nullptr) {
                strcpy(name, word);  // both WORDSIZE: a later name wins
                continue;
            }
            if (!next_word(&p, word))
                break;
            int v;
            if (word_value(word, suffix, &v))
                *field = v;
        }
        char *colons = strstr(name, "::");
        if (colons != nullptr) {
            strcpy(options, colons + 2);
            *colons = '\0';
        }
    }

    GrVideoDriver *chosen = nullptr;
    if (name[0] != '\0') {
        for (GrVideoDriver *const *d = _GrVideoDriverTable; *d; d++)
            if (same_text((*d)->name, name)) {
                chosen = *d;
                break;
            }
    } else {
        int best = -1;
        for (GrVideoDriver *const *d = _GrVideoDriverTable; *d; d++)
            if ((*d)->detect != nullptr && (*d)->detect()) {
                const int n = mode_total(*d);
                if (n > best) {
                    best = n;
                    chosen = *d;
                }
            }
    }
    if (chosen == nullptr)
        return 0;
    return _GrStartVideoDriver(chosen, options);
}
