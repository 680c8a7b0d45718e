// The viewport: where viewport coordinates start, and whether drawing is
// clipped to it.
#include "libbgi.h"

void setviewport(int left, int top, int right, int bottom, int clip)
{
    if (!_GrBgiReady())
        return;
    if (left < 0 || top < 0 || left > right || top > bottom || right > getmaxx() ||
        bottom > getmaxy()) {
        __gr_Result = grError;
        return;
    }
    __gr_vpl = left;
    __gr_vpt = top;
    __gr_vpr = right;
    __gr_vpb = bottom;
    __gr_clip = clip != 0;
    __gr_Reset_ClipBox();
    moveto(0, 0);
}

void getviewsettings(struct viewporttype *vp)
{
    if (!_GrBgiReady() || vp == nullptr)
        return;
    vp->left = __gr_vpl;
    vp->top = __gr_vpt;
    vp->right = __gr_vpr;
    vp->bottom = __gr_vpb;
    vp->clip = __gr_clip;
}

void clearviewport(void)
{
    if (!_GrBgiReady())
        return;
    GrFilledBox(_GrBgiX(0), _GrBgiY(0), __gr_vpr, _GrBgiAdd(__gr_vpb, __gr_Y_page_offs),
                static_cast<GrColor>(__gr_colorbg));
    moveto(0, 0);
}
