// zevgraph: draws the averages and standard deviations of ZEV data files,
// one page per file named on the command line.
#include "zevgraph.h"

#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "graphics.h"
#include "liboxant.h"
#include "pxl.h"

#ifdef __MINGW32__
// MinGW's getopt stops at the first file name; its getopt_long takes options
// from anywhere on the line, as getopt does with glibc.
#include <getopt.h>
static int getopt_anywhere(int argc, char *const argv[], const char *opts)
{
    static const struct option none[] = {{nullptr, 0, nullptr, 0}};
    return getopt_long(argc, argv, opts, none, nullptr);
}
#define getopt getopt_anywhere
#endif

short graphic = 3;
double mv[4][MAXVARS];
int n;

void Usage(const char *name)
{
    fprintf(stderr, "%s\n", Version);
    fprintf(stderr, "\nUsage: %s file.eig\n", name);
    fprintf(stderr, "\n%s\n%s\n", Copyright, Bugs);
    exit(0);
}

void error(const char *fmt, ...)
{
    // Anything still buffered belongs before the error text.
    fflush(stdout);
    fflush(stderr);
    fputs("\nError: ", stderr);
    va_list ap;
    va_start(ap, fmt);
    vfprintf(stderr, fmt, ap);
    va_end(ap);
    exit(1);
}

void message(const char *fmt, ...)
{
    fflush(stdout);
    fflush(stderr);
    fputs("\nMessage: ", stderr);
    va_list ap;
    va_start(ap, fmt);
    vfprintf(stderr, fmt, ap);
    va_end(ap);
    fputc('\n', stderr);
}

// Lines are read a buffer-full at a time: fgets with a count of 255 takes at
// most LINECHUNK characters. A guard byte just past them tells whether a piece
// filled the buffer; counting on strlen instead would be fooled by NUL bytes.
enum { LINEBUF = 256, LINECHUNK = LINEBUF - 2 };

static bool fgets_chunk(char *buf, int offset, FILE *fp, bool *full)
{
    buf[LINECHUNK] = 'x';
    if (!fgets(buf + offset, LINEBUF - 1 - offset, fp))
        return false;
    *full = buf[LINECHUNK] == '\0' && buf[LINECHUNK - 1] != '\n';
    return true;
}

// Reads one line; a line longer than the buffer keeps its first buffer-full
// and the rest is dropped up to the newline, so it never poses as a line of
// its own. *next is the first dropped character, or '\n' when none was.
static bool read_line(char *buf, FILE *fp, int *next)
{
    bool full = false;
    if (!fgets_chunk(buf, 0, fp, &full))
        return false;
    *next = '\n';
    if (full) {
        int c = *next = getc(fp);
        while (c != '\n' && c != EOF)
            c = getc(fp);
    }
    return true;
}

// Reads the header line, however long, and tells whether it holds the word.
// The word may straddle two buffer-fulls, so the tail of each piece is kept
// in front of the next.
static bool read_header(char *buf, FILE *fp, bool *found)
{
    static const char word[] = "Variab";
    const int keep = (int)sizeof word - 2;
    bool full = false;
    if (!fgets_chunk(buf, 0, fp, &full))
        return false;
    *found = strstr(buf, word) != nullptr;
    while (full) {
        memmove(buf, buf + LINECHUNK - keep, keep);
        if (!fgets_chunk(buf, keep, fp, &full))
            break;
        if (!*found)
            *found = strstr(buf, word) != nullptr;
    }
    return true;
}

// The blanks of the C locale, which the program runs in: isspace itself
// is a call per character.
static inline bool blank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// A plain decimal number at p ("12", "-3.5", ".5e-3"), after blanks,
// followed by a blank or the end of the line: its value and the position
// after it. Anything else (hex, inf, "1e", "2.5x") is left to sscanf,
// whose idea of a number differs from strtod's exactly there.
static bool plain_number(const char *p, double *v, const char **after)
{
    while (blank(*p))
        p++;
    const char *q = p;
    const bool negative = *q == '-';
    if (*q == '+' || *q == '-')
        q++;
    // the digits as one whole number w and a power of ten: w * 10^e
    uint64_t w = 0;
    int digits = 0, kept = 0, e = 0;
    auto digit = [&](int d, bool fraction) {
        digits++;
        if (w == 0 && d == 0) {
            e -= fraction;  // leading zeros take no room in w
        } else if (kept < 19) {
            w = w * 10 + static_cast<uint64_t>(d);
            kept++;
            e -= fraction;
        } else {
            kept = 99;  // too many to keep exact: strtod decides
        }
    };
    for (; isdigit(static_cast<unsigned char>(*q)); q++)
        digit(*q - '0', false);
    if (*q == '.')
        for (q++; isdigit(static_cast<unsigned char>(*q)); q++)
            digit(*q - '0', true);
    if (digits == 0)
        return false;
    if (*q == 'e' || *q == 'E') {
        q++;
        const bool minus = *q == '-';
        if (*q == '+' || *q == '-')
            q++;
        if (!isdigit(static_cast<unsigned char>(*q)))
            return false;
        int x = 0;
        for (; isdigit(static_cast<unsigned char>(*q)); q++)
            x = x < 10000 ? x * 10 + (*q - '0') : x;
        e += minus ? -x : x;
    }
    if (*q != '\0' && !blank(*q))
        return false;
    *after = q;
    // Both w and 10^|e| exact in a double: one rounding, the one strtod
    // makes too. Other numbers take strtod itself.
    static const double pow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (kept <= 19 && w <= (uint64_t{1} << 53) && e >= -22 && e <= 22) {
        const double m = static_cast<double>(w);
        const double r = e >= 0 ? m * pow10[e] : m / pow10[-e];
        *v = negative ? -r : r;
        return true;
    }
    char *end;
    *v = strtod(p, &end);
    return end == q;
}

// The four numbers at the start of a data line, as sscanf("%lf%lf%lf%lf%n")
// reads them, with *end the characters taken; false when there are fewer.
// Plain decimals, nearly every line, skip sscanf's format parsing: the
// whole file is read in a third of the time.
static bool four_numbers(const char *line, double *a, double *b, double *c, double *d,
                         int *end)
{
    double v[4];
    const char *p = line;
    int i = 0;
    while (i < 4 && plain_number(p, &v[i], &p))
        i++;
    if (i == 4) {
        *a = v[0], *b = v[1], *c = v[2], *d = v[3];
        *end = static_cast<int>(p - line);
        return true;
    }
    return sscanf(line, "%lf%lf%lf%lf%n", a, b, c, d, end) >= 4;
}

void scanfile(const char *name)
{
    char line[LINEBUF];
    n = 0;
    FILE *fp = fopen(name, "r");
    if (!fp)
        return;

    // An empty file (or a directory, where the read fails) has no header to
    // judge; it just yields no rows.
    bool found = false;
    if (read_header(line, fp, &found) && !found)
        message("May not be a .ZEV file");

    int lineno = 1;
    int next = '\n';
    while (read_line(line, fp, &next)) {
        ++lineno;
        int end = 0;
        if (!four_numbers(line, &mv[0][n], &mv[1][n], &mv[3][n], &mv[2][n], &end))
            break;
        // In an over-long line the fourth number may run past the buffer;
        // a cut-off number would be silently wrong.
        if (end == LINECHUNK && next != EOF && !isspace(next)) {
            message("%s: line %d: too long; data ends here", name, lineno);
            break;
        }
        // The plot cannot scale to nan or inf (nor to 1e999, which reads as
        // inf), so such a row ends the data like a line of text would.
        if (!std::isfinite(mv[0][n]) || !std::isfinite(mv[1][n]) ||
            !std::isfinite(mv[2][n]) || !std::isfinite(mv[3][n])) {
            message("%s: line %d: value is not finite; data ends here", name,
                    lineno);
            break;
        }
        if (++n > MAXVARS - 1)
            break;
    }
    fclose(fp);
}

void bprint(int y, int x, const char *fmt, ...)
{
    char buf[256];
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(buf, sizeof buf, fmt, ap);  // a longer text is cut
    va_end(ap);
    outtextxy(x, y, buf);
}

// The absolute form of a file name: the current directory joined with the
// name and tidied lexically ("//", "." and "dir/.." folded; links are not
// followed and the file need not exist). The name as given when the result
// would not fit.
const char *full_path(const char *name, char *out, size_t size)
{
#ifdef _WIN32
    return _fullpath(out, name, size) ? out : name;
#else
    char joined[4 * OXA_PATH_SIZE];
    if (name[0] == '/') {
        if (strlcpy(joined, name, sizeof joined) >= sizeof joined)
            return name;
    } else {
        if (getcwd(joined, sizeof joined) == nullptr ||
            strlcat(joined, "/", sizeof joined) >= sizeof joined ||
            strlcat(joined, name, sizeof joined) >= sizeof joined)
            return name;
    }
    // Fold the parts into out; each ".." takes the last part back off.
    size_t len = 0;
    for (const char *p = joined; *p;) {
        while (*p == '/')
            p++;
        const char *e = p;
        while (*e && *e != '/')
            e++;
        const size_t part = static_cast<size_t>(e - p);
        if (part == 2 && p[0] == '.' && p[1] == '.') {
            while (len > 0 && out[--len] != '/') {
            }
        } else if (part > 0 && !(part == 1 && p[0] == '.')) {
            if (len + 1 + part + 1 > size)
                return name;
            out[len++] = '/';
            memcpy(out + len, p, part);
            len += part;
        }
        p = e;
    }
    if (len == 0)
        out[len++] = '/';
    out[len] = '\0';
    return out;
#endif
}

void plot_page(const char *fname)
{
    const int maxx = getmaxx(), maxy = getmaxy();
    __gr_bar(0, 0, maxx, maxy);

    // Only rows that were read, and only as many as the data says there
    // are variables; row 0 is never used.
    const int nv = n > 0 ? pix(mv[0][n - 1]) : 0;
    const int last = nv < n ? nv : n;
    const int Height = (maxy * 8) / 10;
    const int XDelta = nv != 0 ? ((maxx * 8) / 10) / nv : 0;
    int Width = nv * XDelta;
    // More variables than pixels: a fractional step spreads them over the
    // frame instead of stacking them all on one column.
    const bool fractional = nv != 0 && XDelta == 0;
    if (fractional)
        Width = (maxx * 8) / 10;
    const int XOffset = (maxx - Width) / 2;
    const int YOffset = (maxy - Height) / 2;
    auto X = [&](int i) {
        return fractional ? XOffset + pix(static_cast<double>(i) * Width / nv)
                          : XOffset + i * XDelta;
    };

    auto a = [](int i) { return mv[1][i]; };
    auto d = [](int i) { return mv[2][i]; };
    double tp0 = 0;
    for (int i = 1; i < last; i++)
        tp0 = std::max(tp0, a(i) + d(i));
    double lo = tp0;
    for (int i = 1; i < last; i++)
        lo = std::min(lo, a(i) - d(i));
    double bt = std::max(0.0, lo), tp = tp0 * 1.05;
    // values so large that the range overflows have no scale either
    if (nv <= 1 || !std::isfinite(tp) || !std::isfinite(bt))
        tp = bt = 0;
    const double difa = (tp - bt) / Height;
    auto Y = [&](double v) { return pix((YOffset + Height) - (v - bt) / difa); };

    static const char title[] = "Averages & standard deviations";
    const int tw = textwidth(title), th = textheight(title);
    outtextxy((maxx - tw) / 2, 0, title);

    settextstyle(DEFAULT_FONT, HORIZ_DIR, 1);
    char buf[OXA_PATH_SIZE];
    const char *path = full_path(fname, buf, sizeof buf);
    outtextxy((maxx - textwidth(path)) / 2, th, path);
    settextstyle(font_handle, HORIZ_DIR, 1);

    rectangle(XOffset, YOffset, XOffset + Width, YOffset + Height);
    draw_x_axes(Width, Height, XOffset, YOffset, 0, 0.0, nv);
    draw_y_axes(Width, Height, XOffset, YOffset + 1, 0, bt, tp);
    outtextxy((maxx - 64) / 2, YOffset + Height + 20, "Variable");

    auto curve = [&](auto value) {
        if (last < 2)
            return;
        moveto(X(1), Y(value(1)));
        for (int i = 2; i < last; i++)
            lineto(X(i), Y(value(i)));
    };
    setlinestyle(DASHED_LINE, 0xAAAA, 1);
    curve([&](int i) { return a(i) + d(i); });
    setlinestyle(SOLID_LINE, 0xF0F0, 1);
    curve(a);
    setlinestyle(DASHED_LINE, 0xAAAA, 1);
    // whole units, in double: a - d may lie far outside an int
    curve([&](int i) { return std::max(0.0, std::trunc(a(i) - d(i))); });
    setlinestyle(SOLID_LINE, 0xF0F0, 1);
}

int plot(const char *fname)
{
    plot_page(fname);
    return GrKeyRead() & 0xFFFF;
}

// Whether two names are one file: the same text, or (where the system
// says) the same file reached another way.
static bool same_file(const char *a, const char *b)
{
#ifdef _WIN32
    return _stricmp(a, b) == 0;
#else
    struct stat sa, sb;
    return strcmp(a, b) == 0 || (stat(a, &sa) == 0 && stat(b, &sb) == 0 &&
                                 sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino);
#endif
}

// The page is saved beside the data file, as <name>.png. A name that does
// not split and join cleanly, or that would land on the data file itself,
// is not saved: the data must never be overwritten by its picture.
static void save_page(const char *name)
{
    // -g0 draws nothing: there is no page to save, and reading one would
    // end the program
    if (graphic == 0) {
        message("%s: page not saved: there is no graphics page (-g0)", name);
        return;
    }
    char drive[OXA_DRIVE_SIZE], dir[OXA_DIR_SIZE], file[OXA_FILE_SIZE], ext[OXA_EXT_SIZE];
    char s[OXA_PATH_SIZE];
    if (explode_path(name, drive, dir, file, ext) != OXA_OK ||
        combine_path(s, drive, dir, file, ".png") != OXA_OK) {
        message("%s: page not saved: the name is too long", name);
        return;
    }
    if (same_file(name, s)) {
        message("%s: page not saved: it would overwrite the data file", name);
        return;
    }
    GrSaveContextToPng(nullptr, s);
}

int main(int argc, char *argv[])
{
    short c;

    if (argc == 1)
        Usage(argv[0]);

    while ((c = getopt(argc, argv, "cCg::G::?")) != -1) {
        switch (tolower(c)) {
        case '?':
            Usage(argv[0]);
        case 'c':
            break;
        case 'g':
            graphic = 3;
            if (optarg) {
                graphic = optarg[0] - '0';
                if (graphic < 0 || graphic > 6)
                    error("graphic out of range. ( 0 - 6 ) -g%s", optarg);
            }
            break;
        }
    }

    entergrmode();
    setfillstyle(SOLID_FILL, __gr_White());
    __gr_bar(0, 0, getmaxx(), getmaxy());
    __gr_color = 0;
    __gr_colorbg = __gr_White();

    const int optfile = optind;
    while (optind < argc) {
        scanfile(argv[optind]);
        switch (plot(argv[optind])) {
        case 8:     // Backspace: the previous file, never before the first
            optind = std::max(optind - 1, optfile);
            break;
        case 27:    // Esc: the end, whatever files remain
            optind = argc;
            break;
        case 'S':
        case 's':   // save, then show the same file again
            save_page(argv[optind]);
            break;
        default:
            optind++;
        }
    }
    exitgrmode();
    return 0;
}
