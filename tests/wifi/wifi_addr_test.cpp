// The addressing phase after the association: DHCP attempts with either
// client, the static address, the handler script and what is read back.
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "lib/cmd_runner.h"
#include "wifi/wifi_scanner_internal.h"
#include "wifi_fixture.h"

namespace wifi_test {
namespace {

// Four polls to the association, then the phase's own sleeps.
std::vector<uint32_t> with_polls(std::vector<uint32_t> phase)
{
    std::vector<uint32_t> sleeps(4, 1000);
    sleeps.insert(sleeps.end(), phase.begin(), phase.end());
    return sleeps;
}

class WifiAddr : public WifiTest {
protected:
    void SetUp() override
    {
        WifiTest::SetUp();
        scenario(kConnWorld);
    }

    void join(const std::string &extra)
    {
        scenario(std::string(kConnWorld) + extra);
        wifi_scanner_connect("Home", "correct-horse");
        wait_conn();
    }

    void join_static(const char *ip, const char *netmask, const char *gateway, const char *dns)
    {
        wifi_conn_params_t req = {};
        snprintf(req.ssid, sizeof(req.ssid), "Home");
        snprintf(req.password, sizeof(req.password), "correct-horse");
        snprintf(req.static_ip, sizeof(req.static_ip), "%s", ip);
        snprintf(req.netmask, sizeof(req.netmask), "%s", netmask);
        snprintf(req.gateway, sizeof(req.gateway), "%s", gateway);
        snprintf(req.dns, sizeof(req.dns), "%s", dns);
        wifi_scanner_connect_ex(&req);
        wait_conn();
    }

    std::vector<std::string> client_calls()
    {
        std::vector<std::string> out;
        for (const std::string &line : call_lines()) {
            if (line.rfind("udhcpc", 0) == 0 || line.rfind("dhcpcd", 0) == 0) {
                out.push_back(line);
            }
        }
        return out;
    }

    const wifi_conn_info_t &info() { return *wifi_scanner_get_conn_info(); }

    // The command lines of the sandbox's DHCP clients that run, sorted.
    static std::vector<std::string> running_clients()
    {
        std::vector<std::string> out;
        for (const DhcpClient &c : sandbox_dhcp_clients()) {
            out.push_back(c.command);
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    static int client_pid(const std::string &command)
    {
        for (const DhcpClient &c : sandbox_dhcp_clients()) {
            if (c.command == command) {
                return c.pid;
            }
        }
        return 0;
    }
};

extern "C" char **environ;

// A client started elsewhere (at boot, by hand), not by the module: a child
// of the test that runs on by itself.
pid_t start_client(const std::vector<std::string> &args)
{
    std::vector<char *> argv;
    for (const std::string &a : args) {
        argv.push_back(const_cast<char *>(a.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : 0;
}

void end_client(pid_t pid)
{
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

TEST_F(WifiAddr, DhcpThatNeverAnswersLeavesNoAddress)
{
    join("dhcp none\n");
    EXPECT_STREQ(info().status, "Connected (no IP)");
    EXPECT_EQ(info().connected, 0);
    EXPECT_EQ(wifi_scanner_get_conn_result(nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(client_calls().size(), 3u);
    EXPECT_EQ(FakeClock::get().sleeps(), with_polls({1000, 2000, 1000, 2000, 1000, 1000}));
    const std::string script = path("tmp/udhcpc.script");
    EXPECT_TRUE(in_order(lines_of(log()), {
        "[WiFi-CONN] step8: running DHCP...",
        "[WiFi-CONN] DHCP attempt 1/3: udhcpc -i wlan0 -s " + script + " -t 5 -A 3 -n -q 2>/dev/null",
        "[WiFi-CONN] DHCP attempt 2/3: udhcpc -i wlan0 -s " + script + " -t 5 -A 3 -n -q 2>/dev/null",
        "[WiFi-CONN] DHCP attempt 3/3: udhcpc -i wlan0 -s " + script + " -t 5 -A 3 -n -q 2>/dev/null",
        "[WiFi-CONN] DHCP failed after 3 attempts",
        "[WiFi-CONN] WARNING: connected but no IP from DHCP",
    }));
}

TEST_F(WifiAddr, DhcpThatAnswersTheSecondTime)
{
    join("dhcp-fail 1\n");
    EXPECT_STREQ(info().status, "Connected");
    EXPECT_EQ(client_calls().size(), 2u);
    EXPECT_EQ(FakeClock::get().sleeps(), with_polls({1000, 2000, 1000, 1000}));
    std::string out = log();
    EXPECT_NE(out.find("[WiFi-CONN] DHCP attempt 2/3: "), std::string::npos);
    EXPECT_NE(out.find("[WiFi-CONN] DHCP OK on attempt 2\n"), std::string::npos);
    EXPECT_EQ(out.find("attempt 3/3"), std::string::npos);
}

TEST_F(WifiAddr, DhcpcdWhenThereIsNoUdhcpc)
{
    tools({"iw", "wpa_cli", "wpa_supplicant", "dhcpcd", "ip", "pidof", "killall"});
    write("etc/resolv.conf", "# written by hand\nsearch lan\nnameserver 10.0.0.53\nnameserver 10.0.0.54\n");
    join("dhcp-fail 1\n");
    EXPECT_STREQ(info().status, "Connected");
    EXPECT_STREQ(info().ip, "192.168.1.23");
    EXPECT_STREQ(info().gateway, "192.168.1.1");
    EXPECT_STREQ(info().dns, "10.0.0.53");
    EXPECT_EQ(client_calls(), (std::vector<std::string>{"dhcpcd -t 10 -4 wlan0", "dhcpcd -t 10 -4 wlan0"}));
    EXPECT_NE(log().find("[WiFi-CONN] DHCP attempt 1/3: dhcpcd -t 10 -4 wlan0 2>/dev/null\n"), std::string::npos);
}

TEST_F(WifiAddr, NoDhcpClientAtAll)
{
    tools({"iw", "wpa_cli", "wpa_supplicant", "ip", "pidof", "killall"});
    join("");
    EXPECT_STREQ(info().status, "Connected (no IP)");
    EXPECT_EQ(FakeClock::get().sleeps(), with_polls({1000}));
    EXPECT_NE(log().find("[WiFi-CONN] ERROR: no DHCP client found (udhcpc/dhcpcd)\n"
                         "[WiFi-CONN] WARNING: connected but no IP from DHCP\n"),
              std::string::npos);
}

/* --- The clients of the device ------------------------------------------------ */

// A dhcpcd goes into the background after its lease: the next join stops it
// before its own client runs, and a disconnect stops it; a client of
// another device is left alone.
TEST_F(WifiAddr, DhcpcdInTheBackgroundIsStoppedBeforeTheNextRunAndAtADisconnect)
{
    tools({"iw", "wpa_cli", "wpa_supplicant", "dhcpcd", "ip", "pidof", "killall"});
    const std::string other = "dhcpcd -t 10 -4 eth0";
    const std::string ours = "dhcpcd -t 10 -4 wlan0";
    ASSERT_EQ(cmd_run(other.c_str()), 0);
    join("");
    ASSERT_STREQ(info().status, "Connected");
    EXPECT_EQ(running_clients(), (std::vector<std::string>{other, ours}));
    const int first = client_pid(ours);

    join("");
    ASSERT_STREQ(info().status, "Connected");
    EXPECT_EQ(running_clients(), (std::vector<std::string>{other, ours}));
    EXPECT_NE(client_pid(ours), first) << "the client of the first join was stopped";
    EXPECT_NE(log().find("[WiFi-CONN] stopped 1 DHCP client(s) of wlan0\n"), std::string::npos);

    wifi_scanner_disconnect();
    EXPECT_EQ(running_clients(), std::vector<std::string>{other});
}

// A udhcpc left waiting for a lease by someone else is stopped before the
// module's own runs; one of another device runs on.
TEST_F(WifiAddr, AWaitingUdhcpcOfTheDeviceIsStoppedBeforeTheRun)
{
    scenario(std::string(kConnWorld) + "dhcp-hang\n");
    const pid_t ours = start_client({"udhcpc", "-i", "wlan0", "-n", "-q"});
    const pid_t other = start_client({"udhcpc", "-i", "eth0", "-n", "-q"});
    ASSERT_TRUE(ours > 0 && other > 0);
    // Both have read the scenario that makes them wait.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (running_clients().size() < 2 || call_lines().size() < 2) {
        ASSERT_LT(std::chrono::steady_clock::now(), limit);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    join("");
    EXPECT_STREQ(info().status, "Connected");
    EXPECT_EQ(running_clients(), std::vector<std::string>{"udhcpc -i eth0 -n -q"});
    int status = 0;
    EXPECT_EQ(waitpid(ours, &status, WNOHANG), ours);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    wifi_scanner_disconnect();
    EXPECT_EQ(running_clients(), std::vector<std::string>{"udhcpc -i eth0 -n -q"});
    end_client(other);
}

TEST_F(WifiAddr, StaticAddressWithDefaults)
{
    join_static("192.168.5.10", "", "", "");
    EXPECT_STREQ(info().status, "Connected");
    EXPECT_EQ(info().connected, 1);
    EXPECT_STREQ(info().ip, "192.168.5.10");
    EXPECT_STREQ(info().gateway, "");
    EXPECT_STREQ(info().netmask, "255.255.255.0");
    std::vector<std::string> calls = call_lines();
    EXPECT_TRUE(in_order(calls, {"wpa_cli -i wlan0 save_config", "ip addr add 192.168.5.10/24 dev wlan0",
                                 "ip link set wlan0 up", "ip addr show wlan0", "ip route show default"}));
    for (const std::string &line : calls) {
        EXPECT_EQ(line.find("route replace"), std::string::npos);
        EXPECT_EQ(line.find("udhcpc"), std::string::npos);
    }
    EXPECT_EQ(FakeClock::get().sleeps(), with_polls({}));
    EXPECT_TRUE(in_order(lines_of(log()), {"[WiFi-CONN] step8: applying static IP...",
                                           "[WiFi-CONN]   ip addr add 192.168.5.10/24 dev wlan0 2>/dev/null",
                                           "[WiFi-CONN] Static IP: IP=192.168.5.10 GW="}));
}

TEST_F(WifiAddr, StaticAddressWithEverything)
{
    // An address the interface has already: the later line gives the mask.
    ASSERT_EQ(cmd_run("ip addr add 10.9.9.9/16 dev wlan0"), 0);
    join_static("192.168.5.10", "255.255.255.128", "192.168.5.1", "9.9.9.9");
    EXPECT_STREQ(info().status, "Connected");
    EXPECT_STREQ(info().gateway, "192.168.5.1");
    EXPECT_STREQ(info().netmask, "255.255.255.128");
    EXPECT_STREQ(info().dns, "9.9.9.9");
    EXPECT_EQ(read("etc/resolv.conf"), "nameserver 9.9.9.9\nnameserver 8.8.8.8\n");
    EXPECT_TRUE(in_order(call_lines(), {"ip addr add 192.168.5.10/255.255.255.128 dev wlan0", "ip link set wlan0 up",
                                        "ip route replace default via 192.168.5.1 dev wlan0"}));
    EXPECT_NE(log().find("[WiFi-CONN] Static IP: IP=192.168.5.10 GW=192.168.5.1\n"), std::string::npos);

    // Again: the address is there already, which counts as set.
    restart();
    join_static("192.168.5.10", "25", "", "");
    EXPECT_STREQ(info().status, "Connected");
}

TEST_F(WifiAddr, AStaticAddressTheInterfaceRefusesIsAnError)
{
    scenario(std::string(kConnWorld) + "fail addr-add\n");
    join_static("192.168.5.10", "24", "192.168.5.1", "");
    EXPECT_STREQ(info().status, "Error: static IP failed");
    EXPECT_EQ(info().connected, 0);
    EXPECT_EQ(wifi_scanner_get_conn_result(nullptr, nullptr, nullptr, nullptr), 0);
    for (const std::string &line : call_lines()) {
        EXPECT_EQ(line.find("route replace"), std::string::npos);
    }
}

/* --- The handler script ------------------------------------------------------ */

std::string expected_script(const std::string &resolv)
{
    char text[2048];
    return std::string(text, wifi_dhcp_script(text, sizeof(text), resolv.c_str()));
}

TEST_F(WifiAddr, TheHandlerScriptIsCreatedFreshAndExecutable)
{
    // Whatever stood there before: another's file, or a link to a victim.
    write("victim", "precious\n");
    ASSERT_EQ(symlink(path("victim").c_str(), path("tmp/udhcpc.script").c_str()), 0);
    join("");
    EXPECT_STREQ(info().status, "Connected");
    EXPECT_EQ(read("victim"), "precious\n");
    struct stat st;
    ASSERT_EQ(lstat(path("tmp/udhcpc.script").c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 07777, 0755u);
    EXPECT_EQ(st.st_uid, geteuid());
    EXPECT_EQ(read("tmp/udhcpc.script"), expected_script(path("etc/resolv.conf")));

    restart();
    write("tmp/udhcpc.script", "#!/bin/sh\ntouch planted\n");
    join("");
    EXPECT_EQ(read("tmp/udhcpc.script"), expected_script(path("etc/resolv.conf")));
    EXPECT_NE(access(path("planted").c_str(), F_OK), 0);
}

TEST_F(WifiAddr, NoScriptInAFolderOthersMayChange)
{
    chmod(path("tmp").c_str(), 0777);
    join("");
    EXPECT_STREQ(info().status, "Connected (no IP)");
    EXPECT_TRUE(client_calls().empty());
    EXPECT_NE(access(path("tmp/udhcpc.script").c_str(), F_OK), 0);
    EXPECT_NE(log().find("[WiFi-CONN] ERROR: DHCP handler script " + path("tmp/udhcpc.script") +
                         " not written, udhcpc not used\n"),
              std::string::npos);

    // Sticky, as /tmp is: fine.
    restart();
    chmod(path("tmp").c_str(), 01777);
    join("");
    EXPECT_STREQ(info().status, "Connected");
}

}  // namespace
}  // namespace wifi_test
