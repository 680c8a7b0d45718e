// Even-odd fill of any polygon, simple or self-intersecting.
#include <algorithm>
#include <cstring>
#include <vector>

#include "polyedge.h"

namespace {

struct Span {
    int64_t x1, x2;
    size_t edge;  // a crossing's edge, or kEnded when it leaves the list
};

const size_t kEnded = SIZE_MAX;

struct Edge : _GrPolyEdge {
    bool fresh;  // became active on this line
};

bool left_less(const Span &a, const Span &b) { return a.x1 < b.x1; }

// Sorts by left end; the order of equal left ends does not change the
// union of the pairs' spans. Crossings come in the last line's order, so
// they are nearly sorted: insertion sort, until it has moved too much (a
// huge polygon can put tens of thousands of crossings on a line, in any
// order). Then a radix sort on the left end (the ends lie between int
// points, so their spread fits 32 bits), or std::sort should it not.
void sort_spans(Span *s, size_t n, Span *tmp)
{
    size_t moves = 0;
    const size_t budget = 8 * n + 32;
    for (size_t i = 1; i < n; i++) {
        if (s[i].x1 >= s[i - 1].x1)
            continue;
        const Span v = s[i];
        size_t j = i;
        do {
            s[j] = s[j - 1];
            j--;
        } while (j > 0 && v.x1 < s[j - 1].x1);
        s[j] = v;
        moves += i - j;
        if (moves > budget)
            break;
    }
    if (moves <= budget)
        return;
    int64_t lo = s[0].x1, hi = s[0].x1;
    for (size_t i = 1; i < n; i++) {
        if (s[i].x1 < lo) lo = s[i].x1;
        if (s[i].x1 > hi) hi = s[i].x1;
    }
    if (n < 256 || hi - lo > UINT32_MAX) {
        std::sort(s, s + n, left_less);
        return;
    }
    // 8 bits a pass of the distance from the leftmost end, as many passes
    // as the spread of the ends needs
    const uint64_t spread = static_cast<uint64_t>(hi - lo);
    Span *from = s, *to = tmp;
    for (int shift = 0; shift < 32 && (spread >> shift) != 0; shift += 8) {
        size_t start[257] = {};
        for (size_t i = 0; i < n; i++)
            start[((static_cast<uint64_t>(from[i].x1 - lo) >> shift) & 255U) + 1]++;
        for (int d = 0; d < 256; d++)
            start[d + 1] += start[d];
        for (size_t i = 0; i < n; i++)
            to[start[(static_cast<uint64_t>(from[i].x1 - lo) >> shift) & 255U]++] = from[i];
        std::swap(from, to);
    }
    if (from != s)
        std::copy(from, from + n, s);
}

// Sorts the spans and merges those that share pixels; spans that only touch
// stay apart, which draws the same pixels. Returns the new count.
size_t merge(Span *s, size_t n, Span *tmp)
{
    sort_spans(s, n, tmp);
    size_t out = 0;
    for (size_t i = 0; i < n; i++) {
        if (out > 0 && s[i].x1 <= s[out - 1].x2)
            s[out - 1].x2 = std::max(s[out - 1].x2, s[i].x2);
        else
            s[out++] = s[i];
    }
    return out;
}

// Any polygon: edges become active on their top line and are stepped a
// line at a time, their crossings sorted and paired.
void fill_sorted(Edge *edges, size_t m, int ytop, int ybot, const _GrSpanOut &draw)
{
    // Edges wait in order of their top line; the active ones are kept in
    // the order of their crossings on the last line, so that a line's
    // crossings arrive nearly sorted.
    std::vector<size_t> lists(2 * m);
    size_t *const waiting = lists.data(), *const active = waiting + m;
    for (size_t i = 0; i < m; i++)
        waiting[i] = i;
    std::sort(waiting, waiting + m, [&](size_t a, size_t b) {
        return edges[a].top < edges[b].top || (edges[a].top == edges[b].top && a < b);
    });
    size_t next = 0, nactive = 0;
    // every edge adds at most two crossings a line, and every filled span
    // comes from a horizontal edge or a pair of crossings
    const size_t spans = 2 * m + 2;
    std::vector<Span> space(3 * spans);
    Span *const cr = space.data(), *const fl = cr + spans, *const tmp = fl + spans;
    for (int y = ytop; y <= ybot;) {
        for (; next < m && edges[waiting[next]].top == y; next++) {
            edges[waiting[next]].fresh = true;
            active[nactive++] = waiting[next];
        }
        // Most lines cross edges that neither start nor end there: run
        // them in a tight loop up to the next line where one does.
        int until = ybot + 1;
        if (next < m)
            until = std::min(until, edges[waiting[next]].top);
        for (size_t k = 0; k < nactive && until > y; k++)
            until = std::min(until, edges[active[k]].bottom);
        if (nactive >= 2 && y < until) {
            for (size_t k = 0; k < nactive; k++)
                edges[active[k]].fresh = false;
            if (nactive == 2) {
                // the commonest case: one span, nothing to sort
                Edge &a = edges[active[0]], &b = edges[active[1]];
                for (; y < until; y++) {
                    int64_t al, ar, bl, br;
                    a.step(&al, &ar);
                    b.step(&bl, &br);
                    draw(y, std::min(al, bl), std::max(ar, br));
                }
            } else {
                // any number: the crossings keep their order unless edges
                // cross each other; the pairs, sorted by left end, are
                // merged as they come
                for (; y < until; y++) {
                    for (size_t k = 0; k < nactive; k++) {
                        edges[active[k]].step(&cr[k].x1, &cr[k].x2);
                        cr[k].edge = active[k];
                    }
                    if (!std::is_sorted(cr, cr + nactive, left_less)) {
                        // edges that cross each other change places
                        sort_spans(cr, nactive, tmp);
                        for (size_t k = 0; k < nactive; k++)
                            active[k] = cr[k].edge;
                    }
                    int64_t x1 = cr[0].x1, x2 = std::max(cr[0].x2, cr[1].x2);
                    for (size_t k = 2; k + 1 < nactive; k += 2) {
                        const int64_t a = cr[k].x1, b = std::max(cr[k].x2, cr[k + 1].x2);
                        if (a <= x2) {
                            x2 = std::max(x2, b);
                        } else {
                            draw(y, x1, x2);
                            x1 = a;
                            x2 = b;
                        }
                    }
                    draw(y, x1, x2);
                }
            }
            continue;  // the line where an edge starts or ends
        }
        size_t ncr = 0, nfl = 0;
        for (size_t k = 0; k < nactive; k++) {
            const size_t i = active[k];
            Edge &e = edges[i];
            if (e.fresh && e.dy == 0) {
                e.last(&fl[nfl].x1, &fl[nfl].x2);   // horizontal: filled as it is
                nfl++;
                continue;
            }
            e.fresh = false;
            if (y == e.bottom) {
                // an edge ending on the line crosses it twice
                e.last(&cr[ncr].x1, &cr[ncr].x2);
                cr[ncr].edge = kEnded;
                cr[ncr + 1] = cr[ncr];
                ncr += 2;
                continue;
            }
            e.step(&cr[ncr].x1, &cr[ncr].x2);
            cr[ncr++].edge = i;
        }
        sort_spans(cr, ncr, tmp);
        nactive = 0;
        for (size_t i = 0; i < ncr; i++)
            if (cr[i].edge != kEnded)
                active[nactive++] = cr[i].edge;
        for (size_t i = 0; i + 1 < ncr; i += 2)
            // the pair spans both runs whole: a longer first run keeps its
            // tail, so every boundary pixel is filled
            fl[nfl++] = {cr[i].x1, std::max(cr[i].x2, cr[i + 1].x2), 0};
        nfl = merge(fl, nfl, tmp);
        for (size_t i = 0; i < nfl; i++)
            draw(y, fl[i].x1, fl[i].x2);
        y++;
    }
}

// Polygons a few words wide. With s1 <= s2 <= ... the left ends of a
// line's crossings, the pairs cover [s1, s2), [s3, s4), ... and every
// crossing's run whole: the pixels with an odd number of left ends at or
// before them, plus the runs. So each edge is walked down all its lines at
// once, flipping the bit of its left end in one mask a line and setting the
// bits of its run in another; a line's fill is the running parity of the
// first mask or'ed with the second, and nothing is ever sorted. (An edge
// ending on a line crosses it twice: its run, and no flip.)
const int kMaskWords = 2;    // the widest polygon filled so, in 64-pixel words
const int kMaskLines = 128;  // lines a band of masks

struct Masks {
    uint64_t start[kMaskLines][kMaskWords], run[kMaskLines][kMaskWords];
    unsigned char before[kMaskLines];  // parity of the left ends left of the masks
};

// Marks the run [a, b] of a line (a and b relative to the masks' first
// pixel, nbits of them), and its left end when `left`.
inline void mark(uint64_t *start, uint64_t *run, unsigned char *before, int64_t nbits,
                 int64_t a, int64_t b, bool left)
{
    const uint64_t ua = static_cast<uint64_t>(a), ub = static_cast<uint64_t>(b);
    if (ua > ub || ub >= static_cast<uint64_t>(nbits)) {
        // partly outside: a left end further left still counts
        if (a < 0) {
            *before ^= left;
            a = 0;
            left = false;
        }
        b = std::min(b, nbits - 1);
        if (a > b) {
            return;
        }
    }
    const int64_t ka = a >> 6, kb = b >> 6;
    const uint64_t bit = uint64_t{1} << (a & 63);
    start[ka] ^= left ? bit : 0;
    if (a == b) {  // one pixel: every step of a steep edge
        run[ka] |= bit;
        return;
    }
    const uint64_t lo = 0 - bit, hi = ~uint64_t{0} >> (63 - (b & 63));
    if (ka == kb) {
        run[ka] |= lo & hi;
        return;
    }
    run[ka] |= lo;
    for (int64_t k = ka + 1; k < kb; k++)
        run[k] = ~uint64_t{0};
    run[kb] |= hi;
}

// Fills lines ytop..ybot between x = vx0 and vx1, vx1 - vx0 < 64 words.
template <int words>
void fill_masked(Edge *edges, size_t m, int ytop, int ybot, int64_t vx0, int64_t vx1,
                 const _GrSpanOut &draw)
{
    const int64_t nbits = vx1 - vx0 + 1;
    Masks mk;
    for (int64_t y0 = ytop; y0 <= ybot; y0 += kMaskLines) {
        const int64_t y1 = std::min<int64_t>(y0 + kMaskLines - 1, ybot);
        const int lines = static_cast<int>(y1 - y0 + 1);
        std::memset(mk.start, 0, sizeof mk.start[0] * static_cast<size_t>(lines));
        std::memset(mk.run, 0, sizeof mk.run[0] * static_cast<size_t>(lines));
        std::memset(mk.before, 0, static_cast<size_t>(lines));
        for (size_t i = 0; i < m; i++) {
            Edge &e = edges[i];
            if (e.bottom < y0 || e.top > y1)
                continue;
            const int64_t from = std::max<int64_t>(e.top, y0) - y0;
            const int64_t to = std::min<int64_t>(e.bottom, y1 + 1) - y0;  // past the last step
            uint64_t *start = mk.start[from], *run = mk.run[from];
            unsigned char *before = mk.before + from;
            e.walk(to - from, [&](int64_t a, int64_t b) {
                mark(start, run, before, nbits, a - vx0, b - vx0, true);
                start += kMaskWords, run += kMaskWords, before++;
            });
            if (e.bottom <= y1) {  // its last line, or a horizontal edge's only one
                int64_t a, b;
                e.last(&a, &b);
                mark(start, run, before, nbits, a - vx0, b - vx0, false);
            }
        }
        for (int r = 0; r < lines; r++) {
            uint64_t fill[kMaskWords], parity = 0 - uint64_t{mk.before[r]};
            for (int k = 0; k < words; k++) {
                uint64_t p = mk.start[r][k];
                p ^= p << 1;
                p ^= p << 2;
                p ^= p << 4;
                p ^= p << 8;
                p ^= p << 16;
                p ^= p << 32;
                p ^= parity;
                parity = 0 - (p >> 63);
                fill[k] = p | mk.run[r][k];
            }
            if (nbits % 64)
                fill[words - 1] &= ~uint64_t{0} >> (64 - nbits % 64);
            const int y = static_cast<int>(y0) + r;
            // one span, the commonest line: set bits without a gap
            const uint64_t lo = fill[0], hi = words > 1 ? fill[words - 1] : 0;
            if (lo != 0 && (hi == 0 ? (((lo | (lo - 1)) + 1) & lo) == 0
                                    : (lo | (lo - 1)) == ~uint64_t{0} && (hi & (hi + 1)) == 0)) {
                draw(y, vx0 + __builtin_ctzll(lo),
                     vx0 + (hi ? 127 - __builtin_clzll(hi) : 63 - __builtin_clzll(lo)));
                continue;
            }
            // where the fill turns on or off: starts and ends, alternately
            int64_t on = -1;
            uint64_t prev = 0;
            for (int k = 0; k < words; k++) {
                for (uint64_t t = fill[k] ^ (fill[k] << 1 | prev); t != 0; t &= t - 1) {
                    const int64_t at = int64_t{k} * 64 + __builtin_ctzll(t);
                    if (on < 0) {
                        on = at;
                    } else {
                        draw(y, vx0 + on, vx0 + at - 1);
                        on = -1;
                    }
                }
                prev = fill[k] >> 63;
            }
            if (on >= 0)
                draw(y, vx0 + on, vx1);
        }
    }
}

const int kLocalEdges = 48;  // edges kept on the stack

}  // namespace

void _GrScanPolygon(int n, const int points[][2], const GrFillOps *f, GrFillArg arg)
{
    if (n <= 0 || points == nullptr)
        return;
    if (n > 1 && points[n - 1][0] == points[0][0] && points[n - 1][1] == points[0][1])
        n--;
    const GrContext *c = CURC;
    const int ylo = c->gc_ycliplo, yhi = c->gc_ycliphi;

    // Edges: 0 -> n-1 -> n-2 -> ... -> 0, every side once, the top end first.
    // A small polygon's edges stay on the stack.
    Edge local[kLocalEdges];
    std::vector<Edge> heap;
    Edge *edges = local;
    if (n > kLocalEdges) {
        heap.resize(static_cast<size_t>(n));
        edges = heap.data();
    }
    size_t m = 0;
    int prev = 0;
    for (int k = 0; k < n; k++) {
        const int cur = k == n - 1 ? 0 : n - 1 - k;
        const int *a = points[prev], *b = points[cur];
        prev = cur;
        if (n == 1)
            b = a;
        if (b[1] < a[1])
            std::swap(a, b);
        if (a[1] > yhi || b[1] < ylo)
            continue;
        Edge &e = edges[m++];
        e.init(a[0], a[1], b[0], b[1], ylo);
        e.fresh = false;
        if (n == 1)
            break;
    }
    if (m == 0)
        return;
    int ytop = edges[0].top, ybot = edges[0].bottom;
    int64_t xmin = edges[0].x, xmax = edges[0].x;
    for (size_t i = 0; i < m; i++) {
        const Edge &e = edges[i];
        ytop = std::min(ytop, e.top);
        ybot = std::max(ybot, e.bottom);
        xmin = std::min({xmin, e.x, e.xend});
        xmax = std::max({xmax, e.x, e.xend});
    }
    ytop = std::max(ytop, ylo);
    ybot = std::min(ybot, yhi);
    if (xmin > c->gc_xcliphi || xmax < c->gc_xcliplo)
        return;
    _GrMouseGuard guard(c, static_cast<int>(std::max<int64_t>(xmin, c->gc_xcliplo)), ytop,
                        static_cast<int>(std::min<int64_t>(xmax, c->gc_xcliphi)), ybot);
    const _GrSpanOut draw(c, f, arg, xmin, xmax);
    const int64_t vx0 = std::max<int64_t>(xmin, c->gc_xcliplo);
    const int64_t vx1 = std::min<int64_t>(xmax, c->gc_xcliphi);
    if (vx1 - vx0 < 64)
        fill_masked<1>(edges, m, ytop, ybot, vx0, vx1, draw);
    else if (vx1 - vx0 < 64 * kMaskWords)
        fill_masked<kMaskWords>(edges, m, ytop, ybot, vx0, vx1, draw);
    else
        fill_sorted(edges, m, ytop, ybot, draw);
}

namespace {

// Whether the polygon lies inside the clip box and is monotone in y: going
// round it, y only grows, then only shrinks. Then on every scan line each
// of the two chains from the top down gives its crossings as one connected
// run of pixels (the runs of consecutive edges share their vertex), an odd
// number of them except on the top and bottom lines, where the chains meet.
// So the even-odd pairs can leave no gap between the outermost pixels, and
// the convex fill's one span a line draws the same pixels; inside the clip
// box no edge is cut and both guard the same box.
bool monotone_inside(int n, const int points[][2], const GrContext *c)
{
    int first = 0, prev = 0, turns = 0;
    for (int i = 0; i < n; i++) {
        const int x = points[i][0], y = points[i][1];
        if (x < c->gc_xcliplo || x > c->gc_xcliphi || y < c->gc_ycliplo || y > c->gc_ycliphi)
            return false;
        const int next = points[i + 1 < n ? i + 1 : 0][1];
        const int d = (next > y) - (next < y);
        if (d == 0)
            continue;
        turns += prev != 0 && d != prev;
        if (turns > 2)
            return false;
        prev = d;
        first = first ? first : d;
    }
    turns += first != prev;
    return turns <= 2;
}

}  // namespace

void GrFilledPolygon(int n, const int points[][2], GrColor c)
{
    GrFillArg a;
    a.color = c;
    if (n > 0 && points != nullptr && monotone_inside(n, points, CURC))
        _GrScanConvexPoly(n, points, &_GrSolidFiller, a);
    else
        _GrScanPolygon(n, points, &_GrSolidFiller, a);
}

void GrPatternFilledPolygon(int n, const int points[][2], const GrPattern *p)
{
    if (p == nullptr)
        return;
    GrFillArg a;
    a.pattern = p;
    _GrScanPolygon(n, points, &_GrPatternFiller, a);
}
