// Back to the default text mode.
#include "libbgi.h"

void __gr_restorecrtmode(void) { GrSetMode(GR_mode_text_default); }

void restorecrtmode(void) { __gr_restorecrtmode(); }
