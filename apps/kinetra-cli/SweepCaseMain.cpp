// kinetra-sweep-case SWEEP_FOLDER CASE_ID... [--keep-files] [--quiet]: the case runner of sweeps
// (--quiet: a line for failed cases only), started
// by GNU parallel (locally and on ssh hosts) and by the cluster's job array. A program of its own
// without Qt: a sweep starts it many times, and kinetra-cli spends milliseconds per start
// linking the Qt libraries that only its windows and pictures need.
#include "shell/AppFolders.h"
#include "solver/SolverRun.h"
#include "studies/SweepCases.h"

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

namespace {

// Set by TERM, INT or HUP (parallel passes Ctrl+C on as TERM to each job's process group, the
// solver included): the runner then ends after the solver has, without that case's result and
// with its scratch folder removed, instead of dying and leaving the folder behind.
volatile std::sig_atomic_t stopSignalled = 0;

extern "C" void requestStop(int) {
    stopSignalled = 1;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words;
    bool keepFiles = false;
    auto listing = kinetra::studies::CaseListing::Every;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--keep-files") {
            keepFiles = true;
        } else if (word == "--quiet") {
            listing = kinetra::studies::CaseListing::FailuresOnly;
        } else if (word.starts_with("--")) {
            words.clear();
            break;
        } else {
            words.push_back(word);
        }
    }
    if (words.size() < 2) {
        std::cerr << "usage: " << kinetra::studies::kCaseRunnerProgram
                  << " SWEEP_FOLDER CASE_ID... [--keep-files] [--quiet]\n";
        return 2;
    }
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
    const auto folders = kinetra::AppFolders::fromExecutable(argv[0]);
    return kinetra::studies::runSweepCases(
        words.front(), {words.begin() + 1, words.end()},
        folders.app(kinetra::solver::kSolverProgram), keepFiles, std::cout, std::cerr,
        [] { return stopSignalled != 0; }, listing);
}
