#include "solver/SolverOutputCheck.h"

#include "common/TextFile.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "results/ResultRecords.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace kinetra::solver {

namespace {

// The trimmed line's first characters in upper case, enough for every mark ("!$RESULTS" is the
// longest), and whether the trimmed line is no longer than that: the scan passes over every
// record of an output, and upper-casing whole records of hundreds of species costs more than
// the reading.
struct LineHead {
    std::string upper;  // empty for a line that cannot begin a mark
    bool whole = false; // the trimmed line is no longer than the longest mark
    bool blank = true;
};
constexpr std::size_t kLongestMark = 9;

LineHead lineHead(std::string_view line) {
    // Trimmed in place: copying a record line costs as much as scanning it. Only a line that
    // can begin a mark ("!$...", "ERROR") is upper-cased.
    const std::string_view t = blankTrimmed(line);
    if (t.empty())
        return {};
    if (t[0] != '!' && t[0] != 'E' && t[0] != 'e')
        return {{}, false, false};
    return {upperAscii(t.substr(0, kLongestMark)), t.size() <= kLongestMark, false};
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
    // The solver writes LF line ends: its output is scanned as it is, without a converted copy
    // of a few hundred kilobytes per run.
    const bool plain =
        text.find('\r') == std::string::npos && withoutByteOrderMark(text).size() == text.size();
    const std::string converted = plain ? std::string() : readerText(text);
    const std::string& all = plain ? text : converted;
    // Lines as views into the text, as getline would give them.
    std::size_t from = 0;
    const auto nextLine = [&] {
        const std::size_t end = std::min(all.find('\n', from), all.size());
        const std::string_view line(all.data() + from, end - from);
        from = end + 1;
        return line;
    };
    while (from < all.size()) {
        const std::string_view line = nextLine();
        const LineHead head = lineHead(line);
        const std::string& upper = head.upper;
        if (head.whole && upper == "!$END") {
            scan.endSeen = true;
            break;
        }
        if (begins(upper, "ERROR")) {
            scan.failed = true;
            // The ERROR line opens the error text: it carries the reason.
            scan.errorText = trimBlanks(line) + "\n";
            while (from < all.size()) {
                scan.errorText += nextLine();
                scan.errorText += '\n';
            }
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
        const LineHead head = lineHead(line);
        if (begins(head.upper, "ERROR") || (head.whole && head.upper == "!$END"))
            return {true, notFound};
    }
    long count = 0;
    while (std::getline(in, line)) {
        const LineHead head = lineHead(line);
        if (begins(head.upper, "ERROR") || (head.whole && head.upper == "!$END"))
            break;
        if (!head.blank)
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
