// A stand-in mode for the colour table: the tests put it into the driver
// state as the mode in force and reset the table for it, as mode setting
// does, while a hook records every cell the driver is asked to load.
#ifndef COLORTEST_H
#define COLORTEST_H

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "libpxl.h"

struct Load {
    int c, r, g, b;
    bool operator==(const Load &o) const
    {
        return c == o.c && r == o.r && g == o.g && b == o.b;
    }
};

inline std::ostream &operator<<(std::ostream &os, const Load &l)
{
    return os << "cell " << l.c << " (" << l.r << ", " << l.g << ", " << l.b
              << ")";
}

inline std::vector<Load> &loads()
{
    static std::vector<Load> v;
    return v;
}

inline void record_load(int c, int r, int g, int b)
{
    loads().push_back({c, r, g, b});
}

using Bits = std::array<unsigned char, 3>;

// The 16 colours every palette mode starts with.
constexpr unsigned char kDefaults[16][3] = {
    {0, 0, 0},       {0, 0, 170},     {0, 170, 0},     {0, 170, 170},
    {170, 0, 0},     {170, 0, 170},   {170, 85, 0},    {170, 170, 170},
    {85, 85, 85},    {85, 85, 255},   {85, 255, 85},   {85, 255, 255},
    {255, 85, 85},   {255, 85, 255},  {255, 255, 85},  {255, 255, 255},
};

class ColorTable : public ::testing::Test {
protected:
    void SetUp() override { saved_ = _GrDriverInfo.active_mode; }
    void TearDown() override { _GrDriverInfo.active_mode = saved_; }

    // Puts a mode in force and resets the table for it; the hook log then
    // holds just what the reset loaded.
    int reset(int bpp, GrFrameMode fm, Bits prec, Bits pos,
              void (*hook)(int, int, int, int) = record_load)
    {
        ext_ = GrVideoModeExt{};
        ext_.mode = fm;
        for (int i = 0; i < 3; i++) {
            ext_.cprec[i] = prec[i];
            ext_.cpos[i] = pos[i];
        }
        ext_.loadcolor = hook;
        _GrDriverInfo.active_mode.bpp = static_cast<signed char>(bpp);
        _GrDriverInfo.active_mode.extinfo = &ext_;
        loads().clear();
        return _GrResetColors();
    }

    // The usual modes, with the hook log emptied after the reset.
    int palette8(Bits prec = {8, 8, 8})
    {
        return settled(reset(8, GR_frameRAM8, prec, {16, 8, 0}));
    }
    int rgb565()
    {
        return settled(reset(16, GR_frameRAM16, {5, 6, 5}, {11, 5, 0}));
    }
    int rgb24()
    {
        return settled(reset(24, GR_frameRAM24, {8, 8, 8}, {16, 8, 0}));
    }
    static int settled(int result)
    {
        loads().clear();
        return result;
    }

    const _GR_colorTable &info() const { return *GrColorInfo; }
    const _GR_colorCell &cell(int i) const { return GrColorInfo->cells[i]; }

    static std::array<int, 3> query(GrColor c)
    {
        int r = -1, g = -1, b = -1;
        GrQueryColor(c, &r, &g, &b);
        return {r, g, b};
    }

    GrVideoModeExt ext_{};

private:
    GrVideoMode saved_{};
};

using RGB = std::array<int, 3>;

#endif
