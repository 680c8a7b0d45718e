#!/usr/bin/env python3
"""Write the example ZEV files into examples/.

Each file holds a header line and one line per variable: its number, its
average, its median (kept by the reader but not drawn) and its standard
deviation. The values imitate a measurement series: positive averages on a
slow trend with a ripple, noise, a few spikes, and deviations that now and
then exceed the average so that average - deviation drops below zero.

The seed is fixed, so running this again rewrites the same bytes.
"""

import math
import os
import random

HEADER = "Variable       Average        Median        StdDev\n"
BAD_HEADER = "Var            Avg            Med           SD\n"


def series(rng, count, base, spike_every):
    rows = []
    phase = rng.uniform(0.0, 2.0 * math.pi)
    for i in range(1, count + 1):
        t = i / count
        trend = base * (1.0 + 0.6 * t) + 0.25 * base * math.sin(6.0 * math.pi * t + phase)
        avg = trend * (1.0 + rng.gauss(0.0, 0.04))
        if rng.random() < 1.0 / spike_every:
            avg *= rng.uniform(2.0, 4.0)
        avg = max(avg, 0.01 * base)
        sd = abs(rng.gauss(0.18, 0.07)) * avg
        if rng.random() < 0.05:
            # a badly scattered variable: the deviation outgrows the average
            sd = avg * rng.uniform(1.05, 1.8)
        med = avg * (1.0 + rng.gauss(0.0, 0.03)) - 0.1 * sd
        rows.append((i, avg, max(med, 0.0), sd))
    return rows


def write(path, header, rows):
    with open(path, "w", newline="\n") as f:
        f.write(header)
        for i, avg, med, sd in rows:
            f.write(f"{i:8d} {avg:13.4f} {med:13.4f} {sd:13.4f}\n")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, os.pardir, "examples")
    os.makedirs(out, exist_ok=True)
    rng = random.Random(20240611)
    write(os.path.join(out, "small.zev"), HEADER, series(rng, 10, 42.0, 8))
    write(os.path.join(out, "medium.zev"), HEADER, series(rng, 200, 1250.0, 40))
    write(os.path.join(out, "large.zev"), HEADER, series(rng, 5120, 3.7, 300))
    # no variables: the viewer ends its run there, so it is kept apart and
    # examples/*.zev shows every page
    os.makedirs(os.path.join(out, "broken"), exist_ok=True)
    write(os.path.join(out, "broken", "header-only.zev"), HEADER, [])
    write(os.path.join(out, "bad-header.zev"), BAD_HEADER, series(rng, 20, 180.0, 10))


if __name__ == "__main__":
    main()
