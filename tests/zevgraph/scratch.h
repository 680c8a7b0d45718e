// A private scratch directory per test, for data files written on the fly.
#ifndef ZEVGRAPH_TEST_SCRATCH_H
#define ZEVGRAPH_TEST_SCRATCH_H

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "portable.h"

#include "zevgraph.h"

class Scratch : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string tmpl = ::testing::TempDir() + "zevgraph-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
        graphic = 3;
        n = -1;   // so that a test sees whether scanfile touched it
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
        EXPECT_FALSE(ec) << dir_;
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

#endif
