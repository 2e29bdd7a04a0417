#include "test_server.h"

#include <fcntl.h>
#include <glob.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace testsupport {

namespace {
// Where initdb and pg_ctl are: pg_config says, or the newest of Debian's versions.
std::string binDir() {
    std::string dir;
    if (FILE* p = popen("pg_config --bindir 2>/dev/null", "r")) {
        char line[512] = {};
        if (fgets(line, sizeof line, p)) dir = line;
        pclose(p);
        while (!dir.empty() && (dir.back() == '\n' || dir.back() == ' '))
            dir.pop_back();
    }
    if (!dir.empty() && access((dir + "/initdb").c_str(), X_OK) == 0) return dir;
    glob_t g{};
    if (glob("/usr/lib/postgresql/*/bin/initdb", 0, nullptr, &g) == 0 && g.gl_pathc > 0) {
        std::string last = g.gl_pathv[g.gl_pathc - 1];
        globfree(&g);
        return last.substr(0, last.rfind('/'));
    }
    globfree(&g);
    throw std::runtime_error("PostgreSQL's initdb is not installed (package postgresql)");
}

// The server refuses to run as root: then it runs as the postgres user.
std::vector<std::string> asServerUser(std::vector<std::string> args) {
    if (geteuid() == 0) args.insert(args.begin(), {"runuser", "-u", "postgres", "--"});
    return args;
}

std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs a program, its output appended to `log`; its exit status.
int run(const std::vector<std::string>& args, const std::string& log) {
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string tail(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    return text.size() > 2000 ? text.substr(text.size() - 2000) : text;
}
} // namespace

TestServer::TestServer() {
    m_bin = binDir();
    char tmpl[] = "/tmp/marlow-pg-XXXXXX";
    if (!mkdtemp(tmpl)) throw std::runtime_error("cannot make a folder for the test server");
    m_dir = tmpl;
    if (geteuid() == 0) {
        const passwd* pw = getpwnam("postgres");
        if (!pw || chown(m_dir.c_str(), pw->pw_uid, pw->pw_gid) != 0)
            throw std::runtime_error("the postgres user is missing (package postgresql)");
    }

    // The watchdog: when this process is gone, however it went, the server goes too.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
    std::string stop;
    for (const auto& a : asServerUser({m_bin + "/pg_ctl", "-D", m_dir + "/db", "-m", "immediate",
                                       "stop"}))
        stop += shellQuote(a) + " ";
    const std::string script =
        "cat >/dev/null; " + stop + ">/dev/null 2>&1; rm -rf " + shellQuote(m_dir);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    const char* argv[] = {"/bin/sh", "-c", script.c_str(), nullptr};
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, "/bin/sh", &actions, &attr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    close(fds[0]);
    if (rc != 0) {
        close(fds[1]);
        throw std::runtime_error("cannot start the test server's watchdog");
    }
    m_watchdog = fds[1];
    m_watchdogPid = pid;

    const std::string log = m_dir + "/initdb.log";
    if (run(asServerUser({m_bin + "/initdb", "-D", m_dir + "/db", "-U", "marlow", "-A", "trust",
                          "-E", "UTF8", "--locale=C", "-N"}),
            log) != 0)
        throw std::runtime_error("initdb failed:\n" + tail(log));
    start();
}

TestServer::~TestServer() {
    run(asServerUser({m_bin + "/pg_ctl", "-D", m_dir + "/db", "-m", "immediate", "-w", "stop"}),
        "/dev/null");
    close(m_watchdog); // the watchdog removes the folder
    waitpid(m_watchdogPid, nullptr, 0);
}

void TestServer::start() {
    const std::string log = m_dir + "/server.log";
    const std::string options = "-k " + m_dir +
                                " -c listen_addresses='' -c fsync=off -c full_page_writes=off"
                                " -c synchronous_commit=off";
    if (run(asServerUser({m_bin + "/pg_ctl", "-D", m_dir + "/db", "-l", log, "-w", "-t", "60",
                          "-o", options, "start"}),
            m_dir + "/pg_ctl.log") != 0)
        throw std::runtime_error("the test server did not start:\n" + tail(log));
}

void TestServer::stop() {
    run(asServerUser({m_bin + "/pg_ctl", "-D", m_dir + "/db", "-m", "fast", "-w", "stop"}),
        m_dir + "/pg_ctl.log");
}

std::string TestServer::uri(const std::string& name) const {
    return "postgresql:///" + name + "?host=" + m_dir + "&user=marlow";
}

std::string TestServer::freshUri() {
    return uri("shop" + std::to_string(++m_serial));
}

TestServer& sharedServer() {
    struct Holder {
        pid_t owner = getpid();
        TestServer* server = new TestServer;
        // A forked child leaving through exit() must not stop its parent's server.
        ~Holder() {
            if (getpid() == owner) delete server;
        }
    };
    static Holder holder;
    return *holder.server;
}

} // namespace testsupport
