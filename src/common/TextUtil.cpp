#include "common/TextUtil.h"

#include <algorithm>
#include <cctype>

namespace kinetra {

static char lowerChar(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lowerChar);
    return out;
}

std::string upperAscii(std::string_view text) {
    // ASCII letters only, whatever the locale: std::toupper would consult it for every byte.
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerChar(x) == lowerChar(y);
           });
}

std::string_view blankTrimmed(std::string_view text) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

std::string trimBlanks(std::string_view text) {
    return std::string(blankTrimmed(text));
}

void cutText(std::string& text, std::size_t limit) {
    if (text.size() <= limit)
        return;
    std::size_t end = limit;
    for (int back = 0;
         back < 3 && end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80; ++back)
        --end;
    if ((static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        end = limit; // not UTF-8: a plain cut
    text.resize(end);
}

std::string_view withoutByteOrderMark(std::string_view text) {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    return text.starts_with(kMark) ? text.substr(kMark.size()) : text;
}

std::string readerText(std::string_view text) {
    text = withoutByteOrderMark(text);
    std::string out;
    out.reserve(text.size());
    // Whole runs up to the next CR at a time: solver outputs of megabytes pass through here.
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t cr = text.find('\r', from);
        if (cr == std::string_view::npos) {
            out.append(text.substr(from));
            break;
        }
        out.append(text.substr(from, cr - from));
        out += '\n';
        from = cr + 1;
        if (from < text.size() && text[from] == '\n')
            ++from;
    }
    return out;
}

// The length of the valid UTF-8 sequence of two to four bytes at text[i], or 0.
std::size_t utf8SequenceAt(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                               : lead >= 0xE0                 ? 3
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                                                              : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    return length;
}

std::string readableExcerpt(std::string_view text, std::size_t limit) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    std::size_t i = 0;
    while (i < text.size() && out.size() < limit) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
            ++i;
        } else if (const std::size_t n = c >= 0x80 ? utf8SequenceAt(text, i) : 0) {
            out.append(text.substr(i, n));
            i += n;
        } else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
            ++i;
        }
    }
    if (i < text.size())
        out += "...";
    return out;
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char ch : text) {
        quoted += ch;
        if (ch == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

} // namespace kinetra
