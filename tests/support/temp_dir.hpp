// A fresh directory under /tmp for one test, removed with everything in it
// at the end. A directory that cannot be made fails the test.
#pragma once

#include <string>

class TempDir {
public:
    // Made as /tmp/quorvex-<name>-XXXXXX.
    explicit TempDir(const char *name = "test");
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::string &path() const { return path_; }
    std::string file(const char *name) const { return path_ + "/" + name; }

private:
    std::string path_;
};
