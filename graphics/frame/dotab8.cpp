// Colours that leave an 8-bit pixel unchanged, by write mode:
// a write always has an effect (65535 is no byte value), XOR 0, OR 0, AND 255.
#include "libpxl.h"

const uint32_t _GrFDdotable8[4] = {65535U, 0U, 0U, 255U};
