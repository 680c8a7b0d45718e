// Keys from standard input, for runs without a window: one byte a key. A
// terminal is put in raw mode only while a call waits or looks, and gets
// its own mode back on every way out: return, exit and fatal signals.
#include "libpxl.h"
#include "w32inp.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <pthread.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

bool ended = false;  // the input has ended: every key from now on is Esc

// terminals send 0x7F for the Backspace key
GrKeyType from_byte(unsigned char c)
{
    return c == 0x7F ? GR_KEY_BACKSPACE : c;
}

#ifdef _WIN32

HANDLE input() { return GetStdHandle(STD_INPUT_HANDLE); }

DWORD cooked;               // the console mode as we found it
volatile LONG is_raw = 0;

void give_back()
{
    if (InterlockedExchange(&is_raw, 0))
        SetConsoleMode(input(), cooked);
}

BOOL WINAPI on_ctrl(DWORD)
{
    give_back();
    return FALSE;  // the default handler ends the program
}

bool enter_raw()
{
    DWORD mode;
    if (!GetConsoleMode(input(), &mode))
        return false;
    static bool registered = false;
    if (!registered) {
        atexit(give_back);
        SetConsoleCtrlHandler(on_ctrl, TRUE);
        registered = true;
    }
    cooked = mode;
    is_raw = 1;
    SetConsoleMode(input(), mode & ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT));
    return true;
}

void leave_raw() { give_back(); }

bool read_byte(unsigned char *c)
{
    DWORD n = 0;
    const bool tty = enter_raw();
    const BOOL ok = ReadFile(input(), c, 1, &n, nullptr);
    if (tty)
        leave_raw();
    return ok && n == 1;
}

// A read would not wait: a character key in the console, bytes (or the
// end) in a pipe, or any other kind of input.
bool byte_ready()
{
    const HANDLE h = input();
    DWORD mode;
    if (GetConsoleMode(h, &mode)) {
        INPUT_RECORD r[64];
        DWORD got = 0;
        if (!PeekConsoleInputA(h, r, 64, &got))
            return true;
        for (DWORD i = 0; i < got; i++)
            if (r[i].EventType == KEY_EVENT && r[i].Event.KeyEvent.bKeyDown &&
                r[i].Event.KeyEvent.uChar.AsciiChar != 0)
                return true;
        return false;
    }
    DWORD avail = 0;
    if (GetFileType(h) == FILE_TYPE_PIPE)
        return !PeekNamedPipe(h, nullptr, 0, nullptr, &avail, nullptr) || avail > 0;
    return true;
}

#else

const int fatal[] = {SIGINT, SIGTERM, SIGQUIT, SIGHUP, SIGTSTP};
constexpr int NFATAL = sizeof fatal / sizeof fatal[0];
struct sigaction previous[NFATAL];
struct termios cooked;              // the terminal as we found it
volatile sig_atomic_t is_raw = 0;

void give_back()
{
    if (is_raw) {
        tcsetattr(STDIN_FILENO, TCSANOW, &cooked);
        is_raw = 0;
    }
}

// Gives the terminal back, then lets the signal do what it did before
// (raised again, it arrives as soon as this handler returns).
void on_fatal(int sig)
{
    const int saved_errno = errno;
    give_back();
    for (int i = 0; i < NFATAL; i++)
        if (fatal[i] == sig)
            sigaction(sig, &previous[i], nullptr);
    raise(sig);
    errno = saved_errno;
}

// The fatal signals wait while the mode and the handlers change.
struct SignalsHeld {
    sigset_t old;
    SignalsHeld()
    {
        sigset_t set;
        sigemptyset(&set);
        for (int sig : fatal)
            sigaddset(&set, sig);
        pthread_sigmask(SIG_BLOCK, &set, &old);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &old, nullptr); }
};

bool enter_raw()
{
    if (!isatty(STDIN_FILENO))
        return false;
    SignalsHeld held;
    if (tcgetattr(STDIN_FILENO, &cooked) != 0)
        return false;
    static bool registered = false;
    if (!registered) {
        atexit(give_back);
        registered = true;
    }
    struct sigaction ours = {};
    ours.sa_handler = on_fatal;
    sigemptyset(&ours.sa_mask);
    ours.sa_flags = 0;  // no restart: the wait sees the interruption
    for (int i = 0; i < NFATAL; i++) {
        sigaction(fatal[i], nullptr, &previous[i]);
        const bool ignored = !(previous[i].sa_flags & SA_SIGINFO) &&
                             previous[i].sa_handler == SIG_IGN;
        if (!ignored)
            sigaction(fatal[i], &ours, nullptr);
    }
    // keys one by one and unseen; Enter gives 13, Ctrl+S and Ctrl+Q are keys
    struct termios raw = cooked;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | IEXTEN);
    raw.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR | IXON);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    is_raw = 1;
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    return true;
}

void leave_raw()
{
    SignalsHeld held;
    give_back();
    for (int i = 0; i < NFATAL; i++)
        sigaction(fatal[i], &previous[i], nullptr);
}

bool read_byte(unsigned char *c)
{
    for (;;) {
        const bool tty = enter_raw();
        const ssize_t n = read(STDIN_FILENO, c, 1);
        const int err = errno;
        if (tty)
            leave_raw();
        if (n == 1)
            return true;
        if (n == 0 || err != EINTR)
            return false;
    }
}

// A read would not wait: a byte, the end of the input, or an error.
bool byte_ready()
{
    const bool tty = enter_raw();
    pollfd p = {STDIN_FILENO, POLLIN, 0};
    const int r = poll(&p, 1, 0);
    if (tty)
        leave_raw();
    return r > 0;
}

#endif

}  // namespace

GrKeyType _GrConsoleKeyRead(void)
{
    unsigned char c;
    if (!ended && read_byte(&c))
        return from_byte(c);
    ended = true;
    return GR_KEY_ESC;
}

int _GrConsoleKeyPressed(void)
{
    if (ended || byte_ready())
        return 1;
    _GrSleepMs(1);  // a polling loop does not take a whole core
    return 0;
}
