// The few POSIX calls the tests use, also on Windows (MinGW), where the C
// runtime has them under other names or not at all.
#ifndef PXL_TESTS_PORTABLE_H
#define PXL_TESTS_PORTABLE_H

#include <cstdlib>
#include <string>

#include <unistd.h>  // MinGW has it too, with getopt's optind

#ifdef _WIN32
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <process.h>

// the runtime makes a descriptor 0 given by dup2 the standard input handle
inline int pipe(int fd[2]) { return _pipe(fd, 4096, _O_BINARY); }

inline int setenv(const char *name, const char *value, int overwrite)
{
    if (!overwrite && std::getenv(name))
        return 0;
    return _putenv_s(name, value);
}
// an empty value removes the variable
inline int unsetenv(const char *name) { return _putenv_s(name, ""); }

inline int mkdir(const char *path, int /*mode*/) { return _mkdir(path); }

inline char *mkdtemp(char *tmpl)
{
    return _mktemp(tmpl) && _mkdir(tmpl) == 0 ? tmpl : nullptr;
}
#endif

// Text a program wrote through the C runtime, as it meant it: Windows'
// text mode ends its lines with CR LF.
inline std::string from_text_mode(std::string s)
{
#ifdef _WIN32
    for (size_t i = 0; (i = s.find("\r\n", i)) != std::string::npos; i++)
        s.erase(i, 1);
#endif
    return s;
}

#endif
