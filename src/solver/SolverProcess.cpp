#include "solver/SolverProcess.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
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
    const std::string programText = program.string();
    const std::string folderText = workingFolder.string();
    std::vector<std::string> texts{programText};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& t : texts)
        argv.push_back(t.data());
    argv.push_back(nullptr);

    // posix_spawn, not fork: the child shares the caller's memory until it execs, instead of
    // marking every page of the caller copy-on-write, which made a case runner take a page
    // fault for each page it wrote after each run. It reports a failed chdir or exec as its
    // result, and reaps such a child itself.
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    ::posix_spawn_file_actions_addchdir_np(&actions, folderText.c_str());
    pid_t pid = 0;
    const int spawnError =
        ::posix_spawn(&pid, programText.c_str(), &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawnError != 0) {
        ::close(pipeEnds[0]);
        outcome.error = programText + ": " + std::strerror(spawnError);
        return outcome;
    }
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
    int status = 0;
    struct rusage usage {};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (sinkFailure)
        std::rethrow_exception(sinkFailure);
    outcome.started = true;
    outcome.cpuSeconds =
        static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
        1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return outcome;
}

} // namespace kinetra::solver
