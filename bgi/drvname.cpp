// What the program may ask about drivers and modes.
#include <cstdio>

#include "libbgi.h"

void detectgraph(int *driver, int *mode)
{
    __gr_set_up_modes();
    if (__gr_ADAPTER < 0) {
        __gr_Result = grNotDetected;
        *driver = grNotDetected;
        return;
    }
    // initgraph gives such a driver mode 0
    *driver = __gr_adaptcnv(__gr_ADAPTER);
    *mode = 0;
}

const char *getdrivername(void)
{
    const GrVideoDriver *d = _GrDriverInfo.video_driver;
    return d != nullptr ? d->name : "none";
}

const char *getmodename(int mode)
{
    static char name[64];
    const _GR_driverInfo &di = _GrDriverInfo;
    int w, h, c;
    switch (mode) {
    case 0:
        snprintf(name, sizeof name, "%d x %d, %d colours", di.default_graphics_width,
                 di.default_graphics_height, di.default_graphics_colors);
        return name;
    case 1:
        return "800 x 600";
    case 2:
        return "largest";
    case 3:
        w = __gr_BGI_w, h = __gr_BGI_h, c = __gr_BGI_c;
        break;
    default:
        if (mode > __gr_MaxMode || !__gr_getmode_whc(mode, &w, &h, &c)) {
            __gr_Result = grInvalidMode;
            return "invalid mode";
        }
    }
    snprintf(name, sizeof name, "%d x %d, %d colours", w, h, c);
    return name;
}
