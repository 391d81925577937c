#include "temp_dir.hpp"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

namespace {

// A fatal failure of the running test when the directory cannot be made:
// a fixture holding the directory then runs no test body.
void make(const char *name, std::string *path)
{
    std::string tmpl = std::string("/tmp/quorvex-") + name + "-XXXXXX";
    if (mkdtemp(tmpl.data()) == nullptr) {
        GTEST_FAIL() << "mkdtemp " << tmpl << " failed";
    }
    *path = tmpl;
}

}  // namespace

TempDir::TempDir(const char *name)
{
    make(name, &path_);
}

TempDir::~TempDir()
{
    if (!path_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
}
