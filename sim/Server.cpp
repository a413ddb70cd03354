#include "sim/Server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/Tick.h"

namespace tav::sim {
namespace {

// Bytes written at once when paced: about 8 ms of the line, so the thread
// sleeps between writes and the average rate stays exact.
constexpr std::size_t kPacedBurst = 8;
// Longest sleep before looking again whether to stop.
constexpr std::uint32_t kSliceMs = 10;
// A paced writer that fell this far behind (the program not reading) starts
// its reckoning afresh instead of catching up at full speed.
constexpr std::uint32_t kPaceSlackMs = 100;

std::uint32_t Now() {
    return SystemClock().Now();
}

}  // namespace

WelderServer::WelderServer(RecordStore store, Language language)
    : welder_(std::move(store), language) {}

WelderServer::~WelderServer() {
    Stop();
}

void WelderServer::Start() {
    if (thread_.joinable()) {
        return;
    }
    pty_ = std::make_unique<PtyPair>();
    slavePath_ = pty_->SlavePath();
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    slaveProbe_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    stop_ = false;
    hangUpRequested_ = false;
    hungUp_ = false;
    thread_ = std::thread([this] { Run(); });
}

void WelderServer::Stop() {
    if (thread_.joinable()) {
        stop_ = true;
        Wake();
        thread_.join();
    }
    pty_.reset();
    slavePath_.clear();
    if (slaveProbe_ >= 0) {
        close(slaveProbe_);
        slaveProbe_ = -1;
    }
    if (wakeFd_ >= 0) {
        close(wakeFd_);
        wakeFd_ = -1;
    }
}

bool WelderServer::Running() const {
    return thread_.joinable();
}

bool WelderServer::Publish(const std::string& linkPath) {
    return pty_ != nullptr && pty_->Publish(linkPath);
}

std::string WelderServer::SlavePath() const {
    return slavePath_;
}

Faults WelderServer::GetFaults() const {
    std::lock_guard lock(mu_);
    return faults_;
}

void WelderServer::SetFaults(const Faults& faults) {
    {
        std::lock_guard lock(mu_);
        faults_ = faults;
    }
    Wake();
}

void WelderServer::ClearFaults() {
    SetFaults(Faults{});
}

void WelderServer::SetSilent(bool on) {
    std::lock_guard lock(mu_);
    faults_.silent = on;
}

void WelderServer::SetNoTypeLine(bool on) {
    std::lock_guard lock(mu_);
    faults_.noTypeLine = on;
}

void WelderServer::SetCountDelta(int delta) {
    std::lock_guard lock(mu_);
    faults_.countDelta = delta;
}

void WelderServer::SetRawReply(const std::string& command, const std::string& bytes) {
    std::lock_guard lock(mu_);
    faults_.rawReply[command] = bytes;
}

void WelderServer::SetAnswerAs(const std::string& command, const std::string& other) {
    std::lock_guard lock(mu_);
    faults_.answerAs[command] = other;
}

void WelderServer::SetLowerCaseErase(bool on) {
    std::lock_guard lock(mu_);
    faults_.lowerCaseErase = on;
}

void WelderServer::SetStall(int afterLine, std::uint32_t ms) {
    std::lock_guard lock(mu_);
    faults_.stallAfterLine = afterLine;
    faults_.stallMs = ms;
}

void WelderServer::SetHangUpAfterLine(int afterLine) {
    std::lock_guard lock(mu_);
    faults_.hangUpAfterLine = afterLine;
}

void WelderServer::SetOverlongLine(int afterLine, std::size_t length) {
    std::lock_guard lock(mu_);
    faults_.overlongAfterLine = afterLine;
    faults_.overlongLength = length;
}

void WelderServer::SetGarbage(std::size_t prefixBytes, std::size_t lineBytes) {
    std::lock_guard lock(mu_);
    faults_.garbagePrefix = prefixBytes;
    faults_.garbageLineLength = lineBytes;
}

void WelderServer::SetTalker(bool on) {
    {
        std::lock_guard lock(mu_);
        faults_.talker = on;
    }
    Wake();
}

void WelderServer::SetPacing(bool on) {
    std::lock_guard lock(mu_);
    pacing_ = on;
}

void WelderServer::HangUp() {
    if (!thread_.joinable()) {
        return;
    }
    hangUpRequested_ = true;
    Wake();
    std::unique_lock lock(mu_);
    cv_.wait(lock, [this] { return hungUp_.load(); });
}

bool WelderServer::HungUp() const {
    return hungUp_;
}

RecordStore WelderServer::Records() const {
    std::lock_guard lock(mu_);
    return welder_.Records();
}

void WelderServer::SetRecords(RecordStore store) {
    std::lock_guard lock(mu_);
    welder_.SetRecords(std::move(store));
}

void WelderServer::SetLanguage(Language language) {
    std::lock_guard lock(mu_);
    welder_.SetLanguage(language);
}

void WelderServer::SetDownloadTime(const std::string& stamp) {
    std::lock_guard lock(mu_);
    welder_.SetDownloadTime(stamp);
}

std::vector<std::string> WelderServer::Frames() const {
    std::lock_guard lock(mu_);
    return frames_;
}

void WelderServer::ClearFrames() {
    std::lock_guard lock(mu_);
    handled_ -= std::min(handled_, frames_.size());
    frames_.clear();
}

bool WelderServer::Received(std::string_view command) const {
    std::lock_guard lock(mu_);
    return std::any_of(frames_.begin(), frames_.end(),
                       [&](const std::string& f) { return CommandOf(f) == command; });
}

bool WelderServer::WaitIdle(std::uint32_t timeoutMs) const {
    const std::uint32_t start = Now();
    for (;;) {
        {
            std::lock_guard lock(mu_);
            if (handled_ >= frames_.size()) {
                return true;
            }
        }
        if (TicksBetween(start, Now()) >= timeoutMs) {
            return false;
        }
        SystemClock().Sleep(kWaitSliceMs);
    }
}

void WelderServer::Wake() {
    if (wakeFd_ >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = write(wakeFd_, &one, sizeof one);
    }
}

bool WelderServer::Interrupted() const {
    return stop_ || hangUpRequested_;
}

void WelderServer::DoHangUp(bool drain) {
    if (drain && slaveProbe_ >= 0) {
        // Written bytes take a moment to reach the slave's queue; done when
        // it has looked empty twice in a row.
        const std::uint32_t start = Now();
        int emptyLooks = 0;
        while (emptyLooks < 2 && TicksBetween(start, Now()) < 1000 && !stop_) {
            SystemClock().Sleep(kSliceMs);
            int queued = 0;
            if (ioctl(slaveProbe_, FIONREAD, &queued) != 0) {
                break;
            }
            emptyLooks = queued == 0 ? emptyLooks + 1 : 0;
        }
    }
    // The flag goes up before the line drops, so whoever sees end-of-file on
    // the port also sees HungUp().
    {
        std::lock_guard lock(mu_);
        hungUp_ = true;
        hangUpRequested_ = false;
    }
    pty_->HangUp();
    cv_.notify_all();
}

void WelderServer::PaceRestart() {
    paceStart_ = Now();
    paceSent_ = 0;
}

bool WelderServer::Sleep(std::uint32_t ms) {
    const std::uint32_t start = Now();
    for (;;) {
        if (Interrupted()) {
            return false;
        }
        const std::uint32_t passed = TicksBetween(start, Now());
        if (passed >= ms) {
            return true;
        }
        SystemClock().Sleep(std::min(ms - passed, kSliceMs));
    }
}

bool WelderServer::Write(std::string_view bytes, bool pace) {
    while (!bytes.empty()) {
        const std::size_t n = pace ? std::min(kPacedBurst, bytes.size()) : bytes.size();
        if (pace) {
            std::uint32_t elapsed = TicksBetween(paceStart_, Now());
            auto due = static_cast<std::uint32_t>((paceSent_ + n) * 1000U / kLineBytesPerSecond);
            if (elapsed > due + kPaceSlackMs) {
                PaceRestart();
                elapsed = 0;
                due = static_cast<std::uint32_t>(n * 1000U / kLineBytesPerSecond);
            }
            if (due > elapsed && !Sleep(due - elapsed)) {
                return false;
            }
        }
        std::size_t done = 0;
        while (done < n) {
            if (Interrupted()) {
                return false;
            }
            const int fd = pty_->Master();
            if (fd < 0) {
                return false;
            }
            const ssize_t w = write(fd, bytes.data() + done, n - done);
            if (w > 0) {
                done += static_cast<std::size_t>(w);
                continue;
            }
            if (w < 0 && errno != EAGAIN && errno != EINTR) {
                return false;
            }
            pollfd out{fd, POLLOUT, 0};
            poll(&out, 1, static_cast<int>(kSliceMs));
        }
        paceSent_ += n;
        bytes.remove_prefix(n);
    }
    return true;
}

void WelderServer::HandleFrame(const std::string& frame, std::uint32_t seed) {
    Faults faults;
    bool pace = false;
    Reply reply;
    {
        std::lock_guard lock(mu_);
        faults = faults_;
        pace = pacing_;
        reply = welder_.Answer(frame, faults);
    }
    std::mt19937 rng(seed);
    PaceRestart();
    for (const DeliveryStep& step : PlanDelivery(reply, faults, rng)) {
        bool goOn = true;
        switch (step.kind) {
            case DeliveryStep::Kind::Write:
                goOn = Write(step.bytes, pace);
                break;
            case DeliveryStep::Kind::Pause:
                goOn = Sleep(step.ms);
                PaceRestart();
                break;
            case DeliveryStep::Kind::HangUp:
                DoHangUp(true);
                goOn = false;
                break;
        }
        if (!goOn) {
            break;
        }
    }
}

void WelderServer::Run() {
    FrameAssembler assembler;
    std::uint32_t seed = 1;
    std::uint64_t chatterCount = 0;
    std::string chatter;
    bool talking = false;
    char buf[1024];
    while (!stop_) {
        if (hangUpRequested_) {
            DoHangUp(false);
        }
        const int master = hungUp_ ? -1 : pty_->Master();
        bool talker = false;
        {
            std::lock_guard lock(mu_);
            talker = faults_.talker;
        }
        pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {master, POLLIN, 0}};
        poll(fds, 2, talker && master >= 0 ? 0 : 200);
        if ((fds[0].revents & POLLIN) != 0) {
            std::uint64_t count = 0;
            [[maybe_unused]] const ssize_t n = read(wakeFd_, &count, sizeof count);
        }
        std::vector<std::string> frames;
        if (master >= 0) {
            for (;;) {
                const ssize_t n = read(master, buf, sizeof buf);
                if (n <= 0) {
                    if (n < 0 && errno != EAGAIN && errno != EINTR) {
                        // Nothing to read from for now; never spin on it.
                        SystemClock().Sleep(kSliceMs);
                    }
                    break;
                }
                for (std::string& f :
                     assembler.Feed(std::string_view(buf, static_cast<std::size_t>(n)))) {
                    frames.push_back(std::move(f));
                }
            }
        }
        {
            // The setting may have changed while poll() waited (SetTalker
            // wakes it). Looked at after the read, so a frame sent after the
            // switch is judged by the new setting.
            std::lock_guard lock(mu_);
            talker = faults_.talker;
        }
        for (const std::string& frame : frames) {
            {
                std::lock_guard lock(mu_);
                frames_.push_back(frame);
            }
            if (!talker) {
                HandleFrame(frame, seed++);
            }
            std::lock_guard lock(mu_);
            ++handled_;
        }
        if (talker && master >= 0 && !stop_) {
            if (!talking) {
                PaceRestart();
                talking = true;
            }
            if (chatter.empty()) {
                char line[96];
                std::snprintf(line, sizeof line,
                              "ZT-400 %06llu ......................................\r\n",
                              static_cast<unsigned long long>(++chatterCount % 1000000U));
                chatter = line;
            }
            const std::size_t n = std::min(kPacedBurst, chatter.size());
            if (Write(std::string_view(chatter).substr(0, n), true)) {
                chatter.erase(0, n);
            }
        } else {
            talking = false;
        }
    }
}

}  // namespace tav::sim
