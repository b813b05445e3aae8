#include "engine/OutputRecords.h"

#include <algorithm>
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

// 10^s = mantissa 2^exponent for s = -kMostNegative .. kMostPositive, the mantissa normalised
// to 64 bits: each power from its neighbour by one product or quotient of ten in 128 bits,
// truncated, so the relative error stays below 120 * 2^-63 < 1.4E-17.
using Wide = unsigned __int128;
constexpr int kMostNegative = 110, kMostPositive = 110;
struct PowersOfTen {
    std::uint64_t mantissa[kMostNegative + kMostPositive + 1];
    int exponent[kMostNegative + kMostPositive + 1];
    constexpr PowersOfTen() : mantissa(), exponent() {
        constexpr std::uint64_t kOne = std::uint64_t(1) << 63;
        mantissa[kMostNegative] = kOne;
        exponent[kMostNegative] = -63;
        for (int s = 1; s <= kMostPositive; ++s) {
            Wide product = Wide(mantissa[kMostNegative + s - 1]) * 10;
            int shift = 0;
            while (product >> (64 + shift))
                ++shift;
            mantissa[kMostNegative + s] = static_cast<std::uint64_t>(product >> shift);
            exponent[kMostNegative + s] = exponent[kMostNegative + s - 1] + shift;
        }
        for (int s = 1; s <= kMostNegative; ++s) {
            const Wide quotient = (Wide(mantissa[kMostNegative - s + 1]) << 64) / 10;
            int shift = 0;
            while (quotient >> (64 + shift))
                ++shift;
            mantissa[kMostNegative - s] = static_cast<std::uint64_t>(quotient >> shift);
            exponent[kMostNegative - s] = exponent[kMostNegative - s + 1] - 64 + shift;
        }
    }
};
constexpr PowersOfTen kPowersOfTen;

// The same text as exactValueText for 1E-99 <= |value| < 1E99 without its cost (a quarter of
// an n-heptane run went into the value texts): the ten digits come from the 53-bit integer of
// |value| times the 64-bit mantissa of a power of ten, in 128 bits. That power's relative error
// (below 1.4E-17, under 1.4E-7 in the ten-digit integer) leaves the rounding in doubt only when
// the scaled value lies within 2^-20 of a rounding tie or of a decade's edge. Then, and
// outside the range, false: the caller takes the exact path.
bool fastValueText(double value, char* buffer, std::size_t& length) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-99 && magnitude < 1e99))
        return false;
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int biased = static_cast<int>(bits >> 52); // 1E-99 is a normal number
    const std::uint64_t integer =
        (bits & ((std::uint64_t(1) << 52) - 1)) | (std::uint64_t(1) << 52);
    const int binary = biased - 1075; // magnitude = integer 2^binary
    // The decimal exponent, exact or one off: floor(log10(2) (binary + 52)), log10(2) as
    // 78913 / 2^18.
    int exponent = ((binary + 52) * 78913) >> 18;
    std::uint64_t digits = 0;
    Wide fraction = 0, half = 0, doubt = 0;
    for (int attempt = 0;; ++attempt) {
        const int power = 9 - exponent; // magnitude 10^power in [1E9, 1E10)
        if (power < -kMostNegative || power > kMostPositive || attempt == 2)
            return false;
        const Wide product = Wide(integer) * kPowersOfTen.mantissa[kMostNegative + power];
        const int shift = -(binary + kPowersOfTen.exponent[kMostNegative + power]);
        if (shift < 40 || shift > 120)
            return false;
        digits = static_cast<std::uint64_t>(product >> shift);
        fraction = product & ((Wide(1) << shift) - 1);
        half = Wide(1) << (shift - 1);
        doubt = Wide(1) << (shift - 20);
        if (digits >= 10'000'000'000ULL)
            ++exponent;
        else if (digits < 1'000'000'000ULL)
            --exponent;
        else
            break;
    }
    if ((digits == 1'000'000'000ULL && fraction < doubt) ||
        (digits == 9'999'999'999ULL && fraction > 2 * half - doubt))
        return false;
    if (fraction > half - doubt && fraction < half + doubt)
        return false;
    if (fraction > half)
        ++digits;
    if (digits == 10'000'000'000ULL) {
        digits = 1'000'000'000ULL;
        ++exponent;
    }
    char* p = buffer;
    if (value < 0)
        *p++ = '-';
    // Two digits at a time from the right, in two independent halves of five.
    static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324"
                                     "25262728293031323334353637383940414243444546474849"
                                     "50515253545556575859606162636465666768697071727374"
                                     "75767778798081828384858687888990919293949596979899";
    char text[10];
    auto five = [&](std::uint32_t v, char* out) {
        out[4] = static_cast<char>('0' + v % 10);
        v /= 10;
        std::memcpy(out + 2, kPairs + 2 * (v % 100), 2);
        std::memcpy(out, kPairs + 2 * (v / 100), 2);
    };
    five(static_cast<std::uint32_t>(digits / 100000), text);
    five(static_cast<std::uint32_t>(digits % 100000), text + 5);
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

void appendValueRecord(std::string& out, std::string_view prefix, double time, const double* values,
                       std::size_t count, int lineCount) {
    // Every value text is 15 characters, or 16 beginning with its minus sign: every column can
    // open a continuation line, so appendRecordLines cuts before column 2 + 50 t, ends the line
    // before with column j - 1's text and starts the next with column j's. Elsewhere a column
    // stands right-aligned in its 17 characters.
    const std::size_t m = count + 1;
    const std::size_t at = out.size();
    out.resize(at + prefix.size() + kStride * m + kPrefix + static_cast<std::size_t>(lineCount));
    char* p = out.data() + at;
    std::memcpy(p, prefix.data(), prefix.size());
    p += prefix.size();
    std::size_t nextCut = 2 + kPerLine;
    int cutsLeft = lineCount - 1;
    for (std::size_t i = 0; i < m; ++i) {
        char text[40];
        const std::size_t length = writeRecordValue(i == 0 ? time : values[i - 1], text);
        if (cutsLeft > 0 && i == nextCut) {
            *p++ = '\n';
            nextCut += kPerLine;
            --cutsLeft;
        } else {
            // A record number of more than 7 digits would reach into column 0: one blank.
            const std::size_t blanks =
                i > 0 ? kStride - length
                      : kPrefix + kWidth - length -
                            std::min(prefix.size(), kPrefix + kWidth - length - 1);
            std::memset(p, ' ', blanks);
            p += blanks;
        }
        std::memcpy(p, text, length);
        p += length;
    }
    *p++ = '\n';
    out.resize(static_cast<std::size_t>(p - out.data()));
}

} // namespace kinetra::engine
