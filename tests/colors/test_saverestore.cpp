// Saving and restoring the colour table, and records that claim more
// cells than the table has.
#include <cstring>

#include "colortest.h"

namespace {

const uint32_t kMagic = 0x7ABF5698U;

std::vector<unsigned char> save()
{
    std::vector<unsigned char> buf(GrColorSaveBufferSize());
    GrSaveColors(buf.data());
    return buf;
}

bool record_equals(const unsigned char *image)
{
    return memcmp(image, GrColorInfo, sizeof(_GR_colorTable)) == 0;
}

TEST_F(ColorTable, SaveBufferLayout)
{
    ASSERT_EQ(GrColorSaveBufferSize(), 3164);
    ASSERT_EQ(palette8(), 1);
    ASSERT_EQ(GrAllocColor(10, 20, 30), 16U);
    const std::vector<unsigned char> buf = save();
    uint32_t head[2];
    memcpy(head, buf.data(), sizeof head);
    EXPECT_EQ(head[0], kMagic);
    EXPECT_EQ(head[1], 256U);
    EXPECT_TRUE(record_equals(buf.data() + 8));
}

TEST_F(ColorTable, RestoreBringsBackCellsAndReloadsThem)
{
    ASSERT_EQ(palette8({6, 6, 6}), 1);
    ASSERT_EQ(GrAllocColor(10, 20, 30), 16U);
    ASSERT_EQ(GrAllocCell(), 17U);
    GrSetColor(17, 200, 100, 0);
    // Any alignment will do.
    std::vector<unsigned char> buf(GrColorSaveBufferSize() + 1);
    GrSaveColors(buf.data() + 1);

    GrFreeColor(16);
    GrFreeCell(17);
    ASSERT_EQ(GrAllocColor(1, 2, 3), 16U);
    GrSetRGBcolorMode();
    loads().clear();

    GrRestoreColors(buf.data() + 1);
    EXPECT_TRUE(record_equals(buf.data() + 9));
    EXPECT_EQ(info().rgbmode, 0U);
    EXPECT_EQ(query(17), (RGB{200, 100, 0}));
    ASSERT_EQ(loads().size(), 18U) << "every loaded cell goes to the driver";
    EXPECT_EQ(loads()[16], (Load{16, 12, 20, 32}));
    EXPECT_EQ(loads()[17], (Load{17, 200, 100, 0}));
}

TEST_F(ColorTable, RestoreRefusesForeignBuffers)
{
    ASSERT_EQ(reset(4, GR_frameRAM4, {6, 6, 6}, {0, 0, 0}), 1);
    const std::vector<unsigned char> other_count = save();
    ASSERT_EQ(palette8(), 1);
    ASSERT_EQ(GrAllocColor(10, 20, 30), 16U);
    std::vector<unsigned char> bad_magic = save();
    bad_magic[0] ^= 1;
    const std::vector<unsigned char> now = save();
    loads().clear();

    GrRestoreColors(const_cast<unsigned char *>(other_count.data()));
    GrRestoreColors(bad_magic.data());
    EXPECT_TRUE(record_equals(now.data() + 8));
    EXPECT_TRUE(loads().empty());
}

// A buffer that passes the checks but whose record says 1000 colours in
// palette mode: nothing may reach past the 256 cells.
TEST_F(ColorTable, OversizedColourCountStaysInsideTable)
{
    ASSERT_EQ(palette8(), 1);
    std::vector<unsigned char> buf = save();
    const uint32_t lie = 1000;
    memcpy(buf.data() + 8 + offsetof(_GR_colorTable, numcolors), &lie,
           sizeof lie);
    GrRestoreColors(buf.data());
    ASSERT_EQ(info().numcolors, 1000U);
    EXPECT_EQ(loads().size(), 16U);

    EXPECT_EQ(query(700), (RGB{0, 0, 0}));
    GrSetColor(700, 1, 2, 3);
    GrFreeColor(700);
    GrFreeCell(700);
    EXPECT_EQ(GrAllocColor(1, 2, 3), 16U);
    EXPECT_EQ(GrAllocCell(), 17U);
    loads().clear();
    GrRefreshColors();
    EXPECT_EQ(loads().size(), 18U);
    loads().clear();
    GrSetRGBcolorMode();
    ASSERT_EQ(loads().size(), 256U);
    EXPECT_EQ(loads().back().c, 255);
}

}  // namespace
