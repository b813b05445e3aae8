// The wildcard matcher. Every element other than "*" consumes exactly one character, so a star
// only ever needs to be retried from the last one seen: the match runs in O(text × pattern) time
// however many stars the pattern holds. Text and pattern are read as UTF-8, so "?" takes one
// character, not one byte.
#include "common/Wildcard.h"

#include <cstddef>
#include <utility>

namespace kinetra {

namespace {

struct Character {
    char32_t code = 0;
    std::size_t length = 0;
};

// Decodes the UTF-8 character at i; a malformed byte stands for itself so that any byte string
// can still be matched.
Character decodeAt(std::string_view s, std::size_t i) {
    auto byte = static_cast<unsigned char>(s[i]);
    std::size_t length = byte < 0x80    ? 1
                         : byte >= 0xF0 ? 4
                         : byte >= 0xE0 ? 3
                         : byte >= 0xC0 ? 2
                                        : 0;
    if (length <= 1 || i + length > s.size())
        return {byte, 1};
    char32_t code = byte & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
        auto next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80)
            return {byte, 1};
        code = (code << 6) | (next & 0x3F);
    }
    return {code, length};
}

char32_t otherCase(char32_t c) {
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 'A';
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 'a';
    return c;
}

bool sameCharacter(char32_t a, char32_t b, LetterCase letterCase) {
    return a == b || (letterCase == LetterCase::Insensitive && otherCase(a) == b);
}

bool inRange(char32_t c, char32_t low, char32_t high, LetterCase letterCase) {
    if (low > high)
        std::swap(low, high); // "[z-a]" is read as "[a-z]"
    if (c >= low && c <= high)
        return true;
    char32_t other = otherCase(c);
    return letterCase == LetterCase::Insensitive && other >= low && other <= high;
}

// The end of the list that starts with the "[" at `open` (one past its "]"), or 0 when it is
// not closed. A "]" right after "[" or "[!" belongs to the list, so "[]]" matches "]".
std::size_t listEnd(std::string_view pattern, std::size_t open) {
    std::size_t i = open + 1;
    if (i < pattern.size() && pattern[i] == '!')
        ++i;
    if (i < pattern.size() && pattern[i] == ']')
        ++i;
    std::size_t close = pattern.find(']', i);
    return close == std::string_view::npos ? 0 : close + 1;
}

// Whether c is in the list pattern[first, last) (the text between "[" or "[!" and "]"). A "-"
// between two members makes a range; at either end it is a plain member.
bool inList(char32_t c, std::string_view pattern, std::size_t first, std::size_t last,
            LetterCase letterCase) {
    for (std::size_t i = first; i < last;) {
        Character low = decodeAt(pattern, i);
        i += low.length;
        if (i + 1 < last && pattern[i] == '-') {
            Character high = decodeAt(pattern, i + 1);
            i += 1 + high.length;
            if (inRange(c, low.code, high.code, letterCase))
                return true;
        } else if (sameCharacter(c, low.code, letterCase)) {
            return true;
        }
    }
    return false;
}

// Matches one pattern element other than "*" at p against c; on success sets `next` to the
// element that follows.
bool matchElement(std::string_view pattern, std::size_t p, char32_t c, LetterCase letterCase,
                  std::size_t& next) {
    char head = pattern[p];
    bool matched = false;
    if (head == '?') {
        next = p + 1;
        matched = true;
    } else if (head == '#') {
        next = p + 1;
        matched = c >= '0' && c <= '9';
    } else if (std::size_t end = head == '[' ? listEnd(pattern, p) : 0; end != 0) {
        bool negated = pattern[p + 1] == '!';
        next = end;
        matched = inList(c, pattern, p + (negated ? 2 : 1), end - 1, letterCase) != negated;
    } else {
        // An unclosed "[" is an ordinary character, like any other literal.
        Character literal = decodeAt(pattern, p);
        next = p + literal.length;
        matched = sameCharacter(c, literal.code, letterCase);
    }
    return matched;
}

} // namespace

bool wildcardMatch(std::string_view text, std::string_view pattern, LetterCase letterCase) {
    constexpr std::size_t kNoStar = static_cast<std::size_t>(-1);
    std::size_t t = 0, p = 0;
    std::size_t afterStar = kNoStar; // the pattern position just past the last star
    std::size_t starText = 0;        // where the text stood when that star was met
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            afterStar = ++p;
            starText = t;
            continue;
        }
        Character c = decodeAt(text, t);
        std::size_t next = 0;
        if (p < pattern.size() && matchElement(pattern, p, c.code, letterCase, next)) {
            p = next;
            t += c.length;
            continue;
        }
        if (afterStar == kNoStar)
            return false;
        // Let the last star swallow one more character and retry from just past it.
        starText += decodeAt(text, starText).length;
        t = starText;
        p = afterStar;
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace kinetra
