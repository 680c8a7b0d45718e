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

    // Calls f(lo, hi) with the pixels of the edge on each of the next n
    // lines (none of them its bottom line), moving on a line after each.
    // The state is walked in locals, so that what f stores cannot make the
    // compiler reload it.
    template <class F> void walk(int64_t n, F &&f)
    {
        const int64_t s = xstep, d = dy;
        int64_t cx = x, e = err;
        if (xmajor) {
            // the x values taken while the error stays non-negative
            const int64_t qq = q, rr = r;
            int64_t kk = k;
            for (; n > 0; n--) {
                const int64_t last = cx + kk * s;
                f(cx < last ? cx : last, cx < last ? last : cx);
                cx = last + s;
                const int64_t t = e + rr, carry = t >= d;
                kk = qq - 1 + carry;
                e = t - (d & -carry);
            }
            k = kk;
        } else {
            // one x a line, the step taken when the error goes negative
            // chosen without a branch
            const int64_t a = adx;
            for (; n > 0; n--) {
                f(cx, cx);
                e -= a;
                const int64_t m = e >> 63;
                cx += s & m;
                e += d & m;
            }
        }
        x = cx;
        err = e;
    }

    // The pixels of the edge on the current line (not its bottom line),
    // as [*lo, *hi]; then moves on to the next line.
    void step(int64_t *lo, int64_t *hi)
    {
        walk(1, [&](int64_t a, int64_t b) {
            *lo = a;
            *hi = b;
        });
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
// coordinates. Empty spans (x1 > x2) are dropped. Solid spans go straight
// to the frame driver's run.
struct _GrSpanOut {
    const GrFillOps *f;
    GrFillArg arg;
    void (*hline)(int x, int y, int w, GrColor c);  // for the solid filler
    int64_t xlo, xhi;
    int xoff, yoff;
    bool inside;

    _GrSpanOut(const GrContext *c, const GrFillOps *filler, GrFillArg a, int64_t xmin,
               int64_t xmax)
        : f(filler), arg(a), hline(filler == &_GrSolidFiller ? FDRV->drawhline : nullptr),
          xlo(c->gc_xcliplo), xhi(c->gc_xcliphi), xoff(c->gc_xoffset), yoff(c->gc_yoffset),
          inside(xmin >= xlo && xmax <= xhi)
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
        if (x1 > x2)
            return;
        const int x = static_cast<int>(x1) + xoff, w = static_cast<int>(x2 - x1) + 1;
        if (hline)
            hline(x, y + yoff, w, arg.color);
        else
            f->scan(x, y + yoff, w, arg);
    }
};

#endif /* POLYEDGE_H_INCLUDED */
