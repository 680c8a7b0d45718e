// Keys and the mouse through a window that exists only for the tests.
#include "bgitest.h"
#include "fakehost.h"

class BgiInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        bgi_open(320, 200);
        FakeHost::mouse = 1;
        _GrInputHost = &FakeHost::record;
        GrMouseInitN(128);
    }
    void TearDown() override
    {
        closegraph();
        _GrInputHost = nullptr;
    }
};

TEST_F(BgiInput, KeysWholeAndByByte)
{
    EXPECT_EQ(kbhit(), 0);
    post(GR_W32_CHAR, 'a');
    post(GR_W32_KEYDOWN, GR_VK_LEFT);
    post(GR_W32_CHAR, 8);
    post(GR_W32_CHAR, 27);
    post(GR_W32_KEYDOWN, GR_VK_LEFT, GR_KS_SHIFT);
    EXPECT_NE(kbhit(), 0);
    EXPECT_EQ(getch(), 'a');
    EXPECT_EQ(getch(), 0);  // an extended key: 0, then its code
    EXPECT_EQ(getch(), 0x4B);
    EXPECT_EQ(getkey(), 8);
    EXPECT_EQ(getkey(), 27);
    EXPECT_EQ(getkey(), 0x1CB);
    EXPECT_EQ(getkbstat() & GR_KS_SHIFT, GR_KS_SHIFT);
    EXPECT_EQ(kbhit(), 0);
}

TEST_F(BgiInput, ClicksByKindAndKeysBetweenThem)
{
    post(GR_W32_MOUSEMOVE, 0, 0, GR_W32_POS(5, 6));
    post(GR_W32_LBUTTONDOWN, 0, 0, GR_W32_POS(30, 40));
    post(GR_W32_CHAR, 'k');
    post(GR_W32_LBUTTONUP, 0, 0, GR_W32_POS(31, 41));
    EXPECT_NE(ismouseclick(WM_LBUTTONDOWN), 0);
    EXPECT_NE(ismouseclick(WM_LBUTTONUP), 0);
    EXPECT_EQ(ismouseclick(WM_RBUTTONDOWN), 0);
    EXPECT_EQ(mousex(), 31);
    EXPECT_EQ(mousey(), 41);
    int x = 0, y = 0;
    getmouseclick(WM_LBUTTONDOWN, x, y);  // the C++ form with int variables
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 40);
    EXPECT_EQ(ismouseclick(WM_LBUTTONDOWN), 0);
    getmouseclick(WM_LBUTTONDOWN, &x, &y);  // none waiting
    EXPECT_EQ(x, -1);
    EXPECT_EQ(y, -1);
    clearmouseclick(WM_LBUTTONUP);
    EXPECT_EQ(ismouseclick(WM_LBUTTONUP), 0);
    EXPECT_EQ(ismouseclick(12345), 0);
    // the key read on the way is kept for getch
    EXPECT_NE(kbhit(), 0);
    EXPECT_EQ(getch(), 'k');
    // the program follows the mouse: the pointer is shown
    EXPECT_NE(GrMouseInfo->cursor_shown, 0);
}
