// The win32 driver in a real window (under Wine in CI): the window and its
// modes, what it shows, the close question, keys and mouse, and the
// program's own window.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "card.h"
#include "libpxl.h"
#include "window/winplat.h"

namespace {

// A top-level window of a process by class and title, or null.
HWND window_of(DWORD pid, const char *cls, const char *title)
{
    struct Find {
        DWORD pid;
        const char *cls, *title;
        HWND found;
    } f = {pid, cls, title, nullptr};
    EnumWindows(
        [](HWND w, LPARAM arg) -> BOOL {
            Find *f = reinterpret_cast<Find *>(arg);
            char c[64] = "", t[64] = "";
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            GetClassNameA(w, c, sizeof c);
            GetWindowTextA(w, t, sizeof t);
            if (pid == f->pid && strcmp(c, f->cls) == 0 && strcmp(t, f->title) == 0) {
                f->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.found;
}

HWND graphics_window(DWORD pid = GetCurrentProcessId())
{
    return window_of(pid, "PXLCLASS", "PXL");
}

// What the window shows, as 0xRRGGBB, read back from its client area.
std::vector<uint32_t> shown(HWND w, int width, int height)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HBITMAP bm = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bm);
    HDC dc = GetDC(w);
    BitBlt(mem, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ReleaseDC(w, dc);
    GdiFlush();
    const uint32_t *p = static_cast<const uint32_t *>(bits);
    std::vector<uint32_t> rgb(p, p + static_cast<size_t>(width) * height);
    for (uint32_t &c : rgb)
        c &= 0xFFFFFF;
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bm);
    return rgb;
}

// The screen's colours as the library knows them.
std::vector<uint32_t> drawn(int width, int height)
{
    std::vector<uint32_t> rgb;
    for (int y = 0; y < height; y++) {
        const GrColor *row = GrGetScanline(0, width - 1, y);
        for (int x = 0; x < width; x++) {
            int r, g, b;
            GrQueryColor(row[x], &r, &g, &b);
            rgb.push_back(static_cast<uint32_t>(r << 16 | g << 8 | b));
        }
    }
    return rgb;
}

// Waits (bounded by the test's timeout) for a window that shows.
HWND await_window(DWORD pid, const char *cls, const char *title)
{
    for (;;) {
        HWND w = window_of(pid, cls, title);
        if (w != nullptr && IsWindowVisible(w))
            return w;
        Sleep(5);
    }
}

// The close question of a process, once it shows: a message box.
HWND question(DWORD pid = GetCurrentProcessId())
{
    return await_window(pid, "#32770", "Abort");
}

std::string text_of(HWND box)
{
    std::string all;
    EnumChildWindows(
        box,
        [](HWND c, LPARAM arg) -> BOOL {
            char cls[32], text[256];
            GetClassNameA(c, cls, sizeof cls);
            if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextA(c, text, sizeof text) > 0)
                *reinterpret_cast<std::string *>(arg) += text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

void answer(HWND box, int id)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

void press(WORD vk, bool alt = false)
{
    std::vector<INPUT> in;
    auto key = [&](WORD k, bool up) {
        INPUT i = {};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        in.push_back(i);
    };
    if (alt)
        key(VK_MENU, false);
    key(vk, false);
    key(vk, true);
    if (alt)
        key(VK_MENU, true);
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

class Win32 : public testing::Test {
protected:
    void TearDown() override { _GrCloseVideoDriver(); }
};

TEST_F(Win32, DriverIsFirstAndItsWindowShowsTheModes)
{
    ASSERT_EQ(_GrVideoDriverTable[0], &_GrVideoDriverWIN32);
    EXPECT_STREQ(_GrVideoDriverWIN32.name, "win32");
    ASSERT_EQ(GrSetDriver(nullptr), 1);  // detected
    ASSERT_EQ(GrDriverInfo->video_driver, &_GrVideoDriverWIN32);
    for (int bpp : {8, 24}) {
        ASSERT_EQ(testcard_draw_on("win32", 640, 480, bpp), 0);
        _GrWinSync();
        HWND w = graphics_window();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(IsWindowVisible(w));
        RECT r;
        GetClientRect(w, &r);
        EXPECT_EQ(r.right, 640);
        EXPECT_EQ(r.bottom, 480);
        POINT origin = {0, 0};
        ClientToScreen(w, &origin);
        EXPECT_EQ(origin.x, 50);
        EXPECT_EQ(origin.y, 50);
        EXPECT_TRUE(shown(w, 640, 480) == drawn(640, 480)) << bpp << " bits";
    }
    // the window cannot grow past its mode
    HWND w = graphics_window();
    SetWindowPos(w, nullptr, 0, 0, 3000, 3000, SWP_NOMOVE | SWP_NOZORDER);
    RECT r;
    GetClientRect(w, &r);
    EXPECT_LE(r.right, 640);
    EXPECT_LE(r.bottom, 480);
    // a mode of the screen's size fills it from the top-left corner
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, sw, sh, 8), 1);
    POINT origin = {0, 0};
    ClientToScreen(w, &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    GrSetMode(GR_mode_text_default);
    EXPECT_FALSE(IsWindowVisible(graphics_window()));
    _GrCloseVideoDriver();
    EXPECT_EQ(graphics_window(), nullptr);
}

TEST_F(Win32, CloseQuestionAnsweredNo)
{
    ASSERT_EQ(GrSetDriver("win32"), 1);
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, 320, 240, 8), 1);
    HWND w = graphics_window();
    PostMessageA(w, WM_CLOSE, 0, 0);
    HWND q = question();
    EXPECT_EQ(GetWindow(q, GW_OWNER), w);
    EXPECT_EQ(text_of(q), "This will abort the program\nare you sure?");
    answer(q, IDNO);
    while (IsWindow(q))
        Sleep(5);
    EXPECT_TRUE(IsWindowVisible(w));
    // closing the driver while the question is up takes it away, unanswered
    PostMessageA(w, WM_CLOSE, 0, 0);
    q = question();
    _GrCloseVideoDriver();
    EXPECT_FALSE(IsWindow(q));
    EXPECT_FALSE(IsWindow(w));
}

using Win32DeathTest = Win32;

TEST_F(Win32DeathTest, CloseQuestionAnsweredYesEndsWithStatus1)
{
    EXPECT_EXIT(
        {
            GrSetDriver("win32");
            GrSetMode(GR_mode_graphics_size_bpp, 320, 240, 8);
            PostMessageA(graphics_window(), WM_CLOSE, 0, 0);
            answer(question(), IDYES);
            for (;;)
                Sleep(100);
        },
        testing::ExitedWithCode(1), "");
}

TEST_F(Win32DeathTest, FatalErrorsWithTheWindowOpenEnd)
{
    EXPECT_EXIT(
        {
            GrSetDriver("win32");
            GrSetMode(GR_mode_graphics_size_bpp, 320, 240, 8);
            GrSetMode(-1);
        },
        testing::ExitedWithCode(1), "^GrSetMode: unknown video mode\n$");
}

TEST_F(Win32, KeysArriveAsTheirCodes)
{
    ASSERT_EQ(GrSetDriver("win32"), 1);
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, 320, 240, 8), 1);
    GrKeyPressed();  // input starts here
    press('S');
    press(VK_ESCAPE);
    press(VK_BACK);
    press(VK_F1);
    press(VK_DELETE);
    press('X', true);
    const GrKeyType want[] = {'s', 27, 8, 0x13B, 0x153, 0x12D};
    for (GrKeyType k : want)
        EXPECT_EQ(GrKeyRead(), k);
}

// The program itself: its window asks before it closes; no keeps it
// running, yes ends it with status 1.
TEST(Win32Program, ZevgraphAsksBeforeItsWindowCloses)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    std::string cmd = "\"" ZEVGRAPH_EXE "\" -g1 \"" ZEV_EXAMPLES "/small.zev\"";
    ASSERT_TRUE(CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &si, &pi));
    const HWND w = await_window(pi.dwProcessId, "PXLCLASS", "PXL");
    for (int id : {IDNO, IDYES}) {
        PostMessageA(w, WM_CLOSE, 0, 0);
        const HWND q = question(pi.dwProcessId);
        EXPECT_EQ(GetWindow(q, GW_OWNER), w);
        EXPECT_EQ(text_of(q), "This will abort the program\nare you sure?");
        answer(q, id);
        while (IsWindow(q))
            Sleep(5);
        if (id == IDNO) {
            EXPECT_EQ(WaitForSingleObject(pi.hProcess, 200), WAIT_TIMEOUT);
        }
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(pi.hProcess, &status);
    EXPECT_EQ(status, 1U);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

TEST_F(Win32, MouseButtonsAndWheelInWindowCoordinates)
{
    ASSERT_EQ(GrSetDriver("win32"), 1);
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, 320, 240, 8), 1);
    // input starts here: messages that come before it are dropped
    GrMouseGetEventT(GR_EV_POLL | GR_EV_NOPAINT, nullptr, 0);
    POINT p = {100, 120};  // over the window
    ClientToScreen(graphics_window(), &p);
    SetCursorPos(p.x, p.y);
    GrMouseEventEnable(1, 1);
    const DWORD acts[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_WHEEL};
    for (DWORD a : acts) {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = a;
        in.mi.mouseData = a == MOUSEEVENTF_WHEEL ? WHEEL_DELTA : 0;
        SendInput(1, &in, sizeof in);
    }
    // where the pointer is, the wheel's place too: the window's, not the screen's
    const int want[] = {GR_EV_LEFT_DOWN, GR_EV_LEFT_UP, GR_EV_BUTTON4_DOWN, GR_EV_BUTTON4_UP};
    const int mask = GR_EV_LEFT_DOWN | GR_EV_LEFT_UP | GR_EV_BUTTON4_DOWN | GR_EV_BUTTON4_UP;
    GrInputEvent ev, first{};
    for (int flags : want) {
        GrMouseGetEventT(mask | GR_EV_NOPAINT, &ev, 1000);
        EXPECT_EQ(ev.flags & mask, flags);
        if (flags == GR_EV_LEFT_DOWN)
            first = ev;
        EXPECT_EQ(ev.x, first.x);
        EXPECT_EQ(ev.y, first.y);
    }
    EXPECT_TRUE(first.x >= 0 && first.x < 320 && first.y >= 0 && first.y < 240);
}

}  // namespace
