// Reading and writing the quoted-item text of the settings files. Reading is forgiving about
// line ends (CR LF, LF or CR) and blanks because the files may have been edited by hand;
// writing is fixed (CR LF, one item a line) so that a file written and read back gives exactly
// the values that went in.
#include "common/QuotedItems.h"

#include "common/NumberFormat.h"
#include "common/TextNumber.h"

#include <charconv>

namespace kinetra {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// Moves past one line break (CR LF counts as one).
std::size_t skipLineBreak(std::string_view text, std::size_t i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        return i + 2;
    return i + 1;
}

std::size_t skipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

std::size_t findSeparator(std::string_view text, std::size_t i) {
    while (i < text.size() && text[i] != ',' && !isLineBreak(text[i]))
        ++i;
    return i;
}

// Reads the item that starts at i (blanks already skipped) and returns the position of the
// separator that ends it. A quoted item runs to its closing quote, across commas and line
// breaks alike, because a written string may hold either; what follows the closing quote up to
// the separator is ignored. An unclosed quote runs to the end of the text.
std::size_t readItem(std::string_view text, std::size_t i, QuotedItem& item) {
    if (text[i] == '"') {
        std::size_t close = text.find('"', i + 1);
        if (close == std::string_view::npos)
            close = text.size();
        item.text.assign(text.substr(i + 1, close - i - 1));
        item.quoted = true;
        return close == text.size() ? close : findSeparator(text, close + 1);
    }
    std::size_t end = findSeparator(text, i);
    std::size_t last = end;
    while (last > i && isBlank(text[last - 1]))
        --last;
    item.text.assign(text.substr(i, last - i));
    return end;
}

bool isIntegerText(std::string_view text) {
    if (!text.empty() && (text[0] == '+' || text[0] == '-'))
        text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace

std::vector<QuotedItem> splitQuotedItems(std::string_view text) {
    std::vector<QuotedItem> items;
    std::size_t i = 0;
    bool afterComma = false; // an item follows a comma even when it is empty
    while (i < text.size() || afterComma) {
        i = skipBlanks(text, i);
        bool lineEnds = i >= text.size() || isLineBreak(text[i]);
        if (!lineEnds || afterComma) {
            QuotedItem item;
            if (!lineEnds && text[i] != ',')
                i = readItem(text, i, item);
            items.push_back(std::move(item));
        }
        afterComma = i < text.size() && text[i] == ',';
        if (i < text.size())
            i = afterComma ? i + 1 : skipLineBreak(text, i);
    }
    return items;
}

QuotedItemReader::QuotedItemReader(std::string_view text) : items_(splitQuotedItems(text)) {}

std::optional<std::string> QuotedItemReader::readString() {
    if (atEnd())
        return std::nullopt;
    return items_[next_++].text;
}

std::optional<std::int64_t> QuotedItemReader::readInteger() {
    if (atEnd() || items_[next_].quoted || !isIntegerText(items_[next_].text))
        return std::nullopt;
    std::string_view text = items_[next_].text;
    if (text[0] == '+')
        text.remove_prefix(1);
    std::int64_t value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{})
        return std::nullopt;
    ++next_;
    return value;
}

std::optional<double> QuotedItemReader::readReal() {
    if (atEnd() || items_[next_].quoted)
        return std::nullopt;
    std::optional<double> value = parseNumber(items_[next_].text);
    if (value)
        ++next_;
    return value;
}

void QuotedItemReader::skip() {
    if (!atEnd())
        ++next_;
}

std::string formatRealItem(double value) {
    return formatNumber(value, "");
}

std::string formatQuotedValue(const QuotedValue& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        char digits[24];
        return std::string(digits, std::to_chars(digits, digits + sizeof digits, *integer).ptr);
    }
    if (const auto* real = std::get_if<double>(&value))
        return formatRealItem(*real);
    // The format has no escape for a double quote inside a string, so one would end the item
    // early on reading; a single quote is the nearest character that keeps the rest intact.
    std::string text = std::get<std::string>(value);
    for (char& c : text)
        if (c == '"')
            c = '\'';
    return '"' + text + '"';
}

std::string writeQuotedItems(const std::vector<QuotedValue>& values) {
    std::string out;
    for (const QuotedValue& value : values) {
        out += formatQuotedValue(value);
        out += "\r\n";
    }
    return out;
}

} // namespace kinetra
