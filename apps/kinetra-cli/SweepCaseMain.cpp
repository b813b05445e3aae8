// kinetra-sweep-case SWEEP_FOLDER CASE_ID... [--keep-files]: the case runner of sweeps, started
// by GNU parallel (locally and on ssh hosts) and by the cluster's job array. A program of its own
// without Qt: a sweep starts it many times, and kinetra-cli spends milliseconds per start
// linking the Qt libraries that only its windows and pictures need.
#include "shell/AppFolders.h"
#include "solver/SolverRun.h"
#include "studies/SweepCases.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> words;
    bool keepFiles = false;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--keep-files") {
            keepFiles = true;
        } else if (word.starts_with("--")) {
            words.clear();
            break;
        } else {
            words.push_back(word);
        }
    }
    if (words.size() < 2) {
        std::cerr << "usage: " << kinetra::studies::kCaseRunnerProgram
                  << " SWEEP_FOLDER CASE_ID... [--keep-files]\n";
        return 2;
    }
    const auto folders = kinetra::AppFolders::fromExecutable(argv[0]);
    return kinetra::studies::runSweepCases(words.front(), {words.begin() + 1, words.end()},
                                           folders.app(kinetra::solver::kSolverProgram), keepFiles,
                                           std::cout, std::cerr);
}
