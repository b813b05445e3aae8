#include "CliRun.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>

namespace kinetra::cli {
namespace {

using testing::CliRun;
using testing::run;

TEST(Cli, HelpAndVersionSucceed) {
    CliRun help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("Usage: kinetra-cli COMMAND"), std::string::npos);
    CliRun version = run({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, std::string("kinetra-cli ") + KINETRA_VERSION + "\n");
}

TEST(Cli, NothingToDoIsAFailure) {
    EXPECT_EQ(run({}).code, 2);
    CliRun unknown = run({"frobnicate"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("unknown command 'frobnicate'"), std::string::npos);
}

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
