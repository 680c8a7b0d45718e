// The command line: options, the usage text and the range error.
#include "scratch.h"

#include <gmock/gmock.h>

#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "liboxant.h"

int zevgraph_main(int argc, char *argv[]);

namespace {

using ::testing::ExitedWithCode;

// Runs the program's main in-process. getopt keeps its position between
// calls; optind = 0 makes glibc start over completely.
int run(std::vector<std::string> store)
{
    std::vector<char *> argv;
    for (auto &a : store)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    optind = 0;
    return zevgraph_main(static_cast<int>(store.size()), argv.data());
}

std::string usage_text(const std::string &argv0)
{
    return std::string(Version) + "\n" + "\nUsage: " + argv0 + " file.eig\n" +
           "\n" + Copyright + "\n" + Bugs + "\n";
}

const char kRangeError[] = "\nError: graphic out of range\\. \\( 0 - 6 \\) -g";

using Cli = Scratch;
using CliDeathTest = Scratch;

TEST_F(CliDeathTest, UsageEndsWithStatusZero)
{
    EXPECT_EXIT(run({"zevgraph"}), ExitedWithCode(0),
                ::testing::Eq(usage_text("zevgraph")));
    EXPECT_EXIT(run({"zevgraph", "-?", "f"}), ExitedWithCode(0),
                ::testing::Eq(usage_text("zevgraph")));
    // getopt has its say about the unknown letter first.
    EXPECT_EXIT(run({"zevgraph", "-x", "f"}), ExitedWithCode(0),
                ::testing::AllOf(::testing::EndsWith(usage_text("zevgraph")),
                                 ::testing::Ne(usage_text("zevgraph"))));
}

TEST_F(CliDeathTest, SizeOutOfRange)
{
    EXPECT_EXIT(run({"zevgraph", "-g7", "f"}), ExitedWithCode(1),
                std::string(kRangeError) + "7$");
    EXPECT_EXIT(run({"zevgraph", "-gx", "f"}), ExitedWithCode(1),
                std::string(kRangeError) + "x$");
    EXPECT_EXIT(run({"zevgraph", "-G-1", "f"}), ExitedWithCode(1),
                std::string(kRangeError) + "-1$");
    // The error comes before any file is looked at.
    auto f = write("a.zev", "no header\n");
    EXPECT_EXIT(run({"zevgraph", f, "-g9"}), ExitedWithCode(1),
                std::string("^") + kRangeError + "9$");
}

TEST_F(Cli, SizeSelector)
{
    struct Case {
        std::vector<std::string> args;
        short want;
    };
    const Case cases[] = {
        {{"zevgraph", "-g0"}, 0}, {{"zevgraph", "-g6"}, 6},
        {{"zevgraph", "-g45"}, 4}, {{"zevgraph", "-G5"}, 5},
        {{"zevgraph", "-g"}, 3},   {{"zevgraph", "-g1", "-g"}, 3},
        {{"zevgraph", "-g2", "-c", "-C"}, 2},
    };
    for (const Case &c : cases) {
        graphic = -1;
        EXPECT_EQ(run(c.args), 0);
        EXPECT_EQ(graphic, c.want) << c.args[1];
    }
}

TEST_F(Cli, EveryFileIsReadInOrder)
{
    // Each file ends in a value the reader reports, naming the file.
    auto f1 = write("f1.zev", "Variables\n1 1 1 1\n2 2 2 2\nnan 0 0 0\n");
    auto f2 = write("f2.zev", "Variables\n1 1 1 1\n2 2 2 2\ninf 0 0 0\n");
    feed_keys(" ");  // the next page, then the end of input ends the run
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(run({"zevgraph", f1, "-g2", f2}), 0);
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(graphic, 2);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(err, "\nMessage: " + f1 + ": line 4: value is not finite; data "
                                        "ends here\n"
                                        "\nMessage: " +
                       f2 + ": line 4: value is not finite; data ends here\n");
}

TEST_F(Cli, SeparateWordAfterGIsAFileName)
{
    auto f = write("a.zev", "Variables\n1 1 1 1\n2 2 2 2\n");
    feed_keys("");
    EXPECT_EQ(run({"zevgraph", "-g", f}), 0);
    EXPECT_EQ(graphic, 3);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(run({"zevgraph", "-c", "-C", f}), 0);
    EXPECT_EQ(n, 2);
}

// The real program, for its exact console bytes and exit status.
struct Outcome {
    int status;
    std::string out, err;
};

std::string slurp(const std::string &p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Outcome run_program(const std::string &args, const std::string &dir)
{
    std::string cmd = std::string("'") + ZEVGRAPH_EXE + "' " + args + " >'" +
                      dir + "/out' 2>'" + dir + "/err' </dev/null";
    int raw = std::system(cmd.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(dir + "/out"),
            slurp(dir + "/err")};
}

using Program = Scratch;

TEST_F(Program, NoArgumentsPrintsUsage)
{
    Outcome o = run_program("", dir_);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, usage_text(ZEVGRAPH_EXE));
}

TEST_F(Program, RangeErrorHasNoFinalNewline)
{
    Outcome o = run_program("-g7 f", dir_);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "\nError: graphic out of range. ( 0 - 6 ) -g7");
}

}  // namespace
