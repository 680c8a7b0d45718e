// The mouse of today's teaching programs: where it is, and the clicks of
// each kind not yet taken. Reading the event queue for them keeps the
// keys that come with it for getch.
#include "libbgi.h"
#include "window/w32inp.h"

namespace {

struct Click {
    int pending, x, y;
};
Click clicks[WM_MBUTTONDBLCLK - WM_MOUSEMOVE + 1];

int keys[32];  // keys met while reading mouse events, oldest first
int nkeys = 0;

Click *click_of(int kind)
{
    const unsigned i = static_cast<unsigned>(kind - WM_MOUSEMOVE);
    return i < sizeof clicks / sizeof clicks[0] ? &clicks[i] : nullptr;
}

void note(int kind, const GrInputEvent &ev)
{
    Click *c = click_of(kind);
    *c = {1, ev.x, ev.y};
}

// Takes every waiting event: keys into the key store, clicks and moves
// into their slots. Without a window there is no mouse (keys come from
// standard input then).
void pump()
{
    if (_GrInputHost == nullptr)
        return;
    static const struct {
        int flag, kind;
    } kinds[] = {
        {GR_EV_MOTION, WM_MOUSEMOVE},        {GR_EV_LEFT_DOWN, WM_LBUTTONDOWN},
        {GR_EV_LEFT_UP, WM_LBUTTONUP},       {GR_EV_RIGHT_DOWN, WM_RBUTTONDOWN},
        {GR_EV_RIGHT_UP, WM_RBUTTONUP},      {GR_EV_MIDDLE_DOWN, WM_MBUTTONDOWN},
        {GR_EV_MIDDLE_UP, WM_MBUTTONUP},
    };
    GrInputEvent ev;
    // a bound: a mouse moved without pause never holds the program here
    for (int i = 0; i < 1024; i++) {
        GrMouseGetEventT(0x7FFF, &ev, 0);  // every kind, polled, no cursor drawing
        if ((ev.flags & GR_EV_KEYPRESS) && nkeys < 32)
            keys[nkeys++] = ev.key;
        for (const auto &k : kinds)
            if (ev.flags & k.flag)
                note(k.kind, ev);
        if (GrMouseInfo->queue_count == 0)
            break;
    }
    // a pointer over the window, now that the program follows the mouse
    if (!GrMouseInfo->cursor_shown && GrMouseDetect())
        GrMouseDisplayCursor();
}

}  // namespace

int _GrBgiKeyWaiting(void) { return nkeys > 0; }

int _GrBgiTakeKey(void)
{
    if (nkeys == 0)
        return -1;
    const int k = keys[0];
    for (int i = 1; i < nkeys; i++)
        keys[i - 1] = keys[i];
    nkeys--;
    return k;
}

int mousex(void)
{
    pump();
    return GrMouseInfo->mouse_x;
}

int mousey(void)
{
    pump();
    return GrMouseInfo->mouse_y;
}

int ismouseclick(int kind)
{
    pump();
    const Click *c = click_of(kind);
    return c != nullptr && c->pending;
}

void getmouseclick(int kind, int *x, int *y)
{
    pump();
    Click *c = click_of(kind);
    const bool got = c != nullptr && c->pending;
    if (x != nullptr)
        *x = got ? c->x : -1;
    if (y != nullptr)
        *y = got ? c->y : -1;
    if (got)
        c->pending = 0;
}

void clearmouseclick(int kind)
{
    Click *c = click_of(kind);
    if (c != nullptr)
        c->pending = 0;
}
