#include "solver/SolverProcess.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kinetra::solver {

ProcessOutcome runProcess(const std::filesystem::path& program,
                          const std::vector<std::string>& arguments,
                          const std::filesystem::path& workingFolder, OutputSink& sink) {
    ProcessOutcome outcome;
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        outcome.error = std::strerror(errno);
        return outcome;
    }
    // A second pipe tells the parent why exec failed: the child writes errno to it, and a
    // successful exec closes it empty.
    int execReport[2];
    if (::pipe2(execReport, O_CLOEXEC) != 0) {
        outcome.error = std::strerror(errno);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return outcome;
    }
    // Everything the child needs is prepared before fork: after it only async-signal-safe calls.
    const std::string programText = program.string();
    const std::string folderText = workingFolder.string();
    std::vector<std::string> texts{programText};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& t : texts)
        argv.push_back(t.data());
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid < 0) {
        outcome.error = std::strerror(errno);
        for (int fd : {pipeEnds[0], pipeEnds[1], execReport[0], execReport[1]})
            ::close(fd);
        return outcome;
    }
    if (pid == 0) {
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::dup2(pipeEnds[1], STDERR_FILENO);
        int code = 0;
        if (::chdir(folderText.c_str()) != 0)
            code = errno;
        else {
            ::execv(programText.c_str(), argv.data());
            code = errno;
        }
        [[maybe_unused]] auto written = ::write(execReport[1], &code, sizeof code);
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    ::close(execReport[1]);
    char buffer[4096];
    // A sink that fails (a console closed under a run) must not leave the solver blocked on a
    // full pipe or unreaped: its output is drained and the failure raised once the solver ended.
    std::exception_ptr sinkFailure;
    for (;;) {
        const ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (n > 0) {
            if (!sinkFailure) {
                try {
                    sink.write(std::string_view(buffer, static_cast<std::size_t>(n)));
                } catch (...) {
                    sinkFailure = std::current_exception();
                }
            }
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    ::close(pipeEnds[0]);
    int code = 0;
    const bool execFailed = ::read(execReport[0], &code, sizeof code) == sizeof code;
    ::close(execReport[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (sinkFailure)
        std::rethrow_exception(sinkFailure);
    if (execFailed) {
        outcome.error = programText + ": " + std::strerror(code);
        return outcome;
    }
    outcome.started = true;
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return outcome;
}

} // namespace kinetra::solver
