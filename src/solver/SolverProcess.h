// Starting the solver program: one child process with a working folder, its standard output
// and error streamed to a sink as they come, waited for without a time limit.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kinetra::solver {

// Where the solver's console output goes (a terminal, a console window, a test's buffer).
class OutputSink {
public:
    virtual ~OutputSink() = default;
    virtual void write(std::string_view text) = 0;
};

// Passes the output on to a stream (a terminal's standard error) as it comes.
class StreamSink final : public OutputSink {
public:
    explicit StreamSink(std::ostream& out) : out_(out) {}
    void write(std::string_view text) override {
        out_.write(text.data(), static_cast<std::streamsize>(text.size())) << std::flush;
    }

private:
    std::ostream& out_;
};

struct ProcessOutcome {
    bool started = false;
    int exitCode = -1;     // the exit status, or 128 + signal when a signal ended it
    double cpuSeconds = 0; // user and system time the process used
    std::string error;     // why it did not start
};

// Runs `program` with `arguments` in `workingFolder` and returns when it has ended.
ProcessOutcome runProcess(const std::filesystem::path& program,
                          const std::vector<std::string>& arguments,
                          const std::filesystem::path& workingFolder, OutputSink& sink);

} // namespace kinetra::solver
