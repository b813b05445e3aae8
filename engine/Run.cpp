#include "engine/Run.h"

#include "engine/OutputRecords.h"
#include "engine/Reactor.h"

#include <charconv>
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

// Lays the records out in one text buffer and hands it to the stream in large writes: with
// hundreds of species a record every step is megabytes of text, and the record texts, the
// layout and the stream calls were a quarter of an n-heptane run (docs/performance.md). The
// value records are formatted and laid out in one pass (appendValueRecord).
class RecordWriter {
public:
    RecordWriter(std::ostream& out, std::size_t species)
        : out_(out), lineCount_(recordLineCount(static_cast<int>(species))) {
        buffer_.reserve(2 * kFlushAt);
    }
    ~RecordWriter() { flush(); }
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    void header(const SolverInput& input) {
        std::vector<std::string> names{"Time(s)", "T(K)"};
        for (const InputSpecies& s : input.species)
            names.push_back(s.name.substr(0, 16));
        const std::vector<std::string_view> views(names.begin(), names.end());
        append("No.", views);
    }

    void record(double time, const double* y, std::size_t size) {
        const auto started = std::chrono::steady_clock::now();
        char prefix[24];
        const auto end = std::to_chars(prefix, prefix + sizeof prefix, ++count_).ptr;
        appendValueRecord(buffer_, {prefix, static_cast<std::size_t>(end - prefix)}, time, y, size,
                          lineCount_);
        if (buffer_.size() >= kFlushAt)
            write();
        seconds_ +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }

    long count() const { return count_; }
    double seconds() const { return seconds_; } // in record(), the writes to the stream included

    void flush() {
        const auto started = std::chrono::steady_clock::now();
        write();
        seconds_ +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }

private:
    static constexpr std::size_t kFlushAt = 1 << 20;

    void append(std::string_view prefix, const std::vector<std::string_view>& fields) {
        appendRecordLines(buffer_, prefix, fields, lineCount_, cuts_);
        if (buffer_.size() >= kFlushAt)
            write();
    }

    void write() {
        out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        buffer_.clear();
    }

    std::ostream& out_;
    int lineCount_;
    std::vector<std::size_t> cuts_;
    std::string buffer_;
    long count_ = 0;
    double seconds_ = 0;
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
    RecordWriter records(out, kinetics.molecularWeights().size());
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
        records.flush();
        outcome.outputSeconds = records.seconds();
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
