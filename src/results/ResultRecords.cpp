#include "results/ResultRecords.h"

namespace kinetra::results {

namespace {

constexpr std::size_t kPrefix = 7, kWidth = 16, kStride = 17, kPerLine = 50;

std::string_view trimLeft(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : s.substr(first);
}

std::string_view trimRight(std::string_view s) {
    const auto last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : s.substr(0, last + 1);
}

} // namespace

int recordLineCount(int speciesCount) {
    const int q = speciesCount / static_cast<int>(kPerLine);
    const int r = speciesCount - q * static_cast<int>(kPerLine);
    return q == 0 ? 1 : q + (r >= 1 ? 1 : 0);
}

void appendRecordLine(std::string& record, std::string_view line) {
    const std::string_view text = trimLeft(line);
    record += text.substr(0, 1) == "-" ? " " : "  ";
    record += text;
}

std::string assembleRecord(const std::vector<std::string>& lines) {
    if (lines.empty())
        return {};
    std::string record(trimRight(trimLeft(lines.front())));
    for (std::size_t i = 1; i < lines.size(); ++i)
        appendRecordLine(record, lines[i]);
    return record;
}

std::string_view recordColumn(std::string_view record, int i) {
    const std::size_t from = kPrefix + kStride * static_cast<std::size_t>(i);
    if (i < 0 || from >= record.size())
        return {};
    return trimRight(trimLeft(record.substr(from, kWidth)));
}

} // namespace kinetra::results
