// The font path; -1 directories until a path is first set.
#include "libpxl.h"

struct _GR_fontFileInfo _GrFontFileInfo = {-1, nullptr};
