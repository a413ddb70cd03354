// The simulated welder inside a test: a private ports directory published
// through TAVELIN_PORTS, the welder answering in a background thread on a
// pseudo-terminal linked there as COMn, and further ports with nothing
// behind them. Everything is undone when the harness goes.
//
//   tav::test::SimHarness sim;                  // COM3, 20 records, Polish
//   sim.Welder().SetNoTypeLine(true);           // faults at any time
//   ... run the program's command against "COM3" ...
//   QVERIFY(!sim.Welder().Received("TZERASE")); // the frames that arrived
//
// Names not published stay missing: opening them fails with ENOENT.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/Lines.h"
#include "sim/Pty.h"
#include "sim/Records.h"
#include "sim/Server.h"

namespace tav::test {

class SimHarness {
public:
    struct Options {
        // The welder is published as COM<comNumber>; 0 publishes it nowhere
        // (add it later with PublishWelder).
        int comNumber = 3;
        // The welder's memory; by default 20 generated records over 3 sites
        // (GenerateRecords with its default options).
        std::optional<sim::RecordStore> records;
        sim::Language language = sim::Language::Polish;
        // Paced at 960 bytes/s as on a real line (slow: keep answers short).
        bool pace = false;
        // Written as the download time, so answers are the same every run.
        std::string downloadTime = "2009.05.04 12:00";
    };

    // Makes the ports directory, sets TAVELIN_PORTS to it, starts the welder.
    // Throws std::runtime_error when that cannot be done.
    SimHarness();
    explicit SimHarness(Options options);
    // Stops the welder, removes the links and the directory, and restores
    // TAVELIN_PORTS as it was (unset when it was unset).
    ~SimHarness();
    SimHarness(const SimHarness&) = delete;
    SimHarness& operator=(const SimHarness&) = delete;

    // The directory TAVELIN_PORTS names.
    const std::string& PortsDir() const { return dir_; }
    // PortsDir() + "/COMn".
    std::string LinkPath(int comNumber) const;
    // "COMn" of the welder ("" when it is not published).
    std::string PortName() const;

    // The welder: faults, memory, language, pacing, hang-up, frames received.
    sim::WelderServer& Welder() { return *welder_; }

    // Publishes the welder as COMn as well (or for the first time).
    void PublishWelder(int comNumber);
    // Publishes a pseudo-terminal as COMn with nothing answering on it: a
    // port that opens, takes every frame and stays silent.
    void AddSilentDevice(int comNumber);
    // Removes the link COMn, whatever is behind it: the name goes missing.
    void RemoveLink(int comNumber);

private:
    std::string dir_;
    std::optional<std::string> oldPorts_;
    int comNumber_ = 0;
    std::unique_ptr<sim::WelderServer> welder_;
    std::vector<std::unique_ptr<sim::PtyPair>> silent_;
};

}  // namespace tav::test
