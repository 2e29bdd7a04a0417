#pragma once

#include <string>

namespace testsupport {

// A PostgreSQL server of a test's own: made with initdb in a new temporary folder and
// listening only on a Unix socket there, so that nothing outside the test can reach it and
// nothing needs setting up by hand. Stopped and removed when the object goes, and also when
// the process dies without that (a watchdog waits for it).
class TestServer {
public:
    // Throws std::runtime_error saying what failed (with the server's log).
    TestServer();
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    // The URI of database `name` on this server (made by the shop code when first used).
    std::string uri(const std::string& name) const;
    // The URI of a database no one has used yet.
    std::string freshUri();

    // Stop and start again (a server restarting under the registers).
    void stop();
    void start();

    const std::string& folder() const { return m_dir; }

private:
    std::string m_dir;
    std::string m_bin;
    int m_watchdog = -1; // write end of the pipe the watchdog waits on
    int m_watchdogPid = -1;
    int m_serial = 0;
};

// One server for the whole test process, started at first use.
TestServer& sharedServer();

} // namespace testsupport
