// Keys without a window come from standard input: on Windows here from a
// pipe or the NUL device (a console needs somebody at it). The end of the
// input is for good, so every case runs in a process of its own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "libpxl.h"
#include "w32inp.h"

namespace {

using ::testing::Eq;
using ::testing::ExitedWithCode;

// With h as standard input runs steps: 'r' reads a key, 'p' asks whether
// one waits. Writes the answers to stderr and ends with status 0.
[[noreturn]] void keys(HANDLE h, const char *steps)
{
    SetStdHandle(STD_INPUT_HANDLE, h);
    _GrInputHost = nullptr;  // no window
    std::string got;
    for (const char *s = steps; *s != '\0'; s++)
        got += (s == steps ? "" : " ") +
               std::to_string(*s == 'r' ? GrKeyRead() : GrKeyPressed());
    fputs(got.c_str(), stderr);
    exit(0);
}

HANDLE pipe_holding(const char *bytes, DWORD n, bool ended)
{
    HANDLE r = nullptr, w = nullptr;
    DWORD done = 0;
    if (!CreatePipe(&r, &w, nullptr, 0) || !WriteFile(w, bytes, n, &done, nullptr))
        abort();
    if (ended)
        CloseHandle(w);
    return r;
}

using StdinKeysDeathTest = ::testing::Test;

TEST_F(StdinKeysDeathTest, BytesThenEndOfInputAsEsc)
{
    EXPECT_EXIT(keys(pipe_holding("s\177\033", 3, true), "prrrrrp"), ExitedWithCode(0),
                Eq("1 115 8 27 27 27 1"));
}

TEST_F(StdinKeysDeathTest, PressedLooksWithoutTakingOrWaiting)
{
    // the write end stays open: after 'x' nothing waits, and nothing ended
    EXPECT_EXIT(keys(pipe_holding("x", 1, false), "pprp"), ExitedWithCode(0), Eq("1 1 120 0"));
}

TEST_F(StdinKeysDeathTest, NoInputEndsAtOnce)
{
    EXPECT_EXIT(keys(CreateFileA("NUL", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), "prr"),
                ExitedWithCode(0), Eq("1 27 27"));
}

}  // namespace
