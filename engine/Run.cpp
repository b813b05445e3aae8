#include "engine/Run.h"

#include "engine/OutputRecords.h"
#include "engine/Reactor.h"

#include <chrono>
#include <cstdio>

namespace kinetra::engine {

namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(250);

std::string number(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.6G", value);
    return buffer;
}

class RecordWriter {
public:
    RecordWriter(std::ostream& out, const std::vector<double>& weights)
        : out_(out), lineCount_(recordLineCount(static_cast<int>(weights.size()))) {
        fields_.reserve(weights.size() + 2);
    }

    void header(const SolverInput& input) {
        fields_ = {"Time(s)", "T(K)"};
        for (const InputSpecies& s : input.species)
            fields_.push_back(s.name.substr(0, 16));
        write("No.");
    }

    // The texts are assigned in place, so that their buffers serve every record.
    void record(double time, const double* y, std::size_t size) {
        fields_.resize(size + 1);
        char buffer[40];
        fields_[0].assign(buffer, writeRecordValue(time, buffer));
        for (std::size_t i = 0; i < size; ++i)
            fields_[i + 1].assign(buffer, writeRecordValue(y[i], buffer));
        write(std::to_string(++count_));
    }

    long count() const { return count_; }

private:
    void write(const std::string& prefix) {
        for (const std::string& line : recordLines(prefix, fields_, lineCount_))
            out_ << line << '\n';
    }

    std::ostream& out_;
    int lineCount_;
    std::vector<std::string> fields_;
    long count_ = 0;
};

} // namespace

void writeInputError(const std::vector<std::string>& lines, const InputError& error,
                     std::ostream& out) {
    for (const std::string& line : lines)
        out << line << '\n';
    out << inputErrorText(error) << '\n';
}

RunOutcome runSolver(const SolverInput& input, std::ostream& out,
                     const std::function<void(const Progress&)>& progress,
                     LinearAlgebra linearAlgebra, const std::function<bool()>& stopRequested) {
    const RunParameters& p = input.parameters;
    for (const std::string& line : input.lines)
        out << line << '\n';
    out << "!$RESULTS\n";
    Kinetics kinetics(input);
    Reactor reactor(input, kinetics);
    RecordWriter records(out, kinetics.molecularWeights());
    records.header(input);
    const std::size_t size = static_cast<std::size_t>(reactor.size());
    records.record(p.initialTime, reactor.initialState().data(), size);

    RunOutcome outcome;
    Integrator integrator(reactor, kinetics, p, linearAlgebra);
    const auto started = std::chrono::steady_clock::now();
    auto finish = [&](std::string error) {
        outcome.integrationSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        outcome.statistics = integrator.statistics();
        outcome.records = records.count();
        outcome.finalTemperature = integrator.state()[0];
        outcome.sparse = integrator.sparse();
        outcome.matrixEntries = integrator.matrixEntries();
        outcome.ok = error.empty();
        outcome.error = std::move(error);
        if (outcome.ok)
            out << "!$END\n";
        else
            out << "ERROR " << outcome.error << '\n';
        out.flush();
        return outcome;
    };
    if (!integrator.setupError().empty())
        return finish(integrator.setupError());

    auto lastReport = std::chrono::steady_clock::now();
    long steps = 0;
    double steepest = 0;
    while (integrator.time() < p.finalTime) {
        if (steps >= p.maximumSteps) {
            records.record(integrator.time(), integrator.state(), size);
            return finish("The maximum number of steps (" + std::to_string(p.maximumSteps) +
                          ") was reached before the final time; time " + number(integrator.time()) +
                          " s, temperature " + number(integrator.state()[0]) + " K.");
        }
        if (!integrator.step())
            return finish("The " + integrator.error() + " at time " + number(integrator.time()) +
                          " s, temperature " + number(integrator.state()[0]) + " K.");
        ++steps;
        const double* y = integrator.state();
        if (const double slope = integrator.temperatureSlope(); slope > steepest) {
            steepest = slope;
            outcome.ignitionTime = integrator.time();
        }
        if (!(y[0] >= p.minimumTemperature && y[0] <= p.maximumTemperature)) {
            records.record(integrator.time(), y, size);
            return finish("The temperature " + number(y[0]) + " K left the allowable interval (" +
                          number(p.minimumTemperature) + ", " + number(p.maximumTemperature) +
                          ") at time " + number(integrator.time()) + " s.");
        }
        if (stopRequested && stopRequested()) {
            records.record(integrator.time(), y, size);
            return finish(std::string(kStoppedError) + " at time " + number(integrator.time()) +
                          " s, temperature " + number(y[0]) + " K.");
        }
        const bool last = integrator.time() >= p.finalTime;
        // The final state is always written; the records in between stop one short of the
        // maximum number of output lines, keeping a place for it.
        if (last || (steps % p.deltaN == 0 && records.count() < p.maximumOutputLines - 1))
            records.record(integrator.time(), y, size);
        if (progress) {
            const auto now = std::chrono::steady_clock::now();
            if (now - lastReport >= kProgressInterval) {
                lastReport = now;
                progress({integrator.time(), y[0], steps});
            }
        }
    }
    return finish({});
}

} // namespace kinetra::engine
