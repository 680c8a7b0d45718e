// Points of ellipses and arcs from a fixed-point quarter sine wave, and
// the end points of the last arc generated.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "libpxl.h"

namespace {

// round(16384 * sin(i * pi / 512)), i = 0..256: a quarter turn in 1/1024ths
const int32_t sintab[257] = {
        0,   101,   201,   302,   402,   503,   603,   704,   804,   904,
     1005,  1105,  1205,  1306,  1406,  1506,  1606,  1706,  1806,  1906,
     2006,  2105,  2205,  2305,  2404,  2503,  2603,  2702,  2801,  2900,
     2999,  3098,  3196,  3295,  3393,  3492,  3590,  3688,  3786,  3883,
     3981,  4078,  4176,  4273,  4370,  4467,  4563,  4660,  4756,  4852,
     4948,  5044,  5139,  5235,  5330,  5425,  5520,  5614,  5708,  5803,
     5897,  5990,  6084,  6177,  6270,  6363,  6455,  6547,  6639,  6731,
     6823,  6914,  7005,  7096,  7186,  7276,  7366,  7456,  7545,  7635,
     7723,  7812,  7900,  7988,  8076,  8163,  8250,  8337,  8423,  8509,
     8595,  8680,  8765,  8850,  8935,  9019,  9102,  9186,  9269,  9352,
     9434,  9516,  9598,  9679,  9760,  9841,  9921, 10001, 10080, 10159,
    10238, 10316, 10394, 10471, 10549, 10625, 10702, 10778, 10853, 10928,
    11003, 11077, 11151, 11224, 11297, 11370, 11442, 11514, 11585, 11656,
    11727, 11797, 11866, 11935, 12004, 12072, 12140, 12207, 12274, 12340,
    12406, 12472, 12537, 12601, 12665, 12729, 12792, 12854, 12916, 12978,
    13039, 13100, 13160, 13219, 13279, 13337, 13395, 13453, 13510, 13567,
    13623, 13678, 13733, 13788, 13842, 13896, 13949, 14001, 14053, 14104,
    14155, 14206, 14256, 14305, 14354, 14402, 14449, 14497, 14543, 14589,
    14635, 14680, 14724, 14768, 14811, 14854, 14896, 14937, 14978, 15019,
    15059, 15098, 15137, 15175, 15213, 15250, 15286, 15322, 15357, 15392,
    15426, 15460, 15493, 15525, 15557, 15588, 15619, 15649, 15679, 15707,
    15736, 15763, 15791, 15817, 15843, 15868, 15893, 15917, 15941, 15964,
    15986, 16008, 16029, 16049, 16069, 16088, 16107, 16125, 16143, 16160,
    16176, 16192, 16207, 16221, 16235, 16248, 16261, 16273, 16284, 16295,
    16305, 16315, 16324, 16332, 16340, 16347, 16353, 16359, 16364, 16369,
    16373, 16376, 16379, 16381, 16383, 16384, 16384,
};

struct LastArc {
    int xs, ys, xe, ye, xc, yc;
} last;

int clamp_int(int64_t v)
{
    return static_cast<int>(std::min<int64_t>(std::max<int64_t>(v, INT32_MIN), INT32_MAX));
}

// r * v / 16384 rounded half away from zero
int64_t scaled(int64_t r, int64_t v)
{
    const int64_t t = 2 * r * v / 16384;
    return t >= 0 ? (t + 1) >> 1 : t >> 1;
}

// Tenths of a degree to 1/1024 turns, rounded, 0..1023.
int to_units(int a)
{
    const int64_t t = static_cast<int64_t>(a) * 2048 / 3600;
    return _GrMod(static_cast<int>(t >= 0 ? (t + 1) >> 1 : t >> 1), 1024);
}

// About one point per five pixels of perimeter.
uint32_t estimate(int xa, int ya)
{
    const uint32_t ax = xa < 0 ? 0U - static_cast<uint32_t>(xa) : static_cast<uint32_t>(xa);
    const uint32_t ay = ya < 0 ? 0U - static_cast<uint32_t>(ya) : static_cast<uint32_t>(ya);
    return ((628U * (ax + ay)) / 500U + 1U) / 2U;
}

uint32_t clamp_points(uint32_t n)
{
    return std::min<uint32_t>(std::max<uint32_t>(n, 16U), 1024U);
}

}  // namespace

void GrSinCos(int phi, int cx, int cy, int rx, int ry, int point[2])
{
    if (point == nullptr)
        return;
    phi = _GrMod(phi, 1024);
    int64_t s, c;
    switch (phi / 256) {
    case 0:  s = sintab[phi];          c = sintab[256 - phi];  break;
    case 1:  s = sintab[512 - phi];    c = -sintab[phi - 256]; break;
    case 2:  s = -sintab[phi - 512];   c = -sintab[768 - phi]; break;
    default: s = -sintab[1024 - phi];  c = sintab[phi - 768];  break;
    }
    point[0] = clamp_int(cx + scaled(rx, c));
    point[1] = clamp_int(cy - scaled(ry, s));
}

int GrGenerateEllipseArc(int xc, int yc, int xa, int ya, int start, int end,
                         int points[][2])
{
    if (points == nullptr)
        return 0;
    int s0 = to_units(start), e0 = to_units(end);
    const uint32_t n = estimate(xa, ya);
    int count = 0;
    if (s0 == e0) {
        // a whole ellipse: a power of two of points, 16 to 1024
        const uint32_t nn = clamp_points(n & 0x1FFFFFU);
        int step = 1;
        if (nn != 1024)
            for (step = 2; 1024U / static_cast<uint32_t>(step) > nn; step *= 2) {
            }
        if (s0 % step == 0) {
            // every point lies on the grid of one quarter: scale that
            // quarter once and mirror it (rounding is symmetric about 0)
            const int per = 256 / step;  // points a quarter
            int xp[257], xn[257], yp[257], yn[257];
            for (int j = 0; j <= per; j++) {
                const int64_t ox = scaled(xa, sintab[j * step]), oy = scaled(ya, sintab[j * step]);
                xp[j] = clamp_int(xc + ox);
                xn[j] = clamp_int(xc - ox);
                yp[j] = clamp_int(yc - oy);
                yn[j] = clamp_int(yc + oy);
            }
            // a whole ellipse starting elsewhere on the grid has the same
            // points, begun at its start
            int from0[GR_MAX_ELLIPSE_POINTS][2];
            int(*out)[2] = s0 == 0 ? points : from0;
            for (int j = 0; j < per; j++) {
                out[j][0] = xp[per - j];
                out[j][1] = yp[j];
                out[per + j][0] = xn[j];
                out[per + j][1] = yp[per - j];
                out[2 * per + j][0] = xn[per - j];
                out[2 * per + j][1] = yn[j];
                out[3 * per + j][0] = xp[j];
                out[3 * per + j][1] = yn[per - j];
            }
            count = 4 * per;
            if (s0 != 0) {
                const int shift = s0 / step;
                std::memcpy(points, from0[shift], sizeof(int[2]) * static_cast<size_t>(count - shift));
                std::memcpy(points[count - shift], from0[0], sizeof(int[2]) * static_cast<size_t>(shift));
            }
        } else {
            for (int u = s0; u < s0 + 1024; u += step)
                GrSinCos(u, xc, yc, xa, ya, points[count++]);
        }
    } else {
        if (e0 < s0)
            e0 += 1024;
        const int range = e0 - s0;
        // the estimate scaled by the arc's share of the turn
        const uint32_t nn =
            clamp_points(((2U * n * static_cast<uint32_t>(range)) / 1024U + 1U) / 2U);
        int step = std::max(1, range / static_cast<int>(nn));
        while ((range + step - 1) / step > 1023)
            step++;
        const int first = e0 - (range / step) * step;
        if (first > s0)
            GrSinCos(s0, xc, yc, xa, ya, points[count++]);
        for (int u = first; u <= e0; u += step)
            GrSinCos(u, xc, yc, xa, ya, points[count++]);
    }
    last = {points[0][0], points[0][1], points[count - 1][0], points[count - 1][1], xc, yc};
    return count;
}

int _GrArcPolygon(int xc, int yc, int xa, int ya, int start, int end, int style,
                  int pts[][2])
{
    int n = GrGenerateEllipseArc(xc, yc, xa, ya, start, end, pts);
    if (style == GR_arcPie) {
        pts[n][0] = xc;
        pts[n][1] = yc;
        n++;
    }
    return n;
}

int GrGenerateEllipse(int xc, int yc, int xa, int ya, int points[][2])
{
    return GrGenerateEllipseArc(xc, yc, xa, ya, 0, 0, points);
}

void GrLastArcCoords(int *xs, int *ys, int *xe, int *ye, int *xc, int *yc)
{
    int *const out[6] = {xs, ys, xe, ye, xc, yc};
    const int val[6] = {last.xs, last.ys, last.xe, last.ye, last.xc, last.yc};
    for (int i = 0; i < 6; i++)
        if (out[i] != nullptr)
            *out[i] = val[i];
}
