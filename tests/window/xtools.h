// What the X11 tests need around the library: a program to drive, a
// private X server, screenshots, PNG files and shell commands.
#ifndef TESTS_WINDOW_XTOOLS_H
#define TESTS_WINDOW_XTOOLS_H

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace xt {

// A child process with its standard input and output on pipes; an empty
// display keeps the test's own.
class Child {
public:
    Child(const std::vector<std::string> &argv, const std::string &display = "");
    ~Child();
    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    void send(const std::string &line);
    std::string line();     // the next line of output, "" at its end
    int wait();             // exit status, or 128 + signal

private:
    pid_t pid_ = -1;
    int in_ = -1;
    FILE *out_ = nullptr;
    int status_ = -1;
};

// An X server of our own: Xvfb on a free display, with one screen "WxHxD".
class Server {
public:
    explicit Server(const std::string &screen);
    ~Server();
    const std::string &display() const { return display_; }  // "" when it failed

private:
    pid_t pid_ = -1;
    std::string display_;
};

// A picture as 0xRRGGBB values; from the X server each channel keeps the
// bits that the visual has, at the top of its byte.
struct Image {
    int width = 0, height = 0;
    int bits[3] = {8, 8, 8};
    std::vector<uint32_t> rgb;
    uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
    uint32_t reduce(uint32_t c) const;  // c with only those bits
};

Image screenshot(unsigned long window, const std::string &display = "");  // through xwd
Image read_png(const std::string &path);

// Output of a shell command (its error output dropped), and the same
// without its last newline.
std::string run(const std::string &cmd, const std::string &display = "");
std::string run_line(const std::string &cmd, const std::string &display = "");

}  // namespace xt

#endif  // TESTS_WINDOW_XTOOLS_H
