#include "textdoc/TextSearch.h"

#include <algorithm>

namespace kinetra::textdoc {

namespace {

// Letter case folded for ASCII and Latin-1 letters: the texts of the program's files.
char16_t folded(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<char16_t>(c + 32);
    return c;
}

bool isWordCharacter(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
           c == u'_' || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

bool matchesAt(std::u16string_view text, std::u16string_view sought, std::size_t at,
               bool matchCase) {
    if (matchCase)
        return text.compare(at, sought.size(), sought) == 0;
    for (std::size_t k = 0; k < sought.size(); ++k)
        if (folded(text[at + k]) != folded(sought[k]))
            return false;
    return true;
}

bool isWholeWord(std::u16string_view text, std::size_t at, std::size_t length) {
    const bool before = at > 0 && isWordCharacter(text[at - 1]);
    const bool after = at + length < text.size() && isWordCharacter(text[at + length]);
    return !before && !after;
}

} // namespace

std::optional<TextMatch> findText(std::u16string_view text, std::u16string_view sought,
                                  std::size_t from, SearchOptions options) {
    if (sought.empty() || sought.size() > text.size())
        return std::nullopt;
    const std::size_t last = text.size() - sought.size();
    if (options.matchCase) {
        for (std::size_t at = text.find(sought, from); at != std::u16string_view::npos;
             at = text.find(sought, at + 1))
            if (!options.wholeWord || isWholeWord(text, at, sought.size()))
                return TextMatch{at, sought.size()};
        return std::nullopt;
    }
    const char16_t first = folded(sought.front());
    for (std::size_t at = from; at <= last; ++at)
        if (folded(text[at]) == first && matchesAt(text, sought, at, false) &&
            (!options.wholeWord || isWholeWord(text, at, sought.size())))
            return TextMatch{at, sought.size()};
    return std::nullopt;
}

std::size_t replaceAll(std::u16string& text, std::u16string_view sought,
                       std::u16string_view replacement, SearchOptions options) {
    std::size_t count = 0;
    std::u16string result;
    std::size_t copied = 0;
    for (auto match = findText(text, sought, 0, options); match;
         match = findText(text, sought, match->start + match->length, options)) {
        result.append(text, copied, match->start - copied);
        result.append(replacement);
        copied = match->start + match->length;
        ++count;
    }
    if (count > 0) {
        result.append(text, copied, std::u16string::npos);
        text = std::move(result);
    }
    return count;
}

std::string replacementMessage(std::size_t count) {
    return "In the document, " + std::to_string(count) + " replacement(s) have been made.";
}

std::optional<TextMatch> SearchSession::findNext(std::u16string_view text,
                                                 std::u16string_view sought,
                                                 SearchOptions options) {
    last_ = findText(text, sought, std::min(position_, text.size()), options);
    position_ = last_ ? last_->start + last_->length : 0;
    return last_;
}

std::optional<TextMatch> SearchSession::replaceLast(std::u16string& text,
                                                    std::u16string_view replacement) {
    if (!last_ || last_->start + last_->length > text.size())
        return std::nullopt;
    const TextMatch replaced = *last_;
    text.replace(replaced.start, replaced.length, replacement);
    position_ = replaced.start + replacement.size();
    last_.reset();
    return replaced;
}

} // namespace kinetra::textdoc
