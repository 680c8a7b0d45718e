// RGB modes: channel layout, packing with rounding, unpacking, colour
// counts, and the palette calls that have nothing to do there.
#include <climits>
#include <cstring>

#include "colortest.h"

namespace {

TEST_F(ColorTable, ChannelLayoutOf565)
{
    ASSERT_EQ(rgb565(), 1);
    EXPECT_EQ(info().numcolors, 65536U);
    EXPECT_EQ(info().numfree, 0U);
    EXPECT_EQ(info().rgbmode, 1U);
    EXPECT_EQ(info().black, GR_NOCOLOR);
    EXPECT_EQ(info().white, GR_NOCOLOR);
    const uint32_t prec[3] = {5, 6, 5}, top[3] = {15, 10, 4};
    const uint32_t mask[3] = {0xF8, 0xFC, 0xF8}, rnd[3] = {4, 2, 4};
    const int32_t shift[3] = {11, 6, 0};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(info().prec[i], prec[i]) << i;
        EXPECT_EQ(info().toppos[i], top[i]) << i;
        EXPECT_EQ(info().mask[i], mask[i]) << i;
        EXPECT_EQ(info().round[i], rnd[i]) << i;
        EXPECT_EQ(info().shift[i], shift[i]) << i;
    }
    EXPECT_EQ(info().normshift, 3);
    EXPECT_TRUE(loads().empty());
}

TEST_F(ColorTable, PackingRoundsToNearestLevel)
{
    ASSERT_EQ(rgb565(), 1);
    EXPECT_EQ(GrAllocColor(255, 255, 255), 0xFFFFU);
    EXPECT_EQ(GrAllocColor(4, 0, 0), 0x0800U);
    EXPECT_EQ(GrAllocColor(3, 1, 3), 0x0000U);
    EXPECT_EQ(GrAllocColor(0, 2, 0), 0x0020U);
    EXPECT_EQ(GrAllocColor(250, 0, 0), 0xF800U) << "no carry out of the top";
    // Anything at or past the top of a channel, negative too, is the top.
    EXPECT_EQ(GrAllocColor(-1, 0, 0), 0xF800U);
    EXPECT_EQ(GrAllocColor(INT_MIN, 256, INT_MAX), 0xFFFFU);

    EXPECT_EQ(query(0x0800), (RGB{8, 0, 0}));
    EXPECT_EQ(query(0xFFFF), (RGB{248, 252, 248}));
    EXPECT_EQ(query(0x07E0), (RGB{0, 252, 0}));
    uint32_t h = 0;
    GrQueryColor2(0xF81F, &h);
    EXPECT_EQ(h, 0xF800F8U);
}

TEST_F(ColorTable, TrueColourPacksBytes)
{
    ASSERT_EQ(rgb24(), 1);
    EXPECT_EQ(info().numcolors, 1U << 24);
    EXPECT_EQ(GrAllocColor(0x12, 0x34, 0x56), 0x123456U);
    EXPECT_EQ(GrAllocColor(255, 0, 1), 0xFF0001U);
    EXPECT_EQ(query(0xABCDEF), (RGB{0xAB, 0xCD, 0xEF}));

    // 32 bits a pixel: the count comes from the channels.
    ASSERT_EQ(reset(32, GR_frameRAM32L, {8, 8, 8}, {16, 8, 0}), 1);
    EXPECT_EQ(info().numcolors, 1U << 24);
    EXPECT_EQ(info().rgbmode, 1U);
    ASSERT_EQ(reset(32, GR_frameRAM32H, {8, 8, 8}, {24, 16, 8}), 1);
    EXPECT_EQ(GrAllocColor(1, 2, 3), 0x01020300U);
    EXPECT_EQ(query(0x01020300), (RGB{1, 2, 3}));
}

TEST_F(ColorTable, MoreThan24BitsOfColourFails)
{
    EXPECT_EQ(reset(32, GR_frameRAM32L, {8, 8, 9}, {17, 8, 0}), 0);
    EXPECT_EQ(info().numcolors, 1U << 25);
    EXPECT_EQ(reset(32, GR_frameRAM32L, {10, 10, 10}, {20, 10, 0}), 0);
    EXPECT_EQ(reset(32, GR_frameRAM32L, {16, 16, 16}, {32, 16, 0}), 0);
    EXPECT_EQ(reset(32, GR_frameRAM32L, {0, 0, 0}, {0, 0, 0}), 1)
        << "no channel bits: a single colour";
}

TEST_F(ColorTable, WideChannelsKeepEightBits)
{
    ASSERT_EQ(reset(30, GR_frameRAM32L, {10, 10, 4}, {14, 4, 0}), 1);
    EXPECT_EQ(info().numcolors, 1U << 24);
    EXPECT_EQ(info().mask[0], 0xFFU);
    EXPECT_EQ(info().round[0], 0U);
    EXPECT_EQ(info().mask[2], 0xF0U);
    EXPECT_EQ(GrAllocColor(255, 1, 255), (0xFFU << 16) | (1U << 6) | 0xFU);
}

TEST_F(ColorTable, PaletteCallsDoNothingInRgbMode)
{
    ASSERT_EQ(rgb565(), 1);
    _GR_colorTable before;
    memcpy(&before, GrColorInfo, sizeof before);
    EXPECT_EQ(GrAllocCell(), GR_NOCOLOR);
    GrFreeColor(5);
    GrFreeCell(5);
    GrSetColor(5, 1, 2, 3);
    GrSetRGBcolorMode();
    GrRefreshColors();
    EXPECT_EQ(memcmp(&before, GrColorInfo, sizeof before), 0);
    EXPECT_TRUE(loads().empty());
}

}  // namespace
