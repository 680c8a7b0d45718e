// The mouse cursor drawn by the library. For now input runs without one:
// the calls exist and draw nothing.
#include "libpxl.h"
#include "w32inp.h"

void _GrInitMouseCursor(void) {}
void GrMouseDisplayCursor(void) {}
void GrMouseEraseCursor(void) {}
void GrMouseUpdateCursor(void) {}
