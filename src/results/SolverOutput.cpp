#include "results/SolverOutput.h"

#include "common/TextFile.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "results/ResultRecords.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>

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

// The trimmed line begins with `mark` (upper case) in any letter case.
bool startsWithMark(std::string_view line, std::string_view mark) {
    const std::string_view t = blankTrimmed(line);
    return t.size() >= mark.size() && equalsIgnoreCase(t.substr(0, mark.size()), mark);
}

bool endsResults(std::string_view line) {
    const std::string_view t = blankTrimmed(line);
    return startsWithMark(t, "ERROR") || (t.size() == 5 && equalsIgnoreCase(t, "!$END"));
}

std::string_view beforeMark(std::string_view line) {
    return blankTrimmed(line.substr(0, line.find('!')));
}

std::string_view firstWord(std::string_view line) {
    const std::string_view t = blankTrimmed(line);
    return t.substr(0, t.find_first_of(" \t"));
}

std::string_view columns(std::string_view line, std::size_t from1, std::size_t count) {
    if (from1 - 1 >= line.size())
        return {};
    return blankTrimmed(line.substr(from1 - 1, count));
}

// Eight ASCII digits from p as one number, or nothing when one of them is not a digit: the
// eight bytes are checked and combined as one 64-bit word (pairs, then fours, then the eight).
std::optional<std::uint32_t> eightDigits(const char* p) {
    std::uint64_t word = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&word, p, sizeof word);
        const std::uint64_t high = word & 0xF0F0F0F0F0F0F0F0;
        const std::uint64_t carried = (word + 0x0606060606060606) & 0xF0F0F0F0F0F0F0F0;
        if ((high | (carried >> 4)) != 0x3333333333333333)
            return std::nullopt;
        word -= 0x3030303030303030;
        word = word * 10 + (word >> 8);
        word = ((word & 0x000000FF000000FF) * (100 + (1000000ULL << 32)) +
                ((word >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32))) >>
               32;
        return static_cast<std::uint32_t>(word);
    } else {
        for (int k = 0; k < 8; ++k) {
            if (p[k] < '0' || p[k] > '9')
                return std::nullopt;
            word = word * 10 + static_cast<std::uint64_t>(p[k] - '0');
        }
        return static_cast<std::uint32_t>(word);
    }
}

// 10^k in long double, for k from -kLowestPower to kHighestPower, each within 15 units in the
// last place of its own precision: 10^0 to 10^27 are exact (5^27 < 2^64), the others are one of
// them times a power of 10^27 (at most 13 roundings), the negative ones its reciprocal (one more).
constexpr int kLowestPower = 360, kHighestPower = 330;
struct PowersOfTen {
    std::array<long double, kLowestPower + kHighestPower + 1> value;
    // Whether long double arithmetic carries its 64 bits here: a program may have set the x87
    // unit to round to 53 (no library of this one does), and the bounds below would not hold.
    bool fullPrecision = false;
    PowersOfTen() {
        volatile long double one = 1, last = 0x1p-63L;
        fullPrecision = one + last != one;
        std::array<long double, 28> exact{};
        exact[0] = 1;
        for (std::size_t k = 1; k < exact.size(); ++k)
            exact[k] = exact[k - 1] * 10;
        long double block = 1; // 10^(27 j)
        for (int k = 0; k <= kLowestPower; ++k) {
            if (k > 0 && k % 27 == 0)
                block *= exact[27];
            const long double p = exact[static_cast<std::size_t>(k % 27)] * block;
            if (k <= kHighestPower)
                value[static_cast<std::size_t>(kLowestPower + k)] = p;
            value[static_cast<std::size_t>(kLowestPower - k)] = 1 / p;
        }
    }
};

// m x 10^scale rounded to the nearest double, from one product in long double when that is
// certain to give it: the product lies within 2^-60 of the exact value relative to it, and when
// the products 2^-59 below and above round to the same double, so does the exact value between
// them (rounding is monotonic; subnormal results included). Two or three texts in a hundred lie
// too near the middle between two doubles, and a long double of fewer than 64 bits never
// decides: those are left to the exact general conversion.
// (Results go out through a reference: an optional<double> passed back and forth in this hot
// path costs a store-forwarding stall per value.)
bool wideScaleNumber(std::uint64_t m, int scale, double& value) {
    if constexpr (std::numeric_limits<long double>::digits < 64) {
        return false;
    } else {
        if (scale < -kLowestPower || scale > kHighestPower)
            return false;
        static const PowersOfTen powers;
        if (!powers.fullPrecision)
            return false;
        const long double x = static_cast<long double>(m) *
                              powers.value[static_cast<std::size_t>(kLowestPower + scale)];
        constexpr long double kBand = 0x1p-59L;
        const double below = static_cast<double>(x * (1 - kBand));
        const double above = static_cast<double>(x * (1 + kBand));
        value = below;
        return below == above;
    }
}

// The solver writes every record value as %.9E ("1.234567890E-05", "-1.234567890E+00") and
// the THERMO lines as %.8E: a digit, a point, up to 14 more digits and an exponent of one to
// three digits. When the scale stays within 10^22 the integer of the digits is multiplied or
// divided by a power of ten that a double holds exactly: one correctly rounded operation, so the
// same double that from_chars gives, at a fraction of its cost (an output holds records x species
// of them). Smaller and larger scales (a third of the values of an ignition run: mass fractions
// of 1E-20 and below) take the long double product above.
bool solverFormatNumber(std::string_view t, double& value) {
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const auto digit = [&](std::size_t k) { return t[k] >= '0' && t[k] <= '9'; };
    std::size_t i = 0;
    const bool negative = !t.empty() && t[0] == '-';
    if (negative || (!t.empty() && t[0] == '+'))
        ++i;
    if (t.size() < i + 5 || !digit(i) || t[i + 1] != '.')
        return false;
    std::uint64_t mantissa = static_cast<std::uint64_t>(t[i] - '0');
    const std::size_t fractionFrom = i + 2;
    std::size_t k = fractionFrom;
    if (t.size() >= k + 8)
        if (const auto eight = eightDigits(t.data() + k)) {
            mantissa = mantissa * 100000000 + *eight;
            k += 8;
        }
    for (; k < t.size() && digit(k) && k - fractionFrom < 14; ++k)
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(t[k] - '0');
    const int fractionDigits = static_cast<int>(k - fractionFrom);
    if (fractionDigits == 0 || t.size() < k + 3 || t.size() > k + 5 ||
        (t[k] != 'E' && t[k] != 'e') || (t[k + 1] != '+' && t[k + 1] != '-'))
        return false;
    int exponent = 0;
    for (std::size_t e = k + 2; e < t.size(); ++e) {
        if (!digit(e))
            return false;
        exponent = exponent * 10 + (t[e] - '0');
    }
    const int scale = (t[k + 1] == '-' ? -exponent : exponent) - fractionDigits;
    double v = 0;
    if (mantissa == 0) {
        v = 0.0;
    } else if (scale >= -22 && scale <= 22) {
        // At most 15 digits: the integer is below 2^53 and so exact in a double.
        const double m = static_cast<double>(mantissa);
        v = scale >= 0 ? m * kPowers[scale] : m / kPowers[-scale];
    } else if (!wideScaleNumber(mantissa, scale, v)) {
        return false;
    }
    value = negative ? -v : v;
    return true;
}

// recordNumber into a reference, for the loops over every value of an output.
bool readRecordNumber(std::string_view text, double& value) {
    if (solverFormatNumber(text, value))
        return true;
    const char* begin = text.data();
    if (!text.empty() && text.front() == '+')
        ++begin;
    const auto [end, ec] = std::from_chars(begin, text.data() + text.size(), value);
    if (ec == std::errc() && end == text.data() + text.size())
        return true;
    const std::optional<double> general = parseNumber(text);
    value = general.value_or(0);
    return general.has_value();
}

} // namespace

std::optional<double> recordNumber(std::string_view text) {
    double v = 0;
    return readRecordNumber(text, v) ? std::optional<double>(v) : std::nullopt;
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
    const std::string_view t = blankTrimmed(first);
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
        if (blankTrimmed(l).empty())
            continue;
        if (endsResults(l))
            break;
        if (linesInRecord == 0)
            record.assign(blankTrimmed(l));
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
        for (std::size_t c = 0; c < columnCount; ++c)
            if (!readRecordNumber(recordColumn(record, static_cast<int>(c)), values[c]))
                return failure("In the file " + path + " the record ending on line " +
                               std::to_string(at + 1) + " cannot be read.");
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
