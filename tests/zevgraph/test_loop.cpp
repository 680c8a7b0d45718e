// The whole program headless: the file loop and its keys through standard
// input, saved pages against reviewed reference images, and bad input.
#include "scratch.h"

#include <sys/stat.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <fstream>
#include <sstream>

#include "pngimage.h"

namespace {

struct Outcome {
    int status;
    std::string err;
};

std::string slurp(const std::string &p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class Loop : public Scratch {
protected:
    // Runs zevgraph on the memory driver in the scratch directory, with
    // keys on its standard input.
    Outcome run(const std::string &args, const std::string &keys)
    {
        write("keys", keys);
#ifdef _WIN32
        // PXLDRV=memory is in the environment already (Scratch); cmd.exe
        // takes off the outermost quotes
        const std::string cmd = "\"cd /d \"" + dir_ + "\" && \"" ZEVGRAPH_EXE "\" " + args +
                                " <keys 2>err\"";
        const int status = std::system(cmd.c_str());
#else
        const std::string cmd = "cd '" + dir_ + "' && PXLDRV=memory '" ZEVGRAPH_EXE "' " +
                                args + " <keys 2>err";
        const int raw = std::system(cmd.c_str());
        const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
        return {status, from_text_mode(slurp(path("err")))};
    }
    bool exists(const std::string &name) const
    {
        FILE *f = fopen(path(name).c_str(), "rb");
        if (f)
            fclose(f);
        return f != nullptr;
    }
    std::string example(const std::string &name)
    {
        write(name, slurp(std::string(ZEV_EXAMPLES "/") + name));
        return name;
    }
};

// Rows of the absolute path under the title: they differ by checkout.
const int kPathTop = 16, kPathBottom = 23;

TEST_F(Loop, PagesEqualTheirReferences)
{
    struct Case {
        const char *file;
        int g;
    } cases[] = {{"small.zev", 1}, {"small.zev", 2}, {"small.zev", 3},
                 {"small.zev", 4}, {"small.zev", 5}, {"small.zev", 6},
                 {"medium.zev", 3}, {"large.zev", 3}, {"large.zev", 6},
                 {"bad-header.zev", 2}};
    for (const Case &c : cases) {
        const std::string f = example(c.file);
        const std::string png = f.substr(0, f.size() - 4) + ".png";
        remove(path(png).c_str());
        ASSERT_EQ(run("-g" + std::to_string(c.g) + " " + f, "s").status, 0) << f;
        PngImage got, want;
        ASSERT_TRUE(got.read(path(png))) << f;
        const std::string ref = std::string(ZEV_REFS "/") + png.substr(0, png.size() - 4) +
                                "-g" + std::to_string(c.g) + ".png";
        ASSERT_TRUE(want.read(ref)) << ref;
        EXPECT_EQ(got.differences(want, nullptr, nullptr, kPathTop, kPathBottom), 0) << ref;
    }
}

TEST_F(Loop, KeysStepBackQuitSaveAndMoveOn)
{
    for (const char *f : {"a.zev", "b.zev", "c.zev"})
        write(f, slurp(ZEV_EXAMPLES "/small.zev"));
    // a, next b, back a, back a (never before the first), save a, Esc
    Outcome o = run("a.zev b.zev c.zev", " \b\x7fs\x1b");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "");
    EXPECT_TRUE(exists("a.png"));
    EXPECT_FALSE(exists("b.png"));
    // S saves too, twice over the same image; after the last page the run
    // ends by itself
    remove(path("a.png").c_str());
    o = run("a.zev -g2 c.zev", "xSSq");
    EXPECT_EQ(o.status, 0);
    EXPECT_FALSE(exists("a.png"));
    EXPECT_TRUE(exists("c.png"));
    // -g0 draws nothing and still walks the files by their keys
    o = run("-g0 a.zev b.zev", " s");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "\nMessage: b.zev: page not saved: there is no graphics page (-g0)\n");
    EXPECT_FALSE(exists("b.png"));
    // options but no file: in and out of graphics at once
    EXPECT_EQ(run("-g4", "").status, 0);
}

TEST_F(Loop, SavingNeverOverwritesTheData)
{
    const std::string data = slurp(ZEV_EXAMPLES "/small.zev");
    write("page.png", data);
    Outcome o = run("page.png", "s");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "\nMessage: page.png: page not saved: it would overwrite the data file\n");
    EXPECT_EQ(slurp(path("page.png")), data);
    // a name whose parts do not fit is not saved either
    const std::string sub(200, 'd'), longname = sub + "/" + std::string(100, 'n') + ".zev";
    ASSERT_EQ(mkdir(path(sub).c_str(), 0700), 0);
    write(longname, data);
    o = run(longname, "s");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "\nMessage: " + longname + ": page not saved: the name is too long\n");
}

TEST_F(Loop, BadInputEndsCleanly)
{
    const std::string spacing = "Error: bad trial inter-tick spacing -0\n";
    // missing, empty, header-only, binary: no variables, an empty range
    EXPECT_EQ(run("missing.zev", "").err, spacing);
    write("empty.zev", "");
    EXPECT_EQ(run("empty.zev", "").status, 1);
    write("header-only.zev", slurp(ZEV_EXAMPLES "/broken/header-only.zev"));
    EXPECT_EQ(run("header-only.zev", "").err, spacing);
    write("binary.zev", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    EXPECT_EQ(run("binary.zev", "").err, "\nMessage: May not be a .ZEV file\n" + spacing);
    // one 10 MB line; 100000 rows (only 5120 read); NaN; huge values
    write("long.zev", std::string(10 << 20, '7'));
    EXPECT_EQ(run("long.zev", "").status, 1);
    std::string rows = "Variable\n";
    for (int i = 1; i <= 100000; i++)
        rows += std::to_string(i) + " 1e300 0 1e300\n";
    write("rows.zev", rows);
    EXPECT_EQ(run("rows.zev", "s").status, 0);
    EXPECT_TRUE(exists("rows.png"));
    write("nan.zev", "Variable\n1 2 2 1\n2 nan 0 0\n");
    EXPECT_EQ(run("nan.zev", "").status, 1);
    write("huge.zev", "Variable\n1 1 1 1\n2 1.7e308 0 1.7e308\n3 -1e308 0 -1e308\n");
    EXPECT_EQ(run("huge.zev", "").err, spacing);
}

}  // namespace
