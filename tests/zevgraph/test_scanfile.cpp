// Reading ZEV data files into mv and n.
#include "scratch.h"

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

const char kHeader[] = "Variables  Average  Median  StdDev\n";
const char kNotZev[] = "\nMessage: May not be a .ZEV file\n";

std::string rows(int count)
{
    std::string s;
    char line[80];
    for (int i = 1; i <= count; ++i) {
        snprintf(line, sizeof line, "%d %d.5 %d %d.25\n", i, i * 10, i, i);
        s += line;
    }
    return s;
}

using ScanFile = Scratch;

TEST_F(ScanFile, HeaderAndThreeRows)
{
    auto f = write("a.zev", std::string(kHeader) + rows(3));
    EXPECT_EQ(scan(f), "");
    ASSERT_EQ(n, 3);
    EXPECT_EQ(mv[0][2], 3.0);
    EXPECT_EQ(mv[1][2], 30.5);
}

TEST_F(ScanFile, NumbersReadAsScanfReadsThem)
{
    // plain decimals take a short cut; everything else must come out the
    // same as the format "%lf%lf%lf%lf" would have it
    const char *lines[] = {
        "1 2 3 4", "  -1.5\t+2.25e3 .5 7.", "1 2 3 4x", "1 2 3 4e", "1 2 3 4e+",
        "1 2 3e5x 4", "0x1p3 2 3 4", "1 inf 3 4", "1 2 NaN 4", "1. .2 3.e1 -.4E-1",
        "1 2 3", "1 2 3 -", "+ 1 2 3 4", "1e400 2 3 4", "1 2 3 4 trailing text",
        "12345678901234567890123 0.1 0.2 0.30000000000000004"};
    for (const char *line : lines) {
        double want[4] = {-7, -7, -7, -7};
        int end = -1;
        const bool ok = sscanf(line, "%lf%lf%lf%lf%n", &want[0], &want[1], &want[3],
                               &want[2], &end) >= 4 && std::isfinite(want[0]) &&
                        std::isfinite(want[1]) && std::isfinite(want[2]) &&
                        std::isfinite(want[3]);
        scan(write("a.zev", std::string(kHeader) + line + "\n"));
        ASSERT_EQ(n, ok ? 1 : 0) << line;
        for (int k = 0; ok && k < 4; k++)
            EXPECT_EQ(mv[k][0], want[k]) << line << " field " << k;
    }
    // random decimals of every length and exponent, against strtod
    std::mt19937 rng(7);
    std::string text = kHeader;
    std::vector<std::string> words;
    for (int i = 0; i < 4 * 1000; i++) {
        std::string w = rng() % 2 ? "-" : "";
        for (unsigned d = rng() % 22; d-- > 0;)
            w += static_cast<char>('0' + rng() % 10);
        w += ".";
        for (unsigned d = rng() % 22; d-- > 0;)
            w += static_cast<char>('0' + rng() % 10);
        if (w.back() == '.' && (w.size() == 1 || w[w.size() - 2] == '-'))
            w += "0";
        if (rng() % 3 == 0)
            w += "e" + std::to_string(static_cast<int>(rng() % 80) - 40);
        words.push_back(w);
        text += w + (i % 4 == 3 ? "\n" : " ");
    }
    scan(write("r.zev", text));
    ASSERT_EQ(n, 1000);
    const int field[4] = {0, 1, 3, 2};
    for (int i = 0; i < 4 * 1000; i++)
        ASSERT_EQ(mv[field[i % 4]][i / 4], strtod(words[i].c_str(), nullptr)) << words[i];
}

TEST_F(ScanFile, ThirdAndFourthFieldsCross)
{
    auto f = write("a.zev", std::string(kHeader) + "1 2.5 9 0.5\n");
    scan(f);
    ASSERT_EQ(n, 1);
    EXPECT_EQ(mv[0][0], 1.0);
    EXPECT_EQ(mv[1][0], 2.5);
    EXPECT_EQ(mv[3][0], 9.0);
    EXPECT_EQ(mv[2][0], 0.5);
}

TEST_F(ScanFile, FirstLineWithoutWordWarnsAndIsNeverData)
{
    auto f = write("a.zev", rows(4));
    EXPECT_EQ(scan(f), kNotZev);
    ASSERT_EQ(n, 3);
    EXPECT_EQ(mv[0][0], 2.0);

    // The word is case-sensitive and must be whole up to its sixth letter.
    f = write("b.zev", "VARIABLES\n" + rows(1));
    EXPECT_EQ(scan(f), kNotZev);
    f = write("c.zev", "Var Avg Med SD\n" + rows(1));
    EXPECT_EQ(scan(f), kNotZev);
    f = write("d.zev", "# run 7 -- Variab.\n" + rows(1));
    EXPECT_EQ(scan(f), "");
}

TEST_F(ScanFile, FirstLineThatIsNotFourNumbersEndsTheData)
{
    for (const char *stop : {"1 2 3\n", "\n", "   \n", "# comment\n",
                             "end of data\n", "1 2 x 4\n"}) {
        SCOPED_TRACE(stop);
        auto f = write("a.zev", kHeader + rows(2) + stop + rows(3));
        EXPECT_EQ(scan(f), "");
        EXPECT_EQ(n, 2);
    }
}

TEST_F(ScanFile, TextAfterTheFourthNumberIsIgnored)
{
    auto f = write("a.zev", std::string(kHeader) +
                                "  7\t1e3  -2  .5  volts, see run 12\n"
                                "8 0x10 3 4 5 6\n");
    EXPECT_EQ(scan(f), "");
    ASSERT_EQ(n, 2);
    EXPECT_EQ(mv[1][0], 1000.0);
    EXPECT_EQ(mv[2][0], 0.5);
    EXPECT_EQ(mv[1][1], 16.0);
    EXPECT_EQ(mv[2][1], 4.0);
}

TEST_F(ScanFile, WindowsLineEndingsAndMissingFinalNewline)
{
    auto f = write("a.zev", "Variables\r\n1 2 3 4\r\n5 6 7 8");
    EXPECT_EQ(scan(f), "");
    ASSERT_EQ(n, 2);
    EXPECT_EQ(mv[2][1], 8.0);
}

TEST_F(ScanFile, KeepsAtMost5120Rows)
{
    auto f = write("a.zev", kHeader + rows(5120));
    scan(f);
    EXPECT_EQ(n, 5120);
    EXPECT_EQ(mv[0][5119], 5120.0);

    f = write("b.zev", kHeader + rows(5121));
    scan(f);
    EXPECT_EQ(n, 5120);
    EXPECT_EQ(mv[0][5119], 5120.0);
}

TEST_F(ScanFile, NoRows)
{
    EXPECT_EQ(scan(write("header.zev", kHeader)), "");
    EXPECT_EQ(n, 0);
    // An empty file has no header to judge, so it gets no warning.
    n = -1;
    EXPECT_EQ(scan(write("empty.zev", "")), "");
    EXPECT_EQ(n, 0);
}

TEST_F(ScanFile, EachReadStartsAfresh)
{
    scan(write("a.zev", kHeader + rows(5)));
    ASSERT_EQ(n, 5);
    scan(write("b.zev", kHeader + rows(2)));
    EXPECT_EQ(n, 2);
    EXPECT_EQ(scan(path("missing.zev")), "");
    EXPECT_EQ(n, 0);
}

TEST_F(ScanFile, NonFiniteValueEndsTheDataWithAMessage)
{
    const char *bad[] = {"9 nan 1 1", "9 1 1 inf", "9 1 -INFINITY 1",
                         "9 1 1 1e999", "1e400 1 1 1", "9 -1e999 1 1"};
    for (const char *line : bad) {
        SCOPED_TRACE(line);
        auto f = write("a.zev", kHeader + rows(2) + line + "\n" + rows(2));
        EXPECT_EQ(scan(f), "\nMessage: " + f +
                               ": line 4: value is not finite; data ends here\n");
        EXPECT_EQ(n, 2);
    }
    // Underflow is no harm: the value is just tiny.
    scan(write("b.zev", std::string(kHeader) + "1 1e-999 1 1\n"));
    EXPECT_EQ(n, 1);
}

// Lines are taken 254 characters at a time.
TEST_F(ScanFile, OverlongHeaderIsOneLine)
{
    std::string pad(600, '-');
    auto f = write("a.zev", "Variables " + pad + "\n" + rows(2));
    EXPECT_EQ(scan(f), "");
    EXPECT_EQ(n, 2);

    // The word far beyond the first buffer-full still counts...
    f = write("b.zev", pad + " Variables\n" + rows(2));
    EXPECT_EQ(scan(f), "");
    EXPECT_EQ(n, 2);

    // ...also when it straddles two buffer-fulls.
    for (size_t at = 248; at <= 254; ++at) {
        SCOPED_TRACE(at);
        f = write("c.zev", std::string(at, '-') + "Variables\n" + rows(1));
        EXPECT_EQ(scan(f), "");
        EXPECT_EQ(n, 1);
    }
}

TEST_F(ScanFile, OverlongDataLineCountsOnceByItsStart)
{
    std::string words(1000, 'w');
    auto f = write("a.zev", kHeader + rows(1) + "2 20 2 2 " + words + "\n" +
                                "3 30 3 3\n");
    EXPECT_EQ(scan(f), "");
    ASSERT_EQ(n, 3);
    EXPECT_EQ(mv[1][1], 20.0);
    EXPECT_EQ(mv[1][2], 30.0);

    // Numbers that only begin beyond the first buffer-full are not seen.
    f = write("b.zev", kHeader + rows(1) + std::string(300, ' ') + "2 2 2 2\n" +
                           rows(1));
    EXPECT_EQ(scan(f), "");
    EXPECT_EQ(n, 1);
}

TEST_F(ScanFile, LinesAtTheBufferBoundary)
{
    // 254 characters before the newline fill the buffer exactly.
    std::string fits = "1 2 3 4";
    fits += std::string(254 - fits.size(), ' ');
    auto f = write("a.zev", kHeader + fits + "\n" + rows(2));
    EXPECT_EQ(scan(f), "");
    EXPECT_EQ(n, 3);

    // A fourth number ending right at the buffer's end is whole if a blank
    // follows it...
    std::string lead(254 - 10, ' ');
    f = write("b.zev", kHeader + lead + "1 2 3 4444 tail\n" + rows(1));
    EXPECT_EQ(scan(f), "");
    ASSERT_EQ(n, 2);
    EXPECT_EQ(mv[2][0], 4444.0);

    // ...and cut if a digit does: the line ends the data.
    f = write("c.zev", kHeader + rows(1) + lead + "1 2 3 44445\n" + rows(1));
    EXPECT_EQ(scan(f),
              "\nMessage: " + f + ": line 3: too long; data ends here\n");
    EXPECT_EQ(n, 1);
}

TEST_F(ScanFile, NulBytesDoNotSplitOrJoinLines)
{
    std::string s = std::string(kHeader) + "1 2 3 4";
    s += '\0';
    s += "junk\n5 6 7 8\n";
    scan(write("a.zev", s));
    ASSERT_EQ(n, 2);
    EXPECT_EQ(mv[0][1], 5.0);
}

TEST_F(ScanFile, HostileInputsEndQuietly)
{
    std::mt19937 rng(7);
    std::string noise(1 << 16, '\0');
    for (char &c : noise)
        c = static_cast<char>(rng());
    scan(write("noise.bin", noise));
    EXPECT_EQ(n, 0);

    // One line of 10 MB, as header or as data: read through, nothing kept.
    std::string huge(10 << 20, '7');
    EXPECT_EQ(scan(write("huge1", huge + "Variables\n")), "");
    EXPECT_EQ(n, 0);
    scan(write("huge2", kHeader + huge));
    EXPECT_EQ(n, 0);

    EXPECT_EQ(scan(dir_), "");
    EXPECT_EQ(n, 0);
    n = -1;
    EXPECT_EQ(scan(path(std::string(300, 'z'))), "");
    EXPECT_EQ(n, 0);
}

TEST_F(ScanFile, ShippedExamples)
{
    const std::string ex = ZEV_EXAMPLES;
    EXPECT_EQ(scan(ex + "/small.zev"), "");
    EXPECT_EQ(n, 10);
    EXPECT_EQ(scan(ex + "/medium.zev"), "");
    EXPECT_EQ(n, 200);
    EXPECT_EQ(scan(ex + "/large.zev"), "");
    EXPECT_EQ(n, 5120);
    EXPECT_EQ(scan(ex + "/broken/header-only.zev"), "");
    EXPECT_EQ(n, 0);
    EXPECT_EQ(scan(ex + "/bad-header.zev"), kNotZev);
    EXPECT_EQ(n, 20);
}

}  // namespace
