/* Seam of the keypad reader for tests; not for other modules. */
#ifndef KEY_INPUT_INTERNAL_H
#define KEY_INPUT_INTERNAL_H

#include "key_input.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The device key_input_init opens from now on; NULL restores
 * KEY_INPUT_DEVICE. The text is not copied. */
void key_input_set_device_path(const char *path);

#ifdef __cplusplus
}
#endif

#endif /* KEY_INPUT_INTERNAL_H */
