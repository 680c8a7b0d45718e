// The page that drawing goes to.
#include "libbgi.h"

namespace {

// 1 when p names an existing page, else 0 with the code set
bool valid_page(int p)
{
    if (!_GrBgiReady())
        return false;
    if (p < 0 || p >= __gr_BGI_p) {
        __gr_Result = grError;
        return false;
    }
    return true;
}

}  // namespace

void __gr_setactivepage(int p)
{
    if (!valid_page(p))
        return;
    __gr_Y_page_offs = p == 0 ? 0 : _GrBgiHeight();
    __gr_Reset_ClipBox();
}

void setactivepage(int p) { __gr_setactivepage(p); }

void __gr_setvisualpage(int p)
{
    if (!valid_page(p))
        return;
    GrSetViewport(0, p == 0 ? 0 : _GrBgiHeight());
}
