// The Airable watchdogs' sleeps under a test's control: each step lets one
// watchdog finish one sleep and waits until it is back in the next one.
// Installed with airable_set_watchdog_sleep(WatchdogClock::sleep_fn) before
// the first handshake of the process starts.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "airable_data_exchange_internal.h"

class WatchdogClock {
public:
    static WatchdogClock & get()
    {
        // Never destroyed: the detached watchdogs sleep in it until exit.
        static WatchdogClock * clock = new WatchdogClock;
        return *clock;
    }

    static void sleep_fn(int watchdog, unsigned ms)
    {
        EXPECT_EQ(ms, (unsigned)AIRABLE_HS_POLL_MS);
        get().sleep(watchdog);
    }

    // Lets watchdog `w` run `polls` polls, one at a time.
    void step(int w, int polls = 1)
    {
        std::unique_lock<std::mutex> hold(lock_);
        if (free_) return;
        for (int i = 0; i < polls; i++) {
            cv_.wait(hold, [&] { return entered_[w] == granted_[w] + 1; });
            granted_[w]++;
            cv_.notify_all();
        }
        cv_.wait(hold, [&] { return entered_[w] == granted_[w] + 1; });
    }

    // From now on every sleep lasts a real millisecond.
    void run_free()
    {
        std::lock_guard<std::mutex> hold(lock_);
        free_ = true;
        cv_.notify_all();
    }

    // Back under the test's control after run_free: returns once each
    // watchdog waits in its next sleep. The sleep that run_free released
    // counts as granted.
    void run_stepped()
    {
        std::unique_lock<std::mutex> hold(lock_);
        if (!free_) return;
        free_ = false;
        for (int w = 0; w < 2; w++) granted_[w] = entered_[w];
        cv_.wait(hold, [&] {
            for (int w = 0; w < 2; w++) {
                if (!threads_[w].empty() && entered_[w] != granted_[w] + 1) return false;
            }
            return true;
        });
    }

    size_t threads(int w)
    {
        std::lock_guard<std::mutex> hold(lock_);
        return threads_[w].size();
    }

private:
    void sleep(int w)
    {
        std::unique_lock<std::mutex> hold(lock_);
        threads_[w].insert(std::this_thread::get_id());
        if (free_) {
            hold.unlock();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return;
        }
        entered_[w]++;
        cv_.notify_all();
        cv_.wait(hold, [&] { return free_ || granted_[w] >= entered_[w]; });
    }

    std::mutex lock_;
    std::condition_variable cv_;
    long entered_[2] = {0, 0};
    long granted_[2] = {0, 0};
    std::set<std::thread::id> threads_[2];
    bool free_ = false;
};

constexpr int kInit = AIRABLE_WATCHDOG_INIT;
constexpr int kMode = AIRABLE_WATCHDOG_MODE;
