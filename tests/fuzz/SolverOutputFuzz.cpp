// libFuzzer target: the post-processor's reader of solver outputs on arbitrary text, and for
// every output it accepts the mean parameters of its records and the ignition analysis. An
// output may come from any solver program, so nothing may crash (scripts/fuzz-readers).
#include "results/IgnitionDelay.h"
#include "results/MeanParameters.h"
#include "results/SolverOutput.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto reading = kinetra::results::readSolverOutputText(text, "fuzz.out", 1);
    if (!reading.output)
        return 0;
    const kinetra::results::UnitConstants constants{8.314462618, 1.987204259, 6.02214076e23};
    kinetra::results::meanParameters(*reading.output, kinetra::results::ConcentrationUnit{},
                                     kinetra::results::EnergyUnit::Joule, constants);
    kinetra::results::analyseIgnition(*reading.output);
    return 0;
}
