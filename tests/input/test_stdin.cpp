// Keys without a window come from standard input. Each case runs in a
// child process whose standard input is a pipe, /dev/null or a terminal.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "libpxl.h"
#include "w32inp.h"

namespace {

// True once standard input, a terminal, is in raw mode.
bool raw(int fd)
{
    termios t{};
    return tcgetattr(fd, &t) == 0 && !(t.c_lflag & ICANON);
}

struct Child {
    pid_t pid;
    int out;  // what it answers
};

// Starts a child with fd as its standard input that runs steps: 'r' reads
// a key, 'p' asks whether one waits, 'x' starts a thread that ends the
// program with status 3 while the terminal is raw.
Child start(int fd, const char *steps)
{
    int out[2];
    if (pipe(out) != 0)
        return {-1, -1};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fd, STDIN_FILENO);
        close(out[0]);
        FILE *f = fdopen(out[1], "w");
        _GrInputHost = nullptr;  // no window
        for (const char *s = steps; *s != '\0'; s++) {
            if (*s == 'x') {
                std::thread([] {
                    while (!raw(STDIN_FILENO))
                        usleep(1000);
                    exit(3);
                }).detach();
                continue;
            }
            fprintf(f, "%s%d", s == steps ? "" : " ", *s == 'r' ? GrKeyRead() : GrKeyPressed());
            fflush(f);
        }
        _exit(0);
    }
    close(out[1]);
    return {pid, out[0]};
}

// The child's answers once it has ended, and its wait status.
std::string finish(Child c, int *status = nullptr)
{
    std::string got;
    char buf[256];
    ssize_t n;
    while ((n = read(c.out, buf, sizeof buf)) > 0)
        got.append(buf, static_cast<size_t>(n));
    close(c.out);
    int st = 0;
    waitpid(c.pid, &st, 0);
    if (status != nullptr)
        *status = st;
    return got;
}

std::string keys_in_child(int fd, const char *steps)
{
    return finish(start(fd, steps));
}

struct Pipe {
    int fd[2] = {-1, -1};
    Pipe() { EXPECT_EQ(pipe(fd), 0); }
    ~Pipe() { close_write(); close(fd[0]); }
    void write_all(const char *s, size_t n) { EXPECT_EQ(write(fd[1], s, n), static_cast<ssize_t>(n)); }
    void close_write()
    {
        if (fd[1] >= 0)
            close(fd[1]);
        fd[1] = -1;
    }
};

// A terminal: the master side for the test, the slave as the child's input.
struct Terminal {
    int master = -1, slave = -1;
    Terminal()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        EXPECT_GE(master, 0);
        EXPECT_EQ(grantpt(master), 0);
        EXPECT_EQ(unlockpt(master), 0);
        slave = open(ptsname(master), O_RDWR | O_NOCTTY);
        EXPECT_GE(slave, 0);
    }
    ~Terminal()
    {
        close(slave);
        close(master);
    }
    bool cooked() const
    {
        termios t{};
        return tcgetattr(slave, &t) == 0 && (t.c_lflag & (ICANON | ECHO)) == (ICANON | ECHO);
    }
    // Waits (bounded by the test timeout) until the child has made it raw.
    void await_raw() const
    {
        while (!raw(slave))
            usleep(1000);
    }
};

}  // namespace

TEST(StdinKeys, BytesThenEndOfInputAsEsc)
{
    Pipe p;
    p.write_all("s\177\033", 3);
    p.close_write();
    EXPECT_EQ(keys_in_child(p.fd[0], "prrrrrp"), "1 115 8 27 27 27 1");
}

TEST(StdinKeys, PressedLooksWithoutTakingOrWaiting)
{
    Pipe p;
    p.write_all("x", 1);
    // the write end stays open here: after 'x' nothing waits, and nothing ended
    EXPECT_EQ(keys_in_child(p.fd[0], "pprp"), "1 1 120 0");
}

TEST(StdinKeys, NoInputEndsAtOnce)
{
    const int null = open("/dev/null", O_RDONLY);
    ASSERT_GE(null, 0);
    EXPECT_EQ(keys_in_child(null, "prr"), "1 27 27");
    close(null);
}

TEST(StdinKeys, TerminalIsRawOnlyWhileWaiting)
{
    Terminal t;
    ASSERT_TRUE(t.cooked());
    const Child c = start(t.slave, "r");
    t.await_raw();
    EXPECT_EQ(write(t.master, "s", 1), 1);  // no Enter needed
    int status = 0;
    EXPECT_EQ(finish(c, &status), "115");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(t.cooked());
}

TEST(StdinKeys, TerminalGivenBackOnFatalSignal)
{
    Terminal t;
    const Child c = start(t.slave, "r");
    t.await_raw();
    kill(c.pid, SIGTERM);
    int status = 0;
    finish(c, &status);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_TRUE(t.cooked());
}

TEST(StdinKeys, TerminalGivenBackWhenAnotherThreadExits)
{
    Terminal t;
    int status = 0;
    finish(start(t.slave, "xr"), &status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3);
    EXPECT_TRUE(t.cooked());
}
