// The program's windows (fake platform, offscreen) with the simulated welder
// behind the COMn links, for the tests of the connect and erase commands.
#pragma once

#include <QLabel>
#include <QtTest>

#include <cstdint>
#include <string>
#include <vector>

#include "core/SimHarness.h"
#include "gui/WindowFixture.h"
#include "link/Wyszukaj.h"
#include "platform/Tick.h"

namespace tav::test {

// The program's clock: real time plus jumps the test makes, so a test can
// let 10 seconds pass at a chosen moment while the welder still gets real
// time to answer.
class JumpClock final : public Clock {
  public:
    JumpClock() { SetClock(this); }
    ~JumpClock() override { SetClock(nullptr); }
    JumpClock(const JumpClock&) = delete;
    JumpClock& operator=(const JumpClock&) = delete;

    std::uint32_t Now() override { return SystemClock().Now() + offset_; }
    void Sleep(std::uint32_t ms) override { SystemClock().Sleep(ms); }
    void Jump(std::uint32_t ms) { offset_ += ms; }

  private:
    std::uint32_t offset_ = 1000;
};

struct LinkWindow {
    explicit LinkWindow(SimHarness::Options options = {}) : sim(std::move(options)) {
        Platform().OnProcessMessages([this] {
            TWyszukaj* search = Search();
            tried.push_back(search->Label1->text());
            if (onPort) {
                onPort(tried.back());
            }
        });
    }
    ~LinkWindow() { Platform().OnProcessMessages({}); }

    TForm1& Form() { return fx.Form(); }
    FakePlatform& Platform() { return fx.Platform(); }
    TWyszukaj* Search() { return Form().Others().Wyszukaj; }

    // Connects through the command; true when the welder was found.
    bool Connect() {
        tried.clear();
        Form().SpeedButton8Click();
        return Form().Connected;
    }

    WindowFixture fx;
    SimHarness sim;
    // The search window's "COMn?" at every point where the search lets the
    // user in, in order.
    QStringList tried;
    // Called at each of those points with the port being tried.
    std::function<void(const QString& port)> onPort;
};

}  // namespace tav::test
