// Runtime shared by the stand-in service programs: options, the connection
// to the interface through the framework's client half (registration,
// keep-alive, reconnecting after a drop), delayed actions, and the scenario
// option that makes a service misbehave on purpose for tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace svc {

enum class Scenario {
    normal,    // behaves as the interface expects
    silent,    // registers, then never sends anything again
    error,     // answers every request with an error status
    malformed, // answers with replies that break their layout
    garbage,   // writes unframed garbage bytes after registering
    oversize,  // sends a message longer than the framework allows
    wrong_id,  // tags its replies with another application's id
    flood,     // sends a burst of frames after registering, then behaves
};

struct Frame {
    uint8_t cmd1 = 0;
    uint8_t cmd2 = 0;
    std::vector<uint8_t> payload;
};

struct Config {
    uint8_t app_id;
    const char *name;     // registration name and program name
    const char *art_path; // cover-art file in the working directory
};

class Service;

// What a particular service does with the frames it receives.
class Handler {
public:
    virtual ~Handler() = default;
    virtual void on_frame(Service &svc, const Frame &frame) = 0;
    // Called after each registration (also after a reconnect).
    virtual void on_registered(Service &svc)
    {
        (void)svc;
    }
    // A burst for the flood scenario: one ordinary frame of this service.
    virtual void send_flood_frame(Service &svc) = 0;
};

class Service {
public:
    // Parses "-s/--scenario NAME" and "-S/--socket PATH"; exits with status
    // 1 and a usage line on a bad command line. A service given its socket
    // (a test's) also ends when the process that started it is gone.
    Service(const Config &config, int argc, char **argv);

    // Connects, registers and serves until SIGINT or SIGTERM; returns the
    // exit status.
    int run(Handler &handler);

    Scenario scenario() const
    {
        return scenario_;
    }
    const Config &config() const
    {
        return config_;
    }

    // Sends one frame of this service (cmd1 = its application id, or another
    // one in the wrong-id scenario). Nothing is sent in the silent scenario.
    int send(uint8_t cmd2, const std::vector<uint8_t> &payload);
    // Sends a frame with the given cmd1, scenario aside.
    int send_as(uint8_t cmd1, uint8_t cmd2, const std::vector<uint8_t> &payload);

    // Runs `fn` once, `delay_ms` from now, from the service loop.
    void after(unsigned delay_ms, std::function<void()> fn);

    static uint64_t now_ms();

private:
    struct Delayed {
        uint64_t due_ms;
        std::function<void()> fn;
    };

    bool connect_and_register();
    bool orphaned() const;
    void misbehave_after_register(Handler &handler);
    void serve(Handler &handler);
    void run_due();
    int write_raw(const std::vector<uint8_t> &bytes);

    Config config_;
    Scenario scenario_ = Scenario::normal;
    std::vector<Delayed> delayed_;
    uint64_t last_send_ms_ = 0;
    int parent_ = 0; // watched parent, 0 = none
};

// Writers that append to a reply, in the byte orders of app_proto.h.
void put_u8(std::vector<uint8_t> &out, uint8_t v);
void put_be16(std::vector<uint8_t> &out, uint16_t v);
void put_be32(std::vector<uint8_t> &out, uint32_t v);
void put_be64(std::vector<uint8_t> &out, uint64_t v);
void put_le32(std::vector<uint8_t> &out, uint32_t v);
void put_bytes(std::vector<uint8_t> &out, const std::string &s);

} // namespace svc
