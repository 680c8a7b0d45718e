// The graphics buffer: the layer needs none of its own.
#include "libbgi.h"

unsigned __gr_setgraphbufsize(unsigned) { return 4096; }

unsigned setgraphbufsize(unsigned size) { return __gr_setgraphbufsize(size); }
