// A welder stand-in on the master side of a pseudo-terminal: it collects the
// command frames the program sends (each ends at its LF) and answers each by
// a script keyed on the frame's first three characters.
#pragma once

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/Pty.h"

namespace tav::test {

class ScriptedPeer {
public:
    explicit ScriptedPeer(tav::sim::PtyPair& pty) : pty_(pty) {}
    ~ScriptedPeer() { Stop(); }
    ScriptedPeer(const ScriptedPeer&) = delete;
    ScriptedPeer& operator=(const ScriptedPeer&) = delete;

    // The reply to frames starting with `command` ("TZA", "TZF", "TZE", ...),
    // sent `delayMs` after the frame's LF. Set before Start.
    void Answer(const std::string& command, const std::string& reply, int delayMs = 0) {
        script_[command] = Reply{reply, delayMs};
    }

    void Start() {
        thread_ = std::thread([this] { Run(); });
    }
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    // The frames received so far, each with its CR LF.
    std::vector<std::string> Frames() {
        std::lock_guard<std::mutex> lock(mutex_);
        return frames_;
    }

private:
    struct Reply {
        std::string bytes;
        int delayMs = 0;
    };

    void Run() {
        std::string pending;
        while (!stop_) {
            pollfd pfd{pty_.Master(), POLLIN, 0};
            if (poll(&pfd, 1, 5) <= 0) {
                continue;
            }
            char buf[256];
            const ssize_t n = read(pty_.Master(), buf, sizeof buf);
            if (n <= 0) {
                continue;
            }
            for (ssize_t i = 0; i < n; ++i) {
                pending.push_back(buf[i]);
                if (buf[i] != '\n') {
                    continue;
                }
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    frames_.push_back(pending);
                }
                const auto it = script_.find(pending.substr(0, 3));
                pending.clear();
                if (it == script_.end()) {
                    continue;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(it->second.delayMs));
                pty_.WriteAll(it->second.bytes.data(), it->second.bytes.size());
            }
        }
    }

    tav::sim::PtyPair& pty_;
    std::map<std::string, Reply> script_;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> frames_;
    std::atomic<bool> stop_ = false;
};

}  // namespace tav::test
