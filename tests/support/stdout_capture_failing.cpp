// Tests that fail on purpose inside a captured region, run by
// stdout_capture_test.cpp, which checks that their failures are reported.

#include <gtest/gtest.h>
#include <stdio.h>

#include "stdout_capture.hpp"

namespace {

TEST(CaptureFailing, ExpectInsideTheRegion)
{
    StdoutCapture captured;
    printf("said by the code under test\n");
    EXPECT_EQ(1 + 1, 3) << "the failure message";
    EXPECT_EQ(captured.text(), "said by the code under test\n");
}

TEST(CaptureFailing, AssertLeavesTheRegionEarly)
{
    StdoutCapture captured;
    ASSERT_TRUE(false) << "the failure message";
}

}  // namespace
