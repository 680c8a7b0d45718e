/*
 * winplat.h - the windowed video driver and the window systems under it.
 * Internal; not installed.
 *
 * The driver (vd_win32.cpp) is the same on every window system: its mode
 * table, mode setting, the screen frame in ordinary memory, the palette and
 * the box of the frame that still has to reach the window. A window system
 * adds one record of operations, _GR_winPlatform: a window of its own,
 * served by a window thread that paints from the frame, asks before the
 * window is closed and feeds keyboard and mouse input into the
 * window-message queue of w32inp.h.
 *
 * Threads. The main thread draws into the frame through the window-backed
 * frame drivers, which hold the frame lock while they draw and then add
 * what they changed to the dirty box; it also changes the palette and
 * swaps the frame on a mode change under that lock. The window thread
 * reads the frame only inside _GrWinPaint, under the same lock.
 */
#ifndef WINPLAT_H_INCLUDED
#define WINPLAT_H_INCLUDED

#include <stddef.h>
#include <stdint.h>

#include "libpxl.h"

#ifdef __cplusplus
extern "C" {
#endif

/* One window system. Every operation but ask_close is called on the main
 * thread; ask_close runs on the window thread. */
struct _GR_winPlatform {
    const char *name;
    int (*detect)(void);            /* nonzero when a window can be opened here */
    /* starts the window thread with a hidden window and reports the screen
     * size; 0 when the thread, the connection or the window cannot be made */
    int (*open)(const char *options, int *screen_w, int *screen_h);
    void (*close)(void);            /* ends window and thread, without a question */
    /* zeroed memory for a frame of h rows of lineoffset bytes, or null;
     * and its release, once the frame is off show (no paint reaches it) */
    unsigned char *(*frame_new)(int w, int h, int bpp, int lineoffset);
    void (*frame_free)(unsigned char *frame);
    /* a graphics mode: the client area becomes w x h with its top-left
     * corner at (margin, margin) of the screen, shown, raised, focused and
     * painted before this returns; 0 when that fails */
    int (*show)(int w, int h, int margin);
    void (*hide)(void);             /* text mode: the window disappears */
    void (*present)(void);          /* the dirty box became non-empty: paint it soon */
    void (*sync)(void);             /* paints what is pending; returns when it shows */
    int (*ask_close)(void);         /* the close question; nonzero: yes */
    int (*mouse_present)(void);
    void (*warp)(int x, int y);     /* moves the pointer to client (x, y) */
};

/* The frame as the window thread sees it while it paints. */
struct _GR_winView {
    const unsigned char *pixels;    /* null while no graphics mode is set */
    int width, height, bpp, lineoffset;
    const uint32_t *palette;        /* 256 cells as 0xRRGGBB (8-bit frames) */
    int palette_changed;            /* a cell changed since the last paint */
    int x1, y1, x2, y2;             /* dirty box, right and bottom exclusive;
                                       empty when x1 >= x2, within the frame */
};

/* Main thread: returns when the window shows all that was drawn (nothing
 * without a windowed driver). For tests and measurements. */
void _GrWinSync(void);

/* Window thread: calls paint with the frame locked, then empties the dirty
 * box and clears palette_changed. Nonzero when there was anything to paint. */
int _GrWinPaint(void (*paint)(const struct _GR_winView *v, void *arg), void *arg);

/* Window thread: the user asked to close the window. Asks the close
 * question (unless the driver is closing it anyway) and on yes ends the
 * program at once with status 1. */
void _GrWinCloseRequest(void);

/* Ends the program at once with status 1, output flushed: the answer yes,
 * and a window system that went away. Any thread. */
void _GrWinAbort(void);

/* Main thread, window-backed frame drivers: the frame locked for drawing,
 * then unlocked with the box x1..x2-1, y1..y2-1 marked for painting. */
void _GrWinFrameLock(void);
void _GrWinFrameUnlock(int x1, int y1, int x2, int y2);

/* Plain zeroed frame memory, for window systems that paint by copying. */
unsigned char *_GrWinFrameCalloc(int w, int h, int bpp, int lineoffset);
void _GrWinFrameRelease(unsigned char *frame);

/* Pixel values of a true-colour display, made from its channel masks. */
struct _GR_winPixels {
    uint32_t red[256], green[256], blue[256];  /* an 8-bit component in place */
    uint32_t cell[256];                        /* the palette's cells */
};
void _GrWinPixelsInit(struct _GR_winPixels *px, uint32_t rmask, uint32_t gmask,
                      uint32_t bmask);
void _GrWinPixelsPalette(struct _GR_winPixels *px, const uint32_t *palette);
/* Converts the box x1..x2-1, y1..y2-1 of the frame into the image dst (its
 * pixel (0, 0) first, pitch bytes a row) of 2 or 4 bytes a pixel in the
 * machine's byte order. */
void _GrWinConvert(const struct _GR_winPixels *px, const struct _GR_winView *v,
                   int x1, int y1, int x2, int y2, unsigned char *dst, int pitch,
                   int bytes);

/* The window systems, and the windowed driver on each. */
extern const struct _GR_winPlatform _GrWinPlatformX11;      /* PXL_WITH_X11 */
extern const struct _GR_winPlatform _GrWinPlatformWin32;    /* PXL_WITH_WIN32 */
extern const struct _GR_winPlatform _GrWinPlatformHeadless;
extern GrVideoDriver _GrVideoDriverHeadless;   /* not in the table: tests start it */

/* The headless window system: a window that is an image in memory, painted
 * at once on the main thread. The options "WxH" set the screen size
 * (1280 x 1024 without them). */
struct _GR_headless {
    int screen_w, screen_h;
    int open, shown;
    int width, height, margin;      /* of the last graphics mode */
    uint32_t *rgb;                  /* what the window shows, 0xRRGGBB */
    int refuse_frames;              /* nonzero: no frame memory can be had */
    int answer;                     /* how the close question is answered */
    int asked;                      /* how often it was asked */
    int warp_x, warp_y;
    /* called with every box painted, in order */
    void (*painted)(int x1, int y1, int x2, int y2);
};
extern struct _GR_headless _GrHeadless;

#ifdef __cplusplus
}
#endif

#endif /* WINPLAT_H_INCLUDED */
