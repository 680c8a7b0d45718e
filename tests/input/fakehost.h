// A window that exists only for input: the tests queue its messages by
// hand and record where it was asked to move the pointer.
#ifndef FAKEHOST_H
#define FAKEHOST_H

#include <gtest/gtest.h>

#include "libpxl.h"
#include "w32inp.h"

struct FakeHost {
    static inline int mouse = 1;        // a pointer exists
    static inline int warps = 0;
    static inline int warp_x = -1, warp_y = -1;

    static int present() { return mouse; }
    static void warp(int x, int y)
    {
        warps++;
        warp_x = x;
        warp_y = y;
    }
    static constexpr _GR_inputHost record = {present, warp};
};

// A 640 x 480 memory screen with the fake window in place and input
// started on it.
class WithWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_EQ(GrSetDriver("memory"), 1);
        ASSERT_EQ(GrSetMode(GR_mode_graphics_size_colors, 640, 480, 256), 1);
    }
    void SetUp() override
    {
        FakeHost::mouse = 1;
        FakeHost::warps = 0;
        _GrInputHost = &FakeHost::record;
        GrMouseInitN(128);
    }
    void TearDown() override { _GrInputHost = nullptr; }
};

inline void post(int msg, uint64_t wparam, int key_state = 0, int64_t lparam = 0)
{
    EnqueueW32Event(msg, wparam, lparam, key_state);
}

#endif
