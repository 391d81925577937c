// The GUI library's timers on the real clock, and a framework socket of the
// test's own in a fresh temporary folder that TearDown removes.
#pragma once

#include <gtest/gtest.h>

#include <stdlib.h>
#include <time.h>

#include <filesystem>
#include <string>

#include "fw_uds.h"
#include "lv_fixture.h"
#include "lvgl.h"
#include "temp_dir.hpp"

class SocketFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        lv_init_once();
        lv_tick_set_cb(monotonic_ms);
        dir_ = tmp_.path();
        socket_ = (dir_ / "fw.sock").string();
        uds_set_socket_path(socket_.c_str());
    }

    void TearDown() override { uds_set_socket_path(nullptr); }

    TempDir tmp_{"comm"};
    std::filesystem::path dir_;
    std::string socket_;

private:
    static uint32_t monotonic_ms()
    {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return static_cast<uint32_t>(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
    }
};
