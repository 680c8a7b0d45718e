// The contract every public call keeps: no drawing, reading or export on
// the screen without a graphics mode, and no null pointer dereferenced.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "libpxl.h"

namespace {

struct Call {
    const char *name;
    std::function<void()> run;
};

const unsigned char kSolid[1] = {0xFF};
const int kTwo[2][2] = {{0, 0}, {0, 0}};
const int kTri[3][2] = {{0, 0}, {2, 0}, {0, 2}};

GrPattern solid_pattern()
{
    GrPattern p;
    p.bitmap = GrBitmapPattern{0, 1, kSolid, 1, 0};
    return p;
}

}  // namespace

// Every call below touches pixel (0, 0), which the 1 x 1 stand-by screen
// has: each must end the program with the one fatal message.
TEST(CallsWithoutGraphicsMode, EndTheProgramWithTheFatalMessage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // "before mode set" needs a fresh process
    static const GrPattern pat = solid_pattern();
    static const GrCustomLineStyle line = {1, 1, 0, nullptr};
    static GrTextStyle text;
    text.font = &GrFont_PC8x8;
    text.fgcolor.v = 1;
    text.bgcolor.v = 0;
    const std::vector<Call> calls = {
        {"GrClearScreen", [] { GrClearScreen(1); }},
        {"GrClearContext", [] { GrClearContext(1); }},
        {"GrClearContextC", [] { GrClearContextC(nullptr, 1); }},
        {"GrLine", [] { GrLine(0, 0, 0, 0, 1); }},
        {"GrHLine", [] { GrHLine(0, 0, 0, 1); }},
        {"GrVLine", [] { GrVLine(0, 0, 0, 1); }},
        {"GrBox", [] { GrBox(0, 0, 0, 0, 1); }},
        {"GrFilledBox", [] { GrFilledBox(0, 0, 0, 0, 1); }},
        {"GrFilledBoxNC", [] { GrFilledBoxNC(0, 0, 0, 0, 1); }},
        {"GrGetScanline", [] { GrGetScanline(0, 0, 0); }},
        {"GrGetScanlineC", [] { GrGetScanlineC(nullptr, 0, 0, 0); }},
        {"GrPatternFilledPlot", [] { GrPatternFilledPlot(0, 0, &pat); }},
        {"GrPatternFilledLine", [] { GrPatternFilledLine(0, 0, 0, 0, &pat); }},
        {"GrPatternFilledBox", [] { GrPatternFilledBox(0, 0, 0, 0, &pat); }},
        {"GrPolyLine", [] { GrPolyLine(2, kTwo, 1); }},
        {"GrPolygon", [] { GrPolygon(2, kTwo, 1); }},
        {"GrFilledPolygon", [] { GrFilledPolygon(3, kTri, 1); }},
        {"GrFilledConvexPolygon", [] { GrFilledConvexPolygon(3, kTri, 1); }},
        {"GrPatternFilledPolygon", [] { GrPatternFilledPolygon(3, kTri, &pat); }},
        {"GrCustomLine", [] { GrCustomLine(0, 0, 0, 0, &line); }},
        {"GrCustomBox", [] { GrCustomBox(0, 0, 0, 0, &line); }},
        {"GrCustomPolyLine", [] { GrCustomPolyLine(2, kTwo, &line); }},
        {"GrCustomPolygon", [] { GrCustomPolygon(3, kTri, &line); }},
        {"GrEllipse", [] { GrEllipse(1, 0, 1, 1, 1); }},
        {"GrCircle", [] { GrCircle(1, 0, 1, 1); }},
        {"GrFilledEllipse", [] { GrFilledEllipse(0, 0, 1, 1, 1); }},
        {"GrFilledCircle", [] { GrFilledCircle(0, 0, 1, 1); }},
        {"GrEllipseArc", [] { GrEllipseArc(1, 0, 1, 1, 900, 2700, GR_arcOpen, 1); }},
        {"GrFilledEllipseArc", [] { GrFilledEllipseArc(0, 0, 2, 2, 0, 900, GR_arcPie, 1); }},
        {"GrPatternFilledEllipseArc",
         [] { GrPatternFilledEllipseArc(0, 0, 2, 2, 0, 900, GR_arcPie, &pat); }},
        {"GrDrawChar", [] { GrDrawChar('A', 0, 0, &text); }},
        {"GrDrawString", [] { GrDrawString("A", 1, 0, 0, &text); }},
        {"GrSaveContextToPng", [] { GrSaveContextToPng(nullptr, "/tmp/pxl-calls-never.png"); }},
    };
    const struct {
        const char *name, *message;
        std::function<void()> enter;
    } states[] = {
        {"before any mode", "before mode set", [] {}},
        {"in a text mode", "in text mode",
         [] {
             GrSetDriver("memory");
             GrSetMode(GR_mode_text_80x25);
         }},
        // the frame of the closed driver is freed: nothing may reach it
        {"after the driver was replaced", "in text mode",
         [] {
             GrSetDriver("memory");
             GrSetMode(GR_mode_graphics_size_bpp, 16, 16, 8);
             GrSetDriver("memory");
         }},
    };
    for (const auto &s : states) {
        const std::string want =
            std::string("^PXL Error: graphics operation attempted ") + s.message + "\n$";
        for (const Call &c : calls)
            EXPECT_EXIT(
                {
                    s.enter();
                    c.run();
                },
                ::testing::ExitedWithCode(1), want)
                << c.name << ", " << s.name;
    }
    remove("/tmp/pxl-calls-never.png");  // in case a broken save made it
}

// A null pointer is never dereferenced: calls that draw draw nothing,
// makers give null, and null outputs are skipped.
TEST(NullPointers, DrawNothingAndSkipOutputs)
{
    ASSERT_EQ(GrSetDriver("memory"), 1);
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, 16, 16, 8), 1);
    const GrContext before = GrContextInfo->current;
    const GrCustomLineStyle line = {1, 1, 0, nullptr};
    GrPattern nobits = solid_pattern();
    nobits.bitmap.bits = nullptr;
    GrTextStyle nofont{};
    nofont.bgcolor.v = 1;
    const std::vector<Call> calls = {
        {"GrSetClipBoxC", [] { GrSetClipBoxC(nullptr, 1, 1, 2, 2); }},
        {"GrResetClipBoxC", [] { GrResetClipBoxC(nullptr); }},
        {"GrSaveColors", [] { GrSaveColors(nullptr); }},
        {"GrRestoreColors", [] { GrRestoreColors(nullptr); }},
        {"GrQueryColor", [] { GrQueryColor(1, nullptr, nullptr, nullptr); }},
        {"GrQueryColor2", [] { GrQueryColor2(1, nullptr); }},
        {"GrResizeSubContext", [] { GrResizeSubContext(nullptr, 0, 0, 1, 1); }},
        {"GrDestroyContext", [] { GrDestroyContext(nullptr); }},
        {"GrPolyLine", [] { GrPolyLine(3, nullptr, 1); }},
        {"GrPolygon", [] { GrPolygon(3, nullptr, 1); }},
        {"GrFilledPolygon", [] { GrFilledPolygon(3, nullptr, 1); }},
        {"GrFilledConvexPolygon", [] { GrFilledConvexPolygon(3, nullptr, 1); }},
        {"GrPatternFilledPolygon", [] { GrPatternFilledPolygon(3, kTri, nullptr); }},
        {"GrPatternFilledPolygon points",
         [] {
             static const GrPattern p = solid_pattern();
             GrPatternFilledPolygon(3, nullptr, &p);
         }},
        {"GrPatternFilledPlot", [] { GrPatternFilledPlot(1, 1, nullptr); }},
        {"GrPatternFilledLine", [] { GrPatternFilledLine(1, 1, 5, 5, nullptr); }},
        {"GrPatternFilledBox", [] { GrPatternFilledBox(1, 1, 5, 5, nullptr); }},
        {"GrPatternFilledBox no bits", [&nobits] { GrPatternFilledBox(1, 1, 5, 5, &nobits); }},
        {"GrPatternFilledEllipseArc",
         [] { GrPatternFilledEllipseArc(5, 5, 3, 3, 0, 900, GR_arcPie, nullptr); }},
        {"GrCustomLine", [] { GrCustomLine(1, 1, 5, 5, nullptr); }},
        {"GrCustomBox", [] { GrCustomBox(1, 1, 5, 5, nullptr); }},
        {"GrCustomPolyLine", [&line] { GrCustomPolyLine(3, nullptr, &line); }},
        {"GrCustomPolygon", [&line] { GrCustomPolygon(3, nullptr, &line); }},
        {"GrCustomPolygon style", [] { GrCustomPolygon(3, kTri, nullptr); }},
        {"GrGenerateEllipseArc", [] { EXPECT_EQ(GrGenerateEllipseArc(5, 5, 3, 3, 0, 900, nullptr), 0); }},
        {"GrGenerateEllipse", [] { EXPECT_EQ(GrGenerateEllipse(5, 5, 3, 3, nullptr), 0); }},
        {"GrLastArcCoords", [] { GrLastArcCoords(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }},
        {"GrSinCos", [] { GrSinCos(10, 0, 0, 5, 5, nullptr); }},
        {"GrBuildConvertedFont", [] { EXPECT_EQ(GrBuildConvertedFont(nullptr, 0, 0, 0, 0, 0), nullptr); }},
        {"GrBuildAuxiliaryBitmap", [] { EXPECT_EQ(GrBuildAuxiliaryBitmap(nullptr, 'A', 1, 0), nullptr); }},
        {"GrLoadFont", [] { EXPECT_EQ(GrLoadFont(nullptr), nullptr); }},
        {"GrUnloadFont", [] { GrUnloadFont(nullptr); }},
        {"GrSetFontPath", [] { GrSetFontPath(nullptr); }},
        {"GrDrawChar", [] { GrDrawChar('A', 0, 0, nullptr); }},
        {"GrDrawString", [] { GrDrawString("A", 1, 0, 0, nullptr); }},
        {"GrDrawString font", [&nofont] { GrDrawString("A", 1, 0, 0, &nofont); }},
        {"GrDrawString text",
         [] {
             GrTextStyle s{};
             s.font = &GrFont_PC8x8;
             s.bgcolor.v = 1;
             GrDrawString(nullptr, 3, 0, 0, &s);
         }},
        {"GrProportionalTextWidth", [] { EXPECT_EQ(GrProportionalTextWidth(nullptr, "A", 1, 0), 0U); }},
        {"GrProportionalTextWidth text",
         [] { EXPECT_EQ(GrProportionalTextWidth(&GrFont_PC8x8, nullptr, 1, 0), 0U); }},
        {"GrNextVideoMode", [] { EXPECT_EQ(GrNextVideoMode(nullptr), nullptr); }},
        {"GrSaveContextToPng", [] { EXPECT_EQ(GrSaveContextToPng(nullptr, nullptr), -1); }},
    };
    for (const Call &c : calls) {
        SCOPED_TRACE(c.name);
        c.run();
    }
    EXPECT_EQ(memcmp(&GrContextInfo->current, &before, sizeof before), 0);
    const GrColor *row;
    for (int y = 0; y < 16; y++) {
        ASSERT_NE(row = GrGetScanline(0, 15, y), nullptr);
        for (int x = 0; x < 16; x++)
            ASSERT_EQ(row[x], 0U) << "drawn at " << x << ", " << y;
    }

    // the outputs given are written, the null ones skipped
    int pts[GR_MAX_ELLIPSE_POINTS][2];
    const int n = GrGenerateEllipseArc(50, 50, 10, 10, 0, 900, pts);
    int xs = 0, ye = 0, g = -1;
    GrLastArcCoords(&xs, nullptr, nullptr, &ye, nullptr, nullptr);
    EXPECT_TRUE(xs == pts[0][0] && ye == pts[n - 1][1]);
    GrQueryColor(15, nullptr, &g, nullptr);
    EXPECT_EQ(g, 255);
}
