// Stand-in of udhcpc: "udhcpc -i IF -s SCRIPT -t 5 -A 3 -n -q" asks for the
// scenario's lease and, as the real client, runs SCRIPT with "deconfig" and
// then "bound" (the lease in ip, mask, router, dns and interface), or exits 1
// after "deconfig" when no lease comes ("dhcp none", or the first "dhcp-fail"
// runs). With "dhcp-hang" it waits (10 minutes, or until its state folder
// goes) before it answers.
//
// A script that writes the machine's own resolver file is run from a copy
// that writes the state folder's instead: this machine's network set-up is
// never touched.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "standin.h"

extern char **environ;

namespace {

const char *const kHostResolver = "/etc/resolv.conf";
// "dhcp-hang": longer than any caller waits.
const unsigned kHangSeconds = 600;
const char *const kLeaseVars[] = {"ip=", "mask=", "router=", "dns=", "interface="};

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Where the text names the machine's resolver file as a path of its own
// (not the tail of a longer path).
std::vector<size_t> host_resolver_places(const std::string &text)
{
    std::vector<size_t> places;
    for (size_t at = text.find(kHostResolver); at != std::string::npos; at = text.find(kHostResolver, at + 1)) {
        if (at == 0 || std::strchr(" \t>\"'=", text[at - 1]) != nullptr) {
            places.push_back(at);
        }
    }
    return places;
}

// The script to run: SCRIPT itself, or the copy described above.
std::string script_to_run(const wireless::State &st, const std::string &script)
{
    std::string text = read_file(script);
    std::vector<size_t> places = host_resolver_places(text);
    if (places.empty()) {
        return script;
    }
    const std::string resolver = st.path("resolv.conf");
    for (auto at = places.rbegin(); at != places.rend(); ++at) {
        text.replace(*at, std::strlen(kHostResolver), resolver);
    }
    std::string copy = st.path("udhcpc.script");
    std::ofstream(copy, std::ios::trunc) << text;
    chmod(copy.c_str(), 0700);
    return copy;
}

bool lease_var(const char *entry)
{
    for (const char *var : kLeaseVars) {
        if (std::strncmp(entry, var, std::strlen(var)) == 0) {
            return true;
        }
    }
    return false;
}

void run_script(const std::string &script, const char *event, const std::vector<std::string> &lease)
{
    if (access(script.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "udhcpc: can't execute '%s'\n", script.c_str());
        return;
    }
    std::vector<const char *> env;
    for (char **e = environ; *e != nullptr; e++) {
        if (!lease_var(*e)) {
            env.push_back(*e);
        }
    }
    for (const std::string &var : lease) {
        env.push_back(var.c_str());
    }
    env.push_back(nullptr);
    std::fflush(stdout);
    const char *argv[] = {script.c_str(), event, nullptr};
    pid_t pid;
    if (posix_spawn(&pid, script.c_str(), nullptr, nullptr, const_cast<char **>(argv),
                    const_cast<char **>(env.data())) == 0) {
        int status;
        waitpid(pid, &status, 0);
    }
}

int udhcpc(const wireless::Scenario &sc, wireless::State &st, int argc, char **argv)
{
    std::string ifname;
    std::string script;
    for (int i = 1; i + 1 < argc; i++) {
        if (std::strcmp(argv[i], "-i") == 0) {
            ifname = argv[++i];
        } else if (std::strcmp(argv[i], "-s") == 0) {
            script = argv[++i];
        }
    }
    bool granted = wireless::dhcp_lease_granted(sc, st);
    std::string to_run = script.empty() ? "" : script_to_run(st, script);
    // The script calls the ip stand-in, which takes the state lock.
    st.release();
    std::printf("udhcpc: started, v1.36.1\n");
    std::fflush(stdout);
    if (sc.dhcp_hangs) {
        wireless::wait_while_state_stays(sc, kHangSeconds);
    }
    std::string iface = "interface=" + ifname;
    if (!to_run.empty()) {
        run_script(to_run, "deconfig", {iface});
    }
    if (!granted) {
        std::printf("udhcpc: no lease, failing\n");
        return 1;
    }
    std::string dns;
    for (const std::string &server : sc.lease.dns) {
        dns += (dns.empty() ? "" : " ") + server;
    }
    std::printf("udhcpc: lease of %s obtained, lease time 86400\n", sc.lease.ip.c_str());
    if (!to_run.empty()) {
        run_script(to_run, "bound",
                   {iface, "ip=" + sc.lease.ip, "mask=" + sc.lease.prefix, "router=" + sc.lease.router, "dns=" + dns});
    }
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    return wireless::run_tool(argc, argv, udhcpc);
}
