// Stand-in of dhcpcd: "dhcpcd -t 10 -4 IF" gives the interface the
// scenario's lease (address and default route) in the state folder, or
// exits 1 when no lease comes ("dhcp none", or the first "dhcp-fail" runs).
#include <cstdio>
#include <string>

#include "standin.h"

namespace {

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
    std::printf("%s: leased %s for 86400 seconds\n", ifname.c_str(), sc.lease.ip.c_str());
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    return wireless::run_tool(argc, argv, dhcpcd);
}
