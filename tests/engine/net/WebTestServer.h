// The local HTTP and HTTPS servers of tests/tools/web_test_server.py, run for a test suite.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace quinkle::testing {

class WebTestServer {
public:
    /// Starts the script; Ok() tells whether it came up.
    WebTestServer() {
        char folder[] = "/tmp/quinkle-web-XXXXXX";
        if (mkdtemp(folder) == nullptr) return;
        m_folder = folder;
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0) return;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            close(in[1]);
            close(out[0]);
            const std::string script =
                std::string(QUINKLE_TEST_DATA_DIR) + "/../tools/web_test_server.py";
            execlp("python3", "python3", script.c_str(), folder, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        m_input = in[1];
        FILE* lines = fdopen(out[0], "r");
        char scheme[16];
        char value[4096];
        while (lines && std::fscanf(lines, "%15s %4095s", scheme, value) == 2) {
            if (std::string(scheme) == "http") m_http = std::stoi(value);
            if (std::string(scheme) == "https") m_https = std::stoi(value);
            if (std::string(scheme) == "ca") {
                m_caFile = value;
                break;
            }
        }
        if (lines) std::fclose(lines);
    }

    ~WebTestServer() {
        if (m_input >= 0) close(m_input);  // the script ends when its input closes
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
        std::error_code ignored;
        if (!m_folder.empty()) std::filesystem::remove_all(m_folder, ignored);
    }
    WebTestServer(const WebTestServer&) = delete;
    WebTestServer& operator=(const WebTestServer&) = delete;

    bool Ok() const { return m_http > 0 && m_https > 0 && !m_caFile.empty(); }
    std::string Http(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(m_http) + path;
    }
    std::string Https(const std::string& path) const {
        return "https://127.0.0.1:" + std::to_string(m_https) + path;
    }
    int HttpPort() const { return m_http; }
    const std::string& CaFile() const { return m_caFile; }

private:
    std::string m_folder;
    pid_t m_pid = -1;
    int m_input = -1;
    int m_http = 0;
    int m_https = 0;
    std::string m_caFile;
};

}  // namespace quinkle::testing
