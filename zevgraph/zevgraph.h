// zevgraph: viewer for ZEV data files (averages and standard deviations).
// Globals and helpers shared by the application's source files.
#ifndef ZEVGRAPH_H
#define ZEVGRAPH_H

#if defined(__GNUC__) || defined(__clang__)
#define ZEV_PRINTF(f, a) __attribute__((format(printf, f, a)))
#else
#define ZEV_PRINTF(f, a)
#endif

enum { MAXVARS = 5120 };   // rows a ZEV file may hold; more are not read

extern short graphic;          // window size selector 0..6 (0: no graphics)
extern double mv[4][MAXVARS];  // [0] number, [1] average, [2] std dev, [3] unused
extern int n;                  // rows of mv read from the current file

[[noreturn]] void Usage(const char *name);
[[noreturn]] void error(const char *fmt, ...) ZEV_PRINTF(1, 2);
void message(const char *fmt, ...) ZEV_PRINTF(1, 2);
void scanfile(const char *name);

#endif
