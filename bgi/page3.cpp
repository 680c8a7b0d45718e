// The page that is shown.
#include "libbgi.h"

void setvisualpage(int p) { __gr_setvisualpage(p); }
