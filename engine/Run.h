// One solver run: integrate the reactor of an input file and write the output file (the input
// lines, "!$RESULTS", the header record, one record per output time, then "!$END" or a line
// beginning "ERROR" with the reason).
#pragma once

#include "engine/InputFile.h"
#include "engine/Integrator.h"

#include <functional>
#include <ostream>
#include <string>

namespace kinetra::engine {

struct Progress {
    double time = 0, temperature = 0;
    long steps = 0;
};

struct RunOutcome {
    bool ok = false;
    std::string error; // the text after "ERROR" on failure
    IntegratorStatistics statistics;
    long records = 0;
    double finalTemperature = 0;
    double integrationSeconds = 0; // the integration loop with its output records
    double outputSeconds = 0;      // of which laying out and writing the records
    double ignitionTime = 0;       // the accepted step with the largest dT/dt (0 without a rise)
    bool sparse = false;           // KLU on the sparse Jacobian rather than dense LU
    std::size_t matrixEntries = 0; // of the Newton matrix
};

// `progress` is called now and then (at most a few times a second) while the run goes on.
// `stopRequested` is asked after every step; when it answers true the run writes the state
// reached as its last record and ends with the ERROR line kStoppedError, so that the records
// so far stay a readable output.
RunOutcome runSolver(const SolverInput& input, std::ostream& out,
                     const std::function<void(const Progress&)>& progress = {},
                     LinearAlgebra linearAlgebra = LinearAlgebra::Automatic,
                     const std::function<bool()>& stopRequested = {});

// The beginning of the error text of a run that was asked to stop.
inline constexpr const char* kStoppedError = "The run was stopped by the user";

// The output for an input file that could not be read: its lines, then the ERROR line.
void writeInputError(const std::vector<std::string>& lines, const InputError& error,
                     std::ostream& out);

} // namespace kinetra::engine
