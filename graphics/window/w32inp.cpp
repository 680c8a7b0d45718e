// Keyboard and mouse input: the ring of raw window messages that the
// window thread fills, their translation into key codes and mouse events
// on the drawing thread, the event queue, the key pool, and the calls that
// wait for keys and events.
#include <cstdlib>
#include <chrono>
#include <condition_variable>
#include <mutex>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <ctime>
#endif

#include "libpxl.h"
#include "w32inp.h"

const struct _GR_inputHost *_GrInputHost = nullptr;

namespace {

// The raw message ring. The lock is static, so it exists for the whole
// run: keys are asked for before any window, without one and after it.
std::mutex _csEventQueue;
// signalled when a message arrives, so a wait ends at once instead of at
// its next poll
std::condition_variable _evMessage;
W32Event *_W32EventQueue = nullptr;
int _W32EventQueueSize = 0;
int _W32EventQueueRead = 0;
int _W32EventQueueWrite = 0;
int _W32EventQueueLength = 0;

// Everything below belongs to the drawing thread.
int kbd_enabled = 1;        // keys go to the event queue, else to the pool
int mou_enabled = 1;        // recorded only
int kbd_hitcount = 0;       // key events in the event queue
int kbd_lastmod = 0;        // key state of the last message handled
int mou_buttons = 0;
int64_t evt_lasttime = 0;   // clock of the last event queued
constexpr int POOLSIZE = 16;
GrKeyType _keysw32pool[POOLSIZE];
int _nkeysw32pool = 0;

constexpr int ALL_BUT_POLL = 0x7EFF;

_GR_mouseInfo &MI = _GrMouseInfo;

void advance(int &index, int size)
{
    if (++index >= size)
        index = 0;
}

int ms_since(int64_t then, int64_t now)
{
    const int64_t d = now - then;
    return d > INT32_MAX ? INT32_MAX : d < 0 ? 0 : static_cast<int>(d);
}

// A ring of n entries, reallocated only when its size changes; size 0
// when the memory cannot be had.
template <class T>
void size_ring(T *&ring, int &size, int n)
{
    if (n == size)
        return;
    free(ring);
    ring = static_cast<T *>(calloc(static_cast<size_t>(n), sizeof(T)));
    size = ring != nullptr ? n : 0;
}

bool take_message(W32Event *ev)
{
    std::lock_guard<std::mutex> hold(_csEventQueue);
    if (_W32EventQueueLength <= 0)
        return false;
    *ev = _W32EventQueue[_W32EventQueueRead];
    advance(_W32EventQueueRead, _W32EventQueueSize);
    _W32EventQueueLength--;
    return true;
}

bool queues_ready()
{
    return MI.queue_size > 0 && _W32EventQueueSize > 0;
}

// Input is started when never started, or when a mode change demoted a
// mouse that is still there. Without a mouse a started input stays as it
// is, so waiting keys are not thrown away on every call.
bool input_needs_start()
{
    return MI.mouse_state == 0 || (MI.mouse_state == 1 && GrMouseDetect());
}

void put_event(GrInputEvent ev)
{
    if (MI.events == nullptr || MI.queue_size <= 0)
        return;
    const int64_t now = _GrClockMs();
    ev.delta_time = ms_since(evt_lasttime, now);
    evt_lasttime = now;
    if (MI.queue_count >= MI.queue_size) {
        // the oldest event makes room; a key in it no longer waits
        if (MI.events[MI.queue_read].flags & GR_EV_KEYPRESS)
            kbd_hitcount--;
        advance(MI.queue_read, MI.queue_size);
        MI.queue_count--;
    }
    MI.events[MI.queue_write] = ev;
    advance(MI.queue_write, MI.queue_size);
    MI.queue_count++;
    if (ev.flags & GR_EV_KEYPRESS)
        kbd_hitcount++;
}

GrInputEvent make_event(int flags, int buttons, int key, int state)
{
    GrInputEvent e{};
    e.flags = flags | (MI.has_moved ? GR_EV_MOTION : 0);
    e.x = MI.mouse_x;
    e.y = MI.mouse_y;
    e.buttons = buttons;
    e.key = key;
    e.key_state = state;
    return e;
}

void key_event(GrKeyType key, int state)
{
    kbd_lastmod = state;
    if (kbd_enabled)
        put_event(make_event(GR_EV_KEYPRESS, 0, key, state));
    else if (_nkeysw32pool < POOLSIZE)
        _keysw32pool[_nkeysw32pool++] = key;
}

void set_position(int64_t lparam)
{
    MI.mouse_x = static_cast<int>(lparam & 0xFFFF);
    MI.mouse_y = static_cast<int>((lparam >> 16) & 0xFFFF);
}

void button_event(int buttons, int state)
{
    static const struct {
        int bit, down, up;
    } bits[] = {
        {GR_BTN_LEFT, GR_EV_LEFT_DOWN, GR_EV_LEFT_UP},
        {GR_BTN_RIGHT, GR_EV_RIGHT_DOWN, GR_EV_RIGHT_UP},
        {GR_BTN_MIDDLE, GR_EV_MIDDLE_DOWN, GR_EV_MIDDLE_UP},
        {GR_BTN_4, GR_EV_BUTTON4_DOWN, GR_EV_BUTTON4_UP},
        {GR_BTN_5, GR_EV_BUTTON5_DOWN, GR_EV_BUTTON5_UP},
    };
    int flags = 0;
    for (const auto &b : bits)
        if ((buttons ^ mou_buttons) & b.bit)
            flags |= (buttons & b.bit) ? b.down : b.up;
    const GrInputEvent e = make_event(flags, buttons, 0, state);
    mou_buttons = buttons;
    MI.has_moved = 0;
    kbd_lastmod = state;
    put_event(e);
}

void translate(const W32Event &m)
{
    const int s = m.key_state;
    const int small = m.wparam <= 0xFF ? static_cast<int>(m.wparam) : -1;
    switch (m.msg) {
    case GR_W32_KEYDOWN:
    case GR_W32_SYSKEYDOWN:
        if (const GrKeyType k = _GrKeyOfVK(small, s))
            key_event(k, s);
        break;
    case GR_W32_CHAR:
        key_event(static_cast<GrKeyType>(m.wparam), s);
        break;
    case GR_W32_SYSCHAR:
        if (const GrKeyType k = _GrKeyOfAltChar(small))
            key_event(k, s);
        break;
    case GR_W32_COMMAND:
        put_event(make_event(GR_EV_COMMAND, 0, static_cast<int>(m.wparam), s));
        break;
    case GR_W32_MOUSEMOVE:
        set_position(m.lparam);
        MI.has_moved = 1;
        kbd_lastmod = s;
        break;
    case GR_W32_LBUTTONDOWN:
    case GR_W32_LBUTTONUP:
    case GR_W32_RBUTTONDOWN:
    case GR_W32_RBUTTONUP:
    case GR_W32_MBUTTONDOWN:
    case GR_W32_MBUTTONUP: {
        const int bit = m.msg <= GR_W32_LBUTTONUP   ? GR_BTN_LEFT
                        : m.msg <= GR_W32_RBUTTONUP ? GR_BTN_RIGHT
                                                    : GR_BTN_MIDDLE;
        const bool down = m.msg == GR_W32_LBUTTONDOWN || m.msg == GR_W32_RBUTTONDOWN ||
                          m.msg == GR_W32_MBUTTONDOWN;
        set_position(m.lparam);
        button_event(down ? mou_buttons | bit : mou_buttons & ~bit, s);
        break;
    }
    case GR_W32_MOUSEWHEEL: {
        // each notch arrives twice: the first toggles the bit on, the second off
        const auto delta = static_cast<int16_t>((m.wparam >> 16) & 0xFFFF);
        set_position(m.lparam);
        button_event(mou_buttons ^ (delta <= 0 ? GR_BTN_5 : GR_BTN_4), s);
        break;
    }
    default:
        break;
    }
}

bool pop_event(GrInputEvent *ev)
{
    if (MI.queue_count <= 0)
        return false;
    *ev = MI.events[MI.queue_read];
    advance(MI.queue_read, MI.queue_size);
    MI.queue_count--;
    if (ev->flags & GR_EV_KEYPRESS)
        kbd_hitcount--;
    return true;
}

// The current state as an event; delta_time -1 unless the mouse moved.
void state_event(GrInputEvent *ev)
{
    *ev = make_event(0, mou_buttons, 0, kbd_lastmod);
    ev->delta_time = -1;
    if (MI.has_moved) {
        const int64_t now = _GrClockMs();
        ev->delta_time = ms_since(evt_lasttime, now);
        evt_lasttime = now;
    }
    MI.has_moved = 0;
}

// A mode change: input starts again at the next key or event call. The
// screen under a shown mouse cursor is gone, so the cursor is forgotten,
// never copied back.
void uninit()
{
    if (MI.mouse_state > 1)
        MI.mouse_state = 1;
    if (MI.mouse_cursor != nullptr)
        MI.mouse_cursor->displayed = 0;
    MI.cursor_shown = MI.must_check = MI.block_state = 0;
}

int limit(int v, unsigned lo, unsigned hi)
{
    const unsigned u = static_cast<unsigned>(v);
    return static_cast<int>(u < lo ? lo : u > hi ? hi : u);
}

int clamp(int v, int lo, int hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

}  // namespace

void EnqueueW32Event(int msg, uint64_t wparam, int64_t lparam, int key_state)
{
    {
        std::lock_guard<std::mutex> hold(_csEventQueue);
        if (_W32EventQueue == nullptr || _W32EventQueueSize <= 0)
            return;
        _W32EventQueue[_W32EventQueueWrite] = W32Event{msg, wparam, lparam, key_state};
        advance(_W32EventQueueWrite, _W32EventQueueSize);
        if (++_W32EventQueueLength > _W32EventQueueSize) {
            _W32EventQueueLength = _W32EventQueueSize;
            advance(_W32EventQueueRead, _W32EventQueueSize);
        }
    }
    _evMessage.notify_one();
}

void _GrUpdateInputs(void)
{
    W32Event m;
    while (take_message(&m))
        translate(m);
    _GrSleepMs(1);
}

void GrMouseInitN(int n)
{
    const unsigned u = static_cast<unsigned>(n);
    const int size = u < 4 ? 4 : u > 256 ? 256 : static_cast<int>(u);
    size_ring(MI.events, MI.queue_size, size);
    MI.queue_read = MI.queue_write = MI.queue_count = 0;
    {
        std::lock_guard<std::mutex> hold(_csEventQueue);
        size_ring(_W32EventQueue, _W32EventQueueSize, size);
        _W32EventQueueRead = _W32EventQueueWrite = _W32EventQueueLength = 0;
    }
    kbd_hitcount = 0;
    MI.mouse_state = 1;  // started; 2 only once a mouse is ready
    if (queues_ready() && GrMouseDetect()) {
        MI.speed_mul = MI.speed_div = 1;
        MI.accel_threshold = 64;
        MI.accel_factor = 1;
        const GrContext &scr = _GrContextInfo.screen;
        GrMouseSetLimits(0, 0, scr.gc_xmax, scr.gc_ymax);
        GrMouseWarp(scr.gc_xmax / 2, scr.gc_ymax / 2);
        _GrInitMouseCursor();
        MI.mouse_state = 2;
        mou_buttons = 0;
    }
    kbd_enabled = 1;
    mou_enabled = 1;
    evt_lasttime = _GrClockMs();
    MI.uninit = uninit;
}

int GrMouseDetect(void)
{
    const _GR_inputHost *h = _GrInputHost;
    return h != nullptr && h->mouse_present != nullptr && h->mouse_present();
}

void GrMouseEventEnable(int kb, int ms)
{
    kbd_enabled = kb;
    mou_enabled = ms;
}

void GrMouseGetEventT(int mask, GrInputEvent *ev, int timeout)
{
    GrInputEvent dropped;
    if (ev == nullptr)
        ev = &dropped;
    if (MI.mouse_state == 0)
        GrMouseInitN(128);
    const bool erase = !MI.cursor_shown && !(mask & GR_EV_NOPAINT);
    if (erase)
        GrMouseDisplayCursor();
    if (timeout <= 0)
        timeout = 1;
    for (;;) {
        _GrUpdateInputs();
        GrMouseUpdateCursor();
        bool found = false;
        while (!found && pop_event(ev))
            found = (ev->flags & mask) != 0;
        if (found)
            break;
        if ((mask & GR_EV_POLL) || timeout == 0 || (MI.has_moved && (mask & GR_EV_MOTION))) {
            state_event(ev);
            break;
        }
        // up to 10 ms, or until the window thread queues a message
        {
            std::unique_lock<std::mutex> hold(_csEventQueue);
            _evMessage.wait_for(hold, std::chrono::milliseconds(10),
                                [] { return _W32EventQueueLength > 0; });
        }
        timeout = timeout > 10 ? timeout - 10 : 0;
    }
    if (erase)
        GrMouseEraseCursor();
}

void GrMouseSetSpeed(int mul, int div)
{
    MI.speed_mul = limit(mul, 1, 16);
    MI.speed_div = limit(div, 1, 16);
}

void GrMouseSetAccel(int threshold, int accel)
{
    MI.accel_threshold = limit(threshold, 1, 64);
    MI.accel_factor = limit(accel, 1, 16);
}

void GrMouseSetLimits(int x1, int y1, int x2, int y2)
{
    if (x1 > x2) { const int t = x1; x1 = x2; x2 = t; }
    if (y1 > y2) { const int t = y1; y1 = y2; y2 = t; }
    const GrContext &scr = _GrContextInfo.screen;
    MI.limit_x1 = clamp(x1, 0, scr.gc_xmax);
    MI.limit_y1 = clamp(y1, 0, scr.gc_ymax);
    MI.limit_x2 = clamp(x2, 0, scr.gc_xmax);
    MI.limit_y2 = clamp(y2, 0, scr.gc_ymax);
}

void GrMouseWarp(int x, int y)
{
    const int wx = clamp(x, MI.limit_x1, MI.limit_x2);
    const int wy = clamp(y, MI.limit_y1, MI.limit_y2);
    MI.mouse_x = wx;
    MI.mouse_y = wy;
    GrMouseUpdateCursor();
    // without a window there is no pointer to move
    if (_GrInputHost != nullptr && _GrInputHost->warp != nullptr)
        _GrInputHost->warp(wx, wy);
}

GrKeyType GrKeyRead(void)
{
    if (_GrInputHost == nullptr)
        return _GrConsoleKeyRead();
    if (kbd_enabled) {
        if (input_needs_start()) {
            GrMouseInitN(128);
            GrMouseEventEnable(1, 0);
        }
        if (!queues_ready())
            return GR_KEY_ESC;  // no key could ever arrive
        GrInputEvent ev;
        do
            GrMouseGetEventT(ALL_BUT_POLL, &ev, -1);
        while (!(ev.flags & GR_EV_KEYPRESS));
        return static_cast<GrKeyType>(ev.key);
    }
    if (_W32EventQueueSize <= 0)
        return GR_KEY_ESC;
    while (_nkeysw32pool == 0)
        _GrUpdateInputs();
    const GrKeyType k = _keysw32pool[0];
    for (int i = 1; i < _nkeysw32pool; i++)
        _keysw32pool[i - 1] = _keysw32pool[i];
    _nkeysw32pool--;
    return k;
}

int _GrKeyPressed(void)
{
    _GrUpdateInputs();
    return kbd_enabled ? kbd_hitcount > 0 : _nkeysw32pool > 0;
}

int GrKeyPressed(void)
{
    if (_GrInputHost == nullptr)
        return _GrConsoleKeyPressed();
    if (input_needs_start()) {
        GrMouseInitN(128);
        GrMouseEventEnable(1, 0);
    }
    return _GrKeyPressed();
}

int _GrKeyStat(void) { return kbd_lastmod; }
int GrKeyStat(void) { return kbd_lastmod; }
int _GrIsKbdEnabled(void) { return kbd_enabled; }

#ifdef _WIN32

void _GrSleepMs(int ms)
{
    Sleep(ms > 0 ? static_cast<DWORD>(ms) : 0);
}

int64_t _GrClockMs(void)
{
    return static_cast<int64_t>(GetTickCount64());
}

int convertwin32keystate(void)
{
    static const struct {
        int vk, bits;
    } keys[] = {
        {VK_SHIFT, GR_KS_SHIFT},   {VK_CONTROL, GR_KS_CTRL}, {VK_MENU, GR_KS_ALT},
        {VK_SCROLL, GR_KS_SCROLL}, {VK_NUMLOCK, GR_KS_NUM},  {VK_CAPITAL, GR_KS_CAPS},
        {VK_INSERT, GR_KS_INSERT},
    };
    int state = 0;
    for (const auto &k : keys)
        if (GetKeyState(k.vk) & 0x8000)
            state |= k.bits;
    return state;
}

#else

void _GrSleepMs(int ms)
{
    if (ms <= 0)
        return;
    timespec t{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
}

int64_t _GrClockMs(void)
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

#endif
