// The library's general lock (the pthread OS layer).
#include <chrono>
#include <mutex>
#include <thread>

#include "lvgl.h"

namespace {

std::recursive_mutex & general_lock()
{
    static std::recursive_mutex m;
    return m;
}

}  // namespace

extern "C" {

void lv_lock(void)
{
    general_lock().lock();
}

lv_result_t lv_lock_isr(void)
{
    return general_lock().try_lock() ? LV_RESULT_OK : LV_RESULT_INVALID;
}

void lv_unlock(void)
{
    general_lock().unlock();
}

void lv_sleep_ms(uint32_t ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // extern "C"
