#include "xtools.h"

#include "pngimage.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

extern char **environ;

namespace xt {

namespace {

std::vector<std::string> env_with(const std::string &display)
{
    std::vector<std::string> env;
    for (char **e = environ; *e != nullptr; e++)
        if (display.empty() || strncmp(*e, "DISPLAY=", 8) != 0)
            env.push_back(*e);
    if (!display.empty())
        env.push_back("DISPLAY=" + display);
    return env;
}

std::vector<char *> pointers(std::vector<std::string> &v)
{
    std::vector<char *> p;
    for (std::string &s : v)
        p.push_back(&s[0]);
    p.push_back(nullptr);
    return p;
}

uint32_t get(const unsigned char *p, int bytes, bool msb_first)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; i++)
        v |= static_cast<uint32_t>(p[msb_first ? i : bytes - 1 - i]) << (8 * (bytes - 1 - i));
    return v;
}

}  // namespace

Child::Child(const std::vector<std::string> &argv, const std::string &display)
{
    int to[2], from[2];
    if (pipe2(to, O_CLOEXEC) != 0 || pipe2(from, O_CLOEXEC) != 0)
        return;
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, to[0], 0);
    posix_spawn_file_actions_adddup2(&fa, from[1], 1);
    std::vector<std::string> args = argv, env = env_with(display);
    std::vector<char *> a = pointers(args), e = pointers(env);
    if (posix_spawn(&pid_, a[0], &fa, nullptr, a.data(), e.data()) != 0)
        pid_ = -1;
    posix_spawn_file_actions_destroy(&fa);
    close(to[0]);
    close(from[1]);
    in_ = to[1];
    out_ = fdopen(from[0], "r");
}

Child::~Child()
{
    if (pid_ > 0 && status_ < 0) {
        kill(pid_, SIGKILL);
        wait();
    }
    if (in_ >= 0)
        close(in_);
    if (out_ != nullptr)
        fclose(out_);
}

void Child::send(const std::string &line)
{
    const std::string l = line + "\n";
    if (write(in_, l.data(), l.size()) != static_cast<ssize_t>(l.size()))
        return;  // the child has gone; its status tells
}

std::string Child::line()
{
    char buf[4096];
    if (out_ == nullptr || fgets(buf, sizeof buf, out_) == nullptr)
        return "";
    std::string s = buf;
    if (!s.empty() && s.back() == '\n')
        s.pop_back();
    return s;
}

int Child::wait()
{
    if (status_ >= 0 || pid_ <= 0)
        return status_;
    int st = 0;
    while (waitpid(pid_, &st, 0) < 0 && errno == EINTR) {
    }
    status_ = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
    return status_;
}

Server::Server(const std::string &screen)
{
    int fd[2];
    if (pipe(fd) != 0)
        return;
    const std::string out = std::to_string(fd[1]);
    std::vector<std::string> args = {"Xvfb", "-displayfd", out, "-screen", "0", screen,
                                     "-nolisten", "tcp"};
    std::vector<char *> a = pointers(args);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawnp(&pid_, "Xvfb", &fa, nullptr, a.data(), environ) != 0)
        pid_ = -1;
    posix_spawn_file_actions_destroy(&fa);
    close(fd[1]);
    char buf[32] = "";
    const ssize_t n = pid_ > 0 ? read(fd[0], buf, sizeof buf - 1) : 0;
    close(fd[0]);
    if (n > 0)
        display_ = ":" + std::string(buf, static_cast<size_t>(n - (buf[n - 1] == '\n')));
}

Server::~Server()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

uint32_t Image::reduce(uint32_t c) const
{
    uint32_t r = 0;
    for (int i = 0; i < 3; i++) {
        const uint32_t keep = (0xFFU << (8 - bits[i])) & 0xFFU;
        r |= (c >> (16 - 8 * i) & keep) << (16 - 8 * i);
    }
    return r;
}

Image screenshot(unsigned long window, const std::string &display)
{
    Image img;
    const std::string out = run("xwd -silent -id " + std::to_string(window), display);
    const std::vector<unsigned char> d(out.begin(), out.end());
    // the header: big-endian 32-bit fields, then the colour map, then pixels
    if (d.size() < 100)
        return img;
    auto field = [&](int i) { return get(&d[4 * static_cast<size_t>(i)], 4, true); };
    const uint32_t header = field(0), w = field(4), h = field(5), msb = field(7),
                   bpp = field(11), pitch = field(12), ncolors = field(19);
    const uint32_t mask[3] = {field(14), field(15), field(16)};
    const size_t start = header + 12 * static_cast<size_t>(ncolors);
    if ((bpp != 16 && bpp != 32) || d.size() < start + static_cast<size_t>(pitch) * h)
        return img;
    int shift[3];
    for (int i = 0; i < 3; i++) {
        shift[i] = __builtin_ctz(mask[i]);
        img.bits[i] = __builtin_popcount(mask[i]);
    }
    img.width = static_cast<int>(w);
    img.height = static_cast<int>(h);
    img.rgb.resize(static_cast<size_t>(w) * h);
    for (uint32_t y = 0; y < h; y++)
        for (uint32_t x = 0; x < w; x++) {
            const uint32_t v = get(&d[start + y * pitch + x * (bpp / 8)], static_cast<int>(bpp / 8),
                                   msb != 0);
            uint32_t c = 0;
            for (int i = 0; i < 3; i++)
                c |= ((v & mask[i]) >> shift[i] << (8 - img.bits[i])) << (16 - 8 * i);
            img.rgb[y * w + x] = c;
        }
    return img;
}

Image read_png(const std::string &path)
{
    Image img;
    PngImage png;
    if (!png.read(path))
        return img;
    img.width = static_cast<int>(png.w);
    img.height = static_cast<int>(png.h);
    img.rgb.resize(static_cast<size_t>(img.width) * img.height);
    for (size_t i = 0; i < img.rgb.size(); i++) {
        const unsigned char *p = &png.rgb[3 * i];
        img.rgb[i] = (static_cast<uint32_t>(p[0]) << 16) | (p[1] << 8) | p[2];
    }
    return img;
}

std::string run(const std::string &cmd, const std::string &display)
{
    const std::string full = display.empty() ? cmd : "env DISPLAY='" + display + "' " + cmd;
    char err[] = "/tmp/xtools-stderr-XXXXXX";
    const int fd = mkstemp(err);
    if (fd < 0)
        return "";
    close(fd);
    std::string out;
    // the server now and then hangs up on a new client: try again then
    for (int tries = 0; tries < 5; tries++) {
        FILE *p = popen((full + " 2>" + err).c_str(), "r");
        if (p == nullptr)
            break;
        out.clear();
        char buf[65536];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        pclose(p);
        std::ifstream e(err);
        const std::string said((std::istreambuf_iterator<char>(e)), std::istreambuf_iterator<char>());
        if (said.find("open display") == std::string::npos)
            break;
        usleep(20000);
    }
    unlink(err);
    return out;
}

std::string run_line(const std::string &cmd, const std::string &display)
{
    std::string out = run(cmd, display);
    if (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}

}  // namespace xt
