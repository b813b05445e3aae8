#include "results/SolverOutput.h"

#include "common/TextFile.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "results/ResultRecords.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>

namespace kinetra::results {

namespace {

constexpr std::size_t kMaxElements = 11;

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        from = end + 1;
    }
    return lines;
}

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// The first `n` characters of a line, trimmed and upper-cased, compared with `mark`.
bool startsWithMark(std::string_view line, std::string_view mark) {
    const std::string_view t = trimmed(line);
    return t.size() >= mark.size() && upperAscii(t.substr(0, mark.size())) == mark;
}

// Called for every record line: only a line of the mark's length is upper-cased.
bool endsResults(std::string_view line) {
    const std::string_view t = trimmed(line);
    return startsWithMark(t, "ERROR") || (t.size() == 5 && upperAscii(t) == "!$END");
}

std::string_view beforeMark(std::string_view line) {
    return trimmed(line.substr(0, line.find('!')));
}

std::string_view firstWord(std::string_view line) {
    const std::string_view t = trimmed(line);
    return t.substr(0, t.find_first_of(" \t"));
}

std::string_view columns(std::string_view line, std::size_t from1, std::size_t count) {
    if (from1 - 1 >= line.size())
        return {};
    return trimmed(line.substr(from1 - 1, count));
}

// The solver writes every record value as %.9E ("1.234567890E-05", "-1.234567890E+00"): ten
// digits, an exponent of two or three. Such a text whose exponent keeps the scale within 10^22
// is converted by one multiplication or division of the ten-digit integer by a power of ten
// that a double holds exactly: one correctly rounded operation, so the same double that
// from_chars gives, at a fraction of its cost (an output holds records x species of them).
std::optional<double> solverFormatNumber(std::string_view t) {
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const auto digit = [&](std::size_t k) { return t[k] >= '0' && t[k] <= '9'; };
    std::size_t i = 0;
    const bool negative = !t.empty() && t[0] == '-';
    if (negative || (!t.empty() && t[0] == '+'))
        ++i;
    if (t.size() < i + 15 || t.size() > i + 16 || !digit(i) || t[i + 1] != '.')
        return std::nullopt;
    std::uint64_t mantissa = static_cast<std::uint64_t>(t[i] - '0');
    for (std::size_t k = i + 2; k < i + 11; ++k) {
        if (!digit(k))
            return std::nullopt;
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(t[k] - '0');
    }
    if ((t[i + 11] != 'E' && t[i + 11] != 'e') || (t[i + 12] != '+' && t[i + 12] != '-'))
        return std::nullopt;
    int exponent = 0;
    for (std::size_t k = i + 13; k < t.size(); ++k) {
        if (!digit(k))
            return std::nullopt;
        exponent = exponent * 10 + (t[k] - '0');
    }
    const int scale = (t[i + 12] == '-' ? -exponent : exponent) - 9;
    if (scale < -22 || scale > 22)
        return std::nullopt;
    const double m = static_cast<double>(mantissa);
    const double v = scale >= 0 ? m * kPowers[scale] : m / kPowers[-scale];
    return negative ? -v : v;
}

} // namespace

std::optional<double> recordNumber(std::string_view text) {
    if (const auto v = solverFormatNumber(text))
        return v;
    double v = 0;
    const char* begin = text.data();
    if (!text.empty() && text.front() == '+')
        ++begin;
    const auto [end, ec] = std::from_chars(begin, text.data() + text.size(), v);
    if (ec == std::errc() && end == text.data() + text.size())
        return v;
    return parseNumber(text);
}

namespace {

std::optional<long> wholeNumber(std::string_view text) {
    const std::optional<long long> v = parseWholeNumber(text);
    return v ? std::optional<long>(static_cast<long>(*v)) : std::nullopt;
}

OutputReading failure(std::string message) {
    return {std::nullopt, std::move(message)};
}

} // namespace

std::vector<std::string> formulaElements(const std::string& formula) {
    std::vector<std::string> symbols;
    std::size_t i = 0;
    while (i < formula.size()) {
        const std::size_t from = i;
        while (i < formula.size() && std::isalpha(static_cast<unsigned char>(formula[i])))
            ++i;
        if (i > from) {
            std::string symbol = formula.substr(from, i - from);
            symbols.push_back(upperAscii(symbol) == "E" ? "e" : symbol);
        }
        // The count: a sign, digits and a decimal point.
        const std::size_t countFrom = i;
        while (i < formula.size() && !std::isalpha(static_cast<unsigned char>(formula[i])))
            ++i;
        if (i == from && countFrom == i)
            ++i;
    }
    return symbols;
}

std::optional<OutputSpecies> readThermoBlockSpecies(const std::vector<std::string>& lines) {
    if (lines.size() != 4)
        return std::nullopt;
    OutputSpecies s;
    const std::string_view first = lines[0];
    s.name = std::string(columns(first, 7, 16));
    s.formula = std::string(columns(first, 24, 22));
    const auto tmin = parseNumber(columns(first, 48, 9));
    const auto tmax = parseNumber(columns(first, 57, 9));
    const auto tcom = parseNumber(columns(first, 66, 9));
    // The fraction is the last field: it may be longer than its ten columns when it needs more
    // digits than the pattern gives.
    const std::string_view t = trimmed(first);
    const auto lastBlank = t.find_last_of(" \t");
    const auto fraction =
        lastBlank == std::string_view::npos ? std::nullopt : parseNumber(t.substr(lastBlank + 1));
    if (s.name.empty() || !tmin || !tmax || !tcom || !fraction)
        return std::nullopt;
    s.tmin = *tmin;
    s.tmax = *tmax;
    s.tcom = *tcom;
    s.initialFraction = *fraction;
    for (int k = 0; k < 15; ++k) {
        const std::string_view line = lines[static_cast<std::size_t>(1 + k / 5)];
        const auto value =
            recordNumber(columns(line, 1 + 15 * static_cast<std::size_t>(k % 5), 15));
        if (!value)
            return std::nullopt;
        if (k < 14)
            s.coefficients[static_cast<std::size_t>(k)] = *value;
        else
            s.molecularWeight = *value;
    }
    return s;
}

OutputReading readSolverOutputText(const std::string& text, const std::string& path,
                                   int minimumRecords) {
    const std::vector<std::string_view> lines = splitLines(text);
    const std::string incomplete = "In the file " + path + " the output data is incomplete.";
    auto line = [&](int number) -> std::string_view {
        return static_cast<std::size_t>(number) <= lines.size()
                   ? lines[static_cast<std::size_t>(number - 1)]
                   : std::string_view();
    };
    auto unreadable = [&](int number, const std::string& what) {
        return failure("In the file " + path + " line " + std::to_string(number) +
                       " does not hold " + what + ".");
    };

    SolverOutput out;
    RunHeader& h = out.header;
    const auto n = wholeNumber(beforeMark(line(10)));
    if (!n || *n < 1)
        return unreadable(10, "the species count");
    h.speciesCount = static_cast<int>(*n);
    const auto reactions = wholeNumber(beforeMark(line(11)));
    const auto pressure = parseNumber(beforeMark(line(14)));
    const auto mode = wholeNumber(beforeMark(line(15)));
    const auto t0 = parseNumber(beforeMark(line(16)));
    const auto steps = wholeNumber(beforeMark(line(24)));
    const auto deltaN = wholeNumber(firstWord(line(28)));
    const auto rCal = parseNumber(firstWord(line(31)));
    const auto rCm3 = parseNumber(firstWord(line(32)));
    if (!reactions)
        return unreadable(11, "the reaction count");
    if (!pressure || !(*pressure > 0))
        return unreadable(14, "the pressure");
    if (!mode || *mode < 0 || *mode > 3)
        return unreadable(15, "the temperature mode");
    if (!t0)
        return unreadable(16, "the initial temperature");
    if (!steps)
        return unreadable(24, "the maximum number of steps");
    if (!deltaN)
        return unreadable(28, "the output stride");
    if (!rCal || !(*rCal > 0))
        return unreadable(31, "the gas constant in cal/(K mol)");
    if (!rCm3 || !(*rCm3 > 0))
        return unreadable(32, "the gas constant in cm^3 atm/(K mol)");
    h.reactionCount = static_cast<int>(*reactions);
    h.pressure = *pressure;
    h.mode = static_cast<int>(*mode);
    h.initialTemperature = *t0;
    h.finalTime = std::string(beforeMark(line(20)));
    h.maximumSteps = *steps;
    h.deltaN = *deltaN;
    h.gasConstantCal = *rCal;
    h.gasConstantCm3 = *rCm3;

    std::size_t at = 9; // index of line 10
    while (at < lines.size() && !startsWithMark(lines[at], "THERMO"))
        ++at;
    if (at == lines.size())
        return failure("In the file " + path + " the THERMO block was not found.");
    ++at;
    out.elements = {"e"};
    for (int i = 0; i < h.speciesCount; ++i, at += 4) {
        if (at + 4 > lines.size())
            return failure(incomplete);
        const std::vector<std::string> four(lines.begin() + static_cast<std::ptrdiff_t>(at),
                                            lines.begin() + static_cast<std::ptrdiff_t>(at + 4));
        std::optional<OutputSpecies> s = readThermoBlockSpecies(four);
        if (!s)
            return unreadable(static_cast<int>(at + 1),
                              "the THERMO lines of species " + std::to_string(i + 1));
        for (std::string& symbol : formulaElements(s->formula))
            if (out.elements.size() < kMaxElements &&
                std::find(out.elements.begin(), out.elements.end(), symbol) == out.elements.end())
                out.elements.push_back(std::move(symbol));
        out.species.push_back(std::move(*s));
    }

    while (at < lines.size() && !startsWithMark(lines[at], "REACTIONS"))
        ++at;
    if (at < lines.size())
        for (++at; at < lines.size() && !startsWithMark(lines[at], "END"); ++at)
            out.reactionText.emplace_back(lines[at]);

    while (at < lines.size() && !startsWithMark(lines[at], "ERROR") &&
           !startsWithMark(lines[at], "!$RESULTS"))
        ++at;
    if (at == lines.size() || !startsWithMark(lines[at], "!$RESULTS"))
        return failure(incomplete);
    ++at;

    // Records: k non-empty lines each, up to ERROR or !$END; a record cut short by them is
    // dropped. Empty lines between records carry nothing and are passed over.
    const std::size_t k = static_cast<std::size_t>(recordLineCount(h.speciesCount));
    const std::size_t columnCount = static_cast<std::size_t>(h.speciesCount) + 2;
    std::string record;
    std::size_t linesInRecord = 0;
    bool header = true;
    for (; at < lines.size(); ++at) {
        const std::string_view l = lines[at];
        if (trimmed(l).empty())
            continue;
        if (endsResults(l))
            break;
        if (linesInRecord == 0)
            record.assign(trimmed(l));
        else
            appendRecordLine(record, l);
        if (++linesInRecord < k)
            continue;
        linesInRecord = 0;
        if (header) {
            header = false;
            out.columnNames = {"Time(s)", "T(K)", "Ro"};
            for (int i = 0; i < h.speciesCount; ++i)
                out.columnNames.emplace_back(recordColumn(record, i + 2));
            continue;
        }
        std::vector<double> values(columnCount);
        for (std::size_t c = 0; c < columnCount; ++c) {
            const auto v = recordNumber(recordColumn(record, static_cast<int>(c)));
            if (!v)
                return failure("In the file " + path + " the record ending on line " +
                               std::to_string(at + 1) + " cannot be read.");
            values[c] = *v;
        }
        out.records.push_back(std::move(values));
    }
    if (out.records.size() < static_cast<std::size_t>(std::max(minimumRecords, 1)))
        return failure(incomplete);
    return {std::move(out), {}};
}

OutputReading readSolverOutput(const std::filesystem::path& path, int minimumRecords) {
    const std::optional<std::string> text = readTextFile(path);
    if (!text)
        return failure("The file " + path.string() + " cannot be read.");
    return readSolverOutputText(*text, path.string(), minimumRecords);
}

double initialMoleFraction(const SolverOutput& output, std::size_t species) {
    double sum = 0;
    for (const OutputSpecies& s : output.species)
        sum += s.initialFraction;
    return sum > 0 ? output.species.at(species).initialFraction / sum : 0;
}

} // namespace kinetra::results
