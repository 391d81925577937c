#include "mem_monitor.h"

#include <errno.h>
#include <malloc.h>
#include <pthread.h>
#include <string.h>
#include <time.h>

#include "mem_monitor_internal.h"
#include "ui/ui_log.h"

#define PROC_LINE_MAX 127
#define KB 1024

static int sleep_ms(void *ctx, uint32_t ms)
{
    (void)ctx;
    struct timespec left = {(time_t)(ms / 1000), (long)(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
    return 0;
}

static const mem_monitor_io_t real_io = {
    sleep_ms, NULL, NULL, "/proc/self/status", "/proc/meminfo",
};

/* The number after `prefix` on the first line of `path` that begins with it,
 * or -1 when the file or such a line is missing. Lines longer than
 * PROC_LINE_MAX are read in pieces; only the first piece of a line counts. */
static long read_proc_kb(const char *path, const char *prefix)
{
    FILE *file = fopen(path, "re");
    if (file == NULL) {
        return -1;
    }
    char line[PROC_LINE_MAX + 1];
    size_t prefix_len = strlen(prefix);
    bool at_line_start = true;
    long value = -1;
    while (fgets(line, sizeof(line), file) != NULL) {
        bool match = at_line_start && strncmp(line, prefix, prefix_len) == 0;
        at_line_start = strchr(line, '\n') != NULL;
        if (match) {
            if (sscanf(line + prefix_len, "%ld", &value) != 1) {
                value = -1;
            }
            break;
        }
    }
    fclose(file);
    return value;
}

static double kb_to_mb(long kb)
{
    return kb > 0 ? (double)kb / KB : 0.0;
}

void *mem_monitor_thread(void *arg)
{
    const mem_monitor_io_t *io = arg != NULL ? (const mem_monitor_io_t *)arg : &real_io;
    FILE *out = io->out != NULL ? io->out : stdout;
    while (io->wait_ms(io->ctx, MEM_MONITOR_PERIOD_MS) == 0) {
        /* mallinfo2: size_t figures, which do not wrap past 2 GiB. */
        struct mallinfo2 heap = mallinfo2();
        size_t heap_used = heap.uordblks / KB;
        size_t heap_free = heap.fordblks / KB;
        long rss = read_proc_kb(io->status_path, "VmRSS:");
        long sys_avail = read_proc_kb(io->meminfo_path, "MemAvailable:");
        fprintf(out,
                UI_LOG_TAG "[MEM] heap_used=%zuKB heap_free=%zuKB rss=%ldKB (%.2fMB) "
                           "sys_avail=%ldKB (%.2fMB)\n",
                __func__, __LINE__, heap_used, heap_free, rss, kb_to_mb(rss), sys_avail, kb_to_mb(sys_avail));
        fflush(out);
    }
    return NULL;
}

void mem_monitor_start(void)
{
    pthread_t thread;
    if (pthread_create(&thread, NULL, mem_monitor_thread, NULL) != 0) {
        fputs("mem_monitor_thread create failed\n", stderr);
        return;
    }
    pthread_detach(thread);
}
