// What the page benchmarks share: the page's log thrown away while the
// figures go to the original standard output, and a temporary working
// folder with the font and background picture the pages load by name.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

class PageBenchEnv {
public:
    // `name` goes into the folder's name: /tmp/quorvex-NAME-XXXXXX.
    explicit PageBenchEnv(const char * name)
    {
        std::fflush(stdout);
        out_ = fdopen(dup(STDOUT_FILENO), "w");
        const int null_fd = open("/dev/null", O_WRONLY);
        if (out_ == nullptr || null_fd < 0 || dup2(null_fd, STDOUT_FILENO) < 0) {
            std::perror("redirecting the log");
            return;
        }
        close(null_fd);
        std::string tmpl = "/tmp/quorvex-" + std::string(name) + "-XXXXXX";
        if (!mkdtemp(tmpl.data())) {
            std::perror("mkdtemp");
            return;
        }
        dir_ = tmpl;
        old_cwd_ = std::filesystem::current_path();
        std::filesystem::copy_file(BENCH_FONT, dir_ / "HarmonyOS_Sans_SC_Medium.ttf");
        std::filesystem::copy_file(BENCH_BACKGROUND, dir_ / "background_image_8.png");
        std::filesystem::current_path(dir_);
    }

    ~PageBenchEnv()
    {
        if (!dir_.empty()) {
            std::filesystem::current_path(old_cwd_);
            std::filesystem::remove_all(dir_);
        }
        if (out_ != nullptr) {
            std::fclose(out_);
        }
    }

    PageBenchEnv(const PageBenchEnv &) = delete;
    PageBenchEnv & operator=(const PageBenchEnv &) = delete;

    // False when the log could not be redirected or the folder not made.
    bool ok() const { return !dir_.empty(); }
    // Where the figures go.
    FILE * out() const { return out_; }
    // The working folder, current while the object lives.
    const std::filesystem::path & dir() const { return dir_; }

private:
    FILE * out_ = nullptr;
    std::filesystem::path dir_;
    std::filesystem::path old_cwd_;
};
