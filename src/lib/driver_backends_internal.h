/* Seams of the backend registry for tests; not for other modules. */
#ifndef DRIVER_BACKENDS_INTERNAL_H
#define DRIVER_BACKENDS_INTERNAL_H

#include "lib/driver_backends.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Empties the registry, as it is before driver_backends_register, and
 * forgets the selected display backend. */
void driver_backends_reset(void);

/* The registered backend named `name` (upper case), or NULL. */
backend_t *driver_backends_find(const char *name);

#ifdef __cplusplus
}
#endif

#endif /* DRIVER_BACKENDS_INTERNAL_H */
