// Palette modes: reset, shared and private cells, freeing, setting,
// refreshing, and the switch to a fixed RGB palette.
#include "colortest.h"

namespace {

std::vector<Load> default_loads(unsigned mask)
{
    std::vector<Load> v;
    for (int i = 0; i < 16; i++)
        v.push_back({i, int(kDefaults[i][0] & mask),
                     int(kDefaults[i][1] & mask), int(kDefaults[i][2] & mask)});
    return v;
}

// Every cell from 16 up taken by a distinct colour far from the presets.
void fill_unloaded_cells()
{
    for (int i = 0; i < 240; i++)
        ASSERT_EQ(GrAllocColor(i, 255, 0), GrColor(16 + i));
}

void hold_presets(int from)
{
    for (int i = from; i < 16; i++)
        ASSERT_EQ(GrAllocColor(kDefaults[i][0], kDefaults[i][1],
                               kDefaults[i][2]),
                  GrColor(i));
}

TEST_F(ColorTable, PaletteResetPresetsDefaultColours)
{
    ASSERT_EQ(reset(8, GR_frameRAM8, {8, 8, 8}, {16, 8, 0}), 1);
    EXPECT_EQ(info().numcolors, 256U);
    EXPECT_EQ(info().numfree, 256U);
    EXPECT_EQ(info().rgbmode, 0U);
    EXPECT_EQ(info().black, GR_NOCOLOR);
    EXPECT_EQ(info().white, GR_NOCOLOR);
    for (int i = 0; i < 16; i++) {
        EXPECT_EQ(cell(i).flags, GR_COLOR_LOADED) << i;
        EXPECT_EQ(cell(i).refcount, 0U) << i;
        EXPECT_EQ(query(i),
                  (RGB{kDefaults[i][0], kDefaults[i][1], kDefaults[i][2]}));
    }
    for (int i = 16; i < 256; i++) {
        EXPECT_EQ(cell(i).flags, 0U) << i;
        EXPECT_EQ(query(i), (RGB{0, 0, 0})) << i;
    }
    EXPECT_EQ(loads(), default_loads(0xFF));

    // Coarser channels keep only the top bits of each preset.
    ASSERT_EQ(reset(8, GR_frameRAM8, {6, 6, 6}, {16, 8, 0}), 1);
    EXPECT_EQ(loads(), default_loads(0xFC));
    EXPECT_EQ(query(1), (RGB{0, 0, 168}));
    EXPECT_EQ(query(15), (RGB{252, 252, 252}));

    ASSERT_EQ(reset(4, GR_frameRAM4, {6, 6, 6}, {0, 0, 0}), 1);
    EXPECT_EQ(info().numcolors, 16U);
    EXPECT_EQ(info().numfree, 16U);
    EXPECT_EQ(loads().size(), 16U);

    // The application's entry point does the same.
    EXPECT_EQ(GrResetColors(), 1);
    EXPECT_EQ(info().numcolors, 16U);
}

TEST_F(ColorTable, SharedColourReusesMatchingCell)
{
    ASSERT_EQ(palette8(), 1);
    EXPECT_EQ(GrAllocColor(0, 0, 170), 1U);
    EXPECT_EQ(info().numfree, 255U);
    EXPECT_EQ(GrAllocColor(0, 0, 170), 1U);
    EXPECT_EQ(info().numfree, 255U);
    EXPECT_EQ(cell(1).refcount, 2U);
    EXPECT_EQ(cell(1).flags, GR_COLOR_LOADED);
    EXPECT_TRUE(loads().empty()) << "an existing colour is not loaded again";
}

TEST_F(ColorTable, NewColourTakesFirstUnusedCell)
{
    ASSERT_EQ(palette8(), 1);
    EXPECT_EQ(GrAllocColor(10, 20, 30), 16U);
    EXPECT_EQ(loads(), (std::vector<Load>{{16, 10, 20, 30}}));
    EXPECT_EQ(cell(16).flags, GR_COLOR_LOADED);
    EXPECT_EQ(cell(16).refcount, 1U);
    EXPECT_EQ(info().numfree, 255U);

    ASSERT_EQ(palette8({6, 6, 6}), 1);
    EXPECT_EQ(GrAllocColor(10, 20, 30), 16U);
    EXPECT_EQ(loads(), (std::vector<Load>{{16, 12, 20, 32}}));
    // Matching happens after rounding, so a neighbour of the request shares.
    EXPECT_EQ(GrAllocColor(11, 21, 31), 16U);
    EXPECT_EQ(cell(16).refcount, 2U);
    // Requests past the top of a channel, negative ones included, are the top.
    EXPECT_EQ(GrAllocColor(-1, 1000, 252), 15U);
}

TEST_F(ColorTable, FullPaletteSharesOnlyCloseColours)
{
    ASSERT_EQ(palette8(), 1);
    hold_presets(0);
    fill_unloaded_cells();
    ASSERT_EQ(info().numfree, 0U);
    loads().clear();

    // Squared distance 31² + 6² + 1² = 998 from cell 7 (170, 170, 170).
    EXPECT_EQ(GrAllocColor(201, 176, 171), 7U);
    EXPECT_EQ(cell(7).refcount, 2U);
    EXPECT_EQ(query(7), (RGB{170, 170, 170}));
    // 30² + 10² = 1000 is too far.
    EXPECT_EQ(GrAllocColor(200, 180, 170), GR_NOCOLOR);
    EXPECT_EQ(GrAllocColor(5, 255, 0), 21U);
    EXPECT_TRUE(loads().empty());
}

TEST_F(ColorTable, UnheldPresetIsOverwrittenWhenNoCellIsFree)
{
    ASSERT_EQ(palette8(), 1);
    fill_unloaded_cells();
    ASSERT_EQ(info().numfree, 16U);
    loads().clear();

    // Black is spared while another unheld preset exists.
    EXPECT_EQ(GrAllocColor(128, 128, 128), 1U);
    EXPECT_EQ(loads(), (std::vector<Load>{{1, 128, 128, 128}}));
    EXPECT_EQ(info().numfree, 15U);
    hold_presets(2);
    EXPECT_EQ(GrAllocColor(100, 50, 50), 0U);
    EXPECT_EQ(query(0), (RGB{100, 50, 50}));
    EXPECT_EQ(info().numfree, 0U);
}

TEST_F(ColorTable, FreeingLastReferenceForgetsColour)
{
    ASSERT_EQ(palette8(), 1);
    ASSERT_EQ(GrAllocColor(10, 20, 30), 16U);
    ASSERT_EQ(GrAllocColor(10, 20, 30), 16U);

    GrFreeColor(16);
    EXPECT_EQ(cell(16).flags, GR_COLOR_LOADED);
    EXPECT_EQ(info().numfree, 255U);
    GrFreeColor(16);
    EXPECT_EQ(cell(16).flags, 0U);
    EXPECT_EQ(cell(16).refcount, 0U);
    EXPECT_EQ(info().numfree, 256U);
    EXPECT_EQ(query(16), (RGB{0, 0, 0}));
    uint32_t h = 1;
    GrQueryColor2(16, &h);
    EXPECT_EQ(h, 0U);

    // Nothing left to drop: not loaded, an unheld preset, out of range.
    GrFreeColor(16);
    GrFreeColor(3);
    GrFreeColor(256);
    GrFreeColor(GR_NOCOLOR);
    EXPECT_EQ(info().numfree, 256U);
    EXPECT_EQ(cell(3).flags, GR_COLOR_LOADED);
    EXPECT_EQ(cell(3).refcount, 0U);
}

TEST_F(ColorTable, PrivateCellLifecycle)
{
    ASSERT_EQ(palette8({6, 6, 6}), 1);
    const GrColor c = GrAllocCell();
    ASSERT_EQ(c, 16U);
    EXPECT_EQ(cell(16).flags, GR_COLOR_LOADED | GR_COLOR_CHANGEABLE);
    EXPECT_EQ(cell(16).refcount, 1U);
    EXPECT_EQ(info().numfree, 255U);
    EXPECT_EQ(loads(), (std::vector<Load>{{16, 0, 0, 0}}));

    loads().clear();
    GrSetColor(c, 10, 20, 30);
    EXPECT_EQ(loads(), (std::vector<Load>{{16, 12, 20, 32}}));
    // A private colour is never handed out as a shared one.
    EXPECT_EQ(GrAllocColor(12, 20, 32), 17U);
    GrFreeColor(c);
    EXPECT_EQ(cell(16).refcount, 1U);
    GrFreeCell(17);  // shared, not private
    EXPECT_EQ(cell(17).refcount, 1U);

    GrFreeCell(c);
    EXPECT_EQ(cell(16).flags, 0U);
    EXPECT_EQ(cell(16).refcount, 0U);
    EXPECT_EQ(cell(16).r, 12) << "the components stay behind";
    EXPECT_EQ(info().numfree, 255U);
    GrFreeCell(c);
    EXPECT_EQ(info().numfree, 255U);
}

TEST_F(ColorTable, PrivateCellFallsBackToUnheldCell)
{
    ASSERT_EQ(palette8(), 1);
    fill_unloaded_cells();
    EXPECT_EQ(GrAllocCell(), 0U);
    EXPECT_EQ(cell(0).flags, GR_COLOR_LOADED | GR_COLOR_CHANGEABLE);
    hold_presets(1);
    ASSERT_EQ(info().numfree, 0U);
    EXPECT_EQ(GrAllocCell(), GR_NOCOLOR);
}

TEST_F(ColorTable, SetColorTakesFreeCellsButNotSharedOnes)
{
    ASSERT_EQ(palette8({6, 6, 6}), 1);
    GrSetColor(20, -1, 300, 255);
    EXPECT_EQ(cell(20).flags, GR_COLOR_LOADED | GR_COLOR_CHANGEABLE);
    EXPECT_EQ(cell(20).refcount, 1U);
    EXPECT_EQ(query(20), (RGB{252, 252, 252}));
    EXPECT_EQ(info().numfree, 255U);

    GrSetColor(4, 1, 2, 3);  // unheld preset
    EXPECT_EQ(cell(4).flags, GR_COLOR_LOADED | GR_COLOR_CHANGEABLE);
    EXPECT_EQ(query(4), (RGB{0, 4, 4}));
    EXPECT_EQ(info().numfree, 254U);

    ASSERT_EQ(GrAllocColor(0, 0, 168), 1U);
    loads().clear();
    GrSetColor(1, 255, 0, 0);
    GrSetColor(256, 255, 0, 0);
    GrSetColor(GR_NOCOLOR, 255, 0, 0);
    EXPECT_TRUE(loads().empty());
    EXPECT_EQ(query(1), (RGB{0, 0, 168}));
    EXPECT_EQ(cell(1).flags, GR_COLOR_LOADED);
    EXPECT_EQ(info().numfree, 253U);
}

TEST_F(ColorTable, QueryToleratesMissingOutputs)
{
    ASSERT_EQ(palette8(), 1);
    int g = -1;
    GrQueryColor(9, nullptr, &g, nullptr);
    EXPECT_EQ(g, 85);
    GrQueryColor2(9, nullptr);
    uint32_t h = 0;
    GrQueryColor2(9, &h);
    EXPECT_EQ(h, 0x5555FFU);
}

TEST_F(ColorTable, RefreshReloadsEveryLoadedCell)
{
    ASSERT_EQ(palette8(), 1);
    ASSERT_EQ(GrAllocColor(10, 20, 30), 16U);
    ASSERT_EQ(GrAllocCell(), 17U);
    GrSetColor(40, 1, 2, 3);
    GrFreeCell(40);
    loads().clear();
    GrRefreshColors();
    std::vector<Load> want = default_loads(0xFF);
    want.push_back({16, 10, 20, 30});
    want.push_back({17, 0, 0, 0});
    EXPECT_EQ(loads(), want);
}

TEST_F(ColorTable, WorksWithoutDriverHook)
{
    ASSERT_EQ(reset(8, GR_frameRAM8, {8, 8, 8}, {16, 8, 0}, nullptr), 1);
    EXPECT_EQ(query(12), (RGB{255, 85, 85}));
    EXPECT_EQ(GrAllocColor(1, 2, 3), 16U);
    EXPECT_EQ(query(16), (RGB{1, 2, 3}));
    GrRefreshColors();
}

TEST_F(ColorTable, TextModeKeepsOnlyTheCounts)
{
    ASSERT_EQ(palette8(), 1);
    ASSERT_EQ(GrAllocColor(10, 20, 30), 16U);
    for (bool noext : {false, true}) {
        SCOPED_TRACE(noext ? "no mode extension" : "text frame mode");
        ASSERT_EQ(reset(4, GR_frameText, {6, 6, 6}, {0, 0, 0}), 1);
        if (noext) {
            _GrDriverInfo.active_mode.extinfo = nullptr;
            ASSERT_EQ(_GrResetColors(), 1);
        }
        _GR_colorTable want{};
        want.numcolors = 16;
        EXPECT_EQ(memcmp(GrColorInfo, &want, sizeof want), 0);
        EXPECT_TRUE(loads().empty());
    }
    // No cell counts as free here; taking one must not wrap the count.
    EXPECT_EQ(GrAllocColor(1, 2, 3), 0U);
    EXPECT_EQ(info().numfree, 0U);
}

TEST_F(ColorTable, FixedRgbPaletteIn256Colours)
{
    ASSERT_EQ(palette8(), 1);
    ASSERT_EQ(GrAllocColor(0, 0, 170), 1U);
    GrSetRGBcolorMode();
    EXPECT_EQ(info().rgbmode, 1U);
    EXPECT_EQ(info().numfree, 0U);
    EXPECT_EQ(info().black, 0U);
    EXPECT_EQ(info().white, 255U);
    EXPECT_EQ(info().normshift, 6);
    ASSERT_EQ(loads().size(), 256U);
    for (int i = 0; i < 256; i++)
        EXPECT_EQ(loads()[i].c, i);
    EXPECT_EQ(loads()[0xE0], (Load{0xE0, 224, 0, 0}));
    EXPECT_EQ(loads()[0x03], (Load{0x03, 0, 0, 192}));
    EXPECT_EQ(loads()[0xFF], (Load{0xFF, 224, 224, 192}));
    // Bookkeeping of the cells is left as it was.
    EXPECT_EQ(cell(1).refcount, 1U);
    EXPECT_EQ(cell(1).flags, GR_COLOR_LOADED);
    EXPECT_EQ(cell(200).flags, 0U);

    EXPECT_EQ(GrAllocColor(255, 255, 255), 0xFFU);
    EXPECT_EQ(GrAllocColor(224, 0, 0), 0xE0U);
    EXPECT_EQ(query(0x03), (RGB{0, 0, 192}));

    loads().clear();
    GrSetRGBcolorMode();
    EXPECT_TRUE(loads().empty());
}

TEST_F(ColorTable, FixedRgbPaletteIn16Colours)
{
    ASSERT_EQ(settled(reset(4, GR_frameRAM4, {6, 6, 6}, {0, 0, 0})), 1);
    GrSetRGBcolorMode();
    EXPECT_EQ(info().white, 15U);
    ASSERT_EQ(loads().size(), 16U);
    EXPECT_EQ(loads()[15], (Load{15, 128, 192, 128}));
    EXPECT_EQ(loads()[8], (Load{8, 128, 0, 0}));
    EXPECT_EQ(loads()[6], (Load{6, 0, 192, 0}));
    EXPECT_EQ(loads()[1], (Load{1, 0, 0, 128}));
    EXPECT_EQ(GrAllocColor(0, 255, 0), 6U);
}

}  // namespace
