// Even-odd fill of any polygon, simple or self-intersecting.
#include <algorithm>
#include <vector>

#include "polyedge.h"

namespace {

struct Span {
    int64_t x1, x2;
};

enum Status { INACTIVE, ACTIVE, PASSED };

struct Edge : _GrPolyEdge {
    Status status;
};

bool by_left(const Span &a, const Span &b) { return a.x1 < b.x1; }

// Sorts the spans and merges those that share pixels; spans that only touch
// stay apart, which draws the same pixels.
void merge(std::vector<Span> &s)
{
    std::stable_sort(s.begin(), s.end(), by_left);
    size_t out = 0;
    for (size_t i = 0; i < s.size(); i++) {
        if (out > 0 && s[i].x1 <= s[out - 1].x2)
            s[out - 1].x2 = std::max(s[out - 1].x2, s[i].x2);
        else
            s[out++] = s[i];
    }
    s.resize(out);
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
        e.status = INACTIVE;
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

    std::vector<Span> crossings, filled;
    for (int y = ytop; y <= ybot; y++) {
        crossings.clear();
        filled.clear();
        for (Edge &e : edges) {
            if (e.status == PASSED)
                continue;
            if (e.status == INACTIVE) {
                if (e.top != y)
                    continue;
                if (e.dy == 0) {
                    e.status = PASSED;
                    Span s;
                    e.last(&s.x1, &s.x2);
                    filled.push_back(s);
                    continue;
                }
                e.status = ACTIVE;
            }
            Span s;
            if (y == e.bottom) {
                // an edge ending on the line crosses it twice
                e.status = PASSED;
                e.last(&s.x1, &s.x2);
                crossings.push_back(s);
                crossings.push_back(s);
            } else {
                e.step(&s.x1, &s.x2);
                crossings.push_back(s);
            }
        }
        std::stable_sort(crossings.begin(), crossings.end(), by_left);
        for (size_t i = 0; i + 1 < crossings.size(); i += 2)
            filled.push_back({crossings[i].x1, crossings[i + 1].x2});
        merge(filled);
        for (const Span &s : filled) {
            if (s.x2 < c->gc_xcliplo || s.x1 > c->gc_xcliphi)
                continue;
            const int x1 = static_cast<int>(std::max<int64_t>(s.x1, c->gc_xcliplo));
            const int x2 = static_cast<int>(std::min<int64_t>(s.x2, c->gc_xcliphi));
            f->scan(x1 + c->gc_xoffset, y + c->gc_yoffset, x2 - x1 + 1, arg);
        }
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
