// The layout of the result records of the output file. The reader assembles a record from its
// first line (trimmed) and its continuation lines (left-trimmed, joined with two blanks, or one
// before a line that starts with "-") and reads column i at character 8 + 17 i, 16 characters,
// trimmed. The record takes one line up to 50 species, two up to 100, and so on. The layout
// below gives every value back exactly under that rule.
#pragma once

#include "results/ResultRecords.h"

#include <string>
#include <string_view>
#include <vector>

namespace kinetra::engine {

// The record geometry and the reader's assembly are the post-processor's (results/ResultRecords):
// the writer lays its lines out for that reader.
using results::recordLineCount;

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

// The same lines appended to `out`, each ending in a line feed, without a string per line or
// per field: the writer's form, for a record of hundreds of species every step. `cuts` is the
// caller's workspace. False, appending nothing, when recordLines would be empty.
bool appendRecordLines(std::string& out, std::string_view prefix,
                       const std::vector<std::string_view>& fields, int lineCount,
                       std::vector<std::size_t>& cuts);

// The record of one output time, appendRecordLines's layout of the value texts of `time` and
// `values[0 .. count)` (temperature, then the species), written in one pass with no field
// strings: the writer's form for hundreds of species every step.
void appendValueRecord(std::string& out, std::string_view prefix, double time, const double* values,
                       std::size_t count, int lineCount);

} // namespace kinetra::engine
