// The window of today's teaching programs: a size, 256 colours, and two
// pages when double buffering is asked for.
#include <cstdarg>

#include "libbgi.h"

int __gr_initwindow(int width, int height, const char *, int, int, int dbflag, int)
{
    int gd, gm;
    set_BGI_mode_whc(&gd, &gm, width, height, 256);
    set_BGI_mode_pages(dbflag ? 2 : 1);
    initgraph(&gd, &gm, "");
    return 0;
}

int __gr_initwindow_n(int nargs, int width, int height, ...)
{
    const char *title = "PXL";
    int more[4] = {0, 0, 0, 1};  // left, top, dbflag, closeflag
    va_list ap;
    va_start(ap, height);
    if (nargs > 2)
        title = va_arg(ap, const char *);
    for (int i = 0; i + 3 < nargs && i < 4; i++)
        more[i] = va_arg(ap, int);
    va_end(ap);
    return __gr_initwindow(width, height, title, more[0], more[1], more[2], more[3]);
}
