// The geometry of the result records of a solver output file, as the post-processor reads them:
// a record takes one line up to 50 species, two up to 100, and so on; its lines are assembled
// into one text whose column i is the 16 characters from character 8 + 17 i, trimmed. The solver
// program lays its records out for this rule and the output check counts lines by it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kinetra::results {

// Lines per record for n species: n / 50 (truncated), plus one more when a remainder is left;
// one line for up to 50 species.
int recordLineCount(int speciesCount);

// The first line trimmed, each further line left-trimmed and appended after two blanks, or
// after one blank when it begins with "-".
std::string assembleRecord(const std::vector<std::string>& lines);
// Appends one further line of a record to the assembled text.
void appendRecordLine(std::string& record, std::string_view line);

// Column i (0 time, 1 temperature, 2.. the species) of an assembled record: 16 characters from
// character 8 + 17 i (counted from 1), trimmed; empty past the end.
std::string_view recordColumn(std::string_view record, int i);

} // namespace kinetra::results
