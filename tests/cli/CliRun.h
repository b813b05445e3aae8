// Runs kinetra-cli in the test process over the built application folder and keeps what it
// printed.
#pragma once

#include "CliApp.h"

#include <sstream>
#include <string>
#include <vector>

namespace kinetra::cli::testing {

struct CliRun {
    int code;
    std::string out, err;
};

inline CliRun run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = runCli(args, Streams{out, err, false}, KINETRA_APP_DIR);
    return {code, out.str(), err.str()};
}

} // namespace kinetra::cli::testing
