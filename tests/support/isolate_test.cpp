// test_isolate on this machine: what a command run through it sees of /tmp.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "temp_dir.hpp"

namespace {

// Standard output of a shell command line, and its exit status.
std::string output_of(const std::string & command, int * status)
{
    std::string out;
    FILE * pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        *status = -1;
        return out;
    }
    char buf[256];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) {
        out.append(buf, n);
    }
    *status = pclose(pipe);
    return out;
}

std::string read_file(const std::string & path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class Isolate : public testing::Test {
protected:
    void SetUp() override
    {
        int status = 0;
        output_of(std::string(TEST_ISOLATE) + " --probe 2>/dev/null", &status);
        if (status != 0) {
            GTEST_SKIP() << "no private namespaces on this machine";
        }
    }
};

TEST_F(Isolate, OnlyTheKeptFolderOfTheMachinesTmpIsSeenAndWritable)
{
    TempDir kept("isolate-kept");
    TempDir other("isolate-other");
    std::ofstream(kept.file("mark")) << "kept\n";
    std::ofstream(other.file("mark")) << "other\n";
    const std::string name = kept.path().substr(std::string("/tmp/").size());

    // A path below the kept folder keeps the whole folder.
    int status = 0;
    const std::string seen = output_of(
        std::string(TEST_ISOLATE) + " --keep " + kept.file("mark") + " /bin/sh -c 'cat " + kept.file("mark") +
            "; ls -A /tmp; cat " + other.file("mark") + " 2>/dev/null; echo written > " + kept.file("new") + "'",
        &status);
    EXPECT_EQ(seen, "kept\n" + name + "\n");
    EXPECT_EQ(read_file(kept.file("new")), "written\n");

    const std::string bare = output_of(std::string(TEST_ISOLATE) + " /bin/ls -A /tmp", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(bare, "");
}

// A folder outside /tmp needs no keeping and is no error.
TEST_F(Isolate, AFolderOutsideTmpIsSeenAsItIs)
{
    int status = 0;
    const std::string seen = output_of(std::string(TEST_ISOLATE) + " --keep /usr /bin/ls -d /usr", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(seen, "/usr\n");
}

}  // namespace
