// The layout of the result records of the output file. The reader assembles a record from its
// first line (trimmed) and its continuation lines (left-trimmed, joined with two blanks, or one
// before a line that starts with "-") and reads column i at character 8 + 17 i, 16 characters,
// trimmed. The record takes one line up to 50 species, two up to 100, and so on. The layout
// below gives every value back exactly under that rule.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kinetra::engine {

// Lines per record for n species: n / 50 (truncated), plus one more when a remainder is left;
// one line for up to 50 species.
int recordLineCount(int speciesCount);

// A value as a column text: 10 significant digits, 15 characters when positive and 16 when
// negative (two-digit exponent); magnitudes below 1E-99 are written as 0.
std::string recordValueText(double value);
// The same text into buffer (40 characters at least); returns its length.
std::size_t writeRecordValue(double value, char* buffer);

// The lines of one record: `prefix` (1 to 6 characters, first not blank) in front of the
// columns, `fields` the column texts (1 to 16 characters, none empty), laid out in
// `lineCount` lines. Empty when no layout of the fields in that many lines reads back exactly
// (only fields of 16 characters throughout, which no record of this program has).
std::vector<std::string> recordLines(std::string_view prefix,
                                     const std::vector<std::string>& fields, int lineCount);

// The reader's assembly of a record and its column i, as the post-processor reads them.
std::string assembleRecord(const std::vector<std::string>& lines);
std::string recordColumn(const std::string& record, int i);

} // namespace kinetra::engine
