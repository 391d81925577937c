#include "lib/simulator_util.h"

#include <stdlib.h>

const char *getenv_default(const char *name, const char *fallback)
{
    const char *value = getenv(name);
    return value != NULL ? value : fallback;
}
