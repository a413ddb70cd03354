// The bodies of the fuzz targets, kept apart from libFuzzer's entry point so
// that the tests can replay the seed corpora and every input that once made
// a target fail (tests/faults/test_fuzz_replay.cpp) in the ordinary and the
// sanitized builds.
//
// Each body takes any bytes and checks the properties its unit promises; a
// broken property aborts through FUZZ_CHECK, so the fuzzer keeps the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tav::fuzz {

// The table download's line assembly and the record-line rules applied to
// a record table (ApplyRecordLine over GridData and RecordTableState).
void RecordLines(const std::uint8_t* data, std::size_t size);
// ExtractTaggedText on a list of lines with tags taken from the input, and
// ImportHtmlReport on the input's lines, with a write-and-read-back check of
// the rows it found.
void HtmlImport(const std::uint8_t* data, std::size_t size);
// The text-view line assembly of both text downloads, the input cut into
// reads of varying length.
void TextLines(const std::uint8_t* data, std::size_t size);
// The config.cfg codec: the record's fields, and a write and read back
// through a real file.
void SettingsCodec(const std::uint8_t* data, std::size_t size);
// The simulated welder: frame assembly, answers under faults taken from the
// input, and the delivery plan.
void WelderFrames(const std::uint8_t* data, std::size_t size);

struct Target {
    std::string_view name;  // also the name of its corpus folder
    void (*body)(const std::uint8_t*, std::size_t);
};

inline constexpr Target kTargets[] = {
    {"record_lines", RecordLines}, {"html_import", HtmlImport},
    {"text_lines", TextLines},     {"settings_codec", SettingsCodec},
    {"welder_frames", WelderFrames},
};

[[noreturn]] inline void CheckFailed(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}

}  // namespace tav::fuzz

#define FUZZ_CHECK(condition)                                              \
    do {                                                                   \
        if (!(condition)) {                                                \
            ::tav::fuzz::CheckFailed(#condition, __FILE__, __LINE__);      \
        }                                                                  \
    } while (false)
