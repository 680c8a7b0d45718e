// zevgraph: viewer for ZEV data files (averages and standard deviations).
// Globals and helpers shared by the application's source files.
#ifndef ZEVGRAPH_H
#define ZEVGRAPH_H

#include <cstddef>

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
int plot(const char *fname);      // draws the page, then waits for a key
void plot_page(const char *fname); // draws the page only
// the absolute, lexically tidied form of name in out (size bytes), or name
// itself when that does not fit
const char *full_path(const char *name, char *out, size_t size);
void bprint(int y, int x, const char *fmt, ...) ZEV_PRINTF(3, 4);

// gr: graphics mode entry and exit
extern int font_handle;        // BGI font number of the page's main font
void entergrmode(void);
void exitgrmode(void);
int _installpxlfont(void);

// scale, drawaxes
void scale1(double min, double max, double *tick_spacing, int *tick_spacing_type);
void draw_x_axes(int XSize, int YSize, int xoffset, int yoffset, int log_axis,
                 double Min, double Max);
void draw_y_axes(int XSize, int YSize, int xoffset, int yoffset, int log_axis,
                 double Min, double Max);

// A page coordinate from a value computed in double: truncated toward
// zero, and held within a band far outside any screen so that huge or
// non-finite values never overflow an int (clipping hides the difference).
inline int pix(double v)
{
    const double band = 1e6;
    if (!(v > -band))
        return -static_cast<int>(band);
    if (v > band)
        return static_cast<int>(band);
    return static_cast<int>(v);
}

#endif
