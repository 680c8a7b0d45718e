/*
 * wp_x11.h - what the parts of the X11 window system share: the
 * connection, the window and the event loop of the window thread.
 * Internal; everything here belongs to the window thread.
 */
#ifndef WP_X11_H_INCLUDED
#define WP_X11_H_INCLUDED

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "winplat.h"

namespace x11 {

struct Conn {
    Display *dpy = nullptr;
    int screen = 0;
    Visual *visual = nullptr;
    int depth = 0;
    int image_bytes = 0;            // bytes a pixel of a ZPixmap image: 2 or 4
    Colormap cmap = 0;
    Window win = 0;                 // the graphics window
    GC gc = nullptr;
    int width = 0, height = 0;      // client size of the graphics mode
    bool mapped = false;
    Atom wm_protocols = 0, wm_delete = 0, net_wm_name = 0, utf8 = 0;
    _GR_winPixels px;               // pixel values of the visual
};
extern Conn conn;

// Runs the window thread's loop (events, requests from the main thread,
// painting) until done(arg) says so or the main thread closes the window.
// The close question runs its own window on the same loop.
void run_until(bool (*done)(void *), void *arg);

// The question window while it is up (0 otherwise); its events go to
// ask_event, and input to the graphics window is dropped meanwhile.
extern Window ask_window;
void ask_event(XEvent *ev);
int ask_close();                    // the close question; 1: yes

// An image for the visual of w x h pixels, black; null when out of memory.
XImage *new_image(int w, int h);
// Names a top-level window for people and window managers.
void name_window(Window w, const char *title);

// Keyboard: the lock keys' codes (at connect), and one key press into the
// window-message queue.
void key_init();
void key_press(XKeyEvent *ev);
int key_state(unsigned int state);  // the Win32 key-state bits

}  // namespace x11

#endif /* WP_X11_H_INCLUDED */
