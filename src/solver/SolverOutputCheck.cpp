#include "solver/SolverOutputCheck.h"

#include "common/TextFile.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "results/ResultRecords.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace kinetra::solver {

namespace {

std::string upperTrimmed(const std::string& line) {
    return upperAscii(trimBlanks(line));
}

bool begins(const std::string& upper, std::string_view mark) {
    return upper.compare(0, mark.size(), mark) == 0;
}

} // namespace

bool isSolverOutputText(const std::string& text) {
    std::istringstream in(text);
    std::string first;
    std::getline(in, first);
    const std::string t = trimBlanks(withoutByteOrderMark(first));
    return !t.empty() && begins(upperAscii(t.substr(0, 16)), "!$KINETRA SOLVER");
}

bool isSolverOutput(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string first;
    if (!in || !std::getline(in, first))
        return false;
    return isSolverOutputText(first);
}

OutputScan scanOutput(const std::string& text) {
    OutputScan scan;
    std::istringstream in(readerText(text));
    std::string line;
    while (std::getline(in, line)) {
        const std::string upper = upperTrimmed(line);
        if (upper == "!$END") {
            scan.endSeen = true;
            break;
        }
        if (begins(upper, "ERROR")) {
            scan.failed = true;
            // The ERROR line opens the error text: it carries the reason.
            scan.errorText = trimBlanks(line) + "\n";
            while (std::getline(in, line))
                scan.errorText += line + "\n";
            break;
        }
        if (!scan.resultsSeen && begins(upper, "!$RESULTS"))
            scan.resultsSeen = true;
    }
    return scan;
}

RunReport runReport(const OutputScan& scan) {
    RunReport report;
    report.success = !scan.failed && scan.endSeen;
    if (report.success) {
        report.message = "The chemical kinetics problem has been successfully solved.";
        report.icon = Icon::Information;
    } else {
        report.message = " The solver has been terminated abnormally.\n" + scan.errorText;
        report.icon = Icon::Exclamation;
    }
    if (scan.resultsSeen) {
        report.offerResults = true;
        report.message += "\n\nShow the output data?";
    }
    return report;
}

OutputCheck checkOutputText(const std::string& text, const std::string& path) {
    const std::string notFound = "In the file '" + path + "', output information not found.";
    const std::string incomplete =
        "In the file '" + path + "', the output information is incomplete.";
    std::istringstream in(readerText(text));
    std::string line;
    for (int i = 0; i < 9; ++i)
        if (!std::getline(in, line))
            return {true, notFound};
    if (!std::getline(in, line))
        return {true, notFound};
    const auto n = parseNumber(trimBlanks(line.substr(0, line.find('!'))));
    if (!n || *n < 1 || *n != std::floor(*n) || *n > 1e6)
        return {true, "In the file '" + path + "', unexpected error."};
    // One line per record up to 50 species, two up to 100: the geometry the post-processor
    // reads the records with, so that a file the check passes is one it can read.
    const int k = results::recordLineCount(static_cast<int>(*n));
    bool found = false;
    while (std::getline(in, line))
        if (begins(upperAscii(trimBlanks(line).substr(0, 9)), "!$RESULTS")) {
            found = true;
            break;
        }
    if (!found)
        return {true, notFound};
    for (int i = 0; i < k && std::getline(in, line); ++i) {
        const std::string upper = upperTrimmed(line);
        if (!upper.empty() && (begins(upper, "ERROR") || upper == "!$END"))
            return {true, notFound};
    }
    long count = 0;
    while (std::getline(in, line)) {
        const std::string upper = upperTrimmed(line);
        if (begins(upper, "ERROR") || upper == "!$END")
            break;
        if (!upper.empty())
            ++count;
    }
    if (std::lround(static_cast<double>(count) / k) < 4)
        return {true, incomplete};
    return {};
}

OutputCheck checkOutput(const std::filesystem::path& path) {
    const std::optional<std::string> text = readTextFile(path);
    if (!text)
        return {true, "In the file '" + path.string() + "', output information not found."};
    return checkOutputText(*text, path.string());
}

} // namespace kinetra::solver
