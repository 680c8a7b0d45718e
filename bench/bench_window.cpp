// bench_window: the x11 driver on the X server of DISPLAY (an Xvfb of
// 1280 x 1024 x 24 for comparable figures).
//   Present/8bit     a full 1280 x 1024 8-bit frame painted and on the server
//   PlainXPutImage   the same pixels, already converted, put by plain Xlib
//   WaitingForAKey   CPU of a program waiting in GrKeyRead over 10 s, all its
//                    threads (% of one core)
//   KeyToPixels      a key event sent to a program that redraws on each key,
//                    until the window's pixels change; once by XSendEvent
//                    and once by running xdotool (whose own run time is
//                    counted apart)
// "bench_window --viewer" is that program.
#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "pxl.h"
#include "window/winplat.h"

namespace {

using Clock = std::chrono::steady_clock;

// The program that waits for keys: a black page, white after the first
// key, black after the next, ...; Esc ends it.
int viewer()
{
    if (!GrSetDriver("x11") || !GrSetMode(GR_mode_graphics_size_colors, 640, 480, 256))
        return 1;
    const GrColor colour[2] = {GrAllocColor(0, 0, 0), GrAllocColor(255, 255, 255)};
    GrClearScreen(colour[0]);
    GrKeyPressed();  // input runs from here on
    _GrWinSync();
    printf("ready\n");
    fflush(stdout);
    for (int n = 1; GrKeyRead() != 27; n++)
        GrClearScreen(colour[n & 1]);
    return 0;
}

std::string self;  // this program's path

// (the server now and then hangs up on a connection right after another)
Display *open_display()
{
    Display *d = nullptr;
    for (int tries = 0; d == nullptr && tries < 5; tries++)
        if ((d = XOpenDisplay(nullptr)) == nullptr)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return d;
}

struct Viewer {
    pid_t pid = -1;
    FILE *out = nullptr;
    Window win = 0;

    bool start()
    {
        int fd[2];
        if (pipe(fd) != 0)
            return false;
        pid = fork();
        if (pid == 0) {
            dup2(fd[1], 1);
            execl(self.c_str(), self.c_str(), "--viewer", static_cast<char *>(nullptr));
            _exit(127);
        }
        close(fd[1]);
        out = fdopen(fd[0], "r");
        char line[64];
        if (pid < 0 || fgets(line, sizeof line, out) == nullptr || strcmp(line, "ready\n") != 0)
            return false;
        const std::string cmd =
            "xdotool search --sync --pid " + std::to_string(pid) + " --name '^PXL$' | head -1";
        FILE *p = popen(cmd.c_str(), "r");
        if (p == nullptr || fgets(line, sizeof line, p) == nullptr)
            return false;
        pclose(p);
        win = strtoul(line, nullptr, 10);
        return win != 0;
    }
    ~Viewer()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        if (out != nullptr)
            fclose(out);
    }
    // seconds on a CPU so far, all threads (the scheduler's own count)
    double cpu() const
    {
        const std::string dir = "/proc/" + std::to_string(pid) + "/task/";
        FILE *ls = popen(("ls " + dir).c_str(), "r");
        double sum = 0;
        char tid[32];
        while (ls != nullptr && fscanf(ls, "%31s", tid) == 1) {
            FILE *f = fopen((dir + tid + "/schedstat").c_str(), "r");
            unsigned long long ns = 0;
            if (f != nullptr && fscanf(f, "%llu", &ns) == 1)
                sum += static_cast<double>(ns) * 1e-9;
            if (f != nullptr)
                fclose(f);
        }
        if (ls != nullptr)
            pclose(ls);
        return sum;
    }
};

void BM_Present8bit(benchmark::State &state)
{
    if (!GrSetDriver("x11") || !GrSetMode(GR_mode_graphics_size_colors, 1280, 1024, 256)) {
        state.SkipWithError("no x11 driver");
        return;
    }
    for (int y = 0; y < 1024; y++)
        for (int x = 0; x < 1280; x += 64)
            GrHLine(x, x + 63, y, static_cast<GrColor>((x / 64 + y / 32) & 255));
    _GrWinSync();
    for (auto _ : state) {
        GrFilledBox(0, 0, 1279, 1023, GR_NOCOLOR);  // changes nothing, marks all
        _GrWinSync();
    }
    state.SetItemsProcessed(state.iterations() * 1280 * 1024);
    _GrCloseVideoDriver();
}
BENCHMARK(BM_Present8bit)->Name("Present/8bit")->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_PlainXPutImage(benchmark::State &state)
{
    Display *d = open_display();
    if (d == nullptr) {
        state.SkipWithError("no display");
        return;
    }
    const int scr = DefaultScreen(d);
    Window w = XCreateSimpleWindow(d, RootWindow(d, scr), 0, 0, 1280, 1024, 0, 0, 0);
    XMapWindow(d, w);
    XSync(d, False);
    XImage *img = XCreateImage(d, DefaultVisual(d, scr), static_cast<unsigned>(DefaultDepth(d, scr)),
                               ZPixmap, 0, nullptr, 1280, 1024, 32, 0);
    img->data = static_cast<char *>(calloc(static_cast<size_t>(img->bytes_per_line), 1024));
    for (int y = 0; y < 1024; y++)
        for (int x = 0; x < 1280; x++)
            XPutPixel(img, x, y, static_cast<unsigned long>((x / 64 + y / 32) & 255) * 0x010101UL);
    GC gc = XCreateGC(d, w, 0, nullptr);
    for (auto _ : state) {
        XPutImage(d, w, gc, img, 0, 0, 0, 0, 1280, 1024);
        XSync(d, False);
    }
    state.SetItemsProcessed(state.iterations() * 1280 * 1024);
    XDestroyImage(img);
    XFreeGC(d, gc);
    XCloseDisplay(d);
}
BENCHMARK(BM_PlainXPutImage)->Name("PlainXPutImage")->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_WaitingForAKey(benchmark::State &state)
{
    Viewer v;
    if (!v.start()) {
        state.SkipWithError("viewer did not start");
        return;
    }
    for (auto _ : state) {
        const double c0 = v.cpu();
        const auto t0 = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(10));
        const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
        state.counters["cpu_percent"] = 100.0 * (v.cpu() - c0) / wall;
    }
}
BENCHMARK(BM_WaitingForAKey)->Name("WaitingForAKey")->Iterations(1)->Unit(benchmark::kSecond);

// The colour of the window's middle pixel.
unsigned long middle(Display *d, Window w)
{
    XImage *img = XGetImage(d, w, 320, 240, 1, 1, AllPlanes, ZPixmap);
    if (img == nullptr)
        return ~0UL;
    const unsigned long p = XGetPixel(img, 0, 0);
    XDestroyImage(img);
    return p;
}

void key_to_pixels(benchmark::State &state, bool xdotool)
{
    Display *d = open_display();
    Viewer v;
    if (d == nullptr || !v.start()) {
        state.SkipWithError("viewer did not start");
        if (d != nullptr)
            XCloseDisplay(d);
        return;
    }
    const std::string key = "xdotool key --window " + std::to_string(v.win) + " space";
    const KeyCode space = XKeysymToKeycode(d, XK_space);
    double worst = 0, tool = 0;
    unsigned seed = 1;
    for (auto _ : state) {
        // keys come at any moment of the program's polling, not in step with it
        seed = seed * 1103515245U + 12345U;
        std::this_thread::sleep_for(std::chrono::microseconds((seed >> 8) % 20000));
        const unsigned long before = middle(d, v.win);
        const auto t0 = Clock::now();
        if (xdotool) {
            if (system(key.c_str()) != 0)
                state.SkipWithError("xdotool failed");
            tool += std::chrono::duration<double>(Clock::now() - t0).count();
        } else {
            XEvent ev{};
            ev.xkey.type = KeyPress;
            ev.xkey.display = d;
            ev.xkey.window = v.win;
            ev.xkey.root = DefaultRootWindow(d);
            ev.xkey.keycode = space;
            ev.xkey.same_screen = True;
            XSendEvent(d, v.win, True, KeyPressMask, &ev);
            XFlush(d);
        }
        while (middle(d, v.win) == before)  // a gentle poll: the server is busy enough
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        const double s = std::chrono::duration<double>(Clock::now() - t0).count();
        state.SetIterationTime(s);
        worst = s > worst ? s : worst;
    }
    state.counters["worst_ms"] = 1000 * worst;
    if (xdotool)  // how much of it xdotool itself takes to run
        state.counters["xdotool_ms"] = 1000 * tool / static_cast<double>(state.iterations());
    XCloseDisplay(d);
}
BENCHMARK_CAPTURE(key_to_pixels, sent, false)
    ->Name("KeyToPixels/XSendEvent")->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(key_to_pixels, xdotool, true)
    ->Name("KeyToPixels/xdotool")->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && strcmp(argv[1], "--viewer") == 0)
        return viewer();
    XInitThreads();
    self = argv[0];
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
