// Writes seed inputs for the fuzz targets from the simulated welder's own
// output, in all four languages: the table answers with the lines the
// program's line rules must recognise, the text and memory answers, the
// frames the program sends, and config.cfg records.
//
//   tavelin_fuzz_seeds FOLDER     writes FOLDER/<target>/<name>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "FuzzTargets.h"
#include "link/Exchange.h"
#include "shell/Settings.h"
#include "sim/Lines.h"
#include "sim/Records.h"
#include "sim/Welder.h"

namespace {

using namespace tav::sim;

bool Write(const std::string& folder, const std::string& target, const std::string& name,
           const std::string& bytes) {
    const std::string dir = folder + "/" + target;
    ::mkdir(dir.c_str(), 0755);
    const std::string path = dir + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        std::perror(path.c_str());
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

std::string Joined(const std::vector<std::string>& pieces) {
    std::string out;
    for (const std::string& piece : pieces) {
        out += piece;
    }
    return out;
}

std::string FrameText(std::string_view templ) {
    const tav::link::Frame frame = tav::link::MakeFrame(templ);
    return std::string(frame.begin(), frame.end());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    ::mkdir(folder.c_str(), 0755);
    bool ok = true;

    const RecordStore store = GenerateRecords({.count = 12, .sites = 3, .seed = 3});
    const auto period = tav::link::MakePeriodFrame("2009-03-05", "2009-03-20");
    const Faults none;
    for (int l = 0; l < 4; ++l) {
        const auto language = static_cast<Language>(l);
        const std::string code = LanguageCode(language);
        Welder welder(store, language);
        welder.SetDownloadTime("2009.05.04 12:00");
        const std::string table = Joined(welder.Answer(FrameText(tav::link::kAllRecordsTemplate), none).pieces);
        const std::string memory = Joined(welder.Answer(FrameText(tav::link::kMemoryTextTemplate), none).pieces);
        ok = Write(folder, "record_lines", "tzc_" + code, std::string(1, static_cast<char>(l & 1)) + table) && ok;
        if (period) {
            const std::string periodAnswer = Joined(
                welder.Answer(std::string(period->begin(), period->end()), none).pieces);
            ok = Write(folder, "record_lines", "tzd_" + code, "\x01" + periodAnswer) && ok;
        }
        Welder empty({}, language);
        empty.SetDownloadTime("2009.05.04 12:00");
        ok = Write(folder, "record_lines", "empty_" + code,
                   std::string(1, '\0') + Joined(empty.Answer(FrameText(tav::link::kAllRecordsTemplate), none).pieces)) && ok;
        // The text downloads: the first byte picks all fusions (even) or the
        // whole memory (odd).
        ok = Write(folder, "text_lines", "tzc_" + code, "\x02" + table) && ok;
        ok = Write(folder, "text_lines", "tzk_" + code, "\x01" + memory) && ok;
    }

    // The frames the program sends, as one stream, under a few fault sets.
    std::string frames;
    for (const std::string_view templ :
         {tav::link::kIdentifyTemplate, tav::link::kTypeTemplate, tav::link::kCountTemplate,
          tav::link::kAllRecordsTemplate, tav::link::kMemoryTextTemplate,
          tav::link::kEraseTemplate, tav::link::kAllRecordsTemplate}) {
        frames += FrameText(templ);
    }
    if (period) {
        frames.insert(frames.size() - 26, std::string(period->begin(), period->end()));
    }
    const std::vector<std::pair<std::string, std::string>> faultSets = {
        {"plain", std::string("\x00\x00\x00\x00\x00\x00", 6)},
        {"garbage", std::string("\x40\x00\x00\x00\x00\x21", 6)},
        {"overlong", std::string("\x00\x00\x00\x00\x53\x02", 6)},
        {"answer_as", std::string("\x08\x00\x2b\x00\x00\x00", 6)},
        {"hang_up", std::string("\x20\x00\x00\x20\x00\x00", 6)},
    };
    for (const auto& [name, prefix] : faultSets) {
        ok = Write(folder, "welder_frames", name, prefix + frames) && ok;
    }

    tav::SettingsRecordBytes record{};
    tav::StoreSettings(record, 0, "Zak\xb3" "ad Instalacyjny Sp. z o.o.");
    ok = Write(folder, "settings_codec", "polish", std::string(record.begin(), record.end())) && ok;
    tav::StoreSettings(record, 1, std::string(100, 'N'));
    ok = Write(folder, "settings_codec", "full_name", std::string(record.begin(), record.end())) && ok;
    ok = Write(folder, "settings_codec", "short", "Firma") && ok;

    // Tag searches: the first byte's top bit, then the start tag, the end tag
    // and the lines searched.
    ok = Write(folder, "html_import", "tag_search",
               "\x80<nrop>\n</nrop>\n<td><nrop>12</nrop></td>\n</nrop><nrop>\n<nrop>\n"
               "<nrop>a</nrop><nrop>b</nrop>\n") && ok;
    return ok ? 0 : 1;
}
