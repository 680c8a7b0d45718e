// The few POSIX calls the tests use, also on Windows (MinGW), where the C
// runtime has them under other names or not at all.
#ifndef PXL_TESTS_PORTABLE_H
#define PXL_TESTS_PORTABLE_H

#include <cstdlib>
#include <string>

#include <unistd.h>  // MinGW has it too, with getopt's optind

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <process.h>

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

// Text the program wrote to a file through the C runtime: Windows' text mode
// ends lines with CR LF.
inline std::string text_lines(std::string s)
{
#ifdef _WIN32
    for (size_t i = 0; (i = s.find('\n', i)) != std::string::npos; i += 2)
        s.insert(i, 1, '\r');
#endif
    return s;
}

#endif
