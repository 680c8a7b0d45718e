// Device drivers cannot be added: the core chooses its video driver.
#include "libbgi.h"

int __gr_installbgidriver(const char *, int (*)(void)) { return grError; }

int installbgidriver(const char *name, int (*detect)(void))
{
    return __gr_installbgidriver(name, detect);
}
