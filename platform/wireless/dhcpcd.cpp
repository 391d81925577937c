// Stand-in of dhcpcd: "dhcpcd -t 10 -4 IF" gives the interface the
// scenario's lease (address and default route) in the state folder, or
// exits 1 when no lease comes ("dhcp none", or the first "dhcp-fail" runs).
// With the lease it forks into the background as the real one does: the
// command returns, and the child keeps the lease (in a session of its own,
// its standard streams on /dev/null) until it is signalled, its lease time
// is over or its state folder goes.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "standin.h"

namespace {

const unsigned kLeaseSeconds = 86400;

// The child's side of the fork: it holds no lock and no stream of its
// caller's, and never returns.
[[noreturn]] void keep_lease(const wireless::Scenario &sc, wireless::State &st)
{
    st.release();
    setsid();
    int null = open("/dev/null", O_RDWR | O_CLOEXEC);
    for (int fd = 0; fd <= 2; fd++) {
        dup2(null, fd);
    }
    wireless::wait_while_state_stays(sc, kLeaseSeconds);
    _exit(0);
}

int dhcpcd(const wireless::Scenario &sc, wireless::State &st, int argc, char **argv)
{
    std::string ifname = argc >= 2 ? argv[argc - 1] : "";
    if (!wireless::dhcp_lease_granted(sc, st)) {
        std::printf("dhcpcd: timed out\n");
        return 1;
    }
    wireless::NetState net = wireless::load_net(st);
    std::erase_if(net.addresses, [&](const wireless::Address &a) { return a.ifname == ifname; });
    net.addresses.push_back({ifname, sc.lease.ip, std::stoi(sc.lease.prefix)});
    net.gateway = sc.lease.router;
    net.gateway_dev = ifname;
    wireless::store_net(st, net);
    std::printf("%s: leased %s for %u seconds\n", ifname.c_str(), sc.lease.ip.c_str(), kLeaseSeconds);
    std::fflush(stdout);
    pid_t child = fork();
    if (child == 0) {
        keep_lease(sc, st);
    }
    if (child > 0) {
        std::printf("forked to background, child pid %d\n", (int)child);
    }
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    return wireless::run_tool(argc, argv, dhcpcd);
}
