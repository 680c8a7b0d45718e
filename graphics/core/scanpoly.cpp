// Even-odd fill of any polygon, simple or self-intersecting.
#include <algorithm>
#include <vector>

#include "polyedge.h"

namespace {

struct Span {
    int64_t x1, x2;
    size_t seq;  // order of arrival: equal left ends keep it
};

struct Edge : _GrPolyEdge {
    bool fresh;  // became active on this line
};

bool by_left(const Span &a, const Span &b)
{
    return a.x1 < b.x1 || (a.x1 == b.x1 && a.seq < b.seq);
}

// Sorted by left end, later arrivals after earlier ones with the same left
// end: a stable sort by left end. A line usually has a handful of spans:
// insertion sort. Huge polygons can put tens of thousands on one line: a
// radix sort on the left end (the ends lie between int points, so their
// spread fits 32 bits), std::sort on (left, arrival) should it not.
void sort_spans(Span *s, size_t n, Span *tmp)
{
    if (n <= 16) {
        for (size_t i = 0; i < n; i++)
            s[i].seq = i;
        for (size_t i = 1; i < n; i++)
            for (size_t j = i; j > 0 && by_left(s[j], s[j - 1]); j--)
                std::swap(s[j], s[j - 1]);
        return;
    }
    int64_t lo = s[0].x1, hi = s[0].x1;
    for (size_t i = 1; i < n; i++) {
        if (s[i].x1 < lo) lo = s[i].x1;
        if (s[i].x1 > hi) hi = s[i].x1;
    }
    if (n < 256 || hi - lo > UINT32_MAX) {
        for (size_t i = 0; i < n; i++)
            s[i].seq = i;
        std::sort(s, s + n, by_left);
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

bool left_less(const Span &a, const Span &b) { return a.x1 < b.x1; }

// Sorts the spans and merges those that share pixels; spans that only touch
// stay apart, which draws the same pixels. Returns the new count.
size_t merge(Span *s, size_t n, Span *tmp)
{
    // pairs of crossings arrive in order; only horizontal edges may not
    if (!std::is_sorted(s, s + n, left_less))
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
    if (n <= 0)
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
    // build order, which decides the order of crossings with equal ends.
    std::vector<size_t> waiting(edges.size()), active;
    for (size_t i = 0; i < edges.size(); i++)
        waiting[i] = i;
    std::stable_sort(waiting.begin(), waiting.end(),
                     [&](size_t a, size_t b) { return edges[a].top < edges[b].top; });
    size_t next = 0;
    // every edge adds at most two crossings a line, and every filled span
    // comes from a horizontal edge or a pair of crossings
    std::vector<Span> cspace(2 * edges.size() + 2), fspace(2 * edges.size() + 2),
        tspace(2 * edges.size() + 2);
    Span *const cr = cspace.data(), *const fl = fspace.data(), *const tmp = tspace.data();
    size_t nactive = 0;
    active.resize(edges.size());
    auto draw = [&](int y, int64_t x1, int64_t x2) {
        if (x2 < c->gc_xcliplo || x1 > c->gc_xcliphi)
            return;
        const int s1 = static_cast<int>(std::max<int64_t>(x1, c->gc_xcliplo));
        const int s2 = static_cast<int>(std::min<int64_t>(x2, c->gc_xcliphi));
        f->scan(s1 + c->gc_xoffset, y + c->gc_yoffset, s2 - s1 + 1, arg);
    };
    for (int y = ytop; y <= ybot;) {
        // the new edges come in build order (the waiting list is sorted
        // stably): one merge keeps the active list in build order, in time
        // linear in its length however many edges start on the line
        const size_t had = nactive;
        for (; next < waiting.size() && edges[waiting[next]].top == y; next++) {
            edges[waiting[next]].fresh = true;
            active[nactive++] = waiting[next];
        }
        if (had > 0 && nactive > had)
            std::inplace_merge(active.data(), active.data() + had, active.data() + nactive);
        if (nactive == 2) {
            // Most lines cross two edges that neither start nor end there:
            // run them in a tight loop up to the next line where one does.
            Edge &a = edges[active[0]], &b = edges[active[1]];
            int until = std::min({a.bottom, b.bottom, ybot + 1});
            if (next < waiting.size())
                until = std::min(until, edges[waiting[next]].top);
            if (a.dy > 0 && b.dy > 0 && y < until) {
                a.fresh = b.fresh = false;
                for (; y < until; y++) {
                    int64_t al, ar, bl, br;
                    a.step(&al, &ar);
                    b.step(&bl, &br);
                    draw(y, std::min(al, bl), std::max(ar, br));
                }
                continue;  // the line where an edge starts or ends
            }
        }
        size_t ncr = 0, nfl = 0, keep = 0;
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
                cr[ncr + 1] = cr[ncr];
                ncr += 2;
                continue;
            }
            e.step(&cr[ncr].x1, &cr[ncr].x2);
            ncr++;
            active[keep++] = i;
        }
        nactive = keep;
        if (nfl == 0 && ncr == 2) {
            // the common line: one span over both crossings
            fl[0] = {std::min(cr[0].x1, cr[1].x1), std::max(cr[0].x2, cr[1].x2), 0};
            nfl = 1;
        } else {
            sort_spans(cr, ncr, tmp);
            for (size_t i = 0; i + 1 < ncr; i += 2)
                // the pair spans both runs whole: a longer first run keeps
                // its tail, so every boundary pixel is filled
                fl[nfl++] = {cr[i].x1, std::max(cr[i].x2, cr[i + 1].x2), 0};
            nfl = merge(fl, nfl, tmp);
        }
        for (size_t i = 0; i < nfl; i++)
            draw(y, fl[i].x1, fl[i].x2);
        y++;
    }
}

void GrFilledPolygon(int n, const int points[][2], GrColor c)
{
    GrFillArg a;
    a.color = c;
    _GrScanPolygon(n, points, &_GrSolidFiller, a);
}

void GrPatternFilledPolygon(int n, const int points[][2], const GrPattern *p)
{
    GrFillArg a;
    a.pattern = p;
    _GrScanPolygon(n, points, &_GrPatternFiller, a);
}
