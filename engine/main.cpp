// KINETRA_SOLVER_5: the kinetics solver program.
//   KINETRA_SOLVER_5                  input path from SolverFilePath.txt in the current folder;
//                                     the output path is written back there
//   KINETRA_SOLVER_5 INPUT [-o OUTPUT]
// The output goes beside the input with the extension ".out" unless -o names it. Exit status 0
// for a successful run, 1 for a failed run (the output says why), 2 when no output could be
// written.
#include "common/QuotedItems.h"
#include "engine/Run.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;
using namespace kinetra;

namespace {

constexpr const char* kHandOver = "SolverFilePath.txt";

// Set by SIGTERM or SIGINT (the workbench's Stop, Ctrl+C in a terminal): the run then ends
// after its current step with the records so far and an ERROR line, instead of dying with half
// a record in its output buffer.
volatile std::sig_atomic_t stopSignalled = 0;

extern "C" void requestStop(int) {
    stopSignalled = 1;
}

std::optional<std::vector<std::string>> readLines(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

int usage() {
    std::cerr << "usage: KINETRA_SOLVER_5 [INPUT [-o OUTPUT] [--dense|--sparse|--krylov]]\n"
                 "Without arguments the input path is the first item of "
              << kHandOver << " in the current folder.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    fs::path input, output;
    auto linearAlgebra = engine::LinearAlgebra::Automatic;
    const bool handOver = argc == 1;
    if (handOver) {
        std::ifstream in(kHandOver, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const auto items = splitQuotedItems(text.str());
        if (!in || items.empty() || items.front().text.empty()) {
            std::cerr << "KINETRA_SOLVER_5: " << kHandOver
                      << " in the current folder does not name an input file.\n";
            return 2;
        }
        input = items.front().text;
    } else {
        input = argv[1];
        for (int i = 2; i < argc; ++i) {
            const std::string option = argv[i];
            if (option == "-o" && i + 1 < argc)
                output = argv[++i];
            else if (option == "--dense")
                linearAlgebra = engine::LinearAlgebra::Dense;
            else if (option == "--sparse")
                linearAlgebra = engine::LinearAlgebra::Sparse;
            else if (option == "--krylov")
                linearAlgebra = engine::LinearAlgebra::Krylov;
            else
                return usage();
        }
    }
    if (output.empty())
        output = fs::path(input).replace_extension(".out");

    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    if (!out) {
        std::cerr << "KINETRA_SOLVER_5: cannot write " << output.string() << '\n';
        return 2;
    }
    if (handOver) {
        // The hand-over names the output as soon as it exists, so that even a run that ends
        // abnormally leaves the workbench a file to check.
        std::ofstream(kHandOver, std::ios::binary | std::ios::trunc)
            << '"' << output.string() << "\"\r\n";
    }

    std::signal(SIGTERM, requestStop);
    std::signal(SIGINT, requestStop);
    const auto started = std::chrono::steady_clock::now();
    std::cout << "KINETRA_SOLVER_5: " << input.string() << " -> " << output.string() << std::endl;
    const auto lines = readLines(input);
    if (!lines) {
        out << "ERROR The input file " << input.string() << " cannot be read.\n";
        std::cout << "The input file cannot be read.\n";
        return 1;
    }
    const engine::InputReading reading = engine::readSolverInput(*lines);
    if (!reading.input) {
        engine::writeInputError(*lines, reading.error, out);
        std::cout << engine::inputErrorText(reading.error) << '\n';
        return 1;
    }
    const engine::SolverInput& solverInput = *reading.input;
    std::cout << solverInput.species.size() << " species, " << solverInput.reactions.size()
              << " reactions, mode " << static_cast<int>(solverInput.parameters.mode) << std::endl;
    const engine::RunOutcome outcome = engine::runSolver(
        solverInput, out,
        [](const engine::Progress& p) {
            std::printf("  t = %.6E s  steps %ld  T = %.2f K\n", p.time, p.steps, p.temperature);
            std::fflush(stdout);
        },
        linearAlgebra, [] { return stopSignalled != 0; });
    out.close();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const auto& st = outcome.statistics;
    std::printf("%s: %ld steps, %ld right-hand sides, %ld Jacobians, %ld factorizations (%s, %zu "
                "entries), %ld records, final T %.2f K, %.3f s\n",
                outcome.ok ? "Done" : "Failed", st.steps, st.rhsEvaluations, st.jacobianEvaluations,
                st.factorizations, outcome.sparse ? "KLU" : "dense", outcome.matrixEntries,
                outcome.records, outcome.finalTemperature, seconds);
    std::printf(
        "Time: integration %.3f s, of which rates %.3f s, Jacobians %.3f s, output %.3f s, "
        "linear algebra and integrator %.3f s\n",
        outcome.integrationSeconds, st.rhsSeconds, st.jacobianSeconds, outcome.outputSeconds,
        outcome.integrationSeconds - st.rhsSeconds - st.jacobianSeconds - outcome.outputSeconds);
    if (outcome.ignitionTime > 0)
        std::printf("Largest dT/dt at %.6E s\n", outcome.ignitionTime);
    if (!outcome.ok)
        std::printf("ERROR %s\n", outcome.error.c_str());
    return outcome.ok && out ? 0 : 1;
}
