/* Console log of the interface: a coloured tag, the calling function and the
 * source line, then the message, on standard output. */
#ifndef UI_LOG_H
#define UI_LOG_H

#include <stdio.h>

#define UI_LOG_TAG "\033[1;33m[LVGL_UI][%s:%d]\033[0m "

#define UI_LOG(fmt, ...) printf(UI_LOG_TAG fmt, __func__, __LINE__, ##__VA_ARGS__)

/* The same, tagged with another function's name: for a helper that serves
 * several event handlers and logs on their behalf. */
#define UI_LOG_FROM(func, fmt, ...) printf(UI_LOG_TAG fmt, func, __LINE__, ##__VA_ARGS__)

#endif /* UI_LOG_H */
