// Bounded string copy and append, and the library's identification strings.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>

#include "liboxant.h"

static_assert(OXA_ENOMEM == 12 && OXA_ENAMETOOLONG == 38,
              "results are fixed numbers, not the host's errno values");

namespace {

TEST(Strlcpy, CopiesTruncatesAndReturnsSourceLength)
{
    struct Case {
        const char *src;
        size_t size;
        const char *want;
    } cases[] = {
        {"hello", 10, "hello"}, {"hello", 6, "hello"}, {"hello", 5, "hell"},
        {"hello", 1, ""},       {"", 4, ""},
    };
    for (const Case &c : cases) {
        char buf[16];
        memset(buf, '#', sizeof buf);
        EXPECT_EQ(strlcpy(buf, c.src, c.size), strlen(c.src));
        EXPECT_STREQ(buf, c.want);
        for (size_t i = c.size; i < sizeof buf; ++i)
            ASSERT_EQ(buf[i], '#') << c.src << " size " << c.size;
    }

    char buf[2] = {'#', '#'};
    EXPECT_EQ(strlcpy(buf, "abc", 0), 3u);
    EXPECT_EQ(buf[0], '#');
}

TEST(Strlcat, AppendsTruncatesAndReturnsIntendedLength)
{
    struct Case {
        const char *dst, *src;
        size_t size;
        const char *want;
        size_t ret;
    } cases[] = {
        {"ab", "cd", 10, "abcd", 4},
        {"ab", "cd", 5, "abcd", 4},
        {"ab", "cd", 4, "abc", 4},
        {"ab", "cd", 3, "ab", 4},  // already full: nothing appended
        {"", "xyz", 2, "x", 3},
        {"ab", "", 3, "ab", 2},
    };
    for (const Case &c : cases) {
        char buf[16];
        memset(buf, '#', sizeof buf);
        memcpy(buf, c.dst, strlen(c.dst) + 1);
        EXPECT_EQ(strlcat(buf, c.src, c.size), c.ret) << c.dst << c.src;
        EXPECT_STREQ(buf, c.want);
        for (size_t i = c.size; i < sizeof buf; ++i)
            ASSERT_EQ(buf[i], '#') << c.dst << c.src << " size " << c.size;
    }
}

TEST(Strlcat, ReadsNoMoreThanSizeBytesOfDestination)
{
    // Exactly size bytes, with no terminator among them: an exact-size
    // heap block lets the sanitizers catch any read beyond it.
    char *dst = new char[4];
    memcpy(dst, "abcd", 4);
    EXPECT_EQ(strlcat(dst, "xyz", 4), 4u + 3u);
    EXPECT_EQ(memcmp(dst, "abcd", 4), 0);
    delete[] dst;

    char one = '#';
    EXPECT_EQ(strlcat(&one, "xyz", 0), 3u);
    EXPECT_EQ(one, '#');
}

TEST(LibraryStrings, Contents)
{
    EXPECT_STREQ(shortVersion, "liboxant Ver: 0.52");
    EXPECT_STREQ(oxaver, "$oxaver 0.52");

    // Build stamp as the compiler writes it: "Mmm dd yyyy hh:mm:ss".
    std::regex banner("liboxant Version 0\\.52 [A-Z][a-z]{2} [ 123][0-9] "
                      "[0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2} Build: 0 by [^\n]+");
    EXPECT_TRUE(std::regex_match(Version, banner)) << Version;

    std::string notice = Copyright;
    size_t nl = notice.find('\n');
    ASSERT_NE(nl, std::string::npos);
    EXPECT_EQ(notice.find('\n', nl + 1), std::string::npos);
    EXPECT_GT(nl, 0u);
    EXPECT_LT(nl + 1, notice.size());

    EXPECT_GT(strlen(Bugs), 0u);
    EXPECT_EQ(strchr(Bugs, '\n'), nullptr);
}

} // namespace
