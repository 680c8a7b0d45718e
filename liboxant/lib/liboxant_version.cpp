/*
 * liboxant_version.cpp - identification strings of liboxant.
 *
 * Copyright (C) 2026 the zevgraph developers. LGPL-2.1-or-later.
 */
#include "liboxant.h"

/* Build stamp comes from the compiler, so the banner tells which build
 * a user is running. */
const char Version[] = "liboxant Version 0.52 " __DATE__ " " __TIME__
                       " Build: 0 by zevgraph developers";
const char shortVersion[] = "liboxant Ver: 0.52";
/* Lets `strings prog | grep oxaver` find the library version. */
const char oxaver[] = "$oxaver 0.52";
const char Copyright[] = "Copyright (C) 2026 the zevgraph developers.\n"
                         "Licensed under the GNU LGPL 2.1 or later.";
const char Bugs[] = "Please send bug reports and comments to the zevgraph "
                    "issue tracker.";
