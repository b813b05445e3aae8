#include "CliRun.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace kinetra::cli {
namespace {

using testing::CliRun;
using testing::run;

TEST(Cli, HelpSucceedsAndNothingToDoIsAFailure) {
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("Usage: kinetra-cli COMMAND"), std::string::npos);
    EXPECT_EQ(run({}).code, 2);
    const CliRun unknown = run({"frobnicate"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("unknown command 'frobnicate'"), std::string::npos);
}

// The built program itself, not only the library: --version through a pipe.
TEST(Cli, TheInstalledExecutableAnswers) {
    std::string command = std::string(KINETRA_APP_DIR) + "/kinetra-cli --version";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[256] = {};
    std::string output;
    while (fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(output, std::string("kinetra-cli ") + KINETRA_VERSION + "\n");
}

} // namespace
} // namespace kinetra::cli
