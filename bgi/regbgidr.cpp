// Device drivers linked into a program cannot be used either.
#include "libbgi.h"

int __gr_registerfarbgidriver(void *) { return grError; }

int registerfarbgidriver(void *driver) { return __gr_registerfarbgidriver(driver); }

int registerbgidriver(void (*)(void)) { return grError; }
