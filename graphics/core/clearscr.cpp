// Filling the whole screen, whatever context is current.
#include "libpxl.h"

void GrClearScreen(GrColor bg)
{
    GrContext saved;
    GrSaveContext(&saved);
    GrSetContext(nullptr);
    GrClearContext(bg);
    GrSetContext(&saved);
}
