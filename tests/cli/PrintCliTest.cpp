// kinetra-cli print: text files into PDF files read back with poppler (poppler-utils).
#include "CliRun.h"
#include "support/TempDir.h"
#include "textdoc/ui/TextPrintJob.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace kinetra::cli::testing {
namespace {

namespace fs = std::filesystem;

std::string shell(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
            out.append(buffer.data(), n);
        pclose(pipe);
    }
    return out;
}

int pageCount(const fs::path& pdf) {
    const std::string info = shell("pdfinfo '" + pdf.string() + "' 2>/dev/null");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

TEST(PrintCli, LinesOfARange) {
    const std::string text = "a\nb\nc\n";
    EXPECT_EQ(textdoc::linesOf(text, std::nullopt), text);
    EXPECT_EQ(textdoc::linesOf(text, textdoc::LineRange{2, 3}), "b\nc\n");
    EXPECT_EQ(textdoc::linesOf(text, textdoc::LineRange{3, 9}), "c\n");
    EXPECT_FALSE(textdoc::linesOf(text, textdoc::LineRange{4, 5}));
    EXPECT_FALSE(textdoc::linesOf(text, textdoc::LineRange{2, 1}));
}

TEST(PrintCli, TextFileIntoNumberedPdfPages) {
    ASSERT_FALSE(shell("command -v pdfinfo").empty()) << "poppler-utils is missing";
    kinetra::testing::TempDir dir;
    const fs::path text = dir.path() / "report.txt";
    {
        std::ofstream out(text);
        for (int i = 1; i <= 200; ++i)
            out << "row " << i << "  1.000E+00\n";
    }
    const fs::path pdf = dir.path() / "report.pdf";
    auto all = run({"print", text.string(), "-o", pdf.string(), "--first-page", "11"});
    ASSERT_EQ(all.code, 0) << all.err;
    const int pages = pageCount(pdf);
    EXPECT_GE(pages, 3);
    EXPECT_NE(all.out.find(std::to_string(pages) + " page(s)"), std::string::npos);
    const std::string first = shell("pdftotext -f 1 -l 1 '" + pdf.string() + "' -");
    EXPECT_EQ(first.substr(0, 2), "11");
    EXPECT_NE(first.find("row 1 "), std::string::npos);
    const std::string last = shell("pdftotext -f " + std::to_string(pages) + " -l " +
                                   std::to_string(pages) + " '" + pdf.string() + "' -");
    EXPECT_EQ(last.substr(0, 2), std::to_string(10 + pages));
    EXPECT_NE(last.find("row 200"), std::string::npos);
    // Every line once: none is cut at the foot of a page and repeated on the next.
    const std::string whole = shell("pdftotext -layout '" + pdf.string() + "' -");
    for (int i = 1; i <= 200; ++i) {
        const std::string row = "row " + std::to_string(i) + " ";
        const auto at = whole.find(row);
        ASSERT_NE(at, std::string::npos) << row;
        EXPECT_EQ(whole.find(row, at + 1), std::string::npos) << row;
    }

    auto part = run({"print", text.string(), "-o", pdf.string(), "--selection", "5:7", "--paper",
                     "A4", "--force"});
    ASSERT_EQ(part.code, 0) << part.err;
    EXPECT_EQ(pageCount(pdf), 1);
    const std::string selected = shell("pdftotext -layout '" + pdf.string() + "' -");
    EXPECT_NE(selected.find("row 5 "), std::string::npos);
    EXPECT_EQ(selected.find("row 8 "), std::string::npos);
    EXPECT_NE(shell("pdfinfo '" + pdf.string() + "'").find("595 x 842"), std::string::npos);
}

TEST(PrintCli, RefusesBadArguments) {
    kinetra::testing::TempDir dir;
    const fs::path text = dir.path() / "a.txt";
    std::ofstream(text) << "x\n";
    const fs::path pdf = (dir.path() / "a.pdf");
    EXPECT_EQ(run({"print", text.string()}).code, 2);
    EXPECT_EQ(run({"print", text.string(), "-o", pdf.string(), "--first-page", "one"}).err,
              "The first page number, please enter an integer.\n");
    EXPECT_EQ(run({"print", text.string(), "-o", pdf.string(), "--selection", "3:4"}).code, 1);
    EXPECT_EQ(run({"print", (dir.path() / "none.txt").string(), "-o", pdf.string()}).code, 1);
    EXPECT_FALSE(fs::exists(pdf));
}

} // namespace
} // namespace kinetra::cli::testing
