// The x11 driver on a real X server (Xvfb in CI), driven with xdotool.
// Every test skips when no display can be opened.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "window/winplat.h"
#include "xtools.h"

namespace {

int ignore_errors(Display *, XErrorEvent *) { return 0; }

class X11 : public testing::Test {
protected:
    Display *dpy = nullptr;

    void SetUp() override
    {
        XInitThreads();
        XSetErrorHandler(ignore_errors);
        // (the server now and then hangs up on a new client)
        for (int tries = 0; dpy == nullptr && tries < 5 && getenv("DISPLAY") != nullptr; tries++)
            if ((dpy = XOpenDisplay(nullptr)) == nullptr)
                usleep(20000);
        if (dpy == nullptr)
            GTEST_SKIP() << "no X display: set DISPLAY (Xvfb :1 -screen 0 1280x1024x24)";
    }
    void TearDown() override
    {
        if (dpy != nullptr)
            XCloseDisplay(dpy);
    }

    // The graphics window of a process (waits until it exists).
    static Window window_of(pid_t pid, const std::string &display = "")
    {
        return std::stoul("0" + xt::run_line("xdotool search --sync --pid " +
                                                 std::to_string(pid) + " --name '^PXL$' | head -1",
                                             display));
    }
    // The question over window w (waits until it shows).
    Window question_over(Window w)
    {
        for (;;) {
            const std::string ids =
                xt::run_line("xdotool search --sync --onlyvisible --name '^Abort$'") + "\n";
            for (size_t p = 0, e; (e = ids.find('\n', p)) != std::string::npos; p = e + 1) {
                Window q = std::stoul("0" + ids.substr(p, e - p)), owner = 0;
                if (q != 0 && XGetTransientForHint(dpy, q, &owner) && owner == w)
                    return q;
            }
        }
    }
    // Answers question q with a key or a click and waits until it is gone
    // (the program may read its next command before the answer).
    void answer(Window q, const std::string &key, int x = 0, int y = 0)
    {
        XSelectInput(dpy, q, StructureNotifyMask);
        XSync(dpy, False);
        press(q, key, x, y);
        XEvent ev;
        do
            XWindowEvent(dpy, q, StructureNotifyMask, &ev);
        while (ev.type != DestroyNotify);
    }
    static void press(Window q, const std::string &key, int x = 0, int y = 0)
    {
        const std::string id = std::to_string(q);
        if (key.empty()) {
            xt::run("xdotool mousemove --window " + id + " " + std::to_string(x) + " " +
                    std::to_string(y) + " click 1");
            return;
        }
        // xdotool presses the key of a focused window on the server itself
        // and sends its release to the window, which by then has gone: the
        // release is lost there, so make it here
        xt::run("xdotool key --window " + id + " " + key);
        xt::run("xdotool keyup " + key);
    }
    void ask_to_close(Window w)
    {
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = w;
        ev.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
        ev.xclient.data.l[1] = CurrentTime;
        XSendEvent(dpy, w, False, NoEventMask, &ev);
        XFlush(dpy);
    }
    struct Geometry {
        int x, y, w, h;
        bool mapped;
    };
    Geometry geometry(Window w)
    {
        XWindowAttributes a{};
        XGetWindowAttributes(dpy, w, &a);
        int x = 0, y = 0;
        Window child;
        XTranslateCoordinates(dpy, w, DefaultRootWindow(dpy), 0, 0, &x, &y, &child);
        return {x, y, a.width, a.height, a.map_state == IsViewable};
    }
    static std::string scratch(const std::string &name)
    {
        return testing::TempDir() + "x11_" + std::to_string(getpid()) + "_" + name;
    }
};

// The window shows what the frame holds, pixel for pixel (as far as the
// visual has bits for it).
void expect_same_picture(const xt::Image &shot, const xt::Image &png)
{
    ASSERT_EQ(shot.width, png.width);
    ASSERT_EQ(shot.height, png.height);
    int wrong = 0;
    for (int y = 0; y < png.height; y++)
        for (int x = 0; x < png.width; x++)
            if (shot.at(x, y) != shot.reduce(png.at(x, y)) && wrong++ < 5)
                ADD_FAILURE() << "at " << x << "," << y << ": window " << std::hex
                              << shot.at(x, y) << ", frame " << png.at(x, y);
    EXPECT_EQ(wrong, 0);
}

std::string winprog() { return WINPROG; }

}  // namespace

TEST_F(X11, DriverIsFirstAndDetectedWhenADisplayOpens)
{
    EXPECT_EQ(_GrVideoDriverTable[0], &_GrVideoDriverX11);
    EXPECT_STREQ(_GrVideoDriverX11.name, "x11");
    EXPECT_EQ(_GrVideoDriverX11.adapter, 6);
    EXPECT_EQ(_GrVideoDriverX11.mode_count, 22);
    EXPECT_EQ(_GrVideoDriverX11.flags, 1U);
    EXPECT_EQ(_GrVideoDriverX11.detect(), 1);
    unsetenv("PXLDRV");
    ASSERT_EQ(GrSetDriver(nullptr), 1);
    EXPECT_EQ(GrDriverInfo->video_driver, &_GrVideoDriverX11);
    _GrCloseVideoDriver();

    // no display: nothing found, nothing said
    const std::string display = getenv("DISPLAY") ? getenv("DISPLAY") : "";
    testing::internal::CaptureStderr();
    unsetenv("DISPLAY");
    EXPECT_EQ(_GrVideoDriverX11.detect(), 0);
    setenv("DISPLAY", ":32767", 1);
    EXPECT_EQ(_GrVideoDriverX11.detect(), 0);
    EXPECT_EQ(GrSetDriver("x11"), 0);  // its start fails: no driver in use
    EXPECT_EQ(GrDriverInfo->video_driver, nullptr);
    setenv("DISPLAY", display.c_str(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(X11, DrawingInThisProcessReachesTheWindow)
{
    ASSERT_EQ(GrSetDriver("x11"), 1);
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_colors, 640, 480, 256), 1);
    const Window w = window_of(getpid());
    ASSERT_NE(w, 0U);
    Geometry g = geometry(w);
    EXPECT_EQ(g.w, 640);
    EXPECT_EQ(g.h, 480);
    EXPECT_EQ(g.x, 50);
    EXPECT_EQ(g.y, 50);
    EXPECT_TRUE(g.mapped);

    // much drawing and palette changing while the window thread paints
    GrColor cells[8];
    for (int i = 0; i < 8; i++) {
        cells[i] = GrAllocCell();
        GrSetColor(cells[i], 30 * i, 255 - 30 * i, 128);
    }
    unsigned seed = 1;
    auto rnd = [&](int n) { return static_cast<int>((seed = seed * 1103515245U + 12345U) >> 8) % n; };
    for (int i = 0; i < 3000; i++) {
        const GrColor c = cells[rnd(8)];
        if (i % 3 == 0)
            GrFilledBox(rnd(640), rnd(480), rnd(640), rnd(480), c);
        else
            GrLine(rnd(640), rnd(480), rnd(640), rnd(480), c);
        if (i % 100 == 0)
            GrSetColor(cells[rnd(8)], rnd(256), rnd(256), rnd(256));
    }
    const std::string png = scratch("inproc.png");
    ASSERT_EQ(GrSaveContextToPng(nullptr, png.c_str()), 0);
    _GrWinSync();
    expect_same_picture(xt::screenshot(w), xt::read_png(png));

    // the screen's own size is shown in its top-left corner
    const int sw = DisplayWidth(dpy, DefaultScreen(dpy)), sh = DisplayHeight(dpy, DefaultScreen(dpy));
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, sw, sh, 24), 1);
    g = geometry(w);
    EXPECT_EQ(g.x, 0);
    EXPECT_EQ(g.y, 0);
    EXPECT_EQ(g.w, sw);
    GrFilledBox(10, 10, 100, 100, GrAllocColor(12, 34, 56));
    _GrWinSync();
    EXPECT_EQ(xt::screenshot(w).at(50, 50), 0x0C2238U);

    ASSERT_EQ(GrSetMode(GR_mode_text_default), 1);
    EXPECT_FALSE(geometry(w).mapped);
    _GrCloseVideoDriver();
    EXPECT_EQ(xt::run_line("xdotool search --pid " + std::to_string(getpid()) + " --name '^PXL$'"),
              "");
    remove(png.c_str());
}

TEST_F(X11, WindowOfAProgramThroughItsModes)
{
    xt::Child p({winprog()});
    ASSERT_TRUE(p.started());
    const std::string png8 = scratch("card8.png"), png24 = scratch("card24.png");
    p.send("card 640 480 8 " + png8);
    ASSERT_EQ(p.line(), "ok");
    const Window w = window_of(p.pid());
    ASSERT_NE(w, 0U);
    char *name = nullptr;
    ASSERT_TRUE(XFetchName(dpy, w, &name));
    EXPECT_STREQ(name, "PXL");
    XFree(name);
    XClassHint cls{};
    ASSERT_TRUE(XGetClassHint(dpy, w, &cls));
    EXPECT_STREQ(cls.res_class, "PXLCLASS");
    XFree(cls.res_name);
    XFree(cls.res_class);
    Geometry g = geometry(w);
    EXPECT_EQ(g.x, 50);
    EXPECT_EQ(g.y, 50);
    EXPECT_EQ(g.w, 640);
    EXPECT_EQ(g.h, 480);
    expect_same_picture(xt::screenshot(w), xt::read_png(png8));

    p.send("card 800 600 24 " + png24);
    ASSERT_EQ(p.line(), "ok");
    g = geometry(w);
    EXPECT_EQ(g.w, 800);
    EXPECT_EQ(g.h, 600);
    expect_same_picture(xt::screenshot(w), xt::read_png(png24));

    p.send("text");
    ASSERT_EQ(p.line(), "ok");
    EXPECT_FALSE(geometry(w).mapped);
    p.send("card 320 240 8 " + png8);
    ASSERT_EQ(p.line(), "ok");
    g = geometry(w);
    EXPECT_TRUE(g.mapped);
    EXPECT_EQ(g.w, 320);
    p.send("quit");
    EXPECT_EQ(p.wait(), 0);
    remove(png8.c_str());
    remove(png24.c_str());
}

TEST_F(X11, SixteenBitVisualShowsTheSameColours)
{
    xt::Server server("1024x768x16");
    if (server.display().empty())
        GTEST_SKIP() << "Xvfb could not be started";
    xt::Child p({winprog()}, server.display());
    const std::string png = scratch("card16.png");
    for (const char *bpp : {"8", "24"}) {
        p.send("card 640 480 " + std::string(bpp) + " " + png);
        ASSERT_EQ(p.line(), "ok") << bpp;
        const xt::Image shot = xt::screenshot(window_of(p.pid(), server.display()),
                                              server.display());
        EXPECT_EQ(shot.bits[0] + shot.bits[1] + shot.bits[2], 16);
        expect_same_picture(shot, xt::read_png(png));
    }
    p.send("quit");
    EXPECT_EQ(p.wait(), 0);
    remove(png.c_str());
}

TEST_F(X11, CloseQuestionNoKeepsRunningYesEndsWithStatus1)
{
    xt::Child p({winprog()});
    const std::string png = scratch("close.png");
    p.send("card 320 240 8 " + png);
    ASSERT_EQ(p.line(), "ok");
    const Window w = window_of(p.pid());

    ask_to_close(w);
    Window q = question_over(w);
    char *name = nullptr;
    ASSERT_TRUE(XFetchName(dpy, q, &name));
    EXPECT_STREQ(name, "Abort");
    XFree(name);
    const Geometry g = geometry(q);
    EXPECT_EQ(g.w, 296);
    EXPECT_EQ(g.h, 120);
    // the question in the window's middle, two lines of text, Yes and No
    const xt::Image shot = xt::screenshot(q);
    ASSERT_EQ(shot.width, 296);
    EXPECT_EQ(shot.at(0, 0), 0xD9D9D9U);
    int text = 0;
    for (int y = 16; y < 48; y++)
        for (int x = 64; x < 64 + 216; x++)
            text += shot.at(x, y) == 0;
    EXPECT_GT(text, 500);

    // no: a key, Esc, the button; the program draws on afterwards
    answer(q, "n");
    p.send("fill 0 0 255");
    EXPECT_EQ(p.line(), "ok");
    ask_to_close(w);
    q = question_over(w);
    answer(q, "Escape");
    p.send("fill 0 255 0");
    EXPECT_EQ(p.line(), "ok");
    ask_to_close(w);
    q = question_over(w);
    answer(q, "", 190, 90);  // the No button
    p.send("fill 255 0 0");
    EXPECT_EQ(p.line(), "ok");
    EXPECT_EQ(xt::screenshot(w).at(10, 10), 0xFF0000U);

    // yes, the default: the program ends at once with status 1
    ask_to_close(w);
    press(question_over(w), "Return");
    EXPECT_EQ(p.wait(), 1);

    // a program that ends while the question is up ends as it would have
    xt::Child p2({winprog()});
    p2.send("card 320 240 8 " + png);
    ASSERT_EQ(p2.line(), "ok");
    const Window w2 = window_of(p2.pid());
    ask_to_close(w2);
    question_over(w2);
    p2.send("quit");
    EXPECT_EQ(p2.wait(), 0);
    remove(png.c_str());
}

TEST_F(X11, LosingTheWindowOrTheServerEndsWithStatus1)
{
    const std::string png = scratch("lost.png");
    for (const char *how : {"windowkill", "windowclose"}) {
        xt::Child p({winprog()});
        p.send("card 320 240 8 " + png);
        ASSERT_EQ(p.line(), "ok");
        xt::run("xdotool " + std::string(how) + " " + std::to_string(window_of(p.pid())));
        EXPECT_EQ(p.wait(), 1) << how;
    }
    remove(png.c_str());
}

TEST_F(X11, KeysArriveAsTheirCodes)
{
    xt::Child p({winprog()});
    const std::string png = scratch("keys.png");
    p.send("card 320 240 8 " + png);
    ASSERT_EQ(p.line(), "ok");
    const std::string w = std::to_string(window_of(p.pid()));
    struct Key {
        const char *keys;
        int code;
    } const keys[] = {
        {"s", 's'},           {"shift+s", 'S'},      {"ctrl+s", 19},        {"alt+s", 0x11F},
        {"BackSpace", 8},     {"ctrl+BackSpace", 127}, {"Escape", 27},      {"Return", 13},
        {"KP_Enter", 13},     {"Tab", 9},            {"shift+Tab", 9},      {"Left", 0x14B},
        {"shift+Left", 0x1CB}, {"ctrl+Left", 0x173}, {"alt+Left", 0x1BD},   {"Delete", 0x153},
        {"shift+Delete", -1}, {"KP_Home", 0x147},    {"F1", 0x13B},         {"F12", 0x186},
        {"shift+F12", 0x188}, {"alt+1", 0x178},      {"Prior", 0x149},      {"Insert", 0x152},
        {"9", '9'},
    };
    std::string all, want = "keys";
    int n = 0;
    for (const Key &k : keys) {
        all += std::string(" ") + k.keys;
        if (k.code >= 0) {
            want += " " + std::to_string(k.code);
            n++;
        }
    }
    p.send("keys " + std::to_string(n));
    ASSERT_EQ(p.line(), "listening");
    xt::run("xdotool key --window " + w + all);
    EXPECT_EQ(p.line(), want);
    p.send("quit");
    EXPECT_EQ(p.wait(), 0);
    remove(png.c_str());
}

TEST_F(X11, MouseButtonsAndWheelInWindowCoordinates)
{
    xt::Child p({winprog()});
    const std::string png = scratch("mouse.png");
    p.send("card 320 240 8 " + png);
    ASSERT_EQ(p.line(), "ok");
    const std::string w = std::to_string(window_of(p.pid()));
    p.send("events 11");
    ASSERT_EQ(p.line(), "listening");
    xt::run("xdotool mousemove --window " + w +
            " 100 120 click 1 click 3 click 2 click 4 click 5 key --window " + w + " a");
    // flags,x,y,buttons,key: the first event carries the move before it
    EXPECT_EQ(p.line(), "events 3,100,120,1,0 4,100,120,0,0 8,100,120,2,0 16,100,120,0,0 "
                        "32,100,120,4,0 64,100,120,0,0 1024,100,120,8,0 2048,100,120,0,0 "
                        "8192,100,120,16,0 16384,100,120,0,0 128,100,120,0,97");
    p.send("quit");
    EXPECT_EQ(p.wait(), 0);
    remove(png.c_str());
}

using X11Death = X11;

TEST_F(X11Death, FatalErrorsWithTheWindowOpenEndPromptly)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            GrSetDriver("x11");
            GrSetMode(GR_mode_graphics_size_colors, 320, 240, 256);
            GrFilledBox(0, 0, 10, 10, 1);
            GrSetMode(30);
        },
        testing::ExitedWithCode(1), "^GrSetMode: unknown video mode\n$");
    EXPECT_EXIT(
        {
            GrSetDriver("x11");
            GrSetMode(GR_mode_graphics_size_colors, 320, 240, 256);
            exit(0);  // the driver closes at exit
        },
        testing::ExitedWithCode(0), "^$");
}

TEST_F(X11Death, AForkedChildLeavesItsParentsWindowAlone)
{
    GTEST_FLAG_SET(death_test_style, "fast");  // a plain fork of this process
    ASSERT_EQ(GrSetDriver("x11"), 1);
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_colors, 320, 240, 256), 1);
    // (LeakSanitizer may remark on the thread that the fork did not copy)
    EXPECT_EXIT(exit(0), testing::ExitedWithCode(0), "");
    // the parent's window goes on
    GrFilledBox(0, 0, 319, 239, GrAllocColor(0, 0, 255));
    _GrWinSync();
    EXPECT_EQ(xt::screenshot(window_of(getpid())).at(5, 5), 0x0000FFU);
    _GrCloseVideoDriver();
}
