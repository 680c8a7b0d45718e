/*
 * libpxl.h - internal globals and helpers shared by the parts of the
 * graphics library. Not installed.
 */
#ifndef LIBPXL_H_INCLUDED
#define LIBPXL_H_INCLUDED

#include "pxl.h"

#ifdef __cplusplus
extern "C" {
#endif

/* global state records (read-only to the public through Gr...Info) */
extern struct _GR_driverInfo _GrDriverInfo;
extern struct _GR_contextInfo _GrContextInfo;
extern struct _GR_mouseInfo _GrMouseInfo;

extern struct _GR_colorTable _GrColorInfo;

/* the context of the screen while no graphics mode is set: 1 x 1, on
 * the stand-by text driver */
extern const GrContext _GrStandbyContext;

/* the frame of the current context: where drawing slots draw */
#define CURC  (&_GrContextInfo.current)
#define CURF  (&_GrContextInfo.current.gc_frame)

/* frame drivers and their table (null-terminated) */
extern const struct _GR_frameDriver _GrFrameDriverRAM1;
extern const struct _GR_frameDriver _GrFrameDriverRAM4;
extern const struct _GR_frameDriver _GrFrameDriverRAM8;
extern const struct _GR_frameDriver _GrFrameDriverRAM16;
extern const struct _GR_frameDriver _GrFrameDriverRAM24;
extern const struct _GR_frameDriver _GrFrameDriverRAM32L;
extern const struct _GR_frameDriver _GrFrameDriverRAM32H;
/* the screen frames of the windowed driver: memory drivers that also mark
 * what they change for the window (graphics/window/winplat.h) */
extern const struct _GR_frameDriver _GrFrameDriverWIN32_8;
extern const struct _GR_frameDriver _GrFrameDriverWIN32_24;
extern const struct _GR_frameDriver *const _GrFrameDriverTable[];

/* video drivers and their table (null-terminated) */
extern GrVideoDriver _GrDriverMEM;
extern GrVideoDriver _GrVideoDriverX11;    /* built with PXL_WITH_X11 */
extern GrVideoDriver _GrVideoDriverWIN32;  /* built with PXL_WITH_WIN32 */
extern GrVideoDriver *const _GrVideoDriverTable[];

/* mode setting */
int _GrResetColors(void);
void _GrCloseVideoDriver(void);
/* closes the driver in use and starts drv with its option text; 0 when
 * its init fails (no driver is in use then) */
int _GrStartVideoDriver(GrVideoDriver *drv, const char *options);
void _GrDummyFunction(void);
extern void (*const _GrDummySetBank)(int);          /* bank routines doing nothing */
extern void (*const _GrDummySetRWBanks)(int, int);
const struct _GR_frameDriver *_GrFindFrameDriver(enum _GR_frameModes mode);
const struct _GR_frameDriver *_GrFindRAMframeDriver(enum _GR_frameModes mode);
GrVideoMode *_gr_selectmode(GrVideoDriver *drv, int w, int h, int bpp,
                            int txt, unsigned int *ep);

/* cursors: the memory frame mode that holds the screen's pixels (the
 * screen's own for a memory screen; undefined without a driver), and
 * whether a cursor was built for it */
enum _GR_frameModes _GrCursorFrameMode(void);
int _GrCursorFits(const GrCursor *c);

/* no-effect colours of runs in 8-bit frames, by operation 0..3 */
extern const uint32_t _GrFDdotable8[4];

/* shared scan-line buffer, lent for one call at a time */
extern void *_GrTempBuffer;
extern uint32_t _GrTempBufferBytes;
void *_GrTempBufferAlloc_(size_t bytes);
void _GrTempBufferFree(void);

/* generic copy and scan-line helpers */
void _GrFrDrvPackedBitBltR2R(GrFrame *dst, int dx, int dy, GrFrame *src,
                             int sx, int sy, int w, int h, GrColor op);
void _GrFrDrvGenericBitBlt(GrFrame *dst, int dx, int dy, GrFrame *src,
                           int sx, int sy, int w, int h, GrColor op);
GrColor *_GrFrDrvGenericGetIndexedScanline(GrFrame *f, int x, int y, int w,
                                           int *indx);
void _GrFrDrvGenericPutScanline(int x, int y, int w, const GrColor *scl,
                                GrColor op);

typedef void (*_GR_blitFunc)(GrFrame *dst, int dx, int dy, GrFrame *src,
                             int sx, int sy, int w, int h, GrColor op);
void _GR_rblit_14(GrFrame *dst, int dx, int dy, GrFrame *src, int sx, int sy,
                  int w, int h, GrColor op, int planes, _GR_blitFunc fallback);
void _GR_shift_scanline(unsigned char **dst, unsigned char **src, int bytes,
                        int shift, int rows);

#ifdef __cplusplus
}
#endif

/* ---- fillers and shapes ---- */

extern const GrFillOps _GrSolidFiller;
extern const GrFillOps _GrPatternFiller;
void _GrFillPatternExt(int x, int y, int sx, int sy, int w, const GrPattern *p);
void _GrFillPattern(int x, int y, int w, const GrPattern *p);
void _GrFillPatternedScanLine(int x, int y, int w, GrFillArg arg);
void _GrPatternFilledPlot(int x, int y, GrFillArg arg);
void _GrPatternFilledLine(int x, int y, int dx, int dy, GrFillArg arg);

void _GrDrawPolygon(int n, const int points[][2], const GrFillOps *f,
                    GrFillArg arg, int close);
void _GrScanPolygon(int n, const int points[][2], const GrFillOps *f,
                    GrFillArg arg);
void _GrScanConvexPoly(int n, const int points[][2], const GrFillOps *f,
                       GrFillArg arg);
void _GrDrawCustomPolygon(int n, const int points[][2],
                          const GrCustomLineStyle *o, const GrFillOps *f,
                          GrFillArg arg, int close);
void _GrScanEllipse(int xc, int yc, int xa, int ya, const GrFillOps *f,
                    GrFillArg arg, int filled);
/* the polygon of an arc, with the centre appended for GR_arcPie; pts holds
 * GR_MAX_ELLIPSE_POINTS + 1 points */
int _GrArcPolygon(int xc, int yc, int xa, int ya, int start, int end, int style,
                  int pts[][2]);
void _GrFillEllipseArc(int xc, int yc, int xa, int ya, int start, int end,
                       int style, const GrFillOps *f, GrFillArg arg);

/* ---- fonts ---- */

/* one font file format */
struct _GR_fontDriver {
    const char *name;
    const char *ext;            /* with its dot */
    int scalable;               /* bitmap() draws at any size */
    int (*openfile)(const char *fname);
    int (*header)(struct _GR_fontHeader *hdr);  /* name, family: 100 bytes */
    int (*charwdt)(int chr);
    int (*bitmap)(int chr, int w, int h, char *buffer);
    void (*cleanup)(void);
};
extern const struct _GR_fontDriver _GrFontDriverPXL;
extern const struct _GR_fontDriver _GrFontDriverBGI;
extern const struct _GR_fontDriver _GrFontDriverRAW;
extern const struct _GR_fontDriver _GrFontDriverFNA;
extern const struct _GR_fontDriver _GrFontDriverWIN;
extern const struct _GR_fontDriver *const _GrFontDriverTable[];

/* Where the file system ignores case, font names and font path entries
 * are lowered at once; elsewhere they are kept as given, and a name is
 * tried as given before it is tried in lower case. */
#ifdef _WIN32
#define _GR_FONTNAME_FOLD 1
#else
#define _GR_FONTNAME_FOLD 0
#endif

/* the font path: npath directories, each ending in '/'; -1 until set */
struct _GR_fontFileInfo {
    int npath;
    char **path;
};
extern struct _GR_fontFileInfo _GrFontFileInfo;

GrFont *_GrBuildFont(const struct _GR_fontHeader *hdr, int cvt, int w, int h,
                     int cmin, int cmax, int (*charwdt)(int chr),
                     int (*bitmap)(int chr, int w, int h, char *buffer),
                     int canscale);

/* draws one clipped glyph; (x, y) frame coordinates, (ox, oy) the anchor */
typedef void (*_GR_blitGlyph)(int x, int y, int w, int h, int ox, int oy,
                              const unsigned char *bmp, int pitch, int start,
                              GrColor fg, GrColor bg, void *pattern);
void _GrDrawString(const void *text, int length, int x, int y,
                   const GrTextStyle *opt, void *pattern, _GR_blitGlyph blit);
void FdrvDrawBitmap(int x, int y, int w, int h, int ox, int oy,
                    const unsigned char *bmp, int pitch, int start,
                    GrColor fg, GrColor bg, void *pattern);
extern int _GR_textattrintensevideo;
/* bytes a character takes: 2 in word and attribute text, 1 in byte text
 * and in text of any other type, so no unknown type reads past a string */
static inline int _GrCharBytes(int chrtype)
{
    return chrtype == GR_WORD_TEXT || chrtype == GR_ATTR_TEXT ? 2 : 1;
}

/* the rounded share d * n / m used to move a point along a segment to a
 * clip edge (halves round away from zero); exact for any 32-bit inputs.
 * 64 bits wide: a difference of two ints, and so the share, can pass 2^31 */
int64_t _GrClipShare(int64_t d, int64_t n, int64_t m);
/* orders the corners of a box; 0 when it misses the clip box of c, else
 * the box clamped to it in *cx1 .. *cy2 */
int _GrClipBox(const GrContext *c, int *x1, int *y1, int *x2, int *y2, int *cx1, int *cy1,
               int *cx2, int *cy2);
/* clips the segment to the clip box of c; 0 when nothing is left */
int _GrClipLine(const GrContext *c, int *x1, int *y1, int *x2, int *y2);

/* The write mode of a colour as the drivers see it. */
#define C_OPER(c) ((int)(((GrColor)(c) >> 24) & 15U))
#define C_WRITE 0
#define C_XOR   1
#define C_OR    2
#define C_AND   3
#define C_IMAGE 4

#ifdef __cplusplus
/* Keeps the mouse cursor out of an area of an on-screen context while it
 * is drawn: blocks on construction, releases on destruction. */
struct _GrMouseGuard {
    int r = 0;
    _GrMouseGuard(const GrContext *c, int x1, int y1, int x2, int y2)
    {
        if (_GrMouseInfo.must_check && c->gc_frame.gf_onscreen)
            r = _GrMouseInfo.block(const_cast<GrContext *>(c), x1, y1, x2, y2);
    }
    ~_GrMouseGuard()
    {
        if (r)
            _GrMouseInfo.unblock(r);
    }
    _GrMouseGuard(const _GrMouseGuard &) = delete;
    _GrMouseGuard &operator=(const _GrMouseGuard &) = delete;
};

/* The w colours of a scan line in the shared buffer: colour i is read(i),
 * or read(indx[i]) with an index list (a run of equal indexes is read
 * once). Null when the buffer cannot grow. */
template <class Read>
GrColor *_GrReadScanline(int w, const int *indx, Read read)
{
    const size_t need = (static_cast<size_t>(w < 0 ? 0 : w) + 1) * sizeof(GrColor);
    if (_GrTempBufferBytes < need && _GrTempBufferAlloc_(need) == nullptr)
        return nullptr;
    GrColor *buf = static_cast<GrColor *>(_GrTempBuffer);
    if (indx == nullptr) {
        for (int i = 0; i < w; i++)
            buf[i] = read(i);
        return buf;
    }
    int last = -1;
    GrColor v = 0;
    for (int i = 0; i < w; i++) {
        if (indx[i] != last) {
            last = indx[i];
            v = read(last);
        }
        buf[i] = v;
    }
    return buf;
}

/* The record of a memory frame driver: the drawing and copy operations of
 * the driver class D, scan lines through the generic helpers. */
template <class D>
constexpr _GR_frameDriver _GrMemoryFrameDriver(enum _GR_frameModes mode, int planes, int bpp,
                                               int32_t max_plane_size)
{
    _GR_frameDriver r{};
    r.mode = mode;
    r.rmode = GR_frameUndef;  // it is the memory format
    r.is_video = 0;
    r.row_align = 4;
    r.num_planes = planes;
    r.bits_per_pixel = bpp;
    r.max_plane_size = max_plane_size;
    r.init = nullptr;
    r.readpixel = D::readpixel;
    r.drawpixel = D::drawpixel;
    r.drawline = D::drawline;
    r.drawhline = D::drawhline;
    r.drawvline = D::drawvline;
    r.drawblock = D::drawblock;
    r.drawbitmap = D::drawbitmap;
    r.drawpattern = D::drawpattern;
    r.bitblt = D::bitblt;
    r.bltv2r = nullptr;  // no displayed frame to copy from or to
    r.bltr2v = nullptr;
    r.getindexedscanline = _GrFrDrvGenericGetIndexedScanline;
    r.putscanline = _GrFrDrvGenericPutScanline;
    return r;
}

/* a remainder that is never negative (m > 0) */
static inline int _GrMod(int a, int m)
{
    const int r = a % m;
    return r < 0 ? r + m : r;
}

/* the frame driver that draws into the current context */
#define FDRV (&_GrDriverInfo.frame_driver)
#endif

#endif /* LIBPXL_H_INCLUDED */
