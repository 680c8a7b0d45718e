// zevgraph: draws the averages and standard deviations of ZEV data files,
// one page per file named on the command line.
#include "zevgraph.h"

#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

#include "liboxant.h"

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
        if (sscanf(line, "%lf%lf%lf%lf%n", &mv[0][n], &mv[1][n], &mv[3][n],
                   &mv[2][n], &end) < 4)
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

    // Graphics mode is entered and the screen painted white here, once the
    // page drawing exists; the file loop below then also draws each page and
    // acts on the key that ends it.
    for (; optind < argc; ++optind)
        scanfile(argv[optind]);
    return 0;
}
