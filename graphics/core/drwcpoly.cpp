// Custom polylines and polygon outlines: wide lines as filled quadrilaterals
// with mitred joins, and dash patterns running on across corners.
#include <algorithm>
#include <cstdlib>

#include "libpxl.h"

namespace {

typedef __int128 wide_t;

// Wider lines than this are drawn at this width: the geometry stays cheap
// and far inside 64-bit arithmetic.
const int kMaxOffsetWidth = 16384;

struct Pt {
    int64_t x, y;
};

struct Walk {
    int w;                      // offset width: width - 1, or 0 for thin
    int count;                  // dash entries, 0 for solid
    int64_t total;              // sum of the entries
    int64_t pos;                // pattern pixels consumed so far
    const unsigned char *pattern;
    const GrFillOps *f;
    GrFillArg arg;
    const GrContext *c;
};

int64_t labs64(int64_t v) { return v < 0 ? -v : v; }

// q / 2 rounded half away from zero, with q = 2 v num / den truncated
int64_t rshare(int64_t v, wide_t num, wide_t den)
{
    const wide_t q = 2 * static_cast<wide_t>(v) * num / den;
    return static_cast<int64_t>(q >= 0 ? (q + 1) >> 1 : q >> 1);
}

// The quadrilateral R0..R3 of p1 -> p2 with offset width w.
void quad(Pt p1, Pt p2, int w, Pt r[4])
{
    const int64_t dx = p2.x - p1.x, dy = p2.y - p1.y;
    int64_t ax, ay;  // |ox|, |oy|
    if (dx == 0) {
        ax = w;
        ay = 0;
    } else if (dy == 0) {
        ax = 0;
        ay = w;
    } else {
        const uint64_t big = static_cast<uint64_t>(std::max(labs64(dx), labs64(dy)));
        const uint64_t small = static_cast<uint64_t>(std::min(labs64(dx), labs64(dy)));
        const int64_t c = std::max<int64_t>(1, (w + 1) / 2);
        auto bof = [&](int64_t a) {
            return static_cast<int64_t>((2 * static_cast<wide_t>(a) * small / big + 1) / 2);
        };
        auto f = [&](int64_t a) {
            const int64_t b = bof(a);
            return a * a + b * b - static_cast<int64_t>(w) * w;
        };
        // a*a + b*b grows with a, so the error falls until it crosses w*w
        // and rises after: find the first a whose sum reaches w*w, then
        // keep the later of the two neighbours on a tie
        int64_t lo = c + 1, hi = std::max<int64_t>(c + 1, w + 1);
        while (lo < hi) {
            const int64_t mid = lo + (hi - lo) / 2;
            if (f(mid) >= 0)
                hi = mid;
            else
                lo = mid + 1;
        }
        int64_t a = lo;
        if (a > c + 1 && labs64(f(a)) > labs64(f(a - 1)))
            a--;
        const int64_t b = bof(a);
        if (labs64(dy) < labs64(dx)) {
            ay = a;
            ax = b;
        } else {
            ax = a;
            ay = b;
        }
    }
    const int64_t oy = dx >= 0 ? ay : -ay;
    const int64_t ox = dy >= 0 ? -ax : ax;
    const int64_t hx = ox >> 1, hy = oy >> 1;
    r[0] = {p1.x - hx, p1.y - hy};
    r[1] = {p1.x + ox - hx, p1.y + oy - hy};
    r[2] = {p2.x + ox - hx, p2.y + oy - hy};
    r[3] = {p2.x - hx, p2.y - hy};
}

// Moves B and C to where the edges A->B and C->D meet.
void meet(Pt a, Pt *b, Pt *c, Pt d)
{
    if (b->x == c->x && b->y == c->y)
        return;
    const Pt d1 = {b->x - a.x, b->y - a.y}, d2 = {d.x - c->x, d.y - c->y};
    const wide_t den = static_cast<wide_t>(d2.x) * d1.y - static_cast<wide_t>(d1.x) * d2.y;
    const wide_t num = static_cast<wide_t>(c->y - a.y) * d1.x +
                       static_cast<wide_t>(a.x - c->x) * d1.y;
    if (den != 0) {
        const wide_t an = num < 0 ? -num : num, ad = den < 0 ? -den : den;
        if (an < (3 * ad) / 2) {
            const Pt q = {c->x + rshare(d2.x, num, den), c->y + rshare(d2.y, num, den)};
            if (q.x != a.x && q.x != d.x && q.y != a.y && q.y != d.y) {
                *b = *c = q;
                return;
            }
        }
    }
    // parallel, far or unusable: the best point next to the midpoint
    static const int off[9][2] = {{0, 0}, {-1, 0}, {0, 1}, {1, 0}, {0, -1},
                                  {-1, 1}, {1, 1}, {1, -1}, {-1, -1}};
    const Pt m = {(b->x + c->x) >> 1, (b->y + c->y) >> 1};
    Pt best = m;
    wide_t best_err = -1;
    for (const auto &o : off) {
        const Pt q = {m.x + o[0], m.y + o[1]};
        const wide_t e1 = static_cast<wide_t>(q.y - a.y) * d1.x + static_cast<wide_t>(a.x - q.x) * d1.y;
        const wide_t e2 = static_cast<wide_t>(c->x - q.x) * d2.y + static_cast<wide_t>(q.y - c->y) * d2.x;
        const wide_t err = (e1 < 0 ? -e1 : e1) + (e2 < 0 ? -e2 : e2);
        if (best_err < 0 || err < best_err) {
            best = q;
            best_err = err;
        }
        if (err == 0)
            break;
    }
    *b = *c = best;
}

int clamp_int(int64_t v)
{
    return static_cast<int>(std::min<int64_t>(std::max<int64_t>(v, INT32_MIN), INT32_MAX));
}

void thin_solid(Pt p1, Pt p2, const Pt *, const Pt *, Walk &st)
{
    const GrContext *c = st.c;
    st.f->line(static_cast<int>(p1.x) + c->gc_xoffset, static_cast<int>(p1.y) + c->gc_yoffset,
               static_cast<int>(p2.x - p1.x), static_cast<int>(p2.y - p1.y), st.arg);
}

void wide_solid(Pt p1, Pt p2, const Pt *before, const Pt *after, Walk &st)
{
    Pt r[4], p[4], n[4];
    quad(p1, p2, st.w, r);
    if (before)
        quad(*before, p1, st.w, p);
    if (after)
        quad(p2, *after, st.w, n);
    if (before && after) {
        const Pt r1 = r[1], r0 = r[0];
        meet(p[1], &p[2], &r[1], r[2]);
        meet(r1, &r[2], &n[1], n[2]);
        meet(p[0], &p[3], &r[0], r[3]);
        meet(r0, &r[3], &n[0], n[3]);
    } else if (before) {
        meet(p[1], &p[2], &r[1], r[2]);
        meet(p[0], &p[3], &r[0], r[3]);
    } else if (after) {
        meet(r[1], &r[2], &n[1], n[2]);
        meet(r[0], &r[3], &n[0], n[3]);
    }
    int pts[4][2];
    for (int i = 0; i < 4; i++) {
        pts[i][0] = clamp_int(r[i].x);
        pts[i][1] = clamp_int(r[i].y);
    }
    _GrScanConvexPoly(4, pts, st.f, st.arg);
}

typedef void (*Segment)(Pt, Pt, const Pt *, const Pt *, Walk &);

// Walks the dash pattern along the pixels of p1 -> p2; every drawn run is
// one solid sub-segment.
void dashed(Pt p1, Pt p2, const Pt *before, const Pt *after, Walk &st, Segment solid)
{
    st.pos %= st.total;
    int64_t rem = st.pos;
    int idx = 0;
    bool drawn = true;
    while (rem >= st.pattern[idx]) {
        rem -= st.pattern[idx];
        idx = (idx + 1) % st.count;
        drawn = !drawn;
    }
    int64_t left = st.pattern[idx] - rem;

    const int64_t dx = p2.x - p1.x, dy = p2.y - p1.y;
    const bool xmajor = labs64(dx) > labs64(dy);
    const int64_t major = xmajor ? labs64(dx) : labs64(dy);
    const int64_t minor = xmajor ? labs64(dy) : labs64(dx);
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const int64_t e0 = major >> 1;
    // Pixel k of the segment as the line walk meets it: the error starts at
    // major / 2 and loses minor a step, so the minor coordinate has moved
    // ceil((k * minor - major / 2) / major) times. Dashes go from end to
    // end in one step each instead of a pixel at a time.
    auto at = [&](int64_t k) {
        const int64_t m = major > 0 ? (k * minor - e0 + major - 1) / major : 0;
        return xmajor ? Pt{p1.x + sx * k, p1.y + sy * m} : Pt{p1.x + sx * m, p1.y + sy * k};
    };

    Pt dstart = p1, dend = p1;
    bool open = drawn;
    const Pt *bef = drawn ? before : nullptr;
    for (int64_t i = 0; i <= major;) {
        const int64_t end = i + left - 1;  // the last pixel of this pattern entry
        if (end > major) {
            if (drawn)
                dend = at(major);
            break;
        }
        if (drawn)
            dend = at(end);
        const bool was = drawn;
        do {
            idx = (idx + 1) % st.count;
            drawn = !drawn;
        } while (st.pattern[idx] == 0);
        left = st.pattern[idx];
        if (!was && drawn && end < major) {
            dstart = at(end + 1);
            open = true;
        } else if (was && !drawn) {
            if (open)
                solid(dstart, dend, bef, nullptr, st);
            open = false;
            bef = nullptr;
        }
        i = end + 1;
    }
    if (open && drawn)
        solid(dstart, dend, bef, after, st);
}

void thin_dashed(Pt p1, Pt p2, const Pt *b, const Pt *a, Walk &st)
{
    dashed(p1, p2, b, a, st, thin_solid);
}

void wide_dashed(Pt p1, Pt p2, const Pt *b, const Pt *a, Walk &st)
{
    dashed(p1, p2, b, a, st, wide_solid);
}

}  // namespace

void _GrDrawCustomPolygon(int n, const int points[][2], const GrCustomLineStyle *o,
                          const GrFillOps *f, GrFillArg arg, int close)
{
    if (n < 2 || points == nullptr || o == nullptr)
        return;
    const GrContext *c = CURC;
    Walk st;
    st.w = o->width >= 2 ? std::min(o->width, kMaxOffsetWidth + 1) - 1 : 0;
    st.count = o->pattern != nullptr && o->pattern_length > 0 ? o->pattern_length : 0;
    st.total = 0;
    for (int i = 0; i < st.count; i++)
        st.total += o->pattern[i];
    if (st.count > 0 && st.total == 0)
        return;
    st.pos = 0;
    st.pattern = o->pattern;
    st.f = f;
    st.arg = arg;
    st.c = c;
    Segment seg = st.count > 0 ? (st.w ? wide_dashed : thin_dashed)
                               : (st.w ? wide_solid : thin_solid);

    // the clip box widened by the offset width (thin lines, nearly all of
    // them, clip to the context itself: no copy)
    GrContext widened;
    if (st.w) {
        widened = *c;
        widened.gc_xcliplo -= st.w;
        widened.gc_ycliplo -= st.w;
        widened.gc_xcliphi += st.w;
        widened.gc_ycliphi += st.w;
    }
    const GrContext &wide = st.w ? widened : *c;
    int x1 = points[0][0], y1 = points[0][1], x2 = x1, y2 = y1;
    for (int i = 1; i < n; i++) {
        x1 = std::min(x1, points[i][0]);
        x2 = std::max(x2, points[i][0]);
        y1 = std::min(y1, points[i][1]);
        y2 = std::max(y2, points[i][1]);
    }
    if (x1 > wide.gc_xcliphi || x2 < wide.gc_xcliplo || y1 > wide.gc_ycliphi ||
        y2 < wide.gc_ycliplo)
        return;
    _GrMouseGuard guard(c, std::max(x1, wide.gc_xcliplo), std::max(y1, wide.gc_ycliplo),
                        std::min(x2, wide.gc_xcliphi), std::min(y2, wide.gc_ycliphi));

    if (close && points[n - 1][0] == points[0][0] && points[n - 1][1] == points[0][1])
        n--;
    close = close && n >= 3;
    // point i, for i from -2 to n, wrapping round
    auto pt = [&](int i) {
        i = i < 0 ? i + n : i >= n ? i - n : i;
        return Pt{points[i][0], points[i][1]};
    };
    for (int i = close ? 0 : 1; i < n; i++) {
        const Pt a = pt(i - 1), b = pt(i);
        const Pt before = pt(i - 2), after = pt(i + 1);
        const bool has_before = i > 1 || close, has_after = i < n - 1 || close;
        const int64_t len = std::max(labs64(b.x - a.x), labs64(b.y - a.y));
        int sx = static_cast<int>(a.x), sy = static_cast<int>(a.y);
        int ex = static_cast<int>(b.x), ey = static_cast<int>(b.y);
        if (!_GrClipLine(&wide, &sx, &sy, &ex, &ey)) {
            st.pos += len;
            continue;
        }
        int64_t l = len;
        if (st.count > 0 && (sx != a.x || sy != a.y)) {
            // the pattern runs on through the part clipped away
            const bool xmajor = labs64(b.x - a.x) > labs64(b.y - a.y);
            const int64_t moved = xmajor ? labs64(sx - a.x) : labs64(sy - a.y);
            st.pos += moved;
            l -= moved;
        }
        seg(Pt{sx, sy}, Pt{ex, ey}, has_before ? &before : nullptr,
            has_after ? &after : nullptr, st);
        st.pos += l;
    }
}
