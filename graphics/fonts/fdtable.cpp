// The font file drivers, in the order the loader asks them.
#include "libpxl.h"

const struct _GR_fontDriver *const _GrFontDriverTable[] = {
    &_GrFontDriverPXL, &_GrFontDriverBGI, &_GrFontDriverRAW,
    &_GrFontDriverFNA, &_GrFontDriverWIN, nullptr,
};
