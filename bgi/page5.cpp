// How many pages the next mode set asks for.
#include "libbgi.h"

void __gr_set_BGI_mode_pages(int p) { __gr_BGI_p = p >= 2 ? 2 : 1; }
int __gr_get_BGI_mode_pages(void) { return __gr_BGI_p; }
void set_BGI_mode_pages(int p) { __gr_set_BGI_mode_pages(p); }
int get_BGI_mode_pages(void) { return __gr_get_BGI_mode_pages(); }
