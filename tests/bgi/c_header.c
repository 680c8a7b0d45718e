/* graphics.h from plain C, as C89 and as C99: it compiles without
 * warnings, links with the C++ library, and draws. Exits 0 when the checks
 * hold. */
#include <stdio.h>

#include "graphics.h"

int main(void)
{
    struct linesettingstype ls;
    struct viewporttype vp;
    int fails = 0;
    if (!GrSetDriver("memory"))
        return 1;
#if defined(__STDC_VERSION__) && __STDC_VERSION__ >= 199901L
    initwindow(320, 200, "C99", 0, 0, 1);
    fails += get_BGI_mode_pages() != 2;
#else
    initwindow(320, 200);
#endif
    fails += graphresult() != grOk;
    fails += getmaxx() != 319 || getmaxy() != 199;
    setcolor(LIGHTRED);
    setlinestyle(DASHED_LINE, 0, NORM_WIDTH);
    getlinesettings(&ls);
    fails += ls.linestyle != DASHED_LINE;
    line(0, 0, 100, 0);
    setfillstyle(HATCH_FILL, YELLOW);
    bar(10, 10, 50, 50);
    circle(100, 100, 20);
    (void)vp;
    closegraph();
    if (fails)
        fprintf(stderr, "%d checks failed\n", fails);
    return fails != 0;
}
