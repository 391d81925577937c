// Stand-in for the ALSA mixer program on machines without a sound card.
//
//   amixer [-c CARD] sset|set CONTROL VALUE    VALUE: N% or N, 0 to 100
//   amixer [-c CARD] sget|get CONTROL
//
// Card 0 has simple controls of range 0 to 100 per cent; a control that was
// never set reads 100. The levels are kept in "amixer.state" in the working
// directory (one line "CARD CONTROL LEVEL" each) and every call is appended
// to "amixer.log" there, so a person or a test can follow what the interface
// asked for. Like the real program it prints the control's state and exits
// 0, or prints a message on standard error and exits 1.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char* kStateFile = "amixer.state";
constexpr const char* kLogFile = "amixer.log";
constexpr int kLevelMax = 100;
constexpr int kUnsetLevel = kLevelMax;
constexpr size_t kControlNameMax = 64;
constexpr int kOnlyCard = 0;

using Levels = std::map<std::pair<int, std::string>, int>;

struct Request {
    int card = kOnlyCard;
    bool set = false;
    std::string control;
    int level = 0;
};

// Raised for a call that cannot be carried out; the text goes to stderr and
// the log.
struct Refusal {
    std::string message;
};

// Printable ASCII as it is; anything else (control characters, bytes of
// other texts) as \xNN, so the log stays one line per call.
std::string escaped(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

std::string joined_args(int argc, char** argv) {
    std::string out;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) out += ' ';
        out += escaped(argv[i]);
    }
    return out;
}

std::optional<int> number(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

int level_of(std::string text) {
    if (!text.empty() && text.back() == '%') text.pop_back();
    const std::optional<int> v = number(text);
    if (!v || *v > kLevelMax) throw Refusal{"Invalid volume value '" + escaped(text) + "'"};
    return *v;
}

bool valid_control(const std::string& name) {
    if (name.empty() || name.size() > kControlNameMax) return false;
    for (unsigned char c : name) {
        if (c < 0x20 || c >= 0x7F) return false;
    }
    return true;
}

Request parse(const std::vector<std::string>& args) {
    Request r;
    size_t i = 0;
    if (i < args.size() && args[i].rfind("-c", 0) == 0) {
        std::string card = args[i].substr(2);
        if (card.empty()) {
            if (++i >= args.size()) throw Refusal{"option -c requires an argument"};
            card = args[i];
        }
        const std::optional<int> n = number(card);
        if (!n || *n != kOnlyCard) throw Refusal{"Invalid card number '" + escaped(card) + "'"};
        r.card = *n;
        ++i;
    }
    if (i >= args.size()) throw Refusal{"Invalid command!"};
    const std::string& command = args[i++];
    if (command == "sset" || command == "set") {
        r.set = true;
    } else if (command != "sget" && command != "get") {
        throw Refusal{"Invalid command!"};
    }
    if (i >= args.size() || !valid_control(args[i])) throw Refusal{"Specify a full control identifier"};
    r.control = args[i++];
    if (r.set) {
        if (i >= args.size()) throw Refusal{"Specify what you want to set..."};
        r.level = level_of(args[i++]);
    }
    if (i != args.size()) throw Refusal{"Invalid command!"};
    return r;
}

Levels read_levels() {
    Levels levels;
    std::ifstream in(kStateFile);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        int card = 0;
        std::string control;
        int level = 0;
        // The control name may hold spaces: the level is the last field.
        if (!(fields >> card)) continue;
        std::string rest;
        std::getline(fields >> std::ws, rest);
        const size_t cut = rest.find_last_of(' ');
        if (cut == std::string::npos) continue;
        control = rest.substr(0, cut);
        const std::optional<int> v = number(rest.substr(cut + 1));
        if (!v || *v > kLevelMax || !valid_control(control)) continue;
        level = *v;
        levels[{card, control}] = level;
    }
    return levels;
}

// Written beside the state file and renamed over it: a reader never sees
// half a file.
void write_levels(const Levels& levels) {
    const std::string tmp = std::string(kStateFile) + "." + std::to_string(getpid());
    {
        std::ofstream out(tmp, std::ios::trunc);
        for (const auto& [key, level] : levels) out << key.first << ' ' << key.second << ' ' << level << '\n';
        out.flush();
        if (!out) {
            std::remove(tmp.c_str());
            throw Refusal{std::string("cannot write ") + kStateFile};
        }
    }
    if (std::rename(tmp.c_str(), kStateFile) != 0) {
        std::remove(tmp.c_str());
        throw Refusal{std::string("cannot write ") + kStateFile + ": " + std::strerror(errno)};
    }
}

// One line per call, written at once so that calls never interleave.
void log_call(const std::string& args, const std::string& outcome) {
    const std::string line = "amixer " + args + " => " + outcome + "\n";
    const int fd = open(kLogFile, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return;
    (void)!write(fd, line.data(), line.size());
    close(fd);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string args = joined_args(argc, argv);
    try {
        const Request r = parse(std::vector<std::string>(argv + 1, argv + argc));
        Levels levels = read_levels();
        const auto key = std::make_pair(r.card, r.control);
        if (r.set) {
            levels[key] = r.level;
            write_levels(levels);
        }
        const auto found = levels.find(key);
        const int level = found == levels.end() ? kUnsetLevel : found->second;
        std::printf("Simple mixer control '%s',0\n  Mono: Playback %d [%d%%]\n", r.control.c_str(), level, level);
        log_call(args, r.control + " " + std::to_string(level) + "%");
        return 0;
    } catch (const Refusal& refusal) {
        std::fprintf(stderr, "amixer: %s\n", refusal.message.c_str());
        log_call(args, "error: " + refusal.message);
        return 1;
    }
}
