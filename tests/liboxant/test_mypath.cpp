// Splitting and joining of paths.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "liboxant.h"

namespace {

struct Parts {
    std::string drive, dir, file, ext;
};

bool operator==(const Parts &a, const Parts &b)
{
    return std::tie(a.drive, a.dir, a.file, a.ext) ==
           std::tie(b.drive, b.dir, b.file, b.ext);
}

std::ostream &operator<<(std::ostream &os, const Parts &p)
{
    return os << "{'" << p.drive << "' '" << p.dir << "' '" << p.file
              << "' '" << p.ext << "'}";
}

// Buffers start dirty so that a part that is not written shows up.
struct Outputs {
    char drive[OXA_DRIVE_SIZE], dir[OXA_DIR_SIZE], file[OXA_FILE_SIZE],
        ext[OXA_EXT_SIZE];
    Outputs()
    {
        memset(drive, 'Z', sizeof drive);
        memset(dir, 'Z', sizeof dir);
        memset(file, 'Z', sizeof file);
        memset(ext, 'Z', sizeof ext);
    }
    Parts parts() const { return {drive, dir, file, ext}; }
};

int explode(const char *path, Parts *out)
{
    Outputs o;
    int rc = explode_path(path, o.drive, o.dir, o.file, o.ext);
    *out = o.parts();
    return rc;
}

TEST(ExplodePath, SplitsIntoDriveDirFileExt)
{
    struct Case {
        const char *path;
        Parts want;
    } cases[] = {
        {"data/run1.txt", {"", "data/", "run1", ".txt"}},
        {"run1.txt", {"", "", "run1", ".txt"}},
        {"/abs/file", {"", "/abs/", "file", ""}},
        {"C:\\dir\\f.dat", {"C:", "\\dir\\", "f", ".dat"}},
        {"C:f.dat", {"C:", "", "f", ".dat"}},
        {"dir.d/file", {"", "dir.d/", "file", ""}},
        {"file.", {"", "", "file", "."}},
        {".profile", {"", "", "", ".profile"}},
        // Beyond the common cases.
        {"", {"", "", "", ""}},
        {"a.b.c", {"", "", "a.b", ".c"}},
        {"dir/.profile", {"", "dir/", "", ".profile"}},
        {"/file", {"", "/", "file", ""}},
        {"\\", {"", "\\", "", ""}},
        {"dir/", {"", "dir/", "", ""}},
        {"C:", {"C:", "", "", ""}},
        {":x", {":", "", "x", ""}},
        {"C:/a.b/c.d.e", {"C:", "/a.b/", "c.d", ".e"}},
        {"\\\\srv\\share\\f.txt", {"", "\\\\srv\\share\\", "f", ".txt"}},
        {"mixed\\sep/x.y", {"", "mixed\\sep/", "x", ".y"}},
    };
    for (const Case &c : cases) {
        Parts got;
        EXPECT_EQ(explode(c.path, &got), 0) << c.path;
        EXPECT_EQ(got, c.want) << c.path;
    }
}

TEST(ExplodePath, NullPathAndNullOutputs)
{
    Parts got;
    EXPECT_EQ(explode(nullptr, &got), 0);
    EXPECT_EQ(got, (Parts{"", "", "", ""}));

    EXPECT_EQ(explode_path("C:\\dir\\f.dat", nullptr, nullptr, nullptr,
                           nullptr), 0);

    // A missing output skips its part only; the others are still produced,
    // even ones too big for the missing buffer's default size.
    std::string longdir = std::string(400, 'd') + "/";
    std::string path = "C:" + longdir + "f.dat";
    char drive[8], file[16], ext[8];
    EXPECT_EQ(explode_path_n(path.c_str(), drive, sizeof drive, nullptr, 0,
                             file, sizeof file, ext, sizeof ext), 0);
    EXPECT_STREQ(drive, "C:");
    EXPECT_STREQ(file, "f");
    EXPECT_STREQ(ext, ".dat");
}

TEST(ExplodePath, TooLongPartKeepsEarlierPartsAndEmptiesLaterOnes)
{
    // Parts are produced extension, file, directory, drive.
    struct Case {
        const char *path;
        size_t drive_size, dir_size, file_size, ext_size;
        Parts want;
    } cases[] = {
        {"C:\\d\\f.long", 3, 8, 8, 4, {"", "", "", ".lo"}},
        {"C:\\d\\longname.e", 3, 8, 5, 4, {"", "", "long", ".e"}},
        {"C:\\longdir\\f.e", 3, 5, 5, 4, {"", "\\lon", "f", ".e"}},
        {"AB:\\d\\f.e", 3, 5, 5, 4, {"AB", "\\d\\", "f", ".e"}},
        {"AB:x", 3, 5, 5, 4, {"AB", "", "x", ""}},
        // Exactly full is fine.
        {"A:\\dd\\fff.eee", 3, 5, 4, 5, {"A:", "\\dd\\", "fff", ".eee"}},
    };
    for (const Case &c : cases) {
        Outputs o;
        int rc = explode_path_n(c.path, o.drive, c.drive_size, o.dir,
                                c.dir_size, o.file, c.file_size, o.ext,
                                c.ext_size);
        EXPECT_EQ(o.parts(), c.want) << c.path;
        // Success exactly when the parts add up to the whole path.
        bool fits = strlen(c.path) == c.want.drive.size() + c.want.dir.size() +
                                          c.want.file.size() + c.want.ext.size();
        EXPECT_EQ(rc, fits ? 0 : OXA_ENAMETOOLONG) << c.path;
    }

    // The short form's 3-byte drive holds "C:" but not "AB:".
    Parts got;
    EXPECT_EQ(explode("C:x", &got), 0);
    EXPECT_EQ(got, (Parts{"C:", "", "x", ""}));
    EXPECT_EQ(explode("AB:x", &got), OXA_ENAMETOOLONG);
    EXPECT_EQ(got, (Parts{"AB", "", "x", ""}));
}

TEST(ExplodePath, ZeroCapacityOutputIsNeverWritten)
{
    char drive[4], dir[4], file[4], ext[4];
    memset(drive, 'Z', 4);
    memset(dir, 'Z', 4);
    memset(file, 'Z', 4);
    memset(ext, 'Z', 4);
    // An empty part needs no room: the split goes on past it.
    EXPECT_EQ(explode_path_n("C:\\f", drive, 4, dir, 4, file, 4, ext, 0), 0);
    EXPECT_STREQ(drive, "C:");
    EXPECT_STREQ(dir, "\\");
    EXPECT_STREQ(file, "f");
    EXPECT_EQ(ext[0], 'Z');

    // A non-empty part does not fit.
    memset(drive, 'Z', 4);
    memset(dir, 'Z', 4);
    EXPECT_EQ(explode_path_n("C:\\f", drive, 4, dir, 0, file, 4, ext, 4),
              OXA_ENAMETOOLONG);
    EXPECT_EQ(dir[0], 'Z');
    EXPECT_STREQ(drive, "");
    EXPECT_STREQ(file, "f");
}

TEST(ExplodePath, NeverWritesPastCapacity)
{
    // Each output lives at the front of a larger block of guard bytes.
    const char *paths[] = {"C:\\dir\\file.ext", "AB:\\d\\f.e", "xxxxxxxxx",
                           ".eeeeeeeee", "dddddddd/ffffffff.eeeeeee"};
    for (const char *path : paths) {
        for (size_t cap = 0; cap < 6; ++cap) {
            char blocks[4][16];
            memset(blocks, '#', sizeof blocks);
            explode_path_n(path, blocks[0], cap, blocks[1], cap, blocks[2],
                           cap, blocks[3], cap);
            for (auto &b : blocks) {
                for (size_t i = cap; i < sizeof b; ++i)
                    ASSERT_EQ(b[i], '#') << path << " cap " << cap;
                if (cap > 0) {
                    ASSERT_NE(memchr(b, '\0', cap), nullptr) << path;
                }
            }
        }
    }
}

TEST(ExplodePath, LongPaths)
{
    Parts got;
    // A 300-character name overflows the 256-byte file buffer.
    std::string name(300, 'n');
    std::string path = "dir/" + name + ".txt";
    EXPECT_EQ(explode(path.c_str(), &got), OXA_ENAMETOOLONG);
    EXPECT_EQ(got, (Parts{"", "", std::string(255, 'n'), ".txt"}));

    // 100 KB of directories: too long for the defaults, fine with room.
    std::string dirs;
    while (dirs.size() < 100 * 1024)
        dirs += "sub.d\\";
    path = "Q:" + dirs + "name.ext";
    EXPECT_EQ(explode(path.c_str(), &got), OXA_ENAMETOOLONG);
    EXPECT_EQ(got, (Parts{"", dirs.substr(0, 255), "name", ".ext"}));

    std::vector<char> dir(dirs.size() + 1);
    char drive[3], file[8], ext[8];
    EXPECT_EQ(explode_path_n(path.c_str(), drive, sizeof drive, dir.data(),
                             dir.size(), file, sizeof file, ext, sizeof ext),
              0);
    EXPECT_EQ(std::string(dir.data()), dirs);
    EXPECT_STREQ(drive, "Q:");
}

TEST(CombinePath, JoinsWithMissingSeparators)
{
    struct Case {
        const char *drive, *dir, *file, *ext;
        const char *want;
    } cases[] = {
        {"C", "dir", "f", nullptr, "C:dir/f"},
        {"C:", "dir", "f", nullptr, "C:dir/f"},
        {"C:", "\\dir\\", "f", ".dat", "C:\\dir\\f.dat"},
        {"", "dir/", "f", "png", "dir/f.png"},
        {nullptr, "a\\b", "f", ".x", "a\\b/f.x"},
        {nullptr, nullptr, "f", "", "f"},
        {nullptr, nullptr, nullptr, "txt", ".txt"},
        {"D", nullptr, nullptr, nullptr, "D:"},
        {"", "", "", "", ""},
        {nullptr, nullptr, nullptr, nullptr, ""},
        {"::", "//", "..", "..", ":://...."},
    };
    for (const Case &c : cases) {
        char out[OXA_PATH_SIZE];
        memset(out, 'Z', sizeof out);
        EXPECT_EQ(combine_path(out, c.drive, c.dir, c.file, c.ext), 0);
        EXPECT_STREQ(out, c.want);
    }
    EXPECT_EQ(combine_path(nullptr, "C", "d", "f", "e"), 0);
}

TEST(CombinePath, RoundTripReplacesExtension)
{
    const char *paths[] = {"data/run1.txt", "C:\\data\\run1.txt", "run1",
                           "C:run1.txt"};
    const char *want[] = {"data/run1.png", "C:\\data\\run1.png", "run1.png",
                          "C:run1.png"};
    for (size_t i = 0; i < sizeof paths / sizeof *paths; ++i) {
        for (const char *ext : {".png", "png"}) {
            Outputs o;
            ASSERT_EQ(explode_path(paths[i], o.drive, o.dir, o.file, o.ext),
                      0);
            char out[OXA_PATH_SIZE];
            EXPECT_EQ(combine_path(out, o.drive, o.dir, o.file, ext), 0);
            EXPECT_STREQ(out, want[i]) << ext;
        }
    }
}

TEST(CombinePath, TooLongKeepsWhatFits)
{
    // Total length against the 260-byte default, where the overflowing
    // byte is in a part or is one of the added separators.
    struct Case {
        std::string drive, dir, file, ext;
    } cases[] = {
        {"C:", "d/", std::string(255, 'f'), ""},          // 259
        {"C:", "d/", std::string(251, 'f'), ".ext"},      // 259
        {"C:", "d/", std::string(256, 'f'), ""},          // 260
        {"C:", "d/", std::string(255, 'f'), "e"},         // '.' overflows
        {std::string(259, 'C'), "d", "", ""},             // ':' overflows
        {"", std::string(259, 'd'), "f", ""},             // '/' overflows
        {"", std::string(300, 'd'), "f", "e"},
    };
    for (const Case &c : cases) {
        std::string full = c.drive;
        if (!c.drive.empty() && c.drive.back() != ':')
            full += ':';
        full += c.dir;
        if (!c.dir.empty() && c.dir.back() != '/')
            full += '/';
        full += c.file;
        if (!c.ext.empty())
            full += (c.ext[0] == '.' ? "" : ".") + c.ext;

        char out[OXA_PATH_SIZE + 8];
        memset(out, '#', sizeof out);
        int rc = combine_path(out, c.drive.c_str(), c.dir.c_str(),
                              c.file.c_str(), c.ext.c_str());
        if (full.size() <= 259) {
            EXPECT_EQ(rc, 0);
            EXPECT_EQ(std::string(out), full);
        } else {
            EXPECT_EQ(rc, OXA_ENAMETOOLONG) << full.size();
            EXPECT_EQ(std::string(out), full.substr(0, 259));
        }
        for (size_t i = OXA_PATH_SIZE; i < sizeof out; ++i)
            ASSERT_EQ(out[i], '#');
    }

    // 100 KB of input is cut at the buffer, not read past it into memory.
    std::string big(100 * 1024, 'b');
    char out[OXA_PATH_SIZE];
    EXPECT_EQ(combine_path(out, big.c_str(), big.c_str(), big.c_str(),
                           big.c_str()), OXA_ENAMETOOLONG);
    EXPECT_EQ(std::string(out), big.substr(0, 259));
}

TEST(CombinePath, TinyCapacities)
{
    char out[4];
    memset(out, '#', sizeof out);
    EXPECT_EQ(combine_path_n(out, 0, "", "", "", ""), OXA_ENAMETOOLONG);
    EXPECT_EQ(out[0], '#');

    EXPECT_EQ(combine_path_n(out, 1, nullptr, "", nullptr, ""), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(out[1], '#');

    EXPECT_EQ(combine_path_n(out, 1, nullptr, nullptr, "f", nullptr),
              OXA_ENAMETOOLONG);
    EXPECT_STREQ(out, "");

    memset(out, '#', sizeof out);
    EXPECT_EQ(combine_path_n(out, 3, "C", "d", nullptr, nullptr),
              OXA_ENAMETOOLONG);
    EXPECT_STREQ(out, "C:");
    EXPECT_EQ(out[3], '#');

    EXPECT_EQ(combine_path_n(nullptr, 0, "C", "d", "f", "e"), 0);
}

} // namespace
