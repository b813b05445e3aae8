#include "CliRun.h"
#include "ConsoleUi.h"

#include <algorithm>
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

// Batch work asks nothing: a question keeps only what it states.
TEST(ConsoleDialogs, PrintNoQuestion) {
    const std::pair<const char*, const char*> cases[] = {
        {"The error messages have been written in the file /t/ErrorMsg.txt'. \nOpen the file?",
         "The error messages have been written in the file /t/ErrorMsg.txt'."},
        {"Are you sure you want to remove the element 'N' and all species from the THERMO "
         "table, which contain this element?",
         ""},
        {"Do you want to save changes to gri.mdb?", ""},
        {"Nothing to ask.", "Nothing to ask."},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(withoutQuestion(text), shown) << text;
}

// A list of thousands of names keeps its first lines, the count of the rest and the file with
// the whole list.
TEST(ConsoleDialogs, CutLongListsToAFewLines) {
    std::string names = "The listed below 500 species have been omitted.";
    for (int line = 0; line < 100; ++line)
        names += "\nC" + std::to_string(line) + "H4  C" + std::to_string(line) + "H6";
    const std::string cut = cutForTerminal(names, "/t/ErrorMsg.txt");
    EXPECT_EQ(std::count(cut.begin(), cut.end(), '\n'), long(kTerminalLines - 1));
    EXPECT_TRUE(cut.starts_with("The listed below 500 species have been omitted.\nC0H4"));
    EXPECT_TRUE(cut.ends_with("\n... 94 more lines; the whole list is in /t/ErrorMsg.txt")) << cut;
    EXPECT_EQ(cutForTerminal("one\ntwo", "/t/ErrorMsg.txt"), "one\ntwo");
}

} // namespace
} // namespace kinetra::cli
