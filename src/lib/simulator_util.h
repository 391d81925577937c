/* Small process utilities shared by the entry point and the backends. */
#ifndef SIMULATOR_UTIL_H
#define SIMULATOR_UTIL_H

#ifdef __cplusplus
extern "C" {
#endif

/* Value of the environment variable `name`, or `fallback` when it is not set
 * (an empty value counts as set). Nothing is copied. */
const char *getenv_default(const char *name, const char *fallback);

#ifdef __cplusplus
}
#endif

#endif /* SIMULATOR_UTIL_H */
