// Checks for recording frame drivers: does a call stay within the current
// context's clip box (in frame coordinates)?
#ifndef TESTS_CORE_CLIPCHECK_H
#define TESTS_CORE_CLIPCHECK_H

#include <gtest/gtest.h>

#include <cstdint>

#include "libpxl.h"

inline bool in_clip(int64_t x, int64_t y)
{
    const GrContext &c = _GrContextInfo.current;
    return x >= int64_t{c.gc_xcliplo} + c.gc_xoffset && x <= int64_t{c.gc_xcliphi} + c.gc_xoffset &&
           y >= int64_t{c.gc_ycliplo} + c.gc_yoffset && y <= int64_t{c.gc_ycliphi} + c.gc_yoffset;
}

// A w x h area at (x, y): non-empty and inside, or a test failure.
inline bool area_in_clip(int x, int y, int64_t w, int64_t h)
{
    const bool ok = w >= 1 && h >= 1 && in_clip(x, y) && in_clip(x + w - 1, y + h - 1);
    EXPECT_TRUE(ok) << "outside the clip box: " << x << ',' << y << ' ' << w << 'x' << h;
    return ok;
}

#endif  // TESTS_CORE_CLIPCHECK_H
