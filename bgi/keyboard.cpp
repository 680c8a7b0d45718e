// Console-style keys: whole key codes, or bytes with extended keys in two
// calls; and a pause.
#include "libbgi.h"
#include "window/w32inp.h"

namespace {

int lastkey = -1;  // the second byte of an extended key still owed

}  // namespace

int kbhit(void) { return _GrBgiKeyWaiting() || GrKeyPressed(); }

int getkey(void)
{
    const int k = _GrBgiTakeKey();
    return (k >= 0 ? k : GrKeyRead()) & 0xFFFF;
}

int getch(void)
{
    if (lastkey != -1) {
        const int k = lastkey;
        lastkey = -1;
        return k;
    }
    const int k = getkey();
    if (k <= 255)
        return k;
    lastkey = k & 0xFF;
    return 0;
}

int getkbstat(void) { return GrKeyStat(); }

void delay(int msec) { _GrSleepMs(msec > 0 ? msec : 0); }
