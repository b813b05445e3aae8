// Find and replace in the text of a document: the search of the find window, with its two
// options. Texts are UTF-16, the code units the editor counts positions in, so that a match found
// here selects the same characters in the window.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kinetra::textdoc {

// The options of the find window; as a sum of flags, 2 = whole word and 4 = match case.
struct SearchOptions {
    bool wholeWord = false;
    bool matchCase = false;
    static SearchOptions fromFlags(int flags) { return {(flags & 2) != 0, (flags & 4) != 0}; }
};

struct TextMatch {
    std::size_t start = 0;
    std::size_t length = 0;
};

// The first match of `sought` at or after `from`; nothing for an empty text sought.
std::optional<TextMatch> findText(std::u16string_view text, std::u16string_view sought,
                                  std::size_t from, SearchOptions options);

// Replaces every match from the start, left to right (a replacement is not searched again);
// returns the number of replacements.
std::size_t replaceAll(std::u16string& text, std::u16string_view sought,
                       std::u16string_view replacement, SearchOptions options);

// "In the document, 3 replacement(s) have been made."
std::string replacementMessage(std::size_t count);

// The state of the find window's search within one document: the position after the last
// match, where Find Next goes on, and whether a match is there for Replace.
class SearchSession {
public:
    // Find Next: the next match after the previous one, or nothing at the end of the text (the
    // next search then starts at the beginning again).
    std::optional<TextMatch> findNext(std::u16string_view text, std::u16string_view sought,
                                      SearchOptions options);
    // Replace: when the last find succeeded, replaces that match in `text` and returns where it
    // was (the search goes on after the replacement).
    std::optional<TextMatch> replaceLast(std::u16string& text, std::u16string_view replacement);
    void restart() { position_ = 0, last_.reset(); }
    // The match the last Find Next selected, until it is replaced or a search fails.
    const std::optional<TextMatch>& lastMatch() const { return last_; }

private:
    std::size_t position_ = 0;
    std::optional<TextMatch> last_;
};

} // namespace kinetra::textdoc
