// The simulated welder's behaviour, free of any I/O: command frames in,
// reply bytes out, over a record store, with switchable faults.
//
//   frame (24 characters + CR LF)      reply
//   "TZA..."  identify                 "ZGRZ" CR LF
//   "TZB..."  welder type              the short type line, CR LF
//   "TZF..."  record count             4 digits, CR LF (at most 9999)
//   "TZC..."  all records              the table answer (sim/Lines.h), CR LF each
//   "TZD" DDMMYYYY "-" DDMMYYYY ...    the table answer for that period
//   "TZK..."  whole memory as text     the memory dump, CR LF each, then byte 26
//   "TZERASE..."                       erases the store, then "OK" CR LF
//
// Any other frame gets no answer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "sim/Lines.h"
#include "sim/Records.h"

namespace tav::sim {

// The command a frame carries: "TZA", "TZB", "TZF", "TZC", "TZD", "TZK" or
// "TZERASE"; empty for anything else.
std::string CommandOf(std::string_view frame);

// Faults of the welder. All off by default. Commands are named as by
// CommandOf.
struct Faults {
    // Answers nothing at all and carries nothing out (no erase).
    bool silent = false;
    // Identifies itself but never sends its type line.
    bool noTypeLine = false;
    // The count reply is off by this much (kept within 0..9999).
    int countDelta = 0;
    // Bytes sent in place of a command's answer, exactly as given (e.g.
    // "TZF" -> "12A4\r\n"). The command is still carried out.
    std::map<std::string, std::string> rawReply;
    // A command answered as if another had been asked (e.g. "TZC" -> "TZK").
    // The other command is carried out; the dates of a period frame are kept.
    std::map<std::string, std::string> answerAs;
    // The erase acknowledgement in lower case: "ok" CR LF.
    bool lowerCaseErase = false;

    // The rest concern how bulk answers ("TZC", "TZD", "TZK") are sent. A
    // line number k counts the answer's own lines already sent (0: before
    // the first line).
    //
    // A pause of stallMs milliseconds after line k (only while lines follow).
    int stallAfterLine = -1;
    std::uint32_t stallMs = 0;
    // The master side is closed after line k: the unplugged cable.
    int hangUpAfterLine = -1;
    // A line of overlongLength bytes ('#') and CR LF, sent after line k.
    int overlongAfterLine = -1;
    std::size_t overlongLength = 10100;
    // Random bytes between the lines: a line of this many bytes and CR LF
    // after every line that another follows. The bytes are control bytes and
    // bytes 128..255, never CR, LF or 26, so such a line is never taken for
    // one of the welder's lines.
    std::size_t garbageLineLength = 0;
    // This many random bytes (of the same kind) sent in front of every answer,
    // short answers included.
    std::size_t garbagePrefix = 0;

    // Sends without pause, whatever is asked, until switched off; frames are
    // still received but not answered meanwhile.
    bool talker = false;
};

// An answer, in the pieces it is written in: each a line with its CR LF, or
// bytes as they stand (a raw reply, the byte 26 closing the memory dump).
struct Reply {
    std::vector<std::string> pieces;
    bool bulk = false;  // an answer of "TZC", "TZD" or "TZK"
};

class Welder {
public:
    explicit Welder(RecordStore store = {}, Language language = Language::Polish);

    // The answer to one frame (26 bytes; the first 24 count) under `faults`,
    // after carrying it out (an erase empties the store).
    Reply Answer(std::string_view frame, const Faults& faults);

    const RecordStore& Records() const { return store_; }
    void SetRecords(RecordStore store) { store_ = std::move(store); }
    Language GetLanguage() const { return language_; }
    void SetLanguage(Language language) { language_ = language; }
    // The download time written into answers, "YYYY.MM.DD HH:MM"; empty (the
    // default) takes the local time of each answer.
    void SetDownloadTime(std::string stamp) { stamp_ = std::move(stamp); }
    std::string DownloadTime() const;

private:
    Reply AnswerCommand(const std::string& command, std::string_view frame, const Faults& faults);

    RecordStore store_;
    Language language_;
    std::string stamp_;
};

// Cuts the bytes the program sends into frames: 24 characters followed by
// CR LF. Whatever comes before them since the previous LF is dropped, so
// after garbage or a broken frame the welder picks up again at the next
// CR LF.
class FrameAssembler {
public:
    // The frames (26 bytes each) that `bytes` complete, in order.
    std::vector<std::string> Feed(std::string_view bytes);

private:
    std::string pending_;
};

// One step of sending an answer.
struct DeliveryStep {
    enum class Kind { Write, Pause, HangUp };
    Kind kind = Kind::Write;
    std::string bytes;     // Write
    std::uint32_t ms = 0;  // Pause
};

// How `reply` goes out under the delivery faults (garbage, overlong line,
// stall, hang-up), random bytes drawn from `rng`.
std::vector<DeliveryStep> PlanDelivery(const Reply& reply, const Faults& faults, std::mt19937& rng);

// `count` random bytes that are never CR, LF or 26.
std::string GarbageBytes(std::size_t count, std::mt19937& rng);

}  // namespace tav::sim
