// Driver state: which video driver, which mode, which frame drivers.
#include "libpxl.h"

struct _GR_driverInfo _GrDriverInfo = {
    nullptr,                          // video_driver
    &_GrDriverInfo.active_mode,       // current_mode
    {0, 4, 80, 25, 3, 160, 0, nullptr},  // active_mode: not present, text 80x25
    {},                               // frame_driver
    {},                               // screen_driver
    {},                               // text_driver
    GR_mode_text_default,             // mode_kind
    80, 25,                           // default text size
    640, 480,                         // default graphics size
    16, 16,                           // default text and graphics colours
    0, 0,                             // viewport
    1,                                // errors_fatal
    1,                                // restore_mode
    0,                                // split_banks
    -1,                               // current_bank
    nullptr,                          // mode_set_hook
    nullptr,                          // set_bank
    nullptr,                          // set_rw_banks
};

const struct _GR_driverInfo *const GrDriverInfo = &_GrDriverInfo;
