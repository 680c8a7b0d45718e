// The x axis along the bottom edge of the plot frame and the y axis along
// its left edge: labelled major ticks with a dotted grid line across the
// frame, and finer unlabelled minor ticks.
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "graphics.h"
#include "zevgraph.h"

namespace {

// Tick values i * s for i from lo to hi, counted in 64 bits: a range far
// from zero gives huge indexes, but only a handful of them.
struct Ticks {
    double lo, s;
    long long count;
    Ticks(double first, double last, double step) : lo(first), s(step)
    {
        const double c = last - first;
        // about 5 majors or 30 minors by construction; the cap only guards
        // against rounding at the ends of the double range
        count = c >= 0 && c < 1000 ? static_cast<long long>(c) + 1 : 0;
    }
    double value(long long k) const { return (lo + static_cast<double>(k)) * s; }
};

struct Axis {
    double min, max, range, e, s, m;

    Axis(double Min, double Max, int log_axis) : min(Min), max(Max)
    {
        int type;
        scale1(Min, Max, &s, &type);
        range = Max - Min;
        e = 1e-6 * range;
        m = minor_spacing(type);
        if (log_axis && m <= 1)
            m = 1;
    }
    bool on(double v) const { return min - e <= v && v <= max + e; }
    // fewer than thirty minor ticks
    double minor_spacing(int type) const
    {
        if (type == 1)
            return s / 2;
        if (type == 2)
            return s / 5;
        for (double d : {10.0, 5.0}) {
            const double t = s / d;
            if (std::floor((max + e) / t) - std::ceil((min - e) / t) <= 29)
                return t;
        }
        return s / 2;
    }
    Ticks majors() const
    {
        return Ticks(std::floor((min + e) / s), std::ceil((max - e) / s), s);
    }
    Ticks minors() const
    {
        return Ticks(std::ceil((min - e) / m), std::floor((max + e) / m), m);
    }
};

// Calls f(v) for every tick value that lies on the axis.
template <class F> void each(const Axis &ax, const Ticks &t, F f)
{
    for (long long k = 0; k < t.count; k++) {
        const double v = t.value(k);
        if (ax.on(v))
            f(v);
    }
}

void label(char *buf, size_t size, double v)
{
    snprintf(buf, size, "%g", v);
}

void dotted(int x1, int y1, int x2, int y2)
{
    setlinestyle(DOTTED_LINE, 0, 1);
    __gr_line(x1, y1, x2, y2);
    setlinestyle(SOLID_LINE, 0, 1);
}

}  // namespace

void draw_x_axes(int XSize, int YSize, int xoffset, int yoffset, int log_axis,
                 double Min, double Max)
{
    const Axis ax(Min, Max, log_axis);
    const int yb = yoffset + YSize;
    const double scale = XSize / ax.range;
    auto x_of = [&](double v) { return pix(xoffset + scale * (v - Min)); };
    char text[32];
    each(ax, ax.majors(), [&](double v) {
        const int x = x_of(v);
        __gr_line(x, yb + 1, x, yb + 6);
        dotted(x, yb + 1, x, yoffset + 1);
        label(text, sizeof text, v);
        outtextxy(x - textwidth(text) / 2, yb + 7, text);
    });
    each(ax, ax.minors(), [&](double v) {
        const int x = x_of(v);
        __gr_line(x, yb + 1, x, yb + 3);
    });
}

void draw_y_axes(int XSize, int YSize, int xoffset, int yoffset, int log_axis,
                 double Min, double Max)
{
    const Axis ax(Min, Max, log_axis);
    const int xl = xoffset - 1;
    const double scale = YSize / ax.range;
    auto y_of = [&](double v) { return pix(yoffset + YSize - scale * (v - Min) - 1); };
    char text[32];
    int maxwidth = 0;
    each(ax, ax.majors(), [&](double v) {
        label(text, sizeof text, v);
        const int w = textwidth(text);
        if (w > maxwidth)
            maxwidth = w;
    });
    // labels wider than five digits stand on end beside the axis
    const bool rotated = maxwidth > textwidth("88888");
    each(ax, ax.majors(), [&](double v) {
        const int y = y_of(v);
        __gr_line(xl, y, xoffset - 6, y);
        dotted(xl, y, xoffset + XSize - 1, y);
        label(text, sizeof text, v);
        const int w = textwidth(text);
        if (rotated) {
            settextstyle(DEFAULT_FONT, VERT_DIR, 0);
            outtextxy(xoffset - 8, y + w / 2, text);
            settextstyle(DEFAULT_FONT, HORIZ_DIR, 0);
        } else {
            outtextxy(xoffset - 8 - w, y - textheight(text) / 2, text);
        }
    });
    each(ax, ax.minors(), [&](double v) {
        const int y = y_of(v);
        __gr_line(xl, y, xl - 2, y);
    });
}
