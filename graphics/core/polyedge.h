/*
 * polyedge.h - one polygon edge stepped scan line by scan line, and the
 * span output, shared by the even-odd and the convex fill. 64-bit
 * arithmetic throughout, and the run of an x-major edge is computed, not
 * walked pixel by pixel, so edges of any length cost the same.
 */
#ifndef POLYEDGE_H_INCLUDED
#define POLYEDGE_H_INCLUDED

#include "libpxl.h"

struct _GrPolyEdge {
    int64_t x, xend;        // current x, x of the bottom end
    int top, bottom;        // first and last scan line
    int64_t adx, dy, err;
    int64_t q, r, k;        // x-major: adx = q * dy + r; k further x on this line
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
        q = r = k = 0;
        if (xmajor && dy > 0) {
            // The error goes down by dy for each further x on a line and up
            // by adx a line: kept as whole dy's (k) and a remainder (err),
            // a line's run needs neither a loop nor a division.
            if (dy == 1) {  // the commonest flat edge, without a division
                q = adx, k = err, err = 0;
            } else {
                // one division: adx is twice the first error, plus its low bit
                const uint64_t h = static_cast<uint64_t>(err), d = static_cast<uint64_t>(dy);
                k = static_cast<int64_t>(h / d);
                err = static_cast<int64_t>(h % d);
                const int64_t t = 2 * err + (adx & 1), carry = t >= dy;
                q = 2 * k + carry;
                r = t - (dy & -carry);
            }
        }
    }

    // The pixels of the edge on the current line (not its bottom line),
    // as [*lo, *hi]; then moves on to the next line.
    void step(int64_t *lo, int64_t *hi)
    {
        if (xmajor) {
            // the x values taken while the error stays non-negative
            const int64_t last = x + k * xstep;
            *lo = x < last ? x : last;
            *hi = x < last ? last : x;
            x = last + xstep;
            const int64_t t = err + r, carry = t >= dy;
            k = q - 1 + carry;
            err = t - (dy & -carry);
        } else {
            // one x a line, the step taken when the error goes negative
            // chosen without a branch
            *lo = *hi = x;
            err -= adx;
            const int64_t m = err >> 63;
            x += xstep & m;
            err += dy & m;
        }
    }

    // The pixels on the bottom line: from the current x to the end.
    void last(int64_t *lo, int64_t *hi) const
    {
        *lo = x < xend ? x : xend;
        *hi = x < xend ? xend : x;
    }
};

// Hands the spans of one shape to a filler: clipped to the context's x
// limits (unless the whole shape lies within them) and moved to frame
// coordinates. Empty spans (x1 > x2) are dropped.
struct _GrSpanOut {
    const GrFillOps *f;
    GrFillArg arg;
    int64_t xlo, xhi;
    int xoff, yoff;
    bool inside;

    _GrSpanOut(const GrContext *c, const GrFillOps *filler, GrFillArg a, int64_t xmin,
               int64_t xmax)
        : f(filler), arg(a), xlo(c->gc_xcliplo), xhi(c->gc_xcliphi), xoff(c->gc_xoffset),
          yoff(c->gc_yoffset), inside(xmin >= xlo && xmax <= xhi)
    {
    }

    void operator()(int y, int64_t x1, int64_t x2) const
    {
        if (!inside) {
            if (x2 < xlo || x1 > xhi)
                return;
            x1 = x1 < xlo ? xlo : x1;
            x2 = x2 > xhi ? xhi : x2;
        }
        if (x1 <= x2)
            f->scan(static_cast<int>(x1) + xoff, y + yoff, static_cast<int>(x2 - x1) + 1, arg);
    }
};

#endif /* POLYEDGE_H_INCLUDED */
