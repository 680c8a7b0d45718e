// Window messages to key codes and mouse events: the key tables, buttons
// and wheel, the queues and their overflow, the mouse settings.
#include <thread>

#include "fakehost.h"

namespace {

constexpr int kAllEvents = 0x7FFF & ~GR_EV_POLL;  // NOPAINT included

using Input = WithWindow;

GrInputEvent next_event(int mask = kAllEvents)
{
    GrInputEvent e{};
    GrMouseGetEventT(mask, &e, 0);
    return e;
}

}  // namespace

TEST_F(Input, KeyCodes)
{
    struct {
        int msg, wparam, state;
        int key;  // -1: no key
    } cases[] = {
        {GR_W32_KEYDOWN, 0x08, 0, -1},  // Backspace: no table entry ...
        {GR_W32_CHAR, 8, 0, 8},         // ... the character gives 8
        {GR_W32_CHAR, 27, 0, 27},
        {GR_W32_CHAR, 's', 0, 115},
        {GR_W32_CHAR, 'S', GR_KS_SHIFT, 83},
        {GR_W32_CHAR, 19, GR_KS_CTRL, 19},
        {GR_W32_SYSKEYDOWN, 'S', GR_KS_ALT, -1},
        {GR_W32_SYSCHAR, 's', GR_KS_ALT, 0x11F},
        {GR_W32_SYSCHAR, 'S', GR_KS_ALT, 0x11F},
        {GR_W32_SYSCHAR, '7', GR_KS_ALT, 0x17E},
        {GR_W32_SYSCHAR, '!', GR_KS_ALT, -1},
        {GR_W32_KEYDOWN, GR_VK_LEFT, 0, 0x14B},
        {GR_W32_KEYDOWN, GR_VK_LEFT, GR_KS_SHIFT, 0x1CB},
        {GR_W32_KEYDOWN, GR_VK_LEFT, GR_KS_CTRL, 0x173},
        {GR_W32_KEYDOWN, GR_VK_LEFT, GR_KS_CTRL | GR_KS_SHIFT, 0x173},
        {GR_W32_SYSKEYDOWN, GR_VK_LEFT, GR_KS_ALT, 0x1BD},
        {GR_W32_KEYDOWN, GR_VK_DELETE, GR_KS_SHIFT, -1},
        {GR_W32_KEYDOWN, GR_VK_DELETE, 0, 0x153},
        {GR_W32_KEYDOWN, GR_VK_F1, 0, 0x13B},
        {GR_W32_KEYDOWN, GR_VK_F1 + 9, GR_KS_SHIFT, 0x15D},
        {GR_W32_KEYDOWN, GR_VK_F12, GR_KS_ALT, 0x18C},
        {GR_W32_KEYDOWN, GR_VK_PRIOR, GR_KS_CTRL, 0x184},
        {GR_W32_KEYDOWN, 0x1FF, 0, -1},
    };
    for (const auto &c : cases) {
        post(c.msg, static_cast<uint64_t>(c.wparam), c.state);
        post(GR_W32_CHAR, '#');  // a marker: a message without a key shows as '#'
        SCOPED_TRACE(testing::Message() << "message " << c.msg << " wparam " << c.wparam
                                        << " state " << c.state);
        if (c.key >= 0) {
            EXPECT_EQ(GrKeyRead(), c.key);
        }
        EXPECT_EQ(GrKeyRead(), '#');
    }
    post(GR_W32_SYSCHAR, 'q', GR_KS_ALT | GR_KS_CAPS);
    EXPECT_EQ(GrKeyRead(), 0x110);
    EXPECT_EQ(GrKeyStat(), GR_KS_ALT | GR_KS_CAPS);
    EXPECT_FALSE(GrKeyPressed());
}

TEST_F(Input, MouseButtonsWheelAndCommands)
{
    post(GR_W32_MOUSEMOVE, 0, 0, GR_W32_POS(10, 20));
    post(GR_W32_CHAR, 'k', GR_KS_CTRL);
    GrInputEvent e = next_event();
    EXPECT_EQ(e.flags, GR_EV_KEYPRESS | GR_EV_MOTION);
    EXPECT_EQ(e.key, 'k');
    EXPECT_EQ(e.x, 10);
    EXPECT_EQ(e.y, 20);
    EXPECT_EQ(e.key_state, GR_KS_CTRL);
    EXPECT_GE(e.delta_time, 0);
    EXPECT_EQ(GrMouseInfo->has_moved, 1);  // a key leaves the motion to report

    post(GR_W32_LBUTTONDOWN, 0, 0, GR_W32_POS(11, 21));
    post(GR_W32_LBUTTONUP, 0, 0, GR_W32_POS(12, 22));
    e = next_event();
    EXPECT_EQ(e.flags, GR_EV_LEFT_DOWN | GR_EV_MOTION);
    EXPECT_EQ(e.buttons, GR_BTN_LEFT);
    EXPECT_EQ(e.x, 11);
    EXPECT_EQ(GrMouseInfo->has_moved, 0);
    e = next_event();
    EXPECT_EQ(e.flags, GR_EV_LEFT_UP);
    EXPECT_EQ(e.buttons, 0);
    EXPECT_EQ(e.y, 22);

    post(GR_W32_RBUTTONDOWN, 0);
    post(GR_W32_MBUTTONDOWN, 0);
    post(GR_W32_RBUTTONUP, 0);
    EXPECT_EQ(next_event().flags, GR_EV_RIGHT_DOWN);
    EXPECT_EQ(next_event().buttons, GR_BTN_RIGHT | GR_BTN_MIDDLE);
    e = next_event();
    EXPECT_EQ(e.flags, GR_EV_RIGHT_UP);
    EXPECT_EQ(e.buttons, GR_BTN_MIDDLE);
    post(GR_W32_MBUTTONUP, 0);
    EXPECT_EQ(next_event().flags, GR_EV_MIDDLE_UP);

    // one notch each way: the window queues every wheel message twice;
    // the position is the window's, as for every mouse message
    for (int i = 0; i < 2; i++)
        post(GR_W32_MOUSEWHEEL, uint64_t{120} << 16, 0, GR_W32_POS(300, 200));
    for (int i = 0; i < 2; i++)
        post(GR_W32_MOUSEWHEEL, uint64_t{0xFF88} << 16);  // -120
    e = next_event();
    EXPECT_EQ(e.flags, GR_EV_BUTTON4_DOWN);
    EXPECT_EQ(e.buttons, GR_BTN_4);
    EXPECT_EQ(e.x, 300);
    EXPECT_EQ(e.y, 200);
    e = next_event();
    EXPECT_EQ(e.flags, GR_EV_BUTTON4_UP);
    EXPECT_EQ(e.buttons, 0);
    EXPECT_EQ(next_event().buttons, GR_BTN_5);
    EXPECT_EQ(next_event().flags, GR_EV_BUTTON5_UP);

    // commands pass whatever the mask of keys; events outside the mask are dropped
    post(GR_W32_CHAR, 'x');
    post(GR_W32_COMMAND, 42);
    e = next_event(GR_EV_COMMAND);
    EXPECT_EQ(e.flags, GR_EV_COMMAND);
    EXPECT_EQ(e.key, 42);
    EXPECT_FALSE(GrKeyPressed());
}

TEST_F(Input, StateEventsAndNullOutput)
{
    GrInputEvent e{};
    GrMouseGetEventT(GR_EV_POLL, &e, 0);  // reports (and clears) any motion so far
    GrMouseGetEventT(GR_EV_POLL, &e, 0);  // nothing queued: the state at once
    EXPECT_EQ(e.flags, 0);
    EXPECT_EQ(e.delta_time, -1);
    EXPECT_EQ(e.x, 319);
    EXPECT_EQ(e.y, 239);

    post(GR_W32_MOUSEMOVE, 0, GR_KS_ALT, GR_W32_POS(5, 6));
    GrMouseGetEventT(GR_EV_MOTION | GR_EV_NOPAINT, &e, -1);
    EXPECT_EQ(e.flags, GR_EV_MOTION);
    EXPECT_GE(e.delta_time, 0);
    EXPECT_EQ(e.key_state, GR_KS_ALT);
    EXPECT_EQ(e.x, 5);
    EXPECT_EQ(GrMouseInfo->has_moved, 0);

    post(GR_W32_CHAR, 'a');
    GrMouseGetEventT(kAllEvents, nullptr, 0);  // taken and dropped
    EXPECT_FALSE(GrKeyPressed());
}

TEST_F(Input, QueueSizesAndOverflow)
{
    GrMouseInitN(0);
    EXPECT_EQ(GrMouseInfo->queue_size, 4);
    GrMouseInitN(1000);
    EXPECT_EQ(GrMouseInfo->queue_size, 256);
    GrMouseInitN(-1);  // taken as unsigned
    EXPECT_EQ(GrMouseInfo->queue_size, 256);

    // six keys in a message ring of four: the last four stay
    GrMouseInitN(4);
    for (char c = 'a'; c <= 'f'; c++)
        post(GR_W32_CHAR, static_cast<uint64_t>(c));
    for (char c = 'c'; c <= 'f'; c++)
        EXPECT_EQ(GrKeyRead(), c);
    EXPECT_FALSE(GrKeyPressed());

    // six key events in an event queue of four: the two overwritten keys
    // are no longer counted as waiting
    for (char c = 'a'; c <= 'c'; c++)
        post(GR_W32_CHAR, static_cast<uint64_t>(c));
    EXPECT_TRUE(GrKeyPressed());
    for (char c = 'd'; c <= 'f'; c++)
        post(GR_W32_CHAR, static_cast<uint64_t>(c));
    EXPECT_TRUE(GrKeyPressed());
    EXPECT_EQ(GrMouseInfo->queue_count, 4);
    for (char c = 'c'; c <= 'f'; c++)
        EXPECT_EQ(GrKeyRead(), c);
    EXPECT_FALSE(GrKeyPressed());

    // starting again drops what waits
    post(GR_W32_CHAR, 'z');
    GrMouseInitN(8);
    EXPECT_FALSE(GrKeyPressed());
}

TEST_F(Input, KeyPoolWhenKeysBypassTheQueue)
{
    GrMouseEventEnable(0, 0);
    for (int i = 0; i < 17; i++)
        post(GR_W32_CHAR, static_cast<uint64_t>('a' + i));
    EXPECT_TRUE(GrKeyPressed());
    EXPECT_EQ(GrMouseInfo->queue_count, 0);
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(GrKeyRead(), 'a' + i);
    EXPECT_FALSE(GrKeyPressed());  // the 17th found the pool full
    GrMouseEventEnable(1, 1);
}

TEST_F(Input, MouseSettings)
{
    // starting input with a mouse: defaults, limits of the screen, pointer centred
    EXPECT_EQ(GrMouseInfo->mouse_state, 2);
    EXPECT_EQ(GrMouseInfo->speed_mul, 1);
    EXPECT_EQ(GrMouseInfo->accel_threshold, 64);
    EXPECT_EQ(GrMouseInfo->limit_x2, 639);
    EXPECT_EQ(GrMouseInfo->limit_y2, 479);
    EXPECT_EQ(FakeHost::warp_x, 319);
    EXPECT_EQ(FakeHost::warp_y, 239);

    GrMouseSetSpeed(0, 20);
    EXPECT_EQ(GrMouseInfo->speed_mul, 1);
    EXPECT_EQ(GrMouseInfo->speed_div, 16);
    GrMouseSetAccel(100, -1);
    EXPECT_EQ(GrMouseInfo->accel_threshold, 64);
    EXPECT_EQ(GrMouseInfo->accel_factor, 16);

    GrMouseSetLimits(100, 50, 10, 5);
    EXPECT_EQ(GrMouseInfo->limit_x1, 10);
    EXPECT_EQ(GrMouseInfo->limit_y1, 5);
    EXPECT_EQ(GrMouseInfo->limit_x2, 100);
    EXPECT_EQ(GrMouseInfo->limit_y2, 50);
    GrMouseWarp(1000, -3);
    EXPECT_EQ(GrMouseInfo->mouse_x, 100);
    EXPECT_EQ(GrMouseInfo->mouse_y, 5);
    EXPECT_EQ(FakeHost::warp_x, 100);
    EXPECT_EQ(FakeHost::warp_y, 5);
    GrMouseSetLimits(-5, -5, 5000, 5000);
    EXPECT_EQ(GrMouseInfo->limit_x1, 0);
    EXPECT_EQ(GrMouseInfo->limit_y2, 479);

    // a mode change demotes the mouse; the next key call starts input again
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_colors, 320, 200, 256), 1);
    EXPECT_EQ(GrMouseInfo->mouse_state, 1);
    post(GR_W32_CHAR, 'x');
    EXPECT_FALSE(GrKeyPressed());  // dropped by the restart
    EXPECT_EQ(GrMouseInfo->mouse_state, 2);
    EXPECT_EQ(GrMouseInfo->limit_x2, 319);
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_colors, 640, 480, 256), 1);
}

TEST_F(Input, WithoutAMouseWaitingKeysStay)
{
    FakeHost::mouse = 0;
    FakeHost::warps = 0;
    GrMouseInitN(128);
    EXPECT_EQ(GrMouseDetect(), 0);
    EXPECT_EQ(GrMouseInfo->mouse_state, 1);
    post(GR_W32_CHAR, 's');
    EXPECT_TRUE(GrKeyPressed());
    EXPECT_TRUE(GrKeyPressed());
    EXPECT_EQ(GrKeyRead(), 's');
    EXPECT_EQ(FakeHost::warps, 0);  // no pointer to move
}

TEST_F(Input, MessagesFromAnotherThread)
{
    GrMouseInitN(256);
    std::thread window([] {
        for (int i = 0; i < 3000; i++)
            post(GR_W32_CHAR, 'a');
    });
    int seen = 0;
    while (seen < 50)
        if (GrKeyPressed() && GrKeyRead() == 'a')
            seen++;
    window.join();
    post(GR_W32_CHAR, 'z');  // the newest message always survives
    while (GrKeyRead() != 'z') {
    }
    EXPECT_FALSE(GrKeyPressed());
}
