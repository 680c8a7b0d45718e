/*
 * w32inp.h - what the window back ends and the input code share: the raw
 * window-message queue and the few things input asks of a live window.
 * Internal; not installed.
 *
 * Every back end (X11, Win32, the headless one of the tests) delivers its
 * keyboard and mouse input as Win32-numbered window messages, so that the
 * translation into key codes and mouse events is one platform-free piece
 * of code.
 */
#ifndef W32INP_H_INCLUDED
#define W32INP_H_INCLUDED

#include <stdint.h>

#include "pxl.h"

#ifdef __cplusplus
extern "C" {
#endif

/* window messages, with their Win32 numbers on every platform */
#define GR_W32_KEYDOWN     0x0100
#define GR_W32_CHAR        0x0102
#define GR_W32_SYSKEYDOWN  0x0104
#define GR_W32_SYSCHAR     0x0106
#define GR_W32_COMMAND     0x0111
#define GR_W32_MOUSEMOVE   0x0200
#define GR_W32_LBUTTONDOWN 0x0201
#define GR_W32_LBUTTONUP   0x0202
#define GR_W32_RBUTTONDOWN 0x0204
#define GR_W32_RBUTTONUP   0x0205
#define GR_W32_MBUTTONDOWN 0x0207
#define GR_W32_MBUTTONUP   0x0208
#define GR_W32_MOUSEWHEEL  0x020A  /* wheel delta: signed high word of wparam, +-120 */

/* lparam of the mouse messages, the wheel's too: client x in bits 0-15,
 * y in bits 16-31 (a back end whose wheel message carries screen
 * coordinates converts them before it queues the message) */
#define GR_W32_POS(x, y) \
    ((int64_t)(((uint32_t)(x) & 0xFFFFU) | (((uint32_t)(y) & 0xFFFFU) << 16)))

/* one raw window message, with the key state when it arrived */
typedef struct {
    int msg;
    uint64_t wparam;
    int64_t lparam;
    int key_state;
} W32Event;

/* Appends a message to the raw queue (any thread; dropped while input has
 * not started). */
void EnqueueW32Event(int msg, uint64_t wparam, int64_t lparam, int key_state);

/* What input asks of a live window. The windowed driver points
 * _GrInputHost at its record while its window exists; null means there is
 * no window, and keys then come from standard input. */
struct _GR_inputHost {
    int (*mouse_present)(void);     /* nonzero when a pointer exists */
    void (*warp)(int x, int y);     /* move the pointer to client (x, y) */
};
extern const struct _GR_inputHost *_GrInputHost;  /* main thread only */

/* the platform's pause and clock, for polling loops and event times */
void _GrSleepMs(int ms);
int64_t _GrClockMs(void);       /* monotonic milliseconds */

/* virtual-key codes (wparam of the key-down messages) of the keys that
 * have a code of their own; F1 to F12 follow one another */
#define GR_VK_PRIOR  0x21
#define GR_VK_NEXT   0x22
#define GR_VK_END    0x23
#define GR_VK_HOME   0x24
#define GR_VK_LEFT   0x25
#define GR_VK_UP     0x26
#define GR_VK_RIGHT  0x27
#define GR_VK_DOWN   0x28
#define GR_VK_INSERT 0x2D
#define GR_VK_DELETE 0x2E
#define GR_VK_F1     0x70
#define GR_VK_F12    0x7B

/* The key code of a virtual key under a key state, and of Alt with a
 * letter or digit; 0 when the combination gives no key. */
GrKeyType _GrKeyOfVK(int vk, int key_state);
GrKeyType _GrKeyOfAltChar(int c);

/* Translates every queued window message into events and keys, then
 * pauses 1 ms. Main thread. */
void _GrUpdateInputs(void);
int _GrKeyPressed(void);
int _GrIsKbdEnabled(void);
int _GrKeyStat(void);

/* Keys from standard input when there is no window: one byte a key,
 * 0x7F read as Backspace, end of input (or an error) as Esc every time. A
 * terminal is in raw mode only while a call runs. KeyPressed never
 * consumes; it is true while a byte waits or once the input has ended. */
GrKeyType _GrConsoleKeyRead(void);
int _GrConsoleKeyPressed(void);

/* puts the mouse cursor in order for the mode in force (mouse start-up) */
void _GrInitMouseCursor(void);

#ifdef _WIN32
/* the key state bits from the keys held down now (window thread) */
int convertwin32keystate(void);
#endif

#ifdef __cplusplus
}
#endif

#endif /* W32INP_H_INCLUDED */
