// Stand-in of ip for the address, route and link commands the interface and
// its DHCP handler script run, against the addresses of the state folder:
//   ip link set IF up
//   ip addr add|replace ADDRESS/PREFIX dev IF     (a dotted mask serves too)
//   ip addr flush dev IF
//   ip [-4] addr show [dev] IF
//   ip route show default
//   ip route replace default via GATEWAY dev IF
// "fail addr-add" in the scenario makes "addr add" fail as without rights.
#include <arpa/inet.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <string>
#include <vector>

#include "standin.h"

namespace {

using wireless::Address;
using wireless::NetState;

const char *const kOwnAddress = "02:00:00:00:01:00";

bool parse_ipv4(const std::string &text, uint32_t *out)
{
    in_addr parsed;
    if (inet_pton(AF_INET, text.c_str(), &parsed) != 1) {
        return false;
    }
    *out = ntohl(parsed.s_addr);
    return true;
}

std::string dotted(uint32_t address)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%u.%u.%u.%u", address >> 24, (address >> 16) & 0xFF, (address >> 8) & 0xFF,
                  address & 0xFF);
    return text;
}

// "A/P" with a prefix length or a dotted mask; false when not an address.
bool parse_prefixed(const std::string &text, Address *a)
{
    size_t slash = text.find('/');
    uint32_t ip = 0;
    if (!parse_ipv4(text.substr(0, slash), &ip)) {
        return false;
    }
    a->ip = dotted(ip);
    a->prefix = 32;
    if (slash == std::string::npos) {
        return true;
    }
    std::string rest = text.substr(slash + 1);
    uint32_t mask = 0;
    if (rest.find('.') != std::string::npos) {
        if (!parse_ipv4(rest, &mask)) {
            return false;
        }
        a->prefix = std::popcount(mask);
        return true;
    }
    if (rest.empty() || rest.size() > 2 || rest.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    a->prefix = std::stoi(rest);
    return a->prefix <= 32;
}

void show(const NetState &net, const std::string &ifname, bool v4_only)
{
    std::printf("3: %s: <BROADCAST,MULTICAST,UP,LOWER_UP> mtu 1500 qdisc mq state UP group default qlen 1000\n",
                ifname.c_str());
    if (!v4_only) {
        std::printf("    link/ether %s brd ff:ff:ff:ff:ff:ff\n", kOwnAddress);
    }
    for (const Address &a : net.addresses) {
        if (a.ifname != ifname) {
            continue;
        }
        uint32_t ip = 0;
        parse_ipv4(a.ip, &ip);
        uint32_t host = a.prefix >= 32 ? 0 : UINT32_MAX >> a.prefix;
        std::printf("    inet %s/%d brd %s scope global %s\n", a.ip.c_str(), a.prefix, dotted(ip | host).c_str(),
                    ifname.c_str());
        std::printf("       valid_lft forever preferred_lft forever\n");
    }
    if (!v4_only) {
        std::printf("    inet6 fe80::ff:fe00:100/64 scope link\n"
                    "       valid_lft forever preferred_lft forever\n");
    }
}

int addr(const wireless::Scenario &sc, NetState &net, const std::vector<std::string> &a, bool v4_only)
{
    if (a.size() >= 3 && a[1] == "show") {
        show(net, a[2] == "dev" && a.size() >= 4 ? a[3] : a[2], v4_only);
        return 0;
    }
    if (a.size() == 4 && a[1] == "flush" && a[2] == "dev") {
        std::erase_if(net.addresses, [&](const Address &x) { return x.ifname == a[3]; });
        return 0;
    }
    Address added;
    if (a.size() != 5 || (a[1] != "add" && a[1] != "replace") || a[3] != "dev" || !parse_prefixed(a[2], &added)) {
        std::fprintf(stderr, "Error: any valid prefix is expected.\n");
        return 1;
    }
    added.ifname = a[4];
    auto same = [&](const Address &x) { return x.ifname == added.ifname && x.ip == added.ip; };
    if (a[1] == "add") {
        if (sc.fails("addr-add")) {
            std::fprintf(stderr, "RTNETLINK answers: Operation not permitted\n");
            return 2;
        }
        if (std::find_if(net.addresses.begin(), net.addresses.end(), same) != net.addresses.end()) {
            std::fprintf(stderr, "RTNETLINK answers: File exists\n");
            return 2;
        }
    }
    std::erase_if(net.addresses, same);
    net.addresses.push_back(added);
    return 0;
}

int route(NetState &net, const std::vector<std::string> &a)
{
    if (a.size() == 3 && a[1] == "show" && a[2] == "default") {
        if (!net.gateway.empty()) {
            std::printf("default via %s dev %s proto static\n", net.gateway.c_str(), net.gateway_dev.c_str());
        }
        return 0;
    }
    uint32_t gw = 0;
    if (a.size() == 7 && a[1] == "replace" && a[2] == "default" && a[3] == "via" && a[5] == "dev" &&
        parse_ipv4(a[4], &gw)) {
        net.gateway = dotted(gw);
        net.gateway_dev = a[6];
        return 0;
    }
    std::fprintf(stderr, "Error: unsupported route command.\n");
    return 1;
}

int ip(const wireless::Scenario &sc, wireless::State &st, int argc, char **argv)
{
    std::vector<std::string> a;
    bool v4_only = false;
    for (int i = 1; i < argc; i++) {
        if (std::string(argv[i]) == "-4") {
            v4_only = true;
        } else {
            a.emplace_back(argv[i]);
        }
    }
    NetState net = wireless::load_net(st);
    int rc = 1;
    if (!a.empty() && (a[0] == "addr" || a[0] == "address" || a[0] == "a")) {
        rc = addr(sc, net, a, v4_only);
    } else if (!a.empty() && a[0] == "route") {
        rc = route(net, a);
    } else if (a.size() == 4 && a[0] == "link" && a[1] == "set" && a[3] == "up") {
        std::erase(net.links_up, a[2]);
        net.links_up.push_back(a[2]);
        rc = 0;
    } else {
        std::fprintf(stderr, "ip stand-in: unsupported command\n");
    }
    wireless::store_net(st, net);
    return rc;
}

}  // namespace

int main(int argc, char **argv)
{
    return wireless::run_tool(argc, argv, ip);
}
