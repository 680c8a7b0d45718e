// A private scratch directory per test, for data files written on the fly.
#ifndef ZEVGRAPH_TEST_SCRATCH_H
#define ZEVGRAPH_TEST_SCRATCH_H

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "zevgraph.h"

class Scratch : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string tmpl = ::testing::TempDir() + "zevgraph-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
        graphic = 3;
        n = -1;
        // main draws its pages on the memory driver
        setenv("PXLDRV", "memory", 1);   // so that a test sees whether scanfile touched it
    }
    void TearDown() override
    {
        std::string cmd = "rm -rf '" + dir_ + "'";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
    }

    std::string path(const std::string &name) const { return dir_ + "/" + name; }

    std::string write(const std::string &name, const std::string &bytes) const
    {
        std::string p = path(name);
        FILE *f = fopen(p.c_str(), "wb");
        EXPECT_NE(f, nullptr);
        if (f) {
            fwrite(bytes.data(), 1, bytes.size(), f);
            fclose(f);
        }
        return p;
    }

    // Reads the file and returns what scanfile wrote to stderr.
    static std::string scan(const std::string &p)
    {
        ::testing::internal::CaptureStderr();
        scanfile(p.c_str());
        return ::testing::internal::GetCapturedStderr();
    }

    std::string dir_;
};

// Keys for GrKeyRead: without a window they come from standard input,
// and its end reads as Esc.
inline void feed_keys(const char *keys)
{
    int fd[2];
    ASSERT_EQ(pipe(fd), 0);
    const ssize_t len = static_cast<ssize_t>(strlen(keys));
    ASSERT_EQ(write(fd[1], keys, static_cast<size_t>(len)), len);
    close(fd[1]);
    dup2(fd[0], STDIN_FILENO);
    close(fd[0]);
}

#endif
