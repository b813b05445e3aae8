#include "engine/OutputRecords.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace kinetra::engine {

namespace {

constexpr std::size_t kPrefix = 7, kWidth = 16, kStride = 17, kPerLine = 50;

std::size_t start(std::size_t i) {
    return kPrefix + kStride * i;
}

std::string_view trimLeft(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : s.substr(first);
}

std::string_view trimBoth(std::string_view s) {
    s = trimLeft(s);
    const auto last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : s.substr(0, last + 1);
}

// How column j opens a continuation line.
enum class Opening {
    Invalid,
    AtOffsetZero, // starts with "-": the reader joins with one blank
    AtOffsetOne,  // up to 15 characters after one blank: joined with two blanks
    AfterShorter, // 16 characters: column j - 1 ends one character early, leaving two blanks
};

Opening opening(const std::vector<std::string>& fields, std::size_t j) {
    const std::string& f = fields[j];
    if (f.front() == '-')
        return Opening::AtOffsetZero;
    if (f.size() < kWidth)
        return Opening::AtOffsetOne;
    return fields[j - 1].size() < kWidth ? Opening::AfterShorter : Opening::Invalid;
}

} // namespace

std::string recordValueText(double value) {
    char buffer[40];
    return std::string(buffer, writeRecordValue(value, buffer));
}

std::size_t writeRecordValue(double value, char* buffer) {
    if (std::fabs(value) < 1e-99)
        value = 0;
    // Ten significant digits keep a positive value at 15 characters; a three-digit exponent
    // (1E+100 and beyond) costs one digit. to_chars rounds exactly like printf's %.9E and is
    // many times faster, which matters for records of hundreds of species every step.
    const int precision = std::fabs(value) >= 1e100 ? 8 : 9;
    char* end =
        std::to_chars(buffer, buffer + 39, value, std::chars_format::scientific, precision).ptr;
    for (char* p = buffer; p != end; ++p)
        if (*p == 'e')
            *p = 'E';
    return static_cast<std::size_t>(end - buffer);
}

std::vector<std::string> recordLines(std::string_view prefix,
                                     const std::vector<std::string>& fields, int lineCount) {
    const std::size_t m = fields.size();
    // Cut before column j for each continuation line: near the even split (time, T and the
    // first 50 species on the first line, 50 species on each further one), at a column that
    // can open a line, at least two columns after the previous cut.
    std::vector<std::size_t> cuts;
    std::size_t previous = 0;
    for (int t = 1; t < lineCount; ++t) {
        const std::size_t target = 2 + kPerLine * static_cast<std::size_t>(t);
        const std::size_t remaining = static_cast<std::size_t>(lineCount - 1 - t);
        std::optional<std::size_t> found;
        for (std::size_t d = 0; !found && d < m; ++d)
            for (const std::size_t j : {target + d, target - std::min(d, target)})
                if (!found && j >= previous + 2 && j >= 1 && j + 2 * remaining < m &&
                    opening(fields, j) != Opening::Invalid)
                    found = j;
        if (!found)
            return {};
        cuts.push_back(*found);
        previous = *found;
    }

    // The whole record on one line, then cut.
    std::string s(std::string(prefix).append(kPrefix - std::min(prefix.size(), kPrefix), ' '));
    s.resize(start(m), ' ');
    auto cutIndex = [&](std::size_t j) {
        for (std::size_t c = 0; c < cuts.size(); ++c)
            if (cuts[c] == j)
                return static_cast<int>(c);
        return -1;
    };
    for (std::size_t i = 0; i < m; ++i) {
        const std::string& f = fields[i];
        std::size_t at = start(i) + kWidth - f.size(); // right-aligned
        if (cutIndex(i) >= 0) {
            const Opening o = opening(fields, i);
            at = start(i) + (o == Opening::AtOffsetOne ? 1 : 0);
        } else if (i + 1 < m && cutIndex(i + 1) >= 0 &&
                   opening(fields, i + 1) == Opening::AfterShorter) {
            at = start(i) + kWidth - 1 - f.size(); // ends one early: two blanks follow
        }
        s.replace(at, f.size(), f);
    }
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (const std::size_t j : cuts) {
        const Opening o = opening(fields, j);
        const std::size_t content = start(j) + (o == Opening::AtOffsetOne ? 1 : 0);
        const std::size_t gap = o == Opening::AtOffsetZero ? 1 : 2;
        lines.push_back(s.substr(from, content - gap - from));
        from = content;
    }
    lines.push_back(std::string(trimBoth(s.substr(from))));
    return lines;
}

} // namespace kinetra::engine
