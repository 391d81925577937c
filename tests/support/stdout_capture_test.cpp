// The capture helper itself: a failure inside a captured region still
// reaches the test's report. The failing tests live in a helper program
// (stdout_capture_failing.cpp) that the checks below run.

#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/wait.h>

#include <string>

#include "stdout_capture.hpp"

namespace {

// Runs one test of the helper; its standard error and exit status.
std::pair<std::string, int> run_failing(const std::string& name)
{
    const std::string command = std::string(CAPTURE_FAILING_HELPER) +
                                " --gtest_filter=CaptureFailing." + name + " 2>&1 >/dev/null";
    FILE* child = popen(command.c_str(), "r");
    std::string err;
    char buf[512];
    while (child != nullptr && fgets(buf, sizeof buf, child) != nullptr) {
        err += buf;
    }
    const int status = child != nullptr ? pclose(child) : -1;
    return {err, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

TEST(StdoutCapture, FailureInsideTheRegionIsReported)
{
    for (const char* name : {"ExpectInsideTheRegion", "AssertLeavesTheRegionEarly"}) {
        SCOPED_TRACE(name);
        const auto [err, status] = run_failing(name);
        EXPECT_EQ(status, 1);
        EXPECT_NE(err.find("the failure message"), std::string::npos) << err;
    }
}

TEST(StdoutCapture, QuietWithoutAFailure)
{
    testing::internal::CaptureStderr();
    {
        StdoutCapture captured;
        printf("text\n");
        EXPECT_EQ(captured.text(), "text\n");
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
