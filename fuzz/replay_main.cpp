// Runs a fuzz target over files and directories of inputs, so that seed
// corpora replay as ordinary tests in builds without libFuzzer.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

static std::vector<std::string> inputs_under(const std::string &path)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        return {};
    }
    if (!S_ISDIR(st.st_mode)) {
        return {path};
    }
    std::vector<std::string> files;
    if (DIR *dir = opendir(path.c_str())) {
        while (struct dirent *e = readdir(dir)) {
            if (e->d_name[0] != '.') {
                files.push_back(path + "/" + e->d_name);
            }
        }
        closedir(dir);
    }
    std::sort(files.begin(), files.end());
    return files;
}

int main(int argc, char **argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; i++) {
        std::vector<std::string> files = inputs_under(argv[i]);
        if (files.empty()) {
            fprintf(stderr, "no inputs in %s\n", argv[i]);
            return 1;
        }
        for (const std::string &file : files) {
            std::ifstream in(file, std::ios::binary);
            std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(data.data(), data.size());
            replayed++;
        }
    }
    fprintf(stderr, "replayed %d inputs\n", replayed);
    return 0;
}
