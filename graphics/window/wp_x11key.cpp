// Keys on X11 as the window messages of Win32. A key that the key tables
// know (arrows, the editing block, F1 to F12) becomes a key-down message
// with its virtual-key code, and gives no character, as on Win32; every
// other key gives its character, a system character while Alt is held.
// Keysyms, never keycodes: keycodes differ from server to server.
#include <X11/keysym.h>

#include "w32inp.h"
#include "wp_x11.h"

namespace {

struct KeyVk {
    KeySym sym;
    int vk;
};
const KeyVk kTableKeys[] = {
    {XK_Prior, GR_VK_PRIOR},   {XK_KP_Prior, GR_VK_PRIOR},   {XK_Next, GR_VK_NEXT},
    {XK_KP_Next, GR_VK_NEXT},  {XK_End, GR_VK_END},          {XK_KP_End, GR_VK_END},
    {XK_Home, GR_VK_HOME},     {XK_KP_Home, GR_VK_HOME},     {XK_Left, GR_VK_LEFT},
    {XK_KP_Left, GR_VK_LEFT},  {XK_Up, GR_VK_UP},            {XK_KP_Up, GR_VK_UP},
    {XK_Right, GR_VK_RIGHT},   {XK_KP_Right, GR_VK_RIGHT},   {XK_Down, GR_VK_DOWN},
    {XK_KP_Down, GR_VK_DOWN},  {XK_Insert, GR_VK_INSERT},    {XK_KP_Insert, GR_VK_INSERT},
    {XK_Delete, GR_VK_DELETE}, {XK_KP_Delete, GR_VK_DELETE},
};

int table_vk(KeySym sym)
{
    if (sym >= XK_F1 && sym <= XK_F12)
        return GR_VK_F1 + static_cast<int>(sym - XK_F1);
    for (const KeyVk &k : kTableKeys)
        if (k.sym == sym)
            return k.vk;
    return 0;
}

// Keys whose character Win32 gives in its own way (Shift+Tab gives no
// character through XLookupString at all).
int own_char(KeySym sym, unsigned int state)
{
    const bool ctrl = (state & ControlMask) != 0;
    switch (sym) {
    case XK_Tab:
    case XK_KP_Tab:
    case XK_ISO_Left_Tab:
        return 9;
    case XK_KP_Enter:
        return 13;
    case XK_BackSpace:
        return ctrl ? 127 : 8;
    case XK_Return:
        return ctrl ? 10 : 13;
    case XK_Escape:
        return 27;
    default:
        return -1;
    }
}

// Scroll Lock, Num Lock, Caps Lock and Insert count while physically down,
// as Win32 reports them.
struct LockKey {
    KeySym sym;
    int bit;
    KeyCode code;
};
LockKey lock_keys[] = {
    {XK_Scroll_Lock, 16, 0}, {XK_Num_Lock, 32, 0}, {XK_Caps_Lock, 64, 0}, {XK_Insert, 128, 0}};
int lock_bits = 0;  // as at the last key press

void update_lock_bits()
{
    char keys[32];
    XQueryKeymap(x11::conn.dpy, keys);
    lock_bits = 0;
    for (const LockKey &k : lock_keys)
        if (k.code != 0 && (keys[k.code / 8] >> (k.code % 8) & 1))
            lock_bits |= k.bit;
}

}  // namespace

namespace x11 {

void key_init()
{
    for (LockKey &k : lock_keys)
        k.code = XKeysymToKeycode(conn.dpy, k.sym);
    lock_bits = 0;
}

int key_state(unsigned int state)
{
    int s = lock_bits;
    if (state & ShiftMask)
        s |= 3;
    if (state & ControlMask)
        s |= 4;
    if (state & Mod1Mask)  // Alt; AltGr is another modifier and types characters
        s |= 8;
    return s;
}

void key_press(XKeyEvent *ev)
{
    char buf[8];
    KeySym sym = NoSymbol;
    const int n = XLookupString(ev, buf, sizeof buf, &sym, nullptr);
    update_lock_bits();
    const int state = key_state(ev->state);
    const bool alt = (ev->state & Mod1Mask) != 0;
    const int vk = table_vk(sym);
    if (vk != 0) {
        EnqueueW32Event(alt ? GR_W32_SYSKEYDOWN : GR_W32_KEYDOWN, static_cast<uint64_t>(vk), 0,
                        state);
        return;
    }
    int c = own_char(sym, ev->state);
    if (c < 0) {
        if (n != 1)
            return;  // no character, or more than Latin-1 gives
        c = static_cast<unsigned char>(buf[0]);
    }
    EnqueueW32Event(alt ? GR_W32_SYSCHAR : GR_W32_CHAR, static_cast<uint64_t>(c), 0, state);
}

}  // namespace x11
