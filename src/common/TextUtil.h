// Small text helpers shared by every subsystem. Letter case is ASCII only: symbols, species
// names and keywords of the program's files are ASCII.
#pragma once

#include <string>
#include <string_view>

namespace kinetra {

std::string lowerAscii(std::string_view text);
std::string upperAscii(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
// Text without the UTF-8 byte-order mark that editors on some systems put in front of a file;
// it is no character of the text, and read as one it would spoil the first line.
std::string_view withoutByteOrderMark(std::string_view text);
// Text as the text readers take it, whatever system wrote it: without a byte-order mark, and
// with every line end (CR LF, LF, or the lone CR of old Macintosh files) turned into LF.
std::string readerText(std::string_view text);
// Removes blanks, tabs and line breaks at both ends.
std::string trimBlanks(std::string_view text);
// The same as a view into the text, for readers that pass over every line of large files
// (find_first_not_of with a set of characters calls memchr for each character it passes).
std::string_view blankTrimmed(std::string_view text);
// Cuts text to at most `limit` bytes, stepping back over an UTF-8 sequence the cut would split
// (at most three bytes, so bytes that are no UTF-8 at all are still cut at the limit).
void cutText(std::string& text, std::size_t limit);
// The length of the valid UTF-8 sequence of two to four bytes at text[i], or 0 (an ASCII byte,
// or a byte that starts no valid sequence).
std::size_t utf8SequenceAt(std::string_view text, std::size_t i);
// Text from a file that may hold anything, made fit for a message: bytes that do not print
// (control characters, bytes of no valid UTF-8) are written as \xNN, and text beyond `limit`
// bytes is cut and marked with "...".
std::string readableExcerpt(std::string_view text, std::size_t limit = 200);
// A field of a CSV file: quoted when it holds a comma, a quote or a line end (headings such as
// "T, K", species names such as "C3H5,A", reasons), with its quotes doubled.
std::string csvField(std::string_view text);

} // namespace kinetra
