// The colour record as it stands before any mode is set: the 16 classic
// colours at 6 bits a channel. The first reset keeps a copy of cells 0-15
// and presets every later palette mode with them.
#include <cstddef>

#include "libpxl.h"

// The save buffer carries the record byte for byte, so its size is fixed.
static_assert(offsetof(struct _GR_colorTable, cells) == 21 * 4,
              "colour record header must be 21 words");
static_assert(sizeof(struct _GR_colorCell) == 12,
              "colour cell must be 12 bytes");
static_assert(sizeof(struct _GR_colorTable) == 3156,
              "colour record must be 3156 bytes");

struct _GR_colorTable _GrColorInfo = {
    16,                 // numcolors
    0,                  // numfree
    0,                  // black
    15,                 // white
    0,                  // rgbmode: palette
    {6, 6, 6},          // prec
    {5, 5, 5},          // toppos
    {0xFC, 0xFC, 0xFC}, // mask
    {2, 2, 2},          // round
    {2, 2, 2},          // shift
    2,                  // normshift
    {
        // r, g, b, pad, flags (not yet loaded), refcount
        {0, 0, 0, 0, 0, 0},
        {0, 0, 170, 0, 0, 0},
        {0, 170, 0, 0, 0, 0},
        {0, 170, 170, 0, 0, 0},
        {170, 0, 0, 0, 0, 0},
        {170, 0, 170, 0, 0, 0},
        {170, 85, 0, 0, 0, 0},
        {170, 170, 170, 0, 0, 0},
        {85, 85, 85, 0, 0, 0},
        {85, 85, 255, 0, 0, 0},
        {85, 255, 85, 0, 0, 0},
        {85, 255, 255, 0, 0, 0},
        {255, 85, 85, 0, 0, 0},
        {255, 85, 255, 0, 0, 0},
        {255, 255, 85, 0, 0, 0},
        {255, 255, 255, 0, 0, 0},
    },
};

const struct _GR_colorTable *const GrColorInfo = &_GrColorInfo;
