// PNG export: the image written for every pixel format, the failures, and
// the test card against its reviewed reference images.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "card.h"
#include "pngimage.h"
#include "libpxl.h"
#include "portable.h"

namespace {

using Image = PngImage;

bool read_png(const std::string &path, Image *img)
{
    return img->read(path);
}

// The chunk names of a file, in order.
std::vector<std::string> chunks(const std::string &path)
{
    std::vector<std::string> out;
    FILE *f = fopen(path.c_str(), "rb");
    if (!f)
        return out;
    unsigned char b[8];
    if (fread(b, 1, 8, f) == 8) {
        while (fread(b, 1, 8, f) == 8) {
            const long n = (long(b[0]) << 24) | (b[1] << 16) | (b[2] << 8) | b[3];
            out.emplace_back(reinterpret_cast<char *>(b + 4), 4);
            if (fseek(f, n + 4, SEEK_CUR) != 0)
                break;
        }
    }
    fclose(f);
    return out;
}

struct TempDir {
    std::string path;
    TempDir()
    {
        std::string t = ::testing::TempDir() + "pxlpngXXXXXX";
        path = mkdtemp(t.data());
    }
    ~TempDir()
    {
        std::error_code ec;
        if (std::filesystem::remove_all(path, ec) == static_cast<std::uintmax_t>(-1))
            ADD_FAILURE() << "could not remove " << path;
    }
    std::string file(const char *name) const { return path + "/" + name; }
};

void set_mode(int w, int h, int bpp)
{
    ASSERT_EQ(GrSetDriver("memory"), 1);
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, w, h, bpp), 1);
}

bool same_context(const GrContext &a, const GrContext &b)
{
    return memcmp(&a, &b, sizeof a) == 0;
}

std::string slurp(const std::string &path)
{
    std::string out;
    if (FILE *f = fopen(path.c_str(), "rb")) {
        for (int c; (c = fgetc(f)) != EOF;)
            out += static_cast<char>(c);
        fclose(f);
    }
    return out;
}

}  // namespace

TEST(Png, PaletteModeImageHeaderAndPixels)
{
    TempDir tmp;
    set_mode(7, 3, 8);
    GrClearScreen(0);
    const GrColor green = GrAllocColor(85, 255, 85);  // a preset cell: 10
    EXPECT_EQ(green, 10U);
    GrFilledBox(1, 1, 5, 1, green);
    GrFilledBox(6, 2, 6, 2, 15);
    const std::string f = tmp.file("p.png");
    ASSERT_EQ(GrSaveContextToPng(nullptr, f.c_str()), 0);
    EXPECT_EQ(chunks(f), (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    Image img;
    ASSERT_TRUE(read_png(f, &img));
    ASSERT_EQ(img.w, 7U);
    ASSERT_EQ(img.h, 3U);
    for (unsigned y = 0; y < 3; y++)
        for (unsigned x = 0; x < 7; x++) {
            const unsigned char *p = img.at(x, y);
            const bool g = y == 1 && x >= 1 && x <= 5, w = x == 6 && y == 2;
            const int want[3] = {g ? 85 : w ? 255 : 0, g ? 255 : w ? 255 : 0, g ? 85 : w ? 255 : 0};
            ASSERT_TRUE(p[0] == want[0] && p[1] == want[1] && p[2] == want[2]) << x << "," << y;
        }

    // 1 x 1
    set_mode(1, 1, 8);
    GrClearScreen(4);
    ASSERT_EQ(GrSaveContextToPng(nullptr, f.c_str()), 0);
    ASSERT_TRUE(read_png(f, &img));
    ASSERT_EQ(img.w * img.h, 1U);
    EXPECT_EQ(img.at(0, 0)[0], 170);
}

// Every memory pixel format, with an RGB colour table of 5-6-5 bits for the
// packed formats, so the top-of-byte rule shows (31 red -> 248).
TEST(Png, EveryPixelFormat)
{
    TempDir tmp;
    set_mode(16, 4, 8);
    const std::string f = tmp.file("fmt.png");
    struct Case {
        GrFrameMode md;
        GrColor value;
        unsigned char rgb[3];
    };
    // palette formats: cell 12 is (255, 85, 85)
    for (const Case &c : {Case{GR_frameRAM8, 12, {255, 85, 85}},
                          Case{GR_frameRAM4, 12, {255, 85, 85}},
                          Case{GR_frameRAM1, 1, {0, 0, 170}}}) {
        GrContext *ctx = GrCreateFrameContext(c.md, 9, 5, nullptr, nullptr);
        ASSERT_NE(ctx, nullptr);
        GrContext saved;
        GrSaveContext(&saved);
        GrSetContext(ctx);
        GrFilledBox(2, 1, 8, 4, c.value);
        GrSetContext(&saved);
        ASSERT_EQ(GrSaveContextToPng(ctx, f.c_str()), 0) << c.md;
        EXPECT_TRUE(same_context(GrContextInfo->current, saved));
        Image img;
        ASSERT_TRUE(read_png(f, &img));
        ASSERT_EQ(img.w, 9U);
        ASSERT_EQ(img.h, 5U);
        EXPECT_EQ(0, memcmp(img.at(8, 4), c.rgb, 3)) << c.md;
        EXPECT_EQ(img.at(1, 1)[0], 0);
        GrDestroyContext(ctx);
    }

    // packed RGB formats under a 5-6-5 colour table
    GrVideoModeExt ext = *GrDriverInfo->active_mode.extinfo;
    ext.mode = GR_frameRAM16;
    ext.cprec[0] = 5; ext.cprec[1] = 6; ext.cprec[2] = 5;
    ext.cpos[0] = 11; ext.cpos[1] = 5; ext.cpos[2] = 0;
    const GrVideoMode keep = _GrDriverInfo.active_mode;
    _GrDriverInfo.active_mode.bpp = 16;
    _GrDriverInfo.active_mode.extinfo = &ext;
    ASSERT_TRUE(_GrResetColors());
    for (GrFrameMode md : {GR_frameRAM16, GR_frameRAM24, GR_frameRAM32L, GR_frameRAM32H}) {
        GrContext *ctx = GrCreateFrameContext(md, 4, 2, nullptr, nullptr);
        ASSERT_NE(ctx, nullptr);
        GrContext saved;
        GrSaveContext(&saved);
        GrSetContext(ctx);
        GrFilledBox(0, 0, 0, 0, 0xF800);           // red 31
        GrFilledBox(1, 0, 1, 0, 0x07E0);           // green 63
        GrFilledBox(2, 0, 2, 0, GrAllocColor(4, 0, 0));  // red rounds to 8
        GrSetContext(&saved);
        ASSERT_EQ(GrSaveContextToPng(ctx, f.c_str()), 0) << md;
        Image img;
        ASSERT_TRUE(read_png(f, &img));
        const unsigned char red[3] = {248, 0, 0}, green[3] = {0, 252, 0}, dark[3] = {8, 0, 0};
        EXPECT_EQ(0, memcmp(img.at(0, 0), red, 3)) << md;
        EXPECT_EQ(0, memcmp(img.at(1, 0), green, 3)) << md;
        EXPECT_EQ(0, memcmp(img.at(2, 0), dark, 3)) << md;
        EXPECT_EQ(img.at(3, 1)[0] | img.at(3, 1)[1] | img.at(3, 1)[2], 0);
        GrDestroyContext(ctx);
    }
    _GrDriverInfo.active_mode = keep;
    ASSERT_TRUE(_GrResetColors());
}

TEST(Png, SubContextAndCurrentContext)
{
    TempDir tmp;
    set_mode(40, 30, 8);
    GrClearScreen(0);
    GrFilledBox(10, 5, 10, 5, 14);
    GrContext sub;
    ASSERT_NE(GrCreateSubContext(10, 5, 19, 11, nullptr, &sub), nullptr);
    const std::string f = tmp.file("sub.png");
    ASSERT_EQ(GrSaveContextToPng(&sub, f.c_str()), 0);
    Image img;
    ASSERT_TRUE(read_png(f, &img));
    EXPECT_EQ(img.w, 10U);
    EXPECT_EQ(img.h, 7U);
    EXPECT_EQ(img.at(0, 0)[0], 255);  // the sub-context's own top-left pixel
    EXPECT_EQ(img.at(1, 0)[0], 0);

    // the current context is what a null context saves
    GrSetContext(&sub);
    ASSERT_EQ(GrSaveContextToPng(nullptr, f.c_str()), 0);
    ASSERT_TRUE(read_png(f, &img));
    EXPECT_EQ(img.w, 10U);
    GrSetContext(nullptr);
}

TEST(Png, FailuresLeaveTheContextAndTheOldFileAlone)
{
    TempDir tmp;
    set_mode(20, 10, 8);
    GrContext sub;
    ASSERT_NE(GrCreateSubContext(2, 2, 9, 9, nullptr, &sub), nullptr);
    GrSetContext(&sub);
    const GrContext before = GrContextInfo->current;

    const std::string ro = tmp.file("readonly.png");
    FILE *fp = fopen(ro.c_str(), "w");
    ASSERT_NE(fp, nullptr);
    fclose(fp);
    ASSERT_EQ(chmod(ro.c_str(), 0444), 0);
    const std::string longpath = tmp.path + "/" + std::string(5000, 'x') + ".png";
    for (const std::string &bad : {tmp.file("no/such/dir/a.png"), tmp.path, ro, longpath}) {
        EXPECT_EQ(GrSaveContextToPng(nullptr, bad.c_str()), -1) << bad.substr(0, 80);
        EXPECT_EQ(GrSaveContextToPng(&sub, bad.c_str()), -1);
        EXPECT_TRUE(same_context(GrContextInfo->current, before));
    }
    chmod(ro.c_str(), 0644);  // else Windows keeps it
    EXPECT_EQ(GrSaveContextToPng(nullptr, nullptr), -1);
    // the write was done but the directory in the way refused the rename
    EXPECT_NE(access((tmp.path + ".tmp").c_str(), F_OK), 0);

    // a failed save leaves the old file byte for byte, and its mode
    const std::string f = tmp.file("old.png");
    ASSERT_EQ(GrSaveContextToPng(nullptr, f.c_str()), 0);
    ASSERT_EQ(chmod(f.c_str(), 0600), 0);
    const std::string old = slurp(f);
    GrSetClipBox(0, 0, 3, 3);  // short of the context: no short image
    EXPECT_EQ(GrSaveContextToPng(nullptr, f.c_str()), -1);
    GrSetClipBox(0, 1, 7, 7);
    EXPECT_EQ(GrSaveContextToPng(nullptr, f.c_str()), -1);
    GrResetClipBox();
    EXPECT_EQ(slurp(f), old);
    EXPECT_EXIT(
        {
            GrSetDriver("memory");
            GrSetMode(GR_mode_text_80x25);
            GrSaveContextToPng(nullptr, f.c_str());
        },
        ::testing::ExitedWithCode(1), "in text mode");
    EXPECT_EQ(slurp(f), old);
    GrFilledBox(0, 0, 0, 0, 9);
    EXPECT_EQ(GrSaveContextToPng(nullptr, f.c_str()), 0);
    EXPECT_NE(slurp(f), old);
    struct stat st;
    ASSERT_EQ(stat(f.c_str(), &st), 0);
#ifdef _WIN32
    EXPECT_EQ(st.st_mode & 0777, 0666U);  // a read-only flag is all Windows keeps
#else
    EXPECT_EQ(st.st_mode & 0777, 0600U);
#endif
    EXPECT_NE(access((f + ".tmp").c_str(), F_OK), 0);
    GrSetContext(nullptr);
}

class TestCard : public ::testing::TestWithParam<int> {};

// The card drawn now must equal its reviewed reference, pixel for pixel.
// To renew a reference after a reviewed change: bin/testcard 480 432 BPP FILE.
TEST_P(TestCard, MatchesReference)
{
    const int bpp = GetParam();
    TempDir tmp;
    ASSERT_EQ(testcard_draw(480, 432, bpp), 0);
    const std::string f = tmp.file("card.png");
    ASSERT_EQ(GrSaveContextToPng(nullptr, f.c_str()), 0);
    Image now, ref;
    ASSERT_TRUE(read_png(f, &now));
    const std::string refname = "ref/testcard-" + std::to_string(bpp) + ".png";
    ASSERT_TRUE(read_png(refname, &ref)) << refname;
    unsigned fx = 0, fy = 0;
    EXPECT_EQ(now.differences(ref, &fx, &fy), 0) << "first at (" << fx << ", " << fy << ")";
}

INSTANTIATE_TEST_SUITE_P(Depths, TestCard, ::testing::Values(1, 4, 8, 24));
