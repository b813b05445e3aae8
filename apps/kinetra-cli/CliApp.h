// kinetra-cli: scripted access to the workbench's core. Each subcommand prints the program's
// own texts and returns a non-zero exit code when nothing could be done. Subsystems add their
// commands to the table in CliApp.cpp.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kinetra::cli {

struct Streams {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;
};

// argv without the program name. Returns the process exit code.
int runCli(const std::vector<std::string>& args, Streams streams, const std::string& appDir);

} // namespace kinetra::cli
