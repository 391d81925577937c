// Standard output of the code under test, from construction to text().
//
// gtest reports a failed assertion on standard output, so a failure inside
// the captured region would end up in the captured text and vanish with it.
// When the region saw a new failure, the captured text (with the report)
// goes to standard error as the capture ends, also when an ASSERT leaves the
// scope early.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // Ends the capture and gives what was written.
    std::string text();

private:
    bool active_ = true;
    int failures_at_start_ = 0;
};

// Success when each of `lines` occurs in `text` after the one before it;
// the failure names the first line missing and shows the text.
::testing::AssertionResult lines_in_order(const std::string& text, std::initializer_list<const char*> lines);
