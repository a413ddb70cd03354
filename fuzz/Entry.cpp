// libFuzzer's entry point for one target, chosen by name at build time
// (TAVELIN_FUZZ_TARGET, the name of its corpus folder).
#include <cstdlib>

#include "FuzzTargets.h"

namespace {

void (*Body())(const std::uint8_t*, std::size_t) {
    for (const tav::fuzz::Target& target : tav::fuzz::kTargets) {
        if (target.name == TAVELIN_FUZZ_TARGET) {
            return target.body;
        }
    }
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto body = Body();
    body(data, size);
    return 0;
}
