/*
 * pxl.h - public records and calls of the PXL graphics library.
 *
 * Usable from C (C89 and later) and C++. Copyright (C) 2026 the zevgraph
 * developers. LGPL-2.1-or-later; see LICENSE.
 *
 * ---------------------------------------------------------------- GUIDE
 *
 * A first program: draw into memory and save the picture as a PNG file.
 *
 *     #include <pxl.h>
 *
 *     int main(void)
 *     {
 *         GrTextStyle style = {0};
 *         GrColor red;
 *         if (!GrSetDriver("memory"))
 *             return 1;
 *         GrSetMode(GR_mode_graphics_size_colors, 320, 200, 256);
 *         red = GrAllocColor(255, 0, 0);
 *         GrClearScreen(GrWhite());
 *         GrLine(0, 0, 319, 199, red);
 *         GrFilledBox(20, 20, 99, 59, red);
 *         style.font = &GrFont_PC8x16;
 *         style.fgcolor.v = GrBlack();
 *         style.bgcolor.v = GR_NOCOLOR;
 *         GrDrawString("Hello", 5, 20, 80, &style);
 *         return GrSaveContextToPng(NULL, "hello.png") != 0;
 *     }
 *
 * Build it against an installed library with
 *     cc hello.c $(pkg-config --cflags --libs pxl)
 *
 * Drivers. A video driver owns the display. GrSetDriver("memory") picks the
 * memory driver, which draws into ordinary memory and shows nothing (for
 * tests, batch jobs and PNG output). GrSetDriver(NULL) reads the name from
 * the environment variable PXLDRV, which may also set the default sizes
 * and colour counts: PXLDRV="memory gw 800 gh 600 nc 256". The first
 * GrSetMode without a driver calls GrSetDriver(NULL); with no name there
 * either, it picks a driver by detection (the window driver, when a
 * display can be opened); the memory driver is never detected: name it.
 * When no driver can be had, that GrSetMode ends the program with
 * "GrSetMode: could not find suitable video driver" (see Failures).
 * GrSetDriver returns 1, or 0 when the name is unknown.
 *
 * Modes. GrSetMode(selector, ...) sets a mode and returns 1; a mode that
 * cannot be set ends the program (see Failures). The selector is followed
 * by these int arguments: w, h the size (pixels; characters in text
 * modes), colors a colour count, bpp bits per pixel, vw, vh a larger
 * virtual screen (used only by drivers that can scroll).
 *
 *     GR_mode_text_80x25, GR_mode_text_default, GR_mode_text_largest      -
 *     GR_mode_text_size                                                 w, h
 *     GR_mode_text_size_colors                                  w, h, colors
 *     GR_mode_text_size_bpp                                        w, h, bpp
 *     GR_mode_graphics_320x200, GR_mode_graphics_800x600,
 *     GR_mode_graphics_largest, GR_mode_graphics_default                   -
 *     GR_mode_graphics_size                                             w, h
 *     GR_mode_graphics_size_colors                              w, h, colors
 *     GR_mode_graphics_size_bpp                                    w, h, bpp
 *     GR_mode_graphics_custom                           w, h, colors, vw, vh
 *     GR_mode_graphics_custom_bpp                          w, h, bpp, vw, vh
 *
 * Each has a twin ending in _noclear, with the same arguments, that asks
 * the driver to keep the picture. Selectors without colors or bpp use the
 * default colour count, 16, and GR_mode_graphics_default the default size,
 * 640 x 480, unless PXLDRV says otherwise. The driver takes the mode that
 * fits the request best. The memory driver makes any size up to 32767 x
 * 32767 at 1, 4, 8 or 24 bits per pixel (2, 16, 256 or 16777216 colours);
 * other depths fail. After GrSetMode the current context is the whole
 * screen, the colour table is fresh, and on the memory driver every pixel
 * is 0 (black). A text mode ends graphics: drawing on the screen then
 * ends the program.
 *
 * Contexts and clipping. All drawing goes into the current context, a
 * rectangle of a frame (a block of pixels) with its own clip box. Points
 * are context coordinates: (0, 0) is the top-left pixel, y grows down;
 * every box and line includes both of its ends, and clip boxes are
 * inclusive on all four sides. Whatever lies outside the clip box is not
 * drawn. The current context is GrContextInfo->current.gc_xmax + 1
 * pixels wide and gc_ymax + 1 high. GrCreateFrameContext makes a context
 * on memory of its own, GrCreateSubContext one that shows a part of
 * another. GrSetContext makes a copy of a context current (NULL: the
 * screen): later changes to your record reach drawing only when you
 * select it again, and GrSetClipBox changes the current copy only.
 * GrSetMode replaces the screen and makes it current again.
 *
 * Colours and write modes. A GrColor holds a colour value in its low 24
 * bits and a write mode on top: GR_WRITE (replace; 0), GR_XOR, GR_OR or
 * GR_AND, e.g. GR_XOR | red, which combine the pixel's value with the
 * colour's bit by bit (in palette modes the cell numbers: XOR drawn twice
 * restores the picture, but its colour in between is whatever cell comes
 * out). GR_IMAGE (with a key colour) is for copies of pixmap patterns
 * only. In 16- and 256-colour modes a value is a cell of the colour
 * table; cells 0-15 hold the 16 standard colours (0 black, 1 blue, ...
 * 15 white) until changed. In other modes a value is the packed pixel.
 * Either way, GrAllocColor(r, g, b) (components 0-255) gives the value
 * to use, and GrBlack() and GrWhite() give black and white. GR_NOCOLOR
 * draws nothing; as a text background it is transparent.
 *
 * Failures. Calls report failure by their result and print nothing:
 * calls that make or find something (contexts, fonts, scan lines, modes
 * of a list) return NULL; colour allocations return GR_NOCOLOR;
 * GrSetDriver and GrSetViewport return 0; GrSaveContextToPng returns -1
 * and leaves an existing file as it was. Drawing calls return nothing.
 * Two failures end the program with status 1 after a message on stderr:
 * GrSetMode that cannot set a mode ("GrSetMode: ..."), and any drawing,
 * reading or export call on the screen while no graphics mode is set,
 * that is before the first GrSetMode, in a text mode or after the driver
 * was closed or replaced ("PXL Error: graphics operation attempted ...").
 *
 * Text. Fill a GrTextStyle (zero it first): a font (the built-in
 * &GrFont_PC8x8 and &GrFont_PC8x16, or one from GrLoadFont), the colours
 * fgcolor.v and bgcolor.v (GR_NOCOLOR: transparent), the character type
 * chrtype (GR_BYTE_TEXT, one byte a character; GR_WORD_TEXT, a 16-bit
 * unit; GR_ATTR_TEXT, 16-bit units with an attribute byte on top that
 * picks the colours from the tables fgcolor.p and bgcolor.p; any other
 * value counts as GR_BYTE_TEXT), the direction (GR_TEXT_RIGHT, 0, and
 * the other GR_TEXT_*) and the alignment (GR_ALIGN_*). For GrDrawString,
 * length is the number of characters to draw, not a byte count, and the
 * text needs no terminating 0: pass strlen(s) for a C string. (x, y) is
 * the point of the text that xalign and yalign name; with both 0
 * (GR_ALIGN_LEFT, GR_ALIGN_TOP) it is the top-left corner.
 *
 * Null pointers are never dereferenced. A null context means the screen
 * for GrSetContext, GrCreateSubContext and GrClearContextC, and the
 * current context for GrGetScanlineC and GrSaveContextToPng; a null
 * "where" record or frame memory makes the call allocate one;
 * GrSetDriver(NULL) reads PXLDRV. Otherwise a call given a null pointer
 * does nothing: a null array with a positive count, a null pattern, line
 * style, text style or font draws nothing, calls that make something
 * return NULL, and null output pointers are skipped.
 *
 * Threads. Make every call from one thread, the drawing thread; the
 * library takes no locks. A windowed driver runs a window thread of its
 * own, internally; input calls are made from the drawing thread too.
 *
 * The records and calls follow, each with a note where its name does not
 * say it all. Read the library's state through GrDriverInfo,
 * GrContextInfo, GrColorInfo and GrMouseInfo; never write it.
 */
#ifndef PXL_H_INCLUDED
#define PXL_H_INCLUDED

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------ */
/* Colours and write modes                                            */
/* ------------------------------------------------------------------ */

/* Low 24 bits: palette cell or packed pixel; bits 24-27: write mode;
 * bit 28: underline (text foreground only). */
typedef uint32_t GrColor;

#define GR_WRITE     0x00000000U
#define GR_XOR       0x01000000U
#define GR_OR        0x02000000U
#define GR_AND       0x03000000U
#define GR_IMAGE     0x04000000U
#define GR_UNDERLINE_TEXT 0x10000000U

#define GR_VALUEMASK 0x00FFFFFFU
#define GR_MODEMASK  0xFF000000U
/* XOR with 0: drawing with it changes nothing; also "no colour". */
#define GR_NOCOLOR   (GR_XOR | 0U)

/* ------------------------------------------------------------------ */
/* Frame modes                                                        */
/* ------------------------------------------------------------------ */

typedef enum _GR_frameModes {
    GR_frameUndef = 0,
    GR_frameText = 1,
    GR_frameHERC1 = 2,
    GR_frameEGAVGA1 = 3,
    GR_frameEGA4 = 4,
    GR_frameSVGA4 = 5,
    GR_frameSVGA8 = 6,
    GR_frameVGA8X = 7,
    GR_frameSVGA16 = 8,
    GR_frameSVGA24 = 9,
    GR_frameSVGA32L = 10,
    GR_frameSVGA32H = 11,
    GR_frameSVGA8_LFB = 12,
    GR_frameSVGA16_LFB = 13,
    GR_frameSVGA24_LFB = 14,
    GR_frameSVGA32L_LFB = 15,
    GR_frameSVGA32H_LFB = 16,
    GR_frameRAM1 = 17,
    GR_frameRAM4 = 18,
    GR_frameRAM8 = 19,
    GR_frameRAM16 = 20,
    GR_frameRAM24 = 21,
    GR_frameRAM32L = 22,
    GR_frameRAM32H = 23,
    GR_frameRAM3x8 = 24,

    /* displayed formats share the screen numbers */
    GR_frameXWIN1 = GR_frameEGAVGA1,
    GR_frameWIN32_1 = GR_frameEGAVGA1,
    GR_frameXWIN4 = GR_frameSVGA4,
    GR_frameWIN32_4 = GR_frameSVGA4,
    GR_frameXWIN8 = GR_frameSVGA8,
    GR_frameWIN32_8 = GR_frameSVGA8,
    GR_frameSDL8 = GR_frameSVGA8,
    GR_frameXWIN16 = GR_frameSVGA16,
    GR_frameWIN32_16 = GR_frameSVGA16,
    GR_frameSDL16 = GR_frameSVGA16,
    GR_frameXWIN24 = GR_frameSVGA24,
    GR_frameWIN32_24 = GR_frameSVGA24,
    GR_frameSDL24 = GR_frameSVGA24,
    GR_frameXWIN32L = GR_frameSVGA32L,
    GR_frameWIN32_32L = GR_frameSVGA32L,
    GR_frameSDL32L = GR_frameSVGA32L,
    GR_frameXWIN32H = GR_frameSVGA32H,
    GR_frameWIN32_32H = GR_frameSVGA32H,
    GR_frameSDL32H = GR_frameSVGA32H,

    /* ranges */
    GR_firstTextFrameMode = GR_frameText,
    GR_lastTextFrameMode = GR_frameText,
    GR_firstGraphicsFrameMode = GR_frameHERC1,
    GR_lastGraphicsFrameMode = GR_frameSVGA32H_LFB,
    GR_firstRAMframeMode = GR_frameRAM1,
    GR_lastRAMframeMode = GR_frameRAM3x8
} GrFrameMode;

/* ------------------------------------------------------------------ */
/* Records                                                            */
/* ------------------------------------------------------------------ */

typedef struct _GR_frameDriver   GrFrameDriver;
typedef struct _GR_frame         GrFrame;
typedef struct _GR_context       GrContext;
typedef struct _GR_videoMode     GrVideoMode;
typedef struct _GR_videoModeExt  GrVideoModeExt;
typedef struct _GR_videoDriver   GrVideoDriver;
struct _GR_cursor;
struct _GR_inputEvent;

/* Pixel operations of one frame format. Coordinates are frame-absolute
 * and already clipped; sizes are at least 1. All drawing slots draw into
 * the frame of the current context. */
struct _GR_frameDriver {
    enum _GR_frameModes mode;   /* the frame mode implemented */
    enum _GR_frameModes rmode;  /* memory mode holding the same pixels */
    int is_video;               /* draws into a displayed frame */
    int row_align;              /* line offset alignment in bytes */
    int num_planes;
    int bits_per_pixel;
    int32_t max_plane_size;     /* largest plane in bytes */
    int (*init)(GrVideoMode *md);
    GrColor (*readpixel)(GrFrame *f, int x, int y);
    void (*drawpixel)(int x, int y, GrColor c);
    void (*drawline)(int x, int y, int dx, int dy, GrColor c);
    void (*drawhline)(int x, int y, int w, GrColor c);
    void (*drawvline)(int x, int y, int h, GrColor c);
    void (*drawblock)(int x, int y, int w, int h, GrColor c);
    void (*drawbitmap)(int x, int y, int w, int h, const unsigned char *bmp,
                       int pitch, int start, GrColor fg, GrColor bg);
    void (*drawpattern)(int x, int y, int w, unsigned char patt,
                        GrColor fg, GrColor bg);
    void (*bitblt)(GrFrame *dst, int dx, int dy, GrFrame *src, int sx, int sy,
                   int w, int h, GrColor op);
    void (*bltv2r)(GrFrame *dst, int dx, int dy, GrFrame *src, int sx, int sy,
                   int w, int h, GrColor op);
    void (*bltr2v)(GrFrame *dst, int dx, int dy, GrFrame *src, int sx, int sy,
                   int w, int h, GrColor op);
    GrColor *(*getindexedscanline)(GrFrame *f, int x, int y, int w,
                                   int *indx);
    void (*putscanline)(int x, int y, int w, const GrColor *scl, GrColor op);
};

/* ownership bits of gf_memflags */
#define GR_ownContext     1
#define GR_ownFrameMemory 2

struct _GR_frame {
    unsigned char *gf_baseaddr[4];  /* one base address per bit plane */
    short gf_selector;
    signed char gf_onscreen;        /* screen frame: guarded against the mouse */
    signed char gf_memflags;        /* GR_ownContext | GR_ownFrameMemory */
    int gf_lineoffset;              /* bytes from row to row in every plane */
    const struct _GR_frameDriver *gf_driver;
};

struct _GR_context {
    struct _GR_frame gc_frame;
    struct _GR_context *gc_root;    /* top-level context of a sub-context */
    int gc_xmax, gc_ymax;           /* width - 1, height - 1 */
    int gc_xoffset, gc_yoffset;     /* (0, 0) in frame coordinates */
    int gc_xcliplo, gc_ycliplo;     /* inclusive clip box */
    int gc_xcliphi, gc_ycliphi;
    int gc_usrxbase, gc_usrybase;   /* user window: always 0 here */
    int gc_usrwidth, gc_usrheight;
};

struct _GR_videoMode {
    signed char present;            /* may be chosen */
    signed char bpp;
    short width, height;
    short mode;                     /* driver-specific mode number */
    int lineoffset;
    int privdata;
    struct _GR_videoModeExt *extinfo;
};

/* GrVideoModeExt flags */
#define GR_vmodeLinear 1
#define GR_vmodeMemory 8

struct _GR_videoModeExt {
    enum _GR_frameModes mode;       /* pixel format; GR_frameText: text mode */
    struct _GR_frameDriver *drv;    /* mode's own frame driver, or null */
    unsigned char *frame;           /* base of the frame memory */
    unsigned char cprec[3];         /* bits of red, green, blue */
    unsigned char cpos[3];          /* bit positions of red, green, blue */
    int flags;
    int (*setup)(GrVideoMode *md, int noclear);
    int (*setvsize)(GrVideoMode *md, int w, int h, GrVideoMode *result);
    int (*scroll)(GrVideoMode *md, int x, int y, int result[2]);
    void (*setbank)(int bk);
    void (*setrwbanks)(int rb, int wb);
    void (*loadcolor)(int c, int r, int g, int b);
    int LFB_Selector;
};

struct _GR_videoDriver {
    const char *name;
    int adapter;
    struct _GR_videoDriver *parent;
    GrVideoMode *modes;
    int mode_count;
    int (*detect)(void);
    int (*init)(const char *options);
    void (*reset)(void);
    GrVideoMode *(*selectmode)(struct _GR_videoDriver *drv, int w, int h,
                               int bpp, int txt, unsigned int *ep);
    unsigned int flags;
};

/* GrSetMode selectors */
typedef enum _GR_graphicsModes {
    GR_mode_text_80x25 = 0,
    GR_mode_text_default,
    GR_mode_text_size,
    GR_mode_text_largest,
    GR_mode_graphics_320x200,
    GR_mode_graphics_default,
    GR_mode_graphics_size,
    GR_mode_graphics_800x600,
    GR_mode_graphics_largest,
    GR_mode_graphics_size_colors,
    GR_mode_text_size_colors,
    GR_mode_graphics_custom,
    GR_mode_text_80x25_noclear,
    GR_mode_text_default_noclear,
    GR_mode_text_size_noclear,
    GR_mode_text_largest_noclear,
    GR_mode_graphics_320x200_noclear,
    GR_mode_graphics_default_noclear,
    GR_mode_graphics_size_noclear,
    GR_mode_graphics_800x600_noclear,
    GR_mode_graphics_largest_noclear,
    GR_mode_graphics_size_colors_noclear,
    GR_mode_text_size_colors_noclear,
    GR_mode_graphics_custom_noclear,
    GR_mode_graphics_size_bpp,
    GR_mode_text_size_bpp,
    GR_mode_graphics_custom_bpp,
    GR_mode_graphics_size_bpp_noclear,
    GR_mode_text_size_bpp_noclear,
    GR_mode_graphics_custom_bpp_noclear
} GrModeKind;

/* Driver state: read through GrDriverInfo. */
struct _GR_driverInfo {
    struct _GR_videoDriver *video_driver;
    GrVideoMode *current_mode;
    GrVideoMode active_mode;
    struct _GR_frameDriver frame_driver;
    struct _GR_frameDriver screen_driver;
    struct _GR_frameDriver text_driver;
    int mode_kind;
    int default_text_width, default_text_height;
    int default_graphics_width, default_graphics_height;
    int default_text_colors, default_graphics_colors;
    int viewport_x, viewport_y;
    int errors_fatal;
    int restore_mode;
    int split_banks;
    int current_bank;
    void (*mode_set_hook)(void);
    void (*set_bank)(int bk);
    void (*set_rw_banks)(int rb, int wb);
};

/* Context state: read through GrContextInfo. */
struct _GR_contextInfo {
    struct _GR_context current;   /* where drawing goes */
    struct _GR_context screen;    /* the whole screen of the last mode set */
};

/* Mouse state: read through GrMouseInfo. All zero until input starts. */
struct _GR_mouseInfo {
    int (*block)(GrContext *c, int x1, int y1, int x2, int y2);
    void (*unblock)(int flags);
    void (*uninit)(void);
    struct _GR_cursor *mouse_cursor;
    struct _GR_inputEvent *events;
    int mouse_state;
    int cursor_shown;
    int block_state;
    int must_check;
    int cursor_mode;
    int mode_x1, mode_y1, mode_x2, mode_y2;
    GrColor mode_color;
    int cursor_owned;
    int mouse_x, mouse_y;
    int limit_x1, limit_y1, limit_x2, limit_y2;
    int speed_mul, speed_div, accel_threshold, accel_factor;
    int has_moved;
    int queue_size, queue_count, queue_read, queue_write;
};

/* ------------------------------------------------------------------ */
/* Colour table                                                       */
/* ------------------------------------------------------------------ */

/* cell flags */
#define GR_COLOR_LOADED     1U   /* components valid and loaded */
#define GR_COLOR_CHANGEABLE 2U   /* private cell whose owner may change it */

struct _GR_colorCell {
    unsigned char r, g, b;      /* loaded components, masked to precision */
    unsigned char pad;
    uint32_t flags;
    uint32_t refcount;
};

/* How colour values map to red, green and blue in the current mode. */
struct _GR_colorTable {
    uint32_t numcolors;
    uint32_t numfree;           /* palette mode: cells with no reference */
    GrColor black;              /* GR_NOCOLOR until first asked for */
    GrColor white;
    uint32_t rgbmode;           /* nonzero: values are packed pixels */
    uint32_t prec[3];           /* bits of red, green, blue */
    uint32_t toppos[3];         /* most significant bit of each channel */
    uint32_t mask[3];           /* kept bits of an 8-bit component */
    uint32_t round[3];          /* half of the lowest kept bit */
    int32_t shift[3];           /* left shift of a masked component */
    int32_t normshift;          /* common right shift after it */
    struct _GR_colorCell cells[256];
};

extern const struct _GR_colorTable *const GrColorInfo;

/* Rebuilds the colour table as a mode set leaves it; 0 on failure. */
int GrResetColors(void);
/* Turns a 16- or 256-colour palette into fixed RGB levels (3-3-2 bits
 * of red, green, blue in 256 colours), so values are packed pixels. */
void GrSetRGBcolorMode(void);
/* Loads every defined cell into the display again. */
void GrRefreshColors(void);
/* A shared colour nearest to (r, g, b), components 0-255; GR_NOCOLOR when
 * the palette is full. Give it back with GrFreeColor. */
GrColor GrAllocColor(int r, int g, int b);
/* A private palette cell, black, whose colour GrSetColor may change;
 * GR_NOCOLOR in RGB modes or when none is free. */
GrColor GrAllocCell(void);
/* Drops one reference of a shared colour. */
void GrFreeColor(GrColor c);
/* Gives a private cell back. */
void GrFreeCell(GrColor c);
/* Sets the components of a private cell. */
void GrSetColor(GrColor c, int r, int g, int b);
/* The components 0-255 of a colour value (0, 0, 0 for an undefined cell). */
void GrQueryColor(GrColor c, int *r, int *g, int *b);
/* The same packed as 0xRRGGBB. */
void GrQueryColor2(GrColor c, uint32_t *hcolor);
/* Bytes that GrSaveColors writes. */
int GrColorSaveBufferSize(void);
/* Copies the colour table into buffer (GrColorSaveBufferSize bytes). */
void GrSaveColors(void *buffer);
/* Takes a saved table back; ignored when saved in a mode of another
 * colour count. */
void GrRestoreColors(void *buffer);

/* ------------------------------------------------------------------ */
/* Drivers and modes                                                  */
/* ------------------------------------------------------------------ */

/* Chooses and starts a video driver: "name [key value]...", keys gw, gh
 * (default graphics size), nc (colours, with K or M: 64K, 16M), tw, th,
 * tc (text); NULL reads PXLDRV. 1 on success, 0 when the name is unknown,
 * nothing is detected or the driver fails to start. */
int GrSetDriver(const char *drvspec);
/* Sets a mode: a GrModeKind and its int arguments (see the guide above).
 * Returns 1; failure ends the program. */
int GrSetMode(int which, ...);
/* The modes of the driver in use with that frame format, one by one;
 * NULL after the last, and when no driver is in use. */
const GrVideoMode *GrFirstVideoMode(enum _GR_frameModes fmode);
const GrVideoMode *GrNextVideoMode(const GrVideoMode *prev);

/* ------------------------------------------------------------------ */
/* Contexts                                                           */
/* ------------------------------------------------------------------ */

/* A w x h context on a memory frame of format md (GR_frameRAM8 and the
 * like; a displayed format means the memory format of its pixels): on the
 * given planes, or on new cleared memory when memory is NULL; in *where,
 * or a new record when where is NULL. NULL on failure. */
GrContext *GrCreateFrameContext(enum _GR_frameModes md, int w, int h,
                                unsigned char *memory[4], GrContext *where);
/* A context showing the box (x1, y1)-(x2, y2) of parent (NULL: the
 * screen), cut to the parent's frame; NULL when the box misses it. */
GrContext *GrCreateSubContext(int x1, int y1, int x2, int y2,
                              const GrContext *parent, GrContext *where);
/* Moves a sub-context to the box (x1, y1)-(x2, y2) of its root frame. */
void GrResizeSubContext(GrContext *ctx, int x1, int y1, int x2, int y2);
/* Frees what the library allocated for ctx. Select another context
 * first when ctx is current. */
void GrDestroyContext(GrContext *ctx);
/* Makes a copy of ctx (NULL: the screen) the current context. */
void GrSetContext(const GrContext *ctx);
/* Copies the current context into *where (NULL: a new record, free it
 * with GrDestroyContext); the copy never owns frame memory. */
GrContext *GrSaveContext(GrContext *where);

/* The clip box of the current context (or of ctx): corners in any order,
 * cut to the context; a box wholly outside changes nothing. */
void GrSetClipBox(int x1, int y1, int x2, int y2);
void GrSetClipBoxC(GrContext *ctx, int x1, int y1, int x2, int y2);
/* The clip box becomes the whole context. */
void GrResetClipBox(void);
void GrResetClipBoxC(GrContext *ctx);
/* Scrolls a virtual screen to show (x, y) at the top left; 0 when the
 * mode has none. */
int GrSetViewport(int x, int y);

/* Fill the whole screen, current context, or ctx (NULL: the screen),
 * ignoring the clip box. */
void GrClearScreen(GrColor bg);
void GrClearContext(GrColor bg);
void GrClearContextC(GrContext *ctx, GrColor bg);

/* Planes, bytes per row, bytes per plane and bytes in all of a memory
 * frame of format md and w x h pixels; 0 for an unknown format. */
int GrFrameNumPlanes(enum _GR_frameModes md);
int GrFrameLineOffset(enum _GR_frameModes md, int w);
int GrFramePlaneSize(enum _GR_frameModes md, int w, int h);
int GrFrameContextSize(enum _GR_frameModes md, int w, int h);

/* Black and white in the current mode. */
GrColor GrBlack(void);
GrColor GrWhite(void);

/* ------------------------------------------------------------------ */
/* Basic drawing                                                      */
/* ------------------------------------------------------------------ */

/* Lines and boxes include both ends; corners may come in any order. */
void GrLine(int x1, int y1, int x2, int y2, GrColor c);
/* Note the order: two x ends, then y. */
void GrHLine(int x1, int x2, int y, GrColor c);
void GrVLine(int x, int y1, int y2, GrColor c);
/* An outline that writes every pixel once (XOR-safe). */
void GrBox(int x1, int y1, int x2, int y2, GrColor c);
void GrFilledBox(int x1, int y1, int x2, int y2, GrColor c);
/* No clipping: ordered corners that lie inside the context only. */
void GrFilledBoxNC(int x1, int y1, int x2, int y2, GrColor c);
/* The colour values of pixels x1..x2 of row yy of the current context (or
 * of ctx, NULL: the current one); NULL unless the whole run lies in the
 * clip box. The values stay valid until the next call of the library. */
const GrColor *GrGetScanline(int x1, int x2, int yy);
const GrColor *GrGetScanlineC(GrContext *ctx, int x1, int x2, int yy);

/* ------------------------------------------------------------------ */
/* Patterns, polygons, custom lines, ellipses                         */
/* ------------------------------------------------------------------ */

/* An 8-pixel-wide bitmap in two colours, rows repeating. */
typedef struct _GR_bitmapPattern {
    int is_pixmap;              /* 0 */
    int rows;
    const unsigned char *bits;  /* a byte a row; bit 7 is the leftmost */
    GrColor fg, bg;
} GrBitmapPattern;

/* A tile of pixels held in a memory frame. */
typedef struct _GR_pixmapPattern {
    int is_pixmap;              /* nonzero */
    int width, height;
    GrColor op;                 /* write mode of the copies */
    GrFrame source;
} GrPixmapPattern;

/* Patterns are anchored to the frame: frame pixel (x, y) takes bitmap row
 * y mod rows, column x mod 8, or tile pixel (x mod width, y mod height). */
typedef union _GR_pattern {
    int is_pixmap;
    GrBitmapPattern bitmap;
    GrPixmapPattern pixmap;
} GrPattern;

/* what a filler draws with: a colour or a pattern */
typedef union _GR_fillArg {
    GrColor color;
    const GrPattern *pattern;
} GrFillArg;

/* A way of drawing pixels, lines and spans; frame coordinates, clipped. */
typedef struct _GR_fillOps {
    void (*pixel)(int x, int y, GrFillArg arg);
    void (*line)(int x, int y, int dx, int dy, GrFillArg arg);
    void (*scan)(int x, int y, int w, GrFillArg arg);
} GrFillOps;

/* A pixel, a line and a filled box in the colours of a pattern. */
void GrPatternFilledPlot(int x, int y, const GrPattern *p);
void GrPatternFilledLine(int x1, int y1, int x2, int y2, const GrPattern *p);
void GrPatternFilledBox(int x1, int y1, int x2, int y2, const GrPattern *p);

/* polygons: arrays of n (x, y) points */
/* Open: the last point is not joined to the first. */
void GrPolyLine(int n, const int points[][2], GrColor c);
/* Closed: the last point is joined to the first. */
void GrPolygon(int n, const int points[][2], GrColor c);
/* Any polygon, filled by the even-odd rule. */
void GrFilledPolygon(int n, const int points[][2], GrColor c);
/* Faster, for convex polygons only. */
void GrFilledConvexPolygon(int n, const int points[][2], GrColor c);
void GrPatternFilledPolygon(int n, const int points[][2], const GrPattern *p);

/* Lines with a width and a dash pattern of alternately drawn and skipped
 * run lengths, starting with a drawn one. */
typedef struct _GR_lineOption {
    GrColor color;
    int width;                  /* 0 or 1: thin */
    int pattern_length;         /* 0 or less: solid */
    const unsigned char *pattern;
} GrCustomLineStyle;

/* A line, box outline, open and closed polygon in a line style. */
void GrCustomLine(int x1, int y1, int x2, int y2, const GrCustomLineStyle *o);
void GrCustomBox(int x1, int y1, int x2, int y2, const GrCustomLineStyle *o);
void GrCustomPolyLine(int n, const int points[][2], const GrCustomLineStyle *o);
void GrCustomPolygon(int n, const int points[][2], const GrCustomLineStyle *o);

/* arc closing styles; angles in tenths of a degree, counter-clockwise */
#define GR_arcOpen  0
#define GR_arcChord 1
#define GR_arcPie   2
#define GR_MAX_ELLIPSE_POINTS 1024

/* Centre (xc, yc), radii xa across and ya down. */
void GrEllipse(int xc, int yc, int xa, int ya, GrColor c);
void GrCircle(int xc, int yc, int r, GrColor c);
void GrFilledEllipse(int xc, int yc, int xa, int ya, GrColor c);
void GrFilledCircle(int xc, int yc, int r, GrColor c);
/* The arc from angle start to end, closed as style GR_arc* says. */
void GrEllipseArc(int xc, int yc, int xa, int ya, int start, int end,
                  int style, GrColor c);
/* A filled chord segment (GR_arcOpen, GR_arcChord) or pie slice. */
void GrFilledEllipseArc(int xc, int yc, int xa, int ya, int start, int end,
                        int style, GrColor c);
void GrPatternFilledEllipseArc(int xc, int yc, int xa, int ya, int start,
                               int end, int style, const GrPattern *p);
/* The points of an arc (start == end: a whole ellipse) into points, room
 * for GR_MAX_ELLIPSE_POINTS; returns how many. */
int GrGenerateEllipseArc(int xc, int yc, int xa, int ya, int start, int end,
                         int points[][2]);
int GrGenerateEllipse(int xc, int yc, int xa, int ya, int points[][2]);
/* First point, last point and centre of the last arc that was generated
 * (also by the arc drawing calls). */
void GrLastArcCoords(int *xs, int *ys, int *xe, int *ye, int *xc, int *yc);
/* The point of an ellipse at angle phi, in 1024ths of a turn. */
void GrSinCos(int phi, int cx, int cy, int rx, int ry, int point[2]);

/* ------------------------------------------------------------------ */
/* Fonts and text                                                     */
/* ------------------------------------------------------------------ */

struct _GR_fontHeader {
    char *name;                 /* owned by the font */
    char *family;               /* owned by the font */
    char proportional;          /* characters differ in width */
    char scalable;              /* the driver draws it at any size */
    char preloaded;             /* compiled in, never freed */
    char modified;              /* GR_FONTCVT_* bits actually applied */
    unsigned int width;         /* nominal character width */
    unsigned int height;
    unsigned int baseline;      /* row of the baseline from the top */
    unsigned int ulpos;         /* first row of the underline */
    unsigned int ulheight;      /* underline thickness */
    unsigned int minchar;       /* first code */
    unsigned int numchars;      /* codes minchar .. minchar + numchars - 1 */
};

struct _GR_fontChrInfo {
    unsigned int width;         /* pixels */
    unsigned int offset;        /* byte offset of the glyph in bitmap */
};

typedef struct _GR_font {
    struct _GR_fontHeader h;
    char *bitmap;               /* all glyphs: rows of (w + 7) / 8 bytes */
    char *auxmap;               /* turned and underlined glyphs, on demand */
    unsigned int minwidth, maxwidth;
    unsigned int auxsize, auxnext;
    unsigned int *auxoffs[7];   /* per kind: offset + 1 in auxmap, 0 = none */
    struct _GR_fontChrInfo chrinfo[1];  /* numchars entries in fact */
} GrFont;

/* conversions of a font */
#define GR_FONTCVT_NONE         0
#define GR_FONTCVT_CHARRANGE    0x01
#define GR_FONTCVT_SCALE        0x02
#define GR_FONTCVT_SLANT        0x04
#define GR_FONTCVT_EMBOLDEN     0x08
#define GR_FONTCVT_FIXED        0x10
#define GR_FONTCVT_PROPORTIONAL 0x20

/* The built-in fonts: a GrFont followed by room for the rest of its 256
 * characters, used through the names GrFont_PC8x8 and GrFont_PC8x16. */
struct _GR_builtinFont {
    GrFont font;
    struct _GR_fontChrInfo more[255];
};
extern struct _GR_builtinFont _GrFontPC8x8;
extern struct _GR_builtinFont _GrFontPC8x16;
#define GrFont_PC8x8  (_GrFontPC8x8.font)
#define GrFont_PC8x16 (_GrFontPC8x16.font)

/* A new font made from another by the GR_FONTCVT_* bits of cvt: scaled
 * to w x h, codes cmin..cmax only, and so on; NULL on failure. */
GrFont *GrBuildConvertedFont(const GrFont *from, int cvt, int w, int h,
                             int cmin, int cmax);
/* The glyph of chr turned to direction dir and/or underlined, kept in the
 * font; valid until the next such call for the font. */
char *GrBuildAuxiliaryBitmap(GrFont *font, int chr, int dir, int ul);
/* Loads a font file (.fnt, .chr, .psf or raw, .fna, .res) by name, with
 * or without its extension, here or in the font path; NULL if none. */
GrFont *GrLoadFont(const char *name);
GrFont *GrLoadConvertedFont(const char *name, int cvt, int w, int h,
                            int cmin, int cmax);
/* Frees a loaded or built font; the built-in fonts stay. */
void GrUnloadFont(GrFont *font);
/* The directories searched for fonts, separated by ';' or blanks;
 * without a call, the environment variable PXLFONT. */
void GrSetFontPath(const char *path);

/* text directions, alignments and character types */
#define GR_TEXT_RIGHT 0
#define GR_TEXT_DOWN  1
#define GR_TEXT_LEFT  2
#define GR_TEXT_UP    3
#define GR_ALIGN_LEFT     0
#define GR_ALIGN_CENTER   1
#define GR_ALIGN_RIGHT    2
#define GR_ALIGN_TOP      0
#define GR_ALIGN_MIDDLE   1
#define GR_ALIGN_BOTTOM   2
#define GR_ALIGN_BASELINE 3
#define GR_BYTE_TEXT   0
#define GR_WORD_TEXT   1
#define GR_ATTR_TEXT   2
#define GR_UNDERLINE_BIT GR_UNDERLINE_TEXT

/* A colour, or for attribute text a pointer to a colour table (element 0
 * the count n, elements 1..n the colours): pointer-sized. */
typedef union _GR_textColor {
    GrColor v;
    const GrColor *p;
} GrTextColor;

typedef struct _GR_textOption {
    GrFont *font;               /* null draws nothing */
    GrTextColor fgcolor;
    GrTextColor bgcolor;        /* GR_NOCOLOR: transparent */
    signed char chrtype;        /* GR_BYTE_TEXT, GR_WORD_TEXT, GR_ATTR_TEXT */
    signed char direction;      /* GR_TEXT_RIGHT .. GR_TEXT_UP */
    signed char xalign;
    signed char yalign;
} GrTextStyle;

/* One character; for word and attribute text chr is the 16-bit unit. */
void GrDrawChar(int chr, int x, int y, const GrTextStyle *opt);
/* length characters of text (not bytes, no terminating 0 needed) at the
 * point (x, y) that the style's alignment names. */
void GrDrawString(const void *text, int length, int x, int y,
                  const GrTextStyle *opt);
/* The width in pixels of length characters of text in font. */
unsigned int GrProportionalTextWidth(const GrFont *font, const void *text,
                                     int length, int chrtype);

/* ------------------------------------------------------------------ */
/* Export                                                             */
/* ------------------------------------------------------------------ */

/* Writes the context (null: the current one) as an 8-bit RGB PNG file.
 * Returns 0, or -1 on any failure (also when the clip box does not cover
 * the whole context); a failed save leaves an existing file as it was. */
int GrSaveContextToPng(GrContext *ctx, const char *path);

extern const struct _GR_driverInfo *const GrDriverInfo;
extern const struct _GR_contextInfo *const GrContextInfo;
extern const struct _GR_mouseInfo *const GrMouseInfo;

/* ------------------------------------------------------------------ */
/* Graphics cursors                                                   */
/* ------------------------------------------------------------------ */

/* A small shape with a hot spot, shown over the screen and taken away
 * again without disturbing it. The work context holds the image and its
 * mask (top rows), the screen area under the cursor and a work area. */
typedef struct _GR_cursor {
    struct _GR_context work;
    int xpos, ypos;             /* screen position of the hot spot */
    int width, height;          /* size of the shape */
    int xhot, yhot;             /* hot spot within the shape */
    int areawidth, areaheight;  /* size of the saved screen area */
    int areax, areay;           /* screen position of that area while shown */
    int displayed;              /* nonzero while on the screen */
} GrCursor;

/* Builds a cursor for the mode in force from h rows of w bytes, pitch
 * bytes apart: 0 is transparent, k selects colours[k] (colours[0] = count;
 * beyond it, or without a table, colour 0). Null on failure. */
GrCursor *GrBuildCursor(const unsigned char *pixels, int pitch, int w, int h,
                        int xhot, int yhot, const GrColor *colors);
/* Takes the cursor off the screen and frees it; not the mouse's cursor. */
void GrDestroyCursor(GrCursor *cursor);
void GrDisplayCursor(GrCursor *cursor);
void GrEraseCursor(GrCursor *cursor);
/* Sets the hot spot position, redrawing the cursor when it is shown. */
void GrMoveCursor(GrCursor *cursor, int x, int y);

/* ------------------------------------------------------------------ */
/* Keyboard and mouse input                                           */
/* ------------------------------------------------------------------ */

/* A key code: the character of a character key (Backspace 8, Tab 9,
 * Enter 13, Esc 27, Ctrl with a letter 1 to 26), 256 and above for keys
 * without a character and for Alt with a letter or digit. */
typedef uint16_t GrKeyType;

#define GR_KEY_BACKSPACE 0x0008
#define GR_KEY_TAB       0x0009
#define GR_KEY_ENTER     0x000D
#define GR_KEY_ESC       0x001B
#define GR_KEY_F1        0x013B  /* F2 to F10 follow: 0x13C .. 0x144 */
#define GR_KEY_HOME      0x0147
#define GR_KEY_UP        0x0148
#define GR_KEY_PAGEUP    0x0149
#define GR_KEY_LEFT      0x014B
#define GR_KEY_RIGHT     0x014D
#define GR_KEY_END       0x014F
#define GR_KEY_DOWN      0x0150
#define GR_KEY_PAGEDOWN  0x0151
#define GR_KEY_INSERT    0x0152
#define GR_KEY_DELETE    0x0153
#define GR_KEY_F11       0x0185
#define GR_KEY_F12       0x0186

/* key state bits */
#define GR_KS_SHIFT  0x03       /* either Shift key (both bits together) */
#define GR_KS_CTRL   0x04
#define GR_KS_ALT    0x08
#define GR_KS_SCROLL 0x10       /* the lock keys while held down */
#define GR_KS_NUM    0x20
#define GR_KS_CAPS   0x40
#define GR_KS_INSERT 0x80

/* mouse buttons */
#define GR_BTN_LEFT   0x01
#define GR_BTN_RIGHT  0x02
#define GR_BTN_MIDDLE 0x04
#define GR_BTN_4      0x08      /* wheel turned away from the user */
#define GR_BTN_5      0x10      /* wheel turned toward the user */

/* event bits; POLL and NOPAINT only in a wait mask */
#define GR_EV_MOTION       0x0001
#define GR_EV_LEFT_DOWN    0x0002
#define GR_EV_LEFT_UP      0x0004
#define GR_EV_RIGHT_DOWN   0x0008
#define GR_EV_RIGHT_UP     0x0010
#define GR_EV_MIDDLE_DOWN  0x0020
#define GR_EV_MIDDLE_UP    0x0040
#define GR_EV_KEYPRESS     0x0080
#define GR_EV_POLL         0x0100  /* do not wait */
#define GR_EV_NOPAINT      0x0200  /* do not show the mouse cursor meanwhile */
#define GR_EV_BUTTON4_DOWN 0x0400
#define GR_EV_BUTTON4_UP   0x0800
#define GR_EV_COMMAND      0x1000  /* a window command; key holds its number */
#define GR_EV_BUTTON5_DOWN 0x2000
#define GR_EV_BUTTON5_UP   0x4000

/* One input event. */
typedef struct _GR_inputEvent {
    int flags;                  /* GR_EV_* bits */
    int x, y;                   /* mouse position in the window */
    int buttons;                /* GR_BTN_* bits after the event */
    int key;                    /* key code, or command number */
    int key_state;              /* GR_KS_* bits */
    int delta_time;             /* ms since the previous event; -1: none */
} GrInputEvent;

/* (Re)starts input with queues of n entries (4 to 256); pending input is
 * dropped. The key and event calls start it themselves. */
void GrMouseInitN(int n);
/* Nonzero when a window with a pointer exists. */
int GrMouseDetect(void);
/* Whether keys go into the event queue (kb) and mouse events are wanted. */
void GrMouseEventEnable(int kb, int ms);
/* Waits up to timeout ms for an event sharing a bit with mask, and fills
 * *ev; otherwise *ev is the current state (flags 0 or GR_EV_MOTION). */
void GrMouseGetEventT(int mask, GrInputEvent *ev, int timeout);
void GrMouseSetSpeed(int mul, int div);         /* each 1 .. 16 */
void GrMouseSetAccel(int threshold, int accel); /* 1 .. 64, 1 .. 16 */
/* The box that GrMouseWarp keeps the mouse in (screen coordinates). */
void GrMouseSetLimits(int x1, int y1, int x2, int y2);
/* Moves the mouse, and the window's pointer, to (x, y) within the limits. */
void GrMouseWarp(int x, int y);

/* Waits for a key and returns its code. Without a window the keys come
 * from standard input, a byte each (0x7F as Backspace); end of input is
 * Esc. */
GrKeyType GrKeyRead(void);
/* Nonzero when a key is waiting (without a window: a byte on standard
 * input, or its end). Never consumes it. */
int GrKeyPressed(void);
/* The key state bits of the last input handled. */
int GrKeyStat(void);

/* ------------------------------------------------------------------ */
/* Mouse cursor                                                       */
/* ------------------------------------------------------------------ */

/* cursor modes: a band drawn in XOR with the cursor */
#define GR_CURSOR_NORMAL      0
#define GR_CURSOR_RUBBER_BOX  1   /* args x1, y1, colour: box to the mouse */
#define GR_CURSOR_RUBBER_LINE 2   /* args x1, y1, colour: line to the mouse */
#define GR_CURSOR_DRAG_BOX    3   /* args dx1, dy1, dx2, dy2, colour */

/* Shows the mouse cursor (a red arrow unless set otherwise). */
void GrMouseDisplayCursor(void);
void GrMouseEraseCursor(void);
/* Makes cursor the mouse cursor; the caller keeps owning it. Not while
 * shown. */
void GrMouseSetCursor(GrCursor *cursor);
/* Rebuilds the arrow in two colours. Not while shown. */
void GrMouseSetColors(GrColor fill, GrColor border);
/* Selects a band mode (GR_CURSOR_*) with its arguments. Not while shown. */
void GrMouseSetCursorMode(int mode, ...);
/* Reads pending input and moves the shown cursor to the mouse. */
void GrMouseUpdateCursor(void);

#ifdef __cplusplus
}
#endif

#endif /* PXL_H_INCLUDED */
