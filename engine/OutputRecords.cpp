#include "engine/OutputRecords.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

namespace kinetra::engine {

namespace {

constexpr std::size_t kPrefix = 7, kWidth = 16, kStride = 17, kPerLine = 50;

std::size_t start(std::size_t i) {
    return kPrefix + kStride * i;
}

// How column j opens a continuation line.
enum class Opening {
    Invalid,
    AtOffsetZero, // starts with "-": the reader joins with one blank
    AtOffsetOne,  // up to 15 characters after one blank: joined with two blanks
    AfterShorter, // 16 characters: column j - 1 ends one character early, leaving two blanks
};

template <typename Fields> Opening opening(const Fields& fields, std::size_t j) {
    const std::string_view f = fields[j];
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

namespace {

// The exact text through the standard library: ten significant digits keep a positive value at
// 15 characters; a three-digit exponent (1E+100 and beyond) costs one digit. to_chars rounds
// the binary value exactly like printf's %.9E.
std::size_t exactValueText(double value, char* buffer) {
    const int precision = std::fabs(value) >= 1e100 ? 8 : 9;
    char* end =
        std::to_chars(buffer, buffer + 39, value, std::chars_format::scientific, precision).ptr;
    for (char* p = buffer; p != end; ++p)
        if (*p == 'e')
            *p = 'E';
    return static_cast<std::size_t>(end - buffer);
}

// 10^k in extended precision for k = 0 .. 120, each from the one before by one rounded
// product: relative error below 120 * 2^-64 < 1E-17.
constexpr int kPowers = 121;
using Extended = long double;
struct PowersOfTen {
    Extended value[kPowers];
    constexpr PowersOfTen() : value() {
        value[0] = 1;
        for (int k = 1; k < kPowers; ++k)
            value[k] = value[k - 1] * 10;
    }
};
constexpr PowersOfTen kPowersOfTen;

// The same text as exactValueText for 1E-99 <= |value| < 1E99 without its cost (a quarter of
// an n-heptane run went into the value texts): the ten digits come from |value| scaled by a
// power of ten in 64-bit extended precision, whose relative error (below 2E-17) leaves the
// rounding in doubt only when the scaled value lies within 1E-6 of a rounding tie or of a
// decade's edge. Then, and outside the range, false: the caller takes the exact path.
bool fastValueText(double value, char* buffer, std::size_t& length) {
    if constexpr (std::numeric_limits<Extended>::digits < 64)
        return false;
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-99 && magnitude < 1e99))
        return false;
    // The decimal exponent, exact or one too small: floor(log10(2) (binary - 1)) .. + 1, with
    // the binary exponent read from the bits and log10(2) as 78913 / 2^18.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int binary = static_cast<int>(bits >> 52) - 1022; // 1E-99 is a normal number
    int exponent = ((binary - 1) * 78913) >> 18;
    Extended scaled = 0;
    for (int attempt = 0;; ++attempt) {
        const int shift = 9 - exponent; // scaled = magnitude 10^shift, in [1E9, 1E10)
        if (shift < -kPowers + 1 || shift > kPowers - 1 || attempt == 2)
            return false;
        scaled = shift >= 0 ? magnitude * kPowersOfTen.value[shift]
                            : magnitude / kPowersOfTen.value[-shift];
        if (scaled >= Extended(1e10))
            ++exponent;
        else if (scaled < Extended(1e9))
            --exponent;
        else
            break;
    }
    constexpr Extended kDoubt = 1e-6;
    if (scaled < Extended(1e9) + kDoubt || scaled > Extended(1e10) - kDoubt)
        return false;
    auto digits = static_cast<std::uint64_t>(scaled); // floor
    const Extended fraction = scaled - static_cast<Extended>(digits);
    if (fraction > Extended(0.5) - kDoubt && fraction < Extended(0.5) + kDoubt)
        return false;
    if (fraction > Extended(0.5))
        ++digits;
    if (digits == 10'000'000'000ULL) {
        digits = 1'000'000'000ULL;
        ++exponent;
    }
    char* p = buffer;
    if (value < 0)
        *p++ = '-';
    // Two digits at a time, from the right.
    static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324"
                                     "25262728293031323334353637383940414243444546474849"
                                     "50515253545556575859606162636465666768697071727374"
                                     "75767778798081828384858687888990919293949596979899";
    char text[10];
    for (int i = 8; i >= 0; i -= 2) {
        std::memcpy(text + i, kPairs + 2 * (digits % 100), 2);
        digits /= 100;
    }
    *p++ = text[0];
    *p++ = '.';
    std::memcpy(p, text + 1, 9);
    p += 9;
    *p++ = 'E';
    *p++ = exponent < 0 ? '-' : '+';
    const int e = exponent < 0 ? -exponent : exponent;
    *p++ = static_cast<char>('0' + e / 10);
    *p++ = static_cast<char>('0' + e % 10);
    length = static_cast<std::size_t>(p - buffer);
    return true;
}

} // namespace

std::size_t writeRecordValue(double value, char* buffer) {
    if (std::fabs(value) < 1e-99)
        value = 0;
    std::size_t length = 0;
    if (fastValueText(value, buffer, length))
        return length;
    return exactValueText(value, buffer);
}

namespace {

// Cut before column j for each continuation line: near the even split (time, T and the first
// 50 species on the first line, 50 species on each further one), at a column that can open a
// line, at least two columns after the previous cut. False when there is none.
template <typename Fields>
bool findCuts(const Fields& fields, int lineCount, std::vector<std::size_t>& cuts) {
    const std::size_t m = fields.size();
    cuts.clear();
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
            return false;
        cuts.push_back(*found);
        previous = *found;
    }
    return true;
}

} // namespace

bool appendRecordLines(std::string& out, std::string_view prefix,
                       const std::vector<std::string_view>& fields, int lineCount,
                       std::vector<std::size_t>& cuts) {
    if (!findCuts(fields, lineCount, cuts))
        return false;
    const std::size_t m = fields.size();
    // The record is laid out as one long line, columns right-aligned at 8 + 17 i, and cut
    // before each cut column: the line before a cut ends with column j - 1, the line after it
    // starts with column j's text. Written straight into `out`, blanks and all.
    out.append(prefix);
    std::size_t at = prefix.size(); // the position in the long line
    std::size_t nextCut = 0;
    for (std::size_t i = 0; i < m; ++i) {
        const std::string_view f = fields[i];
        std::size_t place = start(i) + kWidth - f.size();
        if (nextCut < cuts.size() && cuts[nextCut] == i) {
            const Opening o = opening(fields, i);
            const std::size_t content = start(i) + (o == Opening::AtOffsetOne ? 1 : 0);
            const std::size_t gap = o == Opening::AtOffsetZero ? 1 : 2;
            out.append(content - gap - at, ' ');
            out.push_back('\n');
            at = content;
            place = content;
            ++nextCut;
        } else if (nextCut < cuts.size() && cuts[nextCut] == i + 1 &&
                   opening(fields, i + 1) == Opening::AfterShorter) {
            place = start(i) + kWidth - 1 - f.size(); // ends one early: two blanks follow
        }
        out.append(place - at, ' ');
        out.append(f);
        at = place + f.size();
    }
    out.push_back('\n');
    return true;
}

std::vector<std::string> recordLines(std::string_view prefix,
                                     const std::vector<std::string>& fields, int lineCount) {
    const std::vector<std::string_view> views(fields.begin(), fields.end());
    std::string text;
    std::vector<std::size_t> cuts;
    if (!appendRecordLines(text, prefix, views, lineCount, cuts))
        return {};
    std::vector<std::string> lines;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = text.find('\n', from);
        lines.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    return lines;
}

} // namespace kinetra::engine
