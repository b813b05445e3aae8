// What the solver console shows while a run goes on: the solver's output split into whole
// lines as the pieces arrive, its progress lines ("t = ... s  steps ...  T = ... K") read back,
// and the share of the simulated time they have reached. The console window draws this; the
// rules of reading the solver's lines live here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinetra::solver {

struct SolverProgress {
    double time = 0; // s
    long steps = 0;
    double temperature = 0; // K
};

// A progress line of the solver program; nothing for any other line.
std::optional<SolverProgress> parseProgressLine(std::string_view line);

class SolverConsole {
public:
    // The run goes from `initialTime` to `finalTime` (s).
    SolverConsole(double initialTime, double finalTime);

    // A piece of the solver's output as it arrived (it may end in the middle of a line).
    // Returns the lines it completed, without their line ends.
    std::vector<std::string> feed(std::string_view piece);
    // The rest of a last line without a line end, once the process has ended.
    std::optional<std::string> flush();

    const std::optional<SolverProgress>& lastProgress() const { return last_; }
    // The simulated time reached as a percentage 0..100 of the run's interval.
    int percent() const;
    // "t = 1.2E-02 s, 340 steps, T = 1450.3 K" for the status line; empty before the first.
    std::string statusText() const;

private:
    double initialTime_, finalTime_;
    std::string partial_;
    std::optional<SolverProgress> last_;
};

} // namespace kinetra::solver
