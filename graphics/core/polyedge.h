/*
 * polyedge.h - one polygon edge stepped scan line by scan line, shared by
 * the even-odd and the convex fill. 64-bit arithmetic throughout, and the
 * run of an x-major edge is computed, not walked pixel by pixel, so edges
 * of any length cost the same.
 */
#ifndef POLYEDGE_H_INCLUDED
#define POLYEDGE_H_INCLUDED

#include "libpxl.h"

struct _GrPolyEdge {
    int64_t x, xend;        // current x, x of the bottom end
    int top, bottom;        // first and last scan line
    int64_t adx, dy, err;
    int xstep;
    bool xmajor;

    // An edge from (xt, yt) down to (xb, yb), yt <= yb, entering at ylo
    // when it starts above it.
    void init(int xt, int yt, int xb, int yb, int ylo)
    {
        x = xt;
        xend = xb;
        if (yt < ylo && yb > yt) {
            x += _GrClipShare(static_cast<int64_t>(xb) - xt, static_cast<int64_t>(ylo) - yt,
                              static_cast<int64_t>(yb) - yt);
            yt = ylo;
        }
        top = yt;
        bottom = yb;
        const int64_t dx = xend - x;
        xstep = dx < 0 ? -1 : 1;
        adx = dx < 0 ? -dx : dx;
        dy = static_cast<int64_t>(bottom) - top;
        xmajor = dy < adx;
        err = xmajor ? adx >> 1 : (dy - ((1 - xstep) >> 1)) >> 1;
    }

    // The pixels of the edge on the current line (not its bottom line),
    // as [*lo, *hi]; then moves on to the next line.
    void step(int64_t *lo, int64_t *hi)
    {
        if (xmajor) {
            // the x values taken while the error stays non-negative; a
            // short run is counted, a long one divided out
            int64_t k = 0;
            if (adx < 16 * dy) {
                for (int64_t e = err; e >= dy; e -= dy)
                    k++;
            } else {
                k = err / dy;
            }
            const int64_t last = x + k * xstep;
            err = err - (k + 1) * dy + adx;
            *lo = x < last ? x : last;
            *hi = x < last ? last : x;
            x = last + xstep;
        } else {
            *lo = *hi = x;
            if ((err -= adx) < 0) {
                x += xstep;
                err += dy;
            }
        }
    }

    // The pixels on the bottom line: from the current x to the end.
    void last(int64_t *lo, int64_t *hi) const
    {
        *lo = x < xend ? x : xend;
        *hi = x < xend ? xend : x;
    }
};

#endif /* POLYEDGE_H_INCLUDED */
