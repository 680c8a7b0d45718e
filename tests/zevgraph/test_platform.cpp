// What the program needs of the C runtime and the file system, on every
// platform it is built for: data files named the DOS way, the save name made
// from them, and the number format of the axis labels.
#include "scratch.h"

#include <algorithm>
#include <cctype>

#include "liboxant.h"
#include "pxl.h"

namespace {

using Platform = Scratch;

// The scratch directory as a user of the platform would type it: on Windows
// with an upper-case drive letter and backslashes.
std::string native(std::string p)
{
#ifdef _WIN32
    std::replace(p.begin(), p.end(), '/', '\\');
    p[0] = (char)toupper((unsigned char)p[0]);
#endif
    return p;
}

TEST_F(Platform, DataFileAndItsPageImageByNativeName)
{
    write("run.v1.zev", "Variables\n1 2 3 4\n2 3 4 5\n");
    const std::string data = native(path("run.v1.zev"));
    EXPECT_EQ(scan(data), "");
    EXPECT_EQ(n, 2);

    char drive[OXA_DRIVE_SIZE], dir[OXA_DIR_SIZE], file[OXA_FILE_SIZE], ext[OXA_EXT_SIZE];
    char png[OXA_PATH_SIZE];
    ASSERT_EQ(explode_path(data.c_str(), drive, dir, file, ext), OXA_OK);
    EXPECT_STREQ(file, "run.v1");
    EXPECT_STREQ(ext, ".zev");
    ASSERT_EQ(combine_path(png, drive, dir, file, ".png"), OXA_OK);
    EXPECT_EQ(png, native(path("run.v1.png")));

    ASSERT_EQ(GrSetDriver("memory"), 1);
    ASSERT_EQ(GrSetMode(GR_mode_graphics_size_bpp, 16, 8, 8), 1);
    EXPECT_EQ(GrSaveContextToPng(nullptr, png), 0);
    // a name past what the platform allows fails cleanly
    const std::string deep = native(path(std::string(300, 'd') + "/" + std::string(40000, 'p')));
    EXPECT_EQ(GrSaveContextToPng(nullptr, deep.c_str()), -1);
    GrSetMode(GR_mode_text_default);
    FILE *f = fopen(path("run.v1.png").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char sig[4] = {};
    EXPECT_EQ(fread(sig, 1, 4, f), 4u);
    fclose(f);
    EXPECT_EQ(sig[1], 'P');
    EXPECT_EQ(scan(data), "");  // the data file is untouched
    EXPECT_EQ(n, 2);
}

TEST(PlatformNumbers, ExponentsHaveTwoDigitsAsOnLinux)
{
    char s[32];
    snprintf(s, sizeof s, "%g %g %g", 1e5 * 10, 2.5e-7, -1e100);
    EXPECT_STREQ(s, "1e+06 2.5e-07 -1e+100");
}

}  // namespace
