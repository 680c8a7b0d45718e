// Even-odd fill of any polygon, simple or self-intersecting.
#include <algorithm>
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
    std::vector<Edge> edges;
    edges.reserve(static_cast<size_t>(n));
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
        Edge e;
        e.init(a[0], a[1], b[0], b[1], ylo);
        e.fresh = false;
        edges.push_back(e);
        if (n == 1)
            break;
    }
    if (edges.empty())
        return;
    int ytop = edges[0].top, ybot = edges[0].bottom;
    int64_t xmin = edges[0].x, xmax = edges[0].x;
    for (const Edge &e : edges) {
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

    // Edges wait in order of their top line; the active ones are kept in
    // the order of their crossings on the last line, so that a line's
    // crossings arrive nearly sorted.
    const size_t m = edges.size();
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
    const _GrSpanOut draw(c, f, arg, xmin, xmax);
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
