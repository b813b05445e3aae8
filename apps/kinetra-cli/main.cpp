#include "CliApp.h"
#include "shell/AppFolders.h"

#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    kinetra::cli::Streams streams{std::cout, std::cerr, isatty(STDERR_FILENO) != 0};
    auto folders = kinetra::AppFolders::fromExecutable(argv[0]);
    return kinetra::cli::runCli(args, streams, folders.appDir.string());
}
