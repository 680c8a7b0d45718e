// Driver choice, mode selection and setting, and the memory video driver.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "libpxl.h"
#include "portable.h"

namespace {

// Restores the defaults that driver words may change.
struct Defaults {
    _GR_driverInfo saved = _GrDriverInfo;
    ~Defaults()
    {
        _GrDriverInfo.default_graphics_width = saved.default_graphics_width;
        _GrDriverInfo.default_graphics_height = saved.default_graphics_height;
        _GrDriverInfo.default_graphics_colors = saved.default_graphics_colors;
        _GrDriverInfo.default_text_width = saved.default_text_width;
        _GrDriverInfo.default_text_height = saved.default_text_height;
        _GrDriverInfo.default_text_colors = saved.default_text_colors;
    }
};

// What detection finds without a display: nothing, but on Windows, where
// a window can always be opened, the windowed driver.
#ifdef PXL_WITH_WIN32
const int kFoundWithoutDisplay = 1;
#else
const int kFoundWithoutDisplay = 0;
#endif

// Detection finds nothing while this lives: there is no display to open.
struct NoDisplay {
    std::string saved = getenv("DISPLAY") ? getenv("DISPLAY") : "";
    NoDisplay() { unsetenv("DISPLAY"); }
    ~NoDisplay()
    {
        if (!saved.empty())
            setenv("DISPLAY", saved.c_str(), 1);
    }
};

const GrFrame &screen_frame() { return _GrContextInfo.screen.gc_frame; }

}  // namespace

TEST(SetDriver, NamesKeysAndSuffixes)
{
    Defaults keep;
    EXPECT_EQ(GrSetDriver("MEMORY"), 1);
    EXPECT_EQ(GrDriverInfo->video_driver, &_GrDriverMEM);
    EXPECT_EQ(GrSetDriver("Memory::some,options"), 1);  // options after '::'
    EXPECT_EQ(GrDriverInfo->video_driver, &_GrDriverMEM);

    // unknown names fail and leave the driver in use; a single colon is part of the name
    EXPECT_EQ(GrSetDriver("a:b"), 0);
    EXPECT_EQ(GrSetDriver("nosuchdriver"), 0);
    EXPECT_EQ(GrSetDriver("memory:"), 0);
    EXPECT_EQ(GrDriverInfo->video_driver, &_GrDriverMEM);

    EXPECT_EQ(GrSetDriver("memory gw 800 gh 600 nc 256"), 1);
    EXPECT_EQ(GrDriverInfo->default_graphics_width, 800);
    EXPECT_EQ(GrDriverInfo->default_graphics_height, 600);
    EXPECT_EQ(GrDriverInfo->default_graphics_colors, 256);

    // suffixes count for colour keys only; a bad value is consumed and ignored
    EXPECT_EQ(GrSetDriver("memory nc 16m tc 64K gw 1K gh x"), 1);
    EXPECT_EQ(GrDriverInfo->default_graphics_colors, 16777216);
    EXPECT_EQ(GrDriverInfo->default_text_colors, 65536);
    EXPECT_EQ(GrDriverInfo->default_graphics_width, 1);
    EXPECT_EQ(GrDriverInfo->default_graphics_height, 600);

    // values that overflow change nothing; in-range extremes are taken as given
    EXPECT_EQ(GrSetDriver("memory nc 99999999999M gc 4096M gw 99999999999 gh -5"), 1);
    EXPECT_EQ(GrDriverInfo->default_graphics_colors, 16777216);
    EXPECT_EQ(GrDriverInfo->default_graphics_width, 1);
    EXPECT_EQ(GrDriverInfo->default_graphics_height, -5);
    EXPECT_EQ(GrSetDriver("GW 999999999 memory"), 1);  // keys in any case, name anywhere
    EXPECT_EQ(GrDriverInfo->default_graphics_width, 999999999);

    // keys without a name: the defaults change, detection finds no driver here
    NoDisplay none;
    EXPECT_EQ(GrSetDriver("gw 1024 gh 768"), kFoundWithoutDisplay);
    EXPECT_EQ(GrDriverInfo->default_graphics_width, 1024);
    EXPECT_EQ(GrDriverInfo->default_graphics_height, 768);
}

TEST(SetDriver, OddTextIsSafe)
{
    Defaults keep;
    NoDisplay none;
    EXPECT_EQ(GrSetDriver(""), kFoundWithoutDisplay);
    EXPECT_EQ(GrSetDriver("      "), kFoundWithoutDisplay);
    // name "memory" replaced by "::" -> empty name
    EXPECT_EQ(GrSetDriver("memory ::"), kFoundWithoutDisplay);
    EXPECT_EQ(GrSetDriver("memory::"), 1);          // '::' with no options
    EXPECT_EQ(GrSetDriver("memory gw"), 1);         // key without a value
    const std::string huge(10000, 'm');
    EXPECT_EQ(GrSetDriver(huge.c_str()), 0);
    const std::string long_opts = "memory::" + std::string(10000, 'o');
    EXPECT_EQ(GrSetDriver(long_opts.c_str()), 1);   // options are cut to fit
    const std::string many = std::string(5000, ' ') + "memory" + std::string(5000, ' ');
    EXPECT_EQ(GrSetDriver(many.c_str()), 1);
    setenv("PXLDRV", "memory gw 320 gh 200 nc 256", 1);
    EXPECT_EQ(GrSetDriver(nullptr), 1);
    unsetenv("PXLDRV");
    EXPECT_EQ(GrDriverInfo->default_graphics_width, 320);
}

namespace {

GrVideoModeExt ext8 = {GR_frameRAM8, nullptr, nullptr, {8, 8, 8}, {0, 0, 0}, GR_vmodeMemory,
                       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0};
GrVideoModeExt ext16 = {GR_frameRAM16, nullptr, nullptr, {5, 6, 5}, {11, 5, 0}, GR_vmodeMemory,
                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0};
GrVideoModeExt exttext = {GR_frameText, nullptr, nullptr, {0, 0, 0}, {0, 0, 0}, 0,
                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0};

GrVideoMode *generic_select(GrVideoDriver *d, int w, int h, int bpp, int t, unsigned *ep)
{
    return _gr_selectmode(d, w, h, bpp, t, ep);
}

}  // namespace

TEST(SelectMode, ColourFirstThenSizeThenTableOrder)
{
    GrVideoMode modes[] = {
        {1, 8, 800, 600, 0, 800, 0, &ext8},
        {1, 8, 1024, 768, 0, 1024, 0, &ext8},
        {1, 8, 1024, 768, 0, 1024, 0, &ext8},   // a later tie never wins
        {1, 16, 640, 480, 0, 1280, 0, &ext16},
        {0, 8, 1000, 700, 0, 1000, 0, &ext8},   // not present
        {1, 8, 1000, 700, 0, 1000, 0, nullptr}, // no extension
        {1, 4, 80, 25, 0, 160, 0, &exttext},
    };
    GrVideoDriver drv = {"fake", 0, nullptr, modes, 7, nullptr, nullptr, nullptr,
                         generic_select, 1};
    EXPECT_EQ(_gr_selectmode(&drv, 1000, 700, 8, 0, nullptr), &modes[1]);
    // only 8- and 16-bit modes: 24 bits is short by the same colour error... but 16 is nearer
    EXPECT_EQ(_gr_selectmode(&drv, 640, 480, 24, 0, nullptr), &modes[3]);
    EXPECT_EQ(_gr_selectmode(&drv, 640, 480, 15, 0, nullptr), &modes[3]);
    EXPECT_EQ(_gr_selectmode(&drv, 640, 480, 8, 0, nullptr), &modes[0]);
    EXPECT_EQ(_gr_selectmode(&drv, 80, 25, 4, 1, nullptr), &modes[6]);  // text flag must match

    // with an error pair every mode must beat it, and the pair is updated
    unsigned pair[2] = {0, 24 + 68};
    EXPECT_EQ(_gr_selectmode(&drv, 1000, 700, 8, 0, pair), nullptr);
    pair[0] = 1;
    EXPECT_EQ(_gr_selectmode(&drv, 1000, 700, 8, 0, pair), &modes[1]);
    EXPECT_EQ(pair[0], 0U);
    EXPECT_EQ(pair[1], 24U + 68U);

    // a parent is asked after the driver's own modes; an exact own mode is final
    GrVideoMode pmodes[] = {{1, 8, 1000, 700, 0, 1000, 0, &ext8}};
    GrVideoDriver parent = {"parent", 0, nullptr, pmodes, 1, nullptr, nullptr, nullptr,
                            generic_select, 1};
    drv.parent = &parent;
    EXPECT_EQ(_gr_selectmode(&drv, 1000, 700, 8, 0, nullptr), &pmodes[0]);
    EXPECT_EQ(_gr_selectmode(&drv, 800, 600, 8, 0, nullptr), &modes[0]);
}

TEST(SelectMode, OnlyEightBitModesLetSizeDecide)
{
    GrVideoMode modes[] = {
        {1, 8, 640, 480, 0, 640, 0, &ext8},
        {1, 8, 800, 600, 0, 800, 0, &ext8},
    };
    GrVideoDriver drv = {"fake", 0, nullptr, modes, 2, nullptr, nullptr, nullptr,
                         generic_select, 1};
    EXPECT_EQ(_gr_selectmode(&drv, 800, 600, 24, 0, nullptr), &modes[1]);
    EXPECT_EQ(_gr_selectmode(&drv, 700, 500, 24, 0, nullptr), &modes[1]);
    EXPECT_EQ(_gr_selectmode(&drv, 600, 400, 24, 0, nullptr), &modes[0]);
}

TEST(ModeWalk, DistinctModesInTableThenParentOrder)
{
    GrVideoMode pmodes[] = {
        {1, 8, 640, 480, 0, 640, 0, &ext8},    // duplicate of an own mode
        {1, 8, 320, 200, 0, 320, 0, &ext8},
    };
    GrVideoMode modes[] = {
        {1, 8, 640, 480, 0, 640, 0, &ext8},
        {1, 16, 640, 480, 0, 1280, 0, &ext16},
        {1, 8, 640, 480, 0, 640, 0, &ext8},    // duplicate
        {0, 8, 800, 600, 0, 800, 0, &ext8},    // not present
        {1, 8, 1024, 768, 0, 1024, 0, &ext8},
    };
    GrVideoDriver parent = {"parent", 0, nullptr, pmodes, 2, nullptr, nullptr, nullptr,
                            generic_select, 1};
    GrVideoDriver drv = {"fake", 0, &parent, modes, 5, nullptr, nullptr, nullptr,
                         generic_select, 1};
    GrVideoDriver *was = _GrDriverInfo.video_driver;
    _GrDriverInfo.video_driver = &drv;
    const GrVideoMode *m = GrFirstVideoMode(GR_frameRAM8);
    EXPECT_EQ(m, &modes[0]);
    m = GrNextVideoMode(m);
    EXPECT_EQ(m, &modes[4]);
    m = GrNextVideoMode(m);
    EXPECT_EQ(m, &pmodes[1]);
    EXPECT_EQ(GrNextVideoMode(m), nullptr);
    EXPECT_EQ(GrFirstVideoMode(GR_frameRAM16), &modes[1]);
    EXPECT_EQ(GrNextVideoMode(&modes[1]), nullptr);
    EXPECT_EQ(GrFirstVideoMode(GR_frameRAM24), nullptr);
    _GrDriverInfo.video_driver = nullptr;
    EXPECT_EQ(GrFirstVideoMode(GR_frameRAM8), nullptr);
    _GrDriverInfo.video_driver = was;
}

TEST(MemoryDriver, SizesBuffersAndScreenContext)
{
    ASSERT_EQ(GrSetDriver("memory"), 1);

    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, 100, 10, 8), 1);
    const GrVideoMode &am = GrDriverInfo->active_mode;
    EXPECT_EQ(am.width, 100);
    EXPECT_EQ(am.height, 10);
    EXPECT_EQ(am.bpp, 8);
    EXPECT_EQ(am.lineoffset, 104);
    EXPECT_EQ(GrDriverInfo->current_mode, &_GrDriverMEM.modes[2]);
    EXPECT_EQ(GrDriverInfo->frame_driver.mode, GR_frameRAM8);
    EXPECT_EQ(GrDriverInfo->screen_driver.drawpixel, _GrFrameDriverRAM8.drawpixel);
    EXPECT_EQ(GrDriverInfo->mode_kind, GR_mode_graphics_size_bpp);
    EXPECT_EQ(GrDriverInfo->split_banks, 1);  // 1040 bytes fit one bank
    const GrContext &sc = GrContextInfo->screen;
    EXPECT_EQ(sc.gc_xmax, 99);
    EXPECT_EQ(sc.gc_ymax, 9);
    EXPECT_EQ(sc.gc_xcliphi, 99);
    EXPECT_EQ(sc.gc_ycliphi, 9);
    EXPECT_EQ(sc.gc_frame.gf_onscreen, 1);
    EXPECT_EQ(sc.gc_frame.gf_lineoffset, 104);
    EXPECT_EQ(sc.gc_frame.gf_driver, &GrDriverInfo->screen_driver);
    EXPECT_EQ(0, memcmp(&GrContextInfo->current, &sc, sizeof sc));
    unsigned char *buf = sc.gc_frame.gf_baseaddr[0];
    for (int i = 0; i < 1040; i++)
        ASSERT_EQ(buf[i], 0) << i;
    // drawing goes to the buffer
    GrDriverInfo->frame_driver.drawpixel(99, 9, 7);
    EXPECT_EQ(buf[9 * 104 + 99], 7);

    // a smaller mode reuses the buffer and clears the new size
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, 65, 3, 1), 1);
    EXPECT_EQ(am.lineoffset, 16);  // 9 row bytes, rounded up to 8
    EXPECT_EQ(GrContextInfo->screen.gc_frame.gf_baseaddr[0], buf);
    EXPECT_EQ(GrDriverInfo->frame_driver.mode, GR_frameRAM1);

    // 4 bits: four planes one after another
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, 640, 480, 4), 1);
    EXPECT_EQ(am.lineoffset, 80);
    const GrFrame &f4 = screen_frame();
    for (int i = 1; i < 4; i++)
        EXPECT_EQ(f4.gf_baseaddr[i], f4.gf_baseaddr[0] + i * 480 * 80);
    for (int i = 0; i < 4 * 480 * 80; i++)
        ASSERT_EQ(f4.gf_baseaddr[0][i], 0) << i;
    EXPECT_EQ(GrDriverInfo->split_banks, 1);  // one plane of 38400 bytes fits a bank
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, 640, 480, 8), 1);
    EXPECT_EQ(GrDriverInfo->split_banks, 0);

    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, 333, 7, 24), 1);
    EXPECT_EQ(am.lineoffset, 1000);  // 999 row bytes
    EXPECT_EQ(GrDriverInfo->frame_driver.mode, GR_frameRAM24);

    // colour counts become depths: 16 -> 4, 256 -> 8, 2 -> 1, 16M -> 24
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_colors, 20, 20, 16), 1);
    EXPECT_EQ(am.bpp, 4);
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_colors, 20, 20, 256), 1);
    EXPECT_EQ(am.bpp, 8);
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_colors_noclear, 20, 20, 2), 1);
    EXPECT_EQ(am.bpp, 1);
    EXPECT_EQ(GrDriverInfo->mode_kind, GR_mode_graphics_size_colors_noclear);
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_colors, 20, 20, 16777216), 1);
    EXPECT_EQ(am.bpp, 24);

    // other depths are refused by the driver itself
    for (int bpp : {0, 2, 15, 16, 30, 32})
        EXPECT_EQ(_GrDriverMEM.selectmode(&_GrDriverMEM, 64, 64, bpp, 0, nullptr), nullptr) << bpp;
    for (int wh : {0, -1, 32768, 100000})
        EXPECT_EQ(_GrDriverMEM.selectmode(&_GrDriverMEM, wh, wh, 8, 0, nullptr), nullptr) << wh;
    // a 1-bit plane past its driver's limit (16 MiB) is refused, not wrapped
    EXPECT_EQ(_GrDriverMEM.selectmode(&_GrDriverMEM, 32767, 32767, 1, 0, nullptr), nullptr);

    // the default graphics mode follows the defaults
    Defaults keep;
    ASSERT_EQ(GrSetDriver("memory gw 320 gh 200 nc 256"), 1);
    ASSERT_EQ(GrSetMode(GR_mode_graphics_default), 1);
    EXPECT_EQ(am.width, 320);
    EXPECT_EQ(am.height, 200);
    EXPECT_EQ(am.bpp, 8);

    // text mode: the stand-by driver and the text entry of the table
    ASSERT_EQ(GrSetMode(GR_mode_text_default), 1);
    EXPECT_EQ(GrDriverInfo->frame_driver.mode, GR_frameText);
    EXPECT_EQ(GrDriverInfo->current_mode, &_GrDriverMEM.modes[4]);
}

using MemoryDriverDeath = ::testing::Test;

TEST(MemoryDriverDeath, FatalMessagesAndStatus)
{
    const auto status1 = ::testing::ExitedWithCode(1);
    EXPECT_EXIT(
        {
            GrSetDriver("memory");
            GrSetMode(30);
        },
        status1, "^GrSetMode: unknown video mode\n$");
    EXPECT_EXIT(
        {
            GrSetDriver("memory");
            GrSetMode(-1);
        },
        status1, "^GrSetMode: unknown video mode\n$");
    for (int wh : {0, -1, 100000}) {
        EXPECT_EXIT(
            {
                GrSetDriver("memory");
                GrSetMode(GR_mode_graphics_size_bpp, wh, wh, 8);
            },
            status1, "^GrSetMode: could not find suitable video mode\n$")
            << wh;
    }
    EXPECT_EXIT(
        {
            GrSetDriver("memory");
            GrSetMode(GR_mode_graphics_size_bpp, 64, 64, 30);
        },
        status1, "^GrSetMode: could not find suitable video mode\n$");
    EXPECT_EXIT(
        {
            GrSetDriver("memory");
            GrSetMode(GR_mode_graphics_size_colors, 64, 64, 17);  // 5 bits
        },
        status1, "^GrSetMode: could not find suitable video mode\n$");
#ifndef PXL_WITH_WIN32
    EXPECT_EXIT(
        {
            _GrCloseVideoDriver();
            unsetenv("PXLDRV");
            unsetenv("DISPLAY");
            GrSetMode(GR_mode_graphics_default);  // nothing to detect
        },
        status1, "^GrSetMode: could not find suitable video driver\n$");
#endif
    EXPECT_EXIT(
        {
            GrSetDriver("memory gw -5");
            GrSetMode(GR_mode_graphics_default);
        },
        status1, "^GrSetMode: could not find suitable video mode\n$");
}

TEST(MemoryDriverDeath, DrawingWithoutGraphicsMode)
{
    // a re-executed child starts fresh: no mode was ever set in it
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto status1 = ::testing::ExitedWithCode(1);
    EXPECT_EXIT(
        {
            _GrContextInfo.current.gc_frame.gf_driver->drawpixel(0, 0, 1);
        },
        status1, "^PXL Error: graphics operation attempted before mode set\n$");
    EXPECT_EXIT(
        {
            GrSetDriver("memory");
            GrSetMode(GR_mode_text_80x25);
            GrDriverInfo->frame_driver.drawline(0, 0, 5, 5, 1);
        },
        status1, "^PXL Error: graphics operation attempted in text mode\n$");
}
