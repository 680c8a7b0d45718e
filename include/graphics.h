/*
 * graphics.h - the classic BGI graphics calls on top of the PXL library.
 *
 * Usable from C89, C99 and C++. Copyright (C) 2026 the zevgraph developers.
 * LGPL-2.1-or-later; see LICENSE.
 *
 * Usage
 *
 *     #include <graphics.h>
 *
 *     int main(void)
 *     {
 *         int gd = DETECT, gm;
 *         initgraph(&gd, &gm, "");     // or: initwindow(800, 600);
 *         if (graphresult() != grOk)
 *             return 1;
 *         setcolor(YELLOW);
 *         circle(getmaxx() / 2, getmaxy() / 2, 100);
 *         settextstyle(TRIPLEX_FONT, HORIZ_DIR, 4);
 *         outtextxy(10, 10, "Hello");
 *         getch();
 *         closegraph();
 *         return 0;
 *     }
 *
 * Build: cc prog.c $(pkg-config --cflags --libs pxl)
 *
 * - The library picks its video driver as the core does: by the PXLDRV
 *   environment variable ("memory" draws into ordinary memory, without a
 *   display), else by detection (a window when a display can be opened).
 *   When there is none, initgraph ends the program with "GrSetMode: could
 *   not find suitable video driver" and status 1, as every failed mode
 *   setting of the core does; graphresult() reports the layer's own errors.
 *   DETECT (or any driver but PXL_DRIVER) gives mode 0, the default size
 *   (640 x 480, 16 colours unless PXLDRV says otherwise), and sets *driver
 *   to the adapter's driver number (VGA for the memory driver). Driver
 *   PXL_DRIVER (-3) takes the mode by number: 0 default, 1 800 x 600,
 *   2 the largest, 3 __gr_BGI_w x __gr_BGI_h with __gr_BGI_c colours
 *   (set_BGI_mode_whc sets all three), 4.. the modes of the driver's list
 *   (getmoderange, getmodemaxx, ...).
 * - Every call made before initgraph (or after closegraph) sets
 *   graphresult() to grNoInitGraph (-1) and draws nothing; out-of-range
 *   arguments set grError (-11) or the code named at the call.
 * - Colours 0..15 are the sixteen classic colours in palette modes (up to
 *   256 colours); COLOR(r, g, b) gives any other colour in every mode.
 * - Stroke fonts 1..10 are read from <name>.chr in the directory given to
 *   initgraph, else in the directories of PXLFONT, else in share/pxl/fonts
 *   of the prefix the library was configured for (CMAKE_INSTALL_PREFIX); a
 *   library installed somewhere else finds them through PXLFONT. A font
 *   found nowhere sets grFontNotFound and selects font 0 at size 1.
 * - Headless (PXLDRV=memory), GrSaveContextToPng(NULL, "out.png") of
 *   pxl.h saves the screen as a PNG image. Call it before closegraph:
 *   after it there is no screen, and reading one ends the program as any
 *   drawing without a graphics mode does.
 * - Without a window, keys come from standard input; end of input reads
 *   as Esc (27).
 * - Two display pages (setactivepage, setvisualpage) exist when
 *   set_BGI_mode_pages(2) was called before the mode was set and the
 *   video driver can make a screen twice the height of the window.
 */
#ifndef GRAPHICS_H_INCLUDED
#define GRAPHICS_H_INCLUDED

#include "pxl.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------ */
/* Constants                                                          */
/* ------------------------------------------------------------------ */

/* drivers for initgraph; PXL_DRIVER selects the mode by number */
enum graphics_drivers {
    PXL_DRIVER = -3, CURRENT_DRIVER = -1, DETECT = 0, CGA = 1, MCGA = 2, EGA = 3,
    EGA64 = 4, EGAMONO = 5, IBM8514 = 6, HERCMONO = 7, ATT400 = 8, VGA = 9, PC3270 = 10
};

/* classic mode names; with any driver but PXL_DRIVER the mode is 0 */
enum graphics_modes {
    VGALO = 0, VGAMED = 1, VGAHI = 2
};

enum graphics_errors {
    grOk = 0, grNoInitGraph = -1, grNotDetected = -2, grFileNotFound = -3,
    grInvalidDriver = -4, grNoLoadMem = -5, grNoScanMem = -6, grNoFloodMem = -7,
    grFontNotFound = -8, grNoFontMem = -9, grInvalidMode = -10, grError = -11,
    grIOerror = -12, grInvalidFont = -13, grInvalidFontNum = -14, grInvalidVersion = -18
};

enum COLORS {
    BLACK, BLUE, GREEN, CYAN, RED, MAGENTA, BROWN, LIGHTGRAY, DARKGRAY,
    LIGHTBLUE, LIGHTGREEN, LIGHTCYAN, LIGHTRED, LIGHTMAGENTA, YELLOW, WHITE
};
#define MAXCOLORS 15

enum line_styles { SOLID_LINE, DOTTED_LINE, CENTER_LINE, DASHED_LINE, USERBIT_LINE };
enum line_widths { NORM_WIDTH = 1, THICK_WIDTH = 3 };

enum fill_patterns {
    EMPTY_FILL, SOLID_FILL, LINE_FILL, LTSLASH_FILL, SLASH_FILL, BKSLASH_FILL,
    LTBKSLASH_FILL, HATCH_FILL, XHATCH_FILL, INTERLEAVE_FILL, WIDE_DOT_FILL,
    CLOSE_DOT_FILL, USER_FILL
};

/* putimage operations and write modes */
enum putimage_ops { COPY_PUT, XOR_PUT, OR_PUT, AND_PUT, NOT_PUT };

enum font_names {
    DEFAULT_FONT, TRIPLEX_FONT, SMALL_FONT, SANS_SERIF_FONT, GOTHIC_FONT, SCRIPT_FONT,
    SIMPLEX_FONT, TRIPLEX_SCR_FONT, COMPLEX_FONT, EUROPEAN_FONT, BOLD_FONT
};
#define HORIZ_DIR 0
#define VERT_DIR 1
#define USER_CHAR_SIZE 0

enum text_just { LEFT_TEXT = 0, CENTER_TEXT = 1, RIGHT_TEXT = 2, BOTTOM_TEXT = 0, TOP_TEXT = 2 };

/* mouse click kinds, with their Win32 numbers */
#ifndef WM_MOUSEMOVE
#define WM_MOUSEMOVE     0x0200
#define WM_LBUTTONDOWN   0x0201
#define WM_LBUTTONUP     0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN   0x0204
#define WM_RBUTTONUP     0x0205
#define WM_RBUTTONDBLCLK 0x0206
#define WM_MBUTTONDOWN   0x0207
#define WM_MBUTTONUP     0x0208
#define WM_MBUTTONDBLCLK 0x0209
#endif

/* ------------------------------------------------------------------ */
/* Records                                                            */
/* ------------------------------------------------------------------ */

struct palettetype {
    unsigned char size;
    signed char colors[MAXCOLORS + 1];
};

struct linesettingstype {
    int linestyle;
    unsigned short upattern;
    int thickness;
};

struct textsettingstype {
    int font;
    int direction;
    int charsize;
    int horiz;
    int vert;
};

struct fillsettingstype {
    int pattern;
    int color;
};

struct pointtype {
    int x, y;
};

struct viewporttype {
    int left, top, right, bottom;
    int clip;
};

struct arccoordstype {
    int x, y;
    int xstart, ystart, xend, yend;
};

/* ------------------------------------------------------------------ */
/* Initialisation, modes and pages                                    */
/* ------------------------------------------------------------------ */

/* path: the directory of the stroke font files (null or "" for ./) */
void initgraph(int *driver, int *mode, const char *path);
void __gr_initgraph(int *driver, int *mode);
/* sets PXL_DRIVER, mode 3 and its size and colours, one page */
void set_BGI_mode_whc(int *driver, int *mode, int width, int height, int colors);
/* 2 asks for two display pages at the next mode set, else 1 */
void set_BGI_mode_pages(int pages);
int get_BGI_mode_pages(void);
void __gr_set_BGI_mode_pages(int pages);
int __gr_get_BGI_mode_pages(void);
void setgraphmode(int mode);
int getgraphmode(void);
/* resets colours, styles, viewport and position (not the text settings) */
void graphdefaults(void);
void closegraph(void);
void restorecrtmode(void);
void __gr_restorecrtmode(void);
int getmaxmode(void);
void getmoderange(int driver, int *lo, int *hi);
void __gr_getmoderange(int driver, int *lo, int *hi);
void __gr_set_up_modes(void);
/* 1 and the size of list mode (mode >= 4), else 0 */
int __gr_getmode_whc(int mode, int *width, int *height, int *colors);
int getmodemaxx(int mode);
int getmodemaxy(int mode);
int getmodemaxcolor(int mode);
int __gr_getmodemaxx(int mode);
int __gr_getmodemaxcolor(int mode);
int getmaxx(void);
int getmaxy(void);
/* the last error code; reading it clears it */
int graphresult(void);
int __gr_graphresult(void);
const char *grapherrormsg(int code);
/* fills the active page with the background colour */
void cleardevice(void);
void __gr_cleardevice(void);
void __gr_Reset_ClipBox(void);
int __gr_adaptcnv(int adapter);
/* replace the default start-up and shut-down (null: the default) */
void __gr_set_libbgi_init_hooks(void (*init)(int *driver, int *mode), void (*close)(void));
unsigned setgraphbufsize(unsigned size);
unsigned __gr_setgraphbufsize(unsigned size);
int installbgidriver(const char *name, int (*detect)(void));
int __gr_installbgidriver(const char *name, int (*detect)(void));
int registerbgidriver(void (*driver)(void));
int registerfarbgidriver(void *driver);
int __gr_registerfarbgidriver(void *driver);
void detectgraph(int *driver, int *mode);
const char *getdrivername(void);
const char *getmodename(int mode);

void setactivepage(int page);
int getactivepage(void);
void setvisualpage(int page);
int getvisualpage(void);
void __gr_setactivepage(int page);
void __gr_setvisualpage(int page);

/* the window of today's teaching programs: width x height, 256 colours;
 * a nonzero dbflag asks for two pages. Returns 0. Called as
 * initwindow(w, h), initwindow(w, h, title) ... up to all seven. */
int __gr_initwindow(int width, int height, const char *title, int left, int top,
                    int dbflag, int closeflag);
int __gr_initwindow_n(int nargs, int width, int height, ...);

/* ------------------------------------------------------------------ */
/* Position, viewport, lines and fills                                */
/* ------------------------------------------------------------------ */

void moveto(int x, int y);
void moverel(int dx, int dy);
int getx(void);
int gety(void);
void setviewport(int left, int top, int right, int bottom, int clip);
void getviewsettings(struct viewporttype *vp);
void clearviewport(void);

void putpixel(int x, int y, int color);
unsigned getpixel(int x, int y);
void line(int x1, int y1, int x2, int y2);
void __gr_line(int x1, int y1, int x2, int y2);
void lineto(int x, int y);
void linerel(int dx, int dy);
/* style 0..4; pattern used by USERBIT_LINE; thickness in pixels */
void setlinestyle(int style, unsigned pattern, int thickness);
void getlinesettings(struct linesettingstype *ls);
/* COPY_PUT, XOR_PUT, OR_PUT or AND_PUT for lines and outlines */
void setwritemode(int mode);
void rectangle(int left, int top, int right, int bottom);

void setfillstyle(int pattern, int color);
void getfillsettings(struct fillsettingstype *fs);
/* the 8 rows of USER_FILL, most significant bit leftmost */
void setfillpattern(const char *pattern, int color);
void getfillpattern(char *pattern);
void __gr_getfillpattern(char *pattern);
void bar(int left, int top, int right, int bottom);
void __gr_bar(int left, int top, int right, int bottom);
void bar3d(int left, int top, int right, int bottom, int depth, int topflag);
/* fills the area around (x, y) up to the border colour */
void floodfill(int x, int y, int border);

/* points: n pairs x, y */
void drawpoly(int n, const int *points);
void __gr_drawpoly(int n, const int *points);
void __gr_drawpol(int n, const int *points, int close);
void fillpoly(int n, const int *points);

/* ------------------------------------------------------------------ */
/* Round shapes (angles in degrees, counter-clockwise)                */
/* ------------------------------------------------------------------ */

void getaspectratio(int *xasp, int *yasp);
void setaspectratio(int xasp, int yasp);
void circle(int x, int y, int radius);
void __gr_circle(int x, int y, int radius);
void arc(int x, int y, int start, int end, int radius);
void ellipse(int x, int y, int start, int end, int xradius, int yradius);
void __gr_ellipse(int x, int y, int start, int end, int xradius, int yradius);
void fillellipse(int x, int y, int xradius, int yradius);
void getarccoords(struct arccoordstype *ac);
void pieslice(int x, int y, int start, int end, int radius);
void sector(int x, int y, int start, int end, int xradius, int yradius);
void __gr_sector(int x, int y, int start, int end, int xradius, int yradius);

/* ------------------------------------------------------------------ */
/* Images                                                             */
/* ------------------------------------------------------------------ */

/* bytes that getimage needs for the box; 0 when too large */
unsigned imagesize(int left, int top, int right, int bottom);
void getimage(int left, int top, int right, int bottom, void *bitmap);
/* op: COPY_PUT, XOR_PUT, OR_PUT, AND_PUT or NOT_PUT */
void putimage(int left, int top, const void *bitmap, int op);

/* ------------------------------------------------------------------ */
/* Text                                                               */
/* ------------------------------------------------------------------ */

/* font 0..30, direction HORIZ_DIR or VERT_DIR, size 1..10 (0: user size) */
void settextstyle(int font, int direction, int size);
void settextjustify(int horiz, int vert);
void gettextsettings(struct textsettingstype *ts);
/* the scale of USER_CHAR_SIZE: multx / divx across, multy / divy up */
void setusercharsize(int multx, int divx, int multy, int divy);
/* nonzero: stroke text uses the line style and thickness */
void textlinestyle(int flag);
void outtext(const char *text);
void outtextxy(int x, int y, const char *text);
int textwidth(const char *text);
int textheight(const char *text);
/* a .chr stroke font (slot 11..20) or a library font file with ".fnt" in
 * its name (slot 21..29); the font number or an error code */
int installuserfont(const char *name);
/* a .chr image in memory (kept by the caller); the font number or error */
int registerbgifont(void *image);
int registerfarbgifont(void *image);
int __gr_registerfarbgifont(void *image);

/* ------------------------------------------------------------------ */
/* Colours and palette                                                */
/* ------------------------------------------------------------------ */

void setcolor(int color);
int getcolor(void);
void setbkcolor(int color);
int getbkcolor(void);
int getmaxcolor(void);
/* white in the current mode: 15 up to 256 colours */
int __gr_White(void);
/* any colour: a palette cell (shared) or a packed pixel */
int COLOR(int r, int g, int b);
/* packs red, green and blue into the drawing colour, allocating nothing */
void setrgbcolor(int r, int g, int b);
void __gr_setrgbcolor(int r, int g, int b);
void getpalette(struct palettetype *pal);
void setallpalette(const struct palettetype *pal);
void setpalette(int index, int color);
void __gr_setpalette(int index, int color);
struct palettetype *getdefaultpalette(void);
int getpalettesize(void);
/* loads palette cell index with r, g, b (0..255) in palette modes */
void setrgbpalette(int index, int r, int g, int b);

/* ------------------------------------------------------------------ */
/* Keyboard, mouse and time                                           */
/* ------------------------------------------------------------------ */

/* nonzero while a key waits */
int kbhit(void);
/* one byte of a key; extended keys come as 0 and then their code */
int getch(void);
/* a whole key code (extended keys above 255) */
int getkey(void);
/* the shift-key state */
int getkbstat(void);
void delay(int msec);
int mousex(void);
int mousey(void);
/* nonzero when a click of that kind (WM_LBUTTONDOWN ...) is waiting */
int ismouseclick(int kind);
/* takes the waiting click of that kind: its position, or -1, -1 */
void getmouseclick(int kind, int *x, int *y);
void clearmouseclick(int kind);

/* ------------------------------------------------------------------ */
/* Layer state, for programs that set up the layer by hand            */
/* ------------------------------------------------------------------ */

struct _GR_bgiMode {                /* one node of the mode list */
    int width, height, colors;
    struct _GR_bgiMode *next;
};

extern int __gr_INIT;               /* 1 while graphics are initialised */
extern int __gr_Result;
extern int __gr_Mode, __gr_MaxMode;
extern int __gr_ADAPTER;
extern struct _GR_bgiMode *__gr_Modes;
extern int __gr_BGI_w, __gr_BGI_h, __gr_BGI_c, __gr_BGI_p;
extern int __gr_Y_page_offs;
extern int __gr_X, __gr_Y;
extern int __gr_color, __gr_colorbg, __gr_colorfill;
extern int __gr_WR;                 /* write-mode bits of lines */
extern int __gr_lstyle;
extern GrCustomLineStyle __gr_Line;
extern int __gr_fpatno;
extern GrPattern __gr_fillpattern;
extern unsigned char __gr_fpatterns[13][8];
extern int __gr_vpl, __gr_vpt, __gr_vpr, __gr_vpb, __gr_clip;
extern int __gr_Xasp, __gr_Yasp;
extern int __gr_TextLineStyle;
extern char __gr_BGICHR[128];
extern struct palettetype __gr_EGAdef;

/* Font slots: 0 the 8x8 font, 1..10 the standard stroke fonts, 11..20
 * further stroke fonts (.chr images), 21..30 library fonts (GrFont *). */
#define __GR_NFONTS 31
extern void *__gr_text_Fonts[__GR_NFONTS];
extern struct textsettingstype __gr_text_setting;
extern int __gr_text_multx, __gr_text_divx, __gr_text_multy, __gr_text_divy;
extern int __gr_text_usr_multx, __gr_text_usr_divx, __gr_text_usr_multy, __gr_text_usr_divy;
extern int __gr_text_height;
extern void *__gr_text_fntptr;
extern GrTextStyle __gr_text_style;
extern GrFont *__gr_text_DefaultFonts[11];
/* sets the text state up once; text calls do it themselves */
void __gr_text_init(void);
int __gr_text_Width(int length, const char *text);
int __gr_text_Height(int length, const char *text);
int __gr_text_registerfont(int first, int last, void *image);
int __gr_text_installfont(int first, int last, const char *name);
/* fills a 256-entry character table (__gr_text_fntptr's kind) */
int __gr_text_ChrFontInfo(void *image, void *table, int *height);

#ifdef __cplusplus
}

/* C++: a title and the rest are optional */
inline int initwindow(int width, int height, const char *title = "PXL", int left = 0,
                      int top = 0, bool dbflag = false, bool closeflag = true)
{
    return __gr_initwindow(width, height, title, left, top, dbflag, closeflag);
}

/* C++: plain int variables receive the position */
inline void getmouseclick(int kind, int &x, int &y)
{
    getmouseclick(kind, &x, &y);
}

#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 199901L
/* C99: initwindow(w, h) up to initwindow(w, h, title, left, top, db, close) */
#define __GR_NARGS_(a1, a2, a3, a4, a5, a6, a7, n, ...) n
#define __GR_NARGS(...) __GR_NARGS_(__VA_ARGS__, 7, 6, 5, 4, 3, 2, 1, 0)
#define initwindow(...) __gr_initwindow_n(__GR_NARGS(__VA_ARGS__), __VA_ARGS__)
#else
/* C89: width and height only; __gr_initwindow takes all */
#define initwindow(w, h) __gr_initwindow_n(2, (w), (h))
#endif

#endif /* GRAPHICS_H_INCLUDED */
