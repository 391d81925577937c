#include "stdout_capture.hpp"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Failed parts recorded so far by the running test (0 outside a test).
int failures_so_far()
{
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    if (info == nullptr) {
        return 0;
    }
    const testing::TestResult* result = info->result();
    int failed = 0;
    for (int i = 0; i < result->total_part_count(); i++) {
        failed += result->GetTestPartResult(i).failed() ? 1 : 0;
    }
    return failed;
}

}  // namespace

StdoutCapture::StdoutCapture() : failures_at_start_(failures_so_far())
{
    fflush(stdout);
    testing::internal::CaptureStdout();
}

StdoutCapture::~StdoutCapture()
{
    if (active_) {
        text();
    }
}

std::string StdoutCapture::text()
{
    active_ = false;
    fflush(stdout);
    std::string captured = testing::internal::GetCapturedStdout();
    if (failures_so_far() > failures_at_start_) {
        fprintf(stderr, "--- standard output captured around a failure ---\n%s"
                        "--- end of captured output ---\n",
                captured.c_str());
    }
    return captured;
}

::testing::AssertionResult lines_in_order(const std::string& text, std::initializer_list<const char*> lines)
{
    size_t at = 0;
    for (const char* line : lines) {
        at = text.find(line, at);
        if (at == std::string::npos) {
            return ::testing::AssertionFailure() << "no \"" << line << "\" (in this order) in:\n" << text;
        }
        at++;
    }
    return ::testing::AssertionSuccess();
}
