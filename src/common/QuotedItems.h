// Quoted-item text: the format of the settings files. Items are separated by line breaks or
// commas; strings stand in double quotes (a quoted string may hold commas); integers in plain
// digits; reals with a point, in the shortest form that keeps the value. Files are written with
// CR LF line ends, one item per line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kinetra {

struct QuotedItem {
    std::string text; // the item with surrounding blanks and quotes removed
    bool quoted = false;
};

// Splits a text into its items in order. A line holding only blanks yields no item.
std::vector<QuotedItem> splitQuotedItems(std::string_view text);

// Reads items one after another with the type the caller expects. Every read returns nothing
// when the items are used up or the next item cannot be read as that type (an empty or quoted
// item is not a number); the reader then stays on that item.
class QuotedItemReader {
public:
    explicit QuotedItemReader(std::string_view text);
    std::optional<std::string> readString();
    std::optional<std::int64_t> readInteger();
    std::optional<double> readReal();
    void skip();
    bool atEnd() const { return next_ >= items_.size(); }

private:
    std::vector<QuotedItem> items_;
    std::size_t next_ = 0;
};

using QuotedValue = std::variant<std::int64_t, double, std::string>;

// One value as written to a file: integers plainly, strings in double quotes, reals in the
// shortest form that keeps the value (at most 15 significant digits, "E+NN" or "E-NN" exponents
// for very large or very small values, never a locale symbol).
std::string formatQuotedValue(const QuotedValue& value);
std::string formatRealItem(double value);

// Whole file text: one value per line, each line ended by CR LF.
std::string writeQuotedItems(const std::vector<QuotedValue>& values);

} // namespace kinetra
