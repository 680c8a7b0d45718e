// Clearing the active page.
#include "libbgi.h"

void __gr_cleardevice(void)
{
    if (!_GrBgiReady())
        return;
    const int off = __gr_Y_page_offs;
    GrResetClipBox();
    GrFilledBox(0, off, getmaxx(), _GrBgiAdd(getmaxy(), off), static_cast<GrColor>(__gr_colorbg));
    __gr_Reset_ClipBox();
    __gr_X = __gr_Y = 0;
}

void cleardevice(void) { __gr_cleardevice(); }
