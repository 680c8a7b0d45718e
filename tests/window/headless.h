// The windowed driver on the headless window system, for tests that watch
// what reaches the window without a display.
#ifndef TESTS_WINDOW_HEADLESS_H
#define TESTS_WINDOW_HEADLESS_H

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "window/winplat.h"

using Box = std::array<int, 4>;

class Headless : public testing::Test {
protected:
    static inline std::vector<Box> painted;  // boxes painted since the last take()
    static void record(int x1, int y1, int x2, int y2) { painted.push_back({x1, y1, x2, y2}); }

    void SetUp() override
    {
        _GrHeadless = _GR_headless{};
        ASSERT_EQ(_GrStartVideoDriver(&_GrVideoDriverHeadless, "1920x1080"), 1);
        _GrHeadless.painted = record;
        painted.clear();
    }
    void TearDown() override
    {
        _GrCloseVideoDriver();
        _GrHeadless.painted = nullptr;
    }
    std::vector<Box> take()
    {
        std::vector<Box> r;
        r.swap(painted);
        return r;
    }
    // the colour the window shows at (x, y)
    static uint32_t shown(int x, int y) { return _GrHeadless.rgb[y * _GrHeadless.width + x]; }
};

#endif  // TESTS_WINDOW_HEADLESS_H
