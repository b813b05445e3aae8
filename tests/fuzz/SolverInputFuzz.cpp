// libFuzzer target: the solver program's input reader on arbitrary text, and for every file it
// accepts, the mechanism, one right-hand side and one sparse Jacobian at the initial state.
// Nothing may crash, whatever the file says (scripts/fuzz-readers builds and runs it).
#include "engine/InputFile.h"
#include "engine/Kinetics.h"
#include "engine/Reactor.h"
#include "engine/SparseJacobian.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += static_cast<char>(data[i]);
    }
    const kinetra::engine::InputReading reading =
        kinetra::engine::readSolverInput(std::move(lines));
    if (!reading.input || reading.input->species.size() > 200)
        return 0;
    kinetra::engine::Kinetics kinetics(*reading.input);
    kinetra::engine::Reactor reactor(*reading.input, kinetics);
    std::vector<double> ydot(static_cast<std::size_t>(reactor.size()));
    reactor.rightHandSide(reactor.initialState().data(), ydot.data());
    kinetra::engine::SparseJacobian jacobian(reactor, kinetics);
    std::vector<double> values(jacobian.nonZeros());
    jacobian.fill(reactor.initialState().data(), values.data());
    return 0;
}
