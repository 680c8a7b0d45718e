// Random driver calls mirrored in the reference model, shared by the tests
// of every memory frame driver.
#ifndef TESTS_FRAME_FDRANDOM_H
#define TESTS_FRAME_FDRANDOM_H

#include <random>
#include <string>

#include "fdmodel.h"

namespace fdt {

inline bool bits(const Layout &L) { return L.bpp < 8; }
inline uint32_t value_mask(const Layout &L)
{
    return L.bpp >= 24 ? 0xFFFFFFU : (1U << L.bpp) - 1;
}

// A frame and the model that mirrors it.
struct Target {
    MemFrame &fr;
    Model &m;
};

// What the driver's bitblt does to dst, in model terms.
void model_blit(const Layout &L, Model &dst, int dx, int dy, const Model &src, int sx, int sy,
                int w, int h, GrColor op);

// One random call of driver D on a or b (or between them), mirrored in the
// models; returns what it did, with "WRONG" in it when a read disagreed.
std::string random_op(const GrFrameDriver &D, std::mt19937 &rng, Target a, Target b);

}  // namespace fdt

#endif  // TESTS_FRAME_FDRANDOM_H
