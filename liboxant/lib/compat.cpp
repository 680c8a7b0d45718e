/*
 * compat.cpp - bounded string copy and append for C libraries that lack
 * them. Always built: the program then behaves the same everywhere.
 *
 * Copyright (C) 2026 the zevgraph developers. LGPL-2.1-or-later.
 */
/* Fortified C library headers may wrap these names in inline functions
 * or macros; we are defining the real ones here. */
#undef _FORTIFY_SOURCE
#include "liboxant.h"

#include <string.h>

#undef strlcpy
#undef strlcat

extern "C" {

size_t strlcpy(char *dst, const char *src, size_t size) OXA_STRL_NOEXCEPT
{
    size_t len = strlen(src);
    if (size > 0) {
        size_t n = len < size - 1 ? len : size - 1;
        memcpy(dst, src, n);
        dst[n] = '\0';
    }
    return len;
}

size_t strlcat(char *dst, const char *src, size_t size) OXA_STRL_NOEXCEPT
{
    /* Look at no more than size bytes: dst need not be terminated there. */
    const char *end = size ? static_cast<const char *>(memchr(dst, '\0', size))
                           : nullptr;
    size_t dlen = end ? static_cast<size_t>(end - dst) : size;
    size_t slen = strlen(src);
    if (dlen + 1 < size) {
        size_t room = size - 1 - dlen;
        size_t n = slen < room ? slen : room;
        memcpy(dst + dlen, src, n);
        dst[dlen + n] = '\0';
    }
    return dlen + slen;
}

} // extern "C"
