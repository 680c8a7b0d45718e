// Round tick spacings for an axis: 1, 2 or 5 times a power of ten.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "zevgraph.h"

void scale1(double min, double max, double *tick_spacing, int *tick_spacing_type)
{
    static const double vint[] = {1.0, 2.0, 5.0, 10.0};
    // geometric means of neighbouring multipliers: the switch-over points
    static const double sqr[] = {1.4142135623730951, 3.16228, 7.07107};
    static const int type[] = {0, 1, 2, 0};

    const double sign = min < max ? 1.0 : -1.0;
    const double a = sign * (max - min) / 5;
    // an empty range, or one too wide to measure, has no spacing
    if (!(a > 0) || !std::isfinite(a)) {
        fprintf(stderr, "Error: bad trial inter-tick spacing %g\n", a);
        exit(1);
    }
    const double nal = std::floor(std::log10(a));
    const double m = a * std::pow(10.0, -nal);
    int i = 0;
    while (i < 3 && m >= sqr[i])
        i++;
    *tick_spacing = sign * vint[i] * std::pow(10.0, nal);
    *tick_spacing_type = type[i];
}
