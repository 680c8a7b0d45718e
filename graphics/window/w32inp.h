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

/* lparam of the mouse messages: client x in bits 0-15, y in bits 16-31 */
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

#ifdef __cplusplus
}
#endif

#endif /* W32INP_H_INCLUDED */
