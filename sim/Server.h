// The simulated welder on a pseudo-terminal: a background thread reads the
// program's frames from the master side and writes the welder's answers
// back, optionally paced at the real line rate, with the faults switched on
// at the moment. Every setter is thread-safe and takes effect from the next
// frame (the talker and a hang-up at once).
//
// Times here are real milliseconds on the system clock, never the clock a
// test installs for the program: a stall of 150 ms lasts 150 ms of real time
// even when the program's clock runs a hundred times faster.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "sim/Lines.h"
#include "sim/Pty.h"
#include "sim/Records.h"
#include "sim/Welder.h"

namespace tav::sim {

// The line rate of 9600 baud with 8 data bits, no parity, one stop bit.
inline constexpr std::uint32_t kLineBytesPerSecond = 960;

class WelderServer {
public:
    explicit WelderServer(RecordStore store = {}, Language language = Language::Polish);
    ~WelderServer();
    WelderServer(const WelderServer&) = delete;
    WelderServer& operator=(const WelderServer&) = delete;

    // Opens a fresh pseudo-terminal and starts answering on it. Throws
    // std::runtime_error when no pseudo-terminal can be had. Does nothing
    // while running.
    void Start();
    // Stops answering (an answer being sent is cut off), closes the
    // pseudo-terminal and removes its published link. Safe to call twice.
    void Stop();
    bool Running() const;

    // Makes `linkPath` (e.g. $TAVELIN_PORTS/COM3) a symlink to the slave side;
    // false when not running or the link cannot be made.
    bool Publish(const std::string& linkPath);
    // The slave device the program opens, e.g. /dev/pts/4; empty when stopped.
    std::string SlavePath() const;

    // Faults (see Faults in sim/Welder.h).
    Faults GetFaults() const;
    void SetFaults(const Faults& faults);
    void ClearFaults();
    void SetSilent(bool on);
    void SetNoTypeLine(bool on);
    void SetCountDelta(int delta);
    // Raw bytes in place of the answer to `command` ("TZF", "TZERASE", ...).
    void SetRawReply(const std::string& command, const std::string& bytes);
    // `command` answered as `other` ("TZC" answered as "TZK").
    void SetAnswerAs(const std::string& command, const std::string& other);
    void SetLowerCaseErase(bool on);
    // A pause of `ms` after line `afterLine` of bulk answers; afterLine -1: off.
    void SetStall(int afterLine, std::uint32_t ms);
    // Hang-up after line `afterLine` of the next bulk answer; -1: off.
    void SetHangUpAfterLine(int afterLine);
    // (The lines before it reach the program first: the hang-up waits, up to a
    // second, until they have been read.)
    // A line of `length` bytes after line `afterLine` of bulk answers; -1: off.
    void SetOverlongLine(int afterLine, std::size_t length = 10100);
    // Random bytes in front of every answer / as a line between the lines of
    // bulk answers; 0: off.
    void SetGarbage(std::size_t prefixBytes, std::size_t lineBytes);
    // Sends without pause until switched off.
    void SetTalker(bool on);

    // Paces everything written at kLineBytesPerSecond (off: as fast as the
    // pseudo-terminal takes it).
    void SetPacing(bool on);

    // Closes the master side now: the program's next read of the port sees
    // end-of-file. Returns once it is closed.
    void HangUp();
    bool HungUp() const;

    // The welder's memory and language.
    RecordStore Records() const;
    void SetRecords(RecordStore store);
    void SetLanguage(Language language);
    // "YYYY.MM.DD HH:MM" written as the download time; empty: the local time.
    void SetDownloadTime(const std::string& stamp);

    // Every frame received since Start or ClearFrames (26 bytes each, unknown
    // ones included), in order of arrival.
    std::vector<std::string> Frames() const;
    void ClearFrames();
    // Whether a frame of `command` ("TZERASE", ...) is among Frames().
    bool Received(std::string_view command) const;
    // Waits, sleeping, until every frame received so far has been answered in
    // full (or `timeoutMs` passed); true when idle.
    bool WaitIdle(std::uint32_t timeoutMs) const;

private:
    void Run();
    void HandleFrame(const std::string& frame, std::uint32_t seed);
    // Writes `bytes` (paced when asked); false when stopped or hung up.
    bool Write(std::string_view bytes, bool pace);
    // Sleeps about `ms` in short slices; false when told to stop meanwhile.
    bool Sleep(std::uint32_t ms);
    void PaceRestart();
    bool Interrupted() const;
    // Closes the master. With `drain`, first lets the program read what was
    // written (a pty hang-up discards unread bytes), for at most a second.
    void DoHangUp(bool drain);
    void Wake();

    mutable std::mutex mu_;
    std::condition_variable cv_;
    Welder welder_;
    Faults faults_;
    bool pacing_ = false;
    std::vector<std::string> frames_;
    std::size_t handled_ = 0;

    std::unique_ptr<PtyPair> pty_;
    std::string slavePath_;
    std::thread thread_;
    int wakeFd_ = -1;
    // The slave side opened once more, to see how much the program has not
    // read yet.
    int slaveProbe_ = -1;
    std::atomic<bool> stop_{false};
    std::atomic<bool> hangUpRequested_{false};
    std::atomic<bool> hungUp_{false};

    // Pacing state, used by the server thread only.
    std::uint32_t paceStart_ = 0;
    std::uint64_t paceSent_ = 0;
};

}  // namespace tav::sim
