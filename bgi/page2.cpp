// Which page drawing goes to.
#include "libbgi.h"

int getactivepage(void)
{
    return _GrBgiReady() && __gr_Y_page_offs != 0 ? 1 : 0;
}
