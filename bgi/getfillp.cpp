// The rows of the user fill pattern.
#include <cstring>

#include "libbgi.h"

void __gr_getfillpattern(char *pattern) { memcpy(pattern, __gr_fpatterns[USER_FILL], 8); }

void getfillpattern(char *pattern) { __gr_getfillpattern(pattern); }
