// The 80-character line the text benchmarks draw: printable characters,
// no blanks, so every one is a glyph.
#ifndef BENCH_LINE80_H
#define BENCH_LINE80_H

#include <string>

inline const std::string &line80()
{
    static const std::string s = [] {
        std::string t;
        for (int i = 0; t.size() < 80; i++)
            t += static_cast<char>(' ' + 1 + i % 94);
        return t;
    }();
    return s;
}

#endif
