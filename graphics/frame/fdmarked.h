/*
 * fdmarked.h - window-backed frame drivers: a memory frame driver whose
 * drawing also tells the window what changed.
 *
 * Each drawing operation runs the memory driver's own operation with the
 * window's frame locked, then marks the rectangle it covered (right and
 * bottom exclusive), also when the colour changed nothing. Reads and
 * copies out of the window mark nothing and need no lock: only the main
 * thread writes the frame.
 */
#ifndef FDMARKED_H_INCLUDED
#define FDMARKED_H_INCLUDED

#include "libpxl.h"

extern "C" {
void _GrWinFrameLock(void);
void _GrWinFrameUnlock(int x1, int y1, int x2, int y2);
}

namespace pxl {

// Holds the frame for one drawing operation and marks its box after it.
class MarkedDraw {
public:
    MarkedDraw(int x1, int y1, int x2, int y2) : x1_(x1), y1_(y1), x2_(x2), y2_(y2)
    {
        _GrWinFrameLock();
    }
    ~MarkedDraw() { _GrWinFrameUnlock(x1_, y1_, x2_, y2_); }
    MarkedDraw(const MarkedDraw &) = delete;
    MarkedDraw &operator=(const MarkedDraw &) = delete;

private:
    int x1_, y1_, x2_, y2_;
};

template <const _GR_frameDriver *B> struct Marked {
    static GrColor readpixel(GrFrame *f, int x, int y) { return B->readpixel(f, x, y); }
    static void drawpixel(int x, int y, GrColor c)
    {
        MarkedDraw m(x, y, x + 1, y + 1);
        B->drawpixel(x, y, c);
    }
    static void drawline(int x, int y, int dx, int dy, GrColor c)
    {
        const int xe = x + dx, ye = y + dy;
        MarkedDraw m(x < xe ? x : xe, y < ye ? y : ye, (x > xe ? x : xe) + 1,
                     (y > ye ? y : ye) + 1);
        B->drawline(x, y, dx, dy, c);
    }
    static void drawhline(int x, int y, int w, GrColor c)
    {
        MarkedDraw m(x, y, x + w, y + 1);
        B->drawhline(x, y, w, c);
    }
    static void drawvline(int x, int y, int h, GrColor c)
    {
        MarkedDraw m(x, y, x + 1, y + h);
        B->drawvline(x, y, h, c);
    }
    static void drawblock(int x, int y, int w, int h, GrColor c)
    {
        MarkedDraw m(x, y, x + w, y + h);
        B->drawblock(x, y, w, h, c);
    }
    static void drawbitmap(int x, int y, int w, int h, const unsigned char *bmp, int pitch,
                           int start, GrColor fg, GrColor bg)
    {
        MarkedDraw m(x, y, x + w, y + h);
        B->drawbitmap(x, y, w, h, bmp, pitch, start, fg, bg);
    }
    static void drawpattern(int x, int y, int w, unsigned char patt, GrColor fg, GrColor bg)
    {
        MarkedDraw m(x, y, x + w, y + 1);
        B->drawpattern(x, y, w, patt, fg, bg);
    }
    // into the window (from the window or from memory)
    static void bitblt(GrFrame *dst, int dx, int dy, GrFrame *src, int sx, int sy, int w,
                       int h, GrColor op)
    {
        MarkedDraw m(dx, dy, dx + w, dy + h);
        B->bitblt(dst, dx, dy, src, sx, sy, w, h, op);
    }
    // out of the window into memory
    static void bltv2r(GrFrame *dst, int dx, int dy, GrFrame *src, int sx, int sy, int w,
                       int h, GrColor op)
    {
        B->bitblt(dst, dx, dy, src, sx, sy, w, h, op);
    }
    static GrColor *getindexedscanline(GrFrame *f, int x, int y, int w, int *indx)
    {
        return B->getindexedscanline(f, x, y, w, indx);
    }
    static void putscanline(int x, int y, int w, const GrColor *scl, GrColor op)
    {
        MarkedDraw m(x, y, x + w, y + 1);
        B->putscanline(x, y, w, scl, op);
    }
};

// The record of the window-backed driver over memory driver B.
template <const _GR_frameDriver *B>
constexpr _GR_frameDriver marked_record(enum _GR_frameModes mode, enum _GR_frameModes rmode,
                                        int bpp, int32_t max_plane_size)
{
    using M = Marked<B>;
    _GR_frameDriver r = _GrMemoryFrameDriver<M>(mode, 1, bpp, max_plane_size);
    r.rmode = rmode;  // memory frames made to match the screen
    r.is_video = 1;
    r.bltv2r = M::bltv2r;
    r.bltr2v = M::bitblt;
    r.getindexedscanline = M::getindexedscanline;
    r.putscanline = M::putscanline;
    return r;
}

}  // namespace pxl

#endif /* FDMARKED_H_INCLUDED */
