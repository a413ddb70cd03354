#include "core/SimHarness.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace tav::test {

SimHarness::SimHarness() : SimHarness(Options{}) {}

SimHarness::SimHarness(Options options) {
    const char* tmp = std::getenv("TMPDIR");
    std::string templ =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tavelin-test-ports-XXXXXX";
    if (mkdtemp(templ.data()) == nullptr) {
        throw std::runtime_error(std::string("mkdtemp: ") + std::strerror(errno));
    }
    dir_ = templ;
    if (const char* old = std::getenv("TAVELIN_PORTS"); old != nullptr) {
        oldPorts_ = old;
    }
    setenv("TAVELIN_PORTS", dir_.c_str(), 1);

    sim::RecordStore records =
        options.records ? std::move(*options.records) : sim::GenerateRecords({});
    welder_ = std::make_unique<sim::WelderServer>(std::move(records), options.language);
    welder_->SetPacing(options.pace);
    welder_->SetDownloadTime(options.downloadTime);
    welder_->Start();
    if (options.comNumber > 0) {
        PublishWelder(options.comNumber);
    }
}

SimHarness::~SimHarness() {
    welder_->Stop();
    silent_.clear();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
    if (oldPorts_) {
        setenv("TAVELIN_PORTS", oldPorts_->c_str(), 1);
    } else {
        unsetenv("TAVELIN_PORTS");
    }
}

std::string SimHarness::LinkPath(int comNumber) const {
    return dir_ + "/COM" + std::to_string(comNumber);
}

std::string SimHarness::PortName() const {
    return comNumber_ > 0 ? "COM" + std::to_string(comNumber_) : std::string();
}

void SimHarness::PublishWelder(int comNumber) {
    if (!welder_->Publish(LinkPath(comNumber))) {
        throw std::runtime_error("cannot publish " + LinkPath(comNumber));
    }
    comNumber_ = comNumber;
}

void SimHarness::AddSilentDevice(int comNumber) {
    auto pty = std::make_unique<sim::PtyPair>();
    if (!pty->Publish(LinkPath(comNumber))) {
        throw std::runtime_error("cannot publish " + LinkPath(comNumber));
    }
    silent_.push_back(std::move(pty));
}

void SimHarness::RemoveLink(int comNumber) {
    unlink(LinkPath(comNumber).c_str());
    if (comNumber == comNumber_) {
        comNumber_ = 0;
    }
}

}  // namespace tav::test
