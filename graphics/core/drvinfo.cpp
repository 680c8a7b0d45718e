// Driver state: which video driver, which mode, which frame drivers; and the
// stand-by frame driver that catches drawing while no graphics mode is set.
#include <cstdio>
#include <cstdlib>

#include "libpxl.h"

namespace {

[[noreturn]] void standby_fatal()
{
    // the screen's driver is a stand-by one until the first mode is set,
    // and the text one in a text mode and after the driver was closed
    const bool text = _GrDriverInfo.screen_driver.mode == GR_frameText;
    _GrCloseVideoDriver();
    fprintf(stderr, "PXL Error: graphics operation attempted %s\n",
            text ? "in text mode" : "before mode set");
    exit(1);
}

// One stand-by operation for every slot type of the frame driver record.
template <class F> struct Standby;
template <class R, class... A> struct Standby<R (*)(A...)> {
    static R fn(A...) { standby_fatal(); }
};
#define STANDBY(slot) r.slot = Standby<decltype(_GR_frameDriver::slot)>::fn

// Every operation slot ends the program: no drawing, reading or copying
// reaches a frame while no graphics mode is set.
constexpr _GR_frameDriver standby(enum _GR_frameModes mode, int is_video, int bpp)
{
    _GR_frameDriver r{};
    r.mode = mode;
    r.rmode = GR_frameUndef;
    r.is_video = is_video;
    r.row_align = 1;
    r.num_planes = 1;
    r.bits_per_pixel = bpp;
    r.max_plane_size = 0;
    r.init = nullptr;
    STANDBY(readpixel);
    STANDBY(drawpixel);
    STANDBY(drawline);
    STANDBY(drawhline);
    STANDBY(drawvline);
    STANDBY(drawblock);
    STANDBY(drawbitmap);
    STANDBY(drawpattern);
    STANDBY(bitblt);
    STANDBY(bltv2r);
    STANDBY(bltr2v);
    STANDBY(getindexedscanline);
    STANDBY(putscanline);
    return r;
}
#undef STANDBY

void dummy_bank(int) {}
void dummy_rwbanks(int, int) {}

}  // namespace

void _GrDummyFunction(void) {}
void (*const _GrDummySetBank)(int) = dummy_bank;
void (*const _GrDummySetRWBanks)(int, int) = dummy_rwbanks;

struct _GR_driverInfo _GrDriverInfo = {
    nullptr,                          // video_driver
    &_GrDriverInfo.active_mode,       // current_mode
    {0, 4, 80, 25, 3, 160, 0, nullptr},  // active_mode: not present, text 80x25
    standby(GR_frameUndef, 0, 0),     // frame_driver
    standby(GR_frameUndef, 0, 0),     // screen_driver
    standby(GR_frameText, 1, 16),     // text_driver
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
    dummy_bank,                       // set_bank
    dummy_rwbanks,                    // set_rw_banks
};

const struct _GR_driverInfo *const GrDriverInfo = &_GrDriverInfo;
